#pragma once
// The computators of the three phase-plane generators: every point of a grid
// of starting points follows the shear map x <- x - h f(y), y <- y + h f(x)
// for a number of steps, and each point visited inside the picture adds a hit
// to its pixel. ImageComputatorPhasePlane runs the grid for all members; each
// member supplies its core function f through ImageComputatorPhasePlaneOf.

#include <algorithm>
#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>

#include "core/engine/ImageComputator.h"
#include "core/generators/PhasePlane/SnapshotPhasePlane.h"
#include "core/model/Coord2D.h"

namespace orlenza {

// Centre (0, 0), size 6, angle 0, no flips: the view of every member's
// default and random pictures.
View phasePlaneDefaultView();

class ImageComputatorPhasePlane : public AbstractImageComputator {
 public:
  // Steps of one path followed before they go through the geometry at once.
  static constexpr std::size_t kPathBlock = 256;
  // Steps between two looks at the cancel flag inside a long path, and the
  // least work handed to another thread at once.
  static constexpr long long kPollSteps = 1 << 16;
  // Below this many steps in all, other threads cost more than they save.
  static constexpr long long kParallelSteps = 1 << 18;
  // Each thread keeps a hit count per pixel; this caps what they hold at once.
  static constexpr unsigned kMaxThreads = 8;

  explicit ImageComputatorPhasePlane(std::string identifier);

  // One progress step per starting point ((gridDivisions + 1)^2 in all); a
  // cancel, seen after a point or within a long path, keeps the hits made so
  // far. With several threads the starting points are shared out and their
  // integer hit counts added, so the field is the same bit for bit.
  void computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                    ComputationNotifier& notifier) override;
  void computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                    ComputationNotifier& notifier, unsigned threads);

  // Centre (0, 0), size 2.5; the members show size 6.
  View getDefaultView() const override;

  // Copies k1 ... kn of the snapshot; fewer raise std::out_of_range.
  virtual void initFromSnapshot(SnapshotPhasePlane const& snapshot) = 0;
  // f(t) with the coefficients copied last.
  virtual double coreFunction(double t) const = 0;

 protected:
  // The snapshot as the member's own kind; any other kind throws std::bad_cast.
  virtual SnapshotPhasePlane const& memberSnapshot(Snapshot const& snapshot) const = 0;
  // out[i] = the point after i + 1 steps of size h from *point, for i < count;
  // *point becomes the last one. f is inlined here, so the loop makes no
  // virtual call.
  virtual void followPath(Coord2D* point, Coord2D* out, std::size_t count, double h) const = 0;
};

// One member, for its snapshot class Snap (which names its core function).
template <class Snap>
class ImageComputatorPhasePlaneOf : public ImageComputatorPhasePlane {
 public:
  using Function = typename Snap::MemberType;

  ImageComputatorPhasePlaneOf() : ImageComputatorPhasePlane(std::string(Function::kIdentifier)) {}

  void initFromSnapshot(SnapshotPhasePlane const& snapshot) override {
    auto const& parameters = snapshot.getParameters().parameters;
    if (parameters.size() < m_coefficients.size()) throw std::out_of_range("vector::_M_range_check");
    std::copy_n(parameters.begin(), m_coefficients.size(), m_coefficients.begin());
  }
  double coreFunction(double t) const override { return Function::f(m_coefficients.data(), t); }

  View getDefaultView() const override { return phasePlaneDefaultView(); }

 protected:
  SnapshotPhasePlane const& memberSnapshot(Snapshot const& snapshot) const override {
    return dynamic_cast<Snap const&>(snapshot);
  }
  void followPath(Coord2D* point, Coord2D* out, std::size_t count, double h) const override {
    double const* k = m_coefficients.data();
    double x = point->x, y = point->y;
    for (std::size_t i = 0; i < count; ++i) {
      double const nx = x - h * Function::f(k, y);
      double const ny = y + h * Function::f(k, x);
      out[i] = {nx, ny};
      x = nx;
      y = ny;
    }
    *point = {x, y};
  }

 private:
  std::array<double, Function::kNumParams> m_coefficients{};
};

class ImageComputatorPPxsin final : public ImageComputatorPhasePlaneOf<SnapshotPPxsin>,
                                    public ComputatorTraits<ImageComputatorPPxsin> {};
class ImageComputatorPPsinprod final : public ImageComputatorPhasePlaneOf<SnapshotPPsinprod>,
                                       public ComputatorTraits<ImageComputatorPPsinprod> {};
class ImageComputatorPPtan final : public ImageComputatorPhasePlaneOf<SnapshotPPtan>,
                                   public ComputatorTraits<ImageComputatorPPtan> {};

}  // namespace orlenza
