#include "core/files/GenericFile.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <string>
#include <vector>

#include "core/files/GradationFile.h"
#include "core/files/SnapshotFile.h"
#include "core/files/FileTestSupport.h"

namespace orlenza {
namespace {

using namespace testing_files;

std::string const kDefaultGradation = "2 0 0 0 0 1 65535 65535 65535 ";
std::string const kThreeKeys = "3 0 10 20 30 0.5 1 2 3 1 65535 0 0 ";

Gradation threeKeys() {
  Gradation g;
  g.replaceEntry(KeyframePosition::fromSteps(0), RGBColor{10, 20, 30});
  g.addEntry(KeyframePosition::fromSteps(5000), RGBColor{1, 2, 3});
  g.replaceEntry(KeyframePosition::fromSteps(10000), RGBColor{65535, 0, 0});
  return g;
}

using GenericFileTest = FileTest;

TEST_F(GenericFileTest, NullFileCannotBeWritten) {
  GradationFile file;
  EXPECT_TRUE(file.isReadOnly());
  EXPECT_THROW(file.write(), FileWriteError);
}

TEST_F(GenericFileTest, WritesHeaderAndOneLinePerRecord) {
  fs::path const path = folder / "two.grads";
  {
    GradationFile file = GradationFile::createNew(path);
    ASSERT_TRUE(file.isOpen());
    file.records().push_back(std::make_shared<Gradation>());
    file.records().push_back(std::make_shared<Gradation>(threeKeys()));
    file.setModified();
    file.write();
    EXPECT_FALSE(file.isModified());
  }
  EXPECT_EQ(contentOf(path), "Qvtx 1\n" + kDefaultGradation + "\n" + kThreeKeys + "\n");

  // A collection that shrinks leaves no stale lines; an empty one is the header alone.
  GradationFile file(path, alerts);
  ASSERT_EQ(file.records().size(), 2u);
  file.records().erase(file.records().begin());
  file.write();
  EXPECT_EQ(contentOf(path), "Qvtx 1\n" + kThreeKeys + "\n");
  file.records().clear();
  file.write();
  EXPECT_EQ(contentOf(path), "Qvtx 1\n");
  EXPECT_TRUE(GradationFile(path, alerts).records().empty());
  EXPECT_TRUE(alerts.empty());
  EXPECT_EQ(folder.names(), std::vector<std::string>{"two.grads"});
}

TEST_F(GenericFileTest, NewFileIsMadeEmptyAndWrittenWithItsFirstRecord) {
  fs::path const fresh = folder / "fresh.snaps";
  fs::path const replaced = folder / "replaced.snaps";
  put(replaced, "the user chose to replace this");
  for (fs::path const& path : {fresh, replaced}) {
    SnapshotFile file = SnapshotFile::createNew(path);
    ASSERT_TRUE(file.isOpen());
    file.setModified();
    file.write();  // nothing to write yet
  }
  EXPECT_EQ(contentOf(fresh), "");
  EXPECT_EQ(contentOf(replaced), "the user chose to replace this");

  // The destructor writes a changed file as a fallback.
  {
    SnapshotFile file = SnapshotFile::createNew(fresh);
    file.records().push_back(sampleSnapshot("first", 0));
    file.setModified();
  }
  std::string const written = contentOf(fresh);
  EXPECT_EQ(written.rfind("Qvtx 3\nEscParams ", 0), 0u) << written;
  // Once on disk, emptying it is written like any other change.
  {
    SnapshotFile file(fresh, alerts);
    ASSERT_EQ(file.records().size(), 1u);
    file.records().clear();
    file.setModified();
  }
  EXPECT_EQ(contentOf(fresh), "Qvtx 3\n");
  // Not modified: never rewritten, even if the records differ from the disk.
  put(fresh, written);
  {
    SnapshotFile file(fresh, alerts);
    file.records().clear();
  }
  EXPECT_EQ(contentOf(fresh), written);
  EXPECT_TRUE(alerts.empty());
}

TEST_F(GenericFileTest, PathsThatCannotHoldAFile) {
  fs::create_directory(folder / "sub");
  put(folder / "plain", "x");
  ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
  struct Case {
    fs::path path;
    std::string failure;
  } const openCases[] = {
      {folder / "missing.snaps", "No such file or directory"},
      {folder / "sub", "Is a directory"},
      {folder / "pipe", "not a regular file"},  // opening it would block
      {"/dev/zero", "not a regular file"},      // reading it would never end
      {folder / "plain" / "x.snaps", "Not a directory"},
      {"", "No such file or directory"},
  };
  for (auto const& c : openCases) {
    SCOPED_TRACE(c.path.string());
    SnapshotFile file(c.path, alerts);
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(file.getOpenFailure(), c.failure);
    EXPECT_THROW(file.write(), FileWriteError);
  }
  struct NewCase {
    fs::path path;
    std::string failure;
  } const newCases[] = {
      {folder / "sub", "Is a directory"},
      {folder / "sub" / "", "Is a directory"},
      {folder / "missing" / "x.snaps", "No such file or directory"},
      {folder / "plain" / "x.snaps", "Not a directory"},
      {"", "Is a directory"},
  };
  for (auto const& c : newCases) {
    SCOPED_TRACE(c.path.string());
    SnapshotFile file = SnapshotFile::createNew(c.path);
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(file.getOpenFailure(), c.failure);
  }
  EXPECT_TRUE(alerts.empty());
}

TEST_F(GenericFileTest, UnreadableAndReadOnlyFiles) {
  if (runningAsRoot()) GTEST_SKIP() << "root reads and writes whatever the permissions say";
  fs::path const locked = folder / "locked.grads";
  put(locked, "Qvtx 1\n" + kThreeKeys + "\n");
  ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
  {
    GradationFile file(locked, alerts);
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(file.getOpenFailure(), "Permission denied");
    EXPECT_TRUE(alerts.empty());
  }

  // Read-only by its permissions, or by its folder (a rewrite needs a new file beside it).
  fs::path const readOnly = folder / "readonly.grads";
  fs::create_directory(folder / "closed");
  fs::path const inClosedFolder = folder / "closed" / "inside.grads";
  std::string const bytes = "Qvtx 1\n" + kThreeKeys + "\n";
  put(readOnly, bytes);
  put(inClosedFolder, bytes);
  ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
  ASSERT_EQ(::chmod((folder / "closed").c_str(), 0555), 0);
  for (fs::path const& path : {readOnly, inClosedFolder}) {
    SCOPED_TRACE(path.string());
    alerts.clear();
    {
      GradationFile file(path, alerts);
      ASSERT_TRUE(file.isOpen());
      EXPECT_TRUE(file.isReadOnly());
      EXPECT_EQ(alerts.alerts(), std::vector<Alert>{kReadOnly});
      ASSERT_EQ(file.records().size(), 1u);
      EXPECT_EQ(*file.records()[0], threeKeys());
      file.records().clear();  // a careless caller
      file.setModified();
      EXPECT_THROW(file.write(), FileWriteError);
    }
    EXPECT_EQ(contentOf(path), bytes);
  }
}

// Bad input of the container itself; the record readers have their own tables.
TEST_F(GenericFileTest, ContainerEdgeCases) {
  std::string const good = "Qvtx 1\n" + kThreeKeys + "\n";
  struct Case {
    char const* what;
    std::string bytes;
    RecordFileStatus status;
    std::vector<Alert> alerts;
    std::size_t records;
    std::size_t failedLine;
    int fileVersion;
  } const cases[] = {
      {"empty file", "", RecordFileStatus::complete, {}, 0, 0, 0},
      {"blank lines only", "\n\n  \t\n\r\n", RecordFileStatus::complete, {}, 0, 0, 0},
      {"header alone", "Qvtx 1\n", RecordFileStatus::complete, {}, 0, 0, 1},
      {"last record without LF", "Qvtx 1\n" + kThreeKeys, RecordFileStatus::complete, {}, 1, 0, 1},
      {"blank lines around", "\n\nQvtx 1\n\n" + kThreeKeys + "\n   \n\n" + kThreeKeys + "\n\n",
       RecordFileStatus::complete, {}, 2, 0, 1},
      {"CR LF line ends", "Qvtx 1\r\n" + kThreeKeys + "\r\n" + kThreeKeys + "\r\n", RecordFileStatus::complete, {}, 2,
       0, 1},
      {"more on the header line", "Qvtx 1 written by hand\n" + kThreeKeys + "\n", RecordFileStatus::complete, {}, 1,
       0, 1},
      {"no header", kThreeKeys + "\n", RecordFileStatus::invalidHeader, {kInvalid}, 0, 1, 0},
      {"wrong tag", "Qvtz 1\n" + kThreeKeys + "\n", RecordFileStatus::invalidHeader, {kInvalid}, 0, 1, 0},
      {"tag glued to version", "Qvtx1\n", RecordFileStatus::invalidHeader, {kInvalid}, 0, 1, 0},
      {"no version (version 0)", "Qvtx\n" + kThreeKeys + "\n", RecordFileStatus::laterVersion, {kLater}, 0, 1, 0},
      {"version not a number", "\nQvtx one\n", RecordFileStatus::laterVersion, {kLater}, 0, 2, 0},
      {"CR line ends", "Qvtx 1\r" + kThreeKeys + "\r\r" + kThreeKeys, RecordFileStatus::complete, {}, 2, 0, 1},
      {"mixed line ends", "Qvtx 1\r\n" + kThreeKeys + "\r" + kThreeKeys + "\n", RecordFileStatus::complete, {}, 2, 0, 1},
      {"newer version", "Qvtx 2\n" + kThreeKeys + "\n", RecordFileStatus::laterVersion, {kLater}, 0, 1, 2},
      {"version zero", "Qvtx 0\n" + kThreeKeys + "\n", RecordFileStatus::laterVersion, {kLater}, 0, 1, 0},
      {"negative version", "Qvtx -3\n", RecordFileStatus::laterVersion, {kLater}, 0, 1, -3},
      {"huge version", "Qvtx 99999999999999\n", RecordFileStatus::laterVersion, {kLater}, 0, 1, 2147483647},
      // Gradation lines are never refused: a damaged one is what it holds on top of the default.
      {"record of letters", good + "x y z\n" + kThreeKeys + "\n", RecordFileStatus::complete, {}, 3, 0, 1},
      {"truncated record", good + "3 0 10 20 30 0.5 1 2\n", RecordFileStatus::complete, {}, 2, 0, 1},
      {"NUL bytes in a record", good + std::string("3 0 10 20\0 30 0.5 1 2 3 1 1 1 1 \n", 33),
       RecordFileStatus::complete, {}, 2, 0, 1},
      {"NUL bytes only", std::string(100, '\0'), RecordFileStatus::invalidHeader, {kInvalid}, 0, 1, 0},
      {"not UTF-8 record", good + "\xc3\x28 \xff\n", RecordFileStatus::complete, {}, 2, 0, 1},
      {"10 MB garbage line", good + std::string(10 << 20, '7') + "\n", RecordFileStatus::complete, {}, 2, 0, 1},
      {"10 MB garbage header", std::string(10 << 20, 'Q'), RecordFileStatus::invalidHeader, {kInvalid}, 0, 1, 0},
  };
  for (auto const& c : cases) {
    SCOPED_TRACE(c.what);
    fs::path const path = folder / "case.grads";
    put(path, c.bytes);
    alerts.clear();
    {
      GradationFile file(path, alerts);
      ASSERT_TRUE(file.isOpen());
      EXPECT_EQ(file.getStatus(), c.status);
      EXPECT_EQ(alerts.alerts(), c.alerts);
      EXPECT_EQ(file.records().size(), c.records);
      if (!file.records().empty()) {
        EXPECT_EQ(*file.records().front(), threeKeys());
      }
      EXPECT_EQ(file.getFailedLine(), c.failedLine);
      EXPECT_EQ(file.getFileVersion(), c.fileVersion);
      bool const accepted = c.status == RecordFileStatus::complete;
      EXPECT_EQ(file.isReadOnly(), !accepted);
      EXPECT_FALSE(file.isModified());
      // A rejected file is never rewritten, whatever a caller does.
      file.setModified();
      if (!accepted) {
        EXPECT_THROW(file.write(), FileWriteError);
      }
    }
    if (!(c.status == RecordFileStatus::complete)) {
      EXPECT_EQ(contentOf(path), c.bytes);
    }

    // The same bytes from memory end alike.
    alerts.clear();
    GradationFile memory = GradationFile::fromContents(c.bytes, alerts);
    EXPECT_EQ(memory.getStatus(), c.status);
    EXPECT_EQ(memory.records().size(), c.records);
    EXPECT_EQ(alerts.alerts(), c.alerts);
    EXPECT_TRUE(memory.isReadOnly());
  }
}

TEST_F(GenericFileTest, LongLinesAreReadWhole) {
  // A record of about 10 MB: many more keys than a line of the declared limit holds.
  std::string record = "1000001 0 1 2 3 ";
  for (int i = 1; i <= 1000000; ++i) {
    int const step = i % 10001;
    record += std::to_string(step / 10000) + '.' + std::to_string(10000 + step % 10000).substr(1) + " 7 8 9 ";
  }
  ASSERT_GT(record.size(), 10u << 20);
  fs::path const path = folder / "long.grads";
  put(path, "Qvtx 1\n" + record + "\n" + kThreeKeys + "\n");
  GradationFile file(path, alerts);
  EXPECT_EQ(file.getStatus(), RecordFileStatus::complete);
  EXPECT_TRUE(alerts.empty());
  ASSERT_EQ(file.records().size(), 2u);
  Gradation const& big = *file.records()[0];
  // Every step once, except the 570 whose text truncates onto the step below (see GradationFileTest).
  EXPECT_EQ(big.size(), 10001u - 570u);
  // Entries at exactly 0 and 1 replace the end colours, the last one winning.
  EXPECT_EQ(big.getColor(KeyframePosition::fromSteps(0)), (RGBColor{7, 8, 9}));
  EXPECT_EQ(big.getColor(KeyframePosition::fromSteps(10000)), (RGBColor{7, 8, 9}));
  EXPECT_EQ(*file.records()[1], threeKeys());
}

TEST_F(GenericFileTest, FilesAboveTheSizeLimitAreRefusedUnread) {
  fs::path const path = folder / "huge.grads";
  put(path, "Qvtx 1\n" + kThreeKeys + "\n");
  fs::resize_file(path, k_maxRecordFileSize + 1);  // sparse: nothing real to read
  {
    GradationFile file(path, alerts);
    EXPECT_EQ(file.getStatus(), RecordFileStatus::tooLarge);
    EXPECT_TRUE(file.records().empty());
    EXPECT_TRUE(file.isReadOnly());
    EXPECT_EQ(alerts.alerts(), std::vector<Alert>{kInvalid});
  }
  EXPECT_EQ(fs::file_size(path), k_maxRecordFileSize + 1);

  alerts.clear();
  std::string bytes = "Qvtx 1\n" + kThreeKeys + "\n";
  bytes.resize(k_maxRecordFileSize, '\n');
  EXPECT_EQ(GradationFile::fromContents(bytes, alerts).records().size(), 1u);  // at the limit
  bytes.push_back('\n');
  EXPECT_EQ(GradationFile::fromContents(bytes, alerts).getStatus(), RecordFileStatus::tooLarge);
  EXPECT_EQ(alerts.alerts(), std::vector<Alert>{kInvalid});
}

TEST_F(GenericFileTest, WritesThatCannotBeReadBackAreRefused) {
  fs::path const path = folder / "bad.grads";
  put(path, "old");
  GradationFile file = GradationFile::createNew(path);
  file.records().push_back(std::make_shared<Gradation>());
  file.records().push_back(nullptr);
  file.setModified();
  EXPECT_THROW(file.write(), FileWriteError);
  EXPECT_THROW((void)file.contents(), std::invalid_argument);
  EXPECT_TRUE(file.isModified());
  EXPECT_EQ(contentOf(path), "old");
  file.records().pop_back();
  file.setModified(false);
}

// Makes the next writes of this process fail with EFBIG past `bytes`, like a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &m_old);
    m_oldHandler = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = m_old;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &m_old);
    ::signal(SIGXFSZ, m_oldHandler);
  }

 private:
  rlimit m_old{};
  sighandler_t m_oldHandler;
};

