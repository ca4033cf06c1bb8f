// orlenza-render: pictures to PNG, timelines to movies and file inspection from
// the command line. All command-line parsing lives in this file; the commands
// themselves are in Commands.cpp.

#include <CLI/CLI.hpp>

#include <charconv>
#include <exception>
#include <iostream>
#include <limits>
#include <string>

#include "cli/Commands.h"
#include "core/CoreRegistration.h"
#include "core/engine/RawField.h"
#include "core/engine/RowParallel.h"
#include "media/MediaInfo.h"

namespace {

using orlenza::cli::CliError;
using orlenza::cli::kExitUsage;

// CLI11 prints several lines for a usage error; one sentence reads better in scripts.
std::string oneSentence(CLI::Error const& error) {
  std::string text = error.what();
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  if (!text.empty() && text.back() != '.') text += '.';
  return "orlenza-render: " + text + " Try 'orlenza-render --help'.\n";
}

template <typename T>
bool parseWhole(std::string const& text, T& value) {
  auto const* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && !text.empty();
}

void parseSize(std::string const& text, int& width, int& height) {
  auto const x = text.find_first_of("xX");
  int w = 0, h = 0;
  if (x == std::string::npos || !parseWhole(text.substr(0, x), w) || !parseWhole(text.substr(x + 1), h) ||
      w < orlenza::RawField::kMinSize || w > orlenza::RawField::kMaxSize || h < orlenza::RawField::kMinSize ||
      h > orlenza::RawField::kMaxSize)
    throw CliError(kExitUsage, "--size must be WIDTHxHEIGHT with each side from 1 to 2048, not '" + text + "'.");
  width = w;
  height = h;
}

std::uint32_t parseSeed(std::string const& text) {
  std::uint32_t seed = 0;
  if (!parseWhole(text, seed))
    throw CliError(kExitUsage, "--seed must be a whole number from 0 to 4294967295, not '" + text + "'.");
  return seed;
}

void applyThreads(std::string const& text) {
  if (text.empty()) return;
  unsigned threads = 0;
  if (!parseWhole(text, threads) || threads < 1 || threads > orlenza::kMaxRowThreads)
    throw CliError(kExitUsage, "--threads must be a whole number from 1 to " +
                                   std::to_string(orlenza::kMaxRowThreads) + ", not '" + text + "'.");
  orlenza::setThreadCount(threads);
}

// --default GEN or --random GEN [--seed S], shared by render and snapshot.
struct SourceFlags {
  std::string defaultGenerator;
  std::string randomGenerator;
  std::string seed;

  void addTo(CLI::App& command) {
    auto* def = command.add_option("--default", defaultGenerator, "the generator's default picture")
                    ->type_name("GENERATOR");
    auto* rnd = command.add_option("--random", randomGenerator, "a random picture of the generator")
                    ->type_name("GENERATOR");
    def->excludes(rnd);
    command.add_option("--seed", seed, "seed of the random picture, 0 to 4294967295 (default: drawn and printed)")
        ->type_name("S")
        ->needs(rnd);
  }

  orlenza::cli::SnapshotChoice choice() const {
    orlenza::cli::SnapshotChoice result;
    if (!defaultGenerator.empty()) {
      result.kind = orlenza::cli::SnapshotChoice::Kind::Default;
      result.generator = defaultGenerator;
    } else if (!randomGenerator.empty()) {
      result.kind = orlenza::cli::SnapshotChoice::Kind::Random;
      result.generator = randomGenerator;
      if (!seed.empty()) result.seed = parseSeed(seed);
    } else {
      throw CliError(kExitUsage, "say which picture: --default GENERATOR or --random GENERATOR.");
    }
    return result;
  }
};

}  // namespace

int main(int argc, char** argv) {
  try {
    orlenza::registerCoreFamilies();

    CLI::App app{"Orlenza's headless renderer: pictures to PNG, timelines to movies, file inspection.",
                 "orlenza-render"};
    app.set_version_flag("--version", std::string("orlenza-render ") + ORLENZA_VERSION + " (" +
                                          orlenza::media::libraryVersions() + ")");
    app.require_subcommand(0, 1);

    auto* render = app.add_subcommand("render", "render one picture to a PNG file");
    SourceFlags renderSource;
    renderSource.addTo(*render);
    std::string size = "256x256", threads;
    int depth = 8;
    orlenza::cli::RenderOptions renderOptions;
    render->add_option("--size", size, "picture size, each side 1 to 2048 (default 256x256)")->type_name("WxH");
    render->add_option("--depth", depth, "bits per colour component (default 8)")->check(CLI::IsMember({8, 16}));
    render->add_flag("--auto-norm", renderOptions.autoNorm, "set the norm to the raw field's maximum");
    render->add_option("--threads", threads, "threads to compute with (default: all cores)")->type_name("N");
    render->add_option("-o,--output", renderOptions.output, "the PNG file to write")->required()->type_name("OUT.png");

    auto* list = app.add_subcommand("list", "list what is built in");
    std::string listWhat;
    list->add_option("what", listWhat, "generators")->required()->check(CLI::IsMember({"generators"}));

    auto* snapshot = app.add_subcommand("snapshot", "print a snapshot file of one picture");
    SourceFlags snapshotSource;
    snapshotSource.addTo(*snapshot);
    std::string snapshotOutput;
    snapshot->add_option("-o,--output", snapshotOutput, "write the file here instead of standard output")
        ->type_name("OUT.snaps");

    try {
      app.parse(argc, argv);
    } catch (CLI::CallForHelp const& e) {
      return app.exit(e);
    } catch (CLI::CallForAllHelp const& e) {
      return app.exit(e);
    } catch (CLI::CallForVersion const&) {
      std::cout << app.version() << '\n';
      return 0;
    } catch (CLI::ParseError const& e) {
      std::cerr << oneSentence(e);
      return kExitUsage;
    }

    if (render->parsed()) {
      renderOptions.source = renderSource.choice();
      parseSize(size, renderOptions.width, renderOptions.height);
      renderOptions.depth = depth;
      applyThreads(threads);
      return orlenza::cli::renderPicture(renderOptions);
    }
    if (list->parsed()) return orlenza::cli::listGenerators();
    if (snapshot->parsed()) {
      std::optional<std::filesystem::path> output;
      if (!snapshotOutput.empty()) output = snapshotOutput;
      return orlenza::cli::printSnapshot(snapshotSource.choice(), output);
    }
    std::cout << app.help();
    return 0;
  } catch (CliError const& e) {
    std::cerr << "orlenza-render: " << e.what() << '\n';
    return e.exitCode();
  } catch (std::exception const& e) {
    std::cerr << "orlenza-render: " << e.what() << '\n';
    return orlenza::cli::kExitFailure;
  }
}
