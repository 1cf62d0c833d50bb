#include "app/Controls.h"

#include "app/Mainunit.h"

namespace wisetup {
namespace {

constexpr unsigned kGroup = kCaption | kEnabled | kVisible;
constexpr unsigned kCombo = kText | kItems | kItemIndex | kEnabled | kVisible;
constexpr unsigned kEdit = kText | kEnabled | kVisible;
constexpr unsigned kButton = kCaption | kEnabled | kVisible;
constexpr unsigned kMenuItem = kCaption | kEnabled;

constexpr auto click = UserAction::Click;
constexpr auto pick = UserAction::Pick;

// The table is filled in the order of the window: its menus, the welder's controls, the
// registration tabs, then the folders and buttons below them.
struct TableBuilder {
  std::array<ControlInfo, kControlCount> t;

  void set(Ctl c, std::string name, Ctl parent, unsigned props,
           UserAction action = UserAction::None, ControlHandler handler = nullptr) {
    t[static_cast<std::size_t>(c)] = ControlInfo{std::move(name), parent, props, action, handler};
  }
  void Menus();
  void WelderControls();
  void Registrations();
  void FoldersAndButtons();
};

void TableBuilder::Menus() {
  set(Ctl::Form1, "Form1", Ctl::Form1, kCaption);
  set(Ctl::MainMenu1, "MainMenu1", Ctl::Form1, kEnabled);
  set(Ctl::MenuSettings, "MenuSettings", Ctl::MainMenu1, kMenuItem);
  set(Ctl::N1, "N1", Ctl::MenuSettings, kMenuItem, click,
      [](TForm1& f, Ctl) { f.ClickBackupFolder(); });
  set(Ctl::N2, "N2", Ctl::MenuSettings, kMenuItem, click,
      [](TForm1& f, Ctl) { f.ClickSetupFolder(); });
  set(Ctl::N3, "N3", Ctl::MenuSettings, kMenuItem, click,
      [](TForm1& f, Ctl) { f.ClickReadConfig(); });
  set(Ctl::MenuRestoreOriginals, "MenuRestoreOriginals", Ctl::MenuSettings, kMenuItem, click,
      [](TForm1& f, Ctl) { f.MenuRestoreOriginalsClick(); });
  set(Ctl::MenuShowReport, "MenuShowReport", Ctl::MenuSettings, kMenuItem, click,
      [](TForm1& f, Ctl) { f.MenuShowReportClick(); });
  set(Ctl::MenuSaveSelections, "MenuSaveSelections", Ctl::MenuSettings, kMenuItem, click,
      [](TForm1& f, Ctl) { f.MenuSaveSelectionsClick(); });
  set(Ctl::MenuApplySelections, "MenuApplySelections", Ctl::MenuSettings, kMenuItem, click,
      [](TForm1& f, Ctl) { f.MenuApplySelectionsClick(); });
  set(Ctl::MenuCompare, "MenuCompare", Ctl::MenuSettings, kMenuItem, click,
      [](TForm1& f, Ctl) { f.MenuCompareClick(); });
  set(Ctl::MenuOverview, "MenuOverview", Ctl::MenuSettings, kMenuItem, click,
      [](TForm1& f, Ctl) { f.MenuOverviewClick(); });
  set(Ctl::N4, "N4", Ctl::MenuSettings, kMenuItem);
  set(Ctl::L1, "L1", Ctl::MenuSettings, kMenuItem);
  set(Ctl::N5, "N5", Ctl::L1, kMenuItem | kChecked, click,
      [](TForm1& f, Ctl) { f.EachLanguageClick(1); });
  set(Ctl::N6, "N6", Ctl::L1, kMenuItem | kChecked, click,
      [](TForm1& f, Ctl) { f.EachLanguageClick(0); });
  set(Ctl::MenuHelp, "MenuHelp", Ctl::MainMenu1, kMenuItem);
  set(Ctl::MenuAbout, "MenuAbout", Ctl::MenuHelp, kMenuItem, click,
      [](TForm1& f, Ctl) { f.MenuAboutClick(); });
}

void TableBuilder::WelderControls() {
  set(Ctl::RadioGroupRobotController, "RadioGroupRobotController", Ctl::Form1,
      kCaption | kItems | kItemIndex | kEnabled | kVisible);
  set(Ctl::GroupBoxWelderNo, "GroupBoxWelderNo", Ctl::Form1, kGroup);
  set(Ctl::ComboBoxWelderNo, "ComboBoxWelderNo", Ctl::GroupBoxWelderNo, kCombo, pick,
      [](TForm1& f, Ctl) { f.ComboBoxWelderNoChange(); });
  set(Ctl::GroupBoxRcWelder, "GroupBoxRcWelder", Ctl::Form1, kGroup);
  set(Ctl::EditRcWelder, "EditRcWelder", Ctl::GroupBoxRcWelder, kEdit);
  set(Ctl::CheckBoxUseRcWCD, "CheckBoxUseRcWCD", Ctl::Form1, kButton | kChecked, UserAction::Toggle,
      [](TForm1& f, Ctl) { f.CheckBoxUseRcWCDClick(); });
  set(Ctl::GroupBoxWelder, "GroupBoxWelder", Ctl::Form1, kGroup);
  set(Ctl::ComboBoxWpsWelder, "ComboBoxWpsWelder", Ctl::GroupBoxWelder, kCombo, pick,
      [](TForm1& f, Ctl) { f.ComboBoxWpsWelderChange(); });
  set(Ctl::GroupBoxArea, "GroupBoxArea", Ctl::Form1, kGroup);
  set(Ctl::ComboBoxArea, "ComboBoxArea", Ctl::GroupBoxArea, kCombo, pick,
      [](TForm1& f, Ctl) { f.ComboBoxAreaChange(); });
  set(Ctl::GroupBoxBaudrate, "GroupBoxBaudrate", Ctl::Form1, kGroup);
  // Never shown, so never picked; a pick would only store the item.
  set(Ctl::ComboBoxBaudrate, "ComboBoxBaudrate", Ctl::GroupBoxBaudrate, kCombo, pick);
}

void TableBuilder::Registrations() {
  set(Ctl::GroupBoxWeldingMode, "GroupBoxWeldingMode", Ctl::Form1, kGroup);
  set(Ctl::PageControlRejist, "PageControlRejist", Ctl::GroupBoxWeldingMode,
      kEnabled | kVisible | kActivePage);
  const char* const tabNames[kRegistrations] = {
      "TabSheetRejist1", "TabSheetRejist2", "TabSheet1", "TabSheet2", "TabSheet3",
      "TabSheet4",       "TabSheet5",       "TabSheet6", "TabSheet7", "TabSheet8"};
  for (int r = 0; r < kRegistrations; ++r) {
    const std::string n = std::to_string(r + 1);
    set(TabOf(r), tabNames[r], Ctl::PageControlRejist, kCaption | kVisible);
    set(LabelRcWModeOf(r), "LabelRcWModeR" + n, TabOf(r), kCaption);
    set(EditRcWModeOf(r), "EditRcWModeR" + n, TabOf(r), kEdit);
    set(LabelWModeOf(r), "LabelWModeR" + n, TabOf(r), kCaption);
    set(ComboBoxWpsWModeOf(r), "ComboBoxWpsWModeR" + n, TabOf(r), kCombo, pick,
        [](TForm1& f, Ctl sender) { f.ComboBoxWpsWModeChange(sender); });
  }
}

void TableBuilder::FoldersAndButtons() {
  set(Ctl::LabelBackupFolder, "LabelBackupFolder", Ctl::Form1, kCaption);
  set(Ctl::EditBackupFolder, "EditBackupFolder", Ctl::Form1, kEdit);
  set(Ctl::ButtonBackupFolder, "ButtonBackupFolder", Ctl::Form1, kButton, click,
      [](TForm1& f, Ctl) { f.ClickBackupFolder(); });
  set(Ctl::LabelConfigFlolder, "LabelConfigFlolder", Ctl::Form1, kCaption);
  set(Ctl::EditConfigFolder, "EditConfigFolder", Ctl::Form1, kEdit);
  set(Ctl::ButtonSaveFolder, "ButtonSaveFolder", Ctl::Form1, kButton, click,
      [](TForm1& f, Ctl) { f.ClickSetupFolder(); });
  set(Ctl::Panel1, "Panel1", Ctl::Form1, kEnabled | kVisible);
  set(Ctl::ButtonMakeConfig, "ButtonMakeConfig", Ctl::Panel1, kButton, click,
      [](TForm1& f, Ctl) { f.ButtonMakeConfigClick(); });
  set(Ctl::ButtonPreview, "ButtonPreview", Ctl::Panel1, kButton, click,
      [](TForm1& f, Ctl) { f.ButtonPreviewClick(); });
  set(Ctl::ButtonExit, "ButtonExit", Ctl::Panel1, kButton, click,
      [](TForm1& f, Ctl) { f.ButtonEndClick(); });
  set(Ctl::StatusBar1, "StatusBar1", Ctl::Form1, kText);
  set(Ctl::OpenDialog1, "OpenDialog1", Ctl::Form1, 0);
}

std::array<ControlInfo, kControlCount> BuildTable() {
  TableBuilder table;
  table.Menus();
  table.WelderControls();
  table.Registrations();
  table.FoldersAndButtons();
  return table.t;
}

}  // namespace

const std::array<ControlInfo, kControlCount>& ControlTable() {
  static const std::array<ControlInfo, kControlCount> table = BuildTable();
  return table;
}

const ControlInfo& InfoOf(Ctl c) {
  return ControlTable()[static_cast<std::size_t>(c)];
}

Ctl ControlByName(const std::string& name) {
  const auto& table = ControlTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i].name == name) return static_cast<Ctl>(i);
  }
  return Ctl::Count;
}

int RegistrationOfModeList(Ctl c) {
  const int r = static_cast<int>(c) - static_cast<int>(Ctl::ComboBoxWpsWModeR1);
  return r >= 0 && r < kRegistrations ? r : -1;
}

std::string ControlState::ShownText() const {
  if (ItemIndex < 0 || ItemIndex >= static_cast<int>(Items.size())) return {};
  return Items[static_cast<std::size_t>(ItemIndex)];
}

}  // namespace wisetup
