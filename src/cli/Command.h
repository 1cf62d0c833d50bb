// What a headless command is: its word, its one-line description, its options (each with one help
// line) and what runs it, declared once. Parsing, the usage, the command's --help and the list of
// `wisetup --help` are all made from these declarations.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/UiTexts.h"
#include "cli/CliPlatform.h"

namespace wisetup {

struct OptionSpec {
  const char* name;   // "--backup"
  const char* value;  // what follows it ("DIR"), or nullptr for a flag
  bool required = false;
  bool repeated = false;
  // The option this one pairs with: it is given once after each of that one, before the next.
  const char* follows = nullptr;
  UiTextPair help;
};

// The options given, in the order given.
struct Arguments {
  struct Given {
    std::string option;
    std::string value;
  };
  std::vector<Given> given;
  std::vector<std::string> operands;  // the words that are no option, in order

  bool Has(const std::string& option) const;
  // The value of the first time `option` was given; empty when it was not.
  std::string Value(const std::string& option) const;
};

struct CommandContext {
  std::ostream& out;
  std::ostream& err;
  CliPlatform& platform;
  int language;  // 0 Japanese, 1 English
};

struct CommandSpec {
  const char* word;
  UiTextPair description;
  std::vector<OptionSpec> options;
  UiTextPair exitStatus;  // one line
  int (*run)(const Arguments& arguments, CommandContext& context);
  // The words given without an option ("BACKUP_A"), each required.
  std::vector<const char*> operands = {};
};

inline constexpr int kExitUsage = 2;

// The options every command takes besides its own.
const std::vector<OptionSpec>& CommonOptions();

// The options given, or the line that says what is wrong with them (`error`).
std::optional<Arguments> ParseArguments(const CommandSpec& command,
                                        const std::vector<std::string>& words, int language,
                                        std::string& error);
// "wisetup WORD --option VALUE [--flag]...", made from the declarations.
std::string Synopsis(const CommandSpec& command);
// The usage lines and every option with its help line.
std::string HelpText(const CommandSpec& command, int language);

// A path given on the command line as the native absolute path the window would have chosen.
std::string AbsolutePath(const std::string& path);
// Where a folder really is, so that a folder given twice under two names is seen as one.
std::string CanonicalFolder(const std::string& folder);

}  // namespace wisetup
