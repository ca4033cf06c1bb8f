#pragma once
// The renderer's commands, apart from the parsing of the command line: each
// takes checked options and answers the process exit code. Failures a user can
// cause are thrown as CliError with one sentence and the exit code.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "core/animation/MovieSettings.h"

namespace orlenza::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

class CliError : public std::runtime_error {
 public:
  CliError(int exitCode, std::string const& sentence) : std::runtime_error(sentence), m_exitCode(exitCode) {}
  int exitCode() const { return m_exitCode; }

 private:
  int m_exitCode;
};

// Where the snapshots to render or print come from.
struct SnapshotChoice {
  enum class Kind { Default, Random, File, Picture, Builtin };
  Kind kind = Kind::Default;
  std::string generator;              // Default, Random
  std::optional<std::uint32_t> seed;  // Random; drawn from std::random_device when absent
  std::filesystem::path path;         // File (.snaps), Picture (.png)
  std::optional<int> index;           // File, Builtin; record 0 when absent
  std::optional<std::string> name;    // File: the first record of that name
  bool all = false;                   // File: every record
  std::string category;               // Builtin
};

struct RenderOptions {
  SnapshotChoice source;
  // Absent: 256x256, or for a picture its own size.
  std::optional<int> width;
  std::optional<int> height;
  int depth = 8;
  bool autoNorm = false;
  // With SnapshotChoice::all, a pattern with one printf-style %d ("out-%03d.png").
  std::string output;
};

int renderPictures(RenderOptions const& options);

struct MovieOptions {
  std::filesystem::path keyframes;  // a .msnaps file
  MovieSettings settings;
  std::filesystem::path output;     // the .mov file, unless pngFolder is given
  std::optional<std::filesystem::path> pngFolder;
  std::optional<std::pair<int, int>> range;  // first and last frame, inclusive
};

// The movie of a keyframe file, or some of its frames as PNG pictures.
int renderMovie(MovieOptions const& options);
int listGenerators();
int listBuiltins();
int listGradations();
int printFileInfo(std::filesystem::path const& path);
// A complete one-record snapshot file on stdout, or into output when given;
// with append the record is added to the records output already holds.
int printSnapshot(SnapshotChoice const& source, std::optional<std::filesystem::path> const& output, bool append);

}  // namespace orlenza::cli
