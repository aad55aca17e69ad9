// The adapter model on its own: what it answers to each command in each of its modes, in
// virtual time, as the tester's serial port reads it.
#include "sim/elm327_model.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velkor::sim {
namespace {

// An ECU that wakes and answers two services.
HexMessage SmallEcu(const HexMessage& request) {
  if (request == "81") return "C1EF8F";
  if (request == "21A0") return "61A00102";
  if (request == "0100") return "4100BE1FB810";
  if (request == "3E") return "7E";
  return "";
}

HexMessage SilentEcu(const HexMessage&) { return ""; }

class Elm327ModelTest : public ::testing::Test {
 protected:
  void Make(Elm327Options options = {}, ElmEcu ecu = SmallEcu) {
    model_ = std::make_unique<Elm327Model>(clock_, std::move(ecu), options);
    ASSERT_TRUE(model_->Open("/dev/ttyUSB0", "38400,n,8,1"));
  }
  // Writes the command as the exchange does (CR LF, then a second CR LF) and reads up to the
  // prompt, or for `wait` seconds.
  std::string Command(const std::string& command, double wait = 5.0) {
    model_->Write(command + "\r\n\r\n");
    return ReadToPrompt(wait);
  }
  std::string ReadToPrompt(double wait) {
    std::string text;
    const Nanos end = clock_.Now() + Seconds(wait);
    while (text.find('>') == std::string::npos && clock_.Now() < end) {
      clock_.Pause(0.001);
      text += model_->ReadAll();
    }
    return text;
  }

