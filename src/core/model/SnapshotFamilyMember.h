#pragma once
// One member of a generator family whose members share a parameter block and
// differ only in a small Member struct (its identifier and its parameter
// count): the identifier, the creator, the morph within the member and the clone.
//
// Base is the family's snapshot class. It names its block as Parameters and
// has the constructors (int count) and (name, core, parameters, count), and
// morphTo<Derived>(other, t, core).

#include <memory>
#include <string>
#include <string_view>

#include "core/model/Snapshot.h"
#include "core/model/SnapshotFactory.h"

namespace orlenza {

template <class Derived, class Base, class Member>
class SnapshotFamilyMember : public Base {
 public:
  using MemberType = Member;
  static constexpr std::string_view kIdentifier = Member::kIdentifier;

  SnapshotFamilyMember() : Base(Member::kNumParams) {}
  SnapshotFamilyMember(std::string const& name, SnapshotCore const& core, typename Base::Parameters const& parameters)
      : Base(name, core, parameters, Member::kNumParams) {}

  static std::shared_ptr<Snapshot> makeNew() { return std::make_shared<Derived>(); }
  static bool registerCreator() { return SnapshotFactory::registerCreator(std::string(Member::kIdentifier), &makeNew); }

  std::string getIdentifier() const override { return std::string(Member::kIdentifier); }
  int getNumParams() const override { return Member::kNumParams; }

  using Snapshot::morphTowards;
  std::shared_ptr<Snapshot> morphTowards(std::shared_ptr<Snapshot> const& other, double t,
                                         SnapshotCore const& core) const override {
    return this->template morphTo<Derived>(other, t, core);
  }

  std::shared_ptr<Snapshot> clone() const override {
    return std::make_shared<Derived>(static_cast<Derived const&>(*this));
  }

 protected:
  SnapshotFamilyMember(SnapshotFamilyMember const&) = default;
};

}  // namespace orlenza
