#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/hex_message.hpp"
#include "sim/engine_model.hpp"
#include "sim/fault_store.hpp"
#include "sim/kline_bus.hpp"
#include "sim/uart.hpp"
#include "sim/virtual_clock.hpp"

namespace velkor::sim {

// ECU models that serve live data from an engine (engine_model.hpp), one per family, each in
// its family's own format. They sit on the K-line bus beside the tester's UART, hear its
// requests at their own baud, and answer after P2 at their byte rate. They are awake from the
// start: no wake-up or key bytes are needed before the first request.
//
// Wiring, for any family 0 to 5:
//   sim::EngineModel engine;                                    // or a FixedEngine
//   auto ecu = sim::MakeFamilyEcu(clock, bus, engine, family);  // on the same bus as the uart
//   uart.Configure(sim::FamilyBaud(family));                    // 7812 or 10400 baud
// or by class: ByteFamilyEcu(clock, bus, engine, Iaw16M) for families 0 to 3,
// KwpEngineEcu(clock, bus, engine) for family 4, EobdEcu(clock, bus, engine) for family 5.
//
// What each family answers:
//   0 to 3, one address byte -> one data byte:
//     01/02 engine-speed period high/low (15000000 / rpm, family 3: 30000000 / rpm),
//     03/04 injection time high/low (units of 2 us, family 3: 4 us), 05 advance (1/2 degree,
//     family 3: 1/4), 06 manifold pressure ((b * 2.8758 + 91) mmHg), 07 air and 08 coolant
//     (b - 55 °C), 09 throttle (b * 0.1848 - 1.41 degrees, from 34 degrees on
//     b * 0.7058 - 90), 0A battery (b * 0.0628 V); 10-12 and 14-16 the fault bits of rows 0-2
//     and 4-6, 2B-2D and 2F-31 their fault kinds (ByteFamilySettings; 00: none); 13 the engine
//     status (bit 0 stepper enabled, bit 1 engine running, bit 3 throttle at a stop);
//     families 0 to 2 also 17 to 28 their identification bytes and the diagnostic mode below,
//     15M and 15RC 0F their trimmer.
//     The low bytes (02, 04) come from the value latched when its high byte was read, so a
//     value changing between the two reads cannot tear.
//   4, KWP frames: 81 start communication (C1 EF 8F), 82 stop, 10 81 session, 20 end of
//     session, 3E tester present, 21 A0 engine-data record (words: rpm, hPa, air + 40,
//     coolant + 40, throttle x10, advance x10, battery x10, 0, injection x500, [0]), 21 30
//     engine speed (word, rpm), 21 45 lambda probe (word, mV), 21 A6 status record (16 bytes),
//     21 4B mixture state; the fault services 18 00 FF 00, 17 hh ll, 14 FF 00 and the
//     identification 1A 80 (see KwpEngineSettings); the engine phase, immobiliser, trimmer and
//     stepper reads, the actuator tests, the trimmer's adjustment and store, the service reset
//     and the throttle-sensor reset (see KwpEngineResponder). Anything else is refused (7F,
//     service, and 11 for a service it lacks, 12 for a request of the wrong length, 31 for a local
//     identifier, option, group or code it does not have).
//   5, OBD (see EobdResponder): mode 01 00 supported PIDs, 01 warning lamp and count of stored
//     codes, 04 load, 05 coolant, 0B manifold pressure (kPa), 0C speed (rpm x4), 0D vehicle
//     speed, 0F air, 10 air flow (g/s x100), 11 throttle (one byte, % of 255); mode 03 the
//     stored codes, mode 04 clears them; 81, 82 and 3E as family 4. It hears the functional
//     header C<n> 33 F1 as well as its own address, and answers from 10 either way. Asked by
//     address, another parameter is refused with 7F 01 12, another service with 7F, service, 11;
//     asked functionally, it says nothing to either.
// Replies of more than 63 data bytes go in the length-byte format: 80, the two addresses, the
// length byte, the data and the checksum over all of them.

// Data-link speed of a family: 7812 baud for the byte families 0 to 3, 10400 for 4 and 5.
int FamilyBaud(int family);

// A fault shown on demand. Rules are looked up in the order they were added; the first whose
// request matches is applied to that request.
struct EcuFault {
  // The request it applies to, as a payload: the address byte for the byte families ("09"),
  // the service and parameters for the framed ones ("0111", "21A0"). Empty: every request.
  HexMessage request{};
  bool silence = false;  // heard, never answered
  // Framed families: refused with 7F + service + this code instead of the reply, and not
  // carried out (nothing switched on, nothing cleared). The byte families have no refusal: they
  // stay silent, and do nothing either. A silenced request is carried out: its reply is lost.
  std::optional<std::uint8_t> negative{};
  std::optional<std::uint8_t> stray_byte{};  // sent just before the reply
  int keep_bytes = -1;                       // >= 0: the reply cut to its first bytes
  bool bad_checksum = false;                 // framed replies: last byte off by one
  double extra_delay = 0;                    // seconds added to P2: a late reply
  int times = 0;  // requests it applies to before it is dropped; 0: every one
};

// A trouble code as a tester shows it ("P0130": P, C, B or U, then four hex digits, the first
// 0 to 3) in the two bytes an ECU sends: the letter in the top two bits, then the digits. None
// for text that is no code.
std::optional<std::uint16_t> ParseDtc(std::string_view text);

struct EobdSettings {
  std::vector<std::uint16_t> stored_codes;  // what mode 03 reports, in order, until mode 04
};

// EobdResponder: the OBD services of an EOBD engine ECU, as the data of its reply frames (no
// header, no checksum), for the model on the K-line and for the ECU behind the adapter alike.
//   01 PID  41 PID and the value; 01 01: A = warning lamp (bit 7, on while codes are stored)
//           and the count of stored codes, then the readiness bytes B C D.
//   03      the layout of ISO 14230-4: 43 and three two-byte codes a frame, the last frame
//           padded with 00 00, one frame per three codes; one frame of zeros when none is stored.
//   04      44; the stored codes are cleared (and the lamp goes off).
// A request for what it does not have gets a refusal when it came to the ECU's address and no
// answer at all when it came functionally (another ECU may have it; the adapter says NO DATA).
class EobdResponder {
 public:
  explicit EobdResponder(EobdSettings settings = {});
  std::vector<HexMessage> Respond(const HexMessage& payload, const EngineState& state,
                                  bool functional);
  const std::vector<std::uint16_t>& StoredCodes() const { return codes_; }

