#pragma once
// The pane of the quotient generator: seventeen number fields, each with a
// lock, in parameter order; what is typed is made valid before it is used.

#include <memory>

#include "core/model/View.h"
#include "core/panes/ParameterPane.h"

namespace orlenza {

class ParameterPaneQuot final : public ParameterPane {
 public:
  // Parameter i is field i with lock 101 + i.
  static constexpr int kFirstLock = 101;

  ParameterPaneQuot();

  static bool registerCreator();

  void updateFromSnapshot(Snapshot const& snapshot) override;
  // The fields' values, then QuotParameters::forceValid.
  void updateToSnapshot(Snapshot& snapshot) const override;
  std::shared_ptr<Snapshot> makeNewSnapshot() const override;
  std::shared_ptr<Snapshot> getDefaultSnapshot() const override;
  std::shared_ptr<Snapshot> makeRandomSnap(std::shared_ptr<Snapshot const> const& current) const override;

  // Centre (0, 0), size 6.25, angle 0, no flips: the view of default and random pictures.
  static View pictureView();
};

}  // namespace orlenza
