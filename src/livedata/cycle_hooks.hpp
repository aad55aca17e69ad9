#pragma once

#include <string>

#include "livedata/live_sample.hpp"

namespace velkor {

// What the measurement cycle feeds besides the main window. Each window or helper implements
// the part it owns; until it exists the defaults do nothing.
class CycleHooks {
 public:
  virtual ~CycleHooks() = default;
  // Live graph: returns the new graph position.
  virtual int TracePict(int position, float /*rpm*/, float /*injection*/, float /*tps*/) {
    return position;
  }
  virtual void DessineMap(float /*rpm*/, float /*tps*/) {}
  // Stepper supervision: the text for lbMoteurPP.
  virtual std::string GestionMoteurPP(int /*displayed_rpm*/) { return {}; }
  virtual void GestionTrimmer(int /*displayed_rpm*/) {}
  // External AFR acquisition, with the period of the last iteration.
  virtual bool HasAfrSource() const { return false; }
  virtual void AcquireAfr(double /*dt*/, LiveSample& /*sample*/) {}
  // The engine-status read of the 59M/5AM, between records.
  virtual void ReadEngineStatus() {}
  // The iteration is complete (shown, recorded, miss checked): a front end without windows
  // prints it, and may set StopRequest to end the run.
  virtual void SampleReady(const LiveSample& /*sample*/) {}
};

// The recordings fed by the cycle (a workbook and a text file, each its own box and file).
class SampleRecorder {
 public:
  virtual ~SampleRecorder() = default;
  virtual void Append(const LiveSample& sample) = 0;
  // The run ended: save what is open.
  virtual void RunEnded() {}
};

// The system beep.
class Beeper {
 public:
  virtual ~Beeper() = default;
  virtual void Beep() = 0;
};

}  // namespace velkor
