#include "cli/TerminalProgress.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "core/base/RemainingTimeText.h"

namespace orlenza::cli {

namespace {

std::atomic<bool> g_interrupted{false};

extern "C" void onInterrupt(int) { g_interrupted.store(true); }

void watchInterrupts() {
  g_interrupted.store(false);
  struct sigaction action = {};
  action.sa_handler = onInterrupt;
  action.sa_flags = SA_RESETHAND;  // a second Ctrl-C ends the process
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
}

}  // namespace

TerminalProgress::TerminalProgress(std::string label)
    : m_label(std::move(label)), m_showing(isatty(STDERR_FILENO) == 1) {
  watchInterrupts();
}

TerminalProgress::~TerminalProgress() {
  finish();
  std::signal(SIGINT, SIG_DFL);
}

bool TerminalProgress::areWeCanceled() const {
  return GenericComputationNotifier::areWeCanceled() || g_interrupted.load();
}

bool TerminalProgress::interrupted() const { return g_interrupted.load(); }

void TerminalProgress::notify() {
  if (!m_showing) return;
  int const percent = getProgress() > getMaximumProgress() ? 100 : getProgress() * 100 / getMaximumProgress();
  std::fprintf(stderr, "\r%s %3d%%", m_label.c_str(), percent);
  std::fflush(stderr);
  m_lineDrawn = true;
}

void TerminalProgress::finish() {
  if (!m_lineDrawn) return;
  std::fprintf(stderr, "\r%*s\r", static_cast<int>(m_label.size()) + 5, "");
  std::fflush(stderr);
  m_lineDrawn = false;
}

TerminalMovieProgress::TerminalMovieProgress() : m_showing(isatty(STDERR_FILENO) == 1) { watchInterrupts(); }

TerminalMovieProgress::~TerminalMovieProgress() {
  finish();
  std::signal(SIGINT, SIG_DFL);
}

bool TerminalMovieProgress::isCanceled() const { return g_interrupted.load(); }

void TerminalMovieProgress::frameFinished(int index, int lastIndex, long remainingSeconds) {
  if (!m_showing) return;
  std::string line = "frame " + std::to_string(index - m_first + 1) + " / " + std::to_string(lastIndex - m_first + 1);
  if (remainingSeconds >= 0) line += ", " + remainingTimeText(remainingSeconds) + "left";
  // Blanks over the rest of a longer previous line.
  std::size_t const length = line.size();
  if (length < m_lineLength) line.append(m_lineLength - length, ' ');
  m_lineLength = length;
  std::fprintf(stderr, "\r%s", line.c_str());
  std::fflush(stderr);
}

void TerminalMovieProgress::finish() {
  if (m_lineLength == 0) return;
  std::fprintf(stderr, "\r%*s\r", static_cast<int>(m_lineLength), "");
  std::fflush(stderr);
  m_lineLength = 0;
}

}  // namespace orlenza::cli
