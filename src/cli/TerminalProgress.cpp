#include "cli/TerminalProgress.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace orlenza::cli {

namespace {

std::atomic<bool> g_interrupted{false};

extern "C" void onInterrupt(int) { g_interrupted.store(true); }

}  // namespace

TerminalProgress::TerminalProgress(std::string label)
    : m_label(std::move(label)), m_showing(isatty(STDERR_FILENO) == 1) {
  g_interrupted.store(false);
  struct sigaction action = {};
  action.sa_handler = onInterrupt;
  action.sa_flags = SA_RESETHAND;  // a second Ctrl-C ends the process
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
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

}  // namespace orlenza::cli
