#include "cli/CliTexts.h"

#include <array>

#include "app/UiTexts.h"

namespace wisetup {
namespace {

const std::array<UiTextPair, static_cast<std::size_t>(CliText::Count)> kTexts = {{
    {"使い方:\n"
     "  wisetup apply --selections FILE --backup DIR --setup DIR [--backup DIR --setup DIR]...\n"
     "                [--overwrite] [--preview] [--language ja|en]\n"
     "  wisetup undo [--language ja|en]",
     "Usage:\n"
     "  wisetup apply --selections FILE --backup DIR --setup DIR [--backup DIR --setup DIR]...\n"
     "                [--overwrite] [--preview] [--language ja|en]\n"
     "  wisetup undo [--language ja|en]"},
    {"%s が存在します (上書きするには --overwrite を指定してください)",
     "%s exists (--overwrite replaces it)"},
    {"このバックアップフォルダは前の組でも指定されています", "this backup folder is given twice"},
    {"セットアップフォルダ %s は別の組でも指定されています",
     "the setup folder %s is given for another backup too"},
    {"バックアップフォルダを読み込めませんでした", "the backup folder could not be loaded"},
    {"%d 組: 作成 %d、拒否 %d、一部のみ新しい内容 %d",
     "%d pairs: %d done, %d refused, %d left part new"},
    {"元に戻す作成がありません。", "There is no Create Files to undo."},
    {"選択内容ファイル %s を使用できません:", "The selections file %s cannot be used:"},
}};

}  // namespace

std::string CliTextOf(CliText text, int language) {
  const UiTextPair& pair = kTexts[static_cast<std::size_t>(text)];
  return language == 0 ? pair.japanese : pair.english;
}

}  // namespace wisetup
