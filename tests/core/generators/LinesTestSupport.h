#pragma once
// Helpers shared by the grid and curves tests.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "core/base/PlatformError.h"
#include "core/base/RandomUtils.h"
#include "core/engine/ComputationNotifier.h"
#include "core/engine/RawField.h"

namespace orlenza::lines_test {

// Records initialize() and counts steps; answers canceled from cancelAfter steps on.
class CountingNotifier : public ComputationNotifier {
 public:
  explicit CountingNotifier(long cancelAfter = -1) : m_cancelAfter(cancelAfter) {}
  void initialize(long total) override { totals.push_back(total); }
  void iterate() override { ++steps; }
  bool areWeCanceled() const override { return m_cancelAfter >= 0 && steps >= m_cancelAfter; }
  std::vector<long> totals;
  long steps = 0;

 private:
  long m_cancelAfter;
};

// The raw draws of a generator seeded like the shared one, turned into values by hand.
struct Draws {
  explicit Draws(std::uint32_t seed) : generator(seed) {}
  double real(double a, double b) { return a + (generator.next() / 2147483647.0) * (b - a); }
  int integer(int lo, int hi) { return RandomUtils::intFromDraw(generator.next(), lo, hi); }
  AdditiveFeedbackGenerator generator;
};

inline void expectStatusZero(std::function<void()> const& call) {
  try {
    call();
    ADD_FAILURE() << "no exception";
  } catch (PlatformError const& e) {
    EXPECT_EQ(e.statusCode(), 0);
  }
}

inline double sumOf(RawField const& field) {
  double sum = 0;
  for (int x = 0; x < field.width(); ++x)
    for (int y = 0; y < field.height(); ++y) sum += field[x][y];
  return sum;
}

}  // namespace orlenza::lines_test
