#pragma once

#include <optional>
#include <string>

#include "adjust/adjust_services.hpp"
#include "config/language_texts.hpp"

namespace velkor {

// The trimmer's byte convention. A value of the scroll bar (-127 to +127) goes out as the byte
// v (v >= 0) or v + 256 (v < 0); nothing outside that range has a byte, so 0x80 is never sent.
std::optional<int> TrimmerByte(int value);
// A byte read from the ECU: b up to 0x80, b - 256 above (0x80 reads +128, outside the scroll
// bar's range; 0x81 reads -127).
int TrimmerValueOfByte(int byte);
// Whether a value can stand on the scroll bar, and so be sent.
bool TrimmerInRange(int value);

// The idle-mixture trimmer of the main window. Family 4 reads it (21 3D), sends a value the
// user chose as a temporary adjustment (30 15 07 XX) and stores it on request (30 15 07 XX,
// then 30 15 05 XX); the 15M/15RC show it read-only (byte 0F), their adjustment is the 15M
// trimmer window's. The cycle calls GestionTrimmer once per pass with the displayed speed.
//
//   watching --user moves the bar (scroll, F6/F7, Reset to n)--> pending value
//   pending --pass above 600 rpm, test Moteur clear: 30 15 07 XX--> sent
//   sent --a read that shows XX--> watching       (at most kMaxSends sends of one value)
//   watching --CdMemorise, confirmed with v--> store requested
//   store requested --pass above 600 rpm, the ECU reads v: 30 15 07 v, 30 15 05 v--> watching
//   store requested --the bar moves, or the run ends--> dropped
//
// A value goes out only because the user chose it: without a pending value the bar follows
// what the ECU reads (the first valid read of a run included), so a silent read, a byte 0x80
// or a run started with an unknown initial value never sends anything.
class Trimmer {
 public:
  static constexpr int kMinimum = -127;
  static constexpr int kMaximum = 127;
  // Adjustment and store only while the engine runs above this displayed speed.
  static constexpr int kAdjustAbove = 600;
  // Sends of one chosen value that the ECU's reads do not show, before it is given up (each
  // may wait 10 s for its answer; the cycle ends a run after its third silent pass anyway).
  static constexpr int kMaxSends = 3;
  static constexpr double kRequestGap = 0.06;
  static constexpr double kStoreSettle = 0.5;
  static constexpr int kReadTimeoutMs = 800;
  static constexpr int kByteReadTimeoutMs = 300;
  static constexpr int kAdjustTimeoutMs = 10000;
  static constexpr int kStoreAdjustTimeoutMs = 2000;
  static constexpr int kStoreTimeoutMs = 4000;

  // Texts of the store and the adjustment (the status panel and the question).
  static constexpr LanguageText kStoreQuestion{950, "Mémoriser dans l'ECU le trimmer à "};
  static constexpr LanguageText kStorePending{951, "Mémorisation du trimmer en attente : "};
  static constexpr LanguageText kStoreDropped{952, "Mémorisation du trimmer annulée"};
  static constexpr LanguageText kNotTaken{953, "Trimmer non pris par l'ECU : "};

  explicit Trimmer(AdjustServices services);

  // A run starts: nothing is pending, the bar takes the ECU's value at the first valid read.
  void RunStarting();
  // The value the session read at its start (unknown: none); the target of "Reset to n".
  void SetInitial(std::optional<int> initial);
  // The run ended: a requested store is dropped, and says so.
  void RunEnded();

  // Once per pass of the cycle, with the displayed engine speed.
  void GestionTrimmer(int displayed_rpm);

  // HScrollTrimmer moved by the user to `value`.
  void Scrolled(int value);
  void Plus();   // mnPlus, F7, the graph's "Trimmer + 1"
  void Minus();  // mnMoinsUn, F6, "Trimmer - 1"
  void PressMemorise();
  void PressReset();  // cdTrimmer "Reset to n"
  void ClickMoteur(bool checked);

  std::optional<int> Initial() const { return initial_; }
  // The value chosen by the user and not yet read back from the ECU.
  std::optional<int> Pending() const { return pending_; }
  std::optional<int> StoreRequest() const { return store_; }
  // The last value read from the ECU in this run.
  std::optional<int> LastRead() const { return last_read_; }

 private:
  bool Adjustable() const;
  // The user put the bar on `value` (clamped to the range).
  void Choose(int value);
  void DropStore();
  void ShowBar(int value);
  void EnableControls(bool adjustable);
  void ReadByteFamily();
  void SetTrimmer(int value);
  void SauveTrimmer(int value);
  std::string Text(const LanguageText& text) const;

  AdjustServices s_;
  std::optional<int> initial_;
  std::optional<int> pending_;
  std::optional<int> store_;
  std::optional<int> last_read_;
  int sends_ = 0;
  bool running_ = false;
};

}  // namespace velkor
