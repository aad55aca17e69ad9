#include "session/session_control.hpp"

#include "adjust/trimmer.hpp"
#include "core/ecu_family.hpp"
#include "core/hex_message.hpp"
#include "link/demo_ecu.hpp"
#include "link/frame.hpp"
#include "link/kwp_reply.hpp"
#include "livedata/ecu_tables.hpp"
#include "livedata/frmparam.hpp"
#include "session/elm_init.hpp"
#include "session/init_1516.hpp"
#include "session/kwp_start.hpp"
#include "session/window_controls.hpp"

namespace velkor {

namespace fp = frmparam;

namespace {

constexpr const char* kEobdStartDiagnostic = "17FF00";
constexpr int kTesterPresentService = 0x3E;

// Families whose session is started by a wake-up of the byte protocol.
bool ByteFamily(int ecu_type) {
  return ecu_type == Iaw16M || ecu_type == Iaw15M || ecu_type == Iaw15RC;
}

}  // namespace

SessionControl::SessionControl(SessionServices services, SessionHost& host)
    : s_(std::move(services)), host_(host) {
  s_.keep_alive.SetInterval(kKeepAliveMs);
  s_.keep_alive.SetOnTick([this] { KeepAliveTick(); });
}

SessionControl::~SessionControl() {
  s_.keep_alive.SetOnTick({});
  s_.keep_alive.Stop();
  LetGoOfLink();
}

void SessionControl::Attach(OpenLink link) {
  LetGoOfLink();
  link_ = std::move(link);
  s_.link.interface_kind = link_.kind;
  s_.exchange.SetKLinePort(link_.kline.get());
  s_.exchange.SetElmPort(link_.elm.get());
}

std::string SessionControl::Text(int id, std::string_view built_in) const {
  return s_.language.LookupText(id, built_in);
}

void SessionControl::Enable(std::string_view control, bool on) {
  s_.window.SetEnabled(control, on && Offered(control));
}

void SessionControl::EnableAfr(bool on) {
  if (s_.afr_window != nullptr) s_.afr_window->SetEnabled(kAfrButton, on);
}

void SessionControl::ShowNoSession() {
  for (std::string_view control :
       {fp::cdparametre, fp::mnparam, fp::cddiag, fp::mndiag, fp::CdReInit, fp::MnRreInit}) {
    s_.window.SetEnabled(control, false);
  }
  Enable(fp::cdintialisation, true);
  Enable(fp::MnInit, true);
  s_.link.SetLamp(kLampRed);
  EnableAfr(true);
  open_ = false;
}

bool SessionControl::Initialise() {
  ScreenModel& w = s_.window;
  w.SetVisible(fp::imDonate, false);
  if (closing_ || starting_ || lease_ != nullptr) return false;
  if (s_.link.lamp_colour == kLampGreen) return true;

  w.SetVisible(fp::contact, false);
  w.SetEnabled(fp::mnTrim15M, false);
  w.SetText(fp::lpresent, Text(143, "Initialisation de la procédure / Init to process"));
  w.SetText(fp::lmemo, Text(142, "Attendre les instructions / Wait"));
  w.SetValue(fp::MousePointer, kBusyPointer);
  for (std::string_view control :
       {fp::cdintialisation, fp::MnInit, fp::cdparametre, fp::mnparam, fp::cddiag, fp::mndiag}) {
    w.SetEnabled(control, false);
  }
  EnableAfr(false);
  if (!s_.link.TestMode) s_.beeper.Beep();
  host_.CloseWorkbook();

  ecu_name_.clear();
  variant_ = -1;
  has_stepper_ = false;
  starting_ = true;
  const bool ok = RunStart();
  starting_ = false;
  const int type = s_.link.EcuType;

  w.SetValue(fp::MousePointer, 0);
  if (closing_) {
    // The window closed during the start: the start has ended at its turn and nothing more
    // goes out; the link can be let go now that nobody holds it.
    open_ = false;
    ReleaseIfClosed();
    return false;
  }
  if (!ok) {
    Enable(fp::cdintialisation, true);
    Enable(fp::MnInit, true);
    s_.link.SetLamp(kLampRed);
    w.SetVisible(fp::contact, false);
    EnableAfr(true);
    open_ = false;
    return false;
  }
  open_ = true;
  has_stepper_ = type == Iaw59M5AM && HasStepperMotor(ecu_name_);
  s_.keep_alive.Start();
  s_.beeper.Beep();
  s_.clock.Pause(kSettle);
  for (std::string_view control : {fp::cdparametre, fp::mnparam, fp::cddiag, fp::mndiag}) {
    Enable(control, true);
  }
  if (type < Iaw59M5AM) {
    Enable(fp::CdReInit, true);
    Enable(fp::MnRreInit, true);
  }
  // The 15M trimmer window serves both families of that one-byte trimmer.
  if (type == Iaw15M || type == Iaw15RC) Enable(fp::mnTrim15M, true);
  w.SetEnabled(fp::cdintialisation, false);
  w.SetEnabled(fp::MnInit, false);
  s_.link.SetLamp(kLampGreen);
  w.SetText(fp::lbPanel1, Text(135, "Init : ON"));
  if (s_.flags.MeasurementIdle) w.SetText(fp::lbPanel2, Text(137, "Attente / Wait"));
  host_.SessionOpened();
  return true;
}

bool SessionControl::RunStart() {
  const int type = s_.link.EcuType;
  const bool elm = s_.link.interface_kind == InterfaceKind::kElm327;
  if (ByteFamily(type)) {
    if (!KLineReady()) return false;
    Init1516Context context{s_.link,
                            s_.exchange,
                            link_.kline.get(),
                            s_.clock,
                            s_.trace,
                            s_.dialogs,
                            s_.language,
                            s_.beeper,
                            s_.window,
                            s_.progress_timer,
                            [this](int run_length) { host_.StartProgress(run_length); }};
    return Init1516(context);
  }
  if (type == Iaw59M5AM) {
    s_.window.SetText(fp::lpresent, "");
    s_.window.SetText(fp::lmemo, "");
    const bool ok = elm ? StartElm() : StartKLine();
    if (ok) {
      trimmer_initial_ = GetTrimmerInitial(s_.exchange, s_.link, s_.clock, s_.trace);
    }
    s_.window.SetText(
        fp::cdTrimmer,
        Text(174, "Reset to ") + (trimmer_initial_ ? std::to_string(*trimmer_initial_) : "--"));
    s_.window.SetVisible(fp::chStatutSonde, true);
    return ok;
  }
  if (type == Eobd) {
    s_.window.SetText(fp::lpresent, "");
    s_.window.SetText(fp::lmemo, "");
    // Over the adapter the start is its own script with a protocol search: the adapter has no
    // raw line to wake the ECU by hand.
    if (elm) return StartElm();
    const bool ok = StartKLine();
    if (!s_.link.Closing) StartDiagnosticEobd();
    return ok;
  }
  return false;  // "P8" and unknown families have no session start
}

bool SessionControl::StartKLine() {
  if (!KLineReady()) return false;
  KwpStart start(KwpStartServices{s_.exchange, link_.kline.get(), s_.link, s_.clock, s_.loop,
                                  s_.ini, s_.trace, s_.dialogs, s_.window, s_.measures,
                                  &s_.keep_alive, s_.home, ok_log_number_, &s_.language});
  const bool ok = start.InitKWP();
  if (ok) {
    ecu_name_ = start.EcuName();
    variant_ = start.Variant();
  }
  return ok;
}

bool SessionControl::StartElm() {
  if (!ElmReady()) return false;
  ElmInitContext context{s_.exchange, s_.link,     s_.clock,       s_.trace,
                         s_.window,   s_.measures, link_.elm.get()};
  const bool ok = s_.link.EcuType == Eobd ? InitComELMEobd(context) : InitComELM(context);
  if (ok) ecu_name_ = context.ecu_name;
  return ok;
}

void SessionControl::StartDiagnosticEobd() {
  s_.clock.Pause(kTickGap);
  const std::string answer =
      s_.exchange.SendReceive(kEobdStartDiagnostic, demo::EobdStartDiagnostic(s_.link.ReplyHeader),
                              kStartDiagnosticLength, kStartDiagnosticTimeoutMs);
  s_.trace.WriteTrace(answer);
  s_.clock.Pause(kStartDiagnosticWait);
  s_.clock.Pause(kSettle);
  const bool refused = answer.find(s_.link.ReplyHeader + "7F") != std::string::npos;
  s_.trace.WriteTrace(std::string(kEobdStartDiagnostic) +
                      (refused ? "  StartDiag NOK :" : "  StartDiag : ") + answer);
}

bool SessionControl::KLineReady() {
  if (s_.link.TestMode) return true;
  OpenLink& choice = link_;
  if (choice.kline && choice.kline->Configure(KwpStart::kNominalBaud)) return true;
  // The cable answered nothing: it may have been pulled out and plugged back in, which gives it
  // a new handle. One fresh open before giving up.
  std::string error = s_.language.LookupText(texts::kCableSilent);
  if (s_.devices != nullptr && !choice.device.empty()) {
    OpenResult<KLinePort> opened = choice.kind == InterfaceKind::kUsb
                                       ? s_.devices->OpenFtdi(choice.device)
                                       : s_.devices->OpenSerialKLine(choice.device);
    if (opened.port && opened.port->Configure(KwpStart::kNominalBaud)) {
      s_.exchange.SetKLinePort(opened.port.get());
      choice.kline = std::move(opened.port);
      s_.trace.WriteTrace("Port rouvert : " + choice.device, true);
      return true;
    }
    if (!opened.error.empty()) error = opened.error;
  }
  PortMessage(choice.device.empty() ? std::string("K-line") : choice.device, error);
  return false;
}

bool SessionControl::ElmReady() {
  if (s_.link.TestMode) return true;
  OpenLink& choice = link_;
  if (!choice.elm && s_.devices != nullptr) {
    choice.elm = s_.devices->CreateSerialPort();
    s_.exchange.SetElmPort(choice.elm.get());
  }
  if (!choice.elm) {
    PortMessage(choice.device, s_.language.LookupText(texts::kNoSerialPort));
    return false;
  }
  // A fresh open clears whatever the adapter had left half-said from an earlier session.
  if (choice.elm->IsOpen()) choice.elm->Close();
  s_.trace.WriteTrace("Ouverture port com", true);
  if (!choice.elm->IsOpen() && !choice.elm->Open(choice.device, kElmSettings)) {
    PortMessage(choice.device, choice.elm->LastError());
    return false;
  }
  return true;
}

void SessionControl::PortMessage(const std::string& port, const std::string& error) {
  std::string text = s_.language.LookupText(texts::kCannotOpenPort) + port;
  if (!error.empty()) text += "\n" + error;
  s_.trace.WriteTrace(text, true);
  s_.dialogs.Message(text, s_.language.LookupText(texts::kPortTitle), Dialogs::Icon::kError);
}

void SessionControl::KeepAliveTick() {
  const int type = s_.link.EcuType;
  if (type < Iaw59M5AM) return;
  if (lease_ != nullptr && lease_->keeping_alive_ && !closing_) {
    LeaseKeepAliveTick();
    return;
  }
  if (s_.link.ExchangeBusy || closing_ || lease_ != nullptr) return;
  s_.clock.Pause(kTickGap);
  const std::string answer = s_.exchange.SendReceive(
      EcuRequest(EcuRole::kTesterPresent, type), demo::TesterPresent(s_.link.ReplyHeader),
      EcuReplyLength(EcuRole::kTesterPresent, type), kTesterPresentTimeoutMs);
  if (closing_) {
    // The window closed while the tick waited for its answer.
    ReleaseIfClosed();
    return;
  }
  bool alive = answer.find(s_.link.ReplyHeader) != std::string::npos;
  if (s_.link.interface_kind == InterfaceKind::kElm327) {
    // The adapter keeps the session itself with its wake-up message; its text answer is not
    // a frame to look into. But an adapter that answered nothing from the ECU (silence, a port
    // that has gone, "NO DATA", "...ERROR": the exchange turned the lamp red) has lost the
    // session as a silent ECU on a K-line has; a green lamp and a beep would say otherwise.
    s_.keep_alive.Stop();
    alive = s_.link.lamp_colour == kLampGreen;
  }
  ScreenModel& w = s_.window;
  if (!alive) {
    ShowNoSession();
    w.SetText(fp::lbPanel1, Text(136, "Init : OFF"));
    s_.keep_alive.Stop();
    return;
  }
  if (held_commands_ == 0) {
    for (std::string_view control : {fp::cdparametre, fp::mnparam, fp::cddiag, fp::mndiag}) {
      Enable(control, true);
    }
  }
  w.SetEnabled(fp::cdintialisation, false);
  w.SetEnabled(fp::MnInit, false);
  s_.link.SetLamp(kLampGreen);
  s_.clock.Pause(kTickGap);
  s_.keep_alive.Start();
  s_.beeper.Beep();
}

void SessionControl::LeaseKeepAliveTick() {
  if (s_.link.ExchangeBusy) return;  // the holder's own exchange keeps the session
  if (s_.link.interface_kind == InterfaceKind::kElm327) {
    // The adapter keeps the session with its own wake-up messages.
    s_.keep_alive.Stop();
    return;
  }
  const int type = s_.link.EcuType;
  // While a command drives an actuator, one lost answer does not end it: the ECU keeps its
  // session for 5 s without a request, time enough to ask once more.
  LinkLease* lease = nullptr;
  bool alive = false;
  for (int attempt = 0; attempt < 2 && !alive; ++attempt) {
    if (attempt > 0) {
      if (closing_) break;
      s_.trace.WriteTrace("Tester present sans réponse : nouvel essai", true);
    }
    s_.clock.Pause(kTickGap);
    const std::string answer = s_.exchange.SendReceive(
        EcuRequest(EcuRole::kTesterPresent, type), demo::TesterPresent(s_.link.ReplyHeader),
        EcuReplyLength(EcuRole::kTesterPresent, type), kTesterPresentTimeoutMs);
    // The holder may have given the lease back meanwhile (its window closed in a turn).
    lease = lease_;
    if (lease == nullptr || !lease->keeping_alive_) {
      ReleaseIfClosed();
      return;
    }
    alive =
        ReadKwpReply(answer, s_.link.ReplyHeader, {.service = kTesterPresentService}).Positive();
  }
  if (!alive) {
    // Nothing is re-enabled here: the holder stops its command and gives the lease back, whose
    // end shows the no-session state.
    s_.keep_alive.Stop();
    lease->lost_ = true;
    lease->keeping_alive_ = false;
    const std::function<void()> on_lost = lease->on_lost_;
    if (on_lost) on_lost();
    return;
  }
  s_.link.SetLamp(kLampGreen);
  if (!closing_) s_.keep_alive.Start();
  const std::function<void()> after = lease->after_exchange_;
  if (after) after();
  ReleaseIfClosed();
}

void SessionControl::ReInitialise() {
  ScreenModel& w = s_.window;
  if (s_.link.EcuType == Iaw59M5AM) {
    w.SetVisible(fp::CdReInit, false);
    return;
  }
  // A running measurement is asked to stop; the command acts on the next click, once it has.
  s_.flags.StopRequest = true;
  const std::unique_ptr<LinkLease> lease = TakeLease();
  if (lease == nullptr) return;
  if (!s_.dialogs.AskOkCancel(s_.language.LookupText(texts::kReInitQuestion),
                              s_.language.LookupText(texts::kReInitTitle), Dialogs::Icon::kStop)) {
    return;
  }
  if (closing_) return;
  // No request is sent: the user switches the ignition off and starts again with F2.
  lease->SessionLost();
}

void SessionControl::Close() {
  if (closing_) return;
  // A running test is stopped first, while its stop can still be sent.
  if (before_close_) {
    const std::function<void()> before_close = before_close_;
    before_closing_ = true;
    before_close();
    before_closing_ = false;
  }
  closing_ = true;
  s_.keep_alive.Stop();
  // A start under way ends at its next turn without a further byte; an exchange under way (a
  // window's read, the cycle's request) keeps the line until it returns, and the closing frames
  // wait for it.
  if (!starting_ && !s_.link.ExchangeBusy) SendClosingFrames();
  cancelled_start_ = starting_;
  s_.link.Closing = true;
  ReleaseIfClosed();
}

void SessionControl::ReleaseIfClosed() {
  if (!closing_ || starting_ || lease_ != nullptr || s_.link.ExchangeBusy ||
      !s_.flags.MeasurementIdle) {
    return;
  }
  if (!cancelled_start_) SendClosingFrames();
  LetGoOfLink();
}

void SessionControl::SendClosingFrames() {
  if (frames_sent_) return;
  frames_sent_ = true;
  if (link_.kind == InterfaceKind::kElm327 || s_.link.EcuType != Iaw59M5AM) return;
  // End the diagnostic session, then the communication; nobody waits for the answers.
  const SendDespiteClosing send(s_.link);
  for (EcuRole role : {EcuRole::kStopDiagnosticSession, EcuRole::kStopCommunication}) {
    s_.clock.Pause(kClosingGap);
    s_.exchange.SendReceive(EcuRequest(role, Iaw59M5AM), "", EcuReplyLength(role, Iaw59M5AM),
                            kClosingTimeoutMs);
  }
}

void SessionControl::LetGoOfLink() {
  s_.exchange.SetKLinePort(nullptr);
  s_.exchange.SetElmPort(nullptr);
  if (link_.elm && link_.elm->IsOpen()) link_.elm->Close();
  link_.elm.reset();
  link_.kline.reset();
}

std::optional<int> SessionControl::TrimmerInitialForRun() {
  if (!trimmer_initial_ && s_.link.EcuType == Iaw59M5AM && !closing_ &&
      (open_ || s_.link.TestMode)) {
    trimmer_initial_ = GetTrimmerInitial(s_.exchange, s_.link, s_.clock, s_.trace);
  }
  return trimmer_initial_;
}

std::unique_ptr<LinkLease> SessionControl::TakeLease() {
  if (closing_ || starting_ || lease_ != nullptr || s_.link.ExchangeBusy) return nullptr;
  if (!s_.flags.MeasurementIdle) {
    s_.flags.StopRequest = true;
    return nullptr;
  }
  return std::unique_ptr<LinkLease>(new LinkLease(*this));
}

void SessionControl::LeaseEnded(bool check_session) {
  lease_ = nullptr;
  if (check_session) KeepAliveTick();
  ReleaseIfClosed();
}

namespace {

// The main window's commands that use the link, greyed while a lease holds it.
constexpr std::string_view kSessionCommands[] = {
    fp::cdintialisation, fp::MnInit, fp::cdparametre, fp::mnparam,
    fp::cddiag,          fp::mndiag, fp::CdReInit,    fp::MnRreInit,
};

}  // namespace

LinkLease::LinkLease(SessionControl& session) : session_(session) {
  SessionServices& s = session_.s_;
  session_.lease_ = this;
  keep_alive_ = s.keep_alive.IsRunning();
  s.keep_alive.Stop();
  measure_allowed_ = s.flags.MeasureAllowed;
  s.flags.MeasureAllowed = false;
  for (std::string_view control : kSessionCommands) {
    commands_.push_back({control, s.window.Enabled(control)});
    s.window.SetEnabled(control, false);
  }
  pointer_ = s.window.Value(fp::MousePointer);
  s.window.SetValue(fp::MousePointer, SessionControl::kBusyPointer);
}

void LinkLease::KeepSessionAlive(std::function<void()> on_lost,
                                 std::function<void()> after_exchange) {
  SessionServices& s = session_.s_;
  on_lost_ = std::move(on_lost);
  after_exchange_ = std::move(after_exchange);
  keeping_alive_ = true;
  if (session_.closing_ || s.link.EcuType < Iaw59M5AM) return;
  s.keep_alive.SetInterval(SessionControl::kKeepAliveMs);
  s.keep_alive.Start();
}

LinkLease::~LinkLease() {
  SessionServices& s = session_.s_;
  if (keeping_alive_ || lost_) {
    // The keep-alive ran for this lease only: it starts again below only as it was found.
    s.keep_alive.Stop();
    keeping_alive_ = false;
  }
  s.flags.MeasureAllowed = measure_allowed_;
  s.window.SetValue(fp::MousePointer, pointer_);
  const bool closing = session_.closing_ || session_.before_closing_;
  if (closing) {
    // The program is closing: nothing is restarted on the link.
  } else if (lost_) {
    session_.ShowNoSession();
    if (s.link.EcuType >= Iaw59M5AM)
      s.window.SetText(fp::lbPanel1, session_.Text(136, "Init : OFF"));
  } else {
    for (const Saved& saved : commands_) s.window.SetEnabled(saved.control, saved.enabled);
    if (keep_alive_) s.keep_alive.Start();
  }
  // The holder's last exchange went unanswered: whether the session is still there is asked at
  // once rather than at the next tick, so the window never offers a session that has gone.
  const bool check_now =
      !closing && !lost_ && keep_alive_ && !s.link.TestMode && s.link.lamp_colour == kLampRed;
  session_.LeaseEnded(check_now);
}

std::optional<int> GetTrimmerInitial(Exchange& exchange, LinkState& link, Clock& clock,
                                     TraceLog& trace) {
  clock.Pause(0.06);
  const std::string answer = exchange.SendReceive(
      EcuRequest(EcuRole::kTrimmerRead, Iaw59M5AM), FrameKwp("613D09", link.ReplyHeader),
      EcuReplyLength(EcuRole::kTrimmerRead, Iaw59M5AM), 1000);
  const KwpReply reply = ReadKwpReply(answer, link.ReplyHeader,
                                      {.service = 0x21, .local_id = 0x3D, .needed_bytes = 1});
  if (!reply.Positive()) {
    trace.WriteTrace("Error Trimmer");
    return std::nullopt;
  }
  const int byte = reply.Byte(0);
  trace.WriteTrace("Trimmer Initial: " + std::string(byte < 10 ? "0" : "") + std::to_string(byte));
  return TrimmerValueOfByte(byte);
}

}  // namespace velkor
