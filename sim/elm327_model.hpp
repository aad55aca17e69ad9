#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/hex_message.hpp"
#include "link/serial_port.hpp"
#include "sim/virtual_clock.hpp"

namespace velkor::sim {

// The ECU behind the adapter: given a request's service bytes ("21A0", "81", "0100"), returns
// the reply's service bytes ("61A0...") or "" for silence. The adapter adds and strips the frame.
using ElmEcu = std::function<HexMessage(const HexMessage& request)>;

// Timings and faults of the adapter model, in seconds.
struct Elm327Options {
  double command_delay = 0.005;    // answer to an AT command
  double reset_time = 0.6;         // ATZ, before the banner
  double bus_init_time = 0.35;     // fast init + start communication of a direct bus init
  double search_time = 1.5;        // a whole automatic protocol search
  double ecu_delay = 0.03;         // the ECU's P2, before its reply is relayed
  double no_data_timeout = 0.2;    // how long the adapter waits for the ECU (ATST 32 = 200 ms)
  double keep_alive_period = 3.0;  // idle time after which the wake-up message goes out
  int failed_wakeups = 0;          // the first N wake-ups of the ECU go unanswered
  int baud = 38400;                // the adapter hears nothing at any other port speed
  bool powered = true;             // false: an adapter that answers nothing at all
  std::uint8_t ecu_address = 0x10;
};

// Elm327Model: a text-command K-line adapter in front of a KWP ECU, on the bench. Input is
// taken line by line (CR ends a line; LF and spaces are ignored; case does not matter); an empty
// line is ignored. Answers arrive as device events, each line ended by CR (CR LF after ATL1),
// the whole answer closed by an empty line and the ">" prompt.
//
//   idle --hex line--> [not connected] --SP A5 first try / SP 5--> "BUS INIT: ...OK|ERROR"
//                                      --SP 0 / A5 after a failure--> "SEARCHING..." then the
//                                        answer or "UNABLE TO CONNECT"
//        [connected] --> ECU reply after P2, or "NO DATA" after the adapter's time-out
//   busy --any character but CR/LF--> "STOPPED" (the interrupting line is dropped)
//
// Once connected, the wake-up message (ATWM) goes to the ECU after keep_alive_period of idle bus.
class Elm327Model : public SerialPort {
 public:
  Elm327Model(VirtualClock& clock, ElmEcu ecu, Elm327Options options = {});

  bool Open(const std::string& port, const std::string& settings) override;
  void Close() override;
  bool IsOpen() const override { return open_; }
  std::size_t BytesWaiting() override { return open_ ? output_.size() : 0; }
  std::string ReadAll() override;
  bool Write(std::string_view data) override;
  std::string LastError() const override { return last_error_; }
  SerialError LastErrorKind() const override { return last_error_kind_; }

  Elm327Options& options() { return options_; }

  // Every command line heard (spaces removed, upper case), with the time it ended.
  const std::vector<std::string>& Commands() const { return commands_; }
  const std::vector<Nanos>& CommandTimes() const { return command_times_; }
  bool Connected() const { return connected_; }
  bool Echo() const { return echo_; }
  bool Headers() const { return headers_; }
  bool Spaces() const { return spaces_; }
  bool Linefeeds() const { return linefeeds_; }
  const std::string& Protocol() const { return protocol_; }
  const HexMessage& RequestHeader() const { return request_header_; }
  const HexMessage& WakeupMessage() const { return wakeup_message_; }
  double TimeoutSeconds() const { return timeout_; }
  // Wake-up messages sent to the ECU while the bus was idle.
  int KeepAlivesSent() const { return keep_alives_; }

 private:
  void OnLine(const std::string& line);
  void OnAtCommand(const std::string& command);
  void OnRequest(const HexMessage& request);
  void Reset();
  // Text `after` seconds from now; part of the running command's answer.
  void Emit(double after, std::string text);
  // The closing prompt `after` seconds from now; the adapter is idle again then.
  void Finish(double after);
  std::string Line(std::string_view text) const;
  std::string FormatReply(const HexMessage& reply) const;
  // Wakes the ECU; false when it does not answer.
  bool WakeEcu();
  // Relays the request once connected, starting `after` seconds from now.
  void Relay(double after, const HexMessage& request);
  void ScheduleKeepAlive();

  VirtualClock& clock_;
  ElmEcu ecu_;
  Elm327Options options_;
  ScopedEvents events_;

  bool open_ = false;
  bool hears_ = false;  // the port speed matches the adapter's
  int generation_ = 0;
  std::string last_error_;
  SerialError last_error_kind_ = SerialError::kNone;
  std::string line_;
  std::string output_;
  bool busy_ = false;
  bool dropping_line_ = false;
  std::vector<EventId> pending_;
  std::vector<std::string> commands_;
  std::vector<Nanos> command_times_;

  bool echo_ = true;
  bool headers_ = false;
  bool spaces_ = true;
  bool linefeeds_ = false;
  std::string protocol_ = "0";
  bool direct_tried_ = false;
  bool connected_ = false;
  HexMessage request_header_ = "C133F1";
  HexMessage wakeup_message_ = "C133F13E";
  double timeout_ = 0.2;
  int failed_wakeups_left_ = 0;
  int keep_alives_ = 0;
  Nanos last_traffic_{0};
  int keep_alive_generation_ = 0;
};

}  // namespace velkor::sim
