// wisetup-script: runs the window model from a plain text script with scripted dialogs and writes
// the transcript to standard output. See --help for the commands.
#include <algorithm>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "Dump.h"
#include "ScriptPlatform.h"
#include "app/Mainunit.h"

namespace wisetup {
namespace {

// What the driver can do to a control is what the window can: the table's action with a handler.
bool Acts(Ctl c, UserAction action) {
  return InfoOf(c).action == action && InfoOf(c).handler != nullptr;
}

// The names of the controls `action` reaches, in table order, wrapped under the help's column.
std::string ControlsActedOn(UserAction action) {
  constexpr std::size_t kColumn = 25;
  constexpr std::size_t kWidth = 100;
  std::string text;
  std::size_t lineLength = kColumn;
  for (int i = 0; i < kControlCount; ++i) {
    const Ctl c = static_cast<Ctl>(i);
    if (!Acts(c, action)) continue;
    const std::string& name = InfoOf(c).name;
    if (!text.empty() && lineLength + 1 + name.size() > kWidth) {
      text += "\n" + std::string(kColumn, ' ');
      lineLength = kColumn;
    } else if (!text.empty()) {
      text += ' ';
      ++lineLength;
    }
    text += name;
    lineLength += name.size();
  }
  return text;
}

std::string HelpUsage() {
  return R"(usage: wisetup-script [--annotate] [SCRIPT]

Runs the wisetup window model from SCRIPT (or standard input) with scripted dialogs and writes the
transcript to standard output.

Commands (one per line; blank lines and lines starting with # are skipped):
  appdir PATH            folder of the pretend executable; before start. Default: the current
                         folder. The settings file is PATH/wisetup.INI and the catalogue
                         PATH/WeldingMode/ where the window would use them beside its
                         executable; otherwise the window's other places apply ("Where things
                         go" in README.md), with XDG_CONFIG_HOME, XDG_DATA_HOME and
                         XDG_DATA_DIRS read from the driver's environment as the window reads
                         them.
  locale LCID            the user's default locale identifier (default 1033); before start
  clock YYYYMMDD-HHMMSS  the local time the window model sees from now on; it stands still
                         (default 20240102-030405), so history folders are named predictably
  answer folder PATH|cancel, answer file PATH|cancel, answer save PATH|cancel,
  answer question yes|no
                         queue the answer of the next dialog of that kind (save: the save
                         dialog of MenuSaveSelections; it asks nothing about a file that
                         exists, which the window's own dialog does). The transcript shows
                         each dialog as it opens: folder-browser prompt="..." preselect="...",
                         file-dialog initial="..." filter="...", save-dialog initial="..."
                         filter="...", each followed by -> "PATH" or -> cancel
  start                  construct the window and run what happens when it is first shown
)";
}

// The commands that act on controls, each with the controls it reaches.
std::string HelpControlCommands() {
  std::string help = R"(  click NAME             a button or menu item that has a handler:
                         )";
  help += ControlsActedOn(UserAction::Click);
  help += R"(
                         ButtonPreview, when it shows its dialog, prints the change list:
                           preview file="PATH" new|changed|unchanged   (each file Create Files
                             would write, in its order: the setup file, then each table once)
                           preview key="SECTION/KEY" old="OLD" new="NEW"   (an existing setup
                             file's key whose value changes; OLD empty when it was absent)
                           preview field="NAME" old=N new=N   (a named word of a table record)
                           preview bytes offset=N length=N   (a run of other changed bytes of a
                             record; it ends where a named word begins; the tail beyond the
                             record is never listed)
                           preview end files=N changed=N
                         MenuCompare, when it shows its dialog, prints each line of the
                         comparison as the dialog shows it, in the window's language, blank
                         lines left out: compare line="TEXT"
                         MenuShowReport prints report file="PATH" for the report it opens (the
                         newest report.txt in the history; an undone run's report is headed as
                         such in the dialog)
  select NAME INDEX      INDEX from 0, -1 for typed text that matches no item, in one of
                         )";
  help += ControlsActedOn(UserAction::Pick);
  help += R"(
  tab N                  activate registration tab N (1 to 10)
  check NAME 0|1         the user clicks the check box so that it ends unchecked (0) or checked
                         (1): )";
  help += ControlsActedOn(UserAction::Toggle);
  return help + "\n";
}

// The window's own commands, what is refused, and the exit status.
std::string HelpRules() {
  return R"(  move LEFT TOP WIDTH HEIGHT
  close                  close the window with the close box
  drop [PATH[<TAB>PATH...]]
                         the user drops files or folders on the window from a file manager;
                         several paths are separated by tab characters, none stands for a drop
                         that carries no local path. One folder is loaded like a backup folder
                         chosen with N1; anything else shows an error and changes nothing.
  overview               print the overview's rows as the overview window shows them now, open
                         or not (click MenuOverview opens it):
                           overview welder=W reg=R table=N state=STATE robot="..." mode="..."
                             one per registration with a table, welders 1-4 and registrations
                             1-10 in order; STATE the first that applies of unread-table,
                             no-model, no-mode, methods-differ, unread-characteristic, ready;
                             mode empty when none is chosen. In reference mode the rows are the
                             registrations the setup file describes, with table=-1 (a setup file
                             names no table numbers), and no table is unread
                           overview end ready=N todo=N problems=N   (no-model and no-mode are
                             to do; the other states but ready are problems)
                         Before start it prints nothing.
  dump [PREFIX...]       print the state lines (only those whose name starts with one of the
                         PREFIXes, in the state's own order)

An action on a control that is disabled or hidden (itself or a parent), a pick of an item the list
does not hold, any action before start, and every command but dump after the window has closed or
the process has exited print "refused NAME" (NAME: the control; Form1 for move, drop and close; the
command word otherwise) and run nothing. dump before start prints nothing. appdir or locale after
start, a missing PATH, a negative INDEX other than -1 and an unknown command or control are lines
that cannot be parsed. PATH is the rest of the line after the one blank that follows the words
before it, kept as written (further blanks included).

The driver passes its own environment on: HOME and XDG_DATA_HOME place the history of Create Files
as they do for the window (README.md).

Exit status: 0 when every command ran; 2 for a line that cannot be parsed; 3 when a dialog opens
and no answer of its kind is queued. The message for 2 and 3 goes to standard error.
With --annotate, each command is echoed as "# LINE: command" before its output (for diagnosis).
)";
}

std::string HelpText() {
  return HelpUsage() + HelpControlCommands() + HelpRules();
}

struct ParseError {
  std::string what;
};

std::vector<std::string> SplitWords(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

int ToInt(const std::string& word) {
  try {
    std::size_t used = 0;
    const int value = std::stoi(word, &used, 10);
    if (used != word.size()) throw ParseError{"not a number: " + word};
    return value;
  } catch (const std::invalid_argument&) {
    throw ParseError{"not a number: " + word};
  } catch (const std::out_of_range&) {
    throw ParseError{"number out of range: " + word};
  }
}

// One command line of a script, without its line break.
struct ScriptLine {
  std::string text;
  std::vector<std::string> words;

  explicit ScriptLine(std::string raw) : text(std::move(raw)) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
    words = SplitWords(text);
  }

  // PATH: the rest of the line after the blank that follows the leading words.
  std::string RestAfter(std::size_t wordCount) const {
    std::size_t at = text.find(words[0]);
    for (std::size_t i = 0; i < wordCount; ++i) at = text.find(words[i], at) + words[i].size();
    if (at + 1 >= text.size()) throw ParseError{"missing path"};
    return text.substr(at + 1);
  }
};

class Driver {
 public:
  explicit Driver(std::ostream& out) : out_(out), platform_(out) {}

