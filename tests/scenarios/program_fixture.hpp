// The program's logic as both front ends build it (ProgramLogic), on the bench in virtual time:
// a fixture that starts it on a bench cable or adapter and keeps the bench parts, so that what
// went on the line can be read after the program has let go of them.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config/settings_keys.hpp"
#include "livedata/frmparam.hpp"
#include "platform/real_file_system.hpp"
#include "session/program_logic.hpp"
#include "sim/engine_model.hpp"
#include "sim/family_ecus.hpp"
#include "sim/kline_bus.hpp"
#include "sim/scripted_dialogs.hpp"
#include "sim/tester_uart.hpp"
#include "sim/virtual_clock.hpp"
#include "sim/virtual_event_loop.hpp"
#include "sim/wakeup_ecu.hpp"

namespace velkor::scenario {

namespace fp = frmparam;
using sim::Nanos;

class Host : public MainWindowHost {
 public:
  InterfaceChoice RunInterfaceWindow() override { return std::move(choice); }
  void ShowWindow() override {}
  void PlaceWindow(int, int) override {}
  WindowPosition CurrentPosition() const override { return {}; }
  InterfaceChoice choice;
};

class QuietBeeper : public Beeper {
 public:
  void Beep() override {}
};

// Scripted answers; `during_question` runs while a question is on screen (the user closes the
// program instead of answering, say).
class Dialogs : public sim::ScriptedDialogs {
 public:
  bool AskOkCancel(const std::string& text, const std::string& title, Icon icon) override {
    if (during_question) during_question();
    return sim::ScriptedDialogs::AskOkCancel(text, title, icon);
  }
  std::function<void()> during_question;
};

// The adapter's port as the program holds it, in front of a model the test keeps: every write
// is noted with its time, and the model outlives the program's hold on the port.
class NotedPort : public SerialPort {
 public:
  NotedPort(sim::VirtualClock& clock, SerialPort& port, std::vector<Nanos>& writes)
      : clock_(clock), port_(port), writes_(writes) {}
  bool Open(const std::string& name, const std::string& settings) override {
    return port_.Open(name, settings);
  }
  void Close() override { port_.Close(); }
  bool IsOpen() const override { return port_.IsOpen(); }
  std::size_t BytesWaiting() override { return port_.BytesWaiting(); }
  std::string ReadAll() override { return port_.ReadAll(); }
  bool Write(std::string_view data) override {
    writes_.push_back(clock_.Now());
    return port_.Write(data);
  }

 private:
  sim::VirtualClock& clock_;
  SerialPort& port_;
  std::vector<Nanos>& writes_;
};

// The cable as the program holds it, in front of a bench cable the test keeps, so that what went
// on the line can be read after the program has let go of its cable.
class HeldCable : public KLinePort {
 public:
  HeldCable(sim::TesterUart& uart, bool& released) : uart_(uart), released_(released) {}
  ~HeldCable() override { released_ = true; }
  bool Configure(int baud) override { return uart_.Configure(baud); }
  bool SetSpeed(int baud) override { return uart_.SetSpeed(baud); }
  int Baud() const override { return uart_.Baud(); }
  bool SetBreak(bool on) override { return uart_.SetBreak(on); }
  std::size_t BytesWaiting() override { return uart_.BytesWaiting(); }
  std::vector<std::uint8_t> Read(std::size_t max_bytes) override { return uart_.Read(max_bytes); }
  bool WriteByte(std::uint8_t byte) override { return uart_.WriteByte(byte); }
  void Purge() override { uart_.Purge(); }

