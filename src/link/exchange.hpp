#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/clock.hpp"
#include "core/event_loop.hpp"
#include "core/hex_message.hpp"
#include "core/trace_log.hpp"
#include "link/kline_port.hpp"
#include "link/link_state.hpp"
#include "link/serial_port.hpp"

namespace velkor {

// The one request/response exchange through which everything talks to the ECU.
class Exchange {
 public:
  // Gap of idle line before every byte written to a K-line.
  static constexpr double kInterByteGap = 0.006;
  // How long test mode takes to give its canned answer.
  static constexpr double kTestModeDelay = 0.15;
  // After a KWP ECU's first "response pending" (7F <service> 78) the wait for the real answer
  // lasts at least this long from that frame (ISO 14230's extended P2 limit), whatever the
  // caller's time-out; later pending frames do not extend it again, so an ECU that keeps
  // saying "pending" cannot hold the single-threaded program for ever.
  static constexpr int kResponsePendingWaitMs = 5000;

  // reply_timer is the exchange's own timer (its tick raises ReplyTimeout); the exchange owns
  // its interval and its tick handler.
  Exchange(LinkState& state, Clock& clock, EventLoop& loop, Timer& reply_timer, TraceLog& trace);

  // The open K-line (FTDI or serial cable) or the ELM327 port; either may be absent, which
  // behaves as a silent ECU.
  void SetKLinePort(KLinePort* port) { kline_ = port; }
  void SetElmPort(SerialPort* port) { elm_ = port; }
  // The keep-alive timer: restarted by every K-line exchange so that tester present only
  // follows silence.
  void SetKeepAliveTimer(Timer* timer) { keep_alive_ = timer; }
  // Restores the default mouse pointer (test mode does so before answering).
  void SetRestorePointer(std::function<void()> restore) { restore_pointer_ = std::move(restore); }

  // request: data bytes for families 4 and 5, raw bytes otherwise, command text over an ELM327;
  // empty means listen only. canned: the answer in test mode. expected: reply bytes after the
  // echo. timeout_ms: counted from the end of the transmission.
  // Returns at most 2 x expected characters; over an ELM327 the adapter's raw text up to its
  // prompt; "" at once when another exchange is running. For families 4 and 5 a "response
  // pending" frame is traced and skipped: the answer is what follows it (see
  // kResponsePendingWaitMs), and "" when the real answer does not come.
  // The link lamp turns red after an exchange without an answer: nothing received, or over an
  // ELM327 nothing but the echo, progress lines and the adapter's failure texts ("NO DATA",
  // "?", "STOPPED", "UNABLE TO CONNECT", "...ERROR"). An adapter's port that has gone answers
  // "" at once.
  HexMessage SendReceive(const HexMessage& request, const HexMessage& canned, int expected,
                         int timeout_ms);

  // The same for a reply whose length only its frame tells (a list of stored codes, one record
  // per code): on a K-line the wait for a KWP family's reply ends as soon as its whole frame has
  // come after the echo (its format byte, or its length byte beyond 63 data bytes, gives its
  // size), or max_bytes have come, or the time-out runs out. A response-pending frame does not
  // end it. The answer holds at most max_bytes bytes. Over an ELM327 and in test mode it is
  // SendReceive.
  HexMessage SendReceiveFrame(const HexMessage& request, const HexMessage& canned, int max_bytes,
                              int timeout_ms);

 private:
  HexMessage Run(const HexMessage& request, const HexMessage& canned, int expected, int timeout_ms,
                 bool whole_frame);
  std::string ElmExchange(const std::string& command, int timeout_ms);
  // Lets `seconds` pass in slices, giving the message loop a turn after each.
  void WaitGivingTurns(double seconds);
  // service: the request's service for a KWP family (whose ECU may answer "response pending"
  // first), none otherwise. raw: everything received from the reply proper on (the echo and any
  // pending frames before it included only when there were none).
  // whole_frame: the wait may end before `expected` bytes, once a whole frame has come.
  HexMessage KLineExchange(const HexMessage& frame, std::optional<int> service, int expected,
                           int timeout_ms, bool whole_frame, HexMessage& raw);
  // Drops the whole response-pending frames to `service` that start at reply_from (stray bytes
  // before them included), tracing each; true when it dropped any.
  bool SkipResponsePending(const std::vector<std::uint8_t>& bytes, int service,
                           std::size_t& reply_from);
  // Makes the running reply wait last kResponsePendingWaitMs from now unless the caller's own
  // time-out, counted from wait_start, ends later.
  void ExtendForPendingResponse(std::chrono::nanoseconds wait_start, int timeout_ms);

  LinkState& state_;
  Clock& clock_;
  EventLoop& loop_;
  Timer& reply_timer_;
  TraceLog& trace_;
  KLinePort* kline_ = nullptr;
  SerialPort* elm_ = nullptr;
  Timer* keep_alive_ = nullptr;
  std::function<void()> restore_pointer_;
};

}  // namespace velkor
