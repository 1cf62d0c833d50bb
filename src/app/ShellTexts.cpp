#include "app/ShellTexts.h"

#include <array>

#include "app/UiTexts.h"

namespace wisetup {
namespace {

const std::array<UiTextPair, static_cast<std::size_t>(ShellText::Count)> kShellTexts = {{
    {"%s に書き込めません", "Cannot write %s."},
    {"%s を読み出せないため、設定を保存しませんでした。",
     "The settings were not saved because %s cannot be read."},
    {"%s に溶接機の種類（A_KIND）がありません。", "%s registers no welder kind (A_KIND)."},
    {"溶接モードのカタログが見つかりません。\n%s", "The welding mode catalogue was not found.\n%s"},
    {"カタログ未検出異常", "Catalogue not found"},
    {"ドロップできるのはフォルダ1つだけです。\nバックアップフォルダを1つドロップしてください。",
     "Only one folder can be dropped.\nPlease drop one backup folder."},
    {"バージョン %s", "Version %s"},
    {"ライセンス: プロプライエタリ (サービス用)", "Licence: proprietary, for service use"},
}};

}  // namespace

std::string ShellTextOf(ShellText text, int language) {
  return TextOf(kShellTexts[static_cast<std::size_t>(text)], language);
}

}  // namespace wisetup
