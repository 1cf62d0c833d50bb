#include "cli/PairLoad.h"

#include "app/ChangeTexts.h"
#include "app/SelectionsTexts.h"
#include "catalogue/ModelTable.h"
#include "cli/CliTexts.h"
#include "cli/CommandLine.h"
#include "platform/FileIo.h"
#include "platform/FileSystem.h"
#include "platform/PathMap.h"

namespace wisetup {
namespace {

// Whether `folder` holds a family folder of the catalogue.
bool HoldsCatalogue(const std::string& folder) {
  for (const ModelRow& row : ModelRows()) {
    if (row.familyFolder == nullptr) continue;
    if (EntryKindOf(MapPath(folder, row.familyFolder), true) == EntryKind::Folder) return true;
  }
  return false;
}

}  // namespace

std::vector<BackupPair> PairsOf(const Arguments& arguments) {
  std::vector<BackupPair> pairs;
  for (const Arguments::Given& given : arguments.given) {
    if (given.option == "--backup") pairs.push_back({AbsolutePath(given.value), {}});
    if (given.option == "--setup") pairs.back().setup = AbsolutePath(given.value);
  }
  return pairs;
}

std::vector<std::vector<std::string>> CrossRefusals(const std::vector<BackupPair>& pairs,
                                                    int language) {
  std::vector<std::vector<std::string>> refusals(pairs.size());
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    for (std::size_t j = 0; j < pairs.size(); ++j) {
      if (i == j) continue;
      if (j < i && CanonicalFolder(pairs[i].backup) == CanonicalFolder(pairs[j].backup)) {
        refusals[i].push_back(CliTextOf(CliText::SameBackup, language));
      }
      if (CanonicalFolder(pairs[i].setup) == CanonicalFolder(pairs[j].setup)) {
        refusals[i].push_back(
            FormatPath(CliTextOf(CliText::SharedSetup, language), pairs[i].setup));
        break;
      }
    }
  }
  return refusals;
}

std::optional<Selections> ReadSelectionsOnce(const Arguments& arguments, CommandContext& context) {
  const std::string path = AbsolutePath(arguments.Value("--selections"));
  std::string content;
  std::string why;
  if (const FileStatus read = ReadWholeFile(path, content); !read.ok()) {
    why = read.reason.empty() ? CliTextOf(CliText::NotReadWhole, context.language) : read.reason;
  } else {
    SelectionsRead parsed = ParseSelections(content);
    if (parsed.selections) return std::move(parsed.selections);
    why = SelectionsProblemText(parsed.problem, context.language);
  }
  context.err << FillText(CliTextOf(CliText::SelectionsFile, context.language), {path, why})
              << "\n";
  return std::nullopt;
}

OptionSpec SelectionsOption() {
  return {"--selections",
          "FILE",
          true,
          false,
          nullptr,
          {"ウィンドウで保存した選択内容ファイル", "the selections file saved from the window"}};
}

OptionSpec BackupOption() {
  return {"--backup",
          "DIR",
          true,
          true,
          nullptr,
          {"ロボット制御装置のバックアップフォルダ (組ごとに指定)",
           "a robot controller's backup folder (one per pair)"}};
}

OptionSpec CatalogueOption() {
  return {
      "--catalogue",
      "DIR",
      false,
      false,
      nullptr,
      {"カタログのフォルダ (WeldingMode を含むフォルダ、または WeldingMode 自体。既定はウィンドウと"
       "同じ場所)",
       "the catalogue: a folder holding WeldingMode, or WeldingMode itself (by default the "
       "window's places)"}};
}

std::optional<std::string> CatalogueOf(const Arguments& arguments, const CommandSpec& command,
                                       CommandContext& context) {
  if (!arguments.Has("--catalogue")) return std::string();
  const std::string given = AbsolutePath(arguments.Value("--catalogue"));
  const std::string inside = MapPath(given, "WeldingMode");
  if (EntryKindOf(inside, true) == EntryKind::Folder && HoldsCatalogue(inside)) return inside;
  if (EntryKindOf(given, true) == EntryKind::Folder && HoldsCatalogue(given)) return given;
  UsageError(context.err, FillText(CliTextOf(CliText::NoCatalogue, context.language), {given}),
             &command, context.language);
  return std::nullopt;
}

void PrepareForm(TForm1& form, const std::string& catalogue, CommandContext& context) {
  form.LanguageIndex = context.language;
  form.ApplyLanguage(context.language);
  form.CatalogueGiven = catalogue;
  context.platform.boxes.clear();
  context.platform.questionAnswer = MessageAnswer::No;
}

bool LoadAndSelect(TForm1& form, const BackupPair& pair, const Selections& selections,
                   CommandContext& context, std::vector<std::string>& reasons) {
  CliPlatform& platform = context.platform;
  form.RunHandler([&] { form.LoadBackupFolder(pair.backup); });
  if (form.LoadedBackupFolder != pair.backup) {
    reasons = platform.TakeErrors();
    if (reasons.empty()) reasons.push_back(CliTextOf(CliText::NotLoaded, context.language));
    return false;
  }
  for (const MatchProblem& problem : form.ApplySelections(selections)) {
    reasons.push_back(MatchProblemText(problem, context.language));
  }
  const std::vector<std::string> errors = platform.TakeErrors();
  reasons.insert(reasons.end(), errors.begin(), errors.end());
  return reasons.empty();
}

}  // namespace wisetup
