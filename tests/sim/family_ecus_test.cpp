// The ECU models on the simulated K-line: each family's answers read back by hand at the
// positions and scalings the tester uses, and the faults they show on demand.
#include "sim/family_ecus.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/ecu_family.hpp"
#include "core/hex_message.hpp"
#include "link/frame.hpp"
#include "link/kwp_reply.hpp"
#include "sim/kline_bus.hpp"
#include "sim/tester_uart.hpp"
#include "sim/virtual_clock.hpp"

namespace velkor::sim {
namespace {

using namespace std::chrono_literals;

// An engine with a value in every field, none of them round.
EngineState KnownState() {
  EngineState e;
  e.rpm = 1990;
  e.throttle_deg = 4.1;
  e.throttle_percent = 53.3;
  e.pressure_hpa = 1010;
  e.load_percent = 8.2;
  e.injection_ms = 3.356;
  e.advance_deg = 26.8;
  e.air_c = 21;
  e.coolant_c = 17;
  e.battery_v = 13.7;
  e.lambda_mv = 640;
  e.air_flow_gps = 4.77;
  e.vehicle_kmh = 12;
  return e;
}

int ByteAt(const HexMessage& answer, std::size_t position) {
  return HexToByte(Mid(answer, position, 2));
}
int WordAt(const HexMessage& answer, std::size_t position) {
  return ByteAt(answer, position) * 256 + ByteAt(answer, position + 2);
}
bool ChecksumOk(const HexMessage& frame) {
  return !frame.empty() && CheckSum(Left(frame, frame.size() - 2)) == Right(frame, 2);
}

// The tester's cable and an engine held still, with one family's ECU on the line.
class FamilyEcuTest : public ::testing::Test {
 protected:
  void Connect(int family) {
    ecu_ = MakeFamilyEcu(clock_, bus_, engine_, family);
    ASSERT_NE(ecu_, nullptr);
    uart_.Configure(FamilyBaud(family));
  }

  // Writes the bytes 6 ms apart as the exchange does, waits, and returns what came back after
  // the echo.
  HexMessage Exchange(const HexMessage& request, double wait = 0.2) {
    uart_.Read(uart_.BytesWaiting());
    const std::vector<std::uint8_t> bytes = HexToBytes(request);
    for (std::uint8_t byte : bytes) {
      clock_.Pause(0.006);
      uart_.WriteByte(byte);
    }
    clock_.Pause(wait);
    const HexMessage heard = BytesToHex(uart_.Read(uart_.BytesWaiting()));
    EXPECT_EQ(Left(heard, request.size()), request) << "echo";
    return Mid(heard, request.size() + 1);
  }
  // A framed request with the tester's usual addresses.
  HexMessage Ask(const HexMessage& payload, double wait = 0.2) {
    return Exchange(FrameKwp(payload, "10F1"), wait);
  }

