// The default "Grid" and "Curves" pictures at 1024 x 1024.
//
// Grid: the reference is the plain one-thread loop (sample, map through the
// geometry, fold into the cell, profiles, checkerboard); the product path is
// the registered computator on one thread and on all cores.
//
// Curves: the reference is the plain loop over the points with the plain
// Bresenham walk of every whole line; the product path is the registered
// computator, whose lines start and end at the picture's edge and whose
// points are found on the row threads (plotting stays in curve order). Both
// are also timed zoomed in 256 times, where most of every line lies outside,
// and with 1,000,000 points.

#include <benchmark/benchmark.h>

#include "BenchSupport.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <utility>

#include "core/CoreRegistration.h"
#include "core/base/MathUtils.h"
#include "core/engine/ComputationNotifier.h"
#include "core/engine/PlaneSampler.h"
#include "core/engine/RawField.h"
#include "core/generators/Curves/ImageComputatorCurves.h"
#include "core/generators/Curves/SnapshotCurves.h"
#include "core/generators/Grid/ImageComputatorGrid.h"
#include "core/generators/Grid/SnapshotGrid.h"
#include "core/geometry/Geometry.h"
#include "core/panes/ParameterPane.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {
namespace {

constexpr int kSide = 1024;

bool sameField(RawField const& a, RawField const& b) {
  return std::memcmp(a.data(), b.data(), a.cellCount() * sizeof(double)) == 0;
}

std::shared_ptr<Snapshot> defaultSnapshot(char const* generator) {
  registerCoreFamilies();
  return ParameterPaneFactory::makeNewParameterPane(generator)->getDefaultSnapshot();
}

double profile(double w, DimensionParams const& d) {
  if (w <= d.lineWidth || w >= d.spacing - d.lineWidth) return 1;
  double const a = w <= d.falloff ? std::pow(1 - w / d.falloff, d.exponent) : 0;
  double const b = w >= d.spacing - d.falloff ? std::pow(1 - (d.spacing - w) / d.falloff, d.exponent) : 0;
  return std::max(a, b);
}

void referenceGrid(SnapshotGrid const& snapshot, RawField& field) {
  GridParameters const& p = snapshot.getParameters();
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
      double const u = MathUtils::periodize(q.x, 0, p.xDim.spacing);
      double const v = MathUtils::periodize(q.y, 0, p.yDim.spacing);
      double const fx = profile(u, p.xDim), fy = profile(v, p.yDim);
      long long ix = static_cast<long long>(q.x >= 0 ? q.x / p.xDim.spacing : (1 - q.x) / p.xDim.spacing);
      long long iy = static_cast<long long>(q.y >= 0 ? q.y / p.yDim.spacing : (1 - q.y) / p.yDim.spacing);
      double value = 0;
      switch (p.mode) {
        case 1: value = fy; ix = 0; break;
        case 2: value = fx; iy = 0; break;
        case 3: value = std::max(fy, fx); break;
        case 4: value = (fy + fx) * 0.5; break;
        case 5: {
          double const rho = std::sqrt(u * u + v * v);
          value = rho <= p.yDim.lineWidth ? 1
                  : rho <= p.yDim.falloff ? std::pow(1 - rho / p.yDim.falloff, p.yDim.exponent)
                                          : 0;
          break;
        }
        default: break;
      }
      if (p.checker && (ix % 2 == 0) == (iy % 2 == 0)) value = 1;
      field[x][y] = value;
    }
}

void BM_GridReference(benchmark::State& state) {
  auto const snapshot = defaultSnapshot("Grid");
  auto const& grid = dynamic_cast<SnapshotGrid const&>(*snapshot);
  runPixelReference(state, kSide, [&](RawField& field) { referenceGrid(grid, field); });
}

