#include "core/base/AtomicFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <ostream>
#include <string>
#include <vector>

#include "core/files/FileTestSupport.h"

namespace orlenza {
namespace {

using namespace testing_files;

class AtomicFileTest : public ::testing::Test {
 protected:
  ScratchFolder folder;
};

TEST_F(AtomicFileTest, WritesNewAndReplacesOldContent) {
  fs::path const target = folder / "out.snaps";
  std::string big(3 * 65536 + 17, '\0');  // more than one buffer, with NUL bytes and all byte values
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 % 256);

  struct Case {
    std::string content;
  } const cases[] = {{"first"}, {""}, {big}};
  for (auto const& c : cases) {
    writeFileAtomically(target, [&](std::ostream& os) { os << c.content; });
    EXPECT_EQ(contentOf(target), c.content);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"out.snaps"});
  }
}

TEST_F(AtomicFileTest, ReplacingKeepsPermissionsAndFollowsLinks) {
  fs::path const real = folder / "real.grads";
  put(real, "old");
  ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
  fs::path const link = folder / "link.grads";
  fs::create_symlink("real.grads", link);

  writeFileAtomically(link, [](std::ostream& os) { os << "new"; });
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(contentOf(real), "new");
  struct stat st {};
  ASSERT_EQ(::stat(real.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(folder.names(), (std::vector<std::string>{"link.grads", "real.grads"}));
}

TEST_F(AtomicFileTest, LongestFileNameStillWorks) {
  // A temporary named "." + name + ".XXXXXX" would pass the 255-byte limit.
  fs::path const target = folder / std::string(250, 'n');
  writeFileAtomically(target, [](std::ostream& os) { os << "x"; });
  EXPECT_EQ(contentOf(target), "x");
  EXPECT_EQ(folder.names().size(), 1u);
}

TEST_F(AtomicFileTest, FailuresNameTheFileAndTheReason) {
  put(folder / "plain", "not a folder");
  fs::create_directory(folder / "sub");
  put(folder / "sub" / "inside", "kept");
  struct Case {
    fs::path target;
    std::string reason;
    int errorNumber;
  } const cases[] = {
      {folder / "missing" / "out.png", "No such file or directory", ENOENT},
      // Tests run as root, who may write into read-only folders; a file as parent fails for everyone.
      {folder / "plain" / "out.png", "Not a directory", ENOTDIR},
      {folder / "sub", "Is a directory", EISDIR},
      {folder / "sub" / "", "Is a directory", EISDIR},
  };
  for (auto const& c : cases) {
    SCOPED_TRACE(c.target.string());
    bool called = false;
    try {
      writeFileAtomically(c.target, [&](std::ostream& os) {
        called = true;
        os << "data";
      });
      ADD_FAILURE() << "no error";
    } catch (FileWriteError const& e) {
      EXPECT_EQ(std::string(e.what()), "cannot write '" + c.target.string() + "': " + c.reason);
      EXPECT_EQ(e.errorNumber(), c.errorNumber);
    }
    EXPECT_FALSE(called);  // every fault is found before the writer runs
  }
  EXPECT_FALSE(fs::exists(folder / "missing"));
  EXPECT_EQ(contentOf(folder / "plain"), "not a folder");
  EXPECT_EQ(contentOf(folder / "sub" / "inside"), "kept");
  EXPECT_EQ(folder.names(), (std::vector<std::string>{"plain", "sub"}));
  EXPECT_EQ(fs::directory_iterator(folder / "sub")->path().filename(), "inside");
}

TEST_F(AtomicFileTest, FailingWriterLeavesOldContentAndNoTemporary) {
  struct WriterFault {};
  fs::path const target = folder / "keep.msnaps";
  put(target, "old content");

  EXPECT_THROW(writeFileAtomically(target,
                                   [](std::ostream& os) {
                                     os << std::string(200000, 'z');  // partly on disk already
                                     throw WriterFault{};
                                   }),
               WriterFault);
  EXPECT_EQ(contentOf(target), "old content");
  EXPECT_EQ(folder.names(), std::vector<std::string>{"keep.msnaps"});

  // A writer that fails its stream is a failed write, not a short file.
  try {
    writeFileAtomically(target, [](std::ostream& os) {
      os << "half";
      os.setstate(std::ios::badbit);
    });
    ADD_FAILURE() << "no error";
  } catch (FileWriteError const& e) {
    EXPECT_EQ(std::string(e.what()), "cannot write '" + target.string() + "': the data could not be written");
  }
  EXPECT_EQ(contentOf(target), "old content");
  EXPECT_EQ(folder.names(), std::vector<std::string>{"keep.msnaps"});
}

TEST_F(AtomicFileTest, WriterCommitsOrDiscards) {
  fs::path const target = folder / "pic.png";
  put(target, "old");
  {
    AtomicFileWriter writer(target);
    EXPECT_EQ(writer.temporaryPath().parent_path(), folder.path());
    std::fputs("abandoned", writer.file());
  }
  EXPECT_EQ(contentOf(target), "old");
  EXPECT_EQ(folder.names(), std::vector<std::string>{"pic.png"});

  {
    AtomicFileWriter writer(target);
    std::fputs("committed", writer.file());
    EXPECT_EQ(contentOf(target), "old");  // nothing visible before the commit
    writer.commit();
    EXPECT_EQ(writer.file(), nullptr);
    EXPECT_THROW(writer.commit(), FileWriteError);
  }
  EXPECT_EQ(contentOf(target), "committed");
  EXPECT_EQ(folder.names(), std::vector<std::string>{"pic.png"});

  // Two writers on one target at once get different temporaries; the last commit wins.
  AtomicFileWriter first(target);
  AtomicFileWriter second(target);
  EXPECT_NE(first.temporaryPath(), second.temporaryPath());
  std::fputs("1", first.file());
  std::fputs("2", second.file());
  first.commit();
  second.commit();
  EXPECT_EQ(contentOf(target), "2");
  EXPECT_EQ(folder.names(), std::vector<std::string>{"pic.png"});
}

}  // namespace
}  // namespace orlenza
