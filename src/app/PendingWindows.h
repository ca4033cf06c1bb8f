#pragma once
// Stand-ins for the snapshot browser, the gradation windows and the timeline
// until those windows exist: the controllers run, nothing is shown.

#include <optional>
#include <string>

#include "core/control/ControllerDialogs.h"
#include "core/control/GradationController.h"
#include "core/control/SnapshotBrowserController.h"
#include "core/control/TimeLineController.h"

namespace orlenza::app {

class PendingWindows : public SnapshotBrowserView,
                       public GradationEditorView,
                       public GradationChooserView,
                       public TimeLineWindow,
                       public KeyframePositionAsker {
 public:
  // SnapshotBrowserView and GradationChooserView
  void listRefilled(BrowserList) override {}
  void buttonsChanged() override {}
  void bringToFront() override {}
  // GradationEditorView
  void gradationChanged(Gradation const&) override {}
  void select(KeyframePosition) override {}
  // TimeLineWindow
  void addKeyframe(std::shared_ptr<Snapshot> const&, KeyframePosition) override {}
  void removeKeyframe(std::shared_ptr<Snapshot> const&) override {}
  void replaceKeyframe(KeyframePosition, std::shared_ptr<Snapshot> const&) override {}
  void clear() override {}
  void setMovieButtonEnabled(bool) override {}
  // both the editor's and the timeline's axis
  void zoomIn() override {}
  void zoomOut() override {}
  // KeyframePositionAsker
  std::optional<std::string> askKeyframePosition(std::string const&) override { return std::nullopt; }
};

}  // namespace orlenza::app
