// The renderer on keyframe timelines: whole movies, frames for a job array,
// and timelines or settings it has to refuse.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "RendererRun.h"
#include "cli/Quoting.h"
#include "media/MovieReadBack.h"
#include "media/PngWriter.h"

namespace {

using RendererMovieTest = orlenza::testing_cli::RendererRun;
namespace fs = std::filesystem;

std::string quoted(fs::path const& p) { return orlenza::cli::inQuotes(p); }

std::string recordOf(orlenza::testing_cli::RunResult const& snapshot) {
  std::string const text = snapshot.out;
  auto const start = text.find('\n') + 1;
  return text.substr(start, text.find('\n', start) - start);
}

class MovieTimeline : public RendererMovieTest {
 protected:
  // Two built-in pictures, at the ends of the timeline.
  fs::path timeline(char const* firstPosition = "0", char const* lastPosition = "1") {
    auto const a = run("snapshot --builtin EscParams --index 0");
    auto const b = run("snapshot --builtin EscParams --index 1");
    EXPECT_EQ(a.exitCode, 0) << a.err;
    EXPECT_EQ(b.exitCode, 0) << b.err;
    return write("morph.msnaps", "Qvtx 3\n" + std::string(firstPosition) + " " + recordOf(a) + "\n" + lastPosition +
                                     " " + recordOf(b) + "\n");
  }
};

TEST_F(MovieTimeline, MovieAndPngFramesHoldTheSamePixels) {
  auto const keys = timeline();
  auto const movie = run("movie " + quoted(keys) + " --codec animation --size 33x17 --frames 4 --fps 7 -o " +
                         quoted(path("out.mov")));
  ASSERT_EQ(movie.exitCode, 0) << movie.err;
  auto const back = orlenza::media::readMovie(path("out.mov"));
  EXPECT_EQ(back.width, 33);
  EXPECT_EQ(back.height, 17);
  EXPECT_EQ(back.durations, std::vector<std::int64_t>(5, 85));
  ASSERT_EQ(back.rgbFrames.size(), 5u);

  auto const frames = run("movie " + quoted(keys) + " --size 33x17 --frames 4 --png-frames " +
                          quoted(path("frames")) + " --range 1:3");
  ASSERT_EQ(frames.exitCode, 0) << frames.err;
  EXPECT_FALSE(fs::exists(path("frames/frame-00000.png")));
  EXPECT_FALSE(fs::exists(path("frames/frame-00004.png")));
  for (int i = 1; i <= 3; ++i) {
    auto const picture = path("frames/frame-0000" + std::to_string(i) + ".png");
    ASSERT_TRUE(fs::exists(picture)) << picture;
    EXPECT_TRUE(orlenza::media::readPngInfo(picture).pixels == back.rgbFrames[static_cast<std::size_t>(i)]) << i;
  }

  // The default codec is H.264, at the exact odd size.
  ASSERT_EQ(run("movie " + quoted(keys) + " --size 33x17 --frames 2 -o " + quoted(path("h.mov"))).exitCode, 0);
  auto const h264 = orlenza::media::readMovie(path("h.mov"));
  EXPECT_EQ(h264.codec, AV_CODEC_ID_H264);
  EXPECT_EQ(h264.width, 33);
  EXPECT_EQ(h264.durations, std::vector<std::int64_t>(3, 25));
}

TEST_F(MovieTimeline, RefusesTimelinesAndSettingsItCannotRender) {
  auto const halfway = timeline("0", "0.5");
  auto const missing = run("movie " + quoted(halfway) + " -o " + quoted(path("x.mov")));
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("A movie needs keyframes at 0 and at 1."), std::string::npos) << missing.err;

  auto const keys = timeline();
  for (std::string const arguments :
       {"--fps 0 -o x.mov", "--fps 601 -o x.mov", "--frames 0 -o x.mov", "--size 0x5 -o x.mov",
        "--codec mpeg -o x.mov", "--range 1:2 -o x.mov", "--png-frames f --range 3:2",
        "--png-frames f --range 0:11", "--png-frames f --range a:b", ""}) {
    auto const refused = run("movie " + quoted(keys) + " " + arguments);
    EXPECT_EQ(refused.exitCode, 2) << arguments << ": " << refused.err;
  }
  EXPECT_TRUE(!fs::exists(path("x.mov")) && !fs::exists(path("f")));
}

}  // namespace
