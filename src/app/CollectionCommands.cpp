#include "app/CollectionCommands.h"

#include <QAction>

#include <optional>
#include <string>

#include "app/Application.h"
#include "app/GradationChooserWindow.h"
#include "app/GradationEditorDialog.h"
#include "app/MainWindowView.h"
#include "app/NameSnapshotDialog.h"
#include "app/QtAlerts.h"
#include "app/QtFileChooser.h"
#include "app/SnapshotBrowserWindow.h"
#include "core/control/DrawingController.h"
#include "core/control/GradationController.h"
#include "core/control/SnapshotBrowserController.h"
#include "core/control/UndoManager.h"
#include "core/files/SnapshotFile.h"
#include "core/library/StandardGradations.h"

namespace orlenza::app {

void openSnapshotFile(Application& app, std::filesystem::path const& path) {
  app.saveFilesBeforeClosing();
  app.drawing().openSnapsFile(path);
  app.snapshotBrowser().bringToFront();
}

void openGradationFile(Application& app, std::filesystem::path const& path) {
  app.saveFilesBeforeClosing();
  app.gradations().openGradationFile(path);
  app.gradationChooser().bringToFront();
}

namespace {

void storeSnapshot(Application& app) {
  DrawingController& drawing = app.drawing();
  if (!drawing.getSnapshotFile()) {
    auto const path = app.files().chooseNewFile(SnapshotFile::k_extension, SnapshotFile::k_newFileTitleKey);
    if (!path) return;
    drawing.makeNewSnapsFile(*path);
    if (!drawing.getSnapshotFile() || !drawing.getSnapshotFile()->isOpen()) {
      app.alerts().showAlert("CannotSaveFileMain", "CannotSaveFileExplain");
      drawing.closeSnapsFile();
      return;
    }
  }
  SnapshotFile const* file = drawing.getSnapshotFile();
  if (file->isReadOnly()) {
    app.alerts().showAlert("ReadOnlyFileMain", "ReadOnlyFileExplain");
    return;
  }
  std::optional<std::string> const name = NameSnapshotDialog::ask(app.alerts(), &app.mainWindow());
  if (!name) return;
  if (drawing.memorizeSnapshot(*name)) app.saveSnapshotFile();
  app.snapshotBrowser().bringToFront();
}

void newSnapshotFile(Application& app) {
  auto const path = app.files().chooseNewFile(SnapshotFile::k_extension, SnapshotFile::k_newFileTitleKey);
  if (!path) return;
  app.saveFilesBeforeClosing();
  app.drawing().makeNewSnapsFile(*path);
  app.snapshotBrowser().bringToFront();
}

}  // namespace

void registerCollectionCommands(Application& app) {
  auto on = [&app](std::string_view four, CommandDispatcher::Handler handler) {
    app.dispatcher().registerHandler(commandId(four), std::move(handler));
  };
  Application* a = &app;

  // Snapshots.
  on("Snap", [a] { storeSnapshot(*a); });
  on("SnaD", [a] {
    a->browser().deleteCurrentSnapshot();
    a->saveSnapshotFile();
  });
  on("AppC", [a] {
    a->browser().applyCurrentSnapshot();
    DrawingUndo::getManager().clear();
  });
  // From the pop-up: its category. From the menu: the next category.
  on("CnfS", [a] {
    SnapshotBrowserController& browser = a->browser();
    int item = a->snapshotBrowser().categoryItem();
    if (item == browser.getCategory() + 1) item = item % SnapshotBrowserController::k_numCategories + 1;
    browser.changeSnapCategory(item);
  });
  on("NewC", [a] { newSnapshotFile(*a); });
  on("OpeC", [a] {
    if (auto const path = a->files().chooseFileToOpen(SnapshotFile::k_extension)) openSnapshotFile(*a, *path);
  });
  on("ClsC", [a] {
    a->saveFilesBeforeClosing();
    a->drawing().closeSnapsFile();
  });
  on("Dwer", [a] { a->snapshotBrowser().bringToFront(); });

  // Gradations.
  on("HGrd", [a] { a->gradationChooser().bringToFront(); });
  on("Eclr", [a] { a->gradations().editDrawingGradation(a->gradationEditor()); });
  on("aplG", [a] { a->drawing().setCurrentGradation(a->gradations().getEditedGradation()); });
  on("AppG", [a] { a->gradations().applySelectedGradation(); });
  on("StGd", [a] {
    if (a->gradations().storeDrawingGradation()) a->saveGradationFile();
    a->gradationChooser().bringToFront();
  });
  on("Colr", [a] { a->gradations().addColor(); });
  on("Dclr", [a] { a->gradations().deleteColor(); });
  on("Cclr", [a] { a->gradations().changeColor(); });
  on("GrZ+", [a] { a->gradations().zoomIn(); });
  on("GrZ-", [a] { a->gradations().zoomOut(); });
  on("CnfG", [a] {
    GradationController& gradations = a->gradations();
    int item = a->gradationChooser().categoryItem();
    if (item == static_cast<int>(gradations.getCategory()) + 1)
      item = item % static_cast<int>(StandardGradations::k_numCategories) + 1;
    gradations.changeGradCategory(item);
  });
  on("NewG", [a] {
    a->saveFilesBeforeClosing();
    if (a->gradations().newGradationFile()) a->gradationChooser().bringToFront();
  });
  on("OpeG", [a] {
    if (auto const path = a->files().chooseFileToOpen(GradationFile::k_extension)) openGradationFile(*a, *path);
  });
  on("ClsG", [a] {
    a->saveFilesBeforeClosing();
    a->gradations().closeGradationFile();
  });
  on("DelG", [a] {
    a->gradations().deleteCurrentGradation();
    a->saveGradationFile();
  });

  // The main window is blocked while the editor runs: its keys work in the editor too.
  for (char const* four : {"Colr", "Dclr", "Cclr", "Rclr", "GrZ+", "GrZ-", "aplG"})
    if (QAction* action = app.action(commandId(four))) app.gradationEditor().addAction(action);
}

}  // namespace orlenza::app
