#include "media/MovieTask.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <utility>

#include "core/animation/MovieFrames.h"
#include "core/base/AtomicFile.h"
#include "core/files/AlertSink.h"
#include "core/files/MovieFrameFile.h"
#include "media/MovieRendering.h"

namespace orlenza::media {

namespace {

// "cannot write 'a.mov': No space left on device" as a sentence of its own.
std::string asSentence(std::string text) {
  if (!text.empty()) text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  if (!text.empty() && text.back() != '.') text += '.';
  return text;
}

// The keyframes exactly as a file saved from them reads back (records keep 12
// digits), so the movie is the very one the renderer makes from that file. It
// is a copy of its own as well, which the studio cannot change meanwhile.
KeyframeContainer asSaved(KeyframeContainer const& timeline) {
  MovieFrameFile::Records records;
  for (auto const& [pos, snap] : timeline) records.push_back(std::make_shared<FullKeyframe>(snap, pos));
  KeyframeContainer copy;
  try {
    RecordingAlertSink unread;
    MovieFrameFile const file = MovieFrameFile::fromContents(MovieFrameFile::formatContents(records), unread);
    for (auto const& keyframe : file.records())
      if (keyframe && keyframe->getSnapshot() && keyframe->getPosition().isValid())
        copy.addKeyframe(keyframe->getSnapshot(), keyframe->getPosition().getValue());
  } catch (std::exception const&) {
    copy.clear();
  }
  if (copy.size() == timeline.size()) return copy;
  // A keyframe no file could hold: the movie is made from the keyframes as they are.
  copy = timeline;
  for (auto const& [pos, snap] : timeline) copy.replaceKeyframe(pos, snap->clone());
  return copy;
}

}  // namespace

class MovieTask::Watcher : public MovieProgress {
 public:
  explicit Watcher(MovieTask& task) : m_task(task) {}

  void frameFinished(int index, int lastIndex, long remainingSeconds) override {
    {
      std::lock_guard lock(m_task.m_mutex);
      m_task.m_progress.framesMade = index + 1;
      // The first frame alone gives no estimate: the window keeps showing frame 1.
      if (index > 0) {
        m_task.m_progress.currentFrame = std::min(index + 1, lastIndex);
        m_task.m_progress.remainingSeconds = remainingSeconds;
      }
    }
    if (m_task.m_changed) m_task.m_changed();
  }

  bool isCanceled() const override { return m_task.m_stopRequested; }

 private:
  MovieTask& m_task;
};

MovieTask::MovieTask(KeyframeContainer const& timeline, MovieSettings const& settings, std::filesystem::path target,
                     std::function<void()> changed)
    : m_timeline(asSaved(timeline)),
      m_settings(settings),
      m_target(std::move(target)),
      m_changed(std::move(changed)) {
  m_progress.frameTotal = settings.frameCount;
  m_thread = std::thread([this] { run(); });
}

MovieTask::~MovieTask() {
  stop();
  wait();
}

void MovieTask::wait() {
  if (m_thread.joinable()) m_thread.join();
}

void MovieTask::run() {
  Watcher watcher(*this);
  Outcome outcome = Outcome::finished;
  std::string failure;
  int framesMade = 0;
  try {
    auto const observe = [this](MovieFrame const& frame) {
      auto copy = std::make_shared<RgbImage16 const>(frame.image);
      std::lock_guard lock(m_mutex);
      m_latest = std::move(copy);
    };
    MovieFramesResult const result =
        writeMovie(m_timeline, m_settings, {0, m_settings.frameCount}, m_target, watcher, observe);
    framesMade = result.framesMade;
    if (result.canceled) outcome = Outcome::stopped;
  } catch (FileWriteError const& e) {
    outcome = Outcome::failed;
    failure = asSentence(e.what());
  } catch (std::exception const& e) {
    outcome = Outcome::failed;
    failure = asSentence("the movie could not be made: " + std::string(e.what()));
  }
  {
    std::lock_guard lock(m_mutex);
    m_outcome = outcome;
    m_failure = failure;
    if (outcome != Outcome::failed) m_progress.framesMade = framesMade;
  }
  if (m_changed) m_changed();
}

MovieTask::Outcome MovieTask::outcome() const {
  std::lock_guard lock(m_mutex);
  return m_outcome;
}

MovieTask::Progress MovieTask::progress() const {
  std::lock_guard lock(m_mutex);
  return m_progress;
}

std::string MovieTask::failure() const {
  std::lock_guard lock(m_mutex);
  return m_failure;
}

std::shared_ptr<RgbImage16 const> MovieTask::latestFrame() const {
  std::lock_guard lock(m_mutex);
  return m_latest;
}

}  // namespace orlenza::media
