#pragma once

#include <QByteArray>
#include <QTranslator>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/language.hpp"

namespace velkor {

// The texts of one compiled language file (lng<Name>.qm). The files are built with
// `lrelease -idbased`: each message is keyed by its text id in decimal ("118"), the same key
// qtTrId would use.
class QmTextCatalog : public TextCatalog {
 public:
  // Nothing when `bytes` is not a compiled language file.
  static std::unique_ptr<QmTextCatalog> FromBytes(QByteArray bytes);

  // Nothing for an id the file does not hold, or holds with an empty text.
  std::optional<std::string> GetResourceString(int id) const override;
  // The same for a text kept under a name ("P0122.short").
  std::optional<std::string> GetNamedString(std::string_view name) const override;

 private:
  QmTextCatalog() = default;

  QByteArray bytes_;  // the translator reads its texts from here for as long as it lives
  QTranslator translator_;
};

// Finds lng<Name>.qm in a list of folders, the first folder that holds it winning.
class QmTextCatalogLoader : public TextCatalogLoader {
 public:
  explicit QmTextCatalogLoader(std::vector<std::filesystem::path> folders);

  // The home folder, then the folder of the running executable (where the installed files
  // are), once each. Needs the QCoreApplication to exist for the second.
  static std::vector<std::filesystem::path> StandardFolders(const std::filesystem::path& home);

  static std::string FileName(std::string_view language);  // "lng" + language + ".qm"

  CatalogLoadResult Load(std::string_view language) override;
  std::vector<std::string> ListLanguageFiles() const override;

 private:
  std::vector<std::filesystem::path> folders_;
};

}  // namespace velkor
