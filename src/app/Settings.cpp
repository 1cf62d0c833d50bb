#include "app/Settings.h"

#include "app/Mainunit.h"
#include "app/ShellTexts.h"
#include "app/UiTexts.h"
#include "platform/BaseDirs.h"
#include "platform/FileIo.h"
#include "platform/PathMap.h"
#include "text/IniDocument.h"

namespace wisetup {
namespace {

constexpr std::size_t kMaxTextValue = 2047;

int ReadInt(const IniDocument& doc, Setting setting) {
  const SettingRow& row = SettingRowOf(setting);
  const auto text = doc.Get(row.section, row.key);
  if (!text) return row.fallback;
  return ParseSettingsInt(*text).value_or(row.fallback);
}

std::string ReadText(const IniDocument& doc, Setting setting) {
  const SettingRow& row = SettingRowOf(setting);
  std::string text = doc.GetString(row.section, row.key, "");
  if (text.size() > kMaxTextValue) {
    // Cut before a UTF-8 character whose bytes would not all fit, so that no half character is
    // shown or written back. A character has at most three continuation bytes; text in another
    // encoding loses no more than that.
    std::size_t end = kMaxTextValue;
    while (end > kMaxTextValue - 3 && (static_cast<unsigned char>(text[end]) & 0xC0U) == 0x80U) {
      --end;
    }
    if ((static_cast<unsigned char>(text[end]) & 0xC0U) != 0xC0U) end = kMaxTextValue;
    text.resize(end);
  }
  return text;
}

void Write(IniDocument& doc, Setting setting, const std::string& value) {
  const SettingRow& row = SettingRowOf(setting);
  doc.Set(row.section, row.key, value);
}

}  // namespace

std::string TForm1::SettingsPath() const {
  std::string path = platform_.ExecutablePath();
  const auto slash = path.find_last_of("/\\");
  const auto dot = path.find_last_of('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) path.resize(dot);
  return path + ".INI";
}

std::string TForm1::PortableSettingsPath() const {
  // The executable's folder is taken as it stands; only the file's own name may differ in case.
  const std::string path = SettingsPath();
  const std::string folder = FolderOf(path);
  return (folder == "/" ? "" : folder) + "/" + MapName(folder, BaseName(path));
}

bool TForm1::PortableSettings() const {
  return !InSystemFolder(platform_.ExecutablePath());
}

std::string TForm1::SettingsLocation() const {
  const std::string portable = PortableSettingsPath();
  // Root can write a system folder too; the package manager owns it all the same.
  if (PortableSettings() && CanWriteAtomically(portable)) return portable;
  const auto config = ConfigHome(Environment());
  if (!config) return portable;
  return *config + "/wisetup/wisetup.INI";
}

FileStatus TForm1::ReadSettingsSource(const std::string& location, std::string& content) const {
  FileStatus state = ReadWholeFile(location, content);
  const std::string portable = PortableSettingsPath();
  if (state.code != FileCode::Missing || location == portable) return state;
  // Settings beside an executable whose folder has become read-only still give the values to
  // start from, until the user's own file exists.
  if (!ReadWholeFile(portable, content).ok()) content.clear();
  return state;
}

void TForm1::LoadSettings() {
  std::string content;
  // A file that cannot be read gives the defaults; the save at the end refuses to replace it.
  static_cast<void>(ReadSettingsSource(SettingsLocation(), content));
  const IniDocument doc = IniDocument::Parse(content);
  LanguageIndex = ReadInt(doc, Setting::Language);
  Placement.Top = ReadInt(doc, Setting::Top);
  Placement.Left = ReadInt(doc, Setting::Left);
  Placement.Height = ReadInt(doc, Setting::Height);
  Placement.Width = ReadInt(doc, Setting::Width);
  Placement.Maximized = ReadInt(doc, Setting::Maximized) != 0;
  if (LanguageIndex < 0) LanguageIndex = platform_.UserDefaultLcid() == kJapaneseLcid ? 0 : 1;
  C(Ctl::EditConfigFolder).Text = ReadText(doc, Setting::SetupFolder);
  C(Ctl::EditBackupFolder).Text = ReadText(doc, Setting::BackupFolder);
  SelectionsFolder = ReadText(doc, Setting::SelectionsFolder);
}

void TForm1::SaveSettings() {
  const std::string location = SettingsLocation();
  std::string content;
  const FileStatus state = ReadSettingsSource(location, content);
  if (location == PortableSettingsPath() && !PortableSettings()) {
    // No user folder to go to: nothing is left in a system folder.
    throw HandlerError(FormatPath(ShellTextOf(ShellText::CannotWrite, LanguageIndex), location));
  }
  // Writing over a file whose content could not be read would lose whatever it holds. Something
  // that is no file at all (a folder in its place) could not be written either, and is reported so.
  if (!state.ok() && state.code != FileCode::Missing) {
    const ShellText text =
        CanWriteAtomically(location) ? ShellText::SettingsUnreadable : ShellText::CannotWrite;
    throw HandlerError(FormatPath(ShellTextOf(text, LanguageIndex), location));
  }
  IniDocument doc = IniDocument::Parse(content);
  Write(doc, Setting::Language, std::to_string(LanguageIndex));
  Write(doc, Setting::Top, std::to_string(Placement.Top));
  Write(doc, Setting::Left, std::to_string(Placement.Left));
  Write(doc, Setting::Height, std::to_string(Placement.Height));
  Write(doc, Setting::Width, std::to_string(Placement.Width));
  Write(doc, Setting::Maximized, Placement.Maximized ? "1" : "0");
  Write(doc, Setting::SetupFolder, QuoteProfileValue(C(Ctl::EditConfigFolder).Text));
  Write(doc, Setting::BackupFolder, QuoteProfileValue(C(Ctl::EditBackupFolder).Text));
  if (!SelectionsFolder.empty()) {
    Write(doc, Setting::SelectionsFolder, QuoteProfileValue(SelectionsFolder));
  }
  // The user's configuration folder may not exist yet; the executable's folder is never made.
  const auto slash = location.rfind('/');
  if (location != PortableSettingsPath() && slash != std::string::npos && slash > 0) {
    // A failure shows as the failed save below.
    static_cast<void>(CreateFolders(location.substr(0, slash)));
  }
  // The reason stays out of the message: the path is what the user can act on.
  if (!doc.Save(location).ok()) {
    throw HandlerError(FormatPath(ShellTextOf(ShellText::CannotWrite, LanguageIndex), location));
  }
}

}  // namespace wisetup
