#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "changes/ChangeList.h"
#include "setupfile/SetupFormat.h"
#include "text/IniDocument.h"

namespace wisetup {
namespace {

std::string Content(const RobotWeldTable& table) {
  const auto bytes = table.Bytes();
  return std::string(bytes.begin(), bytes.end());
}

RobotWeldTable Patterned(TableForm form) {
  RobotWeldTable t(form);
  auto bytes = t.MutableBytes();
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
  return t;
}

std::string Written(const std::string& old, const SetupFileValues& values) {
  IniDocument doc = IniDocument::Parse(old);
  doc.DropShadowedKeys(IsSetupFileKey);
  WriteSetupFile(doc, values);
  return doc.Serialize();
}

// "NAME@offset:old>new" for a field, "bytes@offset+length" for a run.
std::vector<std::string> Describe(const std::vector<RecordChange>& changes) {
  std::vector<std::string> out;
  for (const RecordChange& c : changes) {
    if (c.field.empty()) {
      out.push_back("bytes@" + std::to_string(c.offset) + "+" + std::to_string(c.length));
    } else {
      out.push_back(c.field + "@" + std::to_string(c.offset) + ":" + std::to_string(c.oldValue) +
                    ">" + std::to_string(c.newValue));
    }
  }
  return out;
}

TEST(ChangeListNamedFields, OffsetsOfBothForms) {
  struct Row {
    TableForm form;
    std::size_t count;
    std::vector<std::pair<std::string, std::size_t>> probes;
  };
  const Row rows[] = {
      {TableForm::Short,
       7 + 5 * 4,
       {{"METHOD", 74},
        {"SPECIAL", 84},
        {"RATED_VOLTAGE", 88},
        {"CONDITION1.COND_CURRENT", 90},
        {"CONDITION3.COND_CURRENT", 106},
        {"CONDITION3.COND_CURRENT_CMD", 112},
        {"CONDITION5.COND_CHAR_VALUE_2", 132}}},
      {TableForm::Long,
       7 + 10 * 4,
       {{"METHOD", 112},
        {"RATED_CURRENT", 124},
        {"CONDITION3.COND_CURRENT_CMD", 150},
        {"CONDITION7.COND_CURRENT_CMD", 182},
        {"CONDITION7.COND_CHAR_VALUE", 188},
        {"CONDITION10.COND_CHAR_VALUE_2", 214}}},
  };
  for (const Row& row : rows) {
    const auto fields = RobotWeldTable::NamedFields(row.form);
    ASSERT_EQ(fields.size(), row.count);
    for (std::size_t i = 1; i < fields.size(); ++i)
      EXPECT_LT(fields[i - 1].offset, fields[i].offset);
    for (const auto& [name, offset] : row.probes) {
      const auto it =
          std::find_if(fields.begin(), fields.end(), [&](const auto& f) { return f.name == name; });
      ASSERT_NE(it, fields.end()) << name;
      EXPECT_EQ(it->offset, offset) << name;
    }
  }
}

// Every named word of each form, changed alone, gives exactly its own line.
TEST(ChangeListRecords, EachNamedFieldAlone) {
  for (const TableForm form : {TableForm::Short, TableForm::Long}) {
    for (const auto& field : RobotWeldTable::NamedFields(form)) {
      const RobotWeldTable old = Patterned(form);
      RobotWeldTable revised = old;
      revised.SetWord(field.offset, static_cast<std::uint16_t>(old.Word(field.offset) ^ 0x0100u));
      const auto changes = CompareRecords(form, Content(old), Content(revised));
      ASSERT_EQ(changes.size(), 1u) << field.name;
      EXPECT_EQ(changes[0].field, field.name);
      EXPECT_EQ(changes[0].offset, field.offset);
      EXPECT_EQ(changes[0].oldValue, old.Word(field.offset));
      EXPECT_EQ(changes[0].newValue, revised.Word(field.offset));
    }
  }
}

// What the recipes write: the rated words and the condition words (the interpolating recipes), or
// the catalogue template whole, head and uninterpreted words included.
TEST(ChangeListRecords, RecipesFieldsAndByteRuns) {
  struct Row {
    const char* name;
    TableForm form;
    void (*revise)(RobotWeldTable&);
    std::vector<std::string> expected;
  };
  const Row rows[] = {
      {"rated by model",
       TableForm::Long,
       [](RobotWeldTable& t) {
         t.SetRatedCurrent(500);
         t.SetCondCurrentCmd(1, 321);
       },
       {"RATED_CURRENT@124:" + std::to_string(Patterned(TableForm::Long).RatedCurrent()) + ">500",
        "CONDITION1.COND_CURRENT_CMD@130:" +
            std::to_string(Patterned(TableForm::Long).CondCurrentCmd(1)) + ">321"}},
      {"interpolated characteristic values",
       TableForm::Short,
       [](RobotWeldTable& t) {
         for (int g = 1; g <= 5; ++g) {
           t.SetCondCharValue(g, static_cast<std::uint16_t>(10 * g));
           t.SetCondCharValue2(g, static_cast<std::uint16_t>(10 * g));
         }
       },
       {}},
      {"whole template: head, spare word, group 3 and 7 words",
       TableForm::Long,
       [](RobotWeldTable& t) {
         auto b = t.MutableBytes();
         for (std::size_t i = 100; i < 114; ++i) b[i] = static_cast<std::uint8_t>(~b[i]);
         b[120] = static_cast<std::uint8_t>(~b[120]);
         b[121] = static_cast<std::uint8_t>(~b[121]);
         for (std::size_t i = 146; i < 150; ++i) b[i] = static_cast<std::uint8_t>(~b[i]);
         b[185] = static_cast<std::uint8_t>(~b[185]);
         b[216] = static_cast<std::uint8_t>(~b[216]);
         b[223] = static_cast<std::uint8_t>(~b[223]);
       },
       {"bytes@100+12", "METHOD@112:", "bytes@120+2", "bytes@146+4", "bytes@185+1", "bytes@216+1",
        "bytes@223+1"}},
  };
  for (const Row& row : rows) {
    const RobotWeldTable old = Patterned(row.form);
    RobotWeldTable revised = old;
    row.revise(revised);
    const auto got = Describe(CompareRecords(row.form, Content(old), Content(revised)));
    if (std::string(row.name) == "interpolated characteristic values") {
      ASSERT_EQ(got.size(), 10u) << row.name;
      EXPECT_EQ(got[0],
                "CONDITION1.COND_CHAR_VALUE@94:" + std::to_string(old.CondCharValue(1)) + ">10");
      EXPECT_EQ(got[9].rfind("CONDITION5.COND_CHAR_VALUE_2@132:", 0), 0u);
      continue;
    }
    ASSERT_EQ(got.size(), row.expected.size()) << row.name;
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].rfind(row.expected[i], 0), 0u) << row.name << ": " << got[i];
    }
  }
}

