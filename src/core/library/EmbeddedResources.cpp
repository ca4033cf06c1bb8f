#include "core/library/EmbeddedResources.h"

#include <algorithm>

#include "core/library/EmbeddedResourceTable.h"

namespace orlenza {

std::optional<std::string_view> findEmbeddedResource(std::string_view path) {
  auto const entries = embedded::table();
  auto const it = std::lower_bound(entries.begin(), entries.end(), path,
                                   [](embedded::Entry const& e, std::string_view p) { return e.path < p; });
  if (it == entries.end() || it->path != path) return std::nullopt;
  return std::string_view(reinterpret_cast<char const*>(it->bytes), it->size);
}

std::vector<std::string> listEmbeddedResources(std::string_view folder) {
  std::string prefix(folder);
  if (!prefix.empty() && prefix.back() != '/') prefix += '/';
  std::vector<std::string> names;
  for (auto const& entry : embedded::table()) {
    if (!entry.path.starts_with(prefix)) continue;
    auto const name = entry.path.substr(prefix.size());
    if (name.empty() || name.find('/') != std::string_view::npos) continue;
    names.emplace_back(name);
  }
  return names;
}

}  // namespace orlenza
