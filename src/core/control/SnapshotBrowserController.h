#pragma once
// The rules of the snapshot browser: the built-in pictures of one category in
// one list, those of the open snapshot file in the other; a chosen picture is
// applied to the drawing, and the file's pictures are renamed and deleted
// unless the file is read-only.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/control/BrowserLists.h"
#include "core/model/Snapshot.h"

namespace orlenza {

class AlertSink;
class DrawingTarget;
class SnapshotFile;

// The browser window, told when to read the controller's state again.
class SnapshotBrowserView {
 public:
  virtual ~SnapshotBrowserView() = default;
  virtual void listRefilled(BrowserList list) = 0;
  virtual void buttonsChanged() = 0;
  virtual void bringToFront() = 0;
};

class SnapshotBrowserController {
 public:
  static constexpr int k_numCategories = 4;
  // Names longer than this many bytes are cut when a row is edited.
  static constexpr std::size_t k_maxNameBytes = 255;

  // Every argument must outlive the controller.
  SnapshotBrowserController(DrawingTarget& drawing, SnapshotBrowserView& view, AlertSink& alerts);

  // "EscParams", "Halley", "Biomorph", "categ_phaseplane"; any other index gives "EscParams".
  static std::string_view categoryKey(int index);
  int getCategory() const { return m_category; }
  // The pop-up's item, 1-based; the built-in list is refilled only when the category changes.
  void changeSnapCategory(int popupItem);

  // The file the drawing holds (none allowed); not owned.
  void setSnapshotFile(SnapshotFile* file);
  SnapshotFile* getSnapshotFile() const { return m_file; }
  // The file's name for the window, empty without a file on disk.
  std::string getFileName() const;

  int getNumEntries(BrowserList list) const;
  // The file's own object, or a copy of a built-in one; null outside the list.
  std::shared_ptr<Snapshot> getSnapshot(BrowserList list, int index) const;
  std::string getEntryName(BrowserList list, int index) const;
  // Only the file list, and only for a file that is not read-only.
  bool allowsEditing(BrowserList list) const;

  // A click on a row; an index outside the list selects nothing there.
  void selectEntry(BrowserList list, int index);
  // A double click acts as the apply button.
  void doubleClickEntry(BrowserList list, int index);
  void clearAllSelections();
  std::optional<int> getSelectedIndex(BrowserList list) const { return m_selection.get(list); }
  BrowserButtons getButtons() const { return m_selection.buttons(m_file != nullptr); }

  // The built-in selection first, else the file one, else null.
  std::shared_ptr<Snapshot> getCurrentlySelectedSnapshot() const;
  // The drawing takes a copy of the selection.
  void applyCurrentSnapshot();

  // The edited text of a file row becomes its name; a read-only file refuses
  // with the read-only alert. True when the name changed.
  bool setSnapshotName(int index, std::string const& name);
  // Removes the selected file entry (a read-only file refuses with the
  // read-only alert), then refills the file list.
  void deleteCurrentSnapshot();
  void refreshFileBrowser();

 private:
  void fill(BrowserList list);
  void reactToSelection();

  DrawingTarget& m_drawing;
  SnapshotBrowserView& m_view;
  AlertSink& m_alerts;
  int m_category = 0;
  SnapshotFile* m_file = nullptr;
  BrowserSelection m_selection;
};

}  // namespace orlenza
