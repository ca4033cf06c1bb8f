#pragma once
// PNG pictures: the exported picture with its text chunks (above all the
// snapshot record, so a picture can be rendered again), and the reader that
// gets the record and the pixels back.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/engine/RgbImage16.h"

namespace orlenza::media {

// The keyword of the text chunk that holds the picture's snapshot record.
inline constexpr char kSnapshotTextKeyword[] = "orlenza:snapshot";

struct PngText {
  std::string keyword;  // 1 to 79 printable ASCII characters, single inner blanks
  std::string text;     // UTF-8 in an iTXt chunk, Latin-1 otherwise; never a NUL
  bool international = true;  // iTXt; false: tEXt or zTXt
  bool compressed = false;    // zlib-compressed (zTXt, or compressed iTXt)
};

struct PngWriteOptions {
  int bitDepth = 8;  // 8: each component >> 8; 16: the full components
  std::vector<PngText> texts;
};

// Writes image as an RGB PNG with options.texts before the pixel data,
// atomically: on any failure the old file is untouched and FileWriteError
// ("cannot write 'out.png': ...") is thrown. Invalid arguments (an image whose
// data does not match its size, a bit depth other than 8 or 16, a bad keyword,
// text with a NUL or, for iTXt, invalid UTF-8) fail before any file is made.
void writePng(std::filesystem::path const& target, RgbImage16 const& image, PngWriteOptions const& options = {});

// A PNG file could not be read: "'x.png' is not a PNG file",
// "cannot read 'x.png': No such file or directory".
class PngReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct PngInfo {
  int width = 0;
  int height = 0;
  int bitDepth = 0;   // per sample, as stored
  int colorType = 0;  // as PNG numbers it: 0 grey, 2 RGB, 3 palette, 4 grey and alpha, 6 RGBA
  int channels = 0;
  bool interlaced = false;
  std::size_t rowBytes = 0;
  // Rows from top to bottom exactly as stored (16-bit samples big-endian,
  // palette indices unexpanded), interlacing undone; empty unless asked for.
  std::vector<std::uint8_t> pixels;
  std::vector<PngText> texts;  // every text chunk, in file order

  // The first text chunk with this keyword, or null.
  PngText const* findText(std::string_view keyword) const;
};

// Reads the header and the text chunks (before and after the pixel data), and
// the pixels when withPixels; without them no pixel is decoded. Only a regular
// file is opened. Reading is bounded whatever the file holds: sides up to
// 65536, at most 256 MiB of pixels, 4 MiB of text per chunk. Throws PngReadError.
PngInfo readPngInfo(std::filesystem::path const& path, bool withPixels = true);

}  // namespace orlenza::media
