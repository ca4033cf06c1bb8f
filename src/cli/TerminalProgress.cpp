#include "cli/TerminalProgress.h"

#include <cstdio>
#include <string>
#include <unistd.h>

#include "cli/Signals.h"
#include "core/base/RemainingTimeText.h"

namespace orlenza::cli {

TerminalProgress::TerminalProgress(std::string label)
    : m_label(std::move(label)), m_showing(isatty(STDERR_FILENO) == 1) {}

TerminalProgress::~TerminalProgress() { finish(); }

bool TerminalProgress::areWeCanceled() const {
  return GenericComputationNotifier::areWeCanceled() || interruptRequested();
}

bool TerminalProgress::interrupted() const { return interruptRequested(); }

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

TerminalMovieProgress::TerminalMovieProgress() : m_showing(isatty(STDERR_FILENO) == 1) {}

TerminalMovieProgress::~TerminalMovieProgress() { finish(); }

bool TerminalMovieProgress::isCanceled() const { return interruptRequested(); }

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
