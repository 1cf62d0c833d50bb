#include "app/Mainunit.h"
#include "catalogue/ModelTable.h"

namespace wisetup {

void TForm1::SelectStoredModes(int welder) {
  const WelderSlot& slot = Slots[static_cast<std::size_t>(welder)];
  for (int r = 0; r < kRegistrations; ++r) {
    ControlState& list = C(ComboBoxWpsWModeOf(r));
    const int index = slot.SelectedModes[static_cast<std::size_t>(r)];
    list.ItemIndex = index >= 0 && index < static_cast<int>(list.Items.size()) ? index : -1;
  }
}

void TForm1::ComboBoxWelderNoChange() {
  const int index = C(Ctl::ComboBoxWelderNo).ItemIndex;
  if (index < 0 || index >= kWelders) {
    // Typed text that names no welder must never address a slot that does not exist.
    C(Ctl::ComboBoxWelderNo).ItemIndex = CurrentWelder;
    return;
  }
  if (index == CurrentWelder) return;
  CurrentWelder = index;
  ShowWelder();
}

void TForm1::ShowWelder() {
  const WelderSlot& slot = Slots[static_cast<std::size_t>(CurrentWelder)];
  C(Ctl::ComboBoxWpsWelder).ItemIndex = slot.WpsModel;
  C(Ctl::ComboBoxArea).ItemIndex = slot.Area >= 0 && slot.Area < kAreaCount ? slot.Area : -1;
  C(Ctl::CheckBoxUseRcWCD).Checked = slot.UseRcWcd;
  UpdateRatedCurrent(CurrentWelder);
  ClearCatalogue(CurrentWelder);
  LoadCatalogue(CurrentWelder);
  SelectStoredModes(CurrentWelder);
  ShowRcWelderState();
}

void TForm1::ComboBoxWpsWelderChange() {
  WelderSlot& slot = Slots[static_cast<std::size_t>(CurrentWelder)];
  const int index = C(Ctl::ComboBoxWpsWelder).ItemIndex;
  if (index == slot.WpsModel) return;
  if (!IsCompatible(slot.WelderKind, ModelCode(ModelIndexOf(index)), slot.RobotTables148)) {
    ShowMessageBox(MessageKind::Error, UiText(TextRow::WrongWelder),
                   UiText(TextRow::WrongWelderCaption));
    C(Ctl::ComboBoxWpsWelder).ItemIndex = slot.WpsModel;
    return;
  }
  slot.WpsModel = index;
  slot.SelectedModes.fill(-1);
  UpdateRatedCurrent(CurrentWelder);
  ClearCatalogue(CurrentWelder);
  LoadCatalogue(CurrentWelder);
  C(Ctl::CheckBoxUseRcWCD).Enabled = WelderKindOf(slot.WelderKind).checkBoxApplies;
}

void TForm1::ComboBoxAreaChange() {
  WelderSlot& slot = Slots[static_cast<std::size_t>(CurrentWelder)];
  const int index = C(Ctl::ComboBoxArea).ItemIndex;
  if (index == slot.Area) return;
  slot.Area = index;
  slot.SelectedModes.fill(-1);
  UpdateRatedCurrent(CurrentWelder);
  ClearCatalogue(CurrentWelder);
  LoadCatalogue(CurrentWelder);
}

void TForm1::ComboBoxWpsWModeChange(Ctl sender) {
  const int page = C(Ctl::PageControlRejist).ActivePage;
  if (page < 0 || page >= kRegistrations) return;
  Slots[static_cast<std::size_t>(CurrentWelder)].SelectedModes[static_cast<std::size_t>(page)] =
      C(sender).ItemIndex;
}

void TForm1::CheckBoxUseRcWCDClick() {
  Slots[static_cast<std::size_t>(CurrentWelder)].UseRcWcd = C(Ctl::CheckBoxUseRcWCD).Checked;
}

}  // namespace wisetup
