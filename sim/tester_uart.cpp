#include "sim/tester_uart.hpp"

#include <algorithm>

namespace velkor::sim {

TesterUart::TesterUart(VirtualClock& clock, KLineBus& bus, int baud)
    : clock_(clock),
      bus_(bus),
      baud_(baud),
      break_driver_(bus.AddDriver("tester break")),
      tx_(clock, bus, bus.AddDriver("tester"), baud),
      rx_(clock, bus, baud) {
  rx_.SetOnByte([this](std::uint8_t byte, Nanos) {
    if (!unplugged_) received_.push_back(byte);
  });
}

bool TesterUart::Configure(int baud) {
  if (unplugged_ || baud <= 0) return false;
  ++configure_count_;
  received_.clear();
  tx_.Purge();
  SetBreak(false);
  baud_ = baud;
  tx_.SetBaud(baud);
  rx_.SetBaud(baud);
  bus_.RecordSpeed("tester", baud, true);
  return true;
}

bool TesterUart::SetSpeed(int baud) {
  if (unplugged_ || baud <= 0) return false;
  baud_ = baud;
  tx_.SetBaud(baud);
  rx_.SetBaud(baud);
  bus_.RecordSpeed("tester", baud, false);
  return true;
}

bool TesterUart::SetBreak(bool on) {
  if (unplugged_) return false;
  break_on_ = on;
  bus_.Drive(break_driver_, !on, clock_.Now());
  return true;
}

std::size_t TesterUart::BytesWaiting() { return unplugged_ ? 0 : received_.size(); }

std::vector<std::uint8_t> TesterUart::Read(std::size_t max_bytes) {
  if (unplugged_) return {};
  const std::size_t n = std::min(max_bytes, received_.size());
  std::vector<std::uint8_t> bytes(received_.begin(), received_.begin() + n);
  received_.erase(received_.begin(), received_.begin() + n);
  return bytes;
}

bool TesterUart::WriteByte(std::uint8_t byte) {
  if (unplugged_) return false;
  tx_.Send(byte);
  return true;
}

void TesterUart::Purge() {
  received_.clear();
  tx_.Purge();
}

}  // namespace velkor::sim
