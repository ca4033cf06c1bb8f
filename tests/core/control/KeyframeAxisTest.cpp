#include "core/control/KeyframeAxis.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orlenza {
namespace {

KeyframePosition at(int steps) { return KeyframePosition::fromSteps(steps); }
KeyframeAxisEntry colour(std::uint16_t grey) { return {RGBColor{grey, grey, grey}, nullptr}; }

// Records the gestures; an accepted add puts the entry on the axis, as the editors do.
class RecordingController : public KeyframeAxisController {
 public:
  explicit RecordingController(KeyframeAxis& axis) : m_axis(axis) {}
  bool entryAdded(KeyframePosition pos) override {
    calls.push_back("add " + std::to_string(pos.getSteps()));
    if (acceptAdd) m_axis.addEntry(pos, colour(7));
    return acceptAdd;
  }
  void currentSelectionChanged(KeyframePosition pos) override {
    calls.push_back("select " + std::to_string(pos.getSteps()));
  }
  void entryMoved(KeyframePosition from, KeyframePosition to) override {
    calls.push_back("move " + std::to_string(from.getSteps()) + " " + std::to_string(to.getSteps()));
  }

  bool acceptAdd = true;
  std::vector<std::string> calls;

 private:
  KeyframeAxis& m_axis;
};

// 400 x 80: the axis spans 368 pixels at zoom 1, entries sit 32 pixels down.
struct AxisFixture {
  explicit AxisFixture(KeyframeAxis::Ends ends) : axis(ends), controller(axis) {
    axis.setController(&controller);
    axis.setViewSize(400, 80);
  }
  KeyframeAxis axis;
  RecordingController controller;
};

TEST(KeyframeAxisTest, GeometryZoomAndScrollOrigin) {
  AxisFixture f(KeyframeAxis::Ends::fixed);
  KeyframeAxis& axis = f.axis;
  EXPECT_FLOAT_EQ(axis.xOfPosition(at(0)), 16);
  EXPECT_FLOAT_EQ(axis.xOfPosition(at(10000)), 384);
  EXPECT_EQ(axis.entryRect(at(5000)), (AxisRect{192, 24, 16, 16}));
  EXPECT_EQ(axis.positionOfX(-40), at(0));
  EXPECT_EQ(axis.positionOfX(900), at(10000));

  for (int i = 0; i < 6; ++i) axis.zoomIn();
  EXPECT_EQ(axis.zoom(), 5);
  EXPECT_TRUE(axis.isFullyZoomedIn());
  EXPECT_FLOAT_EQ(axis.maxScrollOrigin(), 1600);
  EXPECT_FLOAT_EQ(axis.scrollLineStep(), 160);
  axis.zoomOut();
  axis.zoomOut();  // 3: content 1200
  axis.scrollTo(5000);
  EXPECT_FLOAT_EQ(axis.scrollOrigin(), 800);
  axis.scrollTo(300);
  axis.zoomOut();  // 2: 300 + 400 still inside 800, the view stays
  EXPECT_FLOAT_EQ(axis.scrollOrigin(), 300);
  // (300 + 84 - 16) / (800 - 32) = 0.47916..., truncated to steps.
  EXPECT_EQ(axis.positionOfX(84), at(4791));
  axis.scrollTo(400);
  axis.zoomOut();  // 1: content ends before the view's right edge, back to 0
  EXPECT_FLOAT_EQ(axis.scrollOrigin(), 0);
  axis.zoomOut();
  EXPECT_EQ(axis.zoom(), 1);
  EXPECT_TRUE(axis.isFullyZoomedOut());
  axis.scrollTo(10);
  EXPECT_FLOAT_EQ(axis.scrollOrigin(), 0);
}

TEST(KeyframeAxisTest, HitTestSelectionAndPositionField) {
  AxisFixture f(KeyframeAxis::Ends::fixed);
  KeyframeAxis& axis = f.axis;
  // 100 steps are 3.68 pixels: the two boxes overlap.
  axis.setEntries({{at(0), colour(0)}, {at(5000), colour(1)}, {at(5100), colour(2)}, {at(10000), colour(3)}});
  struct Case {
    float x, y;
    std::optional<KeyframePosition> hit;
  };
  for (Case const& c : {Case{201, 32, at(5100)}, Case{193, 32, at(5000)}, Case{199, 39.9f, at(5100)},
                        Case{201, 40, std::nullopt}, Case{8, 24, at(0)}, Case{7.9f, 30, std::nullopt},
                        Case{391.9f, 30, at(10000)}, Case{392, 30, std::nullopt}})
    EXPECT_EQ(axis.entryFromPoint(c.x, c.y), c.hit) << c.x << "," << c.y;

  axis.mousePress(201, 32, false, 0);
  axis.mouseRelease(201, 32, 50);
  EXPECT_EQ(axis.selection(), at(5100));
  EXPECT_EQ(axis.positionText(), "0.5100");
  EXPECT_TRUE(axis.positionFieldEnabled());
  axis.mousePress(300, 32, false, 100);  // empty axis deselects
  axis.mouseRelease(300, 32, 150);
  EXPECT_FALSE(axis.selection().isValid());
  EXPECT_EQ(axis.positionText(), "");
  EXPECT_FALSE(axis.positionFieldEnabled());
  EXPECT_EQ(f.controller.calls, (std::vector<std::string>{"select 5100", "select -1"}));
  EXPECT_EQ(KeyframeAxis::formatPosition(at(7)), "0.0007");
  EXPECT_EQ(KeyframeAxis::formatPosition(at(10000)), "1.0000");

  // Zoomed and scrolled: the entry at 0.5 sits at content x 400, window x 300;
  // the one at 0.51 now starts at 399.68.
  axis.zoomIn();
  axis.scrollTo(100);
  EXPECT_EQ(axis.entryFromPoint(298, 32), at(5000));
  EXPECT_EQ(axis.entryFromPoint(300, 32), at(5100));
}

TEST(KeyframeAxisTest, AltClickAddsOnlyOnAFreePlaceTheControllerAccepts) {
  AxisFixture f(KeyframeAxis::Ends::fixed);
  KeyframeAxis& axis = f.axis;
  axis.setEntries({{at(0), colour(0)}, {at(10000), colour(1)}});
  axis.mousePress(200, 32, true, 0);
  axis.mouseRelease(200, 32, 10);  // (200 - 16) / 368 = 0.5
  EXPECT_TRUE(axis.hasEntry(at(5000)));
  EXPECT_EQ(axis.selection(), at(5000));
  f.controller.acceptAdd = false;  // the colour picker was cancelled
  axis.mousePress(100, 32, true, 20);
  axis.mouseRelease(100, 32, 30);
  EXPECT_EQ(axis.selection(), at(5000));
  axis.mousePress(200, 10, true, 40);  // occupied: the controller is not asked
  axis.mouseRelease(200, 10, 50);
  axis.mousePress(-30, 10, true, 40);  // left of the axis: the fixed end at 0
  axis.mouseRelease(-30, 10, 50);
  EXPECT_EQ(f.controller.calls, (std::vector<std::string>{"add 5000", "select 5000", "add 2282"}));
  EXPECT_EQ(axis.entries().size(), 3u);
}

TEST(KeyframeAxisTest, DragWaitsAfterSelectingAndPutsBackOnATakenPlace) {
  AxisFixture g(KeyframeAxis::Ends::fixed);
  g.axis.setEntries({{at(0), colour(0)}, {at(5000), colour(1)}, {at(10000), colour(2)}});
  // A gradation end never moves.
  g.axis.mousePress(16, 32, false, 0);
  g.axis.mouseMove(100, 32, 1000);
  g.axis.mouseRelease(100, 32, 1000);
  EXPECT_TRUE(g.axis.hasEntry(at(0)));
  EXPECT_EQ(g.axis.selection(), at(0));

  AxisFixture t(KeyframeAxis::Ends::moveable);
  KeyframeAxis& axis = t.axis;
  axis.setEntries({{at(0), colour(0)}, {at(5000), colour(1)}, {at(10000), colour(2)}});
  // Before the wait the entry stays; after it the drag begins.
  axis.mousePress(16, 32, false, 0);
  axis.mouseMove(60, 32, KeyframeAxis::k_dragDelayMs - 1);
  EXPECT_FALSE(axis.isDragging());
  axis.mouseMove(62, 32, KeyframeAxis::k_dragDelayMs);
  EXPECT_TRUE(axis.isDragging());
  EXPECT_FALSE(axis.hasEntry(at(0)));
  EXPECT_EQ(axis.dragPosition(), at(1250));  // (62 - 16) / 368
  EXPECT_EQ(axis.positionText(), "0.1250");
  axis.mouseMove(200, 32, 400);  // over the entry at 0.5: the drawn place stays
  EXPECT_EQ(axis.dragPosition(), at(1250));
  axis.mouseRelease(200, 32, 410);  // released there: back to 0
  EXPECT_TRUE(axis.hasEntry(at(0)));
  EXPECT_EQ(axis.selection(), at(0));

  // Already selected: no wait. Held without moving: nothing moves.
  axis.mousePress(16, 32, false, 500);
  axis.mouseRelease(16, 32, 2000);
  axis.mousePress(16, 32, false, 2100);
  axis.mouseMove(108, 32, 2101);
  axis.mouseRelease(108, 32, 2102);  // (108 - 16) / 368 = 0.25
  EXPECT_EQ(axis.entries().begin()->first, at(2500));
  EXPECT_EQ(axis.selection(), at(2500));
  EXPECT_EQ(t.controller.calls, (std::vector<std::string>{"select 0", "select 2500", "move 0 2500"}));
}

TEST(KeyframeAxisTest, ModelOperationsKeepEntriesAndSelectionInStep) {
  AxisFixture f(KeyframeAxis::Ends::fixed);
  KeyframeAxis& axis = f.axis;
  axis.setEntries({{at(0), colour(0)}, {at(3000), colour(1)}, {at(6000), colour(2)}, {at(10000), colour(3)}});
  axis.setSelection(at(3000));
  EXPECT_FALSE(axis.moveSelectedEntryTo(at(6000)));  // would lose the entry there
  EXPECT_TRUE(axis.moveSelectedEntryTo(at(4000)));
  EXPECT_EQ(axis.entries().at(at(4000)), colour(1));
  EXPECT_EQ(axis.selection(), at(4000));
  axis.setSelection(at(10000));
  EXPECT_FALSE(axis.moveSelectedEntryTo(at(9000)));  // a fixed end
  axis.addEntry(at(6000), colour(9));  // replaces
  EXPECT_FALSE(axis.replaceEntry(at(7000), colour(9)));
  EXPECT_EQ(axis.entries().size(), 4u);
  axis.setSelection(at(6000));
  axis.removeEntry(at(6000));
  EXPECT_FALSE(axis.selection().isValid());
  EXPECT_EQ(f.controller.calls, (std::vector<std::string>{"select 4000"}));
}

}  // namespace
}  // namespace orlenza
