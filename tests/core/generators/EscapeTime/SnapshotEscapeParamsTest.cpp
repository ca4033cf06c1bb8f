#include "core/generators/EscapeTime/SnapshotEscapeParams.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <typeinfo>

#include "core/CoreRegistration.h"
#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/SnapshotKinds.h"
#include "core/geometry/GeometryFactory.h"
#include "core/geometry/GeometryNfold.h"
#include "core/model/SnapshotFactory.h"

namespace orlenza {
namespace {

using gen_test::recordOf;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

class SnapshotEscapeParamsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    registerCoreFamilies();
    registerAllGeometries();
    registerAllSnapshotKinds();
  }
};

std::shared_ptr<Snapshot> readBack(std::string const& text) {
  std::istringstream is(text);
  std::string identifier;
  is >> identifier;
  auto snapshot = SnapshotFactory::makeNewSnapshot(identifier, 3);
  is >> *snapshot;
  EXPECT_FALSE(is.fail()) << text;
  return snapshot;
}

TEST_F(SnapshotEscapeParamsTest, RegisteredOnceUnderItsIdentifier) {
  registerAllSnapshotKinds();
  EXPECT_FALSE(SnapshotEscapeParams::registerCreator());
  auto const made = SnapshotFactory::makeNewSnapshot("EscParams", 3);
  EXPECT_EQ(typeid(*made), typeid(SnapshotEscapeParams));
  EXPECT_THROW(SnapshotFactory::makeNewSnapshot("escparams", 3), SnapshotFactory::Exception);
  EXPECT_THROW(SnapshotFactory::makeNewSnapshot("EscapeParams", 3), SnapshotFactory::Exception);
}

TEST_F(SnapshotEscapeParamsTest, DefaultRecordTextAndRoundTrip) {
  SnapshotEscapeParams const s;
  std::string const text = recordOf(s);
  std::string const expected =
      "EscParams 0 0 1 0 0 0 geom_null 0 0 0 0 1 "
      "5 0 0 0 0 0.25 65535 0 0 0.5 65535 65535 0 0.75 65535 0 0 1 0 0 0 1 0 "
      "pf_none 0 pf_none 0 norm_lin 256 0 1  "
      "-1.2 -1.2 -0.3 0.8 -0.5 -0.6 -0.8 0.5 0.3 0.2 -1 -1.2 OA_Dwell ?";
  EXPECT_EQ(text, expected);
  auto const back = readBack(text);
  EXPECT_TRUE(back->isEqual(s));
  EXPECT_EQ(back->getName(), "?");
}

TEST_F(SnapshotEscapeParamsTest, VersionTwoRecord) {
  // No geometry block, no second post-filter.
  std::istringstream is(
      "EscParams 0.5 -0.25 2 10 0 1 2 0 0 0 0 1 65535 65535 65535 1 0 pf_none 0 norm_lin 512 0 1  "
      "1 2 3 4 5 6 7 8 9 10 11 12 OA_Dwell old_one");
  auto const s = readSnapshotRecord(is, 2);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->getVersion(), 2);
  EXPECT_EQ(s->getName(), "old one");
  SnapshotCore const& core = s->getCore();
  EXPECT_TRUE(core.getView() == View(0.5, -0.25, 2, 10, false, true));
  EXPECT_EQ(core.getNorm(), 512.0);
  auto const& p = dynamic_cast<SnapshotEscapeParams const&>(*s).getParameters();
  for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(p.coefficients[i], static_cast<double>(i + 1));
}

