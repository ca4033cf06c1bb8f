#pragma once
// A collection of saved pictures: one snapshot record per line.

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>

#include "core/files/GenericFile.h"
#include "core/model/Snapshot.h"

namespace orlenza {

class SnapshotFile : public GenericFile<Snapshot> {
 public:
  static constexpr std::string_view k_extension = "snaps";
  static constexpr std::string_view k_kindName = "snapshot file";
  static constexpr std::string_view k_newFileTitleKey = "NewSnapshotWindowTitle";
  static constexpr int k_currentVersion = 3;
  static constexpr int k_maxRecordLength = 1000;

  // The null file.
  SnapshotFile() : GenericFile(k_currentVersion, k_maxRecordLength) {}
  // Opens an existing file and reads it; callers test isOpen().
  SnapshotFile(std::filesystem::path const& path, AlertSink& alerts);
  SnapshotFile(SnapshotFile&&) noexcept = default;
  SnapshotFile& operator=(SnapshotFile&&) noexcept = default;

  // An empty, writable file for path, as the save dialog gives it; nothing is
  // created on disk until it is written holding a record.
  static SnapshotFile createNew(std::filesystem::path const& path);
  // The records of a file held in memory (the built-in ones), read-only, with no path.
  static SnapshotFile fromContents(std::string_view contents, AlertSink& alerts);
  // The bytes of a file holding records.
  static std::string formatContents(Records const& records) { return formatRecords(records, k_currentVersion); }

  // Gives the snapshot at index a new name and marks the file modified.
  // Throws std::out_of_range for a bad index; answers false, changing
  // nothing, for a read-only file.
  bool renameSnap(int index, std::string const& name);

 protected:
  // The generator identifier, a snapshot of that kind from the factory with
  // the file's version, then the rest of the record.
  std::shared_ptr<Snapshot> readRecord(int version, std::stringstream& line) override;
};

}  // namespace orlenza
