#include "core/generators/Quot/ParameterPaneQuot.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/Quot/SnapshotQuot.h"

namespace orlenza {
namespace {

using gen_test::doubleDraw;

using P = QuotParameters;

std::shared_ptr<SnapshotQuot> withParameters(P const& p) {
  return std::make_shared<SnapshotQuot>("start", SnapshotCore(), p);
}

P const& paramsOf(std::shared_ptr<Snapshot> const& s) { return dynamic_cast<SnapshotQuot&>(*s).getParameters(); }

class ParameterPaneQuotTest : public gen_test::CoreTest {
 protected:
  ParameterPaneQuot pane;
};

TEST_F(ParameterPaneQuotTest, FieldsTextsAndTheValidityOfWhatIsTyped) {
  auto const& fields = pane.fields();
  ASSERT_EQ(fields.size(), 17u);
  EXPECT_FALSE(pane.usesInverseGeometry() || pane.ignoresGeometry());
  EXPECT_EQ(pane.getDefaultSnapshot()->getCore().getNormalizerID(), "norm_lin");

  P odd;
  double const values[] = {1.0 / 3, -123456.789, 1e-300, -0.0, std::numeric_limits<double>::quiet_NaN(),
                           std::numeric_limits<double>::infinity()};
  for (unsigned i = 0; i < 6; ++i) odd.setParameter(i, values[i]);
  pane.updateFromSnapshot(*withParameters(odd));
  char const* texts[] = {"0.33333", "-1.2346e+05", "1e-300", "-0", "nan", "inf"};
  for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(pane.fieldText(i), texts[i]) << i;
  EXPECT_EQ(pane.fieldText(12), "-1");
  EXPECT_EQ(pane.fieldText(16), "1000");

  // Typed: a reversed x side, an empty y side and a negative amplitude are made valid.
  struct Typed {
    char const* xMin;
    char const* xMax;
    char const* yMin;
    char const* yMax;
    char const* amplitude;
    double wantXMax, wantYMax, wantAmplitude;
  } const typed[] = {
      {"2", "1", "-1", "1", "1000", 3, 1, 1000},
      {"-1", "1", "0.5", "0.5", "-5", 1, 1.5, 5},
      {"-1", "1", "-1", "1", "none", 1, 1, 1},  // no number reads as 0, made 1
  };
  for (auto const& t : typed) {
    pane.setFieldText(12, t.xMin);
    pane.setFieldText(13, t.xMax);
    pane.setFieldText(14, t.yMin);
    pane.setFieldText(15, t.yMax);
    pane.setFieldText(16, t.amplitude);
    auto s = pane.makeNewSnapshot();
    ASSERT_EQ(s->getIdentifier(), "Quot");
    pane.updateToSnapshot(*s);
    P const& p = paramsOf(s);
    EXPECT_EQ(p.getParameter(P::kXMax), t.wantXMax) << t.xMin << " " << t.xMax;
    EXPECT_EQ(p.getParameter(P::kYMax), t.wantYMax);
    EXPECT_EQ(p.getParameter(P::kAmplitude), t.wantAmplitude) << t.amplitude;
    EXPECT_EQ(p.getParameter(0), 0.33333);  // five digits were shown
    EXPECT_EQ(p.getParameter(1), -123460);
    EXPECT_TRUE(std::isnan(p.getParameter(4)));
  }
}

TEST_F(ParameterPaneQuotTest, RandomSnapshotHonoursLocks) {
  P start;
  for (unsigned i = 0; i < 17; ++i) start.setParameter(i, 10.0 + i);
  auto const current = withParameters(start);
  gen_test::giveBusyCore(*current);

  for (int lock = 101; lock <= 116; ++lock) pane.setLocked(lock, true);
  // All locked but 117: only the amplitude changes, to 1000, after one wasted draw.
  pane.setLocked(117, false);
  RandomUtils::seed(6);
  auto const amplitude = pane.makeRandomSnap(current);
  P expected = start;
  expected.setParameter(P::kAmplitude, 1000);
  EXPECT_TRUE(paramsOf(amplitude) == expected);
  AdditiveFeedbackGenerator one(6);
  one.next();
  EXPECT_EQ(RandomUtils::random(), one.next());

  // All open: seventeen draws in [-5, 5], then the rectangle drawn again so
  // that no side is reversed, and the amplitude 1000.
  for (int lock = 101; lock <= 117; ++lock) pane.setLocked(lock, false);
  for (std::uint32_t seed : {1u, 2u, 4000000000u}) {
    RandomUtils::seed(seed);
    P const p = paramsOf(pane.makeRandomSnap(current));
    AdditiveFeedbackGenerator draws(seed);
    for (unsigned i = 0; i < 12; ++i) EXPECT_EQ(p.getParameter(i), doubleDraw(draws.next(), -5, 5)) << i;
    for (int i = 0; i < 5; ++i) draws.next();
    double const xMin = doubleDraw(draws.next(), -5, 5);
    double const xMax = xMin + doubleDraw(draws.next(), 0, 5);
    double const yMin = doubleDraw(draws.next(), -5, 5);
    double const yMax = yMin + doubleDraw(draws.next(), 0, 5);
    EXPECT_EQ(p.getParameter(P::kXMin), xMin);
    EXPECT_EQ(p.getParameter(P::kXMax), xMax);
    EXPECT_EQ(p.getParameter(P::kYMin), yMin);
    EXPECT_EQ(p.getParameter(P::kYMax), yMax);
    EXPECT_EQ(p.getParameter(P::kAmplitude), 1000);
    EXPECT_EQ(RandomUtils::random(), draws.next());  // no further draw
  }

  // The minimum locked: the maximum is drawn above the kept minimum.
  pane.setLocked(113, true);
  RandomUtils::seed(9);
  P const kept = paramsOf(pane.makeRandomSnap(current));
  EXPECT_EQ(kept.getParameter(P::kXMin), 22);
  EXPECT_GE(kept.getParameter(P::kXMax), 22);
  EXPECT_LE(kept.getParameter(P::kXMax), 27);

}

}  // namespace
}  // namespace orlenza
