#include "app/ImageWindowView.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/Application.h"
#include "app/ImageView.h"
#include "app/QtText.h"
#include "core/control/DrawingController.h"

namespace orlenza::app {

ImageWindowView::ImageWindowView(Application& app) : m_app(app) {
  setObjectName(QStringLiteral("ImageWindow"));
  setWindowTitle(text("ImageWindowTitle"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  m_scroll = new QScrollArea(this);
  m_scroll->setAlignment(Qt::AlignCenter);
  m_scroll->setBackgroundRole(QPalette::Dark);
  m_view = new ImageView(app, m_scroll);
  m_scroll->setWidget(m_view);
  layout->addWidget(m_scroll, 1);

  auto* row = new QHBoxLayout;
  auto makeSide = [this](QString const& name) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setMaximumWidth(70);
    connect(edit, &QLineEdit::returnPressed, this, &ImageWindowView::sizeFieldsEdited);
    return edit;
  };
  m_width = makeSide(QStringLiteral("width"));
  m_height = makeSide(QStringLiteral("height"));
  row->addWidget(new QLabel(text("lbl_Width"), this));
  row->addWidget(m_width);
  row->addWidget(new QLabel(text("lbl_Height"), this));
  row->addWidget(m_height);
  row->addStretch(1);
  // These show the drawn view, so a click sends the command for controls that
  // still show the state before the mirror.
  m_flipH = new QCheckBox(text("lbl_FlipH"), this);
  m_flipV = new QCheckBox(text("lbl_FlipV"), this);
  m_flipH->setObjectName(QStringLiteral("flipH"));
  m_flipV->setObjectName(QStringLiteral("flipV"));
  connect(m_flipH, &QCheckBox::clicked, this, [this] {
    if (!m_app.dispatch(commandId("fliH"))) refreshFromModel();
  });
  connect(m_flipV, &QCheckBox::clicked, this, [this] {
    if (!m_app.dispatch(commandId("fliV"))) refreshFromModel();
  });
  row->addWidget(m_flipH);
  row->addWidget(m_flipV);
  layout->addLayout(row);

  connect(&m_app, &Application::refreshed, this, &ImageWindowView::refreshFromModel);
  refreshFromModel();
}

ImageWindowView::~ImageWindowView() = default;

void ImageWindowView::bringToFront() {
  show();
  raise();
  activateWindow();
}

void ImageWindowView::sizeFieldsEdited() {
  bool okWidth = false;
  bool okHeight = false;
  long const width = m_width->text().trimmed().toLong(&okWidth);
  long const height = m_height->text().trimmed().toLong(&okHeight);
  // Text that is no whole number changes nothing; the fields show the size again.
  if (!okWidth || !okHeight) {
    refreshFromModel();
    return;
  }
  if (!m_app.perform([&] { m_app.drawing().imageSizeFieldsEdited(width, height); })) refreshFromModel();
}

void ImageWindowView::fitToPicture() {
  m_view->pictureChanged();
  QSize const picture = m_view->pictureSize();
  if (picture == m_pictureSize) return;
  m_pictureSize = picture;
  // The window grows or shrinks around the picture, as far as the screen allows.
  QSize wanted = picture + QSize(2 * m_scroll->frameWidth() + 14, 2 * m_scroll->frameWidth() + 14) +
                 QSize(0, m_width->sizeHint().height() + 12);
  if (QScreen* screen = this->screen()) wanted = wanted.boundedTo(screen->availableSize() * 0.9);
  resize(wanted.expandedTo(minimumSizeHint()));
}

void ImageWindowView::refreshFromModel() {
  DrawingController& drawing = m_app.drawing();
  ImageWindow const& window = drawing.getImageWindow();
  m_width->setText(QString::number(window.getRawDrawingWidth()));
  m_height->setText(QString::number(window.getRawDrawingHeight()));
  QSignalBlocker blockH(m_flipH);
  QSignalBlocker blockV(m_flipV);
  m_flipH->setChecked(window.flipH());
  m_flipV->setChecked(window.flipV());
  fitToPicture();
}

}  // namespace orlenza::app
