#include "livedata/family_decoder.hpp"

#include <cstddef>
#include <string_view>

#include "core/ecu_family.hpp"
#include "core/number_format.hpp"
#include "livedata/ecu_tables.hpp"

namespace velkor {

namespace {

// Single-byte reads: the engine-speed period is worth a long wait, the others are not.
constexpr int kSpeedByteTimeoutMs = 1000;
constexpr int kValueByteTimeoutMs = 100;
// Byte families report speeds above this when the engine stands (a tiny or garbage period).
constexpr double kMaxByteFamilySpeed = 10000.0;
// A period high byte of 0xFF is a read the ECU got wrong, not a slow engine.
constexpr int kBadHighByte = 0xFF;

// Family 4: idle line before each request.
constexpr double kRecordPause = 0.08;
constexpr int kRecordTimeoutMs = 800;
constexpr int kFastSpeedTimeoutMs = 500;
// Every value the program reads lies in the first 18 value bytes, which both the long record
// (format byte 0x96, 20 value bytes) and the short one (0x94, 18 value bytes) carry.
constexpr std::size_t kRecordValueBytes = 18;

constexpr double kLambdaPause = 0.06;
constexpr int kLambdaTimeoutMs = 800;
constexpr int kLambdaReplyLength = 8;
// The probe is read only from ECUs whose description (shown after the session start) names this.
constexpr std::string_view kLambdaEcuMark = "IAW5A";

constexpr double kEobdPause = 0.06;
constexpr int kEobdTimeoutMs = 1000;

// The byte at 1-based character position `position`; 0 where the text holds nothing there.
int ByteAt(std::string_view answer, std::size_t position) {
  return HexToByte(Mid(answer, position, 2));
}

// Position (1-based) of the first data byte after `pattern` in `answer`, when the pattern is
// there and followed by at least `data_bytes` bytes; 0 otherwise. A record cut short is
// treated as absent: decoding its missing bytes as 0 would show wrong values (-40 °C) as
// measured ones.
std::size_t DataAfter(std::string_view answer, std::string_view pattern, std::size_t data_bytes) {
  const std::size_t p = InStr(answer, pattern);
  if (p == 0) return 0;
  const std::size_t data = p + pattern.size();
  if (answer.size() + 1 < data + 2 * data_bytes) return 0;
  return data;
}

// Unsigned big-endian word of data bytes k and k + 1, counted from 0 at `data`.
int WordAt(std::string_view answer, std::size_t data, int k) {
  const std::size_t at = data + 2 * static_cast<std::size_t>(k);
  return ByteAt(answer, at) * 256 + ByteAt(answer, at + 2);
}

void ZeroValues(RawEngineValues& raw) {
  raw.speed = 0;
  raw.throttle = 0;
  raw.injection = 0;
  raw.advance = 0;
  raw.pressure = 0;
  raw.air_temp = 0;
  raw.coolant_temp = 0;
  raw.battery = 0;
}

}  // namespace

FamilyDecoder::FamilyDecoder(Exchange& exchange, LinkState& link, Clock& clock)
    : exchange_(exchange), link_(link), clock_(clock) {}

void FamilyDecoder::Decode(int ecu_type, const ActiveMeasures& active, RawEngineValues& raw) {
  switch (ecu_type) {
    case Iaw16M:
    case Iaw15M:
    case Iaw15RC:
    case IawP8:
      DecodeByteFamily(ecu_type, active, raw);
      break;
    case Iaw59M5AM:
      if (fast_speed_mode_) {
        DecodeFastSpeed(raw);
      } else {
        DecodeRecordFamily(raw);
      }
      break;
    case Eobd:
      DecodeEobd(active, raw);
      break;
    default:
      break;
  }
}

int FamilyDecoder::ReadByteAt(const char* address, const char* canned, int timeout_ms) {
  return ByteAt(exchange_.SendReceive(address, canned, 1, timeout_ms), 1);
}

void FamilyDecoder::DecodeByteFamily(int ecu_type, const ActiveMeasures& active,
                                     RawEngineValues& raw) {
  const bool p8 = ecu_type == IawP8;

  // Engine speed from the period the ECU measures; the P8's period takes twice the constant.
  int high = ReadByteAt("01", "01", kSpeedByteTimeoutMs);
  if (high == kBadHighByte) {
    high = last_good_high_byte_;
  } else {
    last_good_high_byte_ = high;
  }
  const int low = ReadByteAt("02", "01", kSpeedByteTimeoutMs);
  const int period = high * 256 + low;
  if (period > 0) {  // a period of 0 leaves the previous speed
    const double speed = (p8 ? 30000000.0 : 15000000.0) / period;
    raw.speed = static_cast<float>(speed > kMaxByteFamilySpeed ? 0.0 : speed);
  }

  if (active.throttle) {
    const int b = ReadByteAt("09", "15", kValueByteTimeoutMs);
    // The sensor's curve has two straight pieces meeting at 34 degrees.
    double angle = b * 0.1848 - 1.41;
    if (angle >= 34.0) angle = b * 0.7058 - 90.0;
    if (p8 && angle < 0.0) angle = 0.0;
    raw.throttle = static_cast<float>(angle);
    raw.tps_volt_text = FormatNumber(b * 4720.0 / 245.0, "# ###");
  }

  if (active.injection) {
    const int high_time = ReadByteAt("03", "01", kValueByteTimeoutMs);
    const int low_time = ReadByteAt("04", "01", kValueByteTimeoutMs);
    // Either byte at 255 is no valid time.
    if (high_time >= 255 || low_time >= 255) {
      raw.injection = 0;
    } else {
      raw.injection = static_cast<float>((high_time * 256 + low_time) * (p8 ? 4.0 : 2.0) / 1000.0);
    }
  }

  if (active.advance) {
    const int b = ReadByteAt("05", "01", kValueByteTimeoutMs);
    raw.advance = static_cast<float>(b / (p8 ? 4.0 : 2.0));
  }

  if (active.pressure) {
    const int b = ReadByteAt("06", "D6", kValueByteTimeoutMs);
    const double mmhg = b * 2.8758 + 91.0;
    raw.pressure = static_cast<float>(mmhg * 133.0 / 100.0);
  }

  if (active.air_temp) {
    raw.air_temp = static_cast<float>(ReadByteAt("07", "51", kValueByteTimeoutMs) - 55);
  }

  if (active.coolant_temp) {
    raw.coolant_temp = static_cast<float>(ReadByteAt("08", "81", kValueByteTimeoutMs) - 55);
  }

  if (active.battery) {
    raw.battery = static_cast<float>(ReadByteAt("0A", "01", kValueByteTimeoutMs) * 0.0628);
  }
}

void FamilyDecoder::DecodeRecordFamily(RawEngineValues& raw) {
  const HexMessage& rh = link_.ReplyHeader;
  clock_.Pause(kRecordPause);
  const HexMessage answer = exchange_.SendReceive(
      EcuRequest(EcuRole::kEngineDataRecord, Iaw59M5AM),
      "96" + rh + "61A007C603F2003D00390029010C0089013C068E9C403C",
      EcuReplyLength(EcuRole::kEngineDataRecord, Iaw59M5AM), kRecordTimeoutMs);

  std::size_t data = DataAfter(answer, "96" + rh + "61A0", kRecordValueBytes);
  if (data == 0) data = DataAfter(answer, "94" + rh + "61A0", kRecordValueBytes);
  if (data == 0) {
    ZeroValues(raw);
    return;
  }
  raw.speed = static_cast<float>(WordAt(answer, data, 0));
  raw.pressure = static_cast<float>(WordAt(answer, data, 2));
  raw.air_temp = static_cast<float>(WordAt(answer, data, 4) - 40);
  raw.coolant_temp = static_cast<float>(WordAt(answer, data, 6) - 40);
  raw.throttle = static_cast<float>(WordAt(answer, data, 8) / 10.0);
  raw.advance = static_cast<float>(WordAt(answer, data, 10) / 10.0);
  raw.battery = static_cast<float>(WordAt(answer, data, 12) / 10.0);
  raw.injection = static_cast<float>(WordAt(answer, data, 16) / 500.0);
}

void FamilyDecoder::DecodeFastSpeed(RawEngineValues& raw) {
  const HexMessage& rh = link_.ReplyHeader;
  clock_.Pause(kRecordPause);
  const HexMessage answer =
      exchange_.SendReceive(EcuRequest(EcuRole::kEngineSpeed, Iaw59M5AM), "84" + rh + "61300320AA",
                            EcuReplyLength(EcuRole::kEngineSpeed, Iaw59M5AM), kFastSpeedTimeoutMs);
  ZeroValues(raw);
  // The speed word follows the pattern wherever the reply starts, so a stray byte before the
  // frame does not shift it.
  const std::size_t data = DataAfter(answer, rh + "6130", 2);
  if (data != 0) raw.speed = static_cast<float>(WordAt(answer, data, 0));
}

int FamilyDecoder::ReadLambda() {
  if (!ecu_description_ || ecu_description_().find(kLambdaEcuMark) == std::string::npos) {
    return 0;
  }
  const HexMessage& rh = link_.ReplyHeader;
  clock_.Pause(kLambdaPause);
  const HexMessage answer =
      exchange_.SendReceive("2145", "84" + rh + "6147999909", kLambdaReplyLength, kLambdaTimeoutMs);
  const std::size_t data = DataAfter(answer, rh + "6145", 2);
  return data == 0 ? 0 : WordAt(answer, data, 0);
}

void FamilyDecoder::DecodeEobd(const ActiveMeasures& active, RawEngineValues& raw) {
  const HexMessage& rh = link_.ReplyHeader;

  // One mode-01 parameter: returns the position of its data bytes A, B, or 0 when the answer
  // does not carry it (silence, a refusal, a short answer). `format` is the reply's format
  // byte (0x80 + length), `pid` the parameter; the canned answer starts with `canned_lead`
  // (a stray byte the search must skip) and carries `canned_data`.
  auto read = [&](EcuRole role, std::string_view format, std::string_view pid,
                  std::string_view canned_lead, std::string_view canned_data,
                  std::size_t data_bytes, HexMessage& answer) -> std::size_t {
    const std::string frame = std::string(format) + rh + "41" + std::string(pid);
    clock_.Pause(kEobdPause);
    answer = exchange_.SendReceive(EcuRequest(role, Eobd),
                                   std::string(canned_lead) + frame + std::string(canned_data),
                                   EcuReplyLength(role, Eobd), kEobdTimeoutMs);
    return DataAfter(answer, frame, data_bytes);
  };
  HexMessage answer;

  std::size_t a = read(EcuRole::kEngineSpeed, "84", "0C", "FE", "0000D2", 2, answer);
  if (a == 0) {
    ZeroValues(raw);
  } else {
    raw.speed = static_cast<float>(WordAt(answer, a, 0) / 4.0);
  }

  if (active.injection) {  // engine load
    a = read(EcuRole::kEngineLoadInjection, "83", "04", "FE", "15C9", 1, answer);
    raw.injection = a == 0 ? 0.0f : static_cast<float>(ByteAt(answer, a) * 100.0 / 255.0);
  }
  if (active.throttle) {
    // Read as two data bytes, as these ECUs answer it.
    a = read(EcuRole::kThrottlePosition, "84", "11", "", "00885F", 2, answer);
    raw.throttle = a == 0 ? 0.0f : static_cast<float>(WordAt(answer, a, 0) * 100.0 / 255.0);
  }
  if (active.coolant_temp) {
    a = read(EcuRole::kCoolantTemperature, "83", "05", "FE", "4711", 1, answer);
    raw.coolant_temp = a == 0 ? 0.0f : static_cast<float>(ByteAt(answer, a) - 40);
  }
  if (active.air_temp) {
    a = read(EcuRole::kIntakeAirTemperature, "83", "0F", "FE", "4519", 1, answer);
    raw.air_temp = a == 0 ? 0.0f : static_cast<float>(ByteAt(answer, a) - 40);
  }
  if (active.advance) {  // mass air flow: its first data byte alone
    a = read(EcuRole::kMassAirFlowAdvance, "84", "10", "FE", "00774D", 1, answer);
    raw.advance = a == 0 ? 0.0f : static_cast<float>(ByteAt(answer, a));
  }
  if (active.battery) {  // vehicle speed
    a = read(EcuRole::kVehicleSpeedBattery, "83", "0D", "FE", "00D2", 1, answer);
    raw.battery = a == 0 ? 0.0f : static_cast<float>(ByteAt(answer, a));
  }
  if (active.pressure) {  // manifold pressure, the byte as received
    a = read(EcuRole::kManifoldPressure, "83", "0B", "FE", "6333", 1, answer);
    raw.pressure = a == 0 ? 0.0f : static_cast<float>(ByteAt(answer, a));
  }
}

}  // namespace velkor
