// orlenza-render: pictures to PNG, timelines to movies and file inspection from
// the command line. All command-line parsing lives in this file.

#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>

#include "core/CoreRegistration.h"
#include "media/MediaInfo.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// CLI11 prints several lines for a usage error; one sentence reads better in scripts.
std::string oneSentence(CLI::App const*, CLI::Error const& error) {
  std::string text = error.what();
  if (!text.empty() && text.back() != '.') text += '.';
  return "orlenza-render: " + text + " Try 'orlenza-render --help'.\n";
}

}  // namespace

int main(int argc, char** argv) {
  try {
    orlenza::registerCoreFamilies();

    CLI::App app{"Orlenza's headless renderer: pictures to PNG, timelines to movies, file inspection.",
                 "orlenza-render"};
    app.set_version_flag("--version", std::string("orlenza-render ") + ORLENZA_VERSION + " (" +
                                          orlenza::media::libraryVersions() + ")");
    app.require_subcommand(0, 1);
    app.failure_message(oneSentence);

    try {
      app.parse(argc, argv);
    } catch (CLI::CallForHelp const& e) {
      return app.exit(e);
    } catch (CLI::CallForVersion const& e) {
      return app.exit(e);
    } catch (CLI::ParseError const& e) {
      std::cerr << oneSentence(&app, e);
      return kExitUsage;
    }
    if (app.get_subcommands().empty()) {
      std::cout << app.help();
      return 0;
    }
    return 0;
  } catch (std::exception const& e) {
    std::cerr << "orlenza-render: " << e.what() << '\n';
    return kExitFailure;
  }
}
