// The line's PDF as the installed program writes it: the toolkit's writer handed to the command
// line, read back with pdftotext; and a target that cannot be written.
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <QTemporaryDir>
#include <QTest>

#include "app/Mainunit.h"
#include "cli/CommandLine.h"
#include "demo-data/DemoData.h"
#include "selections/Selections.h"
#include "ui/Paper.h"

namespace {

namespace fs = std::filesystem;
using std::string;

class SilentPlatform : public wisetup::Platform {
 public:
  wisetup::MessageAnswer ShowMessage(wisetup::MessageKind, const string&, const string&) override {
    return wisetup::MessageAnswer::No;
  }
  void ShowApplicationError(const string&) override {}
  std::optional<string> BrowseForFolder(const string&, const string&) override { return {}; }
  std::optional<string> OpenFile(const string&, const string&) override { return {}; }
  int UserDefaultLcid() override { return 1033; }
  string ExecutablePath() override { return "/nowhere/wisetup"; }
  void ExitProcess(int) override {}
};

// The demo walkthrough's choices on `backup`, saved as a selections file at `path`.
void SaveChoices(const string& backup, const string& path) {
  SilentPlatform platform;
  wisetup::TForm1 form(platform);
  form.LanguageIndex = 1;
  form.LoadBackupFolder(backup);
  const std::vector<std::vector<std::pair<int, int>>> modes = {
      {{0, 0}, {1, 2}},
      {{0, 0}, {1, 1}, {3, 2}},
      {{0, 0}, {1, 1}, {2, 2}},
      {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}}};
  const int models[] = {1, 3, 4, 7};
  for (int w = 0; w < wisetup::kWelders; ++w) {
    form.C(wisetup::Ctl::ComboBoxWelderNo).ItemIndex = w;
    form.ComboBoxWelderNoChange();
    form.C(wisetup::Ctl::ComboBoxWpsWelder).ItemIndex = models[w];
    form.ComboBoxWpsWelderChange();
    for (const auto& [registration, mode] : modes[static_cast<std::size_t>(w)]) {
      form.C(wisetup::Ctl::PageControlRejist).ActivePage = registration;
      form.C(wisetup::ComboBoxWpsWModeOf(registration)).ItemIndex = mode;
      form.ComboBoxWpsWModeChange(wisetup::ComboBoxWpsWModeOf(registration));
    }
  }
  std::ofstream(path, std::ios::binary) << wisetup::FormatSelections(form.CurrentSelections());
}

string TextOfPdf(const string& pdf) {
  const string text = pdf + ".txt";
  const string command = "pdftotext -enc UTF-8 '" + pdf + "' '" + text + "'";
  if (std::system(command.c_str()) != 0) return {};
  std::ifstream in(text, std::ios::binary);
  return string(std::istreambuf_iterator<char>(in), {});
}

std::vector<string> PagesOf(const string& text) {
  std::vector<string> pages;
  std::istringstream in(text);
  for (string page; std::getline(in, page, '\f');) pages.push_back(page);
  return pages;
}

}  // namespace

class LinePdfTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  string Path(const char* name) const { return dir_.filePath(name).toStdString(); }

  int Apply(std::vector<string> extra, string& out, string& err) {
    std::vector<string> arguments = {"apply",    "--selections", Path("line.selections.ini"),
                                     "--backup", Path("b1"),     "--setup",
                                     Path("s1"), "--backup",     Path("b2"),
                                     "--setup",  Path("s2"),     "--language",
                                     "en"};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    std::ostringstream o;
    std::ostringstream e;
    const int status = wisetup::RunHeadless(arguments, o, e, &wisetup::WritePdfFile);
    out = o.str();
    err = e.str();
    return status;
  }

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    ::setenv("XDG_DATA_HOME", Path("data").c_str(), 1);
    wisetup::demo::WriteDemoCatalogue(fs::path(Path("data")) / "wisetup");
    for (const char* name : {"b1", "b2", "b3"}) wisetup::demo::WriteDemoBackup(Path(name));
    for (const char* name : {"s1", "s2"}) fs::create_directories(Path(name));
    SaveChoices(Path("b3"), Path("line.selections.ini"));
  }

  void firstPageListsThePairsAndEachReportStartsAPage() {
    string out;
    string err;
    QVERIFY2(Apply({"--pdf", Path("line.pdf")}, out, err) == 0, out.c_str());
    QVERIFY2(err.empty(), err.c_str());
    const std::vector<string> pages = PagesOf(TextOfPdf(Path("line.pdf")));
    QVERIFY2(pages.size() >= 3, out.c_str());
    for (const string& line :
         {string("Line handover"), string("Date and time: "),
          "Selections file: " + Path("line.selections.ini"),
          Path("b1") + " → " + Path("s1") + ": created",
          Path("b2") + " → " + Path("s2") + ": created", string("page 1 of ")}) {
      QVERIFY2(pages[0].find(line) != string::npos, (line + "\n" + pages[0]).c_str());
    }
    // Each pair's report from a page of its own, headed by what it is and its folders.
    std::vector<std::size_t> starts;
    for (const char* backup : {"b1", "b2"}) {
      for (std::size_t p = 1; p < pages.size(); ++p) {
        if (pages[p].find("Backup folder: " + Path(backup) + "\n") != string::npos &&
            pages[p].rfind("Report of Create Files\n", 0) == 0) {
          starts.push_back(p);
          break;
        }
      }
    }
    QCOMPARE(starts.size(), std::size_t{2});
    QVERIFY(starts[0] < starts[1]);
  }

  void aTargetThatCannotBeWrittenIsOneLineAndLeavesNoFile() {
    fs::create_directories(Path("taken.pdf"));
    struct Row {
      string target;
      std::vector<string> more;
      int status;
    };
    const std::vector<Row> rows = {
        {Path("taken.pdf"), {"--preview"}, 2},
        {Path("missing/line.pdf"), {"--preview"}, 2},
        // A refused pair keeps its own status.
        {Path("missing/line.pdf"), {}, 1},
    };
    for (const Row& row : rows) {
      string out;
      string err;
      std::vector<string> extra = {"--pdf", row.target};
      extra.insert(extra.end(), row.more.begin(), row.more.end());
      QCOMPARE(Apply(extra, out, err), row.status);
      QVERIFY2(err.rfind("wisetup: the PDF " + row.target + " was not written: ", 0) == 0,
               err.c_str());
      QCOMPARE(std::count(err.begin(), err.end(), '\n'), 1L);
    }
    QVERIFY(fs::is_empty(Path("taken.pdf")));
    QVERIFY(!fs::exists(Path("missing")));
    // Nothing half-written beside the targets.
    std::set<string> names;
    for (const auto& entry : fs::directory_iterator(dir_.path().toStdString())) {
      names.insert(entry.path().filename().string());
    }
    const std::set<string> expected = {
        "b1",       "b2",           "b3",       "s1", "s2", "data", "line.selections.ini",
        "line.pdf", "line.pdf.txt", "taken.pdf"};
    QVERIFY(names == expected);
  }
};

QTEST_APPLESS_MAIN(LinePdfTest)
#include "LinePdfTest.moc"
