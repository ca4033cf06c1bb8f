#include "core/generators/Biomorph/BiomorphParameters.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/generators/Biomorph/SnapshotBiomorph.h"
#include "core/generators/GeneratorTestSupport.h"

namespace orlenza {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool readInto(BiomorphParameters& p, std::string const& text) {
  std::istringstream is(text);
  p.inputParameters(is);
  return !is.fail();
}

TEST(BiomorphParameters, SettersClampAndBadIndicesThrow) {
  BiomorphParameters p;
  EXPECT_THROW(p.setParameter(14, 1), PlatformError);
  EXPECT_THROW(p.getParameter(1000), PlatformError);
  for (auto [in, out] : {std::pair{1.5, 1.0}, {-0.2, 0.0}, {0.25, 0.25}, {kNaN, 0.0}, {-INFINITY, 0.0}}) {
    p.setParameter(BiomorphParameters::kTheta, in);
    p.setPhi(in);
    EXPECT_EQ(p.getTheta(), out) << in;
    EXPECT_EQ(p.getPhi(), out) << in;
  }
  for (auto [in, out] : {std::pair{0.7, 1}, {12.9, 12}, {-12.9, 1}, {40000.0, 32767}, {INFINITY, 32767}}) {
    p.setParameter(BiomorphParameters::kNumIter, in);
    EXPECT_EQ(p.getNumIter(), out) << in;
  }
  p.setParameter(13, kNaN);  // no count at all: the one held stays
  EXPECT_EQ(p.getNumIter(), 32767);
  p.setNumIter(1ll << 40);
  EXPECT_EQ(p.getNumIter(), 32767);
  p.setNumIter(-5);
  EXPECT_EQ(p.getNumIter(), 1);
}

TEST(BiomorphParameters, TextFormRoundTripAndFaultyRecords) {
  BiomorphParameters p;
  std::ostringstream os;
  p.outputParameters(os);
  EXPECT_EQ(os.str(), "0 1 0 0 0 0 0 0 0 0 0 0.5 0 OA_Dwell 1 32 ");
  p.coefficients = {1.0 / 3, -2, 1e-300, 0, 123456789.123, 0.1};
  p.powWeight = 2e10;
  p.setTheta(0.3);
  p.analyzerID = "OA_Angle";
  p.biomorphTest = false;
  p.setNumIter(517);
  std::ostringstream written;
  p.outputParameters(written);
  BiomorphParameters back;
  ASSERT_TRUE(readInto(back, written.str()));
  EXPECT_TRUE(back == p);

  // Angles and counts as other writers may have left them.
  struct Read {
    char const *theta, *count;
    double thetaOut;
    int countOut;
  } const reads[] = {{"1.5", "32", 1, 32},     {"-0.2", "8", 0, 8}, {"nan", "40000", 0, 32767},
                     {"0.5", "12.9", 0.5, 12}, {"0", "0", 0, 1},    {"0", "-99999999999999999999", 0, 1},
                     {"0", "99999999999999999999", 0, 32767},       {"0", "-inf", 0, 1}};
  for (auto const& r : reads) {
    BiomorphParameters q;
    std::string const text = std::string("0 1 0 0 0 0 0 0 0 ") + r.theta + " " + r.theta + " 0.5 0 OA_Dwell 1 " + r.count;
    ASSERT_TRUE(readInto(q, text)) << text;
    EXPECT_EQ(q.getTheta(), r.thetaOut) << text;
    EXPECT_EQ(q.getPhi(), r.thetaOut) << text;
    EXPECT_EQ(q.getNumIter(), r.countOut) << text;
  }
  // A failed record changes nothing.
  for (char const* text : {"0 1 0 0 0 0 0 0 0 0.5 0 0.5 0 OA_Dwell 1 nan", "0 1 0 0 0 0 0 0 0 0.5 0 0.5 0 OA_Dwell x 12",
                           "0 1 0 0 0 0 0 0 0 0.5 0 0.5 0 OA_Dwell 1"}) {
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
  b.biomorphTest = false;
  EXPECT_FALSE(a == b);
  a.setTheta(0.2);
  a.fixedRe = 1;
  b.setNumIter(8);
  b.setTheta(1);
  b.fixedRe = -3;
  b.analyzerID = "OA_Length";
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
  EXPECT_EQ(m.fixedRe, -3);
  EXPECT_EQ(m.getNumIter(), 8);
  m.morph(a, b, 3);  // past the ends the setters keep the ranges
  EXPECT_EQ(m.getTheta(), 1);
  EXPECT_EQ(m.getNumIter(), 1);
  m.morph(a, b, kNaN);
  EXPECT_EQ(m.getTheta(), 0);
  EXPECT_EQ(m.getNumIter(), 32);
}

}  // namespace
}  // namespace orlenza