  void Run(const std::string& rawLine) {
    const ScriptLine line(rawLine);
    if (line.words.empty() || line.words[0][0] == '#') return;
    using Command = void (Driver::*)(const ScriptLine&);
    static const std::pair<std::string, Command> kCommands[] = {
        {"dump", &Driver::Dump},     {"appdir", &Driver::AppDir},
        {"locale", &Driver::Locale}, {"clock", &Driver::Clock},
        {"answer", &Driver::Answer}, {"start", &Driver::Start},
        {"click", &Driver::Click},   {"select", &Driver::Select},
        {"tab", &Driver::Tab},       {"check", &Driver::Check},
        {"move", &Driver::Move},     {"drop", &Driver::Drop},
        {"close", &Driver::Close},   {"overview", &Driver::PrintOverview},
    };
    for (const auto& [word, command] : kCommands) {
      if (word == line.words[0]) return (this->*command)(line);
    }
    throw ParseError{"unknown command " + line.words[0]};
  }

 private:
  bool Ended() const { return form_ && (form_->Closed || form_->Terminated); }
  bool Active() const { return form_ && !Ended(); }
  void Refuse(const std::string& name) { out_ << "refused " << name << "\n"; }

  Ctl Named(const std::string& name) {
    const Ctl c = ControlByName(name);
    if (c == Ctl::Count) throw ParseError{"unknown control " + name};
    return c;
  }

