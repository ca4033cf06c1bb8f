#pragma once
// Movies are written by a module of their own (liborlenza_movie.so), the one
// binary that links the codec libraries. It is loaded the first time a movie
// is made, so rendering pictures, reading files and listing never load them.

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "core/animation/MovieFrames.h"
#include "core/animation/MovieSettings.h"

namespace orlenza::media {

// A movie file being written; see MovieWriter for the rules.
class MovieFileSink : public FrameSink {
 public:
  // Drains the encoder, completes the file and moves it into place.
  virtual void finish() = 0;
  virtual int framesWritten() const = 0;
};

// The module could not be found or loaded: the sentence says which file and why.
class MovieModuleError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A writer of the module (throws MovieModuleError, or FileWriteError from the writer).
std::unique_ptr<MovieFileSink> openMovieFile(std::filesystem::path const& target, MovieSettings const& settings);

// Removes the temporary of a movie still being written, if the module is loaded.
// Async-signal-safe, for the handlers that end the program.
void removeMovieTemporaryFiles() noexcept;

// "FFmpeg 5.1.x" from the module, or a sentence saying it is missing.
std::string movieLibraryVersions();

// What the module exports under kMovieModuleEntry (C linkage, so the name is plain).
struct MovieModuleInterface {
  int version;  // kMovieModuleVersion
  MovieFileSink* (*open)(std::filesystem::path const& target, MovieSettings const& settings);
  char const* (*libraryVersions)();
  // The module keeps its own list of temporaries in the making; async-signal-safe.
  void (*removeTemporaryFiles)() noexcept;
};
inline constexpr int kMovieModuleVersion = 2;
inline constexpr char kMovieModuleEntry[] = "orlenza_movie_module";
inline constexpr char kMovieModuleFile[] = "liborlenza_movie.so";

}  // namespace orlenza::media
