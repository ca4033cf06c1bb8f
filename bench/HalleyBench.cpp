// The default "Halley" picture at 1024 x 1024. The reference is the plain
// one-thread loop: sample, map through the geometry, then Halley's step for
// z^7 - z with std::complex until the step is short or 31 steps are done. The
// product path is the registered computator, on one thread and on all cores.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "BenchSupport.h"
#include "core/engine/MappedPointImage.h"
#include "core/engine/SimdPath.h"
#include "core/generators/Halley/HalleyIteration.h"

#include <algorithm>
#include <complex>
#include <memory>
#include <thread>

#include "core/CoreRegistration.h"
#include "core/engine/ComputationNotifier.h"
#include "core/engine/PlaneSampler.h"
#include "core/engine/RawField.h"
#include "core/generators/Halley/ImageComputatorHalley.h"
#include "core/generators/Halley/SnapshotHalley.h"
#include "core/geometry/Geometry.h"
#include "core/panes/ParameterPane.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {
namespace {

constexpr int kSide = 1024;

std::shared_ptr<Snapshot> defaultSnapshot() {
  registerCoreFamilies();
  return ParameterPaneFactory::makeNewParameterPane("Halley")->getDefaultSnapshot();
}

using Complex = std::complex<double>;

Complex guardedDivide(Complex a, Complex b) { return std::norm(b) == 0 ? Complex(0, 0) : a / b; }

// Answers the total number of Halley steps, for the iterations counter.
long long referenceHalley(SnapshotHalley const& snapshot, RawField& field) {
  HalleyParameters const& parameters = snapshot.getParameters();
  auto const& c = parameters.coefficients;
  double const lambda = parameters.getLambda();
  View const& view = snapshot.getCore().getView();
  PlaneSampler const sampler(view, kSide, kSide);
  auto geometry = snapshot.getCore().getGeometry()->clone();
  geometry->initWithView(view);
  long long steps = 0;
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x) {
      Coord2D const q = geometry->getMappedCoords(sampler.getXY(x, y));
      Complex z(q.x, q.y);
      int n = 0;
      for (;;) {
        ++steps;
        Complex p = 0, p1 = 0, p2 = 0, power = 1;
        for (int k = 0; k <= 12; ++k) {
          p += c[k] * power;
          if (k < 12) p1 += double(k + 1) * c[k + 1] * power;
          if (k < 11) p2 += double(k + 1) * double(k + 2) * c[k + 2] * power;
          power *= z;
        }
        Complex const next = z - lambda * guardedDivide(p, p1 - guardedDivide(p * p2, p1) * 0.5);
        if (std::norm(next - z) < 1e-4) break;
        z = next;
        if (n + 1 > 31) break;
        ++n;
      }
      field[x][y] = n;
    }
  return steps;
}

void BM_HalleyReference(benchmark::State& state) {
  auto const snapshot = defaultSnapshot();
  auto const& halley = dynamic_cast<SnapshotHalley const&>(*snapshot);
  RawField field(kSide, kSide);
  long long steps = 0;
  for (auto _ : state) {
    steps = referenceHalley(halley, field);
    benchmark::DoNotOptimize(field.data());
  }
  state.counters["steps/s"] = benchmark::Counter(double(steps), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_HalleyProduct(benchmark::State& state) {
  auto const snapshot = defaultSnapshot();
  auto const& halley = dynamic_cast<SnapshotHalley const&>(*snapshot);
  unsigned const threads = benchThreads(state.range(0));
  RawField field(kSide, kSide);
  RawField check(kSide, kSide);
  long long const steps = referenceHalley(halley, check);
  // The reference above uses std::complex, which rounds otherwise: the
  // product is checked against the plain per-pixel loop of HalleyIteration.
  {
    HalleyIteration const iteration(halley.getParameters());
    MappedRowSampler const sampler(halley.getCore(), kSide, kSide);
    std::vector<Coord2D> points(kSide);
    for (int y = 0; y < kSide; ++y) {
      sampler.mapRow(y, points.data());
      for (int x = 0; x < kSide; ++x) {
        Coord2D const q = points[static_cast<std::size_t>(x)];
        check[x][y] = std::isfinite(q.x) && std::isfinite(q.y) ? iteration.iterate(q.x, q.y, nullptr)
                                                               : std::numeric_limits<double>::quiet_NaN();
      }
    }
  }
  auto& computator = ComputatorTraits<ImageComputatorHalley>::instance();
  forceSimdPath(static_cast<SimdPath>(state.range(1)));
  for (auto _ : state) {
    NullComputationNotifier notifier;
    computator.computeImage(*snapshot, kSide, kSide, field, notifier, threads);
    benchmark::DoNotOptimize(field.data());
  }
  state.counters["steps/s"] = benchmark::Counter(double(steps), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["threads"] = threads;
  state.counters["simd"] = static_cast<double>(simdPath());
  resetSimdPath();
  if (std::memcmp(field.data(), check.data(), field.cellCount() * sizeof(double)) != 0)
    state.SkipWithError("the field differs from the reference loop's");
}

BENCHMARK(BM_HalleyReference)->Unit(benchmark::kMillisecond)->UseRealTime();
// threads:0 is every core.
// simd forces the instruction set: 0 scalar, 1 SSE2, 2 AVX2 (held to what the processor has).
BENCHMARK(BM_HalleyProduct)
    ->ArgsProduct({{1, 0}, {0, 1, 2}})
    ->ArgNames({"threads", "simd"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace orlenza