  void Dump(const ScriptLine& line) {
    if (!form_) return;
    const std::vector<std::string> prefixes(line.words.begin() + 1, line.words.end());
    auto wanted = [&prefixes](const std::string& l) {
      return prefixes.empty() || std::any_of(prefixes.begin(), prefixes.end(), [&](const auto& p) {
               return l.compare(0, p.size(), p) == 0;
             });
    };
    for (const std::string& l : DumpLines(*form_)) {
      if (wanted(l)) out_ << l << "\n";
    }
  }

  // What the overview shows now, open or not.
  void PrintOverview(const ScriptLine& line) {
    if (line.words.size() != 1) throw ParseError{"overview takes nothing"};
    if (!form_) return;
    if (Ended()) return Refuse("overview");
    for (const std::string& l : OverviewLines(*form_)) out_ << l << "\n";
  }

  // Whether a setting that the window reads when it starts may still change: refused once the
  // window has gone, a fault in the script while it is open.
  bool BeforeStart(const std::string& cmd) {
    if (Ended()) {
      Refuse(cmd);
      return false;
    }
    if (form_) throw ParseError{cmd + " must come before start"};
    return true;
  }

  void AppDir(const ScriptLine& line) {
    const std::string dir = line.RestAfter(1);
    if (BeforeStart("appdir")) platform_.appDir = dir;
  }

  void Locale(const ScriptLine& line) {
    if (line.words.size() != 2) throw ParseError{"locale takes one number"};
    const int lcid = ToInt(line.words[1]);
    if (BeforeStart("locale")) platform_.lcid = lcid;
  }

  void Clock(const ScriptLine& line) {
    const auto& words = line.words;
    if (words.size() != 2 || words[1].size() != 15 || words[1][8] != '-' ||
        !std::all_of(words[1].begin(), words[1].end(),
                     [](char c) { return c == '-' || (c >= '0' && c <= '9'); })) {
      throw ParseError{"clock takes YYYYMMDD-HHMMSS"};
    }
    if (Ended()) return Refuse("clock");
    platform_.timestamp = words[1];
  }

  void Answer(const ScriptLine& line) {
    const auto& words = line.words;
    if (words.size() < 3) throw ParseError{"answer needs a kind and a value"};
    const std::string& kind = words[1];
    if (kind == "question") return AnswerQuestion(line);
    if (kind != "folder" && kind != "file" && kind != "save") {
      throw ParseError{"unknown answer kind " + kind};
    }
    const std::string path = line.RestAfter(2);
    if (Ended()) return Refuse("answer");
    std::optional<std::string> answer;
    if (path != "cancel") answer = path;
    auto& queue = kind == "folder" ? platform_.folderAnswers
                  : kind == "file" ? platform_.fileAnswers
                                   : platform_.saveAnswers;
    queue.push_back(answer);
  }

  void AnswerQuestion(const ScriptLine& line) {
    const auto& words = line.words;
    if (words.size() != 3 || (words[2] != "yes" && words[2] != "no")) {
      throw ParseError{"answer question takes yes or no"};
    }
    if (Ended()) return Refuse("answer");
    platform_.questionAnswers.push_back(words[2] == "yes");
  }

  void Start(const ScriptLine& line) {
    if (line.words.size() != 1) throw ParseError{"start takes nothing"};
    if (form_ || Ended()) return Refuse("start");
    form_ = std::make_unique<TForm1>(platform_);
    form_->RunHandler([this] { form_->FormShow(); });
  }

  // Clicks, picks and toggles run the handler the control table gives the control, as the real
  // window does.
  void Click(const ScriptLine& line) {
    if (line.words.size() != 2) throw ParseError{"click takes a name"};
    const std::string& name = line.words[1];
    const Ctl c = ControlByName(name);
    if (c == Ctl::Count || !Acts(c, UserAction::Click)) throw ParseError{"cannot click " + name};
    if (!Active() || !form_->IsUsable(c)) return Refuse(name);
    RunControlHandler(c);
  }

  void Select(const ScriptLine& line) {
    if (line.words.size() != 3) throw ParseError{"select takes a name and an index"};
    const std::string& name = line.words[1];
    const Ctl c = Named(name);
    if (!Acts(c, UserAction::Pick)) throw ParseError{"cannot select in " + name};
    const int index = ToInt(line.words[2]);
    if (index < -1) throw ParseError{"select takes an index from 0, or -1"};
    if (!Active() || !form_->IsUsable(c)) return Refuse(name);
    if (index >= static_cast<int>(form_->C(c).Items.size())) return Refuse(name);
    const int registration = RegistrationOfModeList(c);
    if (registration >= 0) form_->C(Ctl::PageControlRejist).ActivePage = registration;
    form_->C(c).ItemIndex = index;
    RunControlHandler(c);
  }