  VirtualClock clock_;
  KLineBus bus_{clock_};
  TesterUart uart_{clock_, bus_};
  FixedEngine engine_{KnownState()};
  std::unique_ptr<EcuModel> ecu_;
};

TEST_F(FamilyEcuTest, ByteFamiliesAnswerEachAddressInTheirScaling) {
  const EngineState e = KnownState();
  for (int family : {Iaw16M, Iaw15M, Iaw15RC, IawP8}) {
    SCOPED_TRACE(family);
    Connect(family);
    const bool p8 = family == IawP8;
    auto read = [&](const char* address) {
      const HexMessage answer = Exchange(address);
      EXPECT_EQ(answer.size(), 2u) << address;
      return HexToByte(answer);
    };
    const int period = read("01") * 256 + read("02");
    EXPECT_NEAR((p8 ? 30000000.0 : 15000000.0) / period, e.rpm, 0.5);

    const int tps = read("09");
    double angle = tps * 0.1848 - 1.41;
    if (angle >= 34) angle = tps * 0.7058 - 90;
    EXPECT_NEAR(angle, e.throttle_deg, 0.0925);

    const int injection = read("03") * 256 + read("04");
    EXPECT_NEAR(injection * (p8 ? 4 : 2) / 1000.0, e.injection_ms, p8 ? 0.002 : 0.001);
    EXPECT_NEAR(read("05") / (p8 ? 4.0 : 2.0), e.advance_deg, p8 ? 0.125 : 0.25);
    EXPECT_NEAR((read("06") * 2.8758 + 91) * 133 / 100, e.pressure_hpa, 1.92);
    EXPECT_EQ(read("07") - 55, e.air_c);
    EXPECT_EQ(read("08") - 55, e.coolant_c);
    EXPECT_NEAR(read("0A") * 0.0628, e.battery_v, 0.0314);
    for (const char* flags : {"10", "11", "12", "14", "15", "16"}) EXPECT_EQ(read(flags), 0);
    // An address it does not have: nothing.
    EXPECT_EQ(Exchange("3F"), "");
    ecu_.reset();
  }
}

// Encodings at the edges of what a byte can say.
TEST(ByteFamilyByteTest, EdgesOfTheByteScalings) {
  auto with = [](auto set) {
    EngineState e;
    set(e);
    return e;
  };
  const struct {
    const char* name;
    int family;
    std::uint8_t address;
    EngineState state;
    int expected;
  } cases[] = {
      // Between 33.89 degrees (byte 191) and 45.51 (byte 192) no byte reads right: the nearest.
      {"throttle below the gap", Iaw16M, 0x09, with([](auto& e) { e.throttle_deg = 36; }), 191},
      {"throttle above the gap", Iaw16M, 0x09, with([](auto& e) { e.throttle_deg = 44; }), 192},
      {"throttle wide open", Iaw16M, 0x09, with([](auto& e) { e.throttle_deg = 84; }), 247},
      {"throttle shut", Iaw16M, 0x09, with([](auto& e) { e.throttle_deg = 0; }), 8},
      // Family 3 reads every small byte as 0 degrees.
      {"throttle shut, family 3", IawP8, 0x09, with([](auto& e) { e.throttle_deg = 0; }), 0},
      // 1.022 ms is 511 units of 2 us, low byte 0xFF: that would read as no injection.
      {"injection low byte", Iaw16M, 0x04, with([](auto& e) { e.injection_ms = 1.022; }), 0xFE},
      {"injection high byte", Iaw16M, 0x03, with([](auto& e) { e.injection_ms = 500; }), 0xFE},
      // A crawling engine: a high byte of 0xFF would be taken for "keep the last one".
      {"period high byte", Iaw16M, 0x01, with([](auto& e) { e.rpm = 100; }), 0xFE},
      {"period of a stopped engine", IawP8, 0x01, with([](auto& e) { e.rpm = 0; }), 0xFE},
      {"period at 10000 rpm", Iaw16M, 0x02, with([](auto& e) { e.rpm = 10000; }), 1500 & 0xFF},
      {"cold air", Iaw16M, 0x07, with([](auto& e) { e.air_c = -60; }), 0},
      {"battery overflow", Iaw16M, 0x0A, with([](auto& e) { e.battery_v = 20; }), 255},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ByteFamilyByte(c.family, c.address, c.state), c.expected);
  }
  EXPECT_EQ(ByteFamilyByte(Iaw16M, 0x3F, EngineState{}), std::nullopt);
}

TEST_F(FamilyEcuTest, TwoByteValuesComeFromTheInstantTheHighByteWasRead) {
  Connect(Iaw16M);
  engine_.state.rpm = 1200;  // period 12500 = 0x30D4
  EXPECT_EQ(Exchange("01"), "30");
  engine_.state.rpm = 1201;  // period 12490 = 0x30CA
  EXPECT_EQ(Exchange("02"), "D4");
  EXPECT_EQ(Exchange("01"), "30");
  EXPECT_EQ(Exchange("02"), "CA");
}

TEST_F(FamilyEcuTest, Family4EngineRecordInBothFormats) {
  const EngineState e = KnownState();
  Connect(Iaw59M5AM);
  auto& ecu = static_cast<KwpEngineEcu&>(*ecu_);
  const struct {
    bool short_record;
    const char* pattern;
    std::size_t length;
  } formats[] = {{false, "96F11061A0", 26}, {true, "94F11061A0", 24}};
  for (const auto& f : formats) {
    SCOPED_TRACE(f.pattern);
    ecu.Settings().short_record = f.short_record;
    const HexMessage answer = Ask("21A0");
    ASSERT_EQ(ByteLength(answer), f.length);
    EXPECT_TRUE(ChecksumOk(answer));
    const std::size_t p = InStr(answer, f.pattern);
    ASSERT_EQ(p, 1u);
    auto data = [&](int k) { return WordAt(answer, p + 10 + 2 * k); };
    EXPECT_EQ(data(0), 1990);
    EXPECT_EQ(data(2), 1010);
    EXPECT_EQ(data(4) - 40, e.air_c);
    EXPECT_EQ(data(6) - 40, e.coolant_c);
    EXPECT_NEAR(data(8) / 10.0, e.throttle_deg, 0.05);
    EXPECT_NEAR(data(10) / 10.0, e.advance_deg, 0.05);
    EXPECT_NEAR(data(12) / 10.0, e.battery_v, 0.05);
    EXPECT_NEAR(data(16) / 500.0, e.injection_ms, 0.001);
  }
}

TEST_F(FamilyEcuTest, Family4ShortRequests) {
  Connect(Iaw59M5AM);
  auto& ecu = static_cast<KwpEngineEcu&>(*ecu_);

  // Fast mode: the speed at fixed positions 11 and 13 of the answer.
  const HexMessage speed = Ask("2130");
  EXPECT_EQ(Left(speed, 10), "84F1106130");
  EXPECT_EQ(ByteAt(speed, 11) * 256 + ByteAt(speed, 13), 1990);
  EXPECT_TRUE(ChecksumOk(speed));

  const HexMessage lambda = Ask("2145");
  const std::size_t p = InStr(lambda, "F1106145");
  ASSERT_GT(p, 0u);
  EXPECT_EQ(ByteAt(lambda, p + 8) * 256 + ByteAt(lambda, p + 10), 640);

  ecu.Settings().status[4] = 0x08;  // engine stalled
  const HexMessage status = Ask("21A6");
  ASSERT_EQ(ByteLength(status), 22u);
  EXPECT_EQ(Left(status, 10), "92F11061A6");
  for (int k = 0; k < 16; ++k) {
    EXPECT_EQ(ByteAt(status, 11 + 2 * k), ecu.Settings().status[k]) << "value byte " << k;
  }
  EXPECT_EQ(ByteAt(status, 19), 0x08);
  EXPECT_EQ(Mid(status, 21, 4), "0040");  // running at idle

  // The mixture follows the probe (640 mV: rich) unless set.
  EXPECT_EQ(ByteAt(Ask("214B"), 3 + 8), 0x08);
  engine_.state.lambda_mv = 120;
  EXPECT_EQ(ByteAt(Ask("214B"), 3 + 8), 0x02);
  ecu.Settings().mixture = 0x20;
  EXPECT_EQ(Ask("214B"), "83F110614B20" + CheckSum("83F110614B20"));

  EXPECT_EQ(Ask("81"), "83F110C1EF8FC3");
  EXPECT_EQ(Ask("3E"), "81F1107E00");
  EXPECT_EQ(Ask("2199"), FrameKwp("7F2131", "F110"));
  // 1A answers its record under option 80 only (the session's 1A 92 is the simulator's).
  EXPECT_EQ(Ask("1A92"), FrameKwp("7F1A31", "F110"));
}

// The fault and identification services of family 4, frame by frame, against a store of two
// codes: each request in turn, as a tester's fault window sends them.
TEST_F(FamilyEcuTest, Family4FaultServicesFrameByFrame) {
  Connect(Iaw59M5AM);
  auto& ecu = static_cast<KwpEngineEcu&>(*ecu_);
  ecu.Settings().stored_codes = {{0x0122, 0x24, 0x40}, {0xD600, 0x80, 0x01}};
  const struct {
    const char* request;
    const char* reply;  // data of the reply frame
  } steps[] = {
      {"1800FF00",
       "5802"
       "012224"
       "D60080"},
      {"170122",
       "5702"
       "0122"
       "24"
       "000000000000"
       "40"},
      {"17D600",
       "5702"
       "D600"
       "80"
       "000000000000"
       "01"},
      {"170123", "7F1731"},  // not stored
      {"1701", "7F1712"},    // a code of one byte
      {"17012200", "7F1712"},
      {"1800FF", "7F1812"},
      {"1800FF0000", "7F1812"},
      {"1802FF00", "7F1831"},  // another status
      {"18000000", "7F1831"},  // another group
      {"14FF", "7F1412"},
      {"140000", "7F1431"},
      {"1A", "7F1A12"},
      {"1A8000", "7F1A12"},
      {"1800FF00",
       "5802"
       "012224"
       "D60080"},  // refusals cleared nothing
      {"14FF00", "54FF00"},
      {"1800FF00", "5800"},
      {"170122", "7F1731"},
      {"14FF00", "54FF00"},  // clearing an empty store
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.request);
    EXPECT_EQ(Ask(step.request), FrameKwp(step.reply, "F110"));
  }
  EXPECT_TRUE(ecu.Settings().stored_codes.empty());
}

