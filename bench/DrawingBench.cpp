// The drawing loop over a 2048 x 2048 field: antialiasing, derivative, the
// logarithmic normalizer and the five-key default gradation. The reference is
// the loop written plainly (virtual filters, a gradation lookup per pixel);
// the product path runs on one thread and on all cores.

#include <benchmark/benchmark.h>

#include "BenchSupport.h"

#include <cmath>
#include <memory>
#include <thread>
#include <vector>

#include "core/CoreRegistration.h"
#include "core/engine/Normalizer.h"
#include "core/engine/Postfiltering.h"
#include "core/engine/RawField.h"
#include "core/engine/RawImage.h"
#include "core/engine/RowParallel.h"
#include "core/model/GradationColouring.h"
#include "core/model/SnapshotCore.h"

namespace orlenza {
namespace {

constexpr int kSide = 2048;

RawField const& benchField() {
  static RawField const field = [] {
    RawField f(kSide, kSide);
    for (int x = 0; x < kSide; ++x)
      for (int y = 0; y < kSide; ++y) f[x][y] = std::fmod(x * 0.37 + y * 1.91 + std::sin(x * 0.01) * 40, 1024.0);
    return f;
  }();
  return field;
}

SnapshotCore benchCore() {
  registerCoreFamilies();
  SnapshotCore core;  // its gradation info is the five-key default
  core.setPostfilteringID("pf_AntialiasingLight");
  core.setSecondPostfilteringID("pf_Derivative");
  core.setNormalizerID("norm_log");
  core.setNorm(1024);
  return core;
}

void referenceDrawing(RawField const& field, SnapshotCore const& core, std::vector<RGBColor>& colours) {
  int const width = field.width();
  int const height = field.height();
  Postfiltering const& first = Postfiltering::getPostfilteringFromID(core.getPostfilteringID());
  Postfiltering const& second = Postfiltering::getPostfilteringFromID(core.getSecondPostfilteringID());
  Normalizer const& normalizer = Normalizer::getNormalizerFromID(core.getNormalizerID());
  ColouringRule const rule{core.getFloor(), core.getCeiling(), core.getGradationInfo().auxiliary};
  RawImageStats const stats = computeStats(field);
  RawField work(width, height);
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y)
      work[x][y] = std::isnan(field[x][y]) ? field[x][y]
                                           : first.filter(field, x, y, core.getPostfilteringParam(), stats);
  RawImageStats const workStats = computeStats(work);
  colours.resize(static_cast<std::size_t>(width) * height);
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y) {
      RGBColor& out = colours[static_cast<std::size_t>(x) * height + y];
      if (std::isnan(work[x][y])) {
        out = k_RGBblack;
        continue;
      }
      double const f = second.filter(work, x, y, core.getSecondPostfilteringParam(), workStats);
      out = colourForNormalizedValue(normalizer.normalize(f, core.getNorm()), rule, core.getGradationInfo().gradation);
    }
}

void BM_DrawingReference(benchmark::State& state) {
  auto const core = benchCore();
  std::vector<RGBColor> colours;
  for (auto _ : state) {
    referenceDrawing(benchField(), core, colours);
    benchmark::DoNotOptimize(colours.data());
  }
  state.counters["samples/s"] =
      benchmark::Counter(double(kSide) * kSide, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_DrawingProduct(benchmark::State& state) {
  auto const core = benchCore();
  unsigned const threads = benchThreads(state.range(0));
  std::vector<RGBColor> colours;
  for (auto _ : state) {
    colourRawField(benchField(), core, colours, threads);
    benchmark::DoNotOptimize(colours.data());
  }
  state.counters["samples/s"] =
      benchmark::Counter(double(kSide) * kSide, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["threads"] = threads;
}

BENCHMARK(BM_DrawingReference)->Unit(benchmark::kMillisecond)->UseRealTime();
// threads:0 is every core.
BENCHMARK(BM_DrawingProduct)->Arg(1)->Arg(0)->ArgNames({"threads"})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace orlenza
