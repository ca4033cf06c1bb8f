#include "core/base/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ostream>
#include <random>
#include <streambuf>
#include <system_error>
#include <string_view>
#include <utility>

namespace orlenza {

namespace {

std::string systemMessage(int errorNumber) { return std::generic_category().message(errorNumber); }

// A file name is at most 255 bytes on the usual file systems; the temporary's
// decoration (dot, dot, six letters) must still fit.
constexpr std::size_t kMaxNameStem = 200;
constexpr int kNameAttempts = 100;

std::string randomSuffix() {
  static std::atomic<unsigned long long> counter{0};
  thread_local std::mt19937_64 engine = [] {
    unsigned long long seed = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    try {
      std::random_device device;
      seed ^= (static_cast<unsigned long long>(device()) << 32) ^ device();
    } catch (...) {
      // No entropy source: the clock, the process id and the counter still make names differ.
    }
    seed ^= static_cast<unsigned long long>(::getpid()) << 16;
    return std::mt19937_64(seed ^ counter.fetch_add(1));
  }();
  static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::string suffix(6, 'X');
  for (char& c : suffix) c = kLetters[engine() % (sizeof kLetters - 1)];
  return suffix;
}

// The temporaries in the making, for removeTemporaryFiles() in a signal
// handler: fixed slots that need no lock and no allocation.
struct TemporarySlot {
  std::atomic<int> state{0};  // 0 free, 1 being filled, 2 holds a path
  char path[4096];
};
constexpr int kTemporarySlots = 16;
TemporarySlot s_temporaries[kTemporarySlots];

int rememberTemporary(std::filesystem::path const& path) {
  std::string const& text = path.native();
  if (text.size() >= sizeof s_temporaries[0].path) return -1;
  for (int i = 0; i < kTemporarySlots; ++i) {
    int expected = 0;
    if (!s_temporaries[i].state.compare_exchange_strong(expected, 1)) continue;
    std::memcpy(s_temporaries[i].path, text.c_str(), text.size() + 1);
    s_temporaries[i].state.store(2);
    return i;
  }
  return -1;
}

void forgetTemporary(int slot) {
  if (slot >= 0) s_temporaries[slot].state.store(0);
}

constexpr int kMaxLinkHops = 40;  // as the kernel allows

// A path that names an open descriptor rather than a file: standard output,
// /dev/fd/N, /proc/self/fd/N. Writing there goes to the descriptor itself.
int descriptorNamed(std::filesystem::path const& path) {
  std::string const text = path.lexically_normal().string();
  if (text == "/dev/stdout") return STDOUT_FILENO;
  if (text == "/dev/stderr") return STDERR_FILENO;
  for (std::string_view prefix : {std::string_view("/dev/fd/"), std::string_view("/proc/self/fd/")}) {
    if (text.size() <= prefix.size() || text.compare(0, prefix.size(), prefix) != 0 || text.size() > prefix.size() + 9)
      continue;
    int fd = 0;
    for (std::size_t i = prefix.size(); i < text.size(); ++i) {
      if (text[i] < '0' || text[i] > '9') return -1;
      fd = fd * 10 + (text[i] - '0');
    }
    return fd;
  }
  return -1;
}

struct ResolvedTarget {
  std::filesystem::path path;  // what a rename must replace: the end of any chain of links
  int descriptor = -1;         // >= 0: the chain names an open descriptor
};

// Symbolic links are followed, dangling ones too, so that a link survives and
// the new file appears where it points.
ResolvedTarget resolveTarget(std::filesystem::path const& target) {
  ResolvedTarget result{target};
  std::error_code ec;
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    result.descriptor = descriptorNamed(result.path);
    if (result.descriptor >= 0) return result;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(result.path, ec))) return result;
    std::filesystem::path const link = std::filesystem::read_symlink(result.path, ec);
    if (ec) return result;
    result.path = link.is_absolute() ? link : result.path.parent_path() / link;
  }
  return result;
}

void syncFolder(std::filesystem::path const& folder) noexcept {
  // Best effort: the rename has happened; this only makes it survive a power cut.
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// An output buffer over a FILE* that remembers why the first write failed.
class FileStreamBuffer : public std::streambuf {
 public:
  explicit FileStreamBuffer(std::FILE* file) : m_file(file) { setp(m_buffer.data(), m_buffer.data() + m_buffer.size()); }

  int failedErrno() const { return m_errno; }

 protected:
  int_type overflow(int_type c) override {
    if (!flushBuffer()) return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
  }

  int sync() override { return flushBuffer() ? 0 : -1; }

 private:
  bool flushBuffer() {
    std::size_t const count = static_cast<std::size_t>(pptr() - pbase());
    if (count > 0) {
      errno = 0;
      if (std::fwrite(pbase(), 1, count, m_file) != count) {
        if (m_errno == 0) m_errno = errno != 0 ? errno : EIO;
        return false;
      }
      setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    }
    return true;
  }

  std::FILE* m_file;
  std::array<char, 65536> m_buffer{};
  int m_errno = 0;
};

}  // namespace