// Beyond 63 data bytes the list goes in the length-byte format, which the tester's reply reader
// takes whole, checksum checked.
TEST_F(FamilyEcuTest, Family4CodeListsOfEveryLength) {
  Connect(Iaw59M5AM);
  auto& ecu = static_cast<KwpEngineEcu&>(*ecu_);
  for (std::size_t count : {0u, 2u, 20u, 21u, 25u, 84u}) {
    SCOPED_TRACE(count);
    ecu.Settings().stored_codes.clear();
    HexMessage records;
    for (std::size_t i = 0; i < count; ++i) {
      const auto code = static_cast<std::uint16_t>(0x0100 + i);
      const auto status = static_cast<std::uint8_t>(i);
      ecu.Settings().stored_codes.push_back({code, status, 0});
      records += ByteToHex(code >> 8) + ByteToHex(code & 0xFF) + ByteToHex(status);
    }
    const HexMessage data = "58" + ByteToHex(static_cast<int>(count)) + records;
    const std::size_t n = ByteLength(data);
    const HexMessage head = n <= 63 ? ByteToHex(0x80 + static_cast<int>(n)) + "F110"
                                    : "80F110" + ByteToHex(static_cast<int>(n));
    const HexMessage answer = Ask("1800FF00", 0.5);
    EXPECT_EQ(answer, head + data + CheckSum(head + data));

    const KwpReply reply = ReadKwpReply(answer, "F110", {.service = 0x18});
    ASSERT_TRUE(reply.Positive());
    EXPECT_EQ(reply.whole_length, answer.size());
    EXPECT_EQ(reply.data, Mid(data, 3));
  }
  // More than one frame can carry: the first 84, counted as such.
  ecu.Settings().stored_codes.resize(90, {0x0300, 0, 0});
  const KwpReply reply = ReadKwpReply(Ask("1800FF00", 0.5), "F110", {.service = 0x18});
  ASSERT_TRUE(reply.Positive());
  EXPECT_EQ(reply.Byte(0), 84);
  EXPECT_EQ(reply.DataBytes(), 1u + 3 * 84);
}

