#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/family_ecus.hpp"
#include "sim/fault_store.hpp"

namespace velkor::sim {

// What the simulator puts behind the pseudo-terminal.
struct PtyEcuOptions {
  std::string model = "m59";                // m59, 5am, mm16, mm15, 15rc or eobd
  bool elm327 = false;                      // an adapter at 38400 baud in front of the model's ECU
  bool awake = false;                       // no wake-up needed
  std::optional<double> p2_seconds;         // the ECU's reply delay; none: the model's own
  std::string log_path;                     // every byte with its time; empty: no log
  std::vector<std::uint16_t> stored_codes;  // eobd: the trouble codes stored (ParseDtc)
  std::optional<double> battery_volts;      // with elm327: what ATRV reads; none: 13.8 V
  // m59, 5am: the stored trouble codes with their status and counter, and the identification
  // record (none: the model's default).
  std::vector<StoredDtc> kwp_codes;
  std::optional<KwpIdentification> kwp_identification;
  bool refuse_clear_while_running = false;  // m59, 5am: 7F 14 22 while the engine runs
  // mm16, mm15, 15rc: the fault rows and the identification bytes 17 to 28 (none: default).
  ByteFaultRows fault_rows;
  std::optional<ByteIdentification> byte_identification;
  // The engine stands still with the ignition on (what the clearing of the byte families and
  // the TPS reset want) instead of idling.
  bool engine_stopped = false;
  // A steady idle at this speed (no blips, no jitter) instead of the idling engine model.
  std::optional<double> engine_rpm;
  // m59, 5am: the immobiliser status byte (21 74).
  std::optional<std::uint8_t> immobiliser;
  // The stored trimmer as the tester shows it: m59, 5am the signed value of 21 3D; mm15, 15rc
  // the raw byte of address 0F minus 128. -127 to 126.
  std::optional<int> trimmer;
};

// The engine of --engine: "stopped", "idle" (the engine model) or a speed in rpm (a steady idle,
// 100 to 12000). None for anything else.
struct PtyEngineChoice {
  bool stopped = false;
  std::optional<double> rpm;  // none with "idle"
};
std::optional<PtyEngineChoice> ParsePtyEngine(std::string_view text);

// One line of the actuator log the simulator prints when it ends:
//   actuator: id=<hex> on_s=<t> off_s=<t or never> ended_by=<tester|ecu|never>
// times in seconds with a period and three decimals, whatever the locale.
std::string FormatActuatorLine(const ActuatorActivation& activation);

// The family a model name stands for (m59 and 5am 4, mm16 0, mm15 1, 15rc 2, eobd 5).
std::optional<int> PtyModelFamily(std::string_view model);

// The command line of velkor-ecusim, without the program name. Exactly one of the three is set:
// options to run with, `help` for --help, or `error` (a message for the user; exit code 2).
struct PtyEcuArgs {
  std::optional<PtyEcuOptions> options;
  bool help = false;
  std::string error;
};
PtyEcuArgs ParsePtyEcuArgs(const std::vector<std::string>& args);
extern const char* const kPtyEcuUsage;

// PtyEcu: an ECU model on the master side of a pseudo-terminal, in real time, so that the
// program's own serial code can open the slave side and talk to it as to a K-line cable.
//
// The bench runs in virtual time; here a VirtualClock is driven from the monotonic clock
// (virtual time = real time since construction). Each byte read from the master is put on the
// simulated line at once, at the speed the tester has set, and everything the tester's UART
// receives there (its own echo first, then the ECU's reply) is written back to the master at the
// virtual time it arrives. A pty echoes nothing, so the echo is ours.
//
// Speeds. A pty carries neither the line speed nor breaks, but with EXTPROC in the slave's
// c_lflag and TIOCPKT on the master every termios change by the tester reaches us as a
// TIOCPKT_IOCTL packet, and termios requests on the master act on the slave's termios, so the
// speed is read back (TCGETS2, c_ospeed). The kernel only reports a change when the old or the
// new termios has EXTPROC, and the tester clears c_lflag whenever it sets the whole line
// format, so EXTPROC is set again after every change. Consequences for the tester:
//   - a break is a no-op on a pty: the KWP fast init by break is never seen. 0xF0 written at
//     200 baud (or 0x00 at 360) arrives as that byte at that speed and goes on the simulated
//     line as 25 ms low, 25 ms high, which wakes the ECU; or start with --awake.
//   - the packet of a speed change is read before data still queued, so a byte must have left
//     (the tester's usual pause after it) before the speed changes again, as on a real cable.
//   - setting EXTPROC again is a read-modify-write of the slave's termios; a second change by
//     the tester within those microseconds would be lost. Testers pause between changes.
//   - a flush by the tester (TCFLSH) purges the simulated UART, like a cable's purge.
// 15M/16M: the key-byte announcement needs the ignition to come on while the tester listens at
// 1200 baud. Each time the tester moves to 1200 baud (its key-byte listen) the ignition goes
// off at once and on again 0.5 s later, as a user turning the key; the ECU sends its key bytes
// 0.2 s after that. With --awake the byte models answer at 7812 baud from the start. 15RC has
// no key bytes and is always awake; m59, 5am and eobd sleep until a fast init unless --awake.
//
// With elm327 the adapter model (38400 baud; it hears nothing at another speed) takes the bytes
// and answers in text, for family 4 or 5; it wakes its ECU itself, so `awake` plays no part.
// Reply timing follows the host's timer wake-ups (typically tens of microseconds late, at
// worst about a millisecond on a loaded or virtual machine); the log has the real times.
//
// Log: one line per byte, "<ms since start> T <hex>" for a byte read from the master (time of
// the read) and "<ms> E <hex>" for a byte written to it (time of the write; the echo included),
// flushed line by line so another program can follow it while the simulator runs.
//
// Run() serves until the tester closes the slave after having opened it (and leaves it closed for a
// second: a start that reopens its port goes on), or until Stop().
// Single-threaded; only Stop() may be called from another thread or a signal handler.
class PtyEcu {
 public:
  enum class Exit { kPortClosed, kStopped, kError };

  explicit PtyEcu(PtyEcuOptions options);
  ~PtyEcu();
  PtyEcu(const PtyEcu&) = delete;
  PtyEcu& operator=(const PtyEcu&) = delete;

  // Creates the pseudo-terminal and the model; false with Error() set on failure (no pty left,
  // unknown model, log not writable).
  bool Open();
  // The path the tester opens, once Open succeeded.
  const std::string& SlavePath() const;
  const std::string& Error() const;

  Exit Run();
  // Makes Run return kStopped soon. Async-signal-safe and thread-safe.
  void Stop();
  // Every activation of an actuator or test the ECU has made so far (times in seconds since the
  // simulator started). Not while Run is running on another thread.
  std::vector<ActuatorActivation> ActuatorLog() const;

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace velkor::sim
