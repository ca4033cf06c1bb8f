#pragma once
// What the timeline, the snapshot browser and the gradation editor need of the
// current drawing. The drawing controller implements it; tests record the calls.

#include <memory>

#include "core/model/Gradation.h"
#include "core/model/Snapshot.h"

namespace orlenza {

class DrawingTarget {
 public:
  virtual ~DrawingTarget() = default;

  // A new snapshot object made from the main window's controls.
  virtual std::shared_ptr<Snapshot> makeSnapshotFromControls() = 0;
  // The controls show snap; nothing is computed until the user draws.
  virtual void applyCurrentKeyframe(std::shared_ptr<Snapshot> const& snap) = 0;
  // snap becomes the drawn snapshot (automatic norm adjustment turned off
  // first). The caller hands over an object nobody else holds.
  virtual void applySnapshot(std::shared_ptr<Snapshot> snap) = 0;

  // The gradation the drawing shows now.
  virtual Gradation getCurrentGradation() const = 0;
  // Shows g on the drawing at once, as a passing preview: no undo step.
  virtual void previewGradation(Gradation const& g) = 0;
  // g becomes the drawing's gradation as one undoable change, made from the
  // gradation shown before any preview.
  virtual void setCurrentGradation(Gradation const& g) = 0;
};

}  // namespace orlenza
