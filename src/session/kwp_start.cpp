#include "session/kwp_start.hpp"

#include <array>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

#include "config/settings_keys.hpp"
#include "core/hex_message.hpp"
#include "core/number_format.hpp"
#include "livedata/ecu_tables.hpp"
#include "livedata/frmparam.hpp"
#include "session/five_baud.hpp"
#include "session/window_controls.hpp"

namespace velkor {

namespace fp = frmparam;

namespace {

constexpr int kReplyTimeoutMs = 600;
constexpr int kIdentificationTimeoutMs = 1000;
constexpr int kIdentificationLength = 67;
constexpr int kTimingParametersLength = 22;
constexpr std::uint8_t kWakeUpByte = 0xF0;  // at 200 baud: start bit and four zeros, 25 ms low
// Access timing parameters, set values: P2min 00, P2max FF, P3min 00, P3max FF, P4min 00. The
// ECU takes it only from tester address 0x01.
constexpr const char* kTimingParameters = "830300FF00FF00";
constexpr const char* kTimingRequestHeader = "1001";
constexpr const char* kIdentification = "1A92";
constexpr const char* kIdentificationRecord = "5A92";
constexpr std::size_t kEcuNameDigits = 22;  // 11 bytes of text

// Bytes as text, each byte one character (Latin-1, written as UTF-8); NUL bytes are dropped.
std::string BytesAsText(std::string_view hex) {
  std::string text;
  for (const std::uint8_t byte : HexToBytes(hex)) {
    if (byte == 0) continue;
    if (byte < 0x80) {
      text += static_cast<char>(byte);
    } else {
      text += static_cast<char>(0xC0 | (byte >> 6));
      text += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return text;
}

}  // namespace

double KwpStart::BreakLength(int attempt) {
  static constexpr std::array<double, 7> kLengths = {0.022, 0.023, 0.021, 0.024,
                                                     0.020, 0.025, 0.019};
  return kLengths[static_cast<std::size_t>(((attempt % 7) + 7) % 7)];
}

int KwpStart::NextVariant(int variant) { return variant == 3 ? 0 : (variant + 1) % 3; }

bool KwpStart::InitKWP() {
  if (s_.keep_alive != nullptr) s_.keep_alive->Stop();
  if (s_.port != nullptr) s_.port->Configure(kNominalBaud);
  s_.clock.Pause(0.2);

  bool success = false;
  attempt_ = 0;
  last_break_ = 0;
  ecu_name_.clear();
  // A negative number in the file would never leave the rotation; it is taken as 0.
  variant_ =
      std::max(0, s_.ecu_ini.GetProfileInt(ini_keys::kEcuInit.section, ini_keys::kEcuInit.key,
                                           ini_keys::kEcuInit.default_value));
  s_.trace.WriteTrace("Init = " + std::to_string(variant_));

  s_.screen.SetVisible(fp::ProgressBar1, true);
  s_.screen.SetValue(fp::ProgressBar1, 0);
  s_.screen.SetVisible(fp::Lbtest, true);

  const int ecu_type = s_.state.EcuType;
  const HexMessage request = EcuRequest(EcuRole::kStartCommunication, ecu_type);
  const int expected = EcuReplyLength(EcuRole::kStartCommunication, ecu_type);
  do {
    ++attempt_;
    s_.screen.SetValue(fp::ProgressBar1, attempt_ * 100 / kAttemptLimit);
    if (attempt_ % 10 == 0) {
      variant_ = NextVariant(variant_);
      s_.trace.WriteTrace("Init = " + std::to_string(variant_));
    }
    s_.screen.SetText(fp::Lbtest,
                      LookupText(s_.language, texts::kStartVariant) + std::to_string(variant_) +
                          FormatNumber(static_cast<double>(attempt_) / kAttemptLimit, ",  0%"));
    WakeUp(variant_, attempt_);
    const HexMessage canned = "83" + s_.state.ReplyHeader + "C1EF8FC3";
    const HexMessage answer = s_.exchange.SendReceive(request, canned, expected, kReplyTimeoutMs);
    success = answer == "8110F18103" || InStr(answer, s_.state.ReplyHeader) != 0;
    if (!success) s_.state.SetLamp(kLampRed);
    s_.loop.GiveTurn();
    // The window closed in that turn: the start ends here, and the cable is not touched again.
    if (s_.state.Closing) {
      s_.screen.SetVisible(fp::ProgressBar1, false);
      s_.screen.SetVisible(fp::Lbtest, false);
      return false;
    }
  } while (attempt_ < kAttemptLimit && !success && variant_ < 5);

  if (s_.keep_alive != nullptr) s_.keep_alive->Start();
  if (!success && attempt_ == kAttemptLimit) {
    s_.dialogs.Message(LookupText(s_.language, texts::kEcuSilent),
                       LookupText(s_.language, texts::kEcuSilentTitle), Dialogs::Icon::kError);
    if (s_.keep_alive != nullptr) s_.keep_alive->Stop();
  }
  if (!success) {
    s_.ecu_ini.WriteProfileString(ini_keys::kEcuInit.section, ini_keys::kEcuInit.key, "0");
    s_.screen.SetVisible(fp::ProgressBar1, false);
    s_.screen.SetVisible(fp::Lbtest, false);
    return false;
  }

  StoreVariant(variant_);
  s_.trace.WriteTrace("Type init : " + std::to_string(variant_));
  ReadTimingAndName();
  ShowStepperControls();
  KeepTrace();
  s_.screen.SetVisible(fp::ProgressBar1, false);
  s_.screen.SetVisible(fp::Lbtest, false);
  return true;
}

void KwpStart::WakeUp(int variant, int attempt) {
  KLinePort* port = s_.port;
  const auto configure = [port](int baud) {
    if (port != nullptr) port->Configure(baud);
  };
  const auto set_break = [port](bool on) {
    if (port != nullptr) port->SetBreak(on);
  };
  const auto write = [port](std::uint8_t byte) {
    if (port != nullptr) port->WriteByte(byte);
  };
  const auto nominal_speed = [port] {
    if (port != nullptr) port->SetSpeed(kNominalBaud);
  };

  switch (variant) {
    case 0: {
      const double t = BreakLength(attempt);
      last_break_ = t;
      configure(kNominalBaud);
      PatternTimer timer(s_.clock);
      timer.Until(0.1);
      set_break(false);
      timer.Until(0.45);
      set_break(true);
      timer.Until(0.45 + t);
      set_break(false);
      timer.Until(0.45 + 2 * t);
      break;
    }
    case 1:
    case 4: {
      configure(kWakeUpByteBaud);
      PatternTimer timer(s_.clock);
      timer.Until(0.1);
      set_break(false);
      timer.Until(0.45);
      write(kWakeUpByte);
      // Variant 1 waits out the byte (10 bits at 200 baud); variant 4 changes speed under it.
      if (variant == 1) timer.Until(0.5);
      nominal_speed();
      break;
    }
    case 2:
      configure(kNominalBaud);
      FiveBaudWakeUp(s_.exchange, port, s_.clock, s_.trace);
      break;
    case 3: {
      configure(kWakeUpByteBaud);
      PatternTimer timer(s_.clock);
      set_break(false);
      timer.Until(0.35);
      write(kWakeUpByte);
      timer.Until(0.375);
      nominal_speed();
      break;
    }
    default:
      break;  // the request goes out at once on the link as it is
  }
}

void KwpStart::StoreVariant(int variant) {
  const auto write = [this](const auto& key, const std::string& value) {
    s_.ecu_ini.WriteProfileString(key.section, key.key, value);
  };
  switch (variant) {
    case 1:
    case 3:
    case 4:
      write(ini_keys::kEcuInit, std::to_string(variant));
      write(ini_keys::kEcuInitB, "200");
      break;
    case 2:
      write(ini_keys::kEcuInit, "2");
      break;
    case 5:
    case 6:
      write(ini_keys::kEcuInit, "1");
      write(ini_keys::kEcuInitB, "200");
      s_.clock.Pause(0.1);
      break;
    default:  // 0, 7 and any other number
      write(ini_keys::kEcuInit, "0");
      write(ini_keys::kEcuChrono, FormatNumber(last_break_ * 1000, "0"));
      s_.clock.Pause(0.1);
      break;
  }
}

void KwpStart::ReadTimingAndName() {
  s_.state.RequestHeader = kTimingRequestHeader;
  s_.exchange.SendReceive(kTimingParameters, "", kTimingParametersLength, kReplyTimeoutMs);
  s_.state.RequestHeader = kDefaultRequestHeader;

  const HexMessage record = s_.state.ReplyHeader + kIdentificationRecord;
  const HexMessage answer =
      s_.exchange.SendReceive(kIdentification, "BF" + record + "49415735414D485730313053",
                              kIdentificationLength, kIdentificationTimeoutMs);
  // Without the record the name is whatever stands where it would after a bare header.
  const std::size_t p = InStr(answer, record);
  const std::size_t from = p != 0 ? p + record.size() : 9;
  ecu_name_ = BytesAsText(Mid(answer, from, kEcuNameDigits));
  s_.screen.SetText(fp::lbPanel5, ecu_name_);
  s_.trace.WriteTrace("Type ECU : " + ecu_name_);
}

void KwpStart::ShowStepperControls() {
  velkor::ShowStepperControls(s_.screen, s_.measures, HasStepperMotor(ecu_name_),
                              /*with_lambda=*/true);
}

void KwpStart::KeepTrace() {
  if (s_.trace.Path().empty()) return;
  const std::filesystem::path kept = s_.program_folder / std::string(kMeasuresFolderName) /
                                     ("velkorOK" + FormatNumber(s_.ok_log_number, "0") + ".log");

  // A copy that fails leaves the trace in the first file.
  if (s_.trace.KeepAs(kept) == FileSystem::CopyResult::kPermissionDenied) {
    s_.ok_log_number = (s_.ok_log_number + 1) % 10;
  }
}

}  // namespace velkor
