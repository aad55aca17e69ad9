#include "link/exchange.hpp"

#include <algorithm>
#include <chrono>
#include <optional>

#include "core/ecu_family.hpp"
#include "link/frame.hpp"
#include "link/kwp_reply.hpp"
#include "link/nack.hpp"

namespace velkor {

namespace {
// The ELM327 ends every answer with this prompt.
constexpr char kElmPrompt = '>';
// The start-communication service, as it appears inside its frame.
constexpr std::string_view kStartCommunicationMark = "F181";
// Negative response code: the ECU has the request and needs more time to answer it.
constexpr int kResponsePending = 0x78;

// The longest the reply wait sleeps on the cable between two turns of the message loop.
constexpr std::chrono::microseconds kReplyWaitSlice{5000};

// Lines in which the adapter says that the ECU gave nothing, or that it could not ask at all.
// Every "...ERROR" line (CAN ERROR, BUS ERROR, BUS INIT: ...ERROR, <DATA ERROR, FB ERROR) and
// every numbered internal error (ERR94) counts as well.
constexpr std::string_view kElmFailures[] = {
    "NO DATA",  "?",           "STOPPED",  "UNABLE TO CONNECT",
    "BUS BUSY", "BUFFER FULL", "LV RESET", "ACT ALERT",
};

// One line of an adapter's answer without the blanks and the prompt around it.
std::string_view ElmLine(std::string_view line) {
  constexpr std::string_view kAround = " \t>";
  const std::size_t first = line.find_first_not_of(kAround);
  if (first == std::string_view::npos) return {};
  return line.substr(first, line.find_last_not_of(kAround) - first + 1);
}

bool IsElmFailure(std::string_view line) {
  if (line.find("ERROR") != std::string_view::npos || line.starts_with("ERR")) return true;
  return std::find(std::begin(kElmFailures), std::end(kElmFailures), line) !=
         std::end(kElmFailures);
}

// True when the adapter's answer to `command` holds something from the ECU or the adapter
// itself: a line that is neither the echo of the command, nor a progress line (SEARCHING...,
// BUS INIT: ...OK), nor a failure. As on a K-line, an answer cut short is still an answer (the
// caller finds whether its data are whole); only an answer with nothing in it is a miss.
bool ElmAnswered(std::string_view text, std::string_view command) {
  const std::string_view echo = ElmLine(command);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = ElmLine(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line == echo || IsElmFailure(line)) continue;
    if (line.starts_with("SEARCHING") || line.starts_with("BUS INIT")) continue;
    return true;
  }
  return false;
}

// True when the first refusal to `service` from byte `from` on (format byte, reply header, 7F,
// the service, maybe its code) has not all arrived. It may be a response-pending frame, which
// is longer than some replies (a routine's answer is 6 bytes, the pending frame 7): counting
// its bytes as the answer would end the wait half-way through it.
bool RefusalUnderway(const std::vector<std::uint8_t>& bytes, std::size_t from,
                     std::string_view reply_header, int service) {
  const std::vector<std::uint8_t> header = HexToBytes(reply_header);
  if (header.size() != 2) return false;
  for (std::size_t at = from; at + 4 <= bytes.size(); ++at) {
    const std::size_t length = bytes[at] & 0x3F;
    if ((bytes[at] & 0xC0) != 0x80 || length < 3) continue;
    if (bytes[at + 1] != header[0] || bytes[at + 2] != header[1] || bytes[at + 3] != 0x7F) continue;
    if (at + 4 < bytes.size() && bytes[at + 4] != service) continue;
    return at + length + 4 > bytes.size();  // its checksum byte is still to come
  }
  return false;
}
// True when the reply to `service` stands whole in bytes from `from` on: the reply reader found
// its frame (byte-aligned, from reply_header) and its checksum, so its end is known. A frame
// that has not all come yet is not whole.
bool WholeReplyArrived(const std::vector<std::uint8_t>& bytes, std::size_t from,
                       std::string_view reply_header, int service) {
  if (from >= bytes.size()) return false;
  const HexMessage rest = BytesToHex(
      std::vector<std::uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.end()));
  return ReadKwpReply(rest, reply_header, {.service = service}).whole_length > 0;
}
}  // namespace

