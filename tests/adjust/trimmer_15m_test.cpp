// The 15M trimmer window on the bench's 15M model in virtual time: the ECU's mode and trimmer
// after each way through the window, and every byte the tester put on the line.
#include "adjust/trimmer_15m.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/ecu_family.hpp"
#include "diagnostics/window_bench.hpp"
#include "sim/engine_model.hpp"
#include "sim/family_ecus.hpp"

namespace velkor {
namespace {

namespace t15 = frmTrimmer15;
using diag_bench::WindowBench;

class CountedHandle : public LinkHandle {
 public:
  explicit CountedHandle(int& held) : held_(held) { ++held_; }
  ~CountedHandle() override { --held_; }

 private:
  int& held_;
};

class Trimmer15Bench {
 public:
  explicit Trimmer15Bench(std::uint8_t stored = 0x81) {
    ecu_.Settings().trimmer_raw = stored;
    engine_.SetRunning(false);
    window_.SetView({.show = [this] { ++shown_; }, .close = [this] { ++closed_; }});
  }

  // Opens the window and enters the trimmer mode with the engine stopped, then starts it.
  void EnterTrimmerMode() {
    ASSERT_TRUE(window_.Open());
    window_.PressRun();
    ASSERT_EQ(ecu_.Mode(), sim::ByteMode::kTrimmer);
    engine_.SetRunning(true);
  }
  int Written(const std::string& byte) const {
    const auto bytes = bench_.WrittenBytes();
    return static_cast<int>(std::count(bytes.begin(), bytes.end(), byte));
  }
  // The bytes written from the first `from` on.
  std::vector<std::string> WrittenFrom(const std::string& from) const {
    auto bytes = bench_.WrittenBytes();
    const auto at = std::find(bytes.begin(), bytes.end(), from);
    return {at, bytes.end()};
  }

