#pragma once

#include <functional>
#include <string>

#include "core/clock.hpp"
#include "core/hex_message.hpp"
#include "link/exchange.hpp"
#include "link/link_state.hpp"
#include "livedata/engine_decoder.hpp"

namespace velkor {

// Reads one iteration of engine data the way each family serves it:
//   0 to 3  one byte per address ("01".."0A"), unframed, one exchange per value;
//   4       one engine-data record (21 A0), or only the engine speed (21 30) in fast mode;
//   5       one OBD mode-01 parameter per exchange.
// Values whose measure is switched off are not requested and keep what they held; family 4's
// record brings every value whatever the switches say. RawEngineValues::arrived tells whether
// any of the iteration's requests was answered with its data: a byte read with a byte, a
// record or parameter with its positive reply (a refusal brings no data). Every answer is read
// through the safe text helpers, so a short, long or garbled answer never reads outside the text.
class FamilyDecoder : public EngineDecoder {
 public:
  FamilyDecoder(Exchange& exchange, LinkState& link, Clock& clock);

  void Decode(int ecu_type, const ActiveMeasures& active, RawEngineValues& raw) override;
  // Family 4's lambda probe in mV; 0 unless the ECU description names an IAW5A, and 0 when the
  // answer does not carry the probe record.
  int ReadLambda() override;

  // Family 4: read only the engine speed, with its short answer and time-out, so the live graph
  // refreshes faster. The other seven values read 0 meanwhile.
  void SetFastSpeedMode(bool on) { fast_speed_mode_ = on; }
  bool FastSpeedMode() const { return fast_speed_mode_; }

  // Where the lambda read finds the description of the connected ECU (the main window's status
  // panel filled by the session start). Without one the lambda reads 0.
  void SetEcuDescription(std::function<std::string()> description) {
    ecu_description_ = std::move(description);
  }

  // The high byte of the engine-speed period that stands in for a 0xFF read (families 0 to 3).
  int LastGoodHighByte() const { return last_good_high_byte_; }

 private:
  void DecodeByteFamily(int ecu_type, const ActiveMeasures& active, RawEngineValues& raw);
  void DecodeRecordFamily(RawEngineValues& raw);
  void DecodeFastSpeed(RawEngineValues& raw);
  void DecodeEobd(const ActiveMeasures& active, RawEngineValues& raw);
  // One unframed single-byte read; 0 when nothing came back. `answered` is set when something
  // did.
  int ReadByteAt(const char* address, const char* canned, int timeout_ms, bool& answered);

  Exchange& exchange_;
  LinkState& link_;
  Clock& clock_;
  bool fast_speed_mode_ = false;
  int last_good_high_byte_ = 0;
  std::function<std::string()> ecu_description_;
};

}  // namespace velkor
