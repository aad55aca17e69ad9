#include "config/settings.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "core/clock.hpp"
#include "core/ctime_it.hpp"
#include "core/trace_log.hpp"
#include "platform/real_file_system.hpp"

namespace velkor {
namespace {

namespace fs = std::filesystem;
namespace k = ini_keys;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class StillClock : public Clock {
 public:
  std::chrono::nanoseconds Now() const override { return std::chrono::nanoseconds(0); }
  void Pause(double) override {}
};

// A home folder of its own for every test.
class SettingsFileTest : public ::testing::Test {
 protected:
  SettingsFileTest() { fs::create_directories(home_); }
  ~SettingsFileTest() override { fs::remove_all(home_); }

  static fs::path MakeHome() {
    return fs::temp_directory_path() /
           ("velkor_settings_" + std::to_string(std::random_device{}()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
  }

  const fs::path home_ = MakeHome();
  RealFileSystem files_;
  IniStore ini_{EcuIniPath(home_), files_};
};

TEST_F(SettingsFileTest, MissingFileIsAFirstRun) {
  IniStore& ini = ini_;
  const Settings s = LoadSettings(ini);
  EXPECT_EQ(s, Settings{});
  // All values but trimmer and stepper shown, °C and hPa, family 0, averaging 5, 30 points,
  // scale 1000-1500 rpm, French, AFR port 1, 0-5 V for 10-20 AFR on both channels, auto start.
  EXPECT_TRUE(s.measures.air && s.measures.eau && s.measures.avance && s.measures.pression &&
              s.measures.lambda && s.measures.injection && s.measures.tension && s.measures.potar);
  EXPECT_FALSE(s.measures.trimmer || s.measures.moteur_pp);
  EXPECT_TRUE(s.temp_celsius && s.pressure_hpa);
  EXPECT_EQ(s.ecu_type, 0);
  EXPECT_EQ(s.moto, 0);
  EXPECT_EQ(s.averaging_depth, 5);
  EXPECT_EQ(s.graph_points, 30);
  EXPECT_EQ(s.graph_min, 1000);
  EXPECT_EQ(s.graph_max, 1500);
  EXPECT_EQ(s.language, "Francais");
  EXPECT_EQ(s.afr_port, 1);
  EXPECT_EQ(s.auto_start, 1);
  EXPECT_EQ(s.dlp, (DlpCalibrationSettings{0.0f, 5.0f, 0.0f, 5.0f, 10.0f, 20.0f, 10.0f, 20.0f}));

  EXPECT_EQ(ReadSetting(ini, k::kComLcDlp), "Nothing");
  EXPECT_EQ(ReadSetting(ini, k::kInterfaceType), 0);
  EXPECT_EQ(ReadSetting(ini, k::kInterfacePort), 1);
  EXPECT_EQ(ReadSetting(ini, k::kInterfaceDescription), "Mode Demo");
  EXPECT_EQ(ReadSetting(ini, k::kEcuInit), 0);
  EXPECT_EQ(ReadSetting(ini, k::kLogworksFolder), "c:\\temp");
  EXPECT_EQ(ReadSetting(ini, k::kLogworksExt), "TXT");
  EXPECT_EQ(ReadSetting(ini, k::kCoefA), "3.008");
  EXPECT_EQ(ReadSetting(ini, k::kCoefB), "7.35");
  EXPECT_EQ(ReadSetting(ini, k::kUpdateRevision), "24/02/2008");
  EXPECT_FALSE(fs::exists(EcuIniPath(home_)));  // reading never creates the file
}

TEST_F(SettingsFileTest, SaveSettingsFromEmptyWritesEveryKeyInOrder) {
  ASSERT_TRUE(SaveSettings(ini_, Settings{}));
  EXPECT_EQ(ReadBytes(EcuIniPath(home_)),
            "[Mesures]\r\n"
            "Air=-1\r\n"
            "Avance=-1\r\n"
            "Eau=-1\r\n"
            "Potar=-1\r\n"
            "Injection=-1\r\n"
            "Pression=-1\r\n"
            "Lambda=-1\r\n"
            "Tension=-1\r\n"
            "Trimmer=0\r\n"
            "MoteurPP=0\r\n"
            "[Unite]\r\n"
            "Temp=-1\r\n"
            "Pression=-1\r\n"
            "[COM]\r\n"
            "PORT=1\r\n"
            "[Menu]\r\n"
            "auto=1\r\n"
            "[Affichage]\r\n"
            "Tempo=5\r\n"
            "Langue=Francais\r\n"
            "[Graphe]\r\n"
            "NbPoint=30\r\n"
            "zMax=1500\r\n"
            "zMin=1000\r\n"
            "[ECU]\r\n"
            "Type=0\r\n"
            "Moto=0\r\n"
            "[DLP]\r\n"
            "V1L=0000\r\n"
            "V2L=0000\r\n"
            "V1H=0500\r\n"
            "V2H=0500\r\n"
            "FR1L=1000\r\n"
            "FR1H=2000\r\n"
            "FR2L=1000\r\n"
            "FR2H=2000\r\n");
}

TEST_F(SettingsFileTest, EverySettingSurvivesSaveAndLoad) {
  Settings s;
  s.measures = {false, true, false, true, false, true, false, true, true, true};
  s.temp_celsius = false;
  s.pressure_hpa = false;
  s.afr_port = 0;
  s.auto_start = 0;
  s.averaging_depth = 12;
  s.graph_points = 60;
  s.graph_max = 5000;
  s.graph_min = 900;
  s.language = "Nederlands";
  s.ecu_type = 4;
  s.moto = 7;
  s.dlp = {0.25f, 4.5f, 0.5f, 4.75f, 9.5f, 19.9f, 10.25f, 18.0f};
  ASSERT_TRUE(SaveSettings(ini_, s));
  EXPECT_EQ(LoadSettings(ini_), s);
}

TEST_F(SettingsFileTest, HandWrittenFileKeepsEverythingElseByteForByte) {
  WriteBytes(EcuIniPath(home_),
             "; Velkor settings, edited by hand\r\n"
             "\r\n"
             "[mesures]\r\n"
             "AIR = 0\r\n"
             "   avance   =   -1   \r\n"
             "Custom=keep me\r\n"
             "\r\n"
             "# graph scale below\r\n"
             "[GRAPHE]\r\n"
             "zmax=2000\r\n"
             "[Unknown Section]\r\n"
             "Foo = bar\r\n"
             "[POSITIONS]\r\n"
             "ParamTop=120\r\n");
  Settings s = LoadSettings(ini_);
  EXPECT_FALSE(s.measures.air);
  EXPECT_EQ(s.graph_max, 2000);
  s.measures.air = true;
  s.graph_max = 2500;
  ASSERT_TRUE(SaveSettings(ini_, s));
  EXPECT_EQ(ReadBytes(EcuIniPath(home_)),
            "; Velkor settings, edited by hand\r\n"
            "\r\n"
            "[mesures]\r\n"
            "AIR = -1\r\n"
            "   avance   =   -1\r\n"
            "Custom=keep me\r\n"
            "Eau=-1\r\n"
            "Potar=-1\r\n"
            "Injection=-1\r\n"
            "Pression=-1\r\n"
            "Lambda=-1\r\n"
            "Tension=-1\r\n"
            "Trimmer=0\r\n"
            "MoteurPP=0\r\n"
            "\r\n"
            "# graph scale below\r\n"
            "[GRAPHE]\r\n"
            "zmax=2500\r\n"
            "NbPoint=30\r\n"
            "zMin=1000\r\n"
            "[Unknown Section]\r\n"
            "Foo = bar\r\n"
            "[POSITIONS]\r\n"
            "ParamTop=120\r\n"
            "[Unite]\r\n"
            "Temp=-1\r\n"
            "Pression=-1\r\n"
            "[COM]\r\n"
            "PORT=1\r\n"
            "[Menu]\r\n"
            "auto=1\r\n"
            "[Affichage]\r\n"
            "Tempo=5\r\n"
            "Langue=Francais\r\n"
            "[ECU]\r\n"
            "Type=0\r\n"
            "Moto=0\r\n"
            "[DLP]\r\n"
            "V1L=0000\r\n"
            "V2L=0000\r\n"
            "V1H=0500\r\n"
            "V2H=0500\r\n"
            "FR1L=1000\r\n"
            "FR1H=2000\r\n"
            "FR2L=1000\r\n"
            "FR2H=2000\r\n");
}

TEST_F(SettingsFileTest, AnsiFileIsReadAndWrittenBackUnchangedButTheChangedKey) {
  const std::string ansi =
      "; derni\xE8re version : \xE9t\xE9\r\n"
      "[Affichage]\r\n"
      "Langue=Fran\xE7"
      "ais\r\n"
      "Tempo=5\r\n";
  WriteBytes(EcuIniPath(home_), ansi);
  EXPECT_EQ(ReadSetting(ini_, k::kAffichageLangue), "Français");
  ASSERT_TRUE(WriteSetting(ini_, k::kAffichageTempo, 7));
  std::string expected = ansi;
  expected.replace(expected.find("Tempo=5"), 7, "Tempo=7");
  EXPECT_EQ(ReadBytes(EcuIniPath(home_)), expected);
}

struct EncodingCase {
  float real;
  const char* stored;
};

TEST(SettingsEncoding, HundredthsRoundHalfAwayFromZeroOnTheTypedDecimal) {
  for (const EncodingCase& c :
       {EncodingCase{5.0f, "0500"}, EncodingCase{14.675f, "1468"}, EncodingCase{14.7f, "1470"},
        EncodingCase{4.5f, "0450"}, EncodingCase{0.0f, "0000"}, EncodingCase{0.005f, "0001"},
        EncodingCase{0.004f, "0000"}, EncodingCase{-0.5f, "-0050"}, EncodingCase{-1.005f, "-0101"},
        EncodingCase{123.456f, "12346"}}) {
    SCOPED_TRACE(c.real);
    IniDocument ini;
    WriteSetting(ini, k::kDlpFR1L, c.real);
    EXPECT_EQ(ini.GetProfileString("DLP", "FR1L", "", 255), c.stored);
  }
  IniDocument ini = IniDocument::Parse("[DLP]\r\nV1H=0450\r\nFR1L=1468\r\nV2H=abc\r\n");
  EXPECT_FLOAT_EQ(ReadSetting(ini, k::kDlpV1H), 4.5f);
  EXPECT_FLOAT_EQ(ReadSetting(ini, k::kDlpFR1L), 14.68f);
  EXPECT_FLOAT_EQ(ReadSetting(ini, k::kDlpV2H), 0.0f);  // a word is 0, not the default
  EXPECT_FLOAT_EQ(ReadSetting(ini, k::kDlpV2L), 0.0f);
  EXPECT_FLOAT_EQ(ReadSetting(ini, k::kDlpFR2H), 20.0f);
}

TEST(SettingsEncoding, FourDigitsPadToFour) {
  EXPECT_EQ(FormatFourDigits(900), "0900");
  EXPECT_EQ(FormatFourDigits(0), "0000");
  EXPECT_EQ(FormatFourDigits(1500), "1500");
  EXPECT_EQ(FormatFourDigits(12345), "12345");
  EXPECT_EQ(FormatFourDigits(-5), "-0005");
  EXPECT_EQ(FormatFourDigits(-2147483647 - 1), "-2147483648");
  IniDocument ini = IniDocument::Parse("[Graphe]\r\nzMin=0900\r\n");
  EXPECT_EQ(ReadSetting(ini, k::kGrapheZMin), 900);
}

TEST(SettingsEncoding, FlagIsAnyNonZeroNumberAndCheckStateIsTakenAsIs) {
  const IniDocument ini = IniDocument::Parse(
      "[Mesures]\r\nAir=1\r\nEau=-1\r\nAvance=0\r\nPression=abc\r\nLambda=2x\r\n"
      "Trimmer=-1\r\n[Menu]\r\nauto=-1\r\n");
  const Settings s = LoadSettings(ini);
  EXPECT_TRUE(s.measures.air);
  EXPECT_TRUE(s.measures.eau);
  EXPECT_FALSE(s.measures.avance);
  EXPECT_FALSE(s.measures.pression);  // a word reads as 0
  EXPECT_TRUE(s.measures.lambda);
  EXPECT_TRUE(s.measures.injection);  // absent: default on
  EXPECT_TRUE(s.measures.trimmer);
  EXPECT_FALSE(s.measures.moteur_pp);  // absent: default off
  EXPECT_EQ(s.auto_start, -1);         // not 1, so the box is not ticked
}

struct PositionCase {
  WindowId window;
  std::string stored;
  WindowPosition expected;
};

TEST(WindowPositions, DefaultsAndCorrections) {
  const std::vector<PositionCase> cases = {
      {WindowId::kParam, "", {0, 0}},
      {WindowId::kParam, "ParamTop=-300\r\nParamLeft=200\r\n", {0, 200}},
      {WindowId::kGraph, "", {1000, 6000, 7635, 6825}},
      {WindowId::kGraph,
       "GraphTop=-1\r\nGraphLeft=-2\r\nGraphWidth=2000\r\nGraphHeight=499\r\n",
       {0, 0, 7600, 6825}},
      {WindowId::kGraph, "GraphWidth=2500\r\nGraphHeight=500\r\n", {1000, 6000, 2500, 500}},
      {WindowId::kTrace, "", {3500, 8500}},
      {WindowId::kTrace, "TraceTop=-10\r\nTraceLeft=-20\r\n", {-10, -20}},  // taken as read
      {WindowId::kStatuts, "", {1000, 6000}},
      {WindowId::kStatuts, "StatutsTop=-5\r\nStatutsLeft=-6\r\n", {0, 0}},
      {WindowId::kChoix, "ChoixTop=-5\r\nChoixLeft=7\r\n", {-5, 7}},
      {WindowId::kInter, "", {0, 0}},
      {WindowId::kAfr, "AFRTop=11\r\nAFRLeft=12\r\n", {11, 12}},
      {WindowId::kErreur, "", {0, 0}},
      {WindowId::kDtc59, "DTC59Top=1\r\nDTC59Left=2\r\nDTC59Height=3\r\n", {1, 2}},
      {WindowId::kTrim15, "", {0, 0}},
      {WindowId::kMap, "MapTop=4\r\nMapLeft=5\r\nMapWidth=6\r\nMapHeight=7\r\n", {4, 5}},
  };
  for (const PositionCase& c : cases) {
    SCOPED_TRACE(c.stored);
    const IniDocument ini = IniDocument::Parse("[POSITIONS]\r\n" + c.stored);
    EXPECT_EQ(ReadWindowPosition(ini, c.window), c.expected);
  }
}

TEST(WindowPositions, EachWindowWritesItsOwnKeys) {
  IniDocument ini;
  WriteWindowPosition(ini, WindowId::kParam, {10, 20, 30, 40});
  WriteWindowPosition(ini, WindowId::kGraph, {1, 2, 3, 4});
  WriteWindowPosition(ini, WindowId::kDtc59, {5, 6, 7, 8});
  WriteWindowPosition(ini, WindowId::kMap, {9, 10, 11, 12});
  EXPECT_EQ(ini.Serialize(),
            "[POSITIONS]\r\n"
            "ParamLeft=20\r\nParamTop=10\r\n"
            "GraphLeft=2\r\nGraphTop=1\r\nGraphHeight=4\r\nGraphWidth=3\r\n"
            "DTC59Left=6\r\nDTC59Top=5\r\nDTC59Height=8\r\n"
            "MapLeft=10\r\nMapTop=9\r\nMapWidth=11\r\nMapHeight=12\r\n");
}

TEST_F(SettingsFileTest, ClosingMainWindowWritesThreeWindowsAtOnce) {
  ASSERT_TRUE(WriteWindowPositions(ini_, {{WindowId::kParam, {-300, 200}},
                                          {WindowId::kTrace, {3, 4}},
                                          {WindowId::kGraph, {5, 6, 3000, 900}}}));
  EXPECT_EQ(ReadWindowPosition(ini_, WindowId::kParam), (WindowPosition{0, 200}));
  EXPECT_EQ(ReadWindowPosition(ini_, WindowId::kTrace), (WindowPosition{3, 4}));
  EXPECT_EQ(ReadWindowPosition(ini_, WindowId::kGraph), (WindowPosition{5, 6, 3000, 900}));
}

struct RotationCase {
  const char* stored;  // null: no file at all
  int expected;
};

TEST_F(SettingsFileTest, TraceFilesRotateThroughTen) {
  for (const RotationCase& c :
       {RotationCase{nullptr, 1}, RotationCase{"0", 1}, RotationCase{"8", 9}, RotationCase{"9", 0},
        RotationCase{"57", 8}, RotationCase{"-3", 8}, RotationCase{"abc", 1},
        RotationCase{"2147483647", 8}}) {
    SCOPED_TRACE(c.stored ? c.stored : "no file");
    fs::remove_all(home_);
    fs::create_directories(home_);
    if (c.stored) WriteBytes(EcuIniPath(home_), std::string("[MENU]\r\nlog=") + c.stored + "\r\n");

    StillClock clock;
    CTimeIt watch(clock);
    TraceLog trace(watch);
    const TraceRotation rotation = OpenNextTraceFile(ini_, home_, trace);
    const fs::path expected_path =
        home_ / "Mesures" / ("velkor" + std::to_string(c.expected) + ".log");
    EXPECT_EQ(rotation.number, c.expected);
    EXPECT_EQ(rotation.path, expected_path);
    EXPECT_TRUE(rotation.opened);
    EXPECT_TRUE(trace.IsOpen());
    EXPECT_EQ(trace.Path(), expected_path);
    EXPECT_TRUE(fs::exists(expected_path));
    EXPECT_EQ(ReadSetting(ini_, k::kMenuLog), c.expected);
    trace.Close();
  }
}

TEST_F(SettingsFileTest, TraceRotationGoesOnWhenTheFileCannotBeOpened) {
  WriteBytes(EcuIniPath(home_), "[Menu]\r\nlog=4\r\n");
  fs::create_directories(home_ / "Mesures" / "velkor5.log");  // a folder in the way
  StillClock clock;
  CTimeIt watch(clock);
  TraceLog trace(watch);
  const TraceRotation rotation = OpenNextTraceFile(ini_, home_, trace);
  EXPECT_EQ(rotation.number, 5);
  EXPECT_FALSE(rotation.opened);
  EXPECT_EQ(ReadBytes(EcuIniPath(home_)), "[Menu]\r\nlog=5\r\n");  // the section keeps its case
}

TEST_F(SettingsFileTest, GeneralPurposeTextHelpers) {
  const fs::path listes = ListesIniPath(home_);
  EXPECT_EQ(ReadProfileText("Velkor", "Version", listes, "1.1.1", files_), "1.1.1");
  WriteBytes(listes, "[Velkor]\r\nNBlangues=3\r\n2dll=lngEnglish.qm\r\nURL=" +
                         std::string(300, 'u') + "\r\n");
  EXPECT_EQ(ReadProfileText("velkor", "nblangues", listes, "1", files_), "3");
  EXPECT_EQ(ReadProfileText(k::kListesSoft.section, k::kListesSoft.key, listes, "", files_), "");
  EXPECT_EQ(ReadProfileText("Velkor", ListesLanguageFileKey(2), listes, "", files_),
            "lngEnglish.qm");
  EXPECT_EQ(ReadProfileText("Velkor", "URL", listes, "", files_), std::string(254, 'u'));
  EXPECT_TRUE(WriteProfileText("Velkor", "Help", "01/02/2024", listes, files_));
  EXPECT_EQ(ReadSetting(IniStore(listes, files_), k::kListesHelp), "01/02/2024");
  EXPECT_FALSE(WriteProfileText("Velkor", "Help", "x", home_ / "none" / "listes.ini", files_));
}

TEST_F(SettingsFileTest, TextKeysAreCutToTheirBuffers) {
  WriteBytes(EcuIniPath(home_),
             "[Interface]\r\nDescription=FT232R USB UART with a long name\r\n"
             "[COM]\r\nLC-DLP=Something longer\r\n"
             "[Coef]\r\nA=\"3.1\"\r\n");
  EXPECT_EQ(ReadSetting(ini_, k::kInterfaceDescription), "FT232R USB UART");  // 15 characters
  EXPECT_EQ(ReadSetting(ini_, k::kComLcDlp), "Something");                    // 9 characters
  EXPECT_EQ(ReadSetting(ini_, k::kCoefA), "3.1");
}

}  // namespace
}  // namespace velkor
