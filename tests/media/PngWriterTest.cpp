#include "media/PngWriter.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "core/base/AtomicFile.h"
#include "core/files/FileTestSupport.h"

namespace orlenza::media {
namespace {

namespace fs = std::filesystem;

// The CRC of PNG chunks (ISO 3309), done here bit by bit so the test does not
// trust the library it checks.
std::uint32_t crc32(std::string const& bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char c : bytes) {
    crc ^= c;
    for (int k = 0; k < 8; ++k) crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
  }
  return crc ^ 0xFFFFFFFFu;
}

std::uint32_t bigEndian(std::string const& bytes, std::size_t at) {
  return (std::uint32_t{static_cast<unsigned char>(bytes[at])} << 24) |
         (std::uint32_t{static_cast<unsigned char>(bytes[at + 1])} << 16) |
         (std::uint32_t{static_cast<unsigned char>(bytes[at + 2])} << 8) |
         std::uint32_t{static_cast<unsigned char>(bytes[at + 3])};
}

std::string bigEndianBytes(std::uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
}

struct Chunk {
  std::string type;
  std::string data;
};

// Splits a PNG file into its chunks, checking the signature and every CRC.
std::vector<Chunk> chunksOf(fs::path const& path) {
  std::string const bytes = testing_files::contentOf(path);
  std::vector<Chunk> chunks;
  EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  std::size_t at = 8;
  while (at + 12 <= bytes.size()) {
    std::uint32_t const length = bigEndian(bytes, at);
    if (at + 12 + length > bytes.size()) break;
    Chunk chunk{bytes.substr(at + 4, 4), bytes.substr(at + 8, length)};
    EXPECT_EQ(bigEndian(bytes, at + 8 + length), crc32(chunk.type + chunk.data)) << chunk.type;
    chunks.push_back(std::move(chunk));
    at += 12 + length;
  }
  EXPECT_EQ(at, bytes.size());
  return chunks;
}

std::string chunkBytes(std::string const& type, std::string const& data) {
  return bigEndianBytes(static_cast<std::uint32_t>(data.size())) + type + data + bigEndianBytes(crc32(type + data));
}

class PngTest : public ::testing::Test {
 protected:
  testing_files::ScratchFolder folder;
};

// Components that could break a conversion: both ends, the byte boundaries, then noise.
RgbImage16 testImage(int width, int height, unsigned seed) {
  RgbImage16 image(width, height);
  std::uint16_t const special[] = {0, 0xFFFF, 0x00FF, 0xFF00, 0x8000, 0x7FFF, 0x0100, 0x00FE, 0xFEFF};
  std::mt19937 noise(seed);
  for (std::size_t i = 0; i < image.rgb.size(); ++i)
    image.rgb[i] = i < std::size(special) ? special[i] : static_cast<std::uint16_t>(noise());
  return image;
}

TEST_F(PngTest, PixelsComeBackExactly) {
  struct Size {
    int width, height;
  } const sizes[] = {{1, 1}, {5, 7}, {1, 9}, {257, 3}};
  for (auto const& size : sizes) {
    for (int depth : {8, 16}) {
      SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height) + " depth " + std::to_string(depth));
      RgbImage16 const image = testImage(size.width, size.height, static_cast<unsigned>(size.width * 31 + depth));
      fs::path const path = folder / "pic.png";
      writePng(path, image, {depth, {}});

      // Expected bytes: the high byte alone, or high then low byte.
      std::vector<std::uint8_t> expected;
      for (std::uint16_t v : image.rgb) {
        expected.push_back(static_cast<std::uint8_t>(v / 256));
        if (depth == 16) expected.push_back(static_cast<std::uint8_t>(v % 256));
      }

      PngInfo const info = readPngInfo(path);
      EXPECT_EQ(info.width, size.width);
      EXPECT_EQ(info.height, size.height);
      EXPECT_EQ(info.bitDepth, depth);
      EXPECT_EQ(info.colorType, 2);
      EXPECT_FALSE(info.interlaced);
      EXPECT_EQ(info.rowBytes, static_cast<std::size_t>(size.width) * 3 * depth / 8);
      EXPECT_EQ(info.pixels, expected);
      EXPECT_TRUE(info.texts.empty());

      // libpng's own simplified reader agrees on the 8-bit bytes.
      if (depth == 8) {
        png_image read{};
        read.version = PNG_IMAGE_VERSION;
        ASSERT_NE(png_image_begin_read_from_file(&read, path.c_str()), 0) << read.message;
        read.format = PNG_FORMAT_RGB;
        std::vector<std::uint8_t> buffer(PNG_IMAGE_SIZE(read));
        ASSERT_NE(png_image_finish_read(&read, nullptr, buffer.data(), 0, nullptr), 0) << read.message;
        EXPECT_EQ(buffer, expected);
      }

      std::vector<Chunk> const chunks = chunksOf(path);
      ASSERT_GE(chunks.size(), 3u);
      EXPECT_EQ(chunks.front().type, "IHDR");
      EXPECT_EQ(chunks.back().type, "IEND");
      EXPECT_EQ(folder.names(), std::vector<std::string>{"pic.png"});
    }
  }
}

