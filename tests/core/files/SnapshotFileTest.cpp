#include "core/files/SnapshotFile.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/files/FileTestSupport.h"
#include "core/model/SnapshotFactory.h"

namespace orlenza {
namespace {

using namespace testing_files;
using SnapshotFileTest = FileTest;

TEST_F(SnapshotFileTest, RoundTripIsStableFromTheSecondWrite) {
  fs::path const path = folder / "pictures.snaps";
  std::vector<std::shared_ptr<Snapshot>> const originals = {
      std::make_shared<SnapshotEscapeParams>(), sampleSnapshot("three word name", 0),
      sampleSnapshot("under_score", 1e-300), sampleSnapshot("", -2.5)};
  {
    SnapshotFile file = SnapshotFile::createNew(path);
    file.records() = originals;
    file.write();
  }
  std::string const first = contentOf(path);
  EXPECT_EQ(first.substr(0, 7 + kDefaultRecord.size() + 1), "Qvtx 3\n" + kDefaultRecord + "\n");
  // The key at 7 steps is written with 12 digits of its float.
  EXPECT_NE(first.find(" 0.000699999975041 1 2 3 "), std::string::npos);

  std::string second;
  {
    SnapshotFile file(path, alerts);
    ASSERT_EQ(file.records().size(), originals.size());
    EXPECT_TRUE(file.records()[0]->isEqual(*originals[0]));
    for (auto const& s : file.records()) EXPECT_EQ(s->getVersion(), 3);
    EXPECT_EQ(file.records()[2]->getName(), "under score");
    EXPECT_EQ(file.records()[3]->getName(), "?");
    second = file.contents();
    file.write();
  }
  EXPECT_EQ(contentOf(path), second);
  EXPECT_NE(second, first);
  EXPECT_NE(second.find(" 0.000600000028498 1 2 3 "), std::string::npos);
  {
    SnapshotFile file(path, alerts);
    EXPECT_EQ(file.contents(), second);
  }
  EXPECT_TRUE(alerts.empty());
}

TEST_F(SnapshotFileTest, VersionTwoIsReadAsVersionTwoAndRewrittenAsThree) {
  // No geometry block and no second post-filter in version 2.
  std::string const v2 =
      "Qvtx 2\n"
      "EscParams 0.5 -0.25 2 10 0 1 2 0 0 0 0 1 65535 65535 65535 1 0 pf_none 0 norm_lin 512 0 1  "
      "1 2 3 4 5 6 7 8 9 10 11 12 OA_Dwell old_one\n";
  fs::path const path = folder / "old.snaps";
  put(path, v2);
  {
    SnapshotFile file(path, alerts);
    EXPECT_EQ(file.getStatus(), RecordFileStatus::complete);
    EXPECT_EQ(file.getFileVersion(), 2);
    ASSERT_EQ(file.records().size(), 1u);
    EXPECT_EQ(file.records()[0]->getVersion(), 2);
    EXPECT_EQ(file.records()[0]->getCore().getNorm(), 512.0);
    // Unchanged, it stays as it is.
  }
  EXPECT_EQ(contentOf(path), v2);
  std::shared_ptr<Snapshot> read;
  {
    SnapshotFile file(path, alerts);
    read = file.records()[0];
    EXPECT_TRUE(file.renameSnap(0, "renamed"));
  }
  std::string const v3 = contentOf(path);
  EXPECT_EQ(v3.rfind("Qvtx 3\nEscParams 0.5 -0.25 2 10 0 1 geom_null ", 0), 0u) << v3;
  SnapshotFile again(path, alerts);
  ASSERT_EQ(again.records().size(), 1u);
  EXPECT_EQ(again.records()[0]->getVersion(), 3);
  EXPECT_TRUE(again.records()[0]->isEqual(*read));
  EXPECT_EQ(again.records()[0]->getName(), "renamed");
  EXPECT_TRUE(alerts.empty());
}

TEST_F(SnapshotFileTest, BadSnapshotRecordsRejectTheFile) {
  std::string const good = "Qvtx 3\n" + kDefaultRecord + "\n";
  std::string const coreEnd = "norm_lin 256 0 1  ";
  std::size_t const params = kDefaultRecord.find(coreEnd) + coreEnd.size();
  auto withGeometry = [&](std::string const& geometry) {
    std::string record = kDefaultRecord;
    record.replace(record.find("geom_null"), 9, geometry);
    return record;
  };
  struct Case {
    char const* what;
    std::string bytes;
    RecordFileStatus status;
    std::vector<Alert> alerts;
    std::size_t records;
  } const cases[] = {
      {"good", good + kDefaultRecord + "\n", RecordFileStatus::complete, {}, 2},
      {"newer version", "Qvtx 4\n" + kDefaultRecord + "\n", RecordFileStatus::laterVersion, {kLater}, 0},
      {"unknown generator", good + "Mandala" + kDefaultRecord.substr(9) + "\n" + kDefaultRecord + "\n",
       RecordFileStatus::invalidRecord, {kInvalid}, 1},
      {"unknown geometry", good + withGeometry("geom_cube") + "\n", RecordFileStatus::invalidRecord, {kInvalid}, 1},
      {"truncated in the core", good + kDefaultRecord.substr(0, 60) + "\n", RecordFileStatus::invalidRecord,
       {kInvalid}, 1},
      {"truncated before the name", good + kDefaultRecord.substr(0, kDefaultRecord.size() - 2) + "\n",
       RecordFileStatus::invalidRecord, {kInvalid}, 1},
      {"letter for a coefficient", good + kDefaultRecord.substr(0, params) + "x" + kDefaultRecord.substr(params + 4) +
                                       "\n",
       RecordFileStatus::invalidRecord, {kInvalid}, 1},
      {"10 MB coefficient", good + kDefaultRecord.substr(0, params) + std::string(10 << 20, '1') + " " +
                                kDefaultRecord.substr(params + 5) + "\n",
       RecordFileStatus::invalidRecord, {kInvalid}, 1},
      {"10 MB identifier", good + std::string(10 << 20, 'E') + "\n", RecordFileStatus::invalidRecord, {kInvalid}, 1},
      {"NUL in the identifier", good + std::string("Esc\0Params", 10) + kDefaultRecord.substr(9) + "\n",
       RecordFileStatus::invalidRecord, {kInvalid}, 1},
      {"a gradation file", "Qvtx 1\n2 0 0 0 0 1 65535 65535 65535 \n", RecordFileStatus::invalidRecord, {kInvalid},
       0},
  };
  for (auto const& c : cases) {
    SCOPED_TRACE(c.what);
    alerts.clear();
    SnapshotFile file = SnapshotFile::fromContents(c.bytes, alerts);
    EXPECT_EQ(file.getStatus(), c.status);
    EXPECT_EQ(alerts.alerts(), c.alerts);
    ASSERT_EQ(file.records().size(), c.records);
    for (auto const& s : file.records()) EXPECT_TRUE(s->isEqual(SnapshotEscapeParams()));
  }
}

TEST_F(SnapshotFileTest, RenameSnap) {
  fs::path const path = folder / "names.snaps";
  {
    SnapshotFile file = SnapshotFile::createNew(path);
    file.records() = {sampleSnapshot("a", 0), sampleSnapshot("b", 1)};
    EXPECT_TRUE(file.renameSnap(1, "new name"));
    EXPECT_TRUE(file.isModified());
    for (int bad : {-1, 2}) {
      file.setModified(false);
      EXPECT_THROW(file.renameSnap(bad, "x"), std::out_of_range) << bad;
      EXPECT_FALSE(file.isModified());
    }
    file.setModified();
  }
  SnapshotFile file(path, alerts);
  EXPECT_EQ(file.records()[1]->getName(), "new name");

  SnapshotFile builtIn = SnapshotFile::fromContents(file.contents(), alerts);
  EXPECT_FALSE(builtIn.renameSnap(0, "changed"));
  EXPECT_EQ(builtIn.records()[0]->getName(), "a");
  EXPECT_FALSE(builtIn.isModified());
}

TEST_F(SnapshotFileTest, MovingHandsOverTheDutyToWrite) {
  fs::path const a = folder / "a.snaps";
  fs::path const b = folder / "b.snaps";
  {
    SnapshotFile first = SnapshotFile::createNew(a);
    first.records().push_back(sampleSnapshot("in a", 0));
    first.setModified();
    SnapshotFile moved(std::move(first));
    EXPECT_FALSE(first.isOpen());  // NOLINT(bugprone-use-after-move): the moved-from file is the null file
    EXPECT_TRUE(moved.isModified());

    SnapshotFile second = SnapshotFile::createNew(b);
    second.records().push_back(sampleSnapshot("in b", 0));
    second.setModified();
    second = std::move(moved);  // b is written now, a when `second` goes
    EXPECT_GT(fs::file_size(b), 0u);
    EXPECT_EQ(fs::file_size(a), 0u);  // made empty, written when `second` goes
    EXPECT_EQ(second.getPath(), a);
  }
  EXPECT_EQ(SnapshotFile(a, alerts).records()[0]->getName(), "in a");
  EXPECT_EQ(SnapshotFile(b, alerts).records()[0]->getName(), "in b");
  EXPECT_EQ(folder.names(), (std::vector<std::string>{"a.snaps", "b.snaps"}));
}

}  // namespace
}  // namespace orlenza
