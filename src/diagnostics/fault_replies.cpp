#include "diagnostics/fault_replies.hpp"

#include <algorithm>
#include <cctype>
#include <map>

#include "core/hex_message.hpp"

namespace velkor {

namespace {

constexpr int kReadCodesService = 0x18;
constexpr int kCodeStatusService = 0x17;
constexpr int kRecordBytes = 3;
// Data bytes of a 57 answer after the service byte: a byte, the code, the status, six bytes,
// the counter.
constexpr std::size_t kStatusCodeByte = 1;
constexpr std::size_t kStatusByte = 3;
constexpr std::size_t kCounterByte = 10;
constexpr int kFullCount = 0x40;
constexpr int kNegativeService = 0x7F;
constexpr int kPositiveOffset = 0x40;
constexpr std::uint8_t kIso9141Format = 0x48;  // ISO 9141-2 reply header: 48 6B <source>
constexpr std::uint8_t kIso9141Target = 0x6B;

bool IsHexText(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
  });
}

// The lines of an adapter's answer without blanks, the prompt or line ends.
std::vector<std::string> ElmLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string line;
  for (const char c : text) {
    if (c == '\r' || c == '\n') {
      if (!line.empty()) lines.push_back(std::move(line));
      line.clear();
    } else if (c != ' ' && c != '\t' && c != '>') {
      line.push_back(c);
    }
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

bool ChecksumRight(const std::vector<std::uint8_t>& bytes, std::size_t checksum_at) {
  unsigned sum = 0;
  for (std::size_t i = 0; i < checksum_at; ++i) sum += bytes[i];
  return (sum & 0xFF) == bytes[checksum_at];
}

// The message (service byte first) of one K-line frame as an adapter shows it with headers on:
// a KWP2000 frame (format byte, target, source, [length], data, checksum) or an ISO 9141-2 one
// (48 6B source, data, checksum). Nothing for anything else or a wrong checksum.
std::optional<std::vector<std::uint8_t>> KLineLineMessage(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() < 4) return std::nullopt;
  std::size_t first = 3;
  std::size_t end = 0;  // one past the last data byte
  if ((bytes[0] & 0xC0) == 0x80) {
    std::size_t length = bytes[0] & 0x3F;
    if (length == 0) {
      length = bytes[3];
      first = 4;
    }
    end = std::min(first + length, bytes.size());
    if (first + length < bytes.size() && !ChecksumRight(bytes, first + length)) {
      return std::nullopt;
    }
  } else if (bytes[0] == kIso9141Format && bytes[1] == kIso9141Target) {
    end = bytes.size() - 1;
    if (!ChecksumRight(bytes, end)) return std::nullopt;
  } else {
    return std::nullopt;
  }
  if (first >= end) return std::nullopt;
  return std::vector<std::uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(first),
                                   bytes.begin() + static_cast<std::ptrdiff_t>(end));
}

// The messages of CAN lines as an adapter shows them with headers on and its own formatting:
// the identifier (3 hex digits, or 8 for 29-bit identifiers), the ISO 15765-2 PCI byte(s), the
// data. Single frames give their message at once; a first frame and its consecutive frames from
// the same identifier are put together, as far as they came.
std::vector<std::vector<std::uint8_t>> CanMessages(const std::vector<std::string>& lines) {
  struct Assembly {
    std::size_t total = 0;
    std::vector<std::uint8_t> data;
  };
  std::vector<std::vector<std::uint8_t>> messages;
  std::map<std::string, Assembly> open;
  std::vector<std::string> order;
  for (const std::string& line : lines) {
    if (!IsHexText(line)) continue;
    const std::size_t header_digits = line.size() % 2 == 1 ? 3 : 8;
    if (line.size() <= header_digits) continue;
    const std::string id = line.substr(0, header_digits);
    const std::vector<std::uint8_t> bytes =
        HexToBytes(std::string_view(line).substr(header_digits));
    if (bytes.empty()) continue;
    const int kind = bytes[0] >> 4;
    if (kind == 0) {  // single frame
      const std::size_t length = std::min<std::size_t>(bytes[0] & 0x0F, bytes.size() - 1);
      if (length > 0) messages.emplace_back(bytes.begin() + 1, bytes.begin() + 1 + length);
    } else if (kind == 1 && bytes.size() >= 2) {  // first frame
      Assembly& a = open[id];
      a.total = static_cast<std::size_t>(((bytes[0] & 0x0F) << 8) | bytes[1]);
      a.data.assign(bytes.begin() + 2, bytes.end());
      if (std::find(order.begin(), order.end(), id) == order.end()) order.push_back(id);
    } else if (kind == 2) {  // consecutive frame
      const auto it = open.find(id);
      if (it != open.end())
        it->second.data.insert(it->second.data.end(), bytes.begin() + 1, bytes.end());
    }
  }
  for (const std::string& id : order) {
    Assembly& a = open[id];
    if (a.data.size() > a.total) a.data.resize(a.total);
    if (!a.data.empty()) messages.push_back(std::move(a.data));
  }
  return messages;
}

}  // namespace

