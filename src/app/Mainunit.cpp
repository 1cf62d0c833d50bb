#include "app/Mainunit.h"

#include "app/UiTexts.h"
#include "catalogue/ModelTable.h"

namespace wisetup {

TForm1::TForm1(Platform& platform) : platform_(platform) {
  ApplyCaptions(LanguageIndex);
  SetLanguageList(Ctl::ComboBoxArea, AreaItems, LanguageIndex);
  SetLanguageList(Ctl::ComboBoxWelderNo, WelderNoItems, LanguageIndex);

  C(Ctl::N4).Caption = "-";
  C(Ctl::MenuRestoreOriginals).Enabled = false;
  C(Ctl::MenuShowReport).Enabled = false;
  C(Ctl::MenuOverview).Enabled = false;
  RefreshSelectionsMenu();
  C(Ctl::RadioGroupRobotController).Items = {"ZR-A", "ZR30"};
  C(Ctl::RadioGroupRobotController).ItemIndex = 0;
  C(Ctl::ComboBoxWelderNo).ItemIndex = 0;
  C(Ctl::ComboBoxWelderNo).Enabled = false;
  C(Ctl::CheckBoxUseRcWCD).Checked = true;
  C(Ctl::CheckBoxUseRcWCD).Enabled = false;
  C(Ctl::CheckBoxUseRcWCD).Visible = false;
  for (const ModelRow& model : ModelRows())
    C(Ctl::ComboBoxWpsWelder).Items.emplace_back(model.item);
  C(Ctl::ComboBoxWpsWelder).ItemIndex = 0;
  C(Ctl::ComboBoxWpsWelder).Enabled = false;
  C(Ctl::ComboBoxArea).ItemIndex = 0;
  C(Ctl::GroupBoxBaudrate).Enabled = false;
  C(Ctl::GroupBoxBaudrate).Visible = false;
  C(Ctl::ComboBoxBaudrate).Items = {"500Kbps", "1Mbps"};
  C(Ctl::ComboBoxBaudrate).ItemIndex = 0;
  C(Ctl::ButtonBackupFolder).Caption = "...";
  C(Ctl::ButtonSaveFolder).Caption = "...";

  ResetWelderState();
}

void TForm1::ResetWelderState() {
  CurrentWelder = 0;
  for (WelderSlot& slot : Slots) {
    slot.WpsModel = Index(ModelIndex::None);
    slot.Area = 0;
  }
  SetupFileContent = {};
  for (WelderSlot& slot : Slots) slot.SelectedModes.fill(-1);
  ViewMode = false;
  C(Ctl::RadioGroupRobotController).Enabled = false;
  C(Ctl::ComboBoxWelderNo).ItemIndex = 0;
  C(Ctl::ComboBoxWpsWelder).ItemIndex = 0;
  C(Ctl::CheckBoxUseRcWCD).Enabled = false;
  C(Ctl::ComboBoxArea).ItemIndex = 0;
  C(Ctl::ComboBoxBaudrate).ItemIndex = 0;
  C(Ctl::PageControlRejist).ActivePage = 0;
  ClearCatalogue(CurrentWelder);
  for (WelderSlot& slot : Slots) slot.UseRcWcd = true;
}

void TForm1::FormShow() {
  LoadSettings();
  EachLanguageClick(std::nullopt);
  CheckInterruptedRun();
  RefreshRestoreOriginals();
  ClickBackupFolder();
}

void TForm1::SaveSettingsOnExit() {
  // The engineer cannot make the folder writable from here, so a failed save is reported and the
  // window closes (or the process ends) all the same rather than trapping them.
  try {
    SaveSettings();
  } catch (const HandlerError& e) {
    platform_.ShowApplicationError(e.what());
  }
}

void TForm1::FormClose() {
  SaveSettingsOnExit();
  Closed = true;
  backupLock_.Release();
}

void TForm1::ButtonEndClick() {
  SaveSettingsOnExit();
  Terminated = true;
  platform_.ExitProcess(0);
}

EnvironmentLookup TForm1::Environment() const {
  return [this](const std::string& name) { return platform_.Environment(name); };
}

std::string TForm1::UiText(TextRow row) const {
  return UiTextOf(row, LanguageIndex);
}

MessageAnswer TForm1::ShowMessageBox(MessageKind kind, const std::string& text,
                                     const std::string& caption) {
  return platform_.ShowMessage(kind, text, caption);
}

void TForm1::RunHandler(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    platform_.ShowApplicationError(e.what());
  }
}

bool TForm1::IsUsable(Ctl c) const {
  for (Ctl at = c;; at = InfoOf(at).parent) {
    const ControlInfo& info = InfoOf(at);
    const ControlState& state = C(at);
    if ((info.props & kEnabled) && !state.Enabled) return false;
    if ((info.props & kVisible) && !state.Visible) return false;
    if (at == Ctl::Form1) return true;
  }
}

}  // namespace wisetup
