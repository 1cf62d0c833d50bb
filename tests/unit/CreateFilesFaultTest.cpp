// Create Files and the settings save with one file-system call failing at a time, every call in
// turn, and with every call failing from some point on: after each run every file holds its old or
// its new content whole, no temporary file is left, the setup file and the tables change together,
// and a failure is reported in one box and never as the completion message.
#include "CreateFilesFault.h"

namespace wisetup {
namespace {

using test::PrintTo;  // row names for the table-driven cases below

TEST_F(CreateFilesFaultTest, EachSingleFailingCallLeavesAllOldOrAllNew) {
  const int calls = Learn();
  ASSERT_GT(calls, 30);
  RecordProperty("calls", calls);
  const string notCreated = CreateFilesTextOf(CreateFilesText::NotCreated, 1);
  // A completed run whose report could not be written says so, and keeps no report at all.
  const string reportNotWritten = FillText(ChangeTextOf(ChangeText::ReportNotWritten, 1), {""});
  int failures = 0;
  int reportFailures = 0;
  for (int n = 1; n <= calls; ++n) {
    SCOPED_TRACE("failing call " + std::to_string(n));
    Injector injector;
    injector.failing = [n](int call) { return call == n; };
    // A full disk, a failing device, and a stick pulled out (ENODEV, ENXIO).
    constexpr int kErrors[] = {ENOSPC, EIO, ENODEV, ENXIO};
    injector.error = kErrors[n % 4];
    const Snapshot now = Run(injector);
    ASSERT_EQ(injector.failed, 1);
    std::size_t fresh = 0;
    ASSERT_TRUE(Classify(now, fresh));
    const auto boxes = platform_.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(platform_.applicationErrors.empty());
    const auto history = NewestRun((dir_ / "data" / "wisetup" / "history").string());
    if (boxes[0].kind == MessageKind::Information) {
      EXPECT_EQ(fresh, 6u);
      ASSERT_TRUE(history.has_value());
      const bool saidNotWritten = boxes[0].text.find(reportNotWritten) != string::npos;
      EXPECT_NE(fs::exists(fs::path(history->folder) / kReportName), saidNotWritten);
      reportFailures += saidNotWritten ? 1 : 0;
    } else {
      ++failures;
      EXPECT_EQ(fresh, 0u) << "not all or nothing";
      EXPECT_TRUE(boxes[0].text.starts_with(notCreated + "\n")) << boxes[0].text;
      EXPECT_FALSE(history.has_value()) << "a run that changed nothing left a history";
    }
    Reset();
  }
  // Nearly every call matters; the few that do not are best-effort clean-ups.
  EXPECT_GT(failures, calls * 3 / 4);
  EXPECT_GT(reportFailures, 0);
}

TEST_F(CreateFilesFaultTest, FailingEveryCallFromSomePointOnNeverTearsAFile) {
  const int calls = Learn();
  const string notCreated = CreateFilesTextOf(CreateFilesText::NotCreated, 1);
  const string leftNew = CreateFilesTextOf(CreateFilesText::LeftNew, 1);
  for (int n = 1; n <= calls; ++n) {
    SCOPED_TRACE("failing calls from " + std::to_string(n));
    Injector injector;
    injector.failing = [n](int call) { return call >= n; };
    injector.error = ENOSPC;
    Snapshot now = Run(injector);
    // Removing a temporary file fails too, so one may be left; its name must be ours.
    std::erase_if(now, [](const auto& entry) {
      return IsTemporaryFileName(fs::path(entry.first).filename().string());
    });
    std::size_t fresh = 0;
    ASSERT_TRUE(Classify(now, fresh));
    const auto boxes = platform_.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    if (boxes[0].kind == MessageKind::Information) {
      EXPECT_EQ(fresh, 6u);
    } else if (fresh == 0) {
      EXPECT_TRUE(boxes[0].text.starts_with(notCreated + "\n")) << boxes[0].text;
    } else {
      // Only when putting back failed too, and then the box says which files are new and where
      // the old ones are.
      EXPECT_TRUE(boxes[0].text.starts_with(leftNew + "\n")) << boxes[0].text;
      for (const auto& [path, bytes] : now) {
        if (bytes != old_.at(path)) {
          EXPECT_NE(boxes[0].text.find(path), string::npos) << path;
        }
      }
      EXPECT_NE(boxes[0].text.find((dir_ / "data").string()), string::npos);
      // The file whose replacement failed holds its old content and is named apart.
      const string stillOld = CreateFilesTextOf(CreateFilesText::StillOld, 1);
      if (const auto at = boxes[0].text.find(stillOld); at != string::npos) {
        const string failed = boxes[0].text.substr(at + stillOld.size() + 1);
        const string path = failed.substr(0, failed.find(": "));
        EXPECT_EQ(now.at(path), old_.at(path)) << path;
      }
      // The undo then puts back the new files and counts the others as already back.
      platform_.messages.clear();
      form_.RunHandler([this] { form_.MenuRestoreOriginalsClick(); });
      EXPECT_TRUE(WithoutTemporaries(Take()) == old_);
      ASSERT_FALSE(platform_.Boxes().empty());
      EXPECT_EQ(
          platform_.Boxes().back().text.find(CreateFilesTextOf(CreateFilesText::UndoSkipped, 1)),
          string::npos)
          << platform_.Boxes().back().text;
    }
    Reset();
  }
}

TEST_F(CreateFilesFaultTest, SettingsSaveWithAFailingCallKeepsTheOldFileWhole) {
  const fs::path settings = dir_ / "app" / "wisetup.INI";
  form_.SaveSettings();
  const string old = ReadBytes(settings);
  form_.Placement.Left = 321;
  Injector counting;
  {
    const auto hook = counting.Install();
    form_.SaveSettings();
  }
  const string fresh = ReadBytes(settings);
  ASSERT_NE(old, fresh);
  int refused = 0;
  for (int n = 1; n <= counting.calls; ++n) {
    SCOPED_TRACE("failing call " + std::to_string(n));
    std::ofstream(settings, std::ios::binary) << old;
    Injector injector;
    injector.failing = [n](int call) { return call == n; };
    bool threw = false;
    {
      const auto hook = injector.Install();
      try {
        form_.SaveSettings();
      } catch (const HandlerError&) {
        threw = true;
      }
    }
    const string now = ReadBytes(settings);
    EXPECT_TRUE(now == old || now == fresh);
    if (threw) {
      ++refused;
      EXPECT_EQ(now, old);
    }
    for (const auto& entry : fs::directory_iterator(dir_ / "app")) {
      EXPECT_FALSE(IsTemporaryFileName(entry.path().filename().string())) << entry.path();
    }
  }
  EXPECT_GT(refused, 0);
}

// A configuration file that exists but cannot be read refuses the folder with the read-failure
// message; the window keeps the loaded backup and its folder.
TEST_F(CreateFilesFaultTest, UnreadableConfigurationChangesNothing) {
  demo::WriteDemoBackup(dir_ / "other");
  const string shown = form_.C(Ctl::EditBackupFolder).Text;
  const auto tables = form_.Slots[0].TableNumbers;
  platform_.folderAnswers.push_back((dir_ / "other").string());
  platform_.messages.clear();
  Injector injector;
  injector.failing = [](int) { return true; };
  {
    const auto hook = injector.Install();
    form_.RunHandler([this] { form_.ClickBackupFolder(); });
  }
  ASSERT_EQ(platform_.messages.size(), 1u);
  EXPECT_EQ(platform_.messages[0].text,
            "Cannot read " + (dir_ / "other").string() + "/WORK/Ac01arcw.CON.");
  EXPECT_EQ(form_.C(Ctl::EditBackupFolder).Text, shown);
  EXPECT_EQ(form_.Slots[0].TableNumbers, tables);
  EXPECT_EQ(form_.Slots[0].SelectedModes[1], 2);
}

// Read errors while the backup is loaded (the configuration read, the tables not): Create Files
// then refuses every table it would rewrite and changes nothing.
TEST_F(CreateFilesFaultTest, TablesWithAReadErrorAtLoadAreNeverWrittenBack) {
  platform_.folderAnswers.push_back((dir_ / "demo").string());
  int reads = 0;
  {
    // The configuration file takes one read (a regular file reads short only at its end).
    sys::ScopedFaultHook hook(
        [&reads](sys::Call call) { return call == sys::Call::Read && ++reads > 1 ? EIO : 0; });
    form_.ClickBackupFolder();
  }
  ASSERT_GT(reads, 1);
  Choose(0, 1, {{0, 0}, {1, 2}});
  Choose(1, 3, {{0, 0}, {1, 1}, {3, 2}});
  platform_.messages.clear();
  form_.ButtonMakeConfigClick();
  const auto boxes = platform_.Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].kind, MessageKind::Error);
  for (const char* table : {"$WTBD1", "$WTBD2", "$WTBD11", "$WTBD12", "$WTBD14"}) {
    EXPECT_NE(boxes[0].text.find((Weld() / table).string() + ": could not be read at load"),
              string::npos)
        << table;
  }
  EXPECT_EQ(Take(), old_);
}

