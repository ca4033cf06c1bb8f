#pragma once
// Writes a changed snapshot or gradation file at once, and tells the user when
// the file changed under the program: moved or deleted (written again at its
// place), made read-only (not written), or not writable at all. The records in
// memory stay in every case.

#include <filesystem>

#include "core/base/PlatformError.h"
#include "core/files/AlertSink.h"
#include "core/files/GenericFile.h"

namespace orlenza {

enum class SaveOutcome { unchanged, written, writtenAgain, nowReadOnly, failed };

namespace recordfile {
// The file at path exists and no longer takes writes (no write permission
// bit, or it does not open for writing).
bool becameReadOnly(std::filesystem::path const& path);
bool exists(std::filesystem::path const& path);
}  // namespace recordfile

template <typename T>
SaveOutcome saveChanges(GenericFile<T>& file, AlertSink& alerts) {
  if (!file.isOpen() || file.isReadOnly() || !file.isModified()) return SaveOutcome::unchanged;
  bool const gone = file.isOnDisk() && !recordfile::exists(file.getPath());
  if (!gone && recordfile::becameReadOnly(file.getPath())) {
    alerts.showAlert("FileNowReadOnlyMain", "FileNowReadOnlyExplain");
    return SaveOutcome::nowReadOnly;
  }
  try {
    file.write();
  } catch (FileWriteError const&) {
    alerts.showAlert("CannotSaveFileMain", "CannotSaveFileExplain");
    return SaveOutcome::failed;
  }
  if (!gone) return SaveOutcome::written;
  alerts.showAlert("FileGoneMain", "FileGoneExplain");
  return SaveOutcome::writtenAgain;
}

// Before a file is closed: its changes are saved, and a file that refuses
// them is not written behind the user's back when it is destroyed.
template <typename T>
void saveBeforeClosing(GenericFile<T>& file, AlertSink& alerts) {
  if (saveChanges(file, alerts) == SaveOutcome::nowReadOnly) file.setModified(false);
}

}  // namespace orlenza
