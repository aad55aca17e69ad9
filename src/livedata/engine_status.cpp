#include "livedata/engine_status.hpp"

#include <optional>

#include "link/frame.hpp"
#include "link/kwp_reply.hpp"
#include "livedata/frmparam.hpp"

namespace velkor {

namespace fs = frmStatuts;

namespace {

// A text with the id of its translation in the language files.
struct StatusText {
  int id;  // 0: not translated
  std::string_view text;
};

template <typename Key>
struct TextCase {
  Key key;
  StatusText text;
};

// Ignition and engine phase, value byte 4: one bit each.
constexpr TextCase<int> kEnginePhases[] = {
    {1, {906, "Power ON Eng OFF"}},
    {2, {907, "Key ON Eng OFF"}},
    {4, {908, "Engine ON"}},
    {8, {909, "Engine stall / Moteur Calé"}},
    {16, {910, "Process Power-Latch"}},
    {32, {911, "End of power-Latch"}},
};

// Running mode of the injection strategy, value bytes 5 and 6, compared as four hex digits.
constexpr TextCase<std::string_view> kRunningModes[] = {
    {"0001", {912, "Crank/Démarrage"}},
    {"0002", {913, "Stabilizzato in Crank"}},
    {"0004", {914, "Decelerazione in Crank"}},
    {"0008", {915, "Accelerazione in Crank"}},
    {"0010", {916, "Minimo al Crank"}},
    {"0020", {917, "Motore in moto stabilizzato"}},
    {"0040", {918, "Motore in moto al minimo"}},
    {"0080", {919, "Motore in moto in accelerazione"}},
    {"0100", {920, "Motore in moto in decelerazione"}},
    {"0200", {921, "Entrata in Cut-Off"}},
    {"0400", {922, "Stato in Cut-Off"}},
    {"0800", {923, "Uscita di Cut-Off"}},
    {"1000", {924, "Uscita da Cut-Off in Stabilizzato"}},
    {"2000", {925, "Uscita da Cut-Off in accelerazione"}},
};

constexpr TextCase<int> kSideStand[] = {{0, {559, "Rentrée"}}, {1, {558, "Sortie"}}};
constexpr TextCase<int> kClutch[] = {{0, {0, "Pressed"}}, {1, {0, "Released"}}};
constexpr TextCase<int> kThrottle[] = {
    {1, {0, "Minimum"}}, {2, {0, "Full"}}, {4, {349, "Partiel"}}};
constexpr TextCase<int> kRunStop[] = {{0, {0, "Run"}}, {1, {0, "Stop"}}};
constexpr TextCase<int> kStartReadiness[] = {{0, {0, "Not Ready"}}, {1, {0, "Ready"}}};

// State of the lambda loop.
constexpr TextCase<int> kMixtureStates[] = {
    {1, {160, "Crank/ralenti"}},           {2, {161, "Pauvre"}},
    {4, {162, "Transition vers Riche"}},   {8, {163, "Riche"}},
    {16, {164, "Transition vers Pauvre"}}, {32, {165, "Anomalie Pauvre"}},
    {64, {166, "Anomalie Riche"}},
};

std::string Translate(const Language& language, const StatusText& text) {
  return text.id == 0 ? std::string(text.text) : language.LookupText(text.id, text.text);
}

template <typename Key, std::size_t N>
std::optional<std::string> Lookup(const TextCase<Key> (&table)[N], const Key& key,
                                  const Language& language) {
  for (const TextCase<Key>& entry : table) {
    if (entry.key == key) return Translate(language, entry.text);
  }
  return std::nullopt;
}

// The record's value bytes, counted from 0 after its service bytes 61 A6.
class StatusRecord {
 public:
  StatusRecord(std::string_view answer, std::string_view reply_header)
      : reply_(ReadKwpReply(answer, reply_header,
                            {.service = kStatusService, .local_id = kStatusLocalId})) {}

  // The byte, when the answer holds it.
  std::optional<int> Byte(int k) const {
    if (!Holds(k, 1)) return std::nullopt;
    return reply_.Byte(static_cast<std::size_t>(k));
  }
  // `count` value bytes from k on as hex digits, when the answer holds all of them.
  std::optional<std::string> Digits(int k, std::size_t count) const {
    if (!Holds(k, count)) return std::nullopt;
    return Mid(reply_.data, 2 * static_cast<std::size_t>(k) + 1, 2 * count);
  }