 private:
  std::vector<std::uint16_t> codes_;
};

// EcuModel: what every family's model shares: the bus, request assembly, the reply after P2,
// faults and the ignition. A request is complete when the family's framing says so; bytes
// followed by an idle line (20 ms, longer than the tester's 6 ms between bytes) that make no
// whole request are dropped as a bad frame, like a framed request with a wrong checksum.
class EcuModel {
 public:
  struct Request {
    Nanos end;          // end of the last byte
    HexMessage bytes;   // as heard on the line
    HexMessage key;     // the payload a fault's `request` is compared with
    HexMessage answer;  // the bytes sent back, faults applied; empty: none
  };

  virtual ~EcuModel();
  EcuModel(const EcuModel&) = delete;
  EcuModel& operator=(const EcuModel&) = delete;

  int Baud() const { return tx_.Baud(); }
  void SetP2(double seconds) { p2_ = seconds; }
  void SetP1(double seconds) { p1_ = seconds; }

  // Off: the ECU hears nothing, says nothing, and a reply not yet on the line is dropped. On
  // again: it answers from the next request.
  void SetIgnition(bool on);
  bool Ignition() const { return ignition_; }

  void AddFault(EcuFault fault) { faults_.push_back(std::move(fault)); }
  void ClearFaults() { faults_.clear(); }

