#pragma once
// The picture itself, painted from the drawing's bitmap through a QImage that
// wraps its bytes (no copy per repaint), and the mouse on it: a click zooms in
// around the point (a right click zooms out), a drag zooms into a rubber band
// whose shape follows the preference and Shift, and a drag with Ctrl moves the
// picture (Alt-drag is taken by many window managers to move windows).

#include <QWidget>

#include <optional>

#include "core/control/DrawingController.h"

namespace orlenza::app {

class Application;

class ImageView : public QWidget {
  Q_OBJECT
 public:
  // The modifier that turns a drag into moving the picture.
  static constexpr Qt::KeyboardModifier kDragModifier = Qt::ControlModifier;

  explicit ImageView(Application& app, QWidget* parent = nullptr);

  QSize sizeHint() const override { return m_pictureSize; }
  // After a change of the drawing: a complete picture's size is taken; while
  // the picture is out of date (a drawing stopped) the bitmap still holds the
  // last complete picture, at that picture's size.
  void pictureChanged();
  QSize pictureSize() const { return m_pictureSize; }
  // The band being dragged, relative to the picture (none when not dragging one).
  std::optional<Rect> rubberBand() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void enterEvent(QEnterEvent* event) override;

 private:
  enum class Gesture { None, Band, Drag };
  void updateCursor(Qt::KeyboardModifiers modifiers);
  static Point pointOf(QPoint p) { return Point{p.x(), p.y()}; }

  Application& m_app;
  QSize m_pictureSize;
  Gesture m_gesture = Gesture::None;
  Qt::MouseButton m_button = Qt::NoButton;
  QPoint m_start;
  QPoint m_current;
  bool m_moved = false;
  bool m_centredBand = true;
};

}  // namespace orlenza::app