std::string longText() {
  // Over 1 MB of mixed one- to four-byte characters and line breaks.
  char const* const pieces[] = {"EscParams ", "é", "→", "🙂", "\n", "1.23456789012 ", "日本"};
  std::mt19937 noise(7);
  std::string text;
  while (text.size() < (1u << 20) + 5) text += pieces[noise() % std::size(pieces)];
  return text;
}

TEST_F(PngTest, TextChunksRoundTrip) {
  std::string const record = "EscParams 1 Spiral \xC3\x9C" "ber Gr\xC3\xBC" "n \xE2\x80\x94 \xF0\x9F\x8C\x80 0.5 -0 nan \n";
  std::string const big = longText();
  std::vector<PngText> const texts = {
      {kSnapshotTextKeyword, record, true, false},
      {"orlenza:long", big, true, false},
      {"orlenza:long packed", big, true, true},
      {"Software", "Orlenza", false, false},
      {"Comment", "Latin-1 \xE9t\xE9", false, true},
      {"Empty", "", true, false},
  };
  for (int depth : {8, 16}) {
    fs::path const path = folder / "with text.png";
    writePng(path, testImage(3, 2, 1), {depth, texts});

    for (bool withPixels : {true, false}) {
      PngInfo const info = readPngInfo(path, withPixels);
      EXPECT_EQ(info.pixels.size(), withPixels ? 3u * 2 * 3 * depth / 8 : 0u);
      ASSERT_EQ(info.texts.size(), texts.size());
      for (std::size_t i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE(texts[i].keyword);
        EXPECT_EQ(info.texts[i].keyword, texts[i].keyword);
        EXPECT_EQ(info.texts[i].text.size(), texts[i].text.size());
        EXPECT_TRUE(info.texts[i].text == texts[i].text);
        EXPECT_EQ(info.texts[i].international, texts[i].international);
        EXPECT_EQ(info.texts[i].compressed, texts[i].compressed);
      }
      ASSERT_NE(info.findText(kSnapshotTextKeyword), nullptr);
      EXPECT_EQ(info.findText(kSnapshotTextKeyword)->text, record);
      EXPECT_EQ(info.findText("absent"), nullptr);
    }

    // The record is a plain iTXt chunk before the pixel data: keyword, NUL,
    // flag 0, method 0, empty language tag and translated keyword, the UTF-8 text.
    std::vector<Chunk> const chunks = chunksOf(path);
    auto const firstData = std::find_if(chunks.begin(), chunks.end(), [](Chunk const& c) { return c.type == "IDAT"; });
    auto const recordChunk = std::find_if(chunks.begin(), chunks.end(), [](Chunk const& c) {
      return c.type == "iTXt" && c.data.rfind(std::string("orlenza:snapshot\0", 17), 0) == 0;
    });
    ASSERT_NE(recordChunk, chunks.end());
    EXPECT_LT(recordChunk - chunks.begin(), firstData - chunks.begin());
    EXPECT_EQ(recordChunk->data, std::string("orlenza:snapshot\0\0\0\0\0", 21) + record);

    auto const packed = std::find_if(chunks.begin(), chunks.end(), [](Chunk const& c) {
      return c.type == "iTXt" && c.data.rfind(std::string("orlenza:long packed\0", 20), 0) == 0;
    });
    ASSERT_NE(packed, chunks.end());
    EXPECT_EQ(packed->data.substr(20, 2), std::string("\1\0", 2));
    EXPECT_LT(packed->data.size(), big.size() / 2);
    EXPECT_EQ(std::count_if(chunks.begin(), chunks.end(), [](Chunk const& c) { return c.type == "tEXt"; }), 1);
    EXPECT_EQ(std::count_if(chunks.begin(), chunks.end(), [](Chunk const& c) { return c.type == "zTXt"; }), 1);
  }
}

