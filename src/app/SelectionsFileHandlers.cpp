#include "app/Mainunit.h"

#include "app/ChangeTexts.h"
#include "app/SelectionsTexts.h"
#include "app/UiTexts.h"
#include "catalogue/ConditionText.h"
#include "catalogue/ModelTable.h"
#include "platform/FileIo.h"
#include "storage/Sha256.h"

namespace wisetup {
namespace {

// The hash that tells a template apart from one changed since a selections file was saved: of the
// record as it was listed, which is the whole file for a template of the catalogue's size.
std::string TemplateHash(const RobotWeldTable& table) {
  const auto bytes = table.Bytes();
  return Sha256Hex(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

bool Inside(const std::string& path, const std::string& folder) {
  const std::string root = WithoutTrailingSlash(folder);
  return !root.empty() && path.size() > root.size() && path.compare(0, root.size(), root) == 0 &&
         (root == "/" || path[root.size()] == '/');
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace

void TForm1::RefreshSelectionsMenu() {
  const bool usable = !ViewMode && !LoadedBackupFolder.empty();
  // In reference mode the setup file read is saved as the choices that made it.
  C(Ctl::MenuSaveSelections).Enabled = usable || ViewMode;
  C(Ctl::MenuApplySelections).Enabled = usable;
  C(Ctl::MenuCompare).Enabled = usable;
}

bool TForm1::HasRegistration(int welder, int registration) const {
  const auto w = static_cast<std::size_t>(welder), r = static_cast<std::size_t>(registration);
  return ViewMode ? SetupFileContent.Wps[w][r].ENABLED != 0 : Slots[w].TableNumbers[r] != -1;
}

std::vector<std::pair<int, int>> TForm1::RegistrationsWithoutMode() const {
  std::vector<std::pair<int, int>> out;
  for (int w = 0; w < kWelders; ++w) {
    const WelderSlot& slot = Slots[static_cast<std::size_t>(w)];
    for (int r = 0; r < kRegistrations; ++r) {
      const int s = slot.SelectedModes[static_cast<std::size_t>(r)];
      const bool found = slot.WpsModel != Index(ModelIndex::None) && s >= 0 &&
                         s < static_cast<int>(std::min(slot.CatalogueNames.size(),
                                                       slot.CatalogueTemplates.size()));
      if (HasRegistration(w, r) && !found) out.emplace_back(w, r);
    }
  }
  return out;
}

Selections TForm1::CurrentSelections() const {
  Selections out;
  out.controller = C(Ctl::RadioGroupRobotController).ItemIndex == 1 ? 1 : 0;
  // A setup file names its controller 1 or 2.
  const int fileController = SetupFileContent.CONTROLLER;
  if (ViewMode && (fileController == 1 || fileController == 2)) out.controller = fileController - 1;
  for (std::size_t w = 0; w < kWelders; ++w) {
    const WelderSlot& slot = Slots[w];
    const ModelIndex model = ModelIndexOf(slot.WpsModel);
    WelderChoice choice;
    choice.welderKind = slot.WelderKind;
    choice.model = Index(model);
    choice.modelText = ModelRowOf(model).item;
    choice.area = slot.Area >= 0 && slot.Area < kAreaCount ? slot.Area : 0;
    choice.useRcWcd = slot.UseRcWcd;
    for (std::size_t r = 0; r < kRegistrations && model != ModelIndex::None; ++r) {
      // Only what Create Files would use: a mode chosen for a registration that has a table.
      const int s = slot.SelectedModes[r];
      if (!HasRegistration(static_cast<int>(w), static_cast<int>(r)) || s < 0 ||
          s >= static_cast<int>(
                   std::min(slot.CatalogueNames.size(), slot.CatalogueTemplates.size()))) {
        continue;
      }
      const RobotWeldTable& table = slot.CatalogueTemplates[static_cast<std::size_t>(s)];
      choice.registrations[r] =
          RegistrationChoice{slot.CatalogueNames[static_cast<std::size_t>(s)], TemplateHash(table),
                             MakeConditionText(table, ModelCode(model), true, LanguageIndex)};
    }
    out.welders[w] = std::move(choice);
  }
  return out;
}

std::optional<Selections> TForm1::ReadSelectionsFile(const std::string& path,
                                                     std::string& reason) const {
  std::string content;
  if (const FileStatus read = ReadWholeFile(path, content); !read.ok()) {
    reason = FormatPath(UiText(TextRow::CannotRead), path);
    if (!read.reason.empty()) reason += " (" + read.reason + ")";
    return std::nullopt;
  }
  SelectionsRead parsed = ParseSelections(content);
  if (!parsed.selections) {
    reason = FormatPath(SelectionsTextOf(SelectionsText::SelectionsRefused, LanguageIndex), path) +
             "\n" + SelectionsProblemText(parsed.problem, LanguageIndex);
  }
  return std::move(parsed.selections);
}

std::vector<MatchProblem> TForm1::ApplySelections(const Selections& selections) {
  std::vector<MatchProblem> problems;
  const int shown = CurrentWelder;
  const int page = C(Ctl::PageControlRejist).ActivePage;
  C(Ctl::RadioGroupRobotController).ItemIndex = selections.controller;
  for (int w = 0; w < kWelders; ++w) {
    const auto& choice = selections.welders[static_cast<std::size_t>(w)];
    if (!choice) continue;
    WelderSlot& slot = Slots[static_cast<std::size_t>(w)];
    if (auto kindProblem = MatchWelderKind(w, *choice, slot.WelderKind)) {
      problems.push_back(std::move(*kindProblem));
      continue;
    }
    const ModelIndex model = ModelIndexOf(choice->model);
    // Checked before the handler, which would show its own box for the refusal.
    if (choice->model != slot.WpsModel &&
        !IsCompatible(slot.WelderKind, ModelCode(model), slot.RobotTables148)) {
      problems.push_back(MatchProblem{MatchFault::ModelRefused, w, 0, ModelRowOf(model).item,
                                      choice->welderKind, slot.WelderKind});
      continue;
    }
    // The engineer's steps on this welder: area, model (each lists the catalogue when it changes),
    // a mode per registration, the check box. The view is shown afresh once at the end.
    CurrentWelder = w;
    C(Ctl::ComboBoxWelderNo).ItemIndex = w;
    const WelderKindInfo& kind = WelderKindOf(slot.WelderKind);
    if (kind.areaShown) {
      C(Ctl::ComboBoxArea).ItemIndex = choice->area;
      ComboBoxAreaChange();
    }
    C(Ctl::ComboBoxWpsWelder).ItemIndex = choice->model;
    ComboBoxWpsWelderChange();

    ListedCatalogue listed;
    if (slot.WpsModel != Index(ModelIndex::None)) {
      listed.names = slot.CatalogueNames;
      for (const RobotWeldTable& table : slot.CatalogueTemplates) {
        listed.hashes.push_back(TemplateHash(table));
      }
    }
    RegistrationMatch match = MatchRegistrations(w, *choice, slot.TableNumbers, listed);
    for (int r = 0; r < kRegistrations; ++r) {
      C(Ctl::PageControlRejist).ActivePage = r;
      C(ComboBoxWpsWModeOf(r)).ItemIndex = match.modes[static_cast<std::size_t>(r)];
      ComboBoxWpsWModeChange(ComboBoxWpsWModeOf(r));
    }
    if (kind.checkBoxApplies) {
      C(Ctl::CheckBoxUseRcWCD).Checked = choice->useRcWcd;
      CheckBoxUseRcWCDClick();
    }
    for (MatchProblem& problem : match.problems) problems.push_back(std::move(problem));
  }
  CurrentWelder = shown;
  C(Ctl::ComboBoxWelderNo).ItemIndex = shown;
  ShowWelder();
  C(Ctl::PageControlRejist).ActivePage = page;
  return problems;
}

void TForm1::MenuSaveSelectionsClick() {
  // In reference mode the file is named after the setup file's folder and kept beside it.
  const std::string backup =
      WithoutTrailingSlash(ViewMode ? FolderOf(ReferenceSetupFile) : LoadedBackupFolder);
  // Beside the backups of the line by default, where the next one will be looked for.
  const std::string folder = SelectionsFolder.empty() ? FolderOf(backup) : SelectionsFolder;
  const auto chosen =
      platform_.SaveFile(JoinPath(folder, BaseName(backup) + ".selections.ini"),
                         SelectionsTextOf(SelectionsText::SelectionsFilter, LanguageIndex));
  if (!chosen) return;
  // Those folders are copied to the controller and the board as they are; a file of ours would
  // travel with them.
  if (Inside(*chosen, LoadedBackupFolder) || Inside(*chosen, C(Ctl::EditConfigFolder).Text) ||
      (ViewMode && Inside(*chosen, FolderOf(ReferenceSetupFile)))) {
    ShowMessageBox(
        MessageKind::Error,
        FormatPath(SelectionsTextOf(SelectionsText::SelectionsNotThere, LanguageIndex), *chosen),
        kWriteErrorCaption);
    return;
  }
  const FileStatus written = WriteFileAtomically(*chosen, FormatSelections(CurrentSelections()));
  if (!written.ok()) {
    std::string text = FormatPath(UiText(TextRow::CannotWrite), *chosen);
    if (!written.reason.empty()) text += " (" + written.reason + ")";
    ShowMessageBox(MessageKind::Error, text, kWriteErrorCaption);
    return;
  }
  SelectionsFolder = FolderOf(*chosen);
  C(Ctl::StatusBar1).Text =
      FormatPath(SelectionsTextOf(SelectionsText::SelectionsSaved, LanguageIndex), *chosen);
  ReportModesLeftOut();
}

void TForm1::ReportModesLeftOut() {
  if (!ViewMode) {
    const auto leftOut = ModesWithoutTable();
    if (leftOut.empty()) return;
    std::string text = SelectionsTextOf(SelectionsText::SelectionsLeftOut, LanguageIndex);
    for (const auto& [name, mode] : leftOut) text += "\n  " + name + ": " + mode;
    ShowMessageBox(MessageKind::Information, text,
                   SelectionsTextOf(SelectionsText::SaveCaption, LanguageIndex));
    return;
  }
  const auto missing = RegistrationsWithoutMode();
  if (missing.empty()) return;
  std::string text = SelectionsTextOf(SelectionsText::SavedWithoutModes, LanguageIndex);
  for (const auto& [w, r] : missing) {
    text += "\n" + FillText(SelectionsTextOf(SelectionsText::ModeNotFound, LanguageIndex),
                            {std::to_string(w + 1), std::to_string(r + 1)});
  }
  ShowMessageBox(MessageKind::Information, text,
                 SelectionsTextOf(SelectionsText::SaveCaption, LanguageIndex));
}

void TForm1::MenuApplySelectionsClick() {
  const std::string folder = SelectionsFolder.empty()
                                 ? FolderOf(WithoutTrailingSlash(LoadedBackupFolder))
                                 : SelectionsFolder;
  const auto chosen = platform_.OpenFileTitled(
      folder, SelectionsTextOf(SelectionsText::SelectionsFilter, LanguageIndex),
      SelectionsTextOf(SelectionsText::SelectionsOpenTitle, LanguageIndex));
  if (!chosen) return;
  std::string reason;
  const std::optional<Selections> selections = ReadSelectionsFile(*chosen, reason);
  if (!selections) {
    ShowMessageBox(MessageKind::Error, reason,
                   SelectionsTextOf(SelectionsText::SelectionsRefusedCaption, LanguageIndex));
    return;
  }
  SelectionsFolder = FolderOf(*chosen);
  const std::vector<MatchProblem> problems = ApplySelections(*selections);
  const std::string caption =
      SelectionsTextOf(SelectionsText::SelectionsApplyCaption, LanguageIndex);
  if (problems.empty()) {
    ShowMessageBox(MessageKind::Information,
                   SelectionsTextOf(SelectionsText::SelectionsApplied, LanguageIndex), caption);
    return;
  }
  std::string text = SelectionsTextOf(SelectionsText::SelectionsPartly, LanguageIndex);
  for (const MatchProblem& problem : problems) {
    text += "\n" + MatchProblemText(problem, LanguageIndex);
  }
  ShowMessageBox(MessageKind::Error, text, caption);
}

}  // namespace wisetup
