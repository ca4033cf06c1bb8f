#include "core/animation/MovieFrames.h"

#include <algorithm>
#include <chrono>

#include "core/animation/KeyframeContainer.h"
#include "core/base/RemainingTimeText.h"
#include "core/engine/ComputationNotifier.h"
#include "core/engine/PictureRendering.h"
#include "core/engine/RawImage.h"
#include "core/model/Snapshot.h"

namespace orlenza {

std::optional<MissingKeyframeAlert> checkMovieKeyframes(KeyframeContainer const& keyframes) {
  if (keyframes.size() > 1 && keyframes.containsKeyframeAt(0) && keyframes.containsKeyframeAt(1))
    return std::nullopt;
  return MissingKeyframeAlert{};
}

namespace {

// No progress inside a frame (the frame count is the progress), but the
// movie's cancel reaches into it: one frame may take minutes.
class FrameNotifier final : public ComputationNotifier {
 public:
  explicit FrameNotifier(MovieProgress const& progress) : m_progress(progress) {}
  void initialize(long) override {}
  void iterate() override {}
  bool areWeCanceled() const override { return m_progress.isCanceled(); }

 private:
  MovieProgress const& m_progress;
};

}  // namespace

MovieFramesResult renderMovieFrames(KeyframeContainer const& keyframes, MovieSettings const& settings,
                                    FrameRange range, FrameSink& sink, MovieProgress& progress, baseRawImage& raw) {
  MovieFramesResult result;
  int const n = settings.frameCount;
  int const first = std::clamp(range.first, 0, n);
  int const last = std::clamp(range.last, first, n);
  raw.setSize(settings.width, settings.height);

  auto const start = std::chrono::steady_clock::now();
  for (int i = first; i <= last; ++i) {
    MovieFrame frame;
    frame.index = i;
    frame.time = static_cast<float>(i) / static_cast<float>(n);
    frame.snapshot = keyframes.getSnapshot(frame.time);
    if (!frame.snapshot) break;
    frame.recomputed = i == first || !raw.getSnapshot() || !frame.snapshot->isComputationallyEqual(*raw.getSnapshot());
    raw.setSnapshot(frame.snapshot);
    if (frame.recomputed) {
      FrameNotifier notifier(progress);
      raw.computeRawImage(notifier);
      // A frame cut short is not part of the movie; the frames before it are.
      if (progress.isCanceled()) {
        raw.setSnapshot(nullptr);
        result.canceled = true;
        break;
      }
    }
    frame.image = colourToImage(raw.getField(), frame.snapshot->getCore());
    sink.addFrame(std::move(frame));
    ++result.framesMade;

    if (progress.isCanceled()) {
      result.canceled = i < last;
      break;
    }
    double const elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    progress.frameFinished(i, last, estimateRemainingSeconds(elapsed, i - first, last - first));
  }
  return result;
}

MovieFramesResult renderMovieFrames(KeyframeContainer const& keyframes, MovieSettings const& settings,
                                    FrameRange range, FrameSink& sink, MovieProgress& progress) {
  baseRawImage raw(nullptr);
  return renderMovieFrames(keyframes, settings, range, sink, progress, raw);
}

}  // namespace orlenza
