#include "core/generators/Curves/ImageComputatorCurves.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <typeinfo>
#include <vector>

#include "core/CoreRegistration.h"
#include "core/generators/Curves/SnapshotCurves.h"
#include "core/generators/Halley/SnapshotHalley.h"
#include "core/geometry/GeometrySwirl.h"

namespace orlenza {
namespace {

using P = CurvesParameters;

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

// x = sin(theta), y = cos(theta): with 4 points the top, right, bottom and left
// of the unit circle, at pixels (50, 25), (75, 50), (50, 75), (25, 50) of a
// 100 x 100 picture of size 2.
P circle(unsigned points, bool connect) {
  P p;
  p.numPoints = points;
  p.connect = connect;
  p.xCombination = p.yCombination = 0;
  p.xCoords.terms[0] = {1, 0};
  p.yCoords.terms[0] = {1, 0.5};
  return p;
}

SnapshotCurves curvesIn(View const& view, P const& p) {
  SnapshotCore core;
  core.setView(view);
  return SnapshotCurves("", core, p);
}

double sumOf(RawField const& field) {
  double sum = 0;
  for (int x = 0; x < field.width(); ++x)
    for (int y = 0; y < field.height(); ++y) sum += field[x][y];
  return sum;
}

class ImageComputatorCurvesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { registerCoreFamilies(); }
  ImageComputatorCurves& computator = ImageComputatorCurves::instance();
  View const square{0, 0, 2, 0, false, false};
  RawField field{100, 100};
};

TEST_F(ImageComputatorCurvesTest, DotsAndLinesCountTheirHits) {
  EXPECT_EQ(AbstractImageComputator::getComputatorFromID("Curves"), &computator);
  EXPECT_TRUE(computator.getDefaultView() == View(0, 0, 1, 0, false, false));

  CountingNotifier notifier;
  computator.computeImage(curvesIn(square, circle(4, false)), 100, 100, field, notifier);
  EXPECT_EQ(notifier.totals, std::vector<long>{4});
  EXPECT_EQ(notifier.steps, 4);
  for (auto [x, y] : {std::pair{50, 25}, {75, 50}, {50, 75}, {25, 50}}) EXPECT_EQ(field[x][y], 1) << x << ", " << y;
  EXPECT_EQ(sumOf(field), 4);

  // Joined: four diagonals of 25 pixels; the first point also counts as the dot it starts with.
  computator.computeImage(curvesIn(square, circle(4, true)), 100, 100, field, notifier);
  EXPECT_EQ(sumOf(field), 101);
  EXPECT_EQ(field[50][25], 2);
  EXPECT_EQ(field[75][50], 1);
  EXPECT_EQ(field[62][37], 1);  // on the first diagonal
  EXPECT_EQ(field[37][38], 1);  // on the closing one

  // Every point on one pixel.
  P still = circle(7, false);
  still.yCoords.terms[0] = {0, 0};
  still.xCoords.terms[0] = {0, 0};
  computator.computeImage(curvesIn(square, still), 100, 100, field, notifier);
  EXPECT_EQ(field[50][50], 7);
  EXPECT_EQ(sumOf(field), 7);

  // No points: all 0, even joined, and a field that held values is cleared.
  field.fill(5);
  CountingNotifier none;
  computator.computeImage(curvesIn(square, circle(0, true)), 100, 100, field, none);
  EXPECT_EQ(none.totals, std::vector<long>{0});
  EXPECT_EQ(sumOf(field), 0);

  EXPECT_THROW(computator.computeImage(SnapshotHalley(), 4, 4, field, notifier), std::bad_cast);
}

TEST_F(ImageComputatorCurvesTest, CancelGeometryAndPointsFarAway) {
  CountingNotifier cancel(2);
  computator.computeImage(curvesIn(square, circle(4, true)), 100, 100, field, cancel);
  EXPECT_EQ(cancel.steps, 2);
  EXPECT_EQ(sumOf(field), 26);  // the first dot and the first line, no closing line

  // The geometry is not used.
  SnapshotCurves swirled = curvesIn(square, P());
  swirled.getCore().setGeometry(std::make_shared<GeometrySwirl>());
  RawField plain(100, 100);
  CountingNotifier n;
  computator.computeImage(swirled, 100, 100, field, n);
  computator.computeImage(curvesIn(square, P()), 100, 100, plain, n);
  EXPECT_EQ(std::memcmp(field.data(), plain.data(), field.cellCount() * sizeof(double)), 0);
  EXPECT_GT(sumOf(field), 300);

  // Zoomed in 2^20 times near a point of the curve: ends 1e8 pixels away, drawn at once.
  computator.computeImage(curvesIn(View(0, 1, 2.0 / 1048576, 0, false, false), circle(2000, true)), 100, 100, field,
                          n);
  EXPECT_GE(sumOf(field), 100);  // the circle's top runs across the picture
  EXPECT_LE(sumOf(field), 200);

  // Points without a pixel index (NaN, or beyond the int range) join no line.
  P broken = circle(50, true);
  broken.xCoords.terms[0].phase = std::numeric_limits<double>::quiet_NaN();
  computator.computeImage(curvesIn(square, broken), 100, 100, field, n);
  EXPECT_EQ(sumOf(field), 0);
  computator.computeImage(curvesIn(View(0, 0, 1e-300, 0, false, false), circle(50, true)), 100, 100, field, n);
  EXPECT_EQ(sumOf(field), 0);
}

}  // namespace
}  // namespace orlenza
