#include "setupfile/SetupFormat.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "SetupFields.h"

namespace wisetup {
namespace {

constexpr std::size_t kW = static_cast<std::size_t>(kWelders);
constexpr std::size_t kM = static_cast<std::size_t>(kRegistrations);

// The file as it must come out: section names and their keys, in order.
using Layout = std::vector<std::pair<std::string, std::vector<std::string>>>;

Layout ExpectedLayout() {
  Layout layout;
  std::vector<std::string> system = {"VERSION", "CONTROLLER"};
  for (const char* prefix : {"REGIST_WELDER", "USERCWCD_WELDER", "WELDER", "AREA_WELDER"}) {
    for (int w = 1; w <= kWelders; ++w) system.push_back(prefix + std::to_string(w));
  }
  system.push_back("BAUDRATE_CAN1");
  system.push_back("BAUDRATE_CAN2");
  layout.emplace_back("SYSTEM", system);
  for (int w = 1; w <= kWelders; ++w) {
    for (int m = 1; m <= kRegistrations; ++m) {
      layout.emplace_back(
          "WELDER" + std::to_string(w) + "_MODE" + std::to_string(m) + "_RC",
          std::vector<std::string>{"METHOD", "WIRE_DIAMETER", "GAS_KIND", "WIRE_KIND", "SPECIAL"});
    }
  }
  for (int w = 1; w <= kWelders; ++w) {
    for (int m = 1; m <= kRegistrations; ++m) {
      layout.emplace_back(
          "WELDER" + std::to_string(w) + "_MODE" + std::to_string(m) + "_WPS",
          std::vector<std::string>{"ENABLED", "RATED_CURRENT", "RATED_VOLTAGE", "METHOD",
                                   "WIRE_DIAMETER", "GAS_KIND", "WIRE_KIND", "SPECIAL"});
    }
  }
  for (int w = 1; w <= kWelders; ++w) {
    layout.emplace_back("WELDER" + std::to_string(w) + "_CONTROL",
                        std::vector<std::string>{"DETAIL_PRAM_SET"});
  }
  return layout;
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

struct TextLine {
  std::string text;
  std::string ending;
};

std::vector<TextLine> SplitLines(const std::string& text) {
  std::vector<TextLine> lines;
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t j = i;
    while (j < text.size() && text[j] != '\r' && text[j] != '\n') ++j;
    TextLine line{text.substr(i, j - i), ""};
    if (j < text.size()) {
      const std::size_t len =
          (text[j] == '\r' && j + 1 < text.size() && text[j + 1] == '\n') ? 2 : 1;
      line.ending = text.substr(j, len);
      j += len;
    }
    lines.push_back(line);
    i = j;
  }
  return lines;
}

// How often each section header and each (section, key) line occurs, names upper-cased.
struct Occurrences {
  std::map<std::string, int> sections;
  std::map<std::pair<std::string, std::string>, int> keys;
};

Occurrences Count(const std::string& text) {
  Occurrences occ;
  std::string section;
  for (const TextLine& line : SplitLines(text)) {
    if (!line.text.empty() && line.text.front() == '[') {
      section = Upper(line.text.substr(1, line.text.find(']') - 1));
      ++occ.sections[section];
    } else if (const std::size_t eq = line.text.find('='); eq != std::string::npos) {
      ++occ.keys[{section, Upper(line.text.substr(0, eq))}];
    }
  }
  return occ;
}

// Every value distinct where the file allows it, so a key written to or read from the wrong
// place shows up.
SetupFileValues SampleValues() {
  SetupFileValues v;
  v.controller = 2;
  v.baudrateCan2 = 1;
  for (std::size_t w = 0; w < kW; ++w) {
    const int n = static_cast<int>(w);
    v.registWelder[w] = 5 + n;
    v.useRcWcd[w] = n % 2;
    v.modelCode[w] = 20 + n;
    v.area[w] = 3 - n;
    for (std::size_t m = 0; m < kM; ++m) {
      const auto base = static_cast<std::uint16_t>(1000 + 100 * w + 10 * m);
      v.rc[w][m] = {base, static_cast<std::uint16_t>(base + 1),
                    static_cast<std::uint16_t>(base + 2), static_cast<std::uint16_t>(base + 3),
                    static_cast<std::uint16_t>(base + 4)};
      const auto wbase = static_cast<std::uint16_t>(base + 5000);
      v.wps[w][m] = {static_cast<std::uint16_t>(m % 2),     wbase,
                     static_cast<std::uint16_t>(wbase + 1), static_cast<std::uint16_t>(wbase + 2),
                     static_cast<std::uint16_t>(wbase + 3), static_cast<std::uint16_t>(wbase + 4),
                     static_cast<std::uint16_t>(wbase + 5), static_cast<std::uint16_t>(wbase + 6)};
    }
  }
  v.wps[3][9].SPECIAL = 65535;
  return v;
}

void ExpectReadsBack(const IniDocument& doc, const SetupFileValues& v) {
  const SetupFileRead read = ReadSetupFile(doc);
  EXPECT_EQ(read.content.Fields(), test::ExpectedSetupFields(v));
  for (std::size_t w = 0; w < kW; ++w) {
    EXPECT_EQ(read.useRcWcd[w], v.useRcWcd[w]) << "welder " << w + 1;
    EXPECT_EQ(read.area[w], v.area[w]) << "welder " << w + 1;
  }
}

void ExpectEveryKeyOnce(const std::string& text) {
  const Occurrences occ = Count(text);
  for (const auto& [section, keys] : ExpectedLayout()) {
    EXPECT_EQ(occ.sections.count(section) ? occ.sections.at(section) : 0, 1) << section;
    for (const std::string& key : keys) {
      const auto it = occ.keys.find({section, key});
      EXPECT_EQ(it == occ.keys.end() ? 0 : it->second, 1) << section << " " << key;
    }
  }
}

TEST(SetupFormatTest, NewFileHasEverySectionAndKeyInOrder) {
  IniDocument doc;
  WriteSetupFile(doc, SampleValues());
  const std::string text = doc.Serialize();

  const std::string golden =
      "[SYSTEM]\r\nVERSION=1\r\nCONTROLLER=2\r\n"
      "REGIST_WELDER1=5\r\nREGIST_WELDER2=6\r\nREGIST_WELDER3=7\r\nREGIST_WELDER4=8\r\n"
      "USERCWCD_WELDER1=0\r\nUSERCWCD_WELDER2=1\r\nUSERCWCD_WELDER3=0\r\nUSERCWCD_WELDER4=1\r\n"
      "WELDER1=20\r\nWELDER2=21\r\nWELDER3=22\r\nWELDER4=23\r\n"
      "AREA_WELDER1=3\r\nAREA_WELDER2=2\r\nAREA_WELDER3=1\r\nAREA_WELDER4=0\r\n"
      "BAUDRATE_CAN1=0\r\nBAUDRATE_CAN2=1\r\n"
      "[WELDER1_MODE1_RC]\r\nMETHOD=1000\r\nWIRE_DIAMETER=1001\r\nGAS_KIND=1002\r\n"
      "WIRE_KIND=1003\r\nSPECIAL=1004\r\n[WELDER1_MODE2_RC]\r\n";
  EXPECT_EQ(text.substr(0, golden.size()), golden);
  const std::string tail =
      "[WELDER4_MODE10_WPS]\r\nENABLED=1\r\nRATED_CURRENT=6390\r\nRATED_VOLTAGE=6391\r\n"
      "METHOD=6392\r\nWIRE_DIAMETER=6393\r\nGAS_KIND=6394\r\nWIRE_KIND=6395\r\nSPECIAL=65535\r\n"
      "[WELDER1_CONTROL]\r\nDETAIL_PRAM_SET=0\r\n[WELDER2_CONTROL]\r\nDETAIL_PRAM_SET=0\r\n"
      "[WELDER3_CONTROL]\r\nDETAIL_PRAM_SET=0\r\n[WELDER4_CONTROL]\r\nDETAIL_PRAM_SET=0\r\n";
  ASSERT_GE(text.size(), tail.size());
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);

