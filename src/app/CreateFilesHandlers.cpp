#include <algorithm>
#include <map>

#include "app/ChangeTexts.h"
#include "app/CreateFilesTexts.h"
#include "app/Mainunit.h"
#include "app/RegistrationTexts.h"
#include "app/UiTexts.h"
#include "backup/CharacteristicTransfer.h"
#include "backup/TableFiles.h"
#include "catalogue/ModelTable.h"
#include "platform/PathMap.h"
#include "storage/FileTransaction.h"
#include "storage/History.h"
#include "text/IniDocument.h"

namespace wisetup {
namespace {

RcModeValues RcValuesOf(const RobotWeldTable& table) {
  return {table.Method(), table.WireDiameter(), table.GasKind(), table.WireKind(), table.Special()};
}

WpsModeValues WpsValuesOf(const RobotWeldTable& chosen) {
  return {1,
          chosen.RatedCurrent(),
          chosen.RatedVoltage(),
          chosen.Method(),
          chosen.WireDiameter(),
          chosen.GasKind(),
          chosen.WireKind(),
          chosen.Special()};
}

bool RatedByModel(int welderKind) {
  return WelderKindOf(welderKind).recipe == TransferRecipe::RatedByModel;
}

// The RK7 welder whose registration 1 gets the transfer: the first with "HX-U500P", else the last
// one; -1 when there is none.
int PickedRatedByModelWelder(const std::array<WelderSlot, kWelders>& slots) {
  int picked = -1;
  for (int w = 0; w < kWelders; ++w) {
    const WelderSlot& slot = slots[static_cast<std::size_t>(w)];
    if (!RatedByModel(slot.WelderKind)) continue;
    picked = w;
    if (slot.WpsModel == Index(ModelIndex::HxU500P)) break;
  }
  return picked;
}

// The setup file keeps every line it had; only the first copy of a key is ever read, so older
// copies would sit beside the new values and go.
void AddSetupFile(FileTransaction& files, const std::string& nativePath,
                  const SetupFileValues& values) {
  const auto setup = files.Add(nativePath, false);
  if (!setup) return;
  IniDocument doc = IniDocument::Parse(files.OldContent(*setup));
  doc.DropShadowedKeys(IsSetupFileKey);
  WriteSetupFile(doc, values);
  files.SetContent(*setup, doc.Serialize());
}

// A longer file keeps its bytes beyond the record. A file that no longer holds what the window
// read (`seen`) was changed by someone else since, from whose work the window knows nothing.
void AddRevisedTable(FileTransaction& files, const std::string& nativePath,
                     const RobotWeldTable& revised, const std::string& seen) {
  const auto entry = files.Add(nativePath, true);
  if (!entry) return;
  const std::string& old = files.OldContent(*entry);
  if (seen.empty() || old != seen) {
    files.AddIssue(Failure(FileCode::ChangedOnDisk, nativePath));
    return;
  }
  const auto bytes = revised.Bytes();
  std::string content(bytes.begin(), bytes.end());
  if (old.size() > content.size()) content += old.substr(content.size());
  files.SetContent(*entry, std::move(content));
}

}  // namespace

std::optional<std::string> TForm1::HistoryFolderRoot() {
  return HistoryRoot([this](const std::string& name) { return platform_.Environment(name); });
}

std::optional<SetupOrigin> TForm1::OtherBackupOrigin(const std::string& setupFile) {
  const auto root = HistoryFolderRoot();
  if (!root || LoadedBackupFolder.empty()) return std::nullopt;
  auto origin = SetupOriginOf(*root, setupFile);
  if (!origin || !MadeFromOtherBackup(*origin, LoadedBackupFolder)) return std::nullopt;
  return origin;
}

bool TForm1::CheckRegistrations() {
  // The engineer is taken to the welder and registration to fix, as if they had chosen them.
  auto fail = [this](int welder, int registration, TextRow text) {
    GoToRegistration(welder, registration);
    ShowMessageBox(MessageKind::Error, UiText(text), UiText(TextRow::WrongConfigurationCaption));
    return false;
  };
  // A missing mode is refused even where the overview puts an unread table first: the refusal of
  // that table comes later, and only where a transfer would rewrite it.
  for (int w = 0; w < kWelders; ++w) {
    for (int r = 0; r < kRegistrations; ++r) {
      if (Slots[static_cast<std::size_t>(w)].TableNumbers[static_cast<std::size_t>(r)] == -1)
        continue;
      const RegistrationStates states = StatesOf(FactsOf(w, r));
      // A welder without a model writes no modes.
      if (states.Has(RegistrationState::NoModel)) continue;
      if (states.Has(RegistrationState::NoMode)) return fail(w, r, TextRow::NoModeSelected);
      if (states.Has(RegistrationState::MethodsDiffer)) return fail(w, r, TextRow::MethodsDiffer);
    }
  }
  return true;
}

std::optional<RobotWeldTable> TForm1::TransferCharacteristicData(int welder,
                                                                 int registration) const {
  const WelderSlot& slot = Slots[static_cast<std::size_t>(welder)];
  const int k = slot.WelderKind;
  if (!HasTransferRecipe(k)) return std::nullopt;
  const auto r = static_cast<std::size_t>(registration);
  const int n = slot.TableNumbers[r];
  if (n == -1) return std::nullopt;
  const bool robotLong = IsLongRcTableKind(k);
  const auto& robotTables = robotLong ? slot.RobotTables224 : slot.RobotTables148;
  if (r >= robotTables.size()) return std::nullopt;

  TransferInputs in;
  in.welderKind = k;
  in.robotTable = &robotTables[r];
  in.wpsModel = slot.WpsModel;
  in.useRcWcd = slot.UseRcWcd;
  if (!RatedByModel(k)) {
    const int s = slot.SelectedModes[r];
    if (s < 0 || s >= static_cast<int>(slot.CatalogueTemplates.size()) ||
        s >= static_cast<int>(slot.CatalogueModes.size())) {
      return std::nullopt;
    }
    in.catalogueTemplate = &slot.CatalogueTemplates[static_cast<std::size_t>(s)];
    in.modeRecord = &slot.CatalogueModes[static_cast<std::size_t>(s)];
  }
  return BuildRevisedTable(in);
}

bool TForm1::CheckBackupLoaded() {
  // Without a load every welder is "none": the files written would describe no welder at all.
  if (!LoadedBackupFolder.empty() && !ViewMode) return true;
  ShowMessageBox(MessageKind::Error,
                 CreateFilesTextOf(CreateFilesText::NoBackupLoaded, LanguageIndex),
                 CreateFilesTextOf(CreateFilesText::NoBackupCaption, LanguageIndex));
  return false;
}

std::optional<FileTransaction> TForm1::PrepareCreateFiles(bool askOverwrite) {
  if (!CheckBackupLoaded()) return std::nullopt;
  const std::string folder = C(Ctl::EditConfigFolder).Text;
  if (folder.empty()) {
    FocusNext = Ctl::ButtonSaveFolder;
    ShowMessageBox(MessageKind::Error, UiText(TextRow::NoSetupFolder),
                   UiText(TextRow::NoFolderCaption));
    return std::nullopt;
  }
  if (!CheckRegistrations()) return std::nullopt;
  const std::string path = MapPath(folder, "\\ZelSetUp.ini");
  if (askOverwrite && FileExists(path)) {
    // A board's file made from another cell's backup is named before anything else is asked.
    if (const auto origin = OtherBackupOrigin(path)) {
      const std::string question =
          FillText(CreateFilesTextOf(CreateFilesText::OriginQuestion, LanguageIndex),
                   {path, origin->backup, origin->when, LoadedBackupFolder});
      if (platform_.AskDefaultNo(
              question, CreateFilesTextOf(CreateFilesText::OriginCaption, LanguageIndex)) !=
          MessageAnswer::Yes) {
        return std::nullopt;
      }
    }
    if (ShowMessageBox(MessageKind::Question, UiText(TextRow::FileExists),
                       UiText(TextRow::ConfirmOverwriteCaption)) != MessageAnswer::Yes) {
      return std::nullopt;
    }
  }

  // Everything is composed and every target examined before anything is written: the command
  // changes the setup file and all its tables, or nothing.
  const SetupFileValues values = ComposeSetupValues();
  FileTransaction files;
  AddSetupFile(files, path, values);
  AddRevisedTables(files, values);
  if (!files.Issues().empty()) {
    // The preview writes nothing; its refusal says what it could not do.
    const CreateFilesText header =
        askOverwrite ? CreateFilesText::NotCreated : CreateFilesText::PreviewNotShown;
    ShowMessageBox(
        MessageKind::Error,
        ProblemList(CreateFilesTextOf(header, LanguageIndex), files.Issues(), LanguageIndex) +
            CompanionAdvice(files.Issues()),
        askOverwrite ? CreateFilesTextOf(CreateFilesText::ErrorCaption, LanguageIndex)
                     : ChangeTextOf(ChangeText::PreviewTitle, LanguageIndex));
    return std::nullopt;
  }
  return files;
}

void TForm1::ButtonMakeConfigClick() {
  LastCreate = {};
  std::optional<FileTransaction> files = PrepareCreateFiles(true);
  if (!files || !CommitCreateFiles(*files)) return;
  // The next run in this window starts from what this one wrote.
  NoteTableContents(*files);
}

void TForm1::NoteTableContents(const FileTransaction& files) {
  if (LoadedBackupFolder.empty()) return;
  std::map<std::string, std::size_t> entries;  // native path -> entry
  for (std::size_t e = 0; e < files.Size(); ++e) {
    if (!files.Removed(e)) entries.emplace(files.Path(e), e);
  }
  const std::string weld = WeldFolderPath(LoadedBackupFolder);
  for (WelderSlot& slot : Slots) {
    for (std::size_t r = 0; r < kRegistrations; ++r) {
      if (!slot.TableReadWhole[r]) continue;
      const auto it = entries.find(weld + "/" + MapName(weld, TableFileName(slot.TableNumbers[r])));
      if (it != entries.end()) slot.TableSeen[r] = files.NewContent(it->second);
    }
  }
}

SetupFileValues TForm1::ComposeSetupValues() const {
  SetupFileValues values;
  values.controller = C(Ctl::RadioGroupRobotController).ItemIndex + 1;
  values.baudrateCan2 = SetupFileContent.BAUDRATE_CAN2;
  for (std::size_t w = 0; w < kWelders; ++w) {
    const WelderSlot& slot = Slots[w];
    values.registWelder[w] = slot.WelderKind;
    values.useRcWcd[w] = slot.UseRcWcd ? 1 : 0;
    values.modelCode[w] = ModelCode(ModelIndexOf(slot.WpsModel));
    values.area[w] = slot.Area;
    const auto& robotTables =
        IsLongRcTableKind(slot.WelderKind) ? slot.RobotTables224 : slot.RobotTables148;
    for (std::size_t r = 0; r < kRegistrations; ++r) {
      // Without a robot-side record (no welder, or no backup loaded) the registration is empty.
      if (slot.TableNumbers[r] != -1 && r < robotTables.size()) {
        values.rc[w][r] = RcValuesOf(robotTables[r]);
      }
      if (RatedByModel(slot.WelderKind)) {
        if (r == 0)
          values.wps[w][r] = {
              1, static_cast<std::uint16_t>(UModelRatedCurrent(ModelIndexOf(slot.WpsModel)))};
        continue;
      }
      const int s = slot.SelectedModes[r];
      if (slot.TableNumbers[r] != -1 && s >= 0 &&
          s < static_cast<int>(slot.CatalogueTemplates.size())) {
        values.wps[w][r] = WpsValuesOf(slot.CatalogueTemplates[static_cast<std::size_t>(s)]);
      }
    }
  }
  return values;
}

void TForm1::AddRevisedTables(FileTransaction& files, const SetupFileValues& values) const {
  const int picked = PickedRatedByModelWelder(Slots);
  const std::string weld = WeldFolderPath(LoadedBackupFolder);
  for (int w = 0; w < kWelders; ++w) {
    const WelderSlot& slot = Slots[static_cast<std::size_t>(w)];
    for (int r = 0; r < kRegistrations; ++r) {
      const auto ur = static_cast<std::size_t>(r);
      const bool transfer = RatedByModel(slot.WelderKind)
                                ? w == picked && r == 0
                                : values.wps[static_cast<std::size_t>(w)][ur].ENABLED == 1;
      if (!transfer) continue;
      const auto revised = TransferCharacteristicData(w, r);
      if (!revised) continue;
      // Characteristic data go to the robot only when they were read: an unread record is zeros.
      if (StatesOf(FactsOf(w, r)).Has(RegistrationState::UnreadCharacteristic)) {
        const auto s = static_cast<std::size_t>(slot.SelectedModes[ur]);
        files.AddIssue(Failure(FileCode::CompanionNotRead, s < slot.CatalogueModePaths.size()
                                                               ? slot.CatalogueModePaths[s]
                                                               : ""));
        continue;
      }
      // Tables go back only where they were read from, and only when they were read whole: a
      // record rebuilt from zeros would destroy the robot's table.
      const std::string table = weld + "/" + MapName(weld, TableFileName(slot.TableNumbers[ur]));
      if (!slot.TableReadWhole[ur]) {
        files.AddIssue(Failure(FileCode::NotReadWhole, table));
        continue;
      }
      AddRevisedTable(files, table, *revised, slot.TableSeen[ur]);
    }
  }
}

std::string TForm1::CompanionAdvice(const std::vector<FileStatus>& issues) const {
  auto text = [this](CreateFilesText row) { return CreateFilesTextOf(row, LanguageIndex); };
  std::string out;
  std::string entries;
  std::string welders;            // those whose check box would do without the data
  std::vector<std::string> seen;  // a file needed twice is one problem
  for (const FileStatus& issue : issues) {
    if (issue.code != FileCode::CompanionNotRead ||
        std::find(seen.begin(), seen.end(), issue.path) != seen.end()) {
      continue;
    }
    seen.push_back(issue.path);
    std::string needs;
    for (int w = 0; w < kWelders; ++w) {
      const WelderSlot& slot = Slots[static_cast<std::size_t>(w)];
      if (!UsesModeRecord(slot.WelderKind, slot.UseRcWcd)) continue;
      for (int r = 0; r < kRegistrations; ++r) {
        const auto s = static_cast<std::size_t>(slot.SelectedModes[static_cast<std::size_t>(r)]);
        if (slot.TableNumbers[static_cast<std::size_t>(r)] == -1 ||
            s >= slot.CatalogueModePaths.size() || slot.CatalogueModePaths[s] != issue.path) {
          continue;
        }
        needs += "\n" + FillText(text(CreateFilesText::NeededBy),
                                 {RegistrationName(w, r, LanguageIndex), ChosenModeText(w, r)});
        const std::string name = WelderName(w, LanguageIndex);
        if (WelderKindOf(slot.WelderKind).checkBoxApplies &&
            !UsesModeRecord(slot.WelderKind, false) && welders.find(name) == std::string::npos) {
          welders += (welders.empty() ? "" : ", ") + name;
        }
      }
    }
    if (needs.empty()) continue;
    out += "\n" + BaseName(issue.path) + ":" + needs;
    entries += (entries.empty() ? "" : ", ") + BaseName(issue.path);
  }
  if (out.empty()) return out;
  out += "\n" + text(CreateFilesText::WhatToDo) + "\n" + text(CreateFilesText::ChooseOtherMode);
  if (!welders.empty()) {
    out += "\n" + FillText(text(CreateFilesText::ClearCheckBox),
                           {UiText(TextRow::UseWeldingChar), welders});
  }
  return out + "\n" + FillText(text(CreateFilesText::RestoreEntry), {entries});
}

bool TForm1::CommitCreateFiles(FileTransaction& files) {
  auto refuse = [this](const std::string& text) {
    ShowMessageBox(MessageKind::Error, text,
                   CreateFilesTextOf(CreateFilesText::ErrorCaption, LanguageIndex));
    return false;
  };
  const std::string notCreated = CreateFilesTextOf(CreateFilesText::NotCreated, LanguageIndex);
  const auto root = HistoryFolderRoot();
  if (!root) {
    return refuse(notCreated + "\n" +
                  CreateFilesTextOf(CreateFilesText::NoHistoryFolder, LanguageIndex));
  }
  const RunRecord record{LoadedBackupFolder, C(Ctl::EditConfigFolder).Text, BatchName};
  if (!files.KeepOriginals(*root, platform_.LocalTimestamp(), record)) {
    return refuse(ProblemList(notCreated, files.Issues(), LanguageIndex));
  }

  // Computed before the commit, from the contents it writes.
  const ChangeList changes = ChangesOf(files);
  const CommitOutcome outcome = files.Commit();
  if (!outcome.ok) {
    if (outcome.leftNew.empty()) {
      files.DiscardKept();
      refuse(ProblemList(notCreated, outcome.issues, LanguageIndex));
    } else {
      // The file whose replacement failed still holds its old content: it is named apart from the
      // files left new.
      const bool replacing =
          !outcome.issues.empty() && outcome.issues.front().code == FileCode::CannotReplace;
      refuse(ProblemList(CreateFilesTextOf(CreateFilesText::LeftNew, LanguageIndex),
                         outcome.notPutBack, LanguageIndex) +
             "\n\n" +
             ProblemList(CreateFilesTextOf(
                             replacing ? CreateFilesText::StillOld : CreateFilesText::StoppedAt,
                             LanguageIndex),
                         outcome.issues, LanguageIndex) +
             "\n\n" +
             FormatPath(CreateFilesTextOf(CreateFilesText::KeptIn, LanguageIndex),
                        files.KeptFolder()));
      LastCreate.state = CreateOutcome::State::LeftPartNew;
      LastCreate.keptFolder = files.KeptFolder();
    }
    RefreshRestoreOriginals();
    return false;
  }
  // The files are replaced: a report that cannot be written is said, and the run stays complete.
  const std::optional<std::string> reportFailure = WriteReport(files, changes);
  LastCreate = {CreateOutcome::State::Created, changes.files.size(), files.KeptFolder(),
                reportFailure ? std::string() : files.KeptFolder() + "/" + kReportName};
  RefreshRestoreOriginals();
  ShowMessageBox(MessageKind::Information,
                 UiText(TextRow::FilesCreated) + "\n\n" +
                     FormatPath(CreateFilesTextOf(CreateFilesText::KeptIn, LanguageIndex),
                                files.KeptFolder()) +
                     (reportFailure ? "\n\n" + *reportFailure : std::string()),
                 UiText(TextRow::CompletedCaption));
  return true;
}

}  // namespace wisetup