// A run found in progress whose record cannot be trusted changes nothing and says so in one box;
// of two runs in progress only the newest is examined.
TEST_F(CreateFilesFaultTest, InterruptedRunThatCannotBeCheckedChangesNothing) {
  Learn();
  const fs::path history = dir_ / "data" / "wisetup" / "history";
  struct Row {
    const char* name;
    std::function<void(const fs::path& run)> damage;
    bool box;
  };
  const std::vector<Row> rows = {
      {"ManifestDamaged", [](const fs::path& run) { std::ofstream(run / "manifest.txt") << "x"; },
       true},
      {"KeptCopyMissing", [](const fs::path& run) { fs::remove(run / "002-$WTBD1"); }, true},
      {"KeptCopyChanged",
       [](const fs::path& run) { std::ofstream(run / "002-$WTBD1", std::ios::binary) << "y"; },
       true},
      {"FolderGone", [](const fs::path& run) { fs::remove_all(run); }, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Injector clean;
    Run(clean);
    ASSERT_EQ(platform_.Boxes().size(), 1u);
    fs::path run;
    for (const auto& entry : fs::directory_iterator(history)) run = entry.path();
    // As if killed after the setup file and the first table were replaced.
    fs::remove(run / "done");
    for (const auto& [path, bytes] : old_) {
      if (fs::path(path).filename() != "ZelSetUp.ini" && fs::path(path).filename() != "$WTBD1") {
        std::ofstream(path, std::ios::binary) << bytes;
      }
    }
    const Snapshot torn = Take();
    row.damage(run);
    FaultPlatform next = platform_;
    next.messages.clear();
    TForm1 restarted(next);
    restarted.FormShow();
    EXPECT_TRUE(Take() == torn);
    EXPECT_EQ(next.Boxes().size(), row.box ? 1u : 0u);
    for (const Shown& m : next.messages) EXPECT_NE(m.kind, MessageKind::Question) << m.text;
    Reset();
  }

  // Two runs in progress: the newer is the one asked about and put back.
  Injector first;
  Run(first);
  platform_.messages.clear();
  std::vector<fs::path> runs;
  {
    Injector second;
    Run(second);  // changes nothing new, but is a run of its own
  }
  for (const auto& entry : fs::directory_iterator(history)) runs.push_back(entry.path());
  std::sort(runs.begin(), runs.end());
  ASSERT_EQ(runs.size(), 2u);
  for (const fs::path& run : runs) fs::remove(run / "done");
  std::ofstream(Weld() / "$WTBD1", std::ios::binary) << old_.at((Weld() / "$WTBD1").string());
  FaultPlatform next = platform_;
  next.messages.clear();
  TForm1 restarted(next);
  restarted.FormShow();
  ASSERT_FALSE(next.messages.empty());
  EXPECT_EQ(next.messages[0].kind, MessageKind::Question);
  EXPECT_NE(next.messages[0].text.find(
                runs[1].filename().string().substr(0, 8).insert(4, "-").insert(7, "-")),
            string::npos)
      << next.messages[0].text;
  EXPECT_EQ(RunStateOf(runs[1].string()), RunState::Undone);
  EXPECT_EQ(RunStateOf(runs[0].string()), RunState::InProgress);
}

// A table written behind the window's back after the load (by another window on the same backup,
// or by hand) is never overwritten from the window's older reading: the one refusal box names it
// and nothing changes. A table rewritten with the very bytes that were read is no change.
struct ChangedTableRow {
  const char* name;
  const char* table;
  std::function<void(const fs::path&)> change;
  const char* reason;  // nothing: Create Files goes ahead
};

class ChangedSinceLoad : public CreateFilesFaultTest,
                         public testing::WithParamInterface<ChangedTableRow> {};

TEST_P(ChangedSinceLoad, IsRefusedAndNothingChanges) {
  const ChangedTableRow& row = GetParam();
  row.change(Weld() / row.table);
  const Snapshot before = Take();
  platform_.messages.clear();
  form_.RunHandler([this] { form_.ButtonMakeConfigClick(); });
  const auto boxes = platform_.Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  if (!row.reason) {
    EXPECT_EQ(boxes[0].kind, MessageKind::Information) << boxes[0].text;
    return;
  }
  EXPECT_EQ(boxes[0].kind, MessageKind::Error);
  EXPECT_EQ(boxes[0].text, CreateFilesTextOf(CreateFilesText::NotCreated, 1) + "\n" +
                               (Weld() / row.table).string() + ": " + row.reason);
  EXPECT_TRUE(Take() == before);
  EXPECT_FALSE(fs::exists(dir_ / "data" / "wisetup" / "history"));
}

void FlipLastByte(const fs::path& table) {
  string bytes = ReadBytes(table);
  bytes.back() = static_cast<char>(bytes.back() ^ 1);
  std::ofstream(table, std::ios::binary) << bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ChangedSinceLoad,
    testing::Values(ChangedTableRow{"ByteBeyondTheRecordFields", "$WTBD2", FlipLastByte,
                                    "changed on disk since it was loaded"},
                    ChangedTableRow{"LongerFile", "$WTBD11",
                                    [](const fs::path& table) {
                                      std::ofstream(table, std::ios::binary | std::ios::app)
                                          << "tail";
                                    },
                                    "changed on disk since it was loaded"},
                    ChangedTableRow{"ReplacedByAFolder", "$WTBD14",
                                    [](const fs::path& table) {
                                      fs::remove(table);
                                      fs::create_directory(table);
                                    },
                                    "is not a regular file"},
                    ChangedTableRow{"SameBytesWrittenAnew", "$WTBD1",
                                    [](const fs::path& table) {
                                      const string bytes = ReadBytes(table);
                                      fs::remove(table);
                                      std::ofstream(table, std::ios::binary) << bytes;
                                    },
                                    nullptr}),
    test::RowName());

// The window knows what its own runs and undos wrote: each next run in it goes ahead, while a table
// changed behind it is refused until the backup is loaded again.
TEST_F(CreateFilesFaultTest, RunsInARowGoAheadAndALaterChangeNeedsALoad) {
  Injector clean;
  auto expectDone = [this](const Snapshot& now, const Snapshot& expected) {
    EXPECT_TRUE(now == expected);
    ASSERT_EQ(platform_.Boxes().size(), 1u);
    EXPECT_EQ(platform_.Boxes()[0].kind, MessageKind::Information) << platform_.Boxes()[0].text;
    platform_.messages.clear();
  };
  new_ = Run(clean);
  expectDone(new_, new_);
  form_.RunHandler([this] { form_.MenuRestoreOriginalsClick(); });
  expectDone(Take(), old_);
  expectDone(Run(clean), new_);
  expectDone(Run(clean), new_);

  FlipLastByte(Weld() / "$WTBD12");
  const Snapshot changed = Take();
  EXPECT_TRUE(Run(clean) == changed);
  ASSERT_EQ(platform_.Boxes().size(), 1u);
  EXPECT_NE(platform_.Boxes()[0].text.find((Weld() / "$WTBD12").string() +
                                           ": changed on disk since it was loaded"),
            string::npos)
      << platform_.Boxes()[0].text;
  platform_.messages.clear();

  LoadAndChoose();
  platform_.messages.clear();
  Run(clean);
  ASSERT_EQ(platform_.Boxes().size(), 1u);
  EXPECT_EQ(platform_.Boxes()[0].kind, MessageKind::Information) << platform_.Boxes()[0].text;
}

// The undo's question says when a run's tables are not the loaded backup's.
TEST_F(CreateFilesFaultTest, UndoSaysWhenTheRunIsAnotherBackups) {
  Injector clean;
  Run(clean);
  demo::WriteDemoBackup(dir_ / "other");
  ExpectUndoQuestion(dir_ / "other", true);
}

// The files come back even when the run cannot be marked undone; the engineer is told that the run
// will be offered again rather than being told nothing.
TEST_F(CreateFilesFaultTest, UndoThatCannotMarkItsRunSaysSo) {
  Learn();
  Injector clean;
  Run(clean);
  const fs::path history = dir_ / "data" / "wisetup" / "history";
  ASSERT_TRUE(fs::is_directory(history));
  for (const auto& run : fs::directory_iterator(history)) {
    fs::create_directory(run.path() / "undone");  // a folder where the marker file goes
  }
  platform_.messages.clear();

  form_.RunHandler([this] { form_.MenuRestoreOriginalsClick(); });

  EXPECT_EQ(Take(), old_);
  ASSERT_EQ(platform_.Boxes().size(), 1u);
  EXPECT_EQ(platform_.Boxes()[0].kind, MessageKind::Information);
  EXPECT_NE(platform_.Boxes()[0].text.find(CreateFilesTextOf(CreateFilesText::UndoNotMarked, 1)),
            string::npos)
      << platform_.Boxes()[0].text;
  EXPECT_TRUE(form_.C(Ctl::MenuRestoreOriginals).Enabled);
}

}  // namespace
}  // namespace wisetup
