// The entry of the movie module: the writer and the codec libraries' versions.

#include <string>

extern "C" {
#include <libavutil/avutil.h>
}

#include "core/base/AtomicFile.h"
#include "media/MovieModule.h"
#include "media/MovieWriter.h"

namespace {

orlenza::media::MovieFileSink* openWriter(std::filesystem::path const& target,
                                          orlenza::MovieSettings const& settings) {
  return new orlenza::media::MovieWriter(target, settings);
}

char const* versions() {
  static std::string const text = std::string("FFmpeg ") + av_version_info();
  return text.c_str();
}

orlenza::media::MovieModuleInterface const kInterface{orlenza::media::kMovieModuleVersion, &openWriter, &versions,
                                                     &orlenza::removeTemporaryFiles};

}  // namespace

extern "C" __attribute__((visibility("default"))) orlenza::media::MovieModuleInterface const* orlenza_movie_module() {
  return &kInterface;
}
