#include "sim/elm327_model.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

namespace velkor::sim {

namespace {

constexpr const char* kBanner = "ELM327 v1.5";
constexpr const char* kDescription = "OBDII to RS232 Interpreter";
// The ECU's K-line speed; ATIB sets the adapter's, and at any other the two do not understand
// each other.
constexpr int kEcuBaud = 10400;
// The OBD functional target of ISO 14230-4 (with a format byte Cx), and ISO 9141-2's
// functional header 68 6A.
constexpr std::uint8_t kFunctionalTarget = 0x33;
constexpr std::uint8_t kIso9141Format = 0x68;
constexpr std::uint8_t kIso9141Target = 0x6A;
// One byte on the K-line, start and stop bits included.
constexpr double kKLineByteTime = 10.0 / kEcuBaud;
// A request carries at most seven data bytes after the adapter's header.
constexpr std::size_t kMaxRequestBytes = 7;
constexpr int kLastProtocol = 0xC;

// Names as ATDP prints them, by protocol number.
constexpr const char* kProtocolNames[] = {"",
                                          "SAE J1850 PWM",
                                          "SAE J1850 VPW",
                                          "ISO 9141-2",
                                          "ISO 14230-4 (KWP 5BAUD)",
                                          "ISO 14230-4 (KWP FAST)",
                                          "ISO 15765-4 (CAN 11/500)",
                                          "ISO 15765-4 (CAN 29/500)",
                                          "ISO 15765-4 (CAN 11/250)",
                                          "ISO 15765-4 (CAN 29/250)",
                                          "SAE J1939 (CAN 29/250)",
                                          "USER1 (CAN 11/125)",
                                          "USER2 (CAN 11/50)"};

// ASCII only: the program may run under any locale.
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsHex(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return HexDigit(c) >= 0; });
}

bool IsHexMessage(std::string_view text) {
  return !text.empty() && text.size() % 2 == 0 && IsHex(text);
}

char HexChar(int value) { return "0123456789ABCDEF"[value & 0xF]; }

bool IsKLine(int protocol) { return protocol >= 3 && protocol <= 5; }
bool IsCan(int protocol) { return protocol >= 6; }

std::string Decimal(long value) {
  char text[24];
  const auto [end, ec] = std::to_chars(text, text + sizeof(text), value);
  return ec == std::errc() ? std::string(text, end) : std::string();
}

// "13.8V": tenths of a volt, as the adapter prints its reading.
std::string Volts(double volts) {
  const long tenths = std::isfinite(volts) ? std::lround(std::max(0.0, volts) * 10) : 0;
  return Decimal(tenths / 10) + "." + Decimal(tenths % 10) + "V";
}

// Settings the adapter knows that the bench has no use for (CAN, J1939, flow control, ...): a
// well-formed one is answered "OK" and changes nothing here.
enum class Arg {
  kNone,
  kBit,
  kHex2,
  kHex4,
  kHex3Or8,
  kOptionalHex2,
  kOptionalHex3Or8,
  kHexBytes1To5,
  kDigit0To2,
  kDecimal4,
  kIfr,
};

struct Setting {
  std::string_view name;
  Arg arg;
};

constexpr Setting kOtherSettings[] = {
    {"AL", Arg::kNone},
    {"NL", Arg::kNone},
    {"AR", Arg::kNone},
    {"M", Arg::kBit},
    {"CAF", Arg::kBit},
    {"CFC", Arg::kBit},
    {"CSM", Arg::kBit},
    {"D", Arg::kBit},
    {"V", Arg::kBit},
    {"JE", Arg::kNone},
    {"JS", Arg::kNone},
    {"JHF", Arg::kBit},
    {"JTM1", Arg::kNone},
    {"JTM5", Arg::kNone},
    {"IFR", Arg::kIfr},
    {"CEA", Arg::kOptionalHex2},
    {"CRA", Arg::kOptionalHex3Or8},
    {"CF", Arg::kHex3Or8},
    {"CM", Arg::kHex3Or8},
    {"CP", Arg::kHex2},
    {"CV", Arg::kDecimal4},
    {"RA", Arg::kHex2},
    {"SR", Arg::kHex2},
    {"TA", Arg::kHex2},
    {"PB", Arg::kHex4},
    {"FCSH", Arg::kHex3Or8},
    {"FCSD", Arg::kHexBytes1To5},
    {"FCSM", Arg::kDigit0To2},
    {"SS", Arg::kNone},
};

