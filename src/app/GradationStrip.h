#pragma once
// A gradation drawn as a strip of its colours from 0 (left) to 1 (right).

#include <QWidget>

#include "core/model/Gradation.h"

namespace orlenza::app {

class GradationStrip : public QWidget {
  Q_OBJECT
 public:
  explicit GradationStrip(QWidget* parent = nullptr);
  void setGradation(Gradation const& gradation);
  QSize sizeHint() const override { return {256, 20}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Gradation m_gradation;
};

}  // namespace orlenza::app
