// Feeds arbitrary answers and request keys to the KWP reply reader and checks what it promises:
// a reply lies inside the answer on a byte boundary, behind its format byte and reply header; its
// data never run past the frame's declared length; a whole frame carries its checksum; and a
// stray byte before the answer moves the reply without changing it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/hex_message.hpp"
#include "link/kwp_reply.hpp"

using namespace velkor;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckReply(const KwpReply& reply, std::string_view answer, std::string_view header,
                const KwpReplyKey& key) {
  if (reply.kind == KwpReply::Kind::kNone) {
    Check(reply.position == 0 && reply.whole_length == 0 && reply.data.empty() &&
          reply.declared_bytes == 0 && reply.code == 0);
    return;
  }
  // The format byte stands at an odd (1-based) position, a whole frame ends inside the answer.
  Check(reply.position % 2 == 1 && reply.position + 5 <= answer.size());
  Check(reply.whole_length % 2 == 0);
  Check(reply.position - 1 + reply.whole_length <= answer.size());
  Check((HexToByte(Mid(answer, reply.position, 2)) & 0xC0) == 0x80);
  Check(HexToBytes(Mid(answer, reply.position + 2, 4)) == HexToBytes(header));
  if (reply.whole_length > 0) {
    const std::string body = Mid(answer, reply.position, reply.whole_length - 2);
    const std::string sum = Mid(answer, reply.position + reply.whole_length - 2, 2);
    Check(HexToByte(CheckSum(body)) == HexToByte(sum));
  }

  if (reply.Negative()) {
    Check(reply.code >= 0 && reply.code <= 0xFF && reply.data.empty());
    return;
  }
  Check(reply.data.size() % 2 == 0);
  Check(reply.DataBytes() <= reply.declared_bytes);
  Check(reply.DataBytes() >= key.needed_bytes);
  // Format byte, header and the service byte come first; a whole frame ends with its checksum.
  Check(answer.find(reply.data, reply.position - 1 + 8) != std::string_view::npos);
  if (reply.whole_length > 0) {
    Check(reply.DataBytes() == reply.declared_bytes);
    Check(reply.data.size() + 10 <= reply.whole_length);
  }
  for (std::size_t k = 0; k <= reply.DataBytes() + 1; ++k) {
    Check(reply.Byte(k) >= 0 && reply.Byte(k) <= 0xFF);
    Check(reply.Word(k) >= 0 && reply.Word(k) <= 0xFFFF);
  }
}

}  // namespace

// Input: service, local identifier, flags (bit 0: the key has the local identifier; bits 1 to 7:
// needed bytes), header choice (bit 0: the next four characters are the reply header, otherwise
// F110), then the answer.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  KwpReplyKey key;
  key.service = data[0];
  if (data[2] & 1) key.local_id = data[1];
  key.needed_bytes = data[2] >> 1;
  std::string_view header = "F110";
  std::string_view answer = input.substr(4);
  if ((data[3] & 1) != 0 && answer.size() >= 4) {
    header = answer.substr(0, 4);
    answer = answer.substr(4);
  }

  const KwpReply reply = ReadKwpReply(answer, header, key);
  CheckReply(reply, answer, header, key);

  // Byte 00 is no format byte: ahead of the answer it only moves the reply one byte on.
  const std::string shifted = "00" + std::string(answer);
  const KwpReply moved = ReadKwpReply(shifted, header, key);
  CheckReply(moved, shifted, header, key);
  Check(moved.kind == reply.kind && moved.data == reply.data &&
        moved.declared_bytes == reply.declared_bytes && moved.code == reply.code &&
        moved.whole_length == reply.whole_length &&
        moved.position == (reply.position == 0 ? 0 : reply.position + 2));
  return 0;
}