bool ArgFits(Arg kind, std::string_view arg) {
  switch (kind) {
    case Arg::kNone:
      return arg.empty();
    case Arg::kBit:
      return arg == "0" || arg == "1";
    case Arg::kHex2:
      return arg.size() == 2 && IsHex(arg);
    case Arg::kHex4:
      return arg.size() == 4 && IsHex(arg);
    case Arg::kHex3Or8:
      return (arg.size() == 3 || arg.size() == 8) && IsHex(arg);
    case Arg::kOptionalHex2:
      return arg.empty() || ArgFits(Arg::kHex2, arg);
    case Arg::kOptionalHex3Or8:
      return arg.empty() || ArgFits(Arg::kHex3Or8, arg);
    case Arg::kHexBytes1To5:
      return IsHexMessage(arg) && arg.size() <= 10;
    case Arg::kDigit0To2:
      return arg.size() == 1 && arg[0] >= '0' && arg[0] <= '2';
    case Arg::kDecimal4:
      return arg.size() == 4 &&
             std::all_of(arg.begin(), arg.end(), [](char c) { return c >= '0' && c <= '9'; });
    case Arg::kIfr:
      return arg.size() == 1 && std::string_view("012HS").find(arg[0]) != std::string_view::npos;
  }
  return false;
}

// Who hears a frame with this format byte and target: the ECU at `ecu` (false: physically),
// every OBD ECU (true: functionally), or nobody.
std::optional<bool> Addressing(std::uint8_t format, std::uint8_t target, std::uint8_t ecu) {
  if ((format & 0xC0) == 0x80 && target == ecu) return false;
  if ((format & 0xC0) == 0xC0 && target == kFunctionalTarget) return true;
  if (format == kIso9141Format && target == kIso9141Target) return true;
  return std::nullopt;
}

}  // namespace

Elm327Model::Elm327Model(VirtualClock& clock, ElmEcu ecu, Elm327Options options)
    : Elm327Model(clock, ElmFramesEcu([ecu = std::move(ecu)](const ElmRequest& request) {
                    HexMessage reply = ecu(request.payload);
                    std::vector<HexMessage> frames;
                    if (!reply.empty()) frames.push_back(std::move(reply));
                    return frames;
                  }),
                  options) {}

Elm327Model::Elm327Model(VirtualClock& clock, ElmFramesEcu ecu, Elm327Options options)
    : clock_(clock), ecu_(std::move(ecu)), options_(options), events_(clock) {
  failed_wakeups_left_ = options_.failed_wakeups;
  Defaults();
}

bool Elm327Model::Open(const std::string& port, const std::string& settings) {
  if (open_) {
    last_error_ = "Port already open";
    last_error_kind_ = SerialError::kInUse;
    return false;
  }
  (void)port;
  open_ = true;
  // "38400,n,8,1": the speed comes first.
  int baud = 0;
  std::from_chars(settings.data(), settings.data() + settings.size(), baud);
  hears_ = baud == options_.baud;
  last_error_.clear();
  last_error_kind_ = SerialError::kNone;
  output_.clear();
  command_.clear();
  held_.clear();
  return true;
}

void Elm327Model::Close() {
  open_ = false;
  ++generation_;
  output_.clear();
  command_.clear();
  held_.clear();
}

std::string Elm327Model::ReadAll() {
  if (!open_) return {};
  std::string text;
  text.swap(output_);
  return text;
}

bool Elm327Model::Write(std::string_view data) {
  if (!open_) {
    last_error_ = "Port not open";
    last_error_kind_ = SerialError::kOther;
    return false;
  }
  // At the wrong speed, or unpowered, the adapter hears only noise and says nothing.
  if (!hears_ || !options_.powered) return true;
  for (char c : data) Take(c);
  return true;
}

std::string Elm327Model::Protocol() const {
  std::string text;
  if (automatic_) text.push_back('A');
  text.push_back(HexChar(protocol_));
  return text;
}