Exchange::Exchange(LinkState& state, Clock& clock, EventLoop& loop, Timer& reply_timer,
                   TraceLog& trace)
    : state_(state), clock_(clock), loop_(loop), reply_timer_(reply_timer), trace_(trace) {
  reply_timer_.SetOnTick([this] { state_.ReplyTimeout = true; });
}

HexMessage Exchange::SendReceive(const HexMessage& request, const HexMessage& canned, int expected,
                                 int timeout_ms) {
  return Run(request, canned, expected, timeout_ms, /*whole_frame=*/false);
}

HexMessage Exchange::SendReceiveFrame(const HexMessage& request, const HexMessage& canned,
                                      int max_bytes, int timeout_ms) {
  return Run(request, canned, max_bytes, timeout_ms, /*whole_frame=*/true);
}

HexMessage Exchange::Run(const HexMessage& request, const HexMessage& canned, int expected,
                         int timeout_ms, bool whole_frame) {
  if (state_.ExchangeBusy || state_.Closing) return {};
  state_.ExchangeBusy = true;
  // A timer with no interval never ticks: a zero time-out would wait for ever.
  timeout_ms = std::max(timeout_ms, 1);
  expected = std::max(expected, 0);

  if (state_.interface_kind == InterfaceKind::kElm327) {
    std::string text = ElmExchange(request, timeout_ms);
    // An answer without data is a miss as silence on a K-line is.
    state_.SetLamp(ElmAnswered(text, request) ? kLampGreen : kLampRed);
    state_.ExchangeBusy = false;
    return text;
  }

  const HexMessage frame = BuildFrame(request, state_.EcuType, state_.RequestHeader);
  HexMessage answer;
  HexMessage raw;
  if (state_.TestMode) {
    if (restore_pointer_) restore_pointer_();
    answer = canned;
    WaitGivingTurns(kTestModeDelay);
  } else {
    // Only a KWP ECU says "response pending", and only to a request it was sent.
    std::optional<int> service;
    if (IsKwpFamily(state_.EcuType) && !frame.empty()) service = HexToByte(request);
    answer = KLineExchange(frame, service, expected, timeout_ms, whole_frame, raw);
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
  // A port that has gone (an adapter unplugged, its Bluetooth link lost) answers nothing, and
  // there is nothing to wait for.
  if (elm_ == nullptr || !elm_->IsOpen()) return {};
  elm_->ReadAll();
  // One CR ends a command: an adapter stops a request at any further character and repeats
  // its last command on a lone CR.
  if (!elm_->Write(command + "\r")) return {};
  reply_timer_.SetInterval(timeout_ms);
  reply_timer_.Start();
  std::string text;
  do {
    loop_.GiveTurn();
    if (elm_ != nullptr) {
      const std::string got = elm_->ReadAll();
      if (got.empty()) elm_->WaitReadable(kReplyWaitSlice);
      text += got;
    }
  } while (text.find(kElmPrompt) == std::string::npos && !state_.ReplyTimeout && elm_ != nullptr &&
           elm_->IsOpen());
  reply_timer_.Stop();
  return text;
}

void Exchange::WaitGivingTurns(double seconds) {
  // The message loop gets a turn at least every slice, as during a real exchange, so that keys
  // and timers are served while the demo ECU "answers".
  constexpr std::chrono::nanoseconds kSlice = std::chrono::milliseconds(10);
  const std::chrono::nanoseconds until =
      clock_.Now() +
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::duration<double>(seconds));
  for (;;) {
    const std::chrono::nanoseconds left = until - clock_.Now();
    if (left.count() <= 0) break;
    clock_.Pause(std::chrono::duration<double>(std::min(left, kSlice)).count());
    if (clock_.Now() >= until) break;  // the wait ends with its last slice, not a turn later
    loop_.GiveTurn();
  }
}

