#include "ui/qt_dialogs.hpp"

#include <QFileDialog>
#include <QMessageBox>

#include "ui/qt_text.hpp"

namespace velkor {

namespace {

std::optional<std::string> Chosen(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

QMessageBox::Icon ToQt(Dialogs::Icon icon) {
  switch (icon) {
    case Dialogs::Icon::kInformation:
      return QMessageBox::Information;
    case Dialogs::Icon::kWarning:
      return QMessageBox::Warning;
    case Dialogs::Icon::kError:
    case Dialogs::Icon::kStop:
      return QMessageBox::Critical;
    case Dialogs::Icon::kQuestion:
      return QMessageBox::Question;
    case Dialogs::Icon::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

void QtDialogs::Message(const std::string& text, const std::string& title, Icon icon) {
  QMessageBox box(ToQt(icon), Q(title), Q(text), QMessageBox::Ok, parent_);
  box.exec();
}

void QtDialogs::Notify(const std::string& text, const std::string& title, Icon icon) {
  auto* box = new QMessageBox(ToQt(icon), Q(title), Q(text), QMessageBox::Ok, parent_);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::NonModal);
  box->show();
}

bool QtDialogs::AskOkCancel(const std::string& text, const std::string& title, Icon icon) {
  QMessageBox box(ToQt(icon), Q(title), Q(text), QMessageBox::Ok | QMessageBox::Cancel, parent_);
  box.setDefaultButton(QMessageBox::Ok);
  return box.exec() == QMessageBox::Ok;
}

std::optional<std::string> QtDialogs::PickOpenFile(const std::string& title,
                                                   const std::string& folder,
                                                   const std::string& filter) {
  return Chosen(QFileDialog::getOpenFileName(parent_, Q(title), Q(folder), Q(filter)));
}

std::optional<std::string> QtDialogs::PickSaveFile(const std::string& title,
                                                   const std::string& folder,
                                                   const std::string& filter) {
  return Chosen(QFileDialog::getSaveFileName(parent_, Q(title), Q(folder), Q(filter)));
}

std::optional<std::string> QtDialogs::PickFolder(const std::string& title,
                                                 const std::string& folder) {
  return Chosen(QFileDialog::getExistingDirectory(parent_, Q(title), Q(folder)));
}

}  // namespace velkor
