#include "demo-data/DemoData.h"

#include <fstream>
#include <stdexcept>

namespace wisetup::demo {

namespace fs = std::filesystem;

namespace {

std::uint16_t U16(int value) {
  return static_cast<std::uint16_t>(value);
}

template <typename Record>
void FillPattern(Record& record, std::uint8_t pattern) {
  auto bytes = record.MutableBytes();
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = PatternByte(pattern, i);
}

void WriteBytes(const fs::path& path, std::span<const std::uint8_t> bytes) {
  if (path.has_parent_path()) fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot create " + path.string());
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

// The robot controller's own tables name an older power source than the catalogue, so that a
// transfer that takes over the catalogue's rated values changes the words visibly.
std::uint16_t RobotRatedVoltage(int ratedCurrent) {
  return U16(ratedCurrent == 500 ? 360 : ratedCurrent == 400 ? 320 : 300);
}
std::uint16_t TemplateRatedVoltage(int ratedCurrent) {
  return U16(ratedCurrent == 500 ? 390 : ratedCurrent == 400 ? 340 : 315);
}

struct ModeSpec {
  int method, diameter, gas, wireKind, special;
};

// Method codes: 0 DC, 1 DC pulse, 2 DC wave, 3 AC pulse, 4 AC wave, 5 brazing.
// Gas codes: 0 CO2, 1 MAG, 2 MIG, 3 Ar, 6 97.5%Ar+2.5%CO2, 7 100%Ar.
// Wire kinds: 0 mild steel, 1 cored, 2 stainless, 4 soft / 5 hard aluminium, 7 CuSi, 12 metal
// cored.
struct FamilySpec {
  std::string_view family;
  std::vector<std::string_view> areas;
  std::vector<ModeSpec> modes;  // the area-specific mode is added after these
  int areaModeMethod;
};

const std::vector<FamilySpec>& Families() {
  static const std::vector<FamilySpec> families = {
      {"HXR",
       {"JPN", "USA", "EU"},
       {{0, 12, 0, 0, 0}, {0, 12, 1, 0, 1}, {1, 12, 1, 0, 0}, {2, 10, 2, 2, 4}},
       0},
      {"HXRL",
       {"JPN", "USA", "EU"},
       {{1, 12, 3, 4, 0}, {1, 12, 3, 5, 1}, {2, 10, 2, 2, 0}, {0, 12, 0, 0, 2}},
       1},
      {"HXS",
       {"JPN", "USA", "EU", "ASIA"},
       {{0, 12, 0, 0, 0}, {1, 12, 1, 0, 0}, {1, 14, 1, 12, 64}},
       0},
      {"HXSL",
       {"JPN", "USA", "EU", "ASIA"},
       {{0, 12, 0, 0, 1}, {1, 12, 1, 0, 0}, {1, 12, 6, 1, 32}},
       1},
      {"HXT",
       {"JPN", "USA", "EU", "ASIA"},
       {{1, 12, 1, 0, 0}, {2, 12, 2, 2, 4}, {3, 12, 3, 4, 2}, {4, 12, 3, 5, 3}, {5, 10, 7, 7, 8}},
       1},
      {"HXU", {"JPN"}, {{0, 12, 0, 0, 0}, {1, 12, 1, 0, 0}}, 0},
  };
  return families;
}

constexpr std::string_view kAreas[] = {"JPN", "USA", "EU", "ASIA"};
// Gas of the area-specific mode, one that no common mode uses, so the text shows the folder:
// 70%Ar+30%CO2, 90%Ar+10%CO2, 98%Ar+2%CO2, 98%Ar+2%O2.
constexpr int kAreaGas[] = {9, 4, 5, 8};
constexpr int kRatedCurrents[] = {350, 400, 500};

int AreaIndex(std::string_view area) {
  for (int i = 0; i < 4; ++i) {
    if (kAreas[i] == area) return i;
  }
  throw std::logic_error("unknown demo area");
}

std::vector<std::uint16_t> TemplateCurrents(int ratedCurrent) {
  std::vector<std::uint16_t> currents;
  for (int g = 0; g < 10; ++g) currents.push_back(U16(40 + (ratedCurrent - 80) * g / 10));
  return currents;
}

std::vector<std::uint16_t> Steps(int first, int step, int count) {
  std::vector<std::uint16_t> currents;
  for (int i = 0; i < count; ++i) currents.push_back(U16(first + step * i));
  return currents;
}

RobotWeldTable RobotTable(TableForm form, const ModeSpec& m, int ratedCurrent,
                          const std::vector<std::uint16_t>& currents) {
  return MakeTable(form, U16(m.method), U16(m.diameter), U16(m.gas), U16(m.wireKind),
                   U16(m.special), U16(ratedCurrent), RobotRatedVoltage(ratedCurrent), currents);
}

}  // namespace

std::uint8_t PatternByte(std::uint8_t pattern, std::size_t offset) {
  // The high bit is always set, so no pattern byte is zero.
  return static_cast<std::uint8_t>((pattern | 0x80u) ^ (offset & 0x7Fu));
}

RobotWeldTable MakeTable(TableForm form, std::uint16_t method, std::uint16_t diameter,
                         std::uint16_t gas, std::uint16_t wireKind, std::uint16_t special,
                         std::uint16_t ratedCurrent, std::uint16_t ratedVoltage,
                         const std::vector<std::uint16_t>& currents, std::uint8_t pattern) {
  RobotWeldTable table(form);
  if (currents.size() > static_cast<std::size_t>(table.ConditionCount())) {
    throw std::invalid_argument("more condition currents than condition groups");
  }
  FillPattern(table, pattern);
  table.SetMethod(method);
  table.SetWireDiameter(diameter);
  table.SetGasKind(gas);
  table.SetWireKind(wireKind);
  table.SetSpecial(special);
  table.SetRatedCurrent(ratedCurrent);
  table.SetRatedVoltage(ratedVoltage);
  for (int g = 1; g <= table.ConditionCount(); ++g) {
    const auto index = static_cast<std::size_t>(g - 1);
    const std::uint16_t current = index < currents.size() ? currents[index] : 0;
    const std::uint16_t charValue = current == 0 ? 0 : U16(20 + current / 10);
    table.SetCondCurrent(g, current);
    table.SetCondCurrentCmd(g, current);
    table.SetCondCharValue(g, charValue);
    table.SetCondCharValue2(g, charValue);
  }
  return table;
}

WpsModeRecord MakeModeRecord(std::uint16_t seed, std::uint8_t pattern) {
  WpsModeRecord record;
  FillPattern(record, pattern);
  for (int j = 0; j < WpsModeRecord::kPoints; ++j) {
    record.SetPoint(0, j, U16(300 + 500 * j));
    record.SetPoint(1, j, U16(2000 + 300 * j + seed));
    record.SetPoint(2, j, U16(1000 + 100 * j + seed));
    record.SetPoint(11, j, U16(3000 + 100 * j + seed));
    record.SetPoint(30, j, U16(5000 + 100 * j + seed));
  }
  return record;
}

void WriteTableFile(const fs::path& path, const RobotWeldTable& table) {
  WriteBytes(path, table.Bytes());
}

void WriteModeFile(const fs::path& path, const WpsModeRecord& record) {
  WriteBytes(path, record.Bytes());
}

void WriteTextFile(const fs::path& path, std::string_view text) {
  WriteBytes(path, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

DemoBackup MakeDemoBackup() {
  DemoBackup backup{};
  backup.kinds = {5, 12, 9, 13};
  for (auto& numbers : backup.tableNumbers) numbers.fill(-1);

  const auto add = [&backup](int welder, int registration, int tableNumber, RobotWeldTable table) {
    backup.tableNumbers[static_cast<std::size_t>(welder - 1)]
                       [static_cast<std::size_t>(registration - 1)] = tableNumber;
    backup.tables.push_back({welder, registration, tableNumber, std::move(table)});
  };
  const auto& hxt = Families()[4].modes;

  // Welder 1, kind 5: short form, modes of HXR.
  add(1, 1, 1, RobotTable(TableForm::Short, {0, 12, 0, 0, 0}, 350, Steps(120, 30, 5)));
  add(1, 2, 2, RobotTable(TableForm::Short, {1, 12, 1, 0, 0}, 350, Steps(100, 35, 5)));
  // Welder 2, kind 12: long form, modes of HXRL; registration 3 has no table.
  add(2, 1, 11, RobotTable(TableForm::Long, {1, 12, 3, 4, 0}, 350, Steps(60, 20, 10)));
  add(2, 2, 12, RobotTable(TableForm::Long, {1, 12, 3, 5, 1}, 350, Steps(70, 20, 10)));
  add(2, 4, 14, RobotTable(TableForm::Long, {2, 10, 2, 2, 0}, 350, Steps(50, 20, 10)));
  // Welder 3, kind 9: short form, methods 0 and 1; registration 1 at 350 A so that HX-S350/S400
  // may be paired. Table 23's currents all lie exactly on current points.
  add(3, 1, 21, RobotTable(TableForm::Short, {0, 12, 0, 0, 0}, 350, Steps(115, 30, 5)));
  add(3, 2, 22, RobotTable(TableForm::Short, {1, 12, 1, 0, 0}, 400, Steps(105, 35, 5)));
  add(3, 3, 23, RobotTable(TableForm::Short, {1, 14, 1, 12, 64}, 500, Steps(130, 50, 5)));
  // Welder 4, kind 13: long form, the HXT methods 1 to 5.
  for (int i = 0; i < 5; ++i) {
    const auto& spec = hxt[static_cast<std::size_t>(i)];
    add(4, i + 1, 31 + i,
        RobotTable(TableForm::Long, {spec.method, spec.diameter, spec.gas, spec.wireKind, 0}, 350,
                   Steps(65 + 10 * i, 20, 10)));
  }

  // Separators vary from line to line as they do in controller files.
  constexpr std::string_view kSeparators[] = {",", ", ", ",", ", "};
  std::string text = "[ARC_WELDER]\r\nA_KIND=5,12,9,13\r\n";
  for (std::size_t w = 0; w < 4; ++w) {
    text += "\r\n[WELD_PROPERTY" + std::to_string(w + 1) + "]\r\nA_WTBD=";
    for (std::size_t r = 0; r < 10; ++r) {
      if (r > 0) text += (w == 2 && r % 2 == 0) ? std::string_view(" ,") : kSeparators[w];
      text += std::to_string(backup.tableNumbers[w][r]);
    }
    text += "\r\n";
  }
  backup.configText = std::move(text);
  return backup;
}

void WriteDemoBackup(const fs::path& folder) {
  const DemoBackup backup = MakeDemoBackup();
  WriteTextFile(folder / "WORK" / "Ac01arcw.CON", backup.configText);
  const fs::path weld = folder / "WORK" / "A_APPLICATION" / "WELD";
  fs::create_directories(weld);
  for (const auto& entry : backup.tables) {
    WriteTableFile(weld / ("$WTBD" + std::to_string(entry.tableNumber)), entry.table);
  }
}

std::vector<CatalogueFolder> DemoCatalogueFolders() {
  std::vector<CatalogueFolder> folders;
  for (const auto& family : Families()) {
    for (const auto area : family.areas)
      folders.push_back({std::string(family.family), std::string(area)});
  }
  return folders;
}

std::vector<CatalogueEntry> MakeDemoCatalogue() {
  std::vector<CatalogueEntry> entries;
  int familyIndex = 0;
  for (const auto& family : Families()) {
    for (const auto area : family.areas) {
      const int areaIndex = AreaIndex(area);
      std::vector<ModeSpec> modes = family.modes;
      modes.push_back({family.areaModeMethod, 12, kAreaGas[areaIndex], 0, 0});
      for (int c = 1; c <= 3; ++c) {
        const int rated = kRatedCurrents[c - 1];
        for (int m = 1; m <= static_cast<int>(modes.size()); ++m) {
          const ModeSpec& spec = modes[static_cast<std::size_t>(m - 1)];
          CatalogueEntry entry{
              {std::string(family.family), std::string(area)},
              10 * c + m,
              MakeTable(TableForm::Long, U16(spec.method), U16(spec.diameter), U16(spec.gas),
                        U16(spec.wireKind), U16(spec.special), U16(rated),
                        TemplateRatedVoltage(rated), TemplateCurrents(rated), kTemplatePattern),
              // Unique per template and below 500: familyIndex <= 5,
              // areaIndex <= 3, (c-1)*6 + m <= 18.
              MakeModeRecord(U16(familyIndex * 80 + areaIndex * 20 + (c - 1) * 6 + m)),
              true};
          entry.companionWritten =
              !(family.family == kMissingCompanionFamily && area == kMissingCompanionArea &&
                entry.number == kMissingCompanionNumber);
          entries.push_back(std::move(entry));
        }
      }
    }
    ++familyIndex;
  }
  return entries;
}

void WriteDemoCatalogue(const fs::path& appDir) {
  const fs::path root = appDir / "WeldingMode";
  for (const auto& folder : DemoCatalogueFolders()) {
    fs::create_directories(root / folder.family / folder.area);
  }
  for (const auto& entry : MakeDemoCatalogue()) {
    const fs::path folder = root / entry.folder.family / entry.folder.area;
    WriteTableFile(folder / entry.TemplateName(), entry.templateTable);
    if (entry.companionWritten) {
      WriteModeFile(folder / entry.CompanionName(), entry.mode);
    } else {
      fs::remove(folder / entry.CompanionName());
    }
  }
}

}  // namespace wisetup::demo
