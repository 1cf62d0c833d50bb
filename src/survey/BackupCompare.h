// Two backups side by side: which welder kinds differ, which registration has a table in one of
// them only or cannot be read, and per pair of tables the named words and the runs of other bytes
// that differ, in the change list's own terms (the first backup as "old", the second as "new").
// Tables are paired by welder and registration, never by number: the numbers differ between robots.
// Reading a backup for it writes nothing, takes no lock and leaves no file behind.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "changes/ChangeList.h"
#include "platform/FileIo.h"
#include "records/WelderKinds.h"

namespace wisetup {

// Why a folder is not a backup that can be compared; the window refuses to load it for the same.
enum class BackupFault {
  None,
  NoConfig,          // no \WORK\Ac01arcw.CON
  ConfigUnreadable,  // it is there but cannot be read (`status` says why)
  NoWelderKind,      // it registers no welder kind at all
  BadNumber,         // an item of its lists is no integer (`badItem` in `where`)
};

struct SnapshotTable {
  int number = -1;     // -1: the registration has no table
  std::string path;    // native
  FileStatus status;   // of the read: ok when the record was read whole
  std::string record;  // the record's bytes (the form of the welder's kind) when read
};

struct SnapshotWelder {
  int kind = kNotRegistered;
  std::array<SnapshotTable, kRegistrations> tables;
};

// A backup as read to be looked at. Tables of an unregistered welder are not read.
struct BackupSnapshot {
  std::string folder;
  BackupFault fault = BackupFault::None;
  FileStatus status;  // NoConfig and ConfigUnreadable: the configuration file and the reason
  std::string badItem;
  std::string where;
  std::array<SnapshotWelder, kWelders> welders;

  bool ok() const { return fault == BackupFault::None; }
};

// Reads the configuration and every registered table of `folder`; only reads.
BackupSnapshot ReadBackupSnapshot(const std::string& folder);

enum class PairState {
  OnlyInA,      // a table in the first backup only
  OnlyInB,      // in the second only
  Unreadable,   // a table of either cannot be read (its side's status says why)
  FormsDiffer,  // the kinds keep tables of different sizes: nothing to put side by side
  Differs,      // `changes` lists what differs
};

// A registration whose tables are not the same.
struct RegistrationPair {
  int welder = 0;        // 0-based
  int registration = 0;  // 0-based
  PairState state = PairState::Differs;
  int kindA = kNotRegistered;
  int kindB = kNotRegistered;
  SnapshotTable a;
  SnapshotTable b;
  std::vector<RecordChange> changes;  // Differs: named words and runs, ascending offset
};

struct KindDifference {
  int welder = 0;  // 0-based
  int kindA = kNotRegistered;
  int kindB = kNotRegistered;
};

// Exit statuses of a command that compares, as diff has them.
enum class CompareOutcome { Same = 0, Differ = 1, NotABackup = 2 };

struct BackupComparison {
  std::string folderA;
  std::string folderB;
  bool sameFolder = false;  // both name one folder: it is compared with itself
  std::vector<KindDifference> kinds;
  std::vector<RegistrationPair> pairs;  // welder, then registration order
  std::size_t identical = 0;            // registrations with a table on both sides, the same

  CompareOutcome Outcome() const;
};

// Both snapshots must be ok(); a folder that is not a backup is CompareOutcome::NotABackup before
// any comparison.
BackupComparison CompareBackups(const BackupSnapshot& a, const BackupSnapshot& b);

}  // namespace wisetup
