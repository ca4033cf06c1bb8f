// Only `movie` (and --version) load the codec libraries: every other command
// starts without them, as the dynamic loader's own log shows.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "RendererRun.h"

namespace {

using RendererStartUpTest = orlenza::testing_cli::RendererRun;

TEST_F(RendererStartUpTest, OnlyMoviesLoadTheCodecLibraries) {
  std::string const snaps = path("one.snaps").string();
  std::string const png = path("one.png").string();
  ::setenv("LD_DEBUG", "libs", 1);
  auto const snapshot = run("snapshot --default Halley -o '" + snaps + "'");
  auto const render = run("render '" + snaps + "' --size 8x8 -o '" + png + "'");
  auto const info = run("info '" + png + "'");
  auto const list = run("list builtins");
  auto const version = run("--version");
  ::unsetenv("LD_DEBUG");
  for (auto const* result : {&snapshot, &render, &info, &list}) {
    EXPECT_EQ(result->exitCode, 0) << result->err.substr(result->err.size() > 2000 ? result->err.size() - 2000 : 0);
    EXPECT_EQ(result->err.find("libavcodec"), std::string::npos);
  }
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_NE(version.out.find("FFmpeg"), std::string::npos) << version.out;
  EXPECT_NE(version.err.find("liborlenza_movie"), std::string::npos);
}

}  // namespace
