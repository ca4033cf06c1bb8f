// A movie of two "EscParams" keyframes that differ in view, 61 frames at
// 512 x 512: the frames computed alone, against the same frames compressed to
// H.264 beside the computation. The ratio of the two is what encoding costs.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/CoreRegistration.h"
#include "core/animation/KeyframeContainer.h"
#include "core/animation/MovieFrames.h"
#include "core/animation/PipelinedFrameSink.h"
#include "core/model/SnapshotFactory.h"
#include "media/MovieWriter.h"

namespace orlenza {
namespace {

struct DroppingSink : FrameSink {
  void addFrame(MovieFrame&& frame) override { benchmark::DoNotOptimize(frame.image.rgb.data()); }
};

struct QuietProgress : MovieProgress {
  void frameFinished(int, int, long) override {}
  bool isCanceled() const override { return false; }
};

KeyframeContainer const& timeline() {
  static KeyframeContainer const keys = [] {
    registerCoreFamilies();
    KeyframeContainer k;
    auto wide = SnapshotFactory::makeNewSnapshot("EscParams", 0);
    auto close = SnapshotFactory::makeNewSnapshot("EscParams", 0);
    wide->getCore().setView(View(0.0, 0.0, 3.0, 0.0, false, false));
    close->getCore().setView(View(0.3, 0.2, 0.6, 0.5, false, false));
    k.addKeyframe(wide, 0);
    k.addKeyframe(close, 1);
    return k;
  }();
  return keys;
}

MovieSettings settings() {
  MovieSettings s;
  s.width = 512;
  s.height = 512;
  s.frameCount = 60;
  return s;
}

void BM_MovieFramesComputedAlone(benchmark::State& state) {
  for (auto _ : state) {
    DroppingSink sink;
    QuietProgress progress;
    renderMovieFrames(timeline(), settings(), {0, 60}, sink, progress);
  }
}

void BM_MovieWithEncodingBeside(benchmark::State& state) {
  auto const path = std::filesystem::temp_directory_path() / ("orlenza-bench-" + std::to_string(::getpid()) + ".mov");
  for (auto _ : state) {
    media::MovieWriter movie(path, settings());
    {
      PipelinedFrameSink pipe(movie);
      QuietProgress progress;
      renderMovieFrames(timeline(), settings(), {0, 60}, pipe, progress);
      pipe.finish();
    }
    movie.finish();
  }
  std::filesystem::remove(path);
}

BENCHMARK(BM_MovieFramesComputedAlone)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_MovieWithEncodingBeside)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

}  // namespace
}  // namespace orlenza
