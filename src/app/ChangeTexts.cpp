#include "app/ChangeTexts.h"

#include <array>

#include "app/ShellTexts.h"
#include "app/UiTexts.h"

namespace wisetup {
namespace {

const std::array<UiTextPair, static_cast<std::size_t>(ChangeText::Count)> kTexts = {{
    {"変更確認", "Preview"},
    {"作成記録を表示(&T)...", "Show last report(&T)..."},
    {"変更確認", "Preview of Create Files"},
    {"作成記録", "Report of Create Files"},
    {"%1 — 新規作成", "%1 — new"},
    {"%1 — 変更あり", "%1 — changed"},
    {"%1 — 変更なし", "%1 — unchanged"},
    {"  新しいファイルです。すべてのキーを書き込みます。", "  A new file; every key is written."},
    {"  このファイルは変更されません。", "  This file does not change."},
    {"  値が変わるキーはありません (重複したキーを整理します)。",
     "  No key changes its value (duplicated keys are tidied up)."},
    {"  このテーブルは変更されません。", "  This table does not change."},
    {"  %1: %2 → %3", "  %1: %2 → %3"},
    {"  %1: %2 → %3", "  %1: %2 → %3"},
    {"  オフセット %1 から %2 バイト", "  bytes at %1 (length %2)"},
    {"(なし)", "(none)"},
    {"書き込むファイル %1 個のうち、内容が変わるのは %2 個です。",
     "%1 files are written; %2 of them change."},
    {"書き込むファイル %1 個のうち、内容が変わるのは %2 個です。",
     "%1 files are written; 1 of them changes."},
    {"書き込むファイル %1 個のうち、内容が変わるのは %2 個です。",
     "1 file is written; it changes."},
    {"書き込むファイル %1 個のうち、内容が変わるのは %2 個です。",
     "1 file is written; it does not change."},
    {"セットアップファイル作成記録", "Report of Create Files"},
    {"日時: %1", "Date and time: %1"},
    {"プログラムのバージョン: %1", "Program version: %1"},
    {"バックアップフォルダ: %1", "Backup folder: %1"},
    {"セットアップファイルの保存先: %1", "Setup folder: %1"},
    {"ロボットコントローラ: %1", "Robot controller: %1"},
    {"溶接機 %1: %2", "Welder %1: %2"},
    {"  機種: %1", "  Model: %1"},
    {"  地域: %1", "  Area: %1"},
    {"  溶接特性の引継ぎ: %1", "  Take over welding characteristics: %1"},
    {"する", "yes"},
    {"しない", "no"},
    {"  テーブル %1", "  Table %1"},
    {"    ロボット側: %1", "    Robot side: %1"},
    {"    溶接モード: %1", "    Welding mode: %1"},
    {"(未選択)", "(none chosen)"},
    {"変更内容:", "Changes:"},
    {"取り消し済み: この作成はその後元に戻されました。ファイルは作成前の内容です。",
     "UNDONE: this run was undone later; its files hold their previous content again."},
    {"作成記録を書き込めませんでした: %1", "The report could not be written: %1"},
    {"コピー", "Copy"},
    {"保存...", "Save..."},
    {"印刷...", "Print..."},
    {"PDF 出力...", "Export PDF..."},
    {"閉じる", "Close"},
    {"テキストファイル (*.txt)", "Text files (*.txt)"},
    {"PDF ファイル (*.pdf)", "PDF files (*.pdf)"},
    {"  このファイルは %2 にバックアップフォルダ %1 から作成されたものです (現在のバックアップでは"
     "ありません)。",
     "  made from %1 on %2 (not the backup now loaded)"},
    {"%1 — テーブル %2", "%1 — table %2"},
    {"  ファイル: %1", "  File: %1"},
    {"  %1", "  %1"},
    {"  新しいファイルです。次のキーをすべて書き込みます:",
     "  A new file; every key below is written:"},
    {"  [%1]", "  [%1]"},
    {"    %1=%2", "    %1=%2"},
    {"テーブルのない登録で選択された溶接モード (使われません):",
     "Modes chosen where no table is registered (not used):"},
    {"  %1: %2", "  %1: %2"},
    {"%1 / %2 ページ", "page %1 of %2"},
    {"%1 に保存しました。", "Saved to %1."},
    {"%1 行をコピーしました。", "%1 lines copied."},
}};

}  // namespace

std::string ChangeTextOf(ChangeText text, int language) {
  return TextOf(kTexts[static_cast<std::size_t>(text)], language);
}

std::string FillText(const std::string& format, std::initializer_list<std::string> args) {
  std::string out;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char next = i + 1 < format.size() ? format[i + 1] : '\0';
    if (format[i] == '%' && next >= '1' && next <= '9' &&
        static_cast<std::size_t>(next - '1') < args.size()) {
      out += *(args.begin() + (next - '1'));
      ++i;
    } else {
      out += format[i];
    }
  }
  return out;
}

DocumentView DocumentViewOf(std::string title, std::string text, std::string fileName,
                            std::vector<std::string> heading, int language) {
  auto t = [language](ChangeText row) { return ChangeTextOf(row, language); };
  return {std::move(title),
          std::move(text),
          std::move(fileName),
          t(ChangeText::DialogCopy),
          t(ChangeText::DialogSave),
          t(ChangeText::DialogPrint),
          t(ChangeText::DialogPdf),
          t(ChangeText::DialogClose),
          t(ChangeText::TextFilter),
          t(ChangeText::PdfFilter),
          ShellTextOf(ShellText::CannotWrite, language),
          std::move(heading),
          t(ChangeText::PageOf),
          t(ChangeText::Saved),
          t(ChangeText::LinesCopied)};
}

