#include "cli/CheckCommand.h"

#include <algorithm>

#include "app/ChangeTexts.h"
#include "app/CompareTexts.h"
#include "app/Mainunit.h"
#include "cli/CliTexts.h"
#include "cli/LinePdf.h"
#include "cli/PairLoad.h"
#include "survey/LineAudit.h"

namespace wisetup {
namespace {

struct Audited {
  PairAudit audit;
  std::string note;  // where the setup file came from, when another backup made it
};

// A setup file made from another backup belongs to that robot, whatever its bytes say.
void MarkOtherBackup(TForm1& form, Audited& audited) {
  audited.note = form.ShownSetupNote;
  if (audited.note.empty() || form.ShownChanges->files.empty()) return;
  const FileChange& setup = form.ShownChanges->files.front();
  std::vector<FileChange>& files = audited.audit.changes.files;
  const bool listed = std::any_of(files.begin(), files.end(),
                                  [&](const FileChange& file) { return file.path == setup.path; });
  if (!listed) files.insert(files.begin(), setup);
  audited.audit.verdict = AuditVerdict::Differs;
}

Audited AuditOne(const BackupPair& pair, const Selections& selections, const std::string& catalogue,
                 std::vector<std::string> reasons, CommandContext& context) {
  if (!reasons.empty()) return {AuditPair(pair.backup, std::nullopt, reasons), {}};
  TForm1 form(context.platform);
  PrepareForm(form, catalogue, context);
  form.LocksBackup = false;
  if (!LoadAndSelect(form, pair, selections, context, reasons)) {
    return {AuditPair(pair.backup, std::nullopt, reasons), {}};
  }
  form.C(Ctl::EditConfigFolder).Text = pair.setup;
  form.RunHandler([&] { form.ButtonPreviewClick(); });
  if (!form.ShownChanges) {
    return {AuditPair(pair.backup, std::nullopt, context.platform.TakeErrors()), {}};
  }
  Audited audited{AuditPair(pair.backup, form.ShownChanges, {}), {}};
  MarkOtherBackup(form, audited);
  return audited;
}

// A backup's line on the PDF's first page is the first of its audit lines; its page holds them all.
LineEntry EntryOf(const std::vector<std::string>& lines) {
  LineEntry entry;
  entry.line = lines.empty() ? std::string() : lines.front();
  entry.report.heading = {entry.line};
  for (std::size_t i = 1; i < lines.size(); ++i) entry.report.text += lines[i] + "\n";
  return entry;
}

bool WriteCheckPdf(const Arguments& arguments, const std::vector<LineEntry>& entries,
                   CommandContext& context) {
  const std::string selections = AbsolutePath(arguments.Value("--selections"));
  const std::string facts =
      FillText(CliTextOf(CliText::LineSelections, context.language), {selections});
  return WriteLinePdf(
      LineDocument(CliTextOf(CliText::CheckPdfTitle, context.language), {facts}, entries, context),
      AbsolutePath(arguments.Value("--pdf")), context);
}

int RunCheck(const Arguments& arguments, CommandContext& context) {
  const auto catalogue = CatalogueOf(arguments, CheckCommand(), context);
  if (!catalogue) return kExitUsage;
  const auto selections = ReadSelectionsOnce(arguments, context);
  if (!selections) return kExitUsage;
  const std::vector<BackupPair> pairs = PairsOf(arguments);
  const auto refusals = CrossRefusals(pairs, context.language);
  std::vector<PairAudit> audits;
  std::vector<LineEntry> entries;
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    Audited audited = AuditOne(pairs[i], *selections, *catalogue, refusals[i], context);
    std::vector<std::string> lines = AuditLines(audited.audit, context.language);
    if (!audited.note.empty()) lines.push_back("  " + audited.note);
    for (const std::string& line : lines) context.out << line << "\n";
    entries.push_back(EntryOf(lines));
    audits.push_back(std::move(audited.audit));
  }
  const AuditSummary summary = SummarizeAudits(audits);
  context.out << AuditSummaryLine(summary, context.language) << "\n";
  if (!arguments.Has("--pdf")) return summary.ExitStatus();
  return StatusWithPdf(summary.ExitStatus(), WriteCheckPdf(arguments, entries, context));
}

}  // namespace

const CommandSpec& CheckCommand() {
  static const CommandSpec command = {
      "check",
      {"各バックアップが選択内容どおりかを確認する "
       "(「ファイル作成」で変わるものがないか。何も書き込ま"
       "ない)",
       "checks that each backup holds what the selections make of it (what Create Files would "
       "change; writes nothing)"},
      {
          SelectionsOption(),
          BackupOption(),
          {"--setup",
           "DIR",
           true,
           true,
           "--backup",
           {"そのバックアップのセットアップファイルのあるフォルダ",
            "the folder of that backup's setup file"}},
          CatalogueOption(),
          {"--pdf",
           "FILE",
           false,
           false,
           nullptr,
           {"確認の結果をバックアップごとのページに分けて 1 つの PDF に書き込む",
            "writes the findings into one PDF, each backup from a new page"}},
      },
      {"終了コード: 0 すべて選択内容どおり、1 違いのある組または確認できなかった組がある、2 "
       "使い方の"
       "誤り",
       "Exit status: 0 all up to date, 1 a pair differs or was refused, 2 usage error"},
      RunCheck,
  };
  return command;
}

}  // namespace wisetup
