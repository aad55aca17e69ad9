#include "diagnostics/actuator_runner.hpp"

#include "core/hex_message.hpp"
#include "link/frame.hpp"
#include "link/kwp_reply.hpp"
#include "link/nack.hpp"

namespace velkor {

namespace {

constexpr LanguageText kGeneralReject{531, "Cause générale"};
constexpr LanguageText kSubFunction{532, "Sous fonction non supportée"};
constexpr LanguageText kConditions{533, "Conditions incorrectes"};
constexpr LanguageText kUnknownCause{534, "Cause inconnue"};
constexpr LanguageText kWarningTitle{883, "Arrêt du test / Test stop"};

}  // namespace

std::string RefusalReason(std::string_view answer, std::string_view reply_header, int service,
                          const Language& language) {
  const KwpReply reply = ReadKwpReply(answer, reply_header, {.service = service});
  if (reply.Negative()) {
    switch (reply.code) {
      case 0x10:
        return language.LookupText(kGeneralReject);
      case 0x12:
        return language.LookupText(kSubFunction);
      case 0x22:
        return language.LookupText(kConditions);
      default:
        break;
    }
  }
  return language.LookupText(kUnknownCause);
}

std::string EngineRefusalText(EngineRun run, const LanguageText& running_text,
                              const Language& language) {
  return run == EngineRun::kRunning ? language.LookupText(running_text)
                                    : language.LookupText(texts_test::kEngineUnknown);
}

ActuatorStart StartActuator(const DiagnosticsServices& s, int id) {
  const std::string local = ByteToHex(id);
  s.clock.Pause(kActuatorPause);
  ActuatorStart result;
  result.answer =
      s.exchange.SendReceive("30" + local + "07", FrameKwp("70" + local + "00", s.link.ReplyHeader),
                             7, kActuatorTimeoutMs);
  const KwpReply reply = ReadKwpReply(result.answer, s.link.ReplyHeader,
                                      {.service = kActuatorService, .local_id = id});
  if (reply.Positive()) {
    result.kind = ActuatorStart::Kind::kStarted;
  } else if (reply.Negative()) {
    result.kind = ActuatorStart::Kind::kRefused;
    result.reason = RefusalReason(result.answer, s.link.ReplyHeader, kActuatorService, s.language);
    DecodeNack(result.answer, s.link.ReplyHeader, s.trace);
  } else {
    result.kind = ActuatorStart::Kind::kNoAnswer;
    result.reason = s.language.LookupText(texts_test::kNoAnswer);
  }
  s.trace.WriteTrace("Test 30" + local + "07 : " + result.answer, true);
  return result;
}

bool StopActuator(const DiagnosticsServices& s, int id) {
  const std::string local = ByteToHex(id);
  const SendDespiteClosing send(s.link);
  for (int attempt = 0; attempt < 2; ++attempt) {
    s.clock.Pause(kActuatorPause);
    const std::string answer = s.exchange.SendReceive(
        "30" + local + "00", FrameKwp("70" + local + "00", s.link.ReplyHeader), 7,
        kActuatorTimeoutMs);
    s.trace.WriteTrace("Fin test 30" + local + "00 : " + answer, true);
    if (ReadKwpReply(answer, s.link.ReplyHeader, {.service = kActuatorService, .local_id = id})
            .Positive()) {
      return true;
    }
  }
  const std::string warning = s.language.LookupText(texts_test::kStopNotConfirmed);
  s.trace.WriteTrace(std::string(texts_test::kStopNotConfirmed.built_in) + " (30" + local + "00)",
                     true);
  s.dialogs.Message(warning, s.language.LookupText(kWarningTitle), Dialogs::Icon::kStop);
  return false;
}

}  // namespace velkor
