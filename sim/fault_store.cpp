#include "sim/fault_store.hpp"

#include <algorithm>

#include "core/hex_message.hpp"
#include "sim/family_ecus.hpp"

namespace velkor::sim {

namespace {

// "28640751A  " "IAW59MHW010" 00 "0130DC27   " 00 00 "59MA3 " AA AA AA AA AA "TLC       "
// 20 03 08 28: Ducati and Marelli numbers, hardware version 0, software number and version,
// approval, five bytes not shown, repair shop, programming date 2003-08-28.
constexpr std::string_view kDefaultKwpIdentification =
    "323836343037353141202049415735394D4857303130003031333044433237202020000035394D413320AAAAAA"
    "AAAA544C432020202020202020030828";

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Two hex digits exactly.
std::optional<std::uint8_t> ParseByte(std::string_view text) {
  if (text.size() != 2) return std::nullopt;
  const int high = HexDigit(text[0]);
  const int low = HexDigit(text[1]);
  if (high < 0 || low < 0) return std::nullopt;
  return static_cast<std::uint8_t>(high * 16 + low);
}

// The text split at each comma; none for an empty item (a doubled or trailing comma). The empty
// text gives no item.
std::optional<std::vector<std::string_view>> SplitList(std::string_view text) {
  std::vector<std::string_view> items;
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    const std::string_view item = text.substr(0, comma);
    if (item.empty()) return std::nullopt;
    items.push_back(item);
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
    if (text.empty()) return std::nullopt;
  }
  return items;
}

}  // namespace

KwpIdentification DefaultKwpIdentification() {
  KwpIdentification record{};
  const std::vector<std::uint8_t> bytes = HexToBytes(kDefaultKwpIdentification);
  std::copy_n(bytes.begin(), std::min(bytes.size(), record.size()), record.begin());
  static_assert(kDefaultKwpIdentification.size() == 2 * kKwpIdentificationBytes);
  return record;
}

bool IsFaultRow(std::size_t row) { return row < kFaultRows && row != 3; }

ByteIdentification DefaultByteIdentification() {
  ByteIdentification bytes{};
  constexpr std::string_view kPartNumber = "28640211A";  // 17 to 20, then 00
  constexpr std::string_view kCalibration = "C0412";     // 21 to 28, then FF
  constexpr std::size_t kCalibrationStart = 0x21 - kFirstIdentAddress;
  std::fill(bytes.begin() + kCalibrationStart, bytes.end(), 0xFF);
  std::copy(kPartNumber.begin(), kPartNumber.end(), bytes.begin());
  std::copy(kCalibration.begin(), kCalibration.end(), bytes.begin() + kCalibrationStart);
  return bytes;
}

std::optional<ParsedDtc> ParseDtcRecord(std::string_view text) {
  std::vector<std::string_view> fields;
  while (true) {
    const std::size_t colon = text.find(':');
    fields.push_back(text.substr(0, colon));
    if (colon == std::string_view::npos) break;
    text.remove_prefix(colon + 1);
  }
  if (fields.size() > 3) return std::nullopt;

  ParsedDtc parsed;
  const std::string_view code = fields[0];
  if (code.size() == 4) {
    const std::optional<std::uint8_t> high = ParseByte(code.substr(0, 2));
    const std::optional<std::uint8_t> low = ParseByte(code.substr(2, 2));
    if (!high || !low) return std::nullopt;
    parsed.dtc.code = static_cast<std::uint16_t>(*high << 8 | *low);
  } else if (const std::optional<std::uint16_t> shown = ParseDtc(code)) {
    parsed.dtc.code = *shown;
  } else {
    return std::nullopt;
  }
  if (fields.size() >= 2) {
    const std::optional<std::uint8_t> status = ParseByte(fields[1]);
    if (!status) return std::nullopt;
    parsed.dtc.status = *status;
    parsed.explicit_status = true;
  }
  if (fields.size() == 3) {
    const std::optional<std::uint8_t> counter = ParseByte(fields[2]);
    if (!counter) return std::nullopt;
    parsed.dtc.counter = *counter;
  }
  return parsed;
}

std::optional<std::vector<ParsedDtc>> ParseDtcRecords(std::string_view text) {
  const std::optional<std::vector<std::string_view>> items = SplitList(text);
  if (!items || items->size() > kMaxStoredDtcs) return std::nullopt;
  std::vector<ParsedDtc> records;
  for (std::string_view item : *items) {
    const std::optional<ParsedDtc> record = ParseDtcRecord(item);
    if (!record) return std::nullopt;
    // An ECU stores a code once.
    if (std::any_of(records.begin(), records.end(),
                    [&](const ParsedDtc& r) { return r.dtc.code == record->dtc.code; })) {
      return std::nullopt;
    }
    records.push_back(*record);
  }
  return records;
}

std::optional<std::vector<std::uint8_t>> ParseHexBytes(std::string_view text, std::size_t size) {
  if (text.size() != 2 * size) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i < size; ++i) {
    const std::optional<std::uint8_t> byte = ParseByte(text.substr(2 * i, 2));
    if (!byte) return std::nullopt;
    bytes.push_back(*byte);
  }
  return bytes;
}

std::optional<ByteFaultRows> ParseFaultRows(std::string_view text) {
  const std::optional<std::vector<std::string_view>> items = SplitList(text);
  if (!items) return std::nullopt;
  ByteFaultRows rows;
  std::array<bool, kFaultRows> seen{};
  for (std::string_view item : *items) {
    // One digit, '=', BITS, and maybe ':' KIND.
    if (item.size() != 4 && item.size() != 7) return std::nullopt;
    if (item[1] != '=' || (item.size() == 7 && item[4] != ':')) return std::nullopt;
    const int row = item[0] - '0';
    if (row < 0 || !IsFaultRow(static_cast<std::size_t>(row)) || seen[row]) return std::nullopt;
    seen[row] = true;
    const std::optional<std::uint8_t> bits = ParseByte(item.substr(2, 2));
    const std::optional<std::uint8_t> kind =
        item.size() == 7 ? ParseByte(item.substr(5, 2)) : std::optional<std::uint8_t>(0);
    if (!bits || !kind) return std::nullopt;
    rows.bits[row] = *bits;
    rows.kinds[row] = *kind;
  }
  return rows;
}

}  // namespace velkor::sim
