#include "core/base/LimitedStack.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace {

TEST(LimitedStack, DropsTheOldestWhenFull) {
  kt::limited_stack<int> history(20);
  for (int i = 1; i <= 21; ++i) history.push(i);
  EXPECT_EQ(history.size(), 20u);
  for (int expected = 21; expected >= 2; --expected) {
    ASSERT_FALSE(history.empty());
    EXPECT_EQ(history.top(), expected);
    history.pop();
  }
  EXPECT_TRUE(history.empty());  // the first push is gone

  // Empty and degenerate stacks stay defined.
  EXPECT_THROW((void)history.top(), std::out_of_range);
  history.pop();  // no effect
  EXPECT_EQ(history.size(), 0u);
  kt::limited_stack<int> none(0);
  none.push(1);
  EXPECT_TRUE(none.empty());
  kt::limited_stack<int> one(1);
  one.push(1);
  one.push(2);
  EXPECT_EQ(one.size(), 1u);
  EXPECT_EQ(one.top(), 2);
}

TEST(LimitedStack, HoldsMoveOnlyAndSharedEntries) {
  kt::limited_stack<std::unique_ptr<int>> owned(2);
  for (int i = 1; i <= 3; ++i) owned.push(std::make_unique<int>(i));
  owned.pop();
  EXPECT_EQ(*owned.top(), 2);

  auto shared = std::make_shared<int>(5);
  kt::limited_stack<std::shared_ptr<int>> stack(1);
  stack.push(shared);
  stack.push(std::make_shared<int>(6));  // drops the first entry and its reference
  EXPECT_EQ(shared.use_count(), 1);
}

}  // namespace
