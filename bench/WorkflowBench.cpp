// Loading a backup, listing a large catalogue folder and Create Files, each beside a bare loop that
// only does the same file work, so the overhead of the model shows as a ratio in one run.
// Targets: each within 1.5x of its bare loop; the large catalogue lists as fast in lower case as in
// upper case (within 1.2x).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "BenchBackup.h"
#include "BenchPlatform.h"
#include "app/Mainunit.h"
#include "demo-data/DemoData.h"

namespace wisetup::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kCatalogueTemplates = 2000;

struct Data {
  fs::path root;
  fs::path backup;
  fs::path app;
  fs::path setup;
  std::vector<fs::path> tableFiles;
  std::vector<fs::path> catalogueFiles;

  Data() {
    char pattern[] = "/tmp/wisetup-bench-XXXXXX";
    root = mkdtemp(pattern);
    backup = root / "backup";
    app = root / "app";
    setup = root / "setup";
    fs::create_directories(setup);
    tableFiles = WriteCellBackup(backup);
    // HX-R350L/R400L in Japan lists WeldingMode/HXRL/JPN.
    const fs::path folder = app / "WeldingMode/HXRL/JPN";
    for (int i = 0; i < kCatalogueTemplates; ++i) {
      const std::string number = std::to_string(10000 + i);
      demo::WriteTableFile(folder / ("$WTBD" + number),
                           demo::MakeTable(TableForm::Long, 1, 12, 3, 4, 0, i % 4 ? 350 : 400, 315,
                                           {100, 150}, demo::kTemplatePattern));
      demo::WriteModeFile(folder / ("$WPLS" + number),
                          demo::MakeModeRecord(static_cast<std::uint16_t>(i % 400)));
      catalogueFiles.push_back(folder / ("$WTBD" + number));
      catalogueFiles.push_back(folder / ("$WPLS" + number));
    }
  }
  ~Data() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }
};

Data& TheData() {
  static Data data;
  return data;
}

// A platform whose folder browser answers with the benchmark backup.
BenchPlatform PlatformFor(const Data& data) {
  BenchPlatform platform;
  platform.folder = data.backup.string();
  platform.appDir = data.app.string();
  platform.dataHome = (data.root / "data").string();
  return platform;
}

std::size_t ReadFile(const fs::path& path) {
  char buffer[1024];
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return 0;
  const auto n = ::read(fd, buffer, sizeof buffer);
  ::close(fd);
  return n > 0 ? static_cast<std::size_t>(n) : 0;
}

void BM_BackupLoad(benchmark::State& state) {
  Data& data = TheData();
  BenchPlatform platform = PlatformFor(data);
  TForm1 form(platform);
  for (auto _ : state) form.ClickBackupFolder();
  if (form.Slots[3].RobotTables224.size() != 10 || platform.messages) state.SkipWithError("load");
}
BENCHMARK(BM_BackupLoad)->Unit(benchmark::kMicrosecond);

