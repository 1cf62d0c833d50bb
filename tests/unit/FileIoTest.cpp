// Whole-file reads, record prefixes and atomic writes on native paths.
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include "platform/FileIo.h"
#include "platform/SystemCalls.h"

namespace wisetup {
namespace {

using test::Bytes;
using test::PrintTo;
using test::RowName;

using std::nullopt;
using std::optional;
using std::string;
namespace fs = std::filesystem;

using TempDir = test::TempDirTest;

// ---- file reading and atomic writing -----------------------------------------------------------

TEST_F(TempDir, ReadFilePrefixReadsExactlyOrFails) {
  MakeFile("ten", "0123456789");
  MakeFolder("folder");
  std::vector<std::uint8_t> out;
  EXPECT_EQ(ReadFilePrefix(Path("ten"), 4, out).code, FileCode::Ok);
  EXPECT_EQ(string(out.begin(), out.end()), "0123");
  EXPECT_EQ(ReadFilePrefix(Path("ten"), 10, out).code, FileCode::Ok);
  const FileStatus tooShort = ReadFilePrefix(Path("ten"), 11, out);
  EXPECT_EQ(tooShort.code, FileCode::CannotRead);
  EXPECT_EQ(tooShort.path, Path("ten"));
  EXPECT_EQ(ReadFilePrefix(Path("ten"), SIZE_MAX, out).code, FileCode::CannotRead);
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(ReadFilePrefix(Path("folder"), 1, out).code, FileCode::CannotOpen);
  const FileStatus missing = ReadFilePrefix(Path("missing"), 1, out);
  EXPECT_EQ(missing.code, FileCode::CannotOpen);
  EXPECT_EQ(missing.reason, "No such file or directory");
  EXPECT_EQ(ReadFilePrefix("", 0, out).code, FileCode::CannotOpen);
}

struct WriteRow {
  const char* name;
  optional<string> existing;  // nothing: no file; "/": a folder
  unsigned mode;
  FileCode code;
  optional<string> after;
  unsigned modeAfter;
};

class AtomicWrite : public TempDir, public testing::WithParamInterface<WriteRow> {};

TEST_P(AtomicWrite, ReplacesTheFileOrLeavesIt) {
  const WriteRow& row = GetParam();
  if (row.existing == "/") {
    MakeFolder("target");
  } else if (row.existing) {
    MakeFile("target", *row.existing, row.mode);
  }
  const FileStatus status = WriteFileAtomically(Path("target"), "ab");
  EXPECT_EQ(status.code, row.code);
  EXPECT_EQ(status.path.empty(), status.ok()) << status.path;
  if (row.after) {
    EXPECT_EQ(Content("target"), *row.after);
    EXPECT_EQ(Mode("target"), row.modeAfter);
  }
  EXPECT_EQ(TempFileCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AtomicWrite,
    testing::Values(WriteRow{"ModeKept", "0123456789", 0640, FileCode::Ok, "ab", 0640},
                    WriteRow{"MissingFileCreated", nullopt, 0, FileCode::Ok, "ab", 0644},
                    WriteRow{"ReadOnlyUntouched", "0123", 0444, FileCode::ReadOnly, "0123", 0444},
                    WriteRow{"FolderTarget", "/", 0, FileCode::NotRegular, nullopt, 0}),
    RowName());

TEST_F(TempDir, AtomicWritesRefuseBadTargets) {
  MakeFile("ro", "keep", 0444);
  FileStatus status = WriteFileAtomically(Path("ro"), "new");
  EXPECT_EQ(status.code, FileCode::ReadOnly);
  EXPECT_EQ(Content("ro"), "keep");
  status = WriteFileAtomically(Path("missing/file"), "new");
  EXPECT_EQ(status.code, FileCode::CannotWrite);
  EXPECT_EQ(status.reason, "No such file or directory");
  EXPECT_EQ(WriteFileAtomically("", "new").code, FileCode::CannotOpen);
  EXPECT_EQ(TempFileCount(), 0);
}

// The mode change of the temporary file, refused by a medium without permission bits, lets the
// write through; refused for another reason, the target stays as it was.
TEST_F(TempDir, AtomicWriteGoesOnWhereTheMediumKeepsNoModes) {
  struct Row {
    int error;
    bool written;
  };
  for (const Row& row : {Row{ENOSYS, true}, Row{EPERM, true}, Row{EOPNOTSUPP, true},
                         Row{ENOTSUP, true}, Row{EACCES, false}, Row{EIO, false}}) {
    MakeFile("target", "old");
    FileStatus status;
    {
      sys::ScopedFaultHook hook(
          [&](sys::Call call) { return call == sys::Call::SetMode ? row.error : 0; });
      status = WriteFileAtomically(Path("target"), "new");
    }
    EXPECT_EQ(status.ok(), row.written) << row.error;
    EXPECT_EQ(Content("target"), row.written ? "new" : "old") << row.error;
    if (!row.written) {
      EXPECT_EQ(status.reason, std::strerror(row.error));
    }
    EXPECT_EQ(TempFileCount(), 0);
  }
}

// A file that may be missing: missing is told apart from unreadable.
TEST_F(TempDir, ReadWholeFileTellsMissingFromUnreadable) {
  std::ofstream(dir_ / "file") << "x";
  fs::create_directories(dir_ / "folder");
  std::ofstream(dir_ / "empty");
  std::ofstream(dir_ / "writeonly") << "secret";
  fs::permissions(dir_ / "writeonly", fs::perms::owner_write);
  struct Row {
    const char* path;
    FileCode code;
    string content;
  };
  const Row rows[] = {
      {"file", FileCode::Ok, "x"},          {"empty", FileCode::Ok, ""},
      {"nothing", FileCode::Missing, ""},   {"file/below", FileCode::Missing, ""},
      {"folder", FileCode::NotRegular, ""}, {"writeonly", FileCode::CannotOpen, ""},
  };
  for (const Row& row : rows) {
    string content = "stale";
    EXPECT_EQ(ReadWholeFile((dir_ / row.path).string(), content).code, row.code) << row.path;
    EXPECT_EQ(content, row.content) << row.path;
  }
}

// Files read by name come from the folder that was opened, even once its path names another.
TEST_F(TempDir, FolderReaderReadsTheFolderItOpened) {
  fs::create_directories(dir_ / "weld");
  std::ofstream(dir_ / "weld" / "t1") << "first";
  const FolderReader reader((dir_ / "weld").string());
  fs::rename(dir_ / "weld", dir_ / "moved");
  fs::create_directories(dir_ / "weld");
  std::ofstream(dir_ / "weld" / "t1") << "other";
  string out;
  EXPECT_TRUE(reader.ReadWholeFile("t1", out, Links::Refuse).ok());
  EXPECT_EQ(out, "first");
  const FileStatus below = reader.ReadWholeFile("sub/t1", out, Links::Refuse);
  EXPECT_EQ(below.code, FileCode::CannotOpen);
  EXPECT_EQ(out, "");
  // A folder that cannot be opened is read by path, with the same answers.
  const FileStatus missing =
      FolderReader((dir_ / "none").string()).ReadWholeFile("t1", out, Links::Refuse);
  EXPECT_EQ(missing.code, FileCode::Missing);
  EXPECT_EQ(missing.path, (dir_ / "none" / "t1").string());
}

// The bytes are read into the caller's string itself; a read that fails, or a close that fails
// after the bytes arrived, leaves it empty all the same, by path and by name.
TEST_F(TempDir, AFailedReadLeavesNothingBehind) {
  std::ofstream(dir_ / "t1") << "first";
  const FolderReader reader(dir_.string());
  for (const sys::Call failing : {sys::Call::Read, sys::Call::Close}) {
    sys::ScopedFaultHook hook([&](sys::Call call) { return call == failing ? EIO : 0; });
    for (const bool byName : {false, true}) {
      string out = "stale";
      const FileStatus status = byName ? reader.ReadWholeFile("t1", out, Links::Refuse)
                                       : ReadWholeFile((dir_ / "t1").string(), out);
      EXPECT_EQ(status.code, FileCode::CannotRead) << byName;
      EXPECT_EQ(status.reason, std::strerror(EIO));
      EXPECT_EQ(status.path, (dir_ / "t1").string());
      EXPECT_EQ(out, "");
    }
  }
}

TEST_F(TempDir, CanWriteAtomicallyCountsPermissionBitsEvenForRoot) {
  std::ofstream(dir_ / "file") << "x";
  fs::create_directories(dir_ / "folder");
  std::ofstream(dir_ / "readonly") << "x";
  fs::permissions(dir_ / "readonly", fs::perms::owner_read);
  fs::create_directories(dir_ / "ro");
  std::ofstream(dir_ / "ro" / "inside") << "x";
  fs::permissions(dir_ / "ro", fs::perms::owner_read | fs::perms::owner_exec);
  struct Row {
    const char* path;
    bool writable;
  };
  const Row rows[] = {
      {"file", true},    {"new", true},        {"readonly", false},    {"folder", false},
      {"ro/new", false}, {"ro/inside", false}, {"missing/new", false}, {"file/new", false},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(CanWriteAtomically((dir_ / row.path).string()), row.writable) << row.path;
  }
  EXPECT_FALSE(CanWriteAtomically(""));
}

TEST_F(TempDir, CreateFoldersMakesPrivateParentsAndRefusesAFileInTheWay) {
  std::ofstream(dir_ / "file") << "x";
  const fs::path nested = dir_ / "a" / "b" / "c";
  EXPECT_TRUE(CreateFolders(nested.string()).ok());
  EXPECT_TRUE(fs::is_directory(nested));
  EXPECT_EQ(fs::status(dir_ / "a").permissions() & fs::perms::all, fs::perms::owner_all);
  EXPECT_TRUE(CreateFolders(nested.string()).ok()) << "an existing folder is fine";
  EXPECT_EQ(CreateFolders((dir_ / "file" / "sub").string()).reason, "Not a directory");
  EXPECT_EQ(CreateFolders((dir_ / "file").string()).code, FileCode::CannotCreate);
  EXPECT_FALSE(CreateFolders("").ok());
}

}  // namespace
}  // namespace wisetup
