#include "app/QtColourPicker.h"

#include <QColorDialog>

namespace orlenza::app {

std::optional<RGBColor> QtColourPicker::pickColour(RGBColor const& initial) {
  if (!m_answers.empty()) {
    std::optional<RGBColor> const answer = m_answers.front();
    m_answers.pop_front();
    return answer;
  }
  QColor const start = QColor::fromRgba64(initial.red, initial.green, initial.blue);
  QColor const chosen = QColorDialog::getColor(start, m_parent);
  if (!chosen.isValid()) return std::nullopt;
  QRgba64 const c = chosen.rgba64();
  return RGBColor{c.red(), c.green(), c.blue()};
}

}  // namespace orlenza::app
