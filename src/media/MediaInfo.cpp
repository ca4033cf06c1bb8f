#include "media/MediaInfo.h"

extern "C" {
#include <libavutil/avutil.h>
}
#include <png.h>

namespace orlenza::media {

std::string libraryVersions() { return std::string("libpng ") + PNG_LIBPNG_VER_STRING + ", FFmpeg " + av_version_info(); }

}  // namespace orlenza::media
