#include "app/ImageView.h"

#include <QImage>
#include <QPainter>

#include "app/Application.h"
#include "core/control/DrawingController.h"

namespace orlenza::app {

ImageView::ImageView(Application& app, QWidget* parent) : QWidget(parent), m_app(app) {}

QSize ImageView::sizeHint() const {
  RawBitMap const& bitmap = m_app.drawing().getRawBitMap();
  return {bitmap.getWidth(), bitmap.getHeight()};
}

void ImageView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  RawBitMap const& bitmap = m_app.drawing().getRawBitMap();
  QImage const picture(bitmap.bytes(), bitmap.getWidth(), bitmap.getHeight(), bitmap.bytesPerRow(),
                       QImage::Format_RGB32);
  painter.drawImage(0, 0, picture);
}

}  // namespace orlenza::app
