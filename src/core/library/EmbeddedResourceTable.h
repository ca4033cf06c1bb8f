#pragma once
// The table of embedded resource files that the build generates; only
// EmbeddedResources.cpp reads it.

#include <cstddef>
#include <span>
#include <string_view>

namespace orlenza::embedded {

struct Entry {
  std::string_view path;  // relative to resources/, with "/" between folders
  unsigned char const* bytes;
  std::size_t size;
};

// Sorted by path.
std::span<Entry const> table();

}  // namespace orlenza::embedded
