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

// The rows of UiTextTable by name; the numbers are the rows of the table.
// clang-format off
enum class TextRow : int {
  Title = 0,
  MenuSettings = 1,
  MenuBackupFolder = 2,
  MenuSetupFolder = 3,
  MenuReadSetupFile = 4,
  MenuLanguages = 5,
  MenuEnglish = 6,
  MenuJapanese = 7,
  RobotController = 8,
  WelderNo = 9,
  RegisteredWelder = 10,
  ActualWelder = 11,
  Area = 12,
  TransferRate = 13,
  WeldingCharacteristic = 14,
  Register1 = 15,
  Register2 = 16,
  Register3 = 17,
  Register4 = 18,
  Register5 = 19,
  Register6 = 20,
  Register7 = 21,
  Register8 = 22,
  Register9 = 23,
  Register10 = 24,
  RobotWeldingMode = 25,
  WelderWeldingMode = 26,
  BackupFolderLabel = 27,
  SetupFolderLabel = 28,
  CreateFiles = 29,
  Exit = 30,
  UseWeldingChar = 31,
  CannotOpen = 32,
  CannotRead = 33,
  CannotWrite = 34,
  WrongWelder = 35,
  WrongWelderCaption = 36,
  NoSetupFolder = 37,
  NoFolderCaption = 38,
  NoModeSelected = 39,
  WrongConfigurationCaption = 40,
  FileExists = 41,
  ConfirmOverwriteCaption = 42,
  FilesCreated = 43,
  CompletedCaption = 44,
  MethodsDiffer = 45,
  WrongFolder = 46,
  WrongFolderCaption = 47,
  ReferenceModeQuestion = 48,
  ConfirmCaption = 49,
  ReferenceModeHint = 50,
  BackupFolderPrompt = 51,
  SetupFolderPrompt = 52,
  MenuRestoreOriginals = 53,
  MenuHelp = 54,
  MenuAbout = 55,
};
// clang-format on
static_assert(static_cast<int>(TextRow::MenuAbout) + 1 == kUiTextRows);

extern const std::array<UiTextPair, kUiTextRows> UiTextTable;
extern const std::array<UiTextPair, 4> AreaItems;
extern const std::array<UiTextPair, 4> WelderNoItems;

// The text of `row` in `language` (0 Japanese, any other value English).
std::string UiTextOf(TextRow row, int language);

// "%s" in `format` replaced by `arg` (the first occurrence).
std::string FormatPath(const std::string& format, const std::string& arg);

// Captions that are the same in both languages.
inline constexpr const char* kOpenErrorCaption = "File Open Error";
inline constexpr const char* kReadErrorCaption = "File Read Error";
inline constexpr const char* kWriteErrorCaption = "File Write Error";
// The text of `pair` in `language` (0 Japanese, any other value English).
std::string TextOf(const UiTextPair& pair, int language);

}  // namespace wisetup
