#pragma once
// The snapshot kinds of the seven planar dynamical systems. SnapshotDynSys
// holds the shared parameter block, its text form and equality; each member
// class adds its identifier and its parameter count.

#include <memory>
#include <string>
#include <string_view>

#include "core/generators/DynSys/DynSysParameters.h"
#include "core/generators/DynSys/DynSysSystems.h"
#include "core/model/Snapshot.h"
#include "core/model/SnapshotFamilyMember.h"

namespace orlenza {

class SnapshotDynSys : public Snapshot {
 public:
  using Parameters = DynSysParameters;

  // The member's parameter count.
  virtual int getNumParams() const = 0;

  DynSysParameters const& getParameters() const { return m_parameters; }
  DynSysParameters& getParameters() { return m_parameters; }
  // Fitted to the member's count, as in the constructor.
  void setParameters(DynSysParameters const& parameters);

  bool isEqual_(Snapshot const& other) const override;
  // The count, exactly getNumParams() parameters (1.0 for any the vector
  // lacks), the plot mode.
  void outputParameters(std::ostream& os) const override;
  // Reads exactly getNumParams() parameters after the count.
  void inputParameters(std::istream& is) override;

 protected:
  // The default snapshot of a member with count parameters.
  explicit SnapshotDynSys(int count);
  // The parameters are fitted to count: extra ones are dropped, missing ones
  // are 1.0, so no snapshot of a member holds a vector of the wrong length.
  SnapshotDynSys(std::string const& name, SnapshotCore const& core, DynSysParameters const& parameters, int count);
  SnapshotDynSys(SnapshotDynSys const&) = default;

  // The morph shared by all members: a clone of this snapshot unless other is
  // a Member too; otherwise a new Member with an empty name, the given core
  // and the parameters morphed by t (always in hit-count mode).
  template <class Member>
  std::shared_ptr<Snapshot> morphTo(std::shared_ptr<Snapshot> const& other, double t, SnapshotCore const& core) const {
    auto const* same = dynamic_cast<Member const*>(other.get());
    if (same == nullptr) return clone();
    DynSysParameters morphed;
    morphed.morph(m_parameters, same->getParameters(), t);
    return std::make_shared<Member>(std::string(), core, morphed);
  }

 private:
  DynSysParameters m_parameters;
};

// One member: System is its struct of DynSysSystems.h.
template <class Derived, class System>
using SnapshotDynSysOf = SnapshotFamilyMember<Derived, SnapshotDynSys, System>;

class SnapshotDSSqrt final : public SnapshotDynSysOf<SnapshotDSSqrt, DSSqrtSystem> {
 public:
  using SnapshotFamilyMember::SnapshotFamilyMember;
  SnapshotDSSqrt() = default;
  SnapshotDSSqrt(SnapshotDSSqrt const&) = default;
};

class SnapshotDSSinCos final : public SnapshotDynSysOf<SnapshotDSSinCos, DSSinCosSystem> {
 public:
  using SnapshotFamilyMember::SnapshotFamilyMember;
  SnapshotDSSinCos() = default;
  SnapshotDSSinCos(SnapshotDSSinCos const&) = default;
};

class SnapshotDSSinSin final : public SnapshotDynSysOf<SnapshotDSSinSin, DSSinSinSystem> {
 public:
  using SnapshotFamilyMember::SnapshotFamilyMember;
  SnapshotDSSinSin() = default;
  SnapshotDSSinSin(SnapshotDSSinSin const&) = default;
};

class SnapshotDSSin23 final : public SnapshotDynSysOf<SnapshotDSSin23, DSSin23System> {
 public:
  using SnapshotFamilyMember::SnapshotFamilyMember;
  SnapshotDSSin23() = default;
  SnapshotDSSin23(SnapshotDSSin23 const&) = default;
};

class SnapshotDSSinXY final : public SnapshotDynSysOf<SnapshotDSSinXY, DSSinXYSystem> {
 public:
  using SnapshotFamilyMember::SnapshotFamilyMember;
  SnapshotDSSinXY() = default;
  SnapshotDSSinXY(SnapshotDSSinXY const&) = default;
};

class SnapshotDSHop final : public SnapshotDynSysOf<SnapshotDSHop, DSHopSystem> {
 public:
  using SnapshotFamilyMember::SnapshotFamilyMember;
  SnapshotDSHop() = default;
  SnapshotDSHop(SnapshotDSHop const&) = default;
};

class SnapshotDSGumowski final : public SnapshotDynSysOf<SnapshotDSGumowski, DSGumowskiSystem> {
 public:
  using SnapshotFamilyMember::SnapshotFamilyMember;
  SnapshotDSGumowski() = default;
  SnapshotDSGumowski(SnapshotDSGumowski const&) = default;
};

// The creators: a default snapshot of each member.
std::shared_ptr<Snapshot> MakeNewSnapshotDSSqrt();
std::shared_ptr<Snapshot> MakeNewSnapshotDSSinCos();
std::shared_ptr<Snapshot> MakeNewSnapshotDSSinSin();
std::shared_ptr<Snapshot> MakeNewSnapshotDSSin23();
std::shared_ptr<Snapshot> MakeNewSnapshotDSSinXY();
std::shared_ptr<Snapshot> MakeNewSnapshotDSHop();
std::shared_ptr<Snapshot> MakeNewSnapshotDSGumowski();

}  // namespace orlenza
