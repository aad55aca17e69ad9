#include "adjust/trimmer_15m.hpp"

#include <algorithm>
#include <cmath>

#include "adjust/adjust_services.hpp"
#include "core/hex_message.hpp"
#include "core/number_format.hpp"
#include "diagnostics/engine_state.hpp"

namespace velkor {

namespace t15 = frmTrimmer15;

namespace {

constexpr std::string_view kTitle = "Test Trimmer 15M";
constexpr std::string_view kCaution = "Attention/Caution";
constexpr std::string_view kMesuresCaption = "Mesures";
constexpr std::string_view kStopCaption = "Stop";
constexpr std::string_view kInactive = "--";
constexpr std::string_view kMeasuringStatus =
    "It's not possible to Change Trimmer when Mesures are in action";
constexpr std::string_view kStoppedStatus = "Stop motor OFF to Change Trimmer";
constexpr std::string_view kReadyStatus = "ECU Ready if Motor ON";
constexpr std::string_view kNewValueStatus = "<== New Value, Continue, Save or Abord";

constexpr int kHighPeriod = 0x01, kLowPeriod = 0x02, kThrottle = 0x09, kBattery = 0x0A,
              kTrimmerAddress = 0x0F;
constexpr int kDiagnosticMode = 0xAA, kTrimmerMode = 0x8D, kStore = 0xFF;
constexpr int kModeTimeoutMs = 5000;
constexpr int kValueTimeoutMs = 2000;
constexpr int kMeasureTimeoutMs = 100;
constexpr int kPeriodTimeoutMs = 1000;
constexpr double kRpmFactor = 15000000.0;
constexpr double kRpmLimit = 10000;

}  // namespace

Trimmer15::Trimmer15(ScreenModel& model, Trimmer15Services services)
    : model_(model), s_(std::move(services)) {
  ApplyDesign();
}

Trimmer15::~Trimmer15() = default;

std::string Trimmer15::Text(const LanguageText& text) const {
  return s_.diagnostics.language.LookupText(text.id, text.built_in);
}

std::string Trimmer15::Shown(std::optional<int> raw) const {
  return raw ? std::to_string(*raw - 128) : std::string(kInactive);
}

void Trimmer15::ApplyDesign() {
  model_.SetText(t15::kWindow, std::string(kTitle));
  model_.SetText(t15::frExec, "Change Trimmer");
  model_.SetText(t15::cdAA, "Run");
  model_.SetText(t15::cdSave, "Save");
  model_.SetText(t15::frTrimPlus, "Trim");
  model_.SetText(t15::cdTrim0, "Trim + 1");
  model_.SetText(t15::cdTrim1, "Trim - 1");
  model_.SetText(t15::cdMesures, std::string(kMesuresCaption));
  model_.SetText(t15::cdFin, "Abord - Exit");
  model_.SetText(t15::frRPM, "RPM");
  model_.SetText(t15::frTPS, "TPS");
  model_.SetText(t15::frVolt, "Tension");
  model_.SetText(t15::frTrim, "Trimmer");
  for (std::string_view label : {t15::lbRPM, t15::lbTPS, t15::lbVolt, t15::lbTrim}) {
    model_.SetText(label, std::string(kInactive));
  }
  model_.SetText(t15::lbTrimStaut, "");
  model_.SetColour(t15::shStatut, -1);
  ButtonsIdle();
}

// Nothing adjusts: measurements and Run offered, the trimmer buttons and Save greyed.
void Trimmer15::ButtonsIdle() {
  model_.SetEnabled(t15::frExec, true);
  model_.SetEnabled(t15::cdAA, true);
  model_.SetEnabled(t15::cdMesures, true);
  model_.SetEnabled(t15::cdSave, false);
  model_.SetEnabled(t15::frTrimPlus, false);
  model_.SetEnabled(t15::cdTrim0, false);
  model_.SetEnabled(t15::cdTrim1, false);
  model_.SetEnabled(t15::cdFin, true);
}

bool Trimmer15::Open() {
  if (open_) return true;
  const int family = s_.diagnostics.link.EcuType;
  if ((family != Iaw15M && family != Iaw15RC) || !s_.take_link) return false;
  s_.flags.StopRequest = true;
  hold_ = s_.take_link();
  if (hold_ == nullptr) return false;
  open_ = true;
  closing_ = false;
  mode_ = Mode::kNormal;
  raw_.reset();
  original_.reset();
  ApplyDesign();
  if (view_.show) view_.show();
  return true;
}

std::optional<int> Trimmer15::ReadByte(int request, std::string_view canned, int timeout_ms) {
  const std::string answer =
      s_.diagnostics.exchange.SendReceive(ByteToHex(request), HexMessage(canned), 1, timeout_ms);
  if (answer.size() != 2) return std::nullopt;
  const int byte = HexToByte(answer);
  return byte < 0 ? std::nullopt : std::optional<int>(byte);
}

bool Trimmer15::SendEchoed(int byte, int timeout_ms) {
  const HexMessage sent = ByteToHex(byte);
  return s_.diagnostics.exchange.SendReceive(sent, sent, 1, timeout_ms) == sent;
}

void Trimmer15::ShowTrimmer(std::optional<int> raw) { model_.SetText(t15::lbTrim, Shown(raw)); }

void Trimmer15::PressMesures() {
  if (!open_ || busy_ || closing_) return;
  if (model_.Text(t15::cdMesures) != kStopCaption) {
    if (mode_ != Mode::kNormal || !model_.Enabled(t15::cdMesures)) return;
    s_.flags.StopRequest = true;
    if (!s_.flags.MeasurementIdle) return;
    model_.SetText(t15::cdMesures, std::string(kStopCaption));
    model_.SetEnabled(t15::frExec, false);
    model_.SetEnabled(t15::cdAA, false);
    s_.flags.StopRequest = false;
    Status(std::string(kMeasuringStatus));
    Cycle15M();
    return;
  }
  model_.SetText(t15::cdMesures, std::string(kMesuresCaption));
  s_.flags.StopRequest = true;  // the loop ends at its next check
  Status(std::string(kStoppedStatus));
}

void Trimmer15::Cycle15M() {
  looping_ = true;
  s_.flags.MeasurementIdle = false;
  while (true) {
    s_.diagnostics.loop.GiveTurn();
    if (s_.flags.StopRequest || closing_) break;
    ReadMeasures();
    turns_ = (turns_ + 1) % kLoopModulo;
    if (s_.flags.StopRequest || closing_) break;
  }
  // Whatever ended it, the loop gives the measurements back.
  s_.flags.MeasurementIdle = true;
  looping_ = false;
  model_.SetText(t15::cdMesures, std::string(kMesuresCaption));
  model_.SetEnabled(t15::frExec, true);
  model_.SetEnabled(t15::cdAA, true);
  if (closing_) FinishExit();
}

void Trimmer15::ReadMeasures() {
  const std::optional<int> high = ReadByte(kHighPeriod, "A0", kPeriodTimeoutMs);
  const std::optional<int> low = ReadByte(kLowPeriod, "AA", kPeriodTimeoutMs);
  // A high byte FF is the ECU's "no new value": the last good one stands.
  if (high && *high != 0xFF) high_ = *high;
  if (high && low) {
    const int period = high_ * 256 + *low;
    if (period > 0) {
      const double rpm = kRpmFactor / period;
      rpm_ = rpm > kRpmLimit ? 0 : static_cast<int>(std::floor(rpm / 10)) * 10;
    }
    model_.SetText(t15::lbRPM, FormatNumber(rpm_, "#,##0"));
  } else {
    model_.SetText(t15::lbRPM, std::string(kInactive));
  }
  if (const std::optional<int> t = ReadByte(kThrottle, "10", kMeasureTimeoutMs)) {
    double angle = 0.1848 * *t - 1.41;
    if (angle >= 30) angle = 0.7058 * *t - 90;
    model_.SetText(t15::lbTPS, FormatNumber(std::max(angle, 0.0), "0.0"));
  } else {
    model_.SetText(t15::lbTPS, std::string(kInactive));
  }
  if (const std::optional<int> v = ReadByte(kBattery, "50", kMeasureTimeoutMs)) {
    model_.SetText(t15::lbVolt, FormatNumber(0.0628 * *v, "0.0"));
  } else {
    model_.SetText(t15::lbVolt, std::string(kInactive));
  }
  ShowTrimmer(ReadByte(kTrimmerAddress, "81", kMeasureTimeoutMs));
}

void Trimmer15::PressRun() {
  if (!open_ || busy_ || closing_ || mode_ != Mode::kNormal || !model_.Enabled(t15::cdAA)) {
    return;
  }
  s_.flags.StopRequest = true;
  if (!s_.flags.MeasurementIdle) {
    PressMesures();  // the loop stops first; Run is pressed again once it has
    return;
  }
  busy_ = true;
  Run();
  busy_ = false;
  if (closing_) FinishExit();
}

void Trimmer15::Run() {
  const DiagnosticsServices& d = s_.diagnostics;
  d.loop.GiveTurn();
  if (closing_) return;
  const std::optional<int> raw = ReadByte(kTrimmerAddress, "81", kModeTimeoutMs);
  ShowTrimmer(raw);
  if (closing_) return;
  if (!raw) {
    Status(Text(kNoTrimmer));
    return;
  }
  if (*raw < kMinimumRaw || *raw > kMaximumRaw) {
    // Its value could not be sent back on the way out.
    Status(Text(kOutOfRange) + ByteToHex(*raw));
    return;
  }
  const EngineRun engine = ReadEngineRun(d);
  if (closing_) return;
  if (engine != EngineRun::kStopped) {
    model_.SetColour(t15::shStatut, kRed);
    d.dialogs.Message(Text(engine == EngineRun::kRunning ? kEngineStopped : kEngineUnknown),
                      std::string(kCaution), Dialogs::Icon::kError);
    return;
  }
  model_.SetEnabled(t15::cdMesures, false);
  if (!SendEchoed(kDiagnosticMode, kModeTimeoutMs)) {
    Status(Text(kNoDiagnosticMode));
    ButtonsIdle();
    return;
  }
  mode_ = Mode::kDiagnostic;
  if (closing_) return;
  d.clock.Pause(kBeforeTrimmerMode);
  if (!SendEchoed(kTrimmerMode, kModeTimeoutMs)) {
    // Refused: the diagnostic mode is left, and the window is as before Run.
    Leave();
    ButtonsIdle();
    if (closing_) return;
    d.dialogs.Message("Failed", std::string(kCaution), Dialogs::Icon::kError);
    return;
  }
  mode_ = Mode::kTrimmer;
  original_ = raw;
  raw_ = raw;
  sent_value_ = false;
  if (closing_) return;
  model_.SetEnabled(t15::frTrimPlus, true);
  model_.SetEnabled(t15::cdTrim0, true);
  model_.SetEnabled(t15::cdTrim1, true);
  model_.SetEnabled(t15::cdAA, false);
  model_.SetColour(t15::shStatut, kGreen);
  Status(std::string(kReadyStatus));
  d.dialogs.Message("Motor ON now and click OK", std::string(kCaution), Dialogs::Icon::kError);
  d.beeper.Beep();
}

void Trimmer15::PressTrim(int index) {
  if (!open_ || busy_ || closing_ || mode_ != Mode::kTrimmer || (index != 0 && index != 1) ||
      !model_.Enabled(t15::frTrimPlus)) {
    return;
  }
  busy_ = true;
  Trim(index);
  busy_ = false;
  if (closing_) FinishExit();
}

void Trimmer15::Trim(int index) {
  const DiagnosticsServices& d = s_.diagnostics;
  const int current = *raw_;
  const int next = std::clamp(current + (index == 0 ? 1 : -1), kMinimumRaw, kMaximumRaw);
  if (next == current) {
    Status(Text(kLimit));
    return;
  }
  d.beeper.Beep();
  model_.SetColour(t15::shStatut, kRed);
  sent_value_ = true;
  if (!SendEchoed(next, kValueTimeoutMs)) {
    // What the ECU took is not known: the value shown stays the last one it echoed.
    Status(Text(kNoEcho) + Shown(raw_));
    return;
  }
  raw_ = next;
  ShowTrimmer(raw_);
  model_.SetColour(t15::shStatut, kBlue);
  Status(std::string(kNewValueStatus));
  model_.SetEnabled(t15::cdSave, true);
  d.clock.Pause(kAfterStep);
}

void Trimmer15::PressSave() {
  if (!open_ || busy_ || closing_ || mode_ != Mode::kTrimmer || !model_.Enabled(t15::cdSave)) {
    return;
  }
  busy_ = true;
  Save();
  busy_ = false;
  if (closing_) FinishExit();
}

std::optional<int> Trimmer15::StoreAndReadBack() {
  const DiagnosticsServices& d = s_.diagnostics;
  d.exchange.SendReceive(ByteToHex(kStore), "FF", 1, kValueTimeoutMs);
  d.clock.Pause(kBetweenStores);
  d.exchange.SendReceive(ByteToHex(kStore), "FF", 1, kValueTimeoutMs);
  d.clock.Pause(kAfterStore);
  mode_ = Mode::kNormal;
  return ReadByte(kTrimmerAddress, ByteToHex(raw_.value_or(0x80)), kValueTimeoutMs);
}

void Trimmer15::Save() {
  const int value = *raw_;
  model_.SetColour(t15::shStatut, kYellow);
  const std::optional<int> read_back = StoreAndReadBack();
  ShowTrimmer(read_back);
  ButtonsIdle();
  if (read_back) original_ = read_back;
  if (read_back == value) {
    Status(Text(kStored) + Shown(value));
    s_.diagnostics.trace.WriteTrace("Trimmer 15M mémorisé : " + ByteToHex(value));
  } else {
    model_.SetColour(t15::shStatut, kRed);
    Status(Text(kNotStored) + Shown(read_back));
    s_.diagnostics.trace.WriteTrace("Trimmer 15M non confirmé : " + ByteToHex(value) + " lu " +
                                    (read_back ? ByteToHex(*read_back) : std::string("--")));
  }
}

void Trimmer15::Leave() {
  const DiagnosticsServices& d = s_.diagnostics;
  // The program may be closing: these bytes still go out, before the link is let go.
  SendDespiteClosing open(d.link);
  if (mode_ == Mode::kDiagnostic) {
    // One FF leaves the diagnostic mode; but an 8D whose echo was lost may have entered the
    // trimmer mode, which only FF FF leaves (storing nothing new: no value was sent). In the
    // normal mode FF is no address and goes unanswered. The trimmer read back shows which mode
    // the ECU is in: only the normal mode answers it.
    const std::optional<int> read_back = StoreAndReadBack();
    ShowTrimmer(read_back);
    if (!read_back) Status(Text(kNotRestored) + Shown(read_back));
    return;
  }
  if (mode_ != Mode::kTrimmer) return;
  const int original = *original_;
  // A lost echo leaves unknown what the ECU took: the original goes back whenever anything
  // was sent.
  if (sent_value_ && SendEchoed(original, kValueTimeoutMs)) raw_ = original;
  if (!sent_value_) raw_ = original;
  const std::optional<int> read_back = StoreAndReadBack();
  ShowTrimmer(read_back);
  if (read_back == original) {
    Status(Text(kRestored) + Shown(original));
    d.trace.WriteTrace("Trimmer 15M : valeur d'origine rétablie " + ByteToHex(original));
  } else {
    Status(Text(kNotRestored) + Shown(read_back));
    d.trace.WriteTrace("Trimmer 15M : retour non confirmé, lu " +
                       (read_back ? ByteToHex(*read_back) : std::string("--")));
  }
}

void Trimmer15::PressExit() {
  if (!open_) return;
  closing_ = true;
  s_.flags.StopRequest = true;
  // The exchange or the loop under way finishes the exit when it returns.
  if (busy_ || looping_) return;
  FinishExit();
}

void Trimmer15::FinishExit() {
  if (!open_) return;
  if (mode_ != Mode::kNormal) {
    busy_ = true;
    Leave();
    busy_ = false;
  }
  ButtonsIdle();
  open_ = false;
  closing_ = false;
  hold_.reset();
  if (view_.close) view_.close();
}

}  // namespace velkor
