// The Create Files fault tests that need child processes or symbolic links: this system's.
#include "CreateFilesFault.h"
#include "SystemObjects.h"

namespace wisetup {
namespace {

// The process killed after any call of a run, with no roll-back: the next start asks exactly when
// the files are part old and part new, and Yes brings every file back.
TEST_F(CreateFilesFaultTest, KilledRunIsFoundAtTheNextStart) {
  const int calls = Learn();
  int asked = 0;
  for (int n = 1; n <= calls; ++n) {
    SCOPED_TRACE("killed at call " + std::to_string(n));
    ASSERT_EQ(test::ExitCodeOfChild([this, n] {
                int seen = 0;
                sys::ScopedFaultHook hook([&seen, n](sys::Call) {
                  if (++seen == n) test::ExitNow(0);
                  return 0;
                });
                form_.ButtonMakeConfigClick();
              }),
              0);
    std::size_t fresh = 0;
    ASSERT_TRUE(Classify(WithoutTemporaries(Take()), fresh));

    FaultPlatform next = platform_;
    next.messages.clear();
    TForm1 restarted(next);
    restarted.FormShow();
    const bool mixed = fresh > 0 && fresh < 6;
    std::size_t questions = 0;
    for (const Shown& m : next.messages) questions += m.kind == MessageKind::Question ? 1 : 0;
    EXPECT_EQ(questions, mixed ? 1u : 0u);
    EXPECT_TRUE(next.Boxes().size() == (mixed ? 1u : 0u)) << next.messages.size();
    if (mixed) {
      ++asked;
      EXPECT_TRUE(WithoutTemporaries(Take()) == old_);
    } else {
      std::size_t again = 0;
      ASSERT_TRUE(Classify(WithoutTemporaries(Take()), again));
      EXPECT_EQ(again, fresh);
    }
    // A second start has nothing more to ask.
    FaultPlatform third = platform_;
    third.messages.clear();
    TForm1 again(third);
    again.FormShow();
    EXPECT_TRUE(third.messages.empty());
    Reset();
  }
  EXPECT_GT(asked, 0);
}

// Another window with the backup loaded (here in a child process) is named after the load, which
// goes on; once that process has ended nobody is named, although its lock file is still there.
TEST_F(CreateFilesFaultTest, LoadNamesAnotherWindowThatHasTheBackupLoaded) {
  platform_.environment["XDG_RUNTIME_DIR"] = (dir_ / "run").string();
  fs::create_directories(dir_ / "run");
  test::HeldChild child([this](const test::HeldChild::Hold& hold) {
    FaultPlatform own = platform_;
    own.folderAnswers = {(dir_ / "demo").string()};
    TForm1 other(own);
    other.ClickBackupFolder();
    hold(own.messages.empty() ? 1 : 0);
  });
  ASSERT_GT(child.Pid(), 0);
  const std::optional<char> c = child.Report();
  ASSERT_TRUE(c.has_value());
  EXPECT_EQ(*c, 1) << "the first window was told something";
  platform_.messages.clear();
  LoadAndChoose();
  ASSERT_EQ(platform_.messages.size(), 1u);
  EXPECT_EQ(platform_.messages[0].kind, MessageKind::Information);
  EXPECT_EQ(platform_.messages[0].text,
            "This backup folder is also open in another window (process " +
                std::to_string(child.Pid()) + ").");
  EXPECT_EQ(form_.Slots[1].SelectedModes[3], 2);  // the load and the choices went on

  ASSERT_TRUE(child.Release());
  platform_.messages.clear();
  LoadAndChoose();
  EXPECT_TRUE(platform_.messages.empty()) << platform_.messages[0].text;
}

// The same backup loaded through a symbolic link is the same backup: no warning.
TEST_F(CreateFilesFaultTest, UndoTakesTheBackupThroughALinkForTheSame) {
  Injector clean;
  Run(clean);
  fs::create_directory_symlink(dir_ / "demo", dir_ / "link");
  ExpectUndoQuestion(dir_ / "link", false);
}

}  // namespace
}  // namespace wisetup
