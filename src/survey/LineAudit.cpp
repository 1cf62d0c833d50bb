#include "survey/LineAudit.h"

#include <algorithm>

namespace wisetup {

PairAudit AuditPair(const std::string& backup, const std::optional<ChangeList>& changes,
                    const std::vector<std::string>& reasons) {
  PairAudit audit;
  audit.backup = backup;
  if (!changes) {
    // A box repeated by several checks says the same once.
    for (const std::string& reason : reasons) {
      if (std::find(audit.reasons.begin(), audit.reasons.end(), reason) == audit.reasons.end()) {
        audit.reasons.push_back(reason);
      }
    }
    return audit;
  }
  for (const FileChange& file : changes->files) {
    if (file.state != FileState::Unchanged) audit.changes.files.push_back(file);
  }
  audit.verdict = audit.changes.files.empty() ? AuditVerdict::UpToDate : AuditVerdict::Differs;
  return audit;
}

AuditSummary SummarizeAudits(const std::vector<PairAudit>& audits) {
  AuditSummary summary;
  for (const PairAudit& audit : audits) {
    ++summary.pairs;
    switch (audit.verdict) {
      case AuditVerdict::UpToDate:
        ++summary.upToDate;
        break;
      case AuditVerdict::Differs:
        ++summary.differ;
        break;
      case AuditVerdict::Refused:
        ++summary.refused;
        break;
    }
  }
  return summary;
}

}  // namespace wisetup
