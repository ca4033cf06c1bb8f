#pragma once
// A generator's parameter pane: the fields of the generator's parameters, the
// translation between them and a snapshot, the generator's default and random
// snapshots, and the snapshot the user last had in this pane.

#include <memory>

#include "core/panes/AbstractParameterPane.h"

namespace orlenza {

class Snapshot;

class ParameterPane : public AbstractParameterPane {
 public:
  using AbstractParameterPane::AbstractParameterPane;

  // Shows the snapshot's generator parameters in the fields.
  virtual void updateFromSnapshot(Snapshot const& snapshot) = 0;
  // Writes the fields' values into the snapshot's generator parameters.
  virtual void updateToSnapshot(Snapshot& snapshot) const = 0;
  // A new snapshot of the pane's kind (the fields go in with updateToSnapshot).
  virtual std::shared_ptr<Snapshot> makeNewSnapshot() const = 0;
  virtual std::shared_ptr<Snapshot> getDefaultSnapshot() const = 0;
  // A random snapshot of the pane's kind drawn from current; locked parameters
  // keep their values. Raises PlatformError (status 0) when current is empty
  // or of another kind.
  virtual std::shared_ptr<Snapshot> makeRandomSnap(std::shared_ptr<Snapshot const> const& current) const = 0;
  // Orbit-plotting generators map points through the inverse geometry.
  virtual bool usesInverseGeometry() const { return false; }
  virtual bool ignoresGeometry() const { return false; }

  // The snapshot last used with this pane; empty until the user used it.
  void associateSnap(std::shared_ptr<Snapshot> snapshot) { m_associated = std::move(snapshot); }
  std::shared_ptr<Snapshot> const& getAssociatedSnap() const { return m_associated; }

 private:
  std::shared_ptr<Snapshot> m_associated;
};

}  // namespace orlenza
