#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/kwp_reply.hpp"

namespace velkor {

// ---- 59M / 5AM: KWP2000 services 18 and 17
// -------------------------------------------------------

// One stored code of the list: its two bytes (high first) and its status byte.
struct CodeRecord {
  int high = 0;
  int low = 0;
  int status = 0;
  bool operator==(const CodeRecord&) const = default;
};

// The answer to 18 00 FF 00 (read codes by status, every group):
//   58, the count of codes, then one record (code high, code low, status) per code.
struct CodeListReply {
  KwpReply::Kind kind = KwpReply::Kind::kNone;
  int refusal = 0;     // kNegative: the response code
  int count_byte = 0;  // how many codes the ECU says it holds
  // The whole records the answer holds, at most count_byte of them: a record cut short, or
  // records beyond the count, are never taken for codes.
  std::vector<CodeRecord> records;
};
CodeListReply ReadCodeList(std::string_view answer, std::string_view reply_header);

// The answer to 17 hh ll (status of one code):
//   57, a byte, the code (hh ll), its status, six bytes, the cycle counter.
struct CodeStatus {
  int status = 0;
  int counter = 0;
};
// Nothing unless the answer holds a whole positive reply for this same code.
std::optional<CodeStatus> ReadCodeStatus(std::string_view answer, std::string_view reply_header,
                                         int high, int low);

// Drive cycles since the fault was last seen: the counter counts down from 0x40 when the fault
// goes away, so 64 - counter; " - " for 0 (no count kept) and for a counter above 0x40, which no
// count can give.
std::string CyclesText(int counter);

// ---- EOBD: modes 01 (PID 01), 03 and 04
// ----------------------------------------------------------

// How the OBD answers reach the program: frames on the K-line cable (hex text from the
// exchange), or an ELM327's text (headers on, no spaces) on a K-line or a CAN protocol.
enum class ObdLink { kKLine, kElmKLine, kElmCan };

// What an answer says to one OBD request.
struct ObdAnswer {
  // Every positive message (service + 0x40), its bytes after the service byte, in order: one per
  // frame on a K-line (a mode-03 answer comes as one frame per three codes), one per ECU on CAN.
  std::vector<std::vector<std::uint8_t>> messages;
  std::optional<int> refusal;  // 7F <service> <code>: the code
};
ObdAnswer ReadObdAnswer(std::string_view answer, std::string_view reply_header, ObdLink link,
                        int service);

// Mode 01 PID 01, data byte A: bit 7 the warning lamp, the low seven bits the count of codes.
struct MilStatus {
  bool lamp = false;
  int count = 0;
};
std::optional<MilStatus> ReadMilStatus(const ObdAnswer& answer);

// The codes of a mode-03 answer, two bytes each (high first). K-line layout: three codes a
// message, 00 00 pads the last one; CAN layout: a count byte, then that many codes.
std::vector<std::pair<int, int>> ReadObdCodes(const ObdAnswer& answer, bool can_layout);

// An ELM327's answer to ATDPN (the protocol number, "A" first while it was found by a search):
// true for the CAN protocols (6 to C), false for the others, nothing when the text says neither.
std::optional<bool> ElmRunsCan(std::string_view answer);

// The hex lines of an ELM327's answer, joined: the frames it relays as the K-line cable would
// give them. Echo, prompts, progress lines and failures are left out.
HexMessage ElmHexLines(std::string_view answer);

}  // namespace velkor
