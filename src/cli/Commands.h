#pragma once
// The renderer's commands, apart from the parsing of the command line: each
// takes checked options and answers the process exit code. Failures a user can
// cause are thrown as CliError with one sentence and the exit code.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

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

// Where the snapshot to render or print comes from.
struct SnapshotChoice {
  enum class Kind { Default, Random };
  Kind kind = Kind::Default;
  std::string generator;
  std::optional<std::uint32_t> seed;  // Random only; drawn from std::random_device when absent
};

struct RenderOptions {
  SnapshotChoice source;
  int width = 256;
  int height = 256;
  int depth = 8;
  bool autoNorm = false;
  std::filesystem::path output;
};

int renderPicture(RenderOptions const& options);
int listGenerators();
// A complete one-record snapshot file on stdout, or into output when given.
int printSnapshot(SnapshotChoice const& source, std::optional<std::filesystem::path> const& output);

}  // namespace orlenza::cli
