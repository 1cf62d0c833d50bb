#include "app/Mainunit.h"
#include "app/UiTexts.h"
#include "platform/IniDocument.h"
#include "platform/PathMap.h"

namespace wisetup {
namespace {

constexpr std::size_t kMaxTextValue = 2047;
constexpr int kJapaneseLcid = 1041;

int ReadInt(const IniDocument& doc, const char* section, const char* key, int fallback) {
  const auto text = doc.Get(section, key);
  if (!text) return fallback;
  return ParseSettingsInt(*text).value_or(fallback);
}

std::string ReadText(const IniDocument& doc, const char* section, const char* key) {
  std::string text = doc.GetString(section, key, "");
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

}  // namespace

std::string TForm1::SettingsPath() const {
  std::string path = platform_.ExecutablePath();
  const auto slash = path.find_last_of("/\\");
  const auto dot = path.find_last_of('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) path.resize(dot);
  return path + ".INI";
}

void TForm1::LoadSettings() {
  const IniDocument doc = IniDocument::Load(MapPath(SettingsPath()));
  LanguageIndex = ReadInt(doc, "Settings", "Language", -1);
  Placement.Top = ReadInt(doc, "Settings", "Top", 100);
  Placement.Left = ReadInt(doc, "Settings", "Left", 100);
  Placement.Height = ReadInt(doc, "Settings", "Height", 440);
  Placement.Width = ReadInt(doc, "Settings", "Width", 860);
  if (LanguageIndex < 0) LanguageIndex = platform_.UserDefaultLcid() == kJapaneseLcid ? 0 : 1;
  C(Ctl::EditConfigFolder).Text = ReadText(doc, "Folder", "UPDATE");
  C(Ctl::EditBackupFolder).Text = ReadText(doc, "Folder", "BACKUP");
}

void TForm1::SaveSettings() {
  const std::string path = SettingsPath();
  const std::string nativePath = MapPath(path);
  IniDocument doc = IniDocument::Load(nativePath);
  doc.Set("Settings", "Language", std::to_string(LanguageIndex));
  doc.Set("Settings", "Top", std::to_string(Placement.Top));
  doc.Set("Settings", "Left", std::to_string(Placement.Left));
  doc.Set("Settings", "Height", std::to_string(Placement.Height));
  doc.Set("Settings", "Width", std::to_string(Placement.Width));
  doc.Set("Folder", "UPDATE", C(Ctl::EditConfigFolder).Text);
  doc.Set("Folder", "BACKUP", C(Ctl::EditBackupFolder).Text);
  if (!doc.Save(nativePath)) throw HandlerError(FormatPath(kCannotWriteFormat, path));
}

}  // namespace wisetup
