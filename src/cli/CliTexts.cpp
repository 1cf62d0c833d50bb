#include "cli/CliTexts.h"

#include <array>

#include "app/UiTexts.h"

namespace wisetup {
namespace {

const std::array<UiTextPair, static_cast<std::size_t>(CliText::Count)> kTexts = {{
    {"%s が存在します (上書きするには --overwrite を指定してください)",
     "%s exists (--overwrite replaces it)"},
    {"このバックアップフォルダは前の組でも指定されています", "this backup folder is given twice"},
    {"セットアップフォルダ %s は別の組でも指定されています",
     "the setup folder %s is given for another backup too"},
    {"バックアップフォルダを読み込めませんでした", "the backup folder could not be loaded"},
    {"%d 組: 作成 %d、拒否 %d、一部のみ新しい内容 %d",
     "%d pairs: %d done, %d refused, %d left part new"},
    {"元に戻す作成がありません。", "There is no Create Files to undo."},
    {"wisetup: 選択内容ファイル %1 を使用できません: %2",
     "wisetup: the selections file %1 cannot be used: %2"},
    {"使い方:", "Usage:"},
    {"オプション:", "Options:"},
    {"コマンド (画面なしで実行します):", "Commands (no display needed):"},
    {"ロボット制御装置のバックアップから溶接電源インターフェース(デジタル)"
     "基板のセットアップファイル"
     "を作成します。\nコマンドを指定しないとウィンドウを開きます。設定は wisetup.INI "
     "に保存します。",
     "Prepares the setup file of a digital welding interface board from a robot controller "
     "backup.\nWithout a command the window opens; settings are kept in wisetup.INI."},
    {"  -h, --help     この説明を表示する\n  -v, --version  バージョンを表示する",
     "  -h, --help     prints this help\n  -v, --version  prints the version"},
    {"詳しくは 'wisetup %1 --help' を参照してください。", "'wisetup %1 --help' tells more."},
    {"wisetup: 不明なコマンドです: %1", "wisetup: unknown command: %1"},
    {"wisetup: 不明なオプションです: %1", "wisetup: unknown option: %1"},
    {"wisetup: 余分な引数です: %1", "wisetup: unexpected argument: %1"},
    {"wisetup: %1 が 2 回指定されています", "wisetup: %1 is given twice"},
    {"wisetup: %1 の値がありません", "wisetup: %1 lacks its value"},
    {"wisetup: %1 は %2 の後に指定してください", "wisetup: %1 must follow %2"},
    {"wisetup: %1 の後に %2 を指定してください", "wisetup: %1 needs %2 after it"},
    {"wisetup: %1 を指定してください", "wisetup: %1 is required"},
    {"wisetup: --language には ja か en を指定してください: %1",
     "wisetup: --language takes ja or en: %1"},
    {"%1: 作成しました (ファイル %2 個、作成記録 %3)", "%1: created, %2 files, report %3"},
    {"%1: 作成しませんでした", "%1: refused"},
    {"%1: 変更確認", "%1: previewed"},
    {"%1: 一部のファイルが新しい内容のままです", "%1: left part new"},
    {"ラインの引き渡し", "Line handover"},
    {"選択内容ファイル: %1", "Selections file: %1"},
    {"ラインの確認", "Line check"},
    {"%1 → %2: %3", "%1 → %2: %3"},
    {"作成しました", "created"},
    {"変更確認のみ", "previewed"},
    {"作成しませんでした", "refused"},
    {"一部のファイルが新しい内容のままです", "left part new"},
    {"wisetup: PDF %1 を書き込めませんでした: %2", "wisetup: the PDF %1 was not written: %2"},
    {"  セットアップフォルダ %1 を作成しました", "  created the setup folder %1"},
    {"セットアップフォルダを作成するフォルダ %1 がありません",
     "the folder %1, in which the setup folder would be made, does not exist"},
    {"セットアップフォルダ %1 を作成できません (%2)", "the setup folder %1 cannot be made (%2)"},
    {"%1 は %3 にバックアップフォルダ %2 から作成されたものです (置き換えるには "
     "--replace-other-backup を指定してください)",
     "%1 was made from the backup folder %2 on %3 (--replace-other-backup replaces it)"},
    {"%1: %2 個のファイルを戻し、%3 個を削除しました (作成時に新しく作られたファイルです) — %4 "
     "の作成",
     "%1: restored %2 files, removed %3 (they were new) — run %4"},
    {"%1: 作成後に変更されているため、そのままにしました", "%1: changed since, left as it is"},
    {"%1: 戻せませんでした", "%1: not restored"},
    {"%1 回の作成: 元に戻した %2、そのまま %3", "%1 runs: %2 put back, %3 left as they are"},
    {"%d 組: 作成 %d、拒否 %d、一部のみ新しい内容 %d",
     "%d pair: %d done, %d refused, %d left part new"},
    {"最後まで読み出せません", "it could not be read whole"},
    {"wisetup: %1 にはカタログ (WeldingMode フォルダ) がありません",
     "wisetup: %1 holds no catalogue (no WeldingMode folder)"},
}};

}  // namespace

std::string CliTextOf(CliText text, int language) {
  const UiTextPair& pair = kTexts[static_cast<std::size_t>(text)];
  return language == 0 ? pair.japanese : pair.english;
}

}  // namespace wisetup
