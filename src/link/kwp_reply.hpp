#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "core/hex_message.hpp"

namespace velkor {

// Which reply a caller is waiting for: the service it sent and, for the services whose positive
// reply repeats it (21 A0 -> 61 A0, mode 01 PID 0C -> 41 0C), the local identifier.
struct KwpReplyKey {
  int service = 0;
  std::optional<int> local_id{};
  // Data bytes after the service byte and the local identifier that the caller reads: a
  // positive reply holding fewer (a frame cut short by the exchange, or declared shorter) is
  // no reply at all, so a missing byte is never decoded as a made-up 0.
  std::size_t needed_bytes = 0;
};

// What one answer says about one request.
struct KwpReply {
  enum class Kind { kNone, kPositive, kNegative };

  Kind kind = Kind::kNone;
  // Positive: the data bytes after the service byte and the local identifier, as far as the
  // answer holds them and never past the frame's declared length.
  HexMessage data;
  // Positive: how many such bytes the frame's length declares. `data` holds fewer only when
  // the answer was cut short (the exchange keeps at most the expected count of bytes, so a
  // stray byte ahead of a reply pushes its tail out).
  std::size_t declared_bytes = 0;
  // Negative: the response code (0x78 response pending, 0x12 sub-function not supported...).
  int code = 0;
  // 1-based character position of the reply's format byte; 0 for kNone.
  std::size_t position = 0;
  // Characters of the whole frame, format byte to checksum, when the answer holds all of it
  // (its checksum has then been checked); 0 when it was cut short.
  std::size_t whole_length = 0;

  bool Positive() const { return kind == Kind::kPositive; }
  bool Negative() const { return kind == Kind::kNegative; }
  // Data bytes present in `data`.
  std::size_t DataBytes() const { return data.size() / 2; }
  // Data byte k, counted from 0 after the service byte and local identifier; 0 past the end.
  int Byte(std::size_t k) const;
  // Unsigned big-endian word of data bytes k and k + 1; 0 past the end.
  int Word(std::size_t k) const;
};

// Finds the reply to `key` in `answer` (hex text as the exchange returns it: the reply, maybe
// after stray bytes, maybe cut short). A KWP reply is
//   format byte 0x80 + n, reply_header (target, source), n data bytes, checksum
// or, for more than 63 data bytes, format byte 0x80, reply_header, a length byte n, n data
// bytes, checksum. Its data are (service + 0x40) [local id] values for a positive reply and
// 7F service code for a negative one.
// Frames are looked for on byte boundaries only: bytes A8 4F 11 04 ... hold the text
// "84F11041" at an odd character position, and that is no reply. A frame the answer holds whole
// must carry the right checksum; a frame cut short is taken as far as it goes. The first frame
// for this request decides: a positive reply short of key.needed_bytes, or a negative reply cut
// before its code, gives kNone. Frames of other headers or services are skipped.
KwpReply ReadKwpReply(std::string_view answer, std::string_view reply_header,
                      const KwpReplyKey& key);

}  // namespace velkor
