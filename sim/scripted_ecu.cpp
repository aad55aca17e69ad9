#include "sim/scripted_ecu.hpp"

#include <algorithm>
#include <cctype>

namespace velkor::sim {

namespace {

HexMessage Upper(HexMessage text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

}  // namespace

EcuStep EcuStep::Reply(HexMessage request, HexMessage reply, double delay) {
  EcuStep step;
  step.request = std::move(request);
  step.replies.push_back(EcuReply{std::move(reply), delay, -1});
  return step;
}

EcuStep EcuStep::Silence(HexMessage request) {
  EcuStep step;
  step.request = std::move(request);
  return step;
}

EcuStep& EcuStep::Then(HexMessage reply, double delay, double p1) {
  replies.push_back(EcuReply{std::move(reply), delay, p1});
  return *this;
}

ScriptedEcu::ScriptedEcu(VirtualClock& clock, KLineBus& bus, int baud)
    : clock_(clock),
      tx_(clock, bus, bus.AddDriver("ecu"), baud),
      rx_(clock, bus, baud),
      events_(clock) {
  rx_.IgnoreOwnFrames(tx_.Driver());
  rx_.SetOnByte([this](std::uint8_t byte, Nanos start) { OnByte(byte, start); });
}

void ScriptedEcu::SetBaud(int baud) {
  tx_.SetBaud(baud);
  rx_.SetBaud(baud);
}

ScriptedEcu& ScriptedEcu::Add(EcuStep step) {
  step.request = Upper(std::move(step.request));
  steps_.push_back(std::move(step));
  return *this;
}

void ScriptedEcu::SendAt(Nanos at, const HexMessage& bytes, double p1) {
  auto replies = std::make_shared<const std::vector<EcuReply>>(
      std::vector<EcuReply>{EcuReply{bytes, 0.0, p1}});
  events_.At(at, EventKind::kDevice, [this, replies] { SendReply(replies, 0, clock_.Now()); });
}

void ScriptedEcu::OnByte(std::uint8_t byte, Nanos start) {
  if (buffer_.empty()) request_start_ = start;
  buffer_.push_back(byte);
  last_byte_end_ = clock_.Now();
  clock_.Cancel(idle_event_);
  idle_event_ = 0;

  bool is_kwp = false;
  const bool kwp_complete = KwpFrameComplete(is_kwp);
  bool complete = kwp_complete;
  if (!is_kwp && !steps_.empty() && !steps_.front().request.empty()) {
    complete = BytesToHex(buffer_) == steps_.front().request;
  }
  if (complete) {
    Complete(true);
    return;
  }
  idle_event_ = events_.After(idle_gap_, EventKind::kDevice, [this] {
    idle_event_ = 0;
    bool kwp = false;
    KwpFrameComplete(kwp);
    // A KWP frame the idle gap cut short is no request at all.
    Complete(!kwp);
  });
}

bool ScriptedEcu::KwpFrameComplete(bool& is_kwp) const {
  is_kwp = !buffer_.empty() && buffer_[0] >= 0x80 && buffer_[0] <= 0xBF;
  if (!is_kwp) return false;
  // Format byte, target, source, [length], data, checksum.
  std::size_t data_length = buffer_[0] & 0x3F;
  std::size_t total = data_length + 4;
  if (data_length == 0) {
    if (buffer_.size() < 4) return false;
    total = static_cast<std::size_t>(buffer_[3]) + 5;
  }
  return buffer_.size() >= total;
}

void ScriptedEcu::Complete(bool complete_frame) {
  clock_.Cancel(idle_event_);
  idle_event_ = 0;
  Request request{request_start_, last_byte_end_, BytesToHex(buffer_), false};
  buffer_.clear();
  if (complete_frame && !steps_.empty() &&
      (steps_.front().request.empty() || steps_.front().request == request.bytes)) {
    request.matched = true;
    auto replies = std::make_shared<const std::vector<EcuReply>>(steps_.front().replies);
    steps_.pop_front();
    requests_.push_back(request);
    SendReply(replies, 0, request.end);
    return;
  }
  ++mismatches_;
  requests_.push_back(request);
}

void ScriptedEcu::SendReply(std::shared_ptr<const std::vector<EcuReply>> replies, std::size_t index,
                            Nanos from) {
  if (index >= replies->size()) return;
  const EcuReply& reply = (*replies)[index];
  const Nanos start = from + Seconds(reply.delay < 0 ? p2_ : reply.delay);
  events_.At(start, EventKind::kDevice, [this, replies, index] {
    const EcuReply& r = (*replies)[index];
    const std::vector<std::uint8_t> bytes = HexToBytes(r.bytes);
    const Nanos p1 = Seconds(r.p1 < 0 ? p1_ : r.p1);
    auto next = [this, replies, index] { SendReply(replies, index + 1, clock_.Now()); };
    if (bytes.empty()) {
      next();
      return;
    }
    // The first byte goes at once: the delay before it was the reply's own.
    if (bytes.size() == 1) {
      tx_.Send(bytes, Nanos{0}, next);
    } else {
      tx_.Send(bytes.front());
      tx_.Send(std::vector<std::uint8_t>(bytes.begin() + 1, bytes.end()), p1, next);
    }
  });
}

}  // namespace velkor::sim