  // Every complete request heard while the ignition was on.
  const std::vector<Request>& Requests() const { return requests_; }
  // Every byte put on the line, with times.
  const std::vector<UartTransmitter::Frame>& Sent() const { return tx_.Sent(); }
  // Requests dropped: cut short by the idle line, or framed with a wrong checksum.
  int BadFrames() const { return bad_frames_; }

 protected:
  EcuModel(VirtualClock& clock, KLineBus& bus, EngineSource& engine, int baud,
           const std::string& name, double p2);

  // Bytes that make a whole request starting with `bytes`, or 0 while that is not known yet.
  virtual std::size_t RequestLength(const std::vector<std::uint8_t>& bytes) const = 0;
  // False for a whole request the ECU must ignore (a wrong checksum).
  virtual bool Valid(const std::vector<std::uint8_t>&) const { return true; }
  // The payload faults are matched against.
  virtual HexMessage Key(const std::vector<std::uint8_t>& request) const = 0;
  // The reply to a valid request with the engine as it is now; empty: no answer.
  virtual HexMessage Answer(const std::vector<std::uint8_t>& request, Nanos now) = 0;
  // The frames of the reply, each sent P2 after the end of the one before; by default the one
  // of Answer. A fault applies to the first.
  virtual std::vector<HexMessage> Answers(const std::vector<std::uint8_t>& request, Nanos now);
  // The refusal of a request with `code`; empty where the family has none.
  virtual HexMessage Refusal(const std::vector<std::uint8_t>&, std::uint8_t) const { return {}; }
  virtual bool Framed() const { return false; }
  // The ignition went off: what the ECU holds only while powered is lost.
  virtual void OnPowerDown() {}

  // The bench's time now.
  Nanos Now() const;
  // An action of the ECU's own after `delay`; cancelled when the ignition goes off.
  EventId After(Nanos delay, std::function<void()> action);
  void Cancel(EventId id);
  // Bytes the ECU puts on the line of its own accord, at once (no request, no fault applied).
  void SendNow(const HexMessage& bytes);

  EngineSource& engine_;

 private:
  void OnByte(std::uint8_t byte);
  void Complete();
  void ApplyFault(const std::vector<std::uint8_t>& request, const HexMessage& key,
                  std::vector<HexMessage>& frames, double& delay);
  void SendAfter(double delay, const HexMessage& reply);

