#include "cli/ApplyCommand.h"

#include <cerrno>
#include <cstring>

#include "app/ChangeTexts.h"
#include "app/CreateFilesTexts.h"
#include "app/Mainunit.h"
#include "app/SelectionsTexts.h"
#include "cli/CliTexts.h"
#include "cli/LinePdf.h"
#include "cli/PairLoad.h"
#include "platform/FileIo.h"
#include "platform/FileSystem.h"
#include "platform/PathMap.h"

namespace wisetup {
namespace {

constexpr int kAllDone = 0;
constexpr int kRefused = 1;
constexpr int kLeftPartNew = 3;

struct Apply {
  Selections selections;
  std::string selectionsFile;  // as given, made absolute
  std::string catalogue;
  std::vector<BackupPair> pairs;
  bool overwrite = false;
  bool replaceOther = false;
  bool preview = false;
  std::string pdf;  // the line's PDF, when asked for
  std::string batch;
};

enum class Outcome { Done, Refused, LeftPartNew };

std::string Fill(CliText row, int language, std::initializer_list<std::string> args) {
  return FillText(CliTextOf(row, language), args);
}

Apply ApplyOf(const Arguments& arguments, CliPlatform& platform) {
  Apply apply;
  apply.pairs = PairsOf(arguments);
  apply.overwrite = arguments.Has("--overwrite");
  apply.replaceOther = arguments.Has("--replace-other-backup");
  apply.preview = arguments.Has("--preview");
  if (arguments.Has("--pdf")) apply.pdf = AbsolutePath(arguments.Value("--pdf"));
  // Named by when it began, so that no older run can belong to it, and unique to this apply.
  static int applies = 0;
  apply.batch = platform.LocalTimestamp() + "-" + std::to_string(CurrentProcessId()) + "-" +
                std::to_string(++applies);
  return apply;
}

class PairRun {
 public:
  PairRun(const Apply& apply, CommandContext& context)
      : apply_(apply), context_(context), language_(context.language) {}

  std::optional<PaperSection> paper;  // the last pair's report or preview, for the line's PDF

  Outcome Run(const BackupPair& pair, std::vector<std::string>& reasons) {
    TForm1 form(context_.platform);
    PrepareForm(form, apply_.catalogue, context_);
    form.BatchName = apply_.batch;
    // A preview writes nothing, so it holds no backup against a window either.
    form.LocksBackup = !apply_.preview;
    const Outcome outcome = RunOn(form, pair, reasons);
    paper.reset();
    if (!apply_.pdf.empty() && outcome == Outcome::Done) paper = form.ShownPaper();
    return outcome;
  }

 private:
  Outcome RunOn(TForm1& form, const BackupPair& pair, std::vector<std::string>& reasons) {
    if (!LoadAndSelect(form, pair, apply_.selections, context_, reasons)) return Outcome::Refused;
    form.C(Ctl::EditConfigFolder).Text = pair.setup;
    if (apply_.preview) return Preview(form, pair, reasons);
    bool made = false;
    if (!MakeSetupFolder(pair.setup, made, reasons)) return Outcome::Refused;
    const Outcome outcome = Create(form, pair, reasons);
    if (made && outcome == Outcome::Refused) {
      RemoveFolder(pair.setup);  // nothing was written into it
    } else if (made) {
      reasons.insert(reasons.begin(), Fill(CliText::FolderMade, language_, {pair.setup}));
    }
    return outcome;
  }

  Outcome Preview(TForm1& form, const BackupPair& pair, std::vector<std::string>& reasons) {
    form.RunHandler([&] { form.ButtonPreviewClick(); });
    if (!form.ShownChanges) {
      reasons = context_.platform.TakeErrors();
      return Outcome::Refused;
    }
    context_.out << Fill(CliText::PairPreviewed, language_, {pair.backup}) << "\n"
                 << form.ShownChangesText;
    return Outcome::Done;
  }

