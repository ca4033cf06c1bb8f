#include "core/animation/MovieFrames.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "core/CoreRegistration.h"
#include "core/animation/KeyframeContainer.h"
#include "core/animation/PipelinedFrameSink.h"
#include "core/engine/ComputationNotifier.h"
#include "core/engine/PictureRendering.h"
#include "core/model/SnapshotFactory.h"

namespace orlenza {
namespace {

struct RecordingSink : FrameSink {
  std::vector<MovieFrame> frames;
  void addFrame(MovieFrame&& frame) override { frames.push_back(std::move(frame)); }
};

// Cancels once the sink holds cancelAfter frames.
struct CountingProgress : MovieProgress {
  RecordingSink const* sink = nullptr;
  std::size_t cancelAfter = 0;
  std::vector<int> finished;
  void frameFinished(int index, int, long) override { finished.push_back(index); }
  bool isCanceled() const override { return cancelAfter > 0 && sink->frames.size() >= cancelAfter; }
};

class MovieFramesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { registerCoreFamilies(); }

  static std::shared_ptr<Snapshot> escape(double centerX) {
    auto snap = SnapshotFactory::makeNewSnapshot("EscParams", 0);
    snap->getCore().setView(View(centerX, 0.0, 3.0, 0.0, false, false));
    return snap;
  }

  static MovieSettings small(int frames) {
    MovieSettings settings;
    settings.width = 17;
    settings.height = 9;
    settings.frameCount = frames;
    return settings;
  }

  MovieFramesResult run(KeyframeContainer const& keys, MovieSettings const& settings, FrameRange range,
                        std::size_t cancelAfter = 0) {
    progress.sink = &sink;
    progress.cancelAfter = cancelAfter;
    return renderMovieFrames(keys, settings, range, sink, progress);
  }

