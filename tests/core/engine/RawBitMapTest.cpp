#include "core/engine/RawBitMap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace orlenza {
namespace {

// The pixels as the 32-bit words a screen image reads.
std::vector<std::uint32_t> wordsOf(RawBitMap const& bitmap) {
  std::vector<std::uint32_t> words(bitmap.byteCount() / 4);
  std::memcpy(words.data(), bitmap.bytes(), bitmap.byteCount());
  return words;
}

TEST(RawBitMap, SetSizeStaysWithinTheMaximum) {
  struct Case {
    int width, height;
    bool accepted;
  };
  RawBitMap bitmap(4, 3);
  for (Case c : {Case{1, 1, true}, Case{4, 3, true}, Case{2, 3, true}, Case{0, 2, false}, Case{5, 2, false},
                 Case{2, 0, false}, Case{2, 4, false}, Case{-1, -1, false}}) {
    int const widthBefore = bitmap.getWidth();
    int const heightBefore = bitmap.getHeight();
    EXPECT_EQ(bitmap.setSize(c.width, c.height), c.accepted) << c.width << "x" << c.height;
    EXPECT_EQ(bitmap.getWidth(), c.accepted ? c.width : widthBefore);
    EXPECT_EQ(bitmap.getHeight(), c.accepted ? c.height : heightBefore);
  }
  RawBitMap atLeastOne(0, -4);
  EXPECT_EQ(atLeastOne.getMaxWidth(), 1);
  EXPECT_EQ(atLeastOne.getMaxHeight(), 1);
  EXPECT_FALSE(atLeastOne.setSize(2, 1));
}

TEST(RawBitMap, PixelLayoutUsesTheCurrentWidthAsStride) {
  RawBitMap bitmap(4, 4);
  ASSERT_TRUE(bitmap.setSize(2, 2));
  EXPECT_EQ(bitmap.bytesPerRow(), 8);
  EXPECT_EQ(bitmap.byteCount(), 16u);
  bitmap.setPixel(0, 0, RGBColor{0xFFFF, 0x00FF, 0x0100});
  bitmap.setPixel(1, 1, RGBColor{0x12AB, 0xCD34, 0x8000});
  bitmap.setPixel(1, 0, RGBColor{0x0001, 0x0002, 0xFEFF});
  // 0xFFRRGGBB from the high bytes; an untouched pixel stays 0.
  std::vector<std::uint32_t> const expected = {
      0xFFFF0001, 0xFF0000FE,  // row 0: (0, 0), (1, 0)
      0x00000000, 0xFF12CD80,  // row 1: (0, 1) untouched, (1, 1)
  };
  EXPECT_EQ(wordsOf(bitmap), expected);
  EXPECT_EQ(bitmap.colours()[3], (RGBColor{0x12AB, 0xCD34, 0x8000}));
}

TEST(RawBitMap, PixelsOutsideTheCurrentSizeAreIgnored) {
  RawBitMap bitmap(3, 3);
  ASSERT_TRUE(bitmap.setSize(2, 1));
  for (auto [x, y] : {std::pair{2, 0}, std::pair{0, 1}, std::pair{-1, 0}, std::pair{0, -1}, std::pair{1000, 1000}}) {
    bitmap.setPixel(x, y, k_RGBwhite);
  }
  EXPECT_EQ(wordsOf(bitmap), std::vector<std::uint32_t>(2, 0));
  ASSERT_TRUE(bitmap.setSize(3, 3));
  EXPECT_EQ(wordsOf(bitmap), std::vector<std::uint32_t>(9, 0));
}

TEST(RawBitMap, LockedBitmapIgnoresDrawingAndResizing) {
  RawBitMap bitmap(2, 2);
  bitmap.setPixel(0, 0, k_RGBred);
  bitmap.lock();
  EXPECT_TRUE(bitmap.isLocked());
  bitmap.setPixel(0, 0, k_RGBblue);
  bitmap.setPixel(1, 1, k_RGBwhite);
  EXPECT_FALSE(bitmap.setSize(1, 1));
  EXPECT_EQ(bitmap.getWidth(), 2);
  EXPECT_EQ(wordsOf(bitmap), (std::vector<std::uint32_t>{0xFFFF0000, 0, 0, 0}));
  EXPECT_EQ(bitmap.getPixel(0, 0), k_RGBred);

  bitmap.unlock();
  EXPECT_TRUE(bitmap.setSize(1, 1));
}

TEST(RawBitMap, SixteenBitImageKeepsTheFullColours) {
  RawBitMap bitmap(5, 5);
  ASSERT_TRUE(bitmap.setSize(2, 3));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 2; ++x) {
      auto const c = static_cast<std::uint16_t>(0x0101 * (10 * y + x) + 1);
      bitmap.setPixel(x, y, RGBColor{c, static_cast<std::uint16_t>(c + 1), 0xFFFF});
    }
  RgbImage16 const image = bitmap.toRgbImage16();
  ASSERT_TRUE(image.isValid());
  EXPECT_EQ(image.width, 2);
  EXPECT_EQ(image.height, 3);
  // Pixel (1, 2): 0x0101 * 21 + 1 = 0x1516; its byte form keeps only 0x15.
  std::uint16_t const* p = image.pixel(1, 2);
  EXPECT_EQ(p[0], 0x1516);
  EXPECT_EQ(p[1], 0x1517);
  EXPECT_EQ(p[2], 0xFFFF);
  EXPECT_EQ(wordsOf(bitmap)[2 * 2 + 1], 0xFF1515FFu);
}

}  // namespace
}  // namespace orlenza
