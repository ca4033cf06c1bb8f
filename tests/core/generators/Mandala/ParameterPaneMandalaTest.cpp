#include "core/generators/Mandala/ParameterPaneMandala.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/Mandala/SnapshotMandala.h"

namespace orlenza {
namespace {

using gen_test::doubleDraw;

using P = MandalaParameters;

P withValues(std::initializer_list<double> values) {
  P p;
  unsigned i = 0;
  for (double v : values) p.setParameter(i++, v);
  return p;
}

std::shared_ptr<SnapshotMandala> withParameters(P const& p) {
  return std::make_shared<SnapshotMandala>("start", SnapshotCore(), p);
}

P const& paramsOf(std::shared_ptr<Snapshot> const& s) { return dynamic_cast<SnapshotMandala&>(*s).getParameters(); }

// The draws of the random functions, written out: a + r / (2^31 - 1) (b - a),
// and lo + floor(u (hi - lo + 1)) with u = 1 giving hi.
double intDraw(std::uint32_t r, int lo, int hi) {
  double const u = r / 2147483647.0;
  return u == 1 ? hi : lo + std::floor(u * (hi - lo + 1));
}

class ParameterPaneMandalaTest : public gen_test::CoreTest {
 protected:
  ParameterPaneMandala pane;
};

TEST_F(ParameterPaneMandalaTest, FieldsLocksAndTexts) {
  auto const& fields = pane.fields();
  ASSERT_EQ(fields.size(), 6u);
  EXPECT_FALSE(pane.usesInverseGeometry() || pane.ignoresGeometry());
  // Registered under the kind's identifier; its default picture is pinned by the golden hashes.
  EXPECT_NE(gen_test::paneFor<ParameterPaneMandala>("Mandal"), nullptr);
  EXPECT_EQ(pane.getDefaultSnapshot()->getCore().getNormalizerID(), "norm_lin");

  double const nan = std::numeric_limits<double>::quiet_NaN();
  double const inf = std::numeric_limits<double>::infinity();
  struct Case {
    P parameters;
    char const* texts[6];
    P readBack;
  } const cases[] = {
      {withValues({1.0 / 3, 2.0 / 3, 1e-300, -0.0, 123456789.123, 1234.5678}),
       {"0.3333333333", "0.6666666667", "1e-300", "-0", "123456789.1", "1234.6"},
       withValues({0.3333333333, 0.6666666667, 1e-300, -0.0, 123456789.1, 1234.6})},
      {withValues({nan, inf, -inf, 3, 0, 98765.4321}),
       {"nan", "inf", "-inf", "3", "0", "98765"},
       withValues({nan, inf, -inf, 3, 0, 98765})},
  };
  for (auto const& c : cases) {
    pane.updateFromSnapshot(*withParameters(c.parameters));
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(pane.fieldText(i), c.texts[i]) << i;
    auto back = pane.makeNewSnapshot();
    ASSERT_EQ(back->getIdentifier(), "Mandal");
    pane.updateToSnapshot(*back);
    for (unsigned i = 0; i < 6; ++i) {
      double const got = paramsOf(back).getParameter(i), want = c.readBack.getParameter(i);
      if (std::isnan(want))
        EXPECT_TRUE(std::isnan(got)) << i;
      else
        EXPECT_EQ(got, want) << i;
    }
  }
  // Text that is no number reads as 0.
  pane.setFieldText(0, "six");
  auto back = pane.makeNewSnapshot();
  pane.updateToSnapshot(*back);
  EXPECT_EQ(paramsOf(back).getParameter(0), 0);
}

TEST_F(ParameterPaneMandalaTest, RandomSnapshotHonoursLocks) {
  auto start = withParameters(withValues({7, 8, 9, 10, 11, 12}));
  gen_test::giveBusyCore(*start);

  // Everything locked: p0 ... p4 stay, nothing is drawn, the amplitude and the
  // view still reset, the rest of the core stays.
  for (int lock = 101; lock <= 106; ++lock) pane.setLocked(lock, true);
  auto const same = gen_test::lockedRandomSnap(pane, start, View(0, 0, 1, 0, false, false));
  EXPECT_TRUE(paramsOf(same) == withValues({7, 8, 9, 10, 11, 1000}));
  EXPECT_EQ(start->getCore().getView().getCenterX(), 3);  // the start is not changed

  // Some locked: the open ones take the next draws in parameter order.
  pane.setLocked(101, false);
  pane.setLocked(103, false);
  pane.setLocked(105, false);
  for (std::uint32_t seed : {1u, 2u, 99u, 4000000000u}) {
    RandomUtils::seed(seed);
    auto const r = pane.makeRandomSnap(start);
    AdditiveFeedbackGenerator draws(seed);
    double const p0 = intDraw(draws.next(), 1, 6);
    double const p2 = doubleDraw(draws.next(), 0.0, 3.0);
    double const p4 = doubleDraw(draws.next(), 0.0, 1.5);
    EXPECT_TRUE(paramsOf(r) == withValues({p0, 8, p2, 10, p4, 1000})) << seed;
  }

  // All open: every value within its range, the frequency a whole number.
  for (int lock = 101; lock <= 106; ++lock) pane.setLocked(lock, false);
  RandomUtils::seed(77);
  for (int i = 0; i < 300; ++i) {
    P const p = paramsOf(pane.makeRandomSnap(start));
    double const p0 = p.getParameter(0);
    EXPECT_TRUE(p0 == std::floor(p0) && p0 >= 1 && p0 <= 6) << p0;
    double const lo[] = {0.1, 0.0, 0.1, 0.0}, hi[] = {5.0, 3.0, 5.0, 1.5};
    for (unsigned k = 1; k <= 4; ++k)
      EXPECT_TRUE(p.getParameter(k) >= lo[k - 1] && p.getParameter(k) <= hi[k - 1]) << k << " " << p.getParameter(k);
    EXPECT_EQ(p.getParameter(5), 1000);
  }

  gen_test::expectForeignRefused(pane);
}

}  // namespace
}  // namespace orlenza
