#include "media/MovieWriter.h"

extern "C" {
#include <libavutil/log.h>
}

#include <gtest/gtest.h>

#include <atomic>
#include <cstdarg>
#include <filesystem>
#include <vector>

#include "core/base/AtomicFile.h"
#include "core/files/FileTestSupport.h"
#include "media/MovieReadBack.h"

namespace orlenza::media {
namespace {

namespace fs = std::filesystem;

std::atomic<int> g_errorMessages{0};

extern "C" void countErrors(void*, int level, char const*, va_list) {
  if (level <= AV_LOG_ERROR) ++g_errorMessages;
}

// A picture that changes with the frame, with colours in the high bytes only,
// so the lossless codec must give back exactly these bytes.
RgbImage16 pattern(int width, int height, int index) {
  RgbImage16 image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      std::uint16_t* p = image.pixel(x, y);
      p[0] = static_cast<std::uint16_t>(((x * 13 + index * 7) & 255) << 8 | 0x5A);
      p[1] = static_cast<std::uint16_t>(((y * 29 + index) & 255) << 8);
      p[2] = static_cast<std::uint16_t>(((x * y + index * 31) & 255) << 8 | 0xFF);
    }
  return image;
}

class MovieWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    av_log_set_callback(countErrors);
    g_errorMessages = 0;
  }
  void TearDown() override { av_log_set_callback(av_log_default_callback); }

  static MovieSettings settings(int width, int height, int fps, int codec) {
    MovieSettings s;
    s.width = width;
    s.height = height;
    s.framesPerSecond = fps;
    s.codecIndex = codec;
    return s;
  }

  void write(fs::path const& path, MovieSettings const& s, int frames) {
    MovieWriter movie(path, s);
    for (int i = 0; i < frames; ++i) {
      MovieFrame frame;
      frame.index = i;
      frame.image = pattern(s.width, s.height, i);
      movie.addFrame(std::move(frame));
    }
    movie.finish();
  }

  testing_files::ScratchFolder folder;
};

TEST_F(MovieWriterTest, BothCodecsKeepTheExactSizeFrameCountAndClock) {
  struct Case {
    int width, height, fps, codec;
    AVCodecID expected;
    std::int64_t duration;
  };
  for (Case const c : {Case{17, 9, 24, 1, AV_CODEC_ID_H264, 25}, Case{32, 16, 7, 1, AV_CODEC_ID_H264, 85},
                       Case{17, 9, 7, 0, AV_CODEC_ID_QTRLE, 85}, Case{1, 1, 24, 2, AV_CODEC_ID_QTRLE, 25}}) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " codec " + std::to_string(c.codec));
    fs::path const path = folder / "out.mov";
    write(path, settings(c.width, c.height, c.fps, c.codec), 11);
    ReadBack const back = readMovie(path);
    EXPECT_EQ(back.codec, c.expected);
    EXPECT_EQ(back.width, c.width);
    EXPECT_EQ(back.height, c.height);
    EXPECT_EQ(back.timeBase.num, 1);
    EXPECT_EQ(back.timeBase.den, 600);
    EXPECT_EQ(back.durations, std::vector<std::int64_t>(11, c.duration));
    EXPECT_EQ(back.rgbFrames.size(), 11u);
    EXPECT_EQ(back.decodeErrors, 0);
    EXPECT_EQ(g_errorMessages.load(), 0);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"out.mov"});  // no temporary left
  }
}

TEST_F(MovieWriterTest, TheAnimationCodecGivesBackTheFramesItWasGiven) {
  fs::path const path = folder / "lossless.mov";
  write(path, settings(17, 9, 24, 0), 3);
  ReadBack const back = readMovie(path);
  ASSERT_EQ(back.rgbFrames.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    RgbImage16 const image = pattern(17, 9, i);
    std::vector<std::uint8_t> expected;
    for (std::uint16_t component : image.rgb) expected.push_back(static_cast<std::uint8_t>(component >> 8));
    EXPECT_EQ(back.rgbFrames[static_cast<std::size_t>(i)], expected) << i;
  }
}

TEST_F(MovieWriterTest, AnUnfinishedOrFailedMovieLeavesTheOldFileAlone) {
  fs::path const path = folder / "keep.mov";
  write(path, settings(16, 16, 24, 0), 2);
  auto const before = fs::file_size(path);
  {
    MovieWriter movie(path, settings(16, 16, 24, 0));
    MovieFrame frame;
    frame.image = pattern(16, 16, 5);
    movie.addFrame(std::move(frame));
  }  // never finished
  EXPECT_EQ(fs::file_size(path), before);

  MovieWriter movie(path, settings(16, 16, 24, 0));
  MovieFrame wrong;
  wrong.image = pattern(15, 16, 0);
  EXPECT_THROW(movie.addFrame(std::move(wrong)), FileWriteError);
  EXPECT_THROW(MovieWriter(folder / "no-such-folder" / "x.mov", settings(16, 16, 24, 0)), FileWriteError);
  EXPECT_THROW(MovieWriter(folder / "bad.mov", settings(16, 16, 0, 0)), FileWriteError);
  EXPECT_EQ(fs::file_size(path), before);
}

}  // namespace
}  // namespace orlenza::media
