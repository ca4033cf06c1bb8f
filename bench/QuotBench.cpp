// The default "Quot" picture at 1024 x 1024. The reference is the plain
// one-thread loop: sample, map through the geometry, fold the point into the
// rectangle, divide the polynomials and fold the quotient. The product path is
// the registered computator, on one thread and on all cores.

#include <benchmark/benchmark.h>

#include "BenchSupport.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <thread>

#include "core/CoreRegistration.h"
#include "core/base/MathUtils.h"
#include "core/engine/ComputationNotifier.h"
#include "core/engine/PlaneSampler.h"
#include "core/engine/RawField.h"
#include "core/generators/Quot/ImageComputatorQuot.h"
#include "core/generators/Quot/SnapshotQuot.h"
#include "core/geometry/Geometry.h"
#include "core/panes/ParameterPane.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {
namespace {

constexpr int kSide = 1024;

std::shared_ptr<Snapshot> defaultSnapshot() {
  registerCoreFamilies();
  return ParameterPaneFactory::makeNewParameterPane("Quot")->getDefaultSnapshot();
}

void referenceQuot(SnapshotQuot const& snapshot, RawField& field) {
  QuotParameters const& parameters = snapshot.getParameters();
  double p[17];
  for (unsigned i = 0; i < 17; ++i) p[i] = parameters.getParameter(i);
  View const& view = snapshot.getCore().getView();
  PlaneSampler const sampler(view, kSide, kSide);
  auto geometry = snapshot.getCore().getGeometry()->clone();
  geometry->initWithView(view);
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x) {
      Coord2D const q = geometry->getMappedCoords(sampler.getXY(x, y));
      if (!std::isfinite(q.x) || !std::isfinite(q.y)) {
        field[x][y] = std::nan("");
        continue;
      }
      double const X = MathUtils::periodize(q.x, p[12], p[13]);
      double const Y = MathUtils::periodize(q.y, p[14], p[15]);
      double const d = X * X * p[6] + X * p[7] + X * Y * p[8] + Y * p[9] + Y * Y * p[10] + p[11];
      double const v = d == 0 ? 0 : (X * X * p[0] + X * p[1] + X * Y * p[2] + Y * p[3] + Y * Y * p[4] + p[5]) / d;
      field[x][y] = MathUtils::periodize(v) * p[16];
    }
}

void BM_QuotReference(benchmark::State& state) {
  auto const snapshot = defaultSnapshot();
  auto const& quot = dynamic_cast<SnapshotQuot const&>(*snapshot);
  runPixelReference(state, kSide, [&](RawField& field) { referenceQuot(quot, field); });
}

void BM_QuotProduct(benchmark::State& state) {
  runPixelProduct(state, ComputatorTraits<ImageComputatorQuot>::instance(), *defaultSnapshot(), kSide);
}

BENCHMARK(BM_QuotReference)->Unit(benchmark::kMillisecond)->UseRealTime();
// threads:0 is every core.
BENCHMARK(BM_QuotProduct)->Arg(1)->Arg(0)->ArgNames({"threads"})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace orlenza