TEST_F(FamilyEcuTest, Family4IdentificationAndClearingWhileRunning) {
  Connect(Iaw59M5AM);
  auto& ecu = static_cast<KwpEngineEcu&>(*ecu_);
  // The default record is the one of the tester's own test-mode answer.
  EXPECT_EQ(Ask("1A80"),
            "BFF1105A80323836343037353141202049415735394D4857303130003031333044433237202020000035"
            "394D413320AAAAAAAAAA544C43202020202020202003082853");
  ecu.Settings().identification.fill(0x00);
  ecu.Settings().identification[0] = 0x41;
  EXPECT_EQ(Ask("1A80"), FrameKwp("5A8041" + std::string(120, '0'), "F110"));

  // Running (1990 rpm) and told to refuse: 22, the store kept; stopped: cleared.
  ecu.Settings().stored_codes = {{0x0122, 0x24, 0x40}};
  EXPECT_EQ(Ask("14FF00"), FrameKwp("54FF00", "F110"));
  ecu.Settings().stored_codes = {{0x0122, 0x24, 0x40}};
  ecu.Settings().refuse_clear_while_running = true;
  EXPECT_EQ(Ask("14FF00"), FrameKwp("7F1422", "F110"));
  EXPECT_EQ(ecu.Settings().stored_codes.size(), 1u);
  engine_.state.rpm = 0;
  EXPECT_EQ(Ask("14FF00"), FrameKwp("54FF00", "F110"));
  EXPECT_TRUE(ecu.Settings().stored_codes.empty());
}

