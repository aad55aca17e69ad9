#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/language.hpp"
#include "core/dialogs.hpp"

namespace velkor::sim {

// Dialogs answered by a script: every message is recorded, OK/Cancel questions get `answer`,
// the pickers return what the test put in `picked` (nothing: the user cancelled).
class ScriptedDialogs : public Dialogs {
 public:
  struct Shown {
    std::string text;
    std::string title;
    Icon icon = Icon::kNone;
    // Text and title: what the user reads. Tests that care about the icon check it apart.
    bool operator==(const Shown& other) const { return text == other.text && title == other.title; }
  };

  void Message(const std::string& text, const std::string& title, Icon icon) override {
    messages.push_back({text, title, icon});
  }
  bool AskOkCancel(const std::string& text, const std::string&,
                   Icon icon = Icon::kQuestion) override {
    questions.push_back(text);
    question_icons.push_back(icon);
    return answer;
  }
  std::optional<std::string> PickOpenFile(const std::string&, const std::string&,
                                          const std::string&) override {
    return picked;
  }
  std::optional<std::string> PickSaveFile(const std::string&, const std::string&,
                                          const std::string&) override {
    return picked;
  }
  std::optional<std::string> PickFolder(const std::string&, const std::string&) override {
    return picked;
  }

  std::vector<Shown> messages;
  std::vector<std::string> questions;
  std::vector<Icon> question_icons;
  bool answer = true;
  std::optional<std::string> picked;
};

// No language file anywhere: every text is the built-in one.
class NoLanguageFiles : public TextCatalogLoader {
 public:
  CatalogLoadResult Load(std::string_view) override { return {}; }
  std::vector<std::string> ListLanguageFiles() const override { return {}; }
};

}  // namespace velkor::sim