void BM_BackupLoadBareLoop(benchmark::State& state) {
  Data& data = TheData();
  for (auto _ : state) {
    std::size_t bytes = ReadFile(data.backup / "WORK/Ac01arcw.CON");
    for (const auto& file : data.tableFiles) bytes += ReadFile(file);
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_BackupLoadBareLoop)->Unit(benchmark::kMicrosecond);

void BM_CatalogueListing(benchmark::State& state) {
  Data& data = TheData();
  BenchPlatform platform = PlatformFor(data);
  TForm1 form(platform);
  form.ClickBackupFolder();
  form.Slots[0].WpsModel = 3;
  for (auto _ : state) {
    form.UpdateRatedCurrent(0);
    form.ClearCatalogue(0);
    form.LoadCatalogue(0);
  }
  if (form.Slots[0].CatalogueTemplates.size() != kCatalogueTemplates * 3 / 4) {
    state.SkipWithError("listing");
  }
}
BENCHMARK(BM_CatalogueListing)->Unit(benchmark::kMillisecond);

void BM_CatalogueListingBareLoop(benchmark::State& state) {
  Data& data = TheData();
  const fs::path folder = data.app / "WeldingMode/HXRL/JPN";
  for (auto _ : state) {
    std::size_t bytes = 0;
    for (const auto& entry : fs::directory_iterator(folder)) benchmark::DoNotOptimize(entry);
    for (const auto& file : data.catalogueFiles) bytes += ReadFile(file);
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_CatalogueListingBareLoop)->Unit(benchmark::kMillisecond);

// A large catalogue written twice, once in upper case (HXR/JPN) and once in lower case (HXR/USA):
// letter case must not change how the listing scales. Target: within 1.2x of each other.
constexpr int kLargeCatalogue = 20000;

struct LargeCatalogue {
  fs::path root;
  fs::path app;

  LargeCatalogue() {
    char pattern[] = "/tmp/wisetup-bench-large-XXXXXX";
    root = mkdtemp(pattern);
    app = root / "app";
    const RobotWeldTable table = demo::MakeTable(TableForm::Long, 1, 12, 3, 4, 0, 350, 315,
                                                 {100, 150}, demo::kTemplatePattern);
    for (const auto& [area, lower] : {std::pair{"JPN", false}, std::pair{"USA", true}}) {
      const fs::path folder = app / "WeldingMode/HXR" / area;
      for (int i = 0; i < kLargeCatalogue; ++i) {
        const std::string number = std::to_string(10000 + i);
        demo::WriteTableFile(folder / ((lower ? "$wtbd" : "$WTBD") + number), table);
        demo::WriteModeFile(folder / ((lower ? "$wpls" : "$WPLS") + number),
                            demo::MakeModeRecord(static_cast<std::uint16_t>(i % 400)));
      }
    }
  }
  ~LargeCatalogue() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }
};

LargeCatalogue& TheLargeCatalogue() {
  static LargeCatalogue data;
  return data;
}

// HX-R350/R400 lists HXR/JPN in area 0 and HXR/USA in area 1, both at 350 A.
void ListLargeCatalogue(benchmark::State& state, int area) {
  LargeCatalogue& data = TheLargeCatalogue();
  BenchPlatform platform;
  platform.appDir = data.app.string();
  platform.dataHome = (data.root / "data").string();
  TForm1 form(platform);
  form.Slots[0].WpsModel = 1;
  form.Slots[0].Area = area;
  for (auto _ : state) {
    form.UpdateRatedCurrent(0);
    form.ClearCatalogue(0);
    form.LoadCatalogue(0);
  }
  const auto& read = form.Slots[0].CatalogueModesReadWhole;
  if (form.Slots[0].CatalogueTemplates.size() != kLargeCatalogue || platform.messages ||
      std::count(read.begin(), read.end(), true) != kLargeCatalogue) {
    state.SkipWithError("large listing");
  }
}

void BM_CatalogueListingUpperCase(benchmark::State& state) {
  ListLargeCatalogue(state, 0);
}
BENCHMARK(BM_CatalogueListingUpperCase)->Unit(benchmark::kMillisecond);

void BM_CatalogueListingLowerCase(benchmark::State& state) {
  ListLargeCatalogue(state, 1);
}
BENCHMARK(BM_CatalogueListingLowerCase)->Unit(benchmark::kMillisecond);

void BM_CreateFiles(benchmark::State& state) {
  Data& data = TheData();
  BenchPlatform platform = PlatformFor(data);
  TForm1 form(platform);
  form.ClickBackupFolder();
  form.C(Ctl::EditConfigFolder).Text = data.setup.string();
  for (int w = 0; w < kWelders; ++w) {
    form.C(Ctl::ComboBoxWelderNo).ItemIndex = w;
    form.ComboBoxWelderNoChange();
    form.C(Ctl::ComboBoxWpsWelder).ItemIndex = 3;
    form.ComboBoxWpsWelderChange();
    form.Slots[static_cast<std::size_t>(w)].SelectedModes.fill(0);
  }
  platform.messages = 0;
  for (auto _ : state) form.ButtonMakeConfigClick();
  // At least the completion message of every run.
  if (platform.messages < static_cast<int>(state.iterations())) state.SkipWithError("create");
}
BENCHMARK(BM_CreateFiles)->Unit(benchmark::kMillisecond);

void WriteAtomically(const fs::path& path, const std::string& bytes) {
  const fs::path temp = path.string() + ".tmp";
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return;
  benchmark::DoNotOptimize(::write(fd, bytes.data(), bytes.size()));
  ::fsync(fd);
  ::close(fd);
  ::rename(temp.c_str(), path.c_str());
}

void BM_CreateFilesBareLoop(benchmark::State& state) {
  Data& data = TheData();
  std::ifstream in(data.setup / "ZelSetUp.ini", std::ios::binary);
  const std::string setupFile((std::istreambuf_iterator<char>(in)), {});
  const std::string table(224, '\x5a');
  const fs::path out = data.root / "bare";
  fs::create_directories(out);
  for (auto _ : state) {
    WriteAtomically(out / "ZelSetUp.ini", setupFile);
    for (int i = 0; i < 40; ++i) WriteAtomically(out / ("$WTBD" + std::to_string(i)), table);
  }
}
BENCHMARK(BM_CreateFilesBareLoop)->Unit(benchmark::kMillisecond);

void WriteUnflushed(const fs::path& path, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (fd < 0) return;
  benchmark::DoNotOptimize(::write(fd, bytes.data(), bytes.size()));
  ::close(fd);
}

void FlushFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// The file work Create Files does, without the model: a kept copy of every file, then every new
// content beside its target, each group flushed with one flush of the file system, then the
// renames and the folder flushes.
void BM_CreateFilesBareLoopWithCopies(benchmark::State& state) {
  Data& data = TheData();
  std::ifstream in(data.setup / "ZelSetUp.ini", std::ios::binary);
  const std::string setupFile((std::istreambuf_iterator<char>(in)), {});
  const std::string table(224, '\x5a');
  const fs::path out = data.root / "bare-copies";
  const fs::path kept = data.root / "bare-kept";
  fs::create_directories(out);
  int run = 0;
  for (auto _ : state) {
    const fs::path folder = kept / std::to_string(++run);
    fs::create_directories(folder);
    WriteUnflushed(folder / "000-ZelSetUp.ini", setupFile);
    for (int i = 0; i < 40; ++i) WriteUnflushed(folder / std::to_string(i), table);
    WriteUnflushed(folder / "manifest.txt", std::string(41 * 160, 'm'));
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    ::syncfs(fd);
    ::close(fd);
    FlushFolder(folder);
    FlushFolder(kept);
    WriteUnflushed(out / "ZelSetUp.ini.tmp", setupFile);
    for (int i = 0; i < 40; ++i)
      WriteUnflushed(out / ("$WTBD" + std::to_string(i) + ".tmp"), table);
    fd = ::open(out.c_str(), O_RDONLY | O_DIRECTORY);
    ::syncfs(fd);
    ::close(fd);
    ::rename((out / "ZelSetUp.ini.tmp").c_str(), (out / "ZelSetUp.ini").c_str());
    for (int i = 0; i < 40; ++i) {
      const std::string name = "$WTBD" + std::to_string(i);
      ::rename((out / (name + ".tmp")).c_str(), (out / name).c_str());
    }
    FlushFolder(out);
  }
}
BENCHMARK(BM_CreateFilesBareLoopWithCopies)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wisetup::bench

BENCHMARK_MAIN();
