#pragma once
// The computators of the seven planar dynamical systems: one long orbit from
// the member's start point, every iterate that falls inside the picture
// adding a hit to its pixel (or stamping the time of its visit there).
// ImageComputatorDynSys follows and plots the orbit for all members; each
// member supplies its map through ImageComputatorDynSysOf.

#include <algorithm>
#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>

#include "core/engine/ImageComputator.h"
#include "core/generators/DynSys/SnapshotDynSys.h"
#include "core/model/Coord2D.h"

namespace orlenza {

// A member's default view (computator and pane answer the same one).
template <class System>
View dynSysDefaultView() {
  auto const& v = System::kDefaultView;
  return View(v.centerX, v.centerY, v.size, v.angle, false, false);
}

class ImageComputatorDynSys : public AbstractImageComputator {
 public:
  // Orbit points handed from the thread that follows the orbit to the one that
  // plots it, per block; and the blocks in flight between the two.
  static constexpr std::size_t kBlockPoints = 4096;
  static constexpr std::size_t kBlocksInFlight = 4;

  explicit ImageComputatorDynSys(std::string identifier);

  // One progress step per iteration (notifier.iterate() then areWeCanceled());
  // a cancel stops at once and keeps the hits of the iterations done. The
  // orbit is followed on the calling thread; with two threads or more a
  // second one plots the blocks already followed, in order, so the field is
  // the same bit for bit whatever the count.
  void computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                    ComputationNotifier& notifier) override;
  void computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                    ComputationNotifier& notifier, unsigned threads);

  // Copies p0 ... p(n-1) of the snapshot; a shorter vector raises std::out_of_range.
  virtual void initFromSnapshot(SnapshotDynSys const& snapshot) = 0;
  virtual double getInitialX() const = 0;
  virtual double getInitialY() const = 0;
  // One application of the map with the parameters copied last.
  virtual void iterate(double x, double y, double* nx, double* ny) const = 0;

 protected:
  // The snapshot as the member's own kind; any other kind throws std::bad_cast.
  virtual SnapshotDynSys const& memberSnapshot(Snapshot const& snapshot) const = 0;
  // out[i] = the (i + 1)-th iterate from *point, for i < count; *point becomes
  // the last one. The map is inlined here, so the loop makes no virtual call.
  virtual void followOrbit(Coord2D* point, Coord2D* out, std::size_t count) const = 0;
};

// One member, for its snapshot class Snap (which names its system).
template <class Snap>
class ImageComputatorDynSysOf : public ImageComputatorDynSys {
 public:
  using System = typename Snap::MemberType;

  ImageComputatorDynSysOf() : ImageComputatorDynSys(std::string(System::kIdentifier)) {}

  void initFromSnapshot(SnapshotDynSys const& snapshot) override {
    auto const& parameters = snapshot.getParameters().parameters;
    if (parameters.size() < m_parameters.size()) throw std::out_of_range("vector::_M_range_check");
    std::copy_n(parameters.begin(), m_parameters.size(), m_parameters.begin());
  }
  double getInitialX() const override { return System::kStartX; }
  double getInitialY() const override { return System::kStartY; }
  void iterate(double x, double y, double* nx, double* ny) const override {
    System::iterate(m_parameters.data(), x, y, nx, ny);
  }

  View getDefaultView() const override { return defaultView(); }
  static View defaultView() { return dynSysDefaultView<System>(); }

 protected:
  SnapshotDynSys const& memberSnapshot(Snapshot const& snapshot) const override {
    return dynamic_cast<Snap const&>(snapshot);
  }
  void followOrbit(Coord2D* point, Coord2D* out, std::size_t count) const override {
    double const* p = m_parameters.data();
    double x = point->x, y = point->y;
    for (std::size_t i = 0; i < count; ++i) {
      double nx, ny;
      System::iterate(p, x, y, &nx, &ny);
      out[i] = {nx, ny};
      x = nx;
      y = ny;
    }
    *point = {x, y};
  }

 private:
  std::array<double, System::kNumParams> m_parameters{};
};

class ImageComputatorDSSqrt final : public ImageComputatorDynSysOf<SnapshotDSSqrt>,
                                    public ComputatorTraits<ImageComputatorDSSqrt> {};
class ImageComputatorDSSinCos final : public ImageComputatorDynSysOf<SnapshotDSSinCos>,
                                      public ComputatorTraits<ImageComputatorDSSinCos> {};
class ImageComputatorDSSinSin final : public ImageComputatorDynSysOf<SnapshotDSSinSin>,
                                      public ComputatorTraits<ImageComputatorDSSinSin> {};
class ImageComputatorDSSin23 final : public ImageComputatorDynSysOf<SnapshotDSSin23>,
                                     public ComputatorTraits<ImageComputatorDSSin23> {};
class ImageComputatorDSSinXY final : public ImageComputatorDynSysOf<SnapshotDSSinXY>,
                                     public ComputatorTraits<ImageComputatorDSSinXY> {};
class ImageComputatorDSHop final : public ImageComputatorDynSysOf<SnapshotDSHop>,
                                   public ComputatorTraits<ImageComputatorDSHop> {};
class ImageComputatorDSGumowski final : public ImageComputatorDynSysOf<SnapshotDSGumowski>,
                                        public ComputatorTraits<ImageComputatorDSGumowski> {};

}  // namespace orlenza