TEST_F(GenericFileTest, InterruptedWriteKeepsThePreviousFile) {
  fs::path const path = folder / "keep.snaps";
  {
    SnapshotFile file = SnapshotFile::createNew(path);
    file.records().push_back(sampleSnapshot("kept", 0));
    file.write();
  }
  std::string const before = contentOf(path);
  ASSERT_LT(before.size(), 4096u);
  std::string const sentence = "cannot write '" + path.string() + "': File too large";

  std::string reported;
  {
    FileSizeLimit limit(4096);
    {
      SnapshotFile file(path, alerts);
      ASSERT_FALSE(file.isReadOnly());
      for (int i = 0; i < 40; ++i) file.records().push_back(sampleSnapshot("more", i));
      file.setModified();
      try {
        file.write();
        ADD_FAILURE() << "the write did not fail";
      } catch (FileWriteError const& e) {
        EXPECT_EQ(std::string(e.what()), sentence);
      }
      EXPECT_TRUE(file.isModified());
      EXPECT_EQ(file.records().size(), 41u);
      EXPECT_EQ(contentOf(path), before);
      EXPECT_EQ(folder.names(), std::vector<std::string>{"keep.snaps"});
      ::testing::internal::CaptureStderr();
    }  // the destructor's last try fails alike and says so
    reported = ::testing::internal::GetCapturedStderr();
  }
  EXPECT_EQ(reported, sentence + "\n");
  EXPECT_EQ(contentOf(path), before);
  EXPECT_EQ(folder.names(), std::vector<std::string>{"keep.snaps"});
}

TEST_F(GenericFileTest, FolderThatRefusesTheTemporaryKeepsThePreviousFile) {
  if (runningAsRoot()) GTEST_SKIP() << "root may write into read-only folders";
  fs::create_directory(folder / "sub");
  fs::path const inner = folder / "sub" / "keep.snaps";
  std::string const before = "Qvtx 3\n";
  put(inner, before);
  SnapshotFile file(inner, alerts);
  ASSERT_FALSE(file.isReadOnly());
  file.records().push_back(sampleSnapshot("more", 1));
  ASSERT_EQ(::chmod((folder / "sub").c_str(), 0555), 0);
  EXPECT_THROW(file.write(), FileWriteError);
  EXPECT_EQ(contentOf(inner), before);
  ASSERT_EQ(::chmod((folder / "sub").c_str(), 0755), 0);
  file.setModified(false);
  EXPECT_TRUE(alerts.empty());
}

}  // namespace
}  // namespace orlenza
