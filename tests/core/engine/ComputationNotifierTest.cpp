#include "core/engine/ComputationNotifier.h"

#include <gtest/gtest.h>

#include <climits>
#include <thread>
#include <vector>

namespace orlenza {
namespace {

// Records the progress seen by every tick; also calls back into the notifier to
// show that the lock is re-entrant.
class RecordingNotifier : public GenericComputationNotifier {
 public:
  std::vector<int> ticks;

 protected:
  void notify() override {
    ticks.push_back(getProgress());
    (void)areWeCanceled();
  }
};

TEST(GenericComputationNotifier, CountsStepsIntoTicks) {
  struct Case {
    long total;
    int stepsPerTick;
  };
  for (Case c : {Case{50, 1}, Case{1000, 10}, Case{100, 1}, Case{199, 1}, Case{200, 2}, Case{0, 1}, Case{-7, 1},
                 Case{LONG_MAX, INT_MAX}}) {
    RecordingNotifier notifier;
    notifier.initialize(c.total);
    EXPECT_EQ(notifier.getStepsPerTick(), c.stepsPerTick) << c.total;
  }
}

TEST(GenericComputationNotifier, TicksEveryStepsPerTickAndCapsTheProgressAfterTheTick) {
  RecordingNotifier thousand;
  thousand.initialize(1000);
  for (int i = 0; i < 9; ++i) thousand.iterate();
  EXPECT_TRUE(thousand.ticks.empty());
  thousand.iterate();
  EXPECT_EQ(thousand.ticks, std::vector<int>{1});

  RecordingNotifier notifier;
  notifier.initialize(50);
  for (int i = 0; i < 150; ++i) notifier.iterate();
  EXPECT_EQ(notifier.getProgress(), 100);
  ASSERT_EQ(notifier.ticks.size(), 150u);
  EXPECT_EQ(notifier.ticks.front(), 1);
  // notify() sees the uncapped count once past the maximum.
  EXPECT_EQ(notifier.ticks[99], 100);
  EXPECT_EQ(notifier.ticks[100], 101);
  EXPECT_EQ(notifier.ticks[149], 101);
  notifier.initialize(50);
  EXPECT_EQ(notifier.getProgress(), 0);
}

TEST(GenericComputationNotifier, CancelIsStickyAndSeenAcrossThreads) {
  RecordingNotifier notifier;
  EXPECT_FALSE(notifier.areWeCanceled());
  notifier.initialize(1'000'000);
  std::thread worker([&] {
    while (!notifier.areWeCanceled()) notifier.iterate();
  });
  notifier.cancelOperation();
  worker.join();
  EXPECT_TRUE(notifier.areWeCanceled());
  notifier.initialize(10);
  EXPECT_TRUE(notifier.areWeCanceled());
}

}  // namespace
}  // namespace orlenza
