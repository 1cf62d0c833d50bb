// The pieces under Create Files and its undo: SHA-256, the history manifest and folder names, the
// history root, what a transaction refuses to write, and what a commit and a failed commit leave.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include "platform/FileIo.h"
#include "platform/SystemCalls.h"
#include "storage/FileTransaction.h"
#include "storage/History.h"
#include "storage/Sha256.h"

namespace wisetup {
namespace {

namespace fs = std::filesystem;
using std::string;

using test::ReadBytes;
using test::RowName;
using test::WriteBytes;

// ---- SHA-256 ----------------------------------------------------------------------------------

TEST(Sha256, KnownDigests) {
  struct Row {
    string input;
    const char* digest;
  };
  const std::vector<Row> rows = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      // 56 bytes: the length no longer fits into the last block.
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Sha256Hex(row.input), row.digest) << row.input.size();
    EXPECT_EQ(Sha256HexPortable(row.input), row.digest) << row.input.size();
  }
}

// The processor's instructions and the portable rounds agree at every length around the blocks.
TEST(Sha256, BothWaysAgree) {
  string data;
  for (int n = 0; n < 300; ++n, data += static_cast<char>(n * 37)) {
    EXPECT_EQ(Sha256Hex(data), Sha256HexPortable(data)) << n;
  }
}

// ---- history: names, root and manifest ---------------------------------------------------------

TEST(History, RunFolderNames) {
  using Key = std::optional<std::pair<string, long>>;
  EXPECT_EQ(RunFolderKey("20240102-030405"), Key({"20240102-030405", 1}));
  EXPECT_EQ(RunFolderKey("20240102-030405-2"), Key({"20240102-030405", 2}));
  EXPECT_EQ(RunFolderKey("20240102-030405-10"), Key({"20240102-030405", 10}));
  for (const char* name :
       {"20240102-030405-1", "20240102-030405-02", "20240102-030405-", "20240102_030405",
        "2024010-0304055", "20240102-030405x", "manifest.txt", "20240102-030405-99999999999"}) {
    EXPECT_FALSE(RunFolderKey(name)) << name;
  }
}

TEST(History, RootFollowsXdgDataHomeThenHome) {
  struct Row {
    std::optional<string> dataHome;
    std::optional<string> home;
    std::optional<string> root;
  };
  const std::vector<Row> rows = {
      {"/data", "/home/u", "/data/wisetup/history"},
      {"", "/home/u", "/home/u/.local/share/wisetup/history"},
      {"relative/data", "/home/u/", "/home/u/.local/share/wisetup/history"},
      {std::nullopt, "/", "/.local/share/wisetup/history"},
      {std::nullopt, std::nullopt, std::nullopt},
      {"relative", "also-relative", std::nullopt},
  };
  for (const Row& row : rows) {
    const auto root = HistoryRoot([&row](const string& name) {
      return name == "XDG_DATA_HOME" ? row.dataHome : name == "HOME" ? row.home : std::nullopt;
    });
    EXPECT_EQ(root, row.root) << row.dataHome.value_or("(unset)");
  }
}

TEST(History, ManifestRoundTripsOddPaths) {
  const string hash(64, 'a');
  const std::vector<HistoryFile> files = {
      {"/b/ZelSetUp.ini", "001-ZelSetUp.ini", true, hash, string(64, 'b')},
      {"/b/new file", "", false, "", hash},
      {"/b/tab\there/line\nbreak\\back\rslash", "002-x", true, hash, ""},
  };
  const auto parsed = ParseManifest(FormatManifest(files));
  ASSERT_TRUE(parsed);
  ASSERT_EQ(parsed->size(), files.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    EXPECT_EQ((*parsed)[i].path, files[i].path);
    EXPECT_EQ((*parsed)[i].kept, files[i].kept);
    EXPECT_EQ((*parsed)[i].existed, files[i].existed);
    EXPECT_EQ((*parsed)[i].oldHash, files[i].oldHash);
    EXPECT_EQ((*parsed)[i].newHash, files[i].newHash);
  }
}