 private:
  static constexpr int kStatusService = 0x21;
  static constexpr int kStatusLocalId = 0xA6;

  bool Holds(int k, std::size_t count) const {
    return reply_.Positive() && static_cast<std::size_t>(k) + count <= reply_.DataBytes();
  }

  KwpReply reply_;
};

// Value bytes of the status record.
constexpr int kEnginePhaseByte = 4;
constexpr int kRunningModeByte = 5;  // and 6
constexpr std::size_t kRunningModeBytes = 2;
constexpr int kSideStandByte = 8;
constexpr int kClutchByte = 9;
constexpr int kThrottleByte = 10;
constexpr int kNeutralByte = 12;
constexpr int kRunStopByte = 13;
constexpr int kStartReadinessByte = 14;

enum class LampRule { kGreenWhenZero, kRedWhenZero };

void ShowLamp(ScreenModel& window, std::string_view lamp, std::optional<int> byte, LampRule rule) {
  if (!byte) {
    window.SetColour(lamp, -1);
    return;
  }
  const bool zero = *byte == 0;
  const bool green = rule == LampRule::kGreenWhenZero ? zero : !zero;
  window.SetColour(lamp, green ? kLampGreen : kLampRed);
}

// A value the table does not hold leaves the text as it was.
template <std::size_t N>
void ShowChoice(ScreenModel& window, std::string_view text_box, std::optional<int> byte,
                const TextCase<int> (&table)[N], const Language& language) {
  if (!byte) {
    window.SetText(text_box, std::string(kStatusNotAvailable));
    return;
  }
  if (std::optional<std::string> text = Lookup(table, *byte, language)) {
    window.SetText(text_box, std::move(*text));
  }
}

struct Caption {
  int id;  // 0: not translated
  std::string_view control;
  std::string_view text;
};

constexpr Caption kDesign[] = {
    {175, fs::kWindow, "Statuts"},
    {0, fs::frInjection, "Injection"},
    {0, fs::FrChassis, ""},
    {texts::kEngineFrame.id, fs::FrEngine, texts::kEngineFrame.built_in},
    {171, fs::lbstatut0, "Mode motor"},
    {322, fs::lbstatut1, "Statut moteur"},
    {0, fs::lbstatut2, "Démarrage"},
    {173, fs::lbstatut3, "Stand"},
    {0, fs::lbstatut4, "Run/Stop"},
    {170, fs::lbstatut5, "Démarrage"},
    {176, fs::lbstatut6, "TPS"},
    {texts::kLambdaProbe.id, fs::lbstatut7, texts::kLambdaProbe.built_in},
    {172, fs::lbstatut8, "Richesse/title"},
    {0, fs::lbstatut9, "Clutch handle"},
    {0, fs::lbstatut10, "Neutral"},
};

constexpr std::string_view kTextBoxes[] = {fs::txRichesse,  fs::txTPS,         fs::txNeutral,
                                           fs::txEmbrayage, fs::txDemarrage,   fs::txRunStop,
                                           fs::txBequille,  fs::txStatutMotor, fs::txModeMotor};
constexpr std::string_view kLamps[] = {fs::shNeutral, fs::shEmbrayage, fs::ShDemarrage,
                                       fs::ShRunStop, fs::ShBequille};

}  // namespace

// Whole frames with their checksum, built from the reply header in use, since the reply reader
// checks the checksum of every frame it holds whole.
HexMessage CannedStatusRecord(std::string_view reply_header) {
  return FrameKwp("61A603030000040010000001010001000101", reply_header);
}

HexMessage CannedMixtureRecord(std::string_view reply_header) {
  return FrameKwp("614B02", reply_header);
}

void ShowStatusRecord(std::string_view answer, std::string_view reply_header,
                      const Language& language, ScreenModel& window) {
  const StatusRecord record(answer, reply_header);

  std::string phase(kStatusNotAvailable);
  if (const std::optional<int> byte = record.Byte(kEnginePhaseByte)) {
    if (auto text = Lookup(kEnginePhases, *byte, language)) phase = std::move(*text);
  }
  window.SetText(fs::txStatutMotor, std::move(phase));

  std::string mode(kStatusNotAvailable);
  if (const auto word = record.Digits(kRunningModeByte, kRunningModeBytes)) {
    if (auto text = Lookup(kRunningModes, std::string_view(*word), language)) {
      mode = std::move(*text);
    }
  }
  window.SetText(fs::txModeMotor, std::move(mode));

  const std::optional<int> stand = record.Byte(kSideStandByte);
  ShowLamp(window, fs::ShBequille, stand, LampRule::kGreenWhenZero);
  ShowChoice(window, fs::txBequille, stand, kSideStand, language);

  const std::optional<int> clutch = record.Byte(kClutchByte);
  ShowLamp(window, fs::shEmbrayage, clutch, LampRule::kGreenWhenZero);
  ShowChoice(window, fs::txEmbrayage, clutch, kClutch, language);

  ShowChoice(window, fs::txTPS, record.Byte(kThrottleByte), kThrottle, language);

  ShowLamp(window, fs::shNeutral, record.Byte(kNeutralByte), LampRule::kGreenWhenZero);

  const std::optional<int> run_stop = record.Byte(kRunStopByte);
  ShowLamp(window, fs::ShRunStop, run_stop, LampRule::kGreenWhenZero);
  ShowChoice(window, fs::txRunStop, run_stop, kRunStop, language);

  const std::optional<int> ready = record.Byte(kStartReadinessByte);
  ShowLamp(window, fs::ShDemarrage, ready, LampRule::kRedWhenZero);
  ShowChoice(window, fs::txDemarrage, ready, kStartReadiness, language);
}

void ShowMixtureRecord(std::string_view answer, std::string_view reply_header,
                       const Language& language, ScreenModel& window) {
  std::string text(kStatusNotAvailable);
  // The state byte follows the service bytes 61 4B.
  const KwpReply reply =
      ReadKwpReply(answer, reply_header, {.service = 0x21, .local_id = 0x4B, .needed_bytes = 1});
  if (reply.Positive()) {
    if (auto known = Lookup(kMixtureStates, reply.Byte(0), language)) text = std::move(*known);
  }
  window.SetText(fs::txRichesse, std::move(text));
}

void ApplyStatusWindowDesign(ScreenModel& window) {
  for (const Caption& caption : kDesign) window.SetText(caption.control, std::string(caption.text));
  // Caption 2 repeats caption 5 ("Démarrage") and labels nothing of its own: kept, not shown.
  window.SetVisible(fs::lbstatut2, false);
  for (std::string_view box : kTextBoxes) window.SetText(box, "");
  for (std::string_view lamp : kLamps) window.SetColour(lamp, -1);
}

void ApplyStatusWindowCaptions(const Language& language, ScreenModel& window) {
  for (const Caption& caption : kDesign) {
    if (caption.id != 0)
      window.SetText(caption.control, language.LookupText(caption.id, caption.text));
  }
}

EngineStatus::EngineStatus(ScreenModel& window, EngineStatusServices services)
    : window_(window), services_(services) {
  ApplyStatusWindowDesign(window_);
}

void EngineStatus::LoadWindow() {
  if (Loaded()) return;
  ApplyStatusWindowCaptions(services_.language, window_);
  if (host_ != nullptr) {
    host_->Load();
  } else {
    loaded_ = true;
  }
}

void EngineStatus::ReadStatus() {
  LoadWindow();
  services_.loop.GiveTurn();
  const HexMessage reply_header = services_.link.ReplyHeader;

  services_.clock.Pause(kStatusRequestPause);
  const HexMessage status =
      services_.exchange.SendReceive(HexMessage(kStatusRequest), CannedStatusRecord(reply_header),
                                     kStatusReplyLength, kStatusTimeoutMs);
  ShowStatusRecord(status, reply_header, services_.language, window_);

  services_.clock.Pause(kStatusRequestPause);
  const HexMessage mixture =
      services_.exchange.SendReceive(HexMessage(kMixtureRequest), CannedMixtureRecord(reply_header),
                                     kMixtureReplyLength, kMixtureTimeoutMs);
  ShowMixtureRecord(mixture, reply_header, services_.language, window_);
}

void EngineStatus::ShowWindow() {
  LoadWindow();
  if (host_ != nullptr) host_->Show();
}

void EngineStatus::ClickStatutSonde(ScreenModel& main_window) {
  ShowWindow();
  if (!main_window.Checked(frmparam::chStatutSonde)) main_window.SetText(frmparam::lpresent, "");
}

}  // namespace velkor