  VirtualClock& clock_;
  UartTransmitter tx_;
  UartReceiver rx_;
  double p2_;
  double p1_ = 0;
  bool ignition_ = true;
  std::vector<std::uint8_t> buffer_;
  EventId idle_event_ = 0;
  std::vector<EcuFault> faults_;
  std::vector<Request> requests_;
  int bad_frames_ = 0;
  ScopedEvents events_;  // last: cancelled before anything they use goes away
};

// One activation of an actuator (or of the stepper test) by an ECU model, in seconds of the
// bench's clock: switched on at the end of the request that started it, off at the end of the
// one that ended it, or when the ECU ended it itself (its own time limit, the end of a byte
// family's test, the ignition going off).
struct ActuatorActivation {
  enum class EndedBy { kTester, kEcu, kNever };
  std::uint8_t id = 0;  // family 4: the local identifier; families 0 to 2: the command byte
  double on_s = 0;
  std::optional<double> off_s;         // none while still on
  EndedBy ended_by = EndedBy::kNever;  // kNever while still on
};

// What a byte-family ECU holds beside its live data.
struct ByteFamilySettings {
  ByteFaultRows faults;
  ByteIdentification identification = DefaultByteIdentification();  // families 0 to 2 only
  bool stepper_enabled = true;                                      // status bit 0
  // The trimmer the ECU has stored, as its raw byte (shown as raw - 128); 15M and 15RC only.
  std::uint8_t trimmer_raw = 0x81;
  // The byte the ECU sends when a test has run its time: FF (done) unless this is set (EE: a
  // test gone wrong); with silent_end it sends nothing at all.
  std::optional<std::uint8_t> end_byte_override;
  bool silent_end = false;
};

// Where a byte-family ECU with a diagnostic mode stands.
enum class ByteMode { kNormal, kDiagnostic, kTestRunning, kTrimmer };

// The test command bytes of families 0 to 2, their memory-clearing byte and the trimmer mode's.
struct ByteCommands {
  std::uint8_t clear;
  std::uint8_t rev_counter;
  std::uint8_t pump;
  std::uint8_t coil1, coil2;
  std::uint8_t injector1, injector2;
};
// 16M: clear 84, rev counter 86, pump 80, coils 82 83, injectors 81 87; 15M and 15RC: clear 83,
// rev counter 85, pump 80, coils 81 82, injectors 86 87. None for another family.
std::optional<ByteCommands> ByteFamilyCommands(int family);
// How long a byte family's test runs before the ECU ends it: 30 s for the pump, 5 s for the
// others (the rev counter's sweep included).
double ByteTestSeconds(int family, std::uint8_t command);

// Families 0 to 3 ("MM16", "MM15", "15RC", "P8"): one address byte in, one data byte out, at
// 7812 baud; P2 5 ms by default. An address it does not know gets no answer.
//
// Families 0 to 2 have a diagnostic mode, the one the tester's memory clearing and actuator
// tests go through:
//
//   normal --AA, engine stopped--> AA, diagnostic --test command--> echo, test running
//     ^                             |   ^   |                            |
//     |                             |   |   +--clear command--> FF,      | after the test's
//     |                             |   |       memorised rows emptied   | time: FF (or EE,
//     |                             |   +--------------------------------+ or nothing) of its
//     +------------ FF <-- FF ------+                                    | own accord
//     +------------ FF <-- FF ---------------------------------------------+ (test ended)
//
// AA while the engine runs gets no answer, and so does a test command (the engine started
// after AA); so does any byte the mode does not know. Neither in
// the diagnostic mode nor while a test runs are the live-data addresses served. Each test is an
// activation in ActuatorLog (id: its command byte), ended by the tester's FF or by the ECU.
//
// The trimmer mode, 15M and 15RC only (the 16M does not answer 8D): in the diagnostic mode, 8D
// with the engine stopped is echoed and enters it (running: no answer). There every byte 01 to
// FE is echoed and becomes the temporary trimmer (raw). FF is echoed; a second FF within 2 s of
// the first stores the temporary value, if the engine was running at the first FF (otherwise
// the old value stays), and ends the mode: back to normal, the temporary value dropped either
// way. 00 gets no answer. In the normal mode address 0F answers the trimmer's raw byte (the
// temporary one while set, else the stored one).
//
// Ignition off: back to the normal mode, a running test ended by the ECU, the temporary trimmer
// dropped; the fault rows and the stored trimmer stay.
class ByteFamilyEcu : public EcuModel {
 public:
  ByteFamilyEcu(VirtualClock& clock, KLineBus& bus, EngineSource& engine, int family,
                ByteFamilySettings settings = {});
  int Family() const { return family_; }
  ByteFamilySettings& Settings() { return settings_; }
  ByteMode Mode() const { return mode_; }
  // In the diagnostic mode, a test running in it included.
  bool InDiagnosticMode() const {
    return mode_ == ByteMode::kDiagnostic || mode_ == ByteMode::kTestRunning;
  }
  const std::vector<ActuatorActivation>& ActuatorLog() const { return log_; }
  std::optional<std::uint8_t> TrimmerTemporary() const { return trimmer_temporary_; }
  // The raw byte address 0F answers.
  std::uint8_t TrimmerRaw() const { return trimmer_temporary_.value_or(settings_.trimmer_raw); }

  static constexpr double kTrimmerStoreSeconds = 2;  // between the two FF of a store

