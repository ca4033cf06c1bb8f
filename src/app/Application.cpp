#include "app/Application.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#include <exception>
#include <iostream>
#include <sstream>
#include <utility>

#include "app/CollectionCommands.h"
#include "app/CommandTable.h"
#include "app/GeneratorChooserDialog.h"
#include "app/GradationChooserWindow.h"
#include "app/GradationEditorDialog.h"
#include "app/ImageView.h"
#include "app/Icons.h"
#include "app/ImageWindowView.h"
#include "app/KeyframePositionView.h"
#include "app/MainWindowView.h"
#include "app/MovieMaker.h"
#include "app/PendingWindows.h"
#include "app/PreferencesDialog.h"
#include "app/QtAlerts.h"
#include "app/QtColourPicker.h"
#include "app/QtFileChooser.h"
#include "app/QtProgressWindow.h"
#include "app/QtText.h"
#include "app/TimeLineWindowView.h"
#include "app/SnapshotBrowserWindow.h"
#include "core/CoreRegistration.h"
#include "core/base/RandomUtils.h"
#include "core/control/DrawingController.h"
#include "core/control/GradationController.h"
#include "core/control/SnapshotBrowserController.h"
#include "core/control/TimeLineController.h"
#include "core/control/UndoManager.h"
#include "core/files/CollectionSaving.h"
#include "core/files/GenericFile.h"
#include "core/files/SnapshotFile.h"
#include "core/model/Snapshot.h"
#include "media/PngWriter.h"

