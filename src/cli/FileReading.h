#pragma once
// How the renderer reports a record file it could not read, the same for every command.

#include <filesystem>
#include <string>

#include "cli/Commands.h"
#include "cli/Quoting.h"
#include "core/files/GenericFile.h"

namespace orlenza::cli {

// Opens the file, or fails with the reason; alerts go to stderr as warnings.
template <typename File>
inline void checkOpened(File const& file, std::filesystem::path const& path) {
  if (!file.isOpen()) throw CliError(kExitFailure, "cannot read " + inQuotes(path) + ": " + file.getOpenFailure() + ".");
}

// Exit 1 with the reason when the file could not be read to its end;
// afterDamage says what became of the records before the damaged line.
template <typename File>
inline int finishReading(File const& file, std::filesystem::path const& path,
                         std::string const& afterDamage = "the records listed above are all that was read") {
  std::string const line = std::to_string(file.getFailedLine());
  switch (file.getStatus()) {
    case RecordFileStatus::complete:
      return kExitOk;
    case RecordFileStatus::notOpen:
      throw CliError(kExitFailure, "cannot read " + inQuotes(path) + ".");
    case RecordFileStatus::tooLarge:
      throw CliError(kExitFailure, inQuotes(path) + " is larger than 64 MiB and was not read.");
    case RecordFileStatus::invalidHeader:
      throw CliError(kExitFailure, inQuotes(path) + " does not begin with the header 'Qvtx <version>' (line " + line + ").");
    case RecordFileStatus::laterVersion:
      throw CliError(kExitFailure, inQuotes(path) + " has a version this program cannot read (line " + line + ").");
    case RecordFileStatus::invalidRecord:
      throw CliError(kExitFailure, "line " + line + " of " + inQuotes(path) +
                                       " cannot be read; " + afterDamage + ".");
  }
  return kExitFailure;
}

}  // namespace orlenza::cli
