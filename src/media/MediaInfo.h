#pragma once
// Versions of the media libraries we were built with, for --version.

#include <string>

namespace orlenza::media {

std::string libraryVersions();

}  // namespace orlenza::media
