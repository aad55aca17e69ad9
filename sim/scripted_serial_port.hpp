#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "link/serial_port.hpp"
#include "sim/virtual_clock.hpp"

namespace velkor::sim {

// A piece of a scripted answer: `text` arrives `delay` seconds after the previous piece (the
// first piece: after the command's CR was written).
struct SerialChunk {
  double delay;
  std::string text;
};

// ScriptedSerialPort: a serial port (the ELM327 path) that answers a script. Everything written
// is recorded; each command line (the text up to a CR, line feeds dropped) is compared with the
// head of the script: a match pops it and delivers its answer in chunks as device events, so
// BytesWaiting/ReadAll see the text appear as virtual time passes (during pauses too, as a
// driver's queue fills); anything else is logged and counted as a mismatch, and gets no answer.
// An empty expected command accepts any line. Text due while the port is closed is lost. An
// open failure can be injected; LastError then gives its text.
//   ScriptedSerialPort port(clock);
//   port.Expect("0100", {{0.05, "SEARCHING...\r"}, {0.9, "41 00 BE 1F B8 10\r\r>"}});
//   port.Open("/dev/ttyUSB0", "38400,n,8,1");
class ScriptedSerialPort : public SerialPort {
 public:
  explicit ScriptedSerialPort(VirtualClock& clock) : events_(clock) {}

  bool Open(const std::string& port, const std::string& settings) override;
  void Close() override;
  bool IsOpen() const override { return open_; }
  std::size_t BytesWaiting() override { return open_ ? received_.size() : 0; }
  std::string ReadAll() override;
  bool Write(std::string_view data) override;
  std::string LastError() const override { return last_error_; }
  SerialError LastErrorKind() const override { return last_error_kind_; }

  // Non-empty: every Open fails with this text as LastError and `kind` as LastErrorKind. Empty:
  // opens succeed again.
  void SetOpenFailure(std::string error, SerialError kind = SerialError::kOther) {
    open_failure_ = std::move(error);
    open_failure_kind_ = kind;
  }

  ScriptedSerialPort& Expect(std::string command, std::string reply, double delay = 0.0);
  ScriptedSerialPort& Expect(std::string command, std::vector<SerialChunk> chunks);
  // Text arriving `delay` seconds from now, unasked.
  void DeliverAfter(double delay, std::string text);

  // Everything written while open, in order.
  const std::string& Written() const { return written_; }
  // Every command line received, matched or not.
  const std::vector<std::string>& Commands() const { return commands_; }
  int Mismatches() const { return mismatches_; }
  std::size_t StepsLeft() const { return steps_.size(); }
  const std::string& PortName() const { return port_; }
  const std::string& Settings() const { return settings_; }
  int OpenCount() const { return open_count_; }

 private:
  struct Step {
    std::string command;
    std::vector<SerialChunk> chunks;
  };

  void OnCommand(const std::string& line);
  void Deliver(std::vector<SerialChunk> chunks, std::size_t index);

  bool open_ = false;
  int generation_ = 0;  // bumped by Close: text meant for an earlier opening is lost
  int open_count_ = 0;
  std::string port_;
  std::string settings_;
  std::string open_failure_;
  SerialError open_failure_kind_ = SerialError::kOther;
  std::string last_error_;
  SerialError last_error_kind_ = SerialError::kNone;
  std::string written_;
  std::string line_;
  std::string received_;
  std::deque<Step> steps_;
  std::vector<std::string> commands_;
  int mismatches_ = 0;
  ScopedEvents events_;
};

}  // namespace velkor::sim
