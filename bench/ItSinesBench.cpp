// The default "ItSines" picture at 1024 x 1024. The reference is the plain
// one-thread loop: sample, map through the geometry, then the three nested
// sine waves. The product path is the registered computator, on one thread
// and on all cores.

#include <benchmark/benchmark.h>

#include "BenchSupport.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <thread>

#include "core/CoreRegistration.h"
#include "core/engine/ComputationNotifier.h"
#include "core/engine/PlaneSampler.h"
#include "core/engine/RawField.h"
#include "core/generators/Sines/ImageComputatorItSines.h"
#include "core/generators/Sines/SnapshotItSines.h"
#include "core/geometry/Geometry.h"
#include "core/panes/ParameterPane.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {
namespace {

constexpr int kSide = 1024;

std::shared_ptr<Snapshot> defaultSnapshot() {
  registerCoreFamilies();
  return ParameterPaneFactory::makeNewParameterPane("ItSines")->getDefaultSnapshot();
}

void referenceItSines(SnapshotItSines const& snapshot, RawField& field) {
  ItSinesParameters const& p = snapshot.getParameters();
  auto const term = [](ItSinesParameters::ParamGroup const& g, double u) {
    return g.weight * std::sin(u * g.frequency + std::sin(u * g.innerFrequency) + g.phase);
  };
  double const w = p.xGroup.weight + p.yGroup.weight + p.xyGroup.weight;
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
      double s = term(p.xGroup, q.x);
      s = term(p.yGroup, q.y) + s;
      s = term(p.xyGroup, q.x * q.y) + s;
      field[x][y] = (s / w + 1) * p.amplitude * 0.5;
    }
}

void BM_ItSinesReference(benchmark::State& state) {
  auto const snapshot = defaultSnapshot();
  auto const& sines = dynamic_cast<SnapshotItSines const&>(*snapshot);
  runPixelReference(state, kSide, [&](RawField& field) { referenceItSines(sines, field); });
}

void BM_ItSinesProduct(benchmark::State& state) {
  runPixelProduct(state, ComputatorTraits<ImageComputatorItSines>::instance(), *defaultSnapshot(), kSide);
}

BENCHMARK(BM_ItSinesReference)->Unit(benchmark::kMillisecond)->UseRealTime();
// threads:0 is every core.
BENCHMARK(BM_ItSinesProduct)->Arg(1)->Arg(0)->ArgNames({"threads"})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace orlenza
