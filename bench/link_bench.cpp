// The link in real time: velkor-cli measures against velkor-ecusim on a pseudo-terminal, through
// the program's own termios code, and the simulator's byte log tells how close the cycle runs to
// what the wire allows.
//
// For each mode (record: the engine-data record, request 21 A0; fast: the engine speed only,
// request 21 30) the bench writes a fresh <tmp>/<mode>/ecu.ini (family 4, Init=5: a single start
// request, the simulator being awake) and starts
//   velkor-ecusim --pty --model m59 --awake --p2-ms 25 --log <tmp>/<mode>/ecusim.log
//   velkor-cli measure --home <tmp>/<mode> --interface kkl --port <pty> --family m59 --seconds S
//              --quiet [--fast]
// and prints one line:
//   link: family=m59 mode=<m> period_ms=<p> theory_ms=<t> overhead_ms=<p-t> gap_p99_err_ms=<g>
//         cpu_pct=<c>
//
// period_ms: median time between the starts (first tester byte) of successive cycle requests,
//   over the iterations whose every exchange was answered in full, the first one left out as a
//   warm-up. An unanswered request costs the reply time-out and a miss pause, which is not the
//   cycle's pace, so those iterations are left out too; the summary's rate_hz counts them, and
//   is cross-checked (runs without misses) against the log's mean over all iterations.
//
// theory_ms: the wire's own time for one iteration, summed over its exchanges as the log shows
//   them (N request bytes, M reply bytes, the echo not counted in M):
//     pause    the cycle's idle line before the request (80 ms before 21 A0 and 21 30, 60 ms
//              before the lambda read 21 45), taken once the previous reply is in
//   + 6        the idle line before the first request byte
//   + (N-1) * (6 + b)
//              each further byte: the 6 ms are counted from the end of the previous byte, and a
//              write returns as soon as the byte is handed over, so the tester waits 6 ms plus
//              one byte time b after each write
//   + b        the last request byte on the line
//   + 25       P2, from the end of the request to the first reply byte
//   + M * b    the reply at the ECU's byte rate (no extra gap between its bytes)
//   with b = 10 bits / 10400 baud = 0.9615 ms. Record: N = 6 (82 10 F1 21 A0 cs), M = 26
//   (96 F1 10 61 A0, 20 value bytes, cs): 80 + 6 + 5 * 6.9615 + 0.9615 + 25 + 26 * 0.9615
//   = 171.8 ms. Fast: N = 6, M = 8 (84 F1 10 61 30 hi lo cs): 154.4 ms.
//
// gap_p99_err_ms: for every tester byte after the first of a request while measuring, its gap
//   from the previous tester byte minus 6 ms + b; the 99th percentile of the absolute error. The
//   simulator stamps a byte when it reads it, so its own wake-up delay is part of the error.
//
// cpu_pct: the CLI's user + system time (wait4) over its wall time from start to exit, session
//   start and end included, as a percentage of one core.
//
// The figures are reported, not asserted: a missed goal is noted on stderr and the exit code
// stays 0. Exit 1 when something could not run: a program missing, no pty, no summary line, or
// a log without one answered iteration. A session start lost to a late byte (the CLI's exit 4
// with no summary) is tried once more before giving up.
//
//   link_bench [--seconds S] [--keep]     S: how long each mode measures (default 5)
//   link_bench --analyse LOG record|fast  the figures of an existing simulator log
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <locale>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/number_format.hpp"

