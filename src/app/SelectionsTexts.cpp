#include "app/SelectionsTexts.h"

#include <array>

#include "records/WelderKinds.h"

namespace wisetup {
namespace {

const std::array<UiTextPair, static_cast<std::size_t>(SelectionsText::Count)> kSelectionsTexts = {{
    {"選択内容を保存(&P)...", "Save selections(&P)..."},
    {"選択内容を適用(&A)...", "Apply selections(&A)..."},
    {"選択内容ファイル|*.selections.ini", "Selections file|*.selections.ini"},
    {"選択内容ファイル異常", "Wrong selections file"},
    {"%s は選択内容ファイルとして使えません。何も変更していません。",
     "%s cannot be used as a selections file. Nothing was changed."},
    {"選択内容の適用", "Apply selections"},
    {"選択内容を適用しました。", "The selections were applied."},
    {"%s はバックアップフォルダまたはセットアップフォルダの中です。選択内容ファイルは別のフォルダに"
     "保存してください。",
     "%s lies in the backup folder or the setup folder. Please save the selections file in another "
     "folder."},
    {"次の選択内容は適用できませんでした。それ以外は適用しました。",
     "These selections could not be applied; everything else was applied."},
    {"選択内容の保存", "Save selections"},
    {"選択内容を保存しました。次の登録は溶接モードがカタログに見つからないため、含まれていません。",
     "The selections were saved. These registrations are left out: their welding mode was not "
     "found in the catalogue."},
    {"溶接機 %1 登録 %2", "Welder %1, registration %2"},
    {"選択内容を %s に保存しました。", "Selections saved to %s."},
    {"次の溶接モードはテーブルのない登録で選択されているため、保存していません:",
     "These modes were left out: they are chosen where no table is registered."},
    {"選択内容を適用", "Apply selections"},
}};

// Every "{name}" of `text` replaced by its value.
std::string Fill(std::string text,
                 std::initializer_list<std::pair<std::string_view, std::string>> values) {
  for (const auto& [name, value] : values) {
    const std::string token = "{" + std::string(name) + "}";
    for (std::size_t at = 0; (at = text.find(token, at)) != std::string::npos; at += value.size()) {
      text.replace(at, token.size(), value);
    }
  }
  return text;
}

std::string Pick(int language, const char* japanese, const char* english) {
  return language == 0 ? japanese : english;
}

}  // namespace

std::string SelectionsTextOf(SelectionsText text, int language) {
  return TextOf(kSelectionsTexts[static_cast<std::size_t>(text)], language);
}

std::string SelectionsProblemText(const SelectionsProblem& p, int language) {
  const std::string where = "[" + p.section + "]" + (p.key.empty() ? "" : " " + p.key);
  std::string text;
  switch (p.fault) {
    case SelectionsFault::NotSelections:
      text =
          Pick(language, "選択内容ファイルではありません ([Selections] に Version がありません)。",
               "It is not a selections file (no Version in [Selections]).");
      break;
    case SelectionsFault::LaterVersion:
      text =
          Pick(language,
               "新しい形式 (Version={n}) のファイルです。この版が読めるのは Version={v} までです。",
               "It was written in a later format (Version={n}); this version reads up to "
               "Version={v}.");
      break;
    case SelectionsFault::CutShort:
      text = Pick(language, "ファイルが途中で切れています ([End] がありません)。",
                  "The file is cut short (no [End]).");
      break;
    case SelectionsFault::Duplicated:
      text = Pick(language, "{where} が2回あります。", "{where} occurs twice.");
      break;
    case SelectionsFault::NoSuchWelder:
      text = Pick(language, "{where}: 溶接機の番号は1から{w}までです。",
                  "{where}: welders are numbered 1 to {w}.");
      break;
    case SelectionsFault::NoSuchRegistration:
      text = Pick(language, "{where}: 登録の番号は1から{r}までです。",
                  "{where}: registrations are numbered 1 to {r}.");
      break;
    case SelectionsFault::NoWelderSection:
      text = Pick(language, "{where} の溶接機のセクションがありません。",
                  "{where} has no section for its welder.");
      break;
    case SelectionsFault::MissingKey:
      text = Pick(language, "{where} がありません。", "{where} is missing.");
      break;
    case SelectionsFault::BadValue:
      text = Pick(language, "{where} の値が不正です。", "{where} holds a value that is not valid.");
      break;
    case SelectionsFault::BadEntryName:
      text = Pick(language, "{where} はカタログのフォルダの外を指します。",
                  "{where} names a file outside the catalogue folder.");
      break;
  }
  // The file's own words go in last, so that braces in them are never taken for a placeholder.
  return Fill(text, {{"n", std::to_string(p.number)},
                     {"v", std::to_string(kSelectionsVersion)},
                     {"w", std::to_string(kWelders)},
                     {"r", std::to_string(kRegistrations)},
                     {"where", where}});
}

std::string MatchProblemText(const MatchProblem& p, int language) {
  const std::string welder = Pick(language, "溶接機", "WPS") + std::to_string(p.welder + 1);
  const std::string registration =
      welder + " " + Pick(language, "登録", "Register") + std::to_string(p.registration + 1);
  std::string text;
  switch (p.fault) {
    case MatchFault::KindDiffers:
      text =
          Pick(language, "{welder}: ファイルの溶接機 ({a}) とロボット側の溶接機 ({b}) が違います。",
               "{welder}: the file's WPS ({a}) is not the WPS registered in RC ({b}).");
      break;
    case MatchFault::ModelRefused:
      text = Pick(language, "{welder}: {entry} はロボット側の溶接機 ({b}) に接続できません。",
                  "{welder}: {entry} cannot be connected to the WPS registered in RC ({b}).");
      break;
    case MatchFault::EntryMissing:
      text = Pick(language, "{registration}: {entry} はこのカタログにありません。",
                  "{registration}: {entry} is not in this catalogue.");
      break;
    case MatchFault::TemplateChanged:
      text = Pick(language, "{registration}: {entry} はファイルの保存後に変更されています。",
                  "{registration}: {entry} has changed since the file was saved.");
      break;
    case MatchFault::NoTable:
      text = Pick(language, "{registration}: このバックアップには溶接テーブルがありません。",
                  "{registration}: this backup has no welding table for it.");
      break;
  }
  return Fill(text, {{"welder", welder},
                     {"registration", registration},
                     {"a", std::string(WelderKindName(p.fileKind, language))},
                     {"b", std::string(WelderKindName(p.backupKind, language))},
                     {"entry", p.entry}});
}

}  // namespace wisetup
