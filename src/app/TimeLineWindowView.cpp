#include "app/TimeLineWindowView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/KeyframeAxisWidget.h"
#include "app/SnapshotThumbnails.h"

namespace orlenza::app {

TimeLineWindowView::TimeLineWindowView(QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_axis(new KeyframeAxisWidget(KeyframeAxis::Ends::moveable)),
      m_thumbnails(new SnapshotThumbnails(kThumbnailSide, this)) {
  setObjectName("TimeLine");
  setWindowTitle(tr("Timeline"));
  m_axis->setMinimumHeight(176);

  // The picture stands above its box on a short stem; the box itself is what
  // the mouse takes, and shows the picture too.
  m_axis->setEntryPainter([this](QPainter& painter, QRectF const& box, KeyframeAxisEntry const& entry) {
    QImage const picture = m_thumbnails->thumbnail(entry.snapshot);
    QRectF frame(0, 0, kThumbnailSide, kThumbnailSide);
    frame.moveCenter(QPointF(box.center().x(), box.top() - 14 - kThumbnailSide / 2.0));
    // The pictures at the ends stay whole inside the axis.
    qreal const right = m_axis->axis().contentWidth() - 2;
    if (frame.left() < 2) frame.moveLeft(2);
    if (frame.right() > right) frame.moveRight(right);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(QPointF(box.center().x(), frame.bottom()), QPointF(box.center().x(), box.top()));
    if (picture.isNull()) {
      painter.fillRect(frame, QColor(150, 150, 150));
      painter.fillRect(box, Qt::white);
    } else {
      painter.drawImage(frame, picture);
      painter.drawImage(box, picture);
    }
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame.adjusted(-0.5, -0.5, 0.5, 0.5));
    painter.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
  });
  connect(m_thumbnails, &SnapshotThumbnails::thumbnailReady, m_axis->canvas(), qOverload<>(&QWidget::update));
  connect(m_axis, &KeyframeAxisWidget::axisChanged, this, &TimeLineWindowView::axisChanged);

  m_position = new QLineEdit;
  m_position->setObjectName("position");
  m_position->setReadOnly(true);
  m_position->setMaximumWidth(90);
  m_movie = new QPushButton(tr("Make Movie…"));
  m_movie->setObjectName("movie");
  m_movie->setEnabled(false);
  connect(m_movie, &QPushButton::clicked, this, &TimeLineWindowView::movieRequested);

  auto* hint = new QLabel(tr("Alt-click on the axis adds the picture on screen as a keyframe; drag a keyframe to move it."));
  hint->setWordWrap(true);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(new QLabel(tr("Position:")));
  bottom->addWidget(m_position);
  bottom->addWidget(hint, 1);
  bottom->addWidget(m_movie);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_axis, 1);
  layout->addLayout(bottom);
  resize(600, 215);
  axisChanged();
}

TimeLineWindowView::~TimeLineWindowView() { m_axis->axis().setController(nullptr); }

void TimeLineWindowView::setController(TimeLineController* controller) {
  if (controller)
    m_controller = std::make_unique<KeyframeAxisControllerFor<TimeLineController>>(*controller);
  else
    m_controller.reset();
  m_axis->axis().setController(m_controller.get());
}

void TimeLineWindowView::addKeyframe(std::shared_ptr<Snapshot> const& snap, KeyframePosition pos) {
  m_axis->axis().addEntry(pos, KeyframeAxisEntry{std::nullopt, snap});
}

void TimeLineWindowView::removeKeyframe(std::shared_ptr<Snapshot> const& snap) {
  m_axis->axis().removeEntry(snap);
  forgetHiddenThumbnails();
}

void TimeLineWindowView::replaceKeyframe(KeyframePosition pos, std::shared_ptr<Snapshot> const& snap) {
  m_axis->axis().replaceEntry(pos, KeyframeAxisEntry{std::nullopt, snap});
  forgetHiddenThumbnails();
}

void TimeLineWindowView::clear() {
  m_axis->axis().clear();
  forgetHiddenThumbnails();
}

void TimeLineWindowView::select(KeyframePosition pos) { m_axis->axis().setSelection(pos); }

void TimeLineWindowView::setMovieButtonEnabled(bool enabled) { m_movie->setEnabled(enabled); }

void TimeLineWindowView::zoomIn() {
  m_axis->axis().zoomIn();
  emit zoomChanged();
}

void TimeLineWindowView::zoomOut() {
  m_axis->axis().zoomOut();
  emit zoomChanged();
}

void TimeLineWindowView::axisChanged() {
  KeyframeAxis const& axis = m_axis->axis();
  m_position->setText(QString::fromStdString(axis.positionText()));
  m_position->setEnabled(axis.positionFieldEnabled());
}

void TimeLineWindowView::forgetHiddenThumbnails() {
  std::vector<std::shared_ptr<Snapshot>> shown;
  for (auto const& [pos, entry] : m_axis->axis().entries()) shown.push_back(entry.snapshot);
  m_thumbnails->retainOnly(shown);
}

}  // namespace orlenza::app
