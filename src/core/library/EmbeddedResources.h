#pragma once
// The files under resources/ (built-in snapshots, built-in gradations,
// example pictures), compiled into the core so that no install path is needed.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orlenza {

// The bytes of the resource at path, relative to resources/ ("snaps/Escape.snaps"),
// or nothing if there is none. The bytes live as long as the program.
std::optional<std::string_view> findEmbeddedResource(std::string_view path);

// The names of the files directly in folder ("snaps" or "snaps/"), sorted;
// an empty folder names the files at the top. Subfolders are not listed.
std::vector<std::string> listEmbeddedResources(std::string_view folder);

}  // namespace orlenza
