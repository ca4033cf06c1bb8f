#pragma once
// The core's colour question as the toolkit's colour dialog, in 16-bit components.

#include "core/control/ControllerDialogs.h"

class QWidget;

namespace orlenza::app {

class QtColourPicker : public ColourPicker {
 public:
  std::optional<RGBColor> pickColour(RGBColor const& initial) override;
  void setParentWidget(QWidget* parent) { m_parent = parent; }

 private:
  QWidget* m_parent = nullptr;
};

}  // namespace orlenza::app