HexMessage Elm327Model::RequestHeader() const {
  if (!header_.empty()) return header_;
  return protocol_ == 3 ? "686AF1" : "C133F1";
}

HexMessage Elm327Model::WakeupMessage() const {
  if (!wakeup_message_.empty()) return wakeup_message_;
  return protocol_ == 3 ? "686AF10100" : "C133F13E";
}

void Elm327Model::Take(char c) {
  switch (busy_) {
    case Busy::kReset:
      return;  // lost while the adapter restarts
    case Busy::kAtCommand:
      held_.push_back(c);
      return;
    case Busy::kRequest:
      Interrupt();
      return;  // the interrupting character goes no further
    case Busy::kIdle:
      break;
  }
  const auto code = static_cast<unsigned char>(c);
  if (c == '\r') {
    EndLine();
    return;
  }
  if (code < 0x20 || code == 0x7F) return;
  if (echo_) output_.push_back(c);
  if (c == ' ') return;
  command_.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
}

void Elm327Model::EndLine() {
  if (echo_) output_ += Line("");
  std::string command;
  command.swap(command_);
  if (command.empty()) {
    if (last_command_.empty()) {
      output_ += ">";
      return;
    }
    command = last_command_;
  }
  last_command_ = command;
  Execute(command);
}

void Elm327Model::Execute(const std::string& command) {
  commands_.push_back(command);
  command_times_.push_back(clock_.Now());
  command_generation_ = generation_;
  if (command.rfind("AT", 0) == 0) {
    busy_ = Busy::kAtCommand;
    OnAtCommand(command.substr(2));
  } else {
    busy_ = Busy::kRequest;
    OnRequest(command);
  }
}

void Elm327Model::Interrupt() {
  for (EventId id : pending_) clock_.Cancel(id);
  pending_.clear();
  busy_ = Busy::kIdle;
  output_ += Line("STOPPED") + Line("") + ">";
  if (connected_) ScheduleKeepAlive();
}

void Elm327Model::Defaults() {
  echo_ = true;
  headers_ = false;
  spaces_ = true;
  linefeeds_ = false;
  responses_ = true;
  key_word_check_ = true;
  adaptive_timing_ = true;
  automatic_ = stored_automatic_;
  protocol_ = stored_protocol_;
  header_.clear();
  wakeup_message_.clear();
  timeout_ = options_.no_data_timeout;
  keep_alive_period_ = options_.keep_alive_period;
  five_baud_address_ = kFunctionalTarget;
  iso_baud_ = kEcuBaud;
  connected_ = false;
  direct_tried_ = false;
  ++keep_alive_generation_;
}

void Elm327Model::Reset() {
  Defaults();
  last_command_.clear();
  held_.clear();
}

void Elm327Model::Output(const std::string& text) {
  if (open_ && command_generation_ == generation_) output_ += text;
}

std::string Elm327Model::Line(std::string_view text) const {
  std::string line(text);
  line += linefeeds_ ? "\r\n" : "\r";
  return line;
}

void Elm327Model::Emit(double after, std::string text) {
  pending_.push_back(events_.After(Seconds(after), EventKind::kDevice,
                                   [this, text = std::move(text)] { Output(text); }));
}

void Elm327Model::Finish(double after) {
  const bool request = busy_ == Busy::kRequest;
  pending_.push_back(events_.After(Seconds(after), EventKind::kDevice, [this, request] {
    Output(Line("") + ">");
    busy_ = Busy::kIdle;
    pending_.clear();
    if (request && connected_) ScheduleKeepAlive();
    // What came while an AT command ran is taken now, in order.
    std::string held;
    held.swap(held_);
    for (char c : held) Take(c);
  }));
}

void Elm327Model::Answer(std::string text) {
  Emit(options_.command_delay, Line(text));
  Finish(options_.command_delay);
}

