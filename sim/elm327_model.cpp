#include "sim/elm327_model.hpp"

#include <cctype>
#include <cstdlib>

namespace velkor::sim {

namespace {
constexpr const char* kBanner = "ELM327 v1.5";

bool IsHex(std::string_view text) {
  for (char c : text) {
    if (std::isxdigit(static_cast<unsigned char>(c)) == 0) return false;
  }
  return true;
}

bool IsHexMessage(std::string_view text) {
  return !text.empty() && text.size() % 2 == 0 && IsHex(text);
}
}  // namespace

Elm327Model::Elm327Model(VirtualClock& clock, ElmEcu ecu, Elm327Options options)
    : clock_(clock), ecu_(std::move(ecu)), options_(options), events_(clock) {
  failed_wakeups_left_ = options_.failed_wakeups;
  timeout_ = options_.no_data_timeout;
}

bool Elm327Model::Open(const std::string& port, const std::string& settings) {
  if (open_) {
    last_error_ = "Port already open";
    last_error_kind_ = SerialError::kInUse;
    return false;
  }
  (void)port;
  open_ = true;
  hears_ = std::atoi(settings.c_str()) == options_.baud;
  last_error_.clear();
  last_error_kind_ = SerialError::kNone;
  output_.clear();
  line_.clear();
  dropping_line_ = false;
  return true;
}

void Elm327Model::Close() {
  open_ = false;
  ++generation_;
  output_.clear();
  line_.clear();
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
  for (char c : data) {
    if (c == '\n' || c == ' ') continue;
    if (c == '\r') {
      if (dropping_line_ || busy_) {
        // Line ends while busy are the tail of the command being served, not an interruption.
        dropping_line_ = false;
        line_.clear();
        continue;
      }
      if (line_.empty()) continue;
      const std::string line = std::move(line_);
      line_.clear();
      OnLine(line);
      continue;
    }
    if (busy_) {
      // Any other character while a request runs stops it, as on the real adapter.
      for (EventId id : pending_) clock_.Cancel(id);
      pending_.clear();
      busy_ = false;
      dropping_line_ = true;
      const int generation = generation_;
      events_.After(Nanos(0), EventKind::kDevice, [this, generation] {
        if (open_ && generation == generation_) output_ += Line("STOPPED") + Line("") + ">";
      });
      continue;
    }
    if (dropping_line_) continue;
    line_.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  }
  return true;
}

std::string Elm327Model::Line(std::string_view text) const {
  std::string line(text);
  line += linefeeds_ ? "\r\n" : "\r";
  return line;
}

void Elm327Model::Emit(double after, std::string text) {
  const int generation = generation_;
  pending_.push_back(
      events_.After(Seconds(after), EventKind::kDevice, [this, generation, text = std::move(text)] {
        if (open_ && generation == generation_) output_ += text;
      }));
}

void Elm327Model::Finish(double after) {
  const int generation = generation_;
  pending_.push_back(events_.After(Seconds(after), EventKind::kDevice, [this, generation] {
    if (open_ && generation == generation_) output_ += Line("") + ">";
    busy_ = false;
    pending_.clear();
    if (connected_) {
      last_traffic_ = clock_.Now();
      ScheduleKeepAlive();
    }
  }));
}

void Elm327Model::OnLine(const std::string& line) {
  commands_.push_back(line);
  command_times_.push_back(clock_.Now());
  busy_ = true;
  ++keep_alive_generation_;  // traffic: the idle count starts again after this command
  if (echo_) output_ += Line(line);
  if (line.rfind("AT", 0) == 0) {
    OnAtCommand(line.substr(2));
  } else if (IsHexMessage(line)) {
    OnRequest(line);
  } else {
    Emit(options_.command_delay, Line("?"));
    Finish(options_.command_delay);
  }
}

void Elm327Model::Reset() {
  echo_ = true;
  headers_ = false;
  spaces_ = true;
  linefeeds_ = false;
  connected_ = false;
  direct_tried_ = false;
  request_header_ = "C133F1";
  wakeup_message_ = "C133F13E";
  timeout_ = options_.no_data_timeout;
  ++keep_alive_generation_;
}

void Elm327Model::OnAtCommand(const std::string& command) {
  const double delay = options_.command_delay;
  auto answer = [&](std::string text) {
    Emit(delay, Line(text));
    Finish(delay);
  };
  auto flag = [&](bool& setting) {
    setting = command[1] == '1';
    answer("OK");
  };
  const std::string arg = command.size() > 2 ? command.substr(2) : std::string();

  if (command == "Z") {
    Reset();
    Emit(options_.reset_time, Line("") + Line(kBanner));
    Finish(options_.reset_time);
  } else if (command == "I") {
    answer(kBanner);
  } else if (command == "D") {
    Reset();
    answer("OK");
  } else if (command == "E0" || command == "E1") {
    flag(echo_);
  } else if (command == "H0" || command == "H1") {
    flag(headers_);
  } else if (command == "S0" || command == "S1") {
    flag(spaces_);
  } else if (command == "L0" || command == "L1") {
    flag(linefeeds_);
  } else if ((command.rfind("SP", 0) == 0 || command.rfind("TP", 0) == 0) &&
             (arg.size() == 1 || (arg.size() == 2 && arg[0] == 'A')) && IsHex(arg)) {
    protocol_ = arg;
    connected_ = false;
    direct_tried_ = false;
    answer("OK");
  } else if (command == "DP") {
    answer(connected_ ? "ISO 14230-4 (KWP FAST)" : "AUTO");
  } else if (command == "PC") {
    connected_ = false;
    answer("OK");
  } else if (command.rfind("SH", 0) == 0 && IsHexMessage(arg) && arg.size() <= 6) {
    request_header_ = arg;
    answer("OK");
  } else if (command.rfind("WM", 0) == 0 && IsHexMessage(arg) && arg.size() <= 12) {
    wakeup_message_ = arg;
    answer("OK");
  } else if (command.rfind("ST", 0) == 0 && arg.size() == 2 && IsHex(arg)) {
    // In steps of 4 ms; 00 restores the default.
    const int value = HexToByte(arg);
    timeout_ = value == 0 ? options_.no_data_timeout : value * 0.004;
    answer("OK");
  } else if (command == "AT0" || command == "AT1" || command == "AT2") {
    answer("OK");
  } else {
    answer("?");
  }
}

bool Elm327Model::WakeEcu() {
  if (failed_wakeups_left_ > 0) {
    --failed_wakeups_left_;
    return false;
  }
  return !ecu_("81").empty();
}

void Elm327Model::OnRequest(const HexMessage& request) {
  if (connected_) {
    Relay(0.0, request);
    return;
  }
  const bool automatic = protocol_ == "0" || protocol_[0] == 'A';
  const bool direct = protocol_ == "5" || (protocol_ == "A5" && !direct_tried_);
  if (direct) {
    // "A5" tries the fast init once by itself; after a failure it searches like "0".
    direct_tried_ = true;
    Emit(0.001, "BUS INIT: ");
    const double end = options_.bus_init_time;
    if (WakeEcu()) {
      Emit(end, "..." + Line("OK"));
      pending_.push_back(
          events_.After(Seconds(end), EventKind::kDevice, [this] { connected_ = true; }));
      Relay(end, request);
    } else {
      Emit(end, "..." + Line("ERROR"));
      Finish(end);
    }
  } else if (automatic) {
    Emit(0.001, Line("SEARCHING..."));
    const double end = options_.search_time;
    if (WakeEcu()) {
      pending_.push_back(
          events_.After(Seconds(end), EventKind::kDevice, [this] { connected_ = true; }));
      Relay(end, request);
    } else {
      Emit(end, Line("UNABLE TO CONNECT"));
      Finish(end);
    }
  } else {
    // A fixed protocol other than KWP fast init: nothing on that bus answers.
    Emit(options_.bus_init_time, Line("UNABLE TO CONNECT"));
    Finish(options_.bus_init_time);
  }
}

void Elm327Model::Relay(double after, const HexMessage& request) {
  const HexMessage reply = ecu_(request);
  if (reply.empty() || options_.ecu_delay > timeout_) {
    Emit(after + timeout_, Line("NO DATA"));
    Finish(after + timeout_);
    return;
  }
  Emit(after + options_.ecu_delay, FormatReply(reply));
  Finish(after + options_.ecu_delay);
}

std::string Elm327Model::FormatReply(const HexMessage& reply) const {
  HexMessage frame = reply;
  if (headers_) {
    // KWP frame with the length in the format byte; headers on also shows the checksum.
    frame = ByteToHex(0x80 | static_cast<int>(ByteLength(reply) & 0x3F)) + "F1" +
            ByteToHex(options_.ecu_address) + reply;
    frame += CheckSum(frame);
  }
  if (!spaces_) return Line(frame);
  std::string spaced;
  for (std::size_t i = 0; i + 1 < frame.size(); i += 2) spaced += frame.substr(i, 2) + " ";
  return Line(spaced);
}

void Elm327Model::ScheduleKeepAlive() {
  const int generation = ++keep_alive_generation_;
  events_.After(Seconds(options_.keep_alive_period), EventKind::kDevice, [this, generation] {
    if (generation != keep_alive_generation_ || !connected_ || busy_) return;
    // The message is a whole frame: format byte (data length in its low bits), target, source,
    // data, and possibly the checksum; only the data reaches the ECU's service handler.
    const int length = HexToByte(wakeup_message_.substr(0, 2)) & 0x3F;
    const HexMessage payload = Mid(wakeup_message_, 7, 2 * static_cast<std::size_t>(length));
    if (!payload.empty()) ecu_(payload);
    ++keep_alives_;
    ScheduleKeepAlive();
  });
}

}  // namespace velkor::sim
