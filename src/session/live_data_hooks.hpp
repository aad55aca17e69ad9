#pragma once

#include <functional>

#include "adjust/stepper_test.hpp"
#include "adjust/trimmer.hpp"
#include "core/screen_model.hpp"
#include "link/link_state.hpp"
#include "livedata/cycle_hooks.hpp"
#include "livedata/engine_status.hpp"
#include "livedata/frmparam.hpp"

namespace velkor {

// The cycle's hooks as far as they are built: the engine-status read of the 59M/5AM while the
// box "Statuts" is ticked, the stepper test and the trimmer, and a per-iteration callback for
// front ends without windows.
class LiveDataHooks : public CycleHooks {
 public:
  LiveDataHooks(const ScreenModel& window, const LinkState& link) : window_(window), link_(link) {}

  void SetEngineStatus(EngineStatus* status) { status_ = status; }
  void SetAdjustments(Trimmer* trimmer, StepperTest* stepper) {
    trimmer_ = trimmer;
    stepper_ = stepper;
  }
  void SetOnSample(std::function<void(const LiveSample&)> on_sample) {
    on_sample_ = std::move(on_sample);
  }

  void ReadEngineStatus() override {
    if (status_ != nullptr && link_.EcuType == Iaw59M5AM &&
        window_.Checked(frmparam::chStatutSonde)) {
      status_->ReadStatus();
    }
  }
  std::string GestionMoteurPP(int displayed_rpm) override {
    return stepper_ != nullptr ? stepper_->GestionMoteurPP(displayed_rpm) : "--";
  }
  void GestionTrimmer(int displayed_rpm) override {
    if (trimmer_ != nullptr) trimmer_->GestionTrimmer(displayed_rpm);
  }
  void SampleReady(const LiveSample& sample) override {
    if (on_sample_) on_sample_(sample);
  }

 private:
  const ScreenModel& window_;
  const LinkState& link_;
  EngineStatus* status_ = nullptr;
  Trimmer* trimmer_ = nullptr;
  StepperTest* stepper_ = nullptr;
  std::function<void(const LiveSample&)> on_sample_;
};

}  // namespace velkor
