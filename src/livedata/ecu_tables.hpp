#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/ecu_family.hpp"
#include "core/hex_message.hpp"

namespace velkor {

// Model slots per family in `MotoModels` (model index 0..10, as stored under [ECU] Moto).
inline constexpr int kMotoModelSlots = 11;

// The services the program sends to the framed families (4 "M59/M5A" and 5 "EOBD"), in the
// order of the command table. Each role holds, per family, the request payload (service
// identifier and parameters only: format byte, addresses and checksum are added by the
// exchange) and the length of the whole reply frame the exchange waits for.
enum class EcuRole : int {
  kStartCommunication,          // 81
  kStopCommunication,           // 82
  kStartDiagnosticSession,      // 10 81, standard session
  kStopDiagnosticSession,       // 20
  kTesterPresent,               // 3E
  kReadDtcByStatus,             // 18 (family 5: 17): every stored code
  kReadStatusOfDtc,             // 17 + the code, appended by the caller
  kClearDiagnosticInformation,  // 14 FF00: all groups
  kReadDataLocalId57,           // 21 57 (throttle sensor reset)
  kStartRoutine21,              // 31 21
  kRoutineResults21,            // 33 21
  kActuatorTestStart,           // 30 xx 07: xx = local identifier of the actuator
  kActuatorTestEnd,             // 30 xx 00
  kReadDataLocalId74,           // 21 74
  kTrimmerAdjust,               // 30 15 07
  kTrimmerStore,                // 30 15 05
  kTrimmerRead,                 // 21 3D
  kEngineDataRecord,            // 21 A0: the full engine-data record
  kEngineDataRecordA6,          // 21 A6 (the status read sends it with its own length)
  kEngineSpeed,                 // family 4: 21 30, family 5: OBD PID 0C
  kEngineLoadInjection,         // 21 3A / 04
  kMassAirFlowAdvance,          // 21 35 / 10
  kManifoldPressure,            // 21 31 / 0B
  kIntakeAirTemperature,        // 21 32 / 0F
  kCoolantTemperature,          // 21 33 / 05
  kThrottlePosition,            // 21 34 / 11
  kVehicleSpeedBattery,         // 21 3C / 0D
};
inline constexpr int kEcuRoleCount = static_cast<int>(EcuRole::kVehicleSpeedBattery) + 1;

// `EcuTypeNames`: the family names shown to the user, index = EcuType; slots 6 and 7 are empty.
using EcuTypeNameTable = std::array<std::string_view, kEcuFamilySlots>;
const EcuTypeNameTable& EcuTypeNames();

// `MotoModels`: the model names of each family, [EcuType][model index]; unused slots are empty.
using MotoModelTable = std::array<std::array<std::string_view, kMotoModelSlots>, kEcuFamilySlots>;
const MotoModelTable& MotoModels();

// `EcuCommandTable`: for each role, two parallel per-family arrays (request, reply length).
// Only the slots of families 4 and 5 are filled; an empty request with length 0 means the
// family has no such service. Built once, read-only afterwards.
class EcuCommandTable {
 public:
  // The program's table, built on first use.
  static const EcuCommandTable& Get();

  // Empty / 0 for a role or EcuType outside the table.
  HexMessage Request(EcuRole role, int ecu_type) const;
  int Length(EcuRole role, int ecu_type) const;

 private:
  EcuCommandTable();

  std::array<std::array<std::string_view, kEcuFamilySlots>, kEcuRoleCount> requests_{};
  std::array<std::array<int, kEcuFamilySlots>, kEcuRoleCount> lengths_{};
};

// Shorthands for EcuCommandTable::Get().Request / Length.
HexMessage EcuRequest(EcuRole role, int ecu_type);
int EcuReplyLength(EcuRole role, int ecu_type);

// Family name of an EcuType; empty outside 0..7 and for the unused slots.
std::string EcuTypeName(int ecu_type);
// Model name of a family's model slot (0..10); empty outside the table.
std::string MotoModelName(int ecu_type, int model);

// The family names the preferences offer: every non-empty name, in EcuType order.
std::vector<std::string> OfferedEcuTypeNames();
// The EcuType of a family name as offered, or -1 when no family has that name.
int EcuTypeOfName(std::string_view name);
// The non-empty model names of a family, in model-index order; empty outside 0..7.
std::vector<std::string> MotoModelNames(int ecu_type);

// The request with its "xx" placeholder replaced by the local identifier as two hex digits
// ("30xx07", 0x1A -> "301A07"). A request without "xx" comes back unchanged; an identifier
// outside 0..255 gives the empty request, so nothing is sent.
HexMessage WithLocalIdentifier(std::string_view request, int local_identifier);

}  // namespace velkor
