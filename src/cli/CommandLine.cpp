#include "cli/CommandLine.h"

#include <algorithm>
#include <string_view>

#include "app/ChangeTexts.h"
#include "cli/ApplyCommand.h"
#include "cli/CheckCommand.h"
#include "cli/CliTexts.h"
#include "cli/CompareCommand.h"
#include "cli/UndoCommand.h"

namespace wisetup {
namespace {

// Options the window system takes itself, with one dash or two.
constexpr std::string_view kWindowOptions[] = {"platform",      "platformpluginpath",
                                               "platformtheme", "plugin",
                                               "display",       "geometry",
                                               "style",         "stylesheet",
                                               "reverse",       "session",
                                               "name",          "title",
                                               "visual",        "qwindowgeometry",
                                               "qwindowicon",   "qwindowtitle",
                                               "widgetcount",   "nograb",
                                               "dograb",        "sync",
                                               "fontengine"};

bool IsWindowOption(std::string_view word) {
  if (word == "--version" || word == "-v") return true;
  if (!word.starts_with("-")) return false;
  word.remove_prefix(word.starts_with("--") ? 2 : 1);
  return std::find(std::begin(kWindowOptions), std::end(kWindowOptions), word) !=
         std::end(kWindowOptions);
}

std::string ToolHelp(int language) {
  std::string out = CliTextOf(CliText::ToolHelp, language) + "\n\n" +
                    CliTextOf(CliText::UsageHeading, language) + "\n  wisetup [-h|--help] " +
                    "[-v|--version]\n";
  for (const CommandSpec* command : Commands()) out += "  " + Synopsis(*command) + "\n";
  out += "\n" + CliTextOf(CliText::CommandsHeading, language) + "\n";
  for (const CommandSpec* command : Commands()) {
    std::string word = command->word;
    word.resize(std::max<std::size_t>(word.size() + 2, 8), ' ');
    out += "  " + word + TextOf(command->description, language) + "\n";
  }
  return out + "\n" + CliTextOf(CliText::OptionsHeading, language) + "\n" +
         CliTextOf(CliText::ToolOptions, language) + "\n";
}

const CommandSpec* CommandOf(const std::string& word) {
  for (const CommandSpec* command : Commands()) {
    if (word == command->word) return command;
  }
  return nullptr;
}

}  // namespace

int UsageError(std::ostream& err, const std::string& line, const CommandSpec* command,
               int language) {
  err << line << "\n" << CliTextOf(CliText::UsageHeading, language) << "\n";
  if (command != nullptr) {
    err << "  " << Synopsis(*command) << "\n"
        << FillText(CliTextOf(CliText::MoreHelp, language), {command->word}) << "\n";
    return kExitUsage;
  }
  for (const CommandSpec* each : Commands()) err << "  " << Synopsis(*each) << "\n";
  return kExitUsage;
}

const std::vector<const CommandSpec*>& Commands() {
  static const std::vector<const CommandSpec*> commands = {&ApplyCommand(), &CheckCommand(),
                                                           &CompareCommand(), &UndoCommand()};
  return commands;
}

bool IsHeadlessCommand(const std::vector<std::string>& arguments) {
  return !arguments.empty() && !IsWindowOption(arguments.front());
}

int RunHeadless(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                PdfWriter pdfWriter) {
  CliPlatform platform;
  platform.pdfWriter = pdfWriter;
  int language = platform.UserDefaultLcid() == kJapaneseLcid ? 0 : 1;
  // The language asked for counts for the help and the usage errors too.
  for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
    if (arguments[i] == "--language" && arguments[i + 1] == "ja") language = 0;
    if (arguments[i] == "--language" && arguments[i + 1] == "en") language = 1;
  }
  const std::string& word = arguments.front();
  if (word == "--help" || word == "-h") {
    out << ToolHelp(language);
    return 0;
  }
  const CommandSpec* command = CommandOf(word);
  if (command == nullptr) {
    return UsageError(
        err,
        FillText(CliTextOf(word.starts_with("-") ? CliText::UnknownOption : CliText::UnknownCommand,
                           language),
                 {word}),
        nullptr, language);
  }
  const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
  if (std::find(rest.begin(), rest.end(), "--help") != rest.end()) {
    out << HelpText(*command, language);
    return 0;
  }
  std::string error;
  const auto parsed = ParseArguments(*command, rest, language, error);
  if (!parsed) return UsageError(err, error, command, language);
  if (parsed->Has("--language")) {
    const std::string value = parsed->Value("--language");
    if (value != "ja" && value != "en") {
      return UsageError(err, FillText(CliTextOf(CliText::BadLanguage, language), {value}), command,
                        language);
    }
  }
  CommandContext context{out, err, platform, language};
  return command->run(*parsed, context);
}

}  // namespace wisetup
