// The default "Mandal" picture at 1024 x 1024. The reference is the plain
// one-thread loop: sample, map through the geometry, then the angular and
// radial waves and their product. The product path is the registered
// computator, on one thread and on all cores.

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
#include "core/generators/Mandala/ImageComputatorMandala.h"
#include "core/generators/Mandala/SnapshotMandala.h"
#include "core/geometry/Geometry.h"
#include "core/panes/ParameterPane.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {
namespace {

constexpr int kSide = 1024;

std::shared_ptr<Snapshot> defaultSnapshot() {
  registerCoreFamilies();
  return ParameterPaneFactory::makeNewParameterPane("Mandal")->getDefaultSnapshot();
}

void referenceMandala(SnapshotMandala const& snapshot, RawField& field) {
  MandalaParameters const& p = snapshot.getParameters();
  double const p0 = p.getParameter(0), p1 = p.getParameter(1), p2 = p.getParameter(2), p3 = p.getParameter(3),
               p4 = p.getParameter(4), p5 = p.getParameter(5);
  double const d = p1 + p3 + p4;
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
      double const r = std::sqrt(q.x * q.x + q.y * q.y);
      double const a = std::sin(std::atan2(q.y, q.x) * p0);
      double const b = std::sin(3.141592654 * p2 * r);
      field[x][y] = ((a * p1 + b * p3 + b * a * p4) / d + 1) * p5 * 0.5;
    }
}

void BM_MandalaReference(benchmark::State& state) {
  auto const snapshot = defaultSnapshot();
  auto const& mandala = dynamic_cast<SnapshotMandala const&>(*snapshot);
  runPixelReference(state, kSide, [&](RawField& field) { referenceMandala(mandala, field); });
}

void BM_MandalaProduct(benchmark::State& state) {
  runPixelProduct(state, ComputatorTraits<ImageComputatorMandala>::instance(), *defaultSnapshot(), kSide);
}

BENCHMARK(BM_MandalaReference)->Unit(benchmark::kMillisecond)->UseRealTime();
// threads:0 is every core.
BENCHMARK(BM_MandalaProduct)->Arg(1)->Arg(0)->ArgNames({"threads"})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace orlenza
