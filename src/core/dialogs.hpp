#pragma once

#include <optional>
#include <string>

namespace velkor {

// Message boxes and file pickers. The windows' logic asks through this seam; the application
// answers with real dialogs, tests with a script.
class Dialogs {
 public:
  // kStop: the strongest warning, for a question whose answer acts on the engine.
  enum class Icon { kNone, kInformation, kWarning, kError, kQuestion, kStop };

  virtual ~Dialogs() = default;
  // A message with an OK button; returns when the user has read it.
  virtual void Message(const std::string& text, const std::string& title,
                       Icon icon = Icon::kNone) = 0;
  // A message shown without waiting for the user: the caller goes on at once, so a run keeps
  // measuring while it is open. What the program says on its own during a run goes this way.
  virtual void Notify(const std::string& text, const std::string& title, Icon icon = Icon::kNone) {
    Message(text, title, icon);
  }
  // True for OK, false for Cancel.
  virtual bool AskOkCancel(const std::string& text, const std::string& title,
                           Icon icon = Icon::kQuestion) = 0;
  // `filter` as "CSV (*.csv);;Text (*.txt)". Nothing when the user cancels.
  virtual std::optional<std::string> PickOpenFile(const std::string& title,
                                                  const std::string& folder,
                                                  const std::string& filter) = 0;
  virtual std::optional<std::string> PickSaveFile(const std::string& title,
                                                  const std::string& folder,
                                                  const std::string& filter) = 0;
  virtual std::optional<std::string> PickFolder(const std::string& title,
                                                const std::string& folder) = 0;
};

}  // namespace velkor
