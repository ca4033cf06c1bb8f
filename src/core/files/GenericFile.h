#pragma once
// The container of the snapshot, gradation and keyframe files: a header line
// "Qvtx <version>", then one record per line in the record type's text form.
// The records are loaded whole when a file is opened and written back whole,
// atomically, by write() or, as a fallback, when a changed file is destroyed.
//
// Callers (browsers, controllers) add, replace, rename and remove records in
// records() directly and call setModified(); they leave read-only files alone.

#include <cstddef>
#include <exception>
#include <filesystem>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/base/AtomicFile.h"
#include "core/base/PlatformError.h"
#include "core/files/AlertSink.h"

namespace orlenza {

inline constexpr std::string_view k_recordFileTag = "Qvtx";
// Larger files are refused without being read; no collection of pictures comes near it.
inline constexpr std::size_t k_maxRecordFileSize = std::size_t{64} << 20;

// How reading a file ended.
enum class RecordFileStatus {
  complete,       // every record read (an empty file too)
  notOpen,        // the file could not be opened, or this is the null file
  tooLarge,       // above k_maxRecordFileSize: nothing read
  invalidHeader,  // the first line does not begin with "Qvtx"
  laterVersion,   // the version is below 1 (or missing) or above the reader's
  invalidRecord,  // a record line could not be read; the records before it are kept
};

// The parts of the container that do not depend on the record type.
namespace recordfile {

struct LoadedFile {
  bool open = false;      // a regular file, opened for reading
  bool writable = false;  // it opens read-write and its folder takes the temporary of a rewrite
  bool tooLarge = false;  // above the size limit; bytes stay empty
  std::string bytes;
  std::string failure;    // why the file is not open ("No such file or directory")
};
// Never opens anything but a regular file (a FIFO or a device could block or never end).
LoadedFile load(std::filesystem::path const& path);

// Makes an empty file at path unless one is there; empty when that worked (or
// a file was there), else the reason it did not.
std::string createEmpty(std::filesystem::path const& path);

// The lines of a text one by one, split at LF, each whole, a trailing CR dropped.
class LineSplitter {
 public:
  explicit LineSplitter(std::string_view text) : m_rest(text) {}
  bool next(std::string_view& line);
  std::size_t lineNumber() const { return m_lineNumber; }  // 1-based, of the last line given

 private:
  std::string_view m_rest;
  std::size_t m_lineNumber = 0;
  bool m_done = false;
};

// Only blanks, tabs and other ASCII white space: such a line separates records.
bool isBlank(std::string_view line);

enum class HeaderCheck { ok, invalid, laterVersion };
// version receives the header's number, 0 when it has none that reads.
HeaderCheck checkHeader(std::string_view line, int currentVersion, int& version);

// "Qvtx <version>\n".
std::string header(int version);

}  // namespace recordfile

template <typename T>
class GenericFile {
 public:
  using Record = T;
  using Records = std::vector<std::shared_ptr<T>>;

  // Thrown by a record reader on a record it cannot parse.
  class Exception : public std::exception {
   public:
    char const* what() const noexcept override { return "Invalid record"; }
  };

  // A changed file is written as a last resort; failures go to stderr.
  virtual ~GenericFile() { closeFile(); }

  GenericFile(GenericFile const&) = delete;
  GenericFile& operator=(GenericFile const&) = delete;

  bool isOpen() const { return m_open; }
  bool isReadOnly() const { return m_readOnly; }
  bool isModified() const { return m_modified; }
  // The file exists on disk as far as this object knows: read from there, or written once.
  bool isOnDisk() const { return m_onDisk; }
  void setModified(bool modified = true) { m_modified = modified; }
  // Empty for the null file and for files read from memory.
  std::filesystem::path const& getPath() const { return m_path; }

  Records& records() { return m_records; }
  Records const& records() const { return m_records; }