namespace {

std::string StateLine(FileState state, const std::string& subject, int language) {
  const ChangeText row = state == FileState::New       ? ChangeText::StateNew
                         : state == FileState::Changed ? ChangeText::StateChanged
                                                       : ChangeText::StateUnchanged;
  return FillText(ChangeTextOf(row, language), {subject}) + "\n";
}

// The heading of a file: a table names its registrations and number, with its path beneath.
std::string FileHeading(const FileChange& file, const ChangeHeading& heading, int language) {
  auto text = [language](ChangeText t) { return ChangeTextOf(t, language); };
  const auto table = heading.tables.find(file.path);
  if (file.kind == ComposedKind::SetupFile && !heading.setupNote.empty()) {
    return StateLine(file.state, file.path, language) + heading.setupNote + "\n";
  }
  if (file.kind != ComposedKind::Table || table == heading.tables.end()) {
    return StateLine(file.state, file.path, language);
  }
  std::string names;
  for (const TableUse& use : table->second.uses) names += (names.empty() ? "" : ", ") + use.name;
  std::string out = StateLine(
      file.state,
      FillText(text(ChangeText::TableHeading), {names, std::to_string(table->second.number)}),
      language);
  for (const TableUse& use : table->second.uses) {
    out += FillText(text(ChangeText::UseName), {use.name}) + "\n";
    out += FillText(text(ChangeText::ReportRobotSide), {use.robotSide}) + "\n";
    out += FillText(text(ChangeText::ReportMode), {use.mode}) + "\n";
  }
  return out + FillText(text(ChangeText::TableFile), {file.path}) + "\n";
}

std::string ChangeLines(const FileChange& file, bool listKeys, int language) {
  auto text = [language](ChangeText t) { return ChangeTextOf(t, language); };
  const bool setup = file.kind == ComposedKind::SetupFile;
  if (file.state == FileState::Unchanged) {
    return text(setup ? ChangeText::SetupUnchanged : ChangeText::TableUnchanged) + "\n";
  }
  std::string out;
  if (setup && file.state == FileState::New) {
    if (!listKeys) return text(ChangeText::NewSetupFile) + "\n";
    out += text(ChangeText::NewSetupKeys) + "\n";
    for (const SectionKeys& section : file.written) {
      out += FillText(text(ChangeText::NewSetupSection), {section.section}) + "\n";
      for (const auto& [key, value] : section.keys) {
        out += FillText(text(ChangeText::NewSetupKey), {key, value}) + "\n";
      }
    }
    return out;
  }
  if (setup && file.keys.empty()) out += text(ChangeText::SetupNoKeys) + "\n";
  for (const KeyChange& key : file.keys) {
    const std::string old = key.oldValue.empty() ? text(ChangeText::Absent) : key.oldValue;
    out += FillText(text(ChangeText::KeyChange), {key.key, old, key.newValue}) + "\n";
  }
  for (const RecordChange& change : file.record) out += RecordChangeLine(change, language) + "\n";
  return out;
}

}  // namespace

std::string RecordChangeLine(const RecordChange& change, int language) {
  if (change.field.empty()) {
    return FillText(ChangeTextOf(ChangeText::ByteRun, language),
                    {std::to_string(change.offset), std::to_string(change.length)});
  }
  return FillText(ChangeTextOf(ChangeText::FieldChange, language),
                  {change.field, std::to_string(change.oldValue), std::to_string(change.newValue)});
}

std::string FileChangeText(const FileChange& file, int language) {
  return FileHeading(file, ChangeHeading{}, language) + ChangeLines(file, true, language);
}

std::string ChangeSummaryText(const ChangeList& list, const ChangeHeading& heading, int language) {
  auto text = [language](ChangeText t) { return ChangeTextOf(t, language); };
  const std::size_t files = list.files.size(), changed = list.ChangedCount();
  const ChangeText summary =
      files == 1     ? (changed == 1 ? ChangeText::SummaryOneFile : ChangeText::SummaryOneUnchanged)
      : changed == 1 ? ChangeText::SummaryOneChanges
                     : ChangeText::Summary;
  std::string out =
      FillText(text(summary), {std::to_string(files), std::to_string(changed)}) + "\n";
  if (!heading.backupFolder.empty()) {
    out += FillText(text(ChangeText::ReportBackup), {heading.backupFolder}) + "\n";
    out += FillText(text(ChangeText::ReportSetup), {heading.setupFolder}) + "\n";
  }
  if (!heading.notUsed.empty()) out += text(ChangeText::NotUsedHeading) + "\n";
  for (const auto& [name, mode] : heading.notUsed) {
    out += FillText(text(ChangeText::NotUsed), {name, mode}) + "\n";
  }
  return out;
}

std::string ChangeFilesText(const ChangeList& list, const ChangeHeading& heading, int language) {
  std::string out;
  for (const FileChange& file : list.files) {
    out += "\n" + FileHeading(file, heading, language) +
           ChangeLines(file, heading.newSetupKeys, language);
  }
  return out;
}

std::string ChangeListText(const ChangeList& list, const ChangeHeading& heading, int language) {
  return ChangeSummaryText(list, heading, language) + ChangeFilesText(list, heading, language);
}

std::string ChangeListText(const ChangeList& list, int language) {
  return ChangeListText(list, ChangeHeading{}, language);
}

}  // namespace wisetup
