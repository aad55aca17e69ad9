#include "platform/qm_text_catalog.hpp"

#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <algorithm>
#include <set>
#include <system_error>
#include <utility>

namespace velkor {
namespace {

constexpr std::string_view kPrefix = "lng";
constexpr std::string_view kSuffix = ".qm";

std::filesystem::path Normalised(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::path path = std::filesystem::weakly_canonical(folder, error);
  return error ? folder.lexically_normal() : path;
}

}  // namespace

std::unique_ptr<QmTextCatalog> QmTextCatalog::FromBytes(QByteArray bytes) {
  std::unique_ptr<QmTextCatalog> catalog(new QmTextCatalog());
  catalog->bytes_ = std::move(bytes);
  const auto* data = reinterpret_cast<const uchar*>(catalog->bytes_.constData());
  if (!catalog->translator_.load(data, static_cast<int>(catalog->bytes_.size()))) return nullptr;
  return catalog;
}

std::optional<std::string> QmTextCatalog::GetResourceString(int id) const {
  // An id-based file keeps its messages under an empty context with the id as their key.
  const QByteArray key = QByteArray::number(id);
  const QString text = translator_.translate(nullptr, key.constData());
  if (text.isEmpty()) return std::nullopt;
  return text.toStdString();
}

std::optional<std::string> QmTextCatalog::GetNamedString(std::string_view name) const {
  const QByteArray key(name.data(), static_cast<qsizetype>(name.size()));
  const QString text = translator_.translate(nullptr, key.constData());
  if (text.isEmpty()) return std::nullopt;
  return text.toStdString();
}

QmTextCatalogLoader::QmTextCatalogLoader(std::vector<std::filesystem::path> folders)
    : folders_(std::move(folders)) {}

std::vector<std::filesystem::path> QmTextCatalogLoader::StandardFolders(
    const std::filesystem::path& home) {
  std::vector<std::filesystem::path> folders{home};
  if (QCoreApplication::instance() != nullptr) {
    const std::filesystem::path data = QCoreApplication::applicationDirPath().toStdString();
    // A portable copy runs from its home folder: search it once.
    if (Normalised(data) != Normalised(home)) folders.push_back(data);
  }
  return folders;
}

std::string QmTextCatalogLoader::FileName(std::string_view language) {
  return std::string(kPrefix) + std::string(language) + std::string(kSuffix);
}

CatalogLoadResult QmTextCatalogLoader::Load(std::string_view language) {
  CatalogLoadResult result;
  // The name becomes part of a file name: anything that would leave the folder is no language.
  if (language.empty() || language.find_first_of("/\\", 0) != std::string_view::npos ||
      language.find('\0') != std::string_view::npos) {
    result.message = "no language file for \"" + std::string(language) + "\"";
    return result;
  }
  for (const std::filesystem::path& folder : folders_) {
    const std::filesystem::path path = folder / FileName(language);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) continue;
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::ReadOnly)) {
      result.status = CatalogLoadResult::Status::kFailed;
      result.message = path.string() + ": " + file.errorString().toStdString();
      return result;
    }
    result.catalog = QmTextCatalog::FromBytes(file.readAll());
    if (result.catalog == nullptr) {
      result.status = CatalogLoadResult::Status::kFailed;
      result.message = path.string() + ": not a compiled language file";
      return result;
    }
    result.status = CatalogLoadResult::Status::kLoaded;
    return result;
  }
  result.message = FileName(language) + " not found";
  return result;
}

std::vector<std::string> QmTextCatalogLoader::ListLanguageFiles() const {
  std::set<std::string> names;
  for (const std::filesystem::path& folder : folders_) {
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
      const std::string file = it->path().filename().string();
      if (!file.starts_with(kPrefix) || !file.ends_with(kSuffix)) continue;
      std::error_code type_error;
      if (!it->is_regular_file(type_error)) continue;
      // The name runs from the fourth character to the first ".".
      const std::string name = file.substr(kPrefix.size(), file.find('.') - kPrefix.size());
      if (name.empty() || name.ends_with('~')) continue;
      names.insert(name);
    }
  }
  return {names.begin(), names.end()};
}

}  // namespace velkor
