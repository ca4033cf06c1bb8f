#pragma once
// The studio's one application object: it owns the platform services, the
// drawing, timeline and gradation controllers, the command actions and the
// windows, and routes every command through one dispatcher.
//
// Windows of their own (snapshot browser, gradation windows, timeline) are
// created in the constructor beside the others; they register their command
// handlers with dispatcher(), enable their commands by the rule of their rows
// in the command table, and connect to refreshed() to follow the models.

#include <QObject>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>

#include "app/CommandDispatcher.h"
#include "app/CommandId.h"
#include "app/Preferences.h"

class QAction;

namespace orlenza {
class DrawingController;
class GradationController;
class SnapshotBrowserController;
class TimeLineController;
}  // namespace orlenza

namespace orlenza::app {

class GradationChooserWindow;
class GradationEditorDialog;
class ImageWindowView;
class KeyframePositionView;
class MainWindowView;
class MovieMaker;
class SnapshotBrowserWindow;
class PendingWindows;
class QtAlerts;
class QtColourPicker;
class QtFileChooser;
class QtProgressWindow;
class TimeLineWindowView;

class Application : public QObject {
  Q_OBJECT
 public:
  // Needs a QApplication. Seeds the random numbers, registers the core's
  // families, reads the preferences, builds controllers (the drawing computes
  // its start picture), actions and windows. Throws on failure.
  explicit Application(QObject* parent = nullptr);
  ~Application() override;

  // --- services
  QtAlerts& alerts() const { return *m_alerts; }
  QtFileChooser& files() const { return *m_files; }
  QtColourPicker& colours() const { return *m_colours; }
  QtProgressWindow& progress() const { return *m_progress; }
  Preferences const& preferences() const { return m_preferences; }
  // Stores the preferences and applies them (tooltips).
  void setPreferences(Preferences const& preferences);

  // --- controllers
  DrawingController& drawing() const { return *m_drawing; }
  SnapshotBrowserController& browser() const { return *m_browser; }
  GradationController& gradations() const { return *m_gradations; }
  TimeLineController& timeline() const { return *m_timeline; }

  // --- commands
  CommandDispatcher& dispatcher() { return m_dispatcher; }
  // The action of a row of the command table (null for any other id).
  QAction* action(CommandId id) const;
  // The row's rule now.
  bool isEnabled(CommandId id) const;
  // Runs the command if its rule allows it; false when it is not handled.
  // Errors of the command reach the user as an alert or on standard error.
  bool dispatch(CommandId id);
  // A window's gesture on a model (typing, a pop-up, a click in the picture),
  // run like a command: one at a time, errors reported, then refresh().
  // False when it could not run (another is running).
  bool perform(std::function<void()> const& gesture);
  // Runs body (a modal dialog) from inside a command, letting through only
  // the commands in allowed until it returns.
  void runModal(std::set<CommandId> allowed, std::function<void()> const& body);

  // --- windows
  MainWindowView& mainWindow() const { return *m_mainWindow; }
  ImageWindowView& imageWindow() const { return *m_imageWindow; }
  TimeLineWindowView& timelineWindow() const { return *m_timelineWindow; }
  KeyframePositionView& keyframePositionDialog() const { return *m_keyframePositions; }
  MovieMaker& movieMaker() const { return *m_movieMaker; }
  // The timeline window comes forward (unless it is minimized).
  void showTimeline();
  // The user has confirmed quitting: the windows close for good.
  bool isQuitting() const { return m_quitting; }
  SnapshotBrowserWindow& snapshotBrowser() const { return *m_snapshotBrowser; }
  GradationEditorDialog& gradationEditor() const { return *m_gradationEditor; }
  GradationChooserWindow& gradationChooser() const { return *m_gradationChooser; }
  // The open snapshot and gradation files are written after each change; a
  // file changed under the program is reported (records in memory stay).
  void saveSnapshotFile();
  void saveGradationFile();
  // Before a file is replaced or closed, and at the end.
  void saveFilesBeforeClosing();
  // The application is being taken down: windows no longer read the models.
  bool closing() const { return m_closing; }
  void showWindows();
  // A file from the command line or dropped on a window, by its extension:
  // .snaps, .grads or .msnaps; anything else is ignored.
  void openFile(std::filesystem::path const& path);

 public slots:
  // Every action's state and text and every window's controls from the models.
  void refresh();

 protected:
  // Holds back tooltips while they are switched off.
  bool eventFilter(QObject* watched, QEvent* event) override;

 signals:
  // After refresh() set the actions: windows show the models again.
  void refreshed();

 private:
  void buildActions();
  void registerDrawingCommands();
  // In TimelineCommands.cpp.
  void registerTimelineCommands();
  void quit();
  void exportPicture();
  void showAbout();
  void showPreferences();
  void chooseGenerator();

  Preferences m_preferences;
  std::unique_ptr<QtAlerts> m_alerts;
  std::unique_ptr<QtFileChooser> m_files;
  std::unique_ptr<QtColourPicker> m_colours;
  QtProgressWindow* m_progress = nullptr;
  std::unique_ptr<PendingWindows> m_pending;
  // Before the controllers, which report to them until they are gone.
  std::unique_ptr<SnapshotBrowserWindow> m_snapshotBrowser;
  std::unique_ptr<GradationEditorDialog> m_gradationEditor;
  std::unique_ptr<GradationChooserWindow> m_gradationChooser;
  std::unique_ptr<DrawingController> m_drawing;
  std::unique_ptr<SnapshotBrowserController> m_browser;
  std::unique_ptr<GradationController> m_gradations;
  std::unique_ptr<TimeLineWindowView> m_timelineWindow;
  std::unique_ptr<KeyframePositionView> m_keyframePositions;
  std::unique_ptr<TimeLineController> m_timeline;
  std::unique_ptr<MovieMaker> m_movieMaker;
  CommandDispatcher m_dispatcher;
  std::map<CommandId, QAction*> m_actions;
  std::unique_ptr<MainWindowView> m_mainWindow;
  std::unique_ptr<ImageWindowView> m_imageWindow;
  bool m_dispatching = false;
  bool m_quitting = false;
  bool m_closing = false;
  std::optional<std::set<CommandId>> m_modalCommands;
};

}  // namespace orlenza::app
