#pragma once
// The panes of the three phase-plane generators: one field per coefficient,
// then the step size, the grid divisions and the number of steps, each with
// a lock. ParameterPanePhasePlane holds the translation and the random
// snapshot; each member adds its defaults through ParameterPanePhasePlaneOf.

#include <cstddef>
#include <memory>
#include <string>

#include "core/generators/PhasePlane/ImageComputatorPhasePlane.h"
#include "core/generators/PhasePlane/SnapshotPhasePlane.h"
#include "core/panes/ParameterPane.h"

namespace orlenza {

class ParameterPanePhasePlane : public ParameterPane {
 public:
  // Lock indices: coefficient i has 101 + i; the step size, the grid divisions
  // and the number of steps 201, 202 and 203.
  static constexpr int kFirstCoefficientLock = 101;
  static constexpr int kStepSizeLock = 201;
  static constexpr int kGridDivisionsLock = 202;
  static constexpr int kNumStepsLock = 203;
  // Significant digits of the coefficients and the step size: what a file keeps.
  static constexpr int kDigits = 12;

  // Fields: k1 ... kn, then these three.
  std::size_t stepSizeField() const { return static_cast<std::size_t>(m_numParams); }
  std::size_t gridDivisionsField() const { return stepSizeField() + 1; }
  std::size_t numStepsField() const { return stepSizeField() + 2; }

  void updateFromSnapshot(Snapshot const& snapshot) override;
  void updateToSnapshot(Snapshot& snapshot) const override;
  // From a snapshot of this member only: its parameters with the unlocked
  // ones drawn anew, its core with the view of phasePlaneDefaultView().
  std::shared_ptr<Snapshot> makeRandomSnap(std::shared_ptr<Snapshot const> const& current) const override;
  bool usesInverseGeometry() const override { return true; }

 protected:
  ParameterPanePhasePlane(int numParams, phaseplane::RandomRule rule);

  // The snapshot as this member's kind, or null for any other kind.
  virtual SnapshotPhasePlane const* ownKind(Snapshot const& snapshot) const = 0;
  // A new snapshot of the member with an empty name.
  virtual std::shared_ptr<Snapshot> makeSnapshot(SnapshotCore const& core,
                                                 PhasePlaneParameters const& parameters) const = 0;
  // The member's default picture, built on snapshot.
  std::shared_ptr<Snapshot> makeDefaultSnapshot(std::shared_ptr<SnapshotPhasePlane> snapshot,
                                                double const* coefficients, double stepSize, double norm) const;

 private:
  int m_numParams;
  phaseplane::RandomRule m_rule;
};

// One member, for its snapshot class Snap (which names its core function).
template <class Snap>
class ParameterPanePhasePlaneOf : public ParameterPanePhasePlane {
 public:
  using Function = typename Snap::MemberType;

  ParameterPanePhasePlaneOf() : ParameterPanePhasePlane(Function::kNumParams, Function::kRandomRule) {}

  // Default core, 50 divisions, 50 steps, step 0.1, coefficients 1.0.
  std::shared_ptr<Snapshot> makeNewSnapshot() const override { return std::make_shared<Snap>(); }
  // The member's coefficients, step size and norm; view of size 6, light
  // antialiasing, square-root normalizer, white to black.
  std::shared_ptr<Snapshot> getDefaultSnapshot() const override {
    return makeDefaultSnapshot(std::make_shared<Snap>(), Function::kDefaultCoefficients.data(),
                               Function::kDefaultStepSize, Function::kDefaultNorm);
  }

 protected:
  SnapshotPhasePlane const* ownKind(Snapshot const& snapshot) const override {
    return dynamic_cast<Snap const*>(&snapshot);
  }
  std::shared_ptr<Snapshot> makeSnapshot(SnapshotCore const& core,
                                         PhasePlaneParameters const& parameters) const override {
    return std::make_shared<Snap>(std::string(), core, parameters);
  }
};

class ParameterPanePPxsin final : public ParameterPanePhasePlaneOf<SnapshotPPxsin> {
 public:
  static bool registerCreator();
};
class ParameterPanePPsinprod final : public ParameterPanePhasePlaneOf<SnapshotPPsinprod> {
 public:
  static bool registerCreator();
};
class ParameterPanePPtan final : public ParameterPanePhasePlaneOf<SnapshotPPtan> {
 public:
  static bool registerCreator();
};

}  // namespace orlenza
