#include "core/engine/RawBitMap.h"

#include <algorithm>
#include <cstring>

namespace orlenza {

RawBitMap::RawBitMap(int maxWidth, int maxHeight)
    : m_maxWidth(std::max(maxWidth, 1)),
      m_maxHeight(std::max(maxHeight, 1)),
      m_width(m_maxWidth),
      m_height(m_maxHeight),
      // Zeroed: undrawn pixels are black.
      m_bytes(std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(m_maxWidth) * m_maxHeight * kBytesPerPixel)),
      m_colours(std::make_unique<RGBColor[]>(static_cast<std::size_t>(m_maxWidth) * m_maxHeight)) {}

bool RawBitMap::setSize(int width, int height) {
  if (isLocked()) return false;
  if (width < 1 || width > m_maxWidth || height < 1 || height > m_maxHeight) return false;
  m_width = width;
  m_height = height;
  return true;
}

void RawBitMap::setPixel(int x, int y, RGBColor const& colour) {
  if (isLocked()) return;
  // Outside the current size the pixel would land in another row or past the buffer.
  if (x < 0 || x >= m_width || y < 0 || y >= m_height) return;
  std::size_t const i = index(x, y);
  m_colours[i] = colour;
  std::uint32_t const word = 0xFF000000u | (static_cast<std::uint32_t>(colour.red >> 8) << 16) |
                             (static_cast<std::uint32_t>(colour.green >> 8) << 8) | (colour.blue >> 8);
  std::memcpy(m_bytes.get() + i * kBytesPerPixel, &word, sizeof word);
}

RgbImage16 RawBitMap::toRgbImage16() const {
  RgbImage16 image(m_width, m_height);
  std::uint16_t* out = image.rgb.data();
  for (std::size_t i = 0, n = static_cast<std::size_t>(m_width) * m_height; i < n; ++i) {
    *out++ = m_colours[i].red;
    *out++ = m_colours[i].green;
    *out++ = m_colours[i].blue;
  }
  return image;
}

}  // namespace orlenza
