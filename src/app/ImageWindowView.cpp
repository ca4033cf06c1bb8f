#include "app/ImageWindowView.h"

#include <QVBoxLayout>

#include "app/Application.h"
#include "app/ImageView.h"
#include "app/QtText.h"

namespace orlenza::app {

ImageWindowView::ImageWindowView(Application& app) : m_app(app) {
  setWindowTitle(text("ImageWindowTitle"));
  auto* layout = new QVBoxLayout(this);
  m_view = new ImageView(app, this);
  layout->addWidget(m_view);
  connect(&m_app, &Application::refreshed, this, &ImageWindowView::refreshFromModel);
}

ImageWindowView::~ImageWindowView() = default;

void ImageWindowView::setTooltipsShown(bool) {}

void ImageWindowView::bringToFront() {
  show();
  raise();
  activateWindow();
}

void ImageWindowView::refreshFromModel() { m_view->update(); }

}  // namespace orlenza::app
