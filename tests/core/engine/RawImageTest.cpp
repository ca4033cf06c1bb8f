#include "core/engine/RawImage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "core/engine/ImageComputator.h"
#include "core/engine/Normalizer.h"
#include "core/engine/NullPtrException.h"
#include "core/engine/Postfiltering.h"
#include "core/model/GradationColouring.h"
#include "core/model/SnapshotKind.h"

namespace orlenza {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct NoParams {
  void outputParameters(std::ostream&) const {}
  void inputParameters(std::istream&) {}
  friend bool operator==(NoParams const&, NoParams const&) = default;
  void morph(NoParams const&, NoParams const&, double) {}
};

class FrameTestSnapshot final : public SnapshotKind<FrameTestSnapshot, NoParams> {
 public:
  static constexpr std::string_view kIdentifier = "FrameTestKind";
  using SnapshotKind::SnapshotKind;
};

// Fills cell (x, y) with x + 10 y and counts the notifier calls.
class RampComputator : public AbstractImageComputator {
 public:
  RampComputator() : AbstractImageComputator("FrameTestKind") {}
  void computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                    ComputationNotifier& notifier) override {
    (void)dynamic_cast<FrameTestSnapshot const&>(snapshot);
    computePixelRows(height, notifier, [&](int y, RowStop const&) {
      for (int x = 0; x < width; ++x) field[x][y] = x + 10 * y;
    });
  }
  View getDefaultView() const override { return View(); }
};

class CountingNotifier : public ComputationNotifier {
 public:
  long total = -1;
  int steps = 0;
  void initialize(long t) override { total = t; }
  void iterate() override { ++steps; }
  bool areWeCanceled() const override { return false; }
};

class RecordingDrawer : public ImageDrawer {
 public:
  struct Call {
    int x, y;
    RGBColor colour;
  };
  std::vector<Call> calls;
  void operator()(int x, int y, RGBColor const& colour) override { calls.push_back({x, y, colour}); }
};

class RawImageTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    registerAllPostfilters();
    registerAllNormalizers();
  }
};

std::shared_ptr<FrameTestSnapshot> newSnapshot() { return std::make_shared<FrameTestSnapshot>(); }

void fillColumns(RawField& field, std::vector<double> const& columnMajor) {
  ASSERT_EQ(columnMajor.size(), field.cellCount());
  std::copy(columnMajor.begin(), columnMajor.end(), field.data());
}

std::vector<double> cellsOf(RawField const& field) { return {field.data(), field.data() + field.cellCount()}; }

TEST_F(RawImageTest, SizeCopyAndSnapshot) {
  auto snapshot = newSnapshot();
  baseRawImage image(snapshot);
  EXPECT_EQ(image.getWidth(), 100);
  EXPECT_EQ(image.getHeight(), 100);
  EXPECT_TRUE(std::isnan(image.getField()[99][99]));

  image.setSize(2, 3);
  fillColumns(image.getField(), {1, 2, 3, 4, 5, 6});
  baseRawImage copy(image);  // a deep copy of the cells
  EXPECT_EQ(cellsOf(copy.getField()), cellsOf(image.getField()));
  copy.getField()[0][0] = 99;
  EXPECT_EQ(image.getField()[0][0], 1);

  View const view(1, 2, 3, 45, true, false);
  image.setView(view);
  EXPECT_EQ(snapshot->getCore().getView(), view);

  image.setSnapshot(newSnapshot());  // the cells stay, the view is the new one's
  EXPECT_EQ(image.getField()[0][1], 2);
  EXPECT_EQ(image.getView(), View());

  baseRawImage empty(nullptr);
  EXPECT_THROW(empty.getView(), NullPtrException);
  EXPECT_THROW(empty.setView(view), NullPtrException);
}

TEST_F(RawImageTest, FlipsMirrorTheCellsAndToggleTheFlags) {
  struct Case {
    char const* what;
    int width, height;
    bool horizontal;
    std::vector<double> before, after;  // column by column
  };
  std::vector<Case> const cases = {
      {"one pixel wide, horizontal", 1, 3, true, {1, 2, 3}, {1, 2, 3}},
      {"one pixel high, vertical", 3, 1, false, {1, 2, 3}, {1, 2, 3}},
      {"3 x 2 horizontal", 3, 2, true, {1, 2, 3, 4, 5, 6}, {5, 6, 3, 4, 1, 2}},
      {"4 x 1 horizontal: the middle columns swap too", 4, 1, true, {1, 2, 3, 4}, {4, 3, 2, 1}},
      {"2 x 3 vertical", 2, 3, false, {1, 2, 3, 4, 5, 6}, {3, 2, 1, 6, 5, 4}},
      {"1 x 4 vertical with NaN", 1, 4, false, {kNaN, 2, 3, kInf}, {kInf, 3, 2, kNaN}},
  };
  for (Case const& c : cases) {
    SCOPED_TRACE(c.what);
    auto snapshot = newSnapshot();
    baseRawImage image(snapshot);
    image.setSize(c.width, c.height);
    fillColumns(image.getField(), c.before);
    if (c.horizontal) {
      image.flipImageHorizontal();
    } else {
      image.flipImageVertical();
    }
    std::vector<double> const cells = cellsOf(image.getField());
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (std::isnan(c.after[i])) {
        EXPECT_TRUE(std::isnan(cells[i]));
      } else {
        EXPECT_EQ(cells[i], c.after[i]) << i;
      }
    }
    EXPECT_EQ(snapshot->getCore().getView().getFlipH(), c.horizontal);
    EXPECT_EQ(snapshot->getCore().getView().getFlipV(), !c.horizontal);
    if (c.horizontal) {
      image.flipImageHorizontal();
    } else {
      image.flipImageVertical();
    }
    EXPECT_EQ(snapshot->getCore().getView(), View());
  }
}

