#pragma once
// The RGB picture a drawing is coloured into. Each pixel is one 32-bit word
// 0xFFRRGGBB in the machine's byte order (red, green and blue the high bytes of
// the 16-bit colour), rows top to bottom, row stride 4 x the current width: the
// layout a screen image of 32-bit RGB pixels uses, so the studio can show the
// bytes as they are. The full 16-bit colours are kept beside them for 16-bit export.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/engine/RgbImage16.h"
#include "core/model/RGBColor.h"

namespace orlenza {

class RawBitMap {
 public:
  static constexpr int kBytesPerPixel = 4;

  // Room for maxWidth x maxHeight pixels (each at least 1), sized to the maximum.
  RawBitMap(int maxWidth, int maxHeight);
  RawBitMap(RawBitMap const&) = delete;
  RawBitMap& operator=(RawBitMap const&) = delete;

  int getMaxWidth() const { return m_maxWidth; }
  int getMaxHeight() const { return m_maxHeight; }
  int getWidth() const { return m_width; }
  int getHeight() const { return m_height; }

  // Refused (false, nothing changes) while locked or outside [1, max]. The
  // buffers are not reallocated and keep their bytes.
  bool setSize(int width, int height);

  // Ignored while locked and for pixels outside the current size.
  void setPixel(int x, int y, RGBColor const& colour);
  // The 16-bit colour last set at (x, y), inside the current size.
  RGBColor getPixel(int x, int y) const { return m_colours[index(x, y)]; }

  // While a reader holds the bitmap (the screen, an exporter), drawing into it
  // and resizing it do nothing.
  void lock() { m_locked.store(true); }
  void unlock() { m_locked.store(false); }
  bool isLocked() const { return m_locked.load(); }

  // getWidth() x getHeight() pixels in the layout described above.
  std::uint8_t const* bytes() const { return m_bytes.get(); }
  std::size_t byteCount() const { return static_cast<std::size_t>(m_width) * m_height * kBytesPerPixel; }
  int bytesPerRow() const { return m_width * kBytesPerPixel; }

  // The 16-bit colours with the same stride (width), top row first.
  RGBColor const* colours() const { return m_colours.get(); }

  // The current width x height pixels with their full 16-bit colours, for
  // 16-bit export (the bytes above hold only the high bytes).
  RgbImage16 toRgbImage16() const;

 private:
  std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * m_width + x; }

  int m_maxWidth;
  int m_maxHeight;
  int m_width;
  int m_height;
  std::unique_ptr<std::uint8_t[]> m_bytes;
  std::unique_ptr<RGBColor[]> m_colours;
  std::atomic<bool> m_locked{false};
};

}  // namespace orlenza