  RecordingSink sink;
  CountingProgress progress;
};

TEST_F(MovieFramesTest, FramesAtEveryStepAndAnyRangeGiveTheSamePixels) {
  KeyframeContainer keys;
  auto const last = escape(0.5);
  keys.addKeyframe(escape(-0.5), 0);
  keys.addKeyframe(last, 1);

  MovieFramesResult const all = run(keys, small(10), {0, 10});
  EXPECT_EQ(all.framesMade, 11);
  EXPECT_FALSE(all.canceled);
  ASSERT_EQ(sink.frames.size(), 11u);
  for (int i = 0; i <= 10; ++i) {
    MovieFrame const& frame = sink.frames[static_cast<std::size_t>(i)];
    EXPECT_EQ(frame.index, i);
    EXPECT_EQ(frame.time, static_cast<float>(i) / 10.0f);
    EXPECT_TRUE(frame.recomputed) << i;  // the view moves every frame
    EXPECT_EQ(frame.image.width, 17);
    EXPECT_EQ(frame.image.height, 9);
  }
  EXPECT_EQ(sink.frames.back().snapshot, last);  // the keyframe object itself

  std::vector<MovieFrame> const whole = std::move(sink.frames);
  sink.frames.clear();
  MovieFramesResult const part = run(keys, small(10), {3, 5});
  EXPECT_EQ(part.framesMade, 3);
  ASSERT_EQ(sink.frames.size(), 3u);
  for (std::size_t k = 0; k < 3; ++k) {
    EXPECT_EQ(sink.frames[k].index, static_cast<int>(k) + 3);
    EXPECT_EQ(sink.frames[k].image.rgb, whole[k + 3].image.rgb) << k;
  }

  // A range past the end is cut to the last frame.
  sink.frames.clear();
  EXPECT_EQ(run(keys, small(10), {9, 500}).framesMade, 2);
}

TEST_F(MovieFramesTest, OnlyTheColoursChangeWhenOnlyTheGradationDoes) {
  KeyframeContainer keys;
  auto const first = escape(0.0);
  auto const last = escape(0.0);
  last->getCore().setGradationInfo(GradationInfo(Gradation(), 3.0, 0.25));
  keys.addKeyframe(first, 0);
  keys.addKeyframe(last, 1);

  run(keys, small(4), {0, 4});
  ASSERT_EQ(sink.frames.size(), 5u);
  EXPECT_TRUE(sink.frames[0].recomputed);
  for (std::size_t i = 1; i < 5; ++i) EXPECT_FALSE(sink.frames[i].recomputed) << i;

  // Recolouring the old field gives what computing the last keyframe afresh gives.
  NullComputationNotifier quiet;
  auto const fresh = renderSnapshot(last, 17, 9, false, quiet);
  ASSERT_TRUE(fresh);
  EXPECT_EQ(sink.frames.back().image.rgb, fresh->image.rgb);
  EXPECT_NE(sink.frames.front().image.rgb, sink.frames.back().image.rgb);
}

TEST_F(MovieFramesTest, CancelKeepsTheFramesMadeAndProgressFollowsEachFrame) {
  KeyframeContainer keys;
  keys.addKeyframe(escape(-0.5), 0);
  keys.addKeyframe(escape(0.5), 1);

  MovieFramesResult const result = run(keys, small(10), {0, 10}, 5);
  EXPECT_EQ(result.framesMade, 5);
  EXPECT_TRUE(result.canceled);
  EXPECT_EQ(progress.finished, (std::vector<int>{0, 1, 2, 3}));

  // A cancel that arrives with the last frame still counts as a finished movie.
  sink.frames.clear();
  EXPECT_FALSE(run(keys, small(2), {0, 2}, 3).canceled);
}

TEST_F(MovieFramesTest, TwoGeneratorsShowTheFirstUntilTheLastFrame) {
  KeyframeContainer keys;
  keys.addKeyframe(escape(0.0), 0);
  keys.addKeyframe(SnapshotFactory::makeNewSnapshot("Halley", 0), 1);
  run(keys, small(4), {0, 4});
  ASSERT_EQ(sink.frames.size(), 5u);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(sink.frames[i].snapshot->getIdentifier(), "EscParams") << i;
  EXPECT_EQ(sink.frames[4].snapshot->getIdentifier(), "Halley");
  EXPECT_TRUE(sink.frames[4].recomputed);
}

TEST_F(MovieFramesTest, AMovieNeedsKeyframesAtZeroAndOne) {
  // True while something is missing: empty, 0 alone, 0 and 0.5.
  KeyframeContainer keys;
  for (float position : {0.0f, 0.5f, 1.0f}) {
    EXPECT_TRUE(checkMovieKeyframes(keys)) << position;
    keys.addKeyframe(escape(position), position);
  }
  EXPECT_FALSE(checkMovieKeyframes(keys));
}

// The sample durations are pinned by the movie writer's tests, which read the files back.
TEST(MovieSettingsTest, RefusesWhatCannotBeRendered) {
  struct Case {
    int width, height, frames, fps;
    bool renderable;
  };
  for (Case const c : {Case{256, 256, 10, 24, true}, Case{1, 2048, 1, 600, true}, Case{0, 16, 10, 24, false},
                       Case{16, 2049, 10, 24, false}, Case{16, 16, 0, 24, false}, Case{16, 16, -3, 24, false},
                       Case{16, 16, 1000001, 24, false}, Case{16, 16, 10, 0, false}, Case{16, 16, 10, 601, false}}) {
    MovieSettings settings;
    settings.width = c.width;
    settings.height = c.height;
    settings.frameCount = c.frames;
    settings.framesPerSecond = c.fps;
    EXPECT_EQ(!settings.problem(), c.renderable) << c.width << "x" << c.height << " " << c.frames << " " << c.fps;
  }
}

struct FailingSink : FrameSink {
  int taken = 0;
  void addFrame(MovieFrame&& frame) override {
    if (frame.index == 2) throw std::runtime_error("disk full");
    ++taken;
  }
};

TEST(PipelinedFrameSinkTest, PassesFramesInOrderAndReportsTheFirstError) {
  RecordingSink inner;
  {
    PipelinedFrameSink pipe(inner);
    for (int i = 0; i < 20; ++i) {
      MovieFrame frame;
      frame.index = i;
      pipe.addFrame(std::move(frame));
    }
    pipe.finish();
  }
  ASSERT_EQ(inner.frames.size(), 20u);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(inner.frames[static_cast<std::size_t>(i)].index, i);

  FailingSink failing;
  PipelinedFrameSink pipe(failing);
  bool thrown = false;
  try {
    for (int i = 0; i < 10; ++i) {
      MovieFrame frame;
      frame.index = i;
      pipe.addFrame(std::move(frame));
    }
    pipe.finish();
  } catch (std::runtime_error const& e) {
    thrown = true;
    EXPECT_STREQ(e.what(), "disk full");
  }
  EXPECT_TRUE(thrown);
  EXPECT_EQ(failing.taken, 2);  // nothing after the failed frame reaches the sink
}

}  // namespace
}  // namespace orlenza
