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
  if (index < 0 || index >= kWelderCount) {
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
  C(Ctl::ComboBoxArea).ItemIndex = slot.Area >= 0 && slot.Area < 4 ? slot.Area : -1;
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
  if (!IsCompatible(slot.WelderKind, ModelCode(index), slot.RobotTables148)) {
    ShowMessageBox(MessageKind::Error, UiText(35), UiText(36));
    C(Ctl::ComboBoxWpsWelder).ItemIndex = slot.WpsModel;
    return;
  }
  slot.WpsModel = index;
  slot.SelectedModes.fill(-1);
  UpdateRatedCurrent(CurrentWelder);
  ClearCatalogue(CurrentWelder);
  LoadCatalogue(CurrentWelder);
  C(Ctl::CheckBoxUseRcWCD).Enabled = slot.WelderKind == 13 || slot.WelderKind == 19;
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

bool TForm1::CheckRegistrations() {
  // The engineer is taken to the welder and registration to fix, as if they had chosen them.
  auto fail = [this](int welder, int registration, int textRow) {
    if (welder != CurrentWelder) {
      CurrentWelder = welder;
      C(Ctl::ComboBoxWelderNo).ItemIndex = welder;
      ShowWelder();
    }
    if (C(TabOf(registration)).Visible) C(Ctl::PageControlRejist).ActivePage = registration;
    ShowMessageBox(MessageKind::Error, UiText(textRow), UiText(40));
    return false;
  };
  for (int w = 0; w < kWelderCount; ++w) {
    const WelderSlot& slot = Slots[static_cast<std::size_t>(w)];
    const int k = slot.WelderKind;
    if (k == 0 || k == 10 || slot.WpsModel == 0) continue;
    for (std::size_t r = 0; r < kRegistrations; ++r) {
      if (slot.TableNumbers[r] == -1) continue;
      const int s = slot.SelectedModes[r];
      // A selection the current catalogue no longer holds counts as no selection at all.
      if (s < 0 || s >= static_cast<int>(slot.CatalogueTemplates.size())) {
        return fail(w, static_cast<int>(r), 39);
      }
      const RobotWeldTable& chosen = slot.CatalogueTemplates[static_cast<std::size_t>(s)];
      const std::vector<RobotWeldTable>* robot = nullptr;
      if (k == 9) robot = &slot.RobotTables148;
      if (k == 13 || k == 19) robot = &slot.RobotTables224;
      if (robot == nullptr) continue;
      const std::uint16_t robotMethod = r < robot->size() ? (*robot)[r].Method() : 0;
      if (robotMethod != chosen.Method()) return fail(w, static_cast<int>(r), 45);
    }
  }
  return true;
}

}  // namespace wisetup
