// Sessions with the snapshot browser, the gradation editor and the gradation
// chooser, through their real widgets.

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "app/Application.h"
#include "app/GradationChooserWindow.h"
#include "app/GradationEditorDialog.h"
#include "app/KeyframeAxisWidget.h"
#include "app/NameSnapshotDialog.h"
#include "app/QtAlerts.h"
#include "app/QtColourPicker.h"
#include "app/QtFileChooser.h"
#include "app/SnapshotBrowserWindow.h"
#include "core/control/DrawingController.h"
#include "core/control/GradationController.h"
#include "core/control/UndoManager.h"
#include "core/library/StandardGradations.h"

using namespace orlenza;
using namespace orlenza::app;
namespace fs = std::filesystem;

namespace {

std::vector<std::uint16_t> pixels(Application& app) { return app.drawing().getRawBitMap().toRgbImage16().rgb; }

std::string contentOf(fs::path const& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// Runs the gestures once the next modal dialog is up (the dialog ends them).
void whenModal(std::function<void(QWidget*)> gestures) {
  QTimer::singleShot(0, [gestures] {
    QWidget* dialog = QApplication::activeModalWidget();
    QVERIFY(dialog);
    gestures(dialog);
  });
}

void clickRow(QListWidget* list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

void clickButton(QDialog* dialog, QDialogButtonBox::StandardButton which) {
  QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
}

KeyframePosition at(int steps) { return KeyframePosition::fromSteps(steps); }

}  // namespace

class CollectionWindowsTest : public QObject {
  Q_OBJECT
 private slots:
  void snapshotsAreStoredReopenedAppliedRenamedAndDeleted() {
    QTemporaryDir dir;
    fs::path const folder = dir.path().toStdString();
    Application app;
    app.alerts().setHeadless(true);
    app.showWindows();
    SnapshotBrowserWindow& browser = app.snapshotBrowser();
    std::vector<std::uint16_t> const stored = pixels(app);

    // Store with no file open: a new file, then a name; a blank one is refused and the dialog stays.
    fs::path const path = folder / "mine.snaps";
    app.files().queueAnswer(path);
    whenModal([](QWidget* dialog) {
      auto* nameIt = qobject_cast<NameSnapshotDialog*>(dialog);
      QVERIFY(nameIt);
      QTest::keyClicks(nameIt->nameField(), "   ");
      QTest::keyClick(nameIt->nameField(), Qt::Key_Return);
      QVERIFY(nameIt->isVisible());
      nameIt->nameField()->setText("Starfish");
      QTest::keyClick(nameIt->nameField(), Qt::Key_Return);
    });
    QVERIFY(app.dispatch(commandId("Snap")));
    QCOMPARE(app.alerts().shownAlerts(), std::vector<std::string>{"InvalidSnapshotNameMain"});
    QVERIFY(contentOf(path).find("Starfish") != std::string::npos);  // on disk at once

    // Closed, another picture drawn, reopened from the command line, applied: the same pixels.
    QVERIFY(app.dispatch(commandId("ClsC")));
    QCOMPARE(browser.list(BrowserList::file)->count(), 0);
    QVERIFY(!browser.closeButton()->isEnabled());
    QVERIFY(app.dispatch(commandId("Rand")));
    QVERIFY(pixels(app) != stored);
    app.openFile(path);
    QListWidget* fileList = browser.list(BrowserList::file);
    QCOMPARE(fileList->count(), 1);
    QCOMPARE(fileList->item(0)->text(), QStringLiteral("Starfish"));
    clickRow(browser.list(BrowserList::builtIn), 1);
    clickRow(fileList, 0);  // one selection across both lists
    QVERIFY(browser.list(BrowserList::builtIn)->selectedItems().isEmpty());
    QVERIFY(browser.deleteButton()->isEnabled());
    QTRY_VERIFY(browser.wantedPreviewTicket() != 0 && browser.shownPreviewTicket() == browser.wantedPreviewTicket());
    QVERIFY(!browser.preview()->pixmap().isNull());
    QTest::mouseClick(browser.applyButton(), Qt::LeftButton);
    QCOMPARE(pixels(app), stored);
    QVERIFY(!DrawingUndo::getManager().undoItemEnabled());

    // Renamed in place, then deleted: the file follows each step.
    fileList->item(0)->setText(QStringLiteral("Sea star"));
    QVERIFY(contentOf(path).find("Sea_star") != std::string::npos ||
            contentOf(path).find("Sea star") != std::string::npos);
    clickRow(fileList, 0);
    QTest::mouseClick(browser.deleteButton(), Qt::LeftButton);
    QCOMPARE(fileList->count(), 0);
    QVERIFY(contentOf(path).find("Sea") == std::string::npos);

    // A damaged file keeps its readable records and is never rewritten.
    app.files().queueAnswer(folder / "two.snaps");
    whenModal([](QWidget* dialog) {
      auto* nameIt = qobject_cast<NameSnapshotDialog*>(dialog);
      nameIt->nameField()->setText("Kept");
      QTest::keyClick(nameIt->nameField(), Qt::Key_Return);
    });
    QVERIFY(app.dispatch(commandId("ClsC")));
    QVERIFY(app.dispatch(commandId("Snap")));
    fs::path const damaged = folder / "damaged.snaps";
    std::string const bytes = contentOf(folder / "two.snaps") + "EscParams 1 2 x y\nnot a record at all\n";
    std::ofstream(damaged, std::ios::binary) << bytes;
    app.openFile(damaged);
    QCOMPARE(app.alerts().shownAlerts().back(), std::string("InvalidFileMain"));
    QCOMPARE(fileList->count(), 1);
    QVERIFY(!(fileList->item(0)->flags() & Qt::ItemIsEditable));
    clickRow(fileList, 0);
    QTest::mouseClick(browser.deleteButton(), Qt::LeftButton);
    QCOMPARE(fileList->count(), 1);
    QVERIFY(app.dispatch(commandId("ClsC")));
    QCOMPARE(contentOf(damaged), bytes);

    // Made read-only while open: the rename is reported, kept in memory, and the file is untouched.
    app.openFile(folder / "two.snaps");
    std::string const before = contentOf(folder / "two.snaps");
    fs::permissions(folder / "two.snaps", fs::perms::all, fs::perm_options::remove);
    fs::permissions(folder / "two.snaps", fs::perms::owner_read, fs::perm_options::add);
    fileList->item(0)->setText(QStringLiteral("Renamed"));
    QCOMPARE(app.alerts().shownAlerts().back(), std::string("FileNowReadOnlyMain"));
    QCOMPARE(fileList->item(0)->text(), QStringLiteral("Renamed"));
    QVERIFY(app.dispatch(commandId("ClsC")));
    QCOMPARE(contentOf(folder / "two.snaps"), before);
  }

  void gradationIsEditedLiveCancelledKeptAndChosen() {
    QTemporaryDir dir;
    fs::path const folder = dir.path().toStdString();
    Application app;
    app.alerts().setHeadless(true);
    app.showWindows();
    DrawingUndo::getManager().clear();
    std::vector<std::uint16_t> const before = pixels(app);
    Gradation const former = app.drawing().getCurrentGradation();
    GradationEditorDialog& editor = app.gradationEditor();
    RGBColor const red{65535, 0, 0};
    RGBColor const blue{0, 0, 65535};

    whenModal([&](QWidget* dialog) {
      QCOMPARE(dialog, static_cast<QWidget*>(&editor));
      KeyframeAxisWidget* axis = editor.axisWidget();
      QWidget* canvas = axis->canvas();
      int const y = axis->entryCentreY();
      auto x = [axis](int steps) { return axis->windowXOf(at(steps)); };

      // Alt-click adds a key with the picked colour; the drawing follows at once.
      app.colours().queueAnswer(red);
      QVERIFY(!app.gradations().getEditedGradation().hasKeyColor(at(6000)));
      QTest::mouseClick(canvas, Qt::LeftButton, Qt::AltModifier, QPoint(x(6000), y));
      KeyframePosition const added = axis->axis().selection();
      QVERIFY(added.isValid() && std::abs(added.getSteps() - 6000) < 100);
      QCOMPARE(app.gradations().getEditedGradation().getColor(added), red);
      QVERIFY(pixels(app) != before);
      QCOMPARE(editor.positionField()->text().toStdString(), KeyframeAxis::formatPosition(added));

      // Dragged to about 0.4.
      QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(x(added.getSteps()), y));
      QTest::mouseMove(canvas, QPoint(x(4500), y));
      QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(x(4000), y));
      KeyframePosition const dragged = axis->axis().selection();
      QVERIFY(std::abs(dragged.getSteps() - 4000) < 100);
      QVERIFY(app.gradations().getEditedGradation().hasKeyColor(dragged));
      QVERIFY(!app.gradations().getEditedGradation().hasKeyColor(added));
      // A position typed into the field moves it again, and the dialog stays.
      editor.positionField()->setText(QStringLiteral("0.35"));
      QTest::keyClick(editor.positionField(), Qt::Key_Return);
      QVERIFY(editor.isVisible());
      QCOMPARE(axis->axis().selection(), at(3500));
      QVERIFY(app.gradations().getEditedGradation().hasKeyColor(at(3500)));

      // The end at 0 is recoloured, never deleted nor dragged.
      QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(x(0), y));
      QCOMPARE(axis->axis().selection(), at(0));
      QVERIFY(!editor.deleteButton()->isEnabled());
      app.colours().queueAnswer(blue);
      QTest::mouseClick(editor.changeColourButton(), Qt::LeftButton);
      QCOMPARE(app.gradations().getEditedGradation().getColor(at(0)), blue);

      // The added key is deleted.
      KeyframePosition const moved = at(3500);
      QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(x(moved.getSteps()), y));
      QTest::mouseClick(editor.deleteButton(), Qt::LeftButton);
      QVERIFY(!app.gradations().getEditedGradation().hasKeyColor(moved));
      clickButton(&editor, QDialogButtonBox::Cancel);
    });
    QVERIFY(app.dispatch(commandId("Eclr")));
    QCOMPARE(pixels(app), before);
    QVERIFY(app.drawing().getCurrentGradation() == former);
    QVERIFY(!DrawingUndo::getManager().undoItemEnabled());

    // OK keeps the edit as one undo step.
    whenModal([&](QWidget*) {
      app.colours().queueAnswer(red);
      QVERIFY(app.dispatch(commandId("Colr")));
      QVERIFY(app.dispatch(commandId("GrZ+")));
      QCOMPARE(editor.axisWidget()->axis().zoom(), 2.0f);
      clickButton(&editor, QDialogButtonBox::Ok);
    });
    QVERIFY(app.dispatch(commandId("Eclr")));
    QVERIFY(pixels(app) != before);
    QVERIFY(DrawingUndo::getManager().undoItemEnabled());
    QVERIFY(app.dispatch(commandId("undX")));
    QCOMPARE(pixels(app), before);
    QVERIFY(!DrawingUndo::getManager().undoItemEnabled());

    // The chooser applies a built-in gradation of each category.
    GradationChooserWindow& chooser = app.gradationChooser();
    QVERIFY(app.dispatch(commandId("HGrd")));
    QListWidget* builtIn = chooser.list(BrowserList::builtIn);
    for (unsigned category = 0; category < StandardGradations::k_numCategories; ++category) {
      chooser.categoryPopup()->setCurrentIndex(static_cast<int>(category));
      QCOMPARE(builtIn->count(), StandardGradations::getNumGradations(category));
      int const row = builtIn->count() - 1;
      clickRow(builtIn, row);
      QTest::mouseClick(chooser.applyButton(), Qt::LeftButton);
      QVERIFY(app.drawing().getCurrentGradation() ==
              *StandardGradations::getGradation(category, static_cast<unsigned>(row)));
    }

    // Stored into a new file, deleted from it; a damaged file is left as it is.
    fs::path const grads = folder / "mine.grads";
    app.files().queueAnswer(grads);
    QVERIFY(app.dispatch(commandId("StGd")));
    QCOMPARE(chooser.list(BrowserList::file)->count(), 1);
    std::string const saved = contentOf(grads);
    QVERIFY(saved.rfind("Qvtx 1\n", 0) == 0);
    clickRow(chooser.list(BrowserList::file), 0);
    QVERIFY(app.dispatch(commandId("DelG")));
    QCOMPARE(contentOf(grads), std::string("Qvtx 1\n"));
    fs::path const damaged = folder / "damaged.grads";
    // Gradation lines are never refused, so only a header that is not ours damages a file.
    std::string const bytes = "Qvtz" + saved.substr(4);
    std::ofstream(damaged, std::ios::binary) << bytes;
    app.openFile(damaged);
    QVERIFY(!app.alerts().shownAlerts().empty());
    QCOMPARE(app.alerts().shownAlerts().back(), std::string("InvalidFileMain"));
    QCOMPARE(chooser.list(BrowserList::file)->count(), 0);
    QVERIFY(app.dispatch(commandId("StGd")));
    QCOMPARE(app.alerts().shownAlerts().back(), std::string("ReadOnlyFileMain"));
    QVERIFY(app.dispatch(commandId("ClsG")));
    QCOMPARE(contentOf(damaged), bytes);
  }
};

QTEST_MAIN(CollectionWindowsTest)
#include "CollectionWindowsTest.moc"
