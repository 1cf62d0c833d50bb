// The names assistive technology reads: every control a user acts on or reads has one in both
// languages, and a field is named by the caption of the label beside it. The quoted names are
// rows of UiTextsTest.cpp.
#include <algorithm>
#include <cctype>
#include <string>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/AccessibleTexts.h"
#include "app/Mainunit.h"
#include "app/UiTexts.h"

namespace wisetup {
namespace {

using test::RecordingPlatform;

// Marks alone ("...") say nothing; any letter or digit, or any byte of a multi-byte character,
// does.
bool SaysSomething(const std::string& text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0x80;
  });
}

class AccessibleNames : public testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    form_.LanguageIndex = GetParam();
    (void)form_.ApplyLanguage(GetParam());  // no backup: only the captions matter here
  }
  RecordingPlatform platform_;
  TForm1 form_{platform_};
};

TEST_P(AccessibleNames, EveryControlUsedOrReadSaysWhatItIs) {
  const int language = GetParam();
  for (int i = 0; i < kControlCount; ++i) {
    const auto c = static_cast<Ctl>(i);
    const ControlInfo& info = InfoOf(c);
    const bool readOnlyText = info.props == (kText | kEnabled | kVisible);
    if (info.action == UserAction::None && !readOnlyText) continue;
    const std::string name = AccessibleNameOf(c, language);
    const std::string& caption = form_.C(c).Caption;
    EXPECT_TRUE(SaysSomething(name) || ((info.props & kCaption) && SaysSomething(caption)))
        << info.name << " caption '" << caption << "'";
  }
}

TEST_P(AccessibleNames, FieldsAreNamedByTheLabelBesideThem) {
  const int language = GetParam();
  int tied = 0;
  for (int i = 0; i < kControlCount; ++i) {
    const auto c = static_cast<Ctl>(i);
    const Ctl label = LabelOf(c);
    if (label == Ctl::Count) continue;
    ++tied;
    const std::string name = AccessibleNameOf(c, language);
    const std::string& caption = form_.C(label).Caption;
    ASSERT_FALSE(caption.empty()) << InfoOf(label).name;
    EXPECT_EQ(name.substr(0, caption.size()), caption) << InfoOf(c).name;
    // A registration's controls say which registration they are on.
    const Ctl tab = InfoOf(c).parent;
    if (InfoOf(tab).parent == Ctl::PageControlRejist) {
      const std::string& register_ = form_.C(tab).Caption;
      EXPECT_EQ(name.substr(name.size() - std::min(name.size(), register_.size())), register_)
          << InfoOf(c).name;
    }
  }
  EXPECT_EQ(tied, 2 * kRegistrations + 2);
}

INSTANTIATE_TEST_SUITE_P(Languages, AccessibleNames, testing::Values(0, 1),
                         [](const testing::TestParamInfo<int>& row) {
                           return row.param == 0 ? "Japanese" : "English";
                         });

}  // namespace
}  // namespace wisetup
