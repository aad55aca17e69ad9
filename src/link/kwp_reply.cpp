#include "link/kwp_reply.hpp"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace velkor {

namespace {

constexpr int kAddressedFormat = 0x80;  // physical addressing, target and source present
constexpr int kAddressModeMask = 0xC0;
constexpr int kLengthMask = 0x3F;       // 0: a length byte follows the addresses
constexpr int kPositiveOffset = 0x40;   // positive reply service = request service + 0x40
constexpr int kNegativeService = 0x7F;  // 7F <service> <code>

int Digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The whole bytes at the start of `text`: decoding stops at the first pair that is not two hex
// digits (and before a trailing single digit), so nothing past it can be taken for data.
std::vector<int> LeadingBytes(std::string_view text) {
  std::vector<int> bytes;
  bytes.reserve(text.size() / 2);
  for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
    const int high = Digit(text[i]);
    const int low = Digit(text[i + 1]);
    if (high < 0 || low < 0) break;
    bytes.push_back(high * 16 + low);
  }
  return bytes;
}

}  // namespace

int KwpReply::Byte(std::size_t k) const {
  if (k >= DataBytes()) return 0;
  return HexToByte(std::string_view(data).substr(2 * k, 2));
}

int KwpReply::Word(std::size_t k) const { return Byte(k) * 256 + Byte(k + 1); }

KwpReply ReadKwpReply(std::string_view answer, std::string_view reply_header,
                      const KwpReplyKey& key) {
  const std::vector<int> header = LeadingBytes(reply_header);
  if (reply_header.size() != 4 || header.size() != 2) return {};
  const std::vector<int> bytes = LeadingBytes(answer);
  const std::size_t count = bytes.size();
  const int positive = (key.service + kPositiveOffset) & 0xFF;

  for (std::size_t at = 0; at + 3 <= count; ++at) {
    const int format = bytes[at];
    if ((format & kAddressModeMask) != kAddressedFormat) continue;
    if (bytes[at + 1] != header[0] || bytes[at + 2] != header[1]) continue;

    std::size_t first = at + 3;  // first data byte
    std::size_t length = static_cast<std::size_t>(format & kLengthMask);
    if (length == 0) {
      if (first >= count) continue;  // the length byte itself is missing
      length = static_cast<std::size_t>(bytes[first]);
      ++first;
      if (length == 0) continue;
    }
    const std::size_t end = first + length;  // index of the checksum byte
    const bool whole = end < count;
    if (whole) {
      int sum = 0;
      for (std::size_t i = at; i < end; ++i) sum += bytes[i];
      if ((sum & 0xFF) != bytes[end]) continue;
    }
    // Data bytes of this frame that the answer holds.
    const std::size_t present = std::min(length, count - std::min(count, first));
    if (present == 0) continue;

    KwpReply reply;
    reply.position = 2 * at + 1;
    reply.whole_length = whole ? 2 * (end + 1 - at) : 0;
    const int service = bytes[first];

    if (service == kNegativeService) {
      if (length < 3 || present < 2 || bytes[first + 1] != key.service) continue;
      if (present < 3) return {};
      reply.kind = KwpReply::Kind::kNegative;
      reply.code = bytes[first + 2];
      return reply;
    }

    if (service != positive) continue;
    std::size_t skip = 1;
    if (key.local_id) {
      if (length < 2 || present < 2 || bytes[first + 1] != *key.local_id) continue;
      skip = 2;
    }
    const std::size_t declared = length - skip;
    const std::size_t held = present - skip;
    if (held < key.needed_bytes) return {};
    reply.kind = KwpReply::Kind::kPositive;
    reply.declared_bytes = declared;
    reply.data = Mid(answer, 2 * (first + skip) + 1, 2 * held);
    return reply;
  }
  return {};
}

}  // namespace velkor