  // A setup folder that is missing is made when the folder it goes in exists.
  bool MakeSetupFolder(const std::string& setup, bool& made, std::vector<std::string>& reasons) {
    if (EntryKindOf(setup, true) != EntryKind::Missing) return true;
    const std::string parent = FolderOf(setup);
    if (EntryKindOf(parent, true) != EntryKind::Folder) {
      reasons.push_back(Fill(CliText::NoParent, language_, {parent}));
      return false;
    }
    if (!MakeFolder(setup)) {
      reasons.push_back(Fill(CliText::FolderNotMade, language_, {setup, std::strerror(errno)}));
      return false;
    }
    made = true;
    return true;
  }

  Outcome Create(TForm1& form, const BackupPair& pair, std::vector<std::string>& reasons) {
    const std::string setupFile = MapPath(pair.setup, "\\ZelSetUp.ini");
    if (FileExists(setupFile)) {
      const auto origin = form.OtherBackupOrigin(setupFile);
      if (origin && !apply_.replaceOther) {
        reasons.push_back(
            Fill(CliText::OtherBackup, language_, {setupFile, origin->backup, origin->when}));
        return Outcome::Refused;
      }
      if (!origin && !apply_.overwrite) {
        reasons.push_back(FormatPath(CliTextOf(CliText::SetupExists, language_), setupFile));
        return Outcome::Refused;
      }
    }
    context_.platform.questionAnswer = MessageAnswer::Yes;
    form.RunHandler([&] { form.ButtonMakeConfigClick(); });
    reasons = context_.platform.TakeErrors();
    switch (form.LastCreate.state) {
      case TForm1::CreateOutcome::State::Created:
        context_.out << Fill(CliText::PairCreated, language_,
                             {pair.backup, std::to_string(form.LastCreate.files),
                              form.LastCreate.report.empty() ? "-" : form.LastCreate.report})
                     << "\n";
        return Outcome::Done;
      case TForm1::CreateOutcome::State::LeftPartNew:
        return Outcome::LeftPartNew;
      case TForm1::CreateOutcome::State::Refused:
        break;
    }
    return Outcome::Refused;
  }

