#include "setupfile/SetupFormat.h"

#include <set>
#include <utility>

#include <cstddef>
#include <limits>
#include <optional>
#include <string_view>

#include "text/TextScan.h"

namespace wisetup {

namespace {

struct RcKey {
  const char* name;
  std::uint16_t RcModeValues::*member;
};

struct WpsKey {
  const char* name;
  std::uint16_t WpsModeValues::*member;
};

constexpr std::array<RcKey, 5> kRcKeys{{
    {"METHOD", &RcModeValues::METHOD},
    {"WIRE_DIAMETER", &RcModeValues::WIRE_DIAMETER},
    {"GAS_KIND", &RcModeValues::GAS_KIND},
    {"WIRE_KIND", &RcModeValues::WIRE_KIND},
    {"SPECIAL", &RcModeValues::SPECIAL},
}};

constexpr std::array<WpsKey, 8> kWpsKeys{{
    {"ENABLED", &WpsModeValues::ENABLED},
    {"RATED_CURRENT", &WpsModeValues::RATED_CURRENT},
    {"RATED_VOLTAGE", &WpsModeValues::RATED_VOLTAGE},
    {"METHOD", &WpsModeValues::METHOD},
    {"WIRE_DIAMETER", &WpsModeValues::WIRE_DIAMETER},
    {"GAS_KIND", &WpsModeValues::GAS_KIND},
    {"WIRE_KIND", &WpsModeValues::WIRE_KIND},
    {"SPECIAL", &WpsModeValues::SPECIAL},
}};

// What a key stands for, on both the writing and the reading side.
enum class Target {
  kVersion,
  kController,
  kRegistWelder,
  kUseRcWcd,
  kWelder,
  kArea,
  kBaudrateCan1,
  kBaudrateCan2,
  kRc,
  kWps,
  kDetailPramSet,
};

struct KeySpec {
  std::string section;
  std::string key;
  Target target;
  std::size_t welder = 0;  // 0-based
  std::size_t mode = 0;    // 0-based
  std::size_t field = 0;   // index into kRcKeys or kWpsKeys
};

std::string WelderKeyName(const char* prefix, std::size_t welder, const char* suffix) {
  return prefix + std::to_string(welder + 1) + suffix;
}

// The one list of the file's keys in file order; the writer and the reader both walk it.
std::vector<KeySpec> BuildKeyList() {
  constexpr auto kW = static_cast<std::size_t>(kWelders);
  constexpr auto kM = static_cast<std::size_t>(kRegistrations);
  std::vector<KeySpec> keys;
  keys.reserve(20 + kW * kM * (kRcKeys.size() + kWpsKeys.size()) + kW);

  const std::string system = "SYSTEM";
  keys.push_back({system, "VERSION", Target::kVersion});
  keys.push_back({system, "CONTROLLER", Target::kController});
  for (std::size_t w = 0; w < kW; ++w) {
    keys.push_back({system, WelderKeyName("REGIST_WELDER", w, ""), Target::kRegistWelder, w});
  }
  for (std::size_t w = 0; w < kW; ++w) {
    keys.push_back({system, WelderKeyName("USERCWCD_WELDER", w, ""), Target::kUseRcWcd, w});
  }
  for (std::size_t w = 0; w < kW; ++w) {
    keys.push_back({system, WelderKeyName("WELDER", w, ""), Target::kWelder, w});
  }
  for (std::size_t w = 0; w < kW; ++w) {
    keys.push_back({system, WelderKeyName("AREA_WELDER", w, ""), Target::kArea, w});
  }
  keys.push_back({system, "BAUDRATE_CAN1", Target::kBaudrateCan1});
  keys.push_back({system, "BAUDRATE_CAN2", Target::kBaudrateCan2});

  for (std::size_t w = 0; w < kW; ++w) {
    for (std::size_t m = 0; m < kM; ++m) {
      const std::string section = RcSectionName(static_cast<int>(w + 1), static_cast<int>(m + 1));
      for (std::size_t f = 0; f < kRcKeys.size(); ++f) {
        keys.push_back({section, kRcKeys[f].name, Target::kRc, w, m, f});
      }
    }
  }
  for (std::size_t w = 0; w < kW; ++w) {
    for (std::size_t m = 0; m < kM; ++m) {
      const std::string section = WpsSectionName(static_cast<int>(w + 1), static_cast<int>(m + 1));
      for (std::size_t f = 0; f < kWpsKeys.size(); ++f) {
        keys.push_back({section, kWpsKeys[f].name, Target::kWps, w, m, f});
      }
    }
  }
  for (std::size_t w = 0; w < kW; ++w) {
    keys.push_back({ControlSectionName(static_cast<int>(w + 1)), "DETAIL_PRAM_SET",
                    Target::kDetailPramSet, w});
  }
  return keys;
}

const std::vector<KeySpec>& KeyList() {
  static const std::vector<KeySpec> keys = BuildKeyList();
  return keys;
}

std::int64_t ValueToWrite(const SetupFileValues& v, const KeySpec& k) {
  switch (k.target) {
    case Target::kVersion:
      return 1;
    case Target::kController:
      return v.controller;
    case Target::kRegistWelder:
      return v.registWelder[k.welder];
    case Target::kUseRcWcd:
      return v.useRcWcd[k.welder];
    case Target::kWelder:
      return v.modelCode[k.welder];
    case Target::kArea:
      return v.area[k.welder];
    case Target::kBaudrateCan1:
      return 0;
    case Target::kBaudrateCan2:
      return v.baudrateCan2;
    case Target::kRc:
      return v.rc[k.welder][k.mode].*(kRcKeys[k.field].member);
    case Target::kWps:
      return v.wps[k.welder][k.mode].*(kWpsKeys[k.field].member);
    case Target::kDetailPramSet:
      return 0;
  }
  return 0;
}

void StoreValueRead(SetupFileRead& r, const KeySpec& k, std::int64_t value) {
  // Modular conversion: the word keeps the low 16 bits, so -1 reads as 65535.
  const auto word = static_cast<std::uint16_t>(value);
  SetupFileContent& c = r.content;
  switch (k.target) {
    case Target::kVersion:
      c.VERSION = word;
      return;
    case Target::kController:
      c.CONTROLLER = word;
      return;
    case Target::kRegistWelder:
      c.REGIST_WELDER[k.welder] = word;
      return;
    case Target::kUseRcWcd:
      r.useRcWcd[k.welder] = value;
      return;
    case Target::kWelder:
      c.WELDER[k.welder] = word;
      return;
    case Target::kArea:
      r.area[k.welder] = value;
      return;
    case Target::kBaudrateCan1:
      c.BAUDRATE_CAN1 = word;
      return;
    case Target::kBaudrateCan2:
      c.BAUDRATE_CAN2 = word;
      return;
    case Target::kRc:
      c.Rc[k.welder][k.mode].*(kRcKeys[k.field].member) = word;
      return;
    case Target::kWps:
      c.Wps[k.welder][k.mode].*(kWpsKeys[k.field].member) = word;
      return;
    case Target::kDetailPramSet:
      c.DETAIL_PRAM_SET[k.welder] = word;
      return;
  }
}

}  // namespace

std::vector<std::uint16_t> SetupFileContent::Fields() const {
  std::vector<std::uint16_t> fields;
  fields.reserve(16 + static_cast<std::size_t>(kWelders * kRegistrations) *
                          (kRcKeys.size() + kWpsKeys.size()));
  fields.push_back(VERSION);
  fields.push_back(CONTROLLER);
  fields.insert(fields.end(), REGIST_WELDER.begin(), REGIST_WELDER.end());
  fields.insert(fields.end(), WELDER.begin(), WELDER.end());
  fields.push_back(BAUDRATE_CAN1);
  fields.push_back(BAUDRATE_CAN2);
  fields.insert(fields.end(), DETAIL_PRAM_SET.begin(), DETAIL_PRAM_SET.end());
  for (const auto& welder : Rc) {
    for (const RcModeValues& mode : welder) {
      for (const RcKey& k : kRcKeys) fields.push_back(mode.*(k.member));
    }
  }
  for (const auto& welder : Wps) {
    for (const WpsModeValues& mode : welder) {
      for (const WpsKey& k : kWpsKeys) fields.push_back(mode.*(k.member));
    }
  }
  return fields;
}

void WriteSetupFile(IniDocument& doc, const SetupFileValues& values) {
  for (const KeySpec& k : KeyList()) {
    doc.Set(k.section, k.key, std::to_string(ValueToWrite(values, k)));
  }
}

bool IsSetupFileKey(std::string_view upperSection, std::string_view upperKey) {
  static const std::set<std::pair<std::string, std::string>> keys = [] {
    std::set<std::pair<std::string, std::string>> all;
    for (const KeySpec& k : KeyList()) all.emplace(k.section, k.key);
    return all;
  }();
  return keys.contains({std::string(upperSection), std::string(upperKey)});
}

std::int64_t ParseSetupValue(const std::string& text) {
  return ParseInt(TrimBlanks(text, Blanks::CSpace), {.hex0x = true}).value_or(0);
}

SetupFileRead ReadSetupFile(const IniDocument& doc) {
  SetupFileRead read;
  for (const KeySpec& k : KeyList()) {
    const std::optional<std::string> text = doc.Get(k.section, k.key);
    StoreValueRead(read, k, text ? ParseSetupValue(*text) : 0);
  }
  return read;
}

std::string RcSectionName(int welder, int mode) {
  return "WELDER" + std::to_string(welder) + "_MODE" + std::to_string(mode) + "_RC";
}

std::string WpsSectionName(int welder, int mode) {
  return "WELDER" + std::to_string(welder) + "_MODE" + std::to_string(mode) + "_WPS";
}

std::string ControlSectionName(int welder) {
  return "WELDER" + std::to_string(welder) + "_CONTROL";
}

}  // namespace wisetup
