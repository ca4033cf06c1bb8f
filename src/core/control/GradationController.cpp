#include "core/control/GradationController.h"

#include <iterator>
#include <utility>

#include "core/animation/KeyframePositionDialog.h"
#include "core/base/AtomicFile.h"
#include "core/control/ControllerDialogs.h"
#include "core/control/ControllerSupport.h"
#include "core/control/DrawingTarget.h"
#include "core/files/AlertSink.h"
#include "core/library/StandardGradations.h"

namespace orlenza {

namespace {

constexpr KeyframePosition k_start = KeyframePosition::fromSteps(0);
constexpr KeyframePosition k_end = KeyframePosition::fromSteps(KeyframePosition::k_steps);

bool isEnd(KeyframePosition p) { return p == k_start || p == k_end; }

}  // namespace

GradationController::GradationController(GradationServices services) : m_services(services) {}

GradationController::~GradationController() { replaceFile(nullptr); }

// ---- Editor.

bool GradationController::editGradation(Gradation* g, GradationEditorSession& session) {
  acceptGradation(g);
  m_editing = true;
  bool ok = false;
  try {
    ok = session.runModal(*this);
  } catch (...) {
    m_editing = false;
    m_edited = nullptr;
    throw;
  }
  m_editing = false;
  // The caller's gradation is only borrowed for the run.
  m_edited = nullptr;
  setSelection(KeyframePosition());
  return ok;
}

bool GradationController::editDrawingGradation(GradationEditorSession& session) {
  Gradation const saved = m_services.drawing.getCurrentGradation();
  Gradation working = saved;
  bool const ok = editGradation(&working, session);
  if (ok && working != saved)
    m_services.drawing.setCurrentGradation(working);
  else
    m_services.drawing.previewGradation(saved);
  return ok;
}

Gradation GradationController::getEditedGradation() const { return m_edited ? *m_edited : Gradation(); }

void GradationController::acceptGradation(Gradation* g) {
  m_edited = g;
  setSelection(KeyframePosition());
  m_services.editor.gradationChanged(getEditedGradation());
}

void GradationController::editorChanged() {
  Gradation const edited = getEditedGradation();
  m_services.editor.gradationChanged(edited);
  if (m_editing) m_services.drawing.previewGradation(edited);
}

void GradationController::setSelection(KeyframePosition pos) {
  m_selection = pos;
  m_services.editor.select(pos);
  m_services.editor.buttonsChanged();
}

bool GradationController::isDeleteEnabled() const {
  return m_edited && m_selection.isValid() && !isEnd(m_selection);
}

bool GradationController::isChangeColourEnabled() const { return m_edited && m_selection.isValid(); }

void GradationController::addColor() {
  if (!m_edited) return;
  auto const& entries = m_edited->entries();
  KeyframePosition widestFrom = k_start;
  int widest = 0;
  for (auto it = entries.begin(); std::next(it) != entries.end(); ++it) {
    int const gap = std::next(it)->first.getSteps() - it->first.getSteps();
    if (gap > widest) {
      widest = gap;
      widestFrom = it->first;
    }
  }
  if (widest < 2) return;
  entryAdded(KeyframePosition::fromSteps(widestFrom.getSteps() + widest / 2));
}

void GradationController::deleteColor() {
  if (!isDeleteEnabled() || !m_edited->hasKeyColor(m_selection)) return;
  m_edited->eraseEntry(m_selection);
  setSelection(KeyframePosition());
  editorChanged();
}

bool GradationController::changeColor() {
  if (!isChangeColourEnabled() || !m_edited->hasKeyColor(m_selection)) return false;
  RGBColor const old = m_edited->getColor(m_selection);
  std::optional<RGBColor> const picked = m_services.colours.pickColour(old);
  if (!picked || *picked == old) return false;
  m_edited->replaceEntry(m_selection, *picked);
  editorChanged();
  return true;
}

bool GradationController::moveSelectedEntry(std::string_view typed) {
  std::optional<double> const value = KeyframePositionDialog::parsePosition(typed);
  KeyframePosition const target = value ? KeyframePosition(*value) : KeyframePosition();
  // The axis and the gradation would disagree about an end key or a key
  // dropped onto another, so neither moves.
  bool const movable = m_edited && isDeleteEnabled() && m_edited->hasKeyColor(m_selection) && target.isValid() &&
                       !m_edited->hasKeyColor(target);
  if (!movable) {
    m_services.editor.select(m_selection);  // the field shows the old place again
    return false;
  }
  m_edited->moveEntry(m_selection, target);
  setSelection(target);
  editorChanged();
  return true;
}

void GradationController::randomizeGradation() {
  if (!m_edited) return;
  setSelection(KeyframePosition());
  m_edited->randomize();
  acceptGradation(m_edited);
  editorChanged();
}

void GradationController::zoomIn() { m_services.editor.zoomIn(); }
void GradationController::zoomOut() { m_services.editor.zoomOut(); }

bool GradationController::entryAdded(KeyframePosition pos) {
  if (!m_edited || !pos.isValid() || m_edited->hasKeyColor(pos)) return false;
  std::optional<RGBColor> const picked = m_services.colours.pickColour(m_edited->getColor(pos));
  if (!picked) return false;
  m_edited->addEntry(pos, *picked);
  setSelection(pos);
  editorChanged();
  return true;
}

void GradationController::currentSelectionChanged(KeyframePosition pos) {
  m_selection = pos;
  m_services.editor.buttonsChanged();
}

void GradationController::entryMoved(KeyframePosition from, KeyframePosition to) {
  if (!m_edited || isEnd(from) || !m_edited->hasKeyColor(from) || !to.isValid() || m_edited->hasKeyColor(to)) return;
  m_edited->moveEntry(from, to);
  if (m_selection == from) m_selection = to;
  m_services.editor.buttonsChanged();
  editorChanged();
}

// ---- Chooser and file.

void GradationController::changeGradCategory(int popupItem) {
  unsigned const category = popupItem >= 1 && popupItem <= static_cast<int>(StandardGradations::k_numCategories)
                                ? static_cast<unsigned>(popupItem - 1)
                                : 0u;
  if (category == m_category) return;
  m_category = category;
  m_chooserSelection.clear(BrowserList::builtIn);
  m_services.chooser.listRefilled(BrowserList::builtIn);
  m_services.chooser.buttonsChanged();
}

int GradationController::getNumEntries(BrowserList list) const {
  if (list == BrowserList::builtIn) return StandardGradations::getNumGradations(m_category);
  return m_file ? static_cast<int>(m_file->records().size()) : 0;
}

Gradation const* GradationController::getGradation(BrowserList list, int index) const {
  if (index < 0 || index >= getNumEntries(list)) return nullptr;
  if (list == BrowserList::builtIn) return StandardGradations::getGradation(m_category, static_cast<unsigned>(index));
  return m_file->records()[static_cast<std::size_t>(index)].get();
}

void GradationController::selectEntry(BrowserList list, int index) {
  if (index >= 0 && index < getNumEntries(list))
    m_chooserSelection.select(list, index);
  else
    m_chooserSelection.clear(list);
  m_services.chooser.buttonsChanged();
}

void GradationController::clearAllSelections() {
  m_chooserSelection.clearAll();
  m_services.chooser.buttonsChanged();
}

std::optional<Gradation> GradationController::getSelectedGradation() const {
  for (BrowserList list : {BrowserList::builtIn, BrowserList::file})
    if (std::optional<int> const index = m_chooserSelection.get(list))
      if (Gradation const* g = getGradation(list, *index)) return *g;
  return std::nullopt;
}

void GradationController::applySelectedGradation() {
  if (std::optional<Gradation> const g = getSelectedGradation()) m_services.drawing.setCurrentGradation(*g);
}

bool GradationController::storeGradation(Gradation const& g) {
  if (!m_file && !newGradationFile()) return false;
  if (m_file->isReadOnly()) {
    control_detail::alert(m_services.alerts, "ReadOnlyFileMain", "ReadOnlyFileExplain");
    return false;
  }
  m_file->records().push_back(std::make_shared<Gradation>(g));
  m_file->setModified();
  refillFileList();
  return true;
}

bool GradationController::storeDrawingGradation() { return storeGradation(m_services.drawing.getCurrentGradation()); }

void GradationController::deleteCurrentGradation() {
  std::optional<int> const index = m_chooserSelection.get(BrowserList::file);
  if (!m_file || !index) return;
  if (m_file->isReadOnly()) {
    control_detail::alert(m_services.alerts, "ReadOnlyFileMain", "ReadOnlyFileExplain");
  } else if (*index < getNumEntries(BrowserList::file)) {
    m_file->records().erase(m_file->records().begin() + *index);
    m_file->setModified();
  }
  refillFileList();
}

bool GradationController::newGradationFile() {
  std::optional<std::filesystem::path> const path =
      m_services.files.chooseNewFile(GradationFile::k_extension, GradationFile::k_newFileTitleKey);
  if (!path) return false;
  auto file = std::make_unique<GradationFile>(GradationFile::createNew(*path));
  if (!file->isOpen()) {
    control_detail::alert(m_services.alerts, "CannotSaveFileMain", "CannotSaveFileExplain");
    return false;
  }
  replaceFile(std::move(file));
  return true;
}

bool GradationController::openGradationFile(std::filesystem::path const& path) {
  if (m_file && control_detail::isSameFile(m_file->getPath(), path)) return true;
  auto file = std::make_unique<GradationFile>(path, m_services.alerts);
  if (!file->isOpen()) {
    control_detail::alert(m_services.alerts, "CannotOpenFileMain", "CannotOpenFileExplain");
    return false;
  }
  replaceFile(std::move(file));
  return true;
}

void GradationController::closeGradationFile() { replaceFile(nullptr); }

void GradationController::replaceFile(std::unique_ptr<GradationFile> file) {
  // Written here rather than by the destructor, so that a failure reaches the user.
  if (m_file && m_file->isModified() && !m_file->isReadOnly()) {
    try {
      m_file->write();
    } catch (FileWriteError const&) {
      control_detail::alert(m_services.alerts, "CannotSaveFileMain", "CannotSaveFileExplain");
    }
  }
  m_file = std::move(file);
  refillFileList();
}

void GradationController::refillFileList() {
  m_chooserSelection.clear(BrowserList::file);
  m_services.chooser.listRefilled(BrowserList::file);
  m_services.chooser.buttonsChanged();
}

}  // namespace orlenza
