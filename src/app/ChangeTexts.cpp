#include "app/ChangeTexts.h"

#include <array>

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

std::string FileChangeText(const FileChange& file, int language) {
  auto text = [language](ChangeText t) { return ChangeTextOf(t, language); };
  const ChangeText heading = file.state == FileState::New       ? ChangeText::StateNew
                             : file.state == FileState::Changed ? ChangeText::StateChanged
                                                                : ChangeText::StateUnchanged;
  std::string out = FillText(text(heading), {file.path}) + "\n";
  const bool setup = file.kind == ComposedKind::SetupFile;
  if (file.state == FileState::Unchanged) {
    return out + text(setup ? ChangeText::SetupUnchanged : ChangeText::TableUnchanged) + "\n";
  }
  if (setup && file.state == FileState::New) return out + text(ChangeText::NewSetupFile) + "\n";
  if (setup && file.keys.empty()) out += text(ChangeText::SetupNoKeys) + "\n";
  for (const KeyChange& key : file.keys) {
    const std::string old = key.oldValue.empty() ? text(ChangeText::Absent) : key.oldValue;
    out += FillText(text(ChangeText::KeyChange), {key.key, old, key.newValue}) + "\n";
  }
  for (const RecordChange& change : file.record) out += RecordChangeLine(change, language) + "\n";
  return out;
}

std::string RecordChangeLine(const RecordChange& change, int language) {
  if (change.field.empty()) {
    return FillText(ChangeTextOf(ChangeText::ByteRun, language),
                    {std::to_string(change.offset), std::to_string(change.length)});
  }
  return FillText(ChangeTextOf(ChangeText::FieldChange, language),
                  {change.field, std::to_string(change.oldValue), std::to_string(change.newValue)});
}

std::string ChangeListText(const ChangeList& list, int language, const std::string& setupNote) {
  std::string out;
  for (const FileChange& file : list.files) {
    std::string block = FileChangeText(file, language);
    if (file.kind == ComposedKind::SetupFile && !setupNote.empty()) {
      block.insert(block.find('\n') + 1, setupNote + "\n");
    }
    out += block;
  }
  out += "\n" +
         FillText(ChangeTextOf(ChangeText::Summary, language),
                  {std::to_string(list.files.size()), std::to_string(list.ChangedCount())}) +
         "\n";
  return out;
}

}  // namespace wisetup
