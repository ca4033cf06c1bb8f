#include "core/control/ProgressDialog.h"

#include <atomic>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <utility>

#include "core/base/RemainingTimeText.h"
#include "core/engine/RawImage.h"

namespace orlenza {

void ProgressWindow::progressTicked(ProgressDialog&) {}

void ProgressWindow::runModal(ProgressDialog& dialog) { dialog.waitUntilDone(); }

void ProgressDialog::markDone() {
  std::lock_guard guard(lock());
  m_done = true;
  m_doneChanged.notify_all();
}

void ProgressDialog::finishDlog() { markDone(); }

void ProgressDialog::stopAction() {
  std::lock_guard guard(lock());
  m_result = false;
  cancelOperation();
  markDone();
}

bool ProgressDialog::getResult() const {
  std::lock_guard guard(lock());
  return m_result;
}

bool ProgressDialog::isDone() const {
  std::lock_guard guard(lock());
  return m_done;
}

void ProgressDialog::waitUntilDone() const {
  std::unique_lock guard(lock());
  m_doneChanged.wait(guard, [this] { return m_done; });
}

void ProgressDialog::setRemainingTime(long seconds) {
  std::lock_guard guard(lock());
  m_remainingSeconds = seconds;
}

long ProgressDialog::getRemainingTime() const {
  std::lock_guard guard(lock());
  return m_remainingSeconds;
}

std::string ProgressDialog::remainingText() const { return remainingTimeText(getRemainingTime()); }

namespace {
std::atomic<bool> s_computing{false};

struct RunningFlag {
  RunningFlag() {
    if (s_computing.exchange(true)) throw std::logic_error("a computation is already running");
  }
  ~RunningFlag() { s_computing.store(false); }
  RunningFlag(RunningFlag const&) = delete;
  RunningFlag& operator=(RunningFlag const&) = delete;
};
}  // namespace

ComputationOutcome runComputation(baseRawImage& image, ProgressWindow& window, std::string* error) {
  RunningFlag running;
  baseRawImage work(image.getSnapshot());
  work.setSize(image.getWidth(), image.getHeight());
  ProgressDialog dialog(window);
  std::string failure;
  bool failed = false;
  std::thread task([&] {
    try {
      work.computeRawImage(dialog);
    } catch (std::exception const& e) {
      failed = true;
      failure = e.what();
    } catch (...) {
      failed = true;
      failure = "unknown error";
    }
    dialog.finishDlog();
  });
  try {
    window.runModal(dialog);
  } catch (...) {
    // The window failed: stop the task before the dialog it uses goes away.
    dialog.stopAction();
    task.join();
    throw;
  }
  task.join();
  if (!dialog.getResult()) return ComputationOutcome::Canceled;
  if (failed) {
    if (error) *error = failure;
    return ComputationOutcome::Failed;
  }
  std::swap(image.getField(), work.getField());
  return ComputationOutcome::Completed;
}

}  // namespace orlenza
