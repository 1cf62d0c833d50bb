#include <map>

#include "app/ChangeTexts.h"
#include "app/Mainunit.h"
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

DocumentView TForm1::DocumentOf(const std::string& title, const std::string& text,
                                const std::string& fileName) const {
  auto t = [this](ChangeText row) { return ChangeTextOf(row, LanguageIndex); };
  return {title,
          text,
          fileName,
          t(ChangeText::DialogCopy),
          t(ChangeText::DialogSave),
          t(ChangeText::DialogPrint),
          t(ChangeText::DialogPdf),
          t(ChangeText::DialogClose),
          t(ChangeText::TextFilter),
          t(ChangeText::PdfFilter),
          ShellTextOf(ShellText::CannotWrite, LanguageIndex)};
}

void TForm1::ButtonPreviewClick() {
  ShownChanges.reset();
  ShownChangesText.clear();
  const std::optional<FileTransaction> files = PrepareCreateFiles(false);
  if (!files) return;
  ShownChanges = ChangesOf(*files);
  ShownChangesText = ChangeListText(*ShownChanges, LanguageIndex, SetupFileNote(files->Path(0)));
  platform_.ShowDocument(DocumentOf(ChangeTextOf(ChangeText::PreviewTitle, LanguageIndex),
                                    ShownChangesText, "wisetup-preview.txt"));
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
  const ControlState& controller = C(Ctl::RadioGroupRobotController);
  std::string out = t(ChangeText::ReportHeading) + "\n\n";
  out += line(ChangeText::ReportTime, {RunTimeText(platform_.LocalTimestamp())});
  out += line(ChangeText::ReportVersion, {WISETUP_VERSION});
  out += line(ChangeText::ReportBackup, {LoadedBackupFolder});
  out += line(ChangeText::ReportSetup, {C(Ctl::EditConfigFolder).Text});
  out += line(ChangeText::ReportController, {controller.ShownText()});
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
    for (std::size_t r = 0; r < kRegistrations; ++r) {
      if (slot.TableNumbers[r] == -1) continue;
      out += line(ChangeText::ReportTable, {std::to_string(slot.TableNumbers[r])});
      out += line(ChangeText::ReportRobotSide, {slot.RobotModeTexts[r]});
      const int s = slot.SelectedModes[r];
      const bool chosen = s >= 0 && s < static_cast<int>(slot.CatalogueTemplates.size());
      out += line(
          ChangeText::ReportMode,
          {chosen ? MakeConditionText(slot.CatalogueTemplates[static_cast<std::size_t>(s)],
                                      ModelCode(ModelIndexOf(slot.WpsModel)), true, LanguageIndex)
                  : t(ChangeText::NoMode)});
    }
  }
  out += "\n" + t(ChangeText::ReportChanges) + "\n" + ChangeListText(changes, LanguageIndex);
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
  platform_.ShowDocument(
      DocumentOf(ChangeTextOf(ChangeText::ReportTitle, LanguageIndex), text, "report.txt"));
}

}  // namespace wisetup
