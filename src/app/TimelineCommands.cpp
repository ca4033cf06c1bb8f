// The timeline's commands, its window, and the question before quitting.

#include <QApplication>
#include <QPushButton>

#include "app/Application.h"
#include "app/KeyframeAxisWidget.h"
#include "app/MovieMaker.h"
#include "app/TimeLineWindowView.h"
#include "core/control/DrawingController.h"
#include "core/control/TimeLineController.h"

namespace orlenza::app {

void Application::registerTimelineCommands() {
  auto on = [this](std::string_view four, CommandDispatcher::Handler handler) {
    m_dispatcher.registerHandler(commandId(four), std::move(handler));
  };
  TimeLineController& t = *m_timeline;
  on("Keyf", [this, &t] {
    showTimeline();
    t.addKeyframe();
  });
  on("RepK", [&t] { t.replaceSelectedKeyframe(); });
  on("Dkey", [&t] { t.deleteSelectedKeyframe(); });
  on("Mkey", [&t] { t.moveKeyFrame(); });
  on("Lkey", [&t] { t.loadSelectedKeyframe(); });
  on("Skey", [&t] { t.saveKeyframes(); });
  on("Okey", [this, &t] {
    t.openKeyframes();
    showTimeline();
  });
  on("ScZ+", [&t] { t.zoomIn(); });
  on("ScZ-", [&t] { t.zoomOut(); });
  on("Morf", [this, &t] {
    m_movieMaker->makeMovie(t, m_drawing->getCurrentImageWidth(), m_drawing->getCurrentImageHeight());
  });
  on("Wtim", [this] { showTimeline(); });

  TimeLineWindowView& window = *m_timelineWindow;
  connect(window.movieButton(), &QPushButton::clicked, this, [this] { dispatch(commandId("Morf")); });
  // Gestures on the axis change the timeline: the commands' states follow.
  connect(window.axisWidget(), &KeyframeAxisWidget::axisChanged, this, [this] {
    if (!m_dispatching) refresh();
  });
}

void Application::showTimeline() {
  if (m_timelineWindow->isMinimized()) return;
  m_timelineWindow->show();
  m_timelineWindow->raise();
  m_timelineWindow->activateWindow();
}

void Application::quit() {
  // Unsaved keyframes are asked about like a timeline that is replaced.
  if (m_quitting || !m_timeline->checkSaveCurrentMovie()) return;
  m_quitting = true;
  QApplication::closeAllWindows();
  QApplication::quit();
}

}  // namespace orlenza::app
