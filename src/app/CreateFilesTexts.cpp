#include "app/CreateFilesTexts.h"

#include <algorithm>
#include <array>

#include "app/UiTexts.h"

namespace wisetup {
namespace {

const std::array<UiTextPair, static_cast<std::size_t>(CreateFilesText::Count)> kCreateFilesTexts = {
    {
        {"ファイル作成異常", "Files not created"},
        {"セットアップファイルを作成できませんでした。ファイルは変更していません。",
         "The setup files were not created. No file was changed."},
        {"セットアップファイルを作成できませんでした。次のファイルは新しい内容のままです。",
         "The setup files were not created. These files hold their new content:"},
        {"作成前のファイルは %s に保存しました。", "The previous files are kept in %s."},
        {"履歴の保存先がありません (HOME が設定されていません)",
         "no place for the history (HOME is not set)"},
        {"直前の作成で変更した次の %d 個のファイルを作成前の内容に戻しますか？",
         "Restore these %d files changed by the last Create Files?"},
        {"%3 の作成 (バックアップフォルダ %4) を元に戻しました: %1 個のファイルを戻し、%2 "
         "個を削除しました (作成時に新しく作られたファイルです)。",
         "Run of %3 (backup folder %4) undone: %1 files restored, %2 removed (they were new)."},
        {"次のファイルは作成後に変更されているため、戻していません。",
         "These files were changed since and were left as they are:"},
        {"作成前のファイルに戻せませんでした。ファイルは変更していません。",
         "The files were not restored. No file was changed."},
        {"作成前のファイルに戻せませんでした。次のファイルは元の状態に戻せませんでした。",
         "The files were not restored. These files could not be set back as they were:"},
        {"復元異常", "Not restored"},
        {"元に戻した記録を保存できなかったため、この作成はもう一度「元に戻す」の対象になります。",
         "The restore could not be recorded, so this run will be offered for restoring again."},
        {"次のファイルは置き換えられなかったため、元の内容のままです:",
         "This file could not be replaced and holds its old content:"},
        {"作成は次の箇所で中断しました:", "The run stopped at:"},
        {"前回の作成（%s）は途中で終了しました。新しい内容のファイルが %d 個あります（全 %d "
         "個）。作成前の"
         "ファイルに戻しますか？",
         "The last Create Files (%s) did not finish: %d of its %d files hold their new content. "
         "Put "
         "the "
         "previous files back?"},
        {"前回の作成（%"
         "s）は途中で終了しましたが、その記録を確認できないため、ファイルは変更していません。",
         "The last Create Files (%s) did not finish, and it cannot be checked, so no file was "
         "changed."},
        {"次のファイルは作成後に変更されているため、戻しません:",
         "These files changed since and will be left as they are:"},
        {"バックアップ未読込", "No backup loaded"},
        {"バックアップフォルダが読み込まれていません。\nロボット制御装置のバックアップフォルダを選"
         "択し"
         "てください。",
         "No backup folder is loaded.\nPlease select the backup folder of the robot controller."},
        {"作成日時: %s", "Created: %s"},
        {"これらのファイルは現在読み込んでいるバックアップフォルダのものではありません。",
         "These files are not in the backup folder now loaded."},
        {"このバックアップフォルダは別のウィンドウ（プロセス %d）でも開かれています。",
         "This backup folder is also open in another window (process %d)."},
        {"同時使用", "Opened twice"},
        {"バックアップフォルダ: %s", "Backup folder: %s"},
        {"次のファイルは作成時に新しく作られたため、削除します:",
         "These files were new and will be removed:"},
        {"%1 は %3 にバックアップフォルダ %2 から作成されたものです。\n"
         "現在読み込んでいるバックアップフォルダは %4 です。\n"
         "このバックアップフォルダのセットアップファイルで置き換えますか？",
         "%1 was made from the backup folder %2 on %3.\n"
         "The backup folder now loaded is %4.\n"
         "Replace it with the setup file of this backup?"},
        {"別のバックアップのセットアップファイル", "Setup file of another backup"},
        {"変更確認を表示できません。ファイルは書き込んでいません。",
         "The preview cannot be shown. No file was written."},
        {"  %1 の溶接モード「%2」がこのデータを使います", "  %1 needs it for the mode \"%2\""},
        {"次のいずれかを行ってください:", "What can be done:"},
        {"  ・その登録で別の溶接モードを選択する", "  - choose another mode on that tab"},
        {"  ・%2 の「%1」のチェックを外す", "  - clear \"%1\" for %2"},
        {"  ・カタログの %1 を元に戻す", "  - restore %1 in the catalogue"},
    }};

}  // namespace

std::string CreateFilesTextOf(CreateFilesText text, int language) {
  return TextOf(kCreateFilesTexts[static_cast<std::size_t>(text)], language);
}

std::string ReasonText(FileCode code, int language) {
  // One row per FileCode, in its order.
  static constexpr UiTextPair kReasons[] = {
      {"ありません", "missing"},  // Ok: never shown as a problem
      {"ありません", "missing"},
      {"読み込み時に読み出せませんでした", "could not be read at load"},
      {"開けません", "cannot be opened"},
      {"読み出せません", "cannot be read"},
      {"シンボリックリンクです", "is a symbolic link"},
      {"通常のファイルではありません", "is not a regular file"},
      {"読み取り専用です", "is read-only"},
      {"フォルダがありません", "folder missing"},
      {"フォルダに書き込めません", "folder is read-only"},
      {"ディスクがいっぱいです", "disk full"},
      {"書き込めません", "cannot be written"},
      {"置き換えられません", "cannot be replaced"},
      {"作成できません", "cannot be created"},
      {"元に戻せません", "could not be put back"},
      {"記録 (manifest.txt) を読み出せません", "its record (manifest.txt) cannot be read"},
      {"特性データを読み出せませんでした", "characteristic data could not be read"},
      {"読み込み後に変更されています", "changed on disk since it was loaded"},
      {"読み取り専用のメディアです", "the medium is read-only"},
  };
  static_assert(std::size(kReasons) == static_cast<std::size_t>(FileCode::MediumReadOnly) + 1);
  return TextOf(kReasons[static_cast<std::size_t>(code)], language);
}

std::string FormatCount(const std::string& format, std::size_t value) {
  std::string out = format;
  const auto at = out.find("%d");
  if (at != std::string::npos) out.replace(at, 2, std::to_string(value));
  return out;
}

std::string ProblemList(const std::string& header, const std::vector<FileStatus>& issues,
                        int language) {
  std::string out = header;
  std::vector<std::string> lines;
  for (const FileStatus& issue : issues) {
    std::string line = issue.path + ": " + ReasonText(issue.code, language);
    // The system's own words, as it gives them in either language.
    if (!issue.reason.empty()) line += " (" + issue.reason + ")";
    if (std::find(lines.begin(), lines.end(), line) != lines.end()) continue;
    out += "\n" + line;
    lines.push_back(std::move(line));
  }
  return out;
}

}  // namespace wisetup