TEST_F(PngTest, InvalidArgumentsFailBeforeAnyFileIsMade) {
  fs::path const path = folder / "old.png";
  testing_files::put(path, "old bytes");
  // Built apart: GCC 12 warns falsely about "'" + std::string(80, 'k') inside the table.
  std::string const longKeyReason = std::string(80, 'k').insert(0, 1, '\'') + "' is not a valid PNG text keyword";
  RgbImage16 shortData(2, 2);
  shortData.rgb.pop_back();
  struct Case {
    RgbImage16 image;
    int depth;
    PngText text;
    std::string reason;
  } const cases[] = {
      {RgbImage16(), 8, {"k", "t"}, "the picture's data does not match its size 0 x 0"},
      {shortData, 8, {"k", "t"}, "the picture's data does not match its size 2 x 2"},
      {RgbImage16(1, 1), 12, {"k", "t"}, "a PNG picture has 8 or 16 bits per component, not 12"},
      {RgbImage16(1, 1), 8, {"", "t"}, "'' is not a valid PNG text keyword"},
      {RgbImage16(1, 1), 8, {std::string(80, 'k'), "t"}, longKeyReason},
      {RgbImage16(1, 1), 8, {" lead", "t"}, "' lead' is not a valid PNG text keyword"},
      {RgbImage16(1, 1), 8, {"two  blanks", "t"}, "'two  blanks' is not a valid PNG text keyword"},
      {RgbImage16(1, 1), 8, {"\xC3\xBC", "t"}, "'\xC3\xBC' is not a valid PNG text keyword"},
      {RgbImage16(1, 1), 8, {"tab\tkey", "t"}, "'tab\tkey' is not a valid PNG text keyword"},
      {RgbImage16(1, 1), 8, {"k", std::string("a\0b", 3)}, "the text of 'k' contains a NUL character"},
      {RgbImage16(1, 1), 8, {"k", "\xC0\x80"}, "the text of 'k' is not valid UTF-8"},      // overlong NUL
      {RgbImage16(1, 1), 8, {"k", "\xED\xA0\x80"}, "the text of 'k' is not valid UTF-8"},  // surrogate
      {RgbImage16(1, 1), 8, {"k", "ok \xE2\x82"}, "the text of 'k' is not valid UTF-8"},   // cut short
      {RgbImage16(1, 1), 8, {"k", "\xF4\x90\x80\x80"}, "the text of 'k' is not valid UTF-8"},  // above U+10FFFF
      {RgbImage16(1, 1), 8, {"k", "\x80 lone"}, "the text of 'k' is not valid UTF-8"},
  };
  for (auto const& c : cases) {
    SCOPED_TRACE(c.reason);
    try {
      writePng(path, c.image, {c.depth, {c.text}});
      ADD_FAILURE() << "no error";
    } catch (FileWriteError const& e) {
      EXPECT_EQ(std::string(e.what()), "cannot write '" + path.string() + "': " + c.reason);
    }
    EXPECT_EQ(testing_files::contentOf(path), "old bytes");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"old.png"});
  }

  // The edges of what is allowed: 79 characters, single inner blanks, the
  // largest code point, Latin-1 bytes in a tEXt chunk.
  std::vector<PngText> const fine = {{std::string(79, 'k'), "\xF4\x8F\xBF\xBF"},
                                     {"one blank", "\xEF\xBF\xBF"},
                                     {"latin", "\xFF\x80", false}};
  writePng(path, RgbImage16(1, 1), {8, fine});
  PngInfo const info = readPngInfo(path, false);
  ASSERT_EQ(info.texts.size(), 3u);
  for (std::size_t i = 0; i < fine.size(); ++i) EXPECT_EQ(info.texts[i].text, fine[i].text);
}

