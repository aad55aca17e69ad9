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

HexMessage KwpReply(const HexMessage& payload, const EngineState& state,
                    KwpEngineSettings& settings) {
  if (HexMessage common = CommonReply(payload); !common.empty()) return common;
  if (HexMessage diagnostic = KwpDiagnosticReply(payload, state, settings); !diagnostic.empty()) {
    return diagnostic;
  }
  if (payload == "20") return "60";
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
  // 31: request out of range (a local identifier it does not have); 11: service not supported.
  if (Left(payload, 2) == "21") return "7F2131";
  return "7F" + Left(payload, 2) + "11";
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
  std::vector<HexMessage> frames = Answers(request, now);
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

ByteFamilyEcu::ByteFamilyEcu(VirtualClock& clock, KLineBus& bus, EngineSource& engine, int family,
                             ByteFamilySettings settings)
    : EcuModel(clock, bus, engine, FamilyBaud(family), "ecu", kByteFamilyP2),
      family_(family),
      settings_(settings) {}

void ByteFamilyEcu::OnPowerDown() {
  diagnostic_ = false;
  period_latch_.reset();
  injection_latch_.reset();
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
  return std::nullopt;
}

std::optional<std::uint8_t> ByteFamilyEcu::DiagnosticAnswer(std::uint8_t command,
                                                            const EngineState& state) {
  // The memory-clearing command byte of each family with a diagnostic mode.
  const std::uint8_t clear = family_ == Iaw16M ? 0x84 : 0x83;
  if (!diagnostic_) {
    if (command != kEnterDiagnostic || EngineRunning(state)) return std::nullopt;
    diagnostic_ = true;
    return kEnterDiagnostic;
  }
  if (command == kLeaveDiagnostic) {
    diagnostic_ = false;
    return kLeaveDiagnostic;
  }
  if (command == clear) {
    for (std::size_t row : {4, 5, 6}) {
      settings_.faults.bits[row] = 0;
      settings_.faults.kinds[row] = 0;
    }
    return kCommandDone;
  }
  return std::nullopt;
}

HexMessage ByteFamilyEcu::Key(const std::vector<std::uint8_t>& request) const {
  return ByteToHex(request[0]);
}

HexMessage ByteFamilyEcu::Answer(const std::vector<std::uint8_t>& request, Nanos now) {
  const std::uint8_t address = request[0];
  EngineState state = engine_.At(now);
  if (family_ != IawP8 && (diagnostic_ || address == kEnterDiagnostic)) {
    const std::optional<std::uint8_t> byte = DiagnosticAnswer(address, state);
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

KwpEngineEcu::KwpEngineEcu(VirtualClock& clock, KLineBus& bus, EngineSource& engine,
                           KwpEngineSettings settings)
    : FramedEcu(clock, bus, engine, "ecu"), settings_(settings) {}

HexMessage KwpEngineEcu::Respond(const HexMessage& payload, const EngineState& state) {
  return KwpReply(payload, state, settings_);
}

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

HexMessage KwpEngineReply(const HexMessage& payload, const EngineState& state,
                          KwpEngineSettings& settings) {
  return KwpReply(payload, state, settings);
}

HexMessage FramedFamilyReply(int family, const HexMessage& payload, const EngineState& state) {
  if (family == Iaw59M5AM) {
    KwpEngineSettings settings;
    return KwpReply(payload, state, settings);
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
