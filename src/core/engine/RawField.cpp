#include "core/engine/RawField.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace orlenza {

namespace {
constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();
}

RawField::RawField(int width, int height)
    : m_width(clampSize(width)),
      m_height(clampSize(height)),
      m_cells(static_cast<std::size_t>(m_width) * m_height, kNoValue) {}

void RawField::resize(int width, int height) {
  width = clampSize(width);
  height = clampSize(height);
  if (width == m_width && height == m_height) return;
  RawField resized(width, height);
  int const keptWidth = std::min(width, m_width);
  int const keptHeight = std::min(height, m_height);
  for (int x = 0; x < keptWidth; ++x) std::copy_n((*this)[x], keptHeight, resized[x]);
  *this = std::move(resized);
}

void RawField::fill(double value) { std::fill(m_cells.begin(), m_cells.end(), value); }

RawImageStats computeStats(RawField const& field) {
  RawImageStats stats;
  stats.min = stats.max = field[0][0];
  double sum = 0;
  int const width = field.width();
  int const height = field.height();
  for (int x = 0; x < width; ++x) {
    double const* column = field[x];
    for (int y = 0; y < height; ++y) {
      double const v = column[y];
      sum += v;
      if (v < stats.min) stats.min = v;
      if (v > stats.max) stats.max = v;
    }
  }
  stats.mean = sum / (static_cast<double>(width) * height);
  return stats;
}

}  // namespace orlenza
