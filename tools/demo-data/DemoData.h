// Synthetic robot controller backup and welder-side catalogue for demonstrations and tests. Every
// value is made by code and fully deterministic: the same call always gives the same bytes.
//
// Demo backup (WriteDemoBackup):
//   WORK/Ac01arcw.CON: A_KIND=5,12,9,13 (CR LF lines), table numbers per welder:
//     welder 1, kind 5 (short form):  1, 2
//     welder 2, kind 12 (long form):  11, 12, -, 14        (registration 3 has no table)
//     welder 3, kind 9 (short form):  21 (350 A), 22 (400 A), 23 (500 A)
//     welder 4, kind 13 (long form):  31 .. 35 with the methods 1 .. 5
//   WORK/A_APPLICATION/WELD/$WTBD<n> for each of these numbers.
//
// Demo catalogue (WriteDemoCatalogue): APPDIR/WeldingMode/<FAMILY>/<AREA>/ with the families HXR,
// HXRL (areas JPN, USA, EU), HXS, HXSL, HXT (JPN, USA, EU, ASIA) and HXU (JPN). Every folder holds
// the templates $WTBD<10*c + m>, c = 1, 2, 3 for 350, 400, 500 A and m = 1 .. the number of modes
// of the family, the last mode being one whose gas names the area. Every template has its companion
// $WPLS<same number>, except HXT/USA/$WTBD23 (the 400 A AC pulse mode HX-T350/T400 lists in the
// USA), whose companion is deliberately missing: away from the folders the README walks through.
//
// The writers throw std::runtime_error (or std::filesystem::filesystem_error) naming the path when
// a folder cannot be created or a file cannot be written completely.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "records/WeldRecords.h"

namespace wisetup::demo {

// Fill patterns of the bytes that the tool does not interpret, one per kind of record, so that a
// test can tell whose bytes ended up in a record.
inline constexpr std::uint8_t kRobotPattern = 0xA5;
inline constexpr std::uint8_t kTemplatePattern = 0xC3;
inline constexpr std::uint8_t kModePattern = 0x96;

// The byte at `offset` of a record filled with `pattern`; never zero.
std::uint8_t PatternByte(std::uint8_t pattern, std::size_t offset);

// A welding table whose unnamed bytes (head, tail, spare word and the two extra words of groups 3
// and 7) carry PatternByte(pattern, offset). Group g gets COND_CURRENT = currents[g-1],
// COND_CURRENT_CMD = the current and both characteristic words = 20 + current / 10; groups beyond
// the list are all zero. More currents than the form has groups: std::invalid_argument.
RobotWeldTable MakeTable(TableForm form, std::uint16_t method, std::uint16_t diameter,
                         std::uint16_t gas, std::uint16_t wireKind, std::uint16_t special,
                         std::uint16_t ratedCurrent, std::uint16_t ratedVoltage,
                         const std::vector<std::uint16_t>& currents,
                         std::uint8_t pattern = kRobotPattern);

// A characteristic record; `seed` below 500 keeps the rows apart (divided by 10 as the transfer
// does, row 2 gives 100..279, row 11 300..479, row 30 500..679). POINT j of:
//   row 0 (CURRENT_POINTS): 300 + 500 j   (30 A .. 680 A in tenths of an ampere)
//   row 1 (command):        2000 + 300 j + seed
//   row 2:                  1000 + 100 j + seed
//   row 11:                 3000 + 100 j + seed
//   row 30:                 5000 + 100 j + seed
// Every other word (words 0 and 1 of every row, the points of all other rows) carries the pattern.
WpsModeRecord MakeModeRecord(std::uint16_t seed, std::uint8_t pattern = kModePattern);

// Whole-file writers; parent folders are created, an existing file is replaced.
void WriteTableFile(const std::filesystem::path& path, const RobotWeldTable& table);
void WriteModeFile(const std::filesystem::path& path, const WpsModeRecord& record);
void WriteTextFile(const std::filesystem::path& path, std::string_view text);

// --- Demo backup -----------------------------------------------------------------------------

struct BackupTable {
  int welder;        // 1..4
  int registration;  // 1..10
  int tableNumber;
  RobotWeldTable table;
};

struct DemoBackup {
  std::array<int, 4> kinds;
  std::array<std::array<int, 10>, 4> tableNumbers;  // -1 = none
  std::vector<BackupTable> tables;                  // in welder, then registration order
  std::string configText;                           // content of Ac01arcw.CON
};

DemoBackup MakeDemoBackup();

// Writes folder/WORK/Ac01arcw.CON and folder/WORK/A_APPLICATION/WELD/$WTBD<n>.
void WriteDemoBackup(const std::filesystem::path& folder);

// --- Demo catalogue --------------------------------------------------------------------------

inline constexpr std::string_view kMissingCompanionFamily = "HXT";
inline constexpr std::string_view kMissingCompanionArea = "USA";
inline constexpr int kMissingCompanionNumber = 23;

struct CatalogueFolder {
  std::string family;  // "HXR", ...
  std::string area;    // "JPN", ...
};

// Every family/area folder of the demo catalogue, families in model-table order.
std::vector<CatalogueFolder> DemoCatalogueFolders();

struct CatalogueEntry {
  CatalogueFolder folder;
  int number;  // the digits after $WTBD / $WPLS
  RobotWeldTable templateTable{TableForm::Long};
  WpsModeRecord mode;
  bool companionWritten;

  std::string TemplateName() const { return "$WTBD" + std::to_string(number); }
  std::string CompanionName() const { return "$WPLS" + std::to_string(number); }
};

// All templates of the demo catalogue, folder by folder, in ascending number within a folder.
std::vector<CatalogueEntry> MakeDemoCatalogue();

// Writes appDir/WeldingMode/... . A stale copy of the deliberately missing companion is removed.
void WriteDemoCatalogue(const std::filesystem::path& appDir);

}  // namespace wisetup::demo
