#pragma once
// The pane of the curves generator: the number of points, whether they are
// joined, and for each coordinate its combination and its three terms
// (frequency and phase), each with a lock. The plane geometry is not used.

#include <memory>

#include "core/panes/ParameterPane.h"

namespace orlenza {

class ParameterPaneCurves final : public ParameterPane {
 public:
  // Fields: the number of points, connect, then for x and for y the
  // combination followed by frequency and phase of terms 1 to 3.
  static constexpr std::size_t kNumPointsField = 0;
  static constexpr std::size_t kConnectField = 1;
  static constexpr std::size_t kXCombinationField = 2;
  static constexpr std::size_t kYCombinationField = 9;
  // Field of the frequency of term k (0 ... 2) of a coordinate; the phase follows it.
  static constexpr std::size_t frequencyField(bool y, std::size_t k) {
    return (y ? kYCombinationField : kXCombinationField) + 1 + 2 * k;
  }

  static constexpr int kNumPointsLock = 803;
  static constexpr int kConnectLock = 818;
  static constexpr int kXCombinationLock = 1001;
  static constexpr int kYCombinationLock = 1002;
  // x frequencies 101 ... 103, x phases 111 ... 113; y the same from 201.
  static constexpr int frequencyLock(bool y, int k) { return (y ? 201 : 101) + k; }
  static constexpr int phaseLock(bool y, int k) { return (y ? 211 : 111) + k; }

  ParameterPaneCurves();

  static bool registerCreator();

  // A stored combination outside 0 ... 6 shows as the first item (it computes so).
  void updateFromSnapshot(Snapshot const& snapshot) override;
  // A frequency typed as a decimal is truncated toward zero; a stored
  // combination shown as the first item is kept while that item stays chosen.
  void updateToSnapshot(Snapshot& snapshot) const override;
  std::shared_ptr<Snapshot> makeNewSnapshot() const override;
  // Size 1.05, norm 1, square-root normalizer, light antialiasing, a green curve on black.
  std::shared_ptr<Snapshot> getDefaultSnapshot() const override;
  std::shared_ptr<Snapshot> makeRandomSnap(std::shared_ptr<Snapshot const> const& current) const override;
  bool ignoresGeometry() const override { return true; }
};

}  // namespace orlenza