 private:
  sim::TesterUart& uart_;
  bool& released_;
};

class ProgramTest : public ::testing::Test {
 protected:
  static std::filesystem::path FreshHome() {
    const auto home =
        std::filesystem::path(::testing::TempDir()) /
        (std::string("program_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home);
    return home;
  }
  ProgramTest() {
    exchange_.SetKeepAliveTimer(keep_alive_.get());
    bus_.SetHistoryHorizon(std::chrono::minutes(2));
  }
  ~ProgramTest() override {
    logic_.reset();
    trace_.Close();
    std::filesystem::remove_all(home_);
  }

  void WriteIni(const std::string& text) { std::ofstream(EcuIniPath(home_)) << text; }

  // The program started on `kind` with whatever the test put in host_.choice.
  void Start(InterfaceKind kind, bool test_mode = false) {
    host_.choice.kind = kind;
    if (host_.choice.device.empty()) host_.choice.device = "/dev/ttyUSB0";
    link_.TestMode = test_mode;
    logic_ = std::make_unique<ProgramLogic>(ProgramServices{
        .front = FrontEnd{.window = model_,
                          .host = host_,
                          .dialogs = dialogs_,
                          .beeper = beeper_,
                          .version_suffix = " - 1.2.3",
                          .acquire_single_instance = nullptr,
                          .open_document = nullptr},
        .ini = ini_,
        .files = files_,
        .clock = clock_,
        .loop = loop_,
        .trace = trace_,
        .stopwatch = stopwatch_,
        .language = language_,
        .link = link_,
        .exchange = exchange_,
        .keep_alive = *keep_alive_,
        .progress = *tempo_,
        .timers = timers_,
        .home = home_,
    });
    ASSERT_TRUE(logic_->window.StartUp());
    trace_.SetSink(&trace_lines_);
  }
  // A K-line cable of the bench.
  sim::TesterUart& Cable() {
    uart_ = std::make_unique<sim::TesterUart>(clock_, bus_);
    cable_released_ = false;
    host_.choice.kline = std::make_unique<HeldCable>(*uart_, cable_released_);
    return *uart_;
  }
  // An awake-on-fast-init M59 behind the cable.
  sim::WakeUpEcu& M59() {
    ecu_ = std::make_unique<sim::WakeUpEcu>(
        clock_, bus_, std::make_unique<sim::KwpEngineEcu>(clock_, bus_, engine_),
        sim::KwpWakeUps());
    return *ecu_;
  }
  int Requests(const std::string& payload) const {
    const auto& requests = ecu_->Model().Requests();
    return static_cast<int>(std::count_if(requests.begin(), requests.end(),
                                          [&](const auto& r) { return r.key == payload; }));
  }
  // The window closes as the user closes it: Quit, then the unload.
  void CloseAt(Nanos at) {
    loop_.At(at, [this] {
      closed_at_ = clock_.Now();
      logic_->window.Quit();
      logic_->window.Unload();
    });
  }
  // Bytes the tester put on the line from `from` on.
  int WrittenSince(Nanos from) const {
    const auto& frames = uart_->Written();
    return static_cast<int>(std::count_if(frames.begin(), frames.end(),
                                          [&](const auto& f) { return f.start >= from; }));
  }
  // Runs F3 for `iterations` passes; the number of passes made.
  int Measure(int iterations) {
    int passes = 0;
    logic_->hooks.SetOnSample([&](const LiveSample&) {
      if (++passes >= iterations) logic_->window.flags().StopRequest = true;
    });
    logic_->window.PressParameters();
    logic_->hooks.SetOnSample({});
    return passes;
  }
  void ExpectUsable() {
    EXPECT_FALSE(logic_->session.Leased());
    EXPECT_TRUE(logic_->window.flags().MeasureAllowed);
    EXPECT_EQ(model_.Value(fp::MousePointer), 0);
    EXPECT_TRUE(model_.Enabled(fp::cdparametre));
    EXPECT_TRUE(model_.Enabled(fp::mnparam));
    EXPECT_EQ(Measure(3), 3);  // F3 works afterwards
  }

  std::filesystem::path home_ = FreshHome();
  RealFileSystem files_;
  IniStore ini_{EcuIniPath(home_), files_};
  sim::VirtualClock clock_;
  sim::VirtualEventLoop loop_{clock_};
  sim::VirtualTimerService timers_{clock_};
  sim::KLineBus bus_{clock_};
  sim::EngineModel engine_;
  std::unique_ptr<Timer> reply_timer_ = timers_.CreateTimer();
  std::unique_ptr<Timer> keep_alive_ = timers_.CreateTimer();
  std::unique_ptr<Timer> tempo_ = timers_.CreateTimer();
  CTimeIt stopwatch_{clock_};
  TraceLog trace_{stopwatch_};
  TraceList trace_lines_;
  LinkState link_;
  Exchange exchange_{link_, clock_, loop_, *reply_timer_, trace_};
  Dialogs dialogs_;
  sim::NoLanguageFiles loader_;
  Language language_{loader_};
  QuietBeeper beeper_;
  ScreenModel model_;
  Host host_;
  std::unique_ptr<sim::TesterUart> uart_;
  bool cable_released_ = false;
  std::unique_ptr<sim::WakeUpEcu> ecu_;
  std::unique_ptr<ProgramLogic> logic_;
  Nanos closed_at_{};
};

}  // namespace velkor::scenario
