#include "core/engine/Postfiltering.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <vector>

namespace orlenza {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

class PostfilteringTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { registerAllPostfilters(); }
};

// A field written as it is seen: rows top to bottom, columns left to right.
RawField fieldFromRows(std::vector<std::vector<double>> const& rows) {
  RawField field(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (int y = 0; y < field.height(); ++y)
    for (int x = 0; x < field.width(); ++x) field[x][y] = rows[y][x];
  return field;
}

// 1  2  4
// 8 16 32
// 64 0  3
RawField const& sample() {
  static RawField const field = fieldFromRows({{1, 2, 4}, {8, 16, 32}, {64, 0, 3}});
  return field;
}

double apply(char const* identifier, RawField const& field, int x, int y, double param = 0,
             RawImageStats stats = {}) {
  return Postfiltering::getPostfilteringFromID(identifier).filter(field, x, y, param, stats);
}

struct Expectation {
  char const* identifier;
  int x, y;
  double param;
  double expected;
};

void expectAll(RawField const& field, std::vector<Expectation> const& cases, RawImageStats stats = {}) {
  for (Expectation const& c : cases) {
    double const actual = apply(c.identifier, field, c.x, c.y, c.param, stats);
    if (std::isnan(c.expected)) {
      EXPECT_TRUE(std::isnan(actual)) << c.identifier << " at " << c.x << "," << c.y << " gave " << actual;
    } else {
      EXPECT_DOUBLE_EQ(actual, c.expected) << c.identifier << " at " << c.x << "," << c.y;
    }
  }
}

TEST_F(PostfilteringTest, AntiAliasingWeighsOnlyTheCellsInside) {
  expectAll(sample(), {
                          // centre: diagonals 1+4+64+3, sides 4*(2+8+32+0), centre 32*16
                          {"pf_AntialiasingLight", 1, 1, 0, 752.0 / 52},
                          // corner: centre 32*1, sides 4*2 + 4*8, diagonal 16
                          {"pf_AntialiasingLight", 0, 0, 0, 88.0 / 41},
                          // top edge: sides 4*1 + 4*4 + 4*16, centre 32*2, diagonals 8 + 32
                          {"pf_AntialiasingLight", 1, 0, 0, 188.0 / 46},
                          {"pf_AntialiasingHeavy", 1, 1, 0, 368.0 / 28},
                          {"pf_AntialiasingHeavy", 0, 0, 0, 64.0 / 17},
                      });
}

TEST_F(PostfilteringTest, KernelsClampMissingNeighboursToTheBorder) {
  expectAll(sample(), {
                          // 8 * 16 - (1 + 2 + 4 + 8 + 32 + 64 + 0 + 3) = 14, plus half the parameter
                          {"pf_Laplacian3x3", 1, 1, 2, 15},
                          // (0, 0): the missing row and column repeat 1, 1, 2 / 1 / 8: 8 - 39
                          {"pf_Laplacian3x3", 0, 0, 0, -31},
                          // (2, 2): neighbours 16, 32, 32, 0, 3, 0, 3, 3: 24 - 89
                          {"pf_Laplacian3x3", 2, 2, -1, -65.5},
                          {"pf_Detail3x3", 1, 1, 0, 30},
                          {"pf_Detail3x3", 0, 0, 0, -30},
                          // 12*1 + 6*2 + 12*8 - 48*16 + 12*64 + 6*0
                          {"pf_Edger3x3", 1, 1, 0, 120},
                          // 12*1 + 6*1 + 12*1 - 48*1 + 12*8 + 6*8
                          {"pf_Edger3x3", 0, 0, 0, 126},
                          // 12*2 + 6*4 + 12*16 - 48*32 + 12*0 + 6*3 = -1278, cut to 0
                          {"pf_Edger3x3", 2, 1, 0, 0},
                          // 16 - 1, then max(15 + param, 0)
                          {"pf_Relief", 1, 1, 1, 16},
                          {"pf_Relief", 1, 1, -20, 0},
                          // (0, 0) is its own upper-left neighbour
                          {"pf_Relief", 0, 0, 0.5, 0.5},
                      });
}

TEST_F(PostfilteringTest, NeighbourhoodFilters) {
  expectAll(sample(), {
                          // mean of all nine 130/9: 16 / (14/9 + 1)
                          {"pf_Enhance", 1, 1, 0, 144.0 / 23},
                          // corner mean 27/4: 1 / (23/4 + 1)
                          {"pf_Enhance", 0, 0, 0, 4.0 / 27},
                          // two of eight neighbours (32, 64) above 16
                          {"pf_Valley", 1, 1, 0, 16.0 / 3},
                          {"pf_Valley", 0, 0, 0, 1},
                          {"pf_Valley", 1, 2, 0, 0},
                          // gx = (32 - 8) / 2, gy = (0 - 2) / 2
                          {"pf_Derivative", 1, 1, 0, std::sqrt(145.0)},
                          // one-sided: gx = 2 - 1, gy = 8 - 1
                          {"pf_Derivative", 0, 0, 0, std::sqrt(50.0)},
                          // gx = 3 - 0, gy = 3 - 32
                          {"pf_Derivative", 2, 2, 0, std::sqrt(850.0)},
                          {"pf_Minimum", 1, 1, 0, 0},
                          {"pf_Minimum", 0, 0, 0, 1},
                          {"pf_Minimum", 0, 2, 0, 0},
                      });
  // A strict local minimum becomes a ninth; equal neighbours do not count.
  RawField const pit = fieldFromRows({{5, 5, 5}, {5, 2, 5}, {5, 5, 5}});
  RawField const flat = fieldFromRows({{2, 2, 2}, {2, 2, 2}, {5, 2, 2}});
  EXPECT_DOUBLE_EQ(apply("pf_Valley", pit, 1, 1), 2.0 / 9);
  EXPECT_DOUBLE_EQ(apply("pf_Valley", flat, 1, 1), 1.0);
  // Enhance keeps the sign away: |(-4) / (|-4 - m| + 1)| with m = -4 / 4 on a 2 x 2.
  RawField const negative = fieldFromRows({{-4, 0}, {0, 0}});
  EXPECT_DOUBLE_EQ(apply("pf_Enhance", negative, 0, 0), 1.0);
}

TEST_F(PostfilteringTest, DerivativeAlongAnAxisOfOnePixelIsZero) {
  // (9 - 1) / 2, one-sided 4 - 1 and 9 - 4; a pair is one-sided on both cells.
  expectAll(fieldFromRows({{1}, {4}, {9}}),
            {{"pf_Derivative", 0, 1, 0, 4}, {"pf_Derivative", 0, 0, 0, 3}, {"pf_Derivative", 0, 2, 0, 5}});
  expectAll(fieldFromRows({{2, 5}}), {{"pf_Derivative", 0, 0, 0, 3}, {"pf_Derivative", 1, 0, 0, 3}});
}

TEST_F(PostfilteringTest, PointFiltersUseTheStatistics) {
  RawImageStats const stats{-2, 64, 10};
  expectAll(sample(),
            {
                {"pf_Averager", 1, 1, 0, 6},
                {"pf_Averager", 0, 0, 0, 9},
                {"pf_Smooth", 1, 1, 1.0000001, -2},
                {"pf_Smooth", 1, 1, -1, 16},
                {"pf_Smooth", 1, 1, 1, -2},
                {"pf_Smooth", 1, 1, 0, 16},
                {"pf_Smooth", 1, 1, 0.25, 0.75 * 16 - 0.5},
                {"pf_Smooth", 1, 1, kNaN, kNaN},
                // threshold min + p (max - min): 0 keeps everything at least min
                {"pf_Cutoff", 1, 2, 0, 0},
                {"pf_Cutoff", 1, 1, -3, 16},
                // 1: everything below max falls to min
                {"pf_Cutoff", 2, 1, 1, -2},
                {"pf_Cutoff", 0, 2, 1, 64},
                // 0.5: threshold 31
                {"pf_Cutoff", 1, 1, 0.5, -2},
                {"pf_Cutoff", 2, 1, 0.5, 32},
                // a NaN parameter leaves the value
                {"pf_Cutoff", 1, 1, kNaN, 16},
                // sqrt(|1 * 2|) = 1.414..., its fraction times max
                {"pf_SqrtTrunc", 0, 0, 0, (std::sqrt(2.0) - 1) * 64},
                // sqrt(16 * 32) = 22.627...
                {"pf_SqrtTrunc", 1, 1, 0, (std::sqrt(512.0) - 22) * 64},
                // last column: |4| has no fraction
                {"pf_SqrtTrunc", 2, 0, 0, 0},
            },
            stats);
  RawField const fractional = fieldFromRows({{1, -2.75}});
  EXPECT_DOUBLE_EQ(apply("pf_SqrtTrunc", fractional, 1, 0, 0, stats), 0.75 * 64);
}

TEST_F(PostfilteringTest, GeometricFilters) {
  expectAll(sample(), {
                          {"pf_Mirror", 1, 1, 0, 0},
                          {"pf_Mirror", 0, 0, 0, 2},
                          {"pf_Mirror", 2, 1, 0, 24},
                          // r = sqrt(0.5), R = 0.5 sqrt(18): r / R = 1/3
                          {"pf_Sqrt", 1, 1, 0, 16 / std::sqrt(3.0)},
                          // corner: (a, b, c, d) = (1, 2, 8, 16): sin(16) - sin(16)
                          {"pf_Sines", 0, 0, 0, 0},
                          // (a, b, c, d) = (16, 32, 0, 3): 3 |sin(48) - sin(0)|
                          {"pf_Sines", 2, 2, 0, 3 * std::fabs(std::sin(48.0))},
                          // (a, b, c, d) = (1, 4, 64, 3)
                          {"pf_Sines", 1, 1, 0, 16 * std::fabs(std::sin(3.0) - std::sin(256.0))},
                      });
  RawField const even = fieldFromRows({{1, 2}, {3, 4}});
  EXPECT_DOUBLE_EQ(apply("pf_Sqrt", even, 1, 1), 0);
  EXPECT_DOUBLE_EQ(apply("pf_Mirror", even, 0, 1), 1);
}

TEST_F(PostfilteringTest, Kaleidoscopes) {
  RawField ramp(10, 1);
  for (int x = 0; x < 10; ++x) ramp[x][0] = x;
  EXPECT_EQ(apply("pf_Kalei4", ramp, 6, 0), 3);
  EXPECT_EQ(apply("pf_Kalei4", ramp, 9, 0), 0);
  EXPECT_EQ(apply("pf_Kalei4", ramp, 5, 0), 5);  // the middle column of an even width is its own

  struct Case {
    int width, height, x, y, expectedX, expectedY;
  };
  for (Case c : {
           Case{10, 10, 6, 0, 4, 0},   // mirrored by width - x, then below the diagonal
           Case{10, 10, 2, 4, 4, 2},   // above the diagonal: swapped
           Case{10, 10, 5, 5, 5, 5},   // the middle is no fold
           Case{20, 10, 3, 4, 8, 1},   // slope 1/2: (trunc(4 / 0.5), trunc(1.5))
           Case{1, 1, 0, 0, 0, 0},     // one pixel
           Case{1, 5, 0, 3, 0, 0},     // one column: y folded to 2, then (trunc(2 / 5), 0)
           Case{5, 1, 4, 0, 1, 0},     // one row
           Case{2048, 1, 2047, 0, 1, 0},
       }) {
    KaleidoscopeCell const cell = PostFilteringKaleidoscope8::getCoords(c.width, c.height, c.x, c.y);
    EXPECT_EQ(cell.x, c.expectedX) << c.width << "x" << c.height << " at " << c.x << "," << c.y;
    EXPECT_EQ(cell.y, c.expectedY) << c.width << "x" << c.height << " at " << c.x << "," << c.y;
  }
  RawField square(10, 10);
  for (int x = 0; x < 10; ++x)
    for (int y = 0; y < 10; ++y) square[x][y] = 100 * x + y;
  EXPECT_EQ(apply("pf_Kalei8", square, 2, 4), 402);
}

TEST_F(PostfilteringTest, NaNNeighbours) {
  // 1 NaN 4
  // 8  16 32
  RawField const holed = fieldFromRows({{1, kNaN, 4}, {8, 16, 32}});
  expectAll(holed, {
                       {"pf_AntialiasingLight", 0, 1, 0, kNaN},
                       {"pf_Laplacian3x3", 2, 1, 0, kNaN},
                       {"pf_Enhance", 0, 0, 0, kNaN},
                       {"pf_Derivative", 0, 0, 0, kNaN},
                       {"pf_Sines", 0, 1, 0, kNaN},
                       // a NaN neighbour never replaces the minimum
                       {"pf_Minimum", 0, 0, 0, 1},
                       {"pf_Minimum", 2, 1, 0, 4},
                       // a cell of weight 0 still takes part in the sum: 0 times NaN is NaN
                       {"pf_Edger3x3", 0, 0, 0, kNaN},
                       {"pf_Relief", 2, 1, 0, kNaN},
                       {"pf_Relief", 0, 1, 0, kNaN},
                       {"pf_Mirror", 1, 1, 0, kNaN},
                       {"pf_Mirror", 0, 0, 0, 31},
                   });
}

// Every filter at every cell of tiny and thin pictures: nothing is read outside
// (the sanitizer build checks the reads), and on one pixel each value is known.
TEST_F(PostfilteringTest, OnePixelPictures) {
  RawField const single = fieldFromRows({{2.5}});
  RawImageStats const stats{2.5, 2.5, 2.5};
  std::vector<Expectation> const cases = {
      {"pf_none", 0, 0, 0, 2.5},          {"pf_AntialiasingLight", 0, 0, 0, 2.5},
      {"pf_AntialiasingHeavy", 0, 0, 0, 2.5}, {"pf_Laplacian3x3", 0, 0, 3, 1.5},
      {"pf_Detail3x3", 0, 0, 0, 2.5},     {"pf_Enhance", 0, 0, 0, 2.5},
      {"pf_Valley", 0, 0, 0, 2.5},        {"pf_Edger3x3", 0, 0, 0, 0},
      {"pf_Derivative", 0, 0, 0, 0},      {"pf_Relief", 0, 0, 0.25, 0.25},
      {"pf_Minimum", 0, 0, 0, 2.5},       {"pf_Averager", 0, 0, 0, 0},
      {"pf_Smooth", 0, 0, 0.5, 2.5},      {"pf_Mirror", 0, 0, 0, 0},
      {"pf_Kalei4", 0, 0, 0, 2.5},        {"pf_Kalei8", 0, 0, 0, 2.5},
      {"pf_Sines", 0, 0, 0, 0},           {"pf_Sqrt", 0, 0, 0, 2.5},
      {"pf_SqrtTrunc", 0, 0, 0, 1.25},    {"pf_Cutoff", 0, 0, 1, 2.5},
  };
  ASSERT_EQ(cases.size(), postfilteringIdentifiersInMenuOrder().size());
  expectAll(single, cases, stats);

  for (RawField const& field : {fieldFromRows({{1, 2, 3, 4, 5}}), fieldFromRows({{1}, {2}, {3}, {4}, {5}}),
                                fieldFromRows({{1, 2}, {3, 4}})}) {
    for (Postfiltering const* filter : postfilteringsInMenuOrder()) {
      for (int x = 0; x < field.width(); ++x)
        for (int y = 0; y < field.height(); ++y) {
          double const value = filter->filter(field, x, y, 0.5, RawImageStats{1, 5, 3});
          EXPECT_FALSE(std::isnan(value)) << filter->getIdentifier() << " at " << x << "," << y;
        }
    }
  }
}

TEST_F(PostfilteringTest, RegistryAndMenuOrder) {
  std::vector<Postfiltering const*> const filters = postfilteringsInMenuOrder();
  std::vector<std::string> const& identifiers = postfilteringIdentifiersInMenuOrder();
  ASSERT_EQ(filters.size(), 20u);
  std::set<std::string> usingParam;
  for (std::size_t i = 0; i < filters.size(); ++i) {
    EXPECT_EQ(filters[i]->getIdentifier(), identifiers[i]);
    if (filters[i]->usesParam()) usingParam.insert(identifiers[i]);
  }
  EXPECT_EQ(usingParam, (std::set<std::string>{"pf_Laplacian3x3", "pf_Relief", "pf_Smooth", "pf_Cutoff"}));

  // Unknown identifiers, a misspelt one among them, draw unfiltered.
  for (char const* unknown : {"pf_kalei8", "", "pf_Kalei8 ", "norm_lin"}) {
    EXPECT_EQ(&Postfiltering::getPostfilteringFromID(unknown), &NullPostfiltering::instance()) << unknown;
  }

  // Registering again changes nothing.
  registerAllPostfilters();
  EXPECT_EQ(postfilteringsInMenuOrder(), filters);
}

}  // namespace
}  // namespace orlenza
