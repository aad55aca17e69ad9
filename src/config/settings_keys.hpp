#pragma once

#include <cstddef>
#include <string_view>

// Every section and key of the settings files, with its encoding and the default a read takes
// when the key is absent. Other code names keys only through these constants.

namespace velkor {

inline constexpr std::string_view kEcuIniName = "ecu.ini";
inline constexpr std::string_view kListesIniName = "listes.ini";
inline constexpr std::string_view kMeasuresFolderName = "Mesures";

// Integer, written with the pattern "0".
struct IntKey {
  std::string_view section;
  std::string_view key;
  int default_value = 0;
};
// True/false written "-1"/"0"; any non-zero number reads as true, a word as false.
struct FlagKey {
  std::string_view section;
  std::string_view key;
  bool default_value = false;
};
// A check box state written "1"/"0" and read as the number it is (only 1 is ticked).
struct CheckKey {
  std::string_view section;
  std::string_view key;
  int default_value = 0;
};
// Integer zero-padded to four digits ("0900").
struct FourDigitKey {
  std::string_view section;
  std::string_view key;
  int default_value = 0;
};
// A real value stored as whole hundredths, four digits ("0500" is 5.00). The default is in the
// stored scale.
struct HundredthsKey {
  std::string_view section;
  std::string_view key;
  int default_hundredths = 0;
};
// Text read into a buffer of buffer_size characters (at most buffer_size - 1 kept).
struct TextKey {
  std::string_view section;
  std::string_view key;
  std::string_view default_value;
  std::size_t buffer_size = 255;
};

namespace ini_sections {
inline constexpr std::string_view kMesures = "Mesures";
inline constexpr std::string_view kUnite = "Unite";
inline constexpr std::string_view kCom = "COM";
inline constexpr std::string_view kMenu = "Menu";
// The trace rotation spells the same section in capitals.
inline constexpr std::string_view kMenuUpper = "MENU";
inline constexpr std::string_view kAffichage = "Affichage";
inline constexpr std::string_view kGraphe = "Graphe";
inline constexpr std::string_view kEcu = "ECU";
inline constexpr std::string_view kInterface = "Interface";
inline constexpr std::string_view kDlp = "DLP";
inline constexpr std::string_view kLogworks = "Logworks";
inline constexpr std::string_view kCoef = "Coef";
inline constexpr std::string_view kUpdate = "UPDATE";
inline constexpr std::string_view kPositions = "POSITIONS";
// listes.ini keeps everything in one section named after the program.
inline constexpr std::string_view kListes = "Velkor";
}  // namespace ini_sections

namespace ini_keys {

// [Mesures]: which engine values are shown and polled.
inline constexpr FlagKey kMesuresAir{ini_sections::kMesures, "Air", true};
inline constexpr FlagKey kMesuresEau{ini_sections::kMesures, "Eau", true};
inline constexpr FlagKey kMesuresAvance{ini_sections::kMesures, "Avance", true};
inline constexpr FlagKey kMesuresPression{ini_sections::kMesures, "Pression", true};
inline constexpr FlagKey kMesuresLambda{ini_sections::kMesures, "Lambda", true};
inline constexpr FlagKey kMesuresInjection{ini_sections::kMesures, "Injection", true};
inline constexpr FlagKey kMesuresTension{ini_sections::kMesures, "Tension", true};
inline constexpr FlagKey kMesuresPotar{ini_sections::kMesures, "Potar", true};
inline constexpr FlagKey kMesuresTrimmer{ini_sections::kMesures, "Trimmer", false};
inline constexpr FlagKey kMesuresMoteurPP{ini_sections::kMesures, "MoteurPP", false};

// [Unite]: true is degrees Celsius / hectopascal.
inline constexpr FlagKey kUniteTemp{ini_sections::kUnite, "Temp", true};
inline constexpr FlagKey kUnitePression{ini_sections::kUnite, "Pression", true};

// [COM]: the external AFR device.
inline constexpr IntKey kComPort{ini_sections::kCom, "PORT", 1};
inline constexpr TextKey kComLcDlp{ini_sections::kCom, "LC-DLP", "Nothing", 10};

// [Menu]
inline constexpr CheckKey kMenuAuto{ini_sections::kMenu, "auto", 1};
inline constexpr IntKey kMenuLog{ini_sections::kMenuUpper, "log", 0};

// [Affichage]
inline constexpr IntKey kAffichageTempo{ini_sections::kAffichage, "Tempo", 5};
inline constexpr TextKey kAffichageLangue{ini_sections::kAffichage, "Langue", "Francais", 100};

// [Graphe]
inline constexpr IntKey kGrapheNbPoint{ini_sections::kGraphe, "NbPoint", 30};
inline constexpr FourDigitKey kGrapheZMax{ini_sections::kGraphe, "zMax", 1500};
inline constexpr FourDigitKey kGrapheZMin{ini_sections::kGraphe, "zMin", 1000};

// [ECU]. InitB and Chrono are written by the session start and never read.
inline constexpr IntKey kEcuType{ini_sections::kEcu, "Type", 0};
inline constexpr IntKey kEcuMoto{ini_sections::kEcu, "Moto", 0};
inline constexpr IntKey kEcuInit{ini_sections::kEcu, "Init", 0};
inline constexpr IntKey kEcuInitB{ini_sections::kEcu, "InitB", 0};
inline constexpr IntKey kEcuChrono{ini_sections::kEcu, "Chrono", 0};

// [Interface]: the link to the ECU.
inline constexpr IntKey kInterfaceType{ini_sections::kInterface, "Type", 0};
inline constexpr IntKey kInterfacePort{ini_sections::kInterface, "PORT", 1};
inline constexpr TextKey kInterfaceDescription{ini_sections::kInterface, "Description", "Mode Demo",
                                               16};

// [DLP]: two-point calibration of the analog AFR channels, volts and AFR in hundredths.
inline constexpr HundredthsKey kDlpV1L{ini_sections::kDlp, "V1L", 0};
inline constexpr HundredthsKey kDlpV1H{ini_sections::kDlp, "V1H", 500};
inline constexpr HundredthsKey kDlpV2L{ini_sections::kDlp, "V2L", 0};
inline constexpr HundredthsKey kDlpV2H{ini_sections::kDlp, "V2H", 500};
inline constexpr HundredthsKey kDlpFR1L{ini_sections::kDlp, "FR1L", 1000};
inline constexpr HundredthsKey kDlpFR1H{ini_sections::kDlp, "FR1H", 2000};
inline constexpr HundredthsKey kDlpFR2L{ini_sections::kDlp, "FR2L", 1000};
inline constexpr HundredthsKey kDlpFR2H{ini_sections::kDlp, "FR2H", 2000};

// [Logworks] and [Coef]: the log converter.
inline constexpr TextKey kLogworksFolder{ini_sections::kLogworks, "Folder", "c:\\temp", 100};
inline constexpr TextKey kLogworksExt{ini_sections::kLogworks, "Ext", "TXT", 100};
inline constexpr TextKey kCoefA{ini_sections::kCoef, "A", "3.008", 16};
inline constexpr TextKey kCoefB{ini_sections::kCoef, "B", "7.35", 16};

// [UPDATE]: date of the last update check, in the user's short-date format.
inline constexpr TextKey kUpdateRevision{ini_sections::kUpdate, "Revision", "24/02/2008", 255};

// [POSITIONS]: window positions in twips. The corrections applied on reading are in
// ReadWindowPosition().
inline constexpr IntKey kPositionsParamTop{ini_sections::kPositions, "ParamTop", 0};
inline constexpr IntKey kPositionsParamLeft{ini_sections::kPositions, "ParamLeft", 0};
inline constexpr IntKey kPositionsGraphTop{ini_sections::kPositions, "GraphTop", 1000};
inline constexpr IntKey kPositionsGraphLeft{ini_sections::kPositions, "GraphLeft", 6000};
inline constexpr IntKey kPositionsGraphHeight{ini_sections::kPositions, "GraphHeight", 6825};
inline constexpr IntKey kPositionsGraphWidth{ini_sections::kPositions, "GraphWidth", 7635};
inline constexpr IntKey kPositionsTraceTop{ini_sections::kPositions, "TraceTop", 3500};
inline constexpr IntKey kPositionsTraceLeft{ini_sections::kPositions, "TraceLeft", 8500};
inline constexpr IntKey kPositionsStatutsTop{ini_sections::kPositions, "StatutsTop", 1000};
inline constexpr IntKey kPositionsStatutsLeft{ini_sections::kPositions, "StatutsLeft", 6000};
inline constexpr IntKey kPositionsChoixTop{ini_sections::kPositions, "ChoixTop", 0};
inline constexpr IntKey kPositionsChoixLeft{ini_sections::kPositions, "ChoixLeft", 0};
inline constexpr IntKey kPositionsInterTop{ini_sections::kPositions, "InterTop", 0};
inline constexpr IntKey kPositionsInterLeft{ini_sections::kPositions, "InterLeft", 0};
inline constexpr IntKey kPositionsAfrTop{ini_sections::kPositions, "AFRTop", 0};
inline constexpr IntKey kPositionsAfrLeft{ini_sections::kPositions, "AFRLeft", 0};
inline constexpr IntKey kPositionsErreurTop{ini_sections::kPositions, "ErreurTop", 0};
inline constexpr IntKey kPositionsErreurLeft{ini_sections::kPositions, "ErreurLeft", 0};
inline constexpr IntKey kPositionsDtc59Top{ini_sections::kPositions, "DTC59Top", 0};
inline constexpr IntKey kPositionsDtc59Left{ini_sections::kPositions, "DTC59Left", 0};
inline constexpr IntKey kPositionsDtc59Height{ini_sections::kPositions, "DTC59Height", 0};
inline constexpr IntKey kPositionsIdentTop{ini_sections::kPositions, "IdentTop", 0};
inline constexpr IntKey kPositionsIdentLeft{ini_sections::kPositions, "IdentLeft", 0};
inline constexpr IntKey kPositionsTrim15Top{ini_sections::kPositions, "Trim15Top", 0};
inline constexpr IntKey kPositionsTrim15Left{ini_sections::kPositions, "Trim15Left", 0};
inline constexpr IntKey kPositionsMapTop{ini_sections::kPositions, "MapTop", 0};
inline constexpr IntKey kPositionsMapLeft{ini_sections::kPositions, "MapLeft", 0};
inline constexpr IntKey kPositionsMapWidth{ini_sections::kPositions, "MapWidth", 0};
inline constexpr IntKey kPositionsMapHeight{ini_sections::kPositions, "MapHeight", 0};

// listes.ini, read through the general-purpose text read (255 characters).
inline constexpr TextKey kListesDateLangue{ini_sections::kListes, "DateLangue", "01/01/2020", 255};
inline constexpr TextKey kListesNbLangues{ini_sections::kListes, "NBlangues", "1", 255};
inline constexpr TextKey kListesUrlLangues{ini_sections::kListes, "URL_Langues", "", 255};
inline constexpr TextKey kListesHelp{ini_sections::kListes, "Help", "01/01/2020", 255};
inline constexpr TextKey kListesUrlChm{ini_sections::kListes, "URL_chm", "", 255};
inline constexpr TextKey kListesAide{ini_sections::kListes, "Aide", "", 255};
inline constexpr TextKey kListesVersion{ini_sections::kListes, "Version", "1.1.1", 255};
inline constexpr TextKey kListesUrl{ini_sections::kListes, "URL", "", 255};
inline constexpr TextKey kListesSoft{ini_sections::kListes, "Soft", "", 255};
inline constexpr TextKey kListesUrlInstall{ini_sections::kListes, "URLInstall", "", 255};
inline constexpr TextKey kListesInstall{ini_sections::kListes, "Install", "", 255};
// The file name of language file n (1 .. NBlangues) is under the key n followed by "dll"; see
// ListesLanguageFileKey().

}  // namespace ini_keys
}  // namespace velkor