// The byte families' fault rows, kinds, identification and status, one address at a time.
TEST_F(FamilyEcuTest, ByteFamilyFaultRowsIdentificationAndStatus) {
  ByteFamilySettings settings;
  settings.faults.bits = {0x03, 0x80, 0x21, 0x00, 0x01, 0x40, 0x08};
  settings.faults.kinds = {0x01, 0x00, 0x20, 0x00, 0xFF, 0x40, 0x00};
  for (std::size_t i = 0; i < settings.identification.size(); ++i) {
    settings.identification[i] = static_cast<std::uint8_t>(0x30 + i);
  }
  ecu_ = std::make_unique<ByteFamilyEcu>(clock_, bus_, engine_, Iaw15M, settings);
  uart_.Configure(FamilyBaud(Iaw15M));
  const struct {
    const char* address;
    const char* answer;
  } cases[] = {
      {"10", "03"},
      {"11", "80"},
      {"12", "21"},
      {"14", "01"},
      {"15", "40"},
      {"16", "08"},
      {"2B", "01"},
      {"2C", "00"},
      {"2D", "20"},
      {"2F", "FF"},
      {"30", "40"},
      {"31", "00"},
      {"2E", ""},  // row 3 has no kind
      {"17", "30"},
      {"20", "39"},
      {"21", "3A"},
      {"28", "41"},
      {"29", ""},
      {"32", ""},
      // Running at 1990 rpm with the throttle at 4.1 degrees, stepper enabled.
      {"13", "03"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.address);
    EXPECT_EQ(Exchange(c.address), c.answer);
  }

  const struct {
    const char* name;
    double rpm;
    double throttle_deg;
    bool stepper;
    const char* status;
  } states[] = {
      {"stopped, throttle closed", 0, 0, true, "09"},
      {"idling at the idle screw", 1200, 1.8, true, "0B"},
      {"cranking, wide open", 250, 84, true, "09"},
      {"running part open, no stepper", 3000, 30, false, "02"},
  };
  for (const auto& s : states) {
    SCOPED_TRACE(s.name);
    engine_.state.rpm = s.rpm;
    engine_.state.throttle_deg = s.throttle_deg;
    static_cast<ByteFamilyEcu&>(*ecu_).Settings().stepper_enabled = s.stepper;
    EXPECT_EQ(Exchange("13"), s.status);
  }

  // The default identification: a part number and a calibration with their padding.
  Connect(Iaw16M);
  HexMessage ident;
  for (int address = 0x17; address <= 0x28; ++address) ident += Exchange(ByteToHex(address));
  EXPECT_EQ(HexAsText(ident), "28640211A.C0412...");
  Connect(IawP8);
  EXPECT_EQ(Exchange("17"), "");
}

