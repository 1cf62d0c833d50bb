#include "cli/Command.h"

#include <algorithm>
#include <filesystem>

#include "app/ChangeTexts.h"
#include "cli/CliTexts.h"
#include "platform/FileSystem.h"

namespace wisetup {
namespace {

const OptionSpec* Find(const CommandSpec& command, const std::string& name) {
  for (const auto* list : {&command.options, &CommonOptions()}) {
    for (const OptionSpec& option : *list) {
      if (name == option.name) return &option;
    }
  }
  return nullptr;
}

std::string Fill(CliText row, int language, std::initializer_list<std::string> args) {
  return FillText(CliTextOf(row, language), args);
}

// The options that pair with `lead`, in their order.
std::vector<const OptionSpec*> Followers(const CommandSpec& command, const OptionSpec& lead) {
  std::vector<const OptionSpec*> out;
  for (const OptionSpec& option : command.options) {
    if (option.follows != nullptr && std::string(option.follows) == lead.name) {
      out.push_back(&option);
    }
  }
  return out;
}

std::string Words(const OptionSpec& option) {
  return std::string(option.name) + (option.value ? std::string(" ") + option.value : "");
}

// What the given options must satisfy once all are read: required ones and pairs complete.
bool CheckComplete(const CommandSpec& command, const Arguments& args,
                   const std::string& pendingLead, int language, std::string& error) {
  if (!pendingLead.empty()) {
    for (const OptionSpec* follower : Followers(command, *Find(command, pendingLead))) {
      error = Fill(CliText::NeedsFollower, language, {pendingLead, follower->name});
      return false;
    }
  }
  if (args.operands.size() < command.operands.size()) {
    error = Fill(CliText::Required, language, {command.operands[args.operands.size()]});
    return false;
  }
  for (const OptionSpec& option : command.options) {
    if (option.required && !args.Has(option.name)) {
      error = Fill(CliText::Required, language, {option.name});
      return false;
    }
  }
  return true;
}

}  // namespace

bool Arguments::Has(const std::string& option) const {
  return std::any_of(given.begin(), given.end(),
                     [&](const Given& g) { return g.option == option; });
}

std::string Arguments::Value(const std::string& option) const {
  for (const Given& g : given) {
    if (g.option == option) return g.value;
  }
  return {};
}

const std::vector<OptionSpec>& CommonOptions() {
  static const std::vector<OptionSpec> options = {
      {"--language",
       "ja|en",
       false,
       false,
       nullptr,
       {"表示の言語 (既定はロケールの言語)",
        "the language of the output (the locale's by default)"}},
      {"--help",
       nullptr,
       false,
       false,
       nullptr,
       {"このコマンドの使い方を表示する", "prints this command's usage and options"}},
  };
  return options;
}

std::optional<Arguments> ParseArguments(const CommandSpec& command,
                                        const std::vector<std::string>& words, int language,
                                        std::string& error) {
  Arguments args;
  std::string pendingLead;  // a lead option whose followers have not all come yet
  for (std::size_t i = 0; i < words.size(); ++i) {
    const OptionSpec* option = Find(command, words[i]);
    if (option == nullptr && !words[i].starts_with("-") &&
        args.operands.size() < command.operands.size()) {
      args.operands.push_back(words[i]);
      continue;
    }
    if (option == nullptr) {
      error = Fill(words[i].starts_with("-") ? CliText::UnknownOption : CliText::UnexpectedWord,
                   language, {words[i]});
      return std::nullopt;
    }
    if (!option->repeated && args.Has(option->name)) {
      error = Fill(CliText::GivenTwice, language, {option->name});
      return std::nullopt;
    }
    if (option->value != nullptr && i + 1 == words.size()) {
      error = Fill(CliText::NeedsValue, language, {Words(*option)});
      return std::nullopt;
    }
    const bool follower = option->follows != nullptr;
    if (follower && pendingLead != option->follows) {
      error = Fill(CliText::MustFollow, language, {option->name, option->follows});
      return std::nullopt;
    }
    if (!follower && !pendingLead.empty() && !Followers(command, *option).empty()) {
      error = Fill(CliText::NeedsFollower, language,
                   {pendingLead, Followers(command, *Find(command, pendingLead)).front()->name});
      return std::nullopt;
    }
    if (!Followers(command, *option).empty()) pendingLead = option->name;
    if (follower) pendingLead.clear();
    args.given.push_back({option->name, option->value != nullptr ? words[++i] : std::string()});
  }
  if (!CheckComplete(command, args, pendingLead, language, error)) return std::nullopt;
  return args;
}

std::string Synopsis(const CommandSpec& command) {
  std::string out = std::string("wisetup ") + command.word;
  for (const char* operand : command.operands) out += std::string(" ") + operand;
  for (const OptionSpec& option : command.options) {
    if (option.follows != nullptr) continue;
    std::string group = Words(option);
    for (const OptionSpec* follower : Followers(command, option)) group += " " + Words(*follower);
    if (option.required) out += " " + group;
    if (option.repeated) out += " [" + group + "]...";
    if (!option.required && !option.repeated) out += " [" + group + "]";
  }
  return out + " [--language ja|en]";
}

std::string HelpText(const CommandSpec& command, int language) {
  std::string out = CliTextOf(CliText::UsageHeading, language) + "\n  " + Synopsis(command) +
                    "\n\n" + TextOf(command.description, language) + "\n\n" +
                    CliTextOf(CliText::OptionsHeading, language) + "\n";
  std::size_t width = 0;
  for (const auto* list : {&command.options, &CommonOptions()}) {
    for (const OptionSpec& option : *list) width = std::max(width, Words(option).size());
  }
  for (const auto* list : {&command.options, &CommonOptions()}) {
    for (const OptionSpec& option : *list) {
      const std::string words = Words(option);
      out += "  " + words + std::string(width + 2 - words.size(), ' ') +
             TextOf(option.help, language) + "\n";
    }
  }
  return out + "\n" + TextOf(command.exitStatus, language) + "\n";
}

std::string AbsolutePath(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  if (ec) return path;
  std::string text = absolute.lexically_normal().string();
  if (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

std::string CanonicalFolder(const std::string& folder) {
  return CanonicalPath(folder).value_or(folder);
}

}  // namespace wisetup
