#pragma once
// The animation timeline as the user edits it: keyframes taken from the
// drawing's controls, placed, replaced, moved and deleted, kept in movie
// keyframe files, and the state of the timeline window's movie button.

#include <filesystem>
#include <memory>
#include <optional>

#include "core/animation/KeyframeContainer.h"
#include "core/model/KeyframePosition.h"
#include "core/model/Snapshot.h"

namespace orlenza {

class AlertSink;
class DrawingTarget;
class FileChooser;
class KeyframePositionAsker;
class QuestionAsker;

// The timeline window: its axis mirrors the keyframes, and it has a movie button.
class TimeLineWindow {
 public:
  virtual ~TimeLineWindow() = default;
  virtual void addKeyframe(std::shared_ptr<Snapshot> const& snap, KeyframePosition pos) = 0;
  virtual void removeKeyframe(std::shared_ptr<Snapshot> const& snap) = 0;
  virtual void replaceKeyframe(KeyframePosition pos, std::shared_ptr<Snapshot> const& snap) = 0;
  virtual void clear() = 0;
  // The axis marks pos as selected (the invalid position: nothing).
  virtual void select(KeyframePosition pos) = 0;
  virtual void setMovieButtonEnabled(bool enabled) = 0;
  virtual void zoomIn() = 0;
  virtual void zoomOut() = 0;
};

struct TimeLineServices {
  DrawingTarget& drawing;
  TimeLineWindow& window;
  QuestionAsker& questions;
  FileChooser& files;
  KeyframePositionAsker& positions;
  AlertSink& alerts;
};

class TimeLineController {
 public:
  // Every service must outlive the controller.
  explicit TimeLineController(TimeLineServices services);

  KeyframeContainer const& keyframes() const { return m_keyframes; }
  bool isModified() const { return m_modified; }
  KeyframePosition getSelection() const { return m_selection; }
  std::shared_ptr<Snapshot> getSelectedSnap() const;
  // At least two keyframes.
  bool isMovieButtonEnabled() const { return m_keyframes.size() >= 2; }

  // 'Keyf': the controls snapshot at a position asked from the user (0 shown first).
  void addKeyframe();
  // Stores snap at pos and shows it; refused (false, nothing changed) where
  // the keyframes refuse it.
  bool addKeyframeAt(std::shared_ptr<Snapshot> snap, KeyframePosition pos);
  // 'RepK': the selected keyframe becomes the controls snapshot.
  void replaceSelectedKeyframe();
  // 'Dkey'.
  void deleteSelectedKeyframe();
  // 'Mkey': the selected keyframe goes to a position asked from the user
  // (its own shown first); it stays where it was when the user cancels.
  void moveKeyFrame();
  // 'Lkey': the controls show the selected keyframe.
  void loadSelectedKeyframe();
  void zoomIn();
  void zoomOut();

  // The axis view's gestures. entryAdded puts the controls snapshot at pos.
  bool entryAdded(KeyframePosition pos);
  void currentSelectionChanged(KeyframePosition pos);
  void entryMoved(KeyframePosition from, KeyframePosition to);

  // 'Skey': true when the keyframes were written.
  bool saveKeyframes();
  // Before the timeline is replaced: false when the user keeps it (cancel,
  // or a save that did not happen).
  bool checkSaveCurrentMovie();
  // 'Okey': the question above, a file chosen, then the file read.
  void openKeyframes();
  // Replaces the timeline by the keyframes of path that lie on the axis, the
  // first of several at one position winning; a file that does not open
  // leaves the timeline as it is (false, with an alert).
  bool openKeyframes(std::filesystem::path const& path);

  // 'Morf' may start: true, or false after the missing-keyframe alert.
  bool checkMovieKeyframes();

 private:
  std::optional<float> getKeyframePosition(double initial);
  void adjustMovieControls();
  void setSelection(KeyframePosition pos);

  TimeLineServices m_services;
  KeyframeContainer m_keyframes;
  KeyframePosition m_selection;
  bool m_modified = false;
};

}  // namespace orlenza
