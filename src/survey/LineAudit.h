// Whether a backup still holds what its selections would make of it: the change list of a preview
// of that pair says up to date (Create Files would change nothing), differs (so many files), or the
// preview was refused (with its reasons). A line of backups is audited pair by pair.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "changes/ChangeList.h"

namespace wisetup {

enum class AuditVerdict { UpToDate, Differs, Refused };

struct PairAudit {
  std::string backup;  // native path, as the pair names it
  AuditVerdict verdict = AuditVerdict::Refused;
  ChangeList changes;                // Differs: only the files that would change
  std::vector<std::string> reasons;  // Refused: why, one a line, each once
};

// The verdict of one pair: from its change list, or, when there is none, from the reasons the
// preview was refused for (an empty list of reasons is still a refusal).
PairAudit AuditPair(const std::string& backup, const std::optional<ChangeList>& changes,
                    const std::vector<std::string>& reasons);

struct AuditSummary {
  std::size_t pairs = 0;
  std::size_t upToDate = 0;
  std::size_t differ = 0;
  std::size_t refused = 0;

  // 0 when every pair is up to date, 1 otherwise, as a command's exit status.
  int ExitStatus() const { return pairs == upToDate ? 0 : 1; }
};

AuditSummary SummarizeAudits(const std::vector<PairAudit>& audits);

}  // namespace wisetup
