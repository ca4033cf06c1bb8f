// orlenza-render: pictures to PNG, timelines to movies and file inspection from
// the command line. All command-line parsing lives in this file; the commands
// themselves are in Commands.cpp.

#include <CLI/CLI.hpp>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <system_error>
#include <charconv>
#include <exception>
#include <functional>
#include <iostream>
#include <limits>
#include <string>

#include "cli/Commands.h"
#include "cli/FileNames.h"
#include "cli/Signals.h"
#include "cli/Quoting.h"
#include "core/CoreRegistration.h"
#include "core/engine/RawField.h"
#include "core/engine/RowParallel.h"
#include "media/MediaInfo.h"

namespace {

using orlenza::cli::CliError;
using orlenza::cli::kExitUsage;
using orlenza::cli::inQuotes;

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

bool parseIndex(std::string const& text, int& index) { return parseWhole(text, index) && index >= 0; }

// An option given an empty text ("--size ''") is a mistake, not an absent option.
void refuseEmptyValues(CLI::App const& command) {
  for (CLI::Option const* option : command.get_options()) {
    if (option->get_type_size() == 0 || option->count() == 0) continue;
    for (std::string const& value : option->results()) {
      if (!value.empty()) continue;
      std::string const name = option->get_lnames().empty() ? option->get_name() : "--" + option->get_lnames().front();
      throw CliError(kExitUsage, name + " needs a value, not an empty text.");
    }
  }
}

// Output that could not be written (a full disk, a closed pipe) is a failure.
int checkStandardOutput(int exitCode) {
  errno = 0;
  std::cout.flush();
  if (std::fflush(stdout) == 0 && !std::ferror(stdout) && std::cout.good()) return exitCode;
  int const error = errno != 0 ? errno : EIO;
  std::cerr << "orlenza-render: cannot write to standard output: " << std::generic_category().message(error) << ".\n";
  return orlenza::cli::kExitFailure;
}

// Where the picture comes from, shared by render and snapshot: a generator's
// default or random picture, a snapshot file, a PNG we wrote, or a built-in.
struct SourceFlags {
  std::string input;
  std::string defaultGenerator;
  std::string randomGenerator;
  std::string seed;
  std::string builtin;
  std::string index;
  std::string name;
  bool all = false;

  void addTo(CLI::App& command) {
    command.add_option("input", input, "a snapshot file (.snaps) or a picture that Orlenza wrote (.png)")
        ->type_name("FILE");
    auto* def = command.add_option("--default", defaultGenerator, "the generator's default picture")
                    ->type_name("GENERATOR");
    auto* rnd = command.add_option("--random", randomGenerator, "a random picture of the generator")
                    ->type_name("GENERATOR");
    auto* bin = command.add_option("--builtin", builtin, "a built-in picture of the category (see 'list builtins')")
                    ->type_name("CATEGORY");
    def->excludes(rnd)->excludes(bin);
    rnd->excludes(bin);
    command.add_option("--seed", seed, "seed of the random picture, 0 to 4294967295 (default: drawn and printed)")
        ->type_name("S")
        ->needs(rnd);
    auto* idx = command.add_option("--index", index, "the record (from 0) of the file or built-in category (default 0)")
                    ->type_name("N");
    auto* nam = command.add_option("--name", name, "the first record of the file with this name")->type_name("NAME");
    auto* every = command.add_flag("--all", all, "every record of the file; -o then needs a %d for the index");
    idx->excludes(nam)->excludes(every);
    nam->excludes(every);
  }

