#pragma once
// A scratch folder per test, file contents in and out, and sample records.

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/files/AlertSink.h"
#include "core/generators/EscapeTime/SnapshotEscapeParams.h"
#include "core/generators/SnapshotKinds.h"
#include "core/geometry/GeometryFactory.h"
#include "core/geometry/GeometryNfold.h"

namespace orlenza::testing_files {

namespace fs = std::filesystem;

inline void registerKinds() {
  registerAllGeometries();
  registerAllSnapshotKinds();
}

class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device device;
    m_path = fs::temp_directory_path() /
             ("orlenza-files-" + std::to_string(::getpid()) + "-" + std::to_string(device()));
    fs::create_directories(m_path);
  }
  ~ScratchFolder() {
    std::error_code ec;
    // A test may have taken away the permissions.
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
    for (auto const& entry : fs::recursive_directory_iterator(m_path, ec))
      fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_path, ec);
  }
  ScratchFolder(ScratchFolder const&) = delete;
  ScratchFolder& operator=(ScratchFolder const&) = delete;

  fs::path const& path() const { return m_path; }
  fs::path operator/(std::string const& name) const { return m_path / name; }

  // Every name in the folder, so a left-over temporary shows up.
  std::vector<std::string> names() const {
    std::vector<std::string> result;
    for (auto const& entry : fs::directory_iterator(m_path)) result.push_back(entry.path().filename().string());
    std::sort(result.begin(), result.end());
    return result;
  }

 private:
  fs::path m_path;
};

inline std::string contentOf(fs::path const& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void put(fs::path const& path, std::string const& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline bool runningAsRoot() { return ::geteuid() == 0; }

// An escape-time snapshot that differs from the default in every part a record carries.
inline std::shared_ptr<Snapshot> sampleSnapshot(std::string const& name, double shift) {
  auto snapshot = std::make_shared<SnapshotEscapeParams>();
  snapshot->setName(name);
  SnapshotCore& core = snapshot->getCore();
  core.setView(View(0.5 + shift, -0.25, 2.5, 1.25, false, true));
  core.setGeometry(std::make_shared<GeometryNfold>(5u, false, 30.0));
  Gradation gradation;
  gradation.setColor(KeyframePosition::fromSteps(7), RGBColor{1, 2, 3});
  gradation.setColor(KeyframePosition::fromSteps(3333), RGBColor{65535, 0, 4000});
  core.setGradationInfo(GradationInfo(gradation, 1.5, -0.25));
  core.setNorm(300.0 + shift);
  snapshot->getParameters().coefficients[0] = 0.1 + shift;
  return snapshot;
}

using Alert = RecordingAlertSink::Alert;
inline Alert const kReadOnly{"ReadOnlyFileMain", "ReadOnlyFileExplain"};
inline Alert const kInvalid{"InvalidFileMain", "InvalidFileExplain"};
inline Alert const kLater{"LaterVersionFileMain", "LaterVersionFileExplain"};

// The default escape-time snapshot as a version-3 record, written out by hand.
inline std::string const kDefaultRecord =
    "EscParams 0 0 1 0 0 0 geom_null 0 0 0 0 1 "
    "5 0 0 0 0 0.25 65535 0 0 0.5 65535 65535 0 0.75 65535 0 0 1 0 0 0 1 0 "
    "pf_none 0 pf_none 0 norm_lin 256 0 1  "
    "-1.2 -1.2 -0.3 0.8 -0.5 -0.6 -0.8 0.5 0.3 0.2 -1 -1.2 OA_Dwell ?";

// A scratch folder and the alerts of one test.
class FileTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { registerKinds(); }
  ScratchFolder folder;
  RecordingAlertSink alerts;
};

}  // namespace orlenza::testing_files
