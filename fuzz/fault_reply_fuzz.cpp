// Feeds arbitrary bytes to the fault answers' decoders, as the cable's hex text and as an
// adapter's own text, and checks what they promise: a code list never holds more codes than its
// count byte or than whole records in the answer, a stray byte ahead of the list changes
// nothing, OBD codes come from whole pairs only (never the 00 00 padding), a CAN answer never
// gives more codes than its count, and an adapter's hex lines are whole bytes of hex digits.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/hex_message.hpp"
#include "diagnostics/fault_replies.hpp"

using namespace velkor;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckCodeList(const std::string& hex) {
  const CodeListReply list = ReadCodeList(hex, "F110");
  Check(static_cast<int>(list.records.size()) <= list.count_byte);
  // Each record's three bytes, after at least 58 and the count, all stand in the answer.
  if (!list.records.empty()) Check(list.records.size() * 3 + 2 <= ByteLength(hex));
  if (list.kind != KwpReply::Kind::kPositive) Check(list.records.empty());
  for (const CodeRecord& r : list.records) {
    Check(r.high >= 0 && r.high <= 255 && r.low >= 0 && r.low <= 255);
    Check(r.status >= 0 && r.status <= 255);
  }
  const CodeListReply shifted = ReadCodeList("00" + hex, "F110");
  Check(shifted.kind == list.kind && shifted.records == list.records &&
        shifted.count_byte == list.count_byte);
}

void CheckObd(const std::string& answer, ObdLink link) {
  for (const int service : {0x01, 0x03, 0x04}) {
    const ObdAnswer reply = ReadObdAnswer(answer, "F110", link, service);
    std::size_t bytes = 0;
    for (const auto& message : reply.messages) bytes += message.size();
    Check(bytes <= answer.size());
    if (reply.refusal) Check(*reply.refusal >= 0 && *reply.refusal <= 255);
    for (const bool can_layout : {false, true}) {
      const auto codes = ReadObdCodes(reply, can_layout);
      Check(codes.size() * 2 <= bytes);
      std::size_t counted = 0;
      for (const auto& message : reply.messages) {
        if (!message.empty()) counted += message[0];
      }
      if (can_layout) Check(codes.size() <= counted);
      for (const auto& [high, low] : codes) Check(high != 0 || low != 0);
    }
    if (const auto mil = ReadMilStatus(reply)) Check(mil->count >= 0 && mil->count <= 127);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> bytes(data, data + size);
  // The cable: the exchange's hex text.
  const std::string hex = BytesToHex(bytes);
  CheckCodeList(hex);
  if (size >= 2) {
    if (const auto status = ReadCodeStatus(hex, "F110", data[0], data[1])) {
      Check(status->status >= 0 && status->status <= 255);
      Check(status->counter >= 0 && status->counter <= 255);
      CheckCodeList(hex);
    }
  }
  const std::string cycles = CyclesText(size > 0 ? data[0] : 0);
  Check(cycles == " - " || (!cycles.empty() && cycles.size() <= 2));
  CheckObd(hex, ObdLink::kKLine);

  // The adapter: its text as it came.
  const std::string text(bytes.begin(), bytes.end());
  CheckObd(text, ObdLink::kElmKLine);
  CheckObd(text, ObdLink::kElmCan);
  ElmRunsCan(text);
  const HexMessage lines = ElmHexLines(text);
  Check(lines.size() % 2 == 0);
  for (const char c : lines) Check(std::isxdigit(static_cast<unsigned char>(c)) != 0);
  CheckCodeList(lines);
  return 0;
}