  std::vector<std::string> expected;
  for (const auto& [section, keys] : ExpectedLayout()) {
    expected.push_back("[" + section + "]");
    for (const std::string& key : keys) expected.push_back(key + "=");
  }
  const std::vector<TextLine> lines = SplitLines(text);
  ASSERT_EQ(lines.size(), expected.size());
  int sections = 0;
  int keys = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE("line " + std::to_string(i + 1) + ": " + lines[i].text);
    EXPECT_EQ(lines[i].ending, "\r\n");
    if (expected[i].front() == '[') {
      ++sections;
      EXPECT_EQ(lines[i].text, expected[i]);
    } else {
      ++keys;
      ASSERT_EQ(lines[i].text.substr(0, expected[i].size()), expected[i]);
      const std::string value = lines[i].text.substr(expected[i].size());
      ASSERT_FALSE(value.empty());
      EXPECT_EQ(value.find_first_not_of("0123456789"), std::string::npos);
      EXPECT_TRUE(value == "0" || value.front() != '0') << "leading zero";
    }
  }
  EXPECT_EQ(sections, 85);
  EXPECT_EQ(keys, 544);
}

TEST(SetupFormatTest, UnregisteredWelderIsWrittenInFull) {
  IniDocument doc;
  WriteSetupFile(doc, SetupFileValues{});
  const std::string text = doc.Serialize();
  ExpectEveryKeyOnce(text);
  EXPECT_EQ(SplitLines(text).size(), 85u + 544u);
  ExpectReadsBack(doc, SetupFileValues{});
}

