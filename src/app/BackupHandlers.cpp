#include <algorithm>
#include <array>
#include <span>

#include "app/CreateFilesTexts.h"
#include "app/Mainunit.h"
#include "app/RegistrationTexts.h"
#include "app/ShellTexts.h"
#include "app/UiTexts.h"
#include "backup/ConfigList.h"
#include "backup/TableFiles.h"
#include "catalogue/ConditionText.h"
#include "catalogue/ModelTable.h"
#include "platform/FileIo.h"
#include "platform/PathMap.h"
#include "storage/Sha256.h"
#include "text/TextScan.h"

namespace wisetup {
void TForm1::ClickBackupFolder() {
  std::string folder;
  if (!BrowseForFolder(C(Ctl::EditBackupFolder).Text, "backup_folder", folder)) return;
  LoadBackupFolder(folder);
}

void TForm1::LoadBackupFolder(const std::string& folder) {
  // A refused folder changes nothing, the folder field included: what the window shows is the
  // backup that Create Files writes back.
  const std::optional<BackupConfig> config = ReadBackupConfig(folder);
  if (!config) return;

  C(Ctl::EditBackupFolder).Text = folder;
  ResetWelderState();
  C(Ctl::StatusBar1).Text.clear();
  C(Ctl::ButtonMakeConfig).Enabled = true;
  C(Ctl::ButtonPreview).Enabled = true;
  C(Ctl::ComboBoxWelderNo).Enabled = true;
  CurrentWelder = 0;
  C(Ctl::ComboBoxWelderNo).ItemIndex = 0;
  ViewMode = false;
  // The reset leaves the check mark as the previous welder had it; it must show what welder 1
  // now stores, or the box would claim the opposite of what Create Files writes.
  C(Ctl::CheckBoxUseRcWCD).Checked = Slots[0].UseRcWcd;

  // Entries a short list does not name are reset rather than kept from an earlier backup, whose
  // kinds and table numbers would not belong to this one.
  for (std::size_t w = 0; w < kWelders; ++w) {
    WelderSlot& slot = Slots[w];
    const auto& numbers = config->tables[w];
    slot.WelderKind = w < config->kinds.size() ? config->kinds[w] : 0;
    for (std::size_t c = 0; c < kRegistrations; ++c) {
      slot.TableNumbers[c] = c < numbers.size() ? numbers[c] : -1;
    }
  }
  ReadRobotTables(folder);
  ContentShown = true;
  C(Ctl::MenuOverview).Enabled = true;
  LoadedBackupFolder = folder;

  ShowRcWelderState();
  RecheckWelderModels();
  RefreshSelectionsMenu();
  LockLoadedBackup();
}

void TForm1::LockLoadedBackup() {
  const auto folder = LockFolder(Environment());
  if (!folder || !LocksBackup) {
    backupLock_.Release();
    return;
  }
  if (const auto holder = backupLock_.Take(*folder, LoadedBackupFolder)) {
    ShowMessageBox(MessageKind::Information,
                   FormatCount(CreateFilesTextOf(CreateFilesText::AlsoOpen, LanguageIndex),
                               static_cast<std::size_t>(*holder)),
                   CreateFilesTextOf(CreateFilesText::AlsoOpenCaption, LanguageIndex));
  }
}

std::optional<TForm1::BackupConfig> TForm1::ReadBackupConfig(const std::string& folder) {
  const std::string configPath = ConfigFilePath(folder);
  if (!FileExists(configPath)) {
    ShowMessageBox(MessageKind::Error, UiText(TextRow::WrongFolder),
                   UiText(TextRow::WrongFolderCaption));
    return std::nullopt;
  }
  std::string configText;
  if (!ReadWholeFile(configPath, configText).ok()) {
    ShowMessageBox(MessageKind::Error, FormatPath(UiText(TextRow::CannotRead), configPath),
                   kReadErrorCaption);
    return std::nullopt;
  }

  // Binary garbage, an empty file or a text in another encoding registers nothing; loading it as
  // "no welders" would let Create Files write a setup file for no welder at all.
  ArcWelderConfigRead read = ParseArcWelderConfig(configText);
  if (read.noKind) {
    ShowMessageBox(MessageKind::Error,
                   UiText(TextRow::WrongFolder) + "\n\n" +
                       FormatPath(ShellTextOf(ShellText::NoWelderKind, LanguageIndex), configPath),
                   UiText(TextRow::WrongFolderCaption));
    return std::nullopt;
  }
  if (!read.config) {
    throw HandlerError("'" + QuotedValue(read.badItem) + "' is not a valid integer value (" +
                       read.where + ")");
  }
  return BackupConfig{std::move(read.config->kinds), std::move(read.config->tables)};
}

void TForm1::ReadRobotTables(const std::string& folder) {
  const FolderReader weld(WeldFolderPath(folder));
  for (WelderSlot& slot : Slots) {
    slot.RobotTables148.clear();
    slot.RobotTables224.clear();
    slot.TableReadWhole.fill(false);
    for (std::string& seen : slot.TableSeen) seen.clear();
    if (slot.WelderKind == kNotRegistered) continue;
    const bool longForm = IsLongRcTableKind(slot.WelderKind);
    auto& list = longForm ? slot.RobotTables224 : slot.RobotTables148;
    for (std::size_t c = 0; c < kRegistrations; ++c) {
      const int n = slot.TableNumbers[c];
      slot.TableReadWhole[c] = false;
      if (n == -1) {
        RobotWeldTable& work = longForm ? WorkTable224 : WorkTable148;
        work = RobotWeldTable(work.Form());
        list.push_back(work);
        slot.RobotModeTexts[c].clear();
        continue;
      }
      slot.TableReadWhole[c] = ReadWholeTable(weld, TableFileName(n), longForm, slot.TableSeen[c]);
      const RobotWeldTable& work = longForm ? WorkTable224 : WorkTable148;
      list.push_back(work);
      slot.RobotModeTexts[c] = MakeConditionText(work, slot.WelderKind, false, LanguageIndex);
    }
  }
}

std::string TForm1::RcWelderKindName(int kind) const {
  return std::string(WelderKindName(kind, LanguageIndex));
}

void TForm1::ShowRcWelderState() {
  const WelderSlot& slot = Slots[static_cast<std::size_t>(CurrentWelder)];
  const WelderKindInfo& kind = WelderKindOf(slot.WelderKind);
  C(Ctl::EditRcWelder).Text = RcWelderKindName(slot.WelderKind);
  // An empty field would look like a table that could not be read; the tab says there is none.
  const bool loaded = !ViewMode && !LoadedBackupFolder.empty() && slot.WelderKind != kNotRegistered;
  for (int r = 0; r < kRegistrations; ++r) {
    const auto ur = static_cast<std::size_t>(r);
    C(EditRcWModeOf(r)).Text = loaded && slot.TableNumbers[ur] == -1
                                   ? RegistrationTextOf(RegistrationText::NoTable, LanguageIndex)
                                   : slot.RobotModeTexts[ur];
  }

  for (int r = 0; r < kRegistrations; ++r) C(TabOf(r)).Visible = r < kind.tabsShown;
  C(Ctl::PageControlRejist).Visible = kind.tabsShown > 0;

  if (!ViewMode) {
    C(Ctl::ComboBoxWpsWelder).Enabled = true;
    if (kind.areaShown) C(Ctl::ComboBoxArea).Enabled = true;
    if (kind.checkBoxApplies) C(Ctl::CheckBoxUseRcWCD).Enabled = true;
  }
  C(Ctl::CheckBoxUseRcWCD).Visible = kind.checkBoxApplies;
  C(Ctl::GroupBoxArea).Visible = kind.areaShown;
}

}  // namespace wisetup