HexMessage Exchange::KLineExchange(const HexMessage& frame, std::optional<int> service,
                                   int expected, int timeout_ms, bool whole_frame,
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
  // Bytes are read as they come so that a response-pending frame can be told from the reply:
  // each one is traced and dropped, and the count of expected bytes starts again after it.
  const std::size_t frame_bytes = ByteLength(frame);
  std::size_t reply_from = frame_bytes;  // bytes received before the reply proper
  const std::size_t wanted = static_cast<std::size_t>(expected);
  state_.ReplyTimeout = false;
  reply_timer_.SetInterval(timeout_ms);
  reply_timer_.Start();
  const std::chrono::nanoseconds wait_start = clock_.Now();
  bool pending_seen = false;
  std::vector<std::uint8_t> bytes;
  std::chrono::nanoseconds last_turn = wait_start;
  do {
    const std::size_t waiting = kline_ != nullptr ? kline_->BytesWaiting() : 0;
    if (waiting > 0) {
      const std::vector<std::uint8_t> got = kline_->Read(waiting);
      bytes.insert(bytes.end(), got.begin(), got.end());
      if (service && SkipResponsePending(bytes, *service, reply_from) && !pending_seen) {
        pending_seen = true;
        ExtendForPendingResponse(wait_start, timeout_ms);
      }
    } else if (kline_ != nullptr) {
      // Sleep until the next byte rather than poll for it, and read it as soon as it comes:
      // the last byte of a reply ends the wait at once. The message loop still gets a turn at
      // least every slice.
      kline_->WaitReadable(kReplyWaitSlice);
      if (kline_->BytesWaiting() > 0 && clock_.Now() - last_turn < kReplyWaitSlice) continue;
    }
    loop_.GiveTurn();
    last_turn = clock_.Now();
  } while (((bytes.size() < reply_from + wanted &&
             !(whole_frame && service &&
               WholeReplyArrived(bytes, reply_from, state_.ReplyHeader, *service))) ||
            (service && RefusalUnderway(bytes, reply_from, state_.ReplyHeader, *service))) &&
           !state_.ReplyTimeout);
  reply_timer_.Stop();

  const HexMessage received = BytesToHex(bytes);
  // A refusal is looked for from the reply proper on: the pending frames were traced already.
  raw = reply_from == frame_bytes ? received : Mid(received, 2 * reply_from + 1);
  // Surplus bytes are dropped here; any that arrive later are drained by the next exchange.
  return Mid(received, 2 * reply_from + 1, 2 * wanted);
}

bool Exchange::SkipResponsePending(const std::vector<std::uint8_t>& bytes, int service,
                                   std::size_t& reply_from) {
  bool skipped = false;
  while (reply_from < bytes.size()) {
    const HexMessage rest = BytesToHex(std::vector<std::uint8_t>(
        bytes.begin() + static_cast<std::ptrdiff_t>(reply_from), bytes.end()));
    const KwpReply reply = ReadKwpReply(rest, state_.ReplyHeader, {.service = service});
    // Only a whole frame counts: its checksum has been checked and its end is known.
    if (!reply.Negative() || reply.code != kResponsePending || reply.whole_length == 0) break;
    DecodeNack(Mid(rest, reply.position, reply.whole_length), state_.ReplyHeader, trace_);
    reply_from += (reply.position - 1 + reply.whole_length) / 2;
    skipped = true;
  }
  return skipped;
}

void Exchange::ExtendForPendingResponse(std::chrono::nanoseconds wait_start, int timeout_ms) {
  using std::chrono::milliseconds;
  const auto elapsed = std::chrono::duration_cast<milliseconds>(clock_.Now() - wait_start);
  const milliseconds left = milliseconds(timeout_ms) - elapsed;
  if (left >= milliseconds(kResponsePendingWaitMs)) return;
  state_.ReplyTimeout = false;
  reply_timer_.Stop();
  reply_timer_.SetInterval(kResponsePendingWaitMs);
  reply_timer_.Start();
}

}  // namespace velkor
