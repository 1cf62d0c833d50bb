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
// XDG_DATA_DIRS=@DIR@/xdg/dirs (none of them created).
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
  std::vector<std::string> fixtureNames, files, lists, sames, sections, heads;
  std::vector<std::pair<std::string, std::string>> env = {
      {"HOME", "@DIR@/home"},
      {"XDG_CONFIG_HOME", "@DIR@/xdg/config"},
      {"XDG_DATA_HOME", "@DIR@/xdg/data"},
      {"XDG_DATA_DIRS", "@DIR@/xdg/dirs"},
  };
  for (const std::string& line : Lines(script)) {
    if (line.rfind("#! fixture ", 0) == 0) fixtureNames.push_back(line.substr(11));
    if (line.rfind("#! file ", 0) == 0) files.push_back(line.substr(8));
    if (line.rfind("#! list ", 0) == 0) lists.push_back(line.substr(8));
    if (line.rfind("#! same ", 0) == 0) sames.push_back(line.substr(8));
    if (line.rfind("#! section ", 0) == 0) sections.push_back(line.substr(11));
    if (line.rfind("#! head ", 0) == 0) heads.push_back(line.substr(8));
    if (line.rfind("#! env ", 0) == 0) {
      const std::string assignment = line.substr(7);
      const std::size_t equals = assignment.find('=');
      const std::string name = assignment.substr(0, equals);
      const std::string value = equals == std::string::npos ? "" : assignment.substr(equals + 1);
      std::erase_if(env, [&](const auto& e) { return e.first == name; });
      env.emplace_back(name, value);
    }
  }
  std::string fixtureCommand = ShellQuote(fixtures) + " " + ShellQuote(dirText);
  for (const auto& name : fixtureNames) fixtureCommand += " " + ShellQuote(name);
  std::string ignored;
  if (Run(fixtureCommand, ignored) != 0) {
    std::cerr << "fixtures failed: " << fixtureCommand << "\n";
    return 1;
  }
  ReplaceAll(script, "@DIR@", dirText);
  const fs::path runScript = dir / "run.script";
  std::ofstream(runScript, std::ios::binary) << script;

  std::string transcript;
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
  const std::string environment = "env" + unsets + assignments;
  const std::string command =
      environment + " " + ShellQuote(driver) + " " + ShellQuote(runScript.string());
  const int status = Run(command + " 2>&1", transcript);
  transcript += "== exit status " + std::to_string(status) + "\n";
  for (std::string path : files) {
    ReplaceAll(path, "@DIR@", dirText);
    transcript += "== file " + path + " " + DescribeFile(path);
  }
  for (std::string path : lists) {
    ReplaceAll(path, "@DIR@", dirText);
    transcript += "== list " + path + "\n" + ListFolder(path);
  }
  for (std::string pair : sames) {
    ReplaceAll(pair, "@DIR@", dirText);
    const std::size_t blank = pair.find(' ');
    const std::string a = pair.substr(0, blank);
    const std::string b = blank == std::string::npos ? "" : pair.substr(blank + 1);
    std::error_code ec;
    const bool both = fs::is_regular_file(a, ec) && fs::is_regular_file(b, ec);
    const std::string bytes = both ? ReadAll(a) : "";
    transcript += "== same " + pair + ": " +
                  (!both                 ? std::string("(a file is missing)")
                   : bytes == ReadAll(b) ? "yes (" + std::to_string(bytes.size()) + " bytes)"
                                         : std::string("NO")) +
                  "\n";
  }
  for (std::string request : sections) {
    ReplaceAll(request, "@DIR@", dirText);
    const std::size_t blank = request.rfind(' ');
    const std::string name = "[" + request.substr(blank + 1) + "]";
    transcript += "== section " + request + "\n";
    bool inside = false;
    for (std::string line : Lines(ReadAll(request.substr(0, blank)))) {
      if (!line.empty() && line.back() == '\r') line.back() = '\x01';
      if (!line.empty() && line.front() == '[') inside = line.rfind(name, 0) == 0;
      if (!inside) continue;
      ReplaceAll(line, "\x01", "<CR>");
      transcript += line + "\n";
    }
  }
  for (std::string request : heads) {
    ReplaceAll(request, "@DIR@", dirText);
    const std::size_t blank = request.rfind(' ');
    const std::string text = ReadAll(request.substr(0, blank));
    const std::vector<std::string> lines = Lines(text);
    const std::size_t count = std::min<std::size_t>(
        lines.size(), static_cast<std::size_t>(std::atoi(request.c_str() + blank + 1)));
    transcript += "== head " + request + " (" + std::to_string(text.size()) + " bytes, " +
                  std::to_string(lines.size()) + " lines)\n";
    for (std::size_t i = 0; i < count; ++i) {
      std::string line = lines[i];
      if (!line.empty() && line.back() == '\r') line.back() = '\x01';
      ReplaceAll(line, "\x01", "<CR>");
      transcript += line + "\n";
    }
  }
  ReplaceAll(transcript, dirText, "@DIR@");

  int result = 0;
  if (update) {
    std::ofstream(expectedPath, std::ios::binary) << transcript;
  } else {
    const auto expected = Lines(ReadAll(expectedPath));
    const auto actual = Lines(transcript);
    const std::size_t n = std::max(expected.size(), actual.size());
    for (std::size_t i = 0; i < n; ++i) {
      const std::string e = i < expected.size() ? expected[i] : "(end of transcript)";
      const std::string a = i < actual.size() ? actual[i] : "(end of transcript)";
      if (e == a) continue;
      // Find the script line that produced the differing output line.
      std::string annotated;
      Run(environment + " " + ShellQuote(driver) + " --annotate " + ShellQuote(runScript.string()) +
              " 2>&1",
          annotated);
      ReplaceAll(annotated, dirText, "@DIR@");
      std::string lastCommand = "(before the first command)";
      std::size_t plain = 0;
      for (const std::string& line : Lines(annotated)) {
        if (line.rfind("# ", 0) == 0) {
          lastCommand = line.substr(2);
          continue;
        }
        if (plain++ == i) break;
      }
      std::cerr << scriptPath.filename().string() << ": transcript line " << i + 1
                << " differs\n  script line " << lastCommand << "\n  expected: " << e
                << "\n  actual:   " << a << "\n";
      result = 1;
      break;
    }
    if (result != 0) {
      const fs::path actualPath =
          fs::temp_directory_path() / (scriptPath.stem().string() + ".actual");
      std::ofstream(actualPath, std::ios::binary) << transcript;
      std::cerr << "  whole transcript: " << actualPath.string() << "\n";
    }
  }
  std::error_code ec;
  fs::remove_all(dir, ec);
  return result;
}
