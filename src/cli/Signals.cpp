#include "cli/Signals.h"

#include <atomic>
#include <csignal>

#include "core/base/AtomicFile.h"
#include "media/MovieModule.h"

namespace orlenza::cli {

namespace {

std::atomic<bool> g_interrupted{false};

extern "C" void endNow(int signal) {
  removeTemporaryFiles();
  media::removeMovieTemporaryFiles();
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

extern "C" void onInterrupt(int signal) {
  if (g_interrupted.exchange(true)) endNow(signal);
}

void handle(int signal, void (*handler)(int)) {
  struct sigaction action = {};
  action.sa_handler = handler;
  action.sa_flags = SA_RESTART;  // a write to a pipe goes on after the first Ctrl-C
  sigemptyset(&action.sa_mask);
  sigaction(signal, &action, nullptr);
}

}  // namespace

void installSignalHandlers() {
  handle(SIGINT, onInterrupt);
  handle(SIGTERM, endNow);
  handle(SIGHUP, endNow);
}

bool interruptRequested() { return g_interrupted.load(); }

}  // namespace orlenza::cli