  void Check(const ScriptLine& line) {
    const auto& words = line.words;
    const Ctl c = words.size() == 3 ? ControlByName(words[1]) : Ctl::Count;
    if (c == Ctl::Count || !Acts(c, UserAction::Toggle) || (words[2] != "0" && words[2] != "1")) {
      throw ParseError{"check takes CheckBoxUseRcWCD and 0 or 1"};
    }
    if (!Active() || !form_->IsUsable(c)) return Refuse(words[1]);
    form_->C(c).Checked = words[2] == "1";
    RunControlHandler(c);
  }

  void RunControlHandler(Ctl c) {
    const ControlHandler handler = InfoOf(c).handler;
    form_->RunHandler([this, handler, c] { handler(*form_, c); });
    PrintShownDocuments();
  }

  // The preview's change list, the comparison and the report the window showed, as lines.
  void PrintShownDocuments() {
    if (form_->ShownChanges) {
      for (const std::string& line : PreviewLines(*form_->ShownChanges)) out_ << line << "\n";
      form_->ShownChanges.reset();
    }
    for (const std::string& line : form_->ShownComparison) {
      if (!line.empty()) out_ << "compare line=" << Quote(line) << "\n";
    }
    form_->ShownComparison.clear();
    if (!form_->ShownReport.empty()) {
      out_ << "report file=" << Quote(form_->ShownReport) << "\n";
      form_->ShownReport.clear();
    }
  }

  void Tab(const ScriptLine& line) {
    if (line.words.size() != 2) throw ParseError{"tab takes a number"};
    const int n = ToInt(line.words[1]);
    if (n < 1 || n > kRegistrations) throw ParseError{"tab takes 1 to 10"};
    const Ctl tab = TabOf(n - 1);
    if (!Active() || !form_->IsUsable(tab)) return Refuse(InfoOf(tab).name);
    form_->C(Ctl::PageControlRejist).ActivePage = n - 1;
  }

  void Move(const ScriptLine& line) {
    const auto& words = line.words;
    if (words.size() != 5) throw ParseError{"move takes four numbers"};
    const int left = ToInt(words[1]), top = ToInt(words[2]);
    const int width = ToInt(words[3]), height = ToInt(words[4]);
    if (!Active()) return Refuse("Form1");
    form_->Placement = {left, top, width, height};
  }

  void Drop(const ScriptLine& line) {
    std::vector<std::string> paths;
    if (line.words.size() > 1) {
      const std::string rest = line.RestAfter(1);
      std::size_t at = 0;
      for (std::size_t tab; (tab = rest.find('\t', at)) != std::string::npos; at = tab + 1) {
        paths.push_back(rest.substr(at, tab - at));
      }
      paths.push_back(rest.substr(at));
    }
    if (!Active()) return Refuse("Form1");
    form_->RunHandler([this, &paths] { form_->DropFolders(paths); });
  }

  void Close(const ScriptLine& line) {
    if (line.words.size() != 1) throw ParseError{"close takes nothing"};
    if (!Active()) return Refuse("Form1");
    form_->RunHandler([this] { form_->FormClose(); });
    if (form_->Closed) out_ << "closed\n";
  }

  std::ostream& out_;
  ScriptPlatform platform_;
  std::unique_ptr<TForm1> form_;
};

int RunScript(std::istream& in, bool annotate) {
  Driver driver(std::cout);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    try {
      if (annotate && !SplitWords(line).empty() && SplitWords(line)[0][0] != '#') {
        std::cout << "# " << number << ": " << line << "\n";
      }
      driver.Run(line);
    } catch (const ParseError& e) {
      std::cout.flush();
      std::cerr << "wisetup-script: line " << number << ": " << e.what << "\n";
      return 2;
    } catch (const MissingAnswer& e) {
      std::cout.flush();
      std::cerr << "wisetup-script: line " << number << ": a " << e.dialog
                << " dialog opened and no answer is queued\n";
      return 3;
    }
  }
  return 0;
}

}  // namespace
}  // namespace wisetup

int main(int argc, char** argv) {
  bool annotate = false;
  std::string script;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << wisetup::HelpText();
      return 0;
    }
    if (arg == "--annotate") {
      annotate = true;
    } else if (script.empty()) {
      script = arg;
    } else {
      std::cerr << "wisetup-script: one script at most\n";
      return 2;
    }
  }
  if (script.empty()) return wisetup::RunScript(std::cin, annotate);
  std::ifstream file(script, std::ios::binary);
  if (!file) {
    std::cerr << "wisetup-script: cannot open " << script << "\n";
    return 2;
  }
  return wisetup::RunScript(file, annotate);
}
