#include "cli/CompareCommand.h"

#include "app/CompareTexts.h"
#include "survey/BackupCompare.h"

namespace wisetup {
namespace {

int RunCompare(const Arguments& arguments, CommandContext& context) {
  const BackupSnapshot a = ReadBackupSnapshot(AbsolutePath(arguments.operands.at(0)));
  const BackupSnapshot b = ReadBackupSnapshot(AbsolutePath(arguments.operands.at(1)));
  for (const BackupSnapshot* snapshot : {&a, &b}) {
    if (snapshot->ok()) continue;
    context.err << NotABackupLine(*snapshot, context.language) << "\n";
    return static_cast<int>(CompareOutcome::NotABackup);
  }
  const BackupComparison comparison = CompareBackups(a, b);
  for (const std::string& line : ComparisonLines(comparison, context.language)) {
    context.out << line << "\n";
  }
  return static_cast<int>(comparison.Outcome());
}

}  // namespace

const CommandSpec& CompareCommand() {
  static const CommandSpec command = {
      "compare",
      {"2 つのバックアップの溶接条件テーブルを溶接電源と登録番号ごとに比較する (何も書き込まない)",
       "compares the welding tables of two backups by welder and registration (writes nothing)"},
      {},
      {"終了コード: 0 同じ、1 違いがある、2 使い方の誤りまたはバックアップではないフォルダ",
       "Exit status: 0 the same, 1 they differ, 2 usage error or a folder that is not a backup"},
      RunCompare,
      {"BACKUP_A", "BACKUP_B"},
  };
  return command;
}

}  // namespace wisetup
