// The adapter model on its own: what it answers to each command in each of its modes, in
// virtual time, as the tester's serial port reads it. Commands end with a single CR, as a
// tester sends them.
#include "sim/elm327_model.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace velkor::sim {
namespace {

// An ECU that wakes on a fast init and answers a few services.
HexMessage SmallEcu(const HexMessage& request) {
  if (request == "81") return "C1EF8F";
  if (request == "21A0") return "61A00102";
  if (request == "0100") return "4100BE1FB810";
  if (request == "3E") return "7E";
  return "";
}

HexMessage SilentEcu(const HexMessage&) { return ""; }

// The adapter's set-ups the cases need, beyond the defaults.
enum class Bench {
  kSmall,          // SmallEcu, woken by a fast init
  kSilent,         // nobody answers
  kOneFailedWake,  // SmallEcu; the first wake-up goes unanswered
  kFiveBaud,       // SmallEcu woken only by the five-baud address 33 (KWP key bytes EF 8F)
  kFiveBaudAt11,   // the same at the address 11
  kIso9141,        // five-baud address 33, key bytes 08 08
  kBattery12,      // 12.25 V at the socket
};

Elm327Options OptionsFor(Bench bench) {
  Elm327Options options;
  switch (bench) {
    case Bench::kOneFailedWake:
      options.failed_wakeups = 1;
      break;
    case Bench::kFiveBaud:
    case Bench::kFiveBaudAt11:
    case Bench::kIso9141:
      options.ecu_fast_init = false;
      options.ecu_five_baud_address = bench == Bench::kFiveBaudAt11 ? 0x11 : 0x33;
      if (bench == Bench::kIso9141) options.ecu_key_bytes = {0x08, 0x08};
      break;
    case Bench::kBattery12:
      options.battery_volts = 12.25;
      break;
    default:
      break;
  }
  return options;
}

class Elm327ModelTest : public ::testing::Test {
 protected:
  void Make(Elm327Options options = {}, ElmEcu ecu = SmallEcu) {
    model_ = std::make_unique<Elm327Model>(clock_, std::move(ecu), options);
    ASSERT_TRUE(model_->Open("/dev/ttyUSB0", "38400,n,8,1"));
  }
  void MakeFrames(ElmFramesEcu ecu, Elm327Options options = {}) {
    model_ = std::make_unique<Elm327Model>(clock_, std::move(ecu), options);
    ASSERT_TRUE(model_->Open("/dev/ttyUSB0", "38400,n,8,1"));
  }
  // Writes the command with its CR and reads up to the prompt, or for `wait` seconds.
  std::string Command(const std::string& command, double wait = 5.0) {
    model_->Write(command + "\r");
    return ReadToPrompt(wait);
  }
  void Commands(const std::vector<std::string>& commands) {
    for (const std::string& command : commands) Command(command);
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
  Bench bench = Bench::kSmall;
};

class Elm327AnswerTest : public Elm327ModelTest,
                         public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(Elm327AnswerTest, Answers) {
  const AnswerCase& c = GetParam();
  Make(OptionsFor(c.bench), c.bench == Bench::kSilent ? ElmEcu(SilentEcu) : ElmEcu(SmallEcu));
  Commands(c.before);
  EXPECT_EQ(Command(c.command), c.answer);
}

// What the adapter shows of itself, and how it takes a command.
INSTANTIATE_TEST_SUITE_P(
    Commands, Elm327AnswerTest,
    ::testing::Values(
        AnswerCase{"ResetEchoesAndShowsBanner", {}, "ATZ", "ATZ\r\rELM327 v1.5\r\r>"},
        AnswerCase{"WarmStartRestoresTheEcho", {"ATE0"}, "ATWS", "\rELM327 v1.5\r\r>"},
        AnswerCase{"EchoOffTakesEffectAfterItsOwnLine", {}, "ATE0", "ATE0\rOK\r\r>"},
        AnswerCase{"NoEcho", {"ATE0"}, "ATI", "ELM327 v1.5\r\r>"},
        AnswerCase{"Linefeeds", {"ATE0", "ATL1"}, "ATI", "ELM327 v1.5\r\n\r\n>"},
        AnswerCase{"ResetRestoresDefaults",
                   {"ATE0", "ATH1", "ATS0", "ATZ"},
                   "ATI",
                   "ATI\rELM327 v1.5\r\r>"},
        AnswerCase{"Description", {"ATE0"}, "AT@1", "OBDII to RS232 Interpreter\r\r>"},
        AnswerCase{
            "CaseSpacesAndControlCharactersIgnored", {"ATE0"}, "at\tsh 81 10\x01 f1", "OK\r\r>"},
        AnswerCase{"BatteryVoltage", {"ATE0"}, "ATRV", "13.8V\r\r>"},
        AnswerCase{"BatteryVoltageInTenths", {"ATE0"}, "ATRV", "12.3V\r\r>", Bench::kBattery12},
        AnswerCase{"UnknownAtCommand", {"ATE0"}, "ATXYZ", "?\r\r>"},
        AnswerCase{"NotHex", {"ATE0"}, "HELLO", "?\r\r>"},
        AnswerCase{"TooLongForTheKLine", {"ATE0"}, "0102030405060708", "?\r\r>"},
        AnswerCase{"BadProtocol", {"ATE0"}, "ATSPZ", "?\r\r>"},
        AnswerCase{"HeaderOfFourDigits", {"ATE0"}, "ATSH7E01", "?\r\r>"},
        AnswerCase{"FastInitNeedsProtocol5", {"ATE0", "ATSP0"}, "ATFI", "?\r\r>"}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

// The protocol, the bus init and the search.
INSTANTIATE_TEST_SUITE_P(
    Protocols, Elm327AnswerTest,
    ::testing::Values(
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
                   Bench::kOneFailedWake},
        AnswerCase{"FixedProtocolKeepsTryingTheBusInit",
                   {"ATE0", "ATSP5", "21A0"},
                   "21A0",
                   "BUS INIT: ...OK\r61 A0 01 02 \r\r>",
                   Bench::kOneFailedWake},
        AnswerCase{"SilentEcuFailsTheBusInit",
                   {"ATE0", "ATSP5"},
                   "21A0",
                   "BUS INIT: ...ERROR\r\r>",
                   Bench::kSilent},
        AnswerCase{"SilentEcuEndsTheSearch",
                   {"ATE0", "ATSP0"},
                   "21A0",
                   "SEARCHING...\rUNABLE TO CONNECT\r\r>",
                   Bench::kSilent},
        AnswerCase{
            "FiveBaudProtocolOnAFastInitEcu", {"ATE0", "ATSP4"}, "0100", "BUS INIT: ...ERROR\r\r>"},
        AnswerCase{"Iso9141OnAFastInitEcu", {"ATE0", "ATSP3"}, "0100", "BUS INIT: ...ERROR\r\r>"},
        AnswerCase{"CanOnAKLineBike", {"ATE0", "ATSP6"}, "0100", "CAN ERROR\r\r>"},
        AnswerCase{"FiveBaudInit",
                   {"ATE0", "ATSP4"},
                   "0100",
                   "BUS INIT: ...OK\r41 00 BE 1F B8 10 \r\r>",
                   Bench::kFiveBaud},
        AnswerCase{"FastInitOnAFiveBaudEcu",
                   {"ATE0", "ATSP5"},
                   "0100",
                   "BUS INIT: ...ERROR\r\r>",
                   Bench::kFiveBaud},
        AnswerCase{"FiveBaudAtAnotherAddress",
                   {"ATE0", "ATSP4"},
                   "0100",
                   "BUS INIT: ...ERROR\r\r>",
                   Bench::kFiveBaudAt11},
        AnswerCase{"FiveBaudAtTheAddressSetByAtiia",
                   {"ATE0", "ATIIA11", "ATSP4"},
                   "0100",
                   "BUS INIT: ...OK\r41 00 BE 1F B8 10 \r\r>",
                   Bench::kFiveBaudAt11},
        AnswerCase{"ExplicitFastInit", {"ATE0", "ATSP5"}, "ATFI", "BUS INIT: ...OK\r\r>"},
        AnswerCase{"ExplicitFastInitUnanswered",
                   {"ATE0", "ATSP5"},
                   "ATFI",
                   "BUS INIT: ...ERROR\r\r>",
                   Bench::kSilent},
        AnswerCase{"ProtocolNumberBeforeTheSearch", {"ATE0", "ATSP0"}, "ATDPN", "A0\r\r>"},
        AnswerCase{"ProtocolNumberAfterTheSearch", {"ATE0", "ATSP0", "0100"}, "ATDPN", "A5\r\r>"},
        AnswerCase{"ProtocolNameAfterTheSearch",
                   {"ATE0", "ATSP0", "0100"},
                   "ATDP",
                   "AUTO, ISO 14230-4 (KWP FAST)\r\r>"},
        AnswerCase{"FixedProtocol", {"ATE0", "ATSP5"}, "ATDPN", "5\r\r>"},
        AnswerCase{"FixedProtocolName", {"ATE0", "ATSP5"}, "ATDP", "ISO 14230-4 (KWP FAST)\r\r>"},
        AnswerCase{"SearchFindsFiveBaudKwp",
                   {"ATE0", "ATSP0", "0100"},
                   "ATDPN",
                   "A4\r\r>",
                   Bench::kFiveBaud},
        AnswerCase{"SearchFindsIso9141ByItsKeyBytes",
                   {"ATE0", "ATSP0", "0100"},
                   "ATDPN",
                   "A3\r\r>",
                   Bench::kIso9141},
        AnswerCase{"KeyBytesOfTheWakeUp", {"ATE0", "ATSP5", "0100"}, "ATKW", "1:EF 2:8F\r\r>"},
        AnswerCase{"NewProtocolDropsTheConnection",
                   {"ATE0", "ATSP5", "21A0", "ATSP0"},
                   "21A0",
                   "SEARCHING...\r61 A0 01 02 \r\r>"},
        AnswerCase{"ProtocolCloseInitialisesAgain",
                   {"ATE0", "ATSPA5", "21A0", "ATPC"},
                   "21A0",
                   "BUS INIT: ...OK\r61 A0 01 02 \r\r>"}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

// Once connected: the header, what the ECU answers and how it is shown.
INSTANTIATE_TEST_SUITE_P(
    Requests, Elm327AnswerTest,
    ::testing::Values(
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
        AnswerCase{"HeadersOfIso9141",
                   {"ATE0", "ATH1", "ATS0", "ATSP0"},
                   "0100",
                   "SEARCHING...\r486B104100BE1FB810" + CheckSum("486B104100BE1FB810") + "\r\r>",
                   Bench::kIso9141},
        AnswerCase{"PhysicalHeaderToTheEcu",
                   {"ATE0", "ATSP5", "0100", "ATSH 81 10 F1"},
                   "0100",
                   "41 00 BE 1F B8 10 \r\r>"},
        AnswerCase{"PhysicalHeaderToAnotherEcu",
                   {"ATE0", "ATSP5", "0100", "ATSH 81 11 F1"},
                   "0100",
                   "NO DATA\r\r>"},
        AnswerCase{"FunctionalFormatToAnotherTarget",
                   {"ATE0", "ATSP5", "0100", "ATSHC134F1"},
                   "0100",
                   "NO DATA\r\r>"},
        AnswerCase{"ThreeDigitHeaderHasNoKLineTarget",
                   {"ATE0", "ATSP5", "0100", "ATSH7E0"},
                   "0100",
                   "NO DATA\r\r>"},
        AnswerCase{"StartCommunicationGoesWithTheHeader",
                   {"ATE0", "ATSH7E0", "ATSP5"},
                   "0100",
                   "BUS INIT: ...ERROR\r\r>"},
        AnswerCase{"RepliesGoBackToTheHeadersSource",
                   {"ATE0", "ATH1", "ATS0", "ATSP5", "0100", "ATSHC133F2"},
                   "0100",
                   "86F2104100BE1FB810" + CheckSum("86F2104100BE1FB810") + "\r\r>"},
        AnswerCase{"ResponsesOff", {"ATE0", "ATSP5", "0100", "ATR0"}, "0100", "\r>"},
        AnswerCase{"IsoBaudTheEcuDoesNotSpeak",
                   {"ATE0", "ATSP5", "0100", "ATIB96"},
                   "0100",
                   "NO DATA\r\r>"}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

// What generic OBD clients send while they connect: known, and answered OK.
TEST_F(Elm327ModelTest, ConnectionSettingsAreKnown) {
  Make();
  Command("ATE0");
  for (const char* command :
       {"ATM0",    "ATAL",          "ATIB10", "ATSW00", "ATCAF0",  "ATCAF1",        "ATST32",
        "ATST00",  "ATAT0",         "ATAT1",  "ATAT2",  "ATSH7E0", "ATSH C1 33 F1", "ATKW0",
        "ATKW1",   "ATH1",          "ATS0",   "ATL0",   "ATSPA5",  "ATSP00",        "ATTP5",
        "ATIIA33", "ATWM C133F13E", "ATCEA",  "ATSD5A"}) {
    EXPECT_EQ(Command(command), "OK\r\r>") << command;
  }
  EXPECT_EQ(Command("ATRD"), "5A\r\r>");
}

// Any character that comes while a request runs stops it; it goes no further, and the next
// whole command is answered.
struct InterruptCase {
  const char* name;
  std::vector<std::string> before;
  std::string request;
  double after;  // seconds from the request's CR to the interrupting character
  char interrupt;
  std::string stopped;  // read up to the prompt
};

class Elm327InterruptTest : public Elm327ModelTest,
                            public ::testing::WithParamInterface<InterruptCase> {};

TEST_P(Elm327InterruptTest, StopsThenAnswersTheNextCommand) {
  const InterruptCase& c = GetParam();
  Make();
  Commands(c.before);
  model_->Write(c.request + "\r");
  clock_.Pause(c.after);
  model_->Write(std::string(1, c.interrupt));
  EXPECT_EQ(ReadToPrompt(5.0), c.stopped);
  clock_.Pause(3.0);
  EXPECT_EQ(model_->ReadAll(), "") << "the stopped request must not answer later";
  EXPECT_EQ(model_->Commands().back(), c.request) << "the interrupting character is dropped";
  EXPECT_EQ(Command("ATI"), "ELM327 v1.5\r\r>");
}

INSTANTIATE_TEST_SUITE_P(
    Requests, Elm327InterruptTest,
    ::testing::Values(
        InterruptCase{
            "DuringTheSearch", {"ATE0", "ATSP0"}, "21A0", 0.1, 'X', "SEARCHING...\rSTOPPED\r\r>"},
        InterruptCase{
            "ByALineFeed", {"ATE0", "ATSP0"}, "21A0", 0.1, '\n', "SEARCHING...\rSTOPPED\r\r>"},
        InterruptCase{
            "DuringTheBusInit", {"ATE0", "ATSP5"}, "21A0", 0.1, 'X', "BUS INIT: STOPPED\r\r>"},
        InterruptCase{
            "WhileWaitingForTheEcu", {"ATE0", "ATSP5", "21A0"}, "010C", 0.002, 'X', "STOPPED\r\r>"},
        InterruptCase{
            "ByACarriageReturn", {"ATE0", "ATSP5", "21A0"}, "2199", 0.05, '\r', "STOPPED\r\r>"}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST_F(Elm327ModelTest, StoppedSearchLeavesTheAdapterUnconnected) {
  Make();
  Commands({"ATE0", "ATSP0"});
  model_->Write("21A0\r");
  clock_.Pause(0.1);
  model_->Write("0");
  ReadToPrompt(5.0);
  EXPECT_FALSE(model_->Connected());
  EXPECT_EQ(Command("21A0"), "SEARCHING...\r61 A0 01 02 \r\r>");
}

TEST_F(Elm327ModelTest, CharactersDuringAnAtCommandWaitForItsPrompt) {
  Make();
  Command("ATE0");
  // Two commands at once: the second is taken once the first has its prompt.
  model_->Write("ATI\rAT@1\r");
  std::string text = ReadToPrompt(1.0);
  text += ReadToPrompt(1.0);
  EXPECT_EQ(text, "ELM327 v1.5\r\r>OBDII to RS232 Interpreter\r\r>");
  // What the reset takes in while it restarts is lost.
  model_->Write("ATZ\rATI\r");
  EXPECT_EQ(ReadToPrompt(2.0), "\rELM327 v1.5\r\r>");
  clock_.Pause(1.0);
  EXPECT_EQ(model_->ReadAll(), "");
}

TEST_F(Elm327ModelTest, LoneCarriageReturnRepeatsTheLastCommand) {
  Make();
  Commands({"ATE0", "ATSP5", "21A0"});
  // An old habit, CR LF CR LF after an AT command: the LF is ignored, the second CR repeats it.
  model_->Write("ATI\r\n\r\n");
  std::string text = ReadToPrompt(1.0);
  text += ReadToPrompt(1.0);
  EXPECT_EQ(text, "ELM327 v1.5\r\r>ELM327 v1.5\r\r>");
  EXPECT_EQ(Command(""), "ELM327 v1.5\r\r>");
  Command("21A0");
  EXPECT_EQ(Command(""), "61 A0 01 02 \r\r>");
  EXPECT_EQ(model_->Commands(), (std::vector<std::string>{"ATE0", "ATSP5", "21A0", "ATI", "ATI",
                                                          "ATI", "21A0", "21A0"}));
}

TEST_F(Elm327ModelTest, EveryCarriageReturnGetsAPrompt) {
  Make();
  EXPECT_EQ(Command(""), "\r>") << "nothing to repeat yet";
  Command("ATE0");
  EXPECT_EQ(Command("  "), "OK\r\r>") << "spaces alone make no command: the last one runs";
}

// The prompt comes when the adapter stops listening for frames: at once when it was told how
// many to expect, after a short wait with adaptive timing, after the whole ATST time without.
TEST_F(Elm327ModelTest, ResponseCountAndTimingDecideWhenThePromptComes) {
  // The request's frame (6 bytes at 10400 baud), then the ECU's P2.
  const double frame = 6 * 10.0 / 10400 + 0.03;
  const struct {
    const char* timing;
    std::string request;
    double prompt_after;
  } cases[] = {
      {"ATAT1", "0100", frame + 0.05},
      {"ATAT1", "0100 1", frame},
      {"ATAT0", "0100", frame + 0.2},
      {"ATAT0", "01001", frame},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.timing + (" " + c.request));
    Make();
    Commands({"ATE0", "ATSP5", "0100", c.timing});
    const Nanos start = clock_.Now();
    EXPECT_EQ(Command(c.request), "41 00 BE 1F B8 10 \r\r>");
    EXPECT_NEAR(ToSeconds(clock_.Now() - start), c.prompt_after, 0.002);
  }
}

TEST_F(Elm327ModelTest, SeveralFramesAndTheFunctionalHeader) {
  std::vector<bool> functional;
  MakeFrames([&](const ElmRequest& request) -> std::vector<HexMessage> {
    functional.push_back(request.functional);
    if (request.payload == "81") return {"C1EF8F"};
    if (request.payload == "03") return {"43013001710000", "43000000000000"};
    return {};
  });
  Commands({"ATE0", "ATSP5"});
  EXPECT_EQ(Command("03"), "BUS INIT: ...OK\r43 01 30 01 71 00 00 \r43 00 00 00 00 00 00 \r\r>");
  EXPECT_EQ(Command("03 1"), "43 01 30 01 71 00 00 \r\r>");
  Command("ATSH8110F1");
  EXPECT_EQ(Command("0120"), "NO DATA\r\r>");
  // The start communication and the first two requests went to every OBD ECU, the last to 10.
  EXPECT_EQ(functional, (std::vector<bool>{true, true, true, false}));
}

TEST_F(Elm327ModelTest, TimeoutSetByAtstDecidesWhenNoDataComes) {
  Make();
  Commands({"ATE0", "ATSP5", "21A0", "ATST19"});  // 25 x 4 ms
  const Nanos start = clock_.Now();
  EXPECT_EQ(Command("2199"), "NO DATA\r\r>");
  // Counted from the end of the request's frame (6 bytes at 10400 baud).
  EXPECT_NEAR(ToSeconds(clock_.Now() - start), 6 * 10.0 / 10400 + 0.1, 0.002);
}

TEST_F(Elm327ModelTest, WakeupMessageKeepsTheIdleSessionAlive) {
  std::vector<HexMessage> heard;
  Make({}, [&heard](const HexMessage& request) {
    heard.push_back(request);
    return SmallEcu(request);
  });
  Commands({"ATE0", "ATSP5", "21A0", "ATWM 8110F13E"});
  EXPECT_EQ(model_->WakeupMessage(), "8110F13E");
  heard.clear();
  clock_.Pause(2.0);
  Command("21A0");  // traffic restarts the idle count
  clock_.Pause(2.5);
  EXPECT_EQ(model_->KeepAlivesSent(), 0);
  clock_.Pause(4.0);
  EXPECT_EQ(model_->KeepAlivesSent(), 2);
  EXPECT_EQ(heard, (std::vector<HexMessage>{"21A0", "3E", "3E"}));
  EXPECT_EQ(model_->StrayWakeupBytes(), 0);
  EXPECT_EQ(model_->ReadAll(), "") << "keep-alive replies are not shown to the tester";
  // Longer than the ECU's P3 max since the tester's last request: the wake-up messages have
  // kept its session open.
  clock_.Pause(3.0);
  EXPECT_EQ(Command("21A0"), "61 A0 01 02 \r\r>");
}

TEST_F(Elm327ModelTest, WakeupMessageWithItsOwnChecksumPutsAStrayByteOnTheLine) {
  Make();
  Commands({"ATE0", "ATSP5", "21A0", "ATWM 8110F13EC0"});
  clock_.Pause(3.5);
  EXPECT_EQ(model_->KeepAlivesSent(), 1);
  EXPECT_EQ(model_->StrayWakeupBytes(), 1);
}

TEST_F(Elm327ModelTest, WithoutWakeupMessagesTheEcuEndsItsSession) {
  Make();
  Commands({"ATE0", "ATSP5", "21A0", "ATSW00"});
  clock_.Pause(6.0);  // longer than the ECU's P3 max
  EXPECT_EQ(model_->KeepAlivesSent(), 0);
  EXPECT_TRUE(model_->Connected()) << "the adapter does not know";
  EXPECT_EQ(Command("21A0"), "NO DATA\r\r>");
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
