#pragma once
// The snapshot kinds of the three phase-plane generators. SnapshotPhasePlane
// holds the shared parameter block, its text form and equality; each member
// class adds its identifier and its coefficient count.

#include <memory>
#include <string>
#include <string_view>

#include "core/generators/PhasePlane/PhasePlaneFunctions.h"
#include "core/generators/PhasePlane/PhasePlaneParameters.h"
#include "core/model/Snapshot.h"
#include "core/model/SnapshotFamilyMember.h"

namespace orlenza {

class SnapshotPhasePlane : public Snapshot {
 public:
  using Parameters = PhasePlaneParameters;

  // The member's coefficient count.
  virtual int getNumParams() const = 0;

  PhasePlaneParameters const& getParameters() const { return m_parameters; }
  PhasePlaneParameters& getParameters() { return m_parameters; }
  // Fitted to the member's count, as in the constructor.
  void setParameters(PhasePlaneParameters const& parameters);

  bool isEqual_(Snapshot const& other) const override;
  // Always exactly getNumParams() coefficients (1.0 for any the vector lacks).
  void outputParameters(std::ostream& os) const override;
  // Reads exactly getNumParams() coefficients after the step size.
  void inputParameters(std::istream& is) override;

 protected:
  // The default snapshot of a member with count coefficients.
  explicit SnapshotPhasePlane(int count);
  // The parameters are fitted to count (extra coefficients dropped, missing
  // ones 1.0) and their counts clamped, so no member holds a block it cannot
  // write or compute.
  SnapshotPhasePlane(std::string const& name, SnapshotCore const& core, PhasePlaneParameters const& parameters,
                     int count);
  SnapshotPhasePlane(SnapshotPhasePlane const&) = default;

  // The morph shared by all members: a clone unless other is a Member too;
  // otherwise a new Member with an empty name, the given core and the
  // parameters morphed by t.
  template <class Member>
  std::shared_ptr<Snapshot> morphTo(std::shared_ptr<Snapshot> const& other, double t, SnapshotCore const& core) const {
    auto const* same = dynamic_cast<Member const*>(other.get());
    if (same == nullptr) return clone();
    PhasePlaneParameters morphed;
    morphed.morph(m_parameters, same->getParameters(), t);
    return std::make_shared<Member>(std::string(), core, morphed);
  }

 private:
  PhasePlaneParameters m_parameters;
};

// One member: Function is its struct of PhasePlaneFunctions.h.
template <class Derived, class Function>
using SnapshotPhasePlaneOf = SnapshotFamilyMember<Derived, SnapshotPhasePlane, Function>;

class SnapshotPPxsin final : public SnapshotPhasePlaneOf<SnapshotPPxsin, PPxsinFunction> {
 public:
  using SnapshotFamilyMember::SnapshotFamilyMember;
  SnapshotPPxsin() = default;
  SnapshotPPxsin(SnapshotPPxsin const&) = default;
};

class SnapshotPPsinprod final : public SnapshotPhasePlaneOf<SnapshotPPsinprod, PPsinprodFunction> {
 public:
  using SnapshotFamilyMember::SnapshotFamilyMember;
  SnapshotPPsinprod() = default;
  SnapshotPPsinprod(SnapshotPPsinprod const&) = default;
};

class SnapshotPPtan final : public SnapshotPhasePlaneOf<SnapshotPPtan, PPtanFunction> {
 public:
  using SnapshotFamilyMember::SnapshotFamilyMember;
  SnapshotPPtan() = default;
  SnapshotPPtan(SnapshotPPtan const&) = default;
};

// The creators: a default snapshot of each member.
std::shared_ptr<Snapshot> MakeNewSnapshotPPxsin();
std::shared_ptr<Snapshot> MakeNewSnapshotPPsinprod();
std::shared_ptr<Snapshot> MakeNewSnapshotPPtan();

}  // namespace orlenza