  VirtualClock clock_;
  std::unique_ptr<Elm327Model> model_;
};

struct AnswerCase {
  const char* name;
  std::vector<std::string> before;  // commands sent first, answers not checked
  std::string command;
  std::string answer;
  int failed_wakeups = 0;
  bool silent_ecu = false;
};

class Elm327AnswerTest : public Elm327ModelTest,
                         public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(Elm327AnswerTest, Answers) {
  const AnswerCase& c = GetParam();
  Elm327Options options;
  options.failed_wakeups = c.failed_wakeups;
  Make(options, c.silent_ecu ? ElmEcu(SilentEcu) : ElmEcu(SmallEcu));
  for (const std::string& command : c.before) Command(command);
  EXPECT_EQ(Command(c.command), c.answer);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, Elm327AnswerTest,
    ::testing::Values(
        AnswerCase{"ResetEchoesAndShowsBanner", {}, "ATZ", "ATZ\r\rELM327 v1.5\r\r>"},
        AnswerCase{"EchoOffTakesEffectAfterItsOwnLine", {}, "ATE0", "ATE0\rOK\r\r>"},
        AnswerCase{"NoEcho", {"ATE0"}, "ATI", "ELM327 v1.5\r\r>"},
        AnswerCase{"Linefeeds", {"ATE0", "ATL1"}, "ATI", "ELM327 v1.5\r\n\r\n>"},
        AnswerCase{"ResetRestoresDefaults",
                   {"ATE0", "ATH1", "ATS0", "ATZ"},
                   "ATI",
                   "ATI\rELM327 v1.5\r\r>"},
        AnswerCase{"CaseAndSpacesIgnored", {"ATE0"}, "at sh 81 10 f1", "OK\r\r>"},
        AnswerCase{"UnknownAtCommand", {"ATE0"}, "ATXYZ", "?\r\r>"},
        AnswerCase{"NotHex", {"ATE0"}, "HELLO", "?\r\r>"},
        AnswerCase{"BadProtocol", {"ATE0"}, "ATSPZ", "?\r\r>"},
        AnswerCase{"FirstKwpRequestInitialisesTheBus",
                   {"ATE0", "ATSPA5"},
                   "21A0",
                   "BUS INIT: ...OK\r61 A0 01 02 \r\r>"},
        AnswerCase{
            "AutomaticSearch", {"ATE0", "ATSP0"}, "0100", "SEARCHING...\r41 00 BE 1F B8 10 \r\r>"},
        AnswerCase{"SearchAfterAFailedBusInit",
                   {"ATE0", "ATSPA5", "21A0"},
                   "21A0",
                   "SEARCHING...\r61 A0 01 02 \r\r>",
                   1},
        AnswerCase{"FixedProtocolKeepsTryingTheBusInit",
                   {"ATE0", "ATSP5", "21A0"},
                   "21A0",
                   "BUS INIT: ...OK\r61 A0 01 02 \r\r>",
                   1},
        AnswerCase{"SilentEcuFailsTheBusInit",
                   {"ATE0", "ATSP5"},
                   "21A0",
                   "BUS INIT: ...ERROR\r\r>",
                   0,
                   true},
        AnswerCase{"SilentEcuEndsTheSearch",
                   {"ATE0", "ATSP0"},
                   "21A0",
                   "SEARCHING...\rUNABLE TO CONNECT\r\r>",
                   0,
                   true},
        AnswerCase{"NothingOnAnotherProtocol", {"ATE0", "ATSP3"}, "21A0", "UNABLE TO CONNECT\r\r>"},
        AnswerCase{
            "ConnectedRequestWithoutReply", {"ATE0", "ATSP5", "21A0"}, "2199", "NO DATA\r\r>"},
        AnswerCase{"HeadersShowFrameAndChecksum",
                   {"ATE0", "ATH1", "ATSP5", "21A0"},
                   "21A0",
                   "84 F1 10 61 A0 01 02 89 \r\r>"},
        AnswerCase{"HeadersWithoutSpaces",
                   {"ATE0", "ATH1", "ATS0", "ATSP5", "21A0"},
                   "21A0",
                   "84F11061A0010289\r\r>"},
        AnswerCase{"NewProtocolDropsTheConnection",
                   {"ATE0", "ATSP5", "21A0", "ATSP0"},
                   "21A0",
                   "SEARCHING...\r61 A0 01 02 \r\r>"}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST_F(Elm327ModelTest, TheTrailingEmptyLineIsNotACommand) {
  Make();
  Command("ATI");
  clock_.Pause(1.0);
  EXPECT_EQ(model_->Commands(), std::vector<std::string>{"ATI"});
  EXPECT_EQ(model_->ReadAll(), "");
}

TEST_F(Elm327ModelTest, InputDuringASearchStopsIt) {
  Make();
  Command("ATE0");
  Command("ATSP0");
  model_->Write("21A0\r\n");
  clock_.Pause(0.1);
  model_->Write("21A0\r\n");
  EXPECT_EQ(ReadToPrompt(5.0), "SEARCHING...\rSTOPPED\r\r>");
  clock_.Pause(3.0);
  EXPECT_EQ(model_->ReadAll(), "") << "the stopped search must not answer later";
  EXPECT_FALSE(model_->Connected());
  EXPECT_EQ(Command("21A0"), "SEARCHING...\r61 A0 01 02 \r\r>");
}

TEST_F(Elm327ModelTest, TimeoutSetByAtstDecidesWhenNoDataComes) {
  Make();
  Command("ATE0");
  Command("ATSP5");
  Command("21A0");
  Command("ATST19");  // 25 x 4 ms
  const Nanos start = clock_.Now();
  EXPECT_EQ(Command("2199"), "NO DATA\r\r>");
  EXPECT_NEAR(ToSeconds(clock_.Now() - start), 0.1, 0.002);
}

TEST_F(Elm327ModelTest, WakeupMessageKeepsTheIdleSessionAlive) {
  std::vector<HexMessage> heard;
  Make({}, [&heard](const HexMessage& request) {
    heard.push_back(request);
    return SmallEcu(request);
  });
  Command("ATE0");
  Command("ATSP5");
  Command("21A0");
  Command("ATWM 8110F13EC0");
  EXPECT_EQ(model_->WakeupMessage(), "8110F13EC0");
  heard.clear();
  clock_.Pause(2.0);
  Command("21A0");  // traffic restarts the idle count
  clock_.Pause(2.5);
  EXPECT_EQ(model_->KeepAlivesSent(), 0);
  clock_.Pause(4.0);
  EXPECT_EQ(model_->KeepAlivesSent(), 2);
  EXPECT_EQ(heard, (std::vector<HexMessage>{"21A0", "3E", "3E"}));
  EXPECT_EQ(model_->ReadAll(), "") << "keep-alive replies are not shown to the tester";
}

TEST_F(Elm327ModelTest, WrongSpeedOrNoPowerGivesSilence) {
  Make();
  model_->Close();
  ASSERT_TRUE(model_->Open("/dev/ttyUSB0", "9600,n,8,1"));
  EXPECT_EQ(Command("ATZ", 3.0), "");

  Elm327Options off;
  off.powered = false;
  Make(off);
  EXPECT_EQ(Command("ATZ", 3.0), "");
  EXPECT_TRUE(model_->Commands().empty());
}

TEST_F(Elm327ModelTest, TextDueWhileClosedIsLost) {
  Make();
  model_->Write("ATZ\r");
  model_->Close();
  clock_.Pause(1.0);
  ASSERT_TRUE(model_->Open("/dev/ttyUSB0", "38400,n,8,1"));
  clock_.Pause(1.0);
  EXPECT_EQ(model_->ReadAll(), "");
}

}  // namespace
}  // namespace velkor::sim
