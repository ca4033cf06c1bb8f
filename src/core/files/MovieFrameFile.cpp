#include "core/files/MovieFrameFile.h"

#include <map>

#include "core/base/TextIO.h"

namespace orlenza {

std::vector<KeyframeProblem> findKeyframeProblems(std::vector<std::shared_ptr<FullKeyframe>> const& keyframes) {
  std::vector<KeyframeProblem> problems;
  std::map<KeyframePosition, std::size_t> firstAt;
  for (std::size_t i = 0; i < keyframes.size(); ++i) {
    FullKeyframe const* keyframe = keyframes[i].get();
    if (keyframe == nullptr || !keyframe->getSnapshot()) {
      problems.push_back({KeyframeProblem::Kind::noSnapshot, i, i, KeyframePosition()});
      continue;
    }
    KeyframePosition const position = keyframe->getPosition();
    if (!position.isValid()) {
      problems.push_back({KeyframeProblem::Kind::outsideAxis, i, i, position});
      continue;
    }
    auto const [found, inserted] = firstAt.emplace(position, i);
    if (!inserted) problems.push_back({KeyframeProblem::Kind::samePosition, i, found->second, position});
  }
  return problems;
}

std::string describeKeyframeProblem(KeyframeProblem const& problem) {
  std::string const keyframe = "keyframe " + std::to_string(problem.index);
  switch (problem.kind) {
    case KeyframeProblem::Kind::outsideAxis:
      return keyframe + " lies outside 0..1";
    case KeyframeProblem::Kind::samePosition:
      return keyframe + " is at " + text::formatDouble(problem.position.getSteps() / 10000.0) + ", like keyframe " +
             std::to_string(problem.earlierIndex);
    case KeyframeProblem::Kind::noSnapshot:
      return keyframe + " has no snapshot";
  }
  return keyframe;
}

MovieFrameFile::MovieFrameFile(std::filesystem::path const& path, AlertSink& alerts) : MovieFrameFile() {
  openExisting(path, alerts);
}

MovieFrameFile MovieFrameFile::createNew(std::filesystem::path const& path) {
  MovieFrameFile file;
  file.openNew(path);
  return file;
}

MovieFrameFile MovieFrameFile::fromContents(std::string_view contents, AlertSink& alerts) {
  MovieFrameFile file;
  file.openContents(contents, alerts);
  return file;
}

std::shared_ptr<FullKeyframe> MovieFrameFile::readRecord(int version, std::stringstream& line) {
  auto keyframe = std::make_shared<FullKeyframe>(version);
  line >> *keyframe;
  return keyframe;
}

}  // namespace orlenza
