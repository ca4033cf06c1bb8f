// The renderer on files people keep: snapshot files, pictures it wrote, the
// built-in library, and what it says about broken ones.

#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "RendererRun.h"
#include "media/PngWriter.h"

namespace {

using RendererFilesTest = orlenza::testing_cli::RendererRun;
namespace fs = std::filesystem;

std::string quoted(fs::path const& p) { return "'" + p.string() + "'"; }

std::vector<std::string> linesOf(std::string const& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The record of a one-record file, with its last word (the name) replaced.
std::string renamed(std::string const& file, std::string const& name) {
  std::string record = linesOf(file).at(1);
  return record.substr(0, record.find_last_of(' ') + 1) + name;
}

std::vector<std::uint8_t> pixelsOf(fs::path const& picture) { return orlenza::media::readPngInfo(picture).pixels; }

TEST_F(RendererFilesTest, SnapshotFilesByIndexNameAndAll) {
  auto const defaults = run("snapshot --default EscParams");
  auto const random = run("snapshot --random EscParams --seed 3");
  ASSERT_EQ(defaults.exitCode, 0) << defaults.err;
  ASSERT_EQ(random.exitCode, 0) << random.err;
  auto const file = write("a.snaps", "Qvtx 3\n" + renamed(defaults.out, "First") + "\n" +
                                         renamed(random.out, "Blue_Night") + "\n");

  auto const info = run("info " + quoted(file));
  ASSERT_EQ(info.exitCode, 0) << info.err;
  EXPECT_EQ(linesOf(info.out), (std::vector<std::string>{"snapshot file, version 3, 2 records",
                                                         "0\tEscParams\tFirst", "1\tEscParams\tBlue Night"}));

  // A saved snapshot draws exactly what drawing it directly draws.
  ASSERT_EQ(run("render --default EscParams --size 40x30 -o " + quoted(path("direct.png"))).exitCode, 0);
  ASSERT_EQ(run("render " + quoted(file) + " --size 40x30 -o " + quoted(path("zero.png"))).exitCode, 0);
  // The pixels; the records differ in the name.
  EXPECT_TRUE(pixelsOf(path("zero.png")) == pixelsOf(path("direct.png")));

  // The name as read back, blanks and all.
  auto const byName = run("render " + quoted(file) + " --name 'Blue Night' --size 40x30 -o " + quoted(path("n.png")));
  ASSERT_EQ(byName.exitCode, 0) << byName.err;
  ASSERT_EQ(run("render " + quoted(file) + " --index 1 --size 40x30 -o " + quoted(path("one.png"))).exitCode, 0);
  EXPECT_TRUE(slurp(path("n.png")) == slurp(path("one.png")));
  EXPECT_FALSE(pixelsOf(path("n.png")) == pixelsOf(path("zero.png")));

  auto const all = run("render " + quoted(file) + " --all --size 40x30 -o " + quoted(path("out-%03d.png")));
  ASSERT_EQ(all.exitCode, 0) << all.err;
  EXPECT_TRUE(slurp(path("out-000.png")) == slurp(path("zero.png")));
  EXPECT_TRUE(slurp(path("out-001.png")) == slurp(path("one.png")));

  // A picture is made again from its record, at its own size or another.
  ASSERT_EQ(run("render " + quoted(path("one.png")) + " -o " + quoted(path("again.png"))).exitCode, 0);
  EXPECT_TRUE(slurp(path("again.png")) == slurp(path("one.png")));
  ASSERT_EQ(run("render " + quoted(path("one.png")) + " --size 64x48 -o " + quoted(path("big.png"))).exitCode, 0);
  auto const big = orlenza::media::readPngInfo(path("big.png"), false);
  EXPECT_EQ(big.width, 64);
  EXPECT_EQ(big.height, 48);
  auto const pictureInfo = run("info " + quoted(path("one.png")));
  ASSERT_EQ(pictureInfo.exitCode, 0) << pictureInfo.err;
  EXPECT_EQ(linesOf(pictureInfo.out).at(0), "PNG picture, 40x30, 8-bit");
  EXPECT_EQ(linesOf(pictureInfo.out).at(1), "0\tEscParams\tBlue Night");

  // --append adds to what the file holds; a new file starts with the record.
  ASSERT_EQ(run("snapshot --default EscParams -o " + quoted(file) + " --append").exitCode, 0);
  ASSERT_EQ(run("snapshot --default EscParams -o " + quoted(path("new.snaps")) + " --append").exitCode, 0);
  EXPECT_EQ(linesOf(run("info " + quoted(file)).out).at(0), "snapshot file, version 3, 3 records");
  EXPECT_EQ(slurp(path("new.snaps")), defaults.out);
}

TEST_F(RendererFilesTest, BuiltinLibrary) {
  auto const builtins = run("list builtins");
  ASSERT_EQ(builtins.exitCode, 0) << builtins.err;
  // The counts are the core's; this pins the listing's form.
  EXPECT_NE(builtins.out.find("categ_phaseplane\t7\t"), std::string::npos) << "fewer than 8 phase-plane pictures";
  auto const gradations = run("list gradations");
  ASSERT_EQ(gradations.exitCode, 0) << gradations.err;
  EXPECT_GE(linesOf(gradations.out).size(), 32u);

  auto const start = run("render --builtin EscParams --index 0 --size 32x32 -o " + quoted(path("a.png")));
  ASSERT_EQ(start.exitCode, 0) << start.err;
  EXPECT_EQ(orlenza::media::readPngInfo(path("a.png"), false).width, 32);

  auto const unknown = run("render --builtin Nope -o " + quoted(path("b.png")));
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_NE(unknown.err.find("EscParams, Halley, Biomorph, categ_phaseplane"), std::string::npos) << unknown.err;
  auto const far = run("render --builtin EscParams --index 9999 -o " + quoted(path("b.png")));
  EXPECT_EQ(far.exitCode, 2);
  EXPECT_NE(far.err.find("out of range"), std::string::npos) << far.err;
  // One past the last picture of a category is out of range too, not a missing picture.
  auto const listed = linesOf(builtins.out);
  auto const pictures = std::count_if(listed.begin(), listed.end(), [](auto const& l) { return l.rfind("Halley\t", 0) == 0; });
  auto const past = run("render --builtin Halley --index " + std::to_string(pictures) + " -o " + quoted(path("b.png")));
  EXPECT_EQ(past.exitCode, 2) << past.err;
  EXPECT_NE(past.err.find("out of range"), std::string::npos) << past.err;
  EXPECT_FALSE(fs::exists(path("b.png")));
}

TEST_F(RendererFilesTest, BrokenFilesAndBadChoices) {
  auto const record = linesOf(run("snapshot --default EscParams").out).at(1);
  write("good.snaps", "Qvtx 3\n" + record + "\n");
  write("broken.snaps", "Qvtx 3\n" + record + "\nEscParams 1 2 three\n" + record + "\n");
  write("later.snaps", "Qvtx 9\n" + record + "\n");
  write("header.snaps", "Vtx 3\n" + record + "\n");
  write("stranger.snaps", "Qvtx 3\nNoSuchKind 1 2 3\n");
  write("notes.txt", "hello\n");
  write("plain.png", "");
  fs::create_directory(path("folder.snaps"));
  {
    orlenza::media::writePng(path("stranger.png"), orlenza::RgbImage16(2, 2));
  }
  std::string const out = " -o " + quoted(path("x.png"));

  struct Case {
    std::string arguments;
    int exitCode;
    std::string mentions;
  };
  Case const cases[] = {
      {"render " + quoted(path("good.snaps")) + " --index 1" + out, 2, "holds 1 snapshots, 0 to 0"},
      {"render " + quoted(path("good.snaps")) + " --index -1" + out, 2, "--index"},
      {"render " + quoted(path("good.snaps")) + " --index x" + out, 2, "--index"},
      {"render " + quoted(path("good.snaps")) + " --name Nobody" + out, 2, "Nobody"},
      {"render " + quoted(path("good.snaps")) + " --all" + out, 2, "%d"},
      {"render " + quoted(path("broken.snaps")) + " --index 1" + out, 1, "invalid from line 3"},
      {"render " + quoted(path("later.snaps")) + out, 1, "snapshot 0 was not read"},
      {"render " + quoted(path("header.snaps")) + out, 1, "was not read"},
      {"render " + quoted(path("stranger.snaps")) + out, 1, "was not read"},
      {"render " + quoted(path("missing.snaps")) + out, 1, "cannot read"},
      {"render " + quoted(path("folder.snaps")) + out, 1, "cannot read"},
      {"render " + quoted(path("notes.txt")) + out, 2, "neither"},
      {"render " + quoted(path("plain.png")) + out, 1, "not a PNG"},
      {"render " + quoted(path("stranger.png")) + out, 1, "no snapshot record"},
      {"render " + quoted(path("good.snaps")) + " --default EscParams" + out, 2, "only one"},
      {"info " + quoted(path("notes.txt")), 2, "cannot tell"},
      {"info " + quoted(path("folder.snaps")), 1, "cannot read"},
      {"info " + quoted(path("broken.snaps")), 1, "line 3"},
      {"snapshot --default EscParams --append", 2, "--append"},
      {"snapshot --default EscParams -o " + quoted(path("later.snaps")) + " --append", 1, "left untouched"},
  };
  for (auto const& c : cases) {
    auto const result = run(c.arguments);
    EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments << "\n" << result.err;
    EXPECT_NE(result.err.find(c.mentions), std::string::npos) << c.arguments << "\n" << result.err;
    EXPECT_FALSE(fs::exists(path("x.png"))) << c.arguments;
  }
  // The file that was refused is as it was.
  EXPECT_EQ(slurp(path("later.snaps")), "Qvtx 9\n" + record + "\n");

  // A record kept before the fault still renders, with the file's alert as a warning.
  auto const kept = run("render " + quoted(path("broken.snaps")) + " --index 0 --size 8x8" + out);
  EXPECT_EQ(kept.exitCode, 0) << kept.err;
  EXPECT_NE(kept.err.find("warning: "), std::string::npos) << kept.err;
  auto const listed = run("info " + quoted(path("broken.snaps")));
  EXPECT_EQ(linesOf(listed.out).at(0), "snapshot file, version 3, 1 record");

  // Keyframes that a timeline would drop are named, not dropped.
  write("movie.msnaps", "Qvtx 3\n0 " + record + " \n0.5 " + record + " \n0.5 " + record + " \n1.5 " + record + " \n");
  auto const movie = run("info " + quoted(path("movie.msnaps")));
  ASSERT_EQ(movie.exitCode, 0) << movie.err;
  auto const lines = linesOf(movie.out);
  ASSERT_GE(lines.size(), 7u) << movie.out;
  EXPECT_EQ(lines.at(0), "movie keyframe file, version 3, 4 records");
  EXPECT_EQ(lines.at(2).rfind("1\t0.5\tEscParams\t", 0), 0u) << lines.at(2);
  EXPECT_EQ(lines.at(5).rfind("note: ", 0), 0u) << movie.out;
  EXPECT_EQ(lines.at(6).rfind("note: ", 0), 0u) << movie.out;
}

}  // namespace
