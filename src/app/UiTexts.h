// The bilingual text table of the user interface and the two language-dependent item lists.
#pragma once

#include <array>
#include <string>

namespace wisetup {

inline constexpr int kUiTextRows = 56;

struct UiTextPair {
  const char* japanese;
  const char* english;
};

extern const std::array<UiTextPair, kUiTextRows> UiTextTable;
extern const std::array<UiTextPair, 4> AreaItems;
extern const std::array<UiTextPair, 4> WelderNoItems;

// The text of `row` in `language` (0 Japanese, any other value English).
std::string UiTextOf(int row, int language);

// "%s" in `format` replaced by `arg` (the first occurrence).
std::string FormatPath(const std::string& format, const std::string& arg);

// Captions that are the same in both languages.
inline constexpr const char* kOpenErrorCaption = "File Open Error";
inline constexpr const char* kReadErrorCaption = "File Read Error";
inline constexpr const char* kWriteErrorCaption = "File Write Error";
// Texts of the window beyond the numbered table, in both languages like its rows.
// An error that escapes a handler when a profile file cannot be written.
inline constexpr UiTextPair kCannotWriteText{"%s に書き込めません", "Cannot write %s."};
// The settings file exists but cannot be read: it is left as it is rather than overwritten.
inline constexpr UiTextPair kSettingsUnreadableText{
    "%s を読み出せないため、設定を保存しませんでした。",
    "The settings were not saved because %s cannot be read."};
// No catalogue folder in any of the places searched (one per line in place of %s).
inline constexpr UiTextPair kCatalogueMissingText{"溶接モードのカタログが見つかりません。\n%s",
                                                  "The welding mode catalogue was not found.\n%s"};
inline constexpr UiTextPair kCatalogueMissingCaption{"カタログ未検出異常", "Catalogue not found"};
// Something other than one folder was dropped on the window.
inline constexpr UiTextPair kDropRefusedText{
    "ドロップできるのはフォルダ1つだけです。\nバックアップフォルダを1つドロップしてください。",
    "Only one folder can be dropped.\nPlease drop one backup folder."};
// Lines of the About box.
inline constexpr UiTextPair kAboutVersion{"バージョン %s", "Version %s"};
inline constexpr UiTextPair kAboutLicence{"ライセンス: プロプライエタリ (サービス用)",
                                          "Licence: proprietary, for service use"};

// The text of `pair` in `language` (0 Japanese, any other value English).
std::string TextOf(const UiTextPair& pair, int language);

}  // namespace wisetup
