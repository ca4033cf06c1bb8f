#pragma once
// Draws a KeyframeAxis (the 0..1 axis of the gradation editor and of the
// timeline) and forwards the mouse to it; every rule lives in the model.
// Alt-click adds an entry. A horizontal scroll bar follows the zoom.

#include <QWidget>

#include <functional>

#include "core/control/KeyframeAxis.h"

class QPainter;
class QScrollBar;

namespace orlenza::app {

class KeyframeAxisWidget : public QWidget {
  Q_OBJECT

 public:
  // Draws inside an entry's 16 x 16 box (content coordinates); the default
  // draws a gradation key as a grey box with its colour inset by 2 pixels
  // and anything else as a white marker. The timeline draws a small picture.
  using EntryPainter = std::function<void(QPainter&, QRectF const&, KeyframeAxisEntry const&)>;

  explicit KeyframeAxisWidget(KeyframeAxis::Ends ends, QWidget* parent = nullptr);
  ~KeyframeAxisWidget() override;

  KeyframeAxis& axis() { return m_axis; }
  KeyframeAxis const& axis() const { return m_axis; }
  void setEntryPainter(EntryPainter painter);
  static void paintGradationEntry(QPainter& painter, QRectF const& rect, KeyframeAxisEntry const& entry);

  // The canvas the mouse acts on (tests click there).
  QWidget* canvas() const { return m_canvas; }
  // Window x of a position, for tests and for owners that place things over the axis.
  int windowXOf(KeyframePosition pos) const;
  int entryCentreY() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  // After any change of the model: selection, entries, drag, zoom or scroll.
  void axisChanged();

 private:
  class Canvas;
  void modelChanged();

  KeyframeAxis m_axis;
  EntryPainter m_painter;
  QWidget* m_canvas;
  QScrollBar* m_scrollBar;
  bool m_updatingScrollBar = false;
};

}  // namespace orlenza::app
