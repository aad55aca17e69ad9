#include "sim/pty_ecu.hpp"

// termios2 and BOTHER come from the kernel's own headers, which cannot share a translation unit
// with <termios.h>: nothing here may include it.
#include <asm/termbits.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <utility>

#include "core/ecu_family.hpp"
#include "core/hex_message.hpp"
#include "core/number_format.hpp"
#include "sim/elm327_model.hpp"
#include "sim/engine_model.hpp"
#include "sim/family_ecus.hpp"
#include "sim/kline_bus.hpp"
#include "sim/tester_uart.hpp"
#include "sim/virtual_clock.hpp"
#include "sim/wakeup_ecu.hpp"

namespace velkor::sim {

const char* const kPtyEcuUsage =
    "Usage: velkor-ecusim --pty [--model m59|5am|mm16|mm15|15rc|eobd] [--elm327] [--awake]\n"
    "                     [--p2-ms N] [--dtc LIST] [--ident HEX] [--faults LIST]\n"
    "                     [--refuse-clear-running] [--engine stopped|idle|RPM]\n"
    "                     [--immobiliser HH] [--trimmer N] [--battery V] [--log FILE]\n"
    "Serves a simulated ECU on a pseudo-terminal and prints the device to open on its first\n"
    "line. Runs until the port is closed after use, or until interrupted.\n"
    "  --model NAME    the ECU (default m59)\n"
    "  --elm327        an ELM327 adapter at 38400 baud in front of the ECU (m59, 5am, eobd)\n"
    "  --awake         the ECU needs no wake-up (fast init, ignition key bytes)\n"
    "  --p2-ms N       the ECU's delay before a reply, in milliseconds\n"
    "  --dtc LIST      the trouble codes stored, each once, separated by commas (default none)\n"
    "                  m59, 5am: CODE[:STATUS[:COUNTER]], CODE its two bytes in hex (0122,\n"
    "                  D600) or as shown (P0122, U1600), STATUS and COUNTER two hex digits\n"
    "                  each, 00 when left out (present, no cause, lamp off, no cycle count);\n"
    "                  e.g. 0122:24:40,D600:80:01; at most 84 codes\n"
    "                  eobd: codes only, e.g. 0123,0324,0244 or P0130,P0171\n"
    "  --ident HEX     the identification, in hex digits: m59, 5am the 61-byte record after\n"
    "                  5A 80 (122 digits); mm16, mm15, 15rc the bytes at addresses 17 to 28\n"
    "                  (36 digits, 00 or FF for padding)\n"
    "  --faults LIST   mm16, mm15, 15rc: fault rows ROW=BITS[:KIND] separated by commas, ROW\n"
    "                  0-2 present and 4-6 memorised, BITS (answered at 10+ROW) and KIND (at\n"
    "                  2B+ROW) two hex digits each, KIND 00 when left out; e.g. 0=03:01,5=80\n"
    "                  (default no fault)\n"
    "  --refuse-clear-running  m59, 5am: the clearing is refused (7F 14 22) while the engine\n"
    "                  runs, as some ECUs do (default: cleared)\n"
    "  --engine WHAT   stopped: the engine stands still with the ignition on, as the memory\n"
    "                  clearing, the actuator tests and the TPS reset want; idle: it idles,\n"
    "                  blipped now and then (the default); RPM, 100 to 12000: a steady idle\n"
    "                  at that speed\n"
    "  --engine-stopped  the same as --engine stopped\n"
    "  --immobiliser HH  m59, 5am: the immobiliser status byte, two hex digits (default 00)\n"
    "  --trimmer N     the stored idle-mixture trimmer as shown, -127 to 126: m59, 5am the\n"
    "                  value of 21 3D (default 9); mm15, 15rc the byte of address 0F less 128\n"
    "                  (default 1)\n"
    "  --battery V     with --elm327: the battery voltage the adapter reads (ATRV), 0 to 30\n"
    "                  (default 13.8)\n"
    "  --log FILE      every byte with its time in ms: T from the tester, E to it\n"
    "When it ends it prints the actuator log, one line per activation:\n"
    "  actuator: id=HH on_s=T off_s=T|never ended_by=tester|ecu|never\n";

namespace {

using std::chrono::milliseconds;
using SteadyClock = std::chrono::steady_clock;

constexpr int kKLineBaud = 10400;
constexpr int kElmBaud = 38400;
// The 15M/16M start listens for the key bytes at this speed; the user turns the key meanwhile.
constexpr int kKeyListenBaud = 1200;
constexpr Nanos kIgnitionDelay = milliseconds(500);
// A master whose slave is not open yet reports a hang-up at once: check again this often.
constexpr Nanos kOpenPoll = milliseconds(20);
// How long a closed port may stay closed before the run ends: time enough to open it again.
constexpr Nanos kReopenGrace = milliseconds(1000);
constexpr double kMaxP2Seconds = 10;
constexpr double kMaxBatteryVolts = 30;
constexpr double kMinSteadyRpm = 100;
constexpr double kMaxSteadyRpm = 12000;
constexpr int kMinTrimmer = -127;
constexpr int kMaxTrimmer = 126;

struct ModelName {
  std::string_view name;
  int family;
};
constexpr ModelName kModels[] = {{"m59", Iaw59M5AM}, {"5am", Iaw59M5AM}, {"mm16", Iaw16M},
                                 {"mm15", Iaw15M},   {"15rc", Iaw15RC},  {"eobd", Eobd}};

// What the KWP models answer beyond the model's own services: the timing parameters.
HexMessage KwpExtraReply(const HexMessage& payload) {
  if (payload == "8302") return "C3020032021400";  // current values: P2 max 50 ms, P3 max 5 s
  if (Left(payload, 4) == "8303") return "C3";
  return {};
}

// The ECU's name (1A 92), whose "IAW5A" tells the tester the stepper motor is there.
std::string EcuName(std::string_view model) {
  return model == "5am" ? "IAW5AMHW010S" : "IAW59MHW010S";
}

// The family 4 model with the timing parameters.
class TimedKwpEcu : public KwpEngineEcu {
 public:
  using KwpEngineEcu::KwpEngineEcu;

