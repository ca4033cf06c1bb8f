#pragma once
// The timeline window: the keyframes on the 0..1 axis, each drawn as a small
// picture of its snapshot, the selected keyframe's position, and the movie
// button. Alt-click on the axis adds the picture on screen there; dragging
// moves a keyframe. Every rule lives in the TimeLineController.

#include <QWidget>

#include "core/control/KeyframeAxis.h"
#include "core/control/TimeLineController.h"

class QLineEdit;
class QPushButton;

namespace orlenza::app {

class KeyframeAxisWidget;
class SnapshotThumbnails;

class TimeLineWindowView : public QWidget, public TimeLineWindow {
  Q_OBJECT

 public:
  static constexpr int kThumbnailSide = 40;

  explicit TimeLineWindowView(QWidget* parent = nullptr);
  ~TimeLineWindowView() override;

  // The controller that hears the axis's gestures (not owned).
  void setController(TimeLineController* controller);

  KeyframeAxisWidget* axisWidget() const { return m_axis; }
  QPushButton* movieButton() const { return m_movie; }
  SnapshotThumbnails& thumbnails() const { return *m_thumbnails; }

  // TimeLineWindow.
  void addKeyframe(std::shared_ptr<Snapshot> const& snap, KeyframePosition pos) override;
  void removeKeyframe(std::shared_ptr<Snapshot> const& snap) override;
  void replaceKeyframe(KeyframePosition pos, std::shared_ptr<Snapshot> const& snap) override;
  void clear() override;
  void select(KeyframePosition pos) override;
  void setMovieButtonEnabled(bool enabled) override;
  void zoomIn() override;
  void zoomOut() override;

 signals:
  // The movie button was pressed ('Morf').
  void movieRequested();
  // The zoom changed, so that the zoom commands' enabled state can follow.
  void zoomChanged();

 private:
  void axisChanged();
  void forgetHiddenThumbnails();

  KeyframeAxisWidget* m_axis = nullptr;
  QLineEdit* m_position = nullptr;
  QPushButton* m_movie = nullptr;
  SnapshotThumbnails* m_thumbnails = nullptr;
  std::unique_ptr<KeyframeAxisController> m_controller;
};

}  // namespace orlenza::app
