#pragma once
// Helpers shared by the generator tests.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string_view>
#include <vector>

#include "core/base/PlatformError.h"
#include "core/base/RandomUtils.h"
#include "core/engine/ComputationNotifier.h"
#include "core/engine/RawField.h"
#include "core/model/SnapshotKind.h"

namespace orlenza::gen_test {

// Records each initialize() and counts steps from there; answers canceled
// from cancelAfter steps on, and counts how often it was asked.
class CountingNotifier : public ComputationNotifier {
 public:
  explicit CountingNotifier(long cancelAfter = -1) : m_cancelAfter(cancelAfter) {}
  void initialize(long total) override {
    totals.push_back(total);
    steps = 0;
  }
  void iterate() override { ++steps; }
  bool areWeCanceled() const override {
    ++asked;
    return m_cancelAfter >= 0 && steps >= m_cancelAfter;
  }
  std::vector<long> totals;
  long steps = 0;
  mutable long asked = 0;

 private:
  long m_cancelAfter;
};

// A kind no generator knows, to hand panes, computators and morphs something foreign.
struct ForeignParameters {
  static constexpr std::string_view kSnapshotIdentifier = "TestForeignKind";
  void outputParameters(std::ostream&) const {}
  void inputParameters(std::istream&) {}
  void morph(ForeignParameters const&, ForeignParameters const&, double) {}
  friend bool operator==(ForeignParameters const&, ForeignParameters const&) = default;
};
using ForeignSnapshot = ParameterizedSnapshot<ForeignParameters>;

// A draw of the shared generator turned into a value by hand.
inline double doubleDraw(std::uint32_t r, double a, double b) { return a + (r / 2147483647.0) * (b - a); }

// The raw draws of a generator seeded like the shared one, turned into values by hand.
struct Draws {
  explicit Draws(std::uint32_t seed) : generator(seed) {}
  double real(double a, double b) { return doubleDraw(generator.next(), a, b); }
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

// The sum of the first w x h cells (the whole field when w or h is negative).
inline double sumOf(RawField const& field, int w = -1, int h = -1) {
  if (w < 0 || h < 0) {
    w = field.width();
    h = field.height();
  }
  double sum = 0;
  for (int x = 0; x < w; ++x)
    for (int y = 0; y < h; ++y) sum += field[x][y];
  return sum;
}

}  // namespace orlenza::gen_test
