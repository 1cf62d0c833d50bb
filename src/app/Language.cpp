#include "app/ChangeTexts.h"
#include "app/Mainunit.h"
#include "app/UiTexts.h"
#include "backup/TableFiles.h"
#include "catalogue/ConditionText.h"
#include "platform/PathMap.h"

namespace wisetup {

void TForm1::EachLanguageClick(std::optional<int> senderTag) {
  int language = LanguageIndex;
  if (senderTag) {
    if (*senderTag == LanguageIndex) return;
    language = *senderTag;
  }
  C(Ctl::N5).Checked = false;
  C(Ctl::N6).Checked = false;
  if (language == 0) {
    C(Ctl::N6).Checked = true;
  } else {
    C(Ctl::N5).Checked = true;
    language = 1;
  }
  LanguageIndex = language;
  const bool ok = ApplyLanguage(LanguageIndex);
  if (!ok && senderTag)
    ShowMessageBox(MessageKind::Error, UiText(TextRow::WrongFolder),
                   UiText(TextRow::WrongFolderCaption));
  // An engineer who switches expects the whole window to follow, not only the captions.
  if (senderTag && ContentShown) ShowWelder();
}

bool TForm1::ApplyLanguage(int language) {
  SetLanguageList(Ctl::ComboBoxArea, AreaItems, language);
  SetLanguageList(Ctl::ComboBoxWelderNo, WelderNoItems, language);
  const std::string backupFolder = C(Ctl::EditBackupFolder).Text;
  // An empty field would otherwise name a folder at the root of the file system.
  const bool ok = !backupFolder.empty() && FileExists(ConfigFilePath(backupFolder));
  // In reference mode the texts come from the setup file, as reading it made them, whatever the
  // backup folder holds. The field can name a folder whose load failed after it was shown; the
  // kinds and table numbers in the slots belong to the folder that was loaded, so the texts are
  // read from there.
  if (ViewMode) {
    RenderSetupTexts();
  } else if (ok) {
    RenderRobotTexts(LoadedBackupFolder.empty() ? backupFolder : LoadedBackupFolder);
  }
  ApplyCaptions(language);
  // The reference-mode hint is a text of the window like any caption; left alone it would stay in
  // the language that was active when the setup file was read.
  if (ViewMode) C(Ctl::StatusBar1).Text = UiTextOf(TextRow::ReferenceModeHint, language);
  return ok;
}

void TForm1::RenderRobotTexts(const std::string& backupFolder) {
  const std::string weld = WeldFolderPath(backupFolder) + "/";
  for (WelderSlot& slot : Slots) {
    if (slot.WelderKind == kNotRegistered) continue;
    const bool longForm = IsLongRcTableKind(slot.WelderKind);
    for (int r = 0; r < kRegistrations; ++r) {
      const int n = slot.TableNumbers[static_cast<std::size_t>(r)];
      std::string& text = slot.RobotModeTexts[static_cast<std::size_t>(r)];
      if (n == -1) {
        text.clear();
        continue;
      }
      ReadRcWeldTable(weld + TableFileName(n), longForm);
      text = MakeConditionText(longForm ? WorkTable224 : WorkTable148, slot.WelderKind, false,
                               LanguageIndex);
    }
  }
}

void TForm1::SetLanguageList(Ctl c, const std::array<UiTextPair, 4>& items, int language) {
  ControlState& list = C(c);
  const int index = list.ItemIndex;
  list.Items.clear();
  for (const UiTextPair& item : items) {
    list.Items.emplace_back(language == 0 ? item.japanese : item.english);
  }
  list.ItemIndex = index;
}

void TForm1::ApplyCaptions(int language) {
  auto caption = [language](int row) { return UiTextOf(row, language); };
  C(Ctl::Form1).Caption = caption(0);
  const Ctl menus[] = {Ctl::MenuSettings, Ctl::N1, Ctl::N2, Ctl::N3, Ctl::L1, Ctl::N5, Ctl::N6};
  for (int i = 0; i < 7; ++i) C(menus[i]).Caption = caption(1 + i);
  const Ctl groups[] = {Ctl::RadioGroupRobotController,
                        Ctl::GroupBoxWelderNo,
                        Ctl::GroupBoxRcWelder,
                        Ctl::GroupBoxWelder,
                        Ctl::GroupBoxArea,
                        Ctl::GroupBoxBaudrate,
                        Ctl::GroupBoxWeldingMode};
  for (int i = 0; i < 7; ++i) C(groups[i]).Caption = caption(8 + i);
  for (int r = 0; r < kRegistrations; ++r) {
    C(TabOf(r)).Caption = caption(15 + r);
    C(LabelRcWModeOf(r)).Caption = caption(25);
    C(LabelWModeOf(r)).Caption = caption(26);
  }
  C(Ctl::LabelBackupFolder).Caption = caption(27);
  C(Ctl::LabelConfigFlolder).Caption = caption(28);
  C(Ctl::ButtonMakeConfig).Caption = caption(29);
  C(Ctl::ButtonExit).Caption = caption(30);
  C(Ctl::CheckBoxUseRcWCD).Caption = caption(31);
  C(Ctl::MenuRestoreOriginals).Caption = caption(53);
  C(Ctl::ButtonPreview).Caption = ChangeTextOf(ChangeText::PreviewButton, language);
  C(Ctl::MenuShowReport).Caption = ChangeTextOf(ChangeText::ShowReportMenu, language);
  C(Ctl::MenuHelp).Caption = caption(54);
  C(Ctl::MenuAbout).Caption = caption(55);
}

}  // namespace wisetup
