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

TEST_F(ParameterPaneMandalaTest, RandomSnapshotHonoursLocks) {
  auto start = withParameters(withValues({7, 8, 9, 10, 11, 12}));
  gen_test::giveBusyCore(*start);

  for (int lock = 101; lock <= 106; ++lock) pane.setLocked(lock, true);
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
}

}  // namespace
}  // namespace orlenza
