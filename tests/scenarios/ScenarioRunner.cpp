// Runs one scenario: writes the fixtures it names into a fresh folder, runs the script through
// wisetup-script, appends the files it asks for, and compares the transcript with the expected one.
//
// Script lines the driver skips as comments but the runner reads:
//   #! fixture NAME      write fixture NAME into the run's folder before the run
//   #! file PATH         after the run, append the file's content (text or hex) to the transcript
//   #! list PATH         after the run, append the sorted names in a folder (stray files show up)
//   #! same PATH PATH    after the run, append whether two files hold the same bytes
//   #! section PATH NAME after the run, append one section of a profile file (its lines as they
//   are)
//   #! head PATH N       after the run, append the size of a text file and its first N lines
//   #! env NAME=VALUE    run the driver with this environment variable (empty VALUE: unset it)
// "@DIR@" in the script stands for the run's folder, and the transcript shows it the same way.
// Every run gets its own HOME and XDG folders below the run's folder, so nothing of the machine's
// user leaks in: HOME=@DIR@/home, XDG_CONFIG_HOME=@DIR@/xdg/config, XDG_DATA_HOME=@DIR@/xdg/data,
// XDG_DATA_DIRS=@DIR@/xdg/dirs, XDG_CACHE_HOME=@DIR@/xdg/cache, XDG_RUNTIME_DIR=@DIR@/xdg/runtime
// (none of them created).
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  if (from.empty()) return;
  for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
    text.replace(at, from.size(), to);
  }
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string ShellQuote(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

int Run(const std::string& command, std::string& output) {
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  const int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool LooksLikeText(const std::string& bytes) {
  return std::none_of(bytes.begin(), bytes.end(), [](char c) {
    const auto b = static_cast<unsigned char>(c);
    return b < 0x20 && c != '\r' && c != '\n' && c != '\t';
  });
}

std::string DescribeFile(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return "(no such file)\n";
  const std::string bytes = ReadAll(path);
  std::ostringstream out;
  out << "(" << bytes.size() << " bytes)\n";
  if (LooksLikeText(bytes)) {
    std::string shown = bytes;
    ReplaceAll(shown, "\r\n", "<CRLF>\n");
    out << shown;
    if (!shown.empty() && shown.back() != '\n') out << "<no line break>\n";
    return out.str();
  }
  char hex[32];
  for (std::size_t i = 0; i < bytes.size(); i += 16) {
    std::snprintf(hex, sizeof hex, "%04zx:", i);
    out << hex;
    for (std::size_t j = i; j < std::min(bytes.size(), i + 16); ++j) {
      std::snprintf(hex, sizeof hex, " %02x", static_cast<unsigned char>(bytes[j]));
      out << hex;
    }
    out << "\n";
  }
  return out.str();
}

std::string ListFolder(const fs::path& path) {
  std::error_code ec;
  std::vector<std::string> names;
  for (fs::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec)) {
    names.push_back(it->path().filename().string() + (it->is_directory() ? "/" : ""));
  }
  std::sort(names.begin(), names.end());
  std::string out;
  for (const auto& n : names) out += n + "\n";
  return out;
}

// Shows a line's closing carriage return, which a transcript line cannot hold.
std::string MarkCr(std::string line) {
  if (!line.empty() && line.back() == '\r') line.back() = '\x01';
  ReplaceAll(line, "\x01", "<CR>");
  return line;
}

using Environment = std::vector<std::pair<std::string, std::string>>;

// What the #! lines of a script ask for, in the order they appear per kind.
struct Directives {
  std::vector<std::string> fixtures, files, lists, sames, sections, heads;
  Environment env = {
      {"HOME", "@DIR@/home"},
      {"XDG_CONFIG_HOME", "@DIR@/xdg/config"},
      {"XDG_DATA_HOME", "@DIR@/xdg/data"},
      {"XDG_DATA_DIRS", "@DIR@/xdg/dirs"},
      {"XDG_CACHE_HOME", "@DIR@/xdg/cache"},
      {"XDG_RUNTIME_DIR", "@DIR@/xdg/runtime"},
  };
};

// NAME=VALUE replaces the run's own value of NAME; an empty VALUE unsets it.
void OverrideEnvironment(Environment& env, const std::string& assignment) {
  const std::size_t equals = assignment.find('=');
  const std::string name = assignment.substr(0, equals);
  const std::string value = equals == std::string::npos ? "" : assignment.substr(equals + 1);
  std::erase_if(env, [&](const auto& e) { return e.first == name; });
  env.emplace_back(name, value);
}

Directives ReadDirectives(const std::string& script) {
  Directives d;
  const std::pair<std::string, std::vector<std::string>*> requests[] = {
      {"#! fixture ", &d.fixtures}, {"#! file ", &d.files},       {"#! list ", &d.lists},
      {"#! same ", &d.sames},       {"#! section ", &d.sections}, {"#! head ", &d.heads},
  };
  for (const std::string& line : Lines(script)) {
    for (const auto& [prefix, list] : requests) {
      if (line.rfind(prefix, 0) == 0) list->push_back(line.substr(prefix.size()));
    }
    if (line.rfind("#! env ", 0) == 0) OverrideEnvironment(d.env, line.substr(7));
  }
  return d;
}

bool WriteFixtures(const std::string& tool, const std::string& dir,
                   const std::vector<std::string>& names) {
  if (names.empty()) return true;  // a scenario that needs no files of its own
  std::string command = ShellQuote(tool) + " " + ShellQuote(dir);
  for (const auto& name : names) command += " " + ShellQuote(name);
  std::string ignored;
  if (Run(command, ignored) == 0) return true;
  std::cerr << "fixtures failed: " << command << "\n";
  return false;
}

// The driver run on the scenario's script in the scenario's environment.
struct DriverRun {
  std::string environment;  // an env command
  std::string driver;
  fs::path script;

  std::string Command(const std::string& options) const {
    return environment + " " + ShellQuote(driver) + " " + options + ShellQuote(script.string()) +
           " 2>&1";
  }
};

std::string EnvCommand(const Environment& env, const std::string& dirText) {
  // env takes its -u options before any assignment.
  std::string unsets, assignments;
  for (auto [name, value] : env) {
    ReplaceAll(value, "@DIR@", dirText);
    if (value.empty()) {
      unsets += " -u " + ShellQuote(name);
    } else {
      assignments += " " + ShellQuote(name + "=" + value);
    }
  }
  return "env" + unsets + assignments;
}

std::string CheckFile(const std::string& path) {
  return "== file " + path + " " + DescribeFile(path);
}

std::string CheckList(const std::string& path) {
  return "== list " + path + "\n" + ListFolder(path);
}

std::string CheckSame(const std::string& pair) {
  const std::size_t blank = pair.find(' ');
  const std::string a = pair.substr(0, blank);
  const std::string b = blank == std::string::npos ? "" : pair.substr(blank + 1);
  std::error_code ec;
  const bool both = fs::is_regular_file(a, ec) && fs::is_regular_file(b, ec);
  const std::string bytes = both ? ReadAll(a) : "";
  return "== same " + pair + ": " +
         (!both                 ? std::string("(a file is missing)")
          : bytes == ReadAll(b) ? "yes (" + std::to_string(bytes.size()) + " bytes)"
                                : std::string("NO")) +
         "\n";
}

std::string CheckSection(const std::string& request) {
  const std::size_t blank = request.rfind(' ');
  const std::string name = "[" + request.substr(blank + 1) + "]";
  std::string out = "== section " + request + "\n";
  bool inside = false;
  for (const std::string& line : Lines(ReadAll(request.substr(0, blank)))) {
    if (!line.empty() && line.front() == '[') inside = line.rfind(name, 0) == 0;
    if (inside) out += MarkCr(line) + "\n";
  }
  return out;
}

std::string CheckHead(const std::string& request) {
  const std::size_t blank = request.rfind(' ');
  const std::string text = ReadAll(request.substr(0, blank));
  const std::vector<std::string> lines = Lines(text);
  const std::size_t count = std::min<std::size_t>(
      lines.size(), static_cast<std::size_t>(std::atoi(request.c_str() + blank + 1)));
  std::string out = "== head " + request + " (" + std::to_string(text.size()) + " bytes, " +
                    std::to_string(lines.size()) + " lines)\n";
  for (std::size_t i = 0; i < count; ++i) out += MarkCr(lines[i]) + "\n";
  return out;
}

// The files the script asks about, kind by kind, with @DIR@ standing for the run's folder.
std::string FileChecks(const Directives& d, const std::string& dirText) {
  using Check = std::string (*)(const std::string&);
  const std::pair<const std::vector<std::string>*, Check> kinds[] = {
      {&d.files, CheckFile},       {&d.lists, CheckList}, {&d.sames, CheckSame},
      {&d.sections, CheckSection}, {&d.heads, CheckHead},
  };
  std::string out;
  for (const auto& [requests, check] : kinds) {
    for (std::string request : *requests) {
      ReplaceAll(request, "@DIR@", dirText);
      out += check(request);
    }
  }
  return out;
}

// The script line whose output holds transcript line `index` (from 0), found by running the
// driver again with each command echoed.
std::string ScriptLineOf(std::size_t index, const DriverRun& run, const std::string& dirText) {
  std::string annotated;
  Run(run.Command("--annotate "), annotated);
  ReplaceAll(annotated, dirText, "@DIR@");
  std::string lastCommand = "(before the first command)";
  std::size_t plain = 0;
  for (const std::string& line : Lines(annotated)) {
    if (line.rfind("# ", 0) == 0) {
      lastCommand = line.substr(2);
      continue;
    }
    if (plain++ == index) break;
  }
  return lastCommand;
}

// How many lines both begin with; a shorter transcript differs where it ends.
std::size_t CommonLines(const std::vector<std::string>& expected,
                        const std::vector<std::string>& actual) {
  std::size_t i = 0;
  while (i < expected.size() && i < actual.size() && expected[i] == actual[i]) ++i;
  return i;
}

// Reports the first differing line with the script line behind it, and keeps the whole
// transcript for a closer look.
bool Matches(const std::string& transcript, const fs::path& scriptPath,
             const fs::path& expectedPath, const DriverRun& run, const std::string& dirText) {
  const auto expected = Lines(ReadAll(expectedPath));
  const auto actual = Lines(transcript);
  const std::size_t i = CommonLines(expected, actual);
  if (i == std::max(expected.size(), actual.size())) return true;
  const std::string e = i < expected.size() ? expected[i] : "(end of transcript)";
  const std::string a = i < actual.size() ? actual[i] : "(end of transcript)";
  std::cerr << scriptPath.filename().string() << ": transcript line " << i + 1
            << " differs\n  script line " << ScriptLineOf(i, run, dirText) << "\n  expected: " << e
            << "\n  actual:   " << a << "\n";
  const fs::path actualPath = fs::temp_directory_path() / (scriptPath.stem().string() + ".actual");
  std::ofstream(actualPath, std::ios::binary) << transcript;
  std::cerr << "  whole transcript: " << actualPath.string() << "\n";
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::cerr << "usage: scenario-runner DRIVER FIXTURES SCRIPT EXPECTED [--update]\n";
    return 2;
  }
  const std::string driver = argv[1], fixtures = argv[2];
  const fs::path scriptPath = argv[3], expectedPath = argv[4];
  const bool update = argc > 5 && std::string(argv[5]) == "--update";

  char pattern[] = "/tmp/wisetup-scenario-XXXXXX";
  if (!mkdtemp(pattern)) return 2;
  const fs::path dir = pattern;
  const std::string dirText = dir.string();

  std::string script = ReadAll(scriptPath);
  const Directives directives = ReadDirectives(script);
  if (!WriteFixtures(fixtures, dirText, directives.fixtures)) return 1;
  ReplaceAll(script, "@DIR@", dirText);
  const DriverRun run{EnvCommand(directives.env, dirText), driver, dir / "run.script"};
  std::ofstream(run.script, std::ios::binary) << script;

  std::string transcript;
  const int status = Run(run.Command(""), transcript);
  transcript += "== exit status " + std::to_string(status) + "\n";
  transcript += FileChecks(directives, dirText);
  ReplaceAll(transcript, dirText, "@DIR@");

  int result = 0;
  if (update) {
    std::ofstream(expectedPath, std::ios::binary) << transcript;
  } else if (!Matches(transcript, scriptPath, expectedPath, run, dirText)) {
    result = 1;
  }
  std::error_code ec;
  fs::remove_all(dir, ec);
  return result;
}
