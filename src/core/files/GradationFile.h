#pragma once
// A collection of saved colour maps: one gradation per line.

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>

#include "core/files/GenericFile.h"
#include "core/model/Gradation.h"

namespace orlenza {

class GradationFile : public GenericFile<Gradation> {
 public:
  static constexpr std::string_view k_extension = "grads";
  static constexpr std::string_view k_kindName = "gradation file";
  static constexpr std::string_view k_newFileTitleKey = "NewGradationWindowTitle";
  static constexpr int k_currentVersion = 1;
  static constexpr int k_maxRecordLength = 1000;

  // The null file.
  GradationFile() : GenericFile(k_currentVersion, k_maxRecordLength) {}
  // Opens an existing file and reads it; callers test isOpen().
  GradationFile(std::filesystem::path const& path, AlertSink& alerts);
  GradationFile(GradationFile&&) noexcept = default;
  GradationFile& operator=(GradationFile&&) noexcept = default;

  // An empty, writable file for path; created on disk by its first write holding a record.
  static GradationFile createNew(std::filesystem::path const& path);
  // The records of a file held in memory (the built-in ones), read-only, with no path.
  static GradationFile fromContents(std::string_view contents, AlertSink& alerts);
  static std::string formatContents(Records const& records) { return formatRecords(records, k_currentVersion); }

 protected:
  // The text form read over a default black-to-white gradation. Every version
  // reads alike. A line whose tokens do not parse fails the stream, and with it the file.
  std::shared_ptr<Gradation> readRecord(int version, std::stringstream& line) override;
};

}  // namespace orlenza
