#include "config/language.hpp"

#include <algorithm>
#include <utility>

#include "core/screen_model.hpp"
#include "core/trace_log.hpp"

namespace velkor {
namespace {

using Kind = CaptionStep::Kind;

constexpr CaptionStep kPreferencesSteps[] = {
    {Kind::kTitle, 401, "frmchoix", kPreferencesTitle},
    {Kind::kCaption, 402, "Frame1", "Type ECU"},
    {Kind::kCaption, 403, "Label1", "Moto Cible"},
    {Kind::kCaption, 404, "Label2", "ECU"},
    {Kind::kCaption, 405, "Frame2", "Port COM"},
    {Kind::kCaption, 406, "Frame5", "Langue"},
    {Kind::kCaption, 407, "Frame3", "Acquisitions"},
    {Kind::kCaption, 408, "chauto", "Lancement auto des acquisitions"},
    {Kind::kCaption, 409, "ChAir", "Température Air"},
    {Kind::kCaption, 410, "ChEau", "Température Eau"},
    {Kind::kCaption, 411, "ChAvance", "Avance"},
    {Kind::kCaption, 412, "ChInjection", "Injection"},
    {Kind::kCaption, 413, "frPression", "Pression"},
    {Kind::kCaption, 413, "ChPression", "Pression"},
    {Kind::kCaption, 414, "ChTension", "Tension"},
    {Kind::kCaption, 415, "Frame6", "Mode test (sans moto)"},
    {Kind::kCaption, 416, "OptionOui", "Oui"},
    {Kind::kCaption, 417, "OptionNon", "Non"},
    {Kind::kCaption, 418, "cdOK", "OK"},
};

constexpr CaptionStep kMainWindowSteps[] = {
    {Kind::kCaption, 175, "chStatutSonde", "Statuts"},
    {Kind::kCaption, 167, "FrChgTrimmer", "Modif Trimmer"},
    {Kind::kCaption, 168, "mnIdentification", "&Identification de l'ECU"},
    {Kind::kTitle, 101, "frmparam", kProgramTitle},
    {Kind::kCaption, 102, "mnfichier", "&Fichier"},
    {Kind::kCaption, 103, "mnpreferences", "P&aramétrages"},
    {Kind::kCaption, 104, "mnquitter", "&Quitter"},
    {Kind::kCaption, 105, "mnacquisition", "Ac&quisitions"},
    {Kind::kCaption, 106, "MnInit", "&Initialisation"},
    {Kind::kCaption, 107, "mnparam", "Paramètres"},
    {Kind::kCaption, 108, "mndiag", "Diagnostic actif"},
    {Kind::kCaption, 110, "mngraphe", "Graphe"},
    {Kind::kCaption, 111, "mnralenti", "Ralenti"},
    {Kind::kCaption, 112, "mnmoyplus", "Moyenne +"},
    {Kind::kCaption, 113, "mnmoymoins", "Moyenne -"},
    {Kind::kCaption, 114, "mnrepond", "Répondeur"},
    {Kind::kCaption, 115, "mnaide", "&Aide"},
    {Kind::kCaption, 116, "mnabout", "A propos"},
    {Kind::kCaption, 117, "Frrmp", "RMP (tr/mn)"},
    {Kind::kCaption, 118, "Frgaz", "Angle Gaz (deg)"},
    {Kind::kCaption, 119, "Frinject", "Injection (ms)"},
    {Kind::kCaption, 120, "Frair", "T° Air (°C)"},
    {Kind::kCaption, 121, "Freau", "T° Mot. (°C)"},
    {Kind::kCaption, 122, "Frpression", "Pression (mmHg)"},
    {Kind::kCaption, 123, "Fravance", "Avance (deg)"},
    {Kind::kCaption, 177, "frMoteurPP", "Moteur Pas à Pas"},
    {Kind::kCaption, 178, "cdMoteurPP", "Test Stepper"},
    {Kind::kCaption, 124, "Frbatterie", "Batterie (V)"},
    {Kind::kCaption, 125, "Frame1", "Moyenne"},
    {Kind::kCaption, 126, "frcde", "Commandes"},
    {Kind::kCaption, 127, "cdintialisation", "Initialisation F2"},
    {Kind::kCaption, 128, "cdparametre", "Paramètres F3"},
    {Kind::kCaption, 129, "cddiag", "Diagnostic F4"},
    {Kind::kCaption, 131, "cdquitter", "Quitter  F9"},
    {Kind::kCaption, 132, "chgraph", "Graphe - Ctrl+ G"},
    {Kind::kFixed, 0, "Chenregistre", "Excel"},
    {Kind::kCaption, 134, "Frame2", "COM"},
    {Kind::kFixed, 0, "CdReInit", "Re-Init"},
    {Kind::kCaption, 158, "CdMemorise", "Mémorise"},
    {Kind::kCaption, 852, "mnStatuts", "S&tatuts"},
    {Kind::kCaption, 853, "mnTestUsb", "Test Interface"},
    {Kind::kCaption, 854, "MnRreInit", "Ré-Initialisation"},
    {Kind::kCaption, 855, "mnMoinsUn", "Moins 1"},
    {Kind::kCaption, 856, "mnExploreAide", "Aide"},
    {Kind::kCaption, 857, "mnweb", "Support en ligne"},
};

constexpr LanguageText kNumberedProgramTexts[] = {
    texts::kDemo,
    texts::kElmOnPort,
    texts::kNoPortChosen,
    texts::kInterfaceTitle,
    texts::kInterfaceType,
    texts::kBluetoothHelp,
    texts::kBluetoothStep1,
    texts::kBluetoothStep2,
    texts::kBluetoothStep3,
    texts::kWhatsNew,
    texts::kEcuSilent,
    texts::kEcuSilentTitle,
    texts::kKeyOffQuestion,
    texts::kKeyOffQuestionTitle,
    texts::kStartFailed,
    texts::kReInitQuestion,
    texts::kReInitTitle,
    texts::kCannotOpenPort,
    texts::kCableSilent,
    texts::kNoSerialPort,
    texts::kPortTitle,
    texts::kStartVariant,
    texts::kEngineFrame,
    texts::kLambdaProbe,
    texts::kGoToDiagnostics,
    texts::kDiagnosticsTip,
    texts::kGraphTip,
    texts::kAveragingTip,
    texts::kNoSpreadsheet,
    texts::kIdentificationLog,
};

bool IsKnownLanguage(std::string_view name) {
  return std::find(kKnownLanguages.begin(), kKnownLanguages.end(), name) != kKnownLanguages.end();
}

}  // namespace

std::span<const CaptionStep> MainWindowCaptions() { return kMainWindowSteps; }
std::span<const CaptionStep> PreferencesCaptions() { return kPreferencesSteps; }
std::span<const LanguageText> NumberedProgramTexts() { return kNumberedProgramTexts; }

Language::Language(TextCatalogLoader& loader) : loader_(loader) {}

Language::~Language() = default;

std::string Language::LookupText(int id, std::string_view built_in) const {
  if (catalog_ == nullptr) return std::string(built_in);
  std::optional<std::string> text = catalog_->GetResourceString(id);
  if (!text || text->empty() || *text == " ") return std::string(built_in);
  return std::move(*text);
}

std::string Language::LookupCodeText(std::string_view code, CodeTextKind kind,
                                     std::string_view built_in) const {
  if (catalog_ == nullptr) return std::string(built_in);
  std::string name(code);
  name += kind == CodeTextKind::kShort ? ".short" : ".long";
  std::optional<std::string> text = catalog_->GetNamedString(name);
  if (!text || text->empty() || *text == " ") return std::string(built_in);
  return std::move(*text);
}

LanguageLoad Language::LoadLanguage() {
  if (!IsKnownLanguage(current_)) current_ = kLanguageFrancais;
  CatalogLoadResult result = loader_.Load(current_);
  if (result.status == CatalogLoadResult::Status::kFileNotFound) {
    current_ = kLanguageFrancais;
    result = loader_.Load(current_);
    if (result.status != CatalogLoadResult::Status::kLoaded || result.catalog == nullptr) {
      last_error_ = result.message.empty() ? "no language file for " + current_ : result.message;
      return LanguageLoad::kFallbackFailed;
    }
  }
  if (result.status != CatalogLoadResult::Status::kLoaded || result.catalog == nullptr) {
    last_error_ = result.message;
    return LanguageLoad::kFailed;
  }
  catalog_ = std::move(result.catalog);
  last_error_.clear();
  return LanguageLoad::kLoaded;
}

LanguageLoad Language::StartUpLanguage(std::string_view stored_name, TraceLog& trace,
                                       const std::function<void()>& no_language_file) {
  current_ = stored_name.substr(0, stored_name.find('\0'));
  const LanguageLoad first = LoadLanguage();
  if (first == LanguageLoad::kLoaded) return first;
  current_ = kLanguageFrancais;
  if (loader_.ListLanguageFiles().empty()) {
    for (std::string_view line : kNoLanguageFileTraceLines) trace.WriteTrace(line);
    trace.WriteTrace("");
    trace.WriteTrace("");
    if (no_language_file) no_language_file();
  }
  return LoadLanguage();
}

void Language::ApplyCaptions(ScreenModel& window, std::span<const CaptionStep> steps,
                             std::string_view version_suffix) const {
  for (const CaptionStep& step : steps) {
    if (!window.Has(step.control)) continue;
    switch (step.kind) {
      case CaptionStep::Kind::kCaption:
        window.SetText(step.control, LookupText(step.id, window.Text(step.control)));
        break;
      case CaptionStep::Kind::kFixed:
        window.SetText(step.control, std::string(step.text));
        break;
      case CaptionStep::Kind::kTitle:
        window.SetText(step.control, LookupText(step.id, step.text) + std::string(version_suffix));
        break;
    }
  }
}

void Language::ApplyLanguage(ScreenModel& main_window, std::string_view version_suffix) const {
  ApplyCaptions(main_window, kMainWindowSteps, version_suffix);
}

void Language::ApplyPreferencesLanguage(ScreenModel& preferences,
                                        std::string_view version_suffix) const {
  ApplyCaptions(preferences, kPreferencesSteps, version_suffix);
}

}  // namespace velkor