 protected:
  HexMessage Respond(const HexMessage& payload, const EngineState& state) override {
    if (HexMessage extra = KwpExtraReply(payload); !extra.empty()) return extra;
    return KwpEngineEcu::Respond(payload, state);
  }
};

std::string ErrnoText(const std::string& what) { return what + ": " + std::strerror(errno); }

// A number written with a dot, whatever the locale; none for anything else.
std::optional<double> ParseNumber(const std::string& text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<PtyEngineChoice> ParsePtyEngine(std::string_view text) {
  if (text == "stopped") return PtyEngineChoice{true, std::nullopt};
  if (text == "idle") return PtyEngineChoice{false, std::nullopt};
  const std::optional<double> rpm = ParseNumber(std::string(text));
  if (!rpm || *rpm < kMinSteadyRpm || *rpm > kMaxSteadyRpm) return std::nullopt;
  return PtyEngineChoice{false, *rpm};
}

std::string FormatActuatorLine(const ActuatorActivation& activation) {
  using EndedBy = ActuatorActivation::EndedBy;
  const char* ended = activation.ended_by == EndedBy::kTester ? "tester"
                      : activation.ended_by == EndedBy::kEcu  ? "ecu"
                                                              : "never";
  return "actuator: id=" + ByteToHex(activation.id) +
         " on_s=" + FormatNumber(activation.on_s, "0.000") +
         " off_s=" + (activation.off_s ? FormatNumber(*activation.off_s, "0.000") : "never") +
         " ended_by=" + ended;
}

std::optional<int> PtyModelFamily(std::string_view model) {
  for (const ModelName& m : kModels) {
    if (m.name == model) return m.family;
  }
  return std::nullopt;
}

PtyEcuArgs ParsePtyEcuArgs(const std::vector<std::string>& args) {
  PtyEcuArgs result;
  PtyEcuOptions options;
  bool pty = false;
  std::vector<ParsedDtc> dtcs;
  std::optional<std::string> ident;
  bool faults = false;
  auto fail = [&](std::string message) {
    result.options.reset();
    result.error = std::move(message);
    return result;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::optional<std::string> value;
    if (const std::size_t eq = name.find('=');
        name.rfind("--", 0) == 0 && eq != std::string::npos) {
      value = name.substr(eq + 1);
      name.resize(eq);
    }
    const bool takes_value = name == "--model" || name == "--p2-ms" || name == "--log" ||
                             name == "--dtc" || name == "--battery" || name == "--ident" ||
                             name == "--faults" || name == "--engine" || name == "--immobiliser" ||
                             name == "--trimmer";
    if (takes_value && !value) {
      if (i + 1 >= args.size()) return fail(name + " needs a value");
      value = args[++i];
    } else if (!takes_value && value) {
      return fail(name + " takes no value");
    }

    if (name == "--help" || name == "-h") {
      result.help = true;
      return result;
    } else if (name == "--pty") {
      pty = true;
    } else if (name == "--elm327") {
      options.elm327 = true;
    } else if (name == "--awake") {
      options.awake = true;
    } else if (name == "--model") {
      if (!PtyModelFamily(*value)) {
        return fail("unknown model '" + *value + "' (m59, 5am, mm16, mm15, 15rc or eobd)");
      }
      options.model = *value;
    } else if (name == "--p2-ms") {
      const std::optional<double> ms = ParseNumber(*value);
      if (!ms || *ms < 0 || *ms > kMaxP2Seconds * 1000) {
        return fail("--p2-ms needs a number of milliseconds from 0 to 10000, not '" + *value + "'");
      }
      options.p2_seconds = *ms / 1000;
    } else if (name == "--dtc") {
      std::optional<std::vector<ParsedDtc>> codes = ParseDtcRecords(*value);
      if (!codes) {
        return fail(
            "--dtc needs codes such as 0122:24:40,D600 or P0130,P0171 (four hex digits, or P, "
            "C, B or U and four digits; each once, at most 84), not '" +
            *value + "'");
      }
      dtcs = std::move(*codes);
    } else if (name == "--ident") {
      ident = *value;
    } else if (name == "--faults") {
      const std::optional<ByteFaultRows> rows = ParseFaultRows(*value);
      if (!rows) {
        return fail(
            "--faults needs rows such as 0=03:01,5=80 (row 0, 1, 2, 4, 5 or 6 once, then two hex "
            "digits, and maybe ':' and two more), not '" +
            *value + "'");
      }
      options.fault_rows = *rows;
      faults = true;
    } else if (name == "--refuse-clear-running") {
      options.refuse_clear_while_running = true;
    } else if (name == "--engine-stopped") {
      options.engine_stopped = true;
      options.engine_rpm.reset();
    } else if (name == "--engine") {
      const std::optional<PtyEngineChoice> engine = ParsePtyEngine(*value);
      if (!engine) {
        return fail("--engine needs stopped, idle or a speed from 100 to 12000 rpm, not '" +
                    *value + "'");
      }
      options.engine_stopped = engine->stopped;
      options.engine_rpm = engine->rpm;
    } else if (name == "--immobiliser") {
      const auto bytes = ParseHexBytes(*value, 1);
      if (!bytes)
        return fail("--immobiliser needs two hex digits such as 82, not '" + *value + "'");
      options.immobiliser = (*bytes)[0];
    } else if (name == "--trimmer") {
      const std::optional<double> trimmer = ParseNumber(*value);
      if (!trimmer || *trimmer != std::floor(*trimmer) || *trimmer < kMinTrimmer ||
          *trimmer > kMaxTrimmer) {
        return fail("--trimmer needs a whole number from -127 to 126, not '" + *value + "'");
      }
      options.trimmer = static_cast<int>(*trimmer);
    } else if (name == "--battery") {
      const std::optional<double> volts = ParseNumber(*value);
      if (!volts || *volts < 0 || *volts > kMaxBatteryVolts) {
        return fail("--battery needs a voltage from 0 to 30 such as 13.8, not '" + *value + "'");
      }
      options.battery_volts = *volts;
    } else if (name == "--log") {
      if (value->empty()) return fail("--log needs a file name");
      options.log_path = *value;
    } else {
      return fail("unknown argument '" + args[i] + "'");
    }
  }
  if (!pty) return fail("--pty is required: the simulator serves a pseudo-terminal");
  if (options.elm327 && !IsKwpFamily(*PtyModelFamily(options.model))) {
    return fail("--elm327 needs a KWP model (m59, 5am or eobd), not '" + options.model + "'");
  }
  const int family = *PtyModelFamily(options.model);
  const bool byte_model = family == Iaw16M || family == Iaw15M || family == Iaw15RC;
  if (family == Eobd) {
    for (const ParsedDtc& dtc : dtcs) {
      if (dtc.explicit_status) {
        return fail("--dtc for eobd takes codes only: an OBD code has no status or counter here");
      }
      options.stored_codes.push_back(dtc.dtc.code);
    }
  } else if (family == Iaw59M5AM) {
    for (const ParsedDtc& dtc : dtcs) options.kwp_codes.push_back(dtc.dtc);
  } else if (!dtcs.empty()) {
    return fail("--dtc needs a model with trouble codes (m59, 5am or eobd), not '" + options.model +
                "'");
  }
  if (ident) {
    if (family == Iaw59M5AM) {
      const auto bytes = ParseHexBytes(*ident, kKwpIdentificationBytes);
      if (!bytes) {
        return fail("--ident needs the 61-byte record as 122 hex digits for " + options.model +
                    ", not '" + *ident + "'");
      }
      options.kwp_identification.emplace();
      std::copy(bytes->begin(), bytes->end(), options.kwp_identification->begin());
    } else if (byte_model) {
      const auto bytes = ParseHexBytes(*ident, kByteIdentificationBytes);
      if (!bytes) {
        return fail("--ident needs the bytes of addresses 17 to 28 as 36 hex digits for " +
                    options.model + ", not '" + *ident + "'");
      }
      options.byte_identification.emplace();
      std::copy(bytes->begin(), bytes->end(), options.byte_identification->begin());
    } else {
      return fail("--ident needs the model m59, 5am, mm16, mm15 or 15rc, not '" + options.model +
                  "'");
    }
  }
  if (options.refuse_clear_while_running && family != Iaw59M5AM) {
    return fail("--refuse-clear-running needs the model m59 or 5am, not '" + options.model + "'");
  }
  if (faults && !byte_model) {
    return fail("--faults needs a byte model (mm16, mm15 or 15rc), not '" + options.model + "'");
  }
  if (options.immobiliser && family != Iaw59M5AM) {
    return fail("--immobiliser needs the model m59 or 5am, not '" + options.model + "'");
  }
  if (options.trimmer && family != Iaw59M5AM && family != Iaw15M && family != Iaw15RC) {
    return fail("--trimmer needs the model m59, 5am, mm15 or 15rc, not '" + options.model + "'");
  }
  if (options.battery_volts && !options.elm327) {
    return fail("--battery needs --elm327: only the adapter reads the voltage at the socket");
  }
  result.options = std::move(options);
  return result;
}

// ---------------------------------------------------------------------------------------------

class PtyEcu::Impl {
 public:
  explicit Impl(PtyEcuOptions options) : options_(std::move(options)) {
    if (::pipe2(stop_pipe_, O_NONBLOCK | O_CLOEXEC) != 0) stop_pipe_[0] = stop_pipe_[1] = -1;
  }

  ~Impl() {
    // The models go first: they hold events on the clock and drivers on the bus.
    elm_.reset();
    ecu_.reset();
    wake_ecu_.reset();
    uart_.reset();
    if (master_ >= 0) ::close(master_);
    for (int fd : stop_pipe_) {
      if (fd >= 0) ::close(fd);
    }
    if (log_ != nullptr) std::fclose(log_);
  }

  bool Open();
  Exit Run();

  void Stop() {
    if (stop_pipe_[1] < 0) return;
    const char byte = 1;
    [[maybe_unused]] const ssize_t put = ::write(stop_pipe_[1], &byte, 1);
  }

  std::string slave_path_;
  std::string error_;

 private:
  enum class ReadResult { kMore, kDrained, kClosed };

  bool Fail(std::string message) {
    error_ = std::move(message);
    return false;
  }
  Nanos RealNow() const { return SteadyClock::now() - start_; }
  bool OpenPty(int baud);
  void MakeModels();
  // Runs every event up to `until`, handing what each produced to the tester at its time.
  void ServeUntil(Nanos until);
  ReadResult ReadMaster();
  void OnTesterBytes(const std::uint8_t* bytes, std::size_t count, Nanos at);
  void OnStatus(std::uint8_t status);
  void OnTermiosChange();
  void OnSpeed(int baud);
  void CollectOutput();
  void WritePending();
  void Log(Nanos at, char direction, std::uint8_t byte);

  PtyEcuOptions options_;
  int family_ = Iaw59M5AM;
  int master_ = -1;
  int stop_pipe_[2] = {-1, -1};
  std::FILE* log_ = nullptr;
  SteadyClock::time_point start_ = SteadyClock::now();
  bool opened_ = false;                // the tester has had the slave open
  std::optional<Nanos> closed_since_;  // the slave has been closed since then
  int baud_ = 0;                       // the slave's speed as last read
  std::string pending_;                // for the tester, not yet taken by the pty

  VirtualClock clock_;
  KLineBus bus_{clock_};
  EngineModel idling_engine_;
  SwitchableEngine engine_{idling_engine_};
  std::unique_ptr<TesterUart> uart_;
  std::unique_ptr<EcuModel> ecu_;        // an ECU awake from the start
  std::unique_ptr<WakeUpEcu> wake_ecu_;  // or one that must be woken
  bool ignition_keys_ = false;           // wake_ecu_ waits for the ignition and its key bytes
  EventId ignition_event_ = 0;
  EobdResponder eobd_;                 // the ECU behind the adapter, for eobd
  KwpEngineResponder kwp_;             // or for m59 and 5am
  KwpEngineEcu* kwp_ecu_ = nullptr;    // the model on the line, for the actuator log
  ByteFamilyEcu* byte_ecu_ = nullptr;  // (owned by ecu_ or wake_ecu_)
  std::unique_ptr<Elm327Model> elm_;

 public:
  std::vector<ActuatorActivation> ActuatorLog() const {
    if (kwp_ecu_ != nullptr) return kwp_ecu_->ActuatorLog();
    if (byte_ecu_ != nullptr) return byte_ecu_->ActuatorLog();
    if (elm_ && family_ == Iaw59M5AM) return kwp_.ActuatorLog(clock_.Now());
    return {};
  }
};

bool PtyEcu::Impl::Open() {
  const std::optional<int> family = PtyModelFamily(options_.model);
  if (!family) return Fail("unknown model '" + options_.model + "'");
  family_ = *family;
  if (options_.elm327 && !IsKwpFamily(family_)) {
    return Fail("an ELM327 adapter needs a KWP model, not '" + options_.model + "'");
  }
  if (stop_pipe_[0] < 0) return Fail(ErrnoText("cannot create a pipe"));
  if (!options_.log_path.empty()) {
    log_ = std::fopen(options_.log_path.c_str(), "w");
    if (log_ == nullptr) return Fail(ErrnoText("cannot write the log " + options_.log_path));
  }
  if (!OpenPty(options_.elm327 ? kElmBaud : kKLineBaud)) return false;
  MakeModels();
  start_ = SteadyClock::now();
  return true;
}

bool PtyEcu::Impl::OpenPty(int baud) {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0) return Fail(ErrnoText("cannot create a pseudo-terminal"));
  char name[128] = {};
  if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
      ::ptsname_r(master_, name, sizeof(name)) != 0) {
    return Fail(ErrnoText("cannot prepare the pseudo-terminal"));
  }
  slave_path_ = name;
  const int flags = ::fcntl(master_, F_GETFL);
  int packet = 1;
  if (flags < 0 || ::fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0 ||
      ::ioctl(master_, TIOCPKT, &packet) != 0) {
    return Fail(ErrnoText("cannot set up the pseudo-terminal"));
  }
  // Raw both ways, with EXTPROC so that the tester's first line set-up is reported.
  termios2 format{};
  if (::ioctl(master_, TCGETS2, &format) != 0) return Fail(ErrnoText("cannot read the line"));
  format.c_iflag = 0;
  format.c_oflag = 0;
  format.c_lflag = EXTPROC;
  format.c_cflag = CS8 | CREAD | CLOCAL | BOTHER | (BOTHER << IBSHIFT);
  format.c_ispeed = static_cast<speed_t>(baud);
  format.c_ospeed = static_cast<speed_t>(baud);
  format.c_cc[VMIN] = 1;
  format.c_cc[VTIME] = 0;
  if (::ioctl(master_, TCSETS2, &format) != 0) return Fail(ErrnoText("cannot set the line"));
  baud_ = baud;
  return true;
}

void PtyEcu::Impl::MakeModels() {
  if (options_.engine_rpm) {
    EngineSettings steady;
    steady.idle_rpm = *options_.engine_rpm;
    steady.idle_jitter_rpm = 0;
    steady.blips = false;
    idling_engine_ = EngineModel(steady);
  }
  engine_.SetRunning(!options_.engine_stopped);
  KwpEngineSettings kwp_settings;
  kwp_settings.stored_codes = options_.kwp_codes;
  kwp_settings.refuse_clear_while_running = options_.refuse_clear_while_running;
  if (options_.kwp_identification) kwp_settings.identification = *options_.kwp_identification;
  kwp_settings.ecu_name = EcuName(options_.model);
  if (options_.immobiliser) kwp_settings.immobiliser = *options_.immobiliser;
  if (options_.trimmer && family_ == Iaw59M5AM) {
    kwp_settings.trimmer_stored = static_cast<std::int8_t>(*options_.trimmer);
  }
  if (options_.elm327) {
    Elm327Options elm_options;
    if (options_.p2_seconds) elm_options.ecu_delay = *options_.p2_seconds;
    if (options_.battery_volts) elm_options.battery_volts = *options_.battery_volts;
    eobd_ = EobdResponder(EobdSettings{options_.stored_codes});
    kwp_ = KwpEngineResponder(std::move(kwp_settings));
    elm_ = std::make_unique<Elm327Model>(
        clock_,
        [this](const ElmRequest& request) -> std::vector<HexMessage> {
          const Nanos now = clock_.Now();
          const EngineState state = engine_.At(now);
          if (family_ == Eobd) return eobd_.Respond(request.payload, state, request.functional);
          HexMessage reply = KwpExtraReply(request.payload);
          if (reply.empty()) reply = kwp_.Respond(request.payload, state, now);
          if (reply.empty()) return {};
          return {reply};
        },
        elm_options);
    elm_->Open(slave_path_, std::to_string(baud_) + ",n,8,1");
    return;
  }

  uart_ = std::make_unique<TesterUart>(clock_, bus_, baud_);
  std::unique_ptr<EcuModel> model;
  if (family_ == Iaw59M5AM) {
    auto kwp = std::make_unique<TimedKwpEcu>(clock_, bus_, engine_, std::move(kwp_settings));
    kwp_ecu_ = kwp.get();
    model = std::move(kwp);
  } else if (family_ == Eobd) {
    model = std::make_unique<EobdEcu>(clock_, bus_, engine_, EobdSettings{options_.stored_codes});
  } else {
    ByteFamilySettings settings;
    settings.faults = options_.fault_rows;
    if (options_.byte_identification) settings.identification = *options_.byte_identification;
    if (options_.trimmer) settings.trimmer_raw = static_cast<std::uint8_t>(*options_.trimmer + 128);
    auto bytes = std::make_unique<ByteFamilyEcu>(clock_, bus_, engine_, family_, settings);
    byte_ecu_ = bytes.get();
    model = std::move(bytes);
  }
  if (options_.p2_seconds) model->SetP2(*options_.p2_seconds);

  if (!options_.awake && IsKwpFamily(family_)) {
    wake_ecu_ = std::make_unique<WakeUpEcu>(clock_, bus_, std::move(model), KwpWakeUps());
  } else if (!options_.awake && (family_ == Iaw16M || family_ == Iaw15M)) {
    WakeUpSettings settings = IgnitionKeyWakeUp();
    settings.ignition = false;
    wake_ecu_ = std::make_unique<WakeUpEcu>(clock_, bus_, std::move(model), settings);
    ignition_keys_ = true;
  } else {
    ecu_ = std::move(model);
  }
}

PtyEcu::Exit PtyEcu::Impl::Run() {
  if (master_ < 0) return Exit::kError;
  // Wake-ups land on the event times rather than up to 50 us late.
  ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  while (true) {
    ServeUntil(RealNow());
    std::optional<Nanos> wait;
    if (const std::optional<Nanos> next = clock_.NextEventTime()) {
      wait = std::max(Nanos{0}, *next - RealNow());
    }
    pollfd fds[2] = {{stop_pipe_[0], POLLIN, 0},
                     {master_, static_cast<short>(POLLIN | (pending_.empty() ? 0 : POLLOUT)), 0}};
    timespec timeout{};
    if (wait) {
      timeout.tv_sec = static_cast<time_t>(wait->count() / 1'000'000'000);
      timeout.tv_nsec = static_cast<long>(wait->count() % 1'000'000'000);
    }
    if (::ppoll(fds, 2, wait ? &timeout : nullptr, nullptr) < 0) {
      if (errno == EINTR) continue;
      error_ = ErrnoText("poll failed");
      return Exit::kError;
    }
    if (fds[0].revents != 0) return Exit::kStopped;

    const short events = fds[1].revents;
    bool closed = false;
    if ((events & POLLIN) != 0) closed = ReadMaster() == ReadResult::kClosed;
    if ((events & POLLOUT) != 0) WritePending();
    if ((events & POLLHUP) == 0) {
      opened_ = true;
      closed_since_.reset();
      continue;
    }
    if (opened_ && (closed || (events & POLLIN) == 0)) {
      // A tester may close and open the port again at once (a session start reopens its
      // adapter): only a port left closed for a while ends the run.
      if (!closed_since_) closed_since_ = RealNow();
      if (RealNow() - *closed_since_ >= kReopenGrace) return Exit::kPortClosed;
    }
    {
      // Nobody has the slave open (yet, or for the moment), so the master reports a hang-up at
      // once: look again a little later, serving events meanwhile and still hearing Stop().
      Nanos nap = kOpenPoll;
      if (const std::optional<Nanos> next = clock_.NextEventTime()) {
        nap = std::clamp(*next - RealNow(), Nanos{0}, kOpenPoll);
      }
      const timespec slow{0, static_cast<long>(nap.count())};
      if (::ppoll(fds, 1, &slow, nullptr) > 0) return Exit::kStopped;
    }
  }
}

void PtyEcu::Impl::ServeUntil(Nanos until) {
  while (const std::optional<Nanos> next = clock_.NextEventTime()) {
    if (*next > until) break;
    clock_.RunUntil(*next);
    CollectOutput();
  }
  clock_.RunUntil(until);
  CollectOutput();
}

PtyEcu::Impl::ReadResult PtyEcu::Impl::ReadMaster() {
  std::uint8_t buffer[4096];
  while (true) {
    const ssize_t got = ::read(master_, buffer, sizeof(buffer));
    if (got > 0) {
      // In packet mode every read is one packet: a status byte alone, or TIOCPKT_DATA (0)
      // followed by what the tester wrote.
      const Nanos at = RealNow();
      ServeUntil(at);
      if (buffer[0] == TIOCPKT_DATA) {
        OnTesterBytes(buffer + 1, static_cast<std::size_t>(got - 1), at);
      } else {
        OnStatus(buffer[0]);
      }
      continue;
    }
    if (got < 0 && errno == EINTR) continue;
    if (got < 0 && errno == EAGAIN) return ReadResult::kDrained;
    // EIO: no slave open (not yet, or no longer).
    return opened_ ? ReadResult::kClosed : ReadResult::kDrained;
  }
}

void PtyEcu::Impl::OnTesterBytes(const std::uint8_t* bytes, std::size_t count, Nanos at) {
  opened_ = true;
  for (std::size_t i = 0; i < count; ++i) Log(at, 'T', bytes[i]);
  if (uart_) {
    for (std::size_t i = 0; i < count; ++i) uart_->WriteByte(bytes[i]);
  } else if (elm_) {
    elm_->Write(std::string_view(reinterpret_cast<const char*>(bytes), count));
  }
  CollectOutput();
}

void PtyEcu::Impl::OnStatus(std::uint8_t status) {
  if ((status & TIOCPKT_FLUSHREAD) != 0) pending_.clear();
  if ((status & (TIOCPKT_FLUSHREAD | TIOCPKT_FLUSHWRITE)) != 0 && uart_) uart_->Purge();
  if ((status & TIOCPKT_IOCTL) != 0) OnTermiosChange();
}

void PtyEcu::Impl::OnTermiosChange() {
  termios2 format{};
  if (::ioctl(master_, TCGETS2, &format) != 0) return;
  if ((format.c_lflag & EXTPROC) == 0) {
    // Only the tester clears it (its line set-up writes c_lflag = 0): it has the slave open.
    opened_ = true;
    format.c_lflag |= EXTPROC;
    ::ioctl(master_, TCSETS2, &format);
  }
  const int baud = static_cast<int>(format.c_ospeed);
  if (baud > 0 && baud != baud_) OnSpeed(baud);
}

void PtyEcu::Impl::OnSpeed(int baud) {
  baud_ = baud;
  if (uart_) uart_->SetSpeed(baud);
  if (elm_) {
    // The adapter hears only at its own speed; reopening tells it the new one.
    elm_->Close();
    elm_->Open(slave_path_, std::to_string(baud) + ",n,8,1");
  }
  if (ignition_keys_ && baud == kKeyListenBaud) {
    wake_ecu_->SetIgnition(false);
    clock_.Cancel(ignition_event_);
    ignition_event_ = clock_.ScheduleAfter(kIgnitionDelay, EventKind::kDevice, [this] {
      ignition_event_ = 0;
      wake_ecu_->SetIgnition(true);
    });
  }
}

void PtyEcu::Impl::CollectOutput() {
  if (uart_) {
    const std::vector<std::uint8_t> bytes = uart_->Read(std::numeric_limits<std::size_t>::max());
    pending_.append(bytes.begin(), bytes.end());
  } else if (elm_) {
    pending_ += elm_->ReadAll();
  }
  if (!pending_.empty()) WritePending();
}

void PtyEcu::Impl::WritePending() {
  while (!pending_.empty()) {
    const ssize_t put = ::write(master_, pending_.data(), pending_.size());
    if (put > 0) {
      const Nanos at = RealNow();
      for (ssize_t i = 0; i < put; ++i) Log(at, 'E', static_cast<std::uint8_t>(pending_[i]));
      pending_.erase(0, static_cast<std::size_t>(put));
      continue;
    }
    if (put < 0 && errno == EINTR) continue;
    // EAGAIN: the tester is not reading; the rest goes when the pty takes it (POLLOUT).
    // Anything else (no slave open) drops it, as a cable with nobody listening would.
    if (put < 0 && errno != EAGAIN) pending_.clear();
    return;
  }
}

void PtyEcu::Impl::Log(Nanos at, char direction, std::uint8_t byte) {
  if (log_ == nullptr) return;
  const std::string ms = FormatNumber(static_cast<double>(at.count()) / 1e6, "0.000");
  std::fprintf(log_, "%s %c %02X\n", ms.c_str(), direction, byte);
  std::fflush(log_);
}

// ---------------------------------------------------------------------------------------------

PtyEcu::PtyEcu(PtyEcuOptions options) : impl_(std::make_unique<Impl>(std::move(options))) {}
PtyEcu::~PtyEcu() = default;
bool PtyEcu::Open() { return impl_->Open(); }
const std::string& PtyEcu::SlavePath() const { return impl_->slave_path_; }
const std::string& PtyEcu::Error() const { return impl_->error_; }
PtyEcu::Exit PtyEcu::Run() { return impl_->Run(); }
void PtyEcu::Stop() { impl_->Stop(); }
std::vector<ActuatorActivation> PtyEcu::ActuatorLog() const { return impl_->ActuatorLog(); }

}  // namespace velkor::sim
