// The setup file ZelSetUp.ini: one definition of its 85 sections and 544 keys used by both the
// writer and the reader, and the in-memory image of a file read back.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "records/WelderKinds.h"
#include "text/IniDocument.h"

namespace wisetup {

struct RcModeValues {  // one "WELDER%d_MODE%d_RC" section, in key order
  std::uint16_t METHOD = 0, WIRE_DIAMETER = 0, GAS_KIND = 0, WIRE_KIND = 0, SPECIAL = 0;
};

struct WpsModeValues {  // one "WELDER%d_MODE%d_WPS" section, in key order
  std::uint16_t ENABLED = 0, RATED_CURRENT = 0, RATED_VOLTAGE = 0, METHOD = 0, WIRE_DIAMETER = 0,
                GAS_KIND = 0, WIRE_KIND = 0, SPECIAL = 0;
};

// The image of one setup file; every field a 16-bit word, in the order of the file.
struct SetupFileContent {
  std::uint16_t VERSION = 0;
  std::uint16_t CONTROLLER = 0;
  std::array<std::uint16_t, kWelders> REGIST_WELDER{};
  std::array<std::uint16_t, kWelders> WELDER{};
  std::uint16_t BAUDRATE_CAN1 = 0;
  std::uint16_t BAUDRATE_CAN2 = 0;
  std::array<std::uint16_t, kWelders> DETAIL_PRAM_SET{};
  std::array<std::array<RcModeValues, kRegistrations>, kWelders> Rc{};
  std::array<std::array<WpsModeValues, kRegistrations>, kWelders> Wps{};

  // Every field in the order of its definition (VERSION first, the last WPS SPECIAL last).
  std::vector<std::uint16_t> Fields() const;
};

// What the writer puts into one file. Values are written as decimal integers.
struct SetupFileValues {
  int controller = 1;  // item of the robot controller choice plus 1
  std::array<int, kWelders> registWelder{};
  std::array<int, kWelders> useRcWcd{};  // 1 or 0
  std::array<int, kWelders> modelCode{};
  std::array<int, kWelders> area{};
  int baudrateCan2 = 0;
  std::array<std::array<RcModeValues, kRegistrations>, kWelders> rc{};
  std::array<std::array<WpsModeValues, kRegistrations>, kWelders> wps{};
};

// Sets every key of the file in `doc`, section by section in file order (SYSTEM, the RC sections,
// the WPS sections, the CONTROL sections). Existing sections and keys keep their place; foreign
// ones stay.
void WriteSetupFile(IniDocument& doc, const SetupFileValues& values);

// Whether the writer produces this key (names in upper case, as the profile document gives them).
bool IsSetupFileKey(std::string_view upperSection, std::string_view upperKey);

// A value of the setup file: signed decimal, or hexadecimal after "0x"/"0X" when longer than two
// characters; anything unusable (missing, not a number, beyond 32 bits) is 0.
std::int64_t ParseSetupValue(const std::string& text);

struct SetupFileRead {
  SetupFileContent content;
  std::array<std::int64_t, kWelders> useRcWcd{};  // "USERCWCD_WELDER%d" as read
  std::array<std::int64_t, kWelders> area{};      // "AREA_WELDER%d" as read, full integer
};

// Reads every key with default 0. Word fields keep the low 16 bits of the value read.
SetupFileRead ReadSetupFile(const IniDocument& doc);

// Section names, 1-based numbers: "WELDER2_MODE10_RC" and so on.
std::string RcSectionName(int welder, int mode);
std::string WpsSectionName(int welder, int mode);
std::string ControlSectionName(int welder);

}  // namespace wisetup
