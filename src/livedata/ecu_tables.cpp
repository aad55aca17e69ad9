#include "livedata/ecu_tables.hpp"

#include <cstddef>

namespace velkor {

namespace {

constexpr EcuTypeNameTable kEcuTypeNames = {"MM16",    "MM15", "15RC", "P8",
                                            "M59/M5A", "EOBD", "",     ""};

constexpr MotoModelTable kMotoModels = {{
    {"Ducati ST2", "Ducati ST4", "Ducati 916", "Ducati 996 =>2000"},
    {"Ducati 900 SSie", "MOTO GUZZI V11 Sport"},
    {},
    {"Ducati 888", "Guzzi"},
    {"Ducati ST4S", "Ducati 996R", "Ducati 998", "Ducati 998S", "Ducati 998R", "Ducati MONSTER 620",
     "Ducati MONSTER 750", "Ducati MONSTER 900 (depuis 2002)", "Ducati MONSTER S4",
     "Ducati MultiStrada"},
    {"EODB"},  // the model text as users see it; not a typo to correct
    {},
    {},
}};

// One row per role: the family-4 and family-5 entries. The lengths count the whole reply
// frame (format byte, two address bytes, data, checksum).
struct CommandRow {
  EcuRole role;
  std::string_view request_59m;
  int length_59m;
  std::string_view request_eobd;
  int length_eobd;
};

constexpr CommandRow kCommandRows[] = {
    {EcuRole::kStartCommunication, "81", 7, "81", 7},
    {EcuRole::kStopCommunication, "82", 7, "82", 7},
    {EcuRole::kStartDiagnosticSession, "1081", 6, "1081", 6},
    {EcuRole::kStopDiagnosticSession, "20", 7, "", 0},
    {EcuRole::kTesterPresent, "3E", 5, "3E", 5},
    {EcuRole::kReadDtcByStatus, "1800FF00", 30, "17FF00", 15},
    {EcuRole::kReadStatusOfDtc, "17", 16, "", 0},
    {EcuRole::kClearDiagnosticInformation, "14FF00", 7, "14FF00", 7},
    {EcuRole::kReadDataLocalId57, "2157", 7, "", 0},
    {EcuRole::kStartRoutine21, "3121", 6, "", 0},
    {EcuRole::kRoutineResults21, "3321", 6, "", 0},
    {EcuRole::kActuatorTestStart, "30xx07", 7, "", 0},
    {EcuRole::kActuatorTestEnd, "30xx00", 7, "", 0},
    {EcuRole::kReadDataLocalId74, "2174", 7, "", 0},
    {EcuRole::kTrimmerAdjust, "301507", 8, "", 0},
    {EcuRole::kTrimmerStore, "301505", 8, "", 0},
    {EcuRole::kTrimmerRead, "213D", 7, "", 0},
    {EcuRole::kEngineDataRecord, "21A0", 26, "21A0", 26},
    {EcuRole::kEngineDataRecordA6, "21A6", 20, "", 0},
    // From here on the family-4 local identifier and the OBD parameter of family 5 that feed
    // the same display; family 4 measures with "2130" and "21A0" only.
    {EcuRole::kEngineSpeed, "2130", 8, "010C", 8},
    {EcuRole::kEngineLoadInjection, "213A", 8, "0104", 7},
    {EcuRole::kMassAirFlowAdvance, "2135", 8, "0110", 8},
    {EcuRole::kManifoldPressure, "2131", 8, "010B", 7},
    {EcuRole::kIntakeAirTemperature, "2132", 8, "010F", 7},
    {EcuRole::kCoolantTemperature, "2133", 8, "0105", 7},
    {EcuRole::kThrottlePosition, "2134", 8, "0111", 8},
    {EcuRole::kVehicleSpeedBattery, "213C", 8, "010D", 7},
};
static_assert(std::size(kCommandRows) == kEcuRoleCount, "one row per role");

bool IsFamilySlot(int ecu_type) { return ecu_type >= 0 && ecu_type < kEcuFamilySlots; }

bool IsRole(EcuRole role) {
  const int index = static_cast<int>(role);
  return index >= 0 && index < kEcuRoleCount;
}

}  // namespace

const EcuTypeNameTable& EcuTypeNames() { return kEcuTypeNames; }

const MotoModelTable& MotoModels() { return kMotoModels; }

EcuCommandTable::EcuCommandTable() {
  for (const CommandRow& row : kCommandRows) {
    const auto index = static_cast<std::size_t>(row.role);
    requests_[index][Iaw59M5AM] = row.request_59m;
    lengths_[index][Iaw59M5AM] = row.length_59m;
    requests_[index][Eobd] = row.request_eobd;
    lengths_[index][Eobd] = row.length_eobd;
  }
}

const EcuCommandTable& EcuCommandTable::Get() {
  static const EcuCommandTable table;
  return table;
}

HexMessage EcuCommandTable::Request(EcuRole role, int ecu_type) const {
  if (!IsRole(role) || !IsFamilySlot(ecu_type)) return {};
  return HexMessage(requests_[static_cast<std::size_t>(role)][ecu_type]);
}

int EcuCommandTable::Length(EcuRole role, int ecu_type) const {
  if (!IsRole(role) || !IsFamilySlot(ecu_type)) return 0;
  return lengths_[static_cast<std::size_t>(role)][ecu_type];
}

HexMessage EcuRequest(EcuRole role, int ecu_type) {
  return EcuCommandTable::Get().Request(role, ecu_type);
}

int EcuReplyLength(EcuRole role, int ecu_type) {
  return EcuCommandTable::Get().Length(role, ecu_type);
}

std::string EcuTypeName(int ecu_type) {
  if (!IsFamilySlot(ecu_type)) return {};
  return std::string(kEcuTypeNames[ecu_type]);
}

std::string MotoModelName(int ecu_type, int model) {
  if (!IsFamilySlot(ecu_type) || model < 0 || model >= kMotoModelSlots) return {};
  return std::string(kMotoModels[ecu_type][model]);
}

std::vector<std::string> OfferedEcuTypeNames() {
  std::vector<std::string> names;
  for (std::string_view name : kEcuTypeNames) {
    if (!name.empty()) names.emplace_back(name);
  }
  return names;
}

int EcuTypeOfName(std::string_view name) {
  if (name.empty()) return -1;
  for (int ecu_type = 0; ecu_type < kEcuFamilySlots; ++ecu_type) {
    if (kEcuTypeNames[ecu_type] == name) return ecu_type;
  }
  return -1;
}

std::vector<std::string> MotoModelNames(int ecu_type) {
  std::vector<std::string> names;
  if (!IsFamilySlot(ecu_type)) return names;
  for (std::string_view name : kMotoModels[ecu_type]) {
    if (!name.empty()) names.emplace_back(name);
  }
  return names;
}

HexMessage WithLocalIdentifier(std::string_view request, int local_identifier) {
  if (local_identifier < 0 || local_identifier > 0xFF) return {};
  HexMessage result(request);
  const std::size_t at = result.find("xx");
  if (at == HexMessage::npos) return result;
  static constexpr char kDigits[] = "0123456789ABCDEF";
  result[at] = kDigits[local_identifier >> 4];
  result[at + 1] = kDigits[local_identifier & 0x0F];
  return result;
}

}  // namespace velkor
