// Feeds arbitrary adapter answers to both session starts through a text-command adapter: each
// line the program sends gets the next chunk of the input (chunks are cut at NUL bytes) as its
// answer, followed by the prompt or, for an empty chunk, by nothing at all (a time-out).
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "config/settings.hpp"
#include "core/ctime_it.hpp"
#include "core/screen_model.hpp"
#include "core/trace_log.hpp"
#include "link/exchange.hpp"
#include "link/link_state.hpp"
#include "session/elm_init.hpp"

using namespace velkor;

namespace {

using Nanos = std::chrono::nanoseconds;

class StepClock : public Clock {
 public:
  Nanos Now() const override { return now; }
  void Pause(double seconds) override {
    if (seconds > 0) now += Nanos(static_cast<std::int64_t>(seconds * 1e9));
  }
  Nanos now{0};
};

class StepTimer : public Timer {
 public:
  explicit StepTimer(StepClock& clock) : clock_(clock) {}
  void SetInterval(int milliseconds) override {
    interval_ = milliseconds;
    if (running_) Start();
  }
  int Interval() const override { return interval_; }
  void Start() override {
    running_ = interval_ > 0;
    due_ = clock_.now + std::chrono::milliseconds(interval_);
  }
  void Stop() override { running_ = false; }
  bool IsRunning() const override { return running_; }
  void Turn() {
    if (running_ && clock_.now >= due_) {
      due_ = clock_.now + std::chrono::milliseconds(interval_);
      Tick();
    }
  }

 private:
  StepClock& clock_;
  int interval_ = 0;
  bool running_ = false;
  Nanos due_{0};
};

// Each turn lasts a millisecond; the reply timer ticks when its time has come.
class StepLoop : public EventLoop {
 public:
  StepLoop(StepClock& clock, StepTimer& timer) : clock_(clock), timer_(timer) {}
  void GiveTurn() override {
    clock_.now += std::chrono::milliseconds(1);
    timer_.Turn();
  }

 private:
  StepClock& clock_;
  StepTimer& timer_;
};

class FuzzAdapter : public SerialPort {
 public:
  explicit FuzzAdapter(std::string_view input) {
    std::size_t start = 0;
    while (start <= input.size() && answers_.size() < 64) {
      const std::size_t end = std::min(input.find('\0', start), input.size());
      answers_.emplace_back(input.substr(start, end - start));
      start = end + 1;
    }
  }
  bool Open(const std::string&, const std::string&) override { return open_ = true; }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  std::size_t BytesWaiting() override { return pending_.size(); }
  std::string ReadAll() override { return std::exchange(pending_, {}); }
  bool Write(std::string_view data) override {
    if (data.find('\r') == std::string_view::npos) return true;
    if (next_ < answers_.size()) {
      const std::string& answer = answers_[next_++];
      if (!answer.empty()) pending_ += answer + "\r\r>";
    }
    return true;
  }

 private:
  std::vector<std::string> answers_;
  std::size_t next_ = 0;
  std::string pending_;
  bool open_ = true;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  for (bool eobd : {false, true}) {
    StepClock clock;
    StepTimer reply_timer(clock);
    StepLoop loop(clock, reply_timer);
    CTimeIt watch(clock);
    TraceLog trace(watch);
    LinkState link;
    link.interface_kind = InterfaceKind::kElm327;
    link.EcuType = eobd ? 5 : 4;
    Exchange exchange(link, clock, loop, reply_timer, trace);
    FuzzAdapter adapter(input);
    exchange.SetElmPort(&adapter);
    ScreenModel screen;
    MeasureSwitches measures;
    ElmInitContext context{exchange, link, clock, trace, screen, measures, &adapter};
    (void)(eobd ? InitComELMEobd(context) : InitComELM(context));
    // Whatever came back, the name shown is printable text of at most the record's 11 bytes.
    const std::string name = screen.Text("lbPanel5");
    if (name.size() > 11) std::abort();
    for (char c : name) {
      if (static_cast<unsigned char>(c) < 0x20) std::abort();
    }
  }
  return 0;
}
