#include "diagnostics/fault_window_59.hpp"

#include <algorithm>

#include "core/ecu_family.hpp"
#include "core/hex_message.hpp"
#include "diagnostics/trouble_code.hpp"
#include "link/frame.hpp"
#include "link/kwp_reply.hpp"
#include "link/nack.hpp"
#include "livedata/ecu_tables.hpp"

namespace velkor {

namespace {

namespace w = FrmDTC59;

constexpr int kRed = 255;         // RGB 255,0,0 as a platform colour value
constexpr int kWhite = 16777215;  // RGB 255,255,255
constexpr int kBlue = 16711680;   // RGB 0,0,255: the test panel's bar
constexpr int kNoColour = -1;

// Idle line before each request of the 59M/5AM list and before the clear / an OBD request.
constexpr double kListPause = 0.1;
constexpr double kShortPause = 0.06;
constexpr int kReadTimeoutMs = 1000;
constexpr int kStatusTimeoutMs = 400;
constexpr int kClearTimeoutMs = 1000;
constexpr int kElmQueryTimeoutMs = 400;
// The longest KWP frame: format byte, two addresses, a length byte, 255 data bytes, checksum.
constexpr int kLongestFrame = 260;
// One mode-03 frame on a K-line: format byte, two addresses, 43, three codes, checksum.
constexpr int kObdCodeFrameBytes = 11;
constexpr int kObdCodesPerFrame = 3;
constexpr int kMilFrameBytes = 15;
constexpr int kObdClearBytes = 16;

constexpr int kClearService = 0x14;
constexpr int kObdCurrentData = 0x01;
constexpr int kObdStoredCodes = 0x03;
constexpr int kObdClearCodes = 0x04;
constexpr std::string_view kObdMilRequest = "0101";
constexpr std::string_view kObdCodesRequest = "03";
constexpr std::string_view kObdClearRequest = "04";
constexpr std::string_view kElmProtocolQuery = "ATDPN";

struct Caption {
  int id;
  std::string_view control;
  std::string_view text;
  std::string_view tooltip = {};
};

constexpr Caption kCaptions[] = {
    {502, w::FrameVisuErreur, "Visualisation des erreurs"},
    {503, w::ButtonPrevious, "Précédente", "Visualise l'erreur précédente"},
    {504, w::ButtonNext, "Suivante", "Visualise l'erreur suivante"},
    {505, w::Label5, "Nb de cycle(s) sans avoir revu cette erreur"},
    {506, w::Label3, "Témoin au tableau de bord"},
    {507, w::FrameCause, "Cause"},
    {508, w::Cause0, "Signal invalide"},
    {509, w::Cause1, "Pas de signal"},
    {510, w::Cause2, "Court Circuit à la masse"},
    {511, w::Cause3, "Reste à 12V"},
    {512, w::FrameMemorisation, "Information de mémorisation"},
    {513, w::Memo0, "Présent"},
    {514, w::Memo1, "Intermitent"},
    {515, w::Memo2, "Mémorisé"},
    {516, w::Memo3, "Non mémorisé"},
    {517, w::CleanError, "Supprimer Erreurs", "Efface TOUTES les erreurs"},
    {519, w::ButtonClose, "Close", "Ferme la fenêtre."},
};
constexpr LanguageText kTitle{501, kProgramTitle};
constexpr LanguageText kNoFault{523, "Pas d'erreur détectée"};
constexpr LanguageText kNumberPrefix{524, "Erreur numéro "};
constexpr LanguageText kNumberMiddle{525, " sur "};
constexpr int kEobdCauseCaptions = 574;  // 574-577
constexpr int kEobdMemoCaptions = 579;   // 579-582

// The status byte's cause: bits 0-3 holding exactly one of 1, 2, 4, 8.
std::optional<int> CauseIndex(int status) {
  switch (status & 0x0F) {
    case 1:
      return 0;
    case 2:
      return 1;
    case 4:
      return 2;
    case 8:
      return 3;
    default:
      return std::nullopt;
  }
}
int MemoIndex(int status) { return (status >> 5) & 3; }
bool LampOn(int status) { return (status & 0x80) != 0; }

std::string TextOf(const Caption& caption) { return std::string(caption.text); }

}  // namespace

FaultWindow59::FaultWindow59(ScreenModel& window, DiagnosticsServices services,
                             std::string version_suffix)
    : window_(window), services_(services), version_suffix_(std::move(version_suffix)) {
  ApplyDesign();
}

std::string FaultWindow59::Text(const LanguageText& text) const {
  return services_.language.LookupText(text);
}

void FaultWindow59::ApplyDesign() {
  window_.SetText(w::kWindow, std::string(kProgramTitle) + version_suffix_);
  for (const Caption& caption : kCaptions) {
    window_.SetText(caption.control, TextOf(caption));
    if (!caption.tooltip.empty()) window_.SetTooltip(caption.control, std::string(caption.tooltip));
  }
  window_.SetText(w::LabelNbErr, "Pas d'erreur mémorisée");
  window_.SetText(w::LabelTextError, "Description normalisée de l'erreur");
  window_.SetText(w::LabelNbCycle, "");
  window_.SetEnabled(w::ButtonPrevious, false);
  window_.SetEnabled(w::ButtonNext, false);
  window_.SetRange(w::HScrollError, 0, 0);
  window_.SetValue(w::HScrollError, 0);
  window_.SetEnabled(w::HScrollError, false);
  window_.SetColour(w::Shape1, kWhite);

  // The actuator tests and the resets of the same window: greyed until ActuatorPanel59 loads
  // them for a 59M/5AM.
  window_.SetText(w::FrameTestActif, "Test actif des composants");
  window_.SetText(w::Label1, "Choississez votre test");
  window_.SetText(w::CdeStartTest, "Lancer Test");
  window_.SetText(w::LDescription, "");
  window_.SetText(w::LMin, "0");
  window_.SetText(w::LMax, "");
  window_.SetColour(w::ProgressBar1, kBlue);
  window_.SetText(w::frResetM5, "Reset M59 or M5A");
  window_.SetText(w::cdresetTPS, "Reset TPS");
  window_.SetText(w::cdService, "Reset Service");
  window_.SetText(w::cdConfirmer1, "ANNULER");
  window_.SetText(w::cdConfirmer2, "CONFIRMER !");
  window_.SetText(w::lbCaution,
                  "Caution\rThe Reset TPS is not described in the Workshop Manual of M59");
  for (const std::string_view control :
       {w::FrameTestActif, w::Label1, w::ComboChoixTest, w::CdeStartTest, w::LDescription,
        w::ProgressBar1, w::LMin, w::LMax, w::frResetM5, w::cdresetTPS, w::cdService}) {
    window_.SetEnabled(control, false);
  }
  window_.SetVisible(w::frConfirm, false);
  window_.SetVisible(w::lbCaution, false);
}

void FaultWindow59::ApplyCaptions() {
  window_.SetText(w::kWindow, Text(kTitle) + version_suffix_);
  for (const Caption& caption : kCaptions) {
    window_.SetText(caption.control, services_.language.LookupText(caption.id, caption.text));
  }
  // The test area's captions in the user's language (ActuatorPanel59 sets up the rest).
  window_.SetText(w::FrameTestActif,
                  services_.language.LookupText(535, "Test actif des composants"));
  window_.SetText(w::Label1, services_.language.LookupText(536, "Choississez votre test"));
}

bool FaultWindow59::OverElm() const {
  return services_.link.interface_kind == InterfaceKind::kElm327;
}

HexMessage FaultWindow59::KwpAnswer(const HexMessage& answer) const {
  return OverElm() ? ElmHexLines(answer) : answer;
}

void FaultWindow59::TraceAnswer(std::string_view request, const std::string& answer) {
  // An adapter's answer is its own text: traced through the safe helper like any outside bytes.
  const std::string shown =
      OverElm() ? BytesAsText(std::vector<std::uint8_t>(answer.begin(), answer.end())) : answer;
  services_.trace.WriteTrace(std::string(request) + " DTC: " + shown, true);
}

StoredFault FaultWindow59::MakeFault(int high, int low) const {
  StoredFault fault;
  fault.code = TroubleCodeText(high, low);
  fault.short_text = services_.language.LookupCodeText(fault.code, CodeTextKind::kShort, "");
  fault.long_text = services_.language.LookupCodeText(fault.code, CodeTextKind::kLong, "");
  return fault;
}

void FaultWindow59::ClearOptions() {
  for (const std::string_view control : w::kCause) window_.SetChecked(control, false);
  for (const std::string_view control : w::kMemo) window_.SetChecked(control, false);
}

void FaultWindow59::ShowEmpty(const std::string& why) {
  faults_.clear();
  index_ = 0;
  window_.SetRange(w::HScrollError, 0, 0);
  window_.SetValue(w::HScrollError, 0);
  window_.SetEnabled(w::HScrollError, false);
  window_.SetVisible(w::Shape1, false);
  window_.SetEnabled(w::FrameCause, false);
  window_.SetEnabled(w::FrameMemorisation, false);
  ClearOptions();
  window_.SetText(w::LabelNbErr, why);
  window_.SetText(w::LabelTextError, "");
  window_.SetText(w::LabelNbCycle, "");
  UpdateButtons();
}

void FaultWindow59::ShowList() {
  window_.SetRange(w::HScrollError, 1, NbDefauts());
  window_.SetEnabled(w::HScrollError, true);
  window_.SetVisible(w::Shape1, true);
  window_.SetValue(w::HScrollError, 1);
  index_ = 0;
  ScrollChanged(1);
}

void FaultWindow59::UpdateButtons() {
  window_.SetEnabled(w::ButtonPrevious, index_ > 1);
  window_.SetEnabled(w::ButtonNext, index_ >= 1 && index_ < NbDefauts());
}

DiagnosticOutcome FaultWindow59::Load() {
  ApplyCaptions();
  faults_.clear();
  index_ = 0;
  eobd_shown_ = false;
  window_.SetEnabled(w::FrameCause, true);
  window_.SetEnabled(w::FrameMemorisation, true);
  window_.SetColour(w::Shape1, kWhite);
  window_.SetEnabled(w::CleanError, true);
  DiagnosticOutcome outcome = DiagnosticOutcome::kDone;
  switch (services_.link.EcuType) {
    case Iaw59M5AM:
      outcome = ReadM59();
      break;
    case Eobd:
      outcome = ReadEobd();
      break;
    default:
      ShowEmpty(Text(kNoFault));
      break;
  }
  return outcome;
}

DiagnosticOutcome FaultWindow59::ReadM59() {
  const HexMessage& rh = services_.link.ReplyHeader;
  services_.clock.Pause(kListPause);
  // Test mode: two codes, P0201 and U1600.
  const HexMessage answer = KwpAnswer(
      services_.exchange.SendReceiveFrame(EcuRequest(EcuRole::kReadDtcByStatus, Iaw59M5AM),
                                          FrameKwp("58020201"
                                                   "22D600A8",
                                                   rh),
                                          kLongestFrame, kReadTimeoutMs));
  const CodeListReply list = ReadCodeList(answer, rh);
  if (list.kind == KwpReply::Kind::kNegative) {
    ShowEmpty(Text(texts59::kReadRefused) + NackText(ByteToHex(list.refusal)));
    return DiagnosticOutcome::kRefused;
  }
  if (list.kind == KwpReply::Kind::kNone) {
    ShowEmpty(Text(texts59::kNoEcuAnswer));
    return DiagnosticOutcome::kNoAnswer;
  }
  if (list.count_byte == 0) {
    ShowEmpty(Text(kNoFault));
    return DiagnosticOutcome::kDone;
  }
  if (list.records.empty()) {
    // A count without a single whole record: the codes are there, their list did not come.
    ShowEmpty(Text(texts59::kCodesMissing));
    return DiagnosticOutcome::kNoAnswer;
  }

  DiagnosticOutcome outcome = DiagnosticOutcome::kDone;
  const HexMessage status_request = EcuRequest(EcuRole::kReadStatusOfDtc, Iaw59M5AM);
  const int status_length = EcuReplyLength(EcuRole::kReadStatusOfDtc, Iaw59M5AM);
  bool silent = false;
  for (const CodeRecord& record : list.records) {
    StoredFault fault = MakeFault(record.high, record.low);
    std::optional<CodeStatus> status;
    // Once the ECU has fallen silent the other codes are not asked: each would cost the whole
    // time-out, and their status stays unknown either way.
    if (!silent) {
      services_.clock.Pause(kListPause);
      const HexMessage code = ByteToHex(record.high) + ByteToHex(record.low);
      // Test mode: status 24 (short to ground, intermittent, lamp off), counter 40.
      const HexMessage status_answer =
          KwpAnswer(services_.exchange.SendReceive(status_request + code,
                                                   FrameKwp("5702" + code +
                                                                "24"
                                                                "000000000000"
                                                                "40",
                                                            rh),
                                                   status_length, kStatusTimeoutMs));
      if (status_answer.empty()) {
        silent = true;
        outcome = DiagnosticOutcome::kNoAnswer;
      } else {
        status = ReadCodeStatus(status_answer, rh, record.high, record.low);
      }
    }
    if (status) {
      fault.status = status->status;
      if (const auto cause = CauseIndex(status->status)) {
        fault.cause = window_.Text(w::kCause[*cause]);
      }
      fault.memorisation = window_.Text(w::kMemo[MemoIndex(status->status)]);
      fault.lamp = LampOn(status->status);
      fault.cycles = CyclesText(status->counter);
    } else {
      fault.memorisation = Text(texts59::kNoEcuAnswer);
      fault.cycles = " - ";
    }
    faults_.push_back(std::move(fault));
  }
  ShowList();
  return outcome;
}

ObdLink FaultWindow59::FindObdLink() {
  if (!OverElm()) return ObdLink::kKLine;
  const std::string answer =
      services_.exchange.SendReceive(HexMessage(kElmProtocolQuery), "", 0, kElmQueryTimeoutMs);
  const std::optional<bool> can = ElmRunsCan(answer);
  std::string line = std::string(kElmProtocolQuery) + ": " +
                     BytesAsText(std::vector<std::uint8_t>(answer.begin(), answer.end()));
  // An adapter that does not say which protocol it runs is taken for a K-line one.
  if (!can) line += " (protocole inconnu : trames K-line)";
  services_.trace.WriteTrace(line);
  return can.value_or(false) ? ObdLink::kElmCan : ObdLink::kElmKLine;
}

DiagnosticOutcome FaultWindow59::ReadEobd() {
  const HexMessage& rh = services_.link.ReplyHeader;
  obd_link_ = FindObdLink();

  services_.clock.Pause(kShortPause);
  // Test mode: three codes, lamp off.
  const HexMessage mil_answer = services_.exchange.SendReceiveFrame(
      HexMessage(kObdMilRequest), FrameKwp("410103068000", rh), kMilFrameBytes, kReadTimeoutMs);
  TraceAnswer(kObdMilRequest, mil_answer);
  const ObdAnswer mil_reply = ReadObdAnswer(mil_answer, rh, obd_link_, kObdCurrentData);
  const std::optional<MilStatus> mil = ReadMilStatus(mil_reply);
  if (!mil) {
    if (mil_reply.refusal) {
      ShowEmpty(Text(texts59::kReadRefused) + NackText(ByteToHex(*mil_reply.refusal)));
      return DiagnosticOutcome::kRefused;
    }
    ShowEmpty(Text(texts59::kNoEcuAnswer));
    return DiagnosticOutcome::kNoAnswer;
  }
  if (mil->count == 0) {
    ShowEmpty(Text(kNoFault));
    return DiagnosticOutcome::kDone;
  }

  services_.clock.Pause(kShortPause);
  // On a K-line every frame carries three codes: the count tells how many frames to wait for.
  const int frames = (mil->count + kObdCodesPerFrame - 1) / kObdCodesPerFrame;
  const HexMessage codes_answer =
      services_.exchange.SendReceive(HexMessage(kObdCodesRequest), FrameKwp("43012303240244", rh),
                                     frames * kObdCodeFrameBytes, kReadTimeoutMs);
  TraceAnswer(kObdCodesRequest, codes_answer);
  const ObdAnswer codes_reply = ReadObdAnswer(codes_answer, rh, obd_link_, kObdStoredCodes);
  const std::vector<std::pair<int, int>> codes =
      ReadObdCodes(codes_reply, obd_link_ == ObdLink::kElmCan);
  if (codes.empty()) {
    if (codes_reply.refusal) {
      ShowEmpty(Text(texts59::kReadRefused) + NackText(ByteToHex(*codes_reply.refusal)));
      return DiagnosticOutcome::kRefused;
    }
    if (codes_reply.messages.empty()) {
      ShowEmpty(Text(texts59::kNoEcuAnswer));
      return DiagnosticOutcome::kNoAnswer;
    }
    // Mode 01 counts codes that mode 03 does not give (only padding came).
    ShowEmpty(Text(texts59::kCodesMissing));
    return DiagnosticOutcome::kNoAnswer;
  }

  // No status per code in OBD: the frames say why they are empty.
  window_.SetText(w::FrameCause, Text(texts59::kEobdCauseFrame));
  window_.SetText(w::FrameMemorisation, Text(texts59::kEobdMemoFrame));
  for (int i = 0; i < 4; ++i) {
    window_.SetText(w::kCause[i], services_.language.LookupText(kEobdCauseCaptions + i,
                                                                window_.Text(w::kCause[i])));
    window_.SetText(w::kMemo[i], services_.language.LookupText(kEobdMemoCaptions + i,
                                                               window_.Text(w::kMemo[i])));
  }
  for (const auto& [high, low] : codes) {
    StoredFault fault = MakeFault(high, low);
    fault.cause = Text(texts59::kNotInEobd);
    fault.memorisation = Text(texts59::kNotInEobd);
    fault.lamp = mil->lamp;
    fault.cycles = " - ";
    faults_.push_back(std::move(fault));
  }
  eobd_shown_ = true;
  ShowList();
  return DiagnosticOutcome::kDone;
}

void FaultWindow59::DecodeErreur(int k) {
  if (k < 1 || k > NbDefauts()) return;
  const StoredFault& fault = faults_[static_cast<std::size_t>(k - 1)];
  const std::string number = std::to_string(k);
  services_.trace.WriteTrace("Erreur n°:" + number + " " + fault.code + ":" +
                             (fault.short_text.empty() ? " " : fault.short_text));
  window_.SetText(w::LabelTextError,
                  fault.code + "\r\n" + (fault.short_text.empty() ? "  " : fault.short_text) +
                      "\r\n" + (fault.long_text.empty() ? " - " : fault.long_text));
  window_.SetText(w::LabelNbErr,
                  Text(kNumberPrefix) + number + Text(kNumberMiddle) + std::to_string(NbDefauts()));
  ClearOptions();
  window_.SetText(w::LabelNbCycle, fault.cycles);
  if (eobd_shown_) {
    window_.SetEnabled(w::FrameCause, false);
    window_.SetEnabled(w::FrameMemorisation, false);
    window_.SetColour(w::Shape1, fault.lamp.value_or(false) ? kRed : kWhite);
    return;
  }
  if (!fault.status) {
    // Nothing known of this code's state: nothing selected, no lamp colour, and a word why.
    window_.SetEnabled(w::FrameCause, false);
    window_.SetEnabled(w::FrameMemorisation, false);
    window_.SetColour(w::Shape1, kNoColour);
    window_.SetText(w::LabelTextError,
                    window_.Text(w::LabelTextError) + "\r\n" + Text(texts59::kNoEcuAnswer));
    return;
  }
  window_.SetEnabled(w::FrameCause, true);
  window_.SetEnabled(w::FrameMemorisation, true);
  if (const auto cause = CauseIndex(*fault.status)) window_.SetChecked(w::kCause[*cause], true);
  window_.SetChecked(w::kMemo[MemoIndex(*fault.status)], true);
  window_.SetColour(w::Shape1, LampOn(*fault.status) ? kRed : kWhite);
}

void FaultWindow59::ScrollChanged(int value) {
  if (NbDefauts() == 0) return;
  value = std::clamp(value, 1, NbDefauts());
  window_.SetValue(w::HScrollError, value);
  // The widget mirrors the value it was given: that echo is no new choice.
  if (value == index_) return;
  index_ = value;
  DecodeErreur(index_);
  UpdateButtons();
}

void FaultWindow59::ButtonNext() {
  if (index_ < NbDefauts()) ScrollChanged(index_ + 1);
}

void FaultWindow59::ButtonPrevious() {
  if (index_ > 1) ScrollChanged(index_ - 1);
}

DiagnosticOutcome FaultWindow59::CleanError() {
  const int family = services_.link.EcuType;
  if (family != Iaw59M5AM && family != Eobd) return DiagnosticOutcome::kDone;
  if (!services_.dialogs.AskOkCancel(Text(texts59::kClearQuestion), window_.Text(w::CleanError),
                                     Dialogs::Icon::kQuestion)) {
    return DiagnosticOutcome::kCancelled;
  }
  window_.SetEnabled(w::CleanError, false);
  const DiagnosticOutcome outcome = family == Eobd ? ClearEobd() : ClearM59();
  window_.SetEnabled(w::CleanError, true);
  return outcome;
}

DiagnosticOutcome FaultWindow59::ClearM59() {
  const HexMessage& rh = services_.link.ReplyHeader;
  services_.clock.Pause(kShortPause);
  const HexMessage answer = KwpAnswer(services_.exchange.SendReceive(
      EcuRequest(EcuRole::kClearDiagnosticInformation, Iaw59M5AM), FrameKwp("54FF00", rh),
      EcuReplyLength(EcuRole::kClearDiagnosticInformation, Iaw59M5AM), kClearTimeoutMs));
  const KwpReply reply = ReadKwpReply(answer, rh, {.service = kClearService});
  const std::string title = window_.Text(w::CleanError);
  if (reply.Negative()) {
    services_.dialogs.Message(Text(texts59::kClearRefused) + NackText(ByteToHex(reply.code)), title,
                              Dialogs::Icon::kWarning);
    return DiagnosticOutcome::kRefused;
  }
  if (!reply.Positive()) {
    services_.dialogs.Message(Text(texts59::kNoEcuAnswer), title, Dialogs::Icon::kError);
    return DiagnosticOutcome::kNoAnswer;
  }
  ShowEmpty(Text(kNoFault));
  return Load();
}

DiagnosticOutcome FaultWindow59::ClearEobd() {
  const HexMessage& rh = services_.link.ReplyHeader;
  obd_link_ = FindObdLink();
  services_.clock.Pause(kShortPause);
  const HexMessage answer = services_.exchange.SendReceiveFrame(
      HexMessage(kObdClearRequest), FrameKwp("44", rh), kObdClearBytes, kClearTimeoutMs);
  TraceAnswer(kObdClearRequest, answer);
  const ObdAnswer reply = ReadObdAnswer(answer, rh, obd_link_, kObdClearCodes);
  const std::string title = window_.Text(w::CleanError);
  if (reply.messages.empty()) {
    if (reply.refusal) {
      services_.dialogs.Message(Text(texts59::kClearRefused) + NackText(ByteToHex(*reply.refusal)),
                                title, Dialogs::Icon::kWarning);
      return DiagnosticOutcome::kRefused;
    }
    services_.dialogs.Message(Text(texts59::kNoEcuAnswer), title, Dialogs::Icon::kError);
    return DiagnosticOutcome::kNoAnswer;
  }
  ShowEmpty(Text(kNoFault));
  return Load();
}

void FaultWindow59::Close() {
  if (services_.link.EcuType == Iaw59M5AM) services_.clock.Pause(kShortPause);
}

}  // namespace velkor