// The memory clearing as the tester performs it: status, AA echoed, the clear command answered
// FF (done), FF echoed. It empties the memorised rows only.
TEST_F(FamilyEcuTest, ByteFamilyMemoryClearing) {
  const struct {
    int family;
    const char* clear;
    const char* other;  // a byte that is no command of the family
  } families[] = {{Iaw16M, "84", "88"}, {Iaw15M, "83", "84"}, {Iaw15RC, "83", "84"}};
  engine_.state.rpm = 0;
  engine_.state.throttle_deg = 0;
  for (const auto& f : families) {
    SCOPED_TRACE(f.family);
    ByteFamilySettings settings;
    settings.faults.bits = {0x03, 0x01, 0x01, 0x00, 0x03, 0x01, 0x01};
    settings.faults.kinds = {0x01, 0x01, 0x01, 0x00, 0x01, 0x01, 0x01};
    ecu_ = std::make_unique<ByteFamilyEcu>(clock_, bus_, engine_, f.family, settings);
    uart_.Configure(FamilyBaud(f.family));
    auto& ecu = static_cast<ByteFamilyEcu&>(*ecu_);

    EXPECT_EQ(Exchange(f.clear), "");  // not in the diagnostic mode: nothing
    EXPECT_EQ(Exchange("13"), "09");
    EXPECT_EQ(Exchange("AA"), "AA");
    EXPECT_TRUE(ecu.InDiagnosticMode());
    EXPECT_EQ(Exchange("01"), "");  // no live data meanwhile
    EXPECT_EQ(Exchange(f.other), "");
    EXPECT_EQ(Exchange(f.clear), "FF");
    EXPECT_EQ(Exchange("FF"), "FF");
    EXPECT_FALSE(ecu.InDiagnosticMode());
    const ByteFaultRows cleared = {{0x03, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00},
                                   {0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00}};
    EXPECT_EQ(ecu.Settings().faults, cleared);
    for (const char* address : {"14", "15", "16", "2F", "30", "31"}) {
      EXPECT_EQ(Exchange(address), "00") << address;
    }
    EXPECT_EQ(Exchange("10"), "03");
    EXPECT_EQ(Exchange("FF"), "");  // FF outside the mode is no address
  }

  // A running engine: AA is not taken up. The ignition off ends the mode.
  auto& ecu = static_cast<ByteFamilyEcu&>(*ecu_);
  engine_.state.rpm = 1200;
  EXPECT_EQ(Exchange("AA"), "");
  engine_.state.rpm = 0;
  EXPECT_EQ(Exchange("AA"), "AA");
  ecu.SetIgnition(false);
  ecu.SetIgnition(true);
  EXPECT_FALSE(ecu.InDiagnosticMode());
  EXPECT_EQ(Exchange("08").size(), 2u);
  // P8 has no diagnostic mode.
  Connect(IawP8);
  EXPECT_EQ(Exchange("AA"), "");
}

TEST_F(FamilyEcuTest, EobdAnswersEveryParameterTheTesterReads) {
  const EngineState e = KnownState();
  Connect(Eobd);
  const struct {
    const char* request;
    std::size_t length;
    int two_bytes;  // 1: the value is A * 256 + B
    double scale;   // value = data * scale + offset
    double offset;
    double expected;
    double tolerance;
  } cases[] = {
      {"010C", 8, 1, 0.25, 0, e.rpm, 0.25},
      {"0104", 7, 0, 100.0 / 255, 0, e.load_percent, 0.2},
      {"0111", 7, 0, 100.0 / 255, 0, e.throttle_percent, 0.2},  // one byte, as published
      {"0105", 7, 0, 1, -40, e.coolant_c, 0.5},
      {"010F", 7, 0, 1, -40, e.air_c, 0.5},
      {"010D", 7, 0, 1, 0, e.vehicle_kmh, 0.5},
      {"010B", 7, 0, 1, 0, 101, 0},  // kPa, shown as received
      // The program shows only the first byte of the air flow: 477 / 256.
      {"0110", 8, 0, 1, 0, 1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.request);
    const HexMessage answer = Ask(c.request);
    ASSERT_EQ(ByteLength(answer), c.length);
    EXPECT_TRUE(ChecksumOk(answer));
    const HexMessage pattern =
        ByteToHex(0x80 + static_cast<int>(c.length) - 4) + "F110" + "41" + Mid(c.request, 3, 2);
    const std::size_t p = InStr(answer, pattern);
    ASSERT_EQ(p, 1u);
    const int data = c.two_bytes ? WordAt(answer, p + 10) : ByteAt(answer, p + 10);
    EXPECT_NEAR(data * c.scale + c.offset, c.expected, c.tolerance);
  }
  // The supported PIDs 01-20: exactly the ones above, and the status PID 01.
  EXPECT_EQ(Ask("0100"), FrameKwp("4100983B8000", "F110"));
  EXPECT_EQ(Ask("0101"), FrameKwp("4101"
                                  "00"
                                  "076100",
                                  "F110"));
  EXPECT_EQ(Ask("0102"), FrameKwp("7F0112", "F110"));
  EXPECT_EQ(Ask("81"), "83F110C1EF8FC3");
}

