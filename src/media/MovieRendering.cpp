#include "media/MovieRendering.h"

#include <memory>
#include <utility>

#include "core/animation/PipelinedFrameSink.h"
#include "media/MovieModule.h"

namespace orlenza::media {

namespace {

class ObservedSink : public FrameSink {
 public:
  ObservedSink(FrameSink& inner, FrameObserver const& observer) : m_inner(inner), m_observer(observer) {}
  void addFrame(MovieFrame&& frame) override {
    if (m_observer) m_observer(frame);
    m_inner.addFrame(std::move(frame));
  }

 private:
  FrameSink& m_inner;
  FrameObserver const& m_observer;
};

}  // namespace

MovieFramesResult writeMovie(KeyframeContainer const& timeline, MovieSettings const& settings, FrameRange range,
                             std::filesystem::path const& target, MovieProgress& progress,
                             FrameObserver const& observer) {
  std::unique_ptr<MovieFileSink> const movie = openMovieFile(target, settings);
  MovieFramesResult result;
  {
    PipelinedFrameSink pipe(*movie);
    ObservedSink observed(pipe, observer);
    result = renderMovieFrames(timeline, settings, range, observed, progress);
    pipe.finish();
  }
  // A movie without a frame is no movie: the writer then leaves nothing behind.
  if (result.framesMade > 0) movie->finish();
  return result;
}

}  // namespace orlenza::media
