#include "core/files/GenericFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <sstream>
#include <system_error>

#include "core/base/TextIO.h"

namespace orlenza {

namespace recordfile {

namespace {

std::string systemMessage(int errorNumber) { return std::generic_category().message(errorNumber); }

class Descriptor {
 public:
  explicit Descriptor(int fd) : m_fd(fd) {}
  ~Descriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  Descriptor(Descriptor const&) = delete;
  Descriptor& operator=(Descriptor const&) = delete;
  int get() const { return m_fd; }

 private:
  int m_fd;
};

int openFile(std::filesystem::path const& path, int mode) {
  int fd;
  do {
    fd = ::open(path.c_str(), mode | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

// A rewrite puts a temporary beside the file the path finally names, then renames it.
bool folderTakesNewFile(std::filesystem::path const& path) {
  std::error_code ec;
  std::filesystem::path real = std::filesystem::canonical(path, ec);
  if (ec) real = path;
  std::filesystem::path folder = real.parent_path();
  if (folder.empty()) folder = ".";
  return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

LoadedFile load(std::filesystem::path const& path) {
  LoadedFile result;
  if (path.empty()) {
    result.failure = systemMessage(ENOENT);
    return result;
  }
  // Checked before opening: opening a FIFO or a device may block or have effects.
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    result.failure = systemMessage(errno);
    return result;
  }
  if (S_ISDIR(st.st_mode)) {
    result.failure = systemMessage(EISDIR);
    return result;
  }
  if (!S_ISREG(st.st_mode)) {
    result.failure = "not a regular file";
    return result;
  }

  bool writable = true;
  int fd = openFile(path, O_RDWR);
  if (fd < 0) {
    writable = false;
    fd = openFile(path, O_RDONLY);
    if (fd < 0) {
      result.failure = systemMessage(errno);
      return result;
    }
  }
  Descriptor const file(fd);
  // The path may have changed between the two looks.
  if (::fstat(file.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
    result.failure = "not a regular file";
    return result;
  }
  result.writable = writable && folderTakesNewFile(path);

  if (st.st_size < 0 || static_cast<unsigned long long>(st.st_size) > k_maxRecordFileSize) {
    result.open = true;
    result.tooLarge = true;
    return result;
  }
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(st.st_size));
  std::array<char, 65536> buffer;
  for (;;) {
    ssize_t const count = ::read(file.get(), buffer.data(), buffer.size());
    if (count < 0) {
      if (errno == EINTR) continue;
      result.failure = systemMessage(errno);
      return result;
    }
    if (count == 0) break;
    // The file may grow while it is read.
    if (static_cast<std::size_t>(count) > k_maxRecordFileSize - bytes.size()) {
      result.open = true;
      result.tooLarge = true;
      return result;
    }
    bytes.append(buffer.data(), static_cast<std::size_t>(count));
  }
  result.open = true;
  result.bytes = std::move(bytes);
  return result;
}

std::string createEmpty(std::filesystem::path const& path) {
  if (path.empty() || !path.has_filename()) return systemMessage(EISDIR);
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return systemMessage(EISDIR);
  std::filesystem::path const folder = path.parent_path();
  if (!folder.empty() && !std::filesystem::is_directory(folder, ec)) {
    return systemMessage(std::filesystem::exists(folder, ec) ? ENOTDIR : ENOENT);
  }
  int fd;
  do {
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd >= 0) {
    ::close(fd);
    return {};
  }
  if (errno == EEXIST) return std::filesystem::is_regular_file(path, ec) ? std::string() : "not a regular file";
  return systemMessage(errno);
}

bool LineSplitter::next(std::string_view& line) {
  if (m_done) return false;
  std::size_t const end = m_rest.find_first_of("\r\n");
  if (end == std::string_view::npos) {
    m_done = true;
    line = m_rest;
    m_rest = {};
    // Text after the last line end is a line; nothing after it is none.
    if (line.empty()) return false;
  } else {
    line = m_rest.substr(0, end);
    bool const crlf = m_rest[end] == '\r' && end + 1 < m_rest.size() && m_rest[end + 1] == '\n';
    m_rest.remove_prefix(end + (crlf ? 2 : 1));
  }
  ++m_lineNumber;
  return true;
}

bool isBlank(std::string_view line) {
  for (char c : line)
    if (c != ' ' && c != '\t' && c != '\r' && c != '\f' && c != '\v') return false;
  return true;
}

HeaderCheck checkHeader(std::string_view line, int currentVersion, int& version) {
  std::istringstream is{std::string(line)};
  std::string tag;
  std::string number;
  if (!(is >> tag) || tag != k_recordFileTag) return HeaderCheck::invalid;
  long long parsed = 0;
  // A missing or unreadable number counts as version 0, which no reader reads.
  if (!(is >> number) || !text::parseInt(number, parsed)) parsed = 0;
  version = parsed > INT_MAX ? INT_MAX : parsed < INT_MIN ? INT_MIN : static_cast<int>(parsed);
  if (parsed < 1 || parsed > currentVersion) return HeaderCheck::laterVersion;
  return HeaderCheck::ok;
}

std::string header(int version) { return std::string(k_recordFileTag) + ' ' + std::to_string(version) + '\n'; }

}  // namespace recordfile

bool referToSameFile(std::filesystem::path const& a, std::filesystem::path const& b) {
  std::error_code ec;
  bool const same = std::filesystem::equivalent(a, b, ec);
  return !ec && same;
}

bool hasExtension(std::string_view name, std::string_view extension) {
  std::size_t const dot = name.rfind('.');
  if (dot == std::string_view::npos) return false;
  return name.substr(dot + 1) == extension;
}

}  // namespace orlenza
