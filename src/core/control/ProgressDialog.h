#pragma once
// The progress of the drawing's computation, seen from the user interface: the
// notifier the computation ticks, and the window interface that the studio
// (a modal dialog) and the tests implement. The computation runs on its own
// thread, one at a time; the calling thread waits in the window's modal loop.

#include <condition_variable>
#include <exception>
#include <string>

#include "core/engine/ComputationNotifier.h"

namespace orlenza {

class ProgressDialog;
class baseRawImage;

class ProgressWindow {
 public:
  virtual ~ProgressWindow() = default;
  // Once per tick, on the computing thread with the dialog's lock held: a GUI
  // queues an update for its own thread. May call dialog.stopAction().
  virtual void progressTicked(ProgressDialog& dialog);
  // On the waiting thread; returns once dialog.isDone(). A GUI runs its modal
  // loop here and calls dialog.stopAction() from its Stop button.
  virtual void runModal(ProgressDialog& dialog);
};

class ProgressDialog : public GenericComputationNotifier {
 public:
  explicit ProgressDialog(ProgressWindow& window) : m_window(window) {}

  // The computation ran to its end (or failed): the modal loop may stop.
  void finishDlog();
  // Stop button: result false, canceled, done.
  void stopAction();

  // False once stopped.
  bool getResult() const;
  bool isDone() const;
  void waitUntilDone() const;

  void setRemainingTime(long seconds);
  long getRemainingTime() const;
  // The window's "time left" text.
  std::string remainingText() const;

 protected:
  void notify() override { m_window.progressTicked(*this); }

 private:
  void markDone();

  ProgressWindow& m_window;
  mutable std::condition_variable_any m_doneChanged;
  bool m_result = true;
  bool m_done = false;
  long m_remainingSeconds = 0;
};

enum class ComputationOutcome { Completed, Canceled, Failed };

// Computes image's field on a new thread while window.runModal waits. The
// cells are computed into a field of their own, which replaces image's field
// only when the computation completed: a canceled or failed computation
// leaves the previous cells. An exception of the computation never leaves the
// thread; it is answered as Failed with its text in error. Throws
// std::logic_error when a computation is already running.
ComputationOutcome runComputation(baseRawImage& image, ProgressWindow& window, std::string* error = nullptr);

}  // namespace orlenza