  // The line limit the format declares. Lines of any length are read whole.
  int getMaxRecordLength() const { return m_maxRecordLength; }
  int getCurrentVersion() const { return m_currentVersion; }
  // The version named by the header that was read, 0 when none was.
  int getFileVersion() const { return m_fileVersion; }
  RecordFileStatus getStatus() const { return m_status; }
  // The 1-based line of a rejected header or record, 0 when none was rejected.
  std::size_t getFailedLine() const { return m_failedLine; }
  // Why the file is not open, for messages ("Permission denied").
  std::string const& getOpenFailure() const { return m_openFailure; }

  // Rewrites the whole file atomically in the current version and clears the
  // modified flag. A new file that has never held a record stays empty.
  // Throws FileWriteError when the file is not open or read-only, when a
  // record is missing or the whole is too large to be read back, and when the
  // system refuses; the file on disk, the records and the flags stay as they were.
  void write() {
    if (!m_open) throw FileWriteError(m_path, m_path.empty() ? "the file has no place on disk" : "the file is not open");
    if (m_readOnly) throw FileWriteError(m_path, "the file is open read-only");
    if (!m_onDisk && m_records.empty()) return;
    std::string contents;
    try {
      contents = formatRecords(m_records, m_currentVersion);
    } catch (std::logic_error const& e) {
      throw FileWriteError(m_path, e.what());
    }
    writeFileAtomically(m_path, [&contents](std::ostream& os) { os.write(contents.data(), static_cast<std::streamsize>(contents.size())); });
    m_onDisk = true;
    m_modified = false;
  }

  // The bytes write() would put on disk. Throws std::invalid_argument for a
  // missing record, std::length_error above the size limit.
  std::string contents() const { return formatRecords(m_records, m_currentVersion); }

 protected:
  // The null file: not open, no records, not modified, read-only.
  GenericFile(int currentVersion, int maxRecordLength)
      : m_currentVersion(currentVersion), m_maxRecordLength(maxRecordLength) {}

  GenericFile(GenericFile&& other) noexcept { takeOver(other); }
  // The file given up is closed first, so a change of it is written.
  GenericFile& operator=(GenericFile&& other) noexcept {
    if (this != &other) {
      closeFile();
      takeOver(other);
    }
    return *this;
  }

  // Parses one record from its line. Answers the record, or throws (Exception,
  // or any std::exception), or leaves the stream failed when the line is bad.
  virtual std::shared_ptr<T> readRecord(int version, std::stringstream& line) = 0;

  // For the constructors of the concrete files, which call these in their
  // bodies, so that readRecord reaches the concrete reader.
  void openExisting(std::filesystem::path const& path, AlertSink& alerts) {
    m_path = path;
    recordfile::LoadedFile loaded = recordfile::load(path);
    if (!loaded.open) {
      m_openFailure = std::move(loaded.failure);
      return;
    }
    m_open = true;
    m_onDisk = true;
    m_readOnly = !loaded.writable;
    if (m_readOnly) alerts.showAlert("ReadOnlyFileMain", "ReadOnlyFileExplain");
    if (loaded.tooLarge) {
      reject(RecordFileStatus::tooLarge, 0, alerts);
      return;
    }
    readContents(loaded.bytes, alerts);
  }

  // A new, empty, writable file, made on disk at once with zero bytes (as the
  // save dialog makes it); an existing file is left as it is until written.
  void openNew(std::filesystem::path const& path) {
    m_path = path;
    m_openFailure = recordfile::createEmpty(path);
    if (!m_openFailure.empty()) return;
    m_open = true;
    m_readOnly = false;
    m_status = RecordFileStatus::complete;
  }

  // A read-only file with no path, holding the records of contents.
  void openContents(std::string_view contents, AlertSink& alerts) {
    m_open = true;
    m_readOnly = true;
    readContents(contents, alerts);
  }

  static std::string formatRecords(Records const& records, int version) {
    std::string out = recordfile::header(version);
    for (std::size_t i = 0; i < records.size(); ++i) {
      if (!records[i]) throw std::invalid_argument("record " + std::to_string(i) + " is missing");
      std::ostringstream line;
      line.precision(12);
      line << *records[i] << '\n';
      if (!line) throw std::invalid_argument("record " + std::to_string(i) + " cannot be written");
      std::string_view const text = line.view();
      if (text.size() > k_maxRecordFileSize - out.size())
        throw std::length_error("the collection is larger than 64 MiB, more than can be read back");
      out += text;
    }
    return out;
  }