 protected:
  std::size_t RequestLength(const std::vector<std::uint8_t>&) const override { return 1; }
  HexMessage Key(const std::vector<std::uint8_t>& request) const override;
  HexMessage Answer(const std::vector<std::uint8_t>& request, Nanos now) override;
  void OnPowerDown() override;

 private:
  std::optional<std::uint8_t> DiagnosticAnswer(std::uint8_t command, const EngineState& state,
                                               Nanos now);
  std::optional<std::uint8_t> TrimmerAnswer(std::uint8_t byte, const EngineState& state, Nanos now);
  std::optional<std::uint8_t> StateByte(std::uint8_t address, const EngineState& state) const;
  bool IsTest(std::uint8_t command) const;
  bool HasTrimmer() const;
  void StartTest(std::uint8_t command, Nanos now);
  void EndTest(Nanos now, ActuatorActivation::EndedBy by);
  void LeaveTrimmer();

  int family_;
  ByteFamilySettings settings_;
  ByteMode mode_ = ByteMode::kNormal;
  std::vector<ActuatorActivation> log_;
  EventId test_end_ = 0;
  std::optional<std::uint8_t> trimmer_temporary_;
  std::optional<Nanos> first_ff_;  // trimmer mode: the first FF of a store, when
  bool ran_at_first_ff_ = false;
  std::optional<EngineState> period_latch_;
  std::optional<EngineState> injection_latch_;
};

// The engine status byte of a byte family (address 13): bit 0 stepper enabled, bit 1 engine
// running, bit 3 throttle at a stop (closed or wide open).
std::uint8_t ByteFamilyStatus(const EngineState& state, bool stepper_enabled);
// True while the engine turns on its own (not stopped, not merely cranking).
bool EngineRunning(const EngineState& state);

// The live-data byte (addresses 01 to 0A) a byte-family ECU answers at `address` for `state`;
// none for any other address. Each value is encoded so that the family's scaling gives it back as
// closely as a byte allows (the throttle: the byte whose reading is nearest). High bytes never
// reach 0xFF (which the tester takes for "no new value") and the injection's low byte never is 0xFF
// (which reads as no injection).
std::optional<std::uint8_t> ByteFamilyByte(int family, std::uint8_t address,
                                           const EngineState& state);

// KWP2000 framing shared by families 4 and 5: format byte 0x80 + length (or 0x80 and a length
// byte), target, source, data, checksum. A reply goes back with the addresses swapped (from 10
// to a functional request); a request with a wrong checksum is ignored. P2 25 ms by default.
class FramedEcu : public EcuModel {
 protected:
  FramedEcu(VirtualClock& clock, KLineBus& bus, EngineSource& engine, const std::string& name);

  std::size_t RequestLength(const std::vector<std::uint8_t>& bytes) const override;
  bool Valid(const std::vector<std::uint8_t>& request) const override;
  HexMessage Key(const std::vector<std::uint8_t>& request) const override;
  HexMessage Answer(const std::vector<std::uint8_t>& request, Nanos now) override;
  HexMessage Refusal(const std::vector<std::uint8_t>& request, std::uint8_t code) const override;
  bool Framed() const override { return true; }
  // True for an ECU that also hears the functional header (format C<n>, target 33).
  virtual bool HearsFunctional() const { return false; }

