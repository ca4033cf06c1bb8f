#include "core/files/CollectionSaving.h"

#include <fcntl.h>
#include <unistd.h>

namespace orlenza::recordfile {

bool exists(std::filesystem::path const& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec);
}

bool becameReadOnly(std::filesystem::path const& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::file_status const status = fs::status(path, ec);
  if (ec || !fs::is_regular_file(status)) return false;
  constexpr fs::perms k_anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  if ((status.permissions() & k_anyWrite) == fs::perms::none) return true;
  int const fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return true;
  ::close(fd);
  return false;
}

}  // namespace orlenza::recordfile
