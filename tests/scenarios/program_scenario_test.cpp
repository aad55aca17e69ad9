// The program's logic as both front ends build it (ProgramLogic), on the bench in virtual time:
// the window closing in the middle of every kind of session start, and the link lease of the
// windows that talk to the ECU outside the measurement cycle, through each way out.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>

#include "config/settings_keys.hpp"
#include "livedata/frmparam.hpp"
#include "platform/real_file_system.hpp"
#include "program_fixture.hpp"
#include "session/program_logic.hpp"
#include "sim/elm327_model.hpp"
#include "sim/engine_model.hpp"
#include "sim/family_ecus.hpp"
#include "sim/kline_bus.hpp"
#include "sim/scripted_dialogs.hpp"
#include "sim/tester_uart.hpp"
#include "sim/virtual_clock.hpp"
#include "sim/virtual_event_loop.hpp"
#include "sim/wakeup_ecu.hpp"

namespace velkor {
namespace {

namespace fp = frmparam;
using sim::Nanos;
using std::chrono::milliseconds;
using std::chrono::seconds;

using namespace scenario;

// ---- Closing during a session start -------------------------------------------------------------

struct StartKind {
  const char* name;
  const char* ini;
  bool adapter;
};

class CloseDuringStartTest : public ProgramTest, public ::testing::WithParamInterface<StartKind> {};

// A bike that never answers keeps each start trying for a long time (40 KWP attempts take about
// 70 s); the user closes the window 3 s in. The start ends at its next turn, sends nothing more,
// shows no message, leaves [ECU] Init as it was, and the link is let go once it has returned.
TEST_P(CloseDuringStartTest, StartEndsAtItsNextTurnAndSendsNothingMore) {
  const StartKind& c = GetParam();
  WriteIni(c.ini);
  sim::Elm327Options options;
  options.powered = false;  // answers nothing
  sim::Elm327Model adapter(
      clock_, [](const HexMessage&) { return HexMessage(); }, options);
  std::vector<Nanos> adapter_writes;
  if (c.adapter) {
    host_.choice.elm = std::make_unique<NotedPort>(clock_, adapter, adapter_writes);
    host_.choice.device = "/dev/rfcomm0";
    Start(InterfaceKind::kElm327);
  } else {
    Cable();
    Start(InterfaceKind::kKkl);
  }
  const std::string init_before = ini_.GetProfileString("ECU", "Init", "-", 255);
  const Nanos start = clock_.Now();
  CloseAt(start + seconds(3));

  EXPECT_FALSE(logic_->session.Initialise());

  EXPECT_NE(closed_at_, Nanos{});
  EXPECT_LT(clock_.Now() - start, seconds(25));  // not the whole 40 attempts or the 20 s listen
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_EQ(ini_.GetProfileString("ECU", "Init", "-", 255), init_before);
  EXPECT_EQ(logic_->session.KLine(), nullptr);
  EXPECT_EQ(logic_->session.Adapter(), nullptr);
  EXPECT_FALSE(keep_alive_->IsRunning());
  if (uart_ != nullptr) {
    EXPECT_TRUE(cable_released_);
    // What was on its way when the window closed may finish; nothing is started after it.
    EXPECT_EQ(WrittenSince(closed_at_ + milliseconds(20)), 0);
    for (const auto& change : bus_.SpeedLog()) {
      EXPECT_LT(change.time, closed_at_ + milliseconds(20));
    }
  }
  if (c.adapter) {
    EXPECT_FALSE(adapter.IsOpen());
    ASSERT_FALSE(adapter_writes.empty());
    EXPECT_LT(adapter_writes.back(), closed_at_);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, CloseDuringStartTest,
    ::testing::Values(StartKind{"FastInitByBreak", "[ECU]\r\nType=4\r\nInit=0\r\n", false},
                      StartKind{"FiveBaudAddress", "[ECU]\r\nType=4\r\nInit=2\r\n", false},
                      StartKind{"KeyBytesOf16M", "[ECU]\r\nType=0\r\n", false},
                      StartKind{"ElmScript", "[ECU]\r\nType=4\r\n", true}),
    [](const ::testing::TestParamInfo<StartKind>& kind) { return std::string(kind.param.name); });

// ---- Closing an open session ------------------------------------------------------------------

class CloseSessionTest : public ProgramTest {};

// An M59 session on a K-line cable, measuring when the user closes the window: the run is given
// time to stop, then the session ends with its two frames and the cable is let go.
TEST_F(CloseSessionTest, KwpSessionEndsWithItsFramesOnceTheCycleHasStopped) {
  WriteIni("[ECU]\r\nType=4\r\nInit=0\r\n[Menu]\r\nauto=0\r\n");
  Cable();
  M59();
  Start(InterfaceKind::kKkl);
  ASSERT_TRUE(logic_->session.Initialise());
  int passes = 0;
  logic_->hooks.SetOnSample([&](const LiveSample&) {
    if (++passes == 3) {
      closed_at_ = clock_.Now();
      logic_->window.Quit();
      logic_->window.Unload();
    }
  });
  logic_->window.PressParameters();
  EXPECT_EQ(passes, 3);
  EXPECT_EQ(Requests("20"), 1);  // stop diagnostic session
  EXPECT_EQ(Requests("82"), 1);  // stop communication
  const auto& requests = ecu_->Model().Requests();
  const auto stop =
      std::find_if(requests.begin(), requests.end(), [](const auto& r) { return r.key == "20"; });
  ASSERT_NE(stop, requests.end());
  EXPECT_GE(stop->end - closed_at_, milliseconds(860));
  EXPECT_EQ(std::prev(requests.end())->key, "82");  // nothing after it
  EXPECT_EQ(logic_->session.KLine(), nullptr);
  EXPECT_FALSE(keep_alive_->IsRunning());
  EXPECT_FALSE(trace_.IsOpen());
}

TEST_F(CloseSessionTest, EobdAndByteFamiliesSendNothingOnClosing) {
  for (const char* ini : {"[ECU]\r\nType=5\r\n", "[ECU]\r\nType=0\r\n"}) {
    SCOPED_TRACE(ini);
    WriteIni(ini);
    Cable();
    Start(InterfaceKind::kKkl);
    const Nanos closing = clock_.Now();
    logic_->window.Quit();
    logic_->window.Unload();
    EXPECT_EQ(WrittenSince(closing), 0);
    EXPECT_EQ(logic_->session.KLine(), nullptr);
    logic_.reset();
    trace_.Close();
  }
}

TEST_F(CloseSessionTest, OverAnAdapterItsPortIsClosedAndTheKLineHearsNothing) {
  WriteIni("[ECU]\r\nType=4\r\n");
  sim::Elm327Model adapter(clock_, [](const HexMessage&) { return HexMessage(); });
  ASSERT_TRUE(adapter.Open("/dev/rfcomm0", "38400,n,8,1"));  // as the interface window left it
  std::vector<Nanos> adapter_writes;
  host_.choice.elm = std::make_unique<NotedPort>(clock_, adapter, adapter_writes);
  host_.choice.device = "/dev/rfcomm0";
  host_.choice.port_number = 3;
  Start(InterfaceKind::kElm327);
  ASSERT_TRUE(adapter.IsOpen());
  EXPECT_EQ(model_.Text(fp::lbPanel4), "ELM sur COM3");
  const std::size_t writes = adapter_writes.size();
  logic_->window.Quit();
  logic_->window.Unload();
  EXPECT_FALSE(adapter.IsOpen());
  EXPECT_EQ(adapter_writes.size(), writes);  // no closing frames through the adapter either
  EXPECT_EQ(logic_->session.Adapter(), nullptr);
}

// ---- The trimmer's initial value at a measurement start
// ------------------------------------------

// The demo M59 holds its trimmer at 9: every family-4 run shows it on the reset button, read once
// by the session and remembered, not "Reset to 0".
TEST_F(ProgramTest, TrimmerResetButtonShowsTheValueTheEcuHolds) {
  WriteIni("[ECU]\r\nType=4\r\n[Menu]\r\nauto=0\r\n[Mesures]\r\nTrimmer=-1\r\n");
  Start(InterfaceKind::kUsb, /*test_mode=*/true);
  ASSERT_TRUE(logic_->session.Initialise());
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE(run);
    model_.SetText(fp::cdTrimmer, "");
    EXPECT_EQ(Measure(2), 2);
    EXPECT_EQ(model_.Text(fp::cdTrimmer), "Reset to 9");
  }
}

// ---- The link lease: the status read outside the cycle ---------------------------------------

class StatusLeaseTest : public ProgramTest {
 protected:
  // F2 on an M59 behind a K-line cable; no measurements yet.
  void OpenSession() {
    WriteIni("[ECU]\r\nType=4\r\nInit=0\r\n[Menu]\r\nauto=0\r\n");
    Cable();
    M59();
    Start(InterfaceKind::kKkl);
    ASSERT_TRUE(logic_->session.Initialise());
    ASSERT_TRUE(keep_alive_->IsRunning());
  }
  // mnStatuts while nothing is measured: one read of both records under a lease.
  void OpenStatusWindow() {
    logic_->window.OpenStatus();
    EXPECT_FALSE(logic_->session.Leased());
  }
};

TEST_F(StatusLeaseTest, ReadDoneGivesEverythingBack) {
  OpenSession();
  bool held_during_read = false;
  loop_.At(clock_.Now() + milliseconds(120), [&] {
    held_during_read = logic_->session.Leased() && !keep_alive_->IsRunning() &&
                       !logic_->window.flags().MeasureAllowed && !model_.Enabled(fp::cdparametre) &&
                       !model_.Enabled(fp::cdintialisation) && model_.Value(fp::MousePointer) != 0;
  });
  OpenStatusWindow();
  EXPECT_TRUE(held_during_read);
  EXPECT_EQ(Requests("21A6"), 1);
  EXPECT_EQ(Requests("214B"), 1);
  EXPECT_EQ(logic_->status_model.Text(frmStatuts::txRunStop), "Run");
  EXPECT_TRUE(keep_alive_->IsRunning());
  EXPECT_FALSE(model_.Enabled(fp::cdintialisation));
  ExpectUsable();
}

TEST_F(StatusLeaseTest, RefusedReadStillGivesTheSessionBack) {
  OpenSession();
  ecu_->Model().AddFault({.request = "21A6", .negative = 0x12});
  OpenStatusWindow();
  EXPECT_EQ(link_.lamp_colour, kLampGreen);  // the ECU answered, if only to refuse
  EXPECT_TRUE(keep_alive_->IsRunning());
  ExpectUsable();
}

TEST_F(StatusLeaseTest, EcuGoneDuringTheReadEndsInTheNoSessionState) {
  OpenSession();
  ecu_->SetIgnition(false);
  OpenStatusWindow();
  // The unanswered read makes the lease ask for the session at once, not 2.5 s later.
  EXPECT_EQ(Requests("3E"), 0);  // nobody hears it any more
  EXPECT_EQ(link_.lamp_colour, kLampRed);
  EXPECT_EQ(model_.Text(fp::lbPanel1), "Init : OFF");
  EXPECT_TRUE(model_.Enabled(fp::cdintialisation));
  EXPECT_FALSE(model_.Enabled(fp::cdparametre));
  EXPECT_FALSE(keep_alive_->IsRunning());
  EXPECT_TRUE(logic_->window.flags().MeasureAllowed);
  EXPECT_EQ(model_.Value(fp::MousePointer), 0);
  EXPECT_FALSE(logic_->session.Open());
}

TEST_F(StatusLeaseTest, ProgramClosedDuringTheReadEndsTheSessionOnceTheReadReturns) {
  OpenSession();
  CloseAt(clock_.Now() + milliseconds(120));  // while the first record is on its way
  OpenStatusWindow();
  EXPECT_NE(closed_at_, Nanos{});
  EXPECT_EQ(Requests("21A6"), 1);
  EXPECT_EQ(Requests("214B"), 0);  // refused: the program is closing
  // The closing frames waited for the read, then the cable was let go.
  EXPECT_EQ(Requests("20"), 1);
  EXPECT_EQ(Requests("82"), 1);
  EXPECT_EQ(logic_->session.KLine(), nullptr);
  EXPECT_FALSE(keep_alive_->IsRunning());
}

TEST_F(StatusLeaseTest, WhileMeasuringTheCycleReadsItAndNoLeaseIsTaken) {
  OpenSession();
  int passes = 0;
  bool leased = false;
  logic_->hooks.SetOnSample([&](const LiveSample&) {
    if (++passes == 2) {
      logic_->window.OpenStatus();
      leased = logic_->session.Leased();
    }
    if (passes >= 4) logic_->window.flags().StopRequest = true;
  });
  logic_->window.PressParameters();
  EXPECT_EQ(passes, 4);  // the status window did not stop the measurements
  EXPECT_FALSE(leased);
  EXPECT_EQ(Requests("21A6"), 0);  // the box chStatutSonde is clear: the cycle skips it
}

TEST_F(StatusLeaseTest, TickingStatutsShowsTheWindowAndClearingItEmptiesTheLabel) {
  OpenSession();
  model_.SetText(fp::lpresent, "Défauts");
  logic_->window.ClickStatutSonde(true);
  EXPECT_TRUE(logic_->status.Loaded());
  EXPECT_EQ(Requests("21A6"), 1);
  logic_->window.ClickStatutSonde(false);
  EXPECT_EQ(model_.Text(fp::lpresent), "");
  EXPECT_EQ(Requests("21A6"), 1);
}

// ---- The link lease: re-initialisation of the byte-protocol families ---------------------------

class ReInitLeaseTest : public ProgramTest {
 protected:
  // F2 on the demo 16M: the start asks to switch the key off first (answered OK).
  void OpenSession() {
    WriteIni("[ECU]\r\nType=0\r\n[Menu]\r\nauto=0\r\n");
    Start(InterfaceKind::kUsb, /*test_mode=*/true);
    ASSERT_TRUE(logic_->session.Initialise());
    ASSERT_TRUE(model_.Enabled(fp::CdReInit));
    dialogs_.questions.clear();
  }
};

TEST_F(ReInitLeaseTest, CancelGivesTheSessionBack) {
  OpenSession();
  dialogs_.answer = false;
  logic_->window.PressReInitialisation();
  ASSERT_EQ(dialogs_.questions.size(), 1u);
  EXPECT_EQ(link_.lamp_colour, kLampGreen);
  EXPECT_TRUE(model_.Enabled(fp::CdReInit));
  ExpectUsable();
}

TEST_F(ReInitLeaseTest, OkEndsInTheNoSessionState) {
  OpenSession();
  dialogs_.answer = true;
  logic_->window.PressReInitialisation();
  ASSERT_EQ(dialogs_.questions.size(), 1u);
  EXPECT_EQ(link_.lamp_colour, kLampRed);
  EXPECT_TRUE(model_.Enabled(fp::cdintialisation));
  EXPECT_FALSE(model_.Enabled(fp::cdparametre));
  EXPECT_FALSE(model_.Enabled(fp::CdReInit));
  EXPECT_FALSE(logic_->session.Leased());
  EXPECT_TRUE(logic_->window.flags().MeasureAllowed);
  EXPECT_EQ(model_.Value(fp::MousePointer), 0);
  // F2 starts again.
  EXPECT_TRUE(logic_->session.Initialise());
}

TEST_F(ReInitLeaseTest, WhileMeasuringTheFirstClickStopsTheRunAndTheSecondAsks) {
  OpenSession();
  int passes = 0;
  logic_->hooks.SetOnSample([&](const LiveSample&) {
    if (++passes == 2) logic_->window.PressReInitialisation();
    if (passes >= 10) logic_->window.flags().StopRequest = true;
  });
  logic_->window.PressParameters();
  EXPECT_EQ(passes, 2);  // the run ended after the pass of the click
  EXPECT_TRUE(dialogs_.questions.empty());
  dialogs_.answer = false;
  logic_->window.PressReInitialisation();
  EXPECT_EQ(dialogs_.questions.size(), 1u);
  ExpectUsable();
}

TEST_F(ReInitLeaseTest, ProgramClosedDuringTheQuestionRestartsNothing) {
  OpenSession();
  dialogs_.during_question = [this] {
    logic_->window.Quit();
    logic_->window.Unload();
  };
  dialogs_.answer = true;
  logic_->window.PressReInitialisation();
  EXPECT_TRUE(link_.Closing);
  EXPECT_FALSE(keep_alive_->IsRunning());
  EXPECT_FALSE(logic_->session.Leased());
  EXPECT_EQ(model_.Value(fp::MousePointer), 0);
}

}  // namespace
}  // namespace velkor
