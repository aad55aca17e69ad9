#include "diagnostics/engine_state.hpp"

#include <string>

#include "core/ecu_family.hpp"
#include "diagnostics/fault_replies.hpp"
#include "link/frame.hpp"
#include "link/kwp_reply.hpp"
#include "livedata/ecu_tables.hpp"

namespace velkor {

namespace {

constexpr double kKwpPause = 0.06;

// Test mode's answers: key on, engine off.
constexpr std::string_view kCannedKwpState = "615702";
constexpr std::string_view kCannedByteStatus = "01";

std::string_view Word(EngineRun run) {
  switch (run) {
    case EngineRun::kStopped:
      return "arrêté";
    case EngineRun::kRunning:
      return "tourne";
    case EngineRun::kUnknown:
      break;
  }
  return "inconnu";
}

}  // namespace

EngineRun KwpEngineRun(std::string_view answer, std::string_view reply_header) {
  const KwpReply reply =
      ReadKwpReply(answer, reply_header,
                   {.service = 0x21, .local_id = kKwpEngineStateLocalId, .needed_bytes = 1});
  if (!reply.Positive()) return EngineRun::kUnknown;
  switch (reply.Byte(0)) {
    case 0x01:
    case 0x02:
      return EngineRun::kStopped;
    case 0x04:
      return EngineRun::kRunning;
    default:
      return EngineRun::kUnknown;
  }
}

EngineRun ByteEngineRun(std::string_view answer) {
  if (answer.size() != 2) return EngineRun::kUnknown;
  const int status = HexToByte(answer);
  if (status < 0) return EngineRun::kUnknown;
  return (status & 0x06) != 0 ? EngineRun::kRunning : EngineRun::kStopped;
}

EngineRun ReadEngineRun(const DiagnosticsServices& s) {
  const int family = s.link.EcuType;
  EngineRun run = EngineRun::kUnknown;
  std::string answer;
  if (family == Iaw59M5AM) {
    s.clock.Pause(kKwpPause);
    answer = s.exchange.SendReceive(EcuRequest(EcuRole::kReadDataLocalId57, family),
                                    FrameKwp(kCannedKwpState, s.link.ReplyHeader),
                                    EcuReplyLength(EcuRole::kReadDataLocalId57, family),
                                    kKwpEngineStateTimeoutMs);
    const std::string frames =
        s.link.interface_kind == InterfaceKind::kElm327 ? ElmHexLines(answer) : answer;
    run = KwpEngineRun(frames, s.link.ReplyHeader);
  } else if (family == Iaw16M || family == Iaw15M || family == Iaw15RC) {
    answer = s.exchange.SendReceive(ByteToHex(kByteEngineStatusRequest),
                                    HexMessage(kCannedByteStatus), 1, kByteEngineStatusTimeoutMs);
    run = ByteEngineRun(answer);
  }
  s.trace.WriteTrace("Etat moteur : " + std::string(Word(run)) + " (" + answer + ")", true);
  return run;
}

}  // namespace velkor
