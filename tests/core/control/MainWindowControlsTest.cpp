#include "core/control/MainWindow.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "DrawingSession.h"
#include "UserSession.h"
#include "core/generators/EscapeTime/ParameterPaneEscapeParams.h"
#include "core/geometry/GeometryDisk.h"
#include "core/panes/GeneratorCatalogue.h"
#include "core/panes/GeometryPane.h"
#include "core/panes/GeometryPanes.h"

namespace orlenza {
namespace {

using MainWindowControlsTest = DrawingSessionTest;

TEST_F(MainWindowControlsTest, PopUpsListTheirItemsInMenuOrderAndKeepUnlistedChoices) {
  // The menus follow their registries, whose order those tests pin.
  EXPECT_EQ(main().generatorMenu().items(), GeneratorCatalogue::getNames());
  EXPECT_EQ(main().generatorMenu().items().front(), "EscParams");
  EXPECT_EQ(main().generatorMenu().items().back(), "Curves");

  // The drawn default shows at its indices.
  SnapshotCore const& core = drawn()->getCore();
  EXPECT_EQ(main().normalizerMenu().identifier(), core.getNormalizerID());
  EXPECT_EQ(main().geometryMenu().identifier(), core.getGeometry()->getIdentifier());
  EXPECT_EQ(main().generatorMenu().index(), 0);

  // Identifiers a newer file may name stay as they are until the user picks an item.
  useSmallPictures();
  auto future = drawn()->clone();
  future->getCore().setPostfilteringID("pf_Future");
  future->getCore().setNormalizerID("norm_future");
  main().acceptSnapshot(future);
  EXPECT_EQ(main().postfilterControl(0).menu().index(), 0);
  EXPECT_EQ(main().normalizerMenu().index(), 0);
  EXPECT_TRUE(main().makeSnapshotFromControls()->isEqual(*drawn()));
  EXPECT_FALSE(main().drawButtonActive());
  main().postfilterMenuSelection(0, 9);
  EXPECT_EQ(main().makeSnapshotFromControls()->getCore().getPostfilteringID(), "pf_Relief");
  EXPECT_TRUE(main().drawButtonActive());
  // Indices outside a menu change nothing.
  main().normalizingMenuSelection(9);
  main().normalizingMenuSelection(-1);
  main().geometryMenuSelection(7);
  main().paramPaneMenuSelection(21);
  EXPECT_EQ(main().makeSnapshotFromControls()->getCore().getNormalizerID(), "norm_future");
  EXPECT_EQ(main().currentPane(), main().panes().findPane("EscParams"));
}

TEST_F(MainWindowControlsTest, GeometryPaneAndItsWarning) {
  useSmallPictures();
  UserSession play(*controller);
  GeometryWarning const none{};
  EXPECT_EQ(main().geometryWarning(), none);
  EXPECT_TRUE(main().geometryMenu().enabled());

  // Choosing a geometry shows its defaults and is an undoable edit.
  std::string const drawnGeometry = drawn()->getCore().getGeometry()->getIdentifier();
  ASSERT_NE(drawnGeometry, "geom_disk");
  play.chooseGeometry("geom_disk").draw().chooseGeometry("geom_nfold");
  auto* nfold = dynamic_cast<GeomNFoldPane*>(main().currentGeometryPane());
  ASSERT_NE(nfold, nullptr);
  EXPECT_EQ(nfold->fieldText(GeomNFoldPane::kFolds), "3");
  EXPECT_TRUE(main().drawButtonActive());
  EXPECT_EQ(DrawingUndo::getManager().undoItemText(), "Undo Menu Choice");
  play.typeInPane(GeomNFoldPane::kFolds, "5", ControlPlace::GeometryPane).draw();
  EXPECT_EQ(drawn()->getCore().getGeometry()->getIdentifier(), "geom_nfold");
  EXPECT_FALSE(main().drawButtonActive());
  play.undo().undo();
  EXPECT_EQ(main().makeSnapshotFromControls()->getCore().getGeometry()->getIdentifier(), "geom_disk");
  play.undo();
  EXPECT_EQ(drawn()->getCore().getGeometry()->getIdentifier(), drawnGeometry);

  // A geometry read with digits beyond the fields' stays exact while untouched.
  auto exact = drawn()->clone();
  auto disk = std::make_shared<GeometryDisk>();
  disk->setRadius(1.0 / 3.0);
  exact->getCore().setGeometry(disk);
  main().acceptSnapshot(exact);
  EXPECT_TRUE(main().makeSnapshotFromControls()->isEqual(*drawn()));
  EXPECT_FALSE(main().drawButtonActive());

  // A generator that maps through the inverse warns of the disk, which has none.
  play.chooseGenerator("DynSys-Sqrt");
  EXPECT_FALSE(main().geometryWarning().inverseWarningShown);  // its default geometry
  play.chooseGeometry("geom_disk");
  EXPECT_TRUE(main().geometryWarning().inverseWarningShown);
  EXPECT_FALSE(main().geometryWarning().ignoredWarningShown);
  play.chooseGeometry("geom_swirl");
  EXPECT_EQ(main().geometryWarning(), none);

  // Curves ignores the geometry: the pop-up is disabled and refuses choices.
  play.chooseGenerator("Curves");
  EXPECT_TRUE(main().geometryWarning().ignoredWarningShown);
  EXPECT_FALSE(main().geometryMenu().enabled());
  std::string const before = main().currentGeometryPane() ? main().geometryMenu().identifier() : "";
  play.chooseGeometry("geom_sphere");
  EXPECT_EQ(main().geometryMenu().identifier(), before);
  play.chooseGenerator("EscParams");
  EXPECT_TRUE(main().geometryMenu().enabled());
}

TEST_F(MainWindowControlsTest, DrawStateTabAndReturn) {
  useSmallPictures();
  UserSession play(*controller);
  int const computed = window.computations;

  // A digit lights Draw; typing the drawn value back puts it out.
  std::string const norm = main().fieldText(WindowField::Norm);
  play.type(WindowField::Norm, norm + "1");
  EXPECT_TRUE(main().drawButtonActive());
  play.type(WindowField::Norm, norm);
  EXPECT_FALSE(main().drawButtonActive());
  // Return with nothing changed does nothing.
  std::size_t const history = main().backHistory().size();
  play.pressReturn();
  EXPECT_EQ(window.computations, computed);
  EXPECT_EQ(main().backHistory().size(), history);

  // Tab walks the window's enabled fields, then the generator pane's text
  // boxes, then the geometry pane's, and wraps around.
  std::vector<FieldRef> const order = main().tabOrder();
  ASSERT_GT(order.size(), 9u);
  EXPECT_EQ(order[0], FieldRef::window(WindowField::CenterX));
  EXPECT_EQ(order[6], FieldRef::window(WindowField::Ceiling));
  EXPECT_EQ(order[7], FieldRef::window(WindowField::GradationScale));  // both filters are "pf_none"
  EXPECT_EQ(order[9], (FieldRef{ControlPlace::GeneratorPane, 0}));
  EXPECT_EQ(order.back().place, ControlPlace::GeometryPane);
  play.pressTab();
  EXPECT_EQ(main().focus(), order[0]);
  play.pressTab(true);
  EXPECT_EQ(main().focus(), order.back());
  play.pressTab();
  EXPECT_EQ(main().focus(), order[0]);

  auto& pane = *main().currentPane();
  // Return in the formula field reads the formula, then draws.
  play.focus({ControlPlace::GeneratorPane, ParameterPaneEscapeParams::kFormulaField});
  pane.setFieldText(ParameterPaneEscapeParams::kFormulaField, "abcdefghijkl");
  play.pressReturn();
  EXPECT_EQ(pane.fieldText(ParameterPaneEscapeParams::kFormulaField), "ABCDEFGHIJKL");
  EXPECT_EQ(pane.fieldText(0), "-1.2");
  EXPECT_EQ(pane.fieldText(11), "-0.1");
  EXPECT_EQ(window.computations, computed + 1);
  EXPECT_FALSE(main().drawButtonActive());
  EXPECT_TRUE(main().makeSnapshotFromControls()->isEqual(*drawn()));

  // Tab out of a coefficient reports it and rewrites the formula.
  play.focus({ControlPlace::GeneratorPane, 0});
  pane.setFieldText(0, "1.2");
  play.pressTab();
  EXPECT_EQ(main().focus(), (FieldRef{ControlPlace::GeneratorPane, 1}));
  EXPECT_EQ(pane.fieldText(ParameterPaneEscapeParams::kFormulaField), "YBCDEFGHIJKL");
  EXPECT_TRUE(main().drawButtonActive());
  EXPECT_EQ(DrawingUndo::getManager().undoItemText(), "Undo Typing");

}

TEST_F(MainWindowControlsTest, GeneratorPopUpArrowsWrapAndPanesRememberTheirSnapshots) {
  useSmallPictures();
  UserSession play(*controller);
  main().generatorArrowClicked(ArrowPart::Down);
  EXPECT_EQ(main().currentPane(), main().panes().findPane("Curves"));
  EXPECT_EQ(main().generatorMenu().identifier(), "Curves");
  EXPECT_EQ(drawn()->getIdentifier(), "Curves");  // drawn at once
  auto const curves = drawn();
  main().generatorArrowClicked(ArrowPart::Up);
  EXPECT_EQ(main().generatorMenu().identifier(), "EscParams");
  main().generatorArrowClicked(ArrowPart::Up);
  EXPECT_EQ(main().generatorMenu().identifier(), "Halley");

  // Back at Curves: the snapshot drawn with it, not its default.
  play.chooseGenerator("Curves");
  EXPECT_TRUE(main().makeSnapshotFromControls()->isEqual(*curves));
  EXPECT_FALSE(main().drawButtonActive());
}

}  // namespace
}  // namespace orlenza
