#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace velkor::sim {

// What the bench's ECU models hold for the tester's diagnostic windows: the stored trouble
// codes and the identification record of the KWP engine ECU (family 4), the fault rows and the
// identification bytes of the byte families (0 to 3), and the text forms velkor-ecusim reads
// them from.

// A stored trouble code of the KWP engine ECU. The status byte is the one its per-code status
// reply carries: bits 0-3 the cause (1 invalid signal, 2 no signal, 4 short to ground, 8 stuck
// at battery), bits 5-6 the memorisation (00 present, 01 intermittent, 10 stored, 11 not
// stored), bit 7 the dashboard lamp. The counter is the warm-up cycles count the tester shows
// as 64 minus it (0: no count).
struct StoredDtc {
  std::uint16_t code = 0;  // on the wire high byte first: 01 22 is P0122, D6 00 U1600
  std::uint8_t status = 0;
  std::uint8_t counter = 0;
  bool operator==(const StoredDtc&) const = default;
};

// The most codes one "read codes by status" reply can carry: its length byte counts at most
// 255 data bytes, 58 and the count byte then three bytes a code.
inline constexpr std::size_t kMaxStoredDtcs = (255 - 2) / 3;

// The identification record of family 4, the data bytes after 5A 80 of the reply to 1A 80:
// part numbers, versions, approval, repair shop and programming date, with the 00 and AA
// filler bytes real records hold.
inline constexpr std::size_t kKwpIdentificationBytes = 61;
using KwpIdentification = std::array<std::uint8_t, kKwpIdentificationBytes>;
KwpIdentification DefaultKwpIdentification();

// The byte families' fault memory. Row i (0, 1, 2 present; 4, 5, 6 memorised) is a fault-bits
// byte answered at address 0x10 + i and a fault-kind byte at 0x2B + i; row 3 is unused (0x13 is
// the engine status). 00 everywhere: no fault.
inline constexpr std::size_t kFaultRows = 7;
struct ByteFaultRows {
  std::array<std::uint8_t, kFaultRows> bits{};
  std::array<std::uint8_t, kFaultRows> kinds{};
  bool operator==(const ByteFaultRows&) const = default;
};
bool IsFaultRow(std::size_t row);

// Identification bytes of the byte families at addresses 0x17 to 0x28, one per address. The
// 16M's tester reads 17 to 21 as its part number; the 15M's reads 17 to 20 as its part number
// and 21 to 28 as its calibration, skipping 00 and FF.
inline constexpr std::uint8_t kFirstIdentAddress = 0x17;
inline constexpr std::size_t kByteIdentificationBytes = 0x28 - 0x17 + 1;
using ByteIdentification = std::array<std::uint8_t, kByteIdentificationBytes>;
// Part number "28640211A" padded with 00 (17 to 20), calibration "C0412" padded with FF.
ByteIdentification DefaultByteIdentification();

// ---------------------------------------------------------------------------------------------
// Text forms (velkor-ecusim's options). Each gives none for text that is not exactly its form.

// One code "CODE[:STATUS[:COUNTER]]": the code as four hex digits (its two bytes, "0122",
// "D600") or as a tester shows it ("P0122", "U1600"); status and counter as two hex digits each.
// `explicit_status` tells whether a status (and maybe a counter) was given.
struct ParsedDtc {
  StoredDtc dtc;
  bool explicit_status = false;
};
std::optional<ParsedDtc> ParseDtcRecord(std::string_view text);
// Codes separated by commas, in order, each once; the empty text is no code. At most
// kMaxStoredDtcs.
std::optional<std::vector<ParsedDtc>> ParseDtcRecords(std::string_view text);

// Exactly `size` bytes as 2 * size hex digits, either case, no separators.
std::optional<std::vector<std::uint8_t>> ParseHexBytes(std::string_view text, std::size_t size);

// "ROW=BITS[:KIND],...": rows 0, 1, 2, 4, 5, 6, each once, the bytes as two hex digits (KIND
// 00 when left out). Rows not named stay 00.
std::optional<ByteFaultRows> ParseFaultRows(std::string_view text);

}  // namespace velkor::sim