  const Apply& apply_;
  CommandContext& context_;
  int language_;
};

constexpr UiTextPair kPdfHelp = {
    "実行後、ライン全体 (各組の結果と作成記録、--preview では変更確認) を 1 つの PDF に書き込む",
    "writes, after the run, one PDF of the whole line: each pair's result and report (its preview "
    "with --preview)"};

// A pair on the line's first page, and its own pages: its report or preview, else why not.
LineEntry EntryOf(const BackupPair& pair, Outcome outcome, const Apply& apply,
                  std::optional<PaperSection> paper, const std::vector<std::string>& reasons,
                  int language) {
  CliText result = CliText::LineLeftPartNew;
  if (outcome == Outcome::Done) {
    result = apply.preview ? CliText::LinePreviewed : CliText::LineCreated;
  } else if (outcome == Outcome::Refused) {
    result = CliText::LineRefused;
  }
  LineEntry entry;
  entry.line =
      Fill(CliText::LinePair, language, {pair.backup, pair.setup, CliTextOf(result, language)});
  if (paper) {
    entry.report = std::move(*paper);
    return entry;
  }
  entry.report.heading = {entry.line};
  for (const std::string& reason : reasons) entry.report.text += reason + "\n";
  return entry;
}

bool WriteApplyPdf(const Apply& apply, const std::vector<LineEntry>& entries,
                   CommandContext& context) {
  const std::string facts = Fill(CliText::LineSelections, context.language, {apply.selectionsFile});
  return WriteLinePdf(
      LineDocument(CliTextOf(CliText::LinePdfTitle, context.language), {facts}, entries, context),
      apply.pdf, context);
}

int RunApply(const Arguments& arguments, CommandContext& context) {
  Apply apply = ApplyOf(arguments, context.platform);
  const auto catalogue = CatalogueOf(arguments, ApplyCommand(), context);
  if (!catalogue) return kExitUsage;
  auto selections = ReadSelectionsOnce(arguments, context);
  if (!selections) return kExitUsage;
  apply.catalogue = *catalogue;
  apply.selections = std::move(*selections);
  apply.selectionsFile = AbsolutePath(arguments.Value("--selections"));
  const int language = context.language;
  const std::vector<std::vector<std::string>> refusals = CrossRefusals(apply.pairs, language);
  PairRun run(apply, context);
  int done = 0;
  int refused = 0;
  int partNew = 0;
  std::vector<LineEntry> entries;
  for (std::size_t i = 0; i < apply.pairs.size(); ++i) {
    const BackupPair& pair = apply.pairs[i];
    std::vector<std::string> reasons = refusals[i];
    const Outcome outcome = reasons.empty() ? run.Run(pair, reasons) : Outcome::Refused;
    if (!apply.pdf.empty()) {
      entries.push_back(EntryOf(pair, outcome, apply, std::move(run.paper), reasons, language));
    }
    if (outcome == Outcome::Done) ++done;
    if (outcome == Outcome::Refused) {
      ++refused;
      context.out << Fill(CliText::PairRefused, language, {pair.backup}) << "\n";
    }
    if (outcome == Outcome::LeftPartNew) {
      ++partNew;
      context.out << Fill(CliText::PairLeftPartNew, language, {pair.backup}) << "\n";
    }
    for (const std::string& reason : reasons) {
      context.out << (reason.starts_with("  ") ? "" : "  ") << reason << "\n";
    }
  }
  std::string summary =
      CliTextOf(apply.pairs.size() == 1 ? CliText::SummaryOne : CliText::Summary, language);
  for (const int count : {static_cast<int>(apply.pairs.size()), done, refused, partNew}) {
    summary = FormatCount(summary, static_cast<std::size_t>(count));
  }
  context.out << summary << "\n";
  int status = refused > 0 ? kRefused : kAllDone;
  if (partNew > 0) status = kLeftPartNew;
  return apply.pdf.empty() ? status : StatusWithPdf(status, WriteApplyPdf(apply, entries, context));
}

}  // namespace

const CommandSpec& ApplyCommand() {
  static const CommandSpec command = {
      "apply",
      {"選択内容ファイルを各バックアップに適用し、ウィンドウの「ファイル作成」と同じくファイルを作"
       "成する",
       "applies a selections file to each backup and creates its files as the window's Create "
       "Files does"},
      {
          SelectionsOption(),
          BackupOption(),
          {"--setup",
           "DIR",
           true,
           true,
           "--backup",
           {"そのバックアップのセットアップファイルの保存先 (ない場合は作成)",
            "where that backup's setup file goes (made when missing)"}},
          {"--overwrite",
           nullptr,
           false,
           false,
           nullptr,
           {"既存のセットアップファイルを上書きする", "replaces a setup file that exists"}},
          {"--replace-other-backup",
           nullptr,
           false,
           false,
           nullptr,
           {"別のバックアップから作成されたセットアップファイルも置き換える",
            "replaces a setup file made from another backup too"}},
          {"--preview",
           nullptr,
           false,
           false,
           nullptr,
           {"変更内容を表示するだけで、何も書き込まない",
            "prints each pair's changes as the preview does and writes nothing"}},
          {"--pdf", "FILE", false, false, nullptr, kPdfHelp},
          CatalogueOption(),
      },
      {"終了コード: 0 すべて作成、1 作成しなかった組がある、2 使い方の誤り、3 "
       "一部のファイルが新しい"
       "内容のままの組がある",
       "Exit status: 0 all done, 1 a pair refused, 2 usage error, 3 a pair left part new"},
      RunApply,
  };
  return command;
}

}  // namespace wisetup
