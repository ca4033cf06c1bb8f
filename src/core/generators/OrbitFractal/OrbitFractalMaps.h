#pragma once
// The two per-pixel orbit fractals differ only in the planar map they follow
// and a few defaults; each is one small struct here, read by the parameter,
// snapshot, computator and pane templates of this folder.

#include <cmath>
#include <string_view>

#include "core/generators/DynSys/DynSysSystems.h"

namespace orlenza {

namespace orbitfractal {

struct ViewValues {
  double centerX;
  double centerY;
  double size;
  double angle;
};

}  // namespace orbitfractal

// Short orbits of the square-root map; orbits never stop early.
struct DynFractalMap {
  static constexpr std::string_view kIdentifier = "DynFractal";
  static constexpr char const* kRangeError = "Range error for DynFractalParameters";
  static constexpr double kDefaultParameters[3] = {-1.5, 3.0, 4.5};
  static constexpr int kDefaultIterations = 12;
  static constexpr orbitfractal::ViewValues kSnapshotView{0, 0, 2.5, 0};
  static constexpr orbitfractal::ViewValues kComputatorView{0, 0, 2.5, 0};
  static constexpr orbitfractal::ViewValues kRandomView{0, 0, 2.5, 0};
  static constexpr double kNorm = 6;
  static constexpr int kIterationsLock = 201;
  // Records up to version 2 carry the three coefficients only.
  static constexpr bool kOldRecordsHoldCount = false;

  // Answers false when the orbit ends before (nx, ny).
  static bool step(double const* p, double x, double y, double* nx, double* ny) {
    DSSqrtSystem::iterate(p, x, y, nx, ny);
    return true;
  }
};

// Short orbits of the Gumowski-Mira map, stopped where they run away.
struct GumFractalMap {
  static constexpr std::string_view kIdentifier = "GumFractal";
  static constexpr char const* kRangeError = "Range error for GumFractalParameters";
  static constexpr double kDefaultParameters[3] = {0.001, -0.8, 0.05};
  static constexpr int kDefaultIterations = 4;
  static constexpr orbitfractal::ViewValues kSnapshotView{2, 0, 10, 0};
  static constexpr orbitfractal::ViewValues kComputatorView{0, 0, 2.5, 0};
  static constexpr orbitfractal::ViewValues kRandomView{2, 0, 10, 0};
  static constexpr double kNorm = 10;
  static constexpr int kIterationsLock = 200;
  static constexpr bool kOldRecordsHoldCount = true;
  static constexpr double kEscape = 1e20;

  // A NaN passes the test, so such an orbit runs to its full length.
  static bool step(double const* p, double x, double y, double* nx, double* ny) {
    DSGumowskiSystem::iterate(p, x, y, nx, ny);
    return !(std::fabs(*nx) > kEscape || std::fabs(*ny) > kEscape);
  }
};

}  // namespace orlenza
