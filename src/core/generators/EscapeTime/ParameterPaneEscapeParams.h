#pragma once
// The pane of the escape-time generator: twelve coefficient fields (each with
// a lock), the formula field that names them on the 0.1 grid, and the orbit
// analyzer menu (with a lock).

#include <array>
#include <memory>

#include "core/generators/EscapeTime/EscapeParameters.h"
#include "core/panes/ParameterPane.h"

namespace orlenza {

class ParameterPaneEscapeParams final : public ParameterPane {
 public:
  // Field indices: coefficient i is field i; the formula and the analyzer follow.
  static constexpr std::size_t kFormulaField = EscapeParameters::kNumCoefficients;
  static constexpr std::size_t kAnalyzerField = kFormulaField + 1;
  // Lock indices: coefficient i has 101 + i, the analyzer 201.
  static constexpr int kFirstCoefficientLock = 101;
  static constexpr int kAnalyzerLock = 201;
  // Random coefficients are drawn until the origin's dwell lies in this range,
  // but never more than kMaxRandomDraws times: locked coefficients may rule the
  // range out, and then the last draw is kept.
  static constexpr int kMinRandomDwell = 100;
  static constexpr int kMaxRandomDwell = 1023;
  static constexpr int kMaxRandomDraws = 10000;

  // The analyzer menu lists the registered orbit analyzers in their list order.
  ParameterPaneEscapeParams();

  static bool registerCreator();

  void updateFromSnapshot(Snapshot const& snapshot) override;
  void updateToSnapshot(Snapshot& snapshot) const override;
  std::shared_ptr<Snapshot> makeNewSnapshot() const override;
  std::shared_ptr<Snapshot> getDefaultSnapshot() const override;
  std::shared_ptr<Snapshot> makeRandomSnap(std::shared_ptr<Snapshot const> const& current) const override;

  // Tab, Return or Enter in a coefficient field rebuild the formula; Return or
  // Enter in the formula field set the coefficients from it.
  void fieldCommitted(std::size_t field, CommitKey key) override;

  // The formula field from the coefficient fields (empty when one is off the grid).
  void adaptFormulaFromParameters();
  // The coefficient fields from the formula field, which is rewritten corrected;
  // nothing happens when it holds fewer than twelve characters.
  void adaptParametersFromFormula();
};

}  // namespace orlenza
