// Decoding per family: the canned answers of test mode, and the bench's ECU answering, staying
// silent, refusing or sending stray and short replies.
#include "livedata/family_decoder.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/ctime_it.hpp"
#include "core/trace_log.hpp"
#include "link/exchange.hpp"
#include "link/frame.hpp"
#include "sim/kline_bus.hpp"
#include "sim/scripted_ecu.hpp"
#include "sim/tester_uart.hpp"
#include "sim/virtual_clock.hpp"
#include "sim/virtual_event_loop.hpp"

namespace velkor {
namespace {

// The decoder's own pauses, kept apart from the exchange's.
class PauseLog : public Clock {
 public:
  explicit PauseLog(sim::VirtualClock& clock) : clock_(clock) {}
  std::chrono::nanoseconds Now() const override { return clock_.Now(); }
  void Pause(double seconds) override {
    pauses.push_back(seconds);
    clock_.Pause(seconds);
  }
  std::vector<double> pauses;

 private:
  sim::VirtualClock& clock_;
};

// The eight raw values, in the order of RawEngineValues.
struct Values {
  float speed, throttle, injection, advance, pressure, air_temp, coolant_temp, battery;
};
constexpr Values kZero{0, 0, 0, 0, 0, 0, 0, 0};
constexpr Values kSevens{7, 7, 7, 7, 7, 7, 7, 7};

RawEngineValues Raw(const Values& v) {
  RawEngineValues raw;
  raw.speed = v.speed;
  raw.throttle = v.throttle;
  raw.injection = v.injection;
  raw.advance = v.advance;
  raw.pressure = v.pressure;
  raw.air_temp = v.air_temp;
  raw.coolant_temp = v.coolant_temp;
  raw.battery = v.battery;
  raw.arrived = false;  // so that a decoding that finds data must say so
  return raw;
}

void ExpectValues(const RawEngineValues& raw, const Values& want) {
  constexpr float kTolerance = 0.005f;
  EXPECT_NEAR(raw.speed, want.speed, kTolerance) << "speed";
  EXPECT_NEAR(raw.throttle, want.throttle, kTolerance) << "throttle";
  EXPECT_NEAR(raw.injection, want.injection, kTolerance) << "injection";
  EXPECT_NEAR(raw.advance, want.advance, kTolerance) << "advance";
  EXPECT_NEAR(raw.pressure, want.pressure, kTolerance) << "pressure";
  EXPECT_NEAR(raw.air_temp, want.air_temp, kTolerance) << "air";
  EXPECT_NEAR(raw.coolant_temp, want.coolant_temp, kTolerance) << "coolant";
  EXPECT_NEAR(raw.battery, want.battery, kTolerance) << "battery";
}

ActiveMeasures NoMeasures() {
  return ActiveMeasures{false, false, false, false, false, false, false};
}

// A request as the tester frames it, and a reply as the ECU frames it.
HexMessage Request(const char* data) { return FrameKwp(data, kDefaultRequestHeader); }
HexMessage Reply(const std::string& data) { return FrameKwp(data, kDefaultReplyHeader); }

class FamilyDecoderTest : public ::testing::Test {
 protected:
  // Families 0 to 3 talk at 7812 baud, the framed ones at 10400.
  void UseFamily(int ecu_type) {
    state_.EcuType = ecu_type;
    const int baud = IsKwpFamily(ecu_type) ? 10400 : 7812;
    uart_.Configure(baud);
    ecu_.SetBaud(baud);
  }

  std::vector<HexMessage> RequestsSeen() const {
    std::vector<HexMessage> seen;
    for (const auto& r : ecu_.Requests()) seen.push_back(r.bytes);
    return seen;
  }

