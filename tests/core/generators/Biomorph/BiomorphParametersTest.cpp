#include "core/generators/Biomorph/BiomorphParameters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <typeinfo>

#include "core/CoreRegistration.h"
#include "core/base/PlatformError.h"
#include "core/generators/Biomorph/SnapshotBiomorph.h"
#include "core/generators/Halley/SnapshotHalley.h"
#include "core/model/SnapshotFactory.h"

namespace orlenza {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr char kDefaultText[] = "0 1 0 0 0 0 0 0 0 0 0 0.5 0 OA_Dwell 1 32 ";

std::string textOf(BiomorphParameters const& p) {
  std::ostringstream os;
  p.outputParameters(os);
  return os.str();
}

// Reads text into a copy of start; answers whether the stream stayed good.
bool readInto(BiomorphParameters& p, std::string const& text) {
  std::istringstream is(text);
  p.inputParameters(is);
  return !is.fail();
}

TEST(BiomorphParameters, DefaultsIndicesAndSetterClamps) {
  BiomorphParameters p;
  double const expected[14] = {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.5, 0, 32};
  ASSERT_EQ(p.getNumParameters(), 14u);
  for (unsigned i = 0; i < 14; ++i) EXPECT_EQ(p.getParameter(i), expected[i]) << i;
  EXPECT_EQ(p.analyzerID, "OA_Dwell");
  EXPECT_TRUE(p.biomorphTest);

  for (unsigned long bad : {14ul, 15ul, 1000000ul}) {
    try {
      p.setParameter(bad, 1);
      FAIL() << bad;
    } catch (PlatformError const& e) {
      EXPECT_EQ(e.statusCode(), 0);
    }
    EXPECT_THROW(p.getParameter(bad), PlatformError);
  }

  struct Blend {
    double in, out;
  } const blends[] = {{1.5, 1}, {-0.2, 0}, {0.25, 0.25}, {kNaN, 0}, {-INFINITY, 0}, {INFINITY, 1}};
  for (auto const& b : blends) {
    p.setParameter(BiomorphParameters::kTheta, b.in);
    p.setPhi(b.in);
    EXPECT_EQ(p.getTheta(), b.out) << b.in;
    EXPECT_EQ(p.getPhi(), b.out) << b.in;
  }

  struct Count {
    double in;
    int out;
  } const counts[] = {{0.7, 1}, {12.9, 12}, {-12.9, 1}, {0, 1}, {32767.9, 32767}, {40000, 32767},
                      {1e300, 32767}, {-INFINITY, 1}, {INFINITY, 32767}};
  for (auto const& c : counts) {
    p.setParameter(BiomorphParameters::kNumIter, c.in);
    EXPECT_EQ(p.getNumIter(), c.out) << c.in;
  }
  p.setParameter(13, 77);
  p.setParameter(13, kNaN);  // no count at all: the one held stays
  EXPECT_EQ(p.getNumIter(), 77);
  for (long long v : {0ll, -5ll, 32768ll, 1ll << 40}) {
    p.setNumIter(v);
    EXPECT_EQ(p.getNumIter(), v < 1 ? 1 : 32767) << v;
  }
  // Every other index stores the value as it is, NaN included.
  p.setParameter(BiomorphParameters::kFixedIm, kNaN);
  p.setParameter(3, -1e300);
  EXPECT_TRUE(std::isnan(p.fixedIm));
  EXPECT_EQ(p.coefficients[3], -1e300);
}

TEST(BiomorphParameters, TextFormRoundTripAndFaultyRecords) {
  BiomorphParameters p;
  EXPECT_EQ(textOf(p), kDefaultText);

  p.coefficients = {1.0 / 3, -2, 1e-300, 0, 123456789.123, 0.1};
  p.sinWeight = 1.25;
  p.expWeight = -0.5;
  p.powWeight = 2e10;
  p.setTheta(0.3);
  p.setPhi(1);
  p.fixedRe = -1.5;
  p.fixedIm = 0.7;
  p.analyzerID = "OA_Angle";
  p.biomorphTest = false;
  p.setNumIter(517);
  EXPECT_EQ(textOf(p), "0.333333333333 -2 1e-300 0 123456789.123 0.1 1.25 -0.5 20000000000 0.3 1 -1.5 0.7 OA_Angle 0 517 ");
  BiomorphParameters back;
  ASSERT_TRUE(readInto(back, textOf(p)));
  EXPECT_TRUE(back == p);

  // Angles and counts as other writers may have left them.
  struct Read {
    char const* theta;
    char const* count;
    double thetaOut;
    int countOut;
  } const reads[] = {
      {"1.5", "32", 1, 32},      {"-0.2", "8", 0, 8},          {"nan", "40000", 0, 32767},
      {"0.5", "12.9", 0.5, 12},  {"0", "0", 0, 1},             {"0", "-7", 0, 1},
      {"0", "99999999999999999999", 0, 32767},                 {"0", "-99999999999999999999", 0, 1},
      {"0", "1e9", 0, 32767},    {"0", "inf", 0, 32767},       {"0", "-inf", 0, 1},
      {"0", "2147483648", 0, 32767},
  };
  for (auto const& r : reads) {
    BiomorphParameters q;
    std::string const text = std::string("0 1 0 0 0 0 0 0 0 ") + r.theta + " " + r.theta + " 0.5 0 OA_Dwell 1 " + r.count;
    ASSERT_TRUE(readInto(q, text)) << text;
    EXPECT_EQ(q.getTheta(), r.thetaOut) << text;
    EXPECT_EQ(q.getPhi(), r.thetaOut) << text;
    EXPECT_EQ(q.getNumIter(), r.countOut) << text;
  }

  // A failed record changes nothing.
  char const* const bad[] = {
      "0 1 0 0 0 0 0 0 0 0.5 0 0.5 0 OA_Dwell 1 nan",    // no count
      "0 1 0 0 0 0 0 0 0 0.5 0 0.5 0 OA_Dwell 1 12x",    // no number
      "0 1 0 0 0 0 0 0 0 0.5 0 0.5 0 OA_Dwell yes 12",   // no bool
      "0 1 0 0 0 0 0 zero 0 0.5 0 0.5 0 OA_Dwell 1 12",  // no weight
      "0 1 0 0 0 0 0 0 0 0.5 0 0.5 0 OA_Dwell 1",        // cut short
      "",
  };
  for (char const* text : bad) {
    BiomorphParameters q = p;
    EXPECT_FALSE(readInto(q, text)) << text;
    EXPECT_TRUE(q == p) << text;
    EXPECT_EQ(q.analyzerID, "OA_Angle") << text;
  }
}

TEST(BiomorphParameters, EqualityAndMorph) {
  BiomorphParameters a, b;
  b.coefficients[2] = 5e-11;  // inside the tolerance
  EXPECT_TRUE(a == b);
  b.coefficients[2] = 1e-9;
  EXPECT_FALSE(a == b);
  for (int which = 0; which < 3; ++which) {
    BiomorphParameters c;
    if (which == 0) c.analyzerID = "OA_Real";
    if (which == 1) c.biomorphTest = false;
    if (which == 2) c.setNumIter(33);
    EXPECT_FALSE(a == c) << which;
  }

  a.setNumIter(32);
  a.setTheta(0.2);
  a.fixedRe = 1;
  b = BiomorphParameters();
  b.setNumIter(8);
  b.setTheta(1);
  b.fixedRe = -3;
  b.analyzerID = "OA_Length";
  b.biomorphTest = false;
  BiomorphParameters m;
  m.morph(a, b, 0.5);
  EXPECT_EQ(m.getNumIter(), 20);
  EXPECT_DOUBLE_EQ(m.getTheta(), 0.6);
  EXPECT_EQ(m.fixedRe, -1);
  EXPECT_EQ(m.analyzerID, "OA_Dwell");
  EXPECT_TRUE(m.biomorphTest);
  m.morph(a, b, 0);
  EXPECT_TRUE(m == a);
  m.morph(a, b, 1);
  EXPECT_EQ(m.getNumIter(), 8);
  EXPECT_EQ(m.fixedRe, -3);
  EXPECT_EQ(m.analyzerID, "OA_Dwell");
  // Past the ends the setters keep the ranges.
  m.morph(a, b, 3);
  EXPECT_EQ(m.getTheta(), 1);
  EXPECT_EQ(m.getNumIter(), 1);
  m.morph(a, b, -1000);
  EXPECT_EQ(m.getTheta(), 0);
  EXPECT_EQ(m.getNumIter(), 24032);
  m.morph(a, b, kNaN);
  EXPECT_EQ(m.getTheta(), 0);
  EXPECT_EQ(m.getNumIter(), 32);
}

class SnapshotBiomorphTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { registerCoreFamilies(); }
};

