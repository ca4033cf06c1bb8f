// The default "DynFractal" and "GumFractal" pictures at 1024 x 1024. The
// reference is the plain one-thread loop: sample, map through the geometry,
// record the whole orbit of the map, hand it to the analyzer. The product path
// is the registered computator, on one thread and on all cores; every run is
// checked against the reference field.

#include <benchmark/benchmark.h>

#include "BenchSupport.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <thread>

#include "core/CoreRegistration.h"
#include "core/engine/ComputationNotifier.h"
#include "core/engine/OrbitAnalyzer.h"
#include "core/engine/PlaneSampler.h"
#include "core/engine/RawField.h"
#include "core/generators/OrbitFractal/ImageComputatorOrbitFractal.h"
#include "core/geometry/Geometry.h"
#include "core/panes/ParameterPane.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {
namespace {

constexpr int kSide = 1024;

template <class Snap>
std::shared_ptr<Snapshot> defaultSnapshot() {
  registerCoreFamilies();
  return ParameterPaneFactory::makeNewParameterPane(std::string(Snap::kIdentifier))->getDefaultSnapshot();
}

// Answers the number of map steps taken.
template <class Snap>
long long referenceLoop(Snap const& snapshot, RawField& field) {
  auto const& parameters = snapshot.getParameters();
  double const p[3] = {parameters.getParameter(0), parameters.getParameter(1), parameters.getParameter(2)};
  int const n = parameters.getIterations();
  OrbitAnalyzer const* analyzer = OrbitAnalyzer::getAnalyzerFromID(parameters.analyzerID);
  if (analyzer == nullptr) analyzer = &OrbitAnalyzerDistance::instance();
  View const& view = snapshot.getCore().getView();
  PlaneSampler const sampler(view, kSide, kSide);
  auto geometry = snapshot.getCore().getGeometry()->clone();
  geometry->initWithView(view);
  Orbit orbit;
  orbit.reserve(static_cast<std::size_t>(n));
  long long steps = 0;
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x) {
      Coord2D const q = geometry->getMappedCoords(sampler.getXY(x, y));
      orbit.clear();
      double px = q.x, py = q.y;
      for (int k = 0; k < n; ++k) {
        orbit.add(px, py);
        double nx = 0, ny = 0;
        ++steps;
        if (!Snap::MapType::step(p, px, py, &nx, &ny)) break;
        px = nx;
        py = ny;
      }
      field[x][y] = analyzer->extract(orbit);
    }
  return steps;
}

bool sameField(RawField const& a, RawField const& b) {
  for (int x = 0; x < kSide; ++x)
    if (std::memcmp(&a[x][0], &b[x][0], sizeof(double) * kSide) != 0) return false;
  return true;
}

template <class Snap>
void BM_OrbitFractalReference(benchmark::State& state) {
  auto const snapshot = defaultSnapshot<Snap>();
  RawField field(kSide, kSide);
  long long steps = 0;
  for (auto _ : state) {
    steps = referenceLoop(dynamic_cast<Snap const&>(*snapshot), field);
    benchmark::DoNotOptimize(field.data());
  }
  state.counters["steps/s"] = benchmark::Counter(double(steps), benchmark::Counter::kIsIterationInvariantRate);
}

template <class Snap, class Computator>
void BM_OrbitFractalProduct(benchmark::State& state) {
  auto const snapshot = defaultSnapshot<Snap>();
  unsigned const threads = benchThreads(state.range(0));
  RawField field(kSide, kSide);
  RawField check(kSide, kSide);
  long long const steps = referenceLoop(dynamic_cast<Snap const&>(*snapshot), check);
  auto& computator = ComputatorTraits<Computator>::instance();
  for (auto _ : state) {
    NullComputationNotifier notifier;
    computator.computeImage(*snapshot, kSide, kSide, field, notifier, threads);
    benchmark::DoNotOptimize(field.data());
  }
  if (!sameField(field, check)) state.SkipWithError("the product field differs from the reference");
  state.counters["steps/s"] = benchmark::Counter(double(steps), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["threads"] = threads;
}

BENCHMARK(BM_OrbitFractalReference<SnapshotDynFractal>)->Unit(benchmark::kMillisecond)->UseRealTime();
// threads:0 is every core.
BENCHMARK(BM_OrbitFractalProduct<SnapshotDynFractal, ImageComputatorDynFractal>)
    ->Arg(1)->Arg(0)->ArgNames({"threads"})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OrbitFractalReference<SnapshotGumFractal>)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OrbitFractalProduct<SnapshotGumFractal, ImageComputatorGumFractal>)
    ->Arg(1)->Arg(0)->ArgNames({"threads"})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace orlenza
