#include "session/five_baud.hpp"

#include "core/hex_message.hpp"

namespace velkor {

namespace {
// In test mode the exchange gives this instead of listening: no 55 in it, so nothing is sent.
constexpr const char* kCannedKeyBytes = "0000EF8F";
constexpr int kKeyAnswerBytes = 3;
constexpr int kKeyAnswerTimeoutMs = 600;
constexpr double kIdleBefore = 0.4;
constexpr double kBeforeConfirmation = 0.032;
constexpr double kAfterConfirmation = 0.1;
}  // namespace

void PatternTimer::Until(double seconds) {
  const auto deadline = start_ + std::chrono::duration_cast<std::chrono::nanoseconds>(
                                     std::chrono::duration<double>(seconds));
  const auto remaining = deadline - clock_.Now();
  if (remaining.count() > 0) clock_.Pause(std::chrono::duration<double>(remaining).count());
}

void Baud5Set(KLinePort* port, Clock& clock, float bit_time, std::uint16_t address) {
  const auto set_line = [port](bool high) {
    if (port != nullptr) port->SetBreak(!high);
  };
  PatternTimer timer(clock);
  const double bit = bit_time;
  int bits_done = 1;  // the start bit
  set_line(false);
  timer.Until(bit);
  int index = 0;
  while (index < 8) {
    const bool high = ((address >> index) & 1) != 0;
    int run = 1;
    while (index + run < 8 && (((address >> (index + run)) & 1) != 0) == high) ++run;
    set_line(high);
    bits_done += run;
    timer.Until(bit * bits_done);
    index += run;
  }
  set_line(true);
}

std::optional<std::uint8_t> FiveBaudWakeUp(Exchange& exchange, KLinePort* port, Clock& clock,
                                           TraceLog& trace) {
  clock.Pause(kIdleBefore);
  Baud5Set(port, clock, kFiveBaudBitTime, kKwpEcuAddress);
  const HexMessage answer =
      exchange.SendReceive("", kCannedKeyBytes, kKeyAnswerBytes, kKeyAnswerTimeoutMs);
  trace.WriteTrace("Init 5 baud par bites apres 10 : " + answer, true);

  // 55 is searched as text, not byte by byte; the key bytes are only located after it, never
  // checked against expected values.
  const std::size_t p = InStr(answer, "55");
  if (p == 0 || answer.size() < p + 5) return std::nullopt;
  const int key2 = HexToByte(Mid(answer, p + 4, 2));
  const auto confirmation = static_cast<std::uint8_t>(255 - key2);
  PatternTimer timer(clock);
  timer.Until(kBeforeConfirmation);
  if (port != nullptr) port->WriteByte(confirmation);
  timer.Until(kBeforeConfirmation + kAfterConfirmation);
  return confirmation;
}

}  // namespace velkor
