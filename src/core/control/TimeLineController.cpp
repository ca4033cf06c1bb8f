#include "core/control/TimeLineController.h"

#include <string>
#include <utility>

#include "core/animation/KeyframePositionDialog.h"
#include "core/animation/MovieFrames.h"
#include "core/base/AtomicFile.h"
#include "core/control/ControllerDialogs.h"
#include "core/control/DrawingTarget.h"
#include "core/control/ControllerSupport.h"
#include "core/files/AlertSink.h"
#include "core/files/MovieFrameFile.h"

namespace orlenza {

using control_detail::alert;
using control_detail::exactPositionValue;

TimeLineController::TimeLineController(TimeLineServices services) : m_services(services) {}

std::shared_ptr<Snapshot> TimeLineController::getSelectedSnap() const {
  for (auto const& [pos, snap] : m_keyframes)
    if (pos == m_selection) return snap;
  return nullptr;
}

std::optional<float> TimeLineController::getKeyframePosition(double initial) {
  KeyframePositionDialog dialog(m_keyframes, initial);
  for (;;) {
    std::optional<std::string> text = m_services.positions.askKeyframePosition(dialog.getText());
    if (!text) {
      m_services.positions.closeKeyframePositionDialog();
      return std::nullopt;
    }
    dialog.setText(std::move(*text));
    if (auto const refusal = KeyframePositionDialog::alertFor(dialog.validate())) {
      alert(m_services.alerts, refusal->mainKey, refusal->explainKey);
      continue;
    }
    m_services.positions.closeKeyframePositionDialog();
    return dialog.acceptedPosition();
  }
}

void TimeLineController::adjustMovieControls() { m_services.window.setMovieButtonEnabled(isMovieButtonEnabled()); }

void TimeLineController::setSelection(KeyframePosition pos) {
  m_selection = pos;
  m_services.window.select(pos);
}

void TimeLineController::addKeyframe() {
  std::shared_ptr<Snapshot> snap = m_services.drawing.makeSnapshotFromControls();
  std::optional<float> const position = getKeyframePosition(0.0);
  if (!position) return;
  addKeyframeAt(std::move(snap), KeyframePosition(*position));
}

bool TimeLineController::addKeyframeAt(std::shared_ptr<Snapshot> snap, KeyframePosition pos) {
  // The window is told only what the keyframes took, so the two never differ.
  if (!pos.isValid() || !m_keyframes.addKeyframe(snap, exactPositionValue(pos))) return false;
  m_services.window.addKeyframe(snap, pos);
  m_modified = true;
  adjustMovieControls();
  return true;
}

void TimeLineController::replaceSelectedKeyframe() {
  if (!getSelectedSnap()) return;
  std::shared_ptr<Snapshot> snap = m_services.drawing.makeSnapshotFromControls();
  m_keyframes.replaceKeyframe(m_selection, snap);
  if (getSelectedSnap() != snap) return;
  m_services.window.replaceKeyframe(m_selection, snap);
  m_modified = true;
}

void TimeLineController::deleteSelectedKeyframe() {
  std::shared_ptr<Snapshot> const snap = getSelectedSnap();
  if (!snap) return;
  m_keyframes.removeKeyframe(snap);
  m_services.window.removeKeyframe(snap);
  m_selection = KeyframePosition();
  m_modified = true;
  adjustMovieControls();
}

void TimeLineController::moveKeyFrame() {
  std::shared_ptr<Snapshot> const snap = getSelectedSnap();
  if (!snap) return;
  KeyframePosition const old = m_selection;
  // Taken out first, so that its own place is no duplicate in the dialog.
  m_keyframes.removeKeyframe(snap);
  m_services.window.removeKeyframe(snap);
  std::optional<float> const typed = getKeyframePosition(old.getValue());
  KeyframePosition target = old;
  // The text shown first and confirmed unchanged keeps the exact step.
  if (typed && KeyframePositionDialog::formatPosition(*typed) != KeyframePositionDialog::formatPosition(old.getValue()))
    target = KeyframePosition(*typed);
  if (!m_keyframes.addKeyframe(snap, exactPositionValue(target))) {
    target = old;
    m_keyframes.addKeyframe(snap, exactPositionValue(target));
  }
  m_services.window.addKeyframe(snap, target);
  setSelection(target);
  if (target != old) m_modified = true;
  adjustMovieControls();
}

void TimeLineController::loadSelectedKeyframe() {
  if (std::shared_ptr<Snapshot> const snap = getSelectedSnap()) m_services.drawing.applyCurrentKeyframe(snap);
}

void TimeLineController::zoomIn() { m_services.window.zoomIn(); }
void TimeLineController::zoomOut() { m_services.window.zoomOut(); }

bool TimeLineController::entryAdded(KeyframePosition pos) {
  return addKeyframeAt(m_services.drawing.makeSnapshotFromControls(), pos);
}

void TimeLineController::currentSelectionChanged(KeyframePosition pos) { m_selection = pos; }

void TimeLineController::entryMoved(KeyframePosition from, KeyframePosition to) {
  if (!to.isValid() || from == to) return;
  // The axis never drops a keyframe onto another; a move that would is refused.
  bool held = false;
  bool occupied = false;
  for (auto const& entry : m_keyframes) {
    held = held || entry.first == from;
    occupied = occupied || entry.first == to;
  }
  if (!held || occupied) return;
  m_keyframes.moveKeyframe(from, to);
  if (m_selection == from) m_selection = to;
  m_modified = true;
  adjustMovieControls();
}

bool TimeLineController::saveKeyframes() {
  std::optional<std::filesystem::path> const path =
      m_services.files.chooseNewFile(MovieFrameFile::k_extension, MovieFrameFile::k_newFileTitleKey);
  if (!path) return false;
  MovieFrameFile file = MovieFrameFile::createNew(*path);
  if (!file.isOpen()) {
    alert(m_services.alerts, "CannotSaveFileMain", "CannotSaveFileExplain");
    return false;
  }
  for (auto const& [pos, snap] : m_keyframes) file.records().push_back(std::make_shared<FullKeyframe>(snap, pos));
  try {
    file.write();
  } catch (FileWriteError const&) {
    alert(m_services.alerts, "CannotSaveFileMain", "CannotSaveFileExplain");
    return false;
  }
  m_modified = false;
  return true;
}

bool TimeLineController::checkSaveCurrentMovie() {
  if (!m_modified || m_keyframes.empty()) return true;
  switch (m_services.questions.ask({"SaveMovieBeforeOpenTitle", "SaveMovieBeforeOpenExplain", "SaveMovieBeforeOpenYes",
                                    "SaveMovieBeforeOpenCancel", "SaveMovieBeforeOpenNo"})) {
    case QuestionAnswer::yes:
      // A save that was cancelled or failed must not let the timeline go.
      return saveKeyframes();
    case QuestionAnswer::cancel:
      return false;
    case QuestionAnswer::no:
      return true;
  }
  return false;
}

void TimeLineController::openKeyframes() {
  if (!checkSaveCurrentMovie()) return;
  std::optional<std::filesystem::path> const path = m_services.files.chooseFileToOpen(MovieFrameFile::k_extension);
  if (path) openKeyframes(*path);
}

bool TimeLineController::openKeyframes(std::filesystem::path const& path) {
  MovieFrameFile file(path, m_services.alerts);
  if (!file.isOpen()) {
    alert(m_services.alerts, "CannotOpenFileMain", "CannotOpenFileExplain");
    return false;
  }
  // The file has already said why nothing could be read; the timeline stays.
  switch (file.getStatus()) {
    case RecordFileStatus::tooLarge:
    case RecordFileStatus::invalidHeader:
    case RecordFileStatus::laterVersion:
      return false;
    case RecordFileStatus::complete:
    case RecordFileStatus::notOpen:
    case RecordFileStatus::invalidRecord:
      break;
  }
  m_keyframes.clear();
  m_services.window.clear();
  m_selection = KeyframePosition();
  for (auto const& keyframe : file.records())
    if (keyframe && keyframe->getSnapshot() && keyframe->getPosition().isValid())
      addKeyframeAt(keyframe->getSnapshot(), keyframe->getPosition());
  m_modified = false;
  adjustMovieControls();
  return true;
}

bool TimeLineController::checkMovieKeyframes() {
  std::optional<MissingKeyframeAlert> const missing = orlenza::checkMovieKeyframes(m_keyframes);
  if (!missing) return true;
  alert(m_services.alerts, missing->mainKey, missing->explainKey);
  return false;
}

}  // namespace orlenza
