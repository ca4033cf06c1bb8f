#include "core/animation/MovieSettings.h"

namespace orlenza {

std::optional<std::string> MovieSettings::problem() const {
  if (width < 1 || width > kMaxSide || height < 1 || height > kMaxSide)
    return "the movie size must be between 1x1 and 2048x2048, not " + std::to_string(width) + "x" +
           std::to_string(height);
  if (frameCount < 1 || frameCount > kMaxFrameCount)
    return "the frame count must be between 1 and " + std::to_string(kMaxFrameCount) + ", not " +
           std::to_string(frameCount);
  // Above 600 fps a frame would last less than one unit of the movie's clock.
  if (framesPerSecond < 1 || framesPerSecond > kTimeScale)
    return "the frame rate must be between 1 and 600 frames per second, not " + std::to_string(framesPerSecond);
  return std::nullopt;
}

}  // namespace orlenza
