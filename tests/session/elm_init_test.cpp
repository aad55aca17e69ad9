// The session start through the text-command adapter, against the adapter model in front of a
// small KWP ECU, in virtual time.
#include "session/elm_init.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "core/ctime_it.hpp"
#include "livedata/frmparam.hpp"
#include "sim/elm327_model.hpp"
#include "sim/virtual_clock.hpp"
#include "sim/virtual_event_loop.hpp"

namespace velkor {
namespace {

namespace fp = frmparam;

// 11 characters of name as ASCII hex.
HexMessage NameHex(const std::string& name) {
  HexMessage hex;
  for (char c : name) hex += ByteToHex(static_cast<unsigned char>(c));
  return hex;
}

// Engine-data record: 61 A0 and 20 data bytes, so the framed reply starts 96 F1 10 61 A0.
const HexMessage kEngineData = "61A0" + std::string(40, '1');

class ElmInitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '_');  // parameterised names hold a slash
    trace_path_ = std::filesystem::path(::testing::TempDir()) / ("elm_init_" + name + ".log");
    watch_.Start();
    ASSERT_TRUE(trace_.Open(trace_path_));
    trace_.SetSink(&trace_lines_);
    state_.EcuType = Iaw59M5AM;
    state_.interface_kind = InterfaceKind::kElm327;
  }
  void TearDown() override {
    trace_.Close();
    std::filesystem::remove(trace_path_);
  }

  // The adapter in front of `ecu` (which sees each request's service bytes), port open.
  void MakeAdapter(sim::ElmEcu ecu, sim::Elm327Options options = {}) {
    adapter_ = std::make_unique<sim::Elm327Model>(clock_, std::move(ecu), options);
    ASSERT_TRUE(adapter_->Open("/dev/ttyUSB0", "38400,n,8,1"));
    exchange_.SetElmPort(adapter_.get());
  }
  // An ECU that answers everything the start asks, with this name.
  sim::ElmEcu Ecu(std::string name) {
    return [this, name](const HexMessage& request) -> HexMessage {
      heard_.push_back(request);
      if (request == "81") return "C1EF8F";
      if (request == "21A0") return kEngineData;
      if (request == "1A92") return "5A92" + NameHex(name);
      if (request == "8302") return "C3020032021400";
      if (request == "0100") return "4100BE1FB810";
      return "";
    };
  }
  bool Start(bool eobd = false) {
    ElmInitContext context{exchange_, state_, clock_, trace_, screen_, measures_, adapter_.get()};
    started_ = clock_.Now();
    const bool result = eobd ? InitComELMEobd(context) : InitComELM(context);
    ended_ = clock_.Now();
    return result;
  }
  const std::vector<std::string>& Lines() const { return trace_lines_.Lines(); }
  std::string TraceFile() const {
    std::ifstream in(trace_path_, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  double CommandGap(std::size_t index) const {
    const auto& times = adapter_->CommandTimes();
    return sim::ToSeconds(times.at(index) - times.at(index - 1));
  }

  sim::VirtualClock clock_;
  sim::VirtualEventLoop loop_{clock_};
  sim::VirtualTimerService timers_{clock_};
  std::unique_ptr<Timer> reply_timer_ = timers_.CreateTimer();
  CTimeIt watch_{clock_};
  TraceLog trace_{watch_};
  TraceList trace_lines_;
  std::filesystem::path trace_path_;
  LinkState state_;
  Exchange exchange_{state_, clock_, loop_, *reply_timer_, trace_};
  ScreenModel screen_;
  MeasureSwitches measures_;
  std::unique_ptr<sim::Elm327Model> adapter_;
  std::vector<HexMessage> heard_;
  sim::Nanos started_{0};
  sim::Nanos ended_{0};
};

TEST_F(ElmInitTest, BusInitAtTheFirstRequestOpensTheSession) {
  MakeAdapter(Ecu("IAW5AM HE05"));
  ASSERT_TRUE(Start());

  const std::string frame = "96F110" + kEngineData;
  const std::string data_line = frame + CheckSum(frame);
  EXPECT_EQ(Lines(), (std::vector<std::string>{
                         "Il va y avoir 7 commandes",
                         "1 :ATZ: ATZ\r\rELM327 v1.5\r\r>",
                         "2 :ATS0: ATS0\rOK\r\r>",
                         "3 :ATL0: ATL0\rOK\r\r>",
                         "4 :ATH1: ATH1\rOK\r\r>",
                         "5 :ATE0: ATE0\rOK\r\r>",
                         "6 :ATSPA5: OK\r\r>",
                         "7 :21A0: BUS INIT: ...OK\r" + data_line + "\r\r>",
                         "8 :21A0: " + data_line + "\r\r>",
                         "Type ECU : IAW5AM HE05",
                     }));
  EXPECT_NE(TraceFile().find(": Ouverture réussie\r\n"), std::string::npos);
  // Each command once: nothing after a CR stopped a request or ran a command again.
  EXPECT_EQ(adapter_->Commands(),
            (std::vector<std::string>{"ATZ", "ATS0", "ATL0", "ATH1", "ATE0", "ATSPA5", "21A0",
                                      "21A0", "1A92", "81", "ATWM8110F13E", "8302"}));
  EXPECT_GE(CommandGap(6), 0.5) << "the adapter is given half a second before the bus init";
  EXPECT_EQ(screen_.Text(fp::lbPanel5), "IAW5AM HE05");
  EXPECT_EQ(adapter_->BytesWaiting(), 0u);

  // The wake-up message is tester present without its checksum, which the adapter adds: on the
  // idle bus it keeps the ECU's session open and puts no stray byte on the line.
  EXPECT_EQ(adapter_->WakeupMessage(), "8110F13E");
  clock_.Pause(7.0);
  EXPECT_EQ(adapter_->KeepAlivesSent(), 2);
  EXPECT_EQ(adapter_->StrayWakeupBytes(), 0);
  EXPECT_EQ(std::count(heard_.begin(), heard_.end(), "3E"), 2);
}

TEST_F(ElmInitTest, BusInitCountsEvenWhenTheEngineDataNeverComes) {
  MakeAdapter(
      [](const HexMessage& request) -> HexMessage { return request == "81" ? "C1EF8F" : ""; });
  EXPECT_TRUE(Start());
  EXPECT_EQ(Lines().at(7), "7 :21A0: BUS INIT: ...OK\rNO DATA\r\r>");
  EXPECT_EQ(Lines().at(8), "8 :21A0: NO DATA\r\r>");
  EXPECT_EQ(std::count(adapter_->Commands().begin(), adapter_->Commands().end(), "21A0"), 2);
}

TEST_F(ElmInitTest, FailedBusInitAndFailedSearchLeaveTheSessionClosed) {
  MakeAdapter([](const HexMessage&) -> HexMessage { return ""; });
  EXPECT_FALSE(Start());
  EXPECT_EQ(Lines().at(7), "7 :21A0: BUS INIT: ...ERROR\r\r>");
  EXPECT_EQ(Lines().at(8), "8 :21A0: SEARCHING...\rUNABLE TO CONNECT\r\r>");
  // The search message asks for one more try; the session still counts as closed.
  EXPECT_EQ(std::count(adapter_->Commands().begin(), adapter_->Commands().end(), "21A0"), 3);
}

TEST_F(ElmInitTest, SearchingAtTheSecondRequestWaitsLongerForTheThird) {
  // The first wake-up goes unanswered, so the second request searches; the ECU then refuses
  // with "response pending" and takes 2.5 s over the third, longer than a 2 s wait.
  sim::Elm327Options options;
  options.failed_wakeups = 1;
  options.search_time = 1.0;
  options.no_data_timeout = 3.0;
  int engine_requests = 0;
  MakeAdapter(
      [&](const HexMessage& request) -> HexMessage {
        if (request == "81") return "C1EF8F";
        if (request != "21A0") return "";
        if (++engine_requests == 1) return "7F2178";
        adapter_->options().ecu_delay = 2.5;
        return kEngineData;
      },
      options);

  EXPECT_TRUE(Start());
  EXPECT_EQ(Lines().at(8),
            "8 :21A0: SEARCHING...\r83F1107F2178" + CheckSum("83F1107F2178") + "\r\r>");
  EXPECT_EQ(Lines().at(9), "Type ECU : ") << "the third request is not traced";
  const auto& commands = adapter_->Commands();
  ASSERT_EQ(commands.at(8), "21A0");
  // The request's frame (6 bytes at 10400 baud), the ECU's 2.5 s, the adapter's listening for
  // another frame: the prompt came inside the third request's 3 s and the answer was kept.
  EXPECT_NEAR(CommandGap(9), 6 * 10.0 / 10400 + 2.5 + 0.05, 0.005);
}

TEST_F(ElmInitTest, SilentAdapterWaitsEveryTimeoutAndFails) {
  sim::Elm327Options options;
  options.powered = false;
  MakeAdapter(Ecu("IAW5AM HE05"), options);
  measures_.moteur_pp = true;

  EXPECT_FALSE(Start());
  // 2 + 5 x 0.4 + 0.5 + 2 + 2 + 1 + 3 x 0.4 seconds.
  EXPECT_NEAR(sim::ToSeconds(ended_ - started_), 10.7, 0.05);
  EXPECT_EQ(Lines().at(1), "1 :ATZ: ");
  EXPECT_EQ(screen_.Text(fp::lbPanel5), "");
  EXPECT_FALSE(screen_.Visible(fp::frMoteurPP));
  EXPECT_FALSE(measures_.moteur_pp);
}

struct NameCase {
  const char* name;
  std::string ecu_name;
  bool moteur_pp;
  bool trimmer;
  bool frame_shown;
  bool stepper_label_enabled;
  bool lambda_shown;
  bool lambda_enabled;
  bool moteur_pp_after;
};

class ElmInitNameTest : public ElmInitTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(ElmInitNameTest, NameDecidesTheStepperAndLambdaControls) {
  const NameCase& c = GetParam();
  measures_.moteur_pp = c.moteur_pp;
  measures_.trimmer = c.trimmer;
  MakeAdapter(Ecu(c.ecu_name));
  ASSERT_TRUE(Start());
  EXPECT_EQ(screen_.Text(fp::lbPanel5), c.ecu_name);
  EXPECT_EQ(screen_.Visible(fp::frMoteurPP), c.frame_shown);
  EXPECT_EQ(screen_.Enabled(fp::lbMoteurPP), c.stepper_label_enabled);
  // The stepper-motor test's button follows its measure, on a 5AM only.
  EXPECT_EQ(screen_.Enabled(fp::cdMoteurPP), c.stepper_label_enabled);
  EXPECT_EQ(screen_.Visible(fp::lbLambda), c.lambda_shown);
  EXPECT_EQ(screen_.Enabled(fp::lbLambda), c.lambda_enabled);
  EXPECT_EQ(measures_.moteur_pp, c.moteur_pp_after);
}

INSTANTIATE_TEST_SUITE_P(Names, ElmInitNameTest,
                         ::testing::Values(NameCase{.name = "FiveAWithStepper",
                                                    .ecu_name = "IAW5AM HE05",
                                                    .moteur_pp = true,
                                                    .trimmer = false,
                                                    .frame_shown = true,
                                                    .stepper_label_enabled = true,
                                                    .lambda_shown = true,
                                                    .lambda_enabled = false,
                                                    .moteur_pp_after = true},
                                           NameCase{.name = "FiveAWithTrimmer",
                                                    .ecu_name = "IAW5AM HE05",
                                                    .moteur_pp = false,
                                                    .trimmer = true,
                                                    .frame_shown = true,
                                                    .stepper_label_enabled = false,
                                                    .lambda_shown = true,
                                                    .lambda_enabled = true,
                                                    .moteur_pp_after = false},
                                           NameCase{.name = "OtherFamilyMember",
                                                    .ecu_name = "IAW59M  R01",
                                                    .moteur_pp = true,
                                                    .trimmer = true,
                                                    .frame_shown = false,
                                                    .stepper_label_enabled = false,
                                                    .lambda_shown = false,
                                                    .lambda_enabled = true,
                                                    .moteur_pp_after = false}),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST_F(ElmInitTest, NameLeavesOutPaddingAndNonHexTextAndStandsWhereTheCableStartPutsIt) {
  const struct {
    const char* what;
    HexMessage identification;  // the reply's service bytes
    const char* shown;
  } cases[] = {
      {"padded record", "5A92" + NameHex("IAW5A") + "000000000000", "IAW5A"},
      // No 5A 92 record: as over a K-line cable, the name is read from the 9th character of
      // the answer on, the byte after a bare header and one service byte.
      {"no record", "5A00" + NameHex("IAW59MHW01"), "IAW59MHW01"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const HexMessage identification = c.identification;
    MakeAdapter([identification](const HexMessage& request) -> HexMessage {
      if (request == "81") return "C1EF8F";
      if (request == "21A0") return kEngineData;
      if (request == "1A92") return identification;
      return "";
    });
    ASSERT_TRUE(Start());
    EXPECT_EQ(screen_.Text(fp::lbPanel5), c.shown);
  }
}

TEST_F(ElmInitTest, EobdStartSearchesAndAsksForTheSupportedPids) {
  MakeAdapter(Ecu("unused"));
  ASSERT_TRUE(Start(/*eobd=*/true));
  EXPECT_EQ(adapter_->Commands(),
            (std::vector<std::string>{"ATZ", "ATS0", "ATL0", "ATH1", "ATE0", "ATSP0", "0100"}));
  EXPECT_EQ(Lines().at(6), "6 :ATSP0: OK\r\r>");
  EXPECT_EQ(Lines().at(7),
            "7 :0100: SEARCHING...\r86F1104100BE1FB810" + CheckSum("86F1104100BE1FB810") + "\r\r>");
  EXPECT_FALSE(screen_.Visible(fp::frMoteurPP));
}

TEST_F(ElmInitTest, EobdStartFailsOnRefusalOrSilence) {
  MakeAdapter([](const HexMessage& request) -> HexMessage {
    if (request == "81") return "C1EF8F";
    if (request == "0100") return "7F0112";
    return "";
  });
  EXPECT_FALSE(Start(true));

  MakeAdapter([](const HexMessage&) -> HexMessage { return ""; });
  EXPECT_FALSE(Start(true));
  EXPECT_EQ(Lines().back(), "7 :0100: SEARCHING...\rUNABLE TO CONNECT\r\r>");
  EXPECT_EQ(adapter_->Commands().back(), "0100") << "a finished search is not repeated";
}

}  // namespace
}  // namespace velkor