void Elm327Model::OnAtCommand(const std::string& command) {
  auto flag = [&](std::string_view name, bool& setting) {
    if (command.size() != name.size() + 1 || command.compare(0, name.size(), name) != 0) {
      return false;
    }
    const char value = command.back();
    if (value != '0' && value != '1') return false;
    setting = value == '1';
    Answer("OK");
    return true;
  };
  // The argument after `name`, when the command starts with it.
  auto arg_of = [&](std::string_view name) -> std::optional<std::string> {
    if (command.compare(0, name.size(), name) != 0) return std::nullopt;
    return command.substr(name.size());
  };

  if (command == "Z" || command == "WS") {
    const double time = command == "Z" ? options_.reset_time : options_.warm_start_time;
    Reset();
    busy_ = Busy::kReset;
    Emit(time, Line("") + Line(kBanner));
    Finish(time);
    return;
  }
  if (command == "D") {
    Defaults();
    return Answer("OK");
  }
  if (command == "I") return Answer(kBanner);
  if (command == "@1") return Answer(kDescription);
  if (command == "@2") return Answer(identifier_.empty() ? "?" : identifier_);
  if (const auto id = arg_of("@3"); id && id->size() == 12) {
    // The identifier can be written once.
    if (!identifier_.empty()) return Answer("?");
    identifier_ = *id;
    return Answer("OK");
  }
  if (command == "DP") {
    const std::string name = kProtocolNames[protocol_];
    if (!automatic_) return Answer(name);
    return Answer(protocol_ == 0 ? "AUTO" : "AUTO, " + name);
  }
  if (command == "DPN") return Answer(Protocol());
  if (command == "RV") return Answer(Volts(options_.battery_volts));
  if (command == "IGN") return Answer("ON");
  if (command == "KW") {
    return Answer("1:" + ByteToHex(key_words_[0]) + " 2:" + ByteToHex(key_words_[1]));
  }
  if (command == "PC") {
    // The protocol stays; the next request initialises the bus again as after ATSP.
    connected_ = false;
    direct_tried_ = false;
    return Answer("OK");
  }
  if (command == "FI" || command == "SI") {
    // The fast init needs protocol 5, the slow one 3 or 4.
    const bool fast = command == "FI";
    if (fast ? protocol_ != 5 : protocol_ != 3 && protocol_ != 4) return Answer("?");
    const int protocol = protocol_;
    BusInit(protocol, fast ? options_.bus_init_time : options_.slow_init_time,
            [this, protocol](bool woken) {
              Output("..." + Line(woken ? "OK" : "ERROR"));
              if (woken) {
                connected_ = true;
                protocol_ = protocol;
                ScheduleKeepAlive();
              }
              Finish(0);
            });
    return;
  }
  if (command == "BI") {
    // Connected without waking anyone: an ECU that is not awake stays silent.
    if (protocol_ == 0) return Answer("?");
    connected_ = true;
    return Answer("OK");
  }
  if (flag("E", echo_) || flag("H", headers_) || flag("L", linefeeds_) || flag("S", spaces_) ||
      flag("R", responses_) || flag("KW", key_word_check_)) {
    return;
  }
  if (const auto arg = arg_of("AT");
      arg && arg->size() == 1 && (*arg)[0] >= '0' && (*arg)[0] <= '2') {
    adaptive_timing_ = (*arg)[0] != '0';
    return Answer("OK");
  }
  for (const char* name : {"SP", "TP"}) {
    const auto arg = arg_of(name);
    if (!arg) continue;
    // h, A h (automatic, trying h first) or 00 (automatic).
    bool automatic = false;
    int protocol = -1;
    if (*arg == "00") {
      automatic = true;
      protocol = 0;
    } else if (arg->size() == 1) {
      protocol = HexDigit((*arg)[0]);
      automatic = protocol == 0;
    } else if (arg->size() == 2 && (*arg)[0] == 'A') {
      automatic = true;
      protocol = HexDigit((*arg)[1]);
    }
    if (protocol < 0 || protocol > kLastProtocol) return Answer("?");
    automatic_ = automatic;
    protocol_ = protocol;
    if (command[0] == 'S') {
      stored_automatic_ = automatic;
      stored_protocol_ = protocol;
    }
    connected_ = false;
    direct_tried_ = false;
    return Answer("OK");
  }
  if (const auto arg = arg_of("SH")) {
    // Three digits are an 11-bit CAN identifier: on the K-line the header becomes 00 0x yz.
    if (arg->size() == 3 && IsHex(*arg)) {
      header_ = "000" + *arg;
    } else if (arg->size() == 6 && IsHex(*arg)) {
      header_ = *arg;
    } else {
      return Answer("?");
    }
    return Answer("OK");
  }
  if (const auto arg = arg_of("WM"); arg && IsHexMessage(*arg) && arg->size() <= 12) {
    wakeup_message_ = *arg;
    return Answer("OK");
  }
  if (const auto arg = arg_of("ST"); arg && arg->size() == 2 && IsHex(*arg)) {
    // In steps of 4 ms; 00 restores the default.
    const int value = HexToByte(*arg);
    timeout_ = value == 0 ? options_.no_data_timeout : value * 0.004;
    return Answer("OK");
  }
  if (const auto arg = arg_of("SW"); arg && arg->size() == 2 && IsHex(*arg)) {
    // In steps of 20 ms; 00 stops the wake-up messages. The idle count starts again.
    keep_alive_period_ = HexToByte(*arg) * 0.020;
    if (connected_) ScheduleKeepAlive();
    return Answer("OK");
  }
  if (const auto arg = arg_of("IB")) {
    if (*arg == "10") {
      iso_baud_ = 10400;
    } else if (*arg == "96") {
      iso_baud_ = 9600;
    } else if (*arg == "48") {
      iso_baud_ = 4800;
    } else {
      return Answer("?");
    }
    return Answer("OK");
  }
  if (const auto arg = arg_of("IIA"); arg && arg->size() == 2 && IsHex(*arg)) {
    five_baud_address_ = static_cast<std::uint8_t>(HexToByte(*arg));
    return Answer("OK");
  }
  if (const auto arg = arg_of("SD"); arg && arg->size() == 2 && IsHex(*arg)) {
    stored_byte_ = static_cast<std::uint8_t>(HexToByte(*arg));
    return Answer("OK");
  }
  if (command == "RD") return Answer(ByteToHex(stored_byte_));
  for (const Setting& setting : kOtherSettings) {
    if (const auto arg = arg_of(setting.name); arg && ArgFits(setting.arg, *arg)) {
      return Answer("OK");
    }
  }
  Answer("?");
}

