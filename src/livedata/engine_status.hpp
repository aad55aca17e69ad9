#pragma once

#include <string>
#include <string_view>

#include "config/language.hpp"
#include "core/clock.hpp"
#include "core/event_loop.hpp"
#include "core/hex_message.hpp"
#include "core/screen_model.hpp"
#include "link/exchange.hpp"
#include "link/link_state.hpp"

namespace velkor {

// Control names of the status window (the widgets' objectName). The window title is the control
// named after the window. lbstatutN is caption label N.
namespace frmStatuts {
inline constexpr std::string_view kWindow = "frmStatuts";
inline constexpr std::string_view frInjection = "frInjection", txRichesse = "txRichesse",
                                  txTPS = "txTPS";
inline constexpr std::string_view FrChassis = "FrChassis";
inline constexpr std::string_view shNeutral = "shNeutral", txNeutral = "txNeutral";
inline constexpr std::string_view shEmbrayage = "shEmbrayage", txEmbrayage = "txEmbrayage";
inline constexpr std::string_view ShDemarrage = "ShDemarrage", txDemarrage = "txDemarrage";
inline constexpr std::string_view ShRunStop = "ShRunStop", txRunStop = "txRunStop";
inline constexpr std::string_view ShBequille = "ShBequille", txBequille = "txBequille";
inline constexpr std::string_view FrEngine = "FrEngine", txStatutMotor = "txStatutMotor",
                                  txModeMotor = "txModeMotor";
inline constexpr std::string_view lbstatut0 = "lbstatut0", lbstatut1 = "lbstatut1",
                                  lbstatut2 = "lbstatut2", lbstatut3 = "lbstatut3",
                                  lbstatut4 = "lbstatut4", lbstatut5 = "lbstatut5",
                                  lbstatut6 = "lbstatut6", lbstatut7 = "lbstatut7",
                                  lbstatut8 = "lbstatut8", lbstatut9 = "lbstatut9",
                                  lbstatut10 = "lbstatut10";
}  // namespace frmStatuts

// Shown where the ECU gave no state the window knows.
inline constexpr std::string_view kStatusNotAvailable = "N/A";

// ---- The two records ----------------------------------------------------------------------------

// Status record: 92 <reply header> 61 A6, 16 value bytes, checksum.
inline constexpr std::string_view kStatusRequest = "21A6";
inline constexpr int kStatusReplyLength = 22;
inline constexpr int kStatusTimeoutMs = 1000;
// Mixture record: 83 <reply header> 61 4B, the lambda loop's state, checksum.
inline constexpr std::string_view kMixtureRequest = "214B";
inline constexpr int kMixtureReplyLength = 7;
inline constexpr int kMixtureTimeoutMs = 800;
// Idle line before each of the two requests, seconds.
inline constexpr double kStatusRequestPause = 0.08;

// What test mode answers: engine running, mode "0010", side stand in, clutch released, throttle
// closed, neutral lamp red, run, ready to start; lambda loop lean.
HexMessage CannedStatusRecord(std::string_view reply_header);
HexMessage CannedMixtureRecord(std::string_view reply_header);

// ---- Decoding -----------------------------------------------------------------------------------

// Writes the status window's texts and lamps from an answer to kStatusRequest. The record is
// located by its reply header and service bytes, so a stray byte ahead of it shifts nothing.
// Texts of values the window does not know keep what they showed (ignition phase and running
// mode show kStatusNotAvailable); a value missing from the answer (no record at all, or a record
// cut short) shows kStatusNotAvailable and leaves its lamp without colour, never a made-up 0.
void ShowStatusRecord(std::string_view answer, std::string_view reply_header,
                      const Language& language, ScreenModel& window);

// Writes txRichesse from an answer to kMixtureRequest.
void ShowMixtureRecord(std::string_view answer, std::string_view reply_header,
                       const Language& language, ScreenModel& window);

// The design texts of every control (window title, frames, caption labels); text boxes empty,
// lamps without colour.
void ApplyStatusWindowDesign(ScreenModel& window);
// The captions the language files translate, each defaulting to its design text.
void ApplyStatusWindowCaptions(const Language& language, ScreenModel& window);

// ---- The window's behaviour ---------------------------------------------------------------------

// What the status logic asks of the status window.
class StatusWindowHost {
 public:
  virtual ~StatusWindowHost() = default;
  virtual bool Loaded() const = 0;
  // Creates the window hidden, placed from [POSITIONS] StatutsTop / StatutsLeft.
  virtual void Load() = 0;
  // Shows the loaded window without waiting for it to close.
  virtual void Show() = 0;
};

struct EngineStatusServices {
  Exchange& exchange;
  LinkState& link;
  Clock& clock;
  EventLoop& loop;
  const Language& language;
};

// The engine status of the 59M/5AM family: reads the two records and shows them in the status
// window's model.
class EngineStatus {
 public:
  // Applies the design texts to `window`, which must outlive this object.
  EngineStatus(ScreenModel& window, EngineStatusServices services);

  // Without a host (no display) the window counts as loaded once its captions are applied.
  void SetHost(StatusWindowHost* host) { host_ = host; }

  // One status read of the measurement cycle (family 4 with chStatutSonde ticked, which the
  // caller checks): loads the window when it is not loaded, without showing it, then reads and
  // shows the status record and the mixture record. Costs up to 1.8 s of time-outs.
  void ReadStatus();

  // mnStatuts: shows the window.
  void ShowWindow();

  // The main window's chStatutSonde was clicked (its model holds the new state): shows the
  // window; when the box is now cleared, empties lpresent.
  void ClickStatutSonde(ScreenModel& main_window);

  bool Loaded() const { return host_ != nullptr ? host_->Loaded() : loaded_; }

 private:
  void LoadWindow();

  ScreenModel& window_;
  EngineStatusServices services_;
  StatusWindowHost* host_ = nullptr;
  bool loaded_ = false;
};

}  // namespace velkor