// A request to every OBD ECU (format C<n>, target 33) is answered from the ECU's own address;
// what it does not have is refused only when asked by address.
TEST_F(FamilyEcuTest, EobdAnswersFunctionalRequestsAndIgnoresWhatItLacks) {
  Connect(Eobd);
  auto functional = [](const HexMessage& data) {
    const HexMessage head = ByteToHex(0xC0 + static_cast<int>(ByteLength(data))) + "33F1" + data;
    return head + CheckSum(head);
  };
  const struct {
    const char* payload;
    HexMessage physical;  // the reply's data; empty: none
    HexMessage functional;
  } cases[] = {
      {"0100", "4100983B8000", "4100983B8000"},
      {"0120", "7F0112", ""},  // PIDs 21-40: none
      {"0107", "7F0112", ""},
      {"09", "7F0911", ""},  // a service it does not have
      {"21A0", "7F2111", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.payload);
    EXPECT_EQ(Ask(c.payload), c.physical.empty() ? "" : FrameKwp(c.physical, "F110"));
    EXPECT_EQ(Exchange(functional(c.payload)),
              c.functional.empty() ? "" : FrameKwp(c.functional, "F110"));
  }
  // Another target with the functional format is nobody's.
  const HexMessage other = "C234F10100";
  EXPECT_EQ(Exchange(other + CheckSum(other)), "");
}

