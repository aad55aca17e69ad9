#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "sim/family_ecus.hpp"
#include "sim/kline_bus.hpp"
#include "sim/uart.hpp"
#include "sim/virtual_clock.hpp"

namespace velkor::sim {

// The ways a sleeping ECU can be woken.
enum class WakeUp {
  kFastInit,      // a low pulse of about 25 ms then about 25 ms high, after an idle line
  kFiveBaud,      // its address at 5 baud, then 55 + key bytes and the tester's confirmation
  kIgnitionKeys,  // at ignition on it sends key bytes and waits for the tester's answer pattern
};

// What a WakeUpEcu accepts and how it times its side of the wake-ups. The defaults are those of
// the KWP ECUs at address 0x10 and of the 15M/16M key-byte announcement.
struct WakeUpSettings {
  bool accept_fast_init = false;
  bool accept_five_baud = false;
  bool accept_ignition_keys = false;
  bool ignition = true;  // ignition state at construction

  // A pattern only starts on a falling edge after the line has been idle (high) this long.
  Nanos idle_before = std::chrono::milliseconds(300);
  // Fast init tolerance: the tester's break lengths vary by a few milliseconds around 25 ms
  // (and a 0xF0 byte at 200 baud or 0x00 at 360 baud both give 25 ms low), so the low pulse is
  // taken from 20 to 30 ms inclusive and must be followed by at least 20 ms of high line.
  Nanos fast_low_min = std::chrono::milliseconds(20);
  Nanos fast_low_max = std::chrono::milliseconds(30);
  Nanos fast_high_min = std::chrono::milliseconds(20);

  // Five-baud: the address listened for, the key bytes sent after 0x55, and the ECU's waits:
  // from the end of the address's stop bit to 0x55, between its bytes, and from the tester's
  // confirmation to the inverted address. The confirmation (the second key byte inverted) must
  // end within `confirm_window` of the last key byte; a tester gives its message loop turns in
  // between, so this is looser than the 50 ms a strict ECU would allow.
  std::uint8_t address = 0x10;
  std::uint8_t key1 = 0x08;
  std::uint8_t key2 = 0x08;
  Nanos w1 = std::chrono::milliseconds(60);
  Nanos w2 = std::chrono::milliseconds(10);
  Nanos w4 = std::chrono::milliseconds(30);
  Nanos confirm_window = std::chrono::milliseconds(200);

  // Ignition key bytes: sent at `key_baud` `key_delay` after the ignition comes on; the tester
  // must answer with `key_answer` (same baud) within `key_answer_window` of their end.
  std::vector<std::uint8_t> key_bytes = {0x55, 0xB0, 0x80, 0x80, 0x80, 0x85};
  std::vector<std::uint8_t> key_answer = {0x0F, 0xAA, 0xCC};
  int key_baud = 1200;
  Nanos key_delay = std::chrono::milliseconds(200);
  Nanos key_answer_window = std::chrono::seconds(3);

  // A session opened by fast init or five-baud is dropped after this long without a request
  // from the tester or a reply (P3max); zero: never. Key-byte sessions never time out.
  Nanos session_timeout = std::chrono::seconds(5);
};

// A KWP ECU woken by fast init or five-baud at 0x10 (any of the two).
WakeUpSettings KwpWakeUps();
// A 15M/16M ECU woken only by its ignition key bytes.
WakeUpSettings IgnitionKeyWakeUp();

// WakeUpEcu: a family model (family_ecus.hpp) kept asleep, hearing and saying nothing, until a
// correct wake-up is seen on the K-line; then the model answers as usual. The wake-ups are
// recognised from the line levels alone, however the tester produced them (a break, a slow
// byte, bit-banged levels). A wake-up that is not accepted by the settings is ignored; one seen
// while awake changes nothing. With the ignition off the ECU is asleep and deaf.
//   auto ecu = WakeUpEcu(clock, bus, std::make_unique<KwpEngineEcu>(clock, bus, engine),
//                        KwpWakeUps());
//   ... tester: break 25 ms, release, send 81 ...  -> ecu.Awake(), the model answers C1 EF 8F
class WakeUpEcu {
 public:
  struct Record {
    Nanos time;
    WakeUp how;
  };

  WakeUpEcu(VirtualClock& clock, KLineBus& bus, std::unique_ptr<EcuModel> model,
            WakeUpSettings settings);
  ~WakeUpEcu();
  WakeUpEcu(const WakeUpEcu&) = delete;
  WakeUpEcu& operator=(const WakeUpEcu&) = delete;

  EcuModel& Model() { return *model_; }
  bool Awake() const { return awake_; }
  // Every wake-up that opened a session, in order.
  const std::vector<Record>& WakeUps() const { return wake_ups_; }
  // Sessions closed by the P3max time-out.
  int SessionsDropped() const { return sessions_dropped_; }
  // Bytes the ECU itself sent while waking (0x55, key bytes, inverted address), with times.
  const std::vector<UartTransmitter::Frame>& HandshakeSent() const { return tx_.Sent(); }

  // The scripted ignition key. Off: the session ends and any wake-up in progress is dropped.
  // Off to on: the ECU powers up asleep and, if it accepts key bytes, announces itself.
  void SetIgnition(bool on);
  bool Ignition() const { return ignition_; }

 private:
  enum class Handshake { kNone, kSending, kAwaitConfirm, kAwaitKeyAnswer };

  void OnLineChange(Nanos from);
  void Scan();
  void Candidate(Nanos fall);
  void CheckFastLow(Nanos fall);
  void CheckFastHigh(Nanos rise);
  void DecodeFiveBaud(Nanos fall);
  void SendKeyBytes();
  void OnHandshakeByte(std::uint8_t byte);
  void AbortHandshake();
  bool Listening() const;
  void Wake(WakeUp how);
  void Sleep();
  void WatchSession();

  VirtualClock& clock_;
  KLineBus& bus_;
  std::unique_ptr<EcuModel> model_;
  WakeUpSettings settings_;
  UartTransmitter tx_;
  UartReceiver rx_;
  bool ignition_;
  bool awake_ = false;
  Handshake handshake_ = Handshake::kNone;
  std::size_t answer_index_ = 0;
  std::vector<Record> wake_ups_;
  int sessions_dropped_ = 0;
  int subscription_ = 0;

  Nanos scanned_until_;
  std::optional<LineLevel> last_transition_;
  Nanos last_rise_;
  EventId scan_event_ = 0;
  Nanos scan_at_{0};
  Nanos awake_since_{0};
  EventId session_event_ = 0;
  EventId deadline_event_ = 0;

  ScopedEvents detector_events_;   // pattern checks, cancelled at ignition off
  ScopedEvents handshake_events_;  // the ECU's side of a wake-up in progress
  ScopedEvents events_;            // scans and the session watch; last: cancelled first
};

}  // namespace velkor::sim
