#pragma once
// The whole snapshot kind contract for one parameter class, so a generator's
// kind is a few lines: its identifier and its parameter block.
//
//   class SnapshotHalley final : public SnapshotKind<SnapshotHalley, HalleyParameters> {
//    public:
//     static constexpr std::string_view kIdentifier = "Halley";
//     using SnapshotKind::SnapshotKind;
//   };
//
// Params needs a default constructor, copy, outputParameters(std::ostream&) const,
// inputParameters(std::istream&) (failbit on bad input), operator== and
// morph(a, b, t), which fills the receiving block with a morphed towards b.

#include <memory>
#include <string>
#include <string_view>

#include "core/model/Snapshot.h"
#include "core/model/SnapshotFactory.h"

namespace orlenza {

template <class Derived, class Params>
class SnapshotKind : public Snapshot {
 public:
  using Parameters = Params;

  SnapshotKind() = default;
  SnapshotKind(std::string const& name, SnapshotCore const& core, Params const& params)
      : Snapshot(name, core), m_params(params) {}

  Params const& getParameters() const { return m_params; }
  Params& getParameters() { return m_params; }
  void setParameters(Params const& params) { m_params = params; }

  // The creator: a default snapshot (default core, default parameters, empty name).
  static std::shared_ptr<Snapshot> makeNew() { return std::make_shared<Derived>(); }
  static bool registerCreator() { return SnapshotFactory::registerCreator(std::string(Derived::kIdentifier), &makeNew); }

  std::string getIdentifier() const override { return std::string(Derived::kIdentifier); }

  // Only called for the same class; the cast throws std::bad_cast otherwise.
  bool isEqual_(Snapshot const& other) const override {
    return m_params == dynamic_cast<Derived const&>(other).getParameters();
  }

  void outputParameters(std::ostream& os) const override { m_params.outputParameters(os); }
  void inputParameters(std::istream& is) override { m_params.inputParameters(is); }

  using Snapshot::morphTowards;
  std::shared_ptr<Snapshot> morphTowards(std::shared_ptr<Snapshot> const& other, double t,
                                         SnapshotCore const& core) const override {
    auto const* same = dynamic_cast<Derived const*>(other.get());
    if (same == nullptr) return clone();
    Params morphed;
    morphed.morph(m_params, same->getParameters(), t);
    return std::make_shared<Derived>(std::string(), core, morphed);
  }

  std::shared_ptr<Snapshot> clone() const override {
    return std::make_shared<Derived>(static_cast<Derived const&>(*this));
  }

 protected:
  SnapshotKind(SnapshotKind const&) = default;

 private:
  Params m_params;
};

// A kind made from its parameter class alone; T names the kind with
// static constexpr std::string_view kSnapshotIdentifier.
template <class T>
class ParameterizedSnapshot final : public SnapshotKind<ParameterizedSnapshot<T>, T> {
 public:
  static constexpr std::string_view kIdentifier = T::kSnapshotIdentifier;
  static inline std::string const sID{kIdentifier};

  using SnapshotKind<ParameterizedSnapshot<T>, T>::SnapshotKind;
  ParameterizedSnapshot() = default;
  ParameterizedSnapshot(ParameterizedSnapshot const&) = default;
};

}  // namespace orlenza
