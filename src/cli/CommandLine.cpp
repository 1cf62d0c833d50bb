#include "cli/CommandLine.h"

#include <filesystem>
#include <optional>

#include "app/Mainunit.h"
#include "app/MoreTexts.h"
#include "app/SelectionsTexts.h"
#include "app/UiTexts.h"
#include "changes/ChangeList.h"
#include "cli/CliPlatform.h"
#include "cli/CliTexts.h"
#include "platform/FileSystem.h"
#include "platform/PathMap.h"

namespace wisetup {
namespace {

struct Pair {
  std::string backup;
  std::string setup;
};

struct ApplyArguments {
  std::string selections;
  std::vector<Pair> pairs;
  bool overwrite = false;
  bool preview = false;
};

constexpr int kAllDone = 0;
constexpr int kRefused = 1;
constexpr int kUsage = 2;
constexpr int kLeftPartNew = 3;

// A path given on the command line as the native absolute path the window would have chosen.
std::string Absolute(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  if (ec) return path;
  std::string text = absolute.lexically_normal().string();
  if (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

// Where a folder really is, so that a folder given twice under two names is seen as one.
std::string Canonical(const std::string& folder) {
  return CanonicalPath(folder).value_or(folder);
}

// The language the user asked for, else the locale's; nothing for a value that is no language.
std::optional<int> LanguageOf(const std::string& value) {
  if (value == "ja") return 0;
  if (value == "en") return 1;
  return std::nullopt;
}

class Headless {
 public:
  Headless(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

  int Run(const std::vector<std::string>& arguments) {
    language_ = platform_.UserDefaultLcid() == kJapaneseLcid ? 0 : 1;
    std::vector<std::string> rest;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
      if (arguments[i] == "--language") {
        const auto language =
            i + 1 < arguments.size() ? LanguageOf(arguments[i + 1]) : std::nullopt;
        if (!language) return Usage();
        language_ = *language;
        ++i;
      } else {
        rest.push_back(arguments[i]);
      }
    }
    if (arguments.front() == "undo") return rest.empty() ? Undo() : Usage();
    const auto parsed = Parse(rest);
    if (!parsed) return Usage();
    return Apply(*parsed);
  }

 private:
  int Usage() {
    err_ << CliTextOf(CliText::Usage, language_) << "\n";
    return kUsage;
  }

  static std::optional<ApplyArguments> Parse(const std::vector<std::string>& words) {
    ApplyArguments parsed;
    for (std::size_t i = 0; i < words.size(); ++i) {
      const std::string& word = words[i];
      const bool hasValue = i + 1 < words.size();
      if (word == "--overwrite") {
        parsed.overwrite = true;
      } else if (word == "--preview") {
        parsed.preview = true;
      } else if (word == "--selections" && hasValue && parsed.selections.empty()) {
        parsed.selections = Absolute(words[++i]);
      } else if (word == "--backup" && hasValue &&
                 (parsed.pairs.empty() || !parsed.pairs.back().setup.empty())) {
        parsed.pairs.push_back({Absolute(words[++i]), {}});
      } else if (word == "--setup" && hasValue && !parsed.pairs.empty() &&
                 parsed.pairs.back().setup.empty()) {
        parsed.pairs.back().setup = Absolute(words[++i]);
      } else {
        return std::nullopt;
      }
    }
    if (parsed.selections.empty() || parsed.pairs.empty()) return std::nullopt;
    for (const Pair& pair : parsed.pairs) {
      if (pair.backup.empty() || pair.setup.empty()) return std::nullopt;
    }
    return parsed;
  }

  int Apply(const ApplyArguments& args) {
    // The pairs are judged against each other before any of them is touched.
    std::vector<std::vector<std::string>> refusals(args.pairs.size());
    for (std::size_t i = 0; i < args.pairs.size(); ++i) {
      for (std::size_t j = 0; j < args.pairs.size(); ++j) {
        if (i == j) continue;
        if (j < i && Canonical(args.pairs[i].backup) == Canonical(args.pairs[j].backup)) {
          refusals[i].push_back(CliTextOf(CliText::SameBackup, language_));
        }
        if (Canonical(args.pairs[i].setup) == Canonical(args.pairs[j].setup)) {
          refusals[i].push_back(
              FormatPath(CliTextOf(CliText::SharedSetup, language_), args.pairs[i].setup));
          break;
        }
      }
    }
    int done = 0;
    int refused = 0;
    int partNew = 0;
    for (std::size_t i = 0; i < args.pairs.size(); ++i) {
      const Pair& pair = args.pairs[i];
      std::vector<std::string> reasons = refusals[i];
      Outcome outcome = Outcome::Refused;
      if (reasons.empty()) outcome = ApplyPair(args, pair, reasons);
      switch (outcome) {
        case Outcome::Done:
          ++done;
          break;
        case Outcome::Refused:
          ++refused;
          out_ << pair.backup << ": refused\n";
          break;
        case Outcome::LeftPartNew:
          ++partNew;
          out_ << pair.backup << ": left part new\n";
          break;
      }
      for (const std::string& reason : reasons) out_ << "  " << reason << "\n";
    }
    std::string summary = CliTextOf(CliText::Summary, language_);
    for (const int count : {static_cast<int>(args.pairs.size()), done, refused, partNew}) {
      summary = FormatCount(summary, static_cast<std::size_t>(count));
    }
    out_ << summary << "\n";
    if (partNew > 0) return kLeftPartNew;
    return refused > 0 ? kRefused : kAllDone;
  }

  enum class Outcome { Done, Refused, LeftPartNew };

  Outcome ApplyPair(const ApplyArguments& args, const Pair& pair,
                    std::vector<std::string>& reasons) {
    TForm1 form(platform_);
    form.LanguageIndex = language_;
    form.ApplyLanguage(language_);
    platform_.boxes.clear();
    platform_.questionAnswer = MessageAnswer::No;
    form.RunHandler([&] { form.LoadBackupFolder(pair.backup); });
    if (form.LoadedBackupFolder != pair.backup) {
      reasons = platform_.TakeErrors();
      if (reasons.empty()) reasons.push_back(CliTextOf(CliText::NotLoaded, language_));
      return Outcome::Refused;
    }
    std::string why;
    const auto selections = form.ReadSelectionsFile(args.selections, why);
    if (!selections) {
      reasons.push_back(FormatPath(CliTextOf(CliText::SelectionsFile, language_), args.selections));
      reasons.push_back(why);
      return Outcome::Refused;
    }
    for (const MatchProblem& problem : form.ApplySelections(*selections)) {
      reasons.push_back(MatchProblemText(problem, language_));
    }
    const std::vector<std::string> errors = platform_.TakeErrors();
    reasons.insert(reasons.end(), errors.begin(), errors.end());
    if (!reasons.empty()) return Outcome::Refused;

    form.C(Ctl::EditConfigFolder).Text = pair.setup;
    if (args.preview) {
      form.RunHandler([&] { form.ButtonPreviewClick(); });
      if (!form.ShownChanges) {
        reasons = platform_.TakeErrors();
        return Outcome::Refused;
      }
      out_ << pair.backup << ": previewed\n";
      for (const std::string& line : PreviewLines(*form.ShownChanges)) out_ << line << "\n";
      return Outcome::Done;
    }
    const std::string setupFile = MapPath(pair.setup, "\\ZelSetUp.ini");
    if (FileExists(setupFile) && !args.overwrite) {
      reasons.push_back(FormatPath(CliTextOf(CliText::SetupExists, language_), setupFile));
      return Outcome::Refused;
    }
    platform_.questionAnswer = MessageAnswer::Yes;
    form.RunHandler([&] { form.ButtonMakeConfigClick(); });
    reasons = platform_.TakeErrors();
    switch (form.LastCreate.state) {
      case TForm1::CreateOutcome::State::Created:
        out_ << pair.backup << ": created, " << form.LastCreate.files << " files, report "
             << (form.LastCreate.report.empty() ? "-" : form.LastCreate.report) << "\n";
        return Outcome::Done;
      case TForm1::CreateOutcome::State::LeftPartNew:
        return Outcome::LeftPartNew;
      case TForm1::CreateOutcome::State::Refused:
        break;
    }
    return Outcome::Refused;
  }

  int Undo() {
    TForm1 form(platform_);
    form.LanguageIndex = language_;
    platform_.questionAnswer = MessageAnswer::Yes;
    form.RefreshRestoreOriginals();
    if (!form.C(Ctl::MenuRestoreOriginals).Enabled) {
      out_ << CliTextOf(CliText::NothingToUndo, language_) << "\n";
      return kRefused;
    }
    form.RunHandler([&] { form.MenuRestoreOriginalsClick(); });
    bool failed = false;
    for (const CliPlatform::Box& box : platform_.boxes) {
      if (box.kind == MessageKind::Question) continue;
      (box.kind == MessageKind::Error ? err_ : out_) << box.text << "\n";
      failed = failed || box.kind == MessageKind::Error;
    }
    return failed ? kRefused : kAllDone;
  }

  std::ostream& out_;
  std::ostream& err_;
  CliPlatform platform_;
  int language_ = 1;
};

}  // namespace

bool IsHeadlessCommand(const std::vector<std::string>& arguments) {
  return !arguments.empty() && (arguments.front() == "apply" || arguments.front() == "undo");
}

int RunHeadless(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  return Headless(out, err).Run(arguments);
}

}  // namespace wisetup
