#include "core/generators/Perlin/ImageComputatorPerlin.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>

#include "core/engine/MappedPointImage.h"
#include "core/generators/Perlin/PerlinNoise.h"
#include "core/generators/Perlin/SnapshotPerlin.h"
#include "core/geometry/Geometry.h"

namespace orlenza {

namespace {

// Points mapped through the geometry per virtual call.

int evaluatedOctaves(int octaves) { return std::min(octaves, ImageComputatorPerlin::kMaxEvaluatedOctaves); }

// The value of one mapped point, with the parameters copied out once.
struct PerlinKernel {
  explicit PerlinKernel(PerlinParameters const& p)
      : a(ImageComputatorPerlin::perlinA()),
        b(ImageComputatorPerlin::perlinB()),
        c(ImageComputatorPerlin::perlinC()),
        parameters(p),
        octavesA(evaluatedOctaves(p.octavesA)),
        octavesB(p.usesLayerB() ? evaluatedOctaves(p.octavesB) : 0),
        octavesC(p.usesLayerC() ? evaluatedOctaves(p.octavesC) : 0) {}

  double operator()(Coord2D const& q) const {
    if (!std::isfinite(q.x) || !std::isfinite(q.y)) return std::numeric_limits<double>::quiet_NaN();
    PerlinParameters const& p = parameters;
    double const va = octaveSum(a, 1.0, octavesA, p.persistenceA, q.x, q.y);
    double const vb = octaveSum(b, p.scaleB, octavesB, p.persistenceB, q.x, q.y);
    double const vc = octaveSum(c, p.scaleC, octavesC, p.persistenceC, q.x, q.y);
    double v = 0;
    switch (p.combination) {
      case 0: v = va; break;
      case 1: v = va + vb; break;
      case 2: v = va + vb + vc; break;
      case 3: v = va * vb; break;
      case 4: v = va * vb + vc; break;
      default: break;
    }
    switch (p.shaping) {
      case 1: v = std::fabs(v); break;
      case 2: v = v < 0 ? 0.0 : v; break;  // NaN is not below 0, so it stays
      default: v = (v + 1) * 0.5; break;
    }
    return v * p.amplitude;
  }

  Perlin const& a;
  Perlin const& b;
  Perlin const& c;
  PerlinParameters parameters;
  // 0 for a layer the combination does not use, so it is never evaluated.
  int octavesA;
  int octavesB;
  int octavesC;
};


}  // namespace

ImageComputatorPerlin::ImageComputatorPerlin() : AbstractImageComputator(std::string(k_idPerlin)) {}

Perlin const& ImageComputatorPerlin::perlinA() {
  static Perlin const s_noise(766);
  return s_noise;
}

Perlin const& ImageComputatorPerlin::perlinB() {
  static Perlin const s_noise(10043);
  return s_noise;
}

Perlin const& ImageComputatorPerlin::perlinC() {
  static Perlin const s_noise(8002);
  return s_noise;
}

void ImageComputatorPerlin::computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                                         ComputationNotifier& notifier) {
  computeImage(snapshot, width, height, field, notifier, threadCount());
}

void ImageComputatorPerlin::computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                                         ComputationNotifier& notifier, unsigned threads) {
  auto const& perlin = dynamic_cast<SnapshotPerlin const&>(snapshot);
  // At most 3 x 64 noise evaluations per pixel: a row is short enough not to poll the stop.
  computeMappedPointImage(PerlinKernel(perlin.getParameters()), perlin.getCore(), width, height, field,
                          notifier, threads);
}

View ImageComputatorPerlin::getDefaultView() const { return SnapshotPerlin::defaultView(); }

}  // namespace orlenza
