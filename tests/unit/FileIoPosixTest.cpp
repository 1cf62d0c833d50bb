// The whole-file reads and atomic writes that meet symbolic links and a file size limit: this
// system's.
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "SystemObjects.h"
#include "TestSupport.h"

#include "platform/FileIo.h"

namespace wisetup {
namespace {

using std::string;
namespace fs = std::filesystem;

using TempDir = test::TempDirTest;

// One reader for every whole file, by path or by name in an open folder: what it refuses and why,
// with the system's own words.
TEST_F(TempDir, ReadWholeFileSaysWhyItFails) {
  MakeFolder("folder");
  MakeFile("real", "x");
  MakeFile("unreadable", "x", 0200);
  fs::create_symlink("real", Path("link"));
  fs::create_symlink("none", Path("dangling"));
  struct Row {
    const char* name;
    Links links;
    FileCode code;
    const char* reason;
  };
  for (const Row& row :
       {Row{"folder", Links::Follow, FileCode::NotRegular, ""},
        Row{"missing", Links::Follow, FileCode::Missing, "No such file or directory"},
        Row{"dangling", Links::Follow, FileCode::Missing, "No such file or directory"},
        Row{"unreadable", Links::Follow, FileCode::CannotOpen, "Permission denied"},
        Row{"link", Links::Follow, FileCode::Ok, ""},
        Row{"link", Links::Refuse, FileCode::SymbolicLink, ""},
        Row{"real", Links::Refuse, FileCode::Ok, ""}}) {
    SCOPED_TRACE(row.name);
    string out = "stale", named = "stale";
    const FileStatus status = ReadWholeFile(Path(row.name), out, row.links);
    EXPECT_EQ(status.code, row.code);
    EXPECT_EQ(status.reason, row.reason);
    EXPECT_EQ(out, status.ok() ? "x" : "");
    const FileStatus byName = FolderReader(dir_.string()).ReadWholeFile(row.name, named, row.links);
    EXPECT_EQ(byName.code, status.code);
    EXPECT_EQ(byName.reason, status.reason);
    EXPECT_EQ(byName.path, status.path);
    EXPECT_EQ(named, out);
  }
}

TEST_F(TempDir, AtomicWriteThroughLinkKeepsLink) {
  MakeFile("real", "old", 0600);
  fs::create_symlink("real", Path("link"));
  EXPECT_TRUE(CanWriteAtomically(Path("link")));
  ASSERT_TRUE(WriteFileAtomically(Path("link"), "new").ok());
  EXPECT_TRUE(fs::is_symlink(Path("link")));
  EXPECT_EQ(Content("real"), "new");
  EXPECT_EQ(Mode("real"), 0600U);
}

// A file size limit makes the write fail part way, as a full disk would.
TEST_F(TempDir, FailedWriteLeavesTargetAndNoTempFile) {
  MakeFile("target", "old");
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const FileStatus status = WriteFileAtomically(Path("target"), string(4096, 'x'));
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previousHandler);

  EXPECT_EQ(status.code, FileCode::CannotWrite);
  EXPECT_EQ(status.reason, "File too large");
  EXPECT_EQ(Content("target"), "old");
  EXPECT_EQ(TempFileCount(), 0);
}

}  // namespace
}  // namespace wisetup
