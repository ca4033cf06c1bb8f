#include "core/control/SnapshotBrowserController.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/control/ScriptedAnswers.h"
#include "core/files/SnapshotFile.h"
#include "core/library/StandardSnapshots.h"

namespace orlenza {
namespace {

using namespace testing_control;
using List = BrowserList;

class FakeBrowserView : public SnapshotBrowserView {
 public:
  void listRefilled(BrowserList list) override { refills.push_back(list); }
  void buttonsChanged() override {}
  void bringToFront() override { ++fronts; }

  std::vector<BrowserList> refills;
  int fronts = 0;
};

class SnapshotBrowserControllerTest : public FileTest {
 protected:
  FakeDrawing drawing;
  FakeBrowserView view;
  SnapshotBrowserController browser{drawing, view, alerts};

  static SnapshotFile threeSnaps(fs::path const& path) {
    SnapshotFile file = SnapshotFile::createNew(path);
    for (std::string name : {"one", "two", "three"}) file.records().push_back(sampleSnapshot(name, 0.1));
    return file;
  }
  std::vector<std::string> fileNames() const {
    std::vector<std::string> names;
    for (int i = 0; i < browser.getNumEntries(List::file); ++i) names.push_back(browser.getEntryName(List::file, i));
    return names;
  }
};

TEST_F(SnapshotBrowserControllerTest, SelectionButtonsAndCategories) {
  EXPECT_EQ(browser.getNumEntries(List::builtIn), StandardSnapshots::getNumSnapshots("EscParams"));
  EXPECT_EQ(browser.getButtons(), (BrowserButtons{false, false, false}));

  browser.selectEntry(List::builtIn, 2);
  EXPECT_EQ(browser.getButtons(), (BrowserButtons{true, false, false}));
  EXPECT_EQ(browser.getCurrentlySelectedSnapshot()->getName(), browser.getEntryName(List::builtIn, 2));

  SnapshotFile file = threeSnaps(folder / "mine.snaps");
  browser.setSnapshotFile(&file);
  EXPECT_EQ(browser.getFileName(), "mine.snaps");
  EXPECT_EQ(browser.getSelectedIndex(List::builtIn), 2);  // the built-in list is not touched
  browser.selectEntry(List::file, 1);
  EXPECT_FALSE(browser.getSelectedIndex(List::builtIn));
  EXPECT_EQ(browser.getButtons(), (BrowserButtons{true, true, true}));
  EXPECT_EQ(browser.getCurrentlySelectedSnapshot(), file.records()[1]);
  browser.selectEntry(List::builtIn, 0);
  EXPECT_FALSE(browser.getSelectedIndex(List::file));
  browser.selectEntry(List::builtIn, browser.getNumEntries(List::builtIn));  // past the end
  EXPECT_EQ(browser.getButtons(), (BrowserButtons{false, false, true}));
  EXPECT_FALSE(browser.getCurrentlySelectedSnapshot());
  EXPECT_EQ(view.fronts, 4);

  view.refills.clear();
  browser.selectEntry(List::builtIn, 0);
  browser.changeSnapCategory(3);  // "Biomorph"
  EXPECT_EQ(browser.getCategory(), 2);
  EXPECT_EQ(browser.getNumEntries(List::builtIn), StandardSnapshots::getNumSnapshots("Biomorph"));
  EXPECT_FALSE(browser.getSelectedIndex(List::builtIn));
  browser.changeSnapCategory(3);  // the same again: no refill
  browser.changeSnapCategory(4);  // the last item: phase planes
  EXPECT_EQ(browser.getCategory(), 3);
  EXPECT_EQ(browser.getNumEntries(List::builtIn), StandardSnapshots::getNumSnapshots("categ_phaseplane"));
  browser.changeSnapCategory(9);  // no such item: "EscParams"
  EXPECT_EQ(browser.getCategory(), 0);
  EXPECT_EQ(view.refills, (std::vector<List>{List::builtIn, List::builtIn, List::builtIn}));

  browser.setSnapshotFile(nullptr);
  EXPECT_EQ(browser.getNumEntries(List::file), 0);
}

TEST_F(SnapshotBrowserControllerTest, AppliedSnapshotsAreCopies) {
  browser.doubleClickEntry(List::builtIn, 1);
  SnapshotFile file = threeSnaps(folder / "mine.snaps");
  browser.setSnapshotFile(&file);
  browser.selectEntry(List::file, 2);
  browser.applyCurrentSnapshot();
  browser.clearAllSelections();
  browser.applyCurrentSnapshot();  // nothing selected: nothing applied
  ASSERT_EQ(drawing.applied.size(), 2u);
  EXPECT_TRUE(drawing.applied[0]->isEqual(*StandardSnapshots::getSnapshot("EscParams", 1)));
  EXPECT_NE(drawing.applied[1], file.records()[2]);
  EXPECT_TRUE(drawing.applied[1]->isEqual(*file.records()[2]));
  drawing.applied[1]->setName("changed by the drawing");
  EXPECT_EQ(file.records()[2]->getName(), "three");
}

TEST_F(SnapshotBrowserControllerTest, RenameAndDeleteInWritableAndReadOnlyFiles) {
  SnapshotFile file = threeSnaps(folder / "mine.snaps");
  browser.setSnapshotFile(&file);
  EXPECT_TRUE(browser.allowsEditing(List::file));
  EXPECT_FALSE(browser.allowsEditing(List::builtIn));
  EXPECT_TRUE(browser.setSnapshotName(0, "first"));
  EXPECT_TRUE(file.isModified());
  file.setModified(false);
  EXPECT_FALSE(browser.setSnapshotName(0, "first"));  // unchanged
  EXPECT_FALSE(browser.setSnapshotName(3, "nobody"));
  EXPECT_FALSE(file.isModified());
  // 254 ASCII bytes then a two-byte letter: the letter does not fit in 255 and goes whole.
  EXPECT_TRUE(browser.setSnapshotName(1, std::string(254, 'a') + "\xC3\xA9" + "b"));
  EXPECT_EQ(file.records()[1]->getName(), std::string(254, 'a'));

  browser.selectEntry(List::file, 1);
  view.refills.clear();
  browser.deleteCurrentSnapshot();
  EXPECT_EQ(fileNames(), (std::vector<std::string>{"first", "three"}));
  EXPECT_FALSE(browser.getSelectedIndex(List::file));
  EXPECT_EQ(view.refills, (std::vector<List>{List::file}));
  EXPECT_TRUE(alerts.empty());

  SnapshotFile readOnly = SnapshotFile::fromContents(SnapshotFile::formatContents(file.records()), alerts);
  ASSERT_TRUE(readOnly.isReadOnly());
  browser.setSnapshotFile(&readOnly);
  EXPECT_FALSE(browser.allowsEditing(List::file));
  EXPECT_FALSE(browser.setSnapshotName(0, "renamed"));
  browser.selectEntry(List::file, 0);
  browser.deleteCurrentSnapshot();
  EXPECT_EQ(alerts.alerts(), (std::vector<Alert>{kReadOnly, kReadOnly}));
  ASSERT_EQ(readOnly.records().size(), 2u);
  EXPECT_EQ(readOnly.records()[0]->getName(), "first");
  EXPECT_FALSE(readOnly.isModified());
}

}  // namespace
}  // namespace orlenza
