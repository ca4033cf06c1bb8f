#pragma once
// The "Rendering" window: a movie made on its own thread while this window
// shows "frame i / N", a bar, the time still to go and the latest frame. Stop
// ends it with a playable movie of the frames made so far.

#include <QDialog>
#include <QImage>

#include <atomic>
#include <filesystem>
#include <memory>

#include "media/MovieTask.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace orlenza::app {

// The latest frame, scaled to fit and centred.
class FrameView : public QWidget {
 public:
  explicit FrameView(QWidget* parent = nullptr);
  void setFrame(QImage frame);
  QImage const& frame() const { return m_frame; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage m_frame;
};

class RenderingWindow : public QDialog {
  Q_OBJECT

 public:
  RenderingWindow(KeyframeContainer const& timeline, MovieSettings const& settings, std::filesystem::path target,
                  QWidget* parent = nullptr);
  ~RenderingWindow() override;

  // Starts the movie and runs the window until it is made, stopped or failed.
  media::MovieTask::Outcome run();
  // One sentence when the movie could not be written.
  QString failure() const;
  int framesMade() const;

  // Closing the window is Stop: the movie is kept with the frames made.
  void reject() override;

 private:
  void stop();
  void refresh();

  KeyframeContainer m_timeline;
  MovieSettings m_settings;
  std::filesystem::path m_target;
  std::unique_ptr<media::MovieTask> m_task;
  std::atomic<bool> m_refreshPosted{false};
  QLabel* m_frameText = nullptr;
  QProgressBar* m_bar = nullptr;
  QLabel* m_remaining = nullptr;
  FrameView* m_frame = nullptr;
  QPushButton* m_stop = nullptr;
};

}  // namespace orlenza::app
