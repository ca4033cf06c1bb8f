#pragma once
// The picture itself, painted from the drawing's bitmap through a QImage that
// wraps its bytes (no copy per repaint), with the mouse gestures: a click or
// rubber band zooms in, a drag with Ctrl moves the picture.

#include <QWidget>

namespace orlenza::app {

class Application;

class ImageView : public QWidget {
  Q_OBJECT
 public:
  explicit ImageView(Application& app, QWidget* parent = nullptr);

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Application& m_app;
};

}  // namespace orlenza::app
