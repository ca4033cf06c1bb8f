#pragma once
// The raw field of one picture: a double per pixel, NaN where the pixel has no
// value. Cells are stored column by column (index x * height + y), so the
// drawing passes, which run x outer and y inner, walk memory in order.

#include <cstddef>
#include <vector>

namespace orlenza {

class RawField {
 public:
  // A picture side is between these two counts; every size handed in is clamped here.
  static constexpr int kMinSize = 1;
  static constexpr int kMaxSize = 2048;
  static int clampSize(int n) { return n < kMinSize ? kMinSize : (n > kMaxSize ? kMaxSize : n); }

  // A field of width x height cells (each clamped to [kMinSize, kMaxSize]), all NaN.
  RawField(int width, int height);

  int width() const { return m_width; }
  int height() const { return m_height; }
  std::size_t cellCount() const { return m_cells.size(); }

  // field[x][y]: the column x as a plain pointer, so inner loops index it directly.
  double* operator[](int x) { return m_cells.data() + static_cast<std::size_t>(x) * m_height; }
  double const* operator[](int x) const { return m_cells.data() + static_cast<std::size_t>(x) * m_height; }

  double* data() { return m_cells.data(); }
  double const* data() const { return m_cells.data(); }

  // Changes the size (clamped); the cells both sizes share keep their values, new
  // cells are NaN. The same size changes nothing.
  void resize(int width, int height);
  void fill(double value);

 private:
  int m_width;
  int m_height;
  std::vector<double> m_cells;
};

// Minimum, maximum and mean of a field; see computeStats for how NaN cells count.
struct RawImageStats {
  double min = 0;
  double max = 0;
  double mean = 0;
};

// min and max start at field[0][0] and take a value only when it compares smaller
// (larger), so NaN cells never replace a number, while a NaN in the first cell
// stays; the mean is the plain sum over all cells divided by their count, NaN as
// soon as one cell is NaN. Summed x outer, y inner, on one thread, so the result
// never depends on how the picture was computed.
RawImageStats computeStats(RawField const& field);

}  // namespace orlenza
