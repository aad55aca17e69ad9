#pragma once

#include <string_view>

namespace velkor {

// Control names of the main window (the widgets' objectName). The window title is the control
// named after the window.
namespace frmparam {
inline constexpr std::string_view kWindow = "frmparam";
// Value frames and their labels.
inline constexpr std::string_view Frrmp = "Frrmp", Rmp = "Rmp";
inline constexpr std::string_view Frgaz = "Frgaz", Potar = "Potar";
inline constexpr std::string_view frTPS = "frTPS", lbTPSVolt = "lbTPSVolt";
inline constexpr std::string_view Frinject = "Frinject", Injection = "Injection";
inline constexpr std::string_view Fravance = "Fravance", Avance = "Avance";
inline constexpr std::string_view Frpression = "Frpression", Pression = "Pression";
inline constexpr std::string_view Frair = "Frair", Air = "Air";
inline constexpr std::string_view Freau = "Freau", Eau = "Eau";
inline constexpr std::string_view Frbatterie = "Frbatterie", Tension = "Tension";
inline constexpr std::string_view frLambda = "frLambda", lbLambda = "lbLambda";
inline constexpr std::string_view frMoteurPP = "frMoteurPP", lbMoteurPP = "lbMoteurPP";
inline constexpr std::string_view Frtrimmer = "Frtrimmer", Trimmer = "Trimmer";
// Commands.
inline constexpr std::string_view frcde = "frcde";
inline constexpr std::string_view cdintialisation = "cdintialisation";
inline constexpr std::string_view cdparametre = "cdparametre";
inline constexpr std::string_view cddiag = "cddiag";
inline constexpr std::string_view cdquitter = "cdquitter";
inline constexpr std::string_view CdReInit = "CdReInit";
inline constexpr std::string_view cdTrimer15 = "cdTrimer15";
inline constexpr std::string_view Command = "Command";
inline constexpr std::string_view cdMoteurPP = "cdMoteurPP";
inline constexpr std::string_view chgraph = "chgraph";
inline constexpr std::string_view chMap = "chMap";
inline constexpr std::string_view Chenregistre = "Chenregistre";
inline constexpr std::string_view chCSV = "chCSV";
inline constexpr std::string_view chStatutSonde = "chStatutSonde";
inline constexpr std::string_view Frame1 = "Frame1";
inline constexpr std::string_view HScrollMoyenne = "HScrollMoyenne";
inline constexpr std::string_view ltempo = "ltempo";
inline constexpr std::string_view FrChgTrimmer = "FrChgTrimmer";
inline constexpr std::string_view cdTrimmer = "cdTrimmer";
inline constexpr std::string_view CdMemorise = "CdMemorise";
// In FrChgTrimmer beside the two buttons: the scroll bar (-127 to +127), its value, the key hints.
inline constexpr std::string_view HScrollTrimmer = "HScrollTrimmer", lbTrimmer = "lbTrimmer",
                                  lbHintF6 = "lbHintF6", lbHintF7 = "lbHintF7";
// "test Moteur": while ticked the trimmer is never adjusted nor stored.
inline constexpr std::string_view chMoteur = "chMoteur";
inline constexpr std::string_view Frame2 = "Frame2";
inline constexpr std::string_view Shape1 = "Shape1";
inline constexpr std::string_view ProgressBar1 = "ProgressBar1";
inline constexpr std::string_view Lbtest = "Lbtest";
inline constexpr std::string_view lbPanel1 = "lbPanel1", lbPanel2 = "lbPanel2",
                                  lbPanel3 = "lbPanel3", lbPanel4 = "lbPanel4",
                                  lbPanel5 = "lbPanel5";
inline constexpr std::string_view lmemo = "lmemo", lpresent = "lpresent";
inline constexpr std::string_view contact = "contact";
inline constexpr std::string_view Picture1 = "Picture1";
inline constexpr std::string_view imDonate = "imDonate";
// The window's mouse pointer, as the platform's pointer number (0: the default arrow).
inline constexpr std::string_view MousePointer = "MousePointer";
// Menus.
inline constexpr std::string_view mnfichier = "mnfichier", mnpreferences = "mnpreferences",
                                  mnTestUsb = "mnTestUsb", mnquitter = "mnquitter";
inline constexpr std::string_view mnacquisition = "mnacquisition", MnInit = "MnInit",
                                  mnparam = "mnparam", mndiag = "mndiag", MnRreInit = "MnRreInit",
                                  mnMap = "mnMap", mngraphe = "mngraphe", mnralenti = "mnralenti",
                                  mnmoyplus = "mnmoyplus", mnmoymoins = "mnmoymoins";
inline constexpr std::string_view mnTrimmer = "mnTrimmer", mnTrim15M = "mnTrim15M",
                                  mnPlus = "mnPlus", mnMoinsUn = "mnMoinsUn";
inline constexpr std::string_view mnIdentification = "mnIdentification", mnConvert = "mnConvert",
                                  mnStatuts = "mnStatuts", mnrepond = "mnrepond";
inline constexpr std::string_view mnaide = "mnaide", mnabout = "mnabout",
                                  mnExploreAide = "mnExploreAide", mnweb = "mnweb";
// The trace window, offered in the help menu (the trace is otherwise shown only when the program
// sends the user to it).
inline constexpr std::string_view mnTrace = "mnTrace";
}  // namespace frmparam

}  // namespace velkor