TEST_F(SnapshotEscapeParamsTest, OddValuesAndNamesSurviveTheRecord) {
  EscapeParameters p;
  p.coefficients = {-0.0, 1e300, -1e300, 4.9406564584124654e-324, 2.2250738585072014e-308, kNaN,
                    kInf, -kInf, 1e-300, 0.1, 123456.789, -2.0};
  p.analyzerID = "OA_Lyapunov";
  SnapshotCore core;
  core.setView(View(-0.0, 1e300, 4.9406564584124654e-324, 359.99999, false, true));
  core.setGeometry(std::make_shared<GeometryNfold>(4u, true, -0.0));
  core.setPostfilteringParam(kNaN);
  core.setCeiling(kNaN);

  struct Case {
    char const* name;
    char const* readBack;
  } const names[] = {
      {"three word name", "three word name"}, {"with_underscores_", "with underscores "},
      {"tab\there", "tab here"},             {"", "?"},
      {"\n", " "},
  };
  for (auto const& n : names) {
    SnapshotEscapeParams const s(n.name, core, p);
    std::string const text = recordOf(s);
    auto const back = readBack(text);
    auto const* escape = dynamic_cast<SnapshotEscapeParams const*>(back.get());
    ASSERT_NE(escape, nullptr);
    EXPECT_EQ(back->getName(), n.readBack);
    EXPECT_EQ(recordOf(*back).substr(0, text.rfind(' ')), text.substr(0, text.rfind(' ')));

    auto const& q = escape->getParameters();
    EXPECT_TRUE(std::signbit(q.coefficients[0]) && q.coefficients[0] == 0);
    EXPECT_EQ(q.coefficients[3], 4.9406564584124654e-324);
    EXPECT_NEAR(q.coefficients[4] / 2.2250738585072014e-308, 1.0, 1e-11);
    EXPECT_TRUE(std::isnan(q.coefficients[5]));
    EXPECT_EQ(q.coefficients[6], kInf);
    EXPECT_EQ(q.coefficients[7], -kInf);
    EXPECT_EQ(q.analyzerID, "OA_Lyapunov");

    SnapshotCore const& c = back->getCore();
    EXPECT_TRUE(std::signbit(c.getView().getCenterX()));
    EXPECT_EQ(c.getView().getSize(), 4.9406564584124654e-324);
    EXPECT_TRUE(std::isnan(c.getPostfilteringParam()));
    EXPECT_EQ(c.getCeiling(), 1.0);
    EXPECT_EQ(c.getGeometry()->getIdentifier(), "geom_nfold");
    // A NaN parameter equals nothing, not even itself; the record is still read whole.
    EXPECT_FALSE(back->isEqual(s));
  }

  // Without NaN the round trip compares equal.
  EscapeParameters finite = p;
  finite.coefficients[5] = 0.5;
  SnapshotCore finiteCore = core;
  finiteCore.setPostfilteringParam(0.25);
  SnapshotEscapeParams const s("x", finiteCore, finite);
  EXPECT_TRUE(readBack(recordOf(s))->isEqual(s));
}

TEST_F(SnapshotEscapeParamsTest, MorphWithinTheKindAndAcrossKinds) {
  EscapeParameters p;
  EscapeParameters q;
  q.coefficients[4] = 2.5;
  SnapshotCore c1;
  c1.setNorm(100);
  SnapshotCore c2;
  c2.setNorm(300);
  auto const a = std::make_shared<SnapshotEscapeParams>("a", c1, p);
  auto const b = std::make_shared<SnapshotEscapeParams>("b", c2, q);
  auto const m = a->morphTowards(b, 0.5);
  auto const* mid = dynamic_cast<SnapshotEscapeParams const*>(m.get());
  ASSERT_NE(mid, nullptr);
  EXPECT_DOUBLE_EQ(mid->getParameters().coefficients[4], (p.coefficients[4] + 2.5) / 2);
  EXPECT_EQ(m->getName(), "");
  EXPECT_EQ(m->getCore().getNorm(), 200.0);

  gen_test::expectForeignMorphCopies(a);
}

TEST_F(SnapshotEscapeParamsTest, GarbageRecordsFailTheStream) {
  std::string const good = recordOf(SnapshotEscapeParams());
  std::size_t const params = good.find("  ") + 2;
  std::string const bad[] = {
      good.substr(0, params),                                  // parameters and name missing
      good.substr(0, good.size() - 2),                         // name missing
      good.substr(0, params) + "1 2 3 4 5 6 7 8 9 10 11 ?",    // analyzer missing
      good.substr(0, params) + "1 2 3 4 5 x 7 8 9 10 11 12 OA_Dwell ?",
      "EscParams 0 0 1 0 0 0 geom_unknown 0 0 0 0 1",
  };
  for (auto const& text : bad) {
    std::istringstream is(text);
    EXPECT_EQ(readSnapshotRecord(is, 3), nullptr) << text.substr(0, 80);
    EXPECT_TRUE(is.fail()) << text.substr(0, 80);
  }
}

}  // namespace
}  // namespace orlenza
