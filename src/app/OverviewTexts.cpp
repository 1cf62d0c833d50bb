#include "app/OverviewTexts.h"

#include <array>

namespace wisetup {
namespace {

const std::array<UiTextPair, static_cast<std::size_t>(OverviewText::Count)> kOverviewTexts = {{
    {"全体表示(&O)...", "Overview(&O)..."},
    {"全体表示", "Overview"},
    {"全体表示 - 参照モード（セットアップファイルの選択内容、読み取り専用）",
     "Overview - reference mode (the setup file's choices, read-only)"},
    {"登録", "Registration"},
    {"テーブル", "Table"},
    {"状態", "State"},
    {"－", "-"},
    {"準備完了 {ready}　要選択 {todo}　問題 {problems}",
     "Ready: {ready}   To do: {todo}   Problems: {problems}"},
    {"{welder}：{kind}　{model}　{area}", "{welder}: {kind}, {model}, {area}"},
    {"行をダブルクリックするか Enter キーを押すと、メイン画面がその登録に移動します。",
     "Double-click a row or press Enter to go to that registration in the main window."},
    {"閉じる", "Close"},
    {"登録の一覧", "Registrations"},
    {"集計", "Counts"},
    {"操作の説明", "How to use"},
}};

const std::array<UiTextPair, kRegistrationStateCount> kStateTexts = {{
    {"テーブル読込不可", "Table unreadable"},
    {"機種未選択", "No model"},
    {"モード未選択", "No mode"},
    {"溶接法不一致", "Methods differ"},
    {"特性データ読込不可", "Characteristic data unreadable"},
    {"準備完了", "Ready"},
}};

}  // namespace

std::string OverviewTextOf(OverviewText text, int language) {
  return TextOf(kOverviewTexts[static_cast<std::size_t>(text)], language);
}

std::string StateTextOf(RegistrationState state, int language) {
  return TextOf(kStateTexts[static_cast<std::size_t>(state)], language);
}

std::string FillIn(std::string text, const std::string& name, const std::string& value) {
  const std::string token = "{" + name + "}";
  for (std::size_t at = 0; (at = text.find(token, at)) != std::string::npos; at += value.size())
    text.replace(at, token.size(), value);
  return text;
}

}  // namespace wisetup
