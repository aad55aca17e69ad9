// The diagnostic windows as the program opens them (F4, mnIdentification), on the bench's 59M
// in virtual time: what goes on the line, what the fault window shows, and what the main window
// offers while the window is open and after it closes, including when the ECU goes silent.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diagnostics/fault_window_59.hpp"
#include "diagnostics/identification.hpp"
#include "program_fixture.hpp"
#include "sim/fault_store.hpp"

namespace velkor {
namespace {

using namespace scenario;
using std::chrono::milliseconds;

class DiagnosticsScenarioTest : public ProgramTest {
 protected:
  // An M59 behind a K-line cable, holding `codes`, its session open and idle.
  sim::KwpEngineEcu& OpenM59(std::vector<sim::StoredDtc> codes) {
    WriteIni("[ECU]\r\nType=4\r\nInit=0\r\n[Menu]\r\nauto=0\r\n");
    Cable();
    M59();
    auto& kwp = static_cast<sim::KwpEngineEcu&>(ecu_->Model());
    kwp.Settings().stored_codes = std::move(codes);
    Start(InterfaceKind::kKkl);
    EXPECT_TRUE(logic_->session.Initialise());
    return kwp;
  }
  // The requests the ECU heard from index `from` on, tester present left out.
  std::vector<std::string> HeardSince(std::size_t from) const {
    std::vector<std::string> heard;
    const auto& requests = ecu_->Model().Requests();
    for (std::size_t i = from; i < requests.size(); ++i) {
      if (requests[i].key != "3E") heard.push_back(requests[i].key);
    }
    return heard;
  }
  std::size_t Heard() const { return ecu_->Model().Requests().size(); }
  ScreenModel& Faults() { return logic_->diagnostics.faults_59_model; }
  std::string CodeShown() { return Faults().Text(FrmDTC59::LabelTextError).substr(0, 5); }
};

const std::vector<sim::StoredDtc> kThreeCodes = {
    {0x0122, 0x24, 0x40}, {0xD600, 0x80, 0x01}, {0x4123, 0x03, 0x28}};

TEST_F(DiagnosticsScenarioTest, F4ReadsEachCodeOnceAndTheWindowWalksThroughThem) {
  OpenM59(kThreeCodes);
  const std::size_t before = Heard();
  logic_->window.PressDiagnostics();
  ASSERT_TRUE(logic_->diagnostics.Faults59Open());
  EXPECT_EQ(HeardSince(before),
            (std::vector<std::string>{"1800FF00", "170122", "17D600", "174123"}));
  // While the window is open the measurements and a second diagnostic window are not offered,
  // and the keep-alive holds the session between its reads.
  EXPECT_FALSE(model_.Enabled(fp::cddiag));
  EXPECT_FALSE(model_.Enabled(fp::cdparametre));
  EXPECT_FALSE(logic_->session.Leased());
  EXPECT_TRUE(keep_alive_->IsRunning());

  EXPECT_EQ(Faults().Text(FrmDTC59::LabelNbErr), "Erreur numéro 1 sur 3");
  EXPECT_EQ(CodeShown(), "P0122");
  EXPECT_TRUE(Faults().Checked(FrmDTC59::Cause2));  // Court Circuit à la masse
  EXPECT_TRUE(Faults().Checked(FrmDTC59::Memo1));   // Intermitent
  EXPECT_EQ(Faults().Text(FrmDTC59::LabelNbCycle), "0");
  logic_->diagnostics.NextFault59();
  EXPECT_EQ(CodeShown(), "U1600");
  EXPECT_EQ(Faults().Get(FrmDTC59::Shape1).colour, 0x0000FF);  // red: the lamp is on
  EXPECT_TRUE(Faults().Checked(FrmDTC59::Memo0));              // Présent
  EXPECT_EQ(Faults().Text(FrmDTC59::LabelNbCycle), "63");
  logic_->diagnostics.NextFault59();
  EXPECT_EQ(CodeShown(), "C0123");
  for (std::string_view cause : FrmDTC59::kCause) EXPECT_FALSE(Faults().Checked(cause));
  EXPECT_EQ(Faults().Text(FrmDTC59::LabelNbCycle), "24");
  EXPECT_EQ(HeardSince(before).size(), 4u);  // browsing asks the 59M nothing more

  // The session stays open through a minute of the window being open, and the keep-alive's
  // ticks do not offer the measurements or a second fault window meanwhile.
  clock_.RunFor(std::chrono::seconds(60));
  EXPECT_TRUE(logic_->session.Open());
  EXPECT_FALSE(model_.Enabled(fp::cddiag));
  EXPECT_FALSE(model_.Enabled(fp::cdparametre));
  logic_->diagnostics.Faults59Closed();
  EXPECT_FALSE(logic_->diagnostics.Faults59Open());
  EXPECT_TRUE(model_.Enabled(fp::cddiag));
  ExpectUsable();
}

TEST_F(DiagnosticsScenarioTest, AClearIsAskedForAndAnsweredOrRefused) {
  struct Case {
    const char* name;
    bool confirmed;
    bool refused;
    std::vector<std::string> heard;  // after the read
    int codes_after;
  };
  for (const Case& c : {Case{"cleared", true, false, {"14FF00", "1800FF00"}, 0},
                        Case{"refused while the engine runs", true, true, {"14FF00"}, 3},
                        Case{"cancelled", false, false, {}, 3}}) {
    SCOPED_TRACE(c.name);
    sim::KwpEngineEcu& ecu = OpenM59(kThreeCodes);
    ecu.Settings().refuse_clear_while_running = c.refused;
    logic_->window.PressDiagnostics();
    dialogs_.answer = c.confirmed;
    dialogs_.messages.clear();
    const std::size_t before = Heard();
    logic_->diagnostics.ClearFaults59();
    EXPECT_EQ(HeardSince(before), c.heard);
    EXPECT_EQ(logic_->diagnostics.faults_59.NbDefauts(), c.codes_after);
    EXPECT_EQ(ecu.Settings().stored_codes.size(), static_cast<std::size_t>(c.codes_after));
    if (c.codes_after == 0) {
      EXPECT_EQ(Faults().Text(FrmDTC59::LabelNbErr), "Pas d'erreur détectée");
    } else {
      EXPECT_EQ(Faults().Text(FrmDTC59::LabelNbErr), "Erreur numéro 1 sur 3");
    }
    logic_->diagnostics.Faults59Closed();
    ExpectUsable();
    logic_.reset();
    trace_.Close();
  }
}

// The ECU goes silent in the middle of each read: the window says so instead of showing a
// healthy engine or a code as present, and the main window is usable afterwards (F2 offered
// again when nothing answered at all).
TEST_F(DiagnosticsScenarioTest, AnEcuSilentInTheMiddleOfAReadIsNeverShownAsHealthy) {
  struct Case {
    const char* name;
    std::vector<std::string> silent;  // requests left unanswered; none: the ignition goes off
  };
  for (const Case& c : {Case{"list", {"1800FF00"}}, Case{"statuses", {"17D600", "174123"}},
                        Case{"identification", {"1A80"}}, Case{"ignition off", {}}}) {
    SCOPED_TRACE(c.name);
    OpenM59(kThreeCodes);
    for (const std::string& request : c.silent) {
      ecu_->Model().AddFault({.request = request, .silence = true});
    }
    const bool ignition_off = c.silent.empty();
    if (ignition_off) ecu_->SetIgnition(false);
    const bool nothing_came = ignition_off || c.silent.front() != "17D600";
    if (!ignition_off && c.silent.front() == "1A80") {
      logic_->window.OpenIdentification();
      EXPECT_EQ(logic_->diagnostics.identification.Lines()[0], "Ducati Number : non disponible");
      logic_->diagnostics.IdentificationClosed();
    } else {
      logic_->window.PressDiagnostics();
      EXPECT_NE(Faults().Text(FrmDTC59::LabelNbErr), "Pas d'erreur détectée");
      if (nothing_came) {
        EXPECT_EQ(logic_->diagnostics.faults_59.NbDefauts(), 0);
      } else {
        // The first code keeps its own status; the next is not shown as present.
        EXPECT_TRUE(Faults().Checked(FrmDTC59::Memo1));
        logic_->diagnostics.NextFault59();
        EXPECT_EQ(CodeShown(), "U1600");
        for (std::string_view memo : FrmDTC59::kMemo) EXPECT_FALSE(Faults().Checked(memo));
      }
      logic_->diagnostics.Faults59Closed();
    }
    EXPECT_FALSE(logic_->session.Leased());
    EXPECT_TRUE(logic_->window.flags().MeasureAllowed);
    EXPECT_EQ(model_.Value(fp::MousePointer), 0);
    if (ignition_off) {
      // The session check at the end of the lease found the ECU gone: F2 is offered again.
      EXPECT_FALSE(logic_->session.Open());
      EXPECT_TRUE(model_.Enabled(fp::cdintialisation));
      EXPECT_FALSE(model_.Enabled(fp::cddiag));
      EXPECT_FALSE(model_.Enabled(fp::cdparametre));
    } else {
      // The ECU still keeps its session: everything is offered again.
      EXPECT_TRUE(logic_->session.Open());
      EXPECT_TRUE(model_.Enabled(fp::cddiag));
      EXPECT_TRUE(model_.Enabled(fp::cdparametre));
    }
    logic_.reset();
    trace_.Close();
  }
}

TEST_F(DiagnosticsScenarioTest, IdentificationShowsTheRecordAndGivesTheMenuBack) {
  OpenM59({});
  const std::size_t before = Heard();
  logic_->window.OpenIdentification();
  EXPECT_EQ(HeardSince(before), std::vector<std::string>{"1A80"});
  const std::vector<std::string>& lines = logic_->diagnostics.identification.Lines();
  EXPECT_EQ(lines[1], "Marelli Number : IAW59MHW010");
  EXPECT_FALSE(model_.Enabled(fp::mnIdentification));
  EXPECT_FALSE(model_.Enabled(fp::cdparametre));
  logic_->diagnostics.IdentificationClosed();
  EXPECT_TRUE(model_.Enabled(fp::mnIdentification));
  ExpectUsable();
}

// The user closes the window while it still reads: once the read has ended, the main window
// offers what it offered before, as after any other close.
TEST_F(DiagnosticsScenarioTest, AWindowClosedDuringItsReadGivesTheMainWindowBack) {
  for (const bool identification : {false, true}) {
    SCOPED_TRACE(identification ? "identification" : "fault window");
    OpenM59(kThreeCodes);
    // Within the wait for the record, or for the first code's status.
    loop_.At(clock_.Now() + milliseconds(identification ? 150 : 250), [&] {
      if (identification) {
        logic_->diagnostics.IdentificationClosed();
      } else {
        logic_->diagnostics.Faults59Closed();
      }
    });
    if (identification) {
      logic_->window.OpenIdentification();
    } else {
      logic_->window.PressDiagnostics();
    }
    EXPECT_FALSE(logic_->diagnostics.Faults59Open());
    EXPECT_FALSE(logic_->diagnostics.IdentificationOpen());
    EXPECT_TRUE(model_.Enabled(fp::cddiag));
    EXPECT_TRUE(model_.Enabled(fp::mnIdentification));
    ExpectUsable();
    logic_.reset();
    trace_.Close();
  }
}

// The measurements are running: the first press only asks them to stop, the next one opens.
TEST_F(DiagnosticsScenarioTest, WhileMeasuringTheFirstPressStopsTheRunAndTheNextOpens) {
  OpenM59(kThreeCodes);
  bool opened_during_run = true;
  int passes = 0;
  logic_->hooks.SetOnSample([&](const LiveSample&) {
    if (++passes == 2) {
      logic_->window.PressDiagnostics();
      opened_during_run = logic_->diagnostics.Faults59Open();
    }
  });
  logic_->window.PressParameters();
  logic_->hooks.SetOnSample({});
  EXPECT_FALSE(opened_during_run);
  EXPECT_LE(passes, 3);  // the run stopped at the press
  ASSERT_TRUE(model_.Enabled(fp::cddiag));
  logic_->window.PressDiagnostics();
  EXPECT_TRUE(logic_->diagnostics.Faults59Open());
  EXPECT_EQ(logic_->diagnostics.faults_59.NbDefauts(), 3);
}

}  // namespace
}  // namespace velkor
