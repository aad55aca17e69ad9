#pragma once

#include <QWidget>

#include "core/dialogs.hpp"

namespace velkor {

// The program's message boxes and file pickers, as Qt dialogs over a parent window.
class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void Message(const std::string& text, const std::string& title, Icon icon) override;
  // A modeless box that deletes itself once closed.
  void Notify(const std::string& text, const std::string& title, Icon icon) override;
  bool AskOkCancel(const std::string& text, const std::string& title,
                   Icon icon = Icon::kQuestion) override;
  std::optional<std::string> PickOpenFile(const std::string& title, const std::string& folder,
                                          const std::string& filter) override;
  std::optional<std::string> PickSaveFile(const std::string& title, const std::string& folder,
                                          const std::string& filter) override;
  std::optional<std::string> PickFolder(const std::string& title,
                                        const std::string& folder) override;

 private:
  QWidget* parent_;
};

}  // namespace velkor
