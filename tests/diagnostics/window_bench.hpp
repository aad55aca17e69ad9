// The bench the diagnostic windows' logic runs on in these tests: the tester's cable and one
// scripted ECU on a K-line at the family's speed, the exchange, the trace (its plain lines kept),
// a language with optional texts, scripted dialogs and a counting beeper, all in virtual time.
#pragma once

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/language.hpp"
#include "core/ctime_it.hpp"
#include "core/trace_log.hpp"
#include "diagnostics/diagnostics_services.hpp"
#include "link/exchange.hpp"
#include "link/link_state.hpp"
#include "sim/kline_bus.hpp"
#include "sim/scripted_dialogs.hpp"
#include "sim/scripted_ecu.hpp"
#include "sim/tester_uart.hpp"
#include "sim/virtual_clock.hpp"
#include "sim/virtual_event_loop.hpp"

namespace velkor::diag_bench {

// The byte protocol of the 15M/16M/15RC runs at 7812 baud, KWP at 10400.
inline constexpr int kByteProtocolBaud = 7812;
inline constexpr int kKwpBaud = 10400;

class CountingBeeper : public Beeper {
 public:
  void Beep() override { ++beeps; }
  int beeps = 0;
};

// One language file, "Francais", holding `texts`; without texts there is no file at all.
class OneLanguageFile : public TextCatalogLoader {
 public:
  class Catalog : public TextCatalog {
   public:
    explicit Catalog(std::map<int, std::string> texts) : texts_(std::move(texts)) {}
    std::optional<std::string> GetResourceString(int id) const override {
      const auto it = texts_.find(id);
      return it == texts_.end() ? std::nullopt : std::optional<std::string>(it->second);
    }

   private:
    std::map<int, std::string> texts_;
  };

  CatalogLoadResult Load(std::string_view) override {
    CatalogLoadResult result;
    if (!texts.empty()) {
      result.status = CatalogLoadResult::Status::kLoaded;
      result.catalog = std::make_unique<Catalog>(texts);
    }
    return result;
  }
  std::vector<std::string> ListLanguageFiles() const override { return {}; }

  std::map<int, std::string> texts;
};

class WindowBench {
 public:
  WindowBench(int ecu_type, int baud) : ecu_(clock_, bus_, baud) {
    static int count = 0;
    trace_path_ = std::filesystem::path(::testing::TempDir()) /
                  ("diagnostics_bench_" + std::to_string(++count) + ".log");
    watch_.Start();
    EXPECT_TRUE(trace_.Open(trace_path_));
    trace_.SetSink(&trace_lines_);
    link_.EcuType = ecu_type;
    uart_.Configure(baud);
    exchange_.SetKLinePort(&uart_);
  }
  ~WindowBench() {
    trace_.Close();
    std::filesystem::remove(trace_path_);
  }
  WindowBench(const WindowBench&) = delete;
  WindowBench& operator=(const WindowBench&) = delete;

  DiagnosticsServices Services() {
    return {exchange_, link_, clock_, loop_, trace_, language_, dialogs_, beeper_};
  }

  // Loads the language file holding `texts`.
  void UseTexts(std::map<int, std::string> texts) {
    loader_.texts = std::move(texts);
    language_.LoadLanguage();
  }

  // Every byte the tester wrote, as two hex digits each.
  std::vector<std::string> WrittenBytes() const {
    std::vector<std::string> bytes;
    for (const auto& frame : uart_.Written()) bytes.push_back(ByteToHex(frame.byte));
    return bytes;
  }
  const std::vector<std::string>& TraceLines() const { return trace_lines_.Lines(); }
  bool Traced(const std::string& line) const {
    const auto& lines = trace_lines_.Lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }

  sim::VirtualClock clock_;
  sim::VirtualEventLoop loop_{clock_};
  sim::VirtualTimerService timers_{clock_};
  sim::KLineBus bus_{clock_};
  sim::TesterUart uart_{clock_, bus_};
  sim::ScriptedEcu ecu_;
  std::unique_ptr<Timer> reply_timer_ = timers_.CreateTimer();
  CTimeIt watch_{clock_};
  TraceLog trace_{watch_};
  TraceList trace_lines_;
  std::filesystem::path trace_path_;
  LinkState link_;
  Exchange exchange_{link_, clock_, loop_, *reply_timer_, trace_};
  sim::ScriptedDialogs dialogs_;
  OneLanguageFile loader_;
  Language language_{loader_};
  CountingBeeper beeper_;
};

}  // namespace velkor::diag_bench
