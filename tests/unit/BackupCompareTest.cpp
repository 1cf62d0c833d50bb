#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "demo-data/DemoData.h"
#include "survey/BackupCompare.h"

namespace wisetup {
namespace {

using test::ReadBytes;
using test::WriteBytes;
namespace fs = std::filesystem;

// 13 tables: welder 1 (kind 5) 1, 2; welder 2 (kind 12) 11, 12, 14; welder 3 (kind 9) 21, 22, 23;
// welder 4 (kind 13) 31 .. 35.
constexpr std::size_t kDemoTables = 13;

// "w.r:STATE" per pair, "+FIELD" or "+bytes@offset" per change of a pair that differs.
std::vector<std::string> Describe(const BackupComparison& c) {
  static const char* const kStates[] = {"only-a", "only-b", "unreadable", "forms", "differs"};
  std::vector<std::string> out;
  for (const KindDifference& k : c.kinds) {
    out.push_back("kind" + std::to_string(k.welder + 1) + ":" + std::to_string(k.kindA) + ">" +
                  std::to_string(k.kindB));
  }
  for (const RegistrationPair& p : c.pairs) {
    out.push_back(std::to_string(p.welder + 1) + "." + std::to_string(p.registration + 1) + ":" +
                  kStates[static_cast<int>(p.state)]);
    for (const RecordChange& change : p.changes) {
      out.push_back(change.field.empty() ? "+bytes@" + std::to_string(change.offset)
                                         : "+" + change.field);
    }
  }
  return out;
}

class BackupCompareTest : public test::TempDirTest {
 public:
  void SetUp() override {
    TempDirTest::SetUp();
    demo::WriteDemoBackup(dir_ / "a");
    demo::WriteDemoBackup(dir_ / "b");
  }
  fs::path Weld(const char* side) const { return dir_ / side / "WORK" / "A_APPLICATION" / "WELD"; }
  fs::path Config(const char* side) const { return dir_ / side / "WORK" / "Ac01arcw.CON"; }
  void ReplaceInConfig(const char* side, const std::string& from, const std::string& to) {
    std::string text = ReadBytes(Config(side));
    const std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    WriteBytes(Config(side), text.replace(at, from.size(), to));
  }
  BackupComparison Compare() const {
    const BackupSnapshot a = ReadBackupSnapshot(Path("a"));
    const BackupSnapshot b = ReadBackupSnapshot(Path("b"));
    EXPECT_TRUE(a.ok() && b.ok());
    return CompareBackups(a, b);
  }
};

struct Case {
  const char* name;
  std::function<void(BackupCompareTest&)> change;  // made to backup B
  std::vector<std::string> expected;
  std::size_t identical;
};

TEST_F(BackupCompareTest, PairsTablesByWelderAndRegistration) {
  const std::vector<Case> cases = {
      {"identical", [](BackupCompareTest&) {}, {}, kDemoTables},
      {"one field changed",
       [](BackupCompareTest& t) {
         std::string bytes = ReadBytes(t.Weld("b") / "$WTBD2");
         bytes[74] = static_cast<char>(bytes[74] + 1);  // METHOD of the short form
         WriteBytes(t.Weld("b") / "$WTBD2", bytes);
       },
       {"1.2:differs", "+METHOD"},
       kDemoTables - 1},
      {"other bytes changed, tail beyond the record ignored",
       [](BackupCompareTest& t) {
         std::string bytes = ReadBytes(t.Weld("b") / "$WTBD31");
         bytes[0] = static_cast<char>(bytes[0] ^ 1);
         WriteBytes(t.Weld("b") / "$WTBD31", bytes + "tail");
       },
       {"4.1:differs", "+bytes@0"},
       kDemoTables - 1},
      {"table in A only",
       [](BackupCompareTest& t) { t.ReplaceInConfig("b", "A_WTBD=11, 12, -1, 14", "A_WTBD=11"); },
       {"2.2:only-a", "2.4:only-a"},
       kDemoTables - 2},
      {"renumbered table paired by registration",
       [](BackupCompareTest& t) {
         t.ReplaceInConfig("b", "A_WTBD=1,2", "A_WTBD=1,7");
         fs::rename(t.Weld("b") / "$WTBD2", t.Weld("b") / "$wtbd7");
       },
       {},
       kDemoTables},
      {"kinds of one form differ",
       [](BackupCompareTest& t) { t.ReplaceInConfig("b", "A_KIND=5,", "A_KIND=11,"); },
       {"kind1:5>11"},
       kDemoTables},
      {"kinds of two forms differ",
       [](BackupCompareTest& t) {
         t.ReplaceInConfig("b", "A_KIND=5,", "A_KIND=12,");
         for (const char* name : {"$WTBD1", "$WTBD2"}) {
           WriteBytes(t.Weld("b") / name, ReadBytes(t.Weld("b") / name) + std::string(76, 'x'));
         }
       },
       {"kind1:5>12", "1.1:forms", "1.2:forms"},
       kDemoTables - 2},
      {"tables too short for the kind registered",
       [](BackupCompareTest& t) { t.ReplaceInConfig("b", "A_KIND=5,", "A_KIND=12,"); },
       {"kind1:5>12", "1.1:unreadable", "1.2:unreadable"},
       kDemoTables - 2},
      {"welder unregistered in B",
       [](BackupCompareTest& t) { t.ReplaceInConfig("b", "A_KIND=5,", "A_KIND=0,"); },
       {"kind1:5>0", "1.1:only-a", "1.2:only-a"},
       kDemoTables - 2},
      {"unreadable table, the rest compared",
       [](BackupCompareTest& t) { WriteBytes(t.Weld("b") / "$WTBD22", "short"); },
       {"3.2:unreadable"},
       kDemoTables - 1},
      {"missing table file",
       [](BackupCompareTest& t) { fs::remove(t.Weld("b") / "$WTBD14"); },
       {"2.4:unreadable"},
       kDemoTables - 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(dir_ / "b");
    demo::WriteDemoBackup(dir_ / "b");
    c.change(*this);
    const BackupComparison comparison = Compare();
    EXPECT_EQ(Describe(comparison), c.expected);
    EXPECT_EQ(comparison.identical, c.identical);
    EXPECT_EQ(comparison.Outcome(),
              c.expected.empty() ? CompareOutcome::Same : CompareOutcome::Differ);
  }
}

TEST_F(BackupCompareTest, UnreadableTableNamesTheFileAndSide) {
  WriteBytes(Weld("b") / "$WTBD22", "short");
  const BackupComparison comparison = Compare();
  ASSERT_EQ(comparison.pairs.size(), 1u);
  const RegistrationPair& pair = comparison.pairs[0];
  EXPECT_TRUE(pair.a.status.ok());
  EXPECT_EQ(pair.b.status.code, FileCode::CannotRead);
  EXPECT_EQ(pair.b.status.path, (Weld("b") / "$WTBD22").string());
  EXPECT_EQ(pair.a.number, 22);
}

TEST_F(BackupCompareTest, FieldChangeCarriesBothValues) {
  std::string bytes = ReadBytes(Weld("b") / "$WTBD1");
  const auto old = static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[86]) |
                                              static_cast<unsigned char>(bytes[87]) << 8);
  bytes[87] = static_cast<char>(bytes[87] + 1);  // RATED_CURRENT of the short form, plus 256
  WriteBytes(Weld("b") / "$WTBD1", bytes);
  const BackupComparison comparison = Compare();
  ASSERT_EQ(comparison.pairs.size(), 1u);
  ASSERT_EQ(comparison.pairs[0].changes.size(), 1u);
  const RecordChange& change = comparison.pairs[0].changes[0];
  EXPECT_EQ(change.field, "RATED_CURRENT");
  EXPECT_EQ(change.oldValue, old);
  EXPECT_EQ(change.newValue, old + 256);
}

TEST_F(BackupCompareTest, FolderThatIsNoBackupSaysWhy) {
  struct Fault {
    const char* name;
    std::string config;  // empty: no configuration file at all
    BackupFault fault;
    std::string where;
  };
  const std::vector<Fault> faults = {
      {"no configuration", "", BackupFault::NoConfig, ""},
      {"no welder kind", "[ARC_WELDER]\r\nX=1\r\n", BackupFault::NoWelderKind, ""},
      {"kind not a number", "[ARC_WELDER]\r\nA_KIND=5,x\r\n", BackupFault::BadNumber,
       "[ARC_WELDER] A_KIND"},
      {"table not a number", "[ARC_WELDER]\r\nA_KIND=5\r\n[WELD_PROPERTY3]\r\nA_WTBD=1,2y\r\n",
       BackupFault::BadNumber, "[WELD_PROPERTY3] A_WTBD"},
  };
  for (const Fault& f : faults) {
    SCOPED_TRACE(f.name);
    fs::remove_all(dir_ / "c");
    fs::create_directories(dir_ / "c");
    if (!f.config.empty()) WriteBytes(Config("c"), f.config);
    const BackupSnapshot snapshot = ReadBackupSnapshot(Path("c"));
    EXPECT_EQ(snapshot.fault, f.fault);
    EXPECT_EQ(snapshot.where, f.where);
  }
}

TEST_F(BackupCompareTest, SameFolderTwiceIsSaidAndSame) {
  const BackupSnapshot a = ReadBackupSnapshot(Path("a"));
  const BackupSnapshot again = ReadBackupSnapshot(Path("a") + "/");
  const BackupComparison comparison = CompareBackups(a, again);
  EXPECT_TRUE(comparison.sameFolder);
  EXPECT_EQ(comparison.Outcome(), CompareOutcome::Same);
  EXPECT_FALSE(Compare().sameFolder);
}

// Every file's bytes, mode and time of change, and every name, below a folder.
std::map<std::string, std::string> Listing(const fs::path& root) {
  std::map<std::string, std::string> out;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const auto status = fs::symlink_status(entry.path());
    std::string facts = std::to_string(static_cast<int>(status.permissions()));
    facts += "@" + std::to_string(fs::last_write_time(entry.path()).time_since_epoch().count());
    if (entry.is_regular_file()) facts += ":" + ReadBytes(entry.path());
    out[entry.path().string()] = facts;
  }
  return out;
}

TEST_F(BackupCompareTest, ComparingWritesNothing) {
  WriteBytes(Weld("b") / "$WTBD22", "short");
  fs::permissions(Weld("b") / "$WTBD23", fs::perms::none);
  const auto before = Listing(dir_);
  for (int i = 0; i < 2; ++i) (void)Compare();
  EXPECT_EQ(Listing(dir_), before);
  fs::permissions(Weld("b") / "$WTBD23", fs::perms::owner_all);
}

}  // namespace
}  // namespace wisetup
