#include "core/generators/Curves/CurvesLine.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "core/base/RandomUtils.h"

namespace orlenza {
namespace {

// The whole line walked pixel by pixel, each pixel but the start counted where it is inside.
void plainLine(int width, int height, RawField& field, long long x0, long long y0, long long x1, long long y1) {
  bool const steep = std::llabs(y1 - y0) > std::llabs(x1 - x0);
  if (steep) {
    std::swap(x0, y0);
    std::swap(x1, y1);
  }
  // Walked from the lower end; backwards, the walk's first pixel is the line's end.
  bool const backwards = x1 < x0;
  if (backwards) {
    std::swap(x0, x1);
    std::swap(y0, y1);
  }
  long long const dx = x1 - x0, dy = std::llabs(y1 - y0);
  long long const step = y1 > y0 ? 1 : -1;
  long long y = y0, err = dy;
  if (dx < 2 * dy) {
    err = dy - dx;
    y += step;
  }
  auto const count = [&](long long a, long long b) {
    long long const px = steep ? b : a, py = steep ? a : b;
    if (px >= 0 && px < width && py >= 0 && py < height) field[static_cast<int>(px)][static_cast<int>(py)] += 1;
  };
  if (backwards) count(x0, y0);
  for (long long x = x0 + 1; x <= x1; ++x) {
    if (!backwards || x < x1) count(x, y);
    err += dy;
    if (dx < 2 * err) {
      y += step;
      err -= dx;
    }
  }
}

bool sameField(RawField const& a, RawField const& b) {
  return std::memcmp(a.data(), b.data(), a.cellCount() * sizeof(double)) == 0;
}

TEST(CurvesLineTest, CountsEveryPixelButTheStart) {
  RawField field(8, 8);
  field.fill(0);
  drawLine(8, 8, field, 2, 2, 5, 3);
  EXPECT_EQ(field[3][2], 1);
  EXPECT_EQ(field[4][3], 1);
  EXPECT_EQ(field[5][3], 1);
  EXPECT_EQ(field[2][2], 0);
  double sum = 0;
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 8; ++y) sum += field[x][y];
  EXPECT_EQ(sum, 3);

  drawLine(8, 8, field, 6, 6, 6, 6);  // length 0
  EXPECT_EQ(field[6][6], 0);
  drawLine(8, 8, field, 5, 3, 2, 2);  // backwards: the same pixels, now without (5, 3)
  EXPECT_EQ(field[2][2], 1);
  EXPECT_EQ(field[3][2], 2);
  EXPECT_EQ(field[4][3], 2);
  EXPECT_EQ(field[5][3], 1);
}

TEST(CurvesLineTest, ClippedLinesCountExactlyThePixelsOfTheWholeWalk) {
  constexpr int kWidth = 37, kHeight = 23;
  AdditiveFeedbackGenerator random(2024);
  auto const coordinate = [&random](long long reach) {
    return static_cast<long long>(random.next() % static_cast<std::uint32_t>(2 * reach + 1)) - reach + 15;
  };
  for (long long reach : {3LL, 40LL, 3000LL}) {
    RawField clipped(kWidth, kHeight), plain(kWidth, kHeight);
    clipped.fill(0);
    plain.fill(0);
    for (int i = 0; i < 3000; ++i) {
      long long const x0 = coordinate(reach), y0 = coordinate(reach), x1 = coordinate(reach), y1 = coordinate(reach);
      drawLine(kWidth, kHeight, clipped, x0, y0, x1, y1);
      plainLine(kWidth, kHeight, plain, x0, y0, x1, y1);
    }
    EXPECT_TRUE(sameField(clipped, plain)) << "reach " << reach;
  }
  // Every direction through and around a corner.
  RawField clipped(5, 4), plain(5, 4);
  clipped.fill(0);
  plain.fill(0);
  for (long long dx = -9; dx <= 9; ++dx)
    for (long long dy = -9; dy <= 9; ++dy) {
      drawLine(5, 4, clipped, -2, -3, -2 + dx, -3 + dy);
      plainLine(5, 4, plain, -2, -3, -2 + dx, -3 + dy);
      drawLine(5, 4, clipped, 2, 1, 2 + dx, 1 + dy);
      plainLine(5, 4, plain, 2, 1, 2 + dx, 1 + dy);
    }
  EXPECT_TRUE(sameField(clipped, plain));
}

TEST(CurvesLineTest, FarEndPointsCostOnlyThePicture) {
  // A walk of 4e9 pixels would not end within the test; the clipped one is at the picture at once.
  RawField field(16, 16);
  field.fill(0);
  drawLine(16, 16, field, -2000000000, 7, 2000000000, 8);
  // b moves to 8 once 2 k > 4e9, k = x + 2e9: from x = 1 on.
  EXPECT_EQ(field[0][7], 1);
  EXPECT_EQ(field[0][8], 0);
  for (int x = 1; x < 16; ++x) {
    EXPECT_EQ(field[x][8], 1) << x;
    EXPECT_EQ(field[x][7], 0) << x;
  }
  field.fill(0);
  drawLine(16, 16, field, 2000000015, -2000000000, -2000000000, 2000000015);  // the anti-diagonal, far out
  for (int x = 0; x < 16; ++x) EXPECT_EQ(field[x][15 - x], 1) << x;
  field.fill(0);
  drawLine(16, 16, field, INT_MIN + 1, INT_MIN + 1, INT_MIN + 5, INT_MAX - 1);  // passes the picture by
  drawLine(16, 16, field, 3, INT_MIN + 1, 4, INT_MAX - 1);  // steep: x becomes 4 half way, at y = 0
  double sum = 0;
  for (int x = 0; x < 16; ++x)
    for (int y = 0; y < 16; ++y) sum += field[x][y];
  EXPECT_EQ(sum, 16);
  for (int y = 0; y < 16; ++y) EXPECT_EQ(field[4][y], 1) << y;
}

}  // namespace
}  // namespace orlenza