TEST(ChangeListRecords, TailAndShortFiles) {
  const RobotWeldTable old = Patterned(TableForm::Short);
  RobotWeldTable revised = old;
  revised.SetMethod(3);
  // A longer file keeps its tail; the tail is not part of the list even when it would differ.
  const std::string tail(152, 'x');
  const auto changes = CompareRecords(TableForm::Short, Content(old) + tail,
                                      Content(revised) + std::string(152, 'y'));
  ASSERT_EQ(Describe(changes).size(), 1u);
  EXPECT_EQ(changes[0].field, "METHOD");
  // Bytes the old file did not have are changed, whatever their new value.
  const auto grown = CompareRecords(TableForm::Short, Content(old).substr(0, 60), Content(old));
  ASSERT_FALSE(grown.empty());
  EXPECT_EQ(Describe(grown).front(), "bytes@60+14");
}

SetupFileValues Values(int controller) {
  SetupFileValues v;
  v.controller = controller;
  v.registWelder = {5, 12, 9, 13};
  v.modelCode = {3, 4, 5, 6};
  v.rc[0][0].METHOD = 2;
  v.wps[0][0] = {1, 350, 36, 2, 12, 0, 1, 0};
  return v;
}

TEST(ChangeListSetupFile, NewFileHasNoKeyLines) {
  const ChangeList list = ComputeChangeList({{"/s/ZelSetUp.ini", ComposedKind::SetupFile,
                                              TableForm::Long, false, "", Written("", Values(1))}});
  ASSERT_EQ(list.files.size(), 1u);
  EXPECT_EQ(list.files[0].state, FileState::New);
  EXPECT_TRUE(list.files[0].keys.empty());
  EXPECT_EQ(list.ChangedCount(), 1u);
  // The driver's lines stay without keys; the written keys are there for the person reading.
  EXPECT_EQ(PreviewLines(list).size(), 2u);
  const IniDocument written = IniDocument::Parse(Written("", Values(1)));
  std::size_t keys = 0;
  for (const SectionKeys& section : list.files[0].written) {
    for (const auto& [key, value] : section.keys) {
      EXPECT_EQ(written.Get(section.section, key), value) << section.section << "/" << key;
      ++keys;
    }
  }
  EXPECT_EQ(keys, written.ReachableKeys().size());
}