  orlenza::cli::SnapshotChoice choice() const {
    using orlenza::cli::SnapshotChoice;
    SnapshotChoice result;
    int const sources = !input.empty() + !defaultGenerator.empty() + !randomGenerator.empty() + !builtin.empty();
    if (sources == 0)
      throw CliError(kExitUsage,
                     "say which picture: a FILE, --builtin CATEGORY, --default GENERATOR or --random GENERATOR.");
    if (sources > 1) throw CliError(kExitUsage, "give only one of FILE, --builtin, --default and --random.");
    if (!index.empty()) {
      int value = 0;
      if (!parseIndex(index, value))
        throw CliError(kExitUsage, "--index must be a whole number from 0 on, not '" + index + "'.");
      result.index = value;
    }
    if (!name.empty()) result.name = name;
    result.all = all;
    bool const fileOnly = !name.empty() || all;
    if (!input.empty()) {
      result.path = input;
      std::string const extension = orlenza::cli::extensionOf(result.path);
      if (extension == "snaps") {
        result.kind = SnapshotChoice::Kind::File;
      } else if (extension == "png") {
        result.kind = SnapshotChoice::Kind::Picture;
        if (result.index || fileOnly)
          throw CliError(kExitUsage, "--index, --name and --all choose records of a snapshot file, not of a picture.");
      } else {
        throw CliError(kExitUsage, inQuotes(input) + " is neither a snapshot file (.snaps) nor a picture (.png).");
      }
      return result;
    }
    if (!builtin.empty()) {
      if (fileOnly) throw CliError(kExitUsage, "--name and --all choose records of a snapshot file.");
      result.kind = SnapshotChoice::Kind::Builtin;
      result.category = builtin;
      return result;
    }
    if (result.index || fileOnly)
      throw CliError(kExitUsage, "--index, --name and --all choose records of a snapshot file or a built-in category.");
    if (!defaultGenerator.empty()) {
      result.kind = SnapshotChoice::Kind::Default;
      result.generator = defaultGenerator;
    } else {
      result.kind = SnapshotChoice::Kind::Random;
      result.generator = randomGenerator;
      if (!seed.empty()) result.seed = parseSeed(seed);
    }
    return result;
  }
};

}  // namespace

