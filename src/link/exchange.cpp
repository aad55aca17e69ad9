#include "link/exchange.hpp"

#include <algorithm>

#include "link/frame.hpp"
#include "link/nack.hpp"

namespace velkor {

namespace {
// The ELM327 ends every answer with this prompt.
constexpr char kElmPrompt = '>';
// The start-communication service, as it appears inside its frame.
constexpr std::string_view kStartCommunicationMark = "F181";
}  // namespace

Exchange::Exchange(LinkState& state, Clock& clock, EventLoop& loop, Timer& reply_timer,
                   TraceLog& trace)
    : state_(state), clock_(clock), loop_(loop), reply_timer_(reply_timer), trace_(trace) {
  reply_timer_.SetOnTick([this] { state_.ReplyTimeout = true; });
}

HexMessage Exchange::SendReceive(const HexMessage& request, const HexMessage& canned, int expected,
                                 int timeout_ms) {
  if (state_.ExchangeBusy) return {};
  state_.ExchangeBusy = true;
  // A timer with no interval never ticks: a zero time-out would wait for ever.
  timeout_ms = std::max(timeout_ms, 1);
  expected = std::max(expected, 0);

  if (state_.interface_kind == InterfaceKind::kElm327) {
    std::string text = ElmExchange(request, timeout_ms);
    state_.ExchangeBusy = false;
    return text;
  }

  const HexMessage frame = BuildFrame(request, state_.EcuType, state_.RequestHeader);
  HexMessage answer;
  HexMessage raw;
  if (state_.TestMode) {
    if (restore_pointer_) restore_pointer_();
    answer = canned;
    clock_.Pause(kTestModeDelay);
  } else {
    answer = KLineExchange(frame, expected, timeout_ms, raw);
  }

  state_.SetLamp(answer.empty() ? kLampRed : kLampGreen);
  if (InStr(frame, kStartCommunicationMark) != 0) trace_.WriteTrace(" ");
  if (InStr(raw, state_.ReplyHeader + "7F") != 0) DecodeNack(raw, state_.ReplyHeader, trace_);

  state_.ExchangeBusy = false;
  return answer;
}

std::string Exchange::ElmExchange(const std::string& command, int timeout_ms) {
  // The adapter answers in text, so test mode has no meaning on this link.
  state_.TestMode = false;
  state_.ReplyTimeout = false;
  if (elm_ != nullptr) {
    elm_->ReadAll();
    elm_->Write(command + "\r\n");
  }
  reply_timer_.SetInterval(timeout_ms);
  reply_timer_.Start();
  std::string text;
  do {
    loop_.GiveTurn();
    if (elm_ != nullptr) text += elm_->ReadAll();
  } while (text.find(kElmPrompt) == std::string::npos && !state_.ReplyTimeout);
  reply_timer_.Stop();
  return text;
}

HexMessage Exchange::KLineExchange(const HexMessage& frame, int expected, int timeout_ms,
                                   HexMessage& raw) {
  // Whatever is left over from an earlier exchange (late or surplus bytes) is not ours.
  if (kline_ != nullptr) {
    while (const std::size_t waiting = kline_->BytesWaiting()) {
      if (kline_->Read(waiting).empty()) break;
    }
  }
  // Every byte, the first included, follows at least 6 ms of idle line. A write returns as
  // soon as the byte is handed to the cable, which then needs one byte time (10 bits) to send
  // it: that time is added to the gap after each byte, or the idle line would be a millisecond
  // short at 10400 baud.
  const double byte_time = kline_ != nullptr && kline_->Baud() > 0 ? 10.0 / kline_->Baud() : 0.0;
  bool first = true;
  for (std::uint8_t byte : HexToBytes(frame)) {
    clock_.Pause(first ? kInterByteGap : kInterByteGap + byte_time);
    first = false;
    if (kline_ != nullptr) kline_->WriteByte(byte);
  }
  if (keep_alive_ != nullptr && keep_alive_->IsRunning()) {
    keep_alive_->Stop();
    keep_alive_->Start();
  }

  // The interface echoes every byte it sends, so the echo of the frame precedes the reply.
  const std::size_t frame_bytes = ByteLength(frame);
  const std::size_t wanted = frame_bytes + static_cast<std::size_t>(expected);
  state_.ReplyTimeout = false;
  reply_timer_.SetInterval(timeout_ms);
  reply_timer_.Start();
  std::size_t waiting = 0;
  do {
    waiting = kline_ != nullptr ? kline_->BytesWaiting() : 0;
    loop_.GiveTurn();
  } while (waiting < wanted && !state_.ReplyTimeout);

  std::vector<std::uint8_t> bytes;
  if (kline_ != nullptr && waiting > 0) bytes = kline_->Read(waiting);
  reply_timer_.Stop();
  raw = BytesToHex(bytes);
  // Surplus bytes are dropped here; any that arrive later are drained by the next exchange.
  return Mid(raw, 2 * frame_bytes + 1, 2 * static_cast<std::size_t>(expected));
}

}  // namespace velkor
