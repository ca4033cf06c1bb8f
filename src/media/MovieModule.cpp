#include "media/MovieModule.h"

#include <dlfcn.h>

#include <atomic>
#include <mutex>
#include <system_error>
#include <vector>

namespace orlenza::media {

namespace {

// Beside the program in the build tree and in an installation alike:
// bin/orlenza-render and lib/orlenza/liborlenza_movie.so.
std::vector<std::filesystem::path> moduleCandidates() {
  std::error_code error;
  std::filesystem::path const program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {kMovieModuleFile};
  std::filesystem::path const folder = program.parent_path();
  return {folder.parent_path() / "lib" / "orlenza" / kMovieModuleFile, folder / kMovieModuleFile};
}

// Set once the module is loaded, read by signal handlers.
std::atomic<void (*)() noexcept> g_removeTemporaries{nullptr};

struct LoadedModule {
  MovieModuleInterface const* interface = nullptr;
  std::string problem;
};

LoadedModule loadModule() {
  std::string tried;
  for (std::filesystem::path const& candidate : moduleCandidates()) {
    std::error_code error;
    if (!std::filesystem::exists(candidate, error)) {
      tried += (tried.empty() ? "'" : ", '") + candidate.string() + "'";
      continue;
    }
    // Kept loaded for the rest of the run: writers made by it may live until exit.
    void* handle = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return {nullptr, std::string("cannot load the movie module: ") + ::dlerror()};
    using Entry = MovieModuleInterface const* (*)();
    auto entry = reinterpret_cast<Entry>(::dlsym(handle, kMovieModuleEntry));
    MovieModuleInterface const* interface = entry != nullptr ? entry() : nullptr;
    if (interface == nullptr || interface->version != kMovieModuleVersion)
      return {nullptr, "the movie module '" + candidate.string() + "' is not one of this version of the program"};
    g_removeTemporaries.store(interface->removeTemporaryFiles);
    return {interface, {}};
  }
  return {nullptr, std::string("cannot make movies: the movie module ") + kMovieModuleFile + " is missing (looked for " +
                       tried + ")"};
}

LoadedModule const& module() {
  static LoadedModule const loaded = loadModule();
  return loaded;
}

}  // namespace

std::unique_ptr<MovieFileSink> openMovieFile(std::filesystem::path const& target, MovieSettings const& settings) {
  LoadedModule const& loaded = module();
  if (loaded.interface == nullptr) throw MovieModuleError(loaded.problem);
  return std::unique_ptr<MovieFileSink>(loaded.interface->open(target, settings));
}

void removeMovieTemporaryFiles() noexcept {
  if (auto const remove = g_removeTemporaries.load()) remove();
}

std::string movieLibraryVersions() {
  LoadedModule const& loaded = module();
  if (loaded.interface == nullptr) return "no movie module";
  return loaded.interface->libraryVersions();
}

}  // namespace orlenza::media
