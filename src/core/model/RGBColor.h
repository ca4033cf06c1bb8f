#pragma once
// A colour as the gradations and the bitmap drawer keep it: three 16-bit
// components, full scale 65535.

#include <cstdint>

namespace orlenza {

struct RGBColor {
  std::uint16_t red = 0;
  std::uint16_t green = 0;
  std::uint16_t blue = 0;

  friend constexpr bool operator==(RGBColor const&, RGBColor const&) = default;
};

inline constexpr RGBColor k_RGBblack{0, 0, 0};
inline constexpr RGBColor k_RGBwhite{65535, 65535, 65535};
inline constexpr RGBColor k_RGBred{65535, 0, 0};
inline constexpr RGBColor k_RGBgreen{0, 65535, 0};
inline constexpr RGBColor k_RGBblue{0, 0, 65535};
inline constexpr RGBColor k_RGByellow{65535, 65535, 0};

}  // namespace orlenza
