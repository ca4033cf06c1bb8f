// Default pictures of two dynamical systems at 1024 x 1024: "DynSys-Sqrt"
// (1,000,000 iterates, a map of square roots, sine and cosine) and
// "DynSys-Gumowski" (500,000 iterates of a rational map). The reference is the
// plain loop: one virtual map step, the geometry's inverse, the pixel test and
// two notifier calls per iterate. The product path is the registered
// computator on one thread, and on all cores (a second thread plots).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>

#include "core/CoreRegistration.h"
#include "core/engine/ComputationNotifier.h"
#include "core/engine/PlaneSampler.h"
#include "core/engine/RawField.h"
#include "core/generators/DynSys/ImageComputatorDynSys.h"
#include "core/geometry/Geometry.h"
#include "core/panes/ParameterPane.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {
namespace {

constexpr int kSide = 1024;
char const* const kMembers[] = {"DynSys-Sqrt", "DynSys-Gumowski"};

std::shared_ptr<Snapshot> defaultSnapshot(benchmark::State const& state) {
  registerCoreFamilies();
  return ParameterPaneFactory::makeNewParameterPane(kMembers[state.range(0)])->getDefaultSnapshot();
}

void referenceDynSys(SnapshotDynSys const& snapshot, ImageComputatorDynSys& computator, RawField& field,
                     ComputationNotifier& notifier) {
  computator.initFromSnapshot(snapshot);
  View const& view = snapshot.getCore().getView();
  PlaneSampler const sampler(view, kSide, kSide);
  auto geometry = snapshot.getCore().getGeometry()->clone();
  geometry->initWithView(view);
  field.fill(0);
  bool const hitCount = snapshot.getParameters().plotMode == 0;
  int const n = snapshot.getParameters().numIterations;
  notifier.initialize(n);
  double x = computator.getInitialX(), y = computator.getInitialY();
  for (int i = 0; i < n; ++i) {
    double nx, ny;
    computator.iterate(x, y, &nx, &ny);
    Coord2D const q = geometry->getInverseCoords({nx, ny});
    int h, v;
    if (sampler.getHV(q.x, q.y, &h, &v)) {
      if (hitCount)
        field[h][v] += 1;
      else
        field[h][v] = i / 1000 + 1;
    }
    x = nx;
    y = ny;
    notifier.iterate();
    if (notifier.areWeCanceled()) return;
  }
}

void BM_DynSysReference(benchmark::State& state) {
  auto const snapshot = defaultSnapshot(state);
  auto const& dynSys = dynamic_cast<SnapshotDynSys const&>(*snapshot);
  auto* computator = dynamic_cast<ImageComputatorDynSys*>(AbstractImageComputator::getComputatorFromID(kMembers[state.range(0)]));
  RawField field(kSide, kSide);
  for (auto _ : state) {
    NullComputationNotifier notifier;
    referenceDynSys(dynSys, *computator, field, notifier);
    benchmark::DoNotOptimize(field.data());
  }
  state.SetLabel(kMembers[state.range(0)]);
  state.counters["iterations/s"] = benchmark::Counter(double(dynSys.getParameters().numIterations),
                                                      benchmark::Counter::kIsIterationInvariantRate);
}

void BM_DynSysProduct(benchmark::State& state) {
  auto const snapshot = defaultSnapshot(state);
  auto const& dynSys = dynamic_cast<SnapshotDynSys const&>(*snapshot);
  auto* computator = dynamic_cast<ImageComputatorDynSys*>(AbstractImageComputator::getComputatorFromID(kMembers[state.range(0)]));
  unsigned const threads = state.range(1) == 0 ? std::max(1u, std::thread::hardware_concurrency()) : 1u;
  RawField field(kSide, kSide);
  for (auto _ : state) {
    NullComputationNotifier notifier;
    computator->computeImage(*snapshot, kSide, kSide, field, notifier, threads);
    benchmark::DoNotOptimize(field.data());
  }
  state.SetLabel(kMembers[state.range(0)]);
  state.counters["iterations/s"] = benchmark::Counter(double(dynSys.getParameters().numIterations),
                                                      benchmark::Counter::kIsIterationInvariantRate);
  state.counters["threads"] = threads;
}

BENCHMARK(BM_DynSysReference)->Arg(0)->Arg(1)->ArgNames({"member"})->Unit(benchmark::kMillisecond)->UseRealTime();
// threads:0 is every core.
BENCHMARK(BM_DynSysProduct)
    ->Args({0, 1})
    ->Args({0, 0})
    ->Args({1, 1})
    ->Args({1, 0})
    ->ArgNames({"member", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace orlenza
