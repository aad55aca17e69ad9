#include "session/init_1516.hpp"

#include <string>

#include "core/hex_message.hpp"
#include "link/demo_ecu.hpp"
#include "livedata/ecu_tables.hpp"
#include "livedata/frmparam.hpp"

namespace velkor {

namespace {

namespace fp = frmparam;
namespace k = init1516;

// A record is a marker byte, four bytes and their checksum: 10 hex digits, then 2.
constexpr std::size_t kRecordDigits = 10;
constexpr std::size_t kChecksumDigits = 2;

bool RecordAt(std::string_view recep, std::size_t position) {
  return CheckSum(Mid(recep, position, kRecordDigits)) ==
         Mid(recep, position + kRecordDigits, kChecksumDigits);
}

// A fault flag is set when the ECU answers anything but 00 or FF; no answer counts as set.
bool FaultFlagged(const HexMessage& answer) { return answer != "00" && answer != "FF"; }

class Start1516 {
 public:
  explicit Start1516(Init1516Context& context) : c_(context) {}

  bool Run() {
    if (c_.port != nullptr) c_.port->Configure(k::kListenBaud);
    c_.window.SetValue(fp::ProgressBar1, 0);
    c_.window.SetVisible(fp::ProgressBar1, true);
    c_.window.SetText(fp::Lbtest, "");
    c_.window.SetVisible(fp::Lbtest, true);
    c_.progress_timer.Stop();

    if (c_.link.EcuType != Iaw15RC && !ListenForKeyBytes()) return false;
    // The window closed while the start listened: the cable is not touched again.
    if (c_.link.Closing) return false;

    SendAnswerPattern();
    if (!CheckRequest()) return false;
    ReadFaults();

    c_.window.SetVisible(fp::ProgressBar1, false);
    c_.window.SetVisible(fp::Lbtest, false);
    c_.window.SetText(fp::lbPanel5, EcuTypeName(c_.link.EcuType));
    return true;
  }

 private:
  bool ListenForKeyBytes() {
    if (!c_.dialogs.AskOkCancel(c_.language.LookupText(texts::kKeyOffQuestion),
                                c_.language.LookupText(texts::kKeyOffQuestionTitle),
                                Dialogs::Icon::kStop)) {
      return false;
    }
    c_.window.SetText(fp::lpresent, Text(144, "Mettre le contact / Turn KEY ON"));
    c_.window.SetText(fp::lmemo, Text(145, "et attendre les BIP et Init = ON"));
    c_.window.SetVisible(fp::contact, true);
    if (c_.start_progress) {
      c_.start_progress(k::kProgressRunLength);
    } else {
      c_.progress_timer.SetInterval(k::kProgressTickMs);
      c_.progress_timer.Start();
    }

    if (c_.link.Closing) return false;
    // Listen only: the user switches the ignition on while the exchange waits.
    const HexMessage answer =
        c_.exchange.SendReceive("", demo::KeyBytes(), k::kKeyBytes, k::kKeyListenMs);
    c_.trace.WriteTrace("iso : " + answer);
    if (c_.link.Closing) return false;
    if (answer.empty()) {
      Failed();
      return false;
    }
    // A wrong record leaves what was received on the window for the user to report.
    c_.window.SetText(fp::lpresent, "ISO: " + answer);
    return verif_code_iso(answer);
  }

  void SendAnswerPattern() {
    c_.window.SetValue(k::kMousePointer, k::kPointerPhase1);
    ShowPhase(1);
    c_.window.SetVisible(fp::contact, false);
    c_.beeper.Beep();
    // Every byte is placed against the start of the pattern, so pauses that overrun a little
    // do not push the later bytes further out.
    const auto start = c_.clock.Now();
    double at = k::kFirstByteAt;
    for (std::uint8_t byte : k::kAnswerPattern) {
      PauseUntil(start, at);
      if (c_.port != nullptr) c_.port->WriteByte(byte);
      at += k::kByteSpacing;
    }
    const double last_byte_at = at - k::kByteSpacing;
    PauseUntil(start, last_byte_at + k::kSettle);
  }

  // False when the ECU stays silent at the working speed: no session was opened, whatever the
  // key bytes said, and the window must not show one. Test mode has no ECU to answer.
  bool CheckRequest() {
    c_.window.SetValue(k::kMousePointer, k::kPointerPhase2);
    ShowPhase(2);
    if (c_.port != nullptr) c_.port->Configure(k::kWorkingBaud);
    const HexMessage answer = c_.exchange.SendReceive(std::string(k::kCheckRequest),
                                                      demo::OneByteRequest(), 1, k::kByteAnswerMs);
    const bool answered = !answer.empty();
    if (!answered || c_.link.TestMode) c_.link.SetLamp(kLampRed);
    if (!answered && !c_.link.TestMode) {
      Failed();
      return false;
    }
    return true;
  }

  void ReadFaults() {
    c_.window.SetValue(k::kMousePointer, k::kPointerPresentFaults);
    ShowPhase(3);
    c_.window.SetText(fp::lpresent, Text(138, "Aucun Défaut présent / No Failure now"));
    for (std::string_view request : k::kPresentFaultRequests) {
      if (FaultFlagged(Ask(request))) {
        c_.window.SetText(fp::lpresent, Text(139, "Défaut(s)présent(s) / Failure(s)"));
      }
    }
    c_.window.SetValue(k::kMousePointer, k::kPointerStoredFaults);
    c_.window.SetText(fp::lmemo, Text(140, "Aucun Défaut mémorisé / No Failure in RAM"));
    for (std::string_view request : k::kStoredFaultRequests) {
      if (FaultFlagged(Ask(request))) {
        c_.window.SetText(fp::lmemo, Text(141, "Défaut(s) mémorisé(s) / Failure(s) in RAM"));
      }
    }
  }

  HexMessage Ask(std::string_view request) {
    return c_.exchange.SendReceive(std::string(request), demo::OneByteRequest(), 1,
                                   k::kByteAnswerMs);
  }

  void ShowPhase(int phase) {
    c_.window.SetValue(fp::ProgressBar1, phase * 100 / k::kPhaseCount);
    c_.window.SetText(fp::Lbtest, "Phase " + std::to_string(phase));
  }

  void Failed() {
    c_.window.SetText(fp::lmemo, "");
    c_.window.SetText(fp::lpresent, c_.language.LookupText(texts::kStartFailed));
    c_.link.SetLamp(kLampRed);
  }

  void PauseUntil(std::chrono::nanoseconds start, double offset) {
    const double elapsed = std::chrono::duration<double>(c_.clock.Now() - start).count();
    if (offset > elapsed) c_.clock.Pause(offset - elapsed);
  }

  std::string Text(int id, std::string_view built_in) const {
    return c_.language.LookupText(id, built_in);
  }

  Init1516Context& c_;
};

}  // namespace

bool verif_code_iso(std::string_view recep) {
  if (recep.size() < 6) return false;
  const std::size_t p = InStr(recep, "55");
  if (p > 0 && RecordAt(recep, p)) return true;
  const std::size_t q = InStr(recep, "0B");
  if (q == 0) return false;
  return RecordAt(recep, q);
}

bool Init1516(Init1516Context& context) { return Start1516(context).Run(); }

}  // namespace velkor
