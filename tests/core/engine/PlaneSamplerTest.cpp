#include "core/engine/PlaneSampler.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

namespace orlenza {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

View flipped(bool flipH, bool flipV) { return View(0, 0, 1, 0, flipH, flipV); }

TEST(PlaneSampler, PixelsToPlanePoints) {
  struct Case {
    char const* what;
    View view;
    int width, height, x, y;
    double planeX, planeY;
  };
  // step = 2 * size / shorter side: 0.02 for 100 x 100 and for 200 x 100.
  Case const cases[] = {
      {"centre pixel", View(), 100, 100, 50, 50, 0, 0},
      {"left edge", View(), 100, 100, 0, 50, -1, 0},
      {"last pixel", View(), 100, 100, 99, 99, 49 * 0.02, -49 * 0.02},
      {"flipH mirrors x", flipped(true, false), 100, 100, 0, 50, 1, 0},
      {"flipV mirrors y", flipped(false, true), 100, 100, 50, 0, 0, -1},
      {"both flips", flipped(true, true), 100, 100, 99, 99, -49 * 0.02, 49 * 0.02},
      {"wide: left edge is twice as far", View(), 200, 100, 0, 50, -2, 0},
      {"tall: shorter side is the width", View(), 50, 100, 0, 0, -1, 2},
      {"odd size: centre is width/2", View(), 3, 3, 1, 1, 0, 0},
      {"offset centre, size 2", View(3, -4, 2, 0, false, false), 10, 10, 0, 0, 3 - 2, -4 + 2},
      // The positive angle: at 90 the left edge (-1, 0) turns to (0, 1), the top edge (0, 1) to (1, 0).
      {"turned left edge", View(0, 0, 1, 90, false, false), 100, 100, 0, 50, 0, 1},
      {"turned top edge", View(0, 0, 1, 90, false, false), 100, 100, 50, 0, 1, 0},
  };
  for (Case const& c : cases) {
    SCOPED_TRACE(c.what);
    Coord2D const p = PlaneSampler(c.view, c.width, c.height).getXY(c.x, c.y);
    EXPECT_NEAR(p.x, c.planeX, 1e-9);  // the formulas' pi is rounded: cos 90 is 2e-10
    EXPECT_NEAR(p.y, c.planeY, 1e-9);
  }
}

TEST(PlaneSampler, SizesBelowOneCountAsOne) {
  EXPECT_EQ(PlaneSampler(View(), 0, -5).getStep(), 2);
}

TEST(PlaneSampler, PlaneToPixelInvertsPixelToPlane) {
  struct Size {
    int width, height;
  };
  for (double angle : {0.0, 30.0, 90.0, -135.0, 360.0, 77.7, -359.9}) {
    for (int flags = 0; flags < 4; ++flags) {
      View const view(0.3, -2, 0.5, angle, flags & 1, flags & 2);
      for (Size size : {Size{1, 1}, Size{7, 3}, Size{100, 100}, Size{200, 100}, Size{3, 201}}) {
        PlaneSampler const sampler(view, size.width, size.height);
        for (int x = 0; x < size.width; ++x) {
          for (int y = 0; y < size.height; ++y) {
            Coord2D const p = sampler.getXY(x, y);
            int h = -7, v = -7;
            ASSERT_TRUE(sampler.getHV(p.x, p.y, &h, &v)) << angle << " " << flags << " " << x << "," << y;
            ASSERT_EQ(h, x);
            ASSERT_EQ(v, y);
          }
        }
      }
    }
  }
}

TEST(PlaneSampler, PointsOutsideOrBeyondIntegers) {
  struct Case {
    char const* what;
    View view;
    int width, height;
    double px, py;
    bool inside;
    int x, y;
  };
  // 100 x 100 default view: x = trunc(px / 0.02 + 50.5), y = trunc(-py / 0.02 + 50.5).
  // 2 x 2 with size 1: step 1, x = trunc(px + 1.5), y = trunc(-py + 1.5).
  Case const cases[] = {
      {"right of the picture", View(), 100, 100, 2, 0, false, 150, 50},
      {"last column and row", View(), 100, 100, 0.98, -0.98, true, 99, 99},
      {"one pixel past the right edge", View(), 100, 100, 1, 0, false, 100, 50},
      {"one pixel past the bottom edge", View(), 100, 100, 0, -1, false, 50, 100},
      {"left: truncated toward zero", View(), 100, 100, -1.5, 0, false, -24, 50},
      {"below", View(), 100, 100, 0, -1.5, false, 50, 125},
      {"NaN x (NaN * sin 0 is NaN too)", View(), 100, 100, kNaN, 0, false, -1, -1},
      {"infinite x", View(), 100, 100, kInf, 0, false, INT_MAX, -1},
      {"huge x", View(), 100, 100, 1e300, 0, false, INT_MAX, 50},
      {"huge on both sides", View(), 100, 100, -1e300, 1e300, false, INT_MIN, INT_MIN},
      {"largest int", View(0, 0, 1, 0, false, false), 2, 2, 2147483646.0, 0, false, INT_MAX, 1},
      {"one past the largest int", View(0, 0, 1, 0, false, false), 2, 2, 2147483647.0, 0, false, INT_MAX, 1},
      {"smallest int", View(0, 0, 1, 0, false, false), 2, 2, -2147483650.0, 0, false, INT_MIN, 1},
      {"one below the smallest int", View(0, 0, 1, 0, false, false), 2, 2, -2147483651.0, 0, false, INT_MIN, 1},
  };
  for (Case const& c : cases) {
    SCOPED_TRACE(c.what);
    int x = 12345, y = 12345;
    EXPECT_EQ(PlaneSampler(c.view, c.width, c.height).getHV(c.px, c.py, &x, &y), c.inside);
    EXPECT_EQ(x, c.x);
    EXPECT_EQ(y, c.y);
  }
}

}  // namespace
}  // namespace orlenza
