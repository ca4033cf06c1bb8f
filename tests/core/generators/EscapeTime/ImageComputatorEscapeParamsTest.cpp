#include "core/generators/EscapeTime/ImageComputatorEscapeParams.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <typeinfo>
#include <vector>

#include "core/CoreRegistration.h"
#include "core/generators/EscapeTime/EscapeReference.h"
#include "core/generators/EscapeTime/SnapshotEscapeParams.h"
#include "core/generators/GeneratorTestSupport.h"
#include "core/geometry/GeometryDisk.h"
#include "core/geometry/GeometryNfold.h"
#include "core/model/SnapshotKind.h"

namespace orlenza {
namespace {

using gen_test::CountingNotifier;

using escape_test::Coefficients;
using escape_test::referenceDwell;
using escape_test::referencePoint;
using Step = escape_test::Point;

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

}  // namespace
}  // namespace orlenza
