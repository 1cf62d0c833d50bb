#include <map>

#include "app/ChangeTexts.h"
#include "app/Mainunit.h"
#include "app/RegistrationTexts.h"
#include "app/ShellTexts.h"
#include "app/UiTexts.h"
#include "backup/TableFiles.h"
#include "catalogue/ConditionText.h"
#include "catalogue/ModelTable.h"
#include "platform/FileIo.h"
#include "platform/PathMap.h"
#include "storage/History.h"

namespace wisetup {

ChangeList TForm1::ChangesOf(const FileTransaction& files) const {
  // The setup file is composed first; every later entry is a table of a registration, whose form
  // follows from its welder's kind.
  // Each table's path is worked out once: looking every name up again for every file would cost
  // a look-up per pair of tables.
  const std::string weld = WeldFolderPath(LoadedBackupFolder);
  std::map<std::string, TableForm> forms;
  for (const WelderSlot& slot : Slots) {
    for (const int n : slot.TableNumbers) {
      if (n == -1) continue;
      forms.emplace(weld + "/" + MapName(weld, TableFileName(n)),
                    IsLongRcTableKind(slot.WelderKind) ? TableForm::Long : TableForm::Short);
    }
  }
  auto formOf = [&forms](const std::string& path) {
    const auto found = forms.find(path);
    return found == forms.end() ? TableForm::Long : found->second;
  };
  std::vector<ComposedFile> composed;
  for (std::size_t i = 0; i < files.Size(); ++i) {
    ComposedFile file;
    file.path = files.Path(i);
    file.kind = i == 0 ? ComposedKind::SetupFile : ComposedKind::Table;
    if (i > 0) file.form = formOf(file.path);
    file.existed = files.Existed(i);
    file.oldContent = files.OldContent(i);
    file.newContent = files.NewContent(i);
    composed.push_back(std::move(file));
  }
  return ComputeChangeList(composed);
}

std::string TForm1::ChosenModeText(int welder, int registration) const {
  const WelderSlot& slot = Slots[static_cast<std::size_t>(welder)];
  // A welder rated by its model has no mode of its own: the model is what is chosen.
  if (WelderKindOf(slot.WelderKind).recipe == TransferRecipe::RatedByModel) {
    const bool known = slot.WpsModel >= 0 && slot.WpsModel < static_cast<int>(ModelRows().size());
    return known ? ModelRowOf(ModelIndexOf(slot.WpsModel)).item : std::string();
  }
  const int s = slot.SelectedModes[static_cast<std::size_t>(registration)];
  if (s < 0 || s >= static_cast<int>(slot.CatalogueTemplates.size())) return {};
  return MakeConditionText(slot.CatalogueTemplates[static_cast<std::size_t>(s)],
                           ModelCode(ModelIndexOf(slot.WpsModel)), true, LanguageIndex);
}

std::vector<std::pair<std::string, std::string>> TForm1::ModesWithoutTable() const {
  std::vector<std::pair<std::string, std::string>> modes;
  for (int w = 0; w < kWelders; ++w) {
    const WelderSlot& slot = Slots[static_cast<std::size_t>(w)];
    if (slot.WelderKind == kNotRegistered ||
        WelderKindOf(slot.WelderKind).recipe == TransferRecipe::RatedByModel) {
      continue;
    }
    for (int r = 0; r < kRegistrations; ++r) {
      if (slot.TableNumbers[static_cast<std::size_t>(r)] != -1) continue;
      const std::string mode = ChosenModeText(w, r);
      if (!mode.empty()) modes.emplace_back(RegistrationName(w, r, LanguageIndex), mode);
    }
  }
  return modes;
}

ChangeHeading TForm1::HeadingOfChanges() const {
  ChangeHeading heading;
  heading.backupFolder = LoadedBackupFolder;
  heading.setupFolder = C(Ctl::EditConfigFolder).Text;
  const std::string weld = WeldFolderPath(LoadedBackupFolder);
  for (int w = 0; w < kWelders; ++w) {
    const WelderSlot& slot = Slots[static_cast<std::size_t>(w)];
    if (slot.WelderKind == kNotRegistered) continue;
    for (int r = 0; r < kRegistrations; ++r) {
      const auto ur = static_cast<std::size_t>(r);
      const int n = slot.TableNumbers[ur];
      if (n == -1) continue;
      ChangeHeading::Table& table = heading.tables[weld + "/" + MapName(weld, TableFileName(n))];
      table.number = n;
      const std::string mode = ChosenModeText(w, r);
      table.uses.push_back({RegistrationName(w, r, LanguageIndex), slot.RobotModeTexts[ur],
                            mode.empty() ? ChangeTextOf(ChangeText::NoMode, LanguageIndex) : mode});
    }
  }
  heading.notUsed = ModesWithoutTable();
  if (ShownChanges) heading.setupNote = ShownSetupNote;
  return heading;
}

DocumentView TForm1::DocumentOf(const std::string& title, const std::string& text,
                                const std::string& what) const {
  auto line = [this](ChangeText row, const std::string& value) {
    return FillText(ChangeTextOf(row, LanguageIndex), {value});
  };
  const std::string now = platform_.LocalTimestamp();
  // Named for the cell and the minute, so that the files of a line's cells keep apart.
  std::string folder = LoadedBackupFolder;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  std::string backup = folder.empty() ? std::string() : BaseName(folder);
  if (backup.empty() || backup == "/") backup = "wisetup";
  return DocumentViewOf(
      title, text, backup + "-" + what + "-" + now.substr(0, 13),
      {title, line(ChangeText::ReportTime, RunTimeText(now)),
       line(ChangeText::ReportBackup, LoadedBackupFolder),
       line(ChangeText::ReportSetup, C(Ctl::EditConfigFolder).Text),
       line(ChangeText::ReportController, C(Ctl::RadioGroupRobotController).ShownText()),
       line(ChangeText::ReportVersion, WISETUP_VERSION)},
      LanguageIndex);
}

void TForm1::ButtonPreviewClick() {
  ShownChanges.reset();
  ShownChangesText.clear();
  const std::optional<FileTransaction> files = PrepareCreateFiles(false);
  if (!files) return;
  ShownChanges = ChangesOf(*files);
  ShownSetupNote = SetupFileNote(files->Path(0));
  ShownChangesText = ChangeListText(*ShownChanges, HeadingOfChanges(), LanguageIndex);
  platform_.ShowDocument(DocumentOf(ChangeTextOf(ChangeText::PreviewTitle, LanguageIndex),
                                    ShownChangesText, "preview"));
}

std::optional<PaperSection> TForm1::ShownPaper() const {
  auto t = [this](ChangeText row) { return ChangeTextOf(row, LanguageIndex); };
  if (ShownChanges) {
    std::string text = ChangeListText(*ShownChanges, HeadingOfChanges(), LanguageIndex);
    return PaperSection{DocumentOf(t(ChangeText::PreviewTitle), {}, "preview").heading,
                        std::move(text)};
  }
  std::string text;
  if (LastCreate.report.empty() || !ReadWholeFile(LastCreate.report, text).ok()) {
    return std::nullopt;
  }
  return PaperSection{DocumentOf(t(ChangeText::ReportTitle), {}, "report").heading,
                      std::move(text)};
}

std::string TForm1::SetupFileNote(const std::string& setupFile) {
  if (!FileExists(setupFile)) return {};
  const auto origin = OtherBackupOrigin(setupFile);
  if (!origin) return {};
  return FillText(ChangeTextOf(ChangeText::MadeFrom, LanguageIndex),
                  {origin->backup, origin->when});
}

std::string TForm1::ReportText(const ChangeList& changes) const {
  auto t = [this](ChangeText row) { return ChangeTextOf(row, LanguageIndex); };
  auto line = [&](ChangeText row, std::initializer_list<std::string> args) {
    return FillText(t(row), args) + "\n";
  };
  // The setup file written is there to be read; the report names it.
  ChangeHeading heading = HeadingOfChanges();
  heading.newSetupKeys = false;
  std::string out = t(ChangeText::ReportHeading) + "\n\n";
  out += ChangeSummaryText(changes, heading, LanguageIndex);
  out += line(ChangeText::ReportTime, {RunTimeText(platform_.LocalTimestamp())});
  out += line(ChangeText::ReportVersion, {WISETUP_VERSION});
  out += line(ChangeText::ReportController, {C(Ctl::RadioGroupRobotController).ShownText()});
  for (int w = 0; w < kWelders; ++w) {
    const WelderSlot& slot = Slots[static_cast<std::size_t>(w)];
    out += "\n" + line(ChangeText::ReportWelder,
                       {std::to_string(w + 1), RcWelderKindName(slot.WelderKind)});
    const bool modelKnown =
        slot.WpsModel >= 0 && slot.WpsModel < static_cast<int>(ModelRows().size());
    out += line(ChangeText::ReportModel,
                {modelKnown ? ModelRowOf(ModelIndexOf(slot.WpsModel)).item : ""});
    const bool areaKnown = slot.Area >= 0 && slot.Area < static_cast<int>(AreaItems.size());
    out += line(ChangeText::ReportArea,
                {areaKnown ? TextOf(AreaItems[static_cast<std::size_t>(slot.Area)], LanguageIndex)
                           : std::to_string(slot.Area)});
    out += line(ChangeText::ReportTakeOver, {t(slot.UseRcWcd ? ChangeText::Yes : ChangeText::No)});
  }
  out +=
      "\n" + t(ChangeText::ReportChanges) + "\n" + ChangeFilesText(changes, heading, LanguageIndex);
  return out;
}

std::optional<std::string> TForm1::WriteReport(const FileTransaction& files,
                                               const ChangeList& changes) {
  const FileStatus status =
      WriteFileAtomically(files.KeptFolder() + "/" + kReportName, ReportText(changes));
  if (status.ok()) return std::nullopt;
  return FillText(ChangeTextOf(ChangeText::ReportNotWritten, LanguageIndex), {status.reason});
}

void TForm1::RefreshShowReport() {
  const auto root = HistoryFolderRoot();
  C(Ctl::MenuShowReport).Enabled = root && NewestRunHolding(*root, kReportName).has_value();
}

void TForm1::MenuShowReportClick() {
  ShownReport.clear();
  const auto root = HistoryFolderRoot();
  const auto run = root ? NewestRunHolding(*root, kReportName) : std::nullopt;
  if (!run) return RefreshShowReport();
  const std::string path = *run + "/" + kReportName;
  std::string text;
  if (!ReadWholeFile(path, text).ok()) {
    ShowMessageBox(MessageKind::Error, FormatPath(UiText(TextRow::CannotRead), path),
                   kReadErrorCaption);
    return;
  }
  if (RunStateOf(*run) == RunState::Undone) {
    text = ChangeTextOf(ChangeText::ReportUndone, LanguageIndex) + "\n\n" + text;
  }
  ShownReport = path;
  DocumentView view =
      DocumentOf(ChangeTextOf(ChangeText::ReportTitle, LanguageIndex), text, "report");
  // The report names its own folders and controller; the window may have another backup loaded
  // by now. Its paper heading keeps what it is and when it was printed (the first two lines).
  view.heading.resize(2);
  platform_.ShowDocument(view);
}

}  // namespace wisetup
