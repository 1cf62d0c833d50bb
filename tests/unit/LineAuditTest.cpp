#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "survey/LineAudit.h"

namespace wisetup {
namespace {

FileChange File(const std::string& path, FileState state) {
  FileChange file;
  file.path = path;
  file.state = state;
  return file;
}

TEST(LineAuditTest, VerdictOfEachPair) {
  struct Case {
    const char* name;
    std::optional<ChangeList> changes;
    std::vector<std::string> reasons;
    AuditVerdict verdict;
    std::vector<std::string> listed;  // the files, or the reasons of a refusal
  };
  const ChangeList none;
  ChangeList unchanged;
  unchanged.files = {File("ZelSetUp.Ini", FileState::Unchanged), File("t1", FileState::Unchanged)};
  ChangeList some = unchanged;
  some.files.push_back(File("t2", FileState::Changed));
  some.files.push_back(File("new", FileState::New));
  const std::vector<Case> cases = {
      {"nothing would change", unchanged, {}, AuditVerdict::UpToDate, {}},
      {"no files at all", none, {}, AuditVerdict::UpToDate, {}},
      {"two files would change", some, {"ignored"}, AuditVerdict::Differs, {"t2", "new"}},
      {"refused, a reason repeated",
       std::nullopt,
       {"a", "b", "a"},
       AuditVerdict::Refused,
       {"a", "b"}},
      {"refused without a reason", std::nullopt, {}, AuditVerdict::Refused, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PairAudit audit = AuditPair("/b", c.changes, c.reasons);
    EXPECT_EQ(audit.backup, "/b");
    EXPECT_EQ(audit.verdict, c.verdict);
    std::vector<std::string> listed = audit.reasons;
    for (const FileChange& file : audit.changes.files) listed.push_back(file.path);
    EXPECT_EQ(listed, c.listed);
  }
}

TEST(LineAuditTest, SummaryCountsAndExitStatus) {
  ChangeList changed;
  changed.files = {File("t", FileState::Changed)};
  const PairAudit upToDate = AuditPair("a", ChangeList{}, {});
  const PairAudit differs = AuditPair("b", changed, {});
  const PairAudit refused = AuditPair("c", std::nullopt, {"why"});
  const AuditSummary all = SummarizeAudits({upToDate, differs, refused, upToDate});
  EXPECT_EQ(all.pairs, 4u);
  EXPECT_EQ(all.upToDate, 2u);
  EXPECT_EQ(all.differ, 1u);
  EXPECT_EQ(all.refused, 1u);
  EXPECT_EQ(all.ExitStatus(), 1);
  EXPECT_EQ(SummarizeAudits({upToDate, upToDate}).ExitStatus(), 0);
  EXPECT_EQ(SummarizeAudits({refused}).ExitStatus(), 1);
}

}  // namespace
}  // namespace wisetup