 private:
  void readContents(std::string_view contents, AlertSink& alerts) {
    m_records.clear();
    m_fileVersion = 0;
    m_failedLine = 0;
    m_status = RecordFileStatus::complete;
    if (contents.size() > k_maxRecordFileSize) {
      reject(RecordFileStatus::tooLarge, 0, alerts);
      return;
    }
    recordfile::LineSplitter lines(contents);
    bool headerSeen = false;
    std::string_view line;
    while (lines.next(line)) {
      if (recordfile::isBlank(line)) continue;
      if (!headerSeen) {
        headerSeen = true;
        switch (recordfile::checkHeader(line, m_currentVersion, m_fileVersion)) {
          case recordfile::HeaderCheck::ok:
            continue;
          case recordfile::HeaderCheck::invalid:
            reject(RecordFileStatus::invalidHeader, lines.lineNumber(), alerts);
            return;
          case recordfile::HeaderCheck::laterVersion:
            reject(RecordFileStatus::laterVersion, lines.lineNumber(), alerts);
            return;
        }
      }
      std::stringstream stream(std::string(line), std::ios::in | std::ios::out);
      std::shared_ptr<T> record;
      try {
        record = readRecord(m_fileVersion, stream);
      } catch (std::exception const&) {
        record.reset();
      }
      if (!record || stream.fail()) {
        reject(RecordFileStatus::invalidRecord, lines.lineNumber(), alerts);
        return;
      }
      m_records.push_back(std::move(record));
    }
  }

  void reject(RecordFileStatus status, std::size_t line, AlertSink& alerts) {
    m_status = status;
    m_failedLine = line;
    m_readOnly = true;
    m_modified = false;
    if (status == RecordFileStatus::laterVersion)
      alerts.showAlert("LaterVersionFileMain", "LaterVersionFileExplain");
    else
      alerts.showAlert("InvalidFileMain", "InvalidFileExplain");
  }

  void closeFile() noexcept {
    if (m_open && m_modified && !m_readOnly) {
      try {
        write();
      } catch (...) {
        reportCaughtException(std::current_exception());
      }
    }
    m_modified = false;
  }

  void takeOver(GenericFile& other) noexcept {
    m_open = std::exchange(other.m_open, false);
    m_readOnly = std::exchange(other.m_readOnly, true);
    m_modified = std::exchange(other.m_modified, false);
    m_onDisk = std::exchange(other.m_onDisk, false);
    m_path = std::move(other.m_path);
    other.m_path.clear();
    m_records = std::move(other.m_records);
    other.m_records.clear();
    m_currentVersion = other.m_currentVersion;
    m_maxRecordLength = other.m_maxRecordLength;
    m_fileVersion = std::exchange(other.m_fileVersion, 0);
    m_status = std::exchange(other.m_status, RecordFileStatus::notOpen);
    m_failedLine = std::exchange(other.m_failedLine, 0);
    m_openFailure = std::move(other.m_openFailure);
    other.m_openFailure.clear();
  }

  bool m_open = false;
  bool m_readOnly = true;
  bool m_modified = false;
  bool m_onDisk = false;  // false for a new file until its first write
  std::filesystem::path m_path;
  Records m_records;
  int m_currentVersion;
  int m_maxRecordLength;
  int m_fileVersion = 0;
  RecordFileStatus m_status = RecordFileStatus::notOpen;
  std::size_t m_failedLine = 0;
  std::string m_openFailure;
};

// Whether two paths name the same file on disk; false when either does not exist.
bool referToSameFile(std::filesystem::path const& a, std::filesystem::path const& b);

// Whether the text after the last "." of name is exactly extension (case-sensitive).
bool hasExtension(std::string_view name, std::string_view extension);

}  // namespace orlenza
