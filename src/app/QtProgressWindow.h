#pragma once
// The "Computing" window: a progress bar and Stop, run as a modal loop of its
// own while the computation's thread works, so the studio keeps painting.
// Ticks arrive from the computing thread and reach the bar through queued
// calls; user input to every other window is held back meanwhile.

#include <QObject>

#include <atomic>

#include "core/control/ProgressDialog.h"

class QDialog;
class QLabel;
class QProgressBar;
class QPushButton;

namespace orlenza::app {

class QtProgressWindow : public QObject, public ProgressWindow {
  Q_OBJECT
 public:
  explicit QtProgressWindow(QObject* parent = nullptr);
  ~QtProgressWindow() override;

  void progressTicked(ProgressDialog& dialog) override;
  void runModal(ProgressDialog& dialog) override;

  bool isRunning() const { return m_dialog != nullptr; }
  // The Stop button, for a user or a test: cancels the running computation.
  void stop();
  // Computations run and completed since start-up (tests count recomputations).
  int computationsStarted() const { return m_started; }
  // The window (null while nothing computes).
  QDialog* window() const { return m_window; }

 signals:
  // Emitted on the GUI thread once the modal loop runs.
  void computationStarted();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildWindow();

  ProgressDialog* m_dialog = nullptr;
  QDialog* m_window = nullptr;
  QProgressBar* m_bar = nullptr;
  QLabel* m_remaining = nullptr;
  std::atomic<int> m_progress{0};
  int m_started = 0;
};

}  // namespace orlenza::app
