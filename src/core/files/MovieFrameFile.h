#pragma once
// The keyframes of an animation timeline: one keyframe per line.

#include <cstddef>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/FullKeyframe.h"
#include "core/files/GenericFile.h"

namespace orlenza {

// Something about the keyframes as read that the timeline cannot take as it is.
struct KeyframeProblem {
  enum class Kind {
    outsideAxis,   // the position was outside 0..1 (it reads as the invalid position)
    samePosition,  // an earlier keyframe has the same position
    noSnapshot,    // a record without a snapshot (only a caller can make one)
  };
  Kind kind;
  std::size_t index;         // 0-based, in file order
  std::size_t earlierIndex;  // for samePosition: the first keyframe at that position
  KeyframePosition position;

  friend bool operator==(KeyframeProblem const&, KeyframeProblem const&) = default;
};

// Every problem, in file order: "keyframe 3 is at 0.5, like keyframe 1".
std::vector<KeyframeProblem> findKeyframeProblems(std::vector<std::shared_ptr<FullKeyframe>> const& keyframes);
// One sentence for the user, indices 0-based as the renderer counts them.
std::string describeKeyframeProblem(KeyframeProblem const& problem);

class MovieFrameFile : public GenericFile<FullKeyframe> {
 public:
  static constexpr std::string_view k_extension = "msnaps";
  static constexpr std::string_view k_kindName = "movie keyframe file";
  static constexpr std::string_view k_newFileTitleKey = "NewMovieWindowTitle";
  static constexpr int k_currentVersion = 3;
  static constexpr int k_maxRecordLength = 1000;

  // The null file.
  MovieFrameFile() : GenericFile(k_currentVersion, k_maxRecordLength) {}
  // Opens an existing file and reads it; callers test isOpen(). Every record
  // is kept as read, duplicate positions and positions outside 0..1 included:
  // the keyframe container decides what to do with them.
  MovieFrameFile(std::filesystem::path const& path, AlertSink& alerts);
  MovieFrameFile(MovieFrameFile&&) noexcept = default;
  MovieFrameFile& operator=(MovieFrameFile&&) noexcept = default;

  // An empty, writable file for path; created on disk by its first write holding a record.
  static MovieFrameFile createNew(std::filesystem::path const& path);
  // The records of a file held in memory, read-only, with no path.
  static MovieFrameFile fromContents(std::string_view contents, AlertSink& alerts);
  static std::string formatContents(Records const& records) { return formatRecords(records, k_currentVersion); }

  std::vector<KeyframeProblem> findKeyframeProblems() const { return orlenza::findKeyframeProblems(records()); }

 protected:
  // A keyframe whose snapshot is parsed with the file's version.
  std::shared_ptr<FullKeyframe> readRecord(int version, std::stringstream& line) override;
};

}  // namespace orlenza
