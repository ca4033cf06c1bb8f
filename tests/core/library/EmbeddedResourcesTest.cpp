#include "core/library/EmbeddedResources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace orlenza {
namespace {

namespace fs = std::filesystem;

fs::path const k_resourceDir = ORLENZA_RESOURCE_DIR;

std::string fileBytes(fs::path const& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> filesOnDisk(std::string const& folder, std::string const& extension) {
  std::vector<std::string> names;
  std::error_code error;
  for (auto const& entry : fs::directory_iterator(k_resourceDir / folder, error))
    if (entry.is_regular_file() && entry.path().extension() == extension)
      names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Every resource file the core carries is there, byte for byte.
TEST(EmbeddedResources, MatchTheFilesUnderResources) {
  struct Folder {
    char const* name;
    char const* extension;
  };
  for (auto const& folder : {Folder{"snaps", ".snaps"}, Folder{"grads", ".grads"}, Folder{"examples", ".png"}}) {
    auto const names = filesOnDisk(folder.name, folder.extension);
    EXPECT_EQ(listEmbeddedResources(folder.name), names) << folder.name;
    EXPECT_EQ(listEmbeddedResources(std::string(folder.name) + "/"), names) << folder.name;
    for (auto const& name : names) {
      auto const path = std::string(folder.name) + "/" + name;
      auto const bytes = findEmbeddedResource(path);
      ASSERT_TRUE(bytes.has_value()) << path;
      EXPECT_EQ(std::string(*bytes), fileBytes(k_resourceDir / path)) << path;
    }
  }
}

TEST(EmbeddedResources, PathsMustMatchExactly) {
  for (char const* path : {"", "examples", "examples/", "/examples/BasinEx.png", "examples/BasinEx.png/",
                           "examples//BasinEx.png", "examples/../examples/BasinEx.png", "Examples/BasinEx.png",
                           "examples/BasinEx", "examples/BasinEx.pngx", "BasinEx.png"})
    EXPECT_FALSE(findEmbeddedResource(path).has_value()) << "'" << path << "'";
  EXPECT_EQ(findEmbeddedResource(std::string_view("examples/BasinEx.png\0", 21)), std::nullopt);
  // A listing names only the folder itself.
  EXPECT_TRUE(listEmbeddedResources("").empty());  // nothing lies at the top
  EXPECT_TRUE(listEmbeddedResources("no-such-folder").empty());
  EXPECT_TRUE(listEmbeddedResources("exam").empty());  // a prefix of a folder name is no folder
  EXPECT_TRUE(listEmbeddedResources("examples/BasinEx.png").empty());
}

}  // namespace
}  // namespace orlenza
