#include "survey/BackupCompare.h"

#include <filesystem>
#include <optional>
#include <span>
#include <system_error>

#include "backup/ConfigList.h"
#include "backup/TableFiles.h"
#include "platform/FileSystem.h"
#include "platform/PathMap.h"

namespace wisetup {
namespace {

TableForm FormOf(int kind) {
  return IsLongRcTableKind(kind) ? TableForm::Long : TableForm::Short;
}

std::size_t SizeOf(TableForm form) {
  return form == TableForm::Long ? RobotWeldTable::kLongSize : RobotWeldTable::kShortSize;
}

void ReadTables(BackupSnapshot& snapshot) {
  const std::string weld = WeldFolderPath(snapshot.folder);
  for (SnapshotWelder& welder : snapshot.welders) {
    if (welder.kind == kNotRegistered) continue;
    for (SnapshotTable& table : welder.tables) {
      if (table.number == -1) continue;
      table.path = weld + "/" + MapName(weld, TableFileName(table.number));
      std::string record(SizeOf(FormOf(welder.kind)), '\0');
      table.status = ReadRecordFile(
          table.path, std::span(reinterpret_cast<std::uint8_t*>(record.data()), record.size()));
      if (table.status.ok()) table.record = std::move(record);
    }
  }
}

bool BothRead(const SnapshotTable& a, const SnapshotTable& b) {
  return a.status.ok() && b.status.ok();
}

// The pair of one registration, or nothing when both sides are the same (or both have no table).
std::optional<RegistrationPair> PairOf(const SnapshotWelder& a, const SnapshotWelder& b,
                                       std::size_t r) {
  RegistrationPair pair;
  pair.registration = static_cast<int>(r);
  pair.kindA = a.kind;
  pair.kindB = b.kind;
  pair.a = a.kind == kNotRegistered ? SnapshotTable{} : a.tables[r];
  pair.b = b.kind == kNotRegistered ? SnapshotTable{} : b.tables[r];
  const bool inA = pair.a.number != -1, inB = pair.b.number != -1;
  if (!inA && !inB) return std::nullopt;
  if (!inB) {
    pair.state = PairState::OnlyInA;
  } else if (!inA) {
    pair.state = PairState::OnlyInB;
  } else if (!BothRead(pair.a, pair.b)) {
    pair.state = PairState::Unreadable;
  } else if (FormOf(a.kind) != FormOf(b.kind)) {
    pair.state = PairState::FormsDiffer;
  } else if (pair.a.record == pair.b.record) {
    return std::nullopt;
  } else {
    pair.state = PairState::Differs;
    pair.changes = CompareRecords(FormOf(a.kind), pair.a.record, pair.b.record);
  }
  return pair;
}

}  // namespace

BackupSnapshot ReadBackupSnapshot(const std::string& folder) {
  BackupSnapshot snapshot;
  snapshot.folder = folder;
  const std::string configPath = ConfigFilePath(folder);
  if (!FileExists(configPath)) {
    snapshot.fault = BackupFault::NoConfig;
    snapshot.status = Failure(FileCode::Missing, configPath);
    return snapshot;
  }
  std::string text;
  snapshot.status = ReadWholeFile(configPath, text);
  if (!snapshot.status.ok()) {
    snapshot.fault = BackupFault::ConfigUnreadable;
    return snapshot;
  }
  snapshot.status.path = configPath;
  const ArcWelderConfigRead read = ParseArcWelderConfig(text);
  if (!read.config) {
    snapshot.fault = read.noKind ? BackupFault::NoWelderKind : BackupFault::BadNumber;
    snapshot.badItem = read.badItem;
    snapshot.where = read.where;
    return snapshot;
  }
  for (std::size_t w = 0; w < kWelders; ++w) {
    SnapshotWelder& welder = snapshot.welders[w];
    welder.kind = w < read.config->kinds.size() ? read.config->kinds[w] : kNotRegistered;
    const auto& numbers = read.config->tables[w];
    for (std::size_t r = 0; r < kRegistrations; ++r) {
      welder.tables[r].number = r < numbers.size() ? numbers[r] : -1;
    }
  }
  ReadTables(snapshot);
  return snapshot;
}

CompareOutcome BackupComparison::Outcome() const {
  return kinds.empty() && pairs.empty() ? CompareOutcome::Same : CompareOutcome::Differ;
}

BackupComparison CompareBackups(const BackupSnapshot& a, const BackupSnapshot& b) {
  BackupComparison comparison;
  comparison.folderA = a.folder;
  comparison.folderB = b.folder;
  comparison.sameFolder = a.folder == b.folder || SameFolder(a.folder, b.folder);
  for (std::size_t w = 0; w < kWelders; ++w) {
    const SnapshotWelder& welderA = a.welders[w];
    const SnapshotWelder& welderB = b.welders[w];
    if (welderA.kind != welderB.kind) {
      comparison.kinds.push_back({static_cast<int>(w), welderA.kind, welderB.kind});
    }
    for (std::size_t r = 0; r < kRegistrations; ++r) {
      std::optional<RegistrationPair> pair = PairOf(welderA, welderB, r);
      if (pair) {
        pair->welder = static_cast<int>(w);
        comparison.pairs.push_back(std::move(*pair));
      } else if (welderA.kind != kNotRegistered && welderB.kind != kNotRegistered &&
                 welderA.tables[r].number != -1) {
        ++comparison.identical;
      }
    }
  }
  return comparison;
}

}  // namespace wisetup