namespace {

namespace fs = std::filesystem;
using SteadyClock = std::chrono::steady_clock;
using velkor::FormatNumber;

constexpr double kBaud = 10400.0;
constexpr double kByteMs = 10.0 * 1000.0 / kBaud;  // start bit, 8 data bits, stop bit
constexpr double kIdleBeforeByteMs = 6.0;
constexpr double kP2Ms = 25.0;
constexpr const char* kP2Argument = "25";
// velkor-cli's exit code when the ECU did not answer the session start.
constexpr int kCliNoSession = 4;

// Goals; a miss is noted, never fatal.
constexpr double kOverheadGoalMs = 1.0;
constexpr double kGapErrorGoalMs = 0.3;
constexpr double kCpuGoalPct = 1.5;

// Tester bytes further apart than this belong to different requests even without a reply
// between them (an unanswered request, then the next one after the time-out).
constexpr double kNewRequestGapMs = 30.0;

// ---------------------------------------------------------------------------------------------
// The simulator's log

struct LoggedByte {
  double ms = 0;
  bool from_tester = false;  // T: read from the tester; E: written to it (echo or reply)
  std::uint8_t value = 0;
};

// One request and what came back for it.
struct LoggedExchange {
  std::vector<double> tester_ms;  // when each request byte was read
  std::vector<std::uint8_t> request;
  int echoed = 0;       // echo bytes seen so far (one per request byte, before the reply)
  int reply_bytes = 0;  // bytes after the echo
  double Start() const { return tester_ms.front(); }
};

// "<ms> T|E <hex>" per line; anything else is skipped.
std::vector<LoggedByte> ParseLog(std::istream& in) {
  std::vector<LoggedByte> bytes;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    fields.imbue(std::locale::classic());  // the simulator writes its times with a period
    double ms = 0;
    std::string direction;
    std::string hex;
    if (!(fields >> ms >> direction >> hex)) continue;
    if ((direction != "T" && direction != "E") || hex.size() != 2) continue;
    char* end = nullptr;
    const unsigned long value = std::strtoul(hex.c_str(), &end, 16);
    if (*end != '\0') continue;
    bytes.push_back({ms, direction == "T", static_cast<std::uint8_t>(value)});
  }
  return bytes;
}

// The simulator echoes each request byte one byte time after reading it, long before the next
// one (6 ms later), and the reply follows the last echo: so once more bytes have come back than
// were sent, the reply has begun, and the next tester byte opens a new request.
std::vector<LoggedExchange> SplitExchanges(const std::vector<LoggedByte>& bytes) {
  std::vector<LoggedExchange> exchanges;
  for (const LoggedByte& byte : bytes) {
    if (byte.from_tester) {
      const bool new_request = exchanges.empty() || exchanges.back().reply_bytes > 0 ||
                               byte.ms - exchanges.back().tester_ms.back() > kNewRequestGapMs;
      if (new_request) exchanges.emplace_back();
      exchanges.back().tester_ms.push_back(byte.ms);
      exchanges.back().request.push_back(byte.value);
    } else if (!exchanges.empty()) {
      LoggedExchange& current = exchanges.back();
      if (current.echoed < static_cast<int>(current.request.size())) {
        ++current.echoed;
      } else {
        ++current.reply_bytes;
      }
    }
  }
  return exchanges;
}

// The local identifier a KWP request reads: the byte after service 21, before the checksum.
std::optional<std::uint8_t> ReadLocalIdentifier(const LoggedExchange& exchange) {
  const auto& r = exchange.request;
  if (r.size() < 3 || r[r.size() - 3] != 0x21) return std::nullopt;
  return r[r.size() - 2];
}

// The idle line the cycle leaves before a request, in ms.
double CyclePauseMs(const LoggedExchange& exchange) {
  switch (ReadLocalIdentifier(exchange).value_or(0)) {
    case 0xA0:  // engine-data record
    case 0x30:  // engine speed
      return 80.0;
    case 0x45:  // lambda probe
      return 60.0;
    default:
      return 0.0;
  }
}

