#include "core/generators/EscapeTime/ImageComputatorEscapeParams.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <typeinfo>
#include <vector>

#include "core/CoreRegistration.h"
#include "core/generators/EscapeTime/SnapshotEscapeParams.h"
#include "core/generators/GeneratorTestSupport.h"
#include "core/geometry/GeometryDisk.h"
#include "core/geometry/GeometryNfold.h"
#include "core/model/SnapshotKind.h"

namespace orlenza {
namespace {

using gen_test::CountingNotifier;

using Coefficients = std::array<double, 12>;

// The quadratic map and its dwell, written out from the formulas: x' with the
// a coefficients, y' with the b ones, in the stated grouping; escape when
// x'^2 + y'^2 exceeds 1000^2; at most 1024 steps.
struct Step {
  double x, y;
};
Step mapOnce(Coefficients const& k, double x, double y) {
  return {(x * k[2] + k[1] + y * k[3]) * x + k[0] + (y * k[5] + k[4]) * y,
          (x * k[8] + k[7] + y * k[9]) * x + k[6] + (y * k[11] + k[10]) * y};
}

int referenceDwell(Coefficients const& k, double x, double y, std::vector<Step>* orbit = nullptr) {
  if (orbit) orbit->assign(1, Step{x, y});
  for (int n = 1; n <= 1024; ++n) {
    Step const next = mapOnce(k, x, y);
    if (next.x * next.x + next.y * next.y > 1000000.0) return n;
    if (orbit) orbit->push_back(next);
    x = next.x;
    y = next.y;
  }
  return 1024;
}

// The plane point of pixel (x, y): pixel (w/2, h/2) is the centre, rows grow
// downward, 2 * size spans the shorter side.
Step referencePoint(View const& v, int w, int h, int x, int y) {
  double const step = 2 * v.getSize() / std::min(w, h);
  double const a = v.getFlipH() ? w / 2 - x : x - w / 2;
  double const b = v.getFlipV() ? y - h / 2 : h / 2 - y;
  double const theta = v.getAngle() / 180 * 3.141592654;
  double const c = std::cos(theta), s = std::sin(theta);
  double const u = a * step, t = b * step;
  return {v.getCenterX() + u * c + t * s, v.getCenterY() + t * c - u * s};
}

class ImageComputatorEscapeParamsTest : public gen_test::CoreTest {
 protected:
  static SnapshotEscapeParams snapshot(View const& view, Coefficients const& k, std::string analyzer = "OA_Dwell") {
    SnapshotCore core;
    core.setView(view);
    EscapeParameters parameters;
    parameters.coefficients = k;
    parameters.analyzerID = std::move(analyzer);
    return SnapshotEscapeParams("", core, parameters);
  }

  static Coefficients defaults() { return EscapeParameters().coefficients; }