void Elm327Model::OnRequest(const std::string& line) {
  // A last odd digit is the number of responses to wait for ("0100 1").
  std::string request = line;
  int responses = 0;
  if (request.size() >= 3 && request.size() % 2 == 1 && IsHex(request) &&
      HexDigit(request.back()) > 0) {
    responses = HexDigit(request.back());
    request.pop_back();
  }
  if (!IsHexMessage(request) || ByteLength(request) > kMaxRequestBytes) {
    busy_ = Busy::kAtCommand;  // refused at once: nothing runs that a character could stop
    Answer("?");
    return;
  }
  ++keep_alive_generation_;  // bus traffic: the idle count starts again after it
  if (connected_) {
    Relay(0.0, request, responses);
    return;
  }
  if (IsKLine(protocol_) && (!automatic_ || !direct_tried_)) {
    // "A5" tries its protocol once by itself; after a failure it searches like "0".
    direct_tried_ = true;
    const int protocol = protocol_;
    BusInit(protocol, protocol == 5 ? options_.bus_init_time : options_.slow_init_time,
            [this, protocol, request, responses](bool woken) {
              Output("..." + Line(woken ? "OK" : "ERROR"));
              if (!woken) {
                Finish(0);
                return;
              }
              connected_ = true;
              protocol_ = protocol;
              Relay(0.0, request, responses);
            });
    return;
  }
  if (automatic_) {
    Emit(0.001, Line("SEARCHING..."));
    pending_.push_back(events_.After(Seconds(options_.search_time), EventKind::kDevice,
                                     [this, request, responses] {
                                       const std::optional<int> found = Search();
                                       if (!found) {
                                         Output(Line("UNABLE TO CONNECT"));
                                         Finish(0);
                                         return;
                                       }
                                       connected_ = true;
                                       protocol_ = *found;
                                       Relay(0.0, request, responses);
                                     }));
    return;
  }
  // A fixed protocol off the K-line: nothing answers there.
  Emit(timeout_, Line(IsCan(protocol_) ? "CAN ERROR" : "NO DATA"));
  Finish(timeout_);
}

