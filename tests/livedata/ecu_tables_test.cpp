#include "livedata/ecu_tables.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velkor {
namespace {

using ::testing::ElementsAre;

std::vector<EcuRole> AllRoles() {
  std::vector<EcuRole> roles;
  for (int i = 0; i < kEcuRoleCount; ++i) roles.push_back(static_cast<EcuRole>(i));
  return roles;
}

TEST(EcuCommandTableTest, UnframedAndUnusedFamiliesHaveNoService) {
  for (int ecu_type : {0, 1, 2, 3, 6, 7}) {
    for (EcuRole role : AllRoles()) {
      SCOPED_TRACE(testing::Message()
                   << "ecu_type " << ecu_type << " role " << static_cast<int>(role));
      EXPECT_EQ(EcuRequest(role, ecu_type), "");
      EXPECT_EQ(EcuReplyLength(role, ecu_type), 0);
    }
  }
}

struct CommandCase {
  EcuRole role;
  const char* request_59m;
  int length_59m;
  const char* request_eobd;
  int length_eobd;
};

TEST(EcuCommandTableTest, FramedFamiliesMatchTheirServices) {
  const CommandCase cases[] = {
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
      {EcuRole::kEngineSpeed, "2130", 8, "010C", 8},
      {EcuRole::kEngineLoadInjection, "213A", 8, "0104", 7},
      {EcuRole::kMassAirFlowAdvance, "2135", 8, "0110", 8},
      {EcuRole::kManifoldPressure, "2131", 8, "010B", 7},
      {EcuRole::kIntakeAirTemperature, "2132", 8, "010F", 7},
      {EcuRole::kCoolantTemperature, "2133", 8, "0105", 7},
      {EcuRole::kThrottlePosition, "2134", 8, "0111", 8},
      {EcuRole::kVehicleSpeedBattery, "213C", 8, "010D", 7},
  };
  ASSERT_EQ(std::size(cases), static_cast<std::size_t>(kEcuRoleCount));
  for (const CommandCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "role " << static_cast<int>(c.role));
    EXPECT_EQ(EcuRequest(c.role, Iaw59M5AM), c.request_59m);
    EXPECT_EQ(EcuReplyLength(c.role, Iaw59M5AM), c.length_59m);
    EXPECT_EQ(EcuRequest(c.role, Eobd), c.request_eobd);
    EXPECT_EQ(EcuReplyLength(c.role, Eobd), c.length_eobd);
  }
}

TEST(EcuCommandTableTest, ClearIsSharedWhileFaultReadsDiffer) {
  EXPECT_EQ(EcuRequest(EcuRole::kClearDiagnosticInformation, Iaw59M5AM),
            EcuRequest(EcuRole::kClearDiagnosticInformation, Eobd));
  EXPECT_EQ(EcuReplyLength(EcuRole::kClearDiagnosticInformation, Iaw59M5AM),
            EcuReplyLength(EcuRole::kClearDiagnosticInformation, Eobd));
  EXPECT_NE(EcuRequest(EcuRole::kReadDtcByStatus, Iaw59M5AM),
            EcuRequest(EcuRole::kReadDtcByStatus, Eobd));
  EXPECT_NE(EcuReplyLength(EcuRole::kReadDtcByStatus, Iaw59M5AM),
            EcuReplyLength(EcuRole::kReadDtcByStatus, Eobd));
}

TEST(EcuCommandTableTest, OutOfRangeLookUpsAreEmpty) {
  const EcuRole bad_roles[] = {static_cast<EcuRole>(-1), static_cast<EcuRole>(kEcuRoleCount)};
  for (EcuRole role : bad_roles) {
    EXPECT_EQ(EcuRequest(role, Iaw59M5AM), "");
    EXPECT_EQ(EcuReplyLength(role, Iaw59M5AM), 0);
  }
  for (int ecu_type : {-1, 8, 32767, -32768}) {
    EXPECT_EQ(EcuRequest(EcuRole::kTesterPresent, ecu_type), "");
    EXPECT_EQ(EcuReplyLength(EcuRole::kTesterPresent, ecu_type), 0);
    EXPECT_EQ(EcuTypeName(ecu_type), "");
    EXPECT_EQ(MotoModelName(ecu_type, 0), "");
    EXPECT_TRUE(MotoModelNames(ecu_type).empty());
  }
  EXPECT_EQ(MotoModelName(Iaw59M5AM, -1), "");
  EXPECT_EQ(MotoModelName(Iaw59M5AM, 11), "");
  EXPECT_EQ(MotoModelName(Iaw59M5AM, 10), "");  // the eleventh slot exists and is empty
}

TEST(EcuFamilyNamesTest, PreferencesOfferSixFamiliesInOrder) {
  EXPECT_THAT(OfferedEcuTypeNames(), ElementsAre("MM16", "MM15", "15RC", "P8", "M59/M5A", "EOBD"));
  EXPECT_EQ(EcuTypeName(6), "");
  EXPECT_EQ(EcuTypeName(7), "");
  EXPECT_EQ(EcuTypeOfName("P8"), IawP8);
  EXPECT_EQ(EcuTypeOfName("EOBD"), Eobd);
  EXPECT_EQ(EcuTypeOfName(""), -1);  // the empty slots 6 and 7 are never chosen
  EXPECT_EQ(EcuTypeOfName("p8"), -1);
}

TEST(MotoModelsTest, ModelListsPerFamily) {
  EXPECT_EQ(MotoModelName(Iaw16M, 0), "Ducati ST2");  // the first-run default
  EXPECT_THAT(MotoModelNames(Iaw15M), ElementsAre("Ducati 900 SSie", "MOTO GUZZI V11 Sport"));
  EXPECT_TRUE(MotoModelNames(Iaw15RC).empty());
  EXPECT_THAT(MotoModelNames(IawP8), ElementsAre("Ducati 888", "Guzzi"));
  EXPECT_EQ(MotoModelNames(Iaw59M5AM).size(), 10u);
  EXPECT_EQ(MotoModelName(Iaw59M5AM, 7), "Ducati MONSTER 900 (depuis 2002)");
  EXPECT_THAT(MotoModelNames(Eobd), ElementsAre("EODB"));
  EXPECT_TRUE(MotoModelNames(6).empty());
  EXPECT_TRUE(MotoModelNames(7).empty());
}

TEST(WithLocalIdentifierTest, FillsTheActuatorPlaceholder) {
  struct Case {
    const char* request;
    int local_identifier;
    const char* expected;
  };
  const Case cases[] = {
      {"30xx07", 0x1A, "301A07"}, {"30xx00", 0x00, "300000"}, {"30xx07", 0xFF, "30FF07"},
      {"2157", 0x1A, "2157"},     {"30xx07", -1, ""},         {"30xx07", 0x100, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WithLocalIdentifier(c.request, c.local_identifier), c.expected)
        << c.request << " " << c.local_identifier;
  }
}

}  // namespace
}  // namespace velkor
