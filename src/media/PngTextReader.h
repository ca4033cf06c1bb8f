#pragma once
// The header and the text chunks of a PNG file, found by walking its chunks
// without decoding a pixel: what 'info' and the re-rendering of a picture need,
// whatever size the picture claims. Nothing a chunk's length says is allocated
// before it is checked against the bytes that remain and a fixed bound.

#include <cstdint>
#include <istream>
#include <string>

#include "media/PngWriter.h"

namespace orlenza::media {

// A text chunk (or the whole of its inflated text) larger than this is damage:
// our own records are a few kilobytes.
inline constexpr std::uint32_t kMaxPngTextBytes = std::uint32_t{4} << 20;

// Reads the size bytes of in as a PNG and fills info's header fields and texts
// (never its pixels). Answers an empty string, or why the bytes are not a
// readable PNG ("not a PNG file", "the file is cut short", ...).
std::string readPngTextChunks(std::istream& in, std::uint64_t size, PngInfo& info);

}  // namespace orlenza::media
