// The default "Biomorph" picture (the dynamical plane of z^2 + 0.5 with the
// biomorph test) at 1024 x 1024. The reference is the plain one-thread loop:
// sample, map through the geometry, blend with K, iterate z -> c + z P(z) with
// std::complex until |z| > 100 or the count runs out, then the biomorph test
// and the dwell. The product path is the registered computator, on one thread
// and on all cores; "differing" counts the cells that are not the reference's
// bit for bit.

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "core/engine/SimdPath.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstring>
#include <memory>
#include <thread>

#include "core/CoreRegistration.h"
#include "core/engine/ComputationNotifier.h"
#include "core/engine/PlaneSampler.h"
#include "core/engine/RawField.h"
#include "core/generators/Biomorph/ImageComputatorBiomorph.h"
#include "core/generators/Biomorph/SnapshotBiomorph.h"
#include "core/geometry/Geometry.h"
#include "core/panes/ParameterPane.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {
namespace {

constexpr int kSide = 1024;

std::shared_ptr<Snapshot> defaultSnapshot() {
  registerCoreFamilies();
  return ParameterPaneFactory::makeNewParameterPane("Biomorph")->getDefaultSnapshot();
}

using Complex = std::complex<double>;

// Answers the total number of steps, for the iterations counter.
long long referenceBiomorph(SnapshotBiomorph const& snapshot, RawField& field) {
  BiomorphParameters const& p = snapshot.getParameters();
  View const& view = snapshot.getCore().getView();
  PlaneSampler const sampler(view, kSide, kSide);
  auto geometry = snapshot.getCore().getGeometry()->clone();
  geometry->initWithView(view);
  double const t = p.getTheta(), f = p.getPhi();
  long long steps = 0;
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x) {
      Coord2D const q = geometry->getMappedCoords(sampler.getXY(x, y));
      if (!std::isfinite(q.x) || !std::isfinite(q.y)) {
        field[x][y] = std::nan("");
        continue;
      }
      double const zx = t * q.x + (1 - t) * p.fixedRe, zy = t * q.y + (1 - t) * p.fixedIm;
      double const cx = (1 - t) * q.x + t * p.fixedRe, cy = (1 - t) * q.y + t * p.fixedIm;
      Complex z(zx * (1 - f) + cy * f, zy);
      Complex const c(cx, zx * f + cy * (1 - f));
      int points = 0;
      for (int k = 0; k < p.getNumIter(); ++k) {
        ++points;
        ++steps;
        Complex poly = p.coefficients[5];
        for (int i = 4; i >= 0; --i) poly = poly * z + p.coefficients[static_cast<std::size_t>(i)];
        z = c + z * poly;
        if (std::norm(z) > 10000) break;
      }
      bool const collapsed = p.biomorphTest && (std::fabs(z.real()) < 100 || std::fabs(z.imag()) < 100);
      field[x][y] = collapsed ? 0 : points - 1;
    }
  return steps;
}

long long differingCells(RawField const& a, RawField const& b) {
  long long differing = 0;
  for (int x = 0; x < kSide; ++x)
    for (int y = 0; y < kSide; ++y) differing += std::memcmp(&a[x][y], &b[x][y], sizeof(double)) != 0;
  return differing;
}

void BM_BiomorphReference(benchmark::State& state) {
  auto const snapshot = defaultSnapshot();
  auto const& biomorph = dynamic_cast<SnapshotBiomorph const&>(*snapshot);
  RawField field(kSide, kSide);
  long long steps = 0;
  for (auto _ : state) {
    steps = referenceBiomorph(biomorph, field);
    benchmark::DoNotOptimize(field.data());
  }
  state.counters["steps/s"] = benchmark::Counter(double(steps), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_BiomorphProduct(benchmark::State& state) {
  auto const snapshot = defaultSnapshot();
  auto const& biomorph = dynamic_cast<SnapshotBiomorph const&>(*snapshot);
  unsigned const threads = benchThreads(state.range(0));
  RawField field(kSide, kSide);
  RawField check(kSide, kSide);
  long long const steps = referenceBiomorph(biomorph, check);
  auto& computator = ComputatorTraits<ImageComputatorBiomorph>::instance();
  forceSimdPath(static_cast<SimdPath>(state.range(1)));
  for (auto _ : state) {
    NullComputationNotifier notifier;
    computator.computeImage(*snapshot, kSide, kSide, field, notifier, threads);
    benchmark::DoNotOptimize(field.data());
  }
  state.counters["steps/s"] = benchmark::Counter(double(steps), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["threads"] = threads;
  state.counters["differing"] = double(differingCells(field, check));
  state.counters["simd"] = static_cast<double>(simdPath());
  resetSimdPath();
}

BENCHMARK(BM_BiomorphReference)->Unit(benchmark::kMillisecond)->UseRealTime();
// threads:0 is every core.
// simd forces the instruction set: 0 scalar, 1 SSE2, 2 AVX2 (held to what the processor has).
BENCHMARK(BM_BiomorphProduct)
    ->ArgsProduct({{1, 0}, {0, 1, 2}})
    ->ArgNames({"threads", "simd"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace orlenza
