// The bilingual text table of the user interface and the two language-dependent item lists.
#pragma once

#include <array>
#include <string>

namespace wisetup {

inline constexpr int kUiTextRows = 56;

struct UiTextPair {
  const char* japanese;
  const char* english;
};

extern const std::array<UiTextPair, kUiTextRows> UiTextTable;
extern const std::array<UiTextPair, 4> AreaItems;
extern const std::array<UiTextPair, 4> WelderNoItems;

// The text of `row` in `language` (0 Japanese, any other value English).
std::string UiTextOf(int row, int language);

// "%s" in `format` replaced by `arg` (the first occurrence).
std::string FormatPath(const std::string& format, const std::string& arg);

// Captions that are the same in both languages.
inline constexpr const char* kOpenErrorCaption = "File Open Error";
inline constexpr const char* kReadErrorCaption = "File Read Error";
inline constexpr const char* kWriteErrorCaption = "File Write Error";
// An error that escapes a handler when a profile file cannot be written.
inline constexpr const char* kCannotWriteFormat = "%s に書き込めません";

}  // namespace wisetup
