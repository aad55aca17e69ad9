#include "sim/wakeup_ecu.hpp"

#include <algorithm>
#include <utility>

namespace velkor::sim {

namespace {

using std::chrono::milliseconds;

// Five-baud bit time.
constexpr Nanos kFiveBaudBit = milliseconds(200);
// Far enough ahead to see every level a driver has recorded in advance.
constexpr Nanos kLookAhead = std::chrono::hours(1);
// The model starts listening just after the last frame of a handshake, so that it does not take
// the tail of the handshake for the start of a request.
constexpr Nanos kSettle = milliseconds(1);

}  // namespace

WakeUpSettings KwpWakeUps() {
  WakeUpSettings settings;
  settings.accept_fast_init = true;
  settings.accept_five_baud = true;
  return settings;
}

WakeUpSettings IgnitionKeyWakeUp() {
  WakeUpSettings settings;
  settings.accept_ignition_keys = true;
  settings.session_timeout = Nanos{0};
  return settings;
}

WakeUpEcu::WakeUpEcu(VirtualClock& clock, KLineBus& bus, std::unique_ptr<EcuModel> model,
                     WakeUpSettings settings)
    : clock_(clock),
      bus_(bus),
      model_(std::move(model)),
      settings_(std::move(settings)),
      tx_(clock, bus, bus.AddDriver("ecu wake-up"), model_->Baud()),
      rx_(clock, bus, model_->Baud()),
      ignition_(settings_.ignition),
      scanned_until_(clock.Now()),
      // The line counts as idle for as long as it has been high before we were plugged in.
      last_rise_(clock.Now() - kLookAhead),
      detector_events_(clock),
      handshake_events_(clock),
      events_(clock) {
  model_->SetIgnition(false);
  rx_.IgnoreOwnFrames(tx_.Driver());
  rx_.SetOnByte([this](std::uint8_t byte, Nanos) { OnHandshakeByte(byte); });
  subscription_ = bus_.Subscribe([this](Nanos from) { OnLineChange(from); });
  OnLineChange(clock.Now());
}

WakeUpEcu::~WakeUpEcu() { bus_.Unsubscribe(subscription_); }

void WakeUpEcu::SetIgnition(bool on) {
  if (on == ignition_) return;
  ignition_ = on;
  if (!on) {
    detector_events_.CancelAll();
    AbortHandshake();
    Sleep();
    return;
  }
  if (settings_.accept_ignition_keys) {
    handshake_ = Handshake::kSending;
    handshake_events_.After(settings_.key_delay, EventKind::kDevice, [this] { SendKeyBytes(); });
  }
}

// The line is examined in time order up to now, whenever a driver records new levels and at
// every level change already recorded ahead, so a pattern is judged only once it has happened.
void WakeUpEcu::OnLineChange(Nanos from) {
  const Nanos at = std::max(from, clock_.Now());
  if (clock_.IsPending(scan_event_)) {
    if (scan_at_ <= at) return;
    clock_.Cancel(scan_event_);
  }
  scan_at_ = at;
  scan_event_ = events_.At(at, EventKind::kDevice, [this] { Scan(); });
}

void WakeUpEcu::Scan() {
  const Nanos now = clock_.Now();
  // From just before the last scan: a level recorded for that very instant after it ran must
  // not be missed; the one transition seen twice that way is skipped.
  for (const LineLevel& level : bus_.LineTransitions(scanned_until_ - Nanos{1}, now)) {
    if (last_transition_ && level == *last_transition_) continue;
    last_transition_ = level;
    if (level.high) {
      last_rise_ = level.time;
    } else if (level.time - last_rise_ >= settings_.idle_before) {
      Candidate(level.time);
    }
  }
  scanned_until_ = now;
  const auto ahead = bus_.LineTransitions(now, now + kLookAhead);
  if (!ahead.empty()) OnLineChange(ahead.front().time);
}

bool WakeUpEcu::Listening() const { return ignition_ && !awake_ && handshake_ == Handshake::kNone; }

void WakeUpEcu::Candidate(Nanos fall) {
  if (!Listening()) return;
  if (settings_.accept_fast_init) {
    // Just after the longest low: a release at that very instant must have been recorded.
    detector_events_.At(fall + settings_.fast_low_max + Nanos{1}, EventKind::kDevice,
                        [this, fall] { CheckFastLow(fall); });
  }
  if (settings_.accept_five_baud) {
    detector_events_.At(fall + 10 * kFiveBaudBit, EventKind::kDevice,
                        [this, fall] { DecodeFiveBaud(fall); });
  }
}

void WakeUpEcu::CheckFastLow(Nanos fall) {
  if (!Listening()) return;
  for (const LineLevel& level : bus_.LineTransitions(fall, fall + settings_.fast_low_max)) {
    if (!level.high) continue;
    const Nanos low = level.time - fall;
    if (low < settings_.fast_low_min) return;
    const Nanos rise = level.time;
    detector_events_.At(rise + settings_.fast_high_min, EventKind::kDevice,
                        [this, rise] { CheckFastHigh(rise); });
    return;
  }
}

void WakeUpEcu::CheckFastHigh(Nanos rise) {
  if (!Listening()) return;
  // The request may start right at the end of the minimum high time.
  if (!bus_.LineTransitions(rise, rise + settings_.fast_high_min - Nanos{1}).empty()) return;
  Wake(WakeUp::kFastInit);
}

// Read like a UART at 5 baud: each bit must hold its level over the middle half of its time.
void WakeUpEcu::DecodeFiveBaud(Nanos fall) {
  if (!Listening()) return;
  int byte = 0;
  for (int bit = 0; bit < 10; ++bit) {
    const Nanos from = fall + bit * kFiveBaudBit + kFiveBaudBit / 4;
    const Nanos to = fall + bit * kFiveBaudBit + kFiveBaudBit * 3 / 4;
    if (!bus_.LineTransitions(from, to).empty()) return;
    const bool high = bus_.LevelAt(from);
    if (bit == 0 && high) return;
    if (bit == 9 && !high) return;
    if (bit >= 1 && bit <= 8 && high) byte |= 1 << (bit - 1);
  }
  if (byte != settings_.address) return;
  handshake_ = Handshake::kSending;
  tx_.SetBaud(model_->Baud());
  rx_.SetBaud(model_->Baud());
  handshake_events_.After(settings_.w1, EventKind::kDevice, [this] {
    tx_.Send({0x55, settings_.key1, settings_.key2}, settings_.w2, [this] {
      handshake_ = Handshake::kAwaitConfirm;
      deadline_event_ = handshake_events_.After(settings_.confirm_window, EventKind::kDevice,
                                                [this] { AbortHandshake(); });
    });
  });
}

void WakeUpEcu::SendKeyBytes() {
  tx_.SetBaud(settings_.key_baud);
  rx_.SetBaud(settings_.key_baud);
  tx_.Send(settings_.key_bytes, milliseconds(1), [this] {
    handshake_ = Handshake::kAwaitKeyAnswer;
    answer_index_ = 0;
    deadline_event_ = handshake_events_.After(settings_.key_answer_window, EventKind::kDevice,
                                              [this] { AbortHandshake(); });
  });
}

void WakeUpEcu::OnHandshakeByte(std::uint8_t byte) {
  if (handshake_ == Handshake::kAwaitConfirm) {
    clock_.Cancel(deadline_event_);
    if (byte != static_cast<std::uint8_t>(0xFF - settings_.key2)) {
      AbortHandshake();
      return;
    }
    handshake_ = Handshake::kSending;
    handshake_events_.After(settings_.w4, EventKind::kDevice, [this] {
      tx_.Send(static_cast<std::uint8_t>(0xFF - settings_.address));
      handshake_events_.At(clock_.Now() + FrameTime(tx_.Baud()) + kSettle, EventKind::kDevice,
                           [this] { Wake(WakeUp::kFiveBaud); });
    });
  } else if (handshake_ == Handshake::kAwaitKeyAnswer) {
    if (answer_index_ >= settings_.key_answer.size() ||
        byte != settings_.key_answer[answer_index_]) {
      AbortHandshake();
      return;
    }
    if (++answer_index_ == settings_.key_answer.size()) Wake(WakeUp::kIgnitionKeys);
  }
}

void WakeUpEcu::AbortHandshake() {
  handshake_events_.CancelAll();
  deadline_event_ = 0;
  tx_.Purge();
  handshake_ = Handshake::kNone;
}

void WakeUpEcu::Wake(WakeUp how) {
  handshake_events_.CancelAll();
  deadline_event_ = 0;
  handshake_ = Handshake::kNone;
  awake_ = true;
  awake_since_ = clock_.Now();
  wake_ups_.push_back({awake_since_, how});
  model_->SetIgnition(true);
  if (how != WakeUp::kIgnitionKeys && settings_.session_timeout > Nanos{0}) {
    session_event_ = events_.At(awake_since_ + settings_.session_timeout, EventKind::kDevice,
                                [this] { WatchSession(); });
  }
}

void WakeUpEcu::Sleep() {
  clock_.Cancel(session_event_);
  session_event_ = 0;
  awake_ = false;
  model_->SetIgnition(false);
}

// P3max counts from the later of the last request heard and the last byte the ECU sent.
void WakeUpEcu::WatchSession() {
  Nanos last = awake_since_;
  if (!model_->Requests().empty()) last = std::max(last, model_->Requests().back().end);
  if (!model_->Sent().empty()) last = std::max(last, model_->Sent().back().end);
  if (clock_.Now() - last >= settings_.session_timeout) {
    ++sessions_dropped_;
    Sleep();
    return;
  }
  session_event_ =
      events_.At(last + settings_.session_timeout, EventKind::kDevice, [this] { WatchSession(); });
}

}  // namespace velkor::sim
