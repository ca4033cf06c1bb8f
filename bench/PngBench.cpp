// Writing the default "EscParams" picture at 1024 x 1024 as an 8-bit PNG. The
// reference is libpng with its default settings (every filter, level 6), as the
// writer used to be; the product is writePng. Both report the file's size.

#include <benchmark/benchmark.h>
#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "core/CoreRegistration.h"
#include "core/engine/ComputationNotifier.h"
#include "core/engine/PictureRendering.h"
#include "core/model/Snapshot.h"
#include "core/panes/ParameterPane.h"
#include "core/panes/ParameterPaneFactory.h"
#include "media/PngWriter.h"

namespace orlenza {
namespace {

RgbImage16 const& defaultPicture() {
  static RgbImage16 const image = [] {
    registerCoreFamilies();
    auto const snapshot = ParameterPaneFactory::makeNewParameterPane("EscParams")->getDefaultSnapshot();
    NullComputationNotifier notifier;
    return renderSnapshot(snapshot, 1024, 1024, false, notifier)->image;
  }();
  return image;
}

std::filesystem::path benchFile() {
  return std::filesystem::temp_directory_path() / ("orlenza-png-bench-" + std::to_string(getpid()) + ".png");
}

void writeWithDefaults(std::filesystem::path const& path, RgbImage16 const& image) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, file);
  png_set_IHDR(png, info, image.width, image.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<png_byte> row(static_cast<std::size_t>(image.width) * 3);
  for (int y = 0; y < image.height; ++y) {
    std::uint16_t const* components = image.pixel(0, y);
    for (std::size_t i = 0; i < row.size(); ++i) row[i] = static_cast<png_byte>(components[i] >> 8);
    png_write_row(png, row.data());
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
}

void BM_PngReference(benchmark::State& state) {
  RgbImage16 const& image = defaultPicture();
  auto const path = benchFile();
  for (auto _ : state) writeWithDefaults(path, image);
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
  std::filesystem::remove(path);
}

void BM_PngProduct(benchmark::State& state) {
  RgbImage16 const& image = defaultPicture();
  auto const path = benchFile();
  for (auto _ : state) media::writePng(path, image);
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
  std::filesystem::remove(path);
}

BENCHMARK(BM_PngReference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngProduct)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orlenza