void Elm327Model::BusInit(int protocol, double duration, std::function<void(bool)> then) {
  Emit(0.001, "BUS INIT: ");
  pending_.push_back(events_.After(
      Seconds(duration), EventKind::kDevice, [this, protocol, then = std::move(then)] {
        const bool woken = protocol == 5 ? WakeFast() : WakeFiveBaud() == protocol;
        then(woken);
      }));
}

std::optional<int> Elm327Model::Search() {
  // On the K-line the search tries the five-baud init (whose key bytes tell ISO 9141-2 from
  // ISO 14230-4) before the fast init.
  if (const std::optional<int> found = WakeFiveBaud()) return found;
  if (WakeFast()) return 5;
  return std::nullopt;
}

bool Elm327Model::FailWakeup() {
  if (failed_wakeups_left_ <= 0) return false;
  --failed_wakeups_left_;
  return true;
}

void Elm327Model::Woken(std::array<std::uint8_t, 2> key_bytes) {
  key_words_ = key_bytes;
  ecu_awake_ = true;
  ecu_heard_at_ = clock_.Now();
}

std::optional<int> Elm327Model::WakeFiveBaud() {
  if (options_.ecu_five_baud_address != five_baud_address_ || iso_baud_ != kEcuBaud) {
    return std::nullopt;
  }
  if (FailWakeup()) return std::nullopt;
  const std::array<std::uint8_t, 2> kb = options_.ecu_key_bytes;
  const bool iso9141 = (kb[0] == 0x08 && kb[1] == 0x08) || (kb[0] == 0x94 && kb[1] == 0x94);
  // With the check off (ATKW0) any key bytes do, and they still name the protocol.
  if (key_word_check_ && !iso9141 && kb[1] != 0x8F) return std::nullopt;
  Woken(kb);
  ++requests_heard_;
  return iso9141 ? 3 : 4;
}

bool Elm327Model::WakeFast() {
  if (!options_.ecu_fast_init || iso_baud_ != kEcuBaud) return false;
  // The start communication after the wake-up pattern goes with the current header.
  const HexMessage header = RequestHeader();
  const std::optional<bool> functional =
      Addressing(static_cast<std::uint8_t>(HexToByte(header.substr(0, 2))),
                 static_cast<std::uint8_t>(HexToByte(header.substr(2, 2))), options_.ecu_address);
  if (!functional) return false;
  if (FailWakeup()) return false;
  const std::vector<HexMessage> frames = ecu_({"81", *functional});
  // C1 and the two key bytes; an ISO 14230 ECU's second key byte is 8F.
  if (frames.empty() || frames.front().size() < 6 || Left(frames.front(), 2) != "C1") {
    return false;
  }
  const std::array<std::uint8_t, 2> kb = {
      static_cast<std::uint8_t>(HexToByte(Mid(frames[0], 3, 2))),
      static_cast<std::uint8_t>(HexToByte(Mid(frames[0], 5, 2)))};
  if (key_word_check_ && kb[1] != 0x8F) return false;
  Woken(kb);
  ++requests_heard_;
  return true;
}

bool Elm327Model::EcuAwake() {
  if (ecu_awake_ && clock_.Now() - ecu_heard_at_ > Seconds(options_.ecu_session_timeout)) {
    ecu_awake_ = false;
  }
  return ecu_awake_;
}

std::vector<HexMessage> Elm327Model::Deliver(const HexMessage& header, const HexMessage& payload) {
  const std::optional<bool> functional =
      Addressing(static_cast<std::uint8_t>(HexToByte(header.substr(0, 2))),
                 static_cast<std::uint8_t>(HexToByte(header.substr(2, 2))), options_.ecu_address);
  if (!functional || iso_baud_ != kEcuBaud || !EcuAwake()) return {};
  ecu_heard_at_ = clock_.Now();
  ++requests_heard_;
  return ecu_({payload, *functional});
}

