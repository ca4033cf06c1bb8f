#include "core/control/UndoManager.h"

#include <gtest/gtest.h>

#include <string>

#include "DrawingSession.h"

namespace orlenza {
namespace {

// Answers an inverse labelled after its depth; one kind pushes while it runs.
class FakeCommand : public UndoCommand {
 public:
  FakeCommand(std::string label, int* executed, bool pushWhileRunning = false)
      : m_label(std::move(label)), m_executed(executed), m_push(pushWhileRunning) {}
  std::shared_ptr<UndoCommand> executeUndo() override { return run(); }
  std::shared_ptr<UndoCommand> executeRedo() override { return run(); }
  std::string copyCommandString() const override { return m_label; }

 private:
  std::shared_ptr<UndoCommand> run() {
    ++*m_executed;
    if (m_push) DrawingUndo::getManager().pushCommand(std::make_shared<FakeCommand>("nested", m_executed));
    return std::make_shared<FakeCommand>(m_label + "'", m_executed);
  }
  std::string m_label;
  int* m_executed;
  bool m_push;
};

TEST(UndoManagerTest, KeepsStacksAndMenuItemsInStep) {
  DrawingUndo::resetManager();
  UndoManager& manager = DrawingUndo::getManager();
  int executed = 0;
  EXPECT_EQ(manager.undoItemText(), "Can't Undo");
  EXPECT_FALSE(manager.undoItemEnabled());
  manager.undo();  // nothing to undo
  EXPECT_EQ(executed, 0);
  EXPECT_EQ(manager.redoItemText(), "Can't Redo");

  manager.pushCommand(std::make_shared<FakeCommand>("A", &executed));
  manager.pushCommand(std::make_shared<FakeCommand>("B", &executed, true));
  EXPECT_EQ(manager.undoItemText(), "Undo B");
  EXPECT_TRUE(manager.undoItemEnabled());

  manager.undo();  // B pushes while it runs: dropped
  EXPECT_EQ(executed, 1);
  EXPECT_EQ(manager.undoCount(), 1u);
  EXPECT_EQ(manager.undoItemText(), "Undo A");
  EXPECT_EQ(manager.redoItemText(), "Redo B'");
  EXPECT_TRUE(manager.redoItemEnabled());

  manager.undo();
  EXPECT_EQ(manager.undoItemText(), "Can't Undo");
  EXPECT_FALSE(manager.undoItemEnabled());
  EXPECT_EQ(manager.redoItemText(), "Redo A'");
  manager.redo();
  EXPECT_EQ(manager.undoItemText(), "Undo A''");
  EXPECT_EQ(manager.redoItemText(), "Redo B'");

  // A new edit after an undo empties the redo stack.
  manager.pushCommand(std::make_shared<FakeCommand>("C", &executed));
  EXPECT_FALSE(manager.canRedo());
  EXPECT_FALSE(manager.redoItemEnabled());
  EXPECT_EQ(manager.redoItemText(), "Can't Redo");
  EXPECT_EQ(manager.undoCount(), 2u);

  manager.clear();
  EXPECT_FALSE(manager.canUndo());
  EXPECT_EQ(manager.undoItemText(), "Can't Undo");
  DrawingUndo::resetManager();
}

using UndoSessionTest = DrawingSessionTest;

TEST_F(UndoSessionTest, UndoOfEditsRestoresControlsOrPictures) {
  useSmallPictures();
  UndoManager& manager = DrawingUndo::getManager();
  int const computed = window.computations;

  // A typed edit, drawn; its undo puts the controls back only.
  main().typeIntoField(WindowField::Norm, "300");
  EXPECT_EQ(manager.undoItemText(), "Undo Typing");
  main().chooseNormalizer("norm_log");
  EXPECT_EQ(manager.undoItemText(), "Undo Normalizer");
  EXPECT_EQ(manager.undoCount(), 2u);
  controller->makeFractal();
  EXPECT_EQ(drawn()->getCore().getNormalizerID(), "norm_log");
  EXPECT_EQ(window.computations, computed);

  controller->doUndo();
  auto controls = main().makeSnapshotFromControls();
  EXPECT_EQ(controls->getCore().getNormalizerID(), "norm_lin");
  EXPECT_DOUBLE_EQ(controls->getCore().getNorm(), 300.0);
  EXPECT_EQ(drawn()->getCore().getNormalizerID(), "norm_log");  // not drawn
  EXPECT_TRUE(main().drawButtonActive());
  EXPECT_EQ(manager.redoItemText(), "Redo Normalizer");
  controller->doUndo();
  EXPECT_EQ(main().fieldText(WindowField::Norm), "1024");
  controller->doRedo();
  controller->doRedo();
  EXPECT_EQ(main().makeSnapshotFromControls()->getCore().getNormalizerID(), "norm_log");
  EXPECT_FALSE(main().drawButtonActive());

  // A zoom's undo draws the former view and offers the zoom again.
  double const size = drawn()->getCore().getView().getSize();
  controller->zoomInImage();
  EXPECT_EQ(window.computations, computed + 1);
  controller->doUndo();
  EXPECT_DOUBLE_EQ(drawn()->getCore().getView().getSize(), size);
  EXPECT_TRUE(controller->imageIsUpToDate());
  EXPECT_EQ(manager.redoItemText(), "Redo Zoom");
  controller->doRedo();
  EXPECT_NEAR(drawn()->getCore().getView().getSize(), size * MainWindow::kZoomFactor, size * 1e-9);

  // A new generator clears undo and redo, the history stays.
  std::size_t const history = main().backHistory().size();
  ASSERT_GT(history, 0u);
  main().switchToParameterPane("Halley");
  EXPECT_FALSE(manager.canUndo());
  EXPECT_FALSE(manager.canRedo());
  EXPECT_EQ(main().backHistory().size(), history + 1);  // the picture left behind
  EXPECT_EQ(drawn()->getIdentifier(), "Halley");
  EXPECT_EQ(alerts.alerts().size(), 0u);
}

TEST_F(UndoSessionTest, HistoryKeepsTwentyDistinctPictures) {
  useSmallPictures();
  auto const first = drawn();
  int const computed = window.computations;
  for (int i = 0; i < 21; ++i) {
    main().typeIntoField(WindowField::Norm, std::to_string(100 + i));
    controller->makeFractal();
  }
  EXPECT_EQ(window.computations, computed);  // recoloured only
  EXPECT_EQ(main().backHistory().size(), 20u);
  EXPECT_DOUBLE_EQ(main().backHistory().top()->getCore().getNorm(), 119.0);

  // Walking back twenty steps never meets the first picture: it was dropped.
  for (int i = 0; i < 20; ++i) controller->goToPreviousSnapshot();
  EXPECT_DOUBLE_EQ(drawn()->getCore().getNorm(), 100.0);
  EXPECT_NE(drawn(), first);
  EXPECT_FALSE(main().backButtonEnabled());
  EXPECT_EQ(main().forwardHistory().size(), 20u);

  // Equal snapshots make one entry.
  MainWindow::History stack(MainWindow::kHistoryLimit);
  main().smartPush(stack, drawn());
  main().smartPush(stack, drawn()->clone());
  EXPECT_EQ(stack.size(), 1u);
}

}  // namespace
}  // namespace orlenza
