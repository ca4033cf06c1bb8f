#include "core/engine/RawField.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace orlenza {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(RawField, SizesAreClampedAndCellsStartWithoutValue) {
  struct Case {
    int width, height, expectedWidth, expectedHeight;
  };
  for (Case c : {Case{0, 5, 1, 5}, Case{-3, 0, 1, 1}, Case{5000, 2048, 2048, 2048}, Case{2049, 1, 2048, 1},
                 Case{1, 2047, 1, 2047}}) {
    RawField field(c.width, c.height);
    EXPECT_EQ(field.width(), c.expectedWidth);
    EXPECT_EQ(field.height(), c.expectedHeight);
    ASSERT_EQ(field.cellCount(), static_cast<std::size_t>(c.expectedWidth) * c.expectedHeight);
    EXPECT_TRUE(std::isnan(field[0][0]));
    EXPECT_TRUE(std::isnan(field[c.expectedWidth - 1][c.expectedHeight - 1]));
  }
}

TEST(RawField, ColumnsAreContiguousAndResizeKeepsTheSharedCells) {
  RawField field(3, 2);
  for (int x = 0; x < 3; ++x)
    for (int y = 0; y < 2; ++y) field[x][y] = 10 * x + y;
  std::vector<double> const expected = {0, 1, 10, 11, 20, 21};
  EXPECT_EQ(std::vector<double>(field.data(), field.data() + 6), expected);

  field.resize(3, 2);  // the same size: nothing changes
  EXPECT_EQ(field[2][1], 21);

  field.resize(2, 3);
  ASSERT_EQ(field.width(), 2);
  ASSERT_EQ(field.height(), 3);
  EXPECT_EQ(field[1][1], 11);
  EXPECT_TRUE(std::isnan(field[0][2]));
  EXPECT_TRUE(std::isnan(field[1][2]));

  field.resize(0, 9000);
  EXPECT_EQ(field.width(), 1);
  EXPECT_EQ(field.height(), 2048);
  EXPECT_EQ(field[0][1], 1);
}

// Expected values worked out by hand from the cells, in the order the cells are summed.
TEST(RawImageStats, MinMaxMeanWithNaNAndInfinities) {
  struct Case {
    char const* what;
    int width, height;
    std::vector<double> columnMajorCells;
    double min, max, mean;
  };
  std::vector<Case> const cases = {
      {"plain numbers", 2, 2, {1, -2, 4, 3}, -2, 4, 1.5},
      {"one cell", 1, 1, {-0.0}, -0.0, -0.0, -0.0},
      {"NaN later is skipped by min and max", 2, 2, {1, kNaN, 5, -1}, -1, 5, kNaN},
      {"NaN first stays in min and max", 3, 1, {kNaN, 2, 3}, kNaN, kNaN, kNaN},
      {"infinities", 1, 3, {0, kInf, -kInf}, -kInf, kInf, kNaN},
      {"only plus infinity", 2, 1, {kInf, 1}, 1, kInf, kInf},
      {"huge values overflow the sum", 2, 1, {1e308, 1e308}, 1e308, 1e308, kInf},
      // Summed x outer, y inner: ((1e16 + 1) - 1e16) + 1 = 1, another order gives another double.
      {"summed column by column", 2, 2, {1e16, 1, -1e16, 1}, -1e16, 1e16, 0.25},
  };
  for (Case const& c : cases) {
    SCOPED_TRACE(c.what);
    RawField field(c.width, c.height);
    std::copy(c.columnMajorCells.begin(), c.columnMajorCells.end(), field.data());
    RawImageStats const stats = computeStats(field);
    auto same = [](double actual, double expected) {
      return std::isnan(expected) ? std::isnan(actual) : actual == expected;
    };
    EXPECT_TRUE(same(stats.min, c.min)) << stats.min;
    EXPECT_TRUE(same(stats.max, c.max)) << stats.max;
    EXPECT_TRUE(same(stats.mean, c.mean)) << stats.mean;
  }
}

}  // namespace
}  // namespace orlenza
