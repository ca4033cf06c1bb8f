#pragma once
// Runs orlenza-render on real arguments in a fresh temporary folder per test
// and reads back what it wrote.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace orlenza::testing_cli {

namespace fs = std::filesystem;

struct RunResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

class RendererRun : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder = fs::temp_directory_path() /
               ("orlenza-cli-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(m_folder);
    fs::create_directories(m_folder);
  }
  void TearDown() override { fs::remove_all(m_folder); }

  RunResult run(std::string const& arguments) const {
    fs::path const out = m_folder / "stdout.txt";
    fs::path const err = m_folder / "stderr.txt";
    std::string const command = std::string("'") + ORLENZA_RENDER_PATH + "' " + arguments + " >'" + out.string() +
                                "' 2>'" + err.string() + "' </dev/null";
    int const status = std::system(command.c_str());
    RunResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = slurp(out);
    result.err = slurp(err);
    return result;
  }

  static std::string slurp(fs::path const& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path path(std::string const& name) const { return m_folder / name; }

  // True when nothing but the two captured streams lies in the folder.
  bool folderHoldsOnlyTheCapture() const {
    for (auto const& entry : fs::directory_iterator(m_folder)) {
      auto const name = entry.path().filename().string();
      if (name != "stdout.txt" && name != "stderr.txt") return false;
    }
    return true;
  }

  // Writes text to a file of the folder and answers its path.
  std::filesystem::path write(std::string const& name, std::string const& text) const {
    std::ofstream out(path(name), std::ios::binary);
    out << text;
    return path(name);
  }

  fs::path m_folder;
};

}  // namespace orlenza::testing_cli
