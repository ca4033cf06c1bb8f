#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "cli/Commands.h"
#include "cli/FileNames.h"
#include "cli/FileReading.h"
#include "cli/Quoting.h"
#include "cli/SnapshotSources.h"
#include "cli/TerminalProgress.h"
#include "core/animation/KeyframeContainer.h"
#include "core/animation/MovieFrames.h"
#include "core/animation/PipelinedFrameSink.h"
#include "core/base/AtomicFile.h"
#include "core/base/StringTable.h"
#include "core/files/AlertSink.h"
#include "core/files/MovieFrameFile.h"
#include "media/MovieModule.h"
#include "media/MovieRendering.h"
#include "media/PngWriter.h"

namespace orlenza::cli {

namespace {

// The timeline as the studio would open it: every keyframe with a valid
// position, in file order; what it has to leave out is said, not hidden.
KeyframeContainer readTimeline(std::filesystem::path const& path) {
  RecordingAlertSink alerts;  // finishReading says more
  MovieFrameFile const file(path, alerts);
  checkOpened(file, path);
  finishReading(file, path, "no movie is made from a timeline with keyframes missing");
  KeyframeContainer timeline;
  for (auto const& problem : file.findKeyframeProblems())
    std::cerr << "orlenza-render: warning: " << describeKeyframeProblem(problem) << '\n';
  for (auto const& keyframe : file.records())
    if (keyframe->getSnapshot() && keyframe->getPosition().isValid())
      timeline.addKeyframe(keyframe->getSnapshot(), keyframe->getPosition().getValue());
  if (auto const alert = checkMovieKeyframes(timeline))
    throw CliError(kExitFailure, inQuotes(path) + ": " + localized(alert->mainKey) + " " + localized(alert->explainKey));
  return timeline;
}

// Frames as the movie holds them (8 bits per component), with their snapshot
// record, so any frame can be rendered again alone.
class PngFrameSink : public FrameSink {
 public:
  explicit PngFrameSink(std::filesystem::path folder) : m_folder(std::move(folder)) {}

  void addFrame(MovieFrame&& frame) override {
    char name[32];
    std::snprintf(name, sizeof name, "frame-%05d.png", frame.index);
    media::PngWriteOptions png;
    png.texts.push_back({media::kSnapshotTextKeyword, recordText(*frame.snapshot), true, true});
    media::writePng(m_folder / name, frame.image, png);
  }

 private:
  std::filesystem::path m_folder;
};

}  // namespace

int renderMovie(MovieOptions const& options) {
  if (auto const problem = options.settings.problem()) throw CliError(kExitUsage, *problem + ".");
  int const last = options.settings.frameCount;
  FrameRange range{0, last};
  if (options.range) {
    range = {options.range->first, options.range->second};
    if (range.first < 0 || range.first > range.last || range.last > last)
      throw CliError(kExitUsage, "--range must be A:B with 0 <= A <= B <= " + std::to_string(last) +
                                     " (the frames are 0 ... the frame count), not " + std::to_string(range.first) +
                                     ":" + std::to_string(range.last) + ".");
  }
  if (!options.pngFolder && sameFile(options.output, options.keyframes))
    throw CliError(kExitUsage, "the output " + inQuotes(options.output) + " is the keyframe file; choose another name.");
  KeyframeContainer const timeline = readTimeline(options.keyframes);

  TerminalMovieProgress progress;
  progress.setFirstIndex(range.first);
  MovieFramesResult result;
  std::string written;
  try {
    if (options.pngFolder) {
      std::error_code error;
      std::filesystem::create_directories(*options.pngFolder, error);
      if (!std::filesystem::is_directory(*options.pngFolder))
        throw CliError(kExitFailure, "cannot make the folder " + inQuotes(*options.pngFolder) + ".");
      PngFrameSink pictures(*options.pngFolder);
      PipelinedFrameSink pipe(pictures);
      result = renderMovieFrames(timeline, options.settings, range, pipe, progress);
      pipe.finish();
      written = "frames " + std::to_string(range.first) + " to " + std::to_string(range.first + result.framesMade - 1) +
                " in " + inQuotes(*options.pngFolder);
    } else {
      result = media::writeMovie(timeline, options.settings, range, options.output, progress);
      written = result.framesMade > 0 ? inQuotes(options.output) + " with " + std::to_string(result.framesMade) + " frames"
                                      : "nothing (no frame was finished)";
    }
  } catch (FileWriteError const& e) {
    throw CliError(kExitFailure, e.what());
  } catch (media::MovieModuleError const& e) {
    throw CliError(kExitFailure, std::string(e.what()) + ".");
  }
  progress.finish();
  if (result.canceled) {
    std::cerr << "orlenza-render: cancelled; wrote " << written << ".\n";
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace orlenza::cli
