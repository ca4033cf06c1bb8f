#include "core/files/GradationFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/files/FileTestSupport.h"

namespace orlenza {
namespace {

using namespace testing_files;

using GradationFileTest = FileTest;

TEST_F(GradationFileTest, PositionsLoseAtMostOneStepOnce) {
  // One gradation with a key on every step, one with a key on 7 steps alone.
  auto every = std::make_shared<Gradation>();
  for (int s = 0; s <= 10000; ++s)
    every->setColor(KeyframePosition::fromSteps(s), RGBColor{static_cast<std::uint16_t>(s), 1, 2});
  auto seven = std::make_shared<Gradation>();
  seven->setColor(KeyframePosition::fromSteps(7), RGBColor{7, 7, 7});

  fs::path const path = folder / "steps.grads";
  {
    GradationFile file = GradationFile::createNew(path);
    file.records() = {every, seven};
    file.write();
  }
  std::string const first = contentOf(path);
  EXPECT_NE(first.find("\n3 0 0 0 0 0.000699999975041 7 7 7 1 65535 65535 65535 \n"), std::string::npos);

  GradationFile read(path, alerts);
  ASSERT_EQ(read.records().size(), 2u);
  Gradation const& back = *read.records()[0];
  // A step that loses one lands on a key already present, so its colour is gone.
  int lost = 0;
  for (int s = 0; s <= 10000; ++s) {
    KeyframePosition const p = KeyframePosition::fromSteps(s);
    if (!back.hasKeyColor(p)) {
      ++lost;
      continue;
    }
    EXPECT_EQ(back.getColor(p), (RGBColor{static_cast<std::uint16_t>(s), 1, 2})) << s;
  }
  EXPECT_EQ(lost, 570);  // about one in eighteen
  EXPECT_FALSE(back.hasKeyColor(KeyframePosition::fromSteps(7)));
  Gradation const& moved = *read.records()[1];
  EXPECT_EQ(moved.size(), 3u);
  EXPECT_EQ(moved.getColor(KeyframePosition::fromSteps(6)), (RGBColor{7, 7, 7}));

  // From the second write on, writing and reading change nothing.
  std::string const second = read.contents();
  EXPECT_NE(second, first);
  GradationFile again = GradationFile::fromContents(second, alerts);
  EXPECT_EQ(again.contents(), second);
  EXPECT_EQ(*again.records()[0], back);
  EXPECT_EQ(*again.records()[1], moved);
  EXPECT_TRUE(alerts.empty());
}

TEST_F(GradationFileTest, OddButReadableRecords) {
  struct Case {
    char const* what;
    std::string record;
    Gradation expected;
  };
  Gradation ends;
  ends.replaceEntry(KeyframePosition::fromSteps(0), RGBColor{1, 2, 3});
  ends.replaceEntry(KeyframePosition::fromSteps(10000), RGBColor{4, 5, 6});
  Gradation clamped;
  clamped.replaceEntry(KeyframePosition::fromSteps(0), RGBColor{9, 9, 9});
  Case const cases[] = {
      {"negative count", "-4 1 2 3", Gradation()},
      {"only the ends", "2 0 1 2 3 1 4 5 6 ", ends},
      // Outside 0..1 is invalid, and an invalid position is added at 0, where a key already stands.
      {"position outside the axis", "1 1.5 9 9 9 ", Gradation()},
      {"trailing tokens", "2 0 1 2 3 1 4 5 6 and more", ends},
  };
  for (auto const& c : cases) {
    SCOPED_TRACE(c.what);
    GradationFile file = GradationFile::fromContents("Qvtx 1\n" + c.record + "\n", alerts);
    EXPECT_EQ(file.getStatus(), RecordFileStatus::complete);
    ASSERT_EQ(file.records().size(), 1u);
    EXPECT_EQ(*file.records()[0], c.expected);
  }
  EXPECT_TRUE(alerts.empty());
  // A component above 16 bits does not fit: the keys before it are kept, not wrapped.
  auto const wide = GradationFile::fromContents("Qvtx 1\n3 0.5 1 2 3 0 65536 0 0 1 0 0 0 \n", alerts);
  EXPECT_EQ(wide.getStatus(), RecordFileStatus::complete);
  Gradation half;
  half.addEntry(KeyframePosition(0.5f), RGBColor{1, 2, 3});
  EXPECT_EQ(*wide.records().at(0), half);
}

}  // namespace
}  // namespace orlenza
