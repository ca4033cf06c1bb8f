#pragma once
// The frame loop of a movie: every frame of a keyframe timeline computed (or
// only recoloured, when its raw field would not change) and handed to a sink,
// which may compress it into a movie or write it as a picture.

#include <memory>
#include <optional>
#include <string_view>

#include "core/animation/MovieSettings.h"
#include "core/engine/RgbImage16.h"

namespace orlenza {

class KeyframeContainer;
class Snapshot;
class baseRawImage;

struct MovieFrame {
  int index = 0;     // 0 ... N
  float time = 0;    // index / N in single precision
  bool recomputed = false;
  std::shared_ptr<Snapshot> snapshot;
  RgbImage16 image;  // full 16-bit colours, top row first
};

class FrameSink {
 public:
  virtual ~FrameSink() = default;
  // Throws when the frame cannot be taken; the loop then stops.
  virtual void addFrame(MovieFrame&& frame) = 0;
};

class MovieProgress {
 public:
  virtual ~MovieProgress() = default;
  // After each frame: its index, the index of the last frame to make, and the
  // estimate of seconds still to go (-1 while there is none).
  virtual void frameFinished(int index, int lastIndex, long remainingSeconds) = 0;
  // Asked during and after each frame; true ends the loop with the frames
  // made so far (a frame being computed is dropped).
  virtual bool isCanceled() const = 0;
};

// Frames first ... last (inclusive) of 0 ... N.
struct FrameRange {
  int first = 0;
  int last = 0;
};

struct MovieFramesResult {
  int framesMade = 0;
  bool canceled = false;
};

// The alert keys when the timeline cannot become a movie: it needs at least two
// keyframes, one at exactly 0 and one at exactly 1.
struct MissingKeyframeAlert {
  std::string_view mainKey = "MissingKeyframeMain";
  std::string_view explainKey = "MissingKeyframeExplain";
};
std::optional<MissingKeyframeAlert> checkMovieKeyframes(KeyframeContainer const& keyframes);

// Makes the frames of range (clamped to 0 ... N) at the settings' size. The
// first frame of the range is always computed; a later one only when its snapshot
// differs computationally from the previous frame's. raw keeps the last frame's
// field and snapshot afterwards. Settings must have no problem(); the keyframes
// must not be empty.
MovieFramesResult renderMovieFrames(KeyframeContainer const& keyframes, MovieSettings const& settings,
                                    FrameRange range, FrameSink& sink, MovieProgress& progress, baseRawImage& raw);
MovieFramesResult renderMovieFrames(KeyframeContainer const& keyframes, MovieSettings const& settings,
                                    FrameRange range, FrameSink& sink, MovieProgress& progress);

}  // namespace orlenza
