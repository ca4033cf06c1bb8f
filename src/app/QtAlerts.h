#pragma once
// Alerts and three-button questions of the core, shown as message boxes with
// the texts of the string table.

#include <deque>
#include <string>
#include <vector>

#include "core/control/ControllerDialogs.h"
#include "core/files/AlertSink.h"

class QWidget;

namespace orlenza::app {

class QtAlerts : public AlertSink, public QuestionAsker {
 public:
  void showAlert(std::string const& mainKey, std::string const& explainKey) override;
  QuestionAnswer ask(YesNoCancelQuestion const& question) override;

  // The window the boxes belong to.
  void setParentWidget(QWidget* parent) { m_parent = parent; }
  // Without windows (tests): alerts are only recorded, questions take the
  // queued answers (cancel when none is left).
  void setHeadless(bool headless) { m_headless = headless; }
  void queueAnswer(QuestionAnswer answer) { m_answers.push_back(answer); }
  // Main keys of every alert shown, in order.
  std::vector<std::string> const& shownAlerts() const { return m_shown; }

 private:
  QWidget* m_parent = nullptr;
  bool m_headless = false;
  std::deque<QuestionAnswer> m_answers;
  std::vector<std::string> m_shown;
};

}  // namespace orlenza::app
