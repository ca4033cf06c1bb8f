#pragma once
// An RGB picture with the full 16-bit colour components, as the picture
// writers take it: rows from top to bottom, red, green, blue per pixel.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orlenza {

struct RgbImage16 {
  int width = 0;
  int height = 0;
  std::vector<std::uint16_t> rgb;  // 3 × width × height components

  RgbImage16() = default;
  RgbImage16(int w, int h) : width(w), height(h), rgb(componentCount(w, h)) {}

  // 3 × w × h, or 0 when either side is not positive.
  static std::size_t componentCount(int w, int h) {
    if (w <= 0 || h <= 0) return 0;
    return 3 * static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
  }

  // Both sides positive and exactly three components per pixel.
  bool isValid() const { return width > 0 && height > 0 && rgb.size() == componentCount(width, height); }

  std::uint16_t* pixel(int x, int y) { return rgb.data() + 3 * (static_cast<std::size_t>(y) * width + x); }
  std::uint16_t const* pixel(int x, int y) const {
    return rgb.data() + 3 * (static_cast<std::size_t>(y) * width + x);
  }
};

}  // namespace orlenza