FileWriteError::FileWriteError(std::filesystem::path target, std::string const& reason, int errorNumber)
    : std::runtime_error("cannot write '" + target.string() + "': " + reason),
      m_target(std::move(target)),
      m_errorNumber(errorNumber) {}

AtomicFileWriter::AtomicFileWriter(std::filesystem::path target) : m_target(std::move(target)) {
  ResolvedTarget const resolved = resolveTarget(m_target);
  m_realTarget = resolved.path;
  if (resolved.descriptor >= 0) {
    openWriteThrough(::fcntl(resolved.descriptor, F_DUPFD_CLOEXEC, 3));
    return;
  }
  // A device or a FIFO is written to, never replaced by a file.
  struct stat existing {};
  if (::stat(m_realTarget.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) throw error(systemMessage(EISDIR), EISDIR);
  if (::stat(m_realTarget.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
    int fd;
    do {
      fd = ::open(m_realTarget.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    openWriteThrough(fd);
    return;
  }
  std::string const name = m_realTarget.filename().string();
  if (name.empty() || name == "." || name == "..") throw error(systemMessage(EISDIR), EISDIR);

  std::filesystem::path const folder = m_realTarget.parent_path();
  // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "." + string.
  std::string stem(1, '.');
  stem.append(name, 0, kMaxNameStem);
  stem.push_back('.');
  int fd = -1;
  int lastErrno = EEXIST;
  for (int attempt = 0; attempt < kNameAttempts && fd < 0; ++attempt) {
    std::filesystem::path candidate = folder / (stem + randomSuffix());
    // 0666 under the umask, like any new file the user makes.
    do {
      fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd >= 0) {
      m_temporary = std::move(candidate);
      m_slot = rememberTemporary(m_temporary);
    } else {
      lastErrno = errno;
      if (lastErrno != EEXIST) break;
    }
  }
  if (fd < 0) throw error(systemMessage(lastErrno), lastErrno);

  // Replacing a file keeps its permissions.
  struct stat old {};
  if (::stat(m_realTarget.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 07777);

  m_file = ::fdopen(fd, "wb");
  if (m_file == nullptr) {
    int const e = errno;
    ::close(fd);
    ::unlink(m_temporary.c_str());
    m_temporary.clear();
    forgetTemporary(std::exchange(m_slot, -1));
    throw error(systemMessage(e), e);
  }
}

void AtomicFileWriter::openWriteThrough(int fd) {
  if (fd < 0) {
    int const e = errno;
    throw error(systemMessage(e), e);
  }
  m_writeThrough = true;
  m_file = ::fdopen(fd, "wb");
  if (m_file == nullptr) {
    int const e = errno;
    ::close(fd);
    throw error(systemMessage(e), e);
  }
}

AtomicFileWriter::~AtomicFileWriter() { discard(); }

FileWriteError AtomicFileWriter::error(std::string const& reason, int errorNumber) const {
  return FileWriteError(m_target, reason, errorNumber);
}

void AtomicFileWriter::commit() {
  if (m_file == nullptr) throw error("the file was already closed");

  auto fail = [this](int e) {
    discard();
    return error(systemMessage(e), e);
  };
  errno = 0;
  if (std::fflush(m_file) != 0) throw fail(errno != 0 ? errno : EIO);
  if (std::ferror(m_file)) throw fail(EIO);
  if (m_writeThrough) {
    m_committed = true;
    if (std::fclose(std::exchange(m_file, nullptr)) != 0) throw error(systemMessage(errno), errno);
    return;
  }
  if (::fsync(::fileno(m_file)) != 0) throw fail(errno);
  std::FILE* const file = std::exchange(m_file, nullptr);
  if (std::fclose(file) != 0) throw fail(errno != 0 ? errno : EIO);
  if (std::rename(m_temporary.c_str(), m_realTarget.c_str()) != 0) throw fail(errno);
  m_committed = true;
  m_temporary.clear();
  forgetTemporary(std::exchange(m_slot, -1));
  syncFolder(m_realTarget.parent_path());
}

void AtomicFileWriter::discard() noexcept {
  if (m_file != nullptr) std::fclose(std::exchange(m_file, nullptr));
  if (!m_committed && !m_temporary.empty()) {
    ::unlink(m_temporary.c_str());
    m_temporary.clear();
  }
  forgetTemporary(std::exchange(m_slot, -1));
}

void removeTemporaryFiles() noexcept {
  for (auto& slot : s_temporaries) {
    if (slot.state.load() != 2) continue;
    char path[sizeof slot.path];
    std::memcpy(path, slot.path, sizeof path);
    path[sizeof path - 1] = '\0';
    if (slot.state.load() == 2) ::unlink(path);
  }
}

void writeFileAtomically(std::filesystem::path const& target, std::function<void(std::ostream&)> const& writer) {
  AtomicFileWriter file(target);
  FileStreamBuffer buffer(file.file());
  std::ostream stream(&buffer);
  writer(stream);
  stream.flush();
  if (!stream) {
    int const e = buffer.failedErrno();
    throw file.error(e != 0 ? systemMessage(e) : std::string("the data could not be written"), e);
  }
  file.commit();
}

}  // namespace orlenza
