#pragma once
// The core's colour question as the toolkit's colour dialog, in 16-bit components.

#include <deque>

#include "core/control/ControllerDialogs.h"

class QWidget;

namespace orlenza::app {

class QtColourPicker : public ColourPicker {
 public:
  std::optional<RGBColor> pickColour(RGBColor const& initial) override;
  void setParentWidget(QWidget* parent) { m_parent = parent; }
  // Tests: the next questions take these answers (nothing: cancelled) instead of a dialog.
  void queueAnswer(std::optional<RGBColor> answer) { m_answers.push_back(answer); }

 private:
  QWidget* m_parent = nullptr;
  std::deque<std::optional<RGBColor>> m_answers;
};

}  // namespace orlenza::app
