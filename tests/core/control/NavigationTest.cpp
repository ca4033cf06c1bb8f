#include <gtest/gtest.h>

#include <cmath>

#include "DrawingSession.h"
#include "core/engine/ImageComputator.h"
#include "core/engine/PlaneSampler.h"

namespace orlenza {
namespace {

using NavigationTest = DrawingSessionTest;

TEST_F(NavigationTest, ZoomKeepsSignificantDigitsAndReturns) {
  useSmallPictures();
  double const start = drawn()->getCore().getView().getSize();
  int const computed = window.computations;
  controller->zoomInImage();
  EXPECT_EQ(window.computations, computed + 1);
  EXPECT_NEAR(drawn()->getCore().getView().getSize(), start * 0.4000000059604645, start * 1e-9);
  EXPECT_EQ(DrawingUndo::getManager().undoItemText(), "Undo Zoom");
  controller->zoomOutImage();
  EXPECT_NEAR(drawn()->getCore().getView().getSize(), start, start * 1e-9);

  // 25 zooms in: 2.2 * 0.4^25 is about 2.5e-10, which ten decimals would write
  // as 0.0000000003 (and five more zooms as 0).
  for (int i = 0; i < 25; ++i) controller->zoomInImage();
  double const expected = start * std::pow(0.4000000059604645, 25);
  double const size = drawn()->getCore().getView().getSize();
  EXPECT_GT(size, 0.0);
  EXPECT_NEAR(size / expected, 1.0, 1e-8);
  EXPECT_NE(main().fieldText(WindowField::Size), "0.0000000000");
  EXPECT_NEAR(parseFieldNumber(main().fieldText(WindowField::Size)) / expected, 1.0, 1e-8);
  EXPECT_EQ(window.computations, computed + 27);
}

TEST_F(NavigationTest, RubberBandAndDragMoveTheView) {
  controller->setDrawingSizeAndRecompute(2);  // 400 x 400
  View const before = drawn()->getCore().getView();
  // 100 wide, 50 high around the centre pixel: the width ratio, the centre stays.
  controller->zoomImage(Rect{175, 150, 225, 250});
  View after = drawn()->getCore().getView();
  EXPECT_DOUBLE_EQ(after.getSize(), before.getSize() * 0.25);
  EXPECT_NEAR(after.getCenterX(), before.getCenterX(), 1e-12);
  EXPECT_NEAR(after.getCenterY(), before.getCenterY(), 1e-12);

  // 50 wide, 200 high: the height ratio.
  double const size = after.getSize();
  controller->zoomImage(Rect{0, 0, 200, 50});
  after = drawn()->getCore().getView();
  EXPECT_DOUBLE_EQ(after.getSize(), size * 0.5);
  EXPECT_LT(after.getCenterX(), before.getCenterX());  // the left part of the picture

  // Dragging 20 pixels to the right moves the centre 20 pixels' distance to the left.
  View const beforeMove = drawn()->getCore().getView();
  PlaneSampler const sampler(beforeMove, 400, 400);
  controller->moveImage(Point{10, 10}, Point{30, 10});
  View const moved = drawn()->getCore().getView();
  EXPECT_NEAR(moved.getCenterX(), beforeMove.getCenterX() - 20 * sampler.getStep(), 1e-12);
  EXPECT_NEAR(moved.getCenterY(), beforeMove.getCenterY(), 1e-12);
  EXPECT_DOUBLE_EQ(moved.getSize(), beforeMove.getSize());
  // Neither pushes an undo entry.
  EXPECT_FALSE(DrawingUndo::getManager().canUndo());
}

TEST_F(NavigationTest, MirrorWorksOnTheFieldUnlessAnEditIsPending) {
  useSmallPictures();
  int const computed = window.computations;
  std::vector<double> const original = cells();
  std::vector<RGBColor> const shown = pixels();
  int const w = controller->getCurrentImageWidth();
  int const h = controller->getCurrentImageHeight();

  controller->flipImageHorizontal(false);
  EXPECT_TRUE(drawn()->getCore().getView().getFlipH());
  EXPECT_TRUE(main().flipH());
  EXPECT_TRUE(controller->getImageWindow().flipH());
  std::vector<RGBColor> const mirrored = pixels();
  for (int y = 0; y < h; y += 7)
    for (int x = 0; x < w; x += 5)
      EXPECT_EQ(mirrored[y * w + x], shown[y * w + (w - 1 - x)]) << x << "," << y;
  EXPECT_FALSE(main().drawButtonActive());

  // The check box already shows the new state: the variant with true.
  main().setFlipBoxes(false, false);
  controller->flipImageHorizontal(true);
  EXPECT_FALSE(drawn()->getCore().getView().getFlipH());
  EXPECT_TRUE(sameCells(cells(), original));
  EXPECT_EQ(pixels(), shown);

  controller->flipImageVertical(false);
  controller->flipImageVertical(false);
  EXPECT_TRUE(sameCells(cells(), original));
  EXPECT_EQ(window.computations, computed);
  EXPECT_EQ(DrawingUndo::getManager().undoCount(), 4u);
  EXPECT_EQ(DrawingUndo::getManager().undoItemText(), "Undo Mirror");

  // A pending edit: the controls are drawn as they are, mirror flag and edit together.
  main().typeIntoField(WindowField::CenterY, "0.25");
  controller->flipImageVertical(false);
  EXPECT_EQ(window.computations, computed + 1);
  EXPECT_DOUBLE_EQ(drawn()->getCore().getView().getCenterY(), 0.25);
  EXPECT_FALSE(drawn()->getCore().getView().getFlipV());
}

TEST_F(NavigationTest, ResetShowsTheDefaultViewAndUndoOrBackReturns) {
  useSmallPictures();
  controller->zoomInImage();
  controller->moveImage(Point{0, 0}, Point{10, 5});
  View const zoomed = drawn()->getCore().getView();
  std::size_t const history = main().backHistory().size();

  controller->resetCommand();
  View const defaultView = AbstractImageComputator::getComputatorFromID("EscParams")->getDefaultView();
  EXPECT_EQ(drawn()->getCore().getView(), defaultView);
  EXPECT_EQ(main().fieldText(WindowField::Size), formatSignificant(defaultView.getSize(), 10));
  EXPECT_EQ(main().backHistory().size(), history + 1);
  // The history entry keeps the view it had.
  EXPECT_EQ(main().backHistory().top()->getCore().getView(), zoomed);
  EXPECT_FALSE(main().drawButtonActive());
  EXPECT_EQ(controller->getCurrentSnap()->getCore().getView(), defaultView);

  controller->doUndo();
  EXPECT_EQ(drawn()->getCore().getView(), zoomed);
  EXPECT_EQ(DrawingUndo::getManager().redoItemText(), "Redo Reset View");
  controller->doRedo();
  EXPECT_EQ(drawn()->getCore().getView(), defaultView);

  controller->goToPreviousSnapshot();
  EXPECT_EQ(drawn()->getCore().getView(), zoomed);
}

}  // namespace
}  // namespace orlenza
