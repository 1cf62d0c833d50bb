// The controls of the main window as the model sees them: one state record per control, and the
// control table (names, parents, which properties apply) that the Qt binding and the scenario
// driver both walk.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "records/WelderKinds.h"

namespace wisetup {

enum class Ctl : int {
  Form1,
  MainMenu1,
  MenuSettings,
  N1,
  N2,
  N3,
  MenuRestoreOriginals,
  MenuShowReport,
  MenuSaveSelections,
  MenuApplySelections,
  MenuCompare,
  MenuOverview,
  N4,
  L1,
  N5,
  N6,
  MenuHelp,
  MenuAbout,
  RadioGroupRobotController,
  GroupBoxWelderNo,
  ComboBoxWelderNo,
  GroupBoxRcWelder,
  EditRcWelder,
  CheckBoxUseRcWCD,
  GroupBoxWelder,
  ComboBoxWpsWelder,
  GroupBoxArea,
  ComboBoxArea,
  GroupBoxBaudrate,
  ComboBoxBaudrate,
  GroupBoxWeldingMode,
  PageControlRejist,
  Tab1,  // TabSheetRejist1, TabSheetRejist2, TabSheet1 .. TabSheet8
  LabelRcWModeR1 = Tab1 + kRegistrations,
  EditRcWModeR1 = LabelRcWModeR1 + kRegistrations,
  LabelWModeR1 = EditRcWModeR1 + kRegistrations,
  ComboBoxWpsWModeR1 = LabelWModeR1 + kRegistrations,
  LabelBackupFolder = ComboBoxWpsWModeR1 + kRegistrations,
  EditBackupFolder,
  ButtonBackupFolder,
  LabelConfigFlolder,
  EditConfigFolder,
  ButtonSaveFolder,
  Panel1,
  ButtonMakeConfig,
  ButtonPreview,
  ButtonExit,
  StatusBar1,
  OpenDialog1,
  Count
};

inline constexpr int kControlCount = static_cast<int>(Ctl::Count);

// The control of registration r (0 to kRegistrations - 1) in a family of one per registration.
inline Ctl TabOf(int r) {
  return static_cast<Ctl>(static_cast<int>(Ctl::Tab1) + r);
}
inline Ctl LabelRcWModeOf(int r) {
  return static_cast<Ctl>(static_cast<int>(Ctl::LabelRcWModeR1) + r);
}
inline Ctl EditRcWModeOf(int r) {
  return static_cast<Ctl>(static_cast<int>(Ctl::EditRcWModeR1) + r);
}
inline Ctl LabelWModeOf(int r) {
  return static_cast<Ctl>(static_cast<int>(Ctl::LabelWModeR1) + r);
}
inline Ctl ComboBoxWpsWModeOf(int r) {
  return static_cast<Ctl>(static_cast<int>(Ctl::ComboBoxWpsWModeR1) + r);
}
// The registration whose mode list `c` is, or -1.
int RegistrationOfModeList(Ctl c);

enum Prop : unsigned {
  kCaption = 1,
  kText = 2,
  kItems = 4,
  kItemIndex = 8,
  kEnabled = 16,
  kVisible = 32,
  kChecked = 64,
  kActivePage = 128,
};

class TForm1;

// How a user acts on a control: clicks it (buttons, menu items), picks an item (drop-downs) or
// toggles it (the check box). The view stores what the user did into the control's state first
// (the picked item, the check mark), then runs the handler.
enum class UserAction { None, Click, Pick, Toggle };
using ControlHandler = void (*)(TForm1& form, Ctl sender);

struct ControlInfo {
  std::string name;
  Ctl parent;  // Ctl::Form1 for top-level controls (and for Form1 itself)
  unsigned props;
  UserAction action = UserAction::None;
  ControlHandler handler = nullptr;  // nothing for controls whose change runs no handler
};

// The control table in its fixed order.
const std::array<ControlInfo, kControlCount>& ControlTable();
const ControlInfo& InfoOf(Ctl c);
// The control of that name, or Ctl::Count.
Ctl ControlByName(const std::string& name);

struct ControlState {
  std::string Caption;
  std::string Text;  // edits and the status bar; lists derive their text from the item
  std::vector<std::string> Items;
  int ItemIndex = -1;
  bool Enabled = true;
  bool Visible = true;
  bool Checked = false;
  int ActivePage = 0;  // page control: the active tab, 0-based

  // What a drop-down shows: its selected item, or nothing.
  std::string ShownText() const;
};

}  // namespace wisetup
