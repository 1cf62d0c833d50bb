// The bilingual texts of saving and applying a selections file: the dialog filter, the reason a
// file is refused, and one line per choice that could not be applied.
#pragma once

#include <string>

#include "app/UiTexts.h"
#include "selections/Selections.h"

namespace wisetup {

inline constexpr UiTextPair kSelectionsFilter{"選択内容ファイル|*.selections.ini",
                                              "Selections file|*.selections.ini"};
inline constexpr UiTextPair kSelectionsRefusedCaption{"選択内容ファイル異常",
                                                      "Wrong selections file"};
// "%s": the file; the reason follows on the next line.
inline constexpr UiTextPair kSelectionsRefusedText{
    "%s は選択内容ファイルとして使えません。何も変更していません。",
    "%s cannot be used as a selections file. Nothing was changed."};
inline constexpr UiTextPair kSelectionsApplyCaption{"選択内容の適用", "Apply selections"};
inline constexpr UiTextPair kSelectionsAppliedText{"選択内容を適用しました。",
                                                   "The selections were applied."};
// A save into the folders that go to the robot controller or the board.
inline constexpr UiTextPair kSelectionsNotThereText{
    "%s "
    "はバックアップフォルダまたはセットアップフォルダの中です。選択内容ファイルは別のフォルダに保存"
    "してください。",
    "%s lies in the backup folder or the setup folder. Please save the selections file in another "
    "folder."};
// Heads the list of what could not be applied.
inline constexpr UiTextPair kSelectionsPartlyText{
    "次の選択内容は適用できませんでした。それ以外は適用しました。",
    "These selections could not be applied; everything else was applied."};

// Why a file was refused, one line.
std::string SelectionsProblemText(const SelectionsProblem& problem, int language);

// One line naming the welder (and registration) and why that choice could not be applied.
std::string MatchProblemText(const MatchProblem& problem, int language);

}  // namespace wisetup
