#pragma once
// The core's file questions as file dialogs filtered to one extension.

#include <deque>
#include <filesystem>
#include <optional>

#include "core/control/ControllerDialogs.h"

class QWidget;

namespace orlenza::app {

class QtFileChooser : public FileChooser {
 public:
  std::optional<std::filesystem::path> chooseFileToOpen(std::string_view extension) override;
  // Proposes "Untitled.<extension>"; the extension is added when the user leaves it out.
  std::optional<std::filesystem::path> chooseNewFile(std::string_view extension, std::string_view titleKey) override;

  void setParentWidget(QWidget* parent) { m_parent = parent; }
  // Tests: the next questions take these answers instead of a dialog.
  void queueAnswer(std::optional<std::filesystem::path> answer) { m_answers.push_back(std::move(answer)); }

 private:
  bool takeQueued(std::optional<std::filesystem::path>& answer);

  QWidget* m_parent = nullptr;
  std::deque<std::optional<std::filesystem::path>> m_answers;
};

}  // namespace orlenza::app
