#include "app/GradationStrip.h"

#include <QPainter>

namespace orlenza::app {

GradationStrip::GradationStrip(QWidget* parent) : QWidget(parent) {
  setMinimumHeight(16);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void GradationStrip::setGradation(Gradation const& gradation) {
  if (gradation == m_gradation) return;
  m_gradation = gradation;
  update();
}

void GradationStrip::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  int const w = std::max(1, width() - 2);
  std::vector<RGBColor> const colours = m_gradation.colourStrip(w);
  for (int x = 0; x < static_cast<int>(colours.size()); ++x) {
    RGBColor const& c = colours[static_cast<std::size_t>(x)];
    painter.setPen(QColor::fromRgba64(c.red, c.green, c.blue));
    painter.drawLine(x + 1, 1, x + 1, height() - 2);
  }
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(0, 0, width() - 1, height() - 1);
}

}  // namespace orlenza::app
