#include "app/ChangeTexts.h"
#include "app/CompareTexts.h"
#include "app/Mainunit.h"
#include "app/OverviewTexts.h"
#include "app/SelectionsTexts.h"
#include "app/UiTexts.h"
#include "backup/TableFiles.h"
#include "catalogue/ConditionText.h"
#include "platform/PathMap.h"

namespace wisetup {
namespace {

struct CaptionRow {
  Ctl control;
  TextRow row;
};

// The controls whose caption is a row of the text table; the registration tabs follow below.
constexpr CaptionRow kCaptionRows[] = {
    {Ctl::Form1, TextRow::Title},
    {Ctl::MenuSettings, TextRow::MenuSettings},
    {Ctl::N1, TextRow::MenuBackupFolder},
    {Ctl::N2, TextRow::MenuSetupFolder},
    {Ctl::N3, TextRow::MenuReadSetupFile},
    {Ctl::L1, TextRow::MenuLanguages},
    {Ctl::N5, TextRow::MenuEnglish},
    {Ctl::N6, TextRow::MenuJapanese},
    {Ctl::RadioGroupRobotController, TextRow::RobotController},
    {Ctl::GroupBoxWelderNo, TextRow::WelderNo},
    {Ctl::GroupBoxRcWelder, TextRow::RegisteredWelder},
    {Ctl::GroupBoxWelder, TextRow::ActualWelder},
    {Ctl::GroupBoxArea, TextRow::Area},
    {Ctl::GroupBoxBaudrate, TextRow::TransferRate},
    {Ctl::GroupBoxWeldingMode, TextRow::WeldingCharacteristic},
    {Ctl::LabelBackupFolder, TextRow::BackupFolderLabel},
    {Ctl::LabelConfigFlolder, TextRow::SetupFolderLabel},
    {Ctl::ButtonMakeConfig, TextRow::CreateFiles},
    {Ctl::ButtonExit, TextRow::Exit},
    {Ctl::CheckBoxUseRcWCD, TextRow::UseWeldingChar},
    {Ctl::MenuRestoreOriginals, TextRow::MenuRestoreOriginals},
    {Ctl::MenuHelp, TextRow::MenuHelp},
    {Ctl::MenuAbout, TextRow::MenuAbout},
};

// The caption of registration tab r: the rows Register1 to Register10 follow one another.
TextRow RegisterTabRow(int r) {
  return static_cast<TextRow>(static_cast<int>(TextRow::Register1) + r);
}
static_assert(static_cast<int>(TextRow::Register10) - static_cast<int>(TextRow::Register1) + 1 ==
              kRegistrations);

}  // namespace

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
  for (const auto& [control, row] : kCaptionRows) C(control).Caption = UiTextOf(row, language);
  C(Ctl::MenuSaveSelections).Caption =
      SelectionsTextOf(SelectionsText::MenuSaveSelections, language);
  C(Ctl::MenuApplySelections).Caption =
      SelectionsTextOf(SelectionsText::MenuApplySelections, language);
  C(Ctl::MenuCompare).Caption = CompareTextOf(CompareText::MenuCompare, language);
  for (int r = 0; r < kRegistrations; ++r) {
    C(TabOf(r)).Caption = UiTextOf(RegisterTabRow(r), language);
    C(LabelRcWModeOf(r)).Caption = UiTextOf(TextRow::RobotWeldingMode, language);
    C(LabelWModeOf(r)).Caption = UiTextOf(TextRow::WelderWeldingMode, language);
  }
  // Captions beyond the numbered table.
  C(Ctl::ButtonPreview).Caption = ChangeTextOf(ChangeText::PreviewButton, language);
  C(Ctl::MenuShowReport).Caption = ChangeTextOf(ChangeText::ShowReportMenu, language);
  C(Ctl::MenuOverview).Caption = OverviewTextOf(OverviewText::MenuOverview, language);
}

}  // namespace wisetup