// Grouped by section in file order, with the values a reader gets: neither a second copy of a key
// nor a repeated section, which no lookup reaches, is listed.
TEST(ChangeListSetupFile, KeysOfANewFileInFileOrder) {
  const auto sections =
      SetupFileKeys("[B]\r\nY=2\r\nX = \"a b\"\r\nY=3\r\n[A]\r\nZ=\r\n[B]\r\nW=4\r\n");
  std::vector<std::string> seen;
  for (const SectionKeys& section : sections) {
    seen.push_back("[" + section.section + "]");
    for (const auto& [key, value] : section.keys) seen.push_back(key + "=" + value);
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"[B]", "Y=2", "X=a b", "[A]", "Z="}));
}

// Foreign sections, a duplicated key, a key line without "=", a value with blanks: only the
// writer's keys whose value changes are listed, in the order of the new file.
TEST(ChangeListSetupFile, ExistingFileWithForeignContent) {
  const std::string old =
      "[FOREIGN]\r\nNOTE = a value with blanks \r\nNOVALUE\r\n"
      "[SYSTEM]\r\nCONTROLLER=2\r\nCONTROLLER=7\r\nVERSION=1\r\n";
  const std::string fresh = Written(old, Values(1));
  const auto keys = CompareSetupFiles(old, fresh);
  ASSERT_GE(keys.size(), 3u);
  EXPECT_EQ(keys[0].key, "SYSTEM/CONTROLLER");
  EXPECT_EQ(keys[0].oldValue, "2");
  EXPECT_EQ(keys[0].newValue, "1");
  for (const KeyChange& k : keys) {
    EXPECT_NE(k.key.rfind("FOREIGN/", 0), 0u) << k.key;
    EXPECT_NE(k.oldValue, k.newValue) << k.key;
    if (k.key == "SYSTEM/VERSION") ADD_FAILURE() << "VERSION kept its value";
  }
  const auto absent = std::find_if(keys.begin(), keys.end(),
                                   [](const KeyChange& k) { return k.key == "SYSTEM/WELDER1"; });
  ASSERT_NE(absent, keys.end());
  EXPECT_EQ(absent->oldValue, "");
  // Writing the same values again changes nothing.
  EXPECT_TRUE(CompareSetupFiles(fresh, Written(fresh, Values(1))).empty());
}

TEST(ChangeList, OrderStatesAndCounts) {
  const RobotWeldTable t1 = Patterned(TableForm::Short);
  RobotWeldTable r1 = t1;
  r1.SetCondCurrent(2, 180);
  const RobotWeldTable t2 = Patterned(TableForm::Long);
  const std::string setup = Written("", Values(1));
  struct Row {
    const char* name;
    std::vector<ComposedFile> composed;
    std::vector<FileState> states;
    std::size_t changed;
  };
  const Row rows[] = {
      {"nothing changes",
       {{"/s/ZelSetUp.ini", ComposedKind::SetupFile, TableForm::Long, true, setup, setup},
        {"/w/$WTBD1", ComposedKind::Table, TableForm::Short, true, Content(t1), Content(t1)}},
       {FileState::Unchanged, FileState::Unchanged},
       0},
      // A table two registrations write is composed once, with its final content: written back to
      // what it held, it does not change.
      {"table written twice ends as it was",
       {{"/s/ZelSetUp.ini", ComposedKind::SetupFile, TableForm::Long, true, setup,
         Written(setup, Values(2))},
        {"/w/$WTBD1", ComposedKind::Table, TableForm::Short, true, Content(t1), Content(r1)},
        {"/w/$WTBD2", ComposedKind::Table, TableForm::Long, true, Content(t2), Content(t2)}},
       {FileState::Changed, FileState::Changed, FileState::Unchanged},
       2},
  };
  for (const Row& row : rows) {
    const ChangeList list = ComputeChangeList(row.composed);
    ASSERT_EQ(list.files.size(), row.states.size()) << row.name;
    for (std::size_t i = 0; i < row.states.size(); ++i) {
      EXPECT_EQ(list.files[i].path, row.composed[i].path) << row.name;
      EXPECT_EQ(list.files[i].state, row.states[i]) << row.name << " " << i;
      if (row.states[i] == FileState::Unchanged) {
        EXPECT_TRUE(list.files[i].keys.empty() && list.files[i].record.empty()) << row.name;
      }
    }
    EXPECT_EQ(list.ChangedCount(), row.changed) << row.name;
  }
}

}  // namespace
}  // namespace wisetup
