#pragma once
// The pane of the mandala generator: six number fields, each with a lock, in
// parameter order.

#include <memory>

#include "core/panes/ParameterPane.h"

namespace orlenza {

class ParameterPaneMandala final : public ParameterPane {
 public:
  // Parameter i is field i with lock 101 + i.
  static constexpr int kFirstLock = 101;

  ParameterPaneMandala();

  static bool registerCreator();

  void updateFromSnapshot(Snapshot const& snapshot) override;
  void updateToSnapshot(Snapshot& snapshot) const override;
  std::shared_ptr<Snapshot> makeNewSnapshot() const override;
  std::shared_ptr<Snapshot> getDefaultSnapshot() const override;
  // The amplitude is always 1000 and the view the computator's default view.
  std::shared_ptr<Snapshot> makeRandomSnap(std::shared_ptr<Snapshot const> const& current) const override;
};

}  // namespace orlenza
