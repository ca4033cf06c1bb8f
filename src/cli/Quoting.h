#pragma once
// A file name or value inside single quotes, as the renderer's messages show them.

#include <filesystem>
#include <string>
#include <string_view>

namespace orlenza::cli {

// Appended piece by piece: GCC 12 wrongly warns about "'" + text + "'".
inline std::string inQuotes(std::string_view text) {
  std::string result;
  result.reserve(text.size() + 2);
  result += '\'';
  result.append(text);
  result += '\'';
  return result;
}

inline std::string inQuotes(std::string const& text) { return inQuotes(std::string_view(text)); }
inline std::string inQuotes(char const* text) { return inQuotes(std::string_view(text)); }
inline std::string inQuotes(std::filesystem::path const& path) { return inQuotes(std::string_view(path.string())); }

}  // namespace orlenza::cli
