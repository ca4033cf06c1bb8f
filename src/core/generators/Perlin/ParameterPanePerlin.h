#pragma once
// The pane of the noise textures: octaves and persistence of the three layers,
// the scales of B and C, the amplitude, and the combination and shaping menus,
// each with a lock.

#include <memory>

#include "core/panes/ParameterPane.h"

namespace orlenza {

class ParameterPanePerlin final : public ParameterPane {
 public:
  // Field indices, in the order of the parameters' text form.
  enum Field : std::size_t {
    kOctavesAField,
    kPersistenceAField,
    kScaleBField,
    kOctavesBField,
    kPersistenceBField,
    kScaleCField,
    kOctavesCField,
    kPersistenceCField,
    kAmplitudeField,
    kCombinationField,
    kShapingField,
    kFieldCount
  };
  // The first nine fields have locks 101 ... 109.
  static constexpr int kFirstLock = 101;
  static constexpr int kShapingLock = 301;
  static constexpr int kCombinationLock = 302;

  // The combination menu lists combinations 0 ... 4, the shaping menu 0 ... 2.
  ParameterPanePerlin();

  static bool registerCreator();

  // A stored combination or shaping outside its menu shows as the first item.
  void updateFromSnapshot(Snapshot const& snapshot) override;
  // The fields' values, then PerlinParameters::forceValid. A stored menu value
  // shown as the first item is kept while that item stays chosen, so showing a
  // snapshot and reading it back changes nothing a file did not ask for.
  void updateToSnapshot(Snapshot& snapshot) const override;
  std::shared_ptr<Snapshot> makeNewSnapshot() const override;
  // The default snapshot with the norm 644 and a black-to-white gradation.
  std::shared_ptr<Snapshot> getDefaultSnapshot() const override;
  std::shared_ptr<Snapshot> makeRandomSnap(std::shared_ptr<Snapshot const> const& current) const override;
};

}  // namespace orlenza