TEST(History, DamagedManifestsAreRefused) {
  const string hash(64, 'c');
  const string good = "001-a\texisted\t" + hash + "\t" + hash + "\t/b/a\n";
  struct Row {
    const char* name;
    string text;
  };
  const std::vector<Row> rows = {
      {"no header", good},
      {"other header", "wisetup-history 2\n" + good},
      {"cut short", "wisetup-history 1\n" + good.substr(0, good.size() - 1)},
      {"bad hash", "wisetup-history 1\n001-a\texisted\tXYZ\t" + hash + "\t/b/a\n"},
      {"relative path", "wisetup-history 1\n001-a\texisted\t" + hash + "\t" + hash + "\tb/a\n"},
      {"existed without copy", "wisetup-history 1\n-\texisted\t" + hash + "\t" + hash + "\t/b\n"},
      {"copy outside the run",
       "wisetup-history 1\n../a\texisted\t" + hash + "\t" + hash + "\t/b\n"},
      {"bad escape", "wisetup-history 1\n-\tnew\t-\t" + hash + "\t/b\\q\n"},
      {"too few fields", "wisetup-history 1\n001-a\texisted\t" + hash + "\n"},
  };
  for (const Row& row : rows) EXPECT_FALSE(ParseManifest(row.text)) << row.name;
  EXPECT_TRUE(ParseManifest("wisetup-history 1\n" + good));
}

// ---- transactions on real files ---------------------------------------------------------------

class TransactionTest : public test::TempDirTest {
 protected:
  string P(const string& name) const { return (dir_ / name).string(); }
  string Root() const { return P("history"); }
};

struct RefusalRow {
  const char* name;
  std::function<void(const fs::path& dir)> make;
  const char* target;  // below the test folder
  bool mustExist;
  FileCode problem;
  const char* reported;  // the path the issue names
};

class RefusalTest : public TransactionTest, public testing::WithParamInterface<RefusalRow> {};

TEST_P(RefusalTest, TargetIsRefusedBeforeAnythingIsWritten) {
  const RefusalRow& row = GetParam();
  row.make(dir_);
  FileTransaction files;
  EXPECT_FALSE(files.Add(P(row.target), row.mustExist));
  ASSERT_EQ(files.Issues().size(), 1u);
  EXPECT_EQ(files.Issues()[0].code, row.problem);
  EXPECT_EQ(files.Issues()[0].path, P(row.reported));
  EXPECT_EQ(files.Size(), 0u);
}

const RefusalRow kRefusals[] = {
    {"Folder", [](const fs::path& d) { fs::create_directories(d / "table"); }, "table", true,
     FileCode::NotRegular, "table"},
    {"ReadOnlyFile",
     [](const fs::path& d) {
       WriteBytes(d / "table", "x");
       fs::permissions(d / "table", fs::perms::owner_read | fs::perms::group_read);
     },
     "table", true, FileCode::ReadOnly, "table"},
    {"MissingTable", [](const fs::path&) {}, "table", true, FileCode::CannotOpen, "table"},
    {"MissingFolder", [](const fs::path&) {}, "gone/ZelSetUp.ini", false, FileCode::FolderMissing,
     "gone"},
    {"FolderIsAFile", [](const fs::path& d) { WriteBytes(d / "plain", "x"); }, "plain/ZelSetUp.ini",
     false, FileCode::FolderMissing, "plain"},
    {"ReadOnlyFolder",
     [](const fs::path& d) {
       WriteBytes(d / "locked" / "table", "x");
       fs::permissions(d / "locked", fs::perms::owner_read | fs::perms::owner_exec);
     },
     "locked/table", true, FileCode::FolderReadOnly, "locked"},
};
INSTANTIATE_TEST_SUITE_P(Targets, RefusalTest, testing::ValuesIn(kRefusals), RowName());

