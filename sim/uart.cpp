#include "sim/uart.hpp"

#include <cmath>

namespace velkor::sim {

UartTransmitter::UartTransmitter(VirtualClock& clock, KLineBus& bus, KLineBus::DriverId driver,
                                 int baud)
    : clock_(clock), bus_(bus), driver_(driver), baud_(baud) {}

UartTransmitter::~UartTransmitter() {
  clock_.Cancel(start_event_);
  clock_.Cancel(end_event_);
  // A party that goes away lets go of the wire.
  bus_.Drive(driver_, true, clock_.Now());
}

void UartTransmitter::Send(std::uint8_t byte, Nanos gap) {
  queue_.push_back(Item{byte, gap, {}});
  Pump();
}

void UartTransmitter::Send(const std::vector<std::uint8_t>& bytes, Nanos gap,
                           std::function<void()> on_done) {
  if (bytes.empty()) {
    if (on_done) on_done();
    return;
  }
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    queue_.push_back(Item{bytes[i], gap, i + 1 == bytes.size() ? std::move(on_done) : nullptr});
  }
  Pump();
}

void UartTransmitter::Purge() {
  queue_.clear();
  clock_.Cancel(start_event_);
  start_event_ = 0;
}

void UartTransmitter::Pump() {
  if (in_frame_ || start_event_ != 0 || queue_.empty()) return;
  const Nanos now = clock_.Now();
  if (last_end_ && *last_end_ + queue_.front().gap > now) {
    start_event_ = clock_.ScheduleAt(*last_end_ + queue_.front().gap, EventKind::kDevice, [this] {
      start_event_ = 0;
      Pump();
    });
    return;
  }
  Item item = std::move(queue_.front());
  queue_.pop_front();

  std::vector<LineLevel> levels;
  levels.push_back(LineLevel{now, false});  // start bit
  for (int bit = 0; bit < 8; ++bit) {
    levels.push_back(LineLevel{now + BitOffset(baud_, bit + 1), ((item.byte >> bit) & 1) != 0});
  }
  levels.push_back(LineLevel{now + BitOffset(baud_, 9), true});  // stop bit
  bus_.DriveSequence(driver_, levels);

  const Frame frame{item.byte, now, now + FrameTime(baud_)};
  sent_.push_back(frame);
  in_frame_ = true;
  last_end_ = frame.end;
  end_event_ =
      clock_.ScheduleAt(frame.end, EventKind::kDevice, [this, on_done = std::move(item.on_done)] {
        end_event_ = 0;
        in_frame_ = false;
        if (on_done) on_done();
        Pump();
      });
  if (on_start_) on_start_(frame);
}

UartReceiver::UartReceiver(VirtualClock& clock, KLineBus& bus, int baud)
    : clock_(clock), bus_(bus), baud_(baud), search_from_(clock.Now()) {
  subscription_ = bus_.Subscribe([this](Nanos from) { OnBusChange(from); });
  Arm();
}

UartReceiver::~UartReceiver() {
  bus_.Unsubscribe(subscription_);
  clock_.Cancel(decode_event_);
}

void UartReceiver::SetBaud(int baud) {
  baud_ = baud > 0 ? baud : 1;
  search_from_ = clock_.Now();
  Arm();
}

void UartReceiver::OnBusChange(Nanos from) {
  // Levels before `from` did not change: a start edge found there still stands.
  if (pending_edge_ && *pending_edge_ < from) return;
  Arm();
}

void UartReceiver::Arm() {
  clock_.Cancel(decode_event_);
  decode_event_ = 0;
  pending_edge_ = bus_.NextFallingEdge(search_from_);
  if (!pending_edge_) return;
  const Nanos edge = *pending_edge_;
  decode_event_ = clock_.ScheduleAt(edge + FrameTime(baud_), EventKind::kDevice,
                                    [this, edge] { Decode(edge); });
}

void UartReceiver::Decode(Nanos edge) {
  decode_event_ = 0;
  pending_edge_.reset();
  const double ns_per_bit = 1e9 / baud_;
  auto at = [&](double bits) { return edge + Nanos{std::llround(bits * ns_per_bit)}; };
  // Wherever this frame ends, a UART hunts for the next start bit from mid stop bit on.
  search_from_ = at(9.5);

  if (own_ && !bus_.DriverLevelAt(*own_, edge)) {
    Arm();
    return;
  }
  for (const LineLevel& change : bus_.LineTransitions(edge, edge + FrameTime(baud_))) {
    const double position = static_cast<double>((change.time - edge).count()) / ns_per_bit;
    const double bit = std::floor(position);
    const double within = position - bit;
    if (bit <= 9 && within > 0.25 && within < 0.75) {
      ++rejected_frames_;
      Arm();
      return;
    }
  }
  if (bus_.LevelAt(at(0.5))) {
    // A spike, not a start bit.
    ++rejected_frames_;
    search_from_ = at(0.5);
    Arm();
    return;
  }
  int byte = 0;
  for (int bit = 0; bit < 8; ++bit) {
    if (bus_.LevelAt(at(1.5 + bit))) byte |= 1 << bit;
  }
  const bool stop_ok = bus_.LevelAt(at(9.5));
  Arm();
  if (!stop_ok) {
    ++framing_errors_;
    if (on_framing_error_) on_framing_error_(edge);
    return;
  }
  if (on_byte_) on_byte_(static_cast<std::uint8_t>(byte), edge);
}

}  // namespace velkor::sim
