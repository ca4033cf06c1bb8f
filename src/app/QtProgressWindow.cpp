#include "app/QtProgressWindow.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/QtText.h"

namespace orlenza::app {

namespace {
// Short computations finish before the window would show, so it never flickers.
constexpr int kShowAfterMs = 250;
// How often the loop looks whether the computation ended.
constexpr int kDonePollMs = 5;

bool isUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::Close:
    case QEvent::Drop:
      return true;
    default:
      return false;
  }
}
}  // namespace

QtProgressWindow::QtProgressWindow(QObject* parent) : QObject(parent) {}

QtProgressWindow::~QtProgressWindow() { delete m_window; }

void QtProgressWindow::buildWindow() {
  if (m_window) return;
  m_window = new QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  m_window->setObjectName(QStringLiteral("Computing"));
  m_window->setWindowTitle(text("Computing"));
  m_window->setWindowModality(Qt::ApplicationModal);
  auto* layout = new QVBoxLayout(m_window);
  layout->addWidget(new QLabel(text("ComputingMessage"), m_window));
  m_bar = new QProgressBar(m_window);
  m_bar->setRange(0, 100);
  m_bar->setMinimumWidth(320);
  layout->addWidget(m_bar);
  auto* stopButton = new QPushButton(text("ComputingStop"), m_window);
  stopButton->setObjectName(QStringLiteral("stop"));
  layout->addWidget(stopButton, 0, Qt::AlignRight);
  connect(stopButton, &QPushButton::clicked, this, &QtProgressWindow::stop);
}

void QtProgressWindow::progressTicked(ProgressDialog& dialog) {
  // Computing thread: only the number crosses over, the widget is set on the GUI thread.
  m_progress.store(dialog.getProgress());
  QMetaObject::invokeMethod(
      this, [this] { if (m_bar) m_bar->setValue(std::min(m_progress.load(), m_bar->maximum())); },
      Qt::QueuedConnection);
}

void QtProgressWindow::stop() {
  if (m_dialog) m_dialog->stopAction();
}

void QtProgressWindow::runModal(ProgressDialog& dialog) {
  buildWindow();
  m_dialog = &dialog;
  ++m_started;
  m_progress.store(0);
  m_bar->setValue(0);
  qApp->installEventFilter(this);

  QEventLoop loop;
  QTimer poll;
  connect(&poll, &QTimer::timeout, &loop, [&] {
    if (dialog.isDone()) loop.quit();
  });
  poll.start(kDonePollMs);
  QTimer showLater;
  showLater.setSingleShot(true);
  connect(&showLater, &QTimer::timeout, m_window, &QDialog::show);
  showLater.start(kShowAfterMs);
  QTimer::singleShot(0, &loop, [this] { emit computationStarted(); });
  if (!dialog.isDone()) loop.exec();

  showLater.stop();
  m_window->hide();
  qApp->removeEventFilter(this);
  m_dialog = nullptr;
}

bool QtProgressWindow::eventFilter(QObject* watched, QEvent* event) {
  if (!m_dialog || !isUserInput(event->type())) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  bool const inWindow = widget && m_window && (widget == m_window || m_window->isAncestorOf(widget));
  if (inWindow) {
    if (event->type() == QEvent::Close) {
      stop();
      return true;
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
      stop();
      return true;
    }
    return false;
  }
  // Every other window waits until the computation ended.
  return true;
}

}  // namespace orlenza::app
