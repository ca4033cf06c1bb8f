#include "core/control/SnapshotBrowserController.h"

#include <array>
#include <string>
#include <vector>

#include "core/control/ControllerSupport.h"
#include "core/control/DrawingTarget.h"
#include "core/files/AlertSink.h"
#include "core/files/SnapshotFile.h"
#include "core/library/StandardSnapshots.h"

namespace orlenza {

namespace {

constexpr std::array<std::string_view, SnapshotBrowserController::k_numCategories> k_categoryKeys = {
    "EscParams", "Halley", "Biomorph", "categ_phaseplane"};

std::vector<std::shared_ptr<Snapshot const>> const* builtIns(int category) {
  StandardSnapshots::Map const& all = StandardSnapshots::getSnapshots();
  auto const it = all.find(std::string(SnapshotBrowserController::categoryKey(category)));
  return it == all.end() ? nullptr : &it->second;
}

}  // namespace

SnapshotBrowserController::SnapshotBrowserController(DrawingTarget& drawing, SnapshotBrowserView& view,
                                                     AlertSink& alerts)
    : m_drawing(drawing), m_view(view), m_alerts(alerts) {}

std::string_view SnapshotBrowserController::categoryKey(int index) {
  return index >= 0 && index < k_numCategories ? k_categoryKeys[static_cast<std::size_t>(index)] : k_categoryKeys[0];
}

void SnapshotBrowserController::changeSnapCategory(int popupItem) {
  int const category = popupItem >= 1 && popupItem <= k_numCategories ? popupItem - 1 : 0;
  if (category == m_category) return;
  m_category = category;
  fill(BrowserList::builtIn);
  reactToSelection();
}

void SnapshotBrowserController::setSnapshotFile(SnapshotFile* file) {
  m_file = file;
  fill(BrowserList::file);
  m_view.buttonsChanged();
}

std::string SnapshotBrowserController::getFileName() const {
  return m_file ? m_file->getPath().filename().string() : std::string();
}

int SnapshotBrowserController::getNumEntries(BrowserList list) const {
  if (list == BrowserList::builtIn) {
    auto const* snaps = builtIns(m_category);
    return snaps ? static_cast<int>(snaps->size()) : 0;
  }
  return m_file ? static_cast<int>(m_file->records().size()) : 0;
}

std::shared_ptr<Snapshot> SnapshotBrowserController::getSnapshot(BrowserList list, int index) const {
  if (index < 0 || index >= getNumEntries(list)) return nullptr;
  auto const i = static_cast<std::size_t>(index);
  if (list == BrowserList::builtIn) return (*builtIns(m_category))[i]->clone();
  return m_file->records()[i];
}

std::string SnapshotBrowserController::getEntryName(BrowserList list, int index) const {
  if (index < 0 || index >= getNumEntries(list)) return {};
  auto const i = static_cast<std::size_t>(index);
  Snapshot const* snap = list == BrowserList::builtIn ? (*builtIns(m_category))[i].get() : m_file->records()[i].get();
  return snap ? snap->getName() : std::string();
}

bool SnapshotBrowserController::allowsEditing(BrowserList list) const {
  return list == BrowserList::file && m_file && m_file->isOpen() && !m_file->isReadOnly();
}

void SnapshotBrowserController::fill(BrowserList list) {
  m_selection.clear(list);
  m_view.listRefilled(list);
}

void SnapshotBrowserController::reactToSelection() {
  m_view.bringToFront();
  m_view.buttonsChanged();
}

void SnapshotBrowserController::selectEntry(BrowserList list, int index) {
  if (index >= 0 && index < getNumEntries(list))
    m_selection.select(list, index);
  else
    m_selection.clear(list);
  reactToSelection();
}

void SnapshotBrowserController::doubleClickEntry(BrowserList list, int index) {
  selectEntry(list, index);
  applyCurrentSnapshot();
}

void SnapshotBrowserController::clearAllSelections() {
  m_selection.clearAll();
  m_view.buttonsChanged();
}

std::shared_ptr<Snapshot> SnapshotBrowserController::getCurrentlySelectedSnapshot() const {
  for (BrowserList list : {BrowserList::builtIn, BrowserList::file})
    if (std::optional<int> const index = m_selection.get(list))
      if (std::shared_ptr<Snapshot> snap = getSnapshot(list, *index)) return snap;
  return nullptr;
}

void SnapshotBrowserController::applyCurrentSnapshot() {
  std::shared_ptr<Snapshot> const selected = getCurrentlySelectedSnapshot();
  // Never the file's own object: the drawing may change what it is given.
  if (selected) m_drawing.applySnapshot(selected->clone());
}

bool SnapshotBrowserController::setSnapshotName(int index, std::string const& name) {
  if (index < 0 || index >= getNumEntries(BrowserList::file) || !m_file->records()[static_cast<std::size_t>(index)])
    return false;
  if (!allowsEditing(BrowserList::file)) {
    control_detail::alert(m_alerts, "ReadOnlyFileMain", "ReadOnlyFileExplain");
    return false;
  }
  std::string const limited = control_detail::limitUtf8(name, k_maxNameBytes);
  if (m_file->records()[static_cast<std::size_t>(index)]->getName() == limited) return false;
  return m_file->renameSnap(index, limited);
}

void SnapshotBrowserController::deleteCurrentSnapshot() {
  std::optional<int> const index = m_selection.get(BrowserList::file);
  if (!m_file || !index) return;
  if (!allowsEditing(BrowserList::file)) {
    control_detail::alert(m_alerts, "ReadOnlyFileMain", "ReadOnlyFileExplain");
  } else if (*index < getNumEntries(BrowserList::file)) {
    m_file->records().erase(m_file->records().begin() + *index);
    m_file->setModified();
  }
  refreshFileBrowser();
}

void SnapshotBrowserController::refreshFileBrowser() {
  fill(BrowserList::file);
  m_view.buttonsChanged();
}

}  // namespace orlenza
