#include "core/generators/Sines/ParameterPaneItSines.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/Sines/SnapshotItSines.h"

namespace orlenza {
namespace {

using gen_test::doubleDraw;

using P = ItSinesParameters;

std::shared_ptr<SnapshotItSines> withParameters(P const& p) {
  return std::make_shared<SnapshotItSines>("start", SnapshotCore(), p);
}

P const& paramsOf(std::shared_ptr<Snapshot> const& s) { return dynamic_cast<SnapshotItSines&>(*s).getParameters(); }

class ParameterPaneItSinesTest : public gen_test::CoreTest {
 protected:
  ParameterPaneItSines pane;
};

TEST_F(ParameterPaneItSinesTest, RandomSnapshotHonoursLocks) {
  P start;
  for (unsigned i = 0; i < 13; ++i) start.setValue(i, 10.0 + i);
  auto const current = withParameters(start);
  gen_test::giveBusyCore(*current);

  // All open: twelve draws in value order with each value's range.
  for (int lock = 101; lock <= 113; ++lock) pane.setLocked(lock, false);
  for (std::uint32_t seed : {1u, 2u, 4000000000u}) {
    RandomUtils::seed(seed);
    P const p = paramsOf(pane.makeRandomSnap(current));
    AdditiveFeedbackGenerator draws(seed);
    for (unsigned g = 0; g < 3; ++g) {
      EXPECT_EQ(p.getValue(4 * g), doubleDraw(draws.next(), 0.1, 5.0));
      EXPECT_EQ(p.getValue(4 * g + 1), doubleDraw(draws.next(), 0.1, 5.0));
      EXPECT_EQ(p.getValue(4 * g + 2), doubleDraw(draws.next(), -3.14, 3.14));
      EXPECT_EQ(p.getValue(4 * g + 3), g < 2 ? doubleDraw(draws.next(), 1.0, 5.0) : doubleDraw(draws.next(), 0.0, 0.5));
    }
    EXPECT_EQ(p.amplitude, 1000);
    EXPECT_EQ(RandomUtils::random(), draws.next());
  }
  // One group locked, the others drawn.
  for (int lock = 105; lock <= 108; ++lock) pane.setLocked(lock, true);
  RandomUtils::seed(8);
  P const p = paramsOf(pane.makeRandomSnap(current));
  for (unsigned i = 4; i < 8; ++i) EXPECT_EQ(p.getValue(i), start.getValue(i));
  EXPECT_NE(p.xGroup.frequency, start.xGroup.frequency);
  EXPECT_NE(p.xyGroup.weight, start.xyGroup.weight);

}

}  // namespace
}  // namespace orlenza
