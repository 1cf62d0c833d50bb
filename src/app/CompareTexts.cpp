#include "app/CompareTexts.h"

#include <algorithm>
#include <array>

#include "app/ChangeTexts.h"
#include "app/CreateFilesTexts.h"
#include "app/ShellTexts.h"
#include "app/UiTexts.h"
#include "catalogue/ConditionText.h"

namespace wisetup {
namespace {

const std::array<UiTextPair, static_cast<std::size_t>(CompareText::Count)> kTexts = {{
    {"別のバックアップと比較(&C)...", "Compare with another backup(&C)..."},
    {"バックアップの比較", "Comparison of backups"},
    {"比較するバックアップフォルダを選択してください", "Choose the backup folder to compare with"},
    {"バックアップ A: %1", "Backup A: %1"},
    {"バックアップ B: %1", "Backup B: %1"},
    {"A と B は同じフォルダです。", "A and B are the same folder."},
    {"溶接機 %1: 溶接機の種類が異なります (A: %2, B: %3)",
     "Welder %1: the welder kinds differ (A: %2, B: %3)"},
    {"溶接機 %1 登録 %2: テーブル %3 は A にだけあります",
     "Welder %1, registration %2: table %3 is in A only"},
    {"溶接機 %1 登録 %2: テーブル %3 は B にだけあります",
     "Welder %1, registration %2: table %3 is in B only"},
    {"溶接機 %1 登録 %2: A のテーブル %3 を読めません: %4",
     "Welder %1, registration %2: table %3 of A cannot be read: %4"},
    {"溶接機 %1 登録 %2: B のテーブル %3 を読めません: %4",
     "Welder %1, registration %2: table %3 of B cannot be read: %4"},
    {"溶接機 %1 登録 %2: テーブル %3 (A) と %4 (B) は大きさが異なり、比較できません",
     "Welder %1, registration %2: tables %3 (A) and %4 (B) differ in size and are not compared"},
    {"溶接機 %1 登録 %2: テーブル %3 (A) と %4 (B) が異なります",
     "Welder %1, registration %2: tables %3 (A) and %4 (B) differ"},
    {"  A: %1", "  A: %1"},
    {"  B: %1", "  B: %1"},
    {"同じ登録: %1 件、異なる登録: %2 件、種類の異なる溶接機: %3 台",
     "Registrations the same: %1, differing: %2; welders of another kind: %3"},
    {"%1: %2", "%1: %2"},
    {"'%1' は整数ではありません (%2)", "'%1' is not a valid integer value (%2)"},
    {"%1: 最新です", "%1: up to date"},
    {"%1: 異なります (%2 ファイル)", "%1: differs, %2 files"},
    {"%1: 異なります (1 ファイル)", "%1: differs, 1 file"},
    {"%1: 拒否されました", "%1: refused"},
    {"%1 組: 最新 %2、相違 %3、拒否 %4", "%1 pairs: %2 up to date, %3 differ, %4 refused"},
    {"%1 組: 最新 %2、相違 %3、拒否 %4", "%1 pair: %2 up to date, %3 differ, %4 refused"},
}};

std::string N(std::size_t number) {
  return std::to_string(number);
}

std::string N(int number) {
  return std::to_string(number);
}

// The system's reason after our own, as the boxes give it.
std::string ReadFailureText(const FileStatus& status, int language) {
  const TextRow row =
      status.code == FileCode::CannotOpen ? TextRow::CannotOpen : TextRow::CannotRead;
  std::string text = FormatPath(UiTextOf(row, language), status.path);
  if (!status.reason.empty()) text += " (" + status.reason + ")";
  return text;
}

std::string ConditionOf(const SnapshotTable& table, int kind, int language) {
  RobotWeldTable record(IsLongRcTableKind(kind) ? TableForm::Long : TableForm::Short);
  auto bytes = record.MutableBytes();
  std::copy_n(table.record.begin(), std::min(bytes.size(), table.record.size()), bytes.begin());
  return MakeConditionText(record, kind, false, language);
}

void AddPairLines(const RegistrationPair& pair, int language, std::vector<std::string>& out) {
  auto t = [language](CompareText row) { return CompareTextOf(row, language); };
  const std::string w = N(pair.welder + 1), r = N(pair.registration + 1);
  const std::string na = N(pair.a.number), nb = N(pair.b.number);
  switch (pair.state) {
    case PairState::OnlyInA:
      out.push_back(FillText(t(CompareText::OnlyInA), {w, r, na}));
      return;
    case PairState::OnlyInB:
      out.push_back(FillText(t(CompareText::OnlyInB), {w, r, nb}));
      return;
    case PairState::Unreadable:
      if (!pair.a.status.ok()) {
        out.push_back(FillText(t(CompareText::UnreadableA),
                               {w, r, na, ReadFailureText(pair.a.status, language)}));
      }
      if (!pair.b.status.ok()) {
        out.push_back(FillText(t(CompareText::UnreadableB),
                               {w, r, nb, ReadFailureText(pair.b.status, language)}));
      }
      return;
    case PairState::FormsDiffer:
      out.push_back(FillText(t(CompareText::FormsDiffer), {w, r, na, nb}));
      return;
    case PairState::Differs:
      break;
  }
  out.push_back(FillText(t(CompareText::PairDiffers), {w, r, na, nb}));
  out.push_back(FillText(t(CompareText::ConditionA), {ConditionOf(pair.a, pair.kindA, language)}));
  out.push_back(FillText(t(CompareText::ConditionB), {ConditionOf(pair.b, pair.kindB, language)}));
  for (const RecordChange& change : pair.changes) {
    out.push_back(RecordChangeLine(change, language));
  }
}

// The lines of a text that ends each of them with a line feed.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find('\n', at);
    lines.push_back(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return lines;
}

}  // namespace

std::string CompareTextOf(CompareText text, int language) {
  return TextOf(kTexts[static_cast<std::size_t>(text)], language);
}

std::vector<std::string> ComparisonLines(const BackupComparison& comparison, int language) {
  auto t = [language](CompareText row) { return CompareTextOf(row, language); };
  std::vector<std::string> out = {FillText(t(CompareText::HeadingA), {comparison.folderA}),
                                  FillText(t(CompareText::HeadingB), {comparison.folderB})};
  if (comparison.sameFolder) out.push_back(t(CompareText::SameFolder));
  out.emplace_back();
  for (const KindDifference& kind : comparison.kinds) {
    out.push_back(FillText(t(CompareText::KindDiffers),
                           {N(kind.welder + 1), std::string(WelderKindName(kind.kindA, language)),
                            std::string(WelderKindName(kind.kindB, language))}));
  }
  for (const RegistrationPair& pair : comparison.pairs) AddPairLines(pair, language, out);
  if (!comparison.kinds.empty() || !comparison.pairs.empty()) out.emplace_back();
  out.push_back(
      FillText(t(CompareText::Summary),
               {N(comparison.identical), N(comparison.pairs.size()), N(comparison.kinds.size())}));
  return out;
}

std::string NotABackupLine(const BackupSnapshot& snapshot, int language) {
  std::string why;
  switch (snapshot.fault) {
    case BackupFault::None:
      return {};
    case BackupFault::NoConfig:
      why = UiTextOf(TextRow::WrongFolder, language);
      break;
    case BackupFault::ConfigUnreadable:
      why = ReadFailureText(snapshot.status, language);
      break;
    case BackupFault::NoWelderKind:
      why = FormatPath(ShellTextOf(ShellText::NoWelderKind, language), snapshot.status.path);
      break;
    case BackupFault::BadNumber:
      why = FillText(CompareTextOf(CompareText::BadNumber, language),
                     {snapshot.badItem, snapshot.where});
      break;
  }
  std::replace(why.begin(), why.end(), '\n', ' ');
  return FillText(CompareTextOf(CompareText::NotABackup, language), {snapshot.folder, why});
}

std::vector<std::string> AuditLines(const PairAudit& audit, int language) {
  auto t = [language](CompareText row) { return CompareTextOf(row, language); };
  std::vector<std::string> out;
  switch (audit.verdict) {
    case AuditVerdict::UpToDate:
      out.push_back(FillText(t(CompareText::AuditUpToDate), {audit.backup}));
      break;
    case AuditVerdict::Differs:
      out.push_back(FillText(t(audit.changes.files.size() == 1 ? CompareText::AuditDiffersOne
                                                               : CompareText::AuditDiffers),
                             {audit.backup, N(audit.changes.files.size())}));
      for (const FileChange& file : audit.changes.files) {
        for (const std::string& line : SplitLines(FileChangeText(file, language))) {
          out.push_back("  " + line);
        }
      }
      break;
    case AuditVerdict::Refused:
      out.push_back(FillText(t(CompareText::AuditRefused), {audit.backup}));
      for (const std::string& reason : audit.reasons) {
        for (const std::string& line : SplitLines(reason)) out.push_back("  " + line);
      }
      break;
  }
  return out;
}

std::string AuditSummaryLine(const AuditSummary& summary, int language) {
  const CompareText row =
      summary.pairs == 1 ? CompareText::AuditSummaryOne : CompareText::AuditSummary;
  return FillText(CompareTextOf(row, language),
                  {N(summary.pairs), N(summary.upToDate), N(summary.differ), N(summary.refused)});
}

}  // namespace wisetup
