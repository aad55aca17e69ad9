#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "sim/kline_bus.hpp"
#include "sim/virtual_clock.hpp"

namespace velkor::sim {

// UartTransmitter: puts bytes on the K-line through one bus driver at its baud, 8N1: start bit
// low, 8 data bits LSB first, stop bit high, 10 bit times per frame. Queued bytes go out back to
// back, or with the idle gap given per byte (counted from the end of the previous frame; a
// transmitter idle for longer starts at once). A frame is recorded on the bus whole when it
// starts; a speed change applies from the next frame. Runs on device events.
//   UartTransmitter tx(clock, bus, bus.AddDriver("ecu"), 10400);
//   tx.Send({0x83, 0xF1, 0x10}, std::chrono::milliseconds(1));  // 1 ms between bytes
class UartTransmitter {
 public:
  // A frame as it went on the wire.
  struct Frame {
    std::uint8_t byte;
    Nanos start;
    Nanos end;  // end of the stop bit
  };

  UartTransmitter(VirtualClock& clock, KLineBus& bus, KLineBus::DriverId driver, int baud);
  ~UartTransmitter();
  UartTransmitter(const UartTransmitter&) = delete;
  UartTransmitter& operator=(const UartTransmitter&) = delete;

  void SetBaud(int baud) { baud_ = baud; }
  int Baud() const { return baud_; }
  KLineBus::DriverId Driver() const { return driver_; }

  // Queues one byte, started `gap` after the end of the previous frame.
  void Send(std::uint8_t byte, Nanos gap = Nanos{0});
  // Queues bytes with `gap` before each (the first included); on_done runs when the last
  // frame has ended.
  void Send(const std::vector<std::uint8_t>& bytes, Nanos gap = Nanos{0},
            std::function<void()> on_done = {});
  // Drops the bytes not yet started; the frame on the wire finishes.
  void Purge();
  // A frame on the wire or bytes waiting.
  bool Busy() const { return in_frame_ || !queue_.empty(); }
  std::size_t Queued() const { return queue_.size(); }

  // Every frame sent, in order.
  const std::vector<Frame>& Sent() const { return sent_; }
  void ClearSent() { sent_.clear(); }
  // Told when a frame starts.
  void SetOnFrameStart(std::function<void(const Frame&)> on_start) {
    on_start_ = std::move(on_start);
  }

 private:
  struct Item {
    std::uint8_t byte;
    Nanos gap;
    std::function<void()> on_done;
  };

  void Pump();

  VirtualClock& clock_;
  KLineBus& bus_;
  KLineBus::DriverId driver_;
  int baud_;
  std::deque<Item> queue_;
  bool in_frame_ = false;
  std::optional<Nanos> last_end_;
  EventId start_event_ = 0;
  EventId end_event_ = 0;
  std::vector<Frame> sent_;
  std::function<void(const Frame&)> on_start_;
};

// UartReceiver: decodes bytes from the K-line levels at its own baud, the way a UART does: a
// falling edge of the idle line starts a frame, each bit is read in its middle, the byte is
// delivered when the stop bit's time is over (10 bit times after the start edge). A frame is
// taken only if the line holds steady over the middle half of every bit (from 1/4 to 3/4 of
// it); a change inside that window means the sender's bit timing does not match (a different
// baud) or noise, and the frame is dropped as rejected. That accepts a sender within about
// +-2.5 % of our baud and rejects most bytes from farther off (a byte whose last bits do not
// change, like 0xFF, carries no timing and may still pass). A steady frame whose stop bit is low
// (a break, or a slower sender) is a framing error: counted and dropped, never delivered.
// After any frame the receiver looks for the next start edge from the middle of the stop bit
// on, so a break gives one framing error however long it lasts. Frames started by the
// receiver's own driver (IgnoreOwnFrames) are skipped: an ECU does not hear its own reply.
//   UartReceiver rx(clock, bus, 10400);
//   rx.SetOnByte([&](std::uint8_t b, Nanos start) { got.push_back(b); });
class UartReceiver {
 public:
  UartReceiver(VirtualClock& clock, KLineBus& bus, int baud);
  ~UartReceiver();
  UartReceiver(const UartReceiver&) = delete;
  UartReceiver& operator=(const UartReceiver&) = delete;

  // New speed: a frame not yet complete is abandoned, the next start edge is looked for from
  // now on.
  void SetBaud(int baud);
  int Baud() const { return baud_; }
  void IgnoreOwnFrames(KLineBus::DriverId own) { own_ = own; }

  void SetOnByte(std::function<void(std::uint8_t byte, Nanos start)> on_byte) {
    on_byte_ = std::move(on_byte);
  }
  void SetOnFramingError(std::function<void(Nanos start)> on_error) {
    on_framing_error_ = std::move(on_error);
  }

  int FramingErrors() const { return framing_errors_; }
  // Frames dropped for bit timing that does not match our baud (or noise).
  int RejectedFrames() const { return rejected_frames_; }

 private:
  void OnBusChange(Nanos from);
  void Arm();
  void Decode(Nanos edge);

  VirtualClock& clock_;
  KLineBus& bus_;
  int baud_;
  int subscription_ = 0;
  std::optional<KLineBus::DriverId> own_;
  Nanos search_from_;
  std::optional<Nanos> pending_edge_;
  EventId decode_event_ = 0;
  int framing_errors_ = 0;
  int rejected_frames_ = 0;
  std::function<void(std::uint8_t, Nanos)> on_byte_;
  std::function<void(Nanos)> on_framing_error_;
};

}  // namespace velkor::sim
