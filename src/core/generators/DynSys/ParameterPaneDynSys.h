#pragma once
// The panes of the seven planar dynamical systems: the iteration count (shown
// in millions or thousands), one field per map parameter, each with a lock,
// and the plot mode. ParameterPaneDynSys holds the translation and the random
// snapshot; each member adds its defaults through ParameterPaneDynSysOf.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "core/generators/DynSys/DynSysParameters.h"
#include "core/generators/DynSys/ImageComputatorDynSys.h"
#include "core/generators/DynSys/SnapshotDynSys.h"
#include "core/panes/ParameterPane.h"

namespace orlenza {

class ParameterPaneDynSys : public ParameterPane {
 public:
  // Fields: the iteration count, p0 ... p(n-1), then the plot mode.
  static constexpr std::size_t kIterationsField = 0;
  static constexpr std::size_t kFirstParameterField = 1;
  // Lock indices: parameter i has 101 + i, the iteration count 200.
  static constexpr int kFirstParameterLock = 101;
  static constexpr int kIterationsLock = 200;
  // The plot-mode pop-up's items: item 1 hit count, item 2 visit time.
  static constexpr std::string_view kHitCountItem = "dsplot_hits";
  static constexpr std::string_view kVisitTimeItem = "dsplot_visits";

  std::size_t plotModeField() const { return kFirstParameterField + static_cast<std::size_t>(m_numParams); }

  void updateFromSnapshot(Snapshot const& snapshot) override;
  void updateToSnapshot(Snapshot& snapshot) const override;
  // From any dynamical-system snapshot: its parameters (fitted to this
  // member's count) with the unlocked ones drawn anew, its core with this
  // member's default view.
  std::shared_ptr<Snapshot> makeRandomSnap(std::shared_ptr<Snapshot const> const& current) const override;
  bool usesInverseGeometry() const override { return true; }

  virtual double getMinRandom(int) const { return -5; }
  virtual double getMaxRandom(int) const { return 5; }
  virtual int getRandomNumIterations() const { return DynSysParameters::kDefaultIterations; }
  virtual View getDefaultView() const = 0;
  // A new snapshot of the member with an empty name.
  virtual std::shared_ptr<Snapshot> makeSnapshot(SnapshotCore const& core, DynSysParameters const& parameters) const = 0;
  // The unit the iteration field counts in.
  virtual int getIterationMultiplier() const { return dynsys::kPaneUnitMillions; }

  // The count a text of the iteration field stands for: the number rounded to
  // a whole one, held in [0, kMaxIterations / multiplier], times the multiplier.
  static int iterationsFromText(std::string const& text, int multiplier);

 protected:
  ParameterPaneDynSys(int numParams, int multiplier);

  int numParams() const { return m_numParams; }
  // The snapshot as this member's kind, or null for any other kind.
  virtual SnapshotDynSys const* ownKind(Snapshot const& snapshot) const = 0;
  SnapshotDynSys& ownKindOrThrow(Snapshot& snapshot) const;
  // The random draws of the map parameters (locks honoured).
  virtual void drawParameters(DynSysParameters& parameters) const;

 private:
  int m_numParams;
  int m_multiplier;
  // The count shown last and the text it was shown as: a count that is no
  // whole multiple of the unit (40,000 shown as 0 million, a morphed
  // 1,500,000 shown as 1) goes back unchanged while its text is untouched.
  int m_shownIterations = DynSysParameters::kDefaultIterations;
  std::string m_shownIterationsText;
};

// One member, for its snapshot class Snap (which names its system).
template <class Snap>
class ParameterPaneDynSysOf : public ParameterPaneDynSys {
 public:
  using System = typename Snap::MemberType;

  ParameterPaneDynSysOf() : ParameterPaneDynSys(System::kNumParams, System::kIterationMultiplier) {}

  double getMinRandom(int i) const override { return System::minRandom(i); }
  double getMaxRandom(int i) const override { return System::maxRandom(i); }
  View getDefaultView() const override { return dynSysDefaultView<System>(); }
  int getIterationMultiplier() const override { return System::kIterationMultiplier; }

  std::shared_ptr<Snapshot> makeSnapshot(SnapshotCore const& core, DynSysParameters const& parameters) const override {
    return std::make_shared<Snap>(std::string(), core, parameters);
  }
  // Default core, parameters all 1.0, 1,000,000 iterations, hit count.
  std::shared_ptr<Snapshot> makeNewSnapshot() const override { return std::make_shared<Snap>(); }
  std::shared_ptr<Snapshot> getDefaultSnapshot() const override;

 protected:
  SnapshotDynSys const* ownKind(Snapshot const& snapshot) const override {
    return dynamic_cast<Snap const*>(&snapshot);
  }
};

// A member's default picture: the view, normalizer and norm of its table, its
// parameters and count, hit count, and a two-key gradation (scale 1, offset 0).
std::shared_ptr<Snapshot> makeDynSysDefaultSnapshot(std::shared_ptr<SnapshotDynSys> snapshot,
                                                    dynsys::ViewValues const& view, std::string_view normalizerID,
                                                    double norm, bool whiteToBlack, int numIterations,
                                                    double const* parameters);

template <class Snap>
std::shared_ptr<Snapshot> ParameterPaneDynSysOf<Snap>::getDefaultSnapshot() const {
  auto const& d = System::kDefaultPicture;
  return makeDynSysDefaultSnapshot(std::make_shared<Snap>(), d.view, d.normalizerID, d.norm, d.whiteToBlack,
                                   d.numIterations, d.parameters.data());
}

class ParameterPaneDSSqrt final : public ParameterPaneDynSysOf<SnapshotDSSqrt> {
 public:
  static bool registerCreator();
};
class ParameterPaneDSSinCos final : public ParameterPaneDynSysOf<SnapshotDSSinCos> {
 public:
  static bool registerCreator();
};
class ParameterPaneDSSinSin final : public ParameterPaneDynSysOf<SnapshotDSSinSin> {
 public:
  static bool registerCreator();
};
class ParameterPaneDSSin23 final : public ParameterPaneDynSysOf<SnapshotDSSin23> {
 public:
  static bool registerCreator();
};
class ParameterPaneDSSinXY final : public ParameterPaneDynSysOf<SnapshotDSSinXY> {
 public:
  static bool registerCreator();
};
class ParameterPaneDSHop final : public ParameterPaneDynSysOf<SnapshotDSHop> {
 public:
  static bool registerCreator();
};

// Draws its own ranges, and only from a snapshot of its own kind:
// p0 = logRnd(0, 9), p1 in [-1, 1], p2 = logRnd(1, 9), 500,000 iterations.
class ParameterPaneDSGumowski final : public ParameterPaneDynSysOf<SnapshotDSGumowski> {
 public:
  static bool registerCreator();
  int getRandomNumIterations() const override { return System::kDefaultPicture.numIterations; }
  std::shared_ptr<Snapshot> makeRandomSnap(std::shared_ptr<Snapshot const> const& current) const override;

 protected:
  void drawParameters(DynSysParameters& parameters) const override;
};

}  // namespace orlenza
