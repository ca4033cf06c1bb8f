#pragma once
// What the renderer reads from a file's name: one rule for every command.

#include <cctype>
#include <filesystem>
#include <string>

namespace orlenza::cli {

// The text after the last '.' of the file name, in lower case ("png" for
// "Dawn.PNG" and for ".png"); empty without a dot.
inline std::string extensionOf(std::filesystem::path const& path) {
  std::string const name = path.filename().string();
  std::size_t const dot = name.rfind('.');
  if (dot == std::string::npos) return {};
  std::string extension = name.substr(dot + 1);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

// Standard output for "-", the path itself otherwise.
inline std::filesystem::path outputPath(std::string const& given) {
  return given == "-" ? std::filesystem::path("/dev/stdout") : std::filesystem::path(given);
}

// Whether writing output would overwrite input (the same file, links followed).
inline bool sameFile(std::filesystem::path const& output, std::filesystem::path const& input) {
  std::error_code error;
  bool const same = std::filesystem::equivalent(output, input, error);
  return !error && same;
}

}  // namespace orlenza::cli
