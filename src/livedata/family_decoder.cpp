#include "livedata/family_decoder.hpp"

#include <cstddef>
#include <string_view>

#include "core/ecu_family.hpp"
#include "core/number_format.hpp"
#include "link/frame.hpp"
#include "link/kwp_reply.hpp"
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
constexpr std::string_view kLambdaRequest = "2145";
// The probe is read only from ECUs whose description (shown after the session start) names this.
constexpr std::string_view kLambdaEcuMark = "IAW5A";

constexpr double kEobdPause = 0.06;
constexpr int kEobdTimeoutMs = 1000;

// The byte at 1-based character position `position`; 0 where the text holds nothing there.
int ByteAt(std::string_view answer, std::size_t position) {
  return HexToByte(Mid(answer, position, 2));
}

// The reply to a two-byte request whose positive reply repeats its second byte (21 A0 ->
// 61 A0, mode 01 PID 0C -> 41 0C), when it carries at least `needed` bytes after those two. A
// record cut short counts as absent: decoding its missing bytes as 0 would show wrong values
// (-40 °C) as measured ones.
KwpReply ReplyTo(std::string_view answer, std::string_view reply_header, std::string_view request,
                 std::size_t needed) {
  const KwpReply reply = ReadKwpReply(answer, reply_header,
                                      {.service = HexToByte(Left(request, 2)),
                                       .local_id = HexToByte(Mid(request, 3, 2)),
                                       .needed_bytes = needed});
  return reply.Positive() ? reply : KwpReply{};
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
  // Any other family reads nothing, so nothing arrives.
  raw.arrived = false;
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

int FamilyDecoder::ReadByteAt(const char* address, const char* canned, int timeout_ms,
                              bool& answered) {
  const HexMessage answer = exchange_.SendReceive(address, canned, 1, timeout_ms);
  if (!answer.empty()) answered = true;
  return ByteAt(answer, 1);
}

void FamilyDecoder::DecodeByteFamily(int ecu_type, const ActiveMeasures& active,
                                     RawEngineValues& raw) {
  const bool p8 = ecu_type == IawP8;

  // Engine speed from the period the ECU measures; the P8's period takes twice the constant.
  int high = ReadByteAt("01", "01", kSpeedByteTimeoutMs, raw.arrived);
  if (high == kBadHighByte) {
    high = last_good_high_byte_;
  } else {
    last_good_high_byte_ = high;
  }
  const int low = ReadByteAt("02", "01", kSpeedByteTimeoutMs, raw.arrived);
  const int period = high * 256 + low;
  if (period > 0) {  // a period of 0 leaves the previous speed
    const double speed = (p8 ? 30000000.0 : 15000000.0) / period;
    raw.speed = static_cast<float>(speed > kMaxByteFamilySpeed ? 0.0 : speed);
  }

  if (active.throttle) {
    const int b = ReadByteAt("09", "15", kValueByteTimeoutMs, raw.arrived);
    // The sensor's curve has two straight pieces meeting at 34 degrees.
    double angle = b * 0.1848 - 1.41;
    if (angle >= 34.0) angle = b * 0.7058 - 90.0;
    if (p8 && angle < 0.0) angle = 0.0;
    raw.throttle = static_cast<float>(angle);
    raw.tps_volt_text = FormatNumber(b * 4720.0 / 245.0, "# ###");
  }

  if (active.injection) {
    const int high_time = ReadByteAt("03", "01", kValueByteTimeoutMs, raw.arrived);
    const int low_time = ReadByteAt("04", "01", kValueByteTimeoutMs, raw.arrived);
    // Either byte at 255 is no valid time.
    if (high_time >= 255 || low_time >= 255) {
      raw.injection = 0;
    } else {
      raw.injection = static_cast<float>((high_time * 256 + low_time) * (p8 ? 4.0 : 2.0) / 1000.0);
    }
  }

  if (active.advance) {
    const int b = ReadByteAt("05", "01", kValueByteTimeoutMs, raw.arrived);
    raw.advance = static_cast<float>(b / (p8 ? 4.0 : 2.0));
  }

  if (active.pressure) {
    const int b = ReadByteAt("06", "D6", kValueByteTimeoutMs, raw.arrived);
    const double mmhg = b * 2.8758 + 91.0;
    raw.pressure = static_cast<float>(mmhg * 133.0 / 100.0);
  }

  if (active.air_temp) {
    raw.air_temp =
        static_cast<float>(ReadByteAt("07", "51", kValueByteTimeoutMs, raw.arrived) - 55);
  }

  if (active.coolant_temp) {
    raw.coolant_temp =
        static_cast<float>(ReadByteAt("08", "81", kValueByteTimeoutMs, raw.arrived) - 55);
  }

  if (active.battery) {
    raw.battery =
        static_cast<float>(ReadByteAt("0A", "01", kValueByteTimeoutMs, raw.arrived) * 0.0628);
  }
}

void FamilyDecoder::DecodeRecordFamily(RawEngineValues& raw) {
  const HexMessage& rh = link_.ReplyHeader;
  const HexMessage request = EcuRequest(EcuRole::kEngineDataRecord, Iaw59M5AM);
  clock_.Pause(kRecordPause);
  const HexMessage answer = exchange_.SendReceive(
      request, FrameKwp("61A007C603F2003D00390029010C0089013C068E9C40", rh),
      EcuReplyLength(EcuRole::kEngineDataRecord, Iaw59M5AM), kRecordTimeoutMs);

  const KwpReply record = ReplyTo(answer, rh, request, kRecordValueBytes);
  raw.arrived = record.Positive();
  if (!record.Positive()) {
    ZeroValues(raw);
    return;
  }
  raw.speed = static_cast<float>(record.Word(0));
  raw.pressure = static_cast<float>(record.Word(2));
  raw.air_temp = static_cast<float>(record.Word(4) - 40);
  raw.coolant_temp = static_cast<float>(record.Word(6) - 40);
  raw.throttle = static_cast<float>(record.Word(8) / 10.0);
  raw.advance = static_cast<float>(record.Word(10) / 10.0);
  raw.battery = static_cast<float>(record.Word(12) / 10.0);
  raw.injection = static_cast<float>(record.Word(16) / 500.0);
}

void FamilyDecoder::DecodeFastSpeed(RawEngineValues& raw) {
  const HexMessage& rh = link_.ReplyHeader;
  const HexMessage request = EcuRequest(EcuRole::kEngineSpeed, Iaw59M5AM);
  clock_.Pause(kRecordPause);
  const HexMessage answer =
      exchange_.SendReceive(request, FrameKwp("61300320", rh),
                            EcuReplyLength(EcuRole::kEngineSpeed, Iaw59M5AM), kFastSpeedTimeoutMs);
  ZeroValues(raw);
  // The speed word follows the reply's service bytes wherever the reply starts, so a stray
  // byte before the frame does not shift it.
  const KwpReply reply = ReplyTo(answer, rh, request, 2);
  raw.arrived = reply.Positive();
  if (reply.Positive()) raw.speed = static_cast<float>(reply.Word(0));
}

int FamilyDecoder::ReadLambda() {
  if (!ecu_description_ || ecu_description_().find(kLambdaEcuMark) == std::string::npos) {
    return 0;
  }
  const HexMessage& rh = link_.ReplyHeader;
  clock_.Pause(kLambdaPause);
  // The canned answer carries identifier 47, not 45: test mode reads no probe.
  const HexMessage answer = exchange_.SendReceive(
      HexMessage(kLambdaRequest), FrameKwp("61479999", rh), kLambdaReplyLength, kLambdaTimeoutMs);
  const KwpReply reply = ReplyTo(answer, rh, kLambdaRequest, 2);
  return reply.Positive() ? reply.Word(0) : 0;
}

void FamilyDecoder::DecodeEobd(const ActiveMeasures& active, RawEngineValues& raw) {
  const HexMessage& rh = link_.ReplyHeader;

  // One mode-01 parameter: its reply when the answer carries at least `needed` data bytes of
  // it, none otherwise (silence, a refusal, a short answer). The canned answer starts with
  // `canned_lead` (a stray byte the reader must skip) and carries `canned_data`.
  auto read = [&](EcuRole role, std::string_view canned_lead, std::string_view canned_data,
                  std::size_t needed) -> KwpReply {
    const HexMessage request = EcuRequest(role, Eobd);
    clock_.Pause(kEobdPause);
    const HexMessage answer = exchange_.SendReceive(
        request,
        std::string(canned_lead) +
            FrameKwp("41" + Mid(request, 3, 2) + std::string(canned_data), rh),
        EcuReplyLength(role, Eobd), kEobdTimeoutMs);
    KwpReply reply = ReplyTo(answer, rh, request, needed);
    if (reply.Positive()) raw.arrived = true;
    return reply;
  };
  auto byte_value = [](const KwpReply& reply, double scale, double offset) {
    return reply.Positive() ? static_cast<float>(reply.Byte(0) * scale + offset) : 0.0f;
  };

  const KwpReply speed = read(EcuRole::kEngineSpeed, "FE", "0000", 2);
  if (speed.Positive()) {
    raw.speed = static_cast<float>(speed.Word(0) / 4.0);
  } else {
    ZeroValues(raw);
  }

  if (active.injection) {  // engine load
    raw.injection = byte_value(read(EcuRole::kEngineLoadInjection, "FE", "15", 1), 100.0 / 255, 0);
  }
  if (active.throttle) {
    // The published parameter is one byte (83 <header> 41 11 A); these ECUs answer two
    // (84 <header> 41 11 A B), read as a word. The frame's length tells which, and a two-byte
    // reply cut after A is no reading.
    const KwpReply reply = read(EcuRole::kThrottlePosition, "", "0088", 1);
    float throttle = 0.0f;
    if (reply.Positive() && reply.declared_bytes == 1) {
      throttle = static_cast<float>(reply.Byte(0) * 100.0 / 255.0);
    } else if (reply.Positive() && reply.DataBytes() >= 2) {
      throttle = static_cast<float>(reply.Word(0) * 100.0 / 255.0);
    }
    raw.throttle = throttle;
  }
  if (active.coolant_temp) {
    raw.coolant_temp = byte_value(read(EcuRole::kCoolantTemperature, "FE", "47", 1), 1, -40);
  }
  if (active.air_temp) {
    raw.air_temp = byte_value(read(EcuRole::kIntakeAirTemperature, "FE", "45", 1), 1, -40);
  }
  if (active.advance) {  // mass air flow: its first data byte alone
    raw.advance = byte_value(read(EcuRole::kMassAirFlowAdvance, "FE", "0077", 1), 1, 0);
  }
  if (active.battery) {  // vehicle speed
    raw.battery = byte_value(read(EcuRole::kVehicleSpeedBattery, "FE", "00", 1), 1, 0);
  }
  if (active.pressure) {  // manifold pressure, the byte as received
    raw.pressure = byte_value(read(EcuRole::kManifoldPressure, "FE", "63", 1), 1, 0);
  }
}

}  // namespace velkor
