#include "app/Mainunit.h"
#include "catalogue/ConditionText.h"
#include "catalogue/ModelTable.h"
#include "platform/PathMap.h"
#include "text/IniDocument.h"

namespace wisetup {

void TForm1::ClickReadConfig() {
  if (ShowMessageBox(MessageKind::Question, UiText(TextRow::ReferenceModeQuestion),
                     UiText(TextRow::ConfirmCaption)) != MessageAnswer::Yes)
    return;
  const auto chosen =
      platform_.OpenFile(C(Ctl::EditConfigFolder).Text, "セットアップファイル|ZelSetUp.Ini");
  if (!chosen) return;

  ReferenceSetupFile = *chosen;
  ViewMode = true;
  RefreshSelectionsMenu();
  C(Ctl::ComboBoxWpsWelder).Enabled = false;
  C(Ctl::ComboBoxArea).Enabled = false;
  C(Ctl::CheckBoxUseRcWCD).Enabled = false;

  const SetupFileRead read = ReadSetupFile(IniDocument::Load(*chosen));
  SetupFileContent = read.content;
  for (std::size_t w = 0; w < kWelders; ++w) {
    Slots[w].UseRcWcd = read.useRcWcd[w] != 0;
    Slots[w].Area = static_cast<int>(read.area[w]);
  }

  C(Ctl::StatusBar1).Text = UiText(TextRow::ReferenceModeHint);
  C(Ctl::ButtonMakeConfig).Enabled = false;
  C(Ctl::ButtonPreview).Enabled = false;
  C(Ctl::ComboBoxWelderNo).Enabled = true;
  CurrentWelder = 0;
  C(Ctl::ComboBoxWelderNo).ItemIndex = 0;
  for (WelderSlot& slot : Slots) slot.SelectedModes.fill(-1);

  for (std::size_t w = 0; w < kWelders; ++w) {
    WelderSlot& slot = Slots[w];
    slot.RobotTables148.clear();
    slot.RobotTables224.clear();
    slot.ClearCatalogueSequences();
    slot.WelderKind = SetupFileContent.REGIST_WELDER[w];
    slot.WpsModel = Index(
        ModelIndexFromCode(SetupFileContent.WELDER[w], SetupFileContent.Wps[w][0].RATED_CURRENT));
  }
  RenderSetupTexts();
  ContentShown = true;
  C(Ctl::MenuOverview).Enabled = true;
  ShowReferenceWelders();
}

// Welder 1 on show, every welder's catalogue loaded and its chosen modes found in it.
void TForm1::ShowReferenceWelders() {
  ShowRcWelderState();
  RecheckWelderModels();
  const WelderSlot& first = Slots[0];
  C(Ctl::CheckBoxUseRcWCD).Checked = first.UseRcWcd;
  C(Ctl::ComboBoxWpsWelder).ItemIndex = first.WpsModel;
  C(Ctl::ComboBoxArea).ItemIndex = first.Area >= 0 && first.Area < kAreaCount ? first.Area : -1;
  for (int w = 0; w < kWelders; ++w) {
    UpdateRatedCurrent(w);
    ClearCatalogue(w);
    if (Slots[static_cast<std::size_t>(w)].WpsModel != Index(ModelIndex::None)) LoadCatalogue(w);
  }
  UpdateRatedCurrent(0);
  MatchChosenModes();
  SelectStoredModes(0);
  const int baudrate = SetupFileContent.BAUDRATE_CAN2;
  C(Ctl::ComboBoxBaudrate).ItemIndex = baudrate < 2 ? baudrate : -1;
}

// The robot-side texts of reference mode, from the setup file's values in the current language.
void TForm1::RenderSetupTexts() {
  for (std::size_t w = 0; w < kWelders; ++w) {
    WelderSlot& slot = Slots[w];
    const bool longForm = IsLongRcTableKind(slot.WelderKind);
    for (std::size_t r = 0; r < kRegistrations; ++r) {
      const RcModeValues& rc = SetupFileContent.Rc[w][r];
      if (rc.WIRE_DIAMETER == 0) {
        slot.RobotModeTexts[r].clear();
        continue;
      }
      RobotWeldTable& work = longForm ? WorkTable224 : WorkTable148;
      work.SetMethod(rc.METHOD);
      work.SetWireDiameter(rc.WIRE_DIAMETER);
      work.SetGasKind(rc.GAS_KIND);
      work.SetWireKind(rc.WIRE_KIND);
      work.SetSpecial(0);
      work.SetRatedCurrent(SetupFileContent.Wps[w][r].RATED_CURRENT);
      work.SetRatedVoltage(SetupFileContent.Wps[w][r].RATED_VOLTAGE);
      slot.RobotModeTexts[r] = MakeConditionText(work, slot.WelderKind, false, LanguageIndex);
    }
  }
}

void TForm1::RecheckWelderModels() {
  for (int w = 0; w < kWelders; ++w) {
    WelderSlot& slot = Slots[static_cast<std::size_t>(w)];
    if (!IsCompatible(slot.WelderKind, ModelCode(ModelIndexOf(slot.WpsModel)),
                      slot.RobotTables148)) {
      slot.WpsModel = Index(ModelIndex::None);
      ClearCatalogue(w);
    }
  }
}

void TForm1::MatchChosenModes() {
  for (int w = 0; w < kWelders; ++w) {
    for (int r = 0; r < kRegistrations; ++r) {
      const WpsModeValues& values =
          SetupFileContent.Wps[static_cast<std::size_t>(w)][static_cast<std::size_t>(r)];
      if (values.ENABLED == 0) continue;
      Slots[static_cast<std::size_t>(w)].SelectedModes[static_cast<std::size_t>(r)] =
          FindCatalogueEntry(w, values);
    }
  }
}

int TForm1::FindCatalogueEntry(int welder, const WpsModeValues& v) const {
  const auto& templates = Slots[static_cast<std::size_t>(welder)].CatalogueTemplates;
  for (std::size_t i = 0; i < templates.size(); ++i) {
    const RobotWeldTable& t = templates[i];
    if (t.RatedCurrent() == v.RATED_CURRENT && t.RatedVoltage() == v.RATED_VOLTAGE &&
        t.Method() == v.METHOD && t.WireDiameter() == v.WIRE_DIAMETER &&
        t.GasKind() == v.GAS_KIND && t.WireKind() == v.WIRE_KIND && t.Special() == v.SPECIAL) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

}  // namespace wisetup
