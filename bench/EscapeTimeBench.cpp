// The default "EscParams" picture at 1024 x 1024. The reference is the plain
// one-thread loop: sample, map through the geometry, iterate the quadratic map
// until it leaves the disc of radius 1000 or reaches 1024 steps. The product
// path is the registered computator, on one thread and on all cores, with the
// instruction set forced by the second argument (0 scalar, 1 SSE2, 2 AVX2;
// held to what the processor has, the counter "simd" says which ran).

#include <benchmark/benchmark.h>

#include "BenchSupport.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <thread>

#include "core/CoreRegistration.h"
#include "core/engine/ComputationNotifier.h"
#include "core/engine/PlaneSampler.h"
#include "core/engine/RawField.h"
#include "core/engine/SimdPath.h"
#include "core/generators/EscapeTime/ImageComputatorEscapeParams.h"
#include "core/generators/EscapeTime/SnapshotEscapeParams.h"
#include "core/geometry/Geometry.h"
#include "core/panes/ParameterPane.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {
namespace {

constexpr int kSide = 1024;

std::shared_ptr<Snapshot> defaultSnapshot() {
  registerCoreFamilies();
  return ParameterPaneFactory::makeNewParameterPane("EscParams")->getDefaultSnapshot();
}

// Answers the total number of map steps, for the iterations counter.
long long referenceEscapeTime(SnapshotEscapeParams const& snapshot, RawField& field) {
  auto const& c = snapshot.getParameters().coefficients;
  View const& view = snapshot.getCore().getView();
  PlaneSampler const sampler(view, kSide, kSide);
  auto geometry = snapshot.getCore().getGeometry()->clone();
  geometry->initWithView(view);
  long long steps = 0;
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x) {
      Coord2D const q = geometry->getMappedCoords(sampler.getXY(x, y));
      double px = q.x, py = q.y;
      int n = 0;
      for (;;) {
        ++n;
        double const nx = (px * c[2] + c[1] + py * c[3]) * px + c[0] + (py * c[5] + c[4]) * py;
        double const ny = (px * c[8] + c[7] + py * c[9]) * px + c[6] + (py * c[11] + c[10]) * py;
        if (nx * nx + ny * ny > 1000000 || n > 1024) break;
        px = nx;
        py = ny;
      }
      field[x][y] = n <= 1024 ? n : 1024;
      steps += n;
    }
  return steps;
}

void BM_EscapeTimeReference(benchmark::State& state) {
  auto const snapshot = defaultSnapshot();
  auto const& escape = dynamic_cast<SnapshotEscapeParams const&>(*snapshot);
  RawField field(kSide, kSide);
  long long steps = 0;
  for (auto _ : state) {
    steps = referenceEscapeTime(escape, field);
    benchmark::DoNotOptimize(field.data());
  }
  state.counters["iterations/s"] = benchmark::Counter(double(steps), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_EscapeTimeProduct(benchmark::State& state) {
  auto const snapshot = defaultSnapshot();
  auto const& escape = dynamic_cast<SnapshotEscapeParams const&>(*snapshot);
  unsigned const threads = benchThreads(state.range(0));
  RawField field(kSide, kSide);
  RawField check(kSide, kSide);
  long long const steps = referenceEscapeTime(escape, check);
  auto& computator = ComputatorTraits<ImageComputatorEscapeParams>::instance();
  forceSimdPath(static_cast<SimdPath>(state.range(1)));
  for (auto _ : state) {
    NullComputationNotifier notifier;
    computator.computeImage(*snapshot, kSide, kSide, field, notifier, threads);
    benchmark::DoNotOptimize(field.data());
  }
  state.counters["iterations/s"] = benchmark::Counter(double(steps), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["threads"] = threads;
  state.counters["simd"] = static_cast<double>(simdPath());
  resetSimdPath();
  if (std::memcmp(field.data(), check.data(), field.cellCount() * sizeof(double)) != 0)
    state.SkipWithError("the field differs from the reference loop's");
}

BENCHMARK(BM_EscapeTimeReference)->Unit(benchmark::kMillisecond)->UseRealTime();
// threads:0 is every core.
BENCHMARK(BM_EscapeTimeProduct)
    ->ArgsProduct({{1, 0}, {0, 1, 2}})
    ->ArgNames({"threads", "simd"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace orlenza
