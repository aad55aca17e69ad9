#pragma once

#include <string>

#include "adjust/adjust_services.hpp"
#include "config/language_texts.hpp"
#include "core/event_loop.hpp"
#include "core/progress_ticker.hpp"

namespace velkor {

// The stepper-motor test of the IAW 5AM (frame frMoteurPP). The cycle calls GestionMoteurPP once
// per pass: it reads the motor's position (21 6C) and, in the first pass above 600 rpm after
// cdMoteurPP, starts the ECU's test (30 04 07). The test's progress runs on a ticker of its own
// (160 ticks of 200 ms) in ProgressBar1; its end, the end of the run and the program's exit
// send the stop (30 04 00).
//
//   idle --cdMoteurPP--> requested --pass > 600 rpm: 30 04 07, 70 04 07 back--> running
//   requested --refused or silent: the reason shown--> idle
//   requested --a run starts--> idle (the button offered again)
//   running --160 ticks--> stop owed --next pass: 30 04 00--> idle
//   running --the run ends, the program closes: 30 04 00--> idle
//
// cdMoteurPP is enabled from the stepper switch (lbMoteurPP enabled in a shown frMoteurPP)
// whenever nothing is requested or running, and never otherwise.
class StepperTest {
 public:
  static constexpr int kStartAbove = 600;
  static constexpr int kTicks = 160;  // 32 s of 200 ms
  static constexpr double kRequestGap = 0.06;
  static constexpr int kPositionTimeoutMs = 500;
  static constexpr int kTestTimeoutMs = 1000;

  static constexpr LanguageText kRefused{961, "Test Stepper refusé : "};
  static constexpr LanguageText kNoAnswer{962, "pas de réponse de l'ECU"};

  // `timer` is the test's own (never TimerTempo, which the 15M/16M start counts on).
  StepperTest(AdjustServices services, Timer& timer);

  // A run starts: a pending request is dropped and the button offered again.
  void RunStarting();
  // The run ends: a running test is stopped.
  void RunEnded();
  // The program closes: a running test is stopped while the link still sends.
  void Exit();

  // cdMoteurPP.
  void Press();
  // The switch (frMoteurPP double-clicked, the preferences applied) changed: the button follows.
  void SwitchChanged() { EnableButton(); }
  // Once per pass; the text for lbMoteurPP.
  std::string GestionMoteurPP(int displayed_rpm);

  bool Requested() const { return requested_; }
  // The test's progress shows in ProgressBar1, so the throttle must not.
  bool Running() const { return running_; }
  bool StopOwed() const { return stop_owed_; }

 private:
  bool SwitchOn() const;
  void EnableButton();
  void StartTest();
  void Tick(int count);
  void Ended();
  // Sends 30 04 00; true when the ECU confirmed it.
  bool SendStop();
  std::string Text(const LanguageText& text) const;

  AdjustServices s_;
  ProgressTicker ticker_;
  bool requested_ = false;
  bool running_ = false;
  bool stop_owed_ = false;
};

}  // namespace velkor
