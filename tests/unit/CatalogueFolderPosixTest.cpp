// The catalogue folder listing over every kind of entry (FIFOs, sockets, symbolic links): this
// system's.
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SystemObjects.h"
#include "TestSupport.h"
#include "catalogue/CatalogueFolder.h"

namespace wisetup {
namespace {

using std::string;
using std::vector;
using test::PrintTo;
using test::RowName;

// ---- catalogue folder listing ------------------------------------------------------------------

enum class Entry { File, Folder, Fifo, Socket, BrokenLink, LinkToFile, LinkToFolder };

struct ListRow {
  const char* name;
  vector<std::pair<string, Entry>> entries;
  vector<string> listed;
};

class Listing : public test::TempDirTest, public testing::WithParamInterface<ListRow> {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    root_ = dir_.string();
    std::ofstream(root_ + "/target", std::ios::binary) << "t";
    std::filesystem::create_directory(root_ + "/target-folder");
    folder_ = root_ + "/cat";
    std::filesystem::create_directory(folder_);
  }

  void Make(const string& name, Entry kind) {
    const string path = folder_ + "/" + name;
    switch (kind) {
      case Entry::File:
        std::ofstream(path, std::ios::binary) << "x";
        break;
      case Entry::Folder:
        ASSERT_TRUE(std::filesystem::create_directory(path));
        std::filesystem::permissions(path, std::filesystem::perms(0755));
        break;
      case Entry::Fifo:
        ASSERT_TRUE(test::MakeFifo(path));
        break;
      case Entry::Socket:
        ASSERT_TRUE(test::MakeSocket(path));
        break;
      case Entry::BrokenLink:
        std::filesystem::create_symlink(root_ + "/missing", path);
        break;
      case Entry::LinkToFile:
        std::filesystem::create_symlink(root_ + "/target", path);
        break;
      case Entry::LinkToFolder:
        std::filesystem::create_symlink(root_ + "/target-folder", path);
        break;
    }
  }

  string root_;
  string folder_;
};

TEST_P(Listing, ListsInUpperCaseByteOrder) {
  for (const auto& [name, kind] : GetParam().entries) Make(name, kind);
  EXPECT_EQ(ListTemplateEntries(folder_), GetParam().listed);
}

constexpr Entry F = Entry::File;

INSTANTIATE_TEST_SUITE_P(
    Rows, Listing,
    testing::Values(
        // Plain byte order would put "$WTBD_X" before "$WTBDa" and "$wtbd3" last.
        ListRow{"UpperCaseByteOrder",
                {{"$WTBD2", F}, {"$WTBD10", F}, {"$wtbd3", F}, {"$WTBD_X", F}, {"$WTBDa", F}},
                {"$WTBD10", "$WTBD2", "$wtbd3", "$WTBDa", "$WTBD_X"}},
        ListRow{"PrefixMatchIgnoresCase",
                {{"$wTbD5", F},
                 {"$WTBD", F},
                 {"$WTB", F},
                 {"X$WTBD1", F},
                 {"$WPLS1", F},
                 {"WTBD1", F},
                 {"$WTBE1", F}},
                {"$WTBD", "$wTbD5"}},
        ListRow{"OnlyFilesAndFoldersListed",
                {{"$WTBD1", Entry::Folder},
                 {"$WTBD2", Entry::Fifo},
                 {"$WTBD3", Entry::Socket},
                 {"$WTBD4", Entry::BrokenLink},
                 {"$WTBD5", Entry::LinkToFile},
                 {"$WTBD6", Entry::LinkToFolder},
                 {"$WTBD7", F}},
                {"$WTBD1", "$WTBD5", "$WTBD6", "$WTBD7"}},
        ListRow{"CaseTwinsInByteOrder",
                {{"$wtbd1", F}, {"$WTBD1", F}, {"$Wtbd1", F}},
                {"$WTBD1", "$Wtbd1", "$wtbd1"}},
        ListRow{"BytesAboveAsciiSortLast",
                {{"$WTBD\xc3\xa4", F}, {"$WTBDz", F}, {"$WTBD~", F}},
                {"$WTBDz", "$WTBD~", "$WTBD\xc3\xa4"}},
        ListRow{"EmptyFolder", {}, {}}),
    RowName());

TEST(ListingWithoutFolder, GivesNothing) {
  EXPECT_TRUE(ListTemplateEntries("/nonexistent-wisetup-folder/HXR/JPN/").empty());
  EXPECT_TRUE(ListTemplateEntries("/dev/null").empty());
}

class ListingCompanions : public Listing {};

// Every kind of entry is a candidate: a companion that is a folder, a pipe or a broken link is
// found and then fails to read, rather than being passed over for a twin in another case.
TEST_F(ListingCompanions, TakesEveryKindOfEntryFromTheOneListing) {
  const std::pair<string, Entry> entries[] = {
      {"$WTBD1", Entry::File},       {"$WPLS1", Entry::Folder}, {"$wpls1", Entry::File},
      {"$WTBD2", Entry::File},       {"$WPLS2", Entry::Fifo},   {"$WTBD3", Entry::File},
      {"$WPLS3", Entry::BrokenLink}, {"$wtbd4", Entry::File},   {"$WPLS4", Entry::LinkToFile},
      {"$WTBD5", Entry::File}};
  for (const auto& [name, kind] : entries) Make(name, kind);
  const CatalogueListing listing = ListCatalogueFolder(folder_);
  EXPECT_EQ(listing.templates, (vector<string>{"$WTBD1", "$WTBD2", "$WTBD3", "$wtbd4", "$WTBD5"}));
  EXPECT_EQ(listing.companions.Find("$WTBD1"), "$WPLS1");
  EXPECT_EQ(listing.companions.Find("$WTBD2"), "$WPLS2");
  EXPECT_EQ(listing.companions.Find("$WTBD3"), "$WPLS3");
  EXPECT_EQ(listing.companions.Find("$wtbd4"), "$WPLS4");
  EXPECT_EQ(listing.companions.Find("$WTBD5"), std::nullopt);
}

}  // namespace
}  // namespace wisetup
