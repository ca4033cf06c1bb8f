// Every vector path of the per-pixel kernels against the plain loops, bit for
// bit: random maps and points (NaN and infinite ones among them), whole
// escape-time, biomorph and Halley pictures over every geometry and odd widths, and
// the cancel path.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "core/CoreRegistration.h"
#include "core/engine/ComputationNotifier.h"
#include "core/engine/EscapeKernel.h"
#include "core/engine/MappedPointImage.h"
#include "core/engine/RowParallel.h"
#include "core/engine/SimdPath.h"
#include "core/generators/Biomorph/BiomorphKernel.h"
#include "core/generators/Biomorph/ImageComputatorBiomorph.h"
#include "core/generators/Biomorph/SnapshotBiomorph.h"
#include "core/generators/EscapeTime/ImageComputatorEscapeParams.h"
#include "core/generators/Halley/HalleyIteration.h"
#include "core/generators/Halley/ImageComputatorHalley.h"
#include "core/generators/Halley/SnapshotHalley.h"
#include "core/generators/EscapeTime/SnapshotEscapeParams.h"
#include "core/geometry/GeometryFactory.h"

namespace orlenza {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::vector<SimdPath> availablePaths() {
  std::vector<SimdPath> paths{SimdPath::Scalar};
  if (bestSimdPath() >= SimdPath::Sse2) paths.push_back(SimdPath::Sse2);
  if (bestSimdPath() >= SimdPath::Avx2) paths.push_back(SimdPath::Avx2);
  return paths;
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

EscapeCoefficients randomCoefficients(std::mt19937& random) {
  std::uniform_real_distribution<double> coefficient(-1.3, 1.3);
  EscapeCoefficients c;
  for (double& k : c) k = coefficient(random);
  return c;
}

class ForcedPath {
 public:
  explicit ForcedPath(SimdPath path) { forceSimdPath(path); }
  ~ForcedPath() { resetSimdPath(); }
};

TEST(VectorKernelsTest, EscapeDwellsEqualThePlainLoopOnEveryPath) {
  std::mt19937 random(17);
  std::uniform_real_distribution<double> coordinate(-2.5, 2.5);
  for (int map = 0; map < 40; ++map) {
    EscapeCoefficients const c = map == 0 ? EscapeCoefficients{-1.2, -1.2, -0.3, 0.8, -0.5, -0.6, -0.8, 0.5, 0.3, 0.2,
                                                               -1.0, -1.2}
                                          : randomCoefficients(random);
    for (int count : {1, 3, 5, 17, 301}) {
      std::vector<Coord2D> points(static_cast<std::size_t>(count));
      for (auto& p : points) p = {coordinate(random), coordinate(random)};
      if (count > 3) points[2] = {kNaN, 0.5};
      if (count > 5) points[4] = {0.25, -kInf};
      if (count > 17) points[16] = {1e300, 1e300};  // escapes at once
      for (SimdPath path : availablePaths()) {
        std::vector<double> dwells(points.size(), -1.0);
        ASSERT_TRUE(escapeDwells(c, points.data(), dwells.data(), count, nullptr, path));
        for (std::size_t i = 0; i < points.size(); ++i) {
          bool const finite = std::isfinite(points[i].x) && std::isfinite(points[i].y);
          double const expected = finite ? escapeDwell(c, points[i].x, points[i].y) : kNaN;
          ASSERT_TRUE(sameBits(dwells[i], expected))
              << simdPathName(path) << " map " << map << " count " << count << " point " << i << ": " << dwells[i]
              << " instead of " << expected;
        }
      }
    }
  }
}

// The plain loop's field over the same mapped points as the computator's.
template <class Cell>
RawField plainField(SnapshotCore const& core, int width, int height, Cell const& cell) {
  RawField field(width, height);
  MappedRowSampler const sampler(core, width, height);
  std::vector<Coord2D> points(static_cast<std::size_t>(width));
  for (int y = 0; y < height; ++y) {
    sampler.mapRow(y, points.data());
    for (int x = 0; x < width; ++x) {
      Coord2D const q = points[static_cast<std::size_t>(x)];
      field[x][y] = std::isfinite(q.x) && std::isfinite(q.y) ? cell(q) : kNaN;
    }
  }
  return field;
}

template <class Computator>
void expectEveryPathGives(RawField const& expected, Snapshot const& snapshot, std::string const& what) {
  int const width = expected.width();
  int const height = expected.height();
  for (SimdPath path : availablePaths()) {
    ForcedPath const forced(path);
    for (unsigned threads : {1u, 2u}) {
      RawField field(width, height);
      NullComputationNotifier notifier;
      Computator().computeImage(snapshot, width, height, field, notifier, threads);
      EXPECT_EQ(std::memcmp(field.data(), expected.data(), field.cellCount() * sizeof(double)), 0)
          << what << " width " << width << " " << simdPathName(path) << " threads " << threads;
    }
  }
}

// Whole pictures through the computators: every geometry, views, odd widths,
// every forced path, against the plain loops over the same mapped points.
TEST(VectorKernelsTest, PicturesEqualThePlainLoops) {
  registerCoreFamilies();
  std::mt19937 random(4);
  std::uniform_real_distribution<double> unit(-1, 1);
  View const views[] = {View(0, 0, 5, 0, false, false), View(0.3, -0.2, 1.7, 33, true, false),
                        View(-1, 2, 0.05, -120, false, true)};
  int index = 0;
  for (std::string const& geometryID : GeometryFactory::getIdentifiers()) {
    for (int width : {1, 3, 5, 17, 64}) {
      View const& view = views[index % 3];
      auto const geometry = GeometryFactory::makeNewGeometry(geometryID, 2);
      int const height = 9;
      std::string const what = geometryID + " view " + std::to_string(index % 3);
      ++index;

      SnapshotEscapeParams escape;
      escape.getCore().setView(view);
      escape.getCore().setGeometry(geometry);
      if (index % 2 == 0) escape.getParameters().coefficients = randomCoefficients(random);
      EscapeCoefficients const& c = escape.getParameters().coefficients;
      expectEveryPathGives<ImageComputatorEscapeParams>(
          plainField(escape.getCore(), width, height, [&](Coord2D q) { return escapeDwell(c, q.x, q.y); }), escape,
          "escape-time " + what);

      SnapshotBiomorph biomorph;
      biomorph.getCore().setView(view);
      biomorph.getCore().setGeometry(geometry);
      BiomorphParameters& p = biomorph.getParameters();
      if (index % 3 != 0)
        for (double& k : p.coefficients) k = unit(random);
      p.setNumIter(std::array{1, 2, 37, 300}[index % 4]);
      p.biomorphTest = index % 2 == 0;
      p.setTheta(0.5 + unit(random) / 2);
      p.setPhi(index % 5 == 0 ? 0.3 : 0.0);
      BiomorphKernel const kernel(p);
      auto const cell = [&](Coord2D q) {
        BiomorphKernel::Result const r = kernel.iterate(q.x, q.y, nullptr);
        return kernel.biomorphTest() && BiomorphKernel::collapses(r.last) ? 0.0 : double(r.points - 1);
      };
      expectEveryPathGives<ImageComputatorBiomorph>(plainField(biomorph.getCore(), width, height, cell), biomorph,
                                                    "biomorph " + what);

      SnapshotHalley halley;
      halley.getCore().setView(view);
      halley.getCore().setGeometry(geometry);
      HalleyParameters& h = halley.getParameters();
      if (index % 3 != 1) {
        h.coefficients.fill(0.0);
        for (std::size_t k = 0; k < 1 + static_cast<std::size_t>(index) % 13; ++k) h.coefficients[k] = unit(random);
      }
      h.setLambda(index % 4 == 0 ? 1.0 : 0.2 + unit(random));
      h.convergenceTest = index % 3;
      HalleyIteration const iteration(h);
      expectEveryPathGives<ImageComputatorHalley>(
          plainField(halley.getCore(), width, height,
                     [&](Coord2D q) { return double(iteration.iterate(q.x, q.y, nullptr)); }),
          halley, "Halley " + what);
    }
  }
}

class CancelAfterRows : public RowProgress {
 public:
  explicit CancelAfterRows(bool cancel) : m_cancel(cancel) {}
  void rowDone() override {}
  bool cancelled() const override { return m_cancel; }

 private:
  bool m_cancel;
};

// A row of points that never escape asks the stop within the row; without a
// stop request the same row completes with every dwell 1024.
TEST(VectorKernelsTest, EscapeRowSeesTheStopInsideTheRow) {
  EscapeCoefficients staying{};  // (x, y) -> (0, 0)
  std::vector<Coord2D> points(2048, Coord2D{0.5, 0.5});
  for (SimdPath path : availablePaths()) {
    for (bool cancel : {true, false}) {
      std::vector<double> dwells(points.size(), -1.0);
      bool finished = false;
      CancelAfterRows progress(cancel);
      runRows(
          1,
          [&](int, RowStop const& stop) {
            finished = escapeDwells(staying, points.data(), dwells.data(), 2048, &stop, path);
          },
          progress, 1);
      EXPECT_EQ(finished, !cancel) << simdPathName(path);
      if (!cancel) {
        EXPECT_EQ(std::count(dwells.begin(), dwells.end(), 1024.0), 2048) << simdPathName(path);
      }
    }
  }
}

}  // namespace
}  // namespace orlenza
