#pragma once
// The rules of the two gradation windows: the editor, in which the keys of one
// gradation are added, recoloured, moved and deleted while the drawing shows
// the result, and the chooser, which lists the built-in gradations of a
// category beside those of the open gradation file.

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

#include "core/control/BrowserLists.h"
#include "core/files/GradationFile.h"
#include "core/model/Gradation.h"
#include "core/model/KeyframePosition.h"

namespace orlenza {

class AlertSink;
class ColourPicker;
class DrawingTarget;
class FileChooser;
class GradationController;

// The editor window: its axis and colour strip show the gradation being edited.
class GradationEditorView {
 public:
  virtual ~GradationEditorView() = default;
  // The keys changed (or another gradation was loaded): redraw from g.
  virtual void gradationChanged(Gradation const& g) = 0;
  // The axis marks pos as selected (the invalid position: nothing).
  virtual void select(KeyframePosition pos) = 0;
  // The delete and change-colour buttons are to be read again.
  virtual void buttonsChanged() = 0;
  virtual void zoomIn() = 0;
  virtual void zoomOut() = 0;
};

// Runs the editor modally: the studio shows the dialog and hands the user's
// actions to the controller until OK (true) or Cancel (false).
class GradationEditorSession {
 public:
  virtual ~GradationEditorSession() = default;
  virtual bool runModal(GradationController& controller) = 0;
};

// The chooser window, told when to read the controller's state again.
class GradationChooserView {
 public:
  virtual ~GradationChooserView() = default;
  virtual void listRefilled(BrowserList list) = 0;
  virtual void buttonsChanged() = 0;
};

struct GradationServices {
  DrawingTarget& drawing;
  GradationEditorView& editor;
  GradationChooserView& chooser;
  ColourPicker& colours;
  FileChooser& files;
  AlertSink& alerts;
};

class GradationController {
 public:
  // Every service must outlive the controller.
  explicit GradationController(GradationServices services);
  ~GradationController();
  GradationController(GradationController const&) = delete;
  GradationController& operator=(GradationController const&) = delete;

  // ---- Editor.
  // Loads g (the caller's, not copied), runs the session, and answers whether
  // it ended with OK. g is edited in place.
  bool editGradation(Gradation* g, GradationEditorSession& session);
  // 'Eclr': the editor on a copy of the drawing's gradation, every change
  // previewed on the drawing; OK makes the copy the drawing's gradation,
  // Cancel shows the drawing's own gradation again.
  bool editDrawingGradation(GradationEditorSession& session);
  bool isEditing() const { return m_editing; }
  // A copy of the gradation in the editor; the default one when none is loaded.
  Gradation getEditedGradation() const;
  void acceptGradation(Gradation* g);

  KeyframePosition getSelection() const { return m_selection; }
  bool isDeleteEnabled() const;
  bool isChangeColourEnabled() const;

  // 'Colr': a key in the middle of the widest gap between keys, coloured as the user picks.
  void addColor();
  // 'Dclr', 'Cclr': on the selected key; the end keys are never deleted.
  void deleteColor();
  // True when the colour changed.
  bool changeColor();
  // Typed into the position field: the selected key moves there. Refused
  // (false) for an end key, a text that is no position on the axis, or a
  // place that already holds a key.
  bool moveSelectedEntry(std::string_view typed);
  // 'Rclr' while the editor runs.
  void randomizeGradation();
  void zoomIn();
  void zoomOut();

  // The axis view's gestures.
  bool entryAdded(KeyframePosition pos);
  void currentSelectionChanged(KeyframePosition pos);
  void entryMoved(KeyframePosition from, KeyframePosition to);

  // ---- Chooser and file.
  unsigned getCategory() const { return m_category; }
  // The pop-up's item, 1-based; the built-in list is refilled only when the category changes.
  void changeGradCategory(int popupItem);
  int getNumEntries(BrowserList list) const;
  // Null outside the list.
  Gradation const* getGradation(BrowserList list, int index) const;
  void selectEntry(BrowserList list, int index);
  void clearAllSelections();
  std::optional<int> getSelectedIndex(BrowserList list) const { return m_chooserSelection.get(list); }
  BrowserButtons getButtons() const { return m_chooserSelection.buttons(m_file != nullptr); }
  // The built-in selection first, else the file one.
  std::optional<Gradation> getSelectedGradation() const;
  // 'AppG'.
  void applySelectedGradation();

  // A copy of g goes to the end of the file, made first (through the file
  // chooser) when none is open. A read-only file refuses with the read-only
  // alert. True when stored.
  bool storeGradation(Gradation const& g);
  // 'StGd': the drawing's gradation.
  bool storeDrawingGradation();
  void deleteCurrentGradation();
  bool newGradationFile();
  // Opening the file already open keeps it and its unsaved changes. A file
  // that does not open leaves the open one in place (false, with an alert).
  bool openGradationFile(std::filesystem::path const& path);
  void closeGradationFile();
  GradationFile const* getGradationFile() const { return m_file.get(); }
  GradationFile* getGradationFile() { return m_file.get(); }

 private:
  void editorChanged();
  void setSelection(KeyframePosition pos);
  void replaceFile(std::unique_ptr<GradationFile> file);
  void refillFileList();

  GradationServices m_services;
  Gradation* m_edited = nullptr;
  bool m_editing = false;
  KeyframePosition m_selection;
  unsigned m_category = 0;
  BrowserSelection m_chooserSelection;
  std::unique_ptr<GradationFile> m_file;
};

}  // namespace orlenza
