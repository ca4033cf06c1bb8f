#include "media/MediaInfo.h"

#include <png.h>

namespace orlenza::media {

std::string libraryVersions() { return std::string("libpng ") + PNG_LIBPNG_VER_STRING; }

}  // namespace orlenza::media