  ImageComputatorEscapeParams& computator = ImageComputatorEscapeParams::instance();
};

TEST_F(ImageComputatorEscapeParamsTest, RegisteredWithItsDefaultView) {
  EXPECT_EQ(AbstractImageComputator::getComputatorFromID("EscParams"), &computator);
  EXPECT_TRUE(computator.getDefaultView() == View(0, 0, 5, 0, false, false));
}

TEST_F(ImageComputatorEscapeParamsTest, DwellsMatchThePlainMap) {
  struct Case {
    View view;
    int width, height;
  } const cases[] = {
      {View(0.723631, -0.396063, 0.058555, 0, false, true), 40, 30},  // the default picture
      {View(-0.2, 0.1, 1.5, 30, true, false), 20, 24},               // turned and mirrored
      {View(0, 0, 2, 0, false, false), 1, 1},
  };
  for (auto const& c : cases) {
    auto const s = snapshot(c.view, defaults());
    RawField field(c.width, c.height);
    CountingNotifier notifier;
    computator.computeImage(s, c.width, c.height, field, notifier, 1);
    EXPECT_EQ(notifier.totals, std::vector<long>{c.height});
    int escapedEarly = 0;
    for (int x = 0; x < c.width; ++x)
      for (int y = 0; y < c.height; ++y) {
        Step const p = referencePoint(c.view, c.width, c.height, x, y);
        int const expected = referenceDwell(defaults(), p.x, p.y);
        ASSERT_EQ(field[x][y], expected) << x << "," << y;
        escapedEarly += expected < 1024;
      }
    if (c.width * c.height > 1) {
      EXPECT_GT(escapedEarly, 0);
    }
  }
}

TEST_F(ImageComputatorEscapeParamsTest, AnalyzersReadTheRecordedOrbit) {
  View const view(0, 0, 1.5, 0, false, false);
  int const w = 9, h = 7;
  // OA_Real is |x| of the last recorded point; OA_Dwell on an orbit would be
  // its length - 1, but the dwell analyzer takes the step count instead.
  RawField real(w, h), dwell(w, h), unknown(w, h);
  CountingNotifier n1, n2, n3;
  computator.computeImage(snapshot(view, defaults(), "OA_Real"), w, h, real, n1, 1);
  computator.computeImage(snapshot(view, defaults(), "OA_Dwell"), w, h, dwell, n2, 1);
  computator.computeImage(snapshot(view, defaults(), "OA_NotRegistered"), w, h, unknown, n3, 1);
  for (int x = 0; x < w; ++x)
    for (int y = 0; y < h; ++y) {
      Step const p = referencePoint(view, w, h, x, y);
      std::vector<Step> orbit;
      int const n = referenceDwell(defaults(), p.x, p.y, &orbit);
      EXPECT_EQ(real[x][y], std::fabs(orbit.back().x)) << x << "," << y;
      EXPECT_EQ(dwell[x][y], n);
      EXPECT_EQ(unknown[x][y], n);  // an unknown analyzer computes as the dwell
    }
}

TEST_F(ImageComputatorEscapeParamsTest, NonFinitePointsAreNaNAndThreadsChangeNoBit) {
  // The disk geometry maps its centre to NaN; the n-fold one folds the rest.
  auto disk = snapshot(View(0, 0, 2, 0, false, false), defaults(), "OA_Distance");
  disk.getCore().setGeometry(std::make_shared<GeometryDisk>());
  auto nfold = snapshot(View(0.1, -0.2, 1.7, 12, true, true), defaults(), "OA_Harmonic");
  nfold.getCore().setGeometry(std::make_shared<GeometryNfold>(5, true, 10));
  // Right of the centre the plane x passes the largest double.
  auto huge = snapshot(View(1.7e308, 0, 1e307, 0, false, false), defaults());
  RawField field(101, 67);
  gen_test::expectSameOnAnyThreadCount(computator, nfold, 101, 67, field);
  gen_test::expectSameOnAnyThreadCount(computator, disk, 101, 67, field);
  EXPECT_TRUE(std::isnan(field[50][33]));  // the centre pixel
  EXPECT_FALSE(std::isnan(field[10][10]));
  gen_test::expectSameOnAnyThreadCount(computator, huge, 101, 67, field);
  EXPECT_TRUE(std::isnan(field[100][0]));
  // Finite, but its first iterate is inf - inf: NaN never escapes.
  Step const corner = referencePoint(huge.getCore().getView(), 101, 67, 0, 0);
  EXPECT_TRUE(std::isfinite(corner.x));
  EXPECT_EQ(field[0][0], referenceDwell(defaults(), corner.x, corner.y));
  EXPECT_EQ(field[0][0], 1024);
  EXPECT_EQ(field[50][33], referenceDwell(defaults(), 1.7e308, 0));
}

TEST_F(ImageComputatorEscapeParamsTest, CancelForeignKindAndSizes) {
  auto const s = snapshot(View(0, 0, 2, 0, false, false), defaults());
  gen_test::expectCancelForeignKindAndSizes(computator, s, 3);
  // Several threads stop too (rows in flight may finish).
  RawField wide(2048, 64);
  CountingNotifier early(1);
  computator.computeImage(s, 2048, 64, wide, early, 4);
  EXPECT_LT(early.steps, 64);
}

}  // namespace
}  // namespace orlenza
