// Rules the studio's windows follow: the rubber band's shape, the tab an undo
// brings to the front, a click zoom, a new generator drawn at once, and a text
// for every item of the main window's menus.

#include <gtest/gtest.h>

#include "DrawingSession.h"
#include "UserSession.h"
#include "core/base/StringTable.h"
#include "core/control/ImageGestures.h"
#include "core/panes/GeneratorCatalogue.h"

namespace orlenza {
namespace {

TEST(RubberBand, ShapeFollowsThePreferenceAndShiftAndStaysInThePicture) {
  EXPECT_EQ(rubberBandShape(true, false), RubberBandShape::Centred);
  EXPECT_EQ(rubberBandShape(true, true), RubberBandShape::Corner);
  EXPECT_EQ(rubberBandShape(false, false), RubberBandShape::Corner);
  EXPECT_EQ(rubberBandShape(false, true), RubberBandShape::Centred);

  struct Case {
    Point click, mouse;
    RubberBandShape shape;
    Rect expected;  // top, left, bottom, right
  };
  Case const cases[] = {
      {{10, 20}, {40, 30}, RubberBandShape::Corner, {20, 10, 30, 40}},
      {{40, 30}, {10, 20}, RubberBandShape::Corner, {20, 10, 30, 40}},   // dragged up and left
      {{50, 50}, {60, 45}, RubberBandShape::Centred, {45, 40, 55, 60}},  // half sizes 10 and 5
      {{5, 95}, {20, 80}, RubberBandShape::Centred, {80, 0, 100, 20}},   // clamped to 100 x 100
      {{90, 90}, {150, -7}, RubberBandShape::Corner, {0, 90, 90, 100}},
  };
  for (Case const& c : cases) {
    Rect const band = rubberBandRect(c.click, c.mouse, c.shape, 100, 100);
    EXPECT_EQ(band.top, c.expected.top);
    EXPECT_EQ(band.left, c.expected.left);
    EXPECT_EQ(band.bottom, c.expected.bottom);
    EXPECT_EQ(band.right, c.expected.right);
    EXPECT_TRUE(rubberBandZooms(band));
  }
  // A click, or a band without width, does not zoom.
  EXPECT_FALSE(rubberBandZooms(rubberBandRect({7, 7}, {7, 7}, RubberBandShape::Centred, 100, 100)));
  EXPECT_FALSE(rubberBandZooms(rubberBandRect({7, 7}, {7, 40}, RubberBandShape::Corner, 100, 100)));
}

class StudioRulesTest : public DrawingSessionTest {};

TEST_F(StudioRulesTest, UndoBringsTheEditedControlsTabToTheFront) {
  useSmallPictures();
  UserSession play(*controller);
  play.type(WindowField::Norm, "3").type(WindowField::CenterX, "0.25").typeInPane(0, "0.5");
  play.chooseGeometry("geom_swirl");
  EXPECT_FALSE(main().currentControl());  // taken by the controller with each edit
  for (ControlTab expected : {ControlTab::Geometry, ControlTab::Generator, ControlTab::View, ControlTab::Colouring}) {
    play.undo();
    EXPECT_EQ(main().takeTabToShow(), expected);
    EXPECT_FALSE(main().takeTabToShow());  // taken once
  }
  play.redo();
  EXPECT_EQ(main().takeTabToShow(), ControlTab::Colouring);
  // Commands that are not control edits ask for no tab.
  play.zoomIn().undo();
  EXPECT_FALSE(main().takeTabToShow());
}

TEST_F(StudioRulesTest, ClickZoomAndANewGeneratorAreDrawnAtOnce) {
  useSmallPictures();
  View const before = drawn()->getCore().getView();
  int const computed = window.computations;
  // A click at the picture's centre keeps the centre and zooms in; Shift-click zooms back out.
  controller->zoomAtPoint(Point{24, 20}, false);
  EXPECT_EQ(window.computations, computed + 1);
  EXPECT_NEAR(drawn()->getCore().getView().getSize(), before.getSize() * MainWindow::kZoomFactor, 1e-12);
  EXPECT_EQ(DrawingUndo::getManager().undoItemText(), "Undo Zoom");
  controller->zoomAtPoint(Point{24, 20}, true);
  EXPECT_NEAR(drawn()->getCore().getView().getSize(), before.getSize(), 1e-12);
  // Back: the cached field comes back without a computation.
  controller->goToPreviousSnapshot();
  EXPECT_EQ(window.computations, computed + 2);
  EXPECT_NEAR(drawn()->getCore().getView().getSize(), before.getSize() * MainWindow::kZoomFactor, 1e-12);

  // Choosing another generator draws its picture; the next edit is undone to it.
  UserSession play(*controller);
  play.chooseGenerator("Mandal");
  EXPECT_EQ(window.computations, computed + 3);
  EXPECT_EQ(drawn()->getIdentifier(), "Mandal");
  EXPECT_TRUE(controller->imageIsUpToDate());
  EXPECT_FALSE(main().drawButtonActive());
  play.typeInPane(0, "2.5").undo();
  EXPECT_TRUE(main().makeSnapshotFromControls()->isEqual(*drawn()));

  // A stopped drawing of a new generator leaves Draw lit.
  window.cancelAtTick = 1;
  play.chooseGenerator("Quot");
  window.cancelAtTick = 0;
  EXPECT_FALSE(controller->imageIsUpToDate());
  EXPECT_TRUE(main().drawButtonActive());
}

TEST_F(StudioRulesTest, EveryMenuItemOfTheMainWindowHasAText) {
  auto const check = [](std::vector<std::string> const& items) {
    for (std::string const& item : items) EXPECT_TRUE(hasLocalizedString(item)) << item;
  };
  check(main().normalizerMenu().items());
  check(main().postfilterControl(0).menu().items());
  check(main().geometryMenu().items());
  check(GeneratorCatalogue::getNames());
  for (char const* key : {"NewPictureWindowTitle", "TB_Randomize", "TB_DrawHelp", "Computing"})
    EXPECT_TRUE(hasLocalizedString(key)) << key;
}

}  // namespace
}  // namespace orlenza
