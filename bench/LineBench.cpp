// A production line at once: one selections file applied headless to 20 backups of four welders
// with ten tables each, beside a bare loop that does the same file work (reads every table and
// every catalogue file, writes every kept copy and every new file, flushes and renames them).
// Target: within 1.5x of the bare loop.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "BenchBackup.h"
#include "BenchPlatform.h"
#include "app/Mainunit.h"
#include "cli/CommandLine.h"
#include "demo-data/DemoData.h"
#include "selections/Selections.h"

namespace wisetup::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kBackups = 20;
constexpr int kTemplates = 10;

struct Line {
  fs::path root;
  std::vector<std::string> arguments;  // the headless command, without --overwrite
  std::vector<fs::path> tables;        // of every backup
  std::vector<fs::path> catalogue;

  Line() {
    char pattern[] = "/tmp/wisetup-line-bench-XXXXXX";
    root = ::mkdtemp(pattern);
    ::setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    for (int b = 0; b < kBackups; ++b) {
      const std::vector<fs::path> cell = WriteCellBackup(root / ("cell" + std::to_string(b)));
      tables.insert(tables.end(), cell.begin(), cell.end());
      fs::create_directories(root / ("setup" + std::to_string(b)));
    }
    const fs::path folder = root / "data/wisetup/WeldingMode/HXRL/JPN";
    for (int i = 0; i < kTemplates; ++i) {
      const std::string number = std::to_string(10 + i);
      demo::WriteTableFile(folder / ("$WTBD" + number),
                           demo::MakeTable(TableForm::Long, 1, 12, 3, 4, 0, 350, 315, {100, 150},
                                           demo::kTemplatePattern));
      demo::WriteModeFile(folder / ("$WPLS" + number),
                          demo::MakeModeRecord(static_cast<std::uint16_t>(i)));
      catalogue.push_back(folder / ("$WTBD" + number));
      catalogue.push_back(folder / ("$WPLS" + number));
    }
    WriteSelections();
    arguments = {"apply", "--selections", (root / "line.selections.ini").string()};
    for (int b = 0; b < kBackups; ++b) {
      arguments.insert(arguments.end(),
                       {"--backup", (root / ("cell" + std::to_string(b))).string(), "--setup",
                        (root / ("setup" + std::to_string(b))).string()});
    }
  }
  ~Line() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }

  // HX-R350L/R400L for every welder, the first template for every registration.
  void WriteSelections() {
    BenchPlatform platform;
    platform.folder = (root / "cell0").string();
    platform.appDir = (root / "app").string();
    platform.dataHome = (root / "data").string();
    TForm1 form(platform);
    form.ClickBackupFolder();
    for (int w = 0; w < kWelders; ++w) {
      form.C(Ctl::ComboBoxWelderNo).ItemIndex = w;
      form.ComboBoxWelderNoChange();
      form.C(Ctl::ComboBoxWpsWelder).ItemIndex = 3;
      form.ComboBoxWpsWelderChange();
      form.Slots[static_cast<std::size_t>(w)].SelectedModes.fill(0);
    }
    demo::WriteTextFile(root / "line.selections.ini", FormatSelections(form.CurrentSelections()));
  }
};

Line& TheLine() {
  static Line line;
  return line;
}

void BM_LineHeadless(benchmark::State& state) {
  Line& line = TheLine();
  std::vector<std::string> arguments = line.arguments;
  arguments.push_back("--overwrite");
  int status = 0;
  std::string said;
  for (auto _ : state) {
    std::ostringstream out;
    std::ostringstream err;
    status = RunHeadless(arguments, out, err);
    said = out.str() + err.str();
  }
  if (status != 0) state.SkipWithError(said.substr(0, 400).c_str());
}
BENCHMARK(BM_LineHeadless)->Unit(benchmark::kMillisecond);

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

void Write(const fs::path& path, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (fd < 0) return;
  benchmark::DoNotOptimize(::write(fd, bytes.data(), bytes.size()));
  ::close(fd);
}

void Flush(const fs::path& folder, bool fileSystem) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  if (fileSystem) {
    ::syncfs(fd);
  } else {
    ::fsync(fd);
  }
  ::close(fd);
}

void BM_LineBareLoop(benchmark::State& state) {
  Line& line = TheLine();
  const fs::path kept = line.root / "bare-kept";
  int run = 0;
  for (auto _ : state) {
    for (int b = 0; b < kBackups; ++b) {
      const fs::path backup = line.root / ("cell" + std::to_string(b));
      const fs::path weld = backup / "WORK/A_APPLICATION/WELD";
      std::vector<std::string> contents;
      benchmark::DoNotOptimize(ReadFile(backup / "WORK/Ac01arcw.CON"));
      for (int t = 0; t < 40; ++t)
        contents.push_back(ReadFile(line.tables[static_cast<std::size_t>(b * 40 + t)]));
      for (int w = 0; w < kWelders; ++w) {
        for (const fs::path& file : line.catalogue) benchmark::DoNotOptimize(ReadFile(file));
      }
      const fs::path folder = kept / std::to_string(++run);
      fs::create_directories(folder);
      for (int t = 0; t < 40; ++t)
        Write(folder / std::to_string(t), contents[static_cast<std::size_t>(t)]);
      Write(folder / "manifest.txt", std::string(41 * 160, 'm'));
      Flush(folder, true);
      Flush(folder, false);
      const fs::path setup = line.root / ("setup" + std::to_string(b));
      Write(setup / "ZelSetUp.ini.tmp", std::string(20000, 's'));
      for (int t = 0; t < 40; ++t) {
        Write(
            weld / (line.tables[static_cast<std::size_t>(b * 40 + t)].filename().string() + ".tmp"),
            contents[static_cast<std::size_t>(t)]);
      }
      Flush(weld, true);
      ::rename((setup / "ZelSetUp.ini.tmp").c_str(), (setup / "ZelSetUp.ini").c_str());
      for (int t = 0; t < 40; ++t) {
        const fs::path target = line.tables[static_cast<std::size_t>(b * 40 + t)];
        ::rename((target.string() + ".tmp").c_str(), target.c_str());
      }
      Flush(weld, false);
      Flush(setup, false);
      Write(folder / "report.txt", std::string(8000, 'r'));
    }
  }
}
BENCHMARK(BM_LineBareLoop)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wisetup::bench

BENCHMARK_MAIN();