namespace orlenza::app {

namespace {
constexpr char kWebPage[] = "https://orlenza.org/";

std::string snapshotRecordText(Snapshot const& snapshot) {
  std::ostringstream os;
  os.precision(12);  // as the snapshot files write records
  os << snapshot;
  return os.str();
}
}  // namespace

Application::Application(QObject* parent) : QObject(parent) {
  RandomUtils::randomize();
  registerCoreFamilies();
  m_preferences = Preferences::retrieve();
  m_alerts = std::make_unique<QtAlerts>();
  m_files = std::make_unique<QtFileChooser>();
  m_colours = std::make_unique<QtColourPicker>();
  m_progress = new QtProgressWindow(this);
  m_pending = std::make_unique<PendingWindows>();

  // A window of the snapshot browser, the gradations or the timeline takes
  // the place of m_pending in its controller's services: it is made before
  // its controller and reads the controller only after this constructor.
  m_snapshotBrowser = std::make_unique<SnapshotBrowserWindow>(*this);
  m_gradationEditor = std::make_unique<GradationEditorDialog>(*this);
  m_gradationChooser = std::make_unique<GradationChooserWindow>(*this);
  m_drawing = std::make_unique<DrawingController>(*m_progress, *m_alerts);
  m_browser = std::make_unique<SnapshotBrowserController>(*m_drawing, *m_snapshotBrowser, *m_alerts);
  m_drawing->setSnapshotBrowser(m_browser.get());
  m_gradations = std::make_unique<GradationController>(GradationServices{
      *m_drawing, *m_gradationEditor, *m_gradationChooser, *m_colours, *m_files, *m_alerts});
  m_timelineWindow = std::make_unique<TimeLineWindowView>();
  m_keyframePositions = std::make_unique<KeyframePositionView>();
  m_timeline = std::make_unique<TimeLineController>(
      TimeLineServices{*m_drawing, *m_timelineWindow, *m_alerts, *m_files, *m_keyframePositions, *m_alerts});
  m_timelineWindow->setController(m_timeline.get());

  buildActions();
  registerDrawingCommands();
  registerCollectionCommands(*this);
  m_snapshotBrowser->listRefilled(BrowserList::builtIn);
  m_gradationChooser->listRefilled(BrowserList::builtIn);
  m_gradationChooser->listRefilled(BrowserList::file);
  m_imageWindow = std::make_unique<ImageWindowView>(*this);
  m_mainWindow = std::make_unique<MainWindowView>(*this);
  m_movieMaker = std::make_unique<MovieMaker>(m_mainWindow.get(), *m_alerts);
  registerTimelineCommands();
  m_alerts->setParentWidget(m_mainWindow.get());
  m_files->setParentWidget(m_mainWindow.get());
  m_colours->setParentWidget(m_mainWindow.get());
  m_gradationEditor->setParent(m_mainWindow.get(), m_gradationEditor->windowFlags());
  qApp->installEventFilter(this);
  refresh();
}

Application::~Application() {
  saveFilesBeforeClosing();
  m_closing = true;
  // The controllers report to the windows until they are gone.
  m_timeline.reset();
  m_gradations.reset();
  m_drawing.reset();
  m_browser.reset();
  if (m_gradationEditor) m_gradationEditor->setParent(nullptr);
}

void Application::saveSnapshotFile() {
  if (SnapshotFile* file = m_drawing->getSnapshotFile()) saveChanges(*file, *m_alerts);
}

void Application::saveGradationFile() {
  if (GradationFile* file = m_gradations->getGradationFile()) saveChanges(*file, *m_alerts);
}

void Application::saveFilesBeforeClosing() {
  if (m_drawing)
    if (SnapshotFile* file = m_drawing->getSnapshotFile()) saveBeforeClosing(*file, *m_alerts);
  if (m_gradations)
    if (GradationFile* file = m_gradations->getGradationFile()) saveBeforeClosing(*file, *m_alerts);
}

void Application::runModal(std::set<CommandId> allowed, std::function<void()> const& body) {
  bool const dispatching = std::exchange(m_dispatching, false);
  auto previous = std::exchange(m_modalCommands, std::move(allowed));
  try {
    body();
  } catch (...) {
    m_modalCommands = std::move(previous);
    m_dispatching = dispatching;
    throw;
  }
  m_modalCommands = std::move(previous);
  m_dispatching = dispatching;
}

void Application::buildActions() {
  for (CommandInfo const& row : CommandTable::rows()) {
    auto* act = new QAction(text(row.textKey), this);
    act->setObjectName(toQString(commandName(row.id)));
    if (!row.shortcut.empty()) act->setShortcut(QKeySequence(QString::fromUtf8(row.shortcut.data(),
                                                                               static_cast<qsizetype>(row.shortcut.size()))));
    // Shortcuts work from every studio window, not only the one with the menus.
    act->setShortcutContext(Qt::ApplicationShortcut);
    if (!row.iconName.empty()) act->setIcon(resourceIcon(row.iconName));
    act->setCheckable(row.checkable);
    CommandId const id = row.id;
    connect(act, &QAction::triggered, this, [this, id] { dispatch(id); });
    m_actions[id] = act;
  }
}

QAction* Application::action(CommandId id) const {
  auto const it = m_actions.find(id);
  return it == m_actions.end() ? nullptr : it->second;
}

bool Application::isEnabled(CommandId id) const {
  CommandInfo const* row = CommandTable::find(id);
  return row && row->enabled && row->enabled(*this);
}

bool Application::dispatch(CommandId id) {
  // One command at a time: a shortcut that slips in while a picture computes waits for nothing.
  if (m_dispatching || m_progress->isRunning()) return false;
  if (m_modalCommands && m_modalCommands->count(id) == 0) return false;
  if (CommandTable::find(id) && !isEnabled(id)) return false;
  if (!m_dispatcher.handles(id)) return false;
  perform([&] { m_dispatcher.dispatch(id); });
  return true;
}

bool Application::perform(std::function<void()> const& gesture) {
  if (m_dispatching || m_progress->isRunning()) return false;
  m_dispatching = true;
  try {
    gesture();
  } catch (std::exception const& error) {
    std::cerr << error.what() << '\n';
    m_alerts->showAlert("CommandFailedMain", "CommandFailedExplain");
  } catch (...) {
    std::cerr << "Unidentified error\n";
    m_alerts->showAlert("CommandFailedMain", "CommandFailedExplain");
  }
  m_dispatching = false;
  refresh();
  return true;
}

void Application::refresh() {
  UndoManager const& undo = DrawingUndo::getManager();
  for (auto const& [id, act] : m_actions) act->setEnabled(isEnabled(id));
  if (QAction* undoAction = action(commandId("undX"))) undoAction->setText(toQString(undo.undoItemText()));
  if (QAction* redoAction = action(commandId("redX"))) redoAction->setText(toQString(undo.redoItemText()));
  MainWindow& window = m_drawing->getMainWindow();
  if (QAction* h = action(commandId("flpH"))) h->setChecked(window.flipH());
  if (QAction* v = action(commandId("flpV"))) v->setChecked(window.flipV());
  emit refreshed();
}

void Application::registerDrawingCommands() {
  auto on = [this](std::string_view four, CommandDispatcher::Handler handler) {
    m_dispatcher.registerHandler(commandId(four), std::move(handler));
  };
  DrawingController& d = *m_drawing;
  on("Draw", [&d] { d.makeFractal(); });
  on("Rand", [this, &d] {
    d.makeRandomFormula();
    m_browser->clearAllSelections();
  });
  on("Rclr", [this, &d] {
    if (m_gradations->isEditing())
      m_gradations->randomizeGradation();
    else
      d.randomizeGradation();
  });
  on("Zom+", [&d] { d.zoomInImage(); });
  on("Zom-", [&d] { d.zoomOutImage(); });
  on("Rest", [&d] { d.resetCommand(); });
  // The checkable items and the main window's boxes already show the new state.
  on("flpH", [this, &d] {
    d.getMainWindow().setFlipBoxes(action(commandId("flpH"))->isChecked(), d.getMainWindow().flipV());
    d.flipImageHorizontal(true);
  });
  on("flpV", [this, &d] {
    d.getMainWindow().setFlipBoxes(d.getMainWindow().flipH(), action(commandId("flpV"))->isChecked());
    d.flipImageVertical(true);
  });
  on("fliH", [&d] { d.flipImageHorizontal(false); });
  on("fliV", [&d] { d.flipImageVertical(false); });
  for (int i = 0; i < 6; ++i) {
    std::string const four = "siz" + std::to_string(i + 1);
    on(four, [&d, i] { d.setDrawingSizeAndRecompute(i); });
  }
  on("Adnm", [&d] { d.getMainWindow().adjustNormAndRecompute(); });
  on("undX", [&d] { d.doUndo(); });
  on("redX", [&d] { d.doRedo(); });
  on("SnaB", [&d] { d.goToPreviousSnapshot(); });
  on("SnaF", [&d] { d.goToNextSnapshot(); });
  on("SelG", [this] { chooseGenerator(); });
  on("SelA", [&d] { d.getMainWindow().generatorArrowClicked(ArrowPart::Up); });
  on("svas", [this] { exportPicture(); });
  on("pref", [this] { showPreferences(); });
  on("abou", [this] { showAbout(); });
  on("Webs", [] { QDesktopServices::openUrl(QUrl(QString::fromLatin1(kWebPage))); });
  on("quit", [this] { quit(); });
  on("Wimg", [this] { m_imageWindow->bringToFront(); });
  on("Wmai", [this] {
    m_mainWindow->show();
    m_mainWindow->raise();
    m_mainWindow->activateWindow();
  });
}

void Application::showWindows() {
  m_mainWindow->show();
  // The picture beside the controls, where the screen has room for it.
  QRect const frame = m_mainWindow->frameGeometry();
  m_imageWindow->move(frame.right() + 12, frame.top());
  m_imageWindow->show();
  m_mainWindow->raise();
  m_mainWindow->activateWindow();
}

void Application::openFile(std::filesystem::path const& path) {
  std::string const name = path.filename().string();
  if (!m_mainWindow->isMinimized()) m_mainWindow->raise();
  if (!m_imageWindow->isMinimized()) m_imageWindow->raise();
  if (hasExtension(name, "snaps")) {
    perform([&] { openSnapshotFile(*this, path); });
  } else if (hasExtension(name, "msnaps")) {
    if (m_timeline->checkSaveCurrentMovie()) m_timeline->openKeyframes(path);
    showTimeline();
  } else if (hasExtension(name, "grads")) {
    perform([&] { openGradationFile(*this, path); });
  }
  refresh();
}

void Application::setPreferences(Preferences const& preferences) {
  m_preferences = preferences;
  m_preferences.store();
  m_preferences = Preferences::retrieve();
}

bool Application::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ToolTip && !m_preferences.displayTooltips) return true;
  return QObject::eventFilter(watched, event);
}

