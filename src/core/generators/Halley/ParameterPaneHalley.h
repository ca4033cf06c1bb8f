#pragma once
// The pane of the Halley generator: the thirteen coefficients of the
// polynomial, the relaxation factor, the stopping test and the orbit analyzer,
// each with a lock.

#include <memory>

#include "core/generators/Halley/HalleyParameters.h"
#include "core/panes/ParameterPane.h"

namespace orlenza {

class ParameterPaneHalley final : public ParameterPane {
 public:
  // Field indices: coefficient k is field k; lambda, the test and the analyzer follow.
  static constexpr std::size_t kLambdaField = HalleyParameters::kNumCoefficients;
  static constexpr std::size_t kConvergenceField = kLambdaField + 1;
  static constexpr std::size_t kAnalyzerField = kConvergenceField + 1;
  // Lock indices: ck has 100 + k.
  static constexpr int kFirstCoefficientLock = 100;
  static constexpr int kLambdaLock = 200;
  static constexpr int kConvergenceLock = 300;
  static constexpr int kAnalyzerLock = 700;

  // The test menu lists tests 0, 1 and 2; the analyzer menu the registered
  // orbit analyzers in their list order.
  ParameterPaneHalley();

  static bool registerCreator();

  // A stored test other than 1 or 2 shows as the first item.
  void updateFromSnapshot(Snapshot const& snapshot) override;
  // Lambda is clamped as its setter clamps; a stored test that computes as the
  // first item is kept when that item is chosen, so showing a snapshot and
  // reading it back changes nothing.
  void updateToSnapshot(Snapshot& snapshot) const override;
  std::shared_ptr<Snapshot> makeNewSnapshot() const override;
  // The default snapshot with the norm 32, the longest dwell plus one.
  std::shared_ptr<Snapshot> getDefaultSnapshot() const override;
  std::shared_ptr<Snapshot> makeRandomSnap(std::shared_ptr<Snapshot const> const& current) const override;
};

}  // namespace orlenza
