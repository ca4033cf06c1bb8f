#pragma once
// Undo and redo of the drawing's edits: each command holds the snapshot to go
// back to and, when executed, answers its inverse. The Undo and Redo menu
// items are kept as data (text and enabled state) for the GUI to show.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/control/WindowControls.h"

namespace orlenza {

class MainWindow;
class Snapshot;

class UndoCommand {
 public:
  virtual ~UndoCommand() = default;
  virtual std::shared_ptr<UndoCommand> executeUndo() = 0;
  virtual std::shared_ptr<UndoCommand> executeRedo() = 0;
  // The localized label shown after the Undo or Redo prefix.
  virtual std::string copyCommandString() const = 0;
};

class UndoManager {
 public:
  UndoManager();

  // Dropped while a command is being undone or redone.
  void pushCommand(std::shared_ptr<UndoCommand> command);
  void undo();
  void redo();
  void clear();

  bool canUndo() const { return !m_undo.empty(); }
  bool canRedo() const { return !m_redo.empty(); }
  std::size_t undoCount() const { return m_undo.size(); }
  std::size_t redoCount() const { return m_redo.size(); }

  // Menu items 1 and 2 of the Edit menu.
  std::string const& undoItemText() const { return m_undoText; }
  std::string const& redoItemText() const { return m_redoText; }
  bool undoItemEnabled() const { return m_undoEnabled; }
  bool redoItemEnabled() const { return m_redoEnabled; }

 private:
  void renameUndoItem(std::string const& label);
  void renameRedoItem(std::string const& label);
  void disableUndoItem();
  void disableRedoItem();

  std::vector<std::shared_ptr<UndoCommand>> m_undo;
  std::vector<std::shared_ptr<UndoCommand>> m_redo;
  bool m_busy = false;
  std::string m_undoText;
  std::string m_redoText;
  bool m_undoEnabled = false;
  bool m_redoEnabled = false;
};

namespace DrawingUndo {
// The one manager of the drawing, made on first use.
UndoManager& getManager();
// A fresh manager (tests start from there).
void resetManager();
}  // namespace DrawingUndo

// The commands that restore a snapshot into the main window; the inverse holds
// the controls snapshot of the moment it was made.
class UndoCommandSnap : public UndoCommand {
 public:
  UndoCommandSnap(MainWindow* window, std::shared_ptr<Snapshot> snapshot, bool recompute);
  std::shared_ptr<UndoCommand> executeUndo() override { return restoreSnapshot(); }
  std::shared_ptr<UndoCommand> executeRedo() override { return restoreSnapshot(); }
  std::shared_ptr<Snapshot> const& getSnapshot() const { return m_snapshot; }

 protected:
  virtual std::shared_ptr<UndoCommand> makeInverse(std::shared_ptr<Snapshot> controls) const = 0;
  // Between restoring the snapshot and re-evaluating Draw.
  virtual void showRestoredControl() const {}
  std::shared_ptr<UndoCommand> restoreSnapshot();

  MainWindow* m_window;
  std::shared_ptr<Snapshot> m_snapshot;
  bool m_recompute;
};

// An edit of a control; the label names the kind of control. Restoring it
// brings the tab of the edited control (when known) to the front.
class UndoCommandSnapshot : public UndoCommandSnap {
 public:
  UndoCommandSnapshot(MainWindow* window, std::shared_ptr<Snapshot> snapshot, std::string controlUndoKey,
                      bool recompute, std::optional<ControlTab> controlTab = std::nullopt);
  std::string copyCommandString() const override;
  std::optional<ControlTab> controlTab() const { return m_controlTab; }

 protected:
  std::shared_ptr<UndoCommand> makeInverse(std::shared_ptr<Snapshot> controls) const override;
  void showRestoredControl() const override;

 private:
  std::string m_controlUndoKey;
  std::optional<ControlTab> m_controlTab;
};

// The other commands differ only in their label (and, for the random
// formula, in whether undo recomputes).
template <char const* LabelKey, bool AlwaysRecompute>
class UndoCommandLabelled : public UndoCommandSnap {
 public:
  UndoCommandLabelled(MainWindow* window, std::shared_ptr<Snapshot> snapshot, bool recompute = true)
      : UndoCommandSnap(window, std::move(snapshot), AlwaysRecompute || recompute) {}
  std::string copyCommandString() const override;

 protected:
  std::shared_ptr<UndoCommand> makeInverse(std::shared_ptr<Snapshot> controls) const override {
    return std::make_shared<UndoCommandLabelled>(m_window, std::move(controls), m_recompute);
  }
};

inline constexpr char k_undoRandom[] = "undo_random";
inline constexpr char k_undoGradEdit[] = "undo_gradedit";
inline constexpr char k_undoZoom[] = "undo_zoom";
inline constexpr char k_undoFlip[] = "undo_flip";
inline constexpr char k_undoReset[] = "undo_reset";

using UndoCommandRandomize = UndoCommandLabelled<k_undoRandom, false>;
using UndoCommandGradationEdit = UndoCommandLabelled<k_undoGradEdit, true>;
using UndoCommandZoom = UndoCommandLabelled<k_undoZoom, true>;
using UndoCommandFlip = UndoCommandLabelled<k_undoFlip, true>;
using UndoCommandReset = UndoCommandLabelled<k_undoReset, true>;

}  // namespace orlenza