// Mode 03 in the layout of ISO 14230-4, PID 01 counting the codes, mode 04 clearing them.
TEST_F(FamilyEcuTest, EobdStoredCodesAreReadAndCleared) {
  const struct {
    const char* name;
    std::vector<const char*> codes;
    std::vector<HexMessage> frames;  // mode 03's, data only
    const char* lamp_and_count;
  } cases[] = {
      {"none", {}, {"43000000000000"}, "00"},
      {"one", {"P0130"}, {"43013000000000"}, "81"},
      {"three", {"P0130", "P0171", "C1234"}, {"43013001715234"}, "83"},
      {"four", {"P0130", "P0171", "B0001", "U3FFF"}, {"43013001718001", "43FFFF00000000"}, "84"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EobdSettings settings;
    for (const char* code : c.codes) settings.stored_codes.push_back(ParseDtc(code).value());
    ecu_ = std::make_unique<EobdEcu>(clock_, bus_, engine_, settings);
    uart_.Configure(FamilyBaud(Eobd));

    HexMessage expected;
    for (const HexMessage& frame : c.frames) expected += FrameKwp(frame, "F110");
    EXPECT_EQ(Ask("03", 0.3), expected);
    if (c.frames.size() > 1) {
      // The second frame comes P2 (25 ms) after the end of the first.
      const auto& sent = ecu_->Sent();
      const std::size_t second = sent.size() - ByteLength(FrameKwp(c.frames[1], "F110"));
      EXPECT_NEAR(ToSeconds(sent[second].start - sent[second - 1].end), 0.025, 1e-6);
    }
    EXPECT_EQ(Ask("0101"), FrameKwp(std::string("4101") + c.lamp_and_count + "076100", "F110"));
    EXPECT_EQ(Ask("04"), FrameKwp("44", "F110"));
    EXPECT_EQ(Ask("03"), FrameKwp("43000000000000", "F110"));
    EXPECT_EQ(Ask("0101"), FrameKwp("4101"
                                    "00"
                                    "076100",
                                    "F110"));
  }
}

TEST_F(FamilyEcuTest, FaultsOnDemand) {
  Connect(Iaw59M5AM);
  const HexMessage good = "84F110613007C6E3";  // 1990 rpm
  const struct {
    const char* name;
    EcuFault fault;
    HexMessage expected;
  } cases[] = {
      {"silence", {.silence = true}, ""},
      {"refusal", {.negative = 0x12}, "83F1107F2112" + CheckSum("83F1107F2112")},
      {"stray byte", {.stray_byte = 0xFE}, "FE" + good},
      {"short record", {.keep_bytes = 5}, Left(good, 10)},
      {"wrong checksum", {.bad_checksum = true}, "84F110613007C6E4"},
      {"another request", {.request = "0111", .silence = true}, good},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ecu_->AddFault(c.fault);
    EXPECT_EQ(Ask("2130"), c.expected);
    ecu_->ClearFaults();
  }

  // A fault for a number of requests, then the ECU recovers; the others stay answered.
  ecu_->AddFault({.request = "2130", .silence = true, .times = 2});
  EXPECT_EQ(Ask("2130"), "");
  EXPECT_EQ(Ask("3E"), "81F1107E00");
  EXPECT_EQ(Ask("2130"), "");
  EXPECT_EQ(Ask("2130"), good);

  // A late reply starts P2 plus the delay after the request.
  ecu_->AddFault({.extra_delay = 0.5});
  EXPECT_EQ(Ask("2130", 0.3), "");
  EXPECT_EQ(Exchange("", 0.5), good);
  const Nanos request_end = ecu_->Requests().back().end;
  const auto& sent = ecu_->Sent();
  EXPECT_EQ(sent[sent.size() - ByteLength(good)].start, request_end + 525ms);
}

TEST_F(FamilyEcuTest, IgnitionOffIsDeadUntilSwitchedOnAgain) {
  Connect(Iaw59M5AM);
  ecu_->SetIgnition(false);
  EXPECT_EQ(Ask("2130"), "");
  EXPECT_TRUE(ecu_->Requests().empty());  // it heard nothing

  // Switched off between a request and its reply: the reply never comes.
  ecu_->SetIgnition(true);
  const HexMessage frame = FrameKwp("2130", "10F1");
  for (std::uint8_t byte : HexToBytes(frame)) {
    clock_.Pause(0.006);
    uart_.WriteByte(byte);
  }
  clock_.Pause(0.01);  // the request is complete, P2 (25 ms) not yet over
  ecu_->SetIgnition(false);
  clock_.Pause(0.2);
  EXPECT_EQ(BytesToHex(uart_.Read(uart_.BytesWaiting())), frame);  // the echo alone

  ecu_->SetIgnition(true);
  EXPECT_EQ(ByteLength(Ask("2130")), 8u);
}

TEST_F(FamilyEcuTest, BrokenRequestsAreIgnored) {
  Connect(Iaw59M5AM);
  // Wrong checksum.
  HexMessage frame = FrameKwp("2130", "10F1");
  frame = Left(frame, frame.size() - 2) + "00";
  EXPECT_EQ(Exchange(frame), "");
  // Cut short: three bytes, then the line stays idle.
  EXPECT_EQ(Exchange("8210F1"), "");
  EXPECT_EQ(ecu_->BadFrames(), 2);
  // The next whole request is heard normally.
  EXPECT_EQ(ByteLength(Ask("2130")), 8u);
  ASSERT_EQ(ecu_->Requests().size(), 1u);
  EXPECT_EQ(ecu_->Requests()[0].key, "2130");
}

TEST_F(FamilyEcuTest, ByteFamiliesStaySilentWhenAskedToRefuse) {
  Connect(Iaw15M);
  ecu_->AddFault({.request = "09", .negative = 0x12});
  EXPECT_EQ(Exchange("09"), "");
  EXPECT_EQ(Exchange("07").size(), 2u);
}

// Wired as the header says, every family serves a moving engine at its own speed.
TEST(FamilyEcuWiringTest, EveryFamilyServesTheEngineModel) {
  for (int family = 0; family <= 5; ++family) {
    SCOPED_TRACE(family);
    VirtualClock clock;
    KLineBus bus(clock);
    TesterUart uart(clock, bus);
    EngineModel engine;
    auto ecu = MakeFamilyEcu(clock, bus, engine, family);
    uart.Configure(FamilyBaud(family));
    const HexMessage request = family == Iaw59M5AM ? FrameKwp("2130", "10F1")
                               : family == Eobd    ? FrameKwp("010C", "10F1")
                                                   : HexMessage("01");
    for (std::uint8_t byte : HexToBytes(request)) {
      clock.Pause(0.006);
      uart.WriteByte(byte);
    }
    clock.Pause(0.2);
    EXPECT_GT(uart.BytesWaiting(), ByteLength(request));
    ASSERT_EQ(ecu->Requests().size(), 1u);
    EXPECT_FALSE(ecu->Requests()[0].answer.empty());
    EXPECT_EQ(ecu->Baud(), family <= IawP8 ? 7812 : 10400);
  }
  VirtualClock clock;
  KLineBus bus(clock);
  EngineModel engine;
  EXPECT_EQ(MakeFamilyEcu(clock, bus, engine, 6), nullptr);
}

}  // namespace
}  // namespace velkor::sim
