#include "adjust/stepper_test.hpp"

#include "core/ecu_family.hpp"
#include "core/hex_message.hpp"
#include "core/number_format.hpp"
#include "link/frame.hpp"
#include "link/kwp_reply.hpp"
#include "link/nack.hpp"
#include "livedata/ecu_tables.hpp"
#include "livedata/frmparam.hpp"

namespace velkor {

namespace fp = frmparam;

namespace {

constexpr int kStepperLocalId = 0x04;
constexpr int kPositionLocalId = 0x6C;
constexpr int kReadService = 0x21;
constexpr int kIoControlService = 0x30;
constexpr int kStartParameter = 0x07;
constexpr int kStopParameter = 0x00;
constexpr std::string_view kInactive = "--";
// Read of local identifier 6C: 83 <header> 61 6C <position> <checksum>.
constexpr const char* kPositionRequest = "216C";
constexpr int kPositionLength = 7;

}  // namespace

StepperTest::StepperTest(AdjustServices services, Timer& timer) : s_(services), ticker_(timer) {
  ticker_.SetOnTick([this](int count) { Tick(count); });
  ticker_.SetOnEnd([this] { Ended(); });
}

std::string StepperTest::Text(const LanguageText& text) const {
  return s_.language.LookupText(text.id, text.built_in);
}

bool StepperTest::SwitchOn() const {
  return s_.link.EcuType == Iaw59M5AM && s_.window.Visible(fp::frMoteurPP) &&
         s_.window.Enabled(fp::lbMoteurPP);
}

void StepperTest::EnableButton() {
  s_.window.SetEnabled(fp::cdMoteurPP, SwitchOn() && !requested_ && !running_ && !stop_owed_);
}

void StepperTest::Press() {
  if (!s_.window.Enabled(fp::cdMoteurPP) || !SwitchOn() || requested_ || running_) return;
  requested_ = true;
  s_.window.SetEnabled(fp::cdMoteurPP, false);
}

void StepperTest::RunStarting() {
  requested_ = false;
  EnableButton();
}

void StepperTest::RunEnded() {
  requested_ = false;
  if (running_ || stop_owed_) {
    ticker_.Stop();
    running_ = false;
    s_.window.SetValue(fp::ProgressBar1, 0);
    // The run may end because the program closes: the stop still goes out before the
    // session's closing frames.
    SendDespiteClosing open(s_.link);
    SendStop();
  }
  EnableButton();
}

void StepperTest::Exit() {
  requested_ = false;
  if (!running_ && !stop_owed_) return;
  // An exchange under way (the cycle's, in whose turn the window closed) keeps the link: the
  // stop then goes out when the run ends, right after it.
  if (s_.link.ExchangeBusy) {
    ticker_.Stop();
    stop_owed_ = true;
    running_ = false;
    return;
  }
  ticker_.Stop();
  running_ = false;
  SendStop();
}

std::string StepperTest::GestionMoteurPP(int displayed_rpm) {
  if (!SwitchOn()) return std::string(kInactive);
  const std::string& rh = s_.link.ReplyHeader;
  if (stop_owed_) SendStop();

  s_.clock.Pause(kRequestGap);
  const std::string answer = s_.exchange.SendReceive(kPositionRequest, FrameKwp("616C96", rh),
                                                     kPositionLength, kPositionTimeoutMs);
  const KwpReply position = ReadKwpReply(
      answer, rh, {.service = kReadService, .local_id = kPositionLocalId, .needed_bytes = 1});
  // No answer is no position, not position 0.
  std::string text =
      position.Positive() ? std::to_string(position.Byte(0)) : std::string(kInactive);

  if (displayed_rpm > kStartAbove && requested_) StartTest();
  return text;
}

void StepperTest::StartTest() {
  requested_ = false;
  const std::string& rh = s_.link.ReplyHeader;
  s_.clock.Pause(kRequestGap);
  const HexMessage request =
      WithLocalIdentifier(EcuRequest(EcuRole::kActuatorTestStart, Iaw59M5AM), kStepperLocalId);
  const std::string answer = s_.exchange.SendReceive(
      request, FrameKwp("700407", rh), EcuReplyLength(EcuRole::kActuatorTestStart, Iaw59M5AM),
      kTestTimeoutMs);
  const KwpReply reply = ReadKwpReply(
      answer, rh, {.service = kIoControlService, .local_id = kStepperLocalId, .needed_bytes = 1});
  if (reply.Positive() && reply.Byte(0) == kStartParameter) {
    running_ = true;
    s_.window.SetValue(fp::ProgressBar1, 0);
    s_.window.SetText(fp::Lbtest, "0");
    ticker_.Start(kTicks);
    s_.trace.WriteTrace("Test Stepper : en cours");
    return;
  }
  const std::string reason = reply.Negative() ? NackText(ByteToHex(reply.code)) : Text(kNoAnswer);
  s_.window.SetText(fp::lbPanel1, Text(kRefused) + reason);
  s_.trace.WriteTrace("Test Stepper refusé : " + reason);
  EnableButton();
}

void StepperTest::Tick(int count) {
  s_.window.SetValue(fp::ProgressBar1, count * 100 / kTicks);
  s_.window.SetText(fp::Lbtest, FormatNumber(count * ProgressTicker::kTickMs / 1000.0, "0"));
}

void StepperTest::Ended() {
  s_.window.SetValue(fp::ProgressBar1, 0);
  running_ = false;
  // A tick comes in a turn, maybe inside the cycle's exchange: the stop goes out at the next
  // pass, where the link is free.
  stop_owed_ = true;
}

bool StepperTest::SendStop() {
  stop_owed_ = false;
  const std::string& rh = s_.link.ReplyHeader;
  s_.clock.Pause(kRequestGap);
  const HexMessage request =
      WithLocalIdentifier(EcuRequest(EcuRole::kActuatorTestEnd, Iaw59M5AM), kStepperLocalId);
  const std::string answer =
      s_.exchange.SendReceive(request, FrameKwp("700400", rh),
                              EcuReplyLength(EcuRole::kActuatorTestEnd, Iaw59M5AM), kTestTimeoutMs);
  const KwpReply reply = ReadKwpReply(
      answer, rh, {.service = kIoControlService, .local_id = kStepperLocalId, .needed_bytes = 1});
  const bool stopped = reply.Positive() && reply.Byte(0) == kStopParameter;
  s_.trace.WriteTrace(stopped ? "Test Stepper : arrêté" : "Test Stepper : arrêt non confirmé");
  EnableButton();
  return stopped;
}

}  // namespace velkor
