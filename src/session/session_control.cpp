#include "session/session_control.hpp"

#include "core/ecu_family.hpp"
#include "core/hex_message.hpp"
#include "link/demo_ecu.hpp"
#include "livedata/ecu_tables.hpp"
#include "livedata/frmparam.hpp"
#include "session/elm_init.hpp"
#include "session/init_1516.hpp"
#include "session/kwp_start.hpp"
#include "session/main_window.hpp"

namespace velkor {

namespace fp = frmparam;

namespace {

constexpr const char* kEobdStartDiagnostic = "17FF00";
constexpr const char* kPortTitle = "Initialisation";

// Families whose session is started by a wake-up of the byte protocol.
bool ByteFamily(int ecu_type) {
  return ecu_type == Iaw16M || ecu_type == Iaw15M || ecu_type == Iaw15RC;
}

}  // namespace

SessionControl::SessionControl(SessionServices services, MainWindow& main)
    : s_(services), main_(main) {
  s_.keep_alive.SetInterval(kKeepAliveMs);
  s_.keep_alive.SetOnTick([this] { KeepAliveTick(); });
}

std::string SessionControl::Text(int id, std::string_view built_in) const {
  return s_.language.LookupText(id, built_in);
}

void SessionControl::Enable(std::string_view control, bool on) {
  s_.window.SetEnabled(control, on && MainWindow::Offered(control));
}

bool SessionControl::Initialise() {
  ScreenModel& w = s_.window;
  w.SetVisible(fp::imDonate, false);
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
  if (!s_.link.TestMode) s_.beeper.Beep();
  main_.ToggleWorkbook(false);

  ecu_name_.clear();
  variant_ = -1;
  const bool ok = RunStart();
  const int type = s_.link.EcuType;

  w.SetValue(fp::MousePointer, 0);
  if (!ok) {
    Enable(fp::cdintialisation, true);
    Enable(fp::MnInit, true);
    s_.link.SetLamp(kLampRed);
    w.SetVisible(fp::contact, false);
    return false;
  }
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
  if (type == Iaw15M) Enable(fp::mnTrim15M, true);
  w.SetEnabled(fp::cdintialisation, false);
  w.SetEnabled(fp::MnInit, false);
  s_.link.SetLamp(kLampGreen);
  w.SetText(fp::lbPanel1, Text(135, "Init : ON"));
  if (main_.flags().MeasurementIdle) w.SetText(fp::lbPanel2, Text(137, "Attente / Wait"));
  if (main_.settings().auto_start == 1) main_.PressParameters();
  return true;
}

bool SessionControl::RunStart() {
  const int type = s_.link.EcuType;
  const bool elm = s_.link.interface_kind == InterfaceKind::kElm327;
  if (ByteFamily(type)) {
    if (!KLineReady()) return false;
    Init1516Context context{s_.link,
                            s_.exchange,
                            main_.link_choice().kline.get(),
                            s_.clock,
                            s_.trace,
                            s_.dialogs,
                            s_.language,
                            s_.beeper,
                            s_.window,
                            s_.progress_timer,
                            [this](int run_length) { main_.StartProgress(run_length); }};
    return Init1516(context);
  }
  if (type == Iaw59M5AM) {
    s_.window.SetText(fp::lpresent, "");
    s_.window.SetText(fp::lmemo, "");
    const bool ok = elm ? StartElm() : StartKLine();
    if (ok) {
      trimmer_initial_ = GetTrimmerInitial(s_.exchange, s_.link, s_.clock, s_.trace);
    }
    s_.window.SetText(fp::cdTrimmer, Text(174, "Reset to ") + std::to_string(trimmer_initial_));
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
    StartDiagnosticEobd();
    return ok;
  }
  return false;  // "P8" and unknown families have no session start
}

bool SessionControl::StartKLine() {
  if (!KLineReady()) return false;
  KwpStart start(KwpStartServices{s_.exchange, main_.link_choice().kline.get(), s_.link, s_.clock,
                                  s_.loop, s_.ini, s_.trace, s_.dialogs, s_.window,
                                  main_.measures(), &s_.keep_alive, main_.home(), ok_log_number_});
  const bool ok = start.InitKWP();
  if (ok) {
    ecu_name_ = start.EcuName();
    variant_ = start.Variant();
  }
  return ok;
}

bool SessionControl::StartElm() {
  if (!ElmReady()) return false;
  ElmInitContext context{s_.exchange,
                         s_.link,
                         s_.clock,
                         s_.trace,
                         s_.window,
                         main_.measures(),
                         main_.link_choice().elm.get()};
  const bool ok = s_.link.EcuType == Eobd ? InitComELMEobd(context) : InitComELM(context);
  if (ok) ecu_name_ = s_.window.Text(fp::lbPanel5);
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
  InterfaceChoice& choice = main_.link_choice();
  if (choice.kline && choice.kline->Configure(KwpStart::kNominalBaud)) return true;
  // The cable answered nothing: it may have been pulled out and plugged back in, which gives it
  // a new handle. One fresh open before giving up.
  std::string error = "le câble ne répond pas";
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
  InterfaceChoice& choice = main_.link_choice();
  if (!choice.elm && s_.devices != nullptr) {
    choice.elm = s_.devices->CreateSerialPort();
    s_.exchange.SetElmPort(choice.elm.get());
  }
  if (!choice.elm) {
    PortMessage(choice.device, "aucun port série");
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
  std::string text = "Impossible d'ouvrir le port " + port;
  if (!error.empty()) text += "\n" + error;
  s_.trace.WriteTrace(text, true);
  s_.dialogs.Message(text, kPortTitle, Dialogs::Icon::kError);
}

void SessionControl::KeepAliveTick() {
  const int type = s_.link.EcuType;
  if (type < Iaw59M5AM) return;
  if (s_.link.ExchangeBusy) return;
  s_.clock.Pause(kTickGap);
  const std::string answer = s_.exchange.SendReceive(
      EcuRequest(EcuRole::kTesterPresent, type), demo::TesterPresent(s_.link.ReplyHeader),
      EcuReplyLength(EcuRole::kTesterPresent, type), kTesterPresentTimeoutMs);
  bool alive = answer.find(s_.link.ReplyHeader) != std::string::npos;
  if (s_.link.interface_kind == InterfaceKind::kElm327) {
    // The adapter keeps the session itself with its wake-up message; its text answer is not
    // a frame to look into.
    s_.keep_alive.Stop();
    alive = true;
  }
  ScreenModel& w = s_.window;
  if (!alive) {
    for (std::string_view control : {fp::cdparametre, fp::mnparam, fp::cddiag, fp::mndiag}) {
      w.SetEnabled(control, false);
    }
    Enable(fp::cdintialisation, true);
    Enable(fp::MnInit, true);
    s_.link.SetLamp(kLampRed);
    w.SetText(fp::lbPanel1, Text(136, "Init : OFF"));
    s_.keep_alive.Stop();
    return;
  }
  for (std::string_view control : {fp::cdparametre, fp::mnparam, fp::cddiag, fp::mndiag}) {
    Enable(control, true);
  }
  w.SetEnabled(fp::cdintialisation, false);
  w.SetEnabled(fp::MnInit, false);
  s_.link.SetLamp(kLampGreen);
  s_.clock.Pause(kTickGap);
  s_.keep_alive.Start();
  s_.beeper.Beep();
}

void SessionControl::ReInitialise() {
  ScreenModel& w = s_.window;
  if (s_.link.EcuType == Iaw59M5AM) {
    w.SetVisible(fp::CdReInit, false);
    return;
  }
  main_.flags().StopRequest = true;
  if (!s_.dialogs.AskOkCancel(kReInitQuestion, kReInitTitle, Dialogs::Icon::kStop)) return;
  Enable(fp::cdintialisation, true);
  Enable(fp::MnInit, true);
  for (std::string_view control :
       {fp::cdparametre, fp::mnparam, fp::cddiag, fp::mndiag, fp::CdReInit, fp::MnRreInit}) {
    w.SetEnabled(control, false);
  }
  s_.link.SetLamp(kLampRed);
}

int GetTrimmerInitial(Exchange& exchange, LinkState& link, Clock& clock, TraceLog& trace) {
  clock.Pause(0.06);
  const HexMessage header = "83" + link.ReplyHeader + "613D";
  const std::string answer =
      exchange.SendReceive(EcuRequest(EcuRole::kTrimmerRead, Iaw59M5AM), header + "0925",
                           EcuReplyLength(EcuRole::kTrimmerRead, Iaw59M5AM), 1000);
  const std::size_t at = answer.find(header);
  if (at == std::string::npos || answer.size() < at + header.size() + 2) {
    trace.WriteTrace("Error Trimmer");
    return 0;
  }
  const int byte = HexToByte(answer.substr(at + header.size(), 2));
  if (byte < 0) {
    trace.WriteTrace("Error Trimmer");
    return 0;
  }
  trace.WriteTrace("Trimmer Initial: " + std::string(byte < 10 ? "0" : "") + std::to_string(byte));
  return static_cast<std::int8_t>(byte);
}

}  // namespace velkor
