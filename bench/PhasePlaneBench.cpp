// Default pictures of the three phase-plane generators at 1024 x 1024, and one
// larger picture (200 divisions, 500 steps: 20 million steps) where more
// threads pay. The reference is the plain loop: two virtual calls of f, the
// geometry's inverse, the pixel test and a field add per step, two notifier
// calls per starting point. The product path is the registered computator on
// one thread and on all cores (hit counts per thread, added up).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>

#include "core/CoreRegistration.h"
#include "core/engine/ComputationNotifier.h"
#include "core/engine/PlaneSampler.h"
#include "core/engine/RawField.h"
#include "core/generators/PhasePlane/ImageComputatorPhasePlane.h"
#include "core/geometry/Geometry.h"
#include "core/panes/ParameterPane.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {
namespace {

constexpr int kSide = 1024;
char const* const kMembers[] = {"PhasePlane-xsin", "PhasePlane-sinprod", "PhasePlane-tan"};

// range(0): the member; range(1) 1 for the larger picture.
std::shared_ptr<Snapshot> benchSnapshot(benchmark::State const& state) {
  registerCoreFamilies();
  auto snapshot = ParameterPaneFactory::makeNewParameterPane(kMembers[state.range(0)])->getDefaultSnapshot();
  if (state.range(1) == 1) {
    auto& p = dynamic_cast<SnapshotPhasePlane&>(*snapshot).getParameters();
    p.gridDivisions = 200;
    p.numSteps = 500;
  }
  return snapshot;
}

ImageComputatorPhasePlane& computatorOf(benchmark::State const& state) {
  return dynamic_cast<ImageComputatorPhasePlane&>(*AbstractImageComputator::getComputatorFromID(kMembers[state.range(0)]));
}

void referencePhasePlane(SnapshotPhasePlane const& snapshot, ImageComputatorPhasePlane& computator, RawField& field,
                         ComputationNotifier& notifier) {
  computator.initFromSnapshot(snapshot);
  View const& view = snapshot.getCore().getView();
  PlaneSampler const sampler(view, kSide, kSide);
  auto geometry = snapshot.getCore().getGeometry()->clone();
  geometry->initWithView(view);
  field.fill(0);
  PhasePlaneParameters const& p = snapshot.getParameters();
  int const g = p.gridDivisions;
  double const h = p.stepSize;
  notifier.initialize(static_cast<long>(g + 1) * (g + 1));
  for (int i = 0; i <= g; ++i)
    for (int j = 0; j <= g; ++j) {
      Coord2D q = sampler.getXY(static_cast<int>(double(i) / g * kSide), static_cast<int>(double(j) / g * kSide));
      for (int k = 0; k < p.numSteps; ++k) {
        Coord2D const next{q.x - h * computator.coreFunction(q.y), q.y + h * computator.coreFunction(q.x)};
        Coord2D const back = geometry->getInverseCoords(next);
        int col, row;
        if (sampler.getHV(back.x, back.y, &col, &row)) field[col][row] += 1;
        q = next;
      }
      notifier.iterate();
      if (notifier.areWeCanceled()) return;
    }
}

void setCounters(benchmark::State& state, Snapshot const& snapshot) {
  auto const& p = dynamic_cast<SnapshotPhasePlane const&>(snapshot).getParameters();
  double const steps = double(p.gridDivisions + 1) * (p.gridDivisions + 1) * p.numSteps;
  state.SetLabel(kMembers[state.range(0)]);
  state.counters["steps/s"] = benchmark::Counter(steps, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_PhasePlaneReference(benchmark::State& state) {
  auto const snapshot = benchSnapshot(state);
  auto& computator = computatorOf(state);
  RawField field(kSide, kSide);
  for (auto _ : state) {
    NullComputationNotifier notifier;
    referencePhasePlane(dynamic_cast<SnapshotPhasePlane const&>(*snapshot), computator, field, notifier);
    benchmark::DoNotOptimize(field.data());
  }
  setCounters(state, *snapshot);
}

void BM_PhasePlaneProduct(benchmark::State& state) {
  auto const snapshot = benchSnapshot(state);
  auto& computator = computatorOf(state);
  unsigned const threads = state.range(2) == 0 ? std::max(1u, std::thread::hardware_concurrency()) : 1u;
  RawField field(kSide, kSide);
  for (auto _ : state) {
    NullComputationNotifier notifier;
    computator.computeImage(*snapshot, kSide, kSide, field, notifier, threads);
    benchmark::DoNotOptimize(field.data());
  }
  setCounters(state, *snapshot);
  state.counters["threads"] = threads;
}

void referenceArgs(benchmark::internal::Benchmark* b) {
  for (int member = 0; member < 3; ++member) b->Args({member, 0});
  b->Args({0, 1});
}

// threads:0 is every core.
void productArgs(benchmark::internal::Benchmark* b) {
  for (int member = 0; member < 3; ++member)
    for (int threads : {1, 0}) b->Args({member, 0, threads});
  b->Args({0, 1, 1});
  b->Args({0, 1, 0});
}

BENCHMARK(BM_PhasePlaneReference)->Apply(referenceArgs)->ArgNames({"member", "large"})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PhasePlaneProduct)
    ->Apply(productArgs)
    ->ArgNames({"member", "large", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace orlenza
