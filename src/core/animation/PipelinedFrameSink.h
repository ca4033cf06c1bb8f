#pragma once
// Hands frames to another sink on a thread of its own, so the next frame is
// computed while the previous one is compressed.

#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>

#include "core/animation/MovieFrames.h"

namespace orlenza {

class PipelinedFrameSink : public FrameSink {
 public:
  explicit PipelinedFrameSink(FrameSink& inner);
  // Waits for the frames already handed over; errors are dropped here, so call finish().
  ~PipelinedFrameSink() override;

  PipelinedFrameSink(PipelinedFrameSink const&) = delete;
  PipelinedFrameSink& operator=(PipelinedFrameSink const&) = delete;

  // Waits while one frame is still waiting; rethrows the inner sink's first error.
  void addFrame(MovieFrame&& frame) override;
  // Waits until the inner sink has taken every frame; rethrows its first error.
  void finish();

 private:
  void run();
  void rethrowError();

  FrameSink& m_inner;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::optional<MovieFrame> m_waiting;
  bool m_busy = false;
  bool m_closing = false;
  std::exception_ptr m_error;
  std::thread m_worker;
};

}  // namespace orlenza
