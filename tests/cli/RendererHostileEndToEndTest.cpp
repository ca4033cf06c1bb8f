// The renderer as a hostile or careless user meets it: damaged and special
// files, outputs that are no plain file, full disks and signals.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "RendererRun.h"
#include "cli/Quoting.h"
#include "media/MovieReadBack.h"
#include "media/PngWriter.h"

namespace {

namespace fs = std::filesystem;
using orlenza::testing_cli::RunResult;

class RendererHostileTest : public orlenza::testing_cli::RendererRun {
 protected:
  // The renderer under `timeout`, which sends signal after seconds and kills it if it
  // has not ended 3 s later: a cancel must be seen within a fraction of a second.
  RunResult signalled(char const* signal, int seconds, std::string const& arguments) const {
    std::string const command = "timeout --preserve-status -k 3 -s " + std::string(signal) + " " +
                                std::to_string(seconds) + " '" + ORLENZA_RENDER_PATH + "' " + arguments;
    int const status = std::system((command + " >'" + path("stdout.txt").string() + "' 2>'" +
                                    path("stderr.txt").string() + "'").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(path("stdout.txt")), slurp(path("stderr.txt"))};
  }
};

std::string quoted(fs::path const& p) { return orlenza::cli::inQuotes(p); }

std::string replaced(std::string text, std::string const& from, std::string const& to) {
  auto const at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

std::uint32_t crc32Of(std::string const& bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char byte : bytes) {
    crc ^= byte;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

std::string bigEndian(std::uint32_t v) {
  return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
}

// A PNG chunk; length given to lie about it.
std::string chunk(std::string const& type, std::string const& data, std::uint32_t length) {
  return bigEndian(length) + type + data + bigEndian(crc32Of(type + data));
}
std::string chunk(std::string const& type, std::string const& data) {
  return chunk(type, data, static_cast<std::uint32_t>(data.size()));
}

std::string const kSignature = "\x89PNG\r\n\x1a\n";
std::string header(std::uint32_t width, std::uint32_t height) {
  return chunk("IHDR", bigEndian(width) + bigEndian(height) + std::string("\x08\x02\x00\x00\x00", 5));
}

TEST_F(RendererHostileTest, DamagedAndSpecialInputs) {
  std::string const file = run("snapshot --default Grid").out;
  std::string const record = file.substr(file.find('\n') + 1, file.rfind('\n') - file.find('\n') - 1);
  write("cr.snaps", "Qvtx 3\r" + record + "\r" + record + "\r");
  write("no-version.snaps", "Qvtx\n" + record + "\n");
  // The gradation's count is the first token after the geometry block "geom_null 0 0 0 0 1".
  auto const count = record.find("geom_null 0 0 0 0 1 ") + 20;
  write("zero-keys.snaps", "Qvtx 3\n" + record.substr(0, count) + "0 " + record.substr(record.find(' ', count) + 1) + "\n");
  write("damaged.snaps", "Qvtx 3\n" + record + "\n" + record + "\nGrid 1 2 three\n" + record + "\n");
  write("grads.grads", "Qvtx 1\n3 0 0 0 0 0.5 65535 x\n2 0 1 2 3 1 4 5 6\n");
  write("future.snaps", "Qvtx 3\n" + replaced(replaced(record, "norm_lin", "norm_future"), "pf_none", "pf_future") + "\n");
  ASSERT_EQ(::mkfifo(path("fifo.png").c_str(), 0600), 0);
  write("huge-text.png", kSignature + header(4, 4) + chunk("iTXt", "orlenza:snapshot", 0x7FFFFFF0u));
  // A 3000 x 1000 picture's header and record, and no pixels at all.
  write("wide.Png", kSignature + header(3000, 1000) + chunk("tEXt", "orlenza:snapshot" + std::string(1, '\0') + record) +
                        chunk("IEND", ""));
  std::string const out = " -o " + quoted(path("x.png"));

  struct Case {
    std::string arguments;
    int exitCode;
    std::string mentions;  // in stdout and stderr together
  };
  Case const cases[] = {
      {"info " + quoted(path("cr.snaps")), 0, "version 3, 2 records"},
      {"info " + quoted(path("no-version.snaps")), 1, "version this program cannot read"},
      {"info " + quoted(path("zero-keys.snaps")), 1, "line 2 of"},
      {"snapshot " + quoted(path("zero-keys.snaps")) + " -o " + quoted(path("z.snaps")) + " --append", 1, "line 2"},
      {"info " + quoted(path("grads.grads")), 0, "1\t2 keys"},
      {"info " + quoted(path("future.snaps")), 0, "names 'norm_future'"},
      {"render " + quoted(path("future.snaps")) + " --size 4x4" + out, 0, "names 'pf_future'"},
      {"info " + quoted(path("fifo.png")), 1, "not a regular file"},
      {"render " + quoted(path("fifo.png")) + out, 1, "not a regular file"},
      {"info " + quoted(path("huge-text.png")), 1, "claims 2147483632 bytes"},
      {"info " + quoted(path("wide.Png")), 0, "PNG picture, 3000x1000"},
      {"render " + quoted(path("damaged.snaps")) + " --index 1 --size 4x4" + out, 0, "line 4 of"},
      {"render " + quoted(path("damaged.snaps")) + " --all --size 4x4 -o " + quoted(path("d%d.png")), 1, "skipped"},
      {"render " + quoted(path("cr.snaps")) + " -o " + quoted(path("cr.snaps")), 2, "is the input"},
      {"snapshot " + quoted(path("cr.snaps")) + " -o " + quoted(path("cr.snaps")), 2, "is the input"},
      {"render --default Grid --size ''" + out, 2, "--size needs a value"},
      {"render --default Grid --threads ''" + out, 2, "--threads needs a value"},
      {"render --builtin EscParams --index ''" + out, 2, "--index needs a value"},
      {"render --random Grid --seed ''" + out, 2, "--seed needs a value"},
      {"render --default Grid --depth ''" + out, 2, "--depth"},
      {"render --default Grid -o ''", 2, "--output needs a value"},
      {"movie " + quoted(path("m.msnaps")) + " --frames '' -o " + quoted(path("m.mov")), 2, "--frames needs a value"},
      {"render --default Grid --size 4x4 -o /dev/full", 1, "'/dev/full': No space left on device"},
  };
  for (auto const& c : cases) {
    auto const result = run(c.arguments);
    EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments << "\n" << result.err;
    EXPECT_NE((result.out + result.err).find(c.mentions), std::string::npos) << c.arguments << "\n" << result.err;
  }
  EXPECT_EQ(slurp(path("cr.snaps")), "Qvtx 3\r" + record + "\r" + record + "\r");
  EXPECT_TRUE(fs::exists(path("d0.png")) && fs::exists(path("d1.png")));

  // A picture larger than the field is drawn at the largest size of its shape, read once.
  auto const wide = run("render " + quoted(path("wide.Png")) + out);
  ASSERT_EQ(wide.exitCode, 0) << wide.err;
  EXPECT_NE(wide.err.find("at 2048x683"), std::string::npos) << wide.err;
  auto const drawn = orlenza::media::readPngInfo(path("x.png"), false);
  EXPECT_EQ(drawn.width * 1000 + drawn.height, 2048 * 1000 + 683);
}

TEST_F(RendererHostileTest, OutputsThatAreNoPlainFile) {
  // Devices and standard output are written to, never replaced.
  auto const toStdout = run("render --default Grid --size 4x4 -o -");
  ASSERT_EQ(toStdout.exitCode, 0) << toStdout.err;
  EXPECT_EQ(toStdout.out.substr(0, 8), kSignature);
  ASSERT_EQ(run("render --default Grid --size 4x4 -o /dev/null").exitCode, 0);
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  // A dangling link is followed: the picture appears where it points.
  fs::create_symlink("target.png", path("link.png"));
  ASSERT_EQ(run("render --default Grid --size 4x4 -o " + quoted(path("link.png"))).exitCode, 0);
  EXPECT_TRUE(fs::is_symlink(path("link.png")));
  EXPECT_EQ(orlenza::media::readPngInfo(path("target.png"), false).width, 4);

  // Standard output that cannot take the text is a failure with a sentence.
  std::string const command = std::string("'") + ORLENZA_RENDER_PATH + "' snapshot --default Grid >/dev/full 2>'" +
                              path("err.txt").string() + "'";
  EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 1);
  EXPECT_NE(slurp(path("err.txt")).find("No space left on device"), std::string::npos);

  // --append adds one line and keeps every byte: CR LF, digits past 12, text after the name.
  std::string const record = run("snapshot --default Grid").out;
  std::string const line = record.substr(record.find('\n') + 1, record.rfind('\n') - record.find('\n') - 1);
  std::string const kept = "Qvtx 3\r\n" + replaced(line, "1 ", "1.00000000000000001 ") + "\r\n";
  write("kept.snaps", kept);
  ASSERT_EQ(run("snapshot --default Grid -o " + quoted(path("kept.snaps")) + " --append").exitCode, 0);
  EXPECT_EQ(slurp(path("kept.snaps")), kept + line + "\r\n");
}

TEST_F(RendererHostileTest, SignalsStopLongPixelsAndLeaveNoTemporaryFile) {
  // Each pixel of this orbit fractal takes seconds: Ctrl-C is still seen at once.
  std::string const file = run("snapshot --default DynFractal").out;
  std::string const record = file.substr(file.find('\n') + 1, file.rfind('\n') - file.find('\n') - 1);
  std::string const slow = replaced(record, " 12 OA_", " 2147483647 OA_");
  write("slow.snaps", "Qvtx 3\n" + slow + "\n");
  auto const stopped =
      signalled("INT", 1, "render " + quoted(path("slow.snaps")) + " --threads 2 --size 8x8 -o " + quoted(path("s.png")));
  EXPECT_EQ(stopped.exitCode, 1) << stopped.err;
  EXPECT_NE(stopped.err.find("cancelled"), std::string::npos) << stopped.err;

  // A movie whose second frame is slow: Ctrl-C inside it keeps the playable first frame;
  // SIGTERM leaves nothing behind.
  write("slow.msnaps", "Qvtx 3\n0 " + replaced(record, " 12 OA_", " 1 OA_") + " \n1 " + slow + " \n");
  std::string const movie = "movie " + quoted(path("slow.msnaps")) + " --size 8x8 --codec animation -o " +
                            quoted(path("m.mov"));
  auto const cancelled = signalled("INT", 2, movie);
  EXPECT_EQ(cancelled.exitCode, 1) << cancelled.err;
  EXPECT_EQ(orlenza::media::readMovie(path("m.mov")).rgbFrames.size(), 1u) << cancelled.err;
  fs::remove(path("m.mov"));
  for (char const* signal : {"TERM", "HUP"}) {
    signalled(signal, 2, movie);
    fs::remove(path("slow.msnaps"));
    fs::remove(path("slow.snaps"));
    EXPECT_TRUE(folderHoldsOnlyTheCapture()) << signal;
    write("slow.msnaps", "Qvtx 3\n0 " + replaced(record, " 12 OA_", " 1 OA_") + " \n1 " + slow + " \n");
  }
}

}  // namespace