namespace {

int run(int argc, char** argv) {
  try {
    orlenza::registerCoreFamilies();

    CLI::App app{"Orlenza's headless renderer: pictures to PNG, timelines to movies, file inspection.",
                 "orlenza-render"};
    // Asked only for --version: the codec libraries' version loads the movie module.
    app.set_version_flag("--version", std::function<std::string()>([] {
                           return std::string("orlenza-render ") + ORLENZA_VERSION + " (" +
                                  orlenza::media::libraryVersions() + ")";
                         }));
    app.require_subcommand(0, 1);

    auto* render = app.add_subcommand("render", "render pictures to PNG files");
    SourceFlags renderSource;
    renderSource.addTo(*render);
    std::string size, threads;
    int depth = 8;
    orlenza::cli::RenderOptions renderOptions;
    render->add_option("--size", size, "picture size, each side 1 to 2048 (default 256x256; a picture's own size)")
        ->type_name("WxH");
    render->add_option("--depth", depth, "bits per colour component (default 8)")->check(CLI::IsMember({8, 16}));
    render->add_flag("--auto-norm", renderOptions.autoNorm, "set the norm to the raw field's maximum");
    render->add_option("--threads", threads, "threads to compute with (default: all cores)")->type_name("N");
    render->add_option("-o,--output", renderOptions.output, "the PNG file to write")->required()->type_name("OUT.png");

    auto* movie = app.add_subcommand("movie", "render a keyframe timeline to a QuickTime movie or to PNG frames");
    orlenza::cli::MovieOptions movieOptions;
    std::string movieInput, movieSize, movieFrames, movieFps, movieCodec = "h264", movieOutput, moviePngs, movieRange,
        movieThreads;
    movie->add_option("keyframes", movieInput, "a movie keyframe file (.msnaps)")->required()->type_name("FILE");
    movie->add_option("--size", movieSize, "frame size, each side 1 to 2048 (default 256x256)")->type_name("WxH");
    movie->add_option("--frames", movieFrames, "steps from the first to the last keyframe; N + 1 frames (default 10)")
        ->type_name("N");
    movie->add_option("--fps", movieFps, "frames per second, 1 to 600 (default 24)")->type_name("F");
    movie->add_option("--codec", movieCodec, "h264 or animation (lossless) (default h264)")
        ->check(CLI::IsMember({"h264", "animation"}));
    auto* movieOut = movie->add_option("-o,--output", movieOutput, "the movie file to write")->type_name("OUT.mov");
    auto* moviePng = movie->add_option("--png-frames", moviePngs, "write the frames as DIR/frame-00000.png ... instead")
                         ->type_name("DIR");
    movie->add_option("--range", movieRange, "with --png-frames: only frames A to B (from 0, inclusive)")
        ->type_name("A:B")
        ->needs(moviePng);
    movie->add_option("--threads", movieThreads, "threads to compute with (default: all cores)")->type_name("N");
    movieOut->excludes(moviePng);

    auto* info = app.add_subcommand("info", "describe a snapshot, gradation or keyframe file, or a picture");
    std::string infoPath;
    info->add_option("file", infoPath, "a .snaps, .grads, .msnaps or .png file")->required()->type_name("FILE");

    auto* list = app.add_subcommand("list", "list what is built in");
    std::string listWhat;
    list->add_option("what", listWhat, "generators, builtins or gradations")
        ->required()
        ->check(CLI::IsMember({"generators", "builtins", "gradations"}));

    auto* snapshot = app.add_subcommand("snapshot", "print a snapshot file of one picture");
    SourceFlags snapshotSource;
    snapshotSource.addTo(*snapshot);
    std::string snapshotOutput;
    bool append = false;
    auto* snapshotOut = snapshot->add_option("-o,--output", snapshotOutput, "write the file here instead of standard output")
                            ->type_name("OUT.snaps");
    snapshot->add_flag("--append", append, "add the record to the snapshots OUT.snaps holds")->needs(snapshotOut);

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

    for (CLI::App const* command : app.get_subcommands()) refuseEmptyValues(*command);
    if (render->parsed()) {
      renderOptions.output = orlenza::cli::outputPath(renderOptions.output).string();
      renderOptions.source = renderSource.choice();
      if (!size.empty()) {
        int width = 0, height = 0;
        parseSize(size, width, height);
        renderOptions.width = width;
        renderOptions.height = height;
      }
      renderOptions.depth = depth;
      applyThreads(threads);
      return orlenza::cli::renderPictures(renderOptions);
    }
    if (movie->parsed()) {
      if (movieOutput.empty() && moviePngs.empty())
        throw CliError(kExitUsage, "say where the movie goes: -o OUT.mov, or --png-frames DIR for its frames.");
      auto& settings = movieOptions.settings;
      if (!movieSize.empty()) parseSize(movieSize, settings.width, settings.height);
      if (!movieFrames.empty() && (!parseWhole(movieFrames, settings.frameCount) || settings.frameCount < 1 ||
                                   settings.frameCount > orlenza::MovieSettings::kMaxFrameCount))
        throw CliError(kExitUsage, "--frames must be a whole number from 1 to " +
                                       std::to_string(orlenza::MovieSettings::kMaxFrameCount) + ", not '" +
                                       movieFrames + "'.");
      if (!movieFps.empty() && (!parseWhole(movieFps, settings.framesPerSecond) || settings.framesPerSecond < 1 ||
                                settings.framesPerSecond > orlenza::MovieSettings::kTimeScale))
        throw CliError(kExitUsage, "--fps must be a whole number from 1 to 600, not '" + movieFps + "'.");
      settings.codecIndex = movieCodec == "h264" ? 1 : 0;
      if (!movieRange.empty()) {
        auto const colon = movieRange.find(':');
        int first = 0, last = 0;
        if (colon == std::string::npos || !parseWhole(movieRange.substr(0, colon), first) ||
            !parseWhole(movieRange.substr(colon + 1), last))
          throw CliError(kExitUsage, "--range must be A:B with whole numbers, as in 0:99, not '" + movieRange + "'.");
        movieOptions.range = std::make_pair(first, last);
      }
      movieOptions.keyframes = movieInput;
      movieOptions.output = orlenza::cli::outputPath(movieOutput);
      if (!moviePngs.empty()) movieOptions.pngFolder = moviePngs;
      applyThreads(movieThreads);
      return orlenza::cli::renderMovie(movieOptions);
    }
    if (info->parsed()) return orlenza::cli::printFileInfo(infoPath);
    if (list->parsed()) {
      if (listWhat == "builtins") return orlenza::cli::listBuiltins();
      if (listWhat == "gradations") return orlenza::cli::listGradations();
      return orlenza::cli::listGenerators();
    }
    if (snapshot->parsed()) {
      auto const source = snapshotSource.choice();
      if (source.all) throw CliError(kExitUsage, "--all renders every record; 'snapshot' makes a file of one.");
      std::optional<std::filesystem::path> output;
      if (!snapshotOutput.empty()) output = orlenza::cli::outputPath(snapshotOutput);
      return orlenza::cli::printSnapshot(source, output, append);
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

}  // namespace

int main(int argc, char** argv) {
  orlenza::cli::installSignalHandlers();
  return checkStandardOutput(run(argc, argv));
}
