#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DrawingSession.h"
#include "UserSession.h"
#include "core/base/RandomUtils.h"
#include "core/generators/EscapeTime/ParameterPaneEscapeParams.h"
#include "core/panes/GeneratorCatalogue.h"

namespace orlenza {
namespace {

using RandomCommandsTest = DrawingSessionTest;

std::vector<std::string> textsOf(AbstractParameterPane const& pane) {
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < pane.fieldCount(); ++i) texts.push_back(pane.fieldText(i));
  return texts;
}

TEST_F(RandomCommandsTest, RandomFormulaKeepsLockedParametersAndUndoes) {
  useSmallPictures();
  RandomUtils::seed(7);
  UserSession play(*controller);
  using Pane = ParameterPaneEscapeParams;
  auto const former = drawn();
  std::vector<std::string> const formerTexts = textsOf(*main().currentPane());
  play.lock(Pane::kFirstCoefficientLock + 2).lock(Pane::kAnalyzerLock);

  int computed = window.computations;
  std::vector<std::string> texts;
  for (int i = 0; i < 6; ++i) {
    play.random();
    EXPECT_EQ(window.computations, ++computed);
    texts = textsOf(*main().currentPane());
    EXPECT_EQ(texts[2], formerTexts[2]);
    EXPECT_EQ(texts[Pane::kAnalyzerField], formerTexts[Pane::kAnalyzerField]);
    EXPECT_NE(texts[0], formerTexts[0]);
    EXPECT_TRUE(main().makeSnapshotFromControls()->isEqual(*drawn()));
    EXPECT_FALSE(main().drawButtonActive());
  }
  EXPECT_EQ(DrawingUndo::getManager().undoItemText(), "Undo Random Formula");
  EXPECT_EQ(DrawingUndo::getManager().undoCount(), 6u);

  // An edit after a random formula undoes to the random formula, not past it.
  auto const lastRandom = drawn();
  play.type(WindowField::Norm, "77").undo();
  EXPECT_TRUE(main().makeSnapshotFromControls()->isEqual(*lastRandom));
  EXPECT_EQ(window.computations, computed);

  // Undo of each random formula recomputes the picture before it.
  for (int i = 0; i < 6; ++i) play.undo();
  EXPECT_EQ(window.computations, computed + 6);
  EXPECT_TRUE(drawn()->isEqual(*former));
  EXPECT_EQ(textsOf(*main().currentPane()), formerTexts);
  EXPECT_TRUE(controller->imageIsUpToDate());
  play.redo();
  EXPECT_EQ(window.computations, computed + 7);
  EXPECT_FALSE(drawn()->isEqual(*former));
}

TEST_F(RandomCommandsTest, RandomColoursRecolourAndUndoToTheFormerGradation) {
  useSmallPictures();
  RandomUtils::seed(3);
  UserSession play(*controller);
  int const computed = window.computations;
  Gradation const former = main().getCurrentGradation();
  std::vector<RGBColor> const formerPixels = pixels();

  play.randomColours();
  Gradation const random = drawn()->getCore().getGradationInfo().gradation;
  EXPECT_NE(random, former);
  EXPECT_GE(random.size(), 2u);
  EXPECT_LE(random.size(), 7u);
  EXPECT_EQ(window.computations, computed);
  EXPECT_NE(pixels(), formerPixels);
  EXPECT_FALSE(main().drawButtonActive());
  EXPECT_EQ(DrawingUndo::getManager().undoItemText(), "Undo Gradation Change");

  play.undo();
  EXPECT_EQ(drawn()->getCore().getGradationInfo().gradation, former);
  EXPECT_EQ(pixels(), formerPixels);
  EXPECT_EQ(window.computations, computed);

  // With a view edit waiting, the random colours draw it too.
  play.type(WindowField::Size, "1").randomColours();
  EXPECT_EQ(window.computations, computed + 1);
  EXPECT_EQ(drawn()->getCore().getView().getSize(), 1.0);
  EXPECT_FALSE(main().drawButtonActive());
}

}  // namespace
}  // namespace orlenza