// Default core: no filters, "norm_lin" with norm 256, the gradation black, red,
// yellow, red, black at 0, 0.25, 0.5, 0.75, 1.
TEST_F(RawImageTest, DrawsColumnByColumnThroughTheGradation) {
  baseRawImage image(newSnapshot());
  image.setSize(2, 3);
  // column 0: 0, 64, 128; column 1: 32, 256, NaN
  fillColumns(image.getField(), {0, 64, 128, 32, 256, kNaN});
  RecordingDrawer drawer;
  image.drawShell(drawer);
  ASSERT_EQ(drawer.calls.size(), 6u);
  RGBColor const expected[] = {
      k_RGBblack, k_RGBred, k_RGByellow,
      RGBColor{32767, 0, 0},  // 0.125: half of red, truncated
      k_RGBblack,             // 1.0
      k_RGBblack,             // no value
  };
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(drawer.calls[i].x, i / 3);
    EXPECT_EQ(drawer.calls[i].y, i % 3);
    EXPECT_EQ(drawer.calls[i].colour, expected[i]) << i;
  }

  RawBitMap bitmap(4, 4);
  ASSERT_TRUE(bitmap.setSize(2, 3));
  image.drawRawImage(bitmap);
  // Row 0: (0, 0) black, (1, 0) half red; row 2: (0, 2) yellow, (1, 2) black.
  std::vector<std::uint32_t> words(bitmap.byteCount() / 4);
  std::memcpy(words.data(), bitmap.bytes(), bitmap.byteCount());
  std::vector<std::uint32_t> const expectedWords = {0xFF000000, 0xFF7F0000,   // row 0
                                                    0xFFFF0000, 0xFF000000,   // row 1
                                                    0xFFFFFF00, 0xFF000000};  // row 2
  EXPECT_EQ(words, expectedWords);

  RecordingDrawer nothing;
  baseRawImage(nullptr).drawShell(nothing);
  EXPECT_TRUE(nothing.calls.empty());
}

TEST_F(RawImageTest, NaNCellIsBlackWhateverTheSettings) {
  Gradation white;
  white.setColor(0.0, k_RGBwhite);
  struct Settings {
    char const* first;
    char const* second;
    char const* normalizer;
    double floor, ceiling;
  };
  for (Settings s : {Settings{"pf_none", "pf_none", "norm_lin", 0, 1},
                     Settings{"pf_AntialiasingHeavy", "pf_Minimum", "norm_inverse", 0.5, 0.5},
                     Settings{"pf_Kalei8", "pf_Derivative", "norm_modulo", 0, 0},
                     Settings{"pf_Minimum", "pf_Averager", "no-such-normalizer", 0.3, 0.9}}) {
    auto snapshot = newSnapshot();
    SnapshotCore& core = snapshot->getCore();
    core.setPostfilteringID(s.first);
    core.setPostfilteringParam(2);
    core.setSecondPostfilteringID(s.second);
    core.setNormalizerID(s.normalizer);
    core.setFloor(s.floor);
    core.setCeiling(s.ceiling);
    core.setGradationInfo(GradationInfo(white, 1, 0.5));
    baseRawImage image(snapshot);
    image.setSize(3, 3);
    fillColumns(image.getField(), {1, 2, 3, 4, kNaN, 6, 7, 8, 9});
    RecordingDrawer drawer;
    image.drawShell(drawer);
    ASSERT_EQ(drawer.calls.size(), 9u);
    EXPECT_EQ(drawer.calls[4].colour, k_RGBblack) << s.first << " " << s.second;
  }
}

TEST_F(RawImageTest, AveragerFirstWithAnyNaNBlackensEverything) {
  auto snapshot = newSnapshot();
  snapshot->getCore().setPostfilteringID("pf_Averager");
  baseRawImage image(snapshot);
  image.setSize(2, 2);
  fillColumns(image.getField(), {10, 20, kNaN, 40});
  RecordingDrawer drawer;
  image.drawShell(drawer);
  for (auto const& call : drawer.calls) EXPECT_EQ(call.colour, k_RGBblack);
}

}  // namespace
}  // namespace orlenza
