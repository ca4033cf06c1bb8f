#include "core/base/StringTable.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "core/base/StringTableEntries.h"

namespace orlenza {

namespace {

std::string_view const* findEntry(std::string_view key) {
  for (auto const& entry : kStringTableEntries)
    if (entry.first == key) return &entry.second;
  return nullptr;
}

}  // namespace

std::string localized(std::string_view key) {
  if (auto const* text = findEntry(key)) return std::string(*text);
  return std::string(key);
}

bool hasLocalizedString(std::string_view key) { return findEntry(key) != nullptr; }

}  // namespace orlenza
