#pragma once
// What a movie is made of besides its keyframes: the frame size, how many
// steps between the first and the last frame, the frame rate and the codec.

#include <optional>
#include <string>

namespace orlenza {

struct MovieSettings {
  static constexpr int kTimeScale = 600;  // units per second of the movie's clock
  static constexpr int kMaxSide = 2048;   // the raw field's limit
  static constexpr int kMaxFrameCount = 1000000;

  int width = 256;
  int height = 256;
  int frameCount = 10;  // N: frames at t = 0, 1/N, ..., 1, so N + 1 of them
  int framesPerSecond = 24;
  int codecIndex = 1;  // 1 is H.264, any other value the lossless animation codec

  // How long each frame stands, in units of 1/600 s (integer division: 24 fps gives 25, 7 gives 85).
  int sampleDuration() const { return kTimeScale / framesPerSecond; }
  bool usesH264() const { return codecIndex == 1; }

  // Why these settings cannot be rendered, as one sentence; nothing when they can.
  std::optional<std::string> problem() const;
};

}  // namespace orlenza
