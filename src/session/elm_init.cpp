#include "session/elm_init.hpp"

#include <cctype>
#include <string>

#include "core/hex_message.hpp"
#include "livedata/frmparam.hpp"
#include "session/window_controls.hpp"

namespace velkor {

namespace {

struct ElmStep {
  const char* command;
  int timeout_ms;
};

// Reset, no spaces, no line feeds, headers shown, no echo: the answers then come as bare hex
// text with the frame header, which is what the checks below look for.
constexpr ElmStep kConfiguration[] = {
    {"ATZ", 2000}, {"ATS0", 400}, {"ATL0", 400}, {"ATH1", 400}, {"ATE0", 400},
};

// Header of the positive engine-data reply: format byte 0x96 (22 data bytes), F1, 10, 61 A0.
constexpr const char* kEngineDataReply = "96F11061A0";

// The exchange ends the command with its single CR: anything more would reach the adapter while
// it works on the command (which stops it) or as a lone CR (which runs the command again).
std::string Send(ElmInitContext& c, const std::string& command, int timeout_ms) {
  return c.exchange.SendReceive(command, "", 0, timeout_ms);
}

void TraceStep(ElmInitContext& c, int number, const std::string& command,
               const std::string& answer) {
  c.trace.WriteTrace(std::to_string(number) + " :" + command + ": " + answer);
}

bool Contains(const std::string& text, const char* pattern) {
  return text.find(pattern) != std::string::npos;
}

// "BUS INIT: ...OK" and "BUS INIT: ...ERROR" both hold "BUS INIT"; only the first one is a
// woken ECU.
bool BusInitSucceeded(const std::string& answer) {
  const std::size_t at = answer.find("BUS INIT");
  if (at == std::string::npos) return false;
  const std::size_t line_end = answer.find_first_of("\r\n", at);
  const std::string line =
      answer.substr(at, line_end == std::string::npos ? line_end : line_end - at);
  return Contains(line, "OK") && !Contains(line, "ERROR");
}

// The first steps of both starts: reset and configure, then select the protocol.
void Configure(ElmInitContext& c, const char* protocol_command) {
  c.trace.WriteTrace("Ouverture réussie", true);
  int number = 1;
  for (const ElmStep& step : kConfiguration) {
    const std::string answer = Send(c, step.command, step.timeout_ms);
    if (number == 1) c.trace.WriteTrace("Il va y avoir 7 commandes");
    TraceStep(c, number++, step.command, answer);
  }
  TraceStep(c, number, protocol_command, Send(c, protocol_command, 400));
}

// The name is 11 bytes of ASCII after the identification reply's header. Bytes that are not
// hex pairs, or control characters (padding, an adapter message), are left out of it.
std::string EcuName(const std::string& answer, const HexMessage& reply_header) {
  // Without the record the name is whatever stands where it would after a bare header, as in
  // the start over a K-line cable.
  const std::size_t at = InStr(answer, reply_header + "5A92");
  const std::string digits = Mid(answer, at != 0 ? at + 8 : 9, 22);
  std::string name;
  for (std::size_t i = 0; i + 1 < digits.size(); i += 2) {
    const std::string pair = digits.substr(i, 2);
    if (!std::isxdigit(static_cast<unsigned char>(pair[0])) ||
        !std::isxdigit(static_cast<unsigned char>(pair[1]))) {
      continue;
    }
    const int value = HexToByte(pair);
    if (value >= 0x20) name.push_back(static_cast<char>(value));
  }
  return name;
}

// A positive answer to "0100" is 41 00 and the supported-PID bitmap, after the frame header when
// headers are on: looked for on byte boundaries of each answer line.
bool HoldsPositiveSupportedPids(const std::string& answer) {
  std::size_t start = 0;
  while (start < answer.size()) {
    std::size_t end = answer.find_first_of("\r\n", start);
    if (end == std::string::npos) end = answer.size();
    std::string line;
    for (std::size_t i = start; i < end; ++i) {
      if (answer[i] != ' ') line.push_back(answer[i]);
    }
    for (std::size_t i = 0; i + 4 <= line.size(); i += 2) {
      if (line.compare(i, 4, "4100") == 0) return true;
    }
    start = end + 1;
  }
  return false;
}

void DiscardInput(ElmInitContext& c) {
  if (c.port != nullptr && c.port->IsOpen()) c.port->ReadAll();
}

}  // namespace

bool InitComELM(ElmInitContext& c) {
  bool result = false;
  Configure(c, "ATSPA5");

  c.clock.Pause(0.5);
  std::string answer = Send(c, "21A0", 2000);
  TraceStep(c, 7, "21A0", answer);
  if (BusInitSucceeded(answer)) result = true;

  answer = Send(c, "21A0", 2000);
  if (Contains(answer, kEngineDataReply)) result = true;
  TraceStep(c, 8, "21A0", answer);
  // Still searching for the protocol, or interrupted: one more try with a longer wait.
  if (Contains(answer, "SEARCH") || Contains(answer, "STOPP")) answer = Send(c, "21A0", 3000);
  if (Contains(answer, kEngineDataReply)) result = true;

  answer = Send(c, "1A92", 1000);
  const std::string name = EcuName(answer, c.state.ReplyHeader);
  c.screen.SetText(frmparam::lbPanel5, name);
  c.trace.WriteTrace("Type ECU : " + name);
  c.ecu_name = name;
  ShowStepperControls(c.screen, c.measures, HasStepperMotor(name), /*with_lambda=*/true);

  Send(c, "81", 400);
  // The adapter adds the checksum to the wake-up message itself.
  Send(c, "ATWM 8110F13E", 400);
  Send(c, "8302", 400);
  DiscardInput(c);
  return result;
}

bool InitComELMEobd(ElmInitContext& c) {
  Configure(c, "ATSP0");
  c.clock.Pause(0.5);
  // An automatic search tries several protocols and may take seconds.
  std::string answer = Send(c, "0100", 5000);
  TraceStep(c, 7, "0100", answer);
  // Interrupted, or still searching when the wait ran out (no prompt yet): one more try. A
  // search that ended without a connection is final.
  const bool unfinished =
      Contains(answer, "STOPP") || (Contains(answer, "SEARCH") && !Contains(answer, ">"));
  if (!HoldsPositiveSupportedPids(answer) && unfinished) {
    answer = Send(c, "0100", 5000);
    TraceStep(c, 8, "0100", answer);
  }
  const bool result = HoldsPositiveSupportedPids(answer);
  ShowStepperControls(c.screen, c.measures, /*has_stepper=*/false, /*with_lambda=*/true);
  DiscardInput(c);
  return result;
}

}  // namespace velkor