CodeListReply ReadCodeList(std::string_view answer, std::string_view reply_header) {
  const KwpReply reply =
      ReadKwpReply(answer, reply_header, {.service = kReadCodesService, .needed_bytes = 1});
  CodeListReply list;
  list.kind = reply.kind;
  if (reply.Negative()) list.refusal = reply.code;
  if (!reply.Positive()) return list;
  list.count_byte = reply.Byte(0);
  const std::size_t whole = (reply.DataBytes() - 1) / kRecordBytes;
  const std::size_t taken = std::min(whole, static_cast<std::size_t>(list.count_byte));
  for (std::size_t i = 0; i < taken; ++i) {
    const std::size_t at = 1 + i * kRecordBytes;
    list.records.push_back({reply.Byte(at), reply.Byte(at + 1), reply.Byte(at + 2)});
  }
  return list;
}

std::optional<CodeStatus> ReadCodeStatus(std::string_view answer, std::string_view reply_header,
                                         int high, int low) {
  const KwpReply reply = ReadKwpReply(
      answer, reply_header, {.service = kCodeStatusService, .needed_bytes = kCounterByte + 1});
  if (!reply.Positive()) return std::nullopt;
  if (reply.Byte(kStatusCodeByte) != high || reply.Byte(kStatusCodeByte + 1) != low) {
    return std::nullopt;
  }
  return CodeStatus{reply.Byte(kStatusByte), reply.Byte(kCounterByte)};
}

std::string CyclesText(int counter) {
  if (counter <= 0 || counter > kFullCount) return " - ";
  return std::to_string(kFullCount - counter);
}

ObdAnswer ReadObdAnswer(std::string_view answer, std::string_view reply_header, ObdLink link,
                        int service) {
  ObdAnswer result;
  if (link == ObdLink::kKLine) {
    std::string_view rest = answer;
    while (!rest.empty()) {
      const KwpReply reply = ReadKwpReply(rest, reply_header, {.service = service});
      if (reply.Negative()) {
        result.refusal = reply.code;
        break;
      }
      if (!reply.Positive()) break;
      result.messages.push_back(HexToBytes(reply.data));
      if (reply.whole_length == 0) break;  // cut short: nothing can follow it
      rest.remove_prefix(reply.position - 1 + reply.whole_length);
    }
    return result;
  }

  const std::vector<std::string> lines = ElmLines(answer);
  std::vector<std::vector<std::uint8_t>> messages;
  if (link == ObdLink::kElmCan) {
    messages = CanMessages(lines);
  } else {
    for (const std::string& line : lines) {
      if (!IsHexText(line) || line.size() % 2 != 0) continue;
      if (auto message = KLineLineMessage(HexToBytes(line)))
        messages.push_back(std::move(*message));
    }
  }
  const int positive = (service + kPositiveOffset) & 0xFF;
  for (const auto& message : messages) {
    if (message[0] == positive) {
      result.messages.emplace_back(message.begin() + 1, message.end());
    } else if (message[0] == kNegativeService && message.size() >= 3 && message[1] == service &&
               !result.refusal) {
      result.refusal = message[2];
    }
  }
  return result;
}

std::optional<MilStatus> ReadMilStatus(const ObdAnswer& answer) {
  for (const auto& message : answer.messages) {
    if (message.size() >= 2 && message[0] == 0x01) {
      return MilStatus{(message[1] & 0x80) != 0, message[1] & 0x7F};
    }
  }
  return std::nullopt;
}

std::vector<std::pair<int, int>> ReadObdCodes(const ObdAnswer& answer, bool can_layout) {
  std::vector<std::pair<int, int>> codes;
  for (const auto& message : answer.messages) {
    std::size_t from = 0;
    std::size_t limit = message.size();
    if (can_layout) {
      if (message.empty()) continue;
      from = 1;
      limit = std::min(message.size(), 1 + 2 * static_cast<std::size_t>(message[0]));
    }
    for (std::size_t i = from; i + 1 < limit; i += 2) {
      if (message[i] == 0 && message[i + 1] == 0) continue;  // padding of the last frame
      codes.emplace_back(message[i], message[i + 1]);
    }
  }
  return codes;
}

std::optional<bool> ElmRunsCan(std::string_view answer) {
  for (std::string line : ElmLines(answer)) {
    if (line.size() == 2 && (line[0] == 'A' || line[0] == 'a')) line.erase(0, 1);
    if (line.size() != 1) continue;
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(line[0])));
    if (c >= '1' && c <= '5') return false;
    if ((c >= '6' && c <= '9') || (c >= 'A' && c <= 'C')) return true;
  }
  return std::nullopt;
}

HexMessage ElmHexLines(std::string_view answer) {
  HexMessage hex;
  for (const std::string& line : ElmLines(answer)) {
    if (!IsHexText(line) || line.size() % 2 != 0) continue;
    for (const char c : line)
      hex.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  }
  return hex;
}

}  // namespace velkor
