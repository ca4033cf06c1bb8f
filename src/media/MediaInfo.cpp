#include "media/MediaInfo.h"

#include <png.h>

#include "media/MovieModule.h"

namespace orlenza::media {

std::string libraryVersions() { return std::string("libpng ") + PNG_LIBPNG_VER_STRING + ", " + movieLibraryVersions(); }

}  // namespace orlenza::media
