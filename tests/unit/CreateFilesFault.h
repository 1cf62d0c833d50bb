// The fixture of the Create Files fault tests: a demo backup, catalogue and setup folder, a window
// with choices made, snapshots of what Create Files writes and a counter that fails calls.
#pragma once

#include <algorithm>
#include <cerrno>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/ChangeTexts.h"
#include "app/CreateFilesTexts.h"
#include "app/Mainunit.h"
#include "demo-data/DemoData.h"
#include "platform/FileIo.h"
#include "platform/SystemCalls.h"
#include "storage/History.h"

namespace wisetup {

namespace fs = std::filesystem;
using std::string;

using test::PrintTo;
using test::ReadBytes;
using test::Shown;

// Questions are answered Yes; the history goes below the test's own data folder.
class FaultPlatform : public test::RecordingPlatform {
 public:
  FaultPlatform() { questionAnswer = MessageAnswer::Yes; }
};

// Every entry of the folders that Create Files writes, by name, with its bytes.
using Snapshot = std::map<string, string>;

// Counts the calls and fails those that `failing` picks.
struct Injector {
  int calls = 0;
  int failed = 0;
  std::function<bool(int call)> failing;
  int error = EIO;

  sys::ScopedFaultHook Install() {
    return sys::ScopedFaultHook([this](sys::Call) {
      ++calls;
      if (!failing || !failing(calls)) return 0;
      ++failed;
      return error;
    });
  }
};

class CreateFilesFaultTest : public testing::Test {
 protected:
  void SetUp() override {
    // Hundreds of runs, each flushing its files: on a memory file system that costs nothing.
    std::error_code ec;
    const fs::path shm = "/dev/shm";
    dir_ = test::MakeTempFolder(fs::is_directory(shm, ec) ? shm : fs::temp_directory_path(ec),
                                "wisetup-fault-");
    ASSERT_FALSE(dir_.empty());
    platform_.executable = (dir_ / "app" / "wisetup").string();
    platform_.environment["XDG_DATA_HOME"] = (dir_ / "data").string();
    demo::WriteDemoCatalogue(dir_ / "app");
    demo::WriteDemoBackup(dir_ / "demo");
    demo::WriteTextFile(dir_ / "setup" / "ZelSetUp.ini", "[FOREIGN]\r\nKEPT=1\r\n");

    form_.LanguageIndex = 1;
    form_.C(Ctl::EditConfigFolder).Text = (dir_ / "setup").string();
    LoadAndChoose();
    old_ = Take();
  }

  // The window takes the backup as it is on disk now, with the same choices.
  void LoadAndChoose() {
    platform_.folderAnswers.push_back((dir_ / "demo").string());
    form_.ClickBackupFolder();
    Choose(0, 1, {{0, 0}, {1, 2}});
    Choose(1, 3, {{0, 0}, {1, 1}, {3, 2}});
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  void Choose(int welder, int model, const std::vector<std::pair<int, int>>& modes) {
    form_.C(Ctl::ComboBoxWelderNo).ItemIndex = welder;
    form_.ComboBoxWelderNoChange();
    form_.C(Ctl::ComboBoxWpsWelder).ItemIndex = model;
    form_.ComboBoxWpsWelderChange();
    for (const auto& [registration, mode] : modes) {
      form_.C(Ctl::PageControlRejist).ActivePage = registration;
      form_.C(ComboBoxWpsWModeOf(registration)).ItemIndex = mode;
      form_.ComboBoxWpsWModeChange(ComboBoxWpsWModeOf(registration));
    }
  }

  fs::path Weld() const { return dir_ / "demo" / "WORK" / "A_APPLICATION" / "WELD"; }

  Snapshot Take() const {
    Snapshot snapshot;
    for (const fs::path& folder : {Weld(), dir_ / "setup"}) {
      for (const auto& entry : fs::directory_iterator(folder)) {
        snapshot[entry.path().string()] = ReadBytes(entry.path());
      }
    }
    return snapshot;
  }

  // A killed run or a failing clean-up may leave temporary files of ours; the next run removes
  // them.
  static Snapshot WithoutTemporaries(Snapshot snapshot) {
    std::erase_if(snapshot, [](const auto& entry) {
      return IsTemporaryFileName(fs::path(entry.first).filename().string());
    });
    return snapshot;
  }

  // Puts the old files back as they were before any run, loads them again (the window would refuse
  // to write over files changed behind it) and forgets the history.
  void Reset() {
    for (const fs::path& folder : {Weld(), dir_ / "setup"}) {
      for (const auto& entry : fs::directory_iterator(folder)) fs::remove(entry.path());
    }
    for (const auto& [path, bytes] : old_) std::ofstream(path, std::ios::binary) << bytes;
    LoadAndChoose();
    std::error_code ec;
    fs::remove_all(dir_ / "data", ec);
    platform_.messages.clear();
    platform_.applicationErrors.clear();
  }

  // Runs Create Files once with `injector` and returns what the folders hold afterwards.
  Snapshot Run(Injector& injector) {
    {
      const auto hook = injector.Install();
      form_.RunHandler([this] { form_.ButtonMakeConfigClick(); });
    }
    return Take();
  }

  // The files that hold the new content, or a failure when one is neither old nor new.
  testing::AssertionResult Classify(const Snapshot& now, std::size_t& newCount) const {
    newCount = 0;
    for (const auto& [path, bytes] : now) {
      if (fs::path(path).filename().string().starts_with(".wisetup-")) {
        return testing::AssertionFailure() << "temporary file left: " << path;
      }
      const auto old = old_.find(path);
      const auto fresh = new_.find(path);
      if (fresh != new_.end() && bytes == fresh->second && bytes != old->second) {
        ++newCount;
      } else if (old == old_.end() || bytes != old->second) {
        return testing::AssertionFailure() << "neither old nor new: " << path;
      }
    }
    for (const auto& [path, bytes] : old_) {
      if (!now.contains(path)) return testing::AssertionFailure() << "file lost: " << path;
    }
    return testing::AssertionSuccess();
  }

  // Runs once without faults to learn the new contents and how many calls a run makes.
  int Learn() {
    Injector clean;
    new_ = Run(clean);
    EXPECT_EQ(platform_.Boxes().size(), 1u);
    EXPECT_EQ(platform_.Boxes().at(0).kind, MessageKind::Information);
    std::size_t changed = 0;
    for (const auto& [path, bytes] : new_) changed += bytes != old_.at(path) ? 1 : 0;
    EXPECT_EQ(changed, 6u);  // the setup file and five tables
    Reset();
    return clean.calls;
  }

  // Loads the backup at `folder` and asks to undo the last run, answered No: the question warns
  // when that run was another backup's.
  void ExpectUndoQuestion(const fs::path& folder, bool warned) {
    platform_.folderAnswers.push_back(folder.string());
    form_.ClickBackupFolder();
    platform_.questionAnswer = MessageAnswer::No;
    platform_.messages.clear();
    form_.MenuRestoreOriginalsClick();
    ASSERT_EQ(platform_.messages.size(), 1u);
    const string& question = platform_.messages[0].text;
    const string warning = CreateFilesTextOf(CreateFilesText::UndoOtherBackup, 1);
    EXPECT_EQ(question.find(warning) != string::npos, warned) << question;
    EXPECT_NE(question.find("\nCreated: 2024-01-02 03:04:05\n"), string::npos) << question;
  }

  fs::path dir_;
  FaultPlatform platform_;
  TForm1 form_{platform_};
  Snapshot old_;
  Snapshot new_;
};

}  // namespace wisetup