TEST_F(PngTest, ReaderRejectsWhatIsNotAGoodPng) {
  fs::path const good = folder / "good.png";
  writePng(good, testImage(40, 30, 3), {8, {{kSnapshotTextKeyword, "record"}}});
  std::string const bytes = testing_files::contentOf(good);
  std::string const signature("\x89PNG\r\n\x1a\n", 8);

  // A 60000 x 60000 header followed by almost no pixel data: refused before any allocation.
  std::string const huge = signature +
                           chunkBytes("IHDR", bigEndianBytes(60000) + bigEndianBytes(60000) + std::string("\x08\x02\0\0\0", 5)) +
                           chunkBytes("IDAT", "x") + chunkBytes("IEND", "");
  // Past the 65536 limit on a side.
  std::string const tooWide = signature +
                              chunkBytes("IHDR", bigEndianBytes(70000) + bigEndianBytes(1) + std::string("\x08\x02\0\0\0", 5)) +
                              chunkBytes("IEND", "");
  std::string flipped = bytes;
  flipped[bytes.find("IDAT") + 10] ^= 0x55;  // inside the compressed pixels: the CRC no longer matches

  struct Case {
    std::string name;
    std::string content;
    bool notPng;         // the whole message is "'<path>' is not a PNG file"
    std::string reason;  // else "cannot read '<path>': " and this, or libpng's words when empty
    bool pixelsOnly = false;  // a fault of the pixel data, which the header and texts alone never decode
  } const cases[] = {
      {"text.png", "just some text, long enough", true, ""},
      {"short.png", signature.substr(0, 5), true, ""},
      {"jpeg.png", std::string("\xFF\xD8\xFF\xE0\0\x10JFIF\0", 11), true, ""},
      {"cut.png", bytes.substr(0, bytes.size() / 2), false, "the file is cut short"},
      {"signature only.png", signature, false, "the file is cut short"},
      {"flipped.png", flipped, false, "", true},
      {"huge.png", huge, false, "", true},
      {"too wide.png", tooWide, false, "", true},
  };
  for (auto const& c : cases) {
    for (bool withPixels : {true, false}) {
      if (c.pixelsOnly && !withPixels) continue;
      SCOPED_TRACE(c.name + (withPixels ? " with pixels" : " without pixels"));
      fs::path const path = folder / c.name;
      testing_files::put(path, c.content);
      try {
        readPngInfo(path, withPixels);
        ADD_FAILURE() << "no error";
      } catch (PngReadError const& e) {
        std::string const message = e.what();
        if (c.notPng) {
          EXPECT_EQ(message, "'" + path.string() + "' is not a PNG file");
        } else {
          std::string const start = "cannot read '" + path.string() + "': ";
          EXPECT_EQ(message.rfind(start, 0), 0u) << message;
          EXPECT_GT(message.size(), start.size());
          if (!c.reason.empty()) {
            EXPECT_EQ(message.rfind(start + c.reason, 0), 0u) << message;
          }
          if (c.name == "huge.png" && withPixels) {
            EXPECT_EQ(message, start + "the picture is too large to load (60000 x 60000 pixels)");
          }
        }
      }
    }
  }

  struct Failing {
    fs::path path;
    std::string reason;
  } const failing[] = {{folder / "absent.png", "No such file or directory"}, {folder.path(), "Is a directory"}};
  for (auto const& f : failing) {
    try {
      readPngInfo(f.path);
      ADD_FAILURE() << "no error";
    } catch (PngReadError const& e) {
      EXPECT_EQ(std::string(e.what()), "cannot read '" + f.path.string() + "': " + f.reason);
    }
  }
}

// Writes an Adam7-interlaced 8-bit RGB file with its text after the pixel
// data, through libpng directly. Plain data only around the setjmp.
bool writeInterlaced(char const* path, png_uint_32 width, png_uint_32 height, png_bytep* rows, char const* key,
                     char const* text) {
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_ADAM7, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_text chunk{};
  chunk.compression = PNG_ITXT_COMPRESSION_NONE;
  chunk.key = const_cast<char*>(key);
  chunk.text = const_cast<char*>(text);
  png_set_text(png, info, &chunk, 1);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0;
}

TEST_F(PngTest, ReaderUndoesInterlacingAndFindsTextAfterThePixels) {
  png_uint_32 const width = 11;
  png_uint_32 const height = 9;
  std::vector<std::uint8_t> pixels(width * height * 3);
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i * 37 + 11);
  std::vector<png_bytep> rows(height);
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = pixels.data() + y * width * 3;
  fs::path const path = folder / "interlaced.png";
  ASSERT_TRUE(writeInterlaced(path.c_str(), width, height, rows.data(), kSnapshotTextKeyword, "after \xE2\x9C\x93"));

  for (bool withPixels : {true, false}) {
    PngInfo const info = readPngInfo(path, withPixels);
    EXPECT_TRUE(info.interlaced);
    EXPECT_EQ(info.width, 11);
    EXPECT_EQ(info.height, 9);
    if (withPixels) {
      EXPECT_EQ(info.pixels, pixels);
    }
    ASSERT_NE(info.findText(kSnapshotTextKeyword), nullptr);
    EXPECT_EQ(info.findText(kSnapshotTextKeyword)->text, "after \xE2\x9C\x93");
  }
}

TEST_F(PngTest, ReaderReportsOtherKindsAsStored) {
  // A grey picture made by libpng's simplified writer.
  std::uint8_t const grey[] = {0, 1, 127, 128, 254, 255};
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = 3;
  image.height = 2;
  image.format = PNG_FORMAT_GRAY;
  fs::path const path = folder / "grey.png";
  ASSERT_NE(png_image_write_to_file(&image, path.c_str(), 0, grey, 0, nullptr), 0) << image.message;

  PngInfo const info = readPngInfo(path);
  EXPECT_EQ(info.colorType, 0);
  EXPECT_EQ(info.channels, 1);
  EXPECT_EQ(info.bitDepth, 8);
  EXPECT_EQ(info.pixels, std::vector<std::uint8_t>(std::begin(grey), std::end(grey)));
}

}  // namespace
}  // namespace orlenza::media
