#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "core/hex_message.hpp"
#include "sim/kline_bus.hpp"
#include "sim/uart.hpp"
#include "sim/virtual_clock.hpp"

namespace velkor::sim {

// One reply of a scripted step.
struct EcuReply {
  HexMessage bytes;
  // Idle time before the first byte, in seconds: counted from the end of the request for the
  // first reply of a step, from the end of the previous reply for the others. Negative: the
  // ECU's P2.
  double delay = -1;
  // Gap between the bytes of this reply, in seconds. Negative: the ECU's P1.
  double p1 = -1;
};

// What the ECU expects next and how it answers. Faults are plain data: a late reply is a delay
// beyond the tester's time-out, a stray byte is an extra leading byte, a truncated or over-long
// reply is just those bytes, a negative response is its frame (FrameKwp("7F2112", "F110")).
struct EcuStep {
  // The exact bytes of the request; empty accepts any request.
  HexMessage request;
  // Sent in order; none means silence.
  std::vector<EcuReply> replies;

  static EcuStep Reply(HexMessage request, HexMessage reply, double delay = -1);
  static EcuStep Silence(HexMessage request = {});
  // Another reply after this step's last one.
  EcuStep& Then(HexMessage reply, double delay = -1, double p1 = -1);
};

// ScriptedEcu: an ECU model for tests, on the bus at its baud (10400 by default). It decodes the
// line with its own UartReceiver (never hearing itself) and answers each complete request with
// the next step of its script, after P2 (25 ms by default) at its byte rate with P1 between
// bytes (0 by default). A request is complete when: it is a KWP frame (format byte 0x80..0xBF)
// and the length in the format byte plus header and checksum have arrived (format 0x80: the
// length byte after the header); or it is not a KWP frame and it equals the head step's
// expected bytes; or the line stays idle for the idle gap (10 ms by default, longer than the
// tester's 6 ms between bytes). A request that does not match the head step is logged, counted
// as a mismatch and ignored (silence); the step stays. So is a KWP frame cut short by the idle
// gap. Bytes can also be sent unprompted at a given time.
//   ScriptedEcu ecu(clock, bus);
//   ecu.Expect("8210F12130D4", "84F1106130000016");
//   ecu.Add(EcuStep::Silence());  // then ignores whatever comes next
class ScriptedEcu {
 public:
  struct Request {
    Nanos start;  // start bit of the first byte
    Nanos end;    // end of the last byte
    HexMessage bytes;
    bool matched;
  };

  ScriptedEcu(VirtualClock& clock, KLineBus& bus, int baud = 10400);
  ScriptedEcu(const ScriptedEcu&) = delete;
  ScriptedEcu& operator=(const ScriptedEcu&) = delete;

  void SetBaud(int baud);
  int Baud() const { return tx_.Baud(); }
  void SetP2(double seconds) { p2_ = seconds; }
  void SetP1(double seconds) { p1_ = seconds; }
  void SetIdleGap(double seconds) { idle_gap_ = Seconds(seconds); }

  ScriptedEcu& Add(EcuStep step);
  ScriptedEcu& Expect(HexMessage request, HexMessage reply, double delay = -1) {
    return Add(EcuStep::Reply(std::move(request), std::move(reply), delay));
  }
  // Puts bytes on the line at time `at`, whatever was asked.
  void SendAt(Nanos at, const HexMessage& bytes, double p1 = -1);

  const std::vector<Request>& Requests() const { return requests_; }
  int Mismatches() const { return mismatches_; }
  std::size_t StepsLeft() const { return steps_.size(); }
  // Every byte the ECU put on the line, with times.
  const std::vector<UartTransmitter::Frame>& Sent() const { return tx_.Sent(); }
  int FramingErrors() const { return rx_.FramingErrors(); }

 private:
  void OnByte(std::uint8_t byte, Nanos start);
  bool KwpFrameComplete(bool& is_kwp) const;
  void Complete(bool complete_frame);
  void SendReply(std::shared_ptr<const std::vector<EcuReply>> replies, std::size_t index,
                 Nanos from);

  VirtualClock& clock_;
  UartTransmitter tx_;
  UartReceiver rx_;
  double p2_ = 0.025;
  double p1_ = 0.0;
  Nanos idle_gap_ = std::chrono::milliseconds(10);
  std::deque<EcuStep> steps_;
  std::vector<std::uint8_t> buffer_;
  Nanos request_start_{0};
  Nanos last_byte_end_{0};
  EventId idle_event_ = 0;
  std::vector<Request> requests_;
  int mismatches_ = 0;
  ScopedEvents events_;  // last: cancelled before anything they use goes away
};

}  // namespace velkor::sim
