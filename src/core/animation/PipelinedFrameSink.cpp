#include "core/animation/PipelinedFrameSink.h"

#include <utility>

namespace orlenza {

PipelinedFrameSink::PipelinedFrameSink(FrameSink& inner) : m_inner(inner), m_worker([this] { run(); }) {}

PipelinedFrameSink::~PipelinedFrameSink() {
  {
    std::lock_guard lock(m_mutex);
    m_closing = true;
  }
  m_changed.notify_all();
  if (m_worker.joinable()) m_worker.join();
}

void PipelinedFrameSink::run() {
  std::unique_lock lock(m_mutex);
  for (;;) {
    m_changed.wait(lock, [this] { return m_waiting.has_value() || m_closing; });
    if (!m_waiting) return;
    MovieFrame frame = std::move(*m_waiting);
    m_waiting.reset();
    m_busy = true;
    lock.unlock();
    m_changed.notify_all();
    std::exception_ptr error;
    try {
      if (!m_error) m_inner.addFrame(std::move(frame));
    } catch (...) {
      error = std::current_exception();
    }
    lock.lock();
    if (error && !m_error) m_error = error;
    m_busy = false;
    m_changed.notify_all();
  }
}

void PipelinedFrameSink::rethrowError() {
  if (m_error) std::rethrow_exception(m_error);
}

void PipelinedFrameSink::addFrame(MovieFrame&& frame) {
  std::unique_lock lock(m_mutex);
  m_changed.wait(lock, [this] { return !m_waiting.has_value() || m_error; });
  rethrowError();
  m_waiting = std::move(frame);
  lock.unlock();
  m_changed.notify_all();
}

void PipelinedFrameSink::finish() {
  std::unique_lock lock(m_mutex);
  m_changed.wait(lock, [this] { return (!m_waiting.has_value() && !m_busy) || m_error; });
  rethrowError();
}

}  // namespace orlenza