  // The reply's data (service + 0x40 and its values, or 7F ...) to a request's payload.
  virtual HexMessage Respond(const HexMessage& payload, const EngineState& state) = 0;
  // Services both framed families answer the same way; empty when `payload` is none of them.
  static HexMessage CommonResponse(const HexMessage& payload);
};

// Family 4's status record: 16 value bytes (byte 4 engine phase, 5-6 running mode, 8 side
// stand, 9 clutch, 10 throttle class, 12 neutral, 13 run/stop, 14 start readiness). The default
// is a healthy engine idling: engine on, mode "idle running", stand up, clutch released,
// throttle at minimum, run, ready.
using StatusRecord = std::array<std::uint8_t, 16>;
inline constexpr StatusRecord kHealthyStatus = {0x03, 0x03, 0x00, 0x00, 0x04, 0x00, 0x40, 0x00,
                                                0x00, 0x01, 0x01, 0x00, 0x01, 0x00, 0x01, 0x01};

// Family 4's local identifiers of input/output control (service 30).
inline constexpr std::uint8_t kKwpStepperTest = 0x04;
inline constexpr std::uint8_t kKwpTrimmer = 0x15;
inline constexpr std::uint8_t kKwpServiceReset = 0x20;
// The actuators of the tests: rev counter 06, fuel pump 05, coils 02 and 03, injectors 08 and
// 09, fans 0E and 0D.
inline constexpr std::uint8_t kKwpActuators[] = {0x06, 0x05, 0x02, 0x03, 0x08, 0x09, 0x0E, 0x0D};

// The time after which family 4 ends an activation by itself, per local identifier: 2 s more
// than the tester's own duration of each test (rev counter 4 s, pump 32 s, coils and injectors
// 7 s, fans 12 s), and 32 s for the stepper test.
std::map<std::uint8_t, std::optional<double>> DefaultActuatorLimits();

struct KwpEngineSettings {
  // The engine-data record "21A0": format 0x96 with 20 value bytes, or 0x94 with the first 18.
  bool short_record = false;
  StatusRecord status = kHealthyStatus;
  // The mixture state byte of "214B"; none: it follows the probe (2 lean, 8 rich).
  std::optional<std::uint8_t> mixture;

  // The fault services:
  //   18 00 FF 00  58, count, then code high, code low, status for each stored code (at most
  //                kMaxStoredDtcs: beyond 63 data bytes the frame has a length byte)
  //   17 hh ll     57 02 hh ll status 00 00 00 00 00 00 counter; 7F 17 31 for a code not stored
  //   14 FF 00     54 FF 00 and the store emptied; 7F 14 22 and the store kept while the
  //                engine runs, if refuse_clear_while_running
  //   1A 80        5A 80 and the identification record (63 data bytes, format byte BF)
  // Another status or group, option or code: 7F service 31; another length: 7F service 12.
  std::vector<StoredDtc> stored_codes;
  bool refuse_clear_while_running = false;
  KwpIdentification identification = DefaultKwpIdentification();

  // The ECU's name, answered to 1A 92 as its characters (5A 92 and the text), which the tester
  // reads at the session start. A name holding "IAW5A" makes a 5AM: it has the stepper motor
  // (21 6C, 30 04) and the service reset (30 20); any other name, or none, a 59M, which refuses
  // them with 31. Empty: 1A 92 is refused (7F 1A 31) as well.
  std::string ecu_name;

  // 21 57: 61 57 and the engine phase, 02 "key on, engine off" while the engine is stopped and
  // 04 "engine on" while it runs; this value instead when set (e.g. 08, a stall).
  std::optional<std::uint8_t> engine_phase;

  // Input/output control, 30 id parameter (see KwpEngineResponder): the actuator tests are
  // refused with 7F 30 22 while the engine runs, unless this is false.
  bool refuse_tests_while_running = true;
  // Seconds after which the ECU ends an activation by itself; none, or an id missing here: it
  // stays on until the tester ends it or the ignition goes off.
  std::map<std::uint8_t, std::optional<double>> actuator_limits = DefaultActuatorLimits();

  // 21 74: 61 74 and the immobiliser status byte (00: system OK).
  std::uint8_t immobiliser = 0x00;

  // The throttle-sensor reset, routine 21: 31 21 starts it (71 21), 33 21 gives its result
  // (73 21 and this byte; 00: done). With tps_reset_refusal, 31 21 is refused with that code.
  std::uint8_t tps_reset_result = 0x00;
  std::optional<std::uint8_t> tps_reset_refusal;

