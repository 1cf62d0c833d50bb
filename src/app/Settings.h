// The keys of the settings file and what each gives when it is missing: LoadSettings reads them,
// SaveSettings writes them in this order, and the window starts at the placement defaults.
#pragma once

#include <array>
#include <cstddef>

namespace wisetup {

enum class Setting {
  Language,
  Top,
  Left,
  Height,
  Width,
  Maximized,
  SetupFolder,
  BackupFolder,
  SelectionsFolder
};

struct SettingRow {
  Setting setting;
  const char* section;
  const char* key;
  int fallback;  // for the integers; the folders fall back to the empty text
};

// clang-format off
inline constexpr std::array<SettingRow, 9> kSettingRows = {{
    {Setting::Language,     "Settings", "Language",  -1},  // not set: the user's locale decides
    {Setting::Top,          "Settings", "Top",       100},
    {Setting::Left,         "Settings", "Left",      100},
    {Setting::Height,       "Settings", "Height",    440},
    {Setting::Width,        "Settings", "Width",     860},
    {Setting::Maximized,    "Settings", "Maximized",   0},
    {Setting::SetupFolder,  "Folder",   "UPDATE",      0},
    {Setting::BackupFolder, "Folder",   "BACKUP",      0},
    {Setting::SelectionsFolder, "Folder", "SELECTIONS",  0},  // written once one is used
}};
// clang-format on

constexpr const SettingRow& SettingRowOf(Setting setting) {
  return kSettingRows[static_cast<std::size_t>(setting)];
}

constexpr bool SettingRowsInOrder() {
  for (std::size_t i = 0; i < kSettingRows.size(); ++i) {
    if (static_cast<std::size_t>(kSettingRows[i].setting) != i) return false;
  }
  return true;
}
static_assert(SettingRowsInOrder(), "rows are looked up by their Setting");

}  // namespace wisetup
