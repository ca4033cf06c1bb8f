#pragma once
// The pane of the biomorph generator: the six coefficients of P, the three
// weights, theta and phi, K, the orbit length, the biomorph test and the orbit
// analyzer, each with a lock.

#include <memory>

#include "core/model/View.h"
#include "core/panes/ParameterPane.h"

namespace orlenza {

class ParameterPaneBiomorph final : public ParameterPane {
 public:
  // Field indices: the thirteen doubles in parameter order, then these.
  static constexpr std::size_t kNumIterField = 13;
  static constexpr std::size_t kTestField = 14;
  static constexpr std::size_t kAnalyzerField = 15;
  // Lock indices.
  static constexpr int kFirstCoefficientLock = 101;  // c0 ... c5: 101 ... 106
  static constexpr int kSinLock = 107;
  static constexpr int kExpLock = 108;
  static constexpr int kPowLock = 109;
  static constexpr int kThetaLock = 111;
  static constexpr int kPhiLock = 112;
  static constexpr int kFixedReLock = 121;
  static constexpr int kFixedImLock = 122;
  static constexpr int kNumIterLock = 201;
  static constexpr int kTestLock = 501;
  static constexpr int kAnalyzerLock = 700;

  ParameterPaneBiomorph();

  static bool registerCreator();

  void updateFromSnapshot(Snapshot const& snapshot) override;
  // Theta, phi and the count go through their setters.
  void updateToSnapshot(Snapshot& snapshot) const override;
  std::shared_ptr<Snapshot> makeNewSnapshot() const override;
  // The dynamical plane of z^2 + 0.5 (theta 1) with the norm 32.
  std::shared_ptr<Snapshot> getDefaultSnapshot() const override;
  std::shared_ptr<Snapshot> makeRandomSnap(std::shared_ptr<Snapshot const> const& current) const override;

  // Centre (0, 0), size 2.5, angle 0, no flips: the view of random pictures.
  static View randomView();
};

}  // namespace orlenza
