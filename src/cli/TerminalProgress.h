#pragma once
// Progress of a long computation on stderr (only when stderr is a terminal) and
// Ctrl-C as a cancel (see Signals.h).

#include <string>

#include "core/animation/MovieFrames.h"
#include "core/engine/ComputationNotifier.h"

namespace orlenza::cli {

class TerminalProgress : public GenericComputationNotifier {
 public:
  explicit TerminalProgress(std::string label);
  ~TerminalProgress() override;
  TerminalProgress(TerminalProgress const&) = delete;
  TerminalProgress& operator=(TerminalProgress const&) = delete;

  bool areWeCanceled() const override;
  // True once Ctrl-C was pressed while this notifier was alive.
  bool interrupted() const;

  // Clears the progress line.
  void finish();

 protected:
  void notify() override;

 private:
  std::string m_label;
  bool m_showing;
  bool m_lineDrawn = false;
};

// "frame 3 / 11, about 2 minutes left" on stderr (only on a terminal), and
// Ctrl-C as a cancel, inside the current frame too.
class TerminalMovieProgress : public MovieProgress {
 public:
  TerminalMovieProgress();
  ~TerminalMovieProgress() override;
  TerminalMovieProgress(TerminalMovieProgress const&) = delete;
  TerminalMovieProgress& operator=(TerminalMovieProgress const&) = delete;

  void frameFinished(int index, int lastIndex, long remainingSeconds) override;
  bool isCanceled() const override;
  void setFirstIndex(int first) { m_first = first; }
  void finish();

 private:
  int m_first = 0;
  bool m_showing;
  std::size_t m_lineLength = 0;
};

}  // namespace orlenza::cli
