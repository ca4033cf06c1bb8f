// The default "Perlin" picture at 1024 x 1024. The reference is the plain
// one-thread loop: sample, map through the geometry, and sum the octaves of the
// noise with the cell corners found by integer truncation and the gradients
// looked up one by one. The product path is the registered computator, on one
// thread and on all cores; both must give the same field bit for bit.

#include <benchmark/benchmark.h>

#include "BenchSupport.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <thread>

#include "core/CoreRegistration.h"
#include "core/engine/ComputationNotifier.h"
#include "core/engine/PlaneSampler.h"
#include "core/engine/RawField.h"
#include "core/generators/Perlin/ImageComputatorPerlin.h"
#include "core/generators/Perlin/PerlinNoise.h"
#include "core/generators/Perlin/SnapshotPerlin.h"
#include "core/geometry/Geometry.h"
#include "core/panes/ParameterPane.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {
namespace {

constexpr int kSide = 1024;

std::shared_ptr<Snapshot> defaultSnapshot() {
  registerCoreFamilies();
  return ParameterPaneFactory::makeNewParameterPane("Perlin")->getDefaultSnapshot();
}

double referenceNoise(Perlin const& n, double x, double y) {
  long x0, x1, y0, y1;
  if (x >= 0) {
    x0 = static_cast<long>(x);
    x1 = x0 + 1;
  } else {
    x1 = static_cast<long>(x);
    x0 = x1 - 1;
  }
  if (y >= 0) {
    y0 = static_cast<long>(y);
    y1 = y0 + 1;
  } else {
    y1 = static_cast<long>(y);
    y0 = y1 - 1;
  }
  double const dx0 = x - x0, dx1 = x - x1, dy0 = y - y0, dy1 = y - y1;
  Perlin::Gradient const& g00 = n.gradient(x0, y0);
  Perlin::Gradient const& g01 = n.gradient(x0, y1);
  Perlin::Gradient const& g10 = n.gradient(x1, y0);
  Perlin::Gradient const& g11 = n.gradient(x1, y1);
  double const d00 = g00.x * dx0 + g00.y * dy0;
  double const d01 = g01.x * dx0 + g01.y * dy1;
  double const d10 = g10.x * dx1 + g10.y * dy0;
  double const d11 = g11.x * dx1 + g11.y * dy1;
  double const sx = dx0 * dx0 * (3 - 2 * dx0);
  double const sy = dy0 * dy0 * (3 - 2 * dy0);
  double const a = d00 + sx * (d10 - d00);
  double const b = d01 + sx * (d11 - d01);
  return a + sy * (b - a);
}

double referenceSum(Perlin const& n, double f, int k, double p, double x, double y) {
  double s = 0, q = 1, w = 1;
  for (int i = 0; i < k; ++i) {
    s += w * referenceNoise(n, f * q * x, f * q * y);
    q = 2 * q;
    w = w * p;
  }
  return s;
}

void referencePerlin(SnapshotPerlin const& snapshot, Perlin const& na, Perlin const& nb, Perlin const& nc,
                     RawField& field) {
  PerlinParameters const& p = snapshot.getParameters();
  View const& view = snapshot.getCore().getView();
  PlaneSampler const sampler(view, kSide, kSide);
  auto geometry = snapshot.getCore().getGeometry()->clone();
  geometry->initWithView(view);
  bool const useB = p.combination >= 1 && p.combination <= 4;
  bool const useC = p.combination == 2 || p.combination == 4;
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x) {
      Coord2D const q = geometry->getMappedCoords(sampler.getXY(x, y));
      if (!std::isfinite(q.x) || !std::isfinite(q.y)) {
        field[x][y] = std::nan("");
        continue;
      }
      double const a = referenceSum(na, 1.0, p.octavesA, p.persistenceA, q.x, q.y);
      double const b = useB ? referenceSum(nb, p.scaleB, p.octavesB, p.persistenceB, q.x, q.y) : 0;
      double const c = useC ? referenceSum(nc, p.scaleC, p.octavesC, p.persistenceC, q.x, q.y) : 0;
      double v = 0;
      if (p.combination == 0) v = a;
      else if (p.combination == 1) v = a + b;
      else if (p.combination == 2) v = a + b + c;
      else if (p.combination == 3) v = a * b;
      else if (p.combination == 4) v = a * b + c;
      if (p.shaping == 1) v = std::fabs(v);
      else if (p.shaping == 2) v = v >= 0 || std::isnan(v) ? v : 0;
      else v = (v + 1) * 0.5;
      field[x][y] = v * p.amplitude;
    }
}

void BM_PerlinReference(benchmark::State& state) {
  auto const snapshot = defaultSnapshot();
  auto const& perlin = dynamic_cast<SnapshotPerlin const&>(*snapshot);
  Perlin const na(766), nb(10043), nc(8002);
  RawField field(kSide, kSide), product(kSide, kSide);
  NullComputationNotifier notifier;
  ImageComputatorPerlin::instance().computeImage(*snapshot, kSide, kSide, product, notifier, 1);
  referencePerlin(perlin, na, nb, nc, field);
  if (std::memcmp(field.data(), product.data(), field.cellCount() * sizeof(double)) != 0)
    state.SkipWithError("the product path differs from the reference");
  for (auto _ : state) {
    referencePerlin(perlin, na, nb, nc, field);
    benchmark::DoNotOptimize(field.data());
  }
  state.counters["pixels/s"] =
      benchmark::Counter(double(kSide) * kSide, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_PerlinProduct(benchmark::State& state) {
  runPixelProduct(state, ImageComputatorPerlin::instance(), *defaultSnapshot(), kSide);
}

BENCHMARK(BM_PerlinReference)->Unit(benchmark::kMillisecond)->UseRealTime();
// threads:0 is every core.
BENCHMARK(BM_PerlinProduct)->Arg(1)->Arg(0)->ArgNames({"threads"})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace orlenza
