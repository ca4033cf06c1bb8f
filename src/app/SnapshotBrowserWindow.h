#pragma once
// The snapshot browser "SnapsBrowser": the built-in pictures of a category and
// those of the open snapshot file, one selection across both lists, a preview
// of the selected picture computed off the GUI thread, and the buttons of the
// snapshot commands. It shows the SnapshotBrowserController and sends every
// gesture to it through the application.

#include <QWidget>

#include <cstdint>
#include <memory>

#include "core/control/SnapshotBrowserController.h"
#include "core/control/SnapshotPreviewer.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace orlenza::app {

class Application;

class SnapshotBrowserWindow : public QWidget, public SnapshotBrowserView {
  Q_OBJECT
 public:
  // The controller is read only once the application has made it.
  explicit SnapshotBrowserWindow(Application& app);
  ~SnapshotBrowserWindow() override;

  // SnapshotBrowserView
  void listRefilled(BrowserList list) override;
  void buttonsChanged() override;
  void bringToFront() override;

  // The category pop-up's item, 1-based ('CnfS' reads it).
  int categoryItem() const;

  QListWidget* list(BrowserList which) const;
  QComboBox* categoryPopup() const { return m_category; }
  QPushButton* applyButton() const { return m_apply; }
  QPushButton* deleteButton() const { return m_delete; }
  QPushButton* closeButton() const { return m_close; }
  QLabel* preview() const { return m_preview; }
  // The ticket of the preview last shown (tests wait for it).
  std::uint64_t shownPreviewTicket() const { return m_shownTicket; }
  std::uint64_t wantedPreviewTicket() const { return m_wantedTicket; }

 private:
  void rowClicked(BrowserList which, int row);
  void rowRenamed(int row, QString const& text);
  void showSelection();
  void requestPreview();
  void previewReady(std::uint64_t ticket, SnapshotPreviewer::Picture const& picture);

  Application& m_app;
  QComboBox* m_category;
  QListWidget* m_builtIn;
  QLabel* m_fileName;
  QListWidget* m_file;
  QLabel* m_preview;
  QPushButton* m_apply;
  QPushButton* m_delete;
  QPushButton* m_close;
  bool m_updating = false;
  std::uint64_t m_wantedTicket = 0;
  std::uint64_t m_shownTicket = 0;
  // Last, so that it stops (and stops calling back) before anything else goes.
  std::unique_ptr<SnapshotPreviewer> m_previewer;
};

}  // namespace orlenza::app