void BM_GridProduct(benchmark::State& state) {
  auto const snapshot = defaultSnapshot("Grid");
  unsigned const threads = benchThreads(state.range(0));
  RawField field(kSide, kSide);
  auto& computator = ComputatorTraits<ImageComputatorGrid>::instance();
  for (auto _ : state) {
    NullComputationNotifier notifier;
    computator.computeImage(*snapshot, kSide, kSide, field, notifier, threads);
    benchmark::DoNotOptimize(field.data());
  }
  RawField reference(kSide, kSide);
  referenceGrid(dynamic_cast<SnapshotGrid const&>(*snapshot), reference);
  if (!sameField(field, reference)) state.SkipWithError("the product path differs from the reference");
  state.counters["pixels/s"] =
      benchmark::Counter(double(kSide) * kSide, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["threads"] = threads;
}

void plainLine(RawField& field, int x0, int y0, int x1, int y1) {
  bool const steep = std::abs(y1 - y0) > std::abs(x1 - x0);
  if (steep) {
    std::swap(x0, y0);
    std::swap(x1, y1);
  }
  // Walked from the lower end; backwards, the walk's first pixel is the line's end.
  bool const backwards = x1 < x0;
  if (backwards) {
    std::swap(x0, x1);
    std::swap(y0, y1);
  }
  int const dx = x1 - x0, dy = std::abs(y1 - y0), step = y1 > y0 ? 1 : -1;
  int y = y0, err = dy;
  if (dx < 2 * dy) {
    err = dy - dx;
    y += step;
  }
  auto const count = [&](int a, int b) {
    int const px = steep ? b : a, py = steep ? a : b;
    if (px >= 0 && px < kSide && py >= 0 && py < kSide) field[px][py] += 1;
  };
  if (backwards) count(x0, y0);
  for (int x = x0 + 1; x <= x1; ++x) {
    if (!backwards || x < x1) count(x, y);
    err += dy;
    if (dx < 2 * err) {
      y += step;
      err -= dx;
    }
  }
}

double coordinate(int combination, CurvesParameters::CoordParams const& c, double theta) {
  double s[3];
  for (int k = 0; k < 3; ++k) s[k] = std::sin(theta * c.terms[k].frequency + c.terms[k].phase * 3.141592654);
  return CurvesParameters::combine(combination, s[0], s[1], s[2]);
}

void referenceCurves(SnapshotCurves const& snapshot, RawField& field, ComputationNotifier& notifier) {
  CurvesParameters const& p = snapshot.getParameters();
  PlaneSampler const sampler(snapshot.getCore().getView(), kSide, kSide);
  for (int x = 0; x < kSide; ++x) std::fill_n(field[x], kSide, 0.0);
  unsigned const n = p.numPoints;
  notifier.initialize(n);
  int h = 0, v = 0, h0 = 0, v0 = 0, ph = 0, pv = 0;
  for (unsigned i = 0; i < n; ++i) {
    double const theta = i * 6.283185308 / n;
    bool const inside = sampler.getHV(coordinate(p.xCombination, p.xCoords, theta),
                                      coordinate(p.yCombination, p.yCoords, theta), &h, &v);
    if (p.connect && i >= 1)
      plainLine(field, ph, pv, h, v);
    else if (inside)
      field[h][v] += 1;
    ph = h;
    pv = v;
    if (i == 0) {
      h0 = h;
      v0 = v;
    }
    notifier.iterate();
    if (notifier.areWeCanceled()) return;
  }
  if (p.connect) plainLine(field, ph, pv, h0, v0);
}

std::shared_ptr<Snapshot> curvesSnapshot(benchmark::State const& state) {
  auto snapshot = defaultSnapshot("Curves");
  if (state.range(0) == 1) {
    View& view = snapshot->getCore().getView();
    view.setSize(view.getSize() / 256);
    view.setCenterX(0.5);
  }
  if (state.range(0) == 2) dynamic_cast<SnapshotCurves&>(*snapshot).getParameters().numPoints = 1000000;
  return snapshot;
}

void BM_CurvesReference(benchmark::State& state) {
  auto const snapshot = curvesSnapshot(state);
  auto const& curves = dynamic_cast<SnapshotCurves const&>(*snapshot);
  RawField field(kSide, kSide);
  for (auto _ : state) {
    NullComputationNotifier notifier;
    referenceCurves(curves, field, notifier);
    benchmark::DoNotOptimize(field.data());
  }
}

void BM_CurvesProduct(benchmark::State& state) {
  auto const snapshot = curvesSnapshot(state);
  RawField field(kSide, kSide);
  unsigned const threads = state.range(1) == 0 ? std::max(1u, std::thread::hardware_concurrency()) : 1u;
  auto& computator = ComputatorTraits<ImageComputatorCurves>::instance();
  for (auto _ : state) {
    NullComputationNotifier notifier;
    computator.computeImage(*snapshot, kSide, kSide, field, notifier, threads);
    benchmark::DoNotOptimize(field.data());
  }
  state.counters["threads"] = threads;
  RawField reference(kSide, kSide);
  NullComputationNotifier notifier;
  referenceCurves(dynamic_cast<SnapshotCurves const&>(*snapshot), reference, notifier);
  if (!sameField(field, reference)) state.SkipWithError("the product path differs from the reference");
}

BENCHMARK(BM_GridReference)->Unit(benchmark::kMillisecond)->UseRealTime();
// threads:0 is every core.
BENCHMARK(BM_GridProduct)->Arg(1)->Arg(0)->ArgNames({"threads"})->Unit(benchmark::kMillisecond)->UseRealTime();
// case:1 is the picture zoomed in 256 times, case:2 the curve at 1,000,000 points.
BENCHMARK(BM_CurvesReference)->DenseRange(0, 2)->ArgNames({"case"})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CurvesProduct)
    ->ArgsProduct({{0, 1, 2}, {1, 0}})
    ->ArgNames({"case", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace orlenza