TEST(SetupFormatTest, WritingOverAnExistingFile) {
  struct Row {
    const char* name;
    std::string before;
    std::string expectedPrefix;  // what was there keeps its place and spelling
  };
  const std::vector<Row> rows = {
      {"ForeignSectionFirst", "[FOREIGN]\r\nA=1\r\n",
       "[FOREIGN]\r\nA=1\r\n[SYSTEM]\r\nVERSION=1\r\n"},
      {"ForeignSectionWithoutFinalBreak", "[FOREIGN]\r\nA=1", "[FOREIGN]\r\nA=1\r\n[SYSTEM]\r\n"},
      {"KeysInAnotherOrder", "[SYSTEM]\r\nBAUDRATE_CAN2=9\r\nCONTROLLER=7\r\nVERSION=3\r\n",
       "[SYSTEM]\r\nBAUDRATE_CAN2=1\r\nCONTROLLER=2\r\nVERSION=1\r\nREGIST_WELDER1=5\r\n"},
      {"SectionsInAnotherOrder",
       "[WELDER4_CONTROL]\r\nDETAIL_PRAM_SET=5\r\n[WELDER1_MODE1_WPS]\r\nSPECIAL=4\r\n",
       "[WELDER4_CONTROL]\r\nDETAIL_PRAM_SET=0\r\n[WELDER1_MODE1_WPS]\r\nSPECIAL=6006\r\n"
       "ENABLED=0\r\nRATED_CURRENT=6000\r\n"},
      {"LowerCaseNamesAndLfEndings", "[system]\nversion=3\nnote=kept\n",
       "[system]\nversion=1\nnote=kept\nCONTROLLER=2\r\n"},
      {"ForeignKeyInsideOwnSection", "[WELDER2_MODE3_RC]\r\nCOMMENT=x\r\nMETHOD=1\r\n",
       "[WELDER2_MODE3_RC]\r\nCOMMENT=x\r\nMETHOD=1120\r\nWIRE_DIAMETER=1121\r\n"},
  };
  const SetupFileValues values = SampleValues();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    IniDocument doc = IniDocument::Parse(row.before);
    WriteSetupFile(doc, values);
    const std::string text = doc.Serialize();
    EXPECT_EQ(text.substr(0, row.expectedPrefix.size()), row.expectedPrefix);
    ExpectEveryKeyOnce(text);
    ExpectReadsBack(doc, values);

    // Writing the same file a second time changes nothing.
    IniDocument again = IniDocument::Parse(text);
    WriteSetupFile(again, values);
    EXPECT_EQ(again.Serialize(), text);
  }
}

TEST(SetupFormatTest, WriteThenReadRoundTrip) {
  IniDocument doc;
  SetupFileValues values = SampleValues();
  WriteSetupFile(doc, values);
  ExpectReadsBack(IniDocument::Parse(doc.Serialize()), values);

  // A second write with other values replaces every one of them.
  values.controller = 1;
  values.area = {70000, 0, 2, 1};
  values.rc[2][4].GAS_KIND = 7;
  values.wps[0][0] = {1, 500, 0, 0, 0, 0, 0, 0};
  WriteSetupFile(doc, values);
  ExpectReadsBack(doc, values);
}

TEST(SetupFormatTest, ParseSetupValue) {
  struct Row {
    const char* name;
    std::string text;
    std::int64_t expected;
  };
  const std::vector<Row> rows = {
      {"Decimal", "12", 12},
      {"LeadingZeros", "007", 7},
      {"Negative", "-7", -7},
      {"PlusSign", "+5", 5},
      {"Blanks", "  12 ", 12},
      {"HexLower", "0x1F", 31},
      {"HexUpperPrefix", "0X1f", 31},
      {"HexPrefixOnlyUpper", "0X", 0},
      {"HexPrefixOnlyLower", "0x", 0},
      {"HexBadDigit", "0x1G", 0},
      {"HexWithSign", "-0x10", 0},
      {"HexSignAfterPrefix", "0x-1", 0},
      {"HexMax", "0x7FFFFFFF", 2147483647},
      {"HexBeyond31Bits", "0x80000000", 0},
      {"Empty", "", 0},
      {"SignOnly", "-", 0},
      {"TrailingLetters", "12abc", 0},
      {"InnerBlank", "1 2", 0},
      {"DollarHex", "$1F", 0},
      {"Max", "2147483647", 2147483647},
      {"Min", "-2147483648", -2147483648LL},
      {"AboveMax", "2147483648", 0},
      {"BelowMin", "-2147483649", 0},
      {"Beyond64Bits", "99999999999999999999999", 0},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ParseSetupValue(row.text), row.expected) << row.name;
  }
}

