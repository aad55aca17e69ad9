#include "diagnostics/actuator_panel_59.hpp"

#include "core/ecu_family.hpp"
#include "core/hex_message.hpp"
#include "diagnostics/fault_window_59.hpp"
#include "link/frame.hpp"
#include "link/kwp_reply.hpp"

namespace velkor {

const ActuatorTest59 kActuatorTests59[kActuatorTestCount] = {
    {"rev-counter",
     {540, "Compte Tour"},
     {550, "Vérifiez que le compte tour monte à 3750 tr/mn."},
     0x06,
     2,
     10},
    {"fuel-pump",
     {541, "Pompe à essence"},
     {551, "Vérifiez que vous entendez la pompe à essence."},
     0x05,
     30,
     150},
    {"coil-1", {542, "Bobine 1"}, {552, "Test bobine cylindre horizontal"}, 0x02, 5, 25},
    {"coil-2", {543, "Bobine 2"}, {553, "Test bobine cylindre Vertical"}, 0x03, 5, 25},
    {"injector-1", {544, "Injecteur 1"}, {554, "Test injecteur cylindre horizontal"}, 0x08, 5, 25},
    {"injector-2", {545, "Injecteur 2"}, {555, "Test injecteur cyindre Vertical"}, 0x09, 5, 25},
    {"fan-1", {546, "Ventilateur 1"}, {556, "Test ventilateur 1"}, 0x0E, 10, 50},
    {"fan-2", {547, "Ventilateur 2"}, {557, "Test ventilateur 2"}, 0x0D, 10, 50},
    {"immobiliser", {564, "AntiDemarrage"}, {572, "Statut Antidémarrage"}, -1, 1, 1},
};

namespace {

namespace w = FrmDTC59;

constexpr std::string_view kLineEnd = "\r\n";
constexpr LanguageText kStartCaption{527, "Lancer le test"};
constexpr LanguageText kStopCaption{528, "Arrêter le test"};
constexpr LanguageText kFrameCaption{535, "Test actif des composants"};
constexpr LanguageText kChooseCaption{536, "Choississez votre test"};
constexpr LanguageText kSystemOk{563, "Système OK"};
// The immobiliser status bits, in the order they are shown; bit 3 shows nothing.
struct StatusBit {
  int bit;
  LanguageText text;
};
constexpr StatusBit kImmobiliserBits[] = {
    {0, {565, "ECU Vierge"}},         {1, {566, "ECU Bloqué"}},      {2, {567, "Code Universel"}},
    {4, {568, "Recu Backdoor code"}}, {5, {569, "Erreur code key"}}, {6, {571, "Code Non Noto"}},
    {7, {570, "Aucun code reçu"}},
};
constexpr std::string_view kCautionTitle = "Attention/Caution";
constexpr std::string_view kTpsErrorTitle = "Reset TPS Error";
constexpr std::string_view kCanNote = "même si l'aiguille n'a pas bougé (Bus CAN)";
constexpr std::string_view kFiveAm = "IAW5A";
constexpr int kRevCounterId = 0x06;

constexpr int kImmobiliserTimeoutMs = 1000;
constexpr int kRoutineTimeoutMs = 500;
constexpr int kServiceTimeoutMs = 1000;
constexpr double kImmobiliserSettle = 0.5;
constexpr double kRoutineGap = 0.3;

}  // namespace

ActuatorPanel59::ActuatorPanel59(ScreenModel& window, DiagnosticsServices services, Timer& timer,
                                 LinkHold& hold)
    : window_(window), services_(services), ticker_(timer), hold_(hold) {
  ticker_.SetOnTick(
      [this](int count) { window_.SetValue(w::ProgressBar1, count * ProgressTicker::kTickMs); });
  ticker_.SetOnEnd([this] {
    if (routine_ != Routine::kNone) {
      RoutineEnded();
    } else {
      EndTest(Exit::kRanOut);
    }
  });
}

std::string ActuatorPanel59::Text(const LanguageText& text) const {
  return services_.language.LookupText(text);
}

bool ActuatorPanel59::Allowed() const { return services_.link.EcuType == Iaw59M5AM; }

void ActuatorPanel59::Append(const std::string& line) {
  description_ += kLineEnd;
  description_ += line;
  window_.SetText(w::LDescription, description_);
}

void ActuatorPanel59::Load(std::string_view ecu_name) {
  // The window reopened while a stop still waits for the line: the panel stays as it is until
  // that stop has gone out.
  if (busy_) return;
  five_am_ = ecu_name.find(kFiveAm) != std::string_view::npos;
  window_.SetText(w::FrameTestActif, Text(kFrameCaption));
  window_.SetText(w::Label1, Text(kChooseCaption));
  window_.SetText(w::CdeStartTest, Text(kStartCaption));
  std::vector<std::string> items;
  for (const ActuatorTest59& test : kActuatorTests59) items.push_back(Text(test.name));
  window_.SetItems(w::ComboChoixTest, std::move(items));
  window_.SetValue(w::ComboChoixTest, -1);
  description_.clear();
  window_.SetText(w::LDescription, "");
  window_.SetText(w::LMin, "0");
  window_.SetText(w::LMax, "");
  window_.SetRange(w::ProgressBar1, 0, 1000);
  window_.SetValue(w::ProgressBar1, 0);
  window_.SetVisible(w::frConfirm, false);
  window_.SetText(w::lbCaution,
                  "Caution\rThe Reset TPS is not described in the Workshop Manual of M59");
  if (!Allowed()) {
    // EOBD engines have no such tests: the area stays greyed.
    for (const std::string_view control :
         {w::FrameTestActif, w::Label1, w::ComboChoixTest, w::CdeStartTest, w::LDescription,
          w::ProgressBar1, w::LMin, w::LMax, w::frResetM5, w::cdresetTPS, w::cdService}) {
      window_.SetEnabled(control, false);
    }
    window_.SetVisible(w::lbCaution, false);
    return;
  }
  for (const std::string_view control : {w::FrameTestActif, w::Label1, w::ComboChoixTest,
                                         w::LDescription, w::ProgressBar1, w::LMin, w::LMax}) {
    window_.SetEnabled(control, true);
  }
  window_.SetEnabled(w::CdeStartTest, false);
  window_.SetVisible(w::lbCaution, !five_am_);
  ShowIdle();
}

void ActuatorPanel59::ShowIdle() {
  const bool family4 = Allowed();
  window_.SetText(w::CdeStartTest, Text(kStartCaption));
  window_.SetValue(w::ProgressBar1, 0);
  window_.SetEnabled(w::FrameTestActif, family4);
  window_.SetEnabled(w::ComboChoixTest, family4);
  const int choice = window_.Value(w::ComboChoixTest);
  window_.SetEnabled(w::CdeStartTest, family4 && choice >= 0 && choice < kActuatorTestCount);
  window_.SetEnabled(w::frResetM5, family4);
  window_.SetEnabled(w::cdresetTPS, family4);
  window_.SetEnabled(w::cdService, family4 && five_am_);
}

void ActuatorPanel59::Lock() {
  for (const std::string_view control :
       {w::ComboChoixTest, w::frResetM5, w::cdresetTPS, w::cdService}) {
    window_.SetEnabled(control, false);
  }
}

void ActuatorPanel59::Choose(int index) {
  if (busy_ || !Allowed() || index < 0 || index >= kActuatorTestCount) return;
  const ActuatorTest59& test = kActuatorTests59[index];
  ticker_.Stop();
  window_.SetValue(w::ComboChoixTest, index);
  window_.SetText(w::CdeStartTest, Text(kStartCaption));
  window_.SetEnabled(w::CdeStartTest, true);
  description_ = Text(test.description);
  window_.SetText(w::LDescription, description_);
  window_.SetRange(w::ProgressBar1, 0, test.ticks * ProgressTicker::kTickMs);
  window_.SetValue(w::ProgressBar1, 0);
  window_.SetText(w::LMax, std::to_string(test.seconds) + "s");
}

void ActuatorPanel59::PressStart() {
  if (!busy_) outcome_ = PanelOutcome::kNone;
  if (running_test_) {
    EndTest(Exit::kStopButton);
    return;
  }
  if (in_start_) {
    // Stop pressed while the start is on its way: the stop follows its answer.
    exit_pending_ = true;
    pending_why_ = Exit::kStopButton;
    return;
  }
  if (busy_ || !Allowed()) return;
  // The test is the one on show in the list now, whatever a routine used before.
  const int index = window_.Value(w::ComboChoixTest);
  if (index < 0 || index >= kActuatorTestCount) return;
  if (index == kImmobiliserIndex) {
    ReadImmobiliser();
  } else {
    StartTest(index);
  }
}

void ActuatorPanel59::Begin() {
  busy_ = true;
  exit_pending_ = false;
  lost_ = false;
  outcome_ = PanelOutcome::kRunning;
  message_.clear();
  Lock();
  window_.SetEnabled(w::CdeStartTest, false);
}

void ActuatorPanel59::BeginRoutine() {
  Begin();
  window_.SetEnabled(w::FrameTestActif, false);
  window_.SetRange(w::ProgressBar1, 0, kRoutineTicks * ProgressTicker::kTickMs);
  window_.SetValue(w::ProgressBar1, 0);
  window_.SetText(w::LMax, "7s");
  description_.clear();
  window_.SetText(w::LDescription, "");
  hold_.KeepAlive([this] { Lost(); }, [this] { Idle(); });
}

bool ActuatorPanel59::RoutineMayGo(const LanguageText& question, std::string_view title,
                                   std::string_view engine_title) {
  const bool confirmed =
      services_.dialogs.AskOkCancel(Text(question), std::string(title), Dialogs::Icon::kStop);
  if (lost_) return false;  // Lost() has ended it
  if (exit_pending_) {
    Finish(PanelOutcome::kStopped);
    return false;
  }
  if (!confirmed) {
    Finish(PanelOutcome::kCancelled);
    return false;
  }
  if (!EngineStopped(texts_test::kEngineMustBeStopped, engine_title)) {
    Finish(PanelOutcome::kInterlocked);
    return false;
  }
  if (lost_) return false;
  if (exit_pending_) {
    Finish(PanelOutcome::kStopped);
    return false;
  }
  return true;
}

std::string ActuatorPanel59::Failure(std::string_view answer, const KwpReply& reply,
                                     int service) const {
  return Text(kTestFailed) + (reply.Negative() ? RefusalReason(answer, services_.link.ReplyHeader,
                                                               service, services_.language)
                                               : Text(texts_test::kNoAnswer));
}

bool ActuatorPanel59::EngineStopped(const LanguageText& running_text, std::string_view title) {
  const EngineRun run = ReadEngineRun(services_);
  if (run == EngineRun::kStopped) return true;
  message_ = EngineRefusalText(run, running_text, services_.language);
  Append(message_);
  services_.dialogs.Message(message_, std::string(title), Dialogs::Icon::kWarning);
  return false;
}

void ActuatorPanel59::StartTest(int index) {
  if (!hold_.Take()) return;
  const ActuatorTest59& test = kActuatorTests59[index];
  Begin();
  description_ = Text(test.description);
  window_.SetText(w::LDescription, description_);
  window_.SetRange(w::ProgressBar1, 0, test.ticks * ProgressTicker::kTickMs);
  window_.SetText(w::LMax, std::to_string(test.seconds) + "s");
  if (!EngineStopped(texts_test::kEngineMustBeStopped, kCautionTitle)) {
    Finish(PanelOutcome::kInterlocked);
    return;
  }
  if (exit_pending_) {
    Finish(PanelOutcome::kStopped);
    return;
  }
  window_.SetText(w::CdeStartTest, Text(kStopCaption));
  window_.SetEnabled(w::CdeStartTest, true);
  in_start_ = true;
  const ActuatorStart start = StartActuator(services_, test.id);
  in_start_ = false;
  switch (start.kind) {
    case ActuatorStart::Kind::kStarted:
      Append(Text(kTestOk));
      if (five_am_ && test.id == kRevCounterId) Append(std::string(kCanNote));
      running_test_ = index;
      if (exit_pending_) {
        EndTest(pending_why_);
        return;
      }
      ticker_.Start(test.ticks);
      hold_.KeepAlive([this] { Lost(); }, [this] { Idle(); });
      return;
    case ActuatorStart::Kind::kRefused:
      message_ = Text(kTestFailed) + start.reason;
      Append(message_);
      Finish(PanelOutcome::kRefused);
      return;
    case ActuatorStart::Kind::kNoAnswer:
      break;
  }
  // No answer: the ECU may have heard the start all the same, so the stop is sent.
  message_ = Text(kTestFailed) + start.reason;
  Append(message_);
  const bool stopped = StopActuator(services_, test.id);
  Finish(stopped ? PanelOutcome::kNoAnswer : PanelOutcome::kStopUnconfirmed);
}

void ActuatorPanel59::EndTest(Exit why) {
  if (!running_test_) return;
  ticker_.Stop();
  if (services_.link.ExchangeBusy) {
    // A tester present is on the line: the stop goes out as soon as it has returned.
    if (!exit_pending_ || why != Exit::kRanOut) pending_why_ = why;
    exit_pending_ = true;
    return;
  }
  const int id = kActuatorTests59[*running_test_].id;
  running_test_.reset();
  exit_pending_ = false;
  const bool confirmed = StopActuator(services_, id);
  PanelOutcome outcome = PanelOutcome::kStopped;
  if (!confirmed) {
    outcome = PanelOutcome::kStopUnconfirmed;
    message_ = Text(texts_test::kStopNotConfirmed);
  } else if (why == Exit::kLost) {
    outcome = PanelOutcome::kSessionLost;
  } else if (why == Exit::kRanOut) {
    outcome = PanelOutcome::kOk;
  }
  if (why == Exit::kLost && confirmed) message_ = Text(texts_test::kNoAnswer);
  Finish(outcome, why == Exit::kLost);
}

void ActuatorPanel59::ReadImmobiliser() {
  if (!hold_.Take()) return;
  Begin();
  window_.SetText(w::CdeStartTest, Text(kStartCaption));
  services_.clock.Pause(kActuatorPause);
  description_.clear();
  window_.SetText(w::LDescription, "");
  const HexMessage header = services_.link.ReplyHeader;
  const std::string answer =
      services_.exchange.SendReceive("2174", FrameKwp("617401", header), 7, kImmobiliserTimeoutMs);
  services_.trace.WriteTrace("Immobiliser 2174 : " + answer, true);
  const KwpReply reply =
      ReadKwpReply(answer, header, {.service = 0x21, .local_id = 0x74, .needed_bytes = 1});
  PanelOutcome outcome = PanelOutcome::kOk;
  if (reply.Positive()) {
    const int status = reply.Byte(0);
    if (status == 0) {
      description_ = Text(kSystemOk) + std::string(kLineEnd);
    } else {
      for (const StatusBit& bit : kImmobiliserBits) {
        if (((status >> bit.bit) & 1) != 0) description_ += Text(bit.text) + std::string(kLineEnd);
      }
    }
  } else {
    message_ = Failure(answer, reply, 0x21);
    description_ = message_;
    outcome = reply.Negative() ? PanelOutcome::kRefused : PanelOutcome::kNoAnswer;
  }
  window_.SetText(w::LDescription, description_);
  services_.clock.Pause(kImmobiliserSettle);
  Finish(outcome);
}

void ActuatorPanel59::PressResetTps() {
  if (!busy_) outcome_ = PanelOutcome::kNone;
  if (busy_ || !Allowed() || !hold_.Take()) return;
  BeginRoutine();
  if (!RoutineMayGo(texts_test::kResetTpsQuestion, "Reset TPS", kTpsErrorTitle)) return;

  const HexMessage header = services_.link.ReplyHeader;
  services_.clock.Pause(kActuatorPause);
  const std::string communication =
      services_.exchange.SendReceive("81", FrameKwp("C1EF8F", header), 7, kRoutineTimeoutMs);
  services_.trace.WriteTrace("Reset TPS 81 : " + communication, true);
  if (lost_) return;
  if (exit_pending_) return Finish(PanelOutcome::kStopped);
  if (!ReadKwpReply(communication, header, {.service = 0x81}).Positive()) {
    message_ = "Recommencer";
    description_ = message_;
    window_.SetText(w::LDescription, description_);
    return Finish(PanelOutcome::kNoAnswer);
  }

  services_.clock.Pause(kRoutineGap);
  const std::string start =
      services_.exchange.SendReceive("3121", FrameKwp("7121", header), 6, kRoutineTimeoutMs);
  services_.trace.WriteTrace("Reset TPS 3121 : " + start, true);
  if (lost_) return;
  const KwpReply reply = ReadKwpReply(start, header, {.service = 0x31, .local_id = kTpsId});
  if (!reply.Positive()) {
    // The ECU did not run the routine: nothing to wait for, no result to ask.
    message_ = Failure(start, reply, 0x31);
    Append(message_);
    return Finish(reply.Negative() ? PanelOutcome::kRefused : PanelOutcome::kNoAnswer);
  }
  routine_ = Routine::kTps;
  if (exit_pending_) return RoutineExit();
  Append("Wait 7s");
  ticker_.Start(kRoutineTicks);
}

void ActuatorPanel59::PressResetService() {
  if (!busy_) outcome_ = PanelOutcome::kNone;
  if (busy_ || !Allowed() || !five_am_ || !hold_.Take()) return;
  BeginRoutine();
  if (!RoutineMayGo(texts_test::kResetServiceQuestion, "Reset Service", kCautionTitle)) return;

  const HexMessage header = services_.link.ReplyHeader;
  services_.clock.Pause(kActuatorPause);
  const std::string answer =
      services_.exchange.SendReceive("302007", FrameKwp("702000", header), 7, kServiceTimeoutMs);
  services_.trace.WriteTrace("Service : 302007 " + answer, true);
  if (lost_) return;
  const KwpReply reply =
      ReadKwpReply(answer, header, {.service = kActuatorService, .local_id = kServiceId});
  if (!reply.Positive()) {
    message_ = Failure(answer, reply, kActuatorService);
    Append(message_);
    return Finish(reply.Negative() ? PanelOutcome::kRefused : PanelOutcome::kNoAnswer);
  }
  routine_ = Routine::kService;
  if (exit_pending_) return RoutineExit();
  Append("Wait 7sec");
  ticker_.Start(kRoutineTicks);
}

void ActuatorPanel59::RoutineEnded() {
  if (routine_ == Routine::kService) return Finish(PanelOutcome::kOk);
  if (routine_ != Routine::kTps) return;
  if (services_.link.ExchangeBusy) {
    // A tester present is on the line: the result is asked as soon as it has returned.
    routine_end_pending_ = true;
    return;
  }
  routine_end_pending_ = false;
  const HexMessage header = services_.link.ReplyHeader;
  services_.clock.Pause(kActuatorPause);
  const std::string answer =
      services_.exchange.SendReceive("3321", FrameKwp("7321FF", header), 6, kRoutineTimeoutMs);
  services_.trace.WriteTrace("Reset TPS 3321 : " + answer, true);
  const KwpReply reply = ReadKwpReply(answer, header, {.service = 0x33, .local_id = kTpsId});
  PanelOutcome outcome = PanelOutcome::kOk;
  if (reply.Positive()) {
    Append(Text(texts_test::kTpsResetDone));
  } else if (reply.Negative()) {
    message_ = Failure(answer, reply, 0x33);
    Append(message_);
    outcome = PanelOutcome::kRefused;
  } else {
    message_ = Text(texts_test::kTpsResultMissing);
    Append(message_);
    outcome = PanelOutcome::kNoAnswer;
  }
  // The ECU ran the routine: it takes the new throttle stops only after a power cycle, and the
  // session ends with it.
  Append("Turn Key OFF 15sec");
  services_.dialogs.Message("Turn the KEY OFF and wait 15s", "Caution", Dialogs::Icon::kWarning);
  Finish(outcome, true);
}

void ActuatorPanel59::RoutineExit() {
  // Nothing moves during a routine; a throttle-sensor reset the ECU accepted still needs the
  // power cycle, so its session ends.
  const bool tps = routine_ == Routine::kTps;
  ticker_.Stop();
  Finish(PanelOutcome::kStopped, tps);
}

void ActuatorPanel59::StopForExit() {
  if (running_test_) {
    EndTest(Exit::kWindow);
  } else if (in_start_ || (busy_ && routine_ == Routine::kNone)) {
    exit_pending_ = true;
    pending_why_ = Exit::kWindow;
  } else if (routine_ != Routine::kNone) {
    RoutineExit();
  }
}

void ActuatorPanel59::Lost() {
  lost_ = true;
  if (running_test_) {
    EndTest(Exit::kLost);
    return;
  }
  ticker_.Stop();
  message_ = Text(texts_test::kNoAnswer);
  Append(message_);
  Finish(PanelOutcome::kSessionLost, true);
}

void ActuatorPanel59::Idle() {
  if (exit_pending_ && running_test_) {
    EndTest(pending_why_);
  } else if (routine_end_pending_) {
    RoutineEnded();
  }
}

void ActuatorPanel59::Finish(PanelOutcome outcome, bool session_lost) {
  ticker_.Stop();
  busy_ = false;
  routine_ = Routine::kNone;
  running_test_.reset();
  exit_pending_ = false;
  routine_end_pending_ = false;
  outcome_ = outcome;
  ShowIdle();
  if (hold_.Held()) hold_.Release(session_lost);
}

}  // namespace velkor