  // The idle-mixture trimmer the ECU has stored (21 3D reads it while no temporary value is set).
  std::int8_t trimmer_stored = 9;
};

// A request of input/output control of the trimmer (30 15 ...), as the ECU took it.
struct TrimmerCommand {
  double at_s = 0;           // end of the request, seconds of the bench's clock
  std::uint8_t control = 0;  // 07 temporary adjustment, 05 store, or what else was sent
  std::uint8_t value = 0;    // the value byte (signed: 0 to 7F positive, 81 to FF negative)
  bool accepted = false;
};

// KwpEngineResponder: family 4's services as the data of its reply frames (no header, no
// checksum), with what the ECU holds between requests: the fault store, the actuators it drives,
// the routine of the throttle-sensor reset and the trimmer. It serves the model on the K-line and
// the ECU behind the adapter alike. Every call gives the bench's time (the end of the request),
// which the actuators' own time limits and the stepper's sweep run on.
//
//   21 57       61 57 phase (see KwpEngineSettings::engine_phase)
//   21 74       61 74 immobiliser
//   21 3D       61 3D trimmer 25: the temporary value while one is set, else the stored one
//   21 6C       61 6C position (5AM only): 150 at rest; while the stepper test runs it sweeps
//               between 20 and 200 (45 steps a second, from 150 upwards)
//   30 id 07    an actuator of kKwpActuators on: 70 id 07. Refused with 7F 30 22 while the engine
//               runs (refuse_tests_while_running). A second 30 id 07 while it is on is answered
//               the same and changes nothing: one activation, its time limit still counted from
//               the first.
//   30 id 00    that actuator off (70 id 00), whether it was on or not, engine running or not:
//               giving control back is never refused.
//   30 04 07    the stepper test (5AM only) on for 32 s, only while the engine runs (stopped:
//               7F 30 22); 30 04 00 ends it. Logged as the actuators are, id 04.
//   30 15 07 XX the temporary trimmer XX: 70 15 07 XX, engine running or not (an idle
//               adjustment is made running).
//   30 15 05 XX XX stored: 70 15 05 XX. Refused with 7F 30 22 unless XX is the temporary value
//               the ECU holds, and for XX 7F or 80 (beyond the 126 the ECU can store).
//   30 20 07    the service reset (5AM only): 70 20 07; 7F 30 22 while the engine runs.
//   31 21       the throttle-sensor reset started: 71 21; 7F 31 22 while the engine runs, or
//               7F 31 <tps_reset_refusal>.
//   33 21       its result: 73 21 tps_reset_result, once per start; without a start before it
//               7F 33 24 (request sequence error).
// Any other local identifier or routine: 7F service 31; another parameter of a known id:
// 7F 30 31; a request of the wrong length: 7F service 12.
// The ignition going off (PowerDown) ends every activation (by the ECU), drops the temporary
// trimmer and forgets a started routine.
class KwpEngineResponder {
 public:
  explicit KwpEngineResponder(KwpEngineSettings settings = {});

  HexMessage Respond(const HexMessage& payload, const EngineState& state, Nanos now);
  void PowerDown(Nanos now);

  KwpEngineSettings& Settings() { return settings_; }
  const KwpEngineSettings& Settings() const { return settings_; }
  bool FiveAm() const;

  // Every activation so far, in the order they began, with the ECU's own limits applied up to
  // `now`.
  const std::vector<ActuatorActivation>& ActuatorLog(Nanos now) const;
  bool ActuatorOn(std::uint8_t id, Nanos now) const;
  std::uint8_t StepperPosition(Nanos now) const;

  std::optional<std::int8_t> TrimmerTemporary() const { return trimmer_temporary_; }
  const std::vector<TrimmerCommand>& TrimmerLog() const { return trimmer_log_; }
  int TpsResetStarts() const { return tps_reset_starts_; }    // 31 21 answered 71 21
  int TpsResetResults() const { return tps_reset_results_; }  // 33 21 answered 73 21
  int ServiceResets() const { return service_resets_; }       // 30 20 07 answered 70 20 07

