// The drawing's colouring pass against the plain loop (a virtual filter call
// and a gradation search per pixel): every post-filter in both places, every
// normalizer, fields with NaN and infinite cells, small and odd sizes.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "core/CoreRegistration.h"
#include "core/engine/Normalizer.h"
#include "core/engine/Postfiltering.h"
#include "core/engine/RawField.h"
#include "core/engine/RawImage.h"
#include "core/model/GradationColouring.h"
#include "core/model/SnapshotCore.h"

namespace orlenza {
namespace {

std::vector<RGBColor> plainColouring(RawField const& field, SnapshotCore const& core) {
  int const width = field.width();
  int const height = field.height();
  Postfiltering const& first = Postfiltering::getPostfilteringFromID(core.getPostfilteringID());
  Postfiltering const& second = Postfiltering::getPostfilteringFromID(core.getSecondPostfilteringID());
  Normalizer const& normalizer = Normalizer::getNormalizerFromID(core.getNormalizerID());
  ColouringRule const rule{core.getFloor(), core.getCeiling(), core.getGradationInfo().auxiliary};
  RawImageStats const stats = computeStats(field);
  RawField work(width, height);
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y)
      work[x][y] = std::isnan(field[x][y]) ? field[x][y]
                                           : first.filter(field, x, y, core.getPostfilteringParam(), stats);
  RawImageStats const workStats = computeStats(work);
  std::vector<RGBColor> colours(static_cast<std::size_t>(width) * height);
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y) {
      if (std::isnan(work[x][y])) continue;  // black
      double const f = second.filter(work, x, y, core.getSecondPostfilteringParam(), workStats);
      colours[static_cast<std::size_t>(x) * height + y] =
          colourForNormalizedValue(normalizer.normalize(f, core.getNorm()), rule, core.getGradationInfo().gradation);
    }
  return colours;
}

TEST(ColouringPassTest, EqualsThePlainLoopForEveryFilterAndNormalizer) {
  registerCoreFamilies();
  std::vector<std::string> const& filters = postfilteringIdentifiersInMenuOrder();
  std::vector<std::string> const& normalizers = normalizerIdentifiersInMenuOrder();
  std::mt19937 random(9);
  std::uniform_real_distribution<double> value(-50, 1100);
  struct Size {
    int width, height;
  };
  int round = 0;
  for (Size const size : {Size{1, 1}, Size{3, 5}, Size{17, 2}, Size{40, 33}}) {
    RawField field(size.width, size.height);
    for (int x = 0; x < size.width; ++x)
      for (int y = 0; y < size.height; ++y) field[x][y] = value(random);
    if (size.width * size.height > 10) {
      field[1][1] = std::numeric_limits<double>::quiet_NaN();
      field[2][0] = std::numeric_limits<double>::infinity();
      field[0][1] = -0.0;
    }
    for (std::size_t f = 0; f < filters.size(); ++f) {
      SnapshotCore core;
      core.setPostfilteringID(filters[f]);
      core.setSecondPostfilteringID(filters[(f * 7 + 3) % filters.size()]);
      core.setPostfilteringParam(0.3);
      core.setSecondPostfilteringParam(0.6);
      core.setNormalizerID(normalizers[static_cast<std::size_t>(round++) % normalizers.size()]);
      core.setNorm(700);
      // Every other case has a scale and offset to wrap; some clamp to a floor and ceiling.
      if (f % 2 == 1) core.getGradationInfo().auxiliary = {1.7, -0.35};
      if (f % 3 == 2) {
        core.setFloor(0.25);
        core.setCeiling(0.8);
      }
      std::vector<RGBColor> colours;
      for (unsigned threads : {1u, 2u}) {
        colourRawField(field, core, colours, threads);
        EXPECT_TRUE(colours == plainColouring(field, core))
            << size.width << "x" << size.height << " " << core.getPostfilteringID() << " then "
            << core.getSecondPostfilteringID() << ", " << core.getNormalizerID() << ", threads " << threads;
      }
    }
  }
}

}  // namespace
}  // namespace orlenza
