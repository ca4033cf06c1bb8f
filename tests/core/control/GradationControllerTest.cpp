#include "core/control/GradationController.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/control/ScriptedAnswers.h"
#include "core/library/StandardGradations.h"

namespace orlenza {
namespace {

using namespace testing_control;
using List = BrowserList;

KeyframePosition at(int steps) { return KeyframePosition::fromSteps(steps); }

class FakeEditorView : public GradationEditorView {
 public:
  void gradationChanged(Gradation const& g) override { shown = g; }
  void select(KeyframePosition pos) override { selection = pos; }
  void buttonsChanged() override {}
  void zoomIn() override {}
  void zoomOut() override {}

  Gradation shown;
  KeyframePosition selection;
};

class FakeChooserView : public GradationChooserView {
 public:
  void listRefilled(BrowserList list) override { refills.push_back(list); }
  void buttonsChanged() override {}
  std::vector<BrowserList> refills;
};

// Plays the user's actions inside the modal run, then ends it with OK or Cancel.
class Session : public GradationEditorSession {
 public:
  Session(std::function<void(GradationController&)> actions, bool ok) : m_actions(std::move(actions)), m_ok(ok) {}
  bool runModal(GradationController& controller) override {
    EXPECT_TRUE(controller.isEditing());
    m_actions(controller);
    return m_ok;
  }

 private:
  std::function<void(GradationController&)> m_actions;
  bool m_ok;
};

class GradationControllerTest : public FileTest {
 protected:
  GradationControllerTest() { drawing.current.setColor(at(5000), k_RGBred); }

