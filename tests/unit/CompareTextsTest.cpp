#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CompareTexts.h"

namespace wisetup {
namespace {

FileChange Changed(const std::string& path) {
  FileChange file;
  file.path = path;
  file.kind = ComposedKind::Table;
  file.state = FileState::Changed;
  file.record = {{"METHOD", 74, 2, 1, 2}};
  return file;
}

TEST(CompareTextsTest, AuditLinesInBothLanguages) {
  ChangeList two;
  two.files = {Changed("/b/$WTBD1"), Changed("/b/$WTBD2")};
  ChangeList one;
  one.files = {Changed("/b/$WTBD1")};
  struct Case {
    const char* name;
    PairAudit audit;
    int language;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {"up to date", AuditPair("/b", ChangeList{}, {}), 1, {"/b: up to date"}},
      {"up to date, Japanese", AuditPair("/b", ChangeList{}, {}), 0, {"/b: 最新です"}},
      {"differs",
       AuditPair("/b", two, {}),
       1,
       {"/b: differs, 2 files", "  /b/$WTBD1 — changed", "    METHOD: 1 → 2",
        "  /b/$WTBD2 — changed", "    METHOD: 1 → 2"}},
      {"differs in one file",
       AuditPair("/b", one, {}),
       1,
       {"/b: differs, 1 file", "  /b/$WTBD1 — changed", "    METHOD: 1 → 2"}},
      {"refused, reasons of several lines",
       AuditPair("/b", std::nullopt, {"first\nsecond", "first\nsecond"}),
       1,
       {"/b: refused", "  first", "  second"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(AuditLines(c.audit, c.language), c.expected);
  }
}

TEST(CompareTextsTest, SummarySaysOnePairInTheSingular) {
  EXPECT_EQ(AuditSummaryLine({1, 1, 0, 0}, 1), "1 pair: 1 up to date, 0 differ, 0 refused");
  EXPECT_EQ(AuditSummaryLine({3, 1, 1, 1}, 1), "3 pairs: 1 up to date, 1 differ, 1 refused");
  EXPECT_EQ(AuditSummaryLine({3, 1, 1, 1}, 0), "3 組: 最新 1、相違 1、拒否 1");
}

TEST(CompareTextsTest, NotABackupIsOneLineNamingTheFolder) {
  BackupSnapshot snapshot;
  snapshot.folder = "/x";
  snapshot.fault = BackupFault::NoConfig;
  EXPECT_EQ(NotABackupLine(snapshot, 1),
            "/x: Wrong RC backup folder is selected. Please select correct folder.");
  snapshot.fault = BackupFault::BadNumber;
  snapshot.badItem = "2x";
  snapshot.where = "[WELD_PROPERTY1] A_WTBD";
  EXPECT_EQ(NotABackupLine(snapshot, 1),
            "/x: '2x' is not a valid integer value ([WELD_PROPERTY1] A_WTBD)");
  snapshot.fault = BackupFault::ConfigUnreadable;
  snapshot.status = {FileCode::CannotOpen, "/x/WORK/Ac01arcw.CON", "Permission denied"};
  EXPECT_EQ(NotABackupLine(snapshot, 1),
            "/x: Cannot open /x/WORK/Ac01arcw.CON. (Permission denied)");
}

}  // namespace
}  // namespace wisetup