  WindowBench bench_{Iaw15M, diag_bench::kByteProtocolBaud};
  sim::EngineModel running_;
  sim::SwitchableEngine engine_{running_};
  sim::ByteFamilyEcu ecu_{bench_.clock_, bench_.bus_, engine_, Iaw15M};
  MeasurementFlags flags_;
  int held_ = 0;
  int shown_ = 0;
  int closed_ = 0;
  ScreenModel model_;
  Trimmer15 window_{model_, Trimmer15Services{.diagnostics = bench_.Services(),
                                              .flags = flags_,
                                              .take_link = [this]() -> std::unique_ptr<LinkHandle> {
                                                return std::make_unique<CountedHandle>(held_);
                                              }}};
};

class Trimmer15Test : public ::testing::Test, public Trimmer15Bench {};

// From 81, +1 twice sends 82 then 83; Save stores 83 (the engine running) and leaves the mode.
TEST_F(Trimmer15Test, TwoStepsUpAndSaveStoreTheValue) {
  EnterTrimmerMode();
  EXPECT_EQ(held_, 1);
  EXPECT_FALSE(model_.Enabled(t15::cdSave));
  EXPECT_TRUE(model_.Enabled(t15::frTrimPlus));
  window_.PressTrim(0);
  window_.PressTrim(0);
  EXPECT_EQ(ecu_.TrimmerTemporary(), 0x83);
  EXPECT_EQ(model_.Text(t15::lbTrim), "3");
  EXPECT_TRUE(model_.Enabled(t15::cdSave));
  window_.PressSave();
  EXPECT_EQ(ecu_.Mode(), sim::ByteMode::kNormal);
  EXPECT_EQ(ecu_.Settings().trimmer_raw, 0x83);
  EXPECT_EQ(WrittenFrom("8D"), (std::vector<std::string>{"8D", "82", "83", "FF", "FF", "0F"}));
  EXPECT_EQ(model_.Text(t15::lbTrimStaut), "Valeur mémorisée : 3");
  EXPECT_FALSE(model_.Enabled(t15::cdSave));
  EXPECT_FALSE(model_.Enabled(t15::frTrimPlus));
  EXPECT_TRUE(model_.Enabled(t15::cdAA));
}

// A value is one byte within 01..FE: from FE nothing goes out on +1 (FF would store), from 01
// nothing on -1.
TEST_F(Trimmer15Test, ValuesStayWithinOneToFe) {
  struct Case {
    std::uint8_t stored;
    int index;
  };
  for (const Case& c : {Case{0xFE, 0}, Case{0x01, 1}}) {
    SCOPED_TRACE(c.stored);
    Trimmer15Bench bench(c.stored);
    bench.EnterTrimmerMode();
    bench.window_.PressTrim(c.index);
    EXPECT_EQ(bench.model_.Text(t15::lbTrimStaut), "Limite du trimmer atteinte");
    EXPECT_EQ(bench.WrittenFrom("8D").size(), 1u);
    EXPECT_EQ(bench.Written("FF"), 0);
    EXPECT_FALSE(bench.ecu_.TrimmerTemporary());
  }
}

// Leaving in trimmer mode, whatever way, puts the original value back and leaves the mode;
// with the engine stopped the ECU keeps its old value, running it stores the original again.
TEST_F(Trimmer15Test, ExitInTrimmerModeLeavesTheOriginalValue) {
  for (bool engine_running : {true, false}) {
    SCOPED_TRACE(engine_running);
    Trimmer15Bench bench;
    bench.EnterTrimmerMode();
    bench.window_.PressTrim(0);
    bench.window_.PressTrim(0);
    bench.engine_.SetRunning(engine_running);
    bench.window_.PressExit();
    EXPECT_EQ(bench.ecu_.Mode(), sim::ByteMode::kNormal);
    EXPECT_EQ(bench.ecu_.TrimmerRaw(), 0x81);
    EXPECT_EQ(bench.WrittenFrom("8D"),
              (std::vector<std::string>{"8D", "82", "83", "81", "FF", "FF", "0F"}));
    EXPECT_EQ(bench.model_.Text(t15::lbTrimStaut), "Valeur d'origine rétablie : 1");
    EXPECT_EQ(bench.held_, 0);
    EXPECT_EQ(bench.closed_, 1);
    EXPECT_FALSE(bench.window_.IsOpen());
  }
}

// The engine check refuses unless the ECU says the engine is stopped; nothing of the diagnostic
// mode is sent then.
TEST_F(Trimmer15Test, RunRefusedUnlessTheEngineIsKnownStopped) {
  struct Case {
    const char* name;
    bool running;
    bool silent;
    const char* text;
  };
  for (const Case& c :
       {Case{"Running", true, false, "Le moteur doit être arrété"},
        Case{"Silent", false, true, "Etat du moteur inconnu : pas de réponse de l'ECU"}}) {
    SCOPED_TRACE(c.name);
    Trimmer15Bench bench;
    bench.engine_.SetRunning(c.running);
    if (c.silent) bench.ecu_.AddFault(sim::EcuFault{.request = "13", .silence = true});
    ASSERT_TRUE(bench.window_.Open());
    bench.window_.PressRun();
    ASSERT_EQ(bench.bench_.dialogs_.messages.size(), 1u);
    EXPECT_EQ(bench.bench_.dialogs_.messages[0].text, c.text);
    EXPECT_EQ(bench.Written("AA"), 0);
    EXPECT_EQ(bench.model_.Get(t15::shStatut).colour, Trimmer15::kRed);
    EXPECT_TRUE(bench.model_.Enabled(t15::cdAA));
    EXPECT_FALSE(bench.window_.InTrimmerMode());
  }
}

// A refused trimmer mode (no 8D echo) leaves the ECU's mode and gives the buttons back.
TEST_F(Trimmer15Test, RefusedTrimmerModeLeavesTheDiagnosticMode) {
  ecu_.AddFault(sim::EcuFault{.request = "8D", .silence = true});
  ASSERT_TRUE(window_.Open());
  window_.PressRun();
  EXPECT_EQ(ecu_.Mode(), sim::ByteMode::kNormal);
  // FF FF: an 8D whose echo was lost may have entered the trimmer mode, which one FF does not
  // leave; the trimmer read back says the ECU is in its normal mode again.
  EXPECT_EQ(WrittenFrom("AA"), (std::vector<std::string>{"AA", "8D", "FF", "FF", "0F"}));
  EXPECT_EQ(ecu_.TrimmerRaw(), 0x81);
  ASSERT_EQ(bench_.dialogs_.messages.size(), 1u);
  EXPECT_EQ(bench_.dialogs_.messages[0].text, "Failed");
  EXPECT_TRUE(model_.Enabled(t15::cdAA));
  EXPECT_TRUE(model_.Enabled(t15::cdMesures));
  EXPECT_FALSE(model_.Enabled(t15::frTrimPlus));
}

// A lost echo keeps the last echoed value and says so; the next press sends the neighbour of
// that value, not of 0.
TEST_F(Trimmer15Test, LostEchoKeepsThePreviousValue) {
  EnterTrimmerMode();
  ecu_.AddFault(sim::EcuFault{.request = "82", .silence = true, .times = 1});
  window_.PressTrim(0);
  EXPECT_EQ(window_.Raw(), 0x81);
  EXPECT_EQ(model_.Text(t15::lbTrimStaut), "Pas d'écho de l'ECU : la valeur reste 1");
  window_.PressTrim(0);
  EXPECT_EQ(window_.Raw(), 0x82);
  EXPECT_EQ(WrittenFrom("8D"), (std::vector<std::string>{"8D", "82", "82"}));
}

// Save with the engine stopped: the ECU keeps its old value, and the window does not say stored.
TEST_F(Trimmer15Test, SaveReportsStoredOnlyWhenTheReadBackAgrees) {
  EnterTrimmerMode();
  window_.PressTrim(0);
  engine_.SetRunning(false);
  window_.PressSave();
  EXPECT_EQ(ecu_.Settings().trimmer_raw, 0x81);
  EXPECT_EQ(model_.Text(t15::lbTrimStaut), "Mémorisation non confirmée, l'ECU lit : 1");
  EXPECT_EQ(model_.Get(t15::shStatut).colour, Trimmer15::kRed);
  EXPECT_FALSE(window_.InTrimmerMode());
}

// Closing the window while its measurements run ends them: the measurements are given back and
// so is the link, once the loop has returned.
TEST_F(Trimmer15Test, ClosingDuringTheMeasurementsEndsThem) {
  ASSERT_TRUE(window_.Open());
  bool idle_during = true;
  std::string trimmer_shown;
  bench_.loop_.At(bench_.clock_.Now() + sim::Seconds(3), [&] {
    idle_during = flags_.MeasurementIdle;
    trimmer_shown = model_.Text(t15::lbTrim);
    window_.PressExit();
    EXPECT_EQ(held_, 1);  // the loop still uses the link
  });
  window_.PressMesures();
  EXPECT_FALSE(idle_during);
  EXPECT_EQ(trimmer_shown, "1");
  EXPECT_TRUE(flags_.MeasurementIdle);
  EXPECT_EQ(held_, 0);
  EXPECT_FALSE(window_.IsOpen());
  EXPECT_EQ(model_.Text(t15::cdMesures), "Mesures");
}

TEST_F(Trimmer15Test, OnlyTheFifteenMFamiliesOpenIt) {
  for (int family : {Iaw16M, IawP8, Iaw59M5AM, Eobd}) {
    bench_.link_.EcuType = family;
    EXPECT_FALSE(window_.Open()) << family;
  }
  EXPECT_EQ(held_, 0);
}

}  // namespace
}  // namespace velkor
