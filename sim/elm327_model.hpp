#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/hex_message.hpp"
#include "link/serial_port.hpp"
#include "sim/virtual_clock.hpp"

namespace velkor::sim {

// A request as the ECU behind the adapter hears it: its service bytes, and whether it came with
// a functional header (the OBD broadcast target 33) rather than the ECU's own address.
struct ElmRequest {
  HexMessage payload;
  bool functional = false;
};

// The ECU behind the adapter: given a request's service bytes ("21A0", "81", "0100"), returns
// the reply's service bytes ("61A0...") or "" for silence. The adapter adds and strips the frame.
using ElmEcu = std::function<HexMessage(const HexMessage& request)>;
// The same for an ECU that tells functional from physical requests or answers with several
// frames: the service bytes of each frame, in order; none for silence.
using ElmFramesEcu = std::function<std::vector<HexMessage>(const ElmRequest& request)>;

// Timings, faults and the ECU's wake-ups, in seconds.
struct Elm327Options {
  double command_delay = 0.005;  // answer to an AT command
  double reset_time = 0.6;       // ATZ, before the banner
  double warm_start_time = 0.1;  // ATWS: the reset without the LED test
  double bus_init_time = 0.35;   // fast init + start communication of a direct bus init
  double slow_init_time = 2.6;   // five-baud address, 55, key bytes and their confirmation
  double search_time = 1.5;      // a whole automatic protocol search
  double ecu_delay = 0.03;       // the ECU's P2, before each of its frames
  double no_data_timeout = 0.2;  // how long the adapter waits for the ECU (ATST 32 = 200 ms)
  // With adaptive timing (ATAT1, ATAT2) how long the adapter listens for another frame after
  // one came, at most the ATST time; with ATAT0 it listens for the whole ATST time.
  double adaptive_listen = 0.05;
  double keep_alive_period = 3.0;    // idle time after which the wake-up message goes out
  double ecu_session_timeout = 5.0;  // P3 max: the ECU ends its session after this silence
  int failed_wakeups = 0;            // the first N wake-ups the ECU would answer go unanswered
  int baud = 38400;                  // the adapter hears nothing at any other port speed
  bool powered = true;               // false: an adapter that answers nothing at all
  std::uint8_t ecu_address = 0x10;
  bool ecu_fast_init = true;  // the ECU wakes on a fast init and its start communication
  // The address the ECU wakes at with a five-baud init (the adapter sends 33 unless ATIIA
  // says otherwise); none: it ignores five-baud addresses.
  std::optional<std::uint8_t> ecu_five_baud_address;
  // Key bytes the ECU sends after 55 in a five-baud wake-up (8F: ISO 14230; 08 08 or 94 94:
  // ISO 9141-2). A fast init takes them from the ECU's start-communication reply.
  std::array<std::uint8_t, 2> ecu_key_bytes = {0xEF, 0x8F};
  double battery_volts = 13.8;  // the voltage ATRV reads at the socket
};

// Elm327Model: a v1.5 text-command K-line adapter in front of one ECU, on the bench, following
// the adapter's data sheet where a tester can tell the difference.
//
// Input, character by character, as the adapter's firmware takes it:
//   - idle: printable characters build the command (echoed when echo is on); spaces and control
//     characters other than CR are ignored; case does not matter. CR executes it; a CR alone
//     repeats the last command. Every executed line ends with the prompt ">".
//   - while an OBD request runs (bus init, search, waiting for the ECU): any character at all,
//     an LF included, interrupts it: "STOPPED", the prompt, and that character is dropped; the
//     characters after it start the next command.
//   - while an AT command runs: held, and taken once its prompt is out (so "ATE0\r\n\r\n" runs
//     ATE0 twice: the lone CR repeats it). During a reset (ATZ, ATWS) they are lost.
//
// Requests:
//   idle --hex line--> [not connected] --SP 3/4/5, SP A5 first try--> "BUS INIT: ...OK|ERROR"
//                                      --SP 0 / A5 after a failure--> "SEARCHING..." then the
//                                        answer or "UNABLE TO CONNECT"
//        [connected] --> the ECU's frames after P2 each, or "NO DATA" after the time-out
// After a frame the adapter listens for another (ListenTime), then gives the prompt; a request
// with a response count ("0100 1": one frame) ends as soon as that many frames have come.
// The header (ATSH, else C1 33 F1 for KWP) decides who hears a request: the ECU at its own
// address (format 8x) or at the functional target 33 (format Cx); any other target, and an ECU
// whose session has timed out (P3 max without a request), give "NO DATA". A fast init sends its
// start communication with that header too; a five-baud init sends the ATIIA address (33).
// Once connected, the wake-up message (ATWM; the adapter adds its checksum) goes out after
// keep_alive_period (ATSW) of idle bus, and keeps the ECU's session open.
//
// The v1.5 command set is known, "?" answers only what is not in it. Settings the bench has no
// use for (CAN, J1939, J1850) are taken and change nothing. Not modelled, and answered "?" by
// the bench: the bus monitors (ATMA, ATMR, ATMT), ATBD, ATCS, ATLP, the baud rate divisor
// (ATBRD, ATBRT) and the programmable parameters (ATPP, ATPPS).
class Elm327Model : public SerialPort {
 public:
  Elm327Model(VirtualClock& clock, ElmEcu ecu, Elm327Options options = {});
  Elm327Model(VirtualClock& clock, ElmFramesEcu ecu, Elm327Options options = {});

  bool Open(const std::string& port, const std::string& settings) override;
  void Close() override;
  bool IsOpen() const override { return open_; }
  std::size_t BytesWaiting() override { return open_ ? output_.size() : 0; }
  std::string ReadAll() override;
  bool Write(std::string_view data) override;
  std::string LastError() const override { return last_error_; }
  SerialError LastErrorKind() const override { return last_error_kind_; }

