#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "config/ini_document.hpp"
#include "config/ini_store.hpp"
#include "config/settings_keys.hpp"

namespace velkor {

class TraceLog;

// ---- Value encodings --------------------------------------------------------------------------

std::string FormatFlag(bool value);       // "-1" / "0"
std::string FormatFourDigits(int value);  // 900 -> "0900", -5 -> "-0005"
// The real value in whole hundredths, rounded half away from zero on the decimal the value
// was typed as (14.675 -> 1468, although the nearest float lies just below 14.675).
int RealToHundredths(float value);
float HundredthsToReal(int hundredths);

// ---- Typed reads and writes of one key --------------------------------------------------------
// Reads take the key's default when it is absent. Writes go through the given writer: an
// IniStore replaces the file at once, an IniDocument only changes memory (see IniStore::Update).

int ReadSetting(const ProfileReader& ini, const IntKey& key);
bool ReadSetting(const ProfileReader& ini, const FlagKey& key);
int ReadSetting(const ProfileReader& ini, const CheckKey& key);
int ReadSetting(const ProfileReader& ini, const FourDigitKey& key);
float ReadSetting(const ProfileReader& ini, const HundredthsKey& key);
std::string ReadSetting(const ProfileReader& ini, const TextKey& key);

bool WriteSetting(ProfileWriter& ini, const IntKey& key, int value);
bool WriteSetting(ProfileWriter& ini, const FlagKey& key, bool value);
bool WriteSetting(ProfileWriter& ini, const CheckKey& key, int state);
bool WriteSetting(ProfileWriter& ini, const FourDigitKey& key, int value);
bool WriteSetting(ProfileWriter& ini, const HundredthsKey& key, float value);
bool WriteSetting(ProfileWriter& ini, const TextKey& key, std::string_view value);

// ---- The preference set -----------------------------------------------------------------------

// [Mesures]: the values shown and polled.
struct MeasureSwitches {
  bool air = true;
  bool eau = true;
  bool avance = true;
  bool pression = true;
  bool lambda = true;
  bool injection = true;
  bool tension = true;
  bool potar = true;
  bool trimmer = false;
  bool moteur_pp = false;
  bool operator==(const MeasureSwitches&) const = default;
};

// [DLP]: the two-point calibration of the two analog AFR channels, volts and air/fuel ratios.
struct DlpCalibrationSettings {
  float v1l = 0.0f;
  float v1h = 5.0f;
  float v2l = 0.0f;
  float v2h = 5.0f;
  float fr1l = 10.0f;
  float fr1h = 20.0f;
  float fr2l = 10.0f;
  float fr2h = 20.0f;
  bool operator==(const DlpCalibrationSettings&) const = default;
};

// The preferences written as a whole by SaveSettings, with the values of a first run.
struct Settings {
  MeasureSwitches measures;
  bool temp_celsius = true;           // [Unite] Temp; false is Fahrenheit
  bool pressure_hpa = true;           // [Unite] Pression; false is mmHg
  int afr_port = 1;                   // [COM] PORT; 0 is none
  int auto_start = 1;                 // [Menu] auto, a check state: 1 ticked
  int averaging_depth = 5;            // [Affichage] Tempo
  int graph_points = 30;              // [Graphe] NbPoint
  int graph_max = 1500;               // [Graphe] zMax, rpm
  int graph_min = 1000;               // [Graphe] zMin, rpm
  std::string language = "Francais";  // [Affichage] Langue
  int ecu_type = 0;                   // [ECU] Type (EcuType)
  int moto = 0;                       // [ECU] Moto, model index within the family
  DlpCalibrationSettings dlp;
  bool operator==(const Settings&) const = default;
};

// Reads what start-up and SetInitialisation read: every field of Settings.
Settings LoadSettings(const ProfileReader& ini);
// Same from one snapshot of the file.
Settings LoadSettings(const IniStore& ini);

// Writes every key of the preference set, in this order: [Mesures] Air Avance Eau Potar
// Injection Pression Lambda Tension Trimmer MoteurPP, [Unite] Temp Pression, [COM] PORT,
// [Menu] auto, [Affichage] Tempo, [Graphe] NbPoint zMax zMin, [Affichage] Langue,
// [ECU] Type Moto, [DLP] V1L V2L V1H V2H FR1L FR1H FR2L FR2H.
void WriteSettings(ProfileWriter& ini, const Settings& settings);
// The same in one load and one atomic replace of the file. False when the file could not be
// written; callers carry on with the values they hold.
bool SaveSettings(IniStore& ini, const Settings& settings);

// ---- Window positions (section POSITIONS, twips) ----------------------------------------------

enum class WindowId {
  kParam,    // main window frmparam
  kGraph,    // live graph frmgraph
  kTrace,    // frmTrace
  kStatuts,  // frmStatuts
  kChoix,    // preferences frmchoix
  kInter,    // frmInterface
  kAfr,      // frmAFR
  kErreur,   // 15M/16M faults frmerreur
  kDtc59,    // 59M/5AM faults FrmDTC59
  kIdent,    // identification frmIdentification
  kTrim15,   // 15M trimmer frmTrimmer15
  kMap,      // frmCarto
};

struct WindowPosition {
  int top = 0;
  int left = 0;
  int width = 0;   // stored only by the graph and the map
  int height = 0;  // stored only by the graph, the fault window of the 59M/5AM and the map
  bool operator==(const WindowPosition&) const = default;
};

// The stored position with its defaults and corrections: the main window and frmStatuts take 0
// for a negative top or left; the graph likewise, and takes height 6825 below 500 and width 7600
// below 2500. Width and height are read for the graph only (the others write theirs but never
// read them back).
WindowPosition ReadWindowPosition(const ProfileReader& ini, WindowId window);
// Writes left, top and the sizes the window stores.
bool WriteWindowPosition(ProfileWriter& ini, WindowId window, const WindowPosition& position);
// Several windows in one replace of the file (the main window writes its own, the trace's and the
// graph's when it closes).
bool WriteWindowPositions(IniStore& ini,
                          std::initializer_list<std::pair<WindowId, WindowPosition>> positions);

// ---- Files of the home folder -----------------------------------------------------------------

std::filesystem::path EcuIniPath(const std::filesystem::path& home);
std::filesystem::path ListesIniPath(const std::filesystem::path& home);
std::filesystem::path MeasuresFolder(const std::filesystem::path& home);

// ---- Trace-file rotation ----------------------------------------------------------------------

struct TraceRotation {
  int number = 0;  // 0 to 9, now stored in [MENU] log
  std::filesystem::path path;
  bool opened = false;
};

// Reads [MENU] log (default 0), moves to the next of the ten files (any stored number, even
// outside 0..9, gives a file number 0..9), creates the Mesures folder when needed, opens
// <home>/Mesures/velkor<n>.log from the start through `trace` and stores n back.
TraceRotation OpenNextTraceFile(IniStore& ini, const std::filesystem::path& home, TraceLog& trace);

// ---- General-purpose text read and write (the update list, the language list) -----------------

inline constexpr std::size_t kGeneralTextBuffer = 255;

std::string ReadProfileText(std::string_view section, std::string_view key,
                            const std::filesystem::path& file, std::string_view default_value,
                            FileSystem& file_system);
bool WriteProfileText(std::string_view section, std::string_view key, std::string_view value,
                      const std::filesystem::path& file, FileSystem& file_system);

// listes.ini key of the file name of language file n: "1dll", "2dll", ...
std::string ListesLanguageFileKey(int n);

}  // namespace velkor
