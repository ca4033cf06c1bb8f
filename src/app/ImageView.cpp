#include "app/ImageView.h"

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "app/Application.h"
#include "core/control/ImageGestures.h"

namespace orlenza::app {

namespace {
// A press and release closer than this is a click, not a drag.
constexpr int kClickSlop = 2;
}  // namespace

ImageView::ImageView(Application& app, QWidget* parent) : QWidget(parent), m_app(app) {
  setObjectName(QStringLiteral("ImageView"));
  setMouseTracking(true);
  setFocusPolicy(Qt::ClickFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  pictureChanged();
  setCursor(Qt::CrossCursor);
}

void ImageView::pictureChanged() {
  DrawingController const& drawing = m_app.drawing();
  RawBitMap const& bitmap = drawing.getRawBitMap();
  // A stopped drawing resized the bitmap but left its bytes as they were.
  if (drawing.imageIsUpToDate() || m_pictureSize.isEmpty())
    m_pictureSize = QSize(bitmap.getWidth(), bitmap.getHeight());
  if (size() != m_pictureSize) setFixedSize(m_pictureSize);
  update();
}

std::optional<Rect> ImageView::rubberBand() const {
  if (m_gesture != Gesture::Band) return std::nullopt;
  RubberBandShape const shape = m_centredBand ? RubberBandShape::Centred : RubberBandShape::Corner;
  return rubberBandRect(pointOf(m_start), pointOf(m_current), shape, m_pictureSize.width(), m_pictureSize.height());
}

void ImageView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  RawBitMap const& bitmap = m_app.drawing().getRawBitMap();
  // The bitmap's pixels are 32-bit 0xFFRRGGBB words: the image reads them where they are.
  int const width = std::min(m_pictureSize.width(), bitmap.getMaxWidth());
  int const height = std::min(m_pictureSize.height(), bitmap.getMaxHeight());
  QImage const picture(bitmap.bytes(), width, height, width * RawBitMap::kBytesPerPixel, QImage::Format_RGB32);
  if (m_gesture == Gesture::Drag) {
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.drawImage(m_current - m_start, picture);
    return;
  }
  painter.drawImage(0, 0, picture);
  if (std::optional<Rect> const band = rubberBand()) {
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(band->left, band->top, std::max(0, band->right - band->left - 1),
                     std::max(0, band->bottom - band->top - 1));
  }
}

void ImageView::updateCursor(Qt::KeyboardModifiers modifiers) {
  if (m_gesture == Gesture::Drag)
    setCursor(Qt::ClosedHandCursor);
  else if (modifiers & kDragModifier)
    setCursor(Qt::OpenHandCursor);
  else
    setCursor(Qt::CrossCursor);
}

void ImageView::mousePressEvent(QMouseEvent* event) {
  if (m_gesture != Gesture::None) return;
  m_button = event->button();
  m_start = m_current = event->position().toPoint();
  m_moved = false;
  if (m_button == Qt::LeftButton && (event->modifiers() & kDragModifier)) {
    m_gesture = Gesture::Drag;
  } else if (m_button == Qt::LeftButton) {
    m_gesture = Gesture::Band;
    m_centredBand = rubberBandShape(m_app.preferences().defaultZoomCentred,
                                    event->modifiers() & Qt::ShiftModifier) == RubberBandShape::Centred;
  }
  updateCursor(event->modifiers());
}

void ImageView::mouseMoveEvent(QMouseEvent* event) {
  if (m_gesture == Gesture::None && m_button == Qt::NoButton) {
    updateCursor(event->modifiers());
    return;
  }
  m_current = event->position().toPoint();
  if ((m_current - m_start).manhattanLength() > kClickSlop) m_moved = true;
  update();
}

void ImageView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != m_button) return;
  m_current = event->position().toPoint();
  Gesture const gesture = m_gesture;
  std::optional<Rect> const band = rubberBand();
  bool const click = !m_moved;
  Point const start = pointOf(m_start);
  Point const end = pointOf(m_current);
  m_gesture = Gesture::None;
  m_button = Qt::NoButton;
  updateCursor(event->modifiers());
  update();
  DrawingController& drawing = m_app.drawing();
  if (gesture == Gesture::Drag) {
    if (!click) m_app.perform([&] { drawing.moveImage(start, end); });
  } else if (click && (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)) {
    bool const zoomOut = event->button() == Qt::RightButton;
    m_app.perform([&] { drawing.zoomAtPoint(start, zoomOut); });
  } else if (gesture == Gesture::Band && band && rubberBandZooms(*band)) {
    Rect const zoom = *band;
    m_app.perform([&] { drawing.zoomImage(zoom); });
  }
}

void ImageView::keyPressEvent(QKeyEvent* event) {
  updateCursor(event->modifiers());
  QWidget::keyPressEvent(event);
}

void ImageView::keyReleaseEvent(QKeyEvent* event) {
  updateCursor(event->modifiers());
  QWidget::keyReleaseEvent(event);
}

void ImageView::enterEvent(QEnterEvent* event) {
  updateCursor(event->modifiers());
  QWidget::enterEvent(event);
}

}  // namespace orlenza::app
