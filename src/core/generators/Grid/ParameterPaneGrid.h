#pragma once
// The pane of the grid generator: the four profile values of each axis, the
// mode pop-up and the checkerboard box, each with a lock; what is typed is
// made valid before it is used.

#include <memory>

#include "core/panes/ParameterPane.h"

namespace orlenza {

class ParameterPaneGrid final : public ParameterPane {
 public:
  // Fields 0 ... 3 the y profile, 4 ... 7 the x profile (spacing, width,
  // falloff, exponent), then the mode and the checkerboard.
  static constexpr std::size_t kModeField = 8;
  static constexpr std::size_t kCheckerField = 9;
  static constexpr int kFirstDimensionLock = 101;
  static constexpr int kModeLock = 201;
  static constexpr int kCheckerLock = 202;

  ParameterPaneGrid();

  static bool registerCreator();

  // A stored mode outside 1 ... 5 shows as the first item.
  void updateFromSnapshot(Snapshot const& snapshot) override;
  // The fields' values, then GridParameters::forceValid. A stored mode shown as
  // an item it is not is kept while that item stays chosen.
  void updateToSnapshot(Snapshot& snapshot) const override;
  std::shared_ptr<Snapshot> makeNewSnapshot() const override;
  // Size 10, norm 1, black lines on white.
  std::shared_ptr<Snapshot> getDefaultSnapshot() const override;
  std::shared_ptr<Snapshot> makeRandomSnap(std::shared_ptr<Snapshot const> const& current) const override;
};

}  // namespace orlenza