 private:
  HexMessage InputOutputControl(const HexMessage& payload, const EngineState& state, Nanos now);
  HexMessage Routine(const HexMessage& payload, const EngineState& state);
  void Settle(Nanos now) const;
  // The activation of `id` still on at `now`, or null.
  ActuatorActivation* OnNow(std::uint8_t id, Nanos now) const;
  void SwitchOn(std::uint8_t id, Nanos now);
  void SwitchOff(std::uint8_t id, Nanos now, ActuatorActivation::EndedBy by);

  KwpEngineSettings settings_;
  // The log, with each activation's start and own end, settled lazily as time is asked for.
  struct Timing {
    Nanos on;
    std::optional<Nanos> limit;
  };
  mutable std::vector<ActuatorActivation> log_;
  std::vector<Timing> timings_;
  std::optional<std::int8_t> trimmer_temporary_;
  std::vector<TrimmerCommand> trimmer_log_;
  bool tps_reset_started_ = false;
  int tps_reset_starts_ = 0;
  int tps_reset_results_ = 0;
  int service_resets_ = 0;
};

// Family 4 ("M59/M5A"), KWP2000 at 10400 baud, with the services of KwpEngineResponder.
class KwpEngineEcu : public FramedEcu {
 public:
  KwpEngineEcu(VirtualClock& clock, KLineBus& bus, EngineSource& engine,
               KwpEngineSettings settings = {});
  KwpEngineSettings& Settings() { return responder_.Settings(); }
  KwpEngineResponder& Responder() { return responder_; }

  // As KwpEngineResponder's, at the bench's time now.
  const std::vector<ActuatorActivation>& ActuatorLog() const;
  bool ActuatorOn(std::uint8_t id) const;
  std::uint8_t StepperPosition() const;
  std::optional<std::int8_t> TrimmerTemporary() const { return responder_.TrimmerTemporary(); }
  const std::vector<TrimmerCommand>& TrimmerLog() const { return responder_.TrimmerLog(); }
  int TpsResetStarts() const { return responder_.TpsResetStarts(); }
  int TpsResetResults() const { return responder_.TpsResetResults(); }
  int ServiceResets() const { return responder_.ServiceResets(); }

 protected:
  HexMessage Respond(const HexMessage& payload, const EngineState& state) override;
  void OnPowerDown() override;

 private:
  KwpEngineResponder responder_;
};

// Family 5 ("EOBD"), the OBD services over KWP2000 frames at 10400 baud.
class EobdEcu : public FramedEcu {
 public:
  EobdEcu(VirtualClock& clock, KLineBus& bus, EngineSource& engine, EobdSettings settings = {});
  const std::vector<std::uint16_t>& StoredCodes() const { return responder_.StoredCodes(); }

 protected:
  HexMessage Respond(const HexMessage& payload, const EngineState& state) override;
  std::vector<HexMessage> Answers(const std::vector<std::uint8_t>& request, Nanos now) override;
  bool HearsFunctional() const override { return true; }

 private:
  EobdResponder responder_;
};

// The reply's data (service + 0x40 and its values, or 7F ...) that family 4 (with default
// settings) or 5 (no stored codes, asked by address; only its first frame) gives to a
// request's payload with the engine in `state`, off the bus. Empty for other families. A model
// that frames the exchange itself and needs every frame or the stored codes, such as the
// adapter's ECU, uses an EobdResponder.
HexMessage FramedFamilyReply(int family, const HexMessage& payload, const EngineState& state);

// The model of `family` (0 to 5) on `bus`; null for any other family.
std::unique_ptr<EcuModel> MakeFamilyEcu(VirtualClock& clock, KLineBus& bus, EngineSource& engine,
                                        int family);

}  // namespace velkor::sim
