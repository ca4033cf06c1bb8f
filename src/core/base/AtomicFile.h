#pragma once
// Writing a file so that readers see either the old content or the whole new
// one: the bytes go to a temporary file beside the target, which replaces the
// target by a rename only once everything is on disk.

#include <cstdio>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <stdexcept>
#include <string>

namespace orlenza {

// A file could not be written. what() is one sentence for the user:
// "cannot write 'out.png': No such file or directory".
class FileWriteError : public std::runtime_error {
 public:
  FileWriteError(std::filesystem::path target, std::string const& reason, int errorNumber = 0);

  std::filesystem::path const& target() const { return m_target; }
  // The errno value behind the failure, 0 when it was not a system call.
  int errorNumber() const { return m_errorNumber; }

 private:
  std::filesystem::path m_target;
  int m_errorNumber;
};

// The low-level form, for writers that need a FILE* (libpng). The constructor
// creates the temporary file; commit() makes it the target. A writer destroyed
// without a successful commit() removes the temporary and leaves the target as it was.
// When the target is a symbolic link, the file it points to (even one that does
// not exist yet) is replaced and the link kept. A target that is no regular
// file (a device, a FIFO, /dev/stdout or /dev/fd/N) is written to directly:
// there is nothing to replace, and commit() only flushes it.
class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(std::filesystem::path target);  // throws FileWriteError
  ~AtomicFileWriter();

  AtomicFileWriter(AtomicFileWriter const&) = delete;
  AtomicFileWriter& operator=(AtomicFileWriter const&) = delete;

  // The open stream on the temporary file; null after commit() or discard().
  std::FILE* file() const { return m_file; }
  std::filesystem::path const& target() const { return m_target; }
  std::filesystem::path const& temporaryPath() const { return m_temporary; }

  // Flushes, syncs to disk, closes and renames over the target. On failure the
  // temporary is removed and FileWriteError thrown; the target is untouched.
  void commit();

  // Drops what was written. Safe to call more than once.
  void discard() noexcept;

  // Builds the error for this target (for callers that detect their own failures).
  FileWriteError error(std::string const& reason, int errorNumber = 0) const;

 private:
  std::filesystem::path m_target;     // as the caller named it, for messages
  std::filesystem::path m_realTarget; // what the rename replaces (links resolved)
  std::filesystem::path m_temporary;
  std::FILE* m_file = nullptr;
  bool m_committed = false;
  bool m_writeThrough = false;
  int m_slot = -1;  // where removeTemporaryFiles() finds the temporary

  void openWriteThrough(int fd);
};

// Removes every temporary file a writer is still filling. Async-signal-safe:
// for a handler of SIGTERM and the like, just before the process ends.
void removeTemporaryFiles() noexcept;

// Writes target through writer(stream) atomically. A writer that throws, or
// leaves the stream failed, leaves the old file as it was and no temporary
// behind; the writer's own exception passes on unchanged, a failed stream gives
// FileWriteError.
void writeFileAtomically(std::filesystem::path const& target,
                         std::function<void(std::ostream&)> const& writer);

}  // namespace orlenza
