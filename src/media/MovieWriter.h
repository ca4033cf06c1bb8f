#pragma once
// QuickTime movies from rendered frames: one video track on a clock of 600
// units per second, H.264 or the lossless animation codec.

#include <filesystem>
#include <memory>

#include "core/animation/MovieFrames.h"
#include "core/animation/MovieSettings.h"
#include "media/MovieModule.h"

namespace orlenza::media {

// Frames become samples of 600 / fps units each, in the order they arrive.
// The movie is written to a temporary file beside the target and renamed over
// it by finish(); a writer destroyed before finish() leaves no file behind.
// Every failure is a FileWriteError naming the target.
//
// H.264 is stored as 4:2:0 when both sides are even, as most players expect,
// and as 4:4:4 otherwise, so that odd sizes are kept exactly.
class MovieWriter final : public MovieFileSink {
 public:
  MovieWriter(std::filesystem::path const& target, MovieSettings const& settings);
  ~MovieWriter() override;

  MovieWriter(MovieWriter const&) = delete;
  MovieWriter& operator=(MovieWriter const&) = delete;

  // Frames must have the settings' size.
  void addFrame(MovieFrame&& frame) override;
  // Drains the encoder, completes the file and moves it into place.
  void finish() override;

  int framesWritten() const override;

 private:
  struct Encoder;
  std::unique_ptr<Encoder> m_encoder;
};

}  // namespace orlenza::media
