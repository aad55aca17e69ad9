#include "sim/family_ecus.hpp"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/ecu_family.hpp"
#include "link/frame.hpp"

namespace velkor::sim {

namespace {

// Idle line after which bytes that make no whole request are given up: the longest gap a tester
// may leave between two bytes of a request on the K-line (it leaves 6 ms), so a tester held up a
// few milliseconds by its machine is still heard, as a real ECU would hear it.
constexpr Nanos kIdleGap = std::chrono::milliseconds(20);
constexpr double kByteFamilyP2 = 0.005;
constexpr double kFramedP2 = 0.025;

// Byte-family addresses.
constexpr std::uint8_t kPeriodHigh = 0x01;
constexpr std::uint8_t kPeriodLow = 0x02;
constexpr std::uint8_t kInjectionHigh = 0x03;
constexpr std::uint8_t kInjectionLow = 0x04;
constexpr std::uint8_t kAdvance = 0x05;
constexpr std::uint8_t kPressure = 0x06;
constexpr std::uint8_t kAirTemperature = 0x07;
constexpr std::uint8_t kCoolantTemperature = 0x08;
constexpr std::uint8_t kThrottle = 0x09;
constexpr std::uint8_t kBattery = 0x0A;
constexpr std::uint8_t kFirstFaultBits = 0x10;  // row i at 0x10 + i
constexpr std::uint8_t kFirstFaultKind = 0x2B;  // row i at 0x2B + i
constexpr std::uint8_t kEngineStatus = 0x13;    // where row 3's bits would be
// The diagnostic-mode handshake of families 0 to 2.
constexpr std::uint8_t kEnterDiagnostic = 0xAA;  // echoed
constexpr std::uint8_t kLeaveDiagnostic = 0xFF;  // echoed
constexpr std::uint8_t kCommandDone = 0xFF;      // the end byte of a command carried out
constexpr std::uint8_t kEnterTrimmer = 0x8D;     // 15M, 15RC; echoed
constexpr std::uint8_t kTrimmerAddress = 0x0F;   // the trimmer's raw byte, 15M and 15RC

// Status byte bits.
constexpr std::uint8_t kStatusStepperEnabled = 0x01;
constexpr std::uint8_t kStatusRunning = 0x02;
constexpr std::uint8_t kStatusThrottleAtStop = 0x08;
// Within this of either end the butterfly rests on its stop: the idle air screw holds it a
// little under 2 degrees open when closed.
constexpr double kThrottleStopBandDeg = 2.5;
// Below this the engine is stopped or cranking, not running.
constexpr double kRunningRpm = 400;

// The largest period and injection words a byte family can send: a high byte of 0xFF would be
// taken for "no new value", a low injection byte of 0xFF for "no injection".
constexpr long kMaxPeriod = 0xFEFF;
constexpr long kMaxInjection = 0xFEFE;

std::uint8_t ClampByte(double value) {
  return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

long ClampWord(double value, long max = 0xFFFF) { return std::clamp(std::lround(value), 0L, max); }

HexMessage Word(double value) {
  const long word = ClampWord(value);
  return ByteToHex(static_cast<int>(word >> 8)) + ByteToHex(static_cast<int>(word & 0xFF));
}

HexMessage Byte(double value) { return ByteToHex(ClampByte(value)); }

// What the tester reads from throttle byte b.
double ThrottleReading(int family, int b) {
  double angle = b * 0.1848 - 1.41;
  if (angle >= 34) angle = b * 0.7058 - 90;
  if (family == IawP8 && angle < 0) angle = 0;
  return angle;
}

std::uint8_t ThrottleByte(int family, double angle) {
  int best = 0;
  for (int b = 1; b <= 255; ++b) {
    if (std::abs(ThrottleReading(family, b) - angle) <
        std::abs(ThrottleReading(family, best) - angle)) {
      best = b;
    }
  }
  return static_cast<std::uint8_t>(best);
}

long Period(int family, double rpm) {
  const double ticks = family == IawP8 ? 30'000'000.0 : 15'000'000.0;
  if (rpm <= 0) return kMaxPeriod;
  return std::max(1L, ClampWord(ticks / rpm, kMaxPeriod));
}

long InjectionWord(int family, double ms) {
  const double us_per_unit = family == IawP8 ? 4 : 2;
  long word = ClampWord(ms * 1000 / us_per_unit, kMaxInjection);
  if ((word & 0xFF) == 0xFF) --word;
  return word;
}

// The framed families' own address, the target of a physical request.
constexpr std::uint8_t kFramedEcuAddress = 0x10;
// The OBD functional target of ISO 14230-4, with a format byte Cx.
constexpr std::uint8_t kFunctionalTarget = 0x33;

bool Physical(std::uint8_t format) { return (format & 0xC0) == 0x80; }
bool Functional(std::uint8_t format) { return (format & 0xC0) == 0xC0; }

// Back to the request's source, from the address it was sent to (from the ECU's own address
// when it went to every OBD ECU).
HexMessage ReplyHeaderOf(const std::vector<std::uint8_t>& request) {
  const std::uint8_t source = Functional(request[0]) ? kFramedEcuAddress : request[1];
  return ByteToHex(request[2]) + ByteToHex(source);
}

std::size_t HeaderSize(const std::vector<std::uint8_t>& request) {
  return (request[0] & 0x3F) == 0 ? 4 : 3;
}

// A reply frame: 80 + length, or beyond 63 data bytes 80 and a length byte after the
// addresses; the checksum covers every byte before it. Empty for no data or more than a length
// byte can count.
HexMessage FrameReply(const HexMessage& data, const HexMessage& header) {
  const std::size_t n = ByteLength(data);
  if (n <= 63) return FrameKwp(data, header);
  if (n > 255) return {};
  HexMessage frame = "80" + header + ByteToHex(static_cast<int>(n)) + data;
  return frame + CheckSum(frame);
}

// Services both framed families answer the same way; empty when `payload` is none of them.
HexMessage CommonReply(const HexMessage& payload) {
  if (payload == "81") return "C1EF8F";  // start communication, with the key bytes EF 8F
  if (payload == "82") return "C2";
  if (payload == "1081") return "5081";
  if (payload == "3E") return "7E";
  return {};
}

HexMessage CodeBytes(std::uint16_t code) { return ByteToHex(code >> 8) + ByteToHex(code & 0xFF); }

// The fault and identification services of family 4; empty for another service.
HexMessage KwpDiagnosticReply(const HexMessage& payload, const EngineState& state,
                              KwpEngineSettings& settings) {
  const HexMessage service = Left(payload, 2);
  // 12: the request's length is wrong; 31: out of range (a group, option or code it lacks).
  auto refuse = [&](const char* code) { return "7F" + service + code; };
  if (service == "18") {
    if (ByteLength(payload) != 4) return refuse("12");
    if (payload != "1800FF00") return refuse("31");
    const std::size_t count = std::min(settings.stored_codes.size(), kMaxStoredDtcs);
    HexMessage reply = "58" + ByteToHex(static_cast<int>(count));
    for (std::size_t i = 0; i < count; ++i) {
      const StoredDtc& dtc = settings.stored_codes[i];
      reply += CodeBytes(dtc.code) + ByteToHex(dtc.status);
    }
    return reply;
  }
  if (service == "17") {
    if (ByteLength(payload) != 3) return refuse("12");
    const int code = HexToByte(Mid(payload, 3, 2)) << 8 | HexToByte(Mid(payload, 5, 2));
    const auto dtc = std::find_if(settings.stored_codes.begin(), settings.stored_codes.end(),
                                  [&](const StoredDtc& d) { return d.code == code; });
    if (dtc == settings.stored_codes.end()) return refuse("31");
    // The status, six bytes of frozen data this ECU leaves at 00, then the counter.
    return "5702" + CodeBytes(dtc->code) + ByteToHex(dtc->status) + "000000000000" +
           ByteToHex(dtc->counter);
  }
  if (service == "14") {
    if (ByteLength(payload) != 3) return refuse("12");
    if (payload != "14FF00") return refuse("31");
    // 22: conditions not correct.
    if (settings.refuse_clear_while_running && EngineRunning(state)) return refuse("22");
    settings.stored_codes.clear();
    return "54FF00";
  }
  if (service == "1A") {
    if (ByteLength(payload) != 2) return refuse("12");
    if (payload != "1A80") return refuse("31");
    HexMessage reply = "5A80";
    for (std::uint8_t byte : settings.identification) reply += ByteToHex(byte);
    return reply;
  }
  return {};
}

// The live-data reads of family 4 that need nothing the ECU holds; empty for another request.
HexMessage KwpDataReply(const HexMessage& payload, const EngineState& state,
                        const KwpEngineSettings& settings) {
  if (payload == "21A0") {
    HexMessage record = "61A0";
    record += Word(state.rpm);
    record += Word(state.pressure_hpa);
    record += Word(state.air_c + 40);
    record += Word(state.coolant_c + 40);
    record += Word(state.throttle_deg * 10);
    record += Word(state.advance_deg * 10);
    record += Word(state.battery_v * 10);
    record += Word(0);
    record += Word(state.injection_ms * 500);
    if (!settings.short_record) record += Word(0);
    return record;
  }
  if (payload == "2130") return "6130" + Word(state.rpm);
  if (payload == "2145") return "6145" + Word(state.lambda_mv);
  if (payload == "21A6") {
    HexMessage record = "61A6";
    for (std::uint8_t byte : settings.status) record += ByteToHex(byte);
    return record;
  }
  if (payload == "214B") {
    const std::uint8_t rich = 0x08;
    const std::uint8_t lean = 0x02;
    return "614B" + ByteToHex(settings.mixture.value_or(state.lambda_mv >= 450 ? rich : lean));
  }
  if (payload == "2157") {
    // Engine phase: 02 key on, engine off; 04 engine on.
    const std::uint8_t phase = EngineRunning(state) ? 0x04 : 0x02;
    return "6157" + ByteToHex(settings.engine_phase.value_or(phase));
  }
  if (payload == "2174") return "6174" + ByteToHex(settings.immobiliser);
  return {};
}

// Supported PIDs 01-20, most significant bit first: 01 04 05 0B 0C 0D 0F 10 11.
constexpr const char* kSupportedPids = "983B8000";
// Readiness of PID 01 (bytes B, C, D): spark ignition; misfire, fuel system and components
// monitored; catalyst, oxygen sensor and its heater monitored; every test complete.
constexpr const char* kReadiness = "076100";
// Stored codes in one mode 03 frame, on the K-line.
constexpr std::size_t kCodesPerFrame = 3;
// PID 01 counts stored codes in seven bits.
constexpr std::size_t kMaxCountedCodes = 0x7F;

// The data of mode 01 PID `pid`; empty for a PID the ECU does not have.
HexMessage EobdPidValue(int pid, const EngineState& state,
                        const std::vector<std::uint16_t>& codes) {
  switch (pid) {
    case 0x00:
      return kSupportedPids;
    case 0x01: {
      // Bit 7: the warning lamp; bits 0 to 6: how many codes are stored.
      const std::size_t count = std::min(codes.size(), kMaxCountedCodes);
      return ByteToHex((codes.empty() ? 0x00 : 0x80) | static_cast<int>(count)) + kReadiness;
    }
    case 0x04:
      return Byte(state.load_percent * 255 / 100);
    case 0x05:
      return Byte(state.coolant_c + 40);
    case 0x0B:
      return Byte(state.pressure_hpa / 10);
    case 0x0C:
      return Word(state.rpm * 4);
    case 0x0D:
      return Byte(state.vehicle_kmh);
    case 0x0F:
      return Byte(state.air_c + 40);
    case 0x10:
      return Word(state.air_flow_gps * 100);
    case 0x11:
      return Byte(state.throttle_percent * 255 / 100);
    default:
      return {};
  }
}

}  // namespace

std::optional<std::uint16_t> ParseDtc(std::string_view text) {
  constexpr std::string_view kLetters = "PCBU";
  if (text.size() != 5) return std::nullopt;
  const std::size_t letter = kLetters.find(static_cast<char>(text[0] & ~0x20));
  if (letter == std::string_view::npos || text[1] < '0' || text[1] > '3') return std::nullopt;
  int value = 0;
  for (char c : text.substr(2)) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (digit < 0) return std::nullopt;
    value = value * 16 + digit;
  }
  return static_cast<std::uint16_t>((letter << 14) | (static_cast<unsigned>(text[1] - '0') << 12) |
                                    static_cast<unsigned>(value));
}

EobdResponder::EobdResponder(EobdSettings settings) : codes_(std::move(settings.stored_codes)) {}

std::vector<HexMessage> EobdResponder::Respond(const HexMessage& payload, const EngineState& state,
                                               bool functional) {
  if (HexMessage common = CommonReply(payload); !common.empty()) return {common};
  const HexMessage service = Left(payload, 2);
  // What the ECU does not have: refused when asked by address, and left to the other ECUs
  // (none answers) when asked of all of them.
  auto refuse = [&](const char* code) -> std::vector<HexMessage> {
    if (functional) return {};
    return {"7F" + (service.empty() ? HexMessage("00") : service) + code};
  };
  if (service == "01") {
    // 12: sub-function not supported (a parameter it does not have).
    if (payload.size() != 4) return refuse("12");
    const HexMessage value = EobdPidValue(HexToByte(Mid(payload, 3, 2)), state, codes_);
    if (value.empty()) return refuse("12");
    return {"41" + Mid(payload, 3, 2) + value};
  }
  if (service == "03" && payload.size() == 2) {
    // Three codes a frame, the last one padded with 00 00; a frame of zeros when none is stored.
    std::vector<HexMessage> frames;
    for (std::size_t i = 0; i == 0 || i < codes_.size(); i += kCodesPerFrame) {
      HexMessage frame = "43";
      for (std::size_t j = i; j < i + kCodesPerFrame; ++j) {
        const std::uint16_t code = j < codes_.size() ? codes_[j] : 0;
        frame += ByteToHex(code >> 8) + ByteToHex(code & 0xFF);
      }
      frames.push_back(frame);
    }
    return frames;
  }
  if (service == "04" && payload.size() == 2) {
    codes_.clear();
    return {"44"};
  }
  // 11: service not supported.
  return refuse("11");
}

int FamilyBaud(int family) { return IsKwpFamily(family) ? 10400 : 7812; }

// ---------------------------------------------------------------------------------------------
// EcuModel

EcuModel::EcuModel(VirtualClock& clock, KLineBus& bus, EngineSource& engine, int baud,
                   const std::string& name, double p2)
    : engine_(engine),
      clock_(clock),
      tx_(clock, bus, bus.AddDriver(name), baud),
      rx_(clock, bus, baud),
      p2_(p2),
      events_(clock) {
  rx_.IgnoreOwnFrames(tx_.Driver());
  rx_.SetOnByte([this](std::uint8_t byte, Nanos) { OnByte(byte); });
}

EcuModel::~EcuModel() = default;

void EcuModel::SetIgnition(bool on) {
  const bool was_on = ignition_;
  ignition_ = on;
  if (on) return;
  if (was_on) OnPowerDown();
  events_.CancelAll();
  idle_event_ = 0;
  buffer_.clear();
  tx_.Purge();
}

void EcuModel::OnByte(std::uint8_t byte) {
  if (!ignition_) return;
  buffer_.push_back(byte);
  clock_.Cancel(idle_event_);
  idle_event_ = 0;
  const std::size_t length = RequestLength(buffer_);
  if (length != 0 && buffer_.size() >= length) {
    Complete();
    return;
  }
  idle_event_ = events_.After(kIdleGap, EventKind::kDevice, [this] {
    idle_event_ = 0;
    buffer_.clear();
    ++bad_frames_;
  });
}

void EcuModel::Complete() {
  std::vector<std::uint8_t> request;
  request.swap(buffer_);
  if (!Valid(request)) {
    ++bad_frames_;
    return;
  }
  const Nanos now = clock_.Now();
  const HexMessage key = Key(request);
  double delay = p2_;
  // A request a fault refuses is not carried out: the ECU says no instead of acting. One a
  // fault silences is (its reply is lost on the way).
  const auto rule = std::find_if(faults_.begin(), faults_.end(), [&](const EcuFault& fault) {
    return fault.request.empty() || fault.request == key;
  });
  const bool refused = rule != faults_.end() && !rule->silence && rule->negative;
  std::vector<HexMessage> frames;
  if (!refused) frames = Answers(request, now);
  ApplyFault(request, key, frames, delay);
  HexMessage answer;
  for (const HexMessage& frame : frames) answer += frame;
  requests_.push_back(Request{now, BytesToHex(request), key, answer});
  // Each frame P2 after the end of the one before.
  const double byte_time = 10.0 / tx_.Baud();
  for (const HexMessage& frame : frames) {
    if (frame.empty()) continue;
    SendAfter(delay, frame);
    const double bytes = static_cast<double>(ByteLength(frame));
    delay += bytes * byte_time + (bytes - 1) * p1_ + p2_;
  }
}

std::vector<HexMessage> EcuModel::Answers(const std::vector<std::uint8_t>& request, Nanos now) {
  HexMessage reply = Answer(request, now);
  if (reply.empty()) return {};
  return {std::move(reply)};
}

void EcuModel::ApplyFault(const std::vector<std::uint8_t>& request, const HexMessage& key,
                          std::vector<HexMessage>& frames, double& delay) {
  auto rule = std::find_if(faults_.begin(), faults_.end(), [&](const EcuFault& fault) {
    return fault.request.empty() || fault.request == key;
  });
  if (rule == faults_.end()) return;
  const EcuFault fault = *rule;
  if (fault.times > 0 && --rule->times == 0) faults_.erase(rule);

  if (fault.silence) {
    frames.clear();
    return;
  }
  if (fault.negative) frames = {Refusal(request, *fault.negative)};
  if (frames.empty() || frames.front().empty()) {
    frames.clear();
    return;
  }
  // A fault spoils the first frame; a cut reply ends there.
  HexMessage& reply = frames.front();
  if (fault.bad_checksum && Framed()) {
    const HexMessage last = Right(reply, 2);
    reply = Left(reply, reply.size() - 2) + ByteToHex((HexToByte(last) + 1) & 0xFF);
  }
  if (fault.keep_bytes >= 0) {
    reply = Left(reply, 2 * static_cast<std::size_t>(fault.keep_bytes));
    frames.resize(1);
  }
  if (fault.stray_byte) reply = ByteToHex(*fault.stray_byte) + reply;
  delay += fault.extra_delay;
}

Nanos EcuModel::Now() const { return clock_.Now(); }

EventId EcuModel::After(Nanos delay, std::function<void()> action) {
  return events_.After(delay, EventKind::kDevice, std::move(action));
}

void EcuModel::Cancel(EventId id) { clock_.Cancel(id); }

void EcuModel::SendNow(const HexMessage& bytes) {
  if (!ignition_ || bytes.empty()) return;
  SendAfter(0, bytes);
}

void EcuModel::SendAfter(double delay, const HexMessage& reply) {
  const std::vector<std::uint8_t> bytes = HexToBytes(reply);
  events_.After(Seconds(delay), EventKind::kDevice, [this, bytes] {
    // The first byte goes at once: the delay before it was P2.
    tx_.Send(bytes.front());
    if (bytes.size() > 1) {
      tx_.Send(std::vector<std::uint8_t>(bytes.begin() + 1, bytes.end()), Seconds(p1_));
    }
  });
}

// ---------------------------------------------------------------------------------------------
// Byte families

std::optional<std::uint8_t> ByteFamilyByte(int family, std::uint8_t address,
                                           const EngineState& state) {
  switch (address) {
    case kPeriodHigh:
      return static_cast<std::uint8_t>(Period(family, state.rpm) >> 8);
    case kPeriodLow:
      return static_cast<std::uint8_t>(Period(family, state.rpm) & 0xFF);
    case kInjectionHigh:
      return static_cast<std::uint8_t>(InjectionWord(family, state.injection_ms) >> 8);
    case kInjectionLow:
      return static_cast<std::uint8_t>(InjectionWord(family, state.injection_ms) & 0xFF);
    case kAdvance:
      return ClampByte(state.advance_deg * (family == IawP8 ? 4 : 2));
    case kPressure:
      return ClampByte((state.pressure_hpa * 100 / 133 - 91) / 2.8758);
    case kAirTemperature:
      return ClampByte(state.air_c + 55);
    case kCoolantTemperature:
      return ClampByte(state.coolant_c + 55);
    case kThrottle:
      return ThrottleByte(family, state.throttle_deg);
    case kBattery:
      return ClampByte(state.battery_v / 0.0628);
    default:
      return std::nullopt;
  }
}

bool EngineRunning(const EngineState& state) { return state.rpm >= kRunningRpm; }

std::uint8_t ByteFamilyStatus(const EngineState& state, bool stepper_enabled) {
  std::uint8_t status = stepper_enabled ? kStatusStepperEnabled : 0;
  if (EngineRunning(state)) status |= kStatusRunning;
  if (state.throttle_deg <= kThrottleStopBandDeg ||
      state.throttle_deg >= EngineState::kThrottleFullDeg - kThrottleStopBandDeg) {
    status |= kStatusThrottleAtStop;
  }
  return status;
}

std::optional<ByteCommands> ByteFamilyCommands(int family) {
  if (family == Iaw16M) return ByteCommands{0x84, 0x86, 0x80, 0x82, 0x83, 0x81, 0x87};
  if (family == Iaw15M || family == Iaw15RC) {
    return ByteCommands{0x83, 0x85, 0x80, 0x81, 0x82, 0x86, 0x87};
  }
  return std::nullopt;
}

double ByteTestSeconds(int family, std::uint8_t command) {
  const std::optional<ByteCommands> commands = ByteFamilyCommands(family);
  return commands && command == commands->pump ? 30 : 5;
}

ByteFamilyEcu::ByteFamilyEcu(VirtualClock& clock, KLineBus& bus, EngineSource& engine, int family,
                             ByteFamilySettings settings)
    : EcuModel(clock, bus, engine, FamilyBaud(family), "ecu", kByteFamilyP2),
      family_(family),
      settings_(settings) {}

void ByteFamilyEcu::OnPowerDown() {
  if (mode_ == ByteMode::kTestRunning) EndTest(Now(), ActuatorActivation::EndedBy::kEcu);
  mode_ = ByteMode::kNormal;
  LeaveTrimmer();
  period_latch_.reset();
  injection_latch_.reset();
}

bool ByteFamilyEcu::HasTrimmer() const { return family_ == Iaw15M || family_ == Iaw15RC; }

bool ByteFamilyEcu::IsTest(std::uint8_t command) const {
  const std::optional<ByteCommands> c = ByteFamilyCommands(family_);
  if (!c) return false;
  for (std::uint8_t test :
       {c->rev_counter, c->pump, c->coil1, c->coil2, c->injector1, c->injector2}) {
    if (command == test) return true;
  }
  return false;
}

std::optional<std::uint8_t> ByteFamilyEcu::StateByte(std::uint8_t address,
                                                     const EngineState& state) const {
  if (address == kEngineStatus) return ByteFamilyStatus(state, settings_.stepper_enabled);
  if (address >= kFirstFaultBits && address < kFirstFaultBits + kFaultRows) {
    return settings_.faults.bits[address - kFirstFaultBits];
  }
  if (address >= kFirstFaultKind && address < kFirstFaultKind + kFaultRows &&
      IsFaultRow(address - kFirstFaultKind)) {
    return settings_.faults.kinds[address - kFirstFaultKind];
  }
  if (family_ != IawP8 && address >= kFirstIdentAddress &&
      address < kFirstIdentAddress + kByteIdentificationBytes) {
    return settings_.identification[address - kFirstIdentAddress];
  }
  if (address == kTrimmerAddress && HasTrimmer()) return TrimmerRaw();
  return std::nullopt;
}

void ByteFamilyEcu::StartTest(std::uint8_t command, Nanos now) {
  mode_ = ByteMode::kTestRunning;
  log_.push_back(ActuatorActivation{command, ToSeconds(now), std::nullopt,
                                    ActuatorActivation::EndedBy::kNever});
  test_end_ = After(Seconds(ByteTestSeconds(family_, command)), [this] {
    test_end_ = 0;
    EndTest(Now(), ActuatorActivation::EndedBy::kEcu);
    mode_ = ByteMode::kDiagnostic;
    if (!settings_.silent_end)
      SendNow(ByteToHex(settings_.end_byte_override.value_or(kCommandDone)));
  });
}

void ByteFamilyEcu::EndTest(Nanos now, ActuatorActivation::EndedBy by) {
  if (test_end_ != 0) Cancel(test_end_);
  test_end_ = 0;
  if (!log_.empty() && log_.back().ended_by == ActuatorActivation::EndedBy::kNever) {
    log_.back().off_s = ToSeconds(now);
    log_.back().ended_by = by;
  }
}

void ByteFamilyEcu::LeaveTrimmer() {
  trimmer_temporary_.reset();
  first_ff_.reset();
  ran_at_first_ff_ = false;
}

std::optional<std::uint8_t> ByteFamilyEcu::TrimmerAnswer(std::uint8_t byte,
                                                         const EngineState& state, Nanos now) {
  if (byte == 0x00) return std::nullopt;
  if (byte != kLeaveDiagnostic) {
    trimmer_temporary_ = byte;
    first_ff_.reset();
    return byte;
  }
  if (first_ff_ && now - *first_ff_ <= Seconds(kTrimmerStoreSeconds)) {
    // The second FF: the value is kept only if the engine ran with it.
    if (ran_at_first_ff_ && trimmer_temporary_) settings_.trimmer_raw = *trimmer_temporary_;
    LeaveTrimmer();
    mode_ = ByteMode::kNormal;
  } else {
    first_ff_ = now;
    ran_at_first_ff_ = EngineRunning(state);
  }
  return byte;
}

std::optional<std::uint8_t> ByteFamilyEcu::DiagnosticAnswer(std::uint8_t command,
                                                            const EngineState& state, Nanos now) {
  const std::optional<ByteCommands> commands = ByteFamilyCommands(family_);
  switch (mode_) {
    case ByteMode::kNormal:
      if (command != kEnterDiagnostic || EngineRunning(state)) return std::nullopt;
      mode_ = ByteMode::kDiagnostic;
      return kEnterDiagnostic;
    case ByteMode::kTestRunning:
      // Only FF is heard: it ends the test and the mode.
      if (command != kLeaveDiagnostic) return std::nullopt;
      EndTest(now, ActuatorActivation::EndedBy::kTester);
      mode_ = ByteMode::kNormal;
      return kLeaveDiagnostic;
    case ByteMode::kTrimmer:
      return TrimmerAnswer(command, state, now);
    case ByteMode::kDiagnostic:
      break;
  }
  if (command == kLeaveDiagnostic) {
    mode_ = ByteMode::kNormal;
    return kLeaveDiagnostic;
  }
  if (commands && command == commands->clear) {
    for (std::size_t row : {4, 5, 6}) {
      settings_.faults.bits[row] = 0;
      settings_.faults.kinds[row] = 0;
    }
    return kCommandDone;
  }
  if (IsTest(command)) {
    // The actuators are driven only with the engine standing still.
    if (EngineRunning(state)) return std::nullopt;
    StartTest(command, now);
    return command;
  }
  if (command == kEnterTrimmer && HasTrimmer() && !EngineRunning(state)) {
    mode_ = ByteMode::kTrimmer;
    LeaveTrimmer();
    return kEnterTrimmer;
  }
  return std::nullopt;
}

HexMessage ByteFamilyEcu::Key(const std::vector<std::uint8_t>& request) const {
  return ByteToHex(request[0]);
}

HexMessage ByteFamilyEcu::Answer(const std::vector<std::uint8_t>& request, Nanos now) {
  const std::uint8_t address = request[0];
  EngineState state = engine_.At(now);
  if (family_ != IawP8 && (mode_ != ByteMode::kNormal || address == kEnterDiagnostic)) {
    const std::optional<std::uint8_t> byte = DiagnosticAnswer(address, state, now);
    return byte ? ByteToHex(*byte) : HexMessage{};
  }
  if (const std::optional<std::uint8_t> byte = StateByte(address, state)) {
    return ByteToHex(*byte);
  }
  // A two-byte value is latched when its high byte is read and its low byte comes from the
  // latch, as the tester reads the two with separate requests.
  if (address == kPeriodHigh) period_latch_ = state;
  if (address == kInjectionHigh) injection_latch_ = state;
  if (address == kPeriodLow && period_latch_) state = *period_latch_;
  if (address == kInjectionLow && injection_latch_) state = *injection_latch_;
  const std::optional<std::uint8_t> byte = ByteFamilyByte(family_, address, state);
  return byte ? ByteToHex(*byte) : HexMessage{};
}

// ---------------------------------------------------------------------------------------------
// Framed families

FramedEcu::FramedEcu(VirtualClock& clock, KLineBus& bus, EngineSource& engine,
                     const std::string& name)
    : EcuModel(clock, bus, engine, 10400, name, kFramedP2) {}

std::size_t FramedEcu::RequestLength(const std::vector<std::uint8_t>& bytes) const {
  if (bytes.empty()) return 0;
  // Only the formats with both addresses are spoken (the functional one by an ECU that hears
  // it); any other first byte is line noise, a request of one byte that Valid turns down.
  if (!Physical(bytes[0]) && !(Functional(bytes[0]) && HearsFunctional())) return 1;
  const std::size_t length = bytes[0] & 0x3F;
  if (length != 0) return length + 4;
  if (bytes.size() < 4) return 0;
  return static_cast<std::size_t>(bytes[3]) + 5;
}

bool FramedEcu::Valid(const std::vector<std::uint8_t>& request) const {
  if (request.size() < 4) return false;
  const bool addressed = Physical(request[0]) || (Functional(request[0]) && HearsFunctional() &&
                                                  request[1] == kFunctionalTarget);
  if (!addressed) return false;
  unsigned sum = 0;
  for (std::size_t i = 0; i + 1 < request.size(); ++i) sum += request[i];
  return (sum & 0xFF) == request.back();
}

HexMessage FramedEcu::Key(const std::vector<std::uint8_t>& request) const {
  return BytesToHex(
      std::vector<std::uint8_t>(request.begin() + HeaderSize(request), request.end() - 1));
}

HexMessage FramedEcu::Answer(const std::vector<std::uint8_t>& request, Nanos now) {
  const HexMessage data = Respond(Key(request), engine_.At(now));
  return data.empty() ? HexMessage{} : FrameReply(data, ReplyHeaderOf(request));
}

HexMessage FramedEcu::Refusal(const std::vector<std::uint8_t>& request, std::uint8_t code) const {
  const HexMessage service = Left(Key(request), 2);
  return FrameReply("7F" + (service.empty() ? HexMessage("00") : service) + ByteToHex(code),
                    ReplyHeaderOf(request));
}

HexMessage FramedEcu::CommonResponse(const HexMessage& payload) { return CommonReply(payload); }

std::map<std::uint8_t, std::optional<double>> DefaultActuatorLimits() {
  return {{0x06, 4.0},  {0x05, 32.0}, {0x02, 7.0},
          {0x03, 7.0},  {0x08, 7.0},  {0x09, 7.0},
          {0x0E, 12.0}, {0x0D, 12.0}, {kKwpStepperTest, 32.0}};
}

namespace {

constexpr std::uint8_t kControlStart = 0x07;  // input/output control: short-term adjustment
constexpr std::uint8_t kControlStop = 0x00;   // return control to the ECU
constexpr std::uint8_t kControlStore = 0x05;  // freeze the current state (the trimmer's store)
constexpr std::uint8_t kTpsRoutine = 0x21;
// Stepper positions.
constexpr int kStepperRest = 150;
constexpr int kStepperLow = 20;
constexpr int kStepperHigh = 200;
constexpr double kStepperStepsPerSecond = 45;
// Trimmer bytes the ECU will not store: +127 and 128, beyond its +126.
constexpr std::uint8_t kTrimmerTooHigh = 0x7F;
constexpr std::uint8_t kTrimmerTooLow = 0x80;

bool IsKwpActuator(std::uint8_t id) {
  return std::find(std::begin(kKwpActuators), std::end(kKwpActuators), id) !=
         std::end(kKwpActuators);
}

}  // namespace

KwpEngineResponder::KwpEngineResponder(KwpEngineSettings settings)
    : settings_(std::move(settings)) {}

bool KwpEngineResponder::FiveAm() const {
  return settings_.ecu_name.find("IAW5A") != std::string::npos;
}

HexMessage KwpEngineResponder::Respond(const HexMessage& payload, const EngineState& state,
                                       Nanos now) {
  Settle(now);
  if (HexMessage common = CommonReply(payload); !common.empty()) return common;
  if (payload == "1A92" && !settings_.ecu_name.empty()) {
    HexMessage reply = "5A92";
    for (char c : settings_.ecu_name) reply += ByteToHex(static_cast<unsigned char>(c));
    return reply;
  }
  if (HexMessage diagnostic = KwpDiagnosticReply(payload, state, settings_); !diagnostic.empty()) {
    return diagnostic;
  }
  if (payload == "20") return "60";
  if (HexMessage data = KwpDataReply(payload, state, settings_); !data.empty()) return data;
  if (payload == "213D") {
    const std::int8_t trimmer = trimmer_temporary_.value_or(settings_.trimmer_stored);
    return "613D" + ByteToHex(static_cast<std::uint8_t>(trimmer)) + "25";
  }
  if (payload == "216C" && FiveAm()) return "616C" + ByteToHex(StepperPosition(now));
  const HexMessage service = Left(payload, 2);
  if (service == "30") return InputOutputControl(payload, state, now);
  if (service == "31" || service == "33") return Routine(payload, state);
  // 31: request out of range (a local identifier it does not have); 11: service not supported.
  if (service == "21") return "7F2131";
  return "7F" + service + "11";
}

HexMessage KwpEngineResponder::InputOutputControl(const HexMessage& payload,
                                                  const EngineState& state, Nanos now) {
  const std::size_t length = ByteLength(payload);
  if (length < 3) return "7F3012";
  const auto id = static_cast<std::uint8_t>(HexToByte(Mid(payload, 3, 2)));
  const auto control = static_cast<std::uint8_t>(HexToByte(Mid(payload, 5, 2)));
  const HexMessage echo = "70" + Mid(payload, 3, 4);
  const bool running = EngineRunning(state);

  if (id == kKwpTrimmer) {
    if (length != 4) return "7F3012";
    const auto value = static_cast<std::uint8_t>(HexToByte(Mid(payload, 7, 2)));
    TrimmerCommand& command =
        trimmer_log_.emplace_back(TrimmerCommand{ToSeconds(now), control, value, false});
    if (control == kControlStart) {
      trimmer_temporary_ = static_cast<std::int8_t>(value);
    } else if (control == kControlStore) {
      // Only the value the engine is running with, and only what the ECU can hold.
      const bool is_temporary =
          trimmer_temporary_ && static_cast<std::uint8_t>(*trimmer_temporary_) == value;
      if (!is_temporary || value == kTrimmerTooHigh || value == kTrimmerTooLow) return "7F3022";
      settings_.trimmer_stored = static_cast<std::int8_t>(value);
    } else {
      return "7F3031";
    }
    command.accepted = true;
    return echo + Mid(payload, 7, 2);
  }

  const bool stepper = id == kKwpStepperTest && FiveAm();
  const bool service_reset = id == kKwpServiceReset && FiveAm();
  if (!IsKwpActuator(id) && !stepper && !service_reset) return "7F3031";
  if (length != 3) return "7F3012";
  if (service_reset) {
    if (control != kControlStart) return "7F3031";
    if (running) return "7F3022";
    ++service_resets_;
    return echo;
  }
  if (control == kControlStop) {
    SwitchOff(id, now, ActuatorActivation::EndedBy::kTester);
    return echo;
  }
  if (control != kControlStart) return "7F3031";
  // The actuator tests want the engine stopped; the stepper test wants it running.
  if (stepper ? !running : running && settings_.refuse_tests_while_running) return "7F3022";
  SwitchOn(id, now);
  return echo;
}

HexMessage KwpEngineResponder::Routine(const HexMessage& payload, const EngineState& state) {
  const HexMessage service = Left(payload, 2);
  if (ByteLength(payload) != 2) return "7F" + service + "12";
  if (HexToByte(Mid(payload, 3, 2)) != kTpsRoutine) return "7F" + service + "31";
  if (service == "31") {
    if (settings_.tps_reset_refusal) return "7F31" + ByteToHex(*settings_.tps_reset_refusal);
    if (EngineRunning(state)) return "7F3122";
    tps_reset_started_ = true;
    ++tps_reset_starts_;
    return "7121";
  }
  // 24: request sequence error, the results of a routine not started.
  if (!tps_reset_started_) return "7F3324";
  tps_reset_started_ = false;
  ++tps_reset_results_;
  return "7321" + ByteToHex(settings_.tps_reset_result);
}

void KwpEngineResponder::PowerDown(Nanos now) {
  Settle(now);
  for (ActuatorActivation& a : log_) {
    if (a.ended_by == ActuatorActivation::EndedBy::kNever) {
      a.off_s = ToSeconds(now);
      a.ended_by = ActuatorActivation::EndedBy::kEcu;
    }
  }
  trimmer_temporary_.reset();
  tps_reset_started_ = false;
}

void KwpEngineResponder::Settle(Nanos now) const {
  for (std::size_t i = 0; i < log_.size(); ++i) {
    ActuatorActivation& a = log_[i];
    const Timing& t = timings_[i];
    if (a.ended_by != ActuatorActivation::EndedBy::kNever || !t.limit) continue;
    if (t.on + *t.limit <= now) {
      a.off_s = ToSeconds(t.on + *t.limit);
      a.ended_by = ActuatorActivation::EndedBy::kEcu;
    }
  }
}

const std::vector<ActuatorActivation>& KwpEngineResponder::ActuatorLog(Nanos now) const {
  Settle(now);
  return log_;
}

ActuatorActivation* KwpEngineResponder::OnNow(std::uint8_t id, Nanos now) const {
  Settle(now);
  for (ActuatorActivation& a : log_) {
    if (a.id == id && a.ended_by == ActuatorActivation::EndedBy::kNever) return &a;
  }
  return nullptr;
}

bool KwpEngineResponder::ActuatorOn(std::uint8_t id, Nanos now) const {
  return OnNow(id, now) != nullptr;
}

void KwpEngineResponder::SwitchOn(std::uint8_t id, Nanos now) {
  if (OnNow(id, now) != nullptr) return;  // already on: the one activation goes on
  std::optional<Nanos> limit;
  if (const auto it = settings_.actuator_limits.find(id);
      it != settings_.actuator_limits.end() && it->second) {
    limit = Seconds(*it->second);
  }
  log_.push_back(
      ActuatorActivation{id, ToSeconds(now), std::nullopt, ActuatorActivation::EndedBy::kNever});
  timings_.push_back(Timing{now, limit});
}

void KwpEngineResponder::SwitchOff(std::uint8_t id, Nanos now, ActuatorActivation::EndedBy by) {
  if (ActuatorActivation* a = OnNow(id, now)) {
    a->off_s = ToSeconds(now);
    a->ended_by = by;
  }
}

std::uint8_t KwpEngineResponder::StepperPosition(Nanos now) const {
  Settle(now);
  for (std::size_t i = 0; i < log_.size(); ++i) {
    if (log_[i].id != kKwpStepperTest || log_[i].ended_by != ActuatorActivation::EndedBy::kNever) {
      continue;
    }
    // A triangle between the two ends, starting from the rest position upwards.
    const double range = kStepperHigh - kStepperLow;
    const double travelled =
        (kStepperRest - kStepperLow) + kStepperStepsPerSecond * ToSeconds(now - timings_[i].on);
    const double x = std::fmod(travelled, 2 * range);
    const double position = x <= range ? kStepperLow + x : kStepperHigh - (x - range);
    return static_cast<std::uint8_t>(std::lround(position));
  }
  return kStepperRest;
}

KwpEngineEcu::KwpEngineEcu(VirtualClock& clock, KLineBus& bus, EngineSource& engine,
                           KwpEngineSettings settings)
    : FramedEcu(clock, bus, engine, "ecu"), responder_(std::move(settings)) {}

HexMessage KwpEngineEcu::Respond(const HexMessage& payload, const EngineState& state) {
  return responder_.Respond(payload, state, Now());
}

void KwpEngineEcu::OnPowerDown() { responder_.PowerDown(Now()); }

const std::vector<ActuatorActivation>& KwpEngineEcu::ActuatorLog() const {
  return responder_.ActuatorLog(Now());
}
bool KwpEngineEcu::ActuatorOn(std::uint8_t id) const { return responder_.ActuatorOn(id, Now()); }
std::uint8_t KwpEngineEcu::StepperPosition() const { return responder_.StepperPosition(Now()); }

EobdEcu::EobdEcu(VirtualClock& clock, KLineBus& bus, EngineSource& engine, EobdSettings settings)
    : FramedEcu(clock, bus, engine, "ecu"), responder_(std::move(settings)) {}

HexMessage EobdEcu::Respond(const HexMessage& payload, const EngineState& state) {
  std::vector<HexMessage> frames = responder_.Respond(payload, state, /*functional=*/false);
  return frames.empty() ? HexMessage{} : frames.front();
}

std::vector<HexMessage> EobdEcu::Answers(const std::vector<std::uint8_t>& request, Nanos now) {
  const std::vector<HexMessage> data =
      responder_.Respond(Key(request), engine_.At(now), Functional(request[0]));
  std::vector<HexMessage> frames;
  for (const HexMessage& d : data) frames.push_back(FrameReply(d, ReplyHeaderOf(request)));
  return frames;
}

HexMessage FramedFamilyReply(int family, const HexMessage& payload, const EngineState& state) {
  if (family == Iaw59M5AM) {
    return KwpEngineResponder().Respond(payload, state, Nanos{0});
  }
  if (family == Eobd) {
    const std::vector<HexMessage> frames = EobdResponder().Respond(payload, state, false);
    return frames.empty() ? HexMessage{} : frames.front();
  }
  return {};
}

std::unique_ptr<EcuModel> MakeFamilyEcu(VirtualClock& clock, KLineBus& bus, EngineSource& engine,
                                        int family) {
  switch (family) {
    case Iaw16M:
    case Iaw15M:
    case Iaw15RC:
    case IawP8:
      return std::make_unique<ByteFamilyEcu>(clock, bus, engine, family);
    case Iaw59M5AM:
      return std::make_unique<KwpEngineEcu>(clock, bus, engine);
    case Eobd:
      return std::make_unique<EobdEcu>(clock, bus, engine);
    default:
      return nullptr;
  }
}

}  // namespace velkor::sim