double ExchangeTheoryMs(const LoggedExchange& exchange) {
  const double n = static_cast<double>(exchange.request.size());
  return CyclePauseMs(exchange) + kIdleBeforeByteMs + (n - 1) * (kIdleBeforeByteMs + kByteMs) +
         kByteMs + kP2Ms + exchange.reply_bytes * kByteMs;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t mid = values.size() / 2;
  return values.size() % 2 == 1 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// Nearest rank.
double Percentile(std::vector<double> values, double percent) {
  std::sort(values.begin(), values.end());
  const auto rank = static_cast<std::size_t>(std::ceil(percent / 100.0 * values.size()));
  return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

struct LinkFigures {
  double period_ms = 0;
  double theory_ms = 0;
  double gap_p99_err_ms = 0;
  double mean_period_all_ms = 0;  // every iteration, misses included: compares with rate_hz
  int iterations = 0;             // cycle requests in the log
  int answered_iterations = 0;    // the ones period_ms is taken over
};

// The figures of one run; an error text when the log holds no answered iteration of the cycle.
struct Analysis {
  std::optional<LinkFigures> figures;
  std::string error;
};

Analysis Analyse(const std::vector<LoggedByte>& bytes, std::uint8_t cycle_identifier) {
  const std::vector<LoggedExchange> exchanges = SplitExchanges(bytes);
  std::vector<std::size_t> starts;  // indices of the cycle's requests
  for (std::size_t i = 0; i < exchanges.size(); ++i) {
    if (ReadLocalIdentifier(exchanges[i]) == cycle_identifier) starts.push_back(i);
  }
  if (starts.size() < 2) return {std::nullopt, "fewer than two measurement requests in the log"};

  // A full reply is the length this request gets most often; a shorter one was cut or missing.
  // Keyed by the request's bytes as a string: a map keyed by vector<uint8_t> trips GCC 12's
  // -Wstringop-overread at -O3.
  const auto key = [](const LoggedExchange& e) {
    return std::string(e.request.begin(), e.request.end());
  };
  std::map<std::string, std::map<int, int>> reply_lengths;
  for (std::size_t i = starts.front(); i < starts.back(); ++i) {
    if (exchanges[i].reply_bytes > 0) ++reply_lengths[key(exchanges[i])][exchanges[i].reply_bytes];
  }
  const auto answered = [&](const LoggedExchange& e) {
    const auto found = reply_lengths.find(key(e));
    if (found == reply_lengths.end() || e.reply_bytes == 0) return false;
    const auto modal = std::max_element(found->second.begin(), found->second.end(),
                                        [](auto& a, auto& b) { return a.second < b.second; });
    return e.reply_bytes == modal->first;
  };

  LinkFigures figures;
  figures.iterations = static_cast<int>(starts.size());
  std::vector<double> periods;
  std::vector<double> first_periods;  // the first iteration, used only when nothing else is
  std::optional<double> theory;
  for (std::size_t k = 0; k + 1 < starts.size(); ++k) {
    bool all_answered = true;
    double iteration_theory = 0;
    for (std::size_t i = starts[k]; i < starts[k + 1]; ++i) {
      all_answered = all_answered && answered(exchanges[i]);
      iteration_theory += ExchangeTheoryMs(exchanges[i]);
    }
    if (!all_answered) continue;
    const double period = exchanges[starts[k + 1]].Start() - exchanges[starts[k]].Start();
    (k == 0 ? first_periods : periods).push_back(period);
    if (!theory) theory = iteration_theory;
  }
  if (periods.empty()) periods = first_periods;
  if (periods.empty()) return {std::nullopt, "no measurement request was answered in full"};
  figures.answered_iterations = static_cast<int>(periods.size());
  figures.period_ms = Median(periods);
  figures.theory_ms = *theory;
  figures.mean_period_all_ms =
      (exchanges[starts.back()].Start() - exchanges[starts.front()].Start()) /
      static_cast<double>(starts.size() - 1);

  std::vector<double> gap_errors;
  for (std::size_t i = starts.front(); i <= starts.back(); ++i) {
    const std::vector<double>& t = exchanges[i].tester_ms;
    for (std::size_t j = 1; j < t.size(); ++j) {
      gap_errors.push_back(std::fabs(t[j] - t[j - 1] - (kIdleBeforeByteMs + kByteMs)));
    }
  }
  figures.gap_p99_err_ms = gap_errors.empty() ? 0.0 : Percentile(gap_errors, 99.0);
  return {figures, ""};
}

// ---------------------------------------------------------------------------------------------
// The CLI's summary

struct Summary {
  long iterations = 0;
  double rate_hz = 0;
  long misses = 0;
};

// The last "summary: iterations=<n> rate_hz=<r> misses=<m> ..." line of the CLI's output.
std::optional<Summary> ParseSummary(const std::string& output) {
  std::istringstream lines(output);
  std::string line;
  std::optional<Summary> found;
  while (std::getline(lines, line)) {
    if (line.rfind("summary:", 0) != 0) continue;
    std::istringstream fields(line.substr(8));
    std::string field;
    Summary summary;
    int seen = 0;
    while (fields >> field) {
      const std::size_t eq = field.find('=');
      if (eq == std::string::npos) continue;
      const std::string key = field.substr(0, eq);
      std::string value = field.substr(eq + 1);
      std::replace(value.begin(), value.end(), ',', '.');  // a decimal comma, whatever the locale
      double number = 0;
      const auto read = std::from_chars(value.data(), value.data() + value.size(), number);
      const bool numeric = read.ec == std::errc() && read.ptr == value.data() + value.size();
      if (key == "iterations" && numeric) {
        summary.iterations = static_cast<long>(number);
        ++seen;
      } else if (key == "rate_hz" && numeric) {
        summary.rate_hz = number;
        ++seen;
      } else if (key == "misses" && numeric) {
        summary.misses = static_cast<long>(number);
        ++seen;
      }
    }
    if (seen == 3) found = summary;
  }
  return found;
}

// ---------------------------------------------------------------------------------------------
// Children

// A child process that is always reaped: the destructor stops one still running (SIGTERM, then
// SIGKILL after a grace time). Children also get SIGTERM should the bench itself die.
class Child {
 public:
  Child() = default;
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  ~Child() { Stop(); }

  // Runs `argv` with stdout into a pipe (read with ReadSome) and stderr into `stderr_path`.
  bool Start(const std::vector<std::string>& argv, const fs::path& stderr_path) {
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) return false;
    const pid_t parent = getpid();
    started_ = SteadyClock::now();
    pid_ = fork();
    if (pid_ < 0) {
      close(out[0]);
      close(out[1]);
      return false;
    }
    if (pid_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      if (getppid() != parent) _exit(127);
      dup2(out[1], STDOUT_FILENO);
      const int err = open(stderr_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (err >= 0 && err != STDERR_FILENO) {
        dup2(err, STDERR_FILENO);
        close(err);
      }
      std::vector<char*> args;
      for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
      args.push_back(nullptr);
      execv(args[0], args.data());
      _exit(127);
    }
    close(out[1]);
    out_ = out[0];
    fcntl(out_, F_SETFL, O_NONBLOCK);
    return true;
  }

  // Appends what the child wrote, waiting at most `timeout_ms` for something; false at end of
  // output.
  bool ReadSome(std::string& text, int timeout_ms) {
    if (out_ < 0) return false;
    pollfd fd{out_, POLLIN, 0};
    if (poll(&fd, 1, timeout_ms) <= 0) return true;
    char buffer[4096];
    const ssize_t got = read(out_, buffer, sizeof buffer);
    if (got > 0) {
      text.append(buffer, static_cast<std::size_t>(got));
      return true;
    }
    if (got < 0 && (errno == EINTR || errno == EAGAIN)) return true;
    close(out_);
    out_ = -1;
    return false;
  }

  // Reaps the child if it has exited; true once reaped.
  bool Poll() {
    if (pid_ <= 0) return true;
    int status = 0;
    rusage usage{};
    const pid_t done = wait4(pid_, &status, WNOHANG, &usage);
    if (done == 0) return false;
    ended_ = SteadyClock::now();
    if (done == pid_) {
      status_ = status;
      usage_ = usage;
    }
    pid_ = -1;
    return true;
  }

  // Waits until the child exits or `deadline` passes, collecting its output; false on time-out.
  bool WaitUntil(SteadyClock::time_point deadline, std::string* output) {
    std::string ignored;
    while (!Poll()) {
      if (SteadyClock::now() >= deadline) return false;
      if (!ReadSome(output != nullptr ? *output : ignored, 20)) usleep(10'000);
    }
    // What it wrote just before exiting is still in the pipe.
    while (out_ >= 0) {
      pollfd fd{out_, POLLIN, 0};
      if (poll(&fd, 1, 0) <= 0) break;
      if (!ReadSome(output != nullptr ? *output : ignored, 0)) break;
    }
    return true;
  }

  void Stop() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      if (!WaitUntil(SteadyClock::now() + std::chrono::seconds(2), nullptr)) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
      }
    }
    if (out_ >= 0) {
      close(out_);
      out_ = -1;
    }
  }

  bool ExitedNormally() const { return WIFEXITED(status_); }
  int ExitCode() const { return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1; }
  double CpuSeconds() const {
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec * 1e-6; };
    return seconds(usage_.ru_utime) + seconds(usage_.ru_stime);
  }
  double WallSeconds() const { return std::chrono::duration<double>(ended_ - started_).count(); }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  int status_ = 0;
  rusage usage_{};
  SteadyClock::time_point started_;
  SteadyClock::time_point ended_;
};

