#include "media/MovieTask.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <filesystem>
#include <mutex>

#include "core/CoreRegistration.h"
#include "core/files/FileTestSupport.h"
#include "core/model/SnapshotFactory.h"
#include "media/MovieReadBack.h"

namespace orlenza::media {
namespace {

namespace fs = std::filesystem;

std::shared_ptr<Snapshot> escape(double centerX) {
  auto snap = SnapshotFactory::makeNewSnapshot("EscParams", 0);
  snap->getCore().setView(View(centerX, 0.0, 3.0, 0.0, false, false));
  return snap;
}

// A stop asked while frame 2 is reported cuts frame 3 short: a playable
// movie of the three frames made. A movie that cannot be written is one sentence and no
// file; the keyframes may change while the task runs.
TEST(MovieTaskTest, StopKeepsAPlayableMovieAndAFailureLeavesNothing) {
  registerCoreFamilies();
  testing_files::ScratchFolder folder;
  KeyframeContainer timeline;
  timeline.addKeyframe(escape(-0.5), 0);
  timeline.addKeyframe(escape(0.5), 1);
  MovieSettings settings;
  settings.width = 24;
  settings.height = 16;
  settings.codecIndex = 2;

  MovieTask* running = nullptr;
  std::mutex mutex;
  std::condition_variable started;
  {
    MovieTask task(timeline, settings, folder / "stopped.mov", [&] {
      std::unique_lock lock(mutex);
      started.wait(lock, [&] { return running != nullptr; });
      if (running->progress().framesMade == 3) running->stop();
    });
    timeline.clear();  // the task holds its own copy
    {
      std::lock_guard lock(mutex);
      running = &task;
    }
    started.notify_all();
    task.wait();
    EXPECT_EQ(task.outcome(), MovieTask::Outcome::stopped);
    EXPECT_EQ(task.progress().framesMade, 3);
    EXPECT_EQ(task.progress().currentFrame, 3);
    EXPECT_EQ(task.progress().frameTotal, 10);
    ASSERT_NE(task.latestFrame(), nullptr);
    EXPECT_EQ(task.latestFrame()->width, 24);
  }
  ReadBack const back = readMovie(folder / "stopped.mov");
  EXPECT_EQ(back.rgbFrames.size(), 3u);
  EXPECT_EQ(back.decodeErrors, 0);
  EXPECT_EQ(back.timeBase.den, 600);

  timeline.addKeyframe(escape(-0.5), 0);
  timeline.addKeyframe(escape(0.5), 1);
  fs::path const gone = folder / "gone" / "movie.mov";
  MovieTask failing(timeline, settings, gone, {});
  failing.wait();
  EXPECT_EQ(failing.outcome(), MovieTask::Outcome::failed);
  EXPECT_EQ(failing.failure().rfind("Cannot write", 0), 0u) << failing.failure();
  EXPECT_NE(failing.failure().find("movie.mov"), std::string::npos) << failing.failure();
  EXPECT_EQ(folder.names(), std::vector<std::string>{"stopped.mov"});
}

}  // namespace
}  // namespace orlenza::media
