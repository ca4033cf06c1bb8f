#include "media/PngTextReader.h"

#include <zlib.h>

#include <array>
#include <cstring>
#include <vector>

namespace orlenza::media {

namespace {

constexpr std::array<unsigned char, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint32_t kMaxChunkLength = 0x7FFFFFFFu;  // the PNG limit
constexpr std::size_t kMaxKeywordLength = 79;

std::uint32_t bigEndian(unsigned char const* bytes) {
  return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) | (std::uint32_t{bytes[2]} << 8) |
         std::uint32_t{bytes[3]};
}

bool readBytes(std::istream& in, void* target, std::size_t count) {
  in.read(static_cast<char*>(target), static_cast<std::streamsize>(count));
  return static_cast<std::size_t>(in.gcount()) == count;
}

// zlib data inflated into text, at most kMaxPngTextBytes of it.
bool inflateBounded(std::string_view compressed, std::string& text) {
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return false;
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
  stream.avail_in = static_cast<uInt>(compressed.size());
  std::array<char, 16384> buffer;
  int status = Z_OK;
  while (status == Z_OK) {
    stream.next_out = reinterpret_cast<Bytef*>(buffer.data());
    stream.avail_out = static_cast<uInt>(buffer.size());
    status = inflate(&stream, Z_NO_FLUSH);
    std::size_t const produced = buffer.size() - stream.avail_out;
    if (text.size() + produced > kMaxPngTextBytes) {
      text.resize(kMaxPngTextBytes);  // tells the caller why
      status = Z_MEM_ERROR;
    } else {
      text.append(buffer.data(), produced);
    }
    if (status == Z_OK && produced == 0 && stream.avail_in == 0) status = Z_DATA_ERROR;  // ends early
  }
  inflateEnd(&stream);
  return status == Z_STREAM_END;
}

// The keyword before the first NUL of data; false when there is none that fits.
bool splitKeyword(std::string_view data, std::string& keyword, std::string_view& rest) {
  std::size_t const nul = data.find('\0');
  if (nul == std::string_view::npos || nul == 0 || nul > kMaxKeywordLength) return false;
  keyword.assign(data.substr(0, nul));
  rest = data.substr(nul + 1);
  return true;
}

// One tEXt, zTXt or iTXt chunk; false when it is damaged.
bool parseText(std::string_view type, std::string_view data, PngText& text) {
  std::string_view rest;
  if (!splitKeyword(data, text.keyword, rest)) return false;
  if (type == "tEXt") {
    text.international = false;
    text.compressed = false;
    text.text.assign(rest);
    return true;
  }
  if (type == "zTXt") {
    text.international = false;
    text.compressed = true;
    return !rest.empty() && rest[0] == 0 && inflateBounded(rest.substr(1), text.text);
  }
  // iTXt: compression flag, method, language tag, translated keyword, text.
  if (rest.size() < 2) return false;
  text.international = true;
  text.compressed = rest[0] != 0;
  if (text.compressed && (rest[0] != 1 || rest[1] != 0)) return false;
  rest.remove_prefix(2);
  for (int field = 0; field < 2; ++field) {
    std::size_t const nul = rest.find('\0');
    if (nul == std::string_view::npos) return false;
    rest.remove_prefix(nul + 1);
  }
  if (!text.compressed) {
    text.text.assign(rest);
    return true;
  }
  return inflateBounded(rest, text.text);
}

bool validHeader(PngInfo const& info, int compression, int filter, int interlace) {
  static constexpr int kChannels[] = {1, 0, 3, 1, 2, 0, 4};
  if (info.width <= 0 || info.height <= 0 || compression != 0 || filter != 0 || interlace > 1) return false;
  if (info.colorType < 0 || info.colorType > 6 || kChannels[info.colorType] == 0) return false;
  int const d = info.bitDepth;
  switch (info.colorType) {
    case 0: return d == 1 || d == 2 || d == 4 || d == 8 || d == 16;
    case 3: return d == 1 || d == 2 || d == 4 || d == 8;
    default: return d == 8 || d == 16;
  }
}

}  // namespace

std::string readPngTextChunks(std::istream& in, std::uint64_t size, PngInfo& info) {
  std::array<unsigned char, 8> signature{};
  if (size < signature.size() || !readBytes(in, signature.data(), signature.size()) || signature != kSignature)
    return "not a PNG file";
  std::uint64_t remaining = size - signature.size();
  bool headerSeen = false;
  std::uint64_t textBytes = 0;
  std::string data;
  for (;;) {
    unsigned char head[8];
    if (remaining < 12 || !readBytes(in, head, sizeof head)) return "the file is cut short";
    remaining -= 12;
    std::uint32_t const length = bigEndian(head);
    std::string_view const type(reinterpret_cast<char const*>(head + 4), 4);
    if (length > kMaxChunkLength) return "a chunk claims more than 2 GiB";
    if (length > remaining) return "the file is cut short (a chunk claims " + std::to_string(length) + " bytes)";
    remaining -= length;
    if (!headerSeen && type != "IHDR") return "the header chunk is missing";

    bool const isText = type == "tEXt" || type == "zTXt" || type == "iTXt";
    if (type == "IEND") return headerSeen ? std::string() : "the header chunk is missing";
    if (type != "IHDR" && !isText) {
      in.seekg(static_cast<std::streamoff>(length) + 4, std::ios::cur);
      if (!in) return "the file is cut short";
      continue;
    }
    if (isText && (length > kMaxPngTextBytes || textBytes + length > 4ull * kMaxPngTextBytes))
      return "a text chunk is larger than 4 MiB";
    data.resize(length);
    unsigned char crc[4];
    if (!readBytes(in, data.data(), length) || !readBytes(in, crc, sizeof crc)) return "the file is cut short";
    uLong expected = crc32(0L, head + 4, 4);
    expected = crc32(expected, reinterpret_cast<Bytef const*>(data.data()), static_cast<uInt>(length));
    if (bigEndian(crc) != static_cast<std::uint32_t>(expected))
      return "the " + std::string(type) + " chunk is damaged (its checksum does not match)";

    if (type == "IHDR") {
      if (headerSeen || length != 13) return "the header chunk is damaged";
      auto const* h = reinterpret_cast<unsigned char const*>(data.data());
      std::uint32_t const width = bigEndian(h), height = bigEndian(h + 4);
      if (width > kMaxChunkLength || height > kMaxChunkLength) return "the header chunk is damaged";
      info.width = static_cast<int>(width);
      info.height = static_cast<int>(height);
      info.bitDepth = h[8];
      info.colorType = h[9];
      if (!validHeader(info, h[10], h[11], h[12])) return "the header chunk is damaged";
      static constexpr int kChannels[] = {1, 0, 3, 1, 2, 0, 4};
      info.channels = kChannels[info.colorType];
      info.interlaced = h[12] == 1;
      info.rowBytes = (static_cast<std::size_t>(width) * static_cast<std::size_t>(info.channels * info.bitDepth) + 7) / 8;
      headerSeen = true;
      continue;
    }
    PngText text;
    if (!parseText(type, data, text))
      return "the " + std::string(type) + " chunk is " +
             (text.text.size() >= kMaxPngTextBytes ? "larger than 4 MiB when inflated" : "damaged");
    textBytes += length + text.text.size();
    info.texts.push_back(std::move(text));
  }
}

}  // namespace orlenza::media
