#include "app/RenderingWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/base/RemainingTimeText.h"

namespace orlenza::app {

namespace {

// Eight bits per component, as the movie holds the frame.
QImage toQImage(RgbImage16 const& image) {
  QImage result(image.width, image.height, QImage::Format_RGB888);
  for (int y = 0; y < image.height; ++y) {
    std::uint16_t const* source = image.pixel(0, y);
    uchar* row = result.scanLine(y);
    for (int c = 0; c < 3 * image.width; ++c) row[c] = static_cast<uchar>(source[c] >> 8);
  }
  return result;
}

}  // namespace

FrameView::FrameView(QWidget* parent) : QWidget(parent) { setMinimumSize(160, 120); }

void FrameView::setFrame(QImage frame) {
  m_frame = std::move(frame);
  update();
}

void FrameView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  if (m_frame.isNull()) return;
  QSize const size = m_frame.size().scaled(this->size(), Qt::KeepAspectRatio);
  QRect target(QPoint(0, 0), size);
  target.moveCenter(rect().center());
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(target, m_frame);
}

RenderingWindow::RenderingWindow(KeyframeContainer const& timeline, MovieSettings const& settings,
                                 std::filesystem::path target, QWidget* parent)
    : QDialog(parent), m_timeline(timeline), m_settings(settings), m_target(std::move(target)) {
  setObjectName("Rendering");
  setWindowTitle(tr("Rendering"));
  setModal(true);
  m_frameText = new QLabel;
  m_frameText->setObjectName("frameText");
  m_bar = new QProgressBar;
  m_bar->setRange(0, settings.frameCount);
  m_bar->setTextVisible(false);
  m_remaining = new QLabel(" ");
  m_remaining->setObjectName("remaining");
  m_frame = new FrameView;
  m_frame->setObjectName("frame");
  m_stop = new QPushButton(tr("Stop"));
  m_stop->setObjectName("stop");
  connect(m_stop, &QPushButton::clicked, this, &RenderingWindow::stop);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(m_remaining, 1);
  bottom->addWidget(m_stop);
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(tr("Frame")));
  top->addWidget(m_frameText, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(m_bar);
  layout->addWidget(m_frame, 1);
  layout->addLayout(bottom);
  resize(360, 320);
}

RenderingWindow::~RenderingWindow() = default;

media::MovieTask::Outcome RenderingWindow::run() {
  m_task = std::make_unique<media::MovieTask>(m_timeline, m_settings, m_target, [this] {
    // One refresh waits at a time, so a fast movie cannot flood the event queue.
    if (!m_refreshPosted.exchange(true)) QMetaObject::invokeMethod(this, [this] { refresh(); }, Qt::QueuedConnection);
  });
  refresh();
  if (m_task->outcome() == media::MovieTask::Outcome::running) exec();
  m_task->wait();
  return m_task->outcome();
}

QString RenderingWindow::failure() const { return m_task ? QString::fromStdString(m_task->failure()) : QString(); }

int RenderingWindow::framesMade() const { return m_task ? m_task->progress().framesMade : 0; }

void RenderingWindow::reject() { stop(); }

void RenderingWindow::stop() {
  if (!m_task) return;
  m_task->stop();
  m_stop->setEnabled(false);
}

void RenderingWindow::refresh() {
  m_refreshPosted = false;
  if (!m_task) return;
  media::MovieTask::Progress const progress = m_task->progress();
  m_frameText->setText(QStringLiteral("%1 / %2").arg(progress.currentFrame).arg(progress.frameTotal));
  m_bar->setValue(progress.currentFrame);
  m_remaining->setText(QString::fromStdString(remainingTimeText(progress.remainingSeconds)));
  if (auto const latest = m_task->latestFrame()) m_frame->setFrame(toQImage(*latest));
  if (m_task->outcome() != media::MovieTask::Outcome::running && isVisible()) done(QDialog::Accepted);
}

}  // namespace orlenza::app
