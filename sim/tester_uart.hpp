#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "link/kline_port.hpp"
#include "sim/kline_bus.hpp"
#include "sim/uart.hpp"
#include "sim/virtual_clock.hpp"

namespace velkor::sim {

// TesterUart: the tester's K-line cable on the bench. Written bytes are queued and sent back to
// back at the current baud; the receiver decodes the LINE at the same baud, so every written
// byte comes back as its echo once its stop bit is over (10 bit times after it started, about
// 0.96 ms at 10400 baud), followed by whatever the ECU puts on the line. A break pulls the line
// low through a driver of its own until released (Configure releases it too, as the cable's
// line set-up does). A received frame with a low stop bit (a break, a wrong speed) is a framing
// error: counted and dropped, never queued. Configure and SetSpeed are announced on the bus's
// speed log as "tester". Unplug() makes every call fail and nothing move, like a cable pulled out.
//   TesterUart uart(clock, bus);
//   uart.Configure(10400);
//   uart.WriteByte(0x81); clock.Pause(0.001);  // uart.Read(1) now gives the echo 0x81
class TesterUart : public KLinePort {
 public:
  TesterUart(VirtualClock& clock, KLineBus& bus, int baud = 10400);

  bool Configure(int baud) override;
  bool SetSpeed(int baud) override;
  bool SetBreak(bool on) override;
  std::size_t BytesWaiting() override;
  std::vector<std::uint8_t> Read(std::size_t max_bytes) override;
  bool WriteByte(std::uint8_t byte) override;
  void Purge() override;

  int Baud() const override { return baud_; }
  bool BreakOn() const { return break_on_; }
  // Every byte written, with the time it started and ended on the wire.
  const std::vector<UartTransmitter::Frame>& Written() const { return tx_.Sent(); }
  void ClearWritten() { tx_.ClearSent(); }
  int FramingErrors() const { return rx_.FramingErrors(); }
  int RejectedFrames() const { return rx_.RejectedFrames(); }
  int ConfigureCount() const { return configure_count_; }

  // Pulled out (false) or plugged back in (true).
  void Unplug(bool unplugged = true) { unplugged_ = unplugged; }

 private:
  VirtualClock& clock_;
  KLineBus& bus_;
  int baud_;
  KLineBus::DriverId break_driver_;
  UartTransmitter tx_;
  UartReceiver rx_;
  std::deque<std::uint8_t> received_;
  bool break_on_ = false;
  bool unplugged_ = false;
  int configure_count_ = 0;
};

}  // namespace velkor::sim