void Application::exportPicture() {
  auto const target = m_files->chooseNewFile("png", "NewPictureWindowTitle");
  if (!target) return;
  // After a Stop the bitmap still shows the former picture, which the drawn
  // snapshot no longer describes: its record would not make that picture again.
  if (!m_drawing->imageIsUpToDate()) {
    m_alerts->showAlert("ExportOutOfDateMain", "ExportOutOfDateExplain");
    return;
  }
  media::PngWriteOptions png;
  png.bitDepth = 8;
  png.texts.push_back(
      {media::kSnapshotTextKeyword, snapshotRecordText(*m_drawing->getMainWindow().getSnapshot()), true, true});
  try {
    media::writePng(*target, m_drawing->getRawBitMap().toRgbImage16(), png);
  } catch (std::exception const& error) {
    std::cerr << error.what() << '\n';
    m_alerts->showAlert("CannotSaveFileMain", "CannotSaveFileExplain");
  }
}

void Application::showAbout() {
  QMessageBox::about(m_mainWindow.get(), text("AboutTitle"),
                     text("AboutText").arg(QStringLiteral(ORLENZA_VERSION)));
}

void Application::showPreferences() {
  PreferencesDialog dialog(m_preferences, m_mainWindow.get());
  if (dialog.exec() == QDialog::Accepted) setPreferences(dialog.preferences());
}

void Application::chooseGenerator() {
  MainWindow& window = m_drawing->getMainWindow();
  GeneratorChooserDialog dialog(window.panes().currentIdentifier(), m_mainWindow.get());
  if (dialog.exec() != QDialog::Accepted) return;
  std::string const choice = dialog.choice();
  if (!choice.empty()) window.switchToParameterPane(choice);
}

}  // namespace orlenza::app
