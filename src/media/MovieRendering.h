#pragma once
// A timeline made into a movie file, the same way by the renderer and by the
// studio: frames computed on the calling thread and compressed on a second one.

#include <filesystem>
#include <functional>

#include "core/animation/MovieFrames.h"
#include "core/animation/MovieSettings.h"

namespace orlenza {
class KeyframeContainer;
}

namespace orlenza::media {

// Sees each frame on the computing thread before it goes to the encoder.
using FrameObserver = std::function<void(MovieFrame const&)>;

// Frames range of the timeline into a movie at target. A cancel finishes the
// movie with the frames made so far; a failure is a FileWriteError and leaves
// no file behind. Settings must have no problem(); the timeline must be able
// to make a movie (checkMovieKeyframes).
MovieFramesResult writeMovie(KeyframeContainer const& timeline, MovieSettings const& settings, FrameRange range,
                             std::filesystem::path const& target, MovieProgress& progress,
                             FrameObserver const& observer = {});

}  // namespace orlenza::media
