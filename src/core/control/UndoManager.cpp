#include "core/control/UndoManager.h"

#include <optional>
#include <utility>

#include "core/base/StringTable.h"
#include "core/control/MainWindow.h"

namespace orlenza {

UndoManager::UndoManager() {
  disableUndoItem();
  disableRedoItem();
}

void UndoManager::renameUndoItem(std::string const& label) {
  static std::string const prefix = localized("undo_undo");
  m_undoText = prefix + label;
  m_undoEnabled = true;
}

void UndoManager::renameRedoItem(std::string const& label) {
  static std::string const prefix = localized("undo_redo");
  m_redoText = prefix + label;
  m_redoEnabled = true;
}

void UndoManager::disableUndoItem() {
  m_undoText = localized("undo_cannotUndo");
  m_undoEnabled = false;
}

void UndoManager::disableRedoItem() {
  m_redoText = localized("undo_cannotRedo");
  m_redoEnabled = false;
}

void UndoManager::pushCommand(std::shared_ptr<UndoCommand> command) {
  if (m_busy || !command) return;
  std::string const label = command->copyCommandString();
  m_undo.push_back(std::move(command));
  m_redo.clear();
  disableRedoItem();
  renameUndoItem(label);
}

namespace {
// Clears the busy flag however the command ends.
struct BusyScope {
  explicit BusyScope(bool& busy) : m_busy(busy) { m_busy = true; }
  ~BusyScope() { m_busy = false; }
  BusyScope(BusyScope const&) = delete;
  BusyScope& operator=(BusyScope const&) = delete;
  bool& m_busy;
};
}  // namespace

void UndoManager::undo() {
  if (m_undo.empty()) return;
  BusyScope busy(m_busy);
  std::shared_ptr<UndoCommand> command = std::move(m_undo.back());
  m_undo.pop_back();
  std::shared_ptr<UndoCommand> inverse = command->executeUndo();
  if (inverse) {
    renameRedoItem(inverse->copyCommandString());
    m_redo.push_back(std::move(inverse));
  }
  if (m_undo.empty())
    disableUndoItem();
  else
    renameUndoItem(m_undo.back()->copyCommandString());
}

void UndoManager::redo() {
  if (m_redo.empty()) return;
  BusyScope busy(m_busy);
  std::shared_ptr<UndoCommand> command = std::move(m_redo.back());
  m_redo.pop_back();
  std::shared_ptr<UndoCommand> inverse = command->executeRedo();
  if (inverse) {
    renameUndoItem(inverse->copyCommandString());
    m_undo.push_back(std::move(inverse));
  }
  if (m_redo.empty())
    disableRedoItem();
  else
    renameRedoItem(m_redo.back()->copyCommandString());
}

void UndoManager::clear() {
  m_undo.clear();
  m_redo.clear();
  disableUndoItem();
  disableRedoItem();
}

namespace DrawingUndo {
namespace {
std::optional<UndoManager>& storage() {
  static std::optional<UndoManager> s_manager;
  return s_manager;
}
}  // namespace

UndoManager& getManager() {
  auto& s = storage();
  if (!s) s.emplace();
  return *s;
}

void resetManager() { storage().reset(); }
}  // namespace DrawingUndo

UndoCommandSnap::UndoCommandSnap(MainWindow* window, std::shared_ptr<Snapshot> snapshot, bool recompute)
    : m_window(window), m_snapshot(std::move(snapshot)), m_recompute(recompute) {}

std::shared_ptr<UndoCommand> UndoCommandSnap::restoreSnapshot() {
  std::shared_ptr<UndoCommand> inverse = makeInverse(m_window->makeSnapshotFromControls());
  if (m_recompute)
    m_window->acceptSnapshot(m_snapshot);
  else
    m_window->adjustPanesToSnapshot(m_snapshot);
  showRestoredControl();
  m_window->adjustDrawingStatus();
  return inverse;
}

UndoCommandSnapshot::UndoCommandSnapshot(MainWindow* window, std::shared_ptr<Snapshot> snapshot,
                                         std::string controlUndoKey, bool recompute,
                                         std::optional<ControlTab> controlTab)
    : UndoCommandSnap(window, std::move(snapshot), recompute),
      m_controlUndoKey(std::move(controlUndoKey)),
      m_controlTab(controlTab) {}

std::string UndoCommandSnapshot::copyCommandString() const { return localized(m_controlUndoKey); }

std::shared_ptr<UndoCommand> UndoCommandSnapshot::makeInverse(std::shared_ptr<Snapshot> controls) const {
  return std::make_shared<UndoCommandSnapshot>(m_window, std::move(controls), m_controlUndoKey, m_recompute,
                                               m_controlTab);
}

void UndoCommandSnapshot::showRestoredControl() const {
  if (m_controlTab) m_window->changeTabToShowControl(*m_controlTab);
  m_window->resetCurrentControl();
}

template <char const* LabelKey, bool AlwaysRecompute>
std::string UndoCommandLabelled<LabelKey, AlwaysRecompute>::copyCommandString() const {
  return localized(LabelKey);
}

template class UndoCommandLabelled<k_undoRandom, false>;
template class UndoCommandLabelled<k_undoGradEdit, true>;
template class UndoCommandLabelled<k_undoZoom, true>;
template class UndoCommandLabelled<k_undoFlip, true>;
template class UndoCommandLabelled<k_undoReset, true>;

}  // namespace orlenza
