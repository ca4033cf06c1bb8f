#include "core/geometry/DefaultGeometry.h"
#include "core/geometry/GeometryDisk.h"
#include "core/geometry/GeometryInverse.h"
#include "core/geometry/GeometryNfold.h"
#include "core/geometry/GeometrySphere.h"
#include "core/geometry/GeometrySquared.h"
#include "core/geometry/GeometrySwirl.h"

#include "core/geometry/GeometryTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <random>
#include <vector>

namespace orlenza {
namespace {

using testing::angleOf;
using testing::kInf;
using testing::kNaN;
using testing::onCircle;
using testing::placeAt;
using testing::sameBits;

constexpr double kTurn = 6.283185308;  // the 2 pi of the formulas, written out again

void expectNear(Coord2D got, Coord2D want, double tolerance, char const* what) {
  EXPECT_NEAR(got.x, want.x, tolerance) << what;
  EXPECT_NEAR(got.y, want.y, tolerance) << what;
}

TEST(GeometryMapping, DefaultIsTheIdentityBothWays) {
  DefaultGeometry g;
  placeAt(g, {3, 4}, 7);
  for (Coord2D p : {Coord2D{0, 0}, Coord2D{-0.0, 1e300}, Coord2D{kNaN, kInf}, Coord2D{5e-324, -2}}) {
    EXPECT_TRUE(sameBits(g.getMappedCoords(p), p));
    EXPECT_TRUE(sameBits(g.getInverseCoords(p), p));
  }
}

TEST(GeometryMapping, InverseByHand) {
  GeometryInverse g;
  placeAt(g, {0, 0}, 2);
  expectNear(g.getMappedCoords({3, 4}), {0.24, 0.32}, 1e-12, "R / r, not R^2 / r");
  EXPECT_TRUE(sameBits(g.getMappedCoords({0, 0}), Coord2D{0, 0}));
  placeAt(g, {1, 1}, 1);
  expectNear(g.getMappedCoords({1, 3}), {1, 1.5}, 1e-12, "shifted centre");
  expectNear(g.getMappedCoords({-1, 1}), {0.5, 1}, 1e-12, "left of the centre");
  EXPECT_TRUE(sameBits(g.getMappedCoords({1, 1}), Coord2D{1, 1}));  // the centre stays
  // Far away points come to the centre; the distance under/overflows without a crash.
  expectNear(g.getMappedCoords({1e300, 1}), {1, 1}, 1e-12, "far away");
}

TEST(GeometryMapping, NfoldByHand) {
  struct Case {
    unsigned folds;
    bool mirror;
    double phase, inDegrees, outDegrees;
  } const cases[] = {
      {4, false, 0, 100, 10},
      {4, true, 20, 130, 10},    // turned to 40, then reflected across 25
      {3, true, 0, 200, 40},     // sector 1 turns it to 80; past the half, reflected across 60
      {3, true, 0, 100, 20},     // second half of the first sector: reflected across 60
      {1, false, 0, 123, 123},
      {4, false, 360, 100, 10},  // a full turn of phase changes nothing
      {4, false, 90, 100, -80},  // phase 90: sector 2 of a = 190, so d turns by -180
  };
  for (auto const& c : cases) {
    GeometryNfold g(c.folds, c.mirror, c.phase);
    placeAt(g, {0, 0}, 1);
    Coord2D const out = g.getMappedCoords(onCircle(c.inDegrees));
    EXPECT_NEAR(angleOf(out), c.outDegrees, 1e-6) << c.folds << " " << c.inDegrees;
    EXPECT_NEAR(std::hypot(out.x, out.y), 1.0, 1e-12);
  }
  // Around another centre, at another distance.
  GeometryNfold shifted(4, false, 0);
  placeAt(shifted, {2, -1}, 1);
  Coord2D const p = onCircle(190, 3);
  // The sectors use 6.283185308, not 2 pi: two of them are 4e-10 short, 1.2e-9 at distance 3.
  expectNear(shifted.getMappedCoords({p.x + 2, p.y - 1}), {onCircle(10, 3).x + 2, onCircle(10, 3).y - 1}, 1e-8,
             "shifted");
  EXPECT_FALSE(shifted.hasProperInverse());
  expectNear(shifted.getInverseCoords({p.x + 2, p.y - 1}), shifted.getMappedCoords({p.x + 2, p.y - 1}), 0, "inverse");
}

TEST(GeometryMapping, NfoldWithoutSectorsOrWithAbsurdValues) {
  GeometryNfold none(0, true, 0);
  placeAt(none, {0, 0}, 1);
  EXPECT_TRUE(sameBits(none.getMappedCoords({0.3, -0.4}), Coord2D{0.3, -0.4}));
  // Phases of any size end; a non-finite one is no phase.
  for (double phase : {1e20, -1e308, kInf, kNaN}) {
    GeometryNfold g(4, false, phase);
    placeAt(g, {0, 0}, 1);
    Coord2D const out = g.getMappedCoords(onCircle(100));
    EXPECT_NEAR(std::hypot(out.x, out.y), 1.0, 1e-9) << phase;
    if (!std::isfinite(phase)) {
      EXPECT_NEAR(angleOf(out), 10, 1e-6) << phase;
    }
  }
  // A huge number of folds: constant-time sector search; the point lands in the first sector.
  GeometryNfold many(4294967295u, false, 0);
  placeAt(many, {0, 0}, 1);
  Coord2D const out = many.getMappedCoords(onCircle(100));
  EXPECT_NEAR(std::hypot(out.x, out.y), 1.0, 1e-9);
  EXPECT_GE(out.y, -1e-9);
  EXPECT_LT(out.y, 1e-8);
  // NaN points pass unchanged; the centre goes to itself.
  GeometryNfold g;
  placeAt(g, {1, 2}, 1);
  Coord2D const nan = g.getMappedCoords({kNaN, 0});
  EXPECT_TRUE(std::isnan(nan.x));
  EXPECT_EQ(g.getMappedCoords({1, 2}).x, 1);
  EXPECT_EQ(g.getMappedCoords({1, 2}).y, 2);
}

// The turn folding as first described, one 2 pi at a time.
double foldTurnByLoop(double a) {
  while (a < 0) a += kTurn;
  while (a > kTurn) a -= kTurn;
  return a;
}

TEST(GeometryMapping, NfoldTurnFoldingMatchesTheLoopBitForBit) {
  std::mt19937_64 rng(2024);
  std::uniform_real_distribution<double> moderate(-60 * kTurn, 60 * kTurn);
  std::uniform_real_distribution<double> oneTurn(-kTurn, 2 * kTurn);
  std::vector<double> values = {0.0, -0.0, kTurn, -kTurn, 2 * kTurn, 3.141592654, -3.141592654,
                                std::nextafter(kTurn, 10.0), std::nextafter(0.0, -1.0), 64 * kTurn, -64 * kTurn,
                                std::nextafter(64 * kTurn, 0.0), 1e-300, -1e-300};
  for (int i = 0; i < 20000; ++i) values.push_back(moderate(rng));
  for (int i = 0; i < 20000; ++i) values.push_back(oneTurn(rng));
  for (int k = -60; k <= 60; ++k) values.push_back(k * kTurn);
  for (double v : values) ASSERT_TRUE(sameBits(GeometryNfold::foldIntoTurn(v), foldTurnByLoop(v))) << std::hexfloat << v;
  // Far outside, the result still lies in the turn, and non-finite angles give NaN.
  for (double v : {1e20, -1e20, 1e300, -1.7e308, 65 * kTurn, -1e6}) {
    double const folded = GeometryNfold::foldIntoTurn(v);
    EXPECT_TRUE(folded >= 0 && folded <= kTurn) << v;
  }
  EXPECT_TRUE(std::isnan(GeometryNfold::foldIntoTurn(kNaN)));
  EXPECT_TRUE(std::isnan(GeometryNfold::foldIntoTurn(kInf)));
}

bool findSectorByLoop(double a, unsigned folds, double sector, unsigned& k) {
  for (unsigned j = 0; j < folds; ++j) {
    if (j * sector <= a && a < (j + 1) * sector) {
      k = j;
      return true;
    }
  }
  return false;
}

TEST(GeometryMapping, NfoldSectorSearchMatchesTheLoop) {
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<double> inTurn(0, kTurn);
  for (unsigned folds = 0; folds <= 60; ++folds) {
    double const sector = kTurn / folds;
    std::vector<double> values = {0.0, kTurn, std::nextafter(kTurn, 0.0), kNaN, -1.0};
    for (unsigned j = 0; j <= folds; ++j) {
      values.push_back(j * sector);
      values.push_back(std::nextafter(j * sector, 0.0));
      values.push_back(std::nextafter(j * sector, 10.0));
    }
    for (int i = 0; i < 500; ++i) values.push_back(inTurn(rng));
    for (double a : values) {
      unsigned expected = 12345, got = 12345;
      bool const found = findSectorByLoop(a, folds, sector, expected);
      ASSERT_EQ(GeometryNfold::findSector(a, folds, sector, got), found) << folds << " " << a;
      if (found) {
        ASSERT_EQ(got, expected) << folds << " " << a;
      }
    }
  }
}

TEST(GeometryMapping, SphereByHand) {
  GeometrySphere g;  // strength 2, keep inside, radius 0.5 of the view size
  g.initWithView(View());
  EXPECT_EQ(g.getWorkingRadius(), 0.5);
  expectNear(g.getMappedCoords({0.25, 0.1}), {0.25, 0.1}, 1e-15, "inside stays");
  expectNear(g.getMappedCoords({1, 0}), {2, 0}, 1e-12, "2R goes to 4R");
  expectNear(g.getMappedCoords({0, -0.75}), {0, -std::pow(2.0, 1.0) * 0.5}, 1e-12, "1.5R goes to 2R");
  expectNear(g.getMappedCoords({0, 0}), {0, 0}, 0, "centre");
  GeometrySphere outside(1, false);
  placeAt(outside, {1, 1}, 1);
  expectNear(outside.getMappedCoords({1, 1}), {1.5, 1}, 1e-12, "centre to 2^-1");
  expectNear(outside.getMappedCoords({1, 4}), {1, 5}, 1e-12, "3R to 4R");
}

TEST(GeometryMapping, DiskByHand) {
  GeometryDisk g;
  placeAt(g, {0, 0}, 1);
  expectNear(g.getMappedCoords({1, 0}), {std::sin(1.0), 0}, 1e-15, "unit x");
  expectNear(g.getMappedCoords({0, 4}), {std::sin(1.0), std::sin(0.5)}, 1e-15, "(0, 4)");
  placeAt(g, {1, 1}, 2);
  expectNear(g.getMappedCoords({1, -3}), {1 + 2 * std::sin(-1.0), 1 + 2 * std::sin(0.5)}, 1e-15, "below");
  Coord2D const centre = g.getMappedCoords({1, 1});
  EXPECT_TRUE(std::isnan(centre.x) && std::isnan(centre.y));
  EXPECT_FALSE(g.hasProperInverse());
}

TEST(GeometryMapping, SquaredByHand) {
  struct Case {
    int power;
    Coord2D center;
    double radius;
    Coord2D in, out;
  } const cases[] = {
      {1, {0, 0}, 1, {1, 2}, {-3, 4}},   {-7, {0, 0}, 1, {1, 2}, {-3, 4}}, {3, {0, 0}, 1, {1, 2}, {-11, -2}},
      {2, {1, 1}, 2, {3, 1}, {2, 1}},    {3, {1, 1}, 2, {1, 5}, {1, -7}},  {10, {0, 0}, 1, {0, 1}, {-1, 0}},
  };
  for (auto const& c : cases) {
    GeometrySquared g(c.power);
    placeAt(g, c.center, c.radius);
    Coord2D const out = g.getMappedCoords(c.in);
    EXPECT_EQ(out.x, c.out.x) << c.power;
    EXPECT_EQ(out.y, c.out.y) << c.power;
    EXPECT_FALSE(g.hasProperInverse());
  }
}

Coord2D powerByLoop(Coord2D z, int power) {
  Coord2D w{z.x * z.x - z.y * z.y, 2.0 * z.x * z.y};
  for (int i = 2; i < power; ++i) w = {w.x * z.x - w.y * z.y, w.x * z.y + w.y * z.x};
  return w;
}

TEST(GeometryMapping, SquaredPowerSkipsOnlyWhatRepeats) {
  std::vector<Coord2D> values = {{0, 0},    {-0.0, 0},  {0, -0.0},  {1, 0},    {-1, 0},    {0, 1},     {0, -1},
                                 {1, 1e-17}, {0.5, 0.5}, {0.6, 0.8}, {3, 1},    {kNaN, 0},  {kInf, 1},  {1e-200, 1e-200},
                                 {std::sqrt(0.5), std::sqrt(0.5)}, {-0.5, 0.8660254037844386}, {1e300, -1e300}};
  std::mt19937_64 rng(99);
  std::uniform_real_distribution<double> unit(-1.2, 1.2);
  for (int i = 0; i < 40; ++i) values.push_back({unit(rng), unit(rng)});
  for (Coord2D z : values) {
    for (int power : {65, 66, 67, 128, 129, 4096, 5003}) {
      Coord2D const want = powerByLoop(z, power);
      Coord2D const got = GeometrySquared::complexPower(z, power);
      bool const bothNaN = std::isnan(want.x) && std::isnan(got.x) && std::isnan(want.y) && std::isnan(got.y);
      ASSERT_TRUE(bothNaN || sameBits(got, want)) << z.x << " " << z.y << " ^" << power;
    }
  }
  // The largest power ends at once where the sequence repeats: 1, -1, i, 0 and the
  // shrinking or exploding values reach fixed points or short cycles.
  struct Case {
    Coord2D z, want;
  } const huge[] = {{{1, 0}, {1, 0}},   {{-1, 0}, {-1, 0}},    {{0, 1}, {0, -1}},
                    {{0, 0}, {0, 0}},   {{0.5, 0.5}, {0, 0}},  {{0, -1}, {0, 1}}};
  for (auto const& c : huge) {
    Coord2D const got = GeometrySquared::complexPower(c.z, INT_MAX);  // 2^31 - 1 = 3 mod 4
    EXPECT_EQ(got.x, c.want.x) << c.z.x << " " << c.z.y;
    EXPECT_EQ(got.y, c.want.y) << c.z.x << " " << c.z.y;
  }
  Coord2D const exploded = GeometrySquared::complexPower({3, 1}, INT_MAX);
  EXPECT_FALSE(std::isfinite(exploded.x) && std::isfinite(exploded.y));
}

TEST(GeometryMapping, SwirlByHand) {
  GeometrySwirl g;  // twist -0.75, exponent 2
  placeAt(g, {0, 0}, 1);
  Coord2D const out = g.getMappedCoords({1, 0});
  EXPECT_NEAR(angleOf(out), -135, 1e-6);
  EXPECT_NEAR(std::hypot(out.x, out.y), 1, 1e-12);
  // At 2R the turn is -0.75 * pi * 4 = -3 pi: straight through the centre.
  expectNear(g.getMappedCoords({2, 0}), {-2, 0}, 1e-8, "2R");
  expectNear(g.getMappedCoords({0, 0}), {0, 0}, 0, "centre");
  GeometrySwirl linear;
  linear.setTwist(0.5);
  linear.setExponent(1);
  placeAt(linear, {1, 1}, 2);
  expectNear(linear.getMappedCoords({3, 1}), {1, 3}, 1e-8, "a quarter turn at R");
  expectNear(linear.getInverseCoords({1, 3}), {3, 1}, 1e-8, "and back, with its own exponent");
}

// With the mappings pinned by hand above, the round trip pins the inverses.
TEST(GeometryMapping, ProperInversesUndoTheMapping) {
  std::vector<std::shared_ptr<Geometry>> geometries = {
      std::make_shared<DefaultGeometry>(), std::make_shared<GeometryInverse>(), std::make_shared<GeometrySphere>(),
      std::make_shared<GeometrySphere>(3.5, false), std::make_shared<GeometrySwirl>()};
  for (auto& g : geometries) {
    ASSERT_TRUE(g->hasProperInverse()) << g->getIdentifier();
    placeAt(*g, {0.3, -0.2}, 0.8);
    for (double angle = -170; angle <= 180; angle += 34) {
      for (double distance : {0.05, 0.5, 0.79, 0.81, 1.7, 3.0}) {
        Coord2D const p = {0.3 + onCircle(angle, distance).x, -0.2 + onCircle(angle, distance).y};
        Coord2D const back = g->getInverseCoords(g->getMappedCoords(p));
        EXPECT_NEAR(back.x, p.x, 1e-9) << g->getIdentifier() << " " << angle << " " << distance;
        EXPECT_NEAR(back.y, p.y, 1e-9) << g->getIdentifier() << " " << angle << " " << distance;
      }
    }
  }
}

TEST(GeometryMapping, RowFormsEqualThePointFormsBitForBit) {
  std::vector<std::shared_ptr<Geometry>> geometries = {
      std::make_shared<DefaultGeometry>(),          std::make_shared<GeometryDisk>(),
      std::make_shared<GeometryInverse>(),          std::make_shared<GeometryNfold>(5, true, 33),
      std::make_shared<GeometrySphere>(1.5, false), std::make_shared<GeometrySquared>(5),
      std::make_shared<GeometrySwirl>()};
  std::vector<Coord2D> points;
  for (int i = -20; i <= 20; ++i) points.push_back({i * 0.137, 1.3 - i * 0.071});
  points.push_back({0.1, -0.3});  // the working centre below
  points.push_back({kNaN, 1});
  for (auto& g : geometries) {
    g->setCenterIsAbsolute(true);
    g->setCenter({0.1, -0.3});
    g->initWithView(View(0, 0, 1.5, 30, false, false));
    std::vector<Coord2D> mapped(points.size()), inverse = points;
    g->mapPoints(points.data(), mapped.data(), points.size());
    g->inversePoints(inverse.data(), inverse.data(), inverse.size());  // in place
    for (std::size_t i = 0; i < points.size(); ++i) {
      Coord2D const m = g->getMappedCoords(points[i]);
      Coord2D const v = g->getInverseCoords(points[i]);
      EXPECT_TRUE(sameBits(mapped[i], m) || (std::isnan(m.x) && std::isnan(mapped[i].x))) << g->getIdentifier() << i;
      EXPECT_TRUE(sameBits(inverse[i], v) || (std::isnan(v.x) && std::isnan(inverse[i].x))) << g->getIdentifier() << i;
    }
  }
}

}  // namespace
}  // namespace orlenza
