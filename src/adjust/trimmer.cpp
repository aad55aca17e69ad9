#include "adjust/trimmer.hpp"

#include <algorithm>

#include "core/ecu_family.hpp"
#include "core/hex_message.hpp"
#include "link/frame.hpp"
#include "link/kwp_reply.hpp"
#include "livedata/ecu_tables.hpp"
#include "livedata/frmparam.hpp"

namespace velkor {

namespace fp = frmparam;

namespace {

constexpr int kTrimmerLocalId = 0x15;
constexpr int kReadLocalId = 0x3D;
constexpr int kReadService = 0x21;
constexpr int kIoControlService = 0x30;
constexpr int kAdjustParameter = 0x07;
constexpr int kStoreParameter = 0x05;
constexpr int kConditionsNotCorrect = 0x22;
constexpr int kByteFamilyTrimmerAddress = 0x0F;

constexpr LanguageText kAdjustRefused{708, "Erreur sur la commande"};
constexpr LanguageText kStoreRefused{708, "Erreur de commande"};
constexpr LanguageText kStoreDone{709, "Commande OK"};
constexpr LanguageText kConditionText{712, "Condition not correct"};
constexpr LanguageText kConditionTitle{706, "La valeur Maximum possible est 126"};
constexpr LanguageText kResetTo{174, "Reset to "};
constexpr std::string_view kInactive = "--";

}  // namespace

std::optional<int> TrimmerByte(int value) {
  if (!TrimmerInRange(value)) return std::nullopt;
  return value >= 0 ? value : value + 256;
}

int TrimmerValueOfByte(int byte) { return byte <= 0x80 ? byte : byte - 256; }

bool TrimmerInRange(int value) { return value >= Trimmer::kMinimum && value <= Trimmer::kMaximum; }

Trimmer::Trimmer(AdjustServices services) : s_(services) {
  s_.window.SetRange(fp::HScrollTrimmer, kMinimum, kMaximum);
}

std::string Trimmer::Text(const LanguageText& text) const {
  return s_.language.LookupText(text.id, text.built_in);
}

void Trimmer::RunStarting() {
  running_ = true;
  pending_.reset();
  store_.reset();
  last_read_.reset();
  sends_ = 0;
}

void Trimmer::SetInitial(std::optional<int> initial) {
  initial_ = initial;
  // Known and within the bar's range, or the button has nothing it could set.
  const bool usable = initial && TrimmerInRange(*initial);
  s_.window.SetEnabled(fp::cdTrimmer, usable);
  s_.window.SetText(fp::cdTrimmer, s_.language.LookupText(kResetTo.id, kResetTo.built_in) +
                                       (initial ? std::to_string(*initial) : std::string("--")));
}

void Trimmer::RunEnded() {
  running_ = false;
  pending_.reset();
  DropStore();
}

void Trimmer::DropStore() {
  if (!store_) return;
  store_.reset();
  s_.window.SetText(fp::lbPanel1, Text(kStoreDropped));
}

bool Trimmer::Adjustable() const {
  const ScreenModel& w = s_.window;
  return running_ && s_.link.EcuType == Iaw59M5AM && w.Enabled(fp::Trimmer) &&
         w.Visible(fp::FrChgTrimmer) && w.Enabled(fp::FrChgTrimmer) && !w.Checked(fp::chMoteur);
}

void Trimmer::ShowBar(int value) {
  s_.window.SetValue(fp::HScrollTrimmer, value);
  s_.window.SetText(fp::lbTrimmer, std::to_string(value));
}

void Trimmer::Choose(int value) {
  value = std::clamp(value, kMinimum, kMaximum);
  if (value == s_.window.Value(fp::HScrollTrimmer)) return;
  ShowBar(value);
  pending_ = value;
  sends_ = 0;
  // The store was confirmed for the value at the press, not for this one.
  if (store_ && *store_ != value) DropStore();
}

void Trimmer::Scrolled(int value) {
  const int before = s_.window.Value(fp::HScrollTrimmer);
  if (value == before) return;  // the widget mirroring the model, not the user
  if (!Adjustable()) {
    ShowBar(before);  // the bar goes back: nothing can be chosen now
    return;
  }
  Choose(value);
}

void Trimmer::Plus() {
  if (Adjustable()) Choose(s_.window.Value(fp::HScrollTrimmer) + 1);
}

void Trimmer::Minus() {
  if (Adjustable()) Choose(s_.window.Value(fp::HScrollTrimmer) - 1);
}

void Trimmer::PressReset() {
  if (!Adjustable() || !s_.window.Enabled(fp::cdTrimmer)) return;
  if (!initial_ || !TrimmerInRange(*initial_)) return;
  Choose(*initial_);
}

void Trimmer::PressMemorise() {
  if (!Adjustable() || !s_.window.Enabled(fp::CdMemorise) || store_) return;
  const int value = s_.window.Value(fp::HScrollTrimmer);
  if (!s_.dialogs.AskOkCancel(Text(kStoreQuestion) + std::to_string(value) + " ?", "Trimmer",
                              Dialogs::Icon::kQuestion)) {
    return;
  }
  // The question may have taken a while: the request holds only for what was asked.
  if (!Adjustable() || s_.window.Value(fp::HScrollTrimmer) != value) return;
  store_ = value;
  s_.window.SetEnabled(fp::CdMemorise, false);
  s_.window.SetText(fp::lbPanel1, Text(kStorePending) + std::to_string(value));
}

void Trimmer::ClickMoteur(bool checked) {
  s_.window.SetChecked(fp::chMoteur, checked);
  // Ticked, nothing is adjusted nor stored from now on; unticked, the next pass decides.
  if (checked) EnableControls(false);
}

void Trimmer::EnableControls(bool adjustable) {
  ScreenModel& w = s_.window;
  w.SetEnabled(fp::FrChgTrimmer, adjustable);
  w.SetEnabled(fp::mnTrimmer, adjustable);
  w.SetEnabled(fp::mnPlus, adjustable);
  w.SetEnabled(fp::mnMoinsUn, adjustable);
  w.SetEnabled(fp::CdMemorise, adjustable && !store_);
}

void Trimmer::ReadByteFamily() {
  const std::string answer =
      s_.exchange.SendReceive(ByteToHex(kByteFamilyTrimmerAddress), "80", 1, kByteReadTimeoutMs);
  const int raw = answer.size() == 2 ? HexToByte(answer) : -1;
  // An empty answer is no trimmer at all, not raw 0 (which would read -128).
  s_.window.SetText(fp::Trimmer, raw < 0 ? std::string(kInactive) : std::to_string(raw - 128));
}

void Trimmer::GestionTrimmer(int displayed_rpm) {
  ScreenModel& w = s_.window;
  const int family = s_.link.EcuType;
  if (!w.Enabled(fp::Trimmer)) {
    w.SetText(fp::Trimmer, std::string(kInactive));
    w.SetVisible(fp::FrChgTrimmer, false);
    w.SetVisible(fp::mnTrimmer, false);
    return;
  }
  if (family != Iaw59M5AM) {
    // The adjustment of the 15M/15RC is the 15M trimmer window's.
    w.SetVisible(fp::FrChgTrimmer, false);
    if (family == Iaw15M || family == Iaw15RC) {
      ReadByteFamily();
    } else {
      w.SetText(fp::Trimmer, std::string(kInactive));
    }
    return;
  }

  s_.clock.Pause(kRequestGap);
  // Test mode reads back what the bar shows, so it never adjusts anything by itself.
  const std::optional<int> shown_byte = TrimmerByte(w.Value(fp::HScrollTrimmer));
  const std::string answer = s_.exchange.SendReceive(
      EcuRequest(EcuRole::kTrimmerRead, Iaw59M5AM),
      FrameKwp("613D" + ByteToHex(shown_byte.value_or(0)), s_.link.ReplyHeader),
      EcuReplyLength(EcuRole::kTrimmerRead, Iaw59M5AM), kReadTimeoutMs);
  const KwpReply reply =
      ReadKwpReply(answer, s_.link.ReplyHeader,
                   {.service = kReadService, .local_id = kReadLocalId, .needed_bytes = 1});

  const bool adjustable =
      displayed_rpm > kAdjustAbove && !w.Checked(fp::chMoteur) && w.Visible(fp::FrChgTrimmer);
  EnableControls(adjustable);

  if (!reply.Positive()) {
    // No value this pass: nothing is shown as read, sent or stored on a guess.
    w.SetText(fp::Trimmer, std::string(kInactive));
    return;
  }
  const int read = TrimmerValueOfByte(reply.Byte(0));
  last_read_ = read;
  w.SetText(fp::Trimmer, std::to_string(read));

  if (pending_ && *pending_ == read) {
    pending_.reset();  // the ECU took the chosen value
    sends_ = 0;
  }
  if (!pending_ && TrimmerInRange(read) && w.Value(fp::HScrollTrimmer) != read) {
    // Nothing chosen: the bar shows what the ECU holds. A store asked for another value is
    // no longer what the bar shows.
    ShowBar(read);
    if (store_ && *store_ != read) DropStore();
  }
  if (!adjustable) return;

  const int chosen = w.Value(fp::HScrollTrimmer);
  if (pending_ && chosen != read) {
    SetTrimmer(chosen);
  } else if (store_) {
    SauveTrimmer(read);
  }
}

void Trimmer::SetTrimmer(int value) {
  const std::optional<int> byte = TrimmerByte(value);
  if (!byte) return;
  if (sends_ >= kMaxSends) {
    // The ECU does not take it: the value is given up and the bar follows the ECU again.
    pending_.reset();
    sends_ = 0;
    s_.window.SetText(fp::lbPanel1, Text(kNotTaken) + std::to_string(value));
    s_.trace.WriteTrace("Trimmer non pris : " + std::to_string(value));
    return;
  }
  ++sends_;
  const HexMessage xx = ByteToHex(*byte);
  s_.clock.Pause(kRequestGap);
  const std::string answer =
      s_.exchange.SendReceive(EcuRequest(EcuRole::kTrimmerAdjust, Iaw59M5AM) + xx,
                              FrameKwp("701507" + xx, s_.link.ReplyHeader),
                              EcuReplyLength(EcuRole::kTrimmerAdjust, Iaw59M5AM), kAdjustTimeoutMs);
  const KwpReply reply =
      ReadKwpReply(answer, s_.link.ReplyHeader,
                   {.service = kIoControlService, .local_id = kTrimmerLocalId, .needed_bytes = 2});
  if (reply.Positive() && reply.Byte(0) == kAdjustParameter) {
    s_.trace.WriteTrace("Trimmer: " + std::to_string(reply.Byte(1)));
  } else {
    s_.window.SetText(fp::lbPanel1, Text(kAdjustRefused));
  }
}

void Trimmer::SauveTrimmer(int read) {
  const int value = *store_;
  if (read != value) {
    // The ECU does not hold the value yet: the request waits for a pass where it does.
    s_.trace.WriteTrace("Sortie sauve : lue=" + std::to_string(read) +
                        " trimmer = " + std::to_string(value));
    return;
  }
  store_.reset();
  const std::optional<int> byte = TrimmerByte(value);
  if (!byte) return;
  const HexMessage xx = ByteToHex(*byte);
  const std::string& rh = s_.link.ReplyHeader;
  s_.clock.Pause(kRequestGap);
  s_.exchange.SendReceive(
      EcuRequest(EcuRole::kTrimmerAdjust, Iaw59M5AM) + xx, FrameKwp("701507" + xx, rh),
      EcuReplyLength(EcuRole::kTrimmerAdjust, Iaw59M5AM), kStoreAdjustTimeoutMs);
  s_.clock.Pause(kRequestGap);
  const std::string answer = s_.exchange.SendReceive(
      EcuRequest(EcuRole::kTrimmerStore, Iaw59M5AM) + xx, FrameKwp("701505" + xx, rh),
      EcuReplyLength(EcuRole::kTrimmerStore, Iaw59M5AM), kStoreTimeoutMs);
  s_.clock.Pause(kStoreSettle);
  const KwpReply reply = ReadKwpReply(
      answer, rh, {.service = kIoControlService, .local_id = kTrimmerLocalId, .needed_bytes = 1});
  if (reply.Positive() && reply.Byte(0) == kStoreParameter) {
    s_.window.SetText(fp::lbPanel1, Text(kStoreDone));
    s_.trace.WriteTrace("Trimmer mémorisé : " + std::to_string(value));
    return;
  }
  if (reply.Negative() && reply.code == kConditionsNotCorrect) {
    s_.dialogs.Message(Text(kConditionText), Text(kConditionTitle), Dialogs::Icon::kNone);
  }
  s_.window.SetText(fp::lbPanel1, Text(kStoreRefused));
  s_.trace.WriteTrace("Trimmer non mémorisé : " + std::to_string(value));
}

}  // namespace velkor