std::string ReadText(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void ShowStderrOf(const char* who, const fs::path& path) {
  const std::string text = ReadText(path);
  if (!text.empty()) std::fprintf(stderr, "link_bench: %s said:\n%s", who, text.c_str());
}

struct Mode {
  const char* name;
  std::uint8_t identifier;  // the request the cycle repeats
  bool fast;
};
constexpr Mode kModes[] = {{"record", 0xA0, false}, {"fast", 0x30, true}};

void PrintFigures(const Mode& mode, const LinkFigures& f, std::optional<double> cpu_pct) {
  double overhead = f.period_ms - f.theory_ms;
  if (std::fabs(overhead) < 0.005) overhead = 0;  // no "-0.00"
  const std::string cpu = cpu_pct ? FormatNumber(*cpu_pct, "0.0") : "n/a";
  std::printf(
      "link: family=m59 mode=%s period_ms=%s theory_ms=%s overhead_ms=%s gap_p99_err_ms=%s "
      "cpu_pct=%s\n",
      mode.name, FormatNumber(f.period_ms, "0.00").c_str(),
      FormatNumber(f.theory_ms, "0.00").c_str(), FormatNumber(overhead, "0.00").c_str(),
      FormatNumber(f.gap_p99_err_ms, "0.000").c_str(), cpu.c_str());
  std::fflush(stdout);
  if (overhead > kOverheadGoalMs) {
    std::fprintf(stderr, "link_bench: %s: overhead %s ms is above the %s ms goal\n", mode.name,
                 FormatNumber(overhead, "0.00").c_str(),
                 FormatNumber(kOverheadGoalMs, "0").c_str());
  }
  if (f.gap_p99_err_ms > kGapErrorGoalMs) {
    std::fprintf(stderr, "link_bench: %s: byte gap error p99 %s ms is above the %s ms goal\n",
                 mode.name, FormatNumber(f.gap_p99_err_ms, "0.000").c_str(),
                 FormatNumber(kGapErrorGoalMs, "0.0").c_str());
  }
  if (cpu_pct && *cpu_pct > kCpuGoalPct) {
    std::fprintf(stderr, "link_bench: %s: CLI CPU %s%% is above the %s%% goal\n", mode.name,
                 FormatNumber(*cpu_pct, "0.0").c_str(), FormatNumber(kCpuGoalPct, "0.0").c_str());
  }
}

bool WriteEcuIni(const fs::path& home) {
  // The simulator starts awake, so the start is a single start request without a wake-up.
  std::ofstream ini(home / "ecu.ini", std::ios::binary);
  ini << "[ECU]\r\nType=4\r\nInit=5\r\n[Menu]\r\nauto=0\r\n";
  return static_cast<bool>(ini);
}

enum class Outcome { kMeasured, kNoSession, kFailed };

// One mode end to end in its own home folder `home`; the reason for anything but kMeasured is
// on stderr.
Outcome RunMode(const Mode& mode, const fs::path& bin, const fs::path& home, double seconds) {
  const fs::path log = home / "ecusim.log";
  const fs::path sim_err = home / "ecusim.err";
  const fs::path cli_err = home / "cli.err";
  // A fresh ecu.ini each time: the session start writes back the variant that woke the ECU.
  std::error_code error;
  fs::create_directories(home, error);
  if (error || !WriteEcuIni(home)) {
    std::fprintf(stderr, "link_bench: cannot write %s\n", (home / "ecu.ini").c_str());
    return Outcome::kFailed;
  }

  Child sim;
  if (!sim.Start({(bin / "velkor-ecusim").string(), "--pty", "--model", "m59", "--awake", "--p2-ms",
                  kP2Argument, "--log", log.string()},
                 sim_err)) {
    std::fprintf(stderr, "link_bench: cannot start velkor-ecusim: %s\n", std::strerror(errno));
    return Outcome::kFailed;
  }
  std::string sim_out;
  const auto sim_deadline = SteadyClock::now() + std::chrono::seconds(5);
  while (sim_out.find('\n') == std::string::npos && SteadyClock::now() < sim_deadline) {
    if (!sim.ReadSome(sim_out, 50)) break;
  }
  const std::size_t eol = sim_out.find('\n');
  if (eol == std::string::npos || sim_out.rfind("/dev/", 0) != 0) {
    std::fprintf(stderr, "link_bench: velkor-ecusim gave no pty\n");
    sim.Stop();
    ShowStderrOf("velkor-ecusim", sim_err);
    return Outcome::kFailed;
  }
  const std::string pty = sim_out.substr(0, eol);

  const std::string seconds_text = FormatNumber(seconds, "");
  // clang-format off
  std::vector<std::string> cli_args = {(bin / "velkor-cli").string(), "measure", "--home",
                                       home.string(), "--interface", "kkl", "--port", pty,
                                       "--family", "m59", "--seconds", seconds_text, "--quiet"};
  // clang-format on
  if (mode.fast) cli_args.push_back("--fast");
  Child cli;
  if (!cli.Start(cli_args, cli_err)) {
    std::fprintf(stderr, "link_bench: cannot start velkor-cli: %s\n", std::strerror(errno));
    return Outcome::kFailed;
  }
  std::string cli_out;
  // The session start and end take a few seconds of their own.
  const auto cli_deadline =
      SteadyClock::now() + std::chrono::milliseconds(static_cast<long>(seconds * 1000) + 20'000);
  if (!cli.WaitUntil(cli_deadline, &cli_out)) {
    std::fprintf(stderr, "link_bench: %s: velkor-cli did not finish; stopped\n", mode.name);
    cli.Stop();
    ShowStderrOf("velkor-cli", cli_err);
    return Outcome::kFailed;
  }
  // The simulator ends when the CLI closes the port; a stop is only needed if it does not.
  if (!sim.WaitUntil(SteadyClock::now() + std::chrono::seconds(2), nullptr)) sim.Stop();

  const std::optional<Summary> summary = ParseSummary(cli_out);
  if (!summary) {
    std::fprintf(stderr, "link_bench: %s: velkor-cli printed no summary (exit %d)\n", mode.name,
                 cli.ExitCode());
    ShowStderrOf("velkor-cli", cli_err);
    return cli.ExitCode() == kCliNoSession ? Outcome::kNoSession : Outcome::kFailed;
  }
  if (cli.ExitCode() != 0) {
    std::fprintf(stderr, "link_bench: %s: velkor-cli ended with exit code %d\n", mode.name,
                 cli.ExitCode());
    ShowStderrOf("velkor-cli", cli_err);
  }

  std::ifstream log_in(log);
  const Analysis analysis = Analyse(ParseLog(log_in), mode.identifier);
  if (!analysis.figures) {
    std::fprintf(stderr, "link_bench: %s: %s (%s)\n", mode.name, analysis.error.c_str(),
                 log.c_str());
    return Outcome::kFailed;
  }
  const LinkFigures& f = *analysis.figures;
  const double wall = cli.WallSeconds();
  PrintFigures(mode, f, wall > 0 ? std::optional(100.0 * cli.CpuSeconds() / wall) : std::nullopt);

  if (summary->misses > 0) {
    std::fprintf(stderr,
                 "link_bench: %s: %ld of %ld iterations missed (left out of period_ms, which "
                 "is over %d answered ones)\n",
                 mode.name, summary->misses, summary->iterations, f.answered_iterations);
  }
  // Cross-check with the CLI's own figure, which counts every iteration up to the end of the
  // last one. A missed request at the end would weigh its whole time-out into one of a handful
  // of iterations, so only a run without misses is compared.
  if (summary->misses == 0 && summary->rate_hz > 0 && f.mean_period_all_ms > 0) {
    const double cli_period = 1000.0 / summary->rate_hz;
    if (std::fabs(cli_period - f.mean_period_all_ms) > 0.1 * f.mean_period_all_ms) {
      std::fprintf(stderr,
                   "link_bench: %s: the CLI's rate_hz=%s (%s ms an iteration) disagrees "
                   "with the log's mean %s ms over %d iterations\n",
                   mode.name, FormatNumber(summary->rate_hz, "0.0").c_str(),
                   FormatNumber(cli_period, "0.0").c_str(),
                   FormatNumber(f.mean_period_all_ms, "0.0").c_str(), f.iterations);
    }
  }
  return Outcome::kMeasured;
}

fs::path OwnFolder() {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::current_path() : self.parent_path();
}

int Usage() {
  std::fputs(
      "usage: link_bench [--seconds S] [--keep]\n"
      "       link_bench --analyse LOG record|fast\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  double seconds = 5.0;
  bool keep = false;
  if (!args.empty() && args[0] == "--analyse") {
    if (args.size() != 3) return Usage();
    const auto mode = std::find_if(std::begin(kModes), std::end(kModes),
                                   [&](const Mode& m) { return args[2] == m.name; });
    if (mode == std::end(kModes)) return Usage();
    std::ifstream in(args[1]);
    if (!in) {
      std::fprintf(stderr, "link_bench: cannot read %s\n", args[1].c_str());
      return 1;
    }
    const Analysis analysis = Analyse(ParseLog(in), mode->identifier);
    if (!analysis.figures) {
      std::fprintf(stderr, "link_bench: %s\n", analysis.error.c_str());
      return 1;
    }
    PrintFigures(*mode, *analysis.figures, std::nullopt);
    return 0;
  }
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--seconds" && i + 1 < args.size()) {
      const std::string& text = args[++i];
      const auto read = std::from_chars(text.data(), text.data() + text.size(), seconds);
      if (read.ec != std::errc() || read.ptr != text.data() + text.size() || !(seconds > 0) ||
          seconds > 600) {
        return Usage();
      }
    } else if (args[i] == "--keep") {
      keep = true;
    } else {
      return Usage();
    }
  }

  const fs::path bin = OwnFolder();
  for (const char* program : {"velkor-ecusim", "velkor-cli"}) {
    if (access((bin / program).c_str(), X_OK) != 0) {
      std::fprintf(stderr, "link_bench: %s not found beside the bench in %s\n", program,
                   bin.c_str());
      return 1;
    }
  }
  std::string pattern = (fs::temp_directory_path() / "velkor_link_bench.XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    std::fprintf(stderr, "link_bench: cannot create a work folder: %s\n", std::strerror(errno));
    return 1;
  }
  const fs::path work = pattern;
  // SIGPIPE would end the bench on a child that closed its output early.
  signal(SIGPIPE, SIG_IGN);

  bool ok = true;
  for (const Mode& mode : kModes) {
    if (!ok) break;
    Outcome outcome = RunMode(mode, bin, work / mode.name, seconds);
    if (outcome == Outcome::kNoSession) {
      // A request byte held up by the host past the ECU's 20 ms idle limit loses the start;
      // that says nothing about the cycle, so the mode gets one more try.
      std::fprintf(stderr, "link_bench: %s: no session; trying once more\n", mode.name);
      outcome = RunMode(mode, bin, work / (std::string(mode.name) + "-again"), seconds);
    }
    ok = outcome == Outcome::kMeasured;
  }
  if (keep || !ok) {
    std::fprintf(stderr, "link_bench: logs kept in %s\n", work.c_str());
  } else {
    std::error_code ignored;
    fs::remove_all(work, ignored);
  }
  return ok ? 0 : 1;
}
