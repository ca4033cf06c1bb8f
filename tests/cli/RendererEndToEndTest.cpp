#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "RendererRun.h"
#include "media/PngWriter.h"

namespace {

using RendererTest = orlenza::testing_cli::RendererRun;
namespace fs = std::filesystem;

TEST_F(RendererTest, RendersTheDefaultPictureWithItsRecord) {
  auto const result = run("render --default EscParams --size 31x17 -o '" + path("a.png").string() + "'");
  ASSERT_EQ(result.exitCode, 0) << result.err;
  auto const info = orlenza::media::readPngInfo(path("a.png"));
  EXPECT_EQ(info.width, 31);
  EXPECT_EQ(info.height, 17);
  auto const* record = info.findText(orlenza::media::kSnapshotTextKeyword);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->text.rfind("EscParams ", 0), 0u) << record->text;

  // The record is the one 'snapshot' prints.
  auto const printed = run("snapshot --default EscParams");
  ASSERT_EQ(printed.exitCode, 0) << printed.err;
  EXPECT_EQ(printed.out, "Qvtx 3\n" + record->text + "\n");

  // 16-bit: the high bytes are the 8-bit picture.
  ASSERT_EQ(run("render --default EscParams --size 31x17 --depth 16 -o '" + path("b.png").string() + "'").exitCode, 0);
  auto const deep = orlenza::media::readPngInfo(path("b.png"));
  ASSERT_EQ(deep.bitDepth, 16);
  ASSERT_EQ(deep.pixels.size(), 2 * info.pixels.size());
  for (std::size_t i = 0; i < info.pixels.size(); ++i) ASSERT_EQ(deep.pixels[2 * i], info.pixels[i]) << i;
}

TEST_F(RendererTest, ASeedGivesTheSamePictureEveryTime) {
  auto const render = [&](std::string const& seed, std::string const& name) {
    auto const result =
        run("render --random EscParams --seed " + seed + " --size 24x24 -o '" + path(name).string() + "'");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return slurp(path(name));
  };
  auto const first = render("7", "a.png");
  EXPECT_FALSE(first.empty());
  EXPECT_EQ(render("7", "b.png"), first);
  EXPECT_NE(render("4294967295", "c.png"), first);  // the top of the range is taken as it is

  // Without a seed, the one drawn is told so the picture can be made again.
  auto const unseeded = run("snapshot --random EscParams");
  ASSERT_EQ(unseeded.exitCode, 0);
  EXPECT_NE(unseeded.err.find("random seed "), std::string::npos) << unseeded.err;
}

TEST_F(RendererTest, ListsGeneratorsAndBadInputGetsOneSentenceAndNoFile) {
  struct Case {
    std::string arguments;
    int exitCode;
    std::string mentions;
  };
  std::string const out = " -o '" + path("x.png").string() + "'";
  // Every generator in catalogue order, and whichever is not built yet, if one is left.
  auto const list = run("list generators");
  ASSERT_EQ(list.exitCode, 0);
  std::istringstream lines(list.out);
  std::string line, first, last, unbuilt;
  int count = 0;
  for (; std::getline(lines, line); ++count) {
    (count == 0 ? first : last) = line;
    std::istringstream fields(line);
    std::string category, identifier;
    if (unbuilt.empty() && line.find("not built yet") != std::string::npos && fields >> category >> identifier)
      unbuilt = identifier;
  }
  EXPECT_EQ(count, 21);
  EXPECT_EQ(first.rfind("categ_fractals\tEscParams\t", 0), 0u) << first;
  EXPECT_EQ(first.find("not built"), std::string::npos);
  EXPECT_EQ(last.rfind("categ_lines\tCurves\t", 0), 0u) << last;
  std::vector<Case> cases = {
      {"render --default EscParams --size 0x10" + out, 2, "--size"},
      {"render --default EscParams --size axb" + out, 2, "--size"},
      {"render --default EscParams --size 2049x16" + out, 2, "--size"},
      {"render --default NoSuchThing" + out, 2, "NoSuchThing"},
      {"render --random EscParams --seed abc" + out, 2, "--seed"},
      {"render --random EscParams --seed 4294967296" + out, 2, "--seed"},
      {"render --default EscParams --threads 0" + out, 2, "--threads"},
      {"render --default EscParams --depth 12" + out, 2, "--depth"},
      {"render --default EscParams --bogus" + out, 2, "--bogus"},
      {"render" + out, 2, "--default"},
      {"frobnicate", 2, "frobnicate"},
      {"render --default EscParams -o '" + path("missing/x.png").string() + "'", 1, "does not exist"},
      {"render --default EscParams -o '" + path("stdout.txt/x.png").string() + "'", 1, "cannot write"},
  };
  if (!unbuilt.empty()) cases.push_back({"render --default " + unbuilt + out, 1, "not built yet"});
  for (auto const& c : cases) {
    auto const result = run(c.arguments);
    EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments << "\n" << result.err;
    EXPECT_NE(result.err.find(c.mentions), std::string::npos) << c.arguments << "\n" << result.err;
    // One sentence, one line.
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << c.arguments << "\n" << result.err;
    EXPECT_TRUE(folderHoldsOnlyTheCapture()) << c.arguments;
  }
}

}  // namespace
