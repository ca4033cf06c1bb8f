#include "core/geometry/DefaultGeometry.h"
#include "core/geometry/GeometryDisk.h"
#include "core/geometry/GeometryFactory.h"
#include "core/geometry/GeometryInverse.h"
#include "core/geometry/GeometryNfold.h"
#include "core/geometry/GeometrySphere.h"
#include "core/geometry/GeometrySquared.h"
#include "core/geometry/GeometrySwirl.h"

#include "core/geometry/GeometryTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <typeinfo>
#include <vector>

namespace orlenza {
namespace {

using testing::kInf;
using testing::kNaN;
using testing::sameBits;

TEST(Geometry, WorkingCentreAndRadiusFromTheView) {
  struct Case {
    bool centerIsAbsolute;
    Coord2D center;
    bool radiusIsAbsolute;
    double radius;
    View view;
    Coord2D workingCenter;
    double workingRadius;
  } const cases[] = {
      {false, {0, 0}, false, 1, View(), {0, 0}, 1},
      {false, {0.5, 0}, false, 2, View(1, 1, 2, 0, false, false), {2, 1}, 4},
      {false, {0.5, 0}, false, 2, View(1, 1, 2, 90, false, false), {1, 0}, 4},
      {false, {0, 0.5}, true, 0.3, View(1, 1, 2, 90, false, false), {2, 1}, 0.3},
      {false, {0.5, 0.25}, false, 1, View(0, 0, 1, 0, false, true), {0.5, -0.25}, 1},
      {true, {3, -4}, true, 0.25, View(9, 9, 5, 33, true, true), {3, -4}, 0.25},
      {true, {3, -4}, false, 0.25, View(9, 9, 5, 33, true, true), {3, -4}, 1.25},
  };
  for (auto const& c : cases) {
    GeometryInverse g;
    g.setCenterIsAbsolute(c.centerIsAbsolute);
    g.setCenter(c.center);
    g.setRadiusIsAbsolute(c.radiusIsAbsolute);
    g.setRadius(c.radius);
    g.initWithView(c.view);
    EXPECT_NEAR(g.getWorkingCenter().x, c.workingCenter.x, 1e-9) << c.view;
    EXPECT_NEAR(g.getWorkingCenter().y, c.workingCenter.y, 1e-9) << c.view;
    EXPECT_NEAR(g.getWorkingRadius(), c.workingRadius, 1e-15) << c.view;
  }
}

TEST(Geometry, RelativeCentreSitsWhereTheSamplerPutsThatImageOffset) {
  // The sampler turns an image offset (u, v) into centre + (u c + v s, v c - u s),
  // c and s of the positive angle; a relative centre (u, v) / size must land there.
  for (double angle : {-300.0, -12.5, 0.0, 135.0}) {
    View const view(2, -3, 1.5, angle, false, false);
    double const theta = angle / 180 * 3.141592654;
    for (Coord2D rel : {Coord2D{1, 0}, Coord2D{0, 1}, Coord2D{-0.4, 0.7}}) {
      GeometrySwirl g;
      g.setCenter(rel);
      g.initWithView(view);
      double const u = rel.x * 1.5, v = rel.y * 1.5;
      EXPECT_NEAR(g.getWorkingCenter().x, 2 + u * std::cos(theta) + v * std::sin(theta), 1e-12) << angle;
      EXPECT_NEAR(g.getWorkingCenter().y, -3 + v * std::cos(theta) - u * std::sin(theta), 1e-12) << angle;
    }
  }
}

std::shared_ptr<Geometry> nfold(unsigned folds, bool mirror, double phase) {
  return std::make_shared<GeometryNfold>(folds, mirror, phase);
}

template <class G>
std::shared_ptr<Geometry> with(std::function<void(G&)> const& change) {
  auto g = std::make_shared<G>();
  change(*g);
  return g;
}

TEST(Geometry, EqualityComparesKindsCentreRadiusAndOwnParameters) {
  auto const base = nfold(3, false, 10);
  struct Case {
    std::shared_ptr<Geometry> other;
    bool equal;
    char const* what;
  } const cases[] = {
      {nfold(3, false, 10 + 5e-11), true, "phase within 1e-10"},
      {nfold(3, false, 10 + 2e-10), false, "phase beyond"},
      {nfold(4, false, 10), false, "folds"},
      {nfold(3, true, 10), false, "mirror"},
      {with<GeometryNfold>([](auto& g) { g.setPhase(10); g.setMirror(false); g.setVersion(3); }), true, "version"},
      {with<GeometryNfold>([](auto& g) { g.setPhase(10); g.setMirror(false); g.initWithView(View(5, 5, 5, 5, true, true)); }), true, "working values"},
      {with<GeometryNfold>([](auto& g) { g.setPhase(10); g.setMirror(false); g.setCenterIsAbsolute(true); }), false, "centre kind"},
      {with<GeometryNfold>([](auto& g) { g.setPhase(10); g.setMirror(false); g.setCenter({5e-11, -5e-11}); }), true, "centre within"},
      {with<GeometryNfold>([](auto& g) { g.setPhase(10); g.setMirror(false); g.setCenter({0, 2e-10}); }), false, "centre beyond"},
      {with<GeometryNfold>([](auto& g) { g.setPhase(10); g.setMirror(false); g.setRadius(1 + 2e-10); }), false, "radius beyond"},
      {with<GeometryNfold>([](auto& g) { g.setPhase(10); g.setMirror(false); g.setRadius(kNaN); }), false, "NaN radius"},
      {std::make_shared<GeometryInverse>(), false, "another class"},
  };
  for (auto const& c : cases) {
    EXPECT_EQ(base->isEqual(*c.other), c.equal) << c.what;
    EXPECT_EQ(c.other->isEqual(*base), c.equal) << c.what;
  }
  struct Pair {
    std::shared_ptr<Geometry> a, b;
    bool equal;
    char const* what;
  } const pairs[] = {
      {std::make_shared<GeometryInverse>(), std::make_shared<GeometryDisk>(), false, "parameter-less classes differ"},
      {std::make_shared<GeometryDisk>(), std::make_shared<GeometryDisk>(), true, "same parameter-less class"},
      {std::make_shared<GeometrySphere>(2, true), std::make_shared<GeometrySphere>(2 + 5e-11, true), true, "strength within"},
      {std::make_shared<GeometrySphere>(2, true), std::make_shared<GeometrySphere>(2.001, true), false, "strength"},
      {std::make_shared<GeometrySphere>(2, true), std::make_shared<GeometrySphere>(2, false), false, "keepInside"},
      {std::make_shared<GeometrySphere>(kNaN, true), std::make_shared<GeometrySphere>(kNaN, true), false, "NaN strength"},
      {std::make_shared<GeometrySquared>(1), std::make_shared<GeometrySquared>(2), false, "powers mapping alike still differ"},
      {with<GeometrySwirl>([](auto& g) { g.setTwist(0.5); }), std::make_shared<GeometrySwirl>(), false, "twist"},
      {with<GeometrySwirl>([](auto& g) { g.setExponent(2 - 5e-11); }), std::make_shared<GeometrySwirl>(), true, "exponent within"},
      {nfold(3, true, kNaN), nfold(3, true, 0), true, "a NaN phase is no phase"},
  };
  for (auto const& p : pairs) {
    EXPECT_EQ(p.a->isEqual(*p.b), p.equal) << p.what;
    EXPECT_EQ(*p.a == *p.b, p.equal) << p.what;
  }
}

TEST(Geometry, MorphIntoAnotherClassCopiesTheFirst) {
  GeometrySwirl first;
  first.setTwist(0.3);
  first.setCenter({0.1, 0.2});
  GeometryNfold second(7, false, 45);
  for (double t : {0.0, 1.0, kNaN}) {
    auto const result = first.morphTowards(second, t);
    ASSERT_TRUE(result);
    EXPECT_EQ(typeid(*result), typeid(GeometrySwirl)) << t;
    EXPECT_TRUE(result->isEqual(first)) << t;
    EXPECT_NE(result.get(), static_cast<Geometry const*>(&first));
  }
}

TEST(Geometry, MorphOwnParameters) {
  auto morphNfold = [](GeometryNfold const& a, GeometryNfold const& b, double t) {
    auto r = a.morphTowards(b, t);
    return *std::dynamic_pointer_cast<GeometryNfold>(r);
  };
  GeometryNfold const three(3, true, 10);
  GeometryNfold const eight(8, false, 30);
  struct NfoldCase {
    double t;
    unsigned folds;
    bool mirror;
    double phase;
  } const nfoldCases[] = {
      {0, 3, true, 10},  {0.99, 7, true, 29.8}, {1, 8, false, 30}, {1e10, 4294967295u, false, 0},
      {-1e10, 0, true, 0},
      {kInf, 3, false, 0},  // the folds are NaN there and keep their value; the phase is no phase
  };
  for (auto const& c : nfoldCases) {
    GeometryNfold const r = morphNfold(three, eight, c.t);
    EXPECT_EQ(r.getFolds(), c.folds) << c.t;
    EXPECT_EQ(r.getMirror(), c.mirror) << c.t;
    if (std::fabs(c.t) < 10) {
      EXPECT_NEAR(r.getPhase(), c.phase, 1e-12) << c.t;
    }
    EXPECT_TRUE(std::isfinite(r.getPhase())) << c.t;
  }

  struct SquaredCase {
    int from, to;
    double t;
    int power;
  } const squaredCases[] = {
      {2, 7, 0.5, 4}, {-3, 2, 0.5, 0}, {2, 7, 1e20, INT_MAX}, {2, 7, -1e20, INT_MIN}, {2, 7, kNaN, 2},
  };
  for (auto const& c : squaredCases) {
    auto const r = GeometrySquared(c.from).morphTowards(GeometrySquared(c.to), c.t);
    EXPECT_EQ(std::dynamic_pointer_cast<GeometrySquared>(r)->getPower(), c.power) << c.from << " " << c.to << " " << c.t;
  }

  GeometrySphere const a(2, true), b(4, false);
  auto sphere = [&](double t) { return std::dynamic_pointer_cast<GeometrySphere>(a.morphTowards(b, t)); };
  EXPECT_EQ(sphere(0.5)->getStrength(), 3);
  EXPECT_TRUE(sphere(0.5)->getKeepInside());
  EXPECT_FALSE(sphere(1)->getKeepInside());

  GeometrySwirl s1, s2;
  s2.setTwist(0.25);
  s2.setExponent(4);
  auto const swirl = std::dynamic_pointer_cast<GeometrySwirl>(s1.morphTowards(s2, 0.5));
  EXPECT_EQ(swirl->getTwist(), -0.25);
  EXPECT_EQ(swirl->getExponent(), 3);
}

TEST(Geometry, MorphCentreAndRadiusByTheirKinds) {
  GeometryDisk first;
  first.setCenter({0, 0});
  first.setRadius(1);
  first.setRadiusIsAbsolute(true);
  GeometryDisk sameKinds;
  sameKinds.setCenter({2, 4});
  sameKinds.setRadius(3);
  sameKinds.setRadiusIsAbsolute(true);
  auto const r = first.morphTowards(sameKinds, 0.5);
  EXPECT_EQ(r->getCenter().x, 1);
  EXPECT_EQ(r->getCenter().y, 2);
  EXPECT_EQ(r->getRadius(), 2);

  GeometryDisk otherKinds;
  otherKinds.setCenterIsAbsolute(true);
  otherKinds.setCenter({2, 4});
  otherKinds.setRadius(3);
  auto const kept = first.morphTowards(otherKinds, 0.5);
  EXPECT_EQ(kept->getCenter().x, 0);
  EXPECT_EQ(kept->getRadius(), 1);
  EXPECT_FALSE(kept->getCenterIsAbsolute());
  EXPECT_TRUE(kept->getRadiusIsAbsolute());

  // The identity has nothing to morph: a fresh default.
  DefaultGeometry moved;
  moved.setCenter({3, 3});
  auto const d = moved.morphTowards(DefaultGeometry(), 0.5);
  EXPECT_EQ(d->getCenter().x, 0);
  EXPECT_EQ(typeid(*d), typeid(DefaultGeometry));
}

std::string textOf(Geometry const& g) {
  std::ostringstream os;
  os << g;
  return os.str();
}

TEST(Geometry, GarbageFailsEveryReader) {
  registerAllGeometries();
  std::string const huge(10 * 1024 * 1024, '5');
  std::vector<std::string> const goodTexts = {
      textOf(DefaultGeometry()), textOf(GeometryDisk()), textOf(GeometryInverse()), textOf(GeometryNfold()),
      textOf(GeometrySphere()), textOf(GeometrySquared()), textOf(GeometrySwirl())};
  for (auto const& good : goodTexts) {
    std::vector<std::string> tokens;
    std::istringstream split(good);
    for (std::string token; split >> token;) tokens.push_back(token);
    auto expectFailure = [](std::string const& input) {
      std::istringstream is(input);
      auto const g = GeometryFactory::readGeometry(is, 3);
      EXPECT_FALSE(g) << input.substr(0, 60);
      EXPECT_TRUE(is.fail()) << input.substr(0, 60);
    };
    for (std::size_t position = 0; position < tokens.size(); ++position) {
      std::vector<std::string> bads = {"x", "1e999", "0x1p3", "1,5"};
      // The 10 MB token in a flag and in the last token is enough.
      if (position == 1 || position + 1 == tokens.size()) bads.push_back(huge);
      for (std::string const& bad : bads) {
        std::string line;
        for (std::size_t i = 0; i < tokens.size(); ++i) line += (i == position ? bad : tokens[i]) + " ";
        expectFailure(line);
      }
      std::string truncated;
      for (std::size_t i = 0; i < position; ++i) truncated += tokens[i] + " ";
      expectFailure(truncated);
    }
  }
  {
    std::istringstream is(huge + " 0 0 0 0 1 ");  // a 10 MB identifier
    EXPECT_FALSE(GeometryFactory::readGeometry(is, 3));
    EXPECT_TRUE(is.fail());
  }
  // Integers out of their range.
  for (char const* input : {"geom_nfold 0 0 0 0 1 -1 1 0 ", "geom_nfold 0 0 0 0 1 4294967296 1 0 ",
                            "geom_squared 0 0 0 0 1 2147483648 ", "geom_squared 0 0 0 0 1 2.5 ",
                            "geom_disk 99999999999999999999 0 0 0 1 "}) {
    std::istringstream is(input);
    EXPECT_FALSE(GeometryFactory::readGeometry(is, 3)) << input;
    EXPECT_TRUE(is.fail()) << input;
  }
  // Read directly, a bad token leaves centre and radius as they were.
  GeometrySwirl swirl;
  std::istringstream is("1 2 x 0 5 0.1 0.2 ");
  is >> swirl;
  EXPECT_TRUE(is.fail());
  EXPECT_FALSE(swirl.getCenterIsAbsolute());
  EXPECT_EQ(swirl.getCenter().x, 0);
  EXPECT_EQ(swirl.getTwist(), -0.75);
}

}  // namespace
}  // namespace orlenza
