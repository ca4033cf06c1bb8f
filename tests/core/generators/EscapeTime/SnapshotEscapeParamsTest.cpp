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
  EXPECT_FALSE(SnapshotEscapeParams::registerCreator());
  auto const made = SnapshotFactory::makeNewSnapshot("EscParams", 3);
  Snapshot const& m = *made;
  EXPECT_EQ(typeid(m), typeid(SnapshotEscapeParams));
  // Unknown identifiers are SnapshotTest's.
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
  // The parameters follow a version-2 core (read by SnapshotCoreTest).
  std::istringstream is(
      "EscParams 0.5 -0.25 2 10 0 1 2 0 0 0 0 1 65535 65535 65535 1 0 pf_none 0 norm_lin 512 0 1  "
      "1 2 3 4 5 6 7 8 9 10 11 12 OA_Dwell old_one");
  auto const s = readSnapshotRecord(is, 2);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->getName(), "old one");
  EXPECT_EQ(s->getCore().getNorm(), 512.0);
  auto const& p = dynamic_cast<SnapshotEscapeParams const&>(*s).getParameters();
  for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(p.coefficients[i], static_cast<double>(i + 1));
}

// Names and odd core values in records are SnapshotTest's and SnapshotCoreTest's.
TEST_F(SnapshotEscapeParamsTest, OddCoefficientsSurviveTheRecord) {
  EscapeParameters p;
  p.coefficients = {-0.0, 1e300, -1e300, 4.9406564584124654e-324, 2.2250738585072014e-308, kNaN,
                    kInf, -kInf, 1e-300, 0.1, 123456.789, -2.0};
  p.analyzerID = "OA_Lyapunov";
  SnapshotEscapeParams const s("odd", SnapshotCore(), p);
  auto const back = readBack(recordOf(s));
  auto const& q = dynamic_cast<SnapshotEscapeParams const&>(*back).getParameters();
  EXPECT_TRUE(std::signbit(q.coefficients[0]) && q.coefficients[0] == 0);
  EXPECT_EQ(q.coefficients[3], 4.9406564584124654e-324);
  EXPECT_NEAR(q.coefficients[4] / 2.2250738585072014e-308, 1.0, 1e-11);
  EXPECT_TRUE(std::isnan(q.coefficients[5]));
  EXPECT_EQ(q.coefficients[6], kInf);
  EXPECT_EQ(q.coefficients[7], -kInf);
  EXPECT_EQ(q.analyzerID, "OA_Lyapunov");
  EXPECT_EQ(recordOf(*back), recordOf(s));
  EXPECT_FALSE(back->isEqual(s));  // a NaN parameter equals nothing, not even itself

  // Without NaN the round trip compares equal.
  p.coefficients[5] = 0.5;
  SnapshotEscapeParams const finite("x", SnapshotCore(), p);
  EXPECT_TRUE(readBack(recordOf(finite))->isEqual(finite));
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
  };
  for (auto const& text : bad) {
    std::istringstream is(text);
    EXPECT_EQ(readSnapshotRecord(is, 3), nullptr) << text.substr(0, 80);
    EXPECT_TRUE(is.fail()) << text.substr(0, 80);
  }
}

}  // namespace
}  // namespace orlenza