TEST_F(TransactionTest, CommitReplacesKeepsAndCreates) {
  WriteBytes(dir_ / "a", "old a");
  WriteBytes(dir_ / "weld" / "b", "old b");
  fs::permissions(dir_ / "a", fs::perms::owner_read | fs::perms::owner_write);
  WriteBytes(dir_ / "weld" / ".wisetup-Zz09aa", "stale");
  WriteBytes(dir_ / "weld" / ".wisetup-Zz09a", "not ours");
  FileTransaction files;
  const auto a = files.Add(P("a"), true);
  const auto b = files.Add(P("weld/b"), true);
  const auto c = files.Add(P("weld/c"), false);
  ASSERT_TRUE(a && b && c);
  EXPECT_EQ(files.Add(P("weld/b"), true), b);
  EXPECT_EQ(files.OldContent(*b), "old b");
  EXPECT_FALSE(files.Existed(*c));
  files.SetContent(*a, "new a");
  files.SetContent(*b, "first b");
  files.SetContent(*b, "new b");
  files.SetContent(*c, "new c");
  ASSERT_TRUE(files.KeepOriginals(Root(), "20240102-030405"));
  EXPECT_EQ(files.KeptFolder(), Root() + "/20240102-030405");
  EXPECT_TRUE(files.Commit().ok);

  EXPECT_EQ(ReadBytes(dir_ / "a"), "new a");
  EXPECT_EQ(ReadBytes(dir_ / "weld" / "b"), "new b");
  EXPECT_EQ(ReadBytes(dir_ / "weld" / "c"), "new c");
  EXPECT_EQ(fs::status(dir_ / "a").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(fs::status(dir_ / "weld" / "c").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                fs::perms::others_read);
  EXPECT_FALSE(fs::exists(dir_ / "weld" / ".wisetup-Zz09aa"));
  EXPECT_TRUE(fs::exists(dir_ / "weld" / ".wisetup-Zz09a"));

  const auto run = NewestRun(Root());
  ASSERT_TRUE(run);
  ASSERT_EQ(run->files.size(), 3u);
  EXPECT_EQ(ReadBytes(run->folder + "/" + run->files[1].kept), "old b");
  EXPECT_EQ(run->files[1].oldHash, Sha256Hex("old b"));
  EXPECT_EQ(run->files[1].newHash, Sha256Hex("new b"));
  EXPECT_FALSE(run->files[2].existed);
  EXPECT_TRUE(run->files[2].kept.empty());
}

TEST_F(TransactionTest, RunFoldersTakeTheNextSuffixAndUndoneRunsArePassedOver) {
  WriteBytes(dir_ / "a", "old");
  for (int i = 0; i < 3; ++i) {
    FileTransaction files;
    const auto a = files.Add(P("a"), true);
    ASSERT_TRUE(a);
    files.SetContent(*a, "new" + std::to_string(i));
    ASSERT_TRUE(files.KeepOriginals(Root(), "20240102-030405"));
    EXPECT_EQ(files.KeptFolder(),
              Root() + "/20240102-030405" + (i == 0 ? "" : "-" + std::to_string(i + 1)));
  }
  // A folder that never got its manifest is a run that never started.
  fs::create_directories(Root() + "/20240102-030405-9");
  EXPECT_EQ(NewestRun(Root())->folder, Root() + "/20240102-030405-3");
  ASSERT_TRUE(MarkUndone(Root() + "/20240102-030405-3").ok());
  EXPECT_EQ(NewestRun(Root())->folder, Root() + "/20240102-030405-2");
}

// A run is in progress from its manifest on until a marker says how it ended; a commit marks it
// done, and an undo outranks whatever came before it.
TEST_F(TransactionTest, RunStateFollowsItsMarkers) {
  WriteBytes(dir_ / "a", "old");
  FileTransaction files;
  const auto a = files.Add(P("a"), true);
  ASSERT_TRUE(a);
  files.SetContent(*a, "new");
  ASSERT_TRUE(files.KeepOriginals(Root(), "20240102-030405"));
  const string run = files.KeptFolder();
  EXPECT_EQ(RunStateOf(run), RunState::InProgress);
  const auto recorded = NewestRecordedRun(Root());
  ASSERT_TRUE(recorded && recorded->files);
  EXPECT_EQ(recorded->name, "20240102-030405");
  EXPECT_EQ(RunTimeText(recorded->name), "2024-01-02 03:04:05");
  ASSERT_TRUE(files.Commit().ok);
  EXPECT_EQ(RunStateOf(run), RunState::Done);
  ASSERT_TRUE(MarkRun(run, RunState::Declined).ok());
  EXPECT_EQ(RunStateOf(run), RunState::Declined);
  ASSERT_TRUE(MarkUndone(run).ok());
  EXPECT_EQ(RunStateOf(run), RunState::Undone);
}

// What a file of a run holds now decides whether it is put back, counted as back, or left alone.
TEST_F(TransactionTest, CurrentContentIsOldNewOrNeither) {
  const HistoryFile existed{P("f"), "001-f", true, Sha256Hex("old"), Sha256Hex("new")};
  const HistoryFile created{P("f"), "", false, "", Sha256Hex("new")};
  struct Row {
    const char* name;
    const HistoryFile* file;
    std::optional<string> content;  // nothing: no file
    FileNow now;
  };
  for (const Row& row :
       {Row{"Old", &existed, "old", FileNow::Old}, Row{"New", &existed, "new", FileNow::New},
        Row{"ChangedSince", &existed, "hand", FileNow::Neither},
        Row{"RemovedSince", &existed, std::nullopt, FileNow::Neither},
        Row{"CreatedThenRemoved", &created, std::nullopt, FileNow::Old},
        Row{"Created", &created, "new", FileNow::New}}) {
    SCOPED_TRACE(row.name);
    fs::remove(dir_ / "f");
    if (row.content) WriteBytes(dir_ / "f", *row.content);
    EXPECT_EQ(CurrentContentOf(*row.file), row.now);
  }
  fs::remove(dir_ / "f");
  fs::create_directory(dir_ / "f");
  EXPECT_EQ(CurrentContentOf(existed), FileNow::Neither);
}

// A commit that fails half-way puts back what was already replaced, from the old contents, and
// names the file and the kind of failure: a rename refused, or a full disk while writing.
TEST_F(TransactionTest, FailedCommitPutsBackTheEarlierFiles) {
  struct Row {
    sys::Call call;
    int failing;  // the how-many-th such call fails
    int error;
    FileCode problem;
    const char* path;
  };
  for (const Row& row : {Row{sys::Call::Rename, 2, EIO, FileCode::CannotReplace, "b"},
                         Row{sys::Call::Rename, 3, EACCES, FileCode::CannotReplace, "c"},
                         Row{sys::Call::Write, 1, ENOSPC, FileCode::DiskFull, "a"}}) {
    SCOPED_TRACE(row.path);
    WriteBytes(dir_ / "a", "old a");
    WriteBytes(dir_ / "b", "old b");
    fs::remove(dir_ / "c");
    FileTransaction files;
    for (const char* name : {"a", "b", "c"}) {
      const auto e = files.Add(P(name), false);
      ASSERT_TRUE(e);
      files.SetContent(*e, string("new ") + name);
    }
    int calls = 0;
    CommitOutcome outcome;
    {
      sys::ScopedFaultHook hook([&](sys::Call call) {
        return call == row.call && ++calls == row.failing ? row.error : 0;
      });
      outcome = files.Commit();
    }
    EXPECT_FALSE(outcome.ok);
    ASSERT_FALSE(outcome.issues.empty());
    EXPECT_EQ(outcome.issues[0].code, row.problem);
    EXPECT_EQ(outcome.issues[0].path, P(row.path));
    EXPECT_TRUE(outcome.leftNew.empty());
    EXPECT_EQ(ReadBytes(dir_ / "a"), "old a");
    EXPECT_EQ(ReadBytes(dir_ / "b"), "old b");
    EXPECT_FALSE(fs::exists(dir_ / "c"));
    EXPECT_EQ(TempFileCount(), 0);
  }
}

// A medium that keeps no permission bits (FAT, some shares) answers the mode change of our new
// files with one of these; the write goes on. Any other answer is a failure, and nothing changes.
struct ModeErrorRow {
  const char* name;
  int error;
  bool written;
};
constexpr ModeErrorRow kModeErrors[] = {
    {"ENOSYS", ENOSYS, true},   {"EPERM", EPERM, true},    {"EOPNOTSUPP", EOPNOTSUPP, true},
    {"ENOTSUP", ENOTSUP, true}, {"EACCES", EACCES, false}, {"EIO", EIO, false},
    {"ENODEV", ENODEV, false},  {"ENXIO", ENXIO, false},
};

TEST_F(TransactionTest, ModeChangeRefusedByTheMediumOnlyIsNoObstacle) {
  for (const ModeErrorRow& row : kModeErrors) {
    WriteBytes(dir_ / "a", "old a");
    fs::remove(dir_ / "b");
    FileTransaction files;
    const auto a = files.Add(P("a"), true);
    const auto b = files.Add(P("b"), false);
    ASSERT_TRUE(a && b);
    files.SetContent(*a, "new a");
    files.SetContent(*b, "new b");
    CommitOutcome outcome;
    {
      sys::ScopedFaultHook hook(
          [&](sys::Call call) { return call == sys::Call::SetMode ? row.error : 0; });
      outcome = files.Commit();
    }
    EXPECT_EQ(outcome.ok, row.written) << row.name;
    EXPECT_EQ(ReadBytes(dir_ / "a"), row.written ? "new a" : "old a") << row.name;
    EXPECT_EQ(fs::exists(dir_ / "b"), row.written) << row.name;
    if (!row.written) {
      ASSERT_EQ(outcome.issues.size(), 1u) << row.name;
      EXPECT_EQ(outcome.issues[0].reason, std::strerror(row.error)) << row.name;
    }
    EXPECT_EQ(TempFileCount(), 0) << row.name;
  }
}

// A run's record keeps any path as it was given and refuses what it did not write.
TEST(RunRecordTest, RoundTripsAnyPathAndRefusesOtherText) {
  const RunRecord record{"/media/usb/cell 1\t\\x\n", "/media/usb/board", "20240102-030405-7-1"};
  const auto back = ParseRunRecord(FormatRunRecord(record));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->backup, record.backup);
  EXPECT_EQ(back->setup, record.setup);
  EXPECT_EQ(back->batch, record.batch);
  const string good = FormatRunRecord(record);
  for (const string& text :
       {string(), string("wisetup-run 2\n") + good.substr(14), good.substr(0, good.size() - 1),
        good + "more\n", string("wisetup-run 1\nsetup\tx\nbackup\tx\nbatch\t\n")}) {
    EXPECT_FALSE(ParseRunRecord(text)) << text;
  }
}

}  // namespace
}  // namespace wisetup