  FakeDrawing drawing;
  FakeEditorView editor;
  FakeChooserView chooser;
  ScriptedDialogs dialogs;
  GradationController controller{{drawing, editor, chooser, dialogs, dialogs, alerts}};
};

TEST_F(GradationControllerTest, EditsShowLiveAndCancelRestoresTheDrawing) {
  Gradation const original = drawing.current;
  Session cancelled(
      [&](GradationController& c) {
        dialogs.colours = {std::nullopt, k_RGBblue};
        EXPECT_FALSE(c.entryAdded(at(2500)));  // picker cancelled: no key
        EXPECT_TRUE(drawing.previews.empty());
        EXPECT_TRUE(c.entryAdded(at(2500)));
        // The picker starts from the colour the gradation has there: half red.
        EXPECT_EQ(dialogs.colourStarts, (std::vector<RGBColor>{{32767, 0, 0}, {32767, 0, 0}}));
        EXPECT_EQ(editor.selection, at(2500));
        EXPECT_EQ(drawing.previews.back(), c.getEditedGradation());
        c.entryMoved(at(2500), at(3000));
        EXPECT_EQ(c.getSelection(), at(3000));
        dialogs.colours = {k_RGBgreen};
        EXPECT_TRUE(c.changeColor());
        EXPECT_EQ(drawing.previews.back().getColor(at(3000)), k_RGBgreen);
        c.randomizeGradation();
        EXPECT_FALSE(c.getSelection().isValid());
        EXPECT_EQ(drawing.previews.back(), c.getEditedGradation());
      },
      false);
  EXPECT_FALSE(controller.editDrawingGradation(cancelled));
  EXPECT_GE(drawing.previews.size(), 4u);
  EXPECT_EQ(drawing.previews.back(), original);  // restored
  EXPECT_TRUE(drawing.commits.empty());
  EXPECT_EQ(controller.getEditedGradation(), Gradation());  // the borrowed gradation is let go

  Session confirmed(
      [&](GradationController& c) {
        c.currentSelectionChanged(at(5000));
        c.deleteColor();
      },
      true);
  EXPECT_TRUE(controller.editDrawingGradation(confirmed));
  EXPECT_EQ(drawing.commits, (std::vector<Gradation>{Gradation()}));  // only the two ends were left
}

TEST_F(GradationControllerTest, EndKeysAndMovesThatWouldSplitAxisAndGradation) {
  Gradation g = drawing.current;
  controller.acceptGradation(&g);
  EXPECT_FALSE(controller.isDeleteEnabled());
  EXPECT_FALSE(controller.isChangeColourEnabled());
  controller.currentSelectionChanged(at(0));
  EXPECT_FALSE(controller.isDeleteEnabled());
  EXPECT_TRUE(controller.isChangeColourEnabled());
  controller.deleteColor();
  EXPECT_FALSE(controller.moveSelectedEntry("0.5"));
  controller.entryMoved(at(10000), at(9000));
  dialogs.colours = {k_RGByellow};
  EXPECT_TRUE(controller.changeColor());
  EXPECT_EQ(g.getColor(at(0)), k_RGByellow);

  controller.currentSelectionChanged(at(5000));
  for (char const* refused : {"1", "0.5", "abc", "1.5", ""}) EXPECT_FALSE(controller.moveSelectedEntry(refused));
  EXPECT_EQ(editor.selection, at(5000));  // the field shows the old place again
  controller.entryMoved(at(5000), at(10000));  // onto the end key
  EXPECT_TRUE(controller.moveSelectedEntry("0.6"));
  EXPECT_EQ(g.entries().size(), 3u);
  EXPECT_EQ(g.getColor(at(6000)), k_RGBred);
  EXPECT_EQ(editor.selection, at(6000));

  dialogs.colours = {k_RGBblue};
  controller.addColor();  // the widest gap is 0 .. 0.6
  EXPECT_EQ(g.getColor(at(3000)), k_RGBblue);
  EXPECT_TRUE(drawing.previews.empty());  // not inside an editing run
}

TEST_F(GradationControllerTest, StoringAndDeletingInFiles) {
  EXPECT_FALSE(controller.storeDrawingGradation());  // the new-file chooser is cancelled
  fs::path const path = folder / "mine.grads";
  dialogs.newPaths = {path};
  EXPECT_TRUE(controller.storeDrawingGradation());
  EXPECT_EQ(dialogs.titles, (std::vector<std::string>{"NewGradationWindowTitle", "NewGradationWindowTitle"}));
  GradationFile const* file = controller.getGradationFile();
  ASSERT_TRUE(file);
  EXPECT_TRUE(controller.storeGradation(Gradation()));

  // The file already open, not yet on disk: the same object, its unsaved gradations kept.
  EXPECT_TRUE(controller.openGradationFile(path));
  EXPECT_EQ(controller.getGradationFile(), file);
  EXPECT_EQ(file->records().size(), 2u);
  controller.closeGradationFile();

  EXPECT_TRUE(controller.openGradationFile(path));
  ASSERT_EQ(controller.getNumEntries(List::file), 2);
  controller.selectEntry(List::file, 0);
  controller.deleteCurrentGradation();
  EXPECT_EQ(controller.getNumEntries(List::file), 1);

  EXPECT_FALSE(controller.openGradationFile(folder / "missing.grads"));
  EXPECT_EQ(alerts.alerts(), (std::vector<Alert>{kCannotOpen}));
  EXPECT_EQ(controller.getNumEntries(List::file), 1);  // the open file stays

  fs::path const later = folder / "later.grads";
  put(later, "Qvtx 5\n2 0 0 0 0 1 1 1 1 \n");
  alerts.clear();
  ASSERT_TRUE(controller.openGradationFile(later));
  EXPECT_EQ(GradationFile(path, alerts).records().size(), 1u);  // the deletion was written on replacing
  alerts.clear();
  EXPECT_FALSE(controller.storeGradation(Gradation()));
  controller.selectEntry(List::file, 0);  // nothing to select in an unreadable file
  controller.deleteCurrentGradation();
  EXPECT_EQ(alerts.alerts(), (std::vector<Alert>{kReadOnly}));
  controller.closeGradationFile();
  EXPECT_EQ(contentOf(later), "Qvtx 5\n2 0 0 0 0 1 1 1 1 \n");
}

TEST_F(GradationControllerTest, ChooserCategoriesAndApply) {
  controller.changeGradCategory(4);
  controller.changeGradCategory(4);  // the same again: no refill
  controller.changeGradCategory(0);  // no such item: the first category
  EXPECT_EQ(controller.getCategory(), 0u);
  EXPECT_EQ(chooser.refills, (std::vector<List>{List::builtIn, List::builtIn}));
  ASSERT_EQ(controller.getNumEntries(List::builtIn), StandardGradations::getNumGradations(0));

  dialogs.newPaths = {folder / "mine.grads"};
  controller.storeGradation(drawing.current);
  controller.selectEntry(List::builtIn, 1);
  controller.applySelectedGradation();
  controller.selectEntry(List::file, 0);
  EXPECT_EQ(controller.getButtons(), (BrowserButtons{true, true, true}));
  controller.applySelectedGradation();
  controller.selectEntry(List::file, 1);  // past the end
  controller.applySelectedGradation();
  EXPECT_EQ(drawing.commits, (std::vector<Gradation>{*StandardGradations::getGradation(0, 1), drawing.current}));
}

}  // namespace
}  // namespace orlenza