void Elm327Model::Relay(double after, const HexMessage& request, int responses) {
  // The ECU has the request once its frame (header, data, checksum) is on the line.
  const double sent = after + static_cast<double>(ByteLength(request) + 4) * kKLineByteTime;
  pending_.push_back(events_.After(Seconds(sent), EventKind::kDevice, [this, request, responses] {
    std::vector<HexMessage> frames = Deliver(RequestHeader(), request);
    if (!responses_) {
      Finish(0);
      return;
    }
    if (responses > 0 && frames.size() > static_cast<std::size_t>(responses)) {
      frames.resize(static_cast<std::size_t>(responses));
    }
    if (frames.empty() || options_.ecu_delay > timeout_) {
      Emit(timeout_, Line("NO DATA"));
      Finish(timeout_);
      return;
    }
    double at = 0;
    for (std::size_t i = 0; i < frames.size(); ++i) {
      // Each frame comes P2 after the one before; one later than the adapter listens after
      // a frame is not heard.
      if (i > 0 && options_.ecu_delay > ListenTime()) break;
      at += options_.ecu_delay;
      Emit(at, FormatReply(frames[i]));
    }
    // Told how many frames to expect, the adapter is done with the last one; otherwise it
    // listens for more before the prompt.
    const bool all_there = responses > 0 && frames.size() >= static_cast<std::size_t>(responses);
    Finish(all_there ? at : at + ListenTime());
  }));
}

double Elm327Model::ListenTime() const {
  return adaptive_timing_ ? std::min(timeout_, options_.adaptive_listen) : timeout_;
}

std::string Elm327Model::FormatReply(const HexMessage& reply) const {
  HexMessage frame = reply;
  if (headers_) {
    // The whole frame as it came, checksum included: ISO 9141-2's 48 6B, or KWP's format byte
    // with the length (or 80 and a length byte), the tester's address (the header's source)
    // and the ECU's.
    const std::size_t length = ByteLength(reply);
    const HexMessage source = ByteToHex(options_.ecu_address);
    const HexMessage tester = Mid(RequestHeader(), 5, 2);
    if (protocol_ == 3) {
      frame = "486B" + source + reply;
    } else if (length < 64) {
      frame = ByteToHex(0x80 | static_cast<int>(length)) + tester + source + reply;
    } else {
      frame = "80" + tester + source + ByteToHex(static_cast<int>(length)) + reply;
    }
    frame += CheckSum(frame);
  }
  if (!spaces_) return Line(frame);
  std::string spaced;
  for (std::size_t i = 0; i + 1 < frame.size(); i += 2) spaced += frame.substr(i, 2) + " ";
  return Line(spaced);
}

void Elm327Model::ScheduleKeepAlive() {
  const int generation = ++keep_alive_generation_;
  if (keep_alive_period_ <= 0) return;
  events_.After(Seconds(keep_alive_period_), EventKind::kDevice, [this, generation] {
    if (generation != keep_alive_generation_ || !connected_ || keep_alive_period_ <= 0) return;
    // A request on the bus: its end starts the idle count again.
    if (busy_ == Busy::kRequest) return;
    SendWakeupMessage();
    ScheduleKeepAlive();
  });
}

void Elm327Model::SendWakeupMessage() {
  ++keep_alives_;
  const HexMessage message = WakeupMessage();
  // The adapter adds the checksum; the ECU takes the frame the format byte describes, and
  // anything after it is a stray byte on the line.
  const std::vector<std::uint8_t> line = HexToBytes(message + CheckSum(message));
  std::size_t frame_size = line.size();
  if (line[0] != kIso9141Format) {
    const std::size_t length = line[0] & 0x3F;
    if (length == 0 && line.size() < 4) return;
    frame_size = (length == 0 ? 4 + line[3] : 3 + length) + 1;
  }
  if (line.size() < frame_size || frame_size < 4) return;  // cut short: no request at all
  stray_wakeup_bytes_ += static_cast<int>(line.size() - frame_size);
  unsigned sum = 0;
  for (std::size_t i = 0; i + 1 < frame_size; ++i) sum += line[i];
  if ((sum & 0xFF) != line[frame_size - 1]) return;
  const std::size_t header = line[0] != kIso9141Format && (line[0] & 0x3F) == 0 ? 4 : 3;
  const HexMessage frame = BytesToHex(std::vector<std::uint8_t>(
      line.begin(), line.begin() + static_cast<std::ptrdiff_t>(frame_size)));
  // Only the data reaches the ECU's service handler; its reply is not shown to the tester.
  Deliver(Left(frame, 6), Mid(frame, 2 * header + 1, 2 * (frame_size - header - 1)));
}

}  // namespace velkor::sim