  sim::VirtualClock clock_;
  sim::VirtualEventLoop loop_{clock_};
  sim::VirtualTimerService timers_{clock_};
  sim::KLineBus bus_{clock_};
  sim::TesterUart uart_{clock_, bus_};
  sim::ScriptedEcu ecu_{clock_, bus_};
  std::unique_ptr<Timer> reply_timer_ = timers_.CreateTimer();
  CTimeIt watch_{clock_};
  TraceLog trace_{watch_};
  LinkState state_;
  Exchange exchange_{state_, clock_, loop_, *reply_timer_, trace_};
  PauseLog pauses_{clock_};
  FamilyDecoder decoder_{exchange_, state_, pauses_};

  void SetUp() override { exchange_.SetKLinePort(&uart_); }
};

TEST_F(FamilyDecoderTest, TestModeDecodesTheCannedAnswers) {
  state_.TestMode = true;
  const std::vector<double> obd_pauses(8, 0.06);
  const struct {
    const char* name;
    int ecu_type;
    bool fast;
    bool measures_on;
    Values want;
    std::vector<double> pauses;
    std::string tps_text;
  } cases[] = {
      // A period of 257 is far above 10000 rpm: the speed reads 0.
      {"MM16",
       Iaw16M,
       false,
       true,
       {0, 2.4708f, 0.514f, 0.5f, 939.54f, 26, 74, 0.0628f},
       {},
       "405"},
      {"MM15",
       Iaw15M,
       false,
       true,
       {0, 2.4708f, 0.514f, 0.5f, 939.54f, 26, 74, 0.0628f},
       {},
       "405"},
      {"15RC",
       Iaw15RC,
       false,
       true,
       {0, 2.4708f, 0.514f, 0.5f, 939.54f, 26, 74, 0.0628f},
       {},
       "405"},
      {"P8", IawP8, false, true, {0, 2.4708f, 1.028f, 0.25f, 939.54f, 26, 74, 0.0628f}, {}, "405"},
      // The record brings every value whatever the switches say.
      {"M59 record",
       Iaw59M5AM,
       false,
       false,
       {1990, 4.1f, 3.356f, 26.8f, 1010, 21, 17, 13.7f},
       {0.08},
       ""},
      {"M59 fast", Iaw59M5AM, true, true, {800, 0, 0, 0, 0, 0, 0, 0}, {0.08}, ""},
      {"EOBD", Eobd, false, true, {0, 53.33f, 8.235f, 0, 99, 29, 31, 0}, obd_pauses, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    state_.EcuType = c.ecu_type;
    pauses_.pauses.clear();
    decoder_.SetFastSpeedMode(c.fast);
    RawEngineValues raw = Raw(kSevens);
    decoder_.Decode(c.ecu_type, c.measures_on ? ActiveMeasures{} : NoMeasures(), raw);
    ExpectValues(raw, c.want);
    EXPECT_TRUE(raw.arrived);
    EXPECT_EQ(pauses_.pauses, c.pauses);
    EXPECT_EQ(raw.tps_volt_text, c.tps_text);
  }
  EXPECT_TRUE(uart_.Written().empty());
}

TEST_F(FamilyDecoderTest, FamiliesWithoutDataExchangeNothing) {
  for (int ecu_type : {6, 7, -1, 8}) {
    RawEngineValues raw = Raw(kSevens);
    raw.arrived = true;
    decoder_.Decode(ecu_type, ActiveMeasures{}, raw);
    ExpectValues(raw, kSevens);
    EXPECT_FALSE(raw.arrived);
  }
  EXPECT_TRUE(uart_.Written().empty());
  EXPECT_EQ(clock_.Now(), sim::Nanos{0});
}

// The engine speed over successive iterations: each step answers the high and the low byte of
// the period and gives the speed expected afterwards.
TEST_F(FamilyDecoderTest, EngineSpeedFollowsThePeriodRules) {
  struct Step {
    const char* high;
    const char* low;
    float speed;
  };
  const struct {
    const char* name;
    int ecu_type;
    std::vector<Step> steps;
  } cases[] = {
      {"period 150 is 100000 rpm, out of range", Iaw16M, {{"00", "96", 0}}},
      {"period 1500 is exactly the limit, kept", Iaw15M, {{"05", "DC", 10000}}},
      {"P8 doubles the constant", IawP8, {{"05", "DC", 0}, {"0B", "B8", 10000}}},
      // Read as 0xFFDC the period would give 229 rpm.
      {"FF stands for the last good high byte", Iaw16M, {{"05", "DC", 10000}, {"FF", "DC", 10000}}},
      {"first FF reads as 0", Iaw16M, {{"FF", "DC", 0}}},
      {"last good high byte follows the latest",
       Iaw15RC,
       {{"05", "DC", 10000}, {"0B", "B8", 5000}, {"FF", "B8", 5000}}},
      {"period 0 keeps the previous speed", Iaw16M, {{"05", "DC", 10000}, {"00", "00", 10000}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    UseFamily(c.ecu_type);
    FamilyDecoder decoder(exchange_, state_, pauses_);
    RawEngineValues raw;
    for (const Step& step : c.steps) {
      ecu_.Expect("01", step.high);
      ecu_.Expect("02", step.low);
      decoder.Decode(c.ecu_type, NoMeasures(), raw);
      EXPECT_FLOAT_EQ(raw.speed, step.speed) << step.high << step.low;
    }
    EXPECT_EQ(ecu_.StepsLeft(), 0u);
  }
  EXPECT_EQ(ecu_.Mismatches(), 0);
}

// One measure at a time: its bytes as answered, and the value (and throttle text) they give.
TEST_F(FamilyDecoderTest, ByteFamilyScalings) {
  struct Read {
    const char* address;
    const char* byte;
  };
  const struct {
    const char* name;
    int ecu_type;
    bool ActiveMeasures::*measure;
    std::vector<Read> reads;
    float RawEngineValues::*field;
    float want;
    const char* tps_text;  // nullptr: not checked
  } cases[] = {
      {"throttle 190, first line",
       Iaw16M,
       &ActiveMeasures::throttle,
       {{"09", "BE"}},
       &RawEngineValues::throttle,
       33.702f,
       "3 660"},
      {"throttle 191, first line",
       Iaw16M,
       &ActiveMeasures::throttle,
       {{"09", "BF"}},
       &RawEngineValues::throttle,
       33.887f,
       nullptr},
      {"throttle 192, past 34: second line",
       Iaw15M,
       &ActiveMeasures::throttle,
       {{"09", "C0"}},
       &RawEngineValues::throttle,
       45.514f,
       "3 699"},
      {"P8 throttle 192, second line",
       IawP8,
       &ActiveMeasures::throttle,
       {{"09", "C0"}},
       &RawEngineValues::throttle,
       45.514f,
       nullptr},
      {"throttle 0 has no floor",
       Iaw15RC,
       &ActiveMeasures::throttle,
       {{"09", "00"}},
       &RawEngineValues::throttle,
       -1.41f,
       nullptr},
      {"P8 throttle 0 is floored",
       IawP8,
       &ActiveMeasures::throttle,
       {{"09", "00"}},
       &RawEngineValues::throttle,
       0,
       nullptr},
      {"injection low byte 255",
       Iaw16M,
       &ActiveMeasures::injection,
       {{"03", "01"}, {"04", "FF"}},
       &RawEngineValues::injection,
       0,
       nullptr},
      {"injection high byte 255",
       Iaw16M,
       &ActiveMeasures::injection,
       {{"03", "FF"}, {"04", "01"}},
       &RawEngineValues::injection,
       0,
       nullptr},
      {"injection 500",
       Iaw16M,
       &ActiveMeasures::injection,
       {{"03", "01"}, {"04", "F4"}},
       &RawEngineValues::injection,
       1.0f,
       nullptr},
      {"P8 injection 500",
       IawP8,
       &ActiveMeasures::injection,
       {{"03", "01"}, {"04", "F4"}},
       &RawEngineValues::injection,
       2.0f,
       nullptr},
      {"advance",
       Iaw16M,
       &ActiveMeasures::advance,
       {{"05", "51"}},
       &RawEngineValues::advance,
       40.5f,
       nullptr},
      {"P8 advance",
       IawP8,
       &ActiveMeasures::advance,
       {{"05", "51"}},
       &RawEngineValues::advance,
       20.25f,
       nullptr},
      {"pressure",
       Iaw16M,
       &ActiveMeasures::pressure,
       {{"06", "00"}},
       &RawEngineValues::pressure,
       121.03f,
       nullptr},
      {"coolant",
       IawP8,
       &ActiveMeasures::coolant_temp,
       {{"08", "00"}},
       &RawEngineValues::coolant_temp,
       -55,
       nullptr},
      {"battery",
       Iaw16M,
       &ActiveMeasures::battery,
       {{"0A", "DC"}},
       &RawEngineValues::battery,
       13.816f,
       nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    UseFamily(c.ecu_type);
    ecu_.Expect("01", "00");
    ecu_.Expect("02", "00");
    for (const Read& read : c.reads) ecu_.Expect(read.address, read.byte);
    ActiveMeasures active = NoMeasures();
    active.*c.measure = true;
    RawEngineValues raw;
    decoder_.Decode(c.ecu_type, active, raw);
    EXPECT_NEAR(raw.*c.field, c.want, 0.005f);
    if (c.tps_text != nullptr) {
      EXPECT_EQ(raw.tps_volt_text, c.tps_text);
    }
    EXPECT_EQ(ecu_.StepsLeft(), 0u);
  }
  EXPECT_EQ(ecu_.Mismatches(), 0);
}

// Only the switched-on measures are asked for, in the fixed order; the others keep their value.
TEST_F(FamilyDecoderTest, ByteFamilyAsksOnlyForActiveMeasures) {
  ActiveMeasures air_only = NoMeasures();
  air_only.air_temp = true;
  ActiveMeasures injection_and_battery = NoMeasures();
  injection_and_battery.injection = true;
  injection_and_battery.battery = true;
  const struct {
    const char* name;
    ActiveMeasures active;
    std::vector<HexMessage> requests;
    Values want;  // every byte answered 00
  } cases[] = {
      {"all",
       ActiveMeasures{},
       {"01", "02", "09", "03", "04", "05", "06", "07", "08", "0A"},
       {7, -1.41f, 0, 0, 121.03f, -55, -55, 0}},
      {"none", NoMeasures(), {"01", "02"}, kSevens},
      {"air only", air_only, {"01", "02", "07"}, {7, 7, 7, 7, 7, -55, 7, 7}},
      {"injection and battery",
       injection_and_battery,
       {"01", "02", "03", "04", "0A"},
       {7, 7, 0, 7, 7, 7, 7, 0}},
  };
  UseFamily(Iaw16M);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::size_t before = ecu_.Requests().size();
    for (const HexMessage& request : c.requests) ecu_.Expect(request, "00");
    RawEngineValues raw = Raw(kSevens);
    decoder_.Decode(Iaw16M, c.active, raw);
    EXPECT_TRUE(raw.arrived);
    const std::vector<HexMessage> seen = RequestsSeen();
    EXPECT_EQ(
        std::vector<HexMessage>(seen.begin() + static_cast<std::ptrdiff_t>(before), seen.end()),
        c.requests);
    ExpectValues(raw, c.want);
  }
  EXPECT_EQ(ecu_.Mismatches(), 0);
}

// A silent ECU: every request waits out its own time-out, then the missing-value rule applies.
TEST_F(FamilyDecoderTest, SilentEcuWaitsEachTimeOutAndAppliesTheMissingRules) {
  const std::vector<int> byte_waits = {1000, 1000, 100, 100, 100, 100, 100, 100, 100, 100};
  const struct {
    const char* name;
    int ecu_type;
    bool fast;
    std::vector<int> timeouts_ms;
    Values want;
  } cases[] = {
      // Empty answers read as byte 0; a period of 0 keeps the speed.
      {"MM16", Iaw16M, false, byte_waits, {7, -1.41f, 0, 0, 121.03f, -55, -55, 0}},
      {"M59 record", Iaw59M5AM, false, {800}, kZero},
      {"M59 fast", Iaw59M5AM, true, {500}, kZero},
      {"EOBD", Eobd, false, std::vector<int>(8, 1000), kZero},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    UseFamily(c.ecu_type);
    decoder_.SetFastSpeedMode(c.fast);
    const std::size_t first = ecu_.Requests().size();
    RawEngineValues raw = Raw(kSevens);
    raw.arrived = true;
    decoder_.Decode(c.ecu_type, ActiveMeasures{}, raw);
    const sim::Nanos ended = clock_.Now();
    ExpectValues(raw, c.want);
    EXPECT_FALSE(raw.arrived);  // the pass is not recorded

    const auto& requests = ecu_.Requests();
    ASSERT_EQ(requests.size() - first, c.timeouts_ms.size());
    for (std::size_t i = first; i < requests.size(); ++i) {
      // From the end of a request to the start of the next (or the end of the decoding): the
      // time-out, then at most the next request's pause and idle gap.
      const sim::Nanos next = i + 1 < requests.size() ? requests[i + 1].start : ended;
      const double waited_ms = sim::ToSeconds(next - requests[i].end) * 1000;
      const int timeout = c.timeouts_ms[i - first];
      EXPECT_GE(waited_ms, timeout - 2) << "request " << i - first;
      EXPECT_LE(waited_ms, timeout + 70) << "request " << i - first;
    }
    clock_.RunFor(std::chrono::milliseconds(50));
  }
}

TEST_F(FamilyDecoderTest, RecordFamilyFindsEitherRecordFormatOrZeroesEverything) {
  const Values full_values{1990, 4.1f, 3.356f, 26.8f, 1010, 21, 17, 13.7f};
  const HexMessage full = Reply("61A007C603F2003D00390029010C0089013C068E9C40");
  // Format 0x94: 18 value bytes, no bytes 18 and 19.
  const HexMessage short_format = Reply("61A00BB803E80041007800FA0064008C000003E8");
  // Without a record nothing arrived: zeros are shown, not recorded.
  const struct {
    const char* name;
    HexMessage reply;
    Values want;
    bool arrived;
  } cases[] = {
      {"long record", full, full_values, true},
      {"short-format record at position 5",
       "AABB" + short_format,
       {3000, 25, 2, 10, 1000, 25, 80, 14},
       true},
      {"stray byte before the long record", "00" + full, full_values, true},
      {"refusal", Reply("7F21A012"), kZero, false},
      {"another service's record", Reply("61A607C603F2003D00390029010C0089013C068E9C40"), kZero,
       false},
      // Decoding the missing bytes as 0 would show -40 degrees as measured.
      {"record cut short", full.substr(0, 28), kZero, false},
      // Bytes 09 6F 11 06 1A 00 ..: the record's text from the second digit on is no record.
      {"record text at an odd position", "0" + full + "0", kZero, false},
  };
  UseFamily(Iaw59M5AM);
  ASSERT_EQ(short_format.substr(0, 2), "94");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ecu_.Expect(Request("21A0"), c.reply);
    RawEngineValues raw = Raw(kSevens);
    // The record ignores the switches.
    decoder_.Decode(Iaw59M5AM, NoMeasures(), raw);
    ExpectValues(raw, c.want);
    EXPECT_EQ(raw.arrived, c.arrived);
    clock_.RunFor(std::chrono::milliseconds(50));
  }
  EXPECT_EQ(ecu_.Mismatches(), 0);
  EXPECT_EQ(ecu_.StepsLeft(), 0u);
}

TEST_F(FamilyDecoderTest, FastModeReadsTheSpeedAfterItsPatternAndZeroesTheRest) {
  const struct {
    const char* name;
    HexMessage reply;
    float speed;
    bool arrived;
  } cases[] = {
      {"reply", Reply("61300320"), 800, true},
      // Fixed positions 11 and 13 would read 30 03 here, 12291 rpm.
      {"stray byte first", "FE" + Reply("61300320"), 800, true},
      {"refusal", Reply("7F2112"), 0, false},
      {"speed word cut short", "84F110613003", 0, false},
  };
  UseFamily(Iaw59M5AM);
  decoder_.SetFastSpeedMode(true);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ecu_.Expect(Request("2130"), c.reply);
    RawEngineValues raw = Raw(kSevens);
    decoder_.Decode(Iaw59M5AM, ActiveMeasures{}, raw);
    ExpectValues(raw, {c.speed, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(raw.arrived, c.arrived);
    clock_.RunFor(std::chrono::milliseconds(50));
  }
  EXPECT_EQ(ecu_.Mismatches(), 0);
  EXPECT_EQ(ecu_.StepsLeft(), 0u);

  // Switched off, the full record is read again.
  decoder_.SetFastSpeedMode(false);
  ecu_.Expect(Request("21A0"), Reply("61A007C603F2003D00390029010C0089013C068E9C40"));
  RawEngineValues raw;
  decoder_.Decode(Iaw59M5AM, ActiveMeasures{}, raw);
  EXPECT_FLOAT_EQ(raw.speed, 1990);
  EXPECT_EQ(ecu_.Mismatches(), 0);
}

TEST_F(FamilyDecoderTest, LambdaReadsOnlyFromAnIaw5aAndOnlyItsOwnRecord) {
  const struct {
    const char* name;
    const char* description;  // nullptr: none known
    HexMessage reply;         // "": nothing may be sent
    int want;
  } cases[] = {
      {"no description", nullptr, "", 0},
      {"another ECU", "IAW59M 1.2", "", 0},
      {"probe at 500 mV", "IAW5AM.HW", Reply("614501F4"), 500},
      {"stray byte first", "IAW5AM.HW", "00" + Reply("614502EE"), 750},
      {"another identifier", "IAW5AM.HW", Reply("6147999909"), 0},
      {"refusal", "IAW5AM.HW", Reply("7F2112"), 0},
      {"silence", "IAW5AM.HW", "silence", 0},
  };
  UseFamily(Iaw59M5AM);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::size_t before = ecu_.Requests().size();
    pauses_.pauses.clear();
    if (c.description != nullptr) {
      decoder_.SetEcuDescription([d = std::string(c.description)] { return d; });
    } else {
      decoder_.SetEcuDescription(nullptr);
    }
    if (c.reply == "silence") {
      ecu_.Add(sim::EcuStep::Silence(Request("2145")));
    } else if (!c.reply.empty()) {
      ecu_.Expect(Request("2145"), c.reply);
    }
    EXPECT_EQ(decoder_.ReadLambda(), c.want);
    const std::size_t sent = ecu_.Requests().size() - before;
    EXPECT_EQ(sent, c.reply.empty() ? 0u : 1u);
    EXPECT_EQ(pauses_.pauses, sent == 0 ? std::vector<double>{} : std::vector<double>{0.06});
    clock_.RunFor(std::chrono::milliseconds(50));
  }
  EXPECT_EQ(ecu_.Mismatches(), 0);

  // Test mode's canned answer carries identifier 47, so it reads 0.
  state_.TestMode = true;
  decoder_.SetEcuDescription([] { return std::string("IAW5AM"); });
  EXPECT_EQ(decoder_.ReadLambda(), 0);
}

// Each EOBD parameter, answered with a stray leading byte; one step at a time refused or
// silent. Every raw value starts at 7, so a value that kept its old content shows.
TEST_F(FamilyDecoderTest, EobdParametersAndTheirFailures) {
  struct Parameter {
    const char* request;
    bool ActiveMeasures::*measure;  // nullptr: always asked
    HexMessage reply;
  };
  const std::vector<Parameter> parameters = {
      {"010C", nullptr, "FE" + Reply("410C0FA0")},                      // 1000 rpm
      {"0104", &ActiveMeasures::injection, "FE" + Reply("410480")},     // 50.2 % load
      {"0111", &ActiveMeasures::throttle, "FE" + Reply("41110100")},    // two bytes: 100.4 %
      {"0105", &ActiveMeasures::coolant_temp, "FE" + Reply("41055A")},  // 50 degrees
      {"010F", &ActiveMeasures::air_temp, "FE" + Reply("410F3C")},      // 20 degrees
      {"0110", &ActiveMeasures::advance, "FE" + Reply("41101234")},     // first byte: 18
      {"010D", &ActiveMeasures::battery, "FE" + Reply("410D3C")},       // 60 km/h
      {"010B", &ActiveMeasures::pressure, "FE" + Reply("410B64")},      // 100
  };
  ActiveMeasures air_only = NoMeasures();
  air_only.air_temp = true;
  const struct {
    const char* name;
    ActiveMeasures active;
    const char* faulted;  // request that gets `fault` instead of its reply; nullptr: none
    HexMessage fault;     // "": silence
    Values want;
  } cases[] = {
      {"all answered",
       ActiveMeasures{},
       nullptr,
       "",
       {1000, 100.39f, 50.196f, 18, 100, 20, 50, 60}},
      {"throttle refused",
       ActiveMeasures{},
       "0111",
       Reply("7F0112"),
       {1000, 0, 50.196f, 18, 100, 20, 50, 60}},
      // The published one-byte throttle: 0x80 is 50.2 %.
      {"throttle in one byte",
       ActiveMeasures{},
       "0111",
       "FE" + Reply("411180"),
       {1000, 50.196f, 50.196f, 18, 100, 20, 50, 60}},
      {"two-byte throttle cut after its first byte",
       ActiveMeasures{},
       "0111",
       "84F110411101",
       {1000, 0, 50.196f, 18, 100, 20, 50, 60}},
      {"coolant cut short",
       ActiveMeasures{},
       "0105",
       "FE83F1104105",
       {1000, 100.39f, 50.196f, 18, 100, 20, 0, 60}},
      {"air only: the others keep their value",
       air_only,
       nullptr,
       "",
       {1000, 7, 7, 7, 7, 20, 7, 7}},
      {"no engine speed zeroes every value first", air_only, "010C", "", {0, 0, 0, 0, 0, 20, 0, 0}},
      {"engine speed refused",
       ActiveMeasures{},
       "010C",
       Reply("7F0112"),
       {0, 100.39f, 50.196f, 18, 100, 20, 50, 60}},
  };
  UseFamily(Eobd);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<HexMessage> expected_requests;
    for (const Parameter& p : parameters) {
      if (p.measure != nullptr && !(c.active.*p.measure)) continue;
      const HexMessage request = Request(p.request);
      expected_requests.push_back(request);
      if (c.faulted != nullptr && std::string(c.faulted) == p.request) {
        if (c.fault.empty()) {
          ecu_.Add(sim::EcuStep::Silence(request));
        } else {
          ecu_.Expect(request, c.fault);
        }
      } else {
        ecu_.Expect(request, p.reply);
      }
    }
    const std::size_t before = ecu_.Requests().size();
    pauses_.pauses.clear();
    RawEngineValues raw = Raw(kSevens);
    decoder_.Decode(Eobd, c.active, raw);
    ExpectValues(raw, c.want);
    EXPECT_TRUE(raw.arrived);  // every case has at least one parameter answered
    const std::vector<HexMessage> seen = RequestsSeen();
    EXPECT_EQ(
        std::vector<HexMessage>(seen.begin() + static_cast<std::ptrdiff_t>(before), seen.end()),
        expected_requests);
    EXPECT_EQ(pauses_.pauses, std::vector<double>(expected_requests.size(), 0.06));
    clock_.RunFor(std::chrono::milliseconds(50));
  }
  EXPECT_EQ(ecu_.Mismatches(), 0);
  EXPECT_EQ(ecu_.StepsLeft(), 0u);
}

}  // namespace
}  // namespace velkor
