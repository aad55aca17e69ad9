#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/language_texts.hpp"

namespace velkor {

class ScreenModel;
class TraceLog;

// ---- Language names ---------------------------------------------------------------------------
// Spelled as they are stored in [Affichage] Langue and in the language file names
// ("lng" + name + ".qm"); "Deutch" is the historical spelling that stored files carry.

inline constexpr std::string_view kLanguageFrancais = "Francais";
inline constexpr std::string_view kLanguageEnglish = "English";
inline constexpr std::string_view kLanguageItaliano = "Italiano";
inline constexpr std::string_view kLanguageDeutch = "Deutch";
inline constexpr std::string_view kLanguageNederlands = "Nederlands";
inline constexpr std::array<std::string_view, 5> kKnownLanguages = {
    kLanguageFrancais, kLanguageEnglish, kLanguageItaliano, kLanguageDeutch, kLanguageNederlands};

// The program's name: the main window's title before its version suffix.
inline constexpr std::string_view kProgramTitle = "Velkor";
// The preferences window's design title.
inline constexpr std::string_view kPreferencesTitle = "Paramétrages";

// Written to the trace file when not a single language file is installed, followed by two empty
// lines: the user of a fresh copy is asked, in three languages, to fetch the files.
inline constexpr std::array<std::string_view, 3> kNoLanguageFileTraceLines = {
    "Connect the PC to web, disconnect the Velkor-USB device",
    "Connectez le PC à internet et débranchez l'interface USB du Velkor",
    "Connetti il PC ad internet e disinserisci l'interfaccia USB dello Velkor"};

// ---- Seams ------------------------------------------------------------------------------------

// The texts of one language file, by text id.
class TextCatalog {
 public:
  virtual ~TextCatalog() = default;
  // Nothing when the file does not hold the id.
  virtual std::optional<std::string> GetResourceString(int id) const = 0;
  // Texts kept under a name rather than a number (the fault codes' texts, "P0122.short").
  // Nothing when the file does not hold the name.
  virtual std::optional<std::string> GetNamedString(std::string_view) const { return std::nullopt; }
};

// The two texts of a trouble code in the language files.
enum class CodeTextKind { kShort, kLong };

struct CatalogLoadResult {
  enum class Status { kLoaded, kFileNotFound, kFailed };
  Status status = Status::kFileNotFound;
  std::unique_ptr<TextCatalog> catalog;  // set when kLoaded
  std::string message;                   // what went wrong, for kFailed
};

// Finds and opens the language files.
class TextCatalogLoader {
 public:
  virtual ~TextCatalogLoader() = default;
  virtual CatalogLoadResult Load(std::string_view language) = 0;
  // Names of the language files present ("English" for lngEnglish.qm), each once; a name
  // ending with "~" (an editor's backup) is left out.
  virtual std::vector<std::string> ListLanguageFiles() const = 0;
};

// ---- Caption tables ---------------------------------------------------------------------------

// One step of applying a language to a window, on the control named `control`:
//   kCaption  its text becomes the language text of `id`, with its current text as the built-in
//             text (so a text the language lacks stays in the previous language);
//   kFixed    its text becomes `text`, without a lookup;
//   kTitle    its text becomes the language text of `id` with `text` (the design title) as the
//             built-in text, followed by the version suffix. The design title rather than the
//             current one keeps the suffix from piling up when a language lacks the id.
// For kCaption steps `text` is the design caption.
struct CaptionStep {
  enum class Kind { kCaption, kFixed, kTitle };
  Kind kind;
  int id;
  std::string_view control;
  std::string_view text;
};

// In the order they are applied. The main window's list ends with the menu entries that the
// older windows left unnumbered (852 to 857).
std::span<const CaptionStep> MainWindowCaptions();
std::span<const CaptionStep> PreferencesCaptions();

// ---- The language in use ----------------------------------------------------------------------

enum class LanguageLoad {
  kLoaded,
  kFailed,          // the file could not be used; the previous texts stay
  kFallbackFailed,  // the file was missing and "Francais" could not be loaded in its place
};

class Language {
 public:
  explicit Language(TextCatalogLoader& loader);
  ~Language();
  Language(const Language&) = delete;
  Language& operator=(const Language&) = delete;

  const std::string& Current() const { return current_; }
  // The preferences window sets the chosen name, then calls LoadLanguage and ApplyLanguage.
  void SetCurrent(std::string_view name) { current_ = name; }
  bool HasCatalog() const { return catalog_ != nullptr; }
  // The loader's message of the last kFailed or kFallbackFailed.
  const std::string& LastError() const { return last_error_; }

  // The language text of `id`: the catalog's text, or `built_in` when there is no catalog, the
  // catalog does not hold the id, or holds only "" or " " for it.
  std::string LookupText(int id, std::string_view built_in) const;
  std::string LookupText(const LanguageText& text) const {
    return LookupText(text.id, text.built_in);
  }
  // The short or long text of a trouble code as shown ("P0122", "U1600"), kept in the language
  // files under "<code>.short" and "<code>.long"; `built_in` when the file has nothing for it
  // (or only "" or " ").
  std::string LookupCodeText(std::string_view code, CodeTextKind kind,
                             std::string_view built_in) const;

  // Loads the file of the current language. A name that is not one of kKnownLanguages loads
  // "Francais" and becomes "Francais"; a missing file falls back to "Francais" as well. On any
  // failure the catalog in use is kept.
  LanguageLoad LoadLanguage();

  // The language step of the start-up: `stored_name` is [Affichage] Langue, used up to its
  // first NUL. When it cannot be loaded the language becomes "Francais"; when no language file
  // is installed at all the trace file gets kNoLanguageFileTraceLines and two empty lines (no
  // download is attempted), `no_language_file` is called so that the user is sent to read
  // them, and "Francais" is tried once more. The program runs on with the built-in texts
  // whatever the outcome, which is returned.
  LanguageLoad StartUpLanguage(std::string_view stored_name, TraceLog& trace,
                               const std::function<void()>& no_language_file = {});

  // Runs the steps of MainWindowCaptions on the main window's model (its title is the control
  // "frmparam"); steps whose control the model does not hold are skipped. When both windows are
  // updated, the preferences window comes first.
  void ApplyLanguage(ScreenModel& main_window, std::string_view version_suffix) const;
  // The same with PreferencesCaptions (title control "frmchoix").
  void ApplyPreferencesLanguage(ScreenModel& preferences, std::string_view version_suffix) const;

 private:
  void ApplyCaptions(ScreenModel& window, std::span<const CaptionStep> steps,
                     std::string_view version_suffix) const;

  TextCatalogLoader& loader_;
  std::string current_{kLanguageFrancais};
  std::unique_ptr<TextCatalog> catalog_;
  std::string last_error_;
};

// For the windows that may run without a language: the built-in text when `language` is null.
inline std::string LookupText(const Language* language, const LanguageText& text) {
  return language != nullptr ? language->LookupText(text) : std::string(text.built_in);
}

}  // namespace velkor