TEST(SetupFormatTest, WordsKeepTheLow16BitsWhileFlagsAndAreasStayWhole) {
  struct Row {
    const char* name;
    std::string file;
    std::function<std::int64_t(const SetupFileRead&)> field;
    std::int64_t expected;
  };
  const std::vector<Row> rows = {
      {"MinusOneWord", "[SYSTEM]\r\nREGIST_WELDER1=-1\r\n",
       [](const SetupFileRead& r) { return r.content.REGIST_WELDER[0]; }, 65535},
      {"WrapsToZero", "[SYSTEM]\r\nWELDER2=65536\r\n",
       [](const SetupFileRead& r) { return r.content.WELDER[1]; }, 0},
      {"HexInRcSection", "[WELDER2_MODE10_RC]\r\nSPECIAL=0x1FFFF\r\n",
       [](const SetupFileRead& r) { return r.content.Rc[1][9].SPECIAL; }, 65535},
      {"LargeInWpsSection", "[WELDER4_MODE1_WPS]\r\nRATED_CURRENT=70000\r\n",
       [](const SetupFileRead& r) { return r.content.Wps[3][0].RATED_CURRENT; }, 4464},
      {"MostNegativeWord", "[WELDER3_CONTROL]\r\nDETAIL_PRAM_SET=-2147483648\r\n",
       [](const SetupFileRead& r) { return r.content.DETAIL_PRAM_SET[2]; }, 0},
      {"AreaWhole", "[SYSTEM]\r\nAREA_WELDER3=70000\r\n",
       [](const SetupFileRead& r) { return r.area[2]; }, 70000},
      {"AreaNegative", "[SYSTEM]\r\nAREA_WELDER1=-1\r\n",
       [](const SetupFileRead& r) { return r.area[0]; }, -1},
      {"FlagWhole", "[SYSTEM]\r\nUSERCWCD_WELDER4=65536\r\n",
       [](const SetupFileRead& r) { return r.useRcWcd[3]; }, 65536},
      {"NotANumber", "[SYSTEM]\r\nCONTROLLER=two\r\n",
       [](const SetupFileRead& r) { return r.content.CONTROLLER; }, 0},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(row.field(ReadSetupFile(IniDocument::Parse(row.file))), row.expected) << row.name;
  }
}

TEST(SetupFormatTest, FileWithoutSetupValuesReadsAsZeros) {
  struct Row {
    const char* name;
    std::string file;
  };
  const std::vector<Row> rows = {
      {"Empty", ""},
      {"OnlyForeignSection", "[OTHER]\r\nVERSION=5\r\nREGIST_WELDER1=5\r\n"},
      {"KeysBeforeAnySection", "VERSION=5\r\nAREA_WELDER1=2\r\n"},
      {"EmptyValues", "[SYSTEM]\r\nAREA_WELDER1=\r\nUSERCWCD_WELDER1=\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const SetupFileRead read = ReadSetupFile(IniDocument::Parse(row.file));
    EXPECT_EQ(read.content.Fields(), std::vector<std::uint16_t>(536, 0));
    for (std::size_t w = 0; w < kW; ++w) {
      EXPECT_EQ(read.useRcWcd[w], 0);
      EXPECT_EQ(read.area[w], 0);
    }
  }
}

TEST(SetupFormatTest, FieldsFollowTheOrderOfTheImage) {
  struct Row {
    const char* name;
    std::function<void(SetupFileContent&)> set;
    std::size_t index;
  };
  const std::vector<Row> rows = {
      {"Controller", [](SetupFileContent& c) { c.CONTROLLER = 42; }, 1},
      {"Welder1", [](SetupFileContent& c) { c.WELDER[0] = 42; }, 6},
      {"BaudrateCan2", [](SetupFileContent& c) { c.BAUDRATE_CAN2 = 42; }, 11},
      {"DetailPramSet4", [](SetupFileContent& c) { c.DETAIL_PRAM_SET[3] = 42; }, 15},
      {"RcW1M1Method", [](SetupFileContent& c) { c.Rc[0][0].METHOD = 42; }, 16},
      {"RcW2M1Method", [](SetupFileContent& c) { c.Rc[1][0].METHOD = 42; }, 66},
      {"WpsW1M1Enabled", [](SetupFileContent& c) { c.Wps[0][0].ENABLED = 42; }, 216},
      {"WpsW4M10Special", [](SetupFileContent& c) { c.Wps[3][9].SPECIAL = 42; }, 535},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    SetupFileContent content;
    row.set(content);
    std::vector<std::uint16_t> expected(536, 0);
    expected[row.index] = 42;
    EXPECT_EQ(content.Fields(), expected);
  }
}

}  // namespace
}  // namespace wisetup
