#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
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
//     families 0 to 2 also 17 to 28 their identification bytes and the diagnostic mode below.
//     The low bytes (02, 04) come from the value latched when its high byte was read, so a
//     value changing between the two reads cannot tear.
//   4, KWP frames: 81 start communication (C1 EF 8F), 82 stop, 10 81 session, 20 end of
//     session, 3E tester present, 21 A0 engine-data record (words: rpm, hPa, air + 40,
//     coolant + 40, throttle x10, advance x10, battery x10, 0, injection x500, [0]), 21 30
//     engine speed (word, rpm), 21 45 lambda probe (word, mV), 21 A6 status record (16 bytes),
//     21 4B mixture state; the fault services 18 00 FF 00, 17 hh ll, 14 FF 00 and the
//     identification 1A 80 (see KwpEngineSettings). Anything else is refused (7F, service,
//     and 11 for a service it lacks, 12 for a request of the wrong length, 31 for a local
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
  // Framed families: refused with 7F + service + this code instead of the reply. The byte
  // families have no refusal: they stay silent.
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

// What a byte-family ECU holds beside its live data.
struct ByteFamilySettings {
  ByteFaultRows faults;
  ByteIdentification identification = DefaultByteIdentification();  // families 0 to 2 only
  bool stepper_enabled = true;                                      // status bit 0
};

// Families 0 to 3 ("MM16", "MM15", "15RC", "P8"): one address byte in, one data byte out, at
// 7812 baud; P2 5 ms by default. An address it does not know gets no answer.
//
// Families 0 to 2 have a diagnostic mode, the one the tester's memory clearing and actuator
// tests go through:
//
//   normal --AA, engine stopped--> AA, diagnostic --clear command--> FF, memorised rows emptied
//     ^                               |  (84 on the 16M, 83 on the 15M and 15RC)
//     +--------------- FF <-- FF -----+
//
// AA while the engine runs gets no answer. In the diagnostic mode nothing but the clear command
// and FF is answered (the actuator tests are not modelled: their commands get no answer), and
// the live-data addresses are not served. Ignition off ends the mode; the fault rows stay.
class ByteFamilyEcu : public EcuModel {
 public:
  ByteFamilyEcu(VirtualClock& clock, KLineBus& bus, EngineSource& engine, int family,
                ByteFamilySettings settings = {});
  int Family() const { return family_; }
  ByteFamilySettings& Settings() { return settings_; }
  bool InDiagnosticMode() const { return diagnostic_; }

 protected:
  std::size_t RequestLength(const std::vector<std::uint8_t>&) const override { return 1; }
  HexMessage Key(const std::vector<std::uint8_t>& request) const override;
  HexMessage Answer(const std::vector<std::uint8_t>& request, Nanos now) override;
  void OnPowerDown() override;

 private:
  std::optional<std::uint8_t> DiagnosticAnswer(std::uint8_t command, const EngineState& state);
  std::optional<std::uint8_t> StateByte(std::uint8_t address, const EngineState& state) const;

  int family_;
  ByteFamilySettings settings_;
  bool diagnostic_ = false;
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
};

// Family 4 ("M59/M5A"), KWP2000 at 10400 baud.
class KwpEngineEcu : public FramedEcu {
 public:
  KwpEngineEcu(VirtualClock& clock, KLineBus& bus, EngineSource& engine,
               KwpEngineSettings settings = {});
  KwpEngineSettings& Settings() { return settings_; }

 protected:
  HexMessage Respond(const HexMessage& payload, const EngineState& state) override;

 private:
  KwpEngineSettings settings_;
};

// The reply's data (service + 0x40 and its values, or 7F ...) of family 4 with `settings`, off
// the bus; a clear changes settings.stored_codes. For a model that frames the exchange itself,
// such as the adapter's ECU.
HexMessage KwpEngineReply(const HexMessage& payload, const EngineState& state,
                          KwpEngineSettings& settings);

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