  Elm327Options& options() { return options_; }

  // Every command executed (spaces removed, upper case; a repeat by lone CR included), with the
  // time its CR came.
  const std::vector<std::string>& Commands() const { return commands_; }
  const std::vector<Nanos>& CommandTimes() const { return command_times_; }
  bool Connected() const { return connected_; }
  bool Echo() const { return echo_; }
  bool Headers() const { return headers_; }
  bool Spaces() const { return spaces_; }
  bool Linefeeds() const { return linefeeds_; }
  // The protocol as ATDPN shows it ("A5", "5", "A0").
  std::string Protocol() const;
  // The header requests go with (three bytes).
  HexMessage RequestHeader() const;
  // The wake-up message (ATWM, else the protocol's own), without the checksum the adapter adds.
  HexMessage WakeupMessage() const;
  double TimeoutSeconds() const { return timeout_; }
  // Wake-up messages sent to the ECU while the bus was idle.
  int KeepAlivesSent() const { return keep_alives_; }
  // Bytes the wake-up messages put on the line after the end of their frame (by the length in
  // the format byte). A message that carries its own checksum gets the adapter's as well.
  int StrayWakeupBytes() const { return stray_wakeup_bytes_; }
  // Requests (keep-alives included) that reached the ECU with its session open.
  int RequestsHeard() const { return requests_heard_; }

 private:
  enum class Busy { kIdle, kAtCommand, kReset, kRequest };

  void Take(char c);
  void EndLine();
  void Execute(const std::string& command);
  void OnAtCommand(const std::string& command);
  void OnRequest(const std::string& line);
  void Interrupt();
  void Defaults();
  void Reset();
  // Text for the tester, unless the port was closed since the running command began.
  void Output(const std::string& text);
  // Text `after` seconds from now; part of the running command's answer.
  void Emit(double after, std::string text);
  // The closing prompt `after` seconds from now; the adapter is idle again then.
  void Finish(double after);
  // A one-line answer after the AT command delay, and the prompt.
  void Answer(std::string text);
  std::string Line(std::string_view text) const;
  std::string FormatReply(const HexMessage& reply) const;
  // How long the adapter listens for a further frame after one.
  double ListenTime() const;
  // "BUS INIT: ", the init of `protocol` (3, 4 or 5) taking `duration`, then `then` with the
  // outcome.
  void BusInit(int protocol, double duration, std::function<void(bool)> then);
  // The automatic search on the K-line: the protocol found, or none.
  std::optional<int> Search();
  // True when this wake-up is one of the failures asked for.
  bool FailWakeup();
  void Woken(std::array<std::uint8_t, 2> key_bytes);
  // A five-baud init at the ATIIA address: protocol 3 or 4 by the key bytes, or none.
  std::optional<int> WakeFiveBaud();
  // A fast init and the start communication; false when the ECU does not answer.
  bool WakeFast();
  // The ECU's session is open now (woken, and not timed out since its last request).
  bool EcuAwake();
  // The ECU's reply frames to `payload` sent with `header`; none when nobody hears it.
  std::vector<HexMessage> Deliver(const HexMessage& header, const HexMessage& payload);
  // Sends the request once connected, starting `after` seconds from now; `responses` > 0: the
  // number of frames to show at most.
  void Relay(double after, const HexMessage& request, int responses);
  void ScheduleKeepAlive();
  void SendWakeupMessage();

  VirtualClock& clock_;
  ElmFramesEcu ecu_;
  Elm327Options options_;
  ScopedEvents events_;

  bool open_ = false;
  bool hears_ = false;  // the port speed matches the adapter's
  int generation_ = 0;
  int command_generation_ = 0;  // generation_ when the running command began
  std::string last_error_;
  SerialError last_error_kind_ = SerialError::kNone;
  std::string command_;       // the command being typed (upper case, no spaces)
  std::string last_command_;  // what a lone CR repeats
  std::string held_;          // characters received while an AT command ran
  std::string output_;
  Busy busy_ = Busy::kIdle;
  std::vector<EventId> pending_;
  std::vector<std::string> commands_;
  std::vector<Nanos> command_times_;

  // Settings (ATD and ATZ restore them).
  bool echo_ = true;
  bool headers_ = false;
  bool spaces_ = true;
  bool linefeeds_ = false;
  bool responses_ = true;
  bool key_word_check_ = true;
  bool adaptive_timing_ = true;
  bool automatic_ = true;  // ATSP 0 or A<n>: search when the protocol fails
  int protocol_ = 0;       // 0: none yet; 1 to C
  bool stored_automatic_ = true;
  int stored_protocol_ = 0;
  HexMessage header_;  // empty: the protocol's own
  HexMessage wakeup_message_;
  double timeout_ = 0.2;
  double keep_alive_period_ = 3.0;  // 0: no wake-up messages
  std::uint8_t five_baud_address_ = 0x33;
  int iso_baud_ = 10400;
  std::string identifier_;        // AT@3, once
  std::uint8_t stored_byte_ = 0;  // ATSD, ATRD

  bool direct_tried_ = false;
  bool connected_ = false;
  std::array<std::uint8_t, 2> key_words_ = {0, 0};
  int failed_wakeups_left_ = 0;
  bool ecu_awake_ = false;
  Nanos ecu_heard_at_{0};
  int keep_alives_ = 0;
  int stray_wakeup_bytes_ = 0;
  int requests_heard_ = 0;
  int keep_alive_generation_ = 0;
};

}  // namespace velkor::sim
