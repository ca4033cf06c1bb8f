#include "core/files/MovieFrameFile.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/files/FileTestSupport.h"

namespace orlenza {
namespace {

using namespace testing_files;
using Kind = KeyframeProblem::Kind;

std::string keyframeLine(std::string const& position) { return position + " " + kDefaultRecord + " \n"; }

std::shared_ptr<FullKeyframe> keyframeAt(int steps, std::string const& name) {
  return std::make_shared<FullKeyframe>(sampleSnapshot(name, steps / 10000.0), KeyframePosition::fromSteps(steps));
}

using MovieFrameFileTest = FileTest;

TEST_F(MovieFrameFileTest, RecordText) {
  FullKeyframe const made(std::make_shared<SnapshotEscapeParams>(), KeyframePosition(0.5));
  EXPECT_EQ(MovieFrameFile::formatContents({std::make_shared<FullKeyframe>(made)}),
            "Qvtx 3\n" + keyframeLine("0.5"));

  FullKeyframe const empty(2);
  std::ostringstream os;
  os << empty;
  EXPECT_TRUE(os.fail());  // nothing to write without a snapshot
  EXPECT_THROW((void)MovieFrameFile::formatContents({std::make_shared<FullKeyframe>(empty)}), std::invalid_argument);
}

TEST_F(MovieFrameFileTest, RoundTripIsStableFromTheSecondWrite) {
  fs::path const path = folder / "timeline.msnaps";
  {
    MovieFrameFile file = MovieFrameFile::createNew(path);
    file.records() = {keyframeAt(0, "start"), keyframeAt(7, "early"), keyframeAt(5000, "middle"),
                      keyframeAt(10000, "end")};
    file.write();
  }
  std::string const first = contentOf(path);
  EXPECT_NE(first.find("\n0.000699999975041 EscParams "), std::string::npos);
  MovieFrameFile read(path, alerts);
  ASSERT_EQ(read.records().size(), 4u);
  std::vector<int> steps;
  for (auto const& k : read.records()) {
    steps.push_back(k->getPosition().getSteps());
    EXPECT_EQ(k->getSnapshot()->getVersion(), 3);
  }
  EXPECT_EQ(steps, (std::vector<int>{0, 6, 5000, 10000}));  // 0.0007 truncates to 6 steps
  EXPECT_TRUE(read.findKeyframeProblems().empty());

  std::string const second = read.contents();
  EXPECT_NE(second, first);
  MovieFrameFile again = MovieFrameFile::fromContents(second, alerts);
  EXPECT_EQ(again.contents(), second);
  for (std::size_t i = 0; i < 4; ++i)
    EXPECT_TRUE(again.records()[i]->getSnapshot()->isEqual(*read.records()[i]->getSnapshot()));
  EXPECT_TRUE(alerts.empty());
}

TEST_F(MovieFrameFileTest, EveryKeyframeIsKeptAndItsProblemsListed) {
  std::string const bytes = "Qvtx 3\n" + keyframeLine("0.5") + keyframeLine("0.25") + keyframeLine("0.50001") +
                            keyframeLine("1.5") + keyframeLine("-0.2") + keyframeLine("nan") +
                            keyframeLine("0.25") + keyframeLine("1");
  MovieFrameFile file = MovieFrameFile::fromContents(bytes, alerts);
  EXPECT_EQ(file.getStatus(), RecordFileStatus::complete);
  EXPECT_TRUE(alerts.empty());
  ASSERT_EQ(file.records().size(), 8u);
  std::vector<KeyframeProblem> const expected = {
      {Kind::samePosition, 2, 0, KeyframePosition::fromSteps(5000)},  // 0.50001 is the same step as 0.5
      {Kind::outsideAxis, 3, 3, KeyframePosition()},
      {Kind::outsideAxis, 4, 4, KeyframePosition()},
      {Kind::outsideAxis, 5, 5, KeyframePosition()},
      {Kind::samePosition, 6, 1, KeyframePosition::fromSteps(2500)},
  };
  auto const problems = file.findKeyframeProblems();
  ASSERT_EQ(problems, expected);
  EXPECT_EQ(describeKeyframeProblem(problems[0]), "keyframe 2 is at 0.5, like keyframe 0");
  EXPECT_EQ(describeKeyframeProblem(problems[1]), "keyframe 3 lies outside 0..1");
  EXPECT_EQ(describeKeyframeProblem(problems[4]), "keyframe 6 is at 0.25, like keyframe 1");

  MovieFrameFile::Records withHole = file.records();
  withHole.push_back(nullptr);
  auto const more = findKeyframeProblems(withHole);
  ASSERT_EQ(more.size(), expected.size() + 1);
  EXPECT_EQ(more.back().kind, Kind::noSnapshot);
  EXPECT_EQ(describeKeyframeProblem(more.back()), "keyframe 8 has no snapshot");
}

TEST_F(MovieFrameFileTest, BadKeyframeRecordsRejectTheFile) {
  std::string const good = "Qvtx 3\n" + keyframeLine("0");
  struct Case {
    char const* what;
    std::string bytes;
    RecordFileStatus status;
    std::vector<Alert> alerts;
    std::size_t records;
  } const cases[] = {
      {"newer version", "Qvtx 4\n" + keyframeLine("0"), RecordFileStatus::laterVersion, {kLater}, 0},
      {"unknown generator", good + "0.5 Quot" + kDefaultRecord.substr(9) + " \n" + keyframeLine("1"),
       RecordFileStatus::invalidRecord, {kInvalid}, 1},
      {"letter for the position", good + keyframeLine("half"), RecordFileStatus::invalidRecord, {kInvalid}, 1},
      {"snapshot without position", good + kDefaultRecord + "\n", RecordFileStatus::invalidRecord, {kInvalid}, 1},
      {"truncated snapshot", good + keyframeLine("0.5").substr(0, 80) + "\n", RecordFileStatus::invalidRecord,
       {kInvalid}, 1},
      {"10 MB position", good + keyframeLine(std::string(10 << 20, '0')), RecordFileStatus::invalidRecord,
       {kInvalid}, 1},
      {"CR line ends", "Qvtx 3\r\n" + keyframeLine("0").substr(0, keyframeLine("0").size() - 1) + "\r\n",
       RecordFileStatus::complete, {}, 1},
  };
  for (auto const& c : cases) {
    SCOPED_TRACE(c.what);
    alerts.clear();
    fs::path const path = folder / "case.msnaps";
    put(path, c.bytes);
    {
      MovieFrameFile file(path, alerts);
      EXPECT_EQ(file.getStatus(), c.status);
      EXPECT_EQ(alerts.alerts(), c.alerts);
      EXPECT_EQ(file.records().size(), c.records);
      EXPECT_EQ(file.isReadOnly(), c.status != RecordFileStatus::complete);
      file.setModified();
    }
    if (c.status != RecordFileStatus::complete) {
      EXPECT_EQ(contentOf(path), c.bytes);  // never rewritten
    }
  }
}

}  // namespace
}  // namespace orlenza
