#include "app/AccessibleTexts.h"

#include <array>

#include "app/UiTexts.h"

namespace wisetup {
namespace {

const std::array<UiTextPair, static_cast<std::size_t>(AccessibleText::Count)> kAccessibleTexts = {{
    {"バックアップフォルダを選択", "Choose the backup folder"},
    {"保存先フォルダを選択", "Choose the saving folder"},
    {" ", ", "},
    {"場所", "Places"},
    {"フォルダの内容", "Contents of the folder"},
}};

// How a control is named: by a row of the text table (the caption of the label or group beside
// it) or by a text of its own; a registration's controls are followed by their tab's caption.
struct NameRow {
  Ctl control;
  TextRow caption;
  AccessibleText own;  // Count: named by the caption
  Ctl label;           // the label control of that caption, when one stands beside it
};

constexpr NameRow ByCaption(Ctl c, TextRow caption, Ctl label = Ctl::Count) {
  return {c, caption, AccessibleText::Count, label};
}
constexpr NameRow Own(Ctl c, AccessibleText own) {
  return {c, TextRow::Title, own, Ctl::Count};
}

// The registration controls appear once, as their first member.
constexpr NameRow kNameRows[] = {
    ByCaption(Ctl::RadioGroupRobotController, TextRow::RobotController),
    ByCaption(Ctl::ComboBoxWelderNo, TextRow::WelderNo),
    ByCaption(Ctl::EditRcWelder, TextRow::RegisteredWelder),
    ByCaption(Ctl::ComboBoxWpsWelder, TextRow::ActualWelder),
    ByCaption(Ctl::ComboBoxArea, TextRow::Area),
    ByCaption(Ctl::ComboBoxBaudrate, TextRow::TransferRate),
    ByCaption(Ctl::PageControlRejist, TextRow::WeldingCharacteristic),
    ByCaption(Ctl::EditRcWModeR1, TextRow::RobotWeldingMode, Ctl::LabelRcWModeR1),
    ByCaption(Ctl::ComboBoxWpsWModeR1, TextRow::WelderWeldingMode, Ctl::LabelWModeR1),
    ByCaption(Ctl::EditBackupFolder, TextRow::BackupFolderLabel, Ctl::LabelBackupFolder),
    Own(Ctl::ButtonBackupFolder, AccessibleText::ChooseBackupFolder),
    ByCaption(Ctl::EditConfigFolder, TextRow::SetupFolderLabel, Ctl::LabelConfigFlolder),
    Own(Ctl::ButtonSaveFolder, AccessibleText::ChooseSavingFolder),
};

// `c` as the first member of its registration family, and the registration; -1 outside one.
std::pair<Ctl, int> FamilyOf(Ctl c) {
  for (const Ctl first : {Ctl::EditRcWModeR1, Ctl::ComboBoxWpsWModeR1}) {
    const int r = static_cast<int>(c) - static_cast<int>(first);
    if (r >= 0 && r < kRegistrations) return {first, r};
  }
  return {c, -1};
}

const NameRow* RowOf(Ctl c) {
  for (const NameRow& row : kNameRows) {
    if (row.control == c) return &row;
  }
  return nullptr;
}

}  // namespace

std::string AccessibleTextOf(AccessibleText text, int language) {
  const auto index = static_cast<std::size_t>(text);
  if (index >= kAccessibleTexts.size()) return {};
  return TextOf(kAccessibleTexts[index], language);
}

std::string AccessibleNameOf(Ctl c, int language) {
  const auto [first, registration] = FamilyOf(c);
  const NameRow* row = RowOf(first);
  if (row == nullptr) return {};
  std::string name = row->own == AccessibleText::Count ? UiTextOf(row->caption, language)
                                                       : AccessibleTextOf(row->own, language);
  if (registration >= 0) {
    const auto tab = static_cast<TextRow>(static_cast<int>(TextRow::Register1) + registration);
    name += AccessibleTextOf(AccessibleText::RegistrationJoin, language) + UiTextOf(tab, language);
  }
  return name;
}

Ctl LabelOf(Ctl c) {
  const auto [first, registration] = FamilyOf(c);
  const NameRow* row = RowOf(first);
  if (row == nullptr || row->label == Ctl::Count) return Ctl::Count;
  if (registration < 0) return row->label;
  return static_cast<Ctl>(static_cast<int>(row->label) + registration);
}

}  // namespace wisetup
