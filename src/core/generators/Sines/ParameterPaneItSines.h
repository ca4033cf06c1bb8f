#pragma once
// The pane of the iterated-sines generator: thirteen number fields, each with
// a lock, in value order (the x, y and x y groups, then the amplitude).

#include <memory>

#include "core/model/View.h"
#include "core/panes/ParameterPane.h"

namespace orlenza {

class ParameterPaneItSines final : public ParameterPane {
 public:
  // Value i is field i with lock 101 + i.
  static constexpr int kFirstLock = 101;

  ParameterPaneItSines();

  static bool registerCreator();

  void updateFromSnapshot(Snapshot const& snapshot) override;
  void updateToSnapshot(Snapshot& snapshot) const override;
  std::shared_ptr<Snapshot> makeNewSnapshot() const override;
  std::shared_ptr<Snapshot> getDefaultSnapshot() const override;
  // The amplitude is always 1000.
  std::shared_ptr<Snapshot> makeRandomSnap(std::shared_ptr<Snapshot const> const& current) const override;

  // Centre (0, 0), size 6.25, angle 0, no flips: the view of default and random pictures.
  static View pictureView();
};

}  // namespace orlenza
