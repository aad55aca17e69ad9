#pragma once

#include <span>
#include <string_view>

namespace velkor {

// A text of the program: its number in the language files and the text built into the program,
// shown when the language in use has nothing for that number.
struct LanguageText {
  int id;
  std::string_view built_in;
};

// Texts that the older windows showed without a number, numbered by this program from 801 on
// (the numbers of the older windows lie below 800 and from 900 up). Every language file holds
// them all; the built-in texts are what the French file holds.
namespace texts {

// ---- Status bar ----
inline constexpr LanguageText kDemo{801, "Démo"};  // panel 3 in test mode
// Panel 4 over an adapter, followed by the port number.
inline constexpr LanguageText kElmOnPort{802, "ELM sur COM"};
// Panel 4 after "KKL : " when the window closed without a serial device chosen.
inline constexpr LanguageText kNoPortChosen{803, "aucun port"};

// ---- Interface window ----
inline constexpr LanguageText kInterfaceTitle{811, "Device"};
inline constexpr LanguageText kInterfaceType{812, "Choise the type"};
inline constexpr LanguageText kBluetoothHelp{813, "Help to connect at BT"};
inline constexpr LanguageText kBluetoothStep1{814, "Call Favoris Bleutooth"};
inline constexpr LanguageText kBluetoothStep2{815, "Find ELM (CBT ou CHX), connect"};
inline constexpr LanguageText kBluetoothStep3{816, "Note the port COM of BT"};
inline constexpr LanguageText kWhatsNew{817, "What's New"};

// ---- Session start ----
inline constexpr LanguageText kEcuSilent{821, "Pas de réponse de l'ECU ! Vérifiez les connexions"};
inline constexpr LanguageText kEcuSilentTitle{822, "Fatal erreur"};
inline constexpr LanguageText kKeyOffQuestion{
    823,
    "A ce moment le contact de la moto doit être coupé,\rMettre le contact après OK\r"
    "At this point the KEY must be OFF,\rTurn KEY ON after check OK"};
inline constexpr LanguageText kKeyOffQuestionTitle{824, "Attention/Caution"};
// lpresent when the 15M/16M stayed silent.
inline constexpr LanguageText kStartFailed{825, "Echec"};
inline constexpr LanguageText kReInitQuestion{826, "Couper le contact de la moto\rTurn KEY OFF"};
inline constexpr LanguageText kReInitTitle{827, "RéInitialisation/Reset Init"};
// The cable or adapter could not be opened at the start: the text, followed by its name, a line
// break and the reason; the reasons that are not the system's own; the title.
inline constexpr LanguageText kCannotOpenPort{828, "Impossible d'ouvrir le port "};
inline constexpr LanguageText kCableSilent{829, "le câble ne répond pas"};
inline constexpr LanguageText kNoSerialPort{830, "aucun port série"};
inline constexpr LanguageText kPortTitle{831, "Initialisation"};
// Lbtest during a KWP start, followed by the variant and the progress.
inline constexpr LanguageText kStartVariant{832, "Init Mode "};

// ---- Status window ----
inline constexpr LanguageText kEngineFrame{841, "Moteur/Engine"};
inline constexpr LanguageText kLambdaProbe{842, "Sonde lambda"};

// ---- Main window ----
inline constexpr LanguageText kGoToDiagnostics{851,
                                               " Aller dans Diagnostic pour une analyse complète"};
// 852 to 857: menu captions, applied with the window's other captions.
inline constexpr LanguageText kDiagnosticsTip{858,
                                              "Arrêter les mesures pour lancer les diagnostics"};
inline constexpr LanguageText kGraphTip{859, "Cocher pour tracer les courbes"};
inline constexpr LanguageText kAveragingTip{
    860, "Permet de stabiliser l'affichage en moyennant les valeurs. Ctrl+P=+5 ou Ctrl+M=-5"};
// A finished workbook that no program of the desktop could open, followed by its path.
inline constexpr LanguageText kNoSpreadsheet{
    861, "Aucun tableur n'a été trouvé pour ouvrir l'enregistrement. Il se trouve ici :"};

// ---- Identification window ----
// cdLOG: the number the older window gave it (158) is the main window's "Mémorise".
inline constexpr LanguageText kIdentificationLog{862, "Enregistrement"};

}  // namespace texts

// The texts above (menu captions aside, which MainWindowCaptions lists), for the checks of the
// language files.
std::span<const LanguageText> NumberedProgramTexts();

}  // namespace velkor
