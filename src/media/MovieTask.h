#pragma once
// A movie made on a thread of its own while a window watches it: the frame
// count, the time still to go and the latest frame can be read at any time,
// and a stop is seen after the frame being made.

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "core/animation/KeyframeContainer.h"
#include "core/animation/MovieSettings.h"
#include "core/engine/RgbImage16.h"

namespace orlenza::media {

class MovieTask {
 public:
  enum class Outcome { running, finished, stopped, failed };

  struct Progress {
    int currentFrame = 1;        // what "frame i / N" shows: 1 until the second frame is done
    int frameTotal = 0;          // N
    long remainingSeconds = -1;  // -1 while there is no estimate
    int framesMade = 0;
  };

  // Starts at once. The task renders the keyframes as a file saved from them
  // holds them, in a copy of its own, so the timeline may change meanwhile. changed runs on the task's thread after
  // every frame and once at the end; it must only hand the news on.
  // Settings must have no problem() and the timeline must make a movie.
  MovieTask(KeyframeContainer const& timeline, MovieSettings const& settings, std::filesystem::path target,
            std::function<void()> changed);
  // Stops and waits: a movie of the frames made is kept.
  ~MovieTask();

  MovieTask(MovieTask const&) = delete;
  MovieTask& operator=(MovieTask const&) = delete;

  // The current frame is finished, then the movie is completed with the frames made.
  void stop() { m_stopRequested = true; }
  void wait();

  Outcome outcome() const;
  Progress progress() const;
  // One sentence when the movie could not be written (nothing is left on disk then).
  std::string failure() const;
  // The last frame made, or null before the first.
  std::shared_ptr<RgbImage16 const> latestFrame() const;

 private:
  class Watcher;
  void run();

  KeyframeContainer m_timeline;
  MovieSettings m_settings;
  std::filesystem::path m_target;
  std::function<void()> m_changed;
  std::atomic<bool> m_stopRequested{false};

  mutable std::mutex m_mutex;
  Outcome m_outcome = Outcome::running;
  Progress m_progress;
  std::string m_failure;
  std::shared_ptr<RgbImage16 const> m_latest;

  std::thread m_thread;  // last: it starts once everything above exists
};

}  // namespace orlenza::media
