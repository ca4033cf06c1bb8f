#include "core/generators/Grid/ImageComputatorGrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <typeinfo>
#include <vector>

#include "core/CoreRegistration.h"
#include "core/generators/Grid/SnapshotGrid.h"
#include "core/generators/Halley/SnapshotHalley.h"
#include "core/geometry/GeometrySwirl.h"

namespace orlenza {
namespace {

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

SnapshotGrid gridIn(View const& view, GridParameters const& p = GridParameters()) {
  SnapshotCore core;
  core.setView(view);
  return SnapshotGrid("", core, p);
}

class ImageComputatorGridTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { registerCoreFamilies(); }
  ImageComputatorGrid& computator = ImageComputatorGrid::instance();
};

TEST_F(ImageComputatorGridTest, PixelsTakeTheLatticeValuesOfTheirPlanePoints) {
  EXPECT_EQ(AbstractImageComputator::getComputatorFromID("Grid"), &computator);
  EXPECT_TRUE(computator.getDefaultView() == View(0, 0, 2.5, 0, false, false));

  // 100 x 100 at size 2.5: a step of 0.05, pixel (50, 50) on the origin.
  RawField field(100, 100);
  CountingNotifier notifier;
  computator.computeImage(gridIn(computator.getDefaultView()), 100, 100, field, notifier, 1);
  EXPECT_EQ(notifier.totals, std::vector<long>{100});
  EXPECT_EQ(notifier.steps, 100);
  struct Sample {
    int x, y;
    double want;
  } const samples[] = {
      {50, 50, 1},     // the origin, on both lines
      {54, 50, 1},     // (0.2, 0) on a horizontal line
      {60, 40, 0},     // (0.5, 0.5)
      {60, 46, 0.04},  // (0.5, 0.2)
      {60, 54, 0.04},  // (0.5, -0.2)
      {47, 40, 0.16},  // (-0.15, 0.5)
      {70, 70, 1},     // (1, -1)
  };
  for (auto const& s : samples) EXPECT_NEAR(field[s.x][s.y], s.want, 1e-12) << s.x << ", " << s.y;

  // A smaller picture leaves the cells beyond it alone.
  RawField small(8, 8);
  small.fill(-1);
  computator.computeImage(gridIn(computator.getDefaultView()), 5, 3, small, notifier, 1);
  EXPECT_EQ(small[5][0], -1);
  EXPECT_EQ(small[0][3], -1);
  EXPECT_NE(small[4][2], -1);

  EXPECT_THROW(computator.computeImage(SnapshotHalley(), 4, 4, field, notifier), std::bad_cast);
}

TEST_F(ImageComputatorGridTest, ThreadsGiveTheSameFieldAndACancelStopsBetweenRows) {
  GridParameters p;
  p.mode = 5;
  p.checker = true;
  p.yDim = {0.3, 0.02, 0.2, 1.5};
  SnapshotGrid snapshot = gridIn(View(0.3, -0.2, 3, 30, true, false), p);
  auto swirl = std::make_shared<GeometrySwirl>();
  snapshot.getCore().setGeometry(swirl);

  RawField one(97, 61), many(97, 61);
  CountingNotifier n1, n4;
  computator.computeImage(snapshot, 97, 61, one, n1, 1);
  computator.computeImage(snapshot, 97, 61, many, n4, 4);
  EXPECT_EQ(std::memcmp(one.data(), many.data(), one.cellCount() * sizeof(double)), 0);

  RawField partial(20, 20);
  partial.fill(-1);
  CountingNotifier cancel(3);
  computator.computeImage(gridIn(View(0, 0, 2.5, 0, false, false)), 20, 20, partial, cancel, 1);
  EXPECT_EQ(cancel.steps, 3);
  for (int x = 0; x < 20; ++x) {
    for (int y = 0; y < 3; ++y) EXPECT_NE(partial[x][y], -1) << x << ", " << y;
    for (int y = 3; y < 20; ++y) EXPECT_EQ(partial[x][y], -1) << x << ", " << y;
  }
}

}  // namespace
}  // namespace orlenza