TEST_F(SnapshotBiomorphTest, KindRecordAndMorph) {
  EXPECT_FALSE(SnapshotBiomorph::registerCreator());
  auto const made = SnapshotFactory::makeNewSnapshot("Biomorph", 3);
  EXPECT_EQ(typeid(*made), typeid(SnapshotBiomorph));
  EXPECT_EQ(made->getVersion(), 3);
  EXPECT_EQ(made->getIdentifier(), "Biomorph");
  EXPECT_TRUE(MakeNewSnapshotBiomorph()->isEqual(SnapshotBiomorph()));

  SnapshotBiomorph s;
  s.setName("three little words");
  s.getParameters().setNumIter(8);
  s.getParameters().analyzerID = "OA_Gravity";
  std::ostringstream os;
  os << s;
  std::string const text = os.str();
  EXPECT_NE(text.find(" OA_Gravity 1 8 three_little_words"), std::string::npos) << text;
  std::istringstream is(text);
  auto const back = readSnapshotRecord(is, 3);
  ASSERT_FALSE(is.fail());
  ASSERT_NE(back, nullptr);
  EXPECT_TRUE(back->isEqual(s));
  EXPECT_EQ(back->getName(), "three little words");

  SnapshotBiomorph target;
  target.getParameters().setNumIter(32);
  target.getParameters().biomorphTest = false;
  target.getCore().setNorm(99);
  auto const half = s.morphTowards(std::make_shared<SnapshotBiomorph>(target), 0.5);
  auto const& p = dynamic_cast<SnapshotBiomorph const&>(*half).getParameters();
  EXPECT_EQ(p.getNumIter(), 20);
  EXPECT_EQ(p.analyzerID, "OA_Gravity");
  EXPECT_TRUE(p.biomorphTest);
  EXPECT_EQ(half->getName(), "");

  auto const other = s.morphTowards(std::make_shared<SnapshotHalley>(), 0.5);
  EXPECT_EQ(typeid(*other), typeid(SnapshotBiomorph));
  EXPECT_TRUE(other->isEqual(s));
  EXPECT_EQ(other->getName(), "three little words");
}

}  // namespace
}  // namespace orlenza
