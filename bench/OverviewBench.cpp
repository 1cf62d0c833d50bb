// The overview of a cell with every registration of every welder used (4 x 10) and a catalogue of
// 2,000 entries: computing it when the window opens, and again after one choice. Target: each
// under 100 ms (the view only shows the rows computed here).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "BenchBackup.h"
#include "BenchPlatform.h"
#include "app/Mainunit.h"
#include "demo-data/DemoData.h"

namespace wisetup::bench {
namespace {

namespace fs = std::filesystem;

struct Cell {
  fs::path root;
  BenchPlatform platform;

  Cell() {
    char pattern[] = "/tmp/wisetup-overview-bench-XXXXXX";
    root = mkdtemp(pattern);
    WriteCellBackup(root / "backup");
    // HX-R350L/R400L in Japan lists WeldingMode/HXRL/JPN.
    const fs::path folder = root / "app/WeldingMode/HXRL/JPN";
    for (int i = 0; i < 2000; ++i) {
      const std::string number = std::to_string(10000 + i);
      demo::WriteTableFile(folder / ("$WTBD" + number),
                           demo::MakeTable(TableForm::Long, 1, 12, 3, 4, 0, 350, 315, {100, 150},
                                           demo::kTemplatePattern));
      demo::WriteModeFile(folder / ("$WPLS" + number),
                          demo::MakeModeRecord(static_cast<std::uint16_t>(i % 400)));
    }
    platform.folder = (root / "backup").string();
    platform.appDir = (root / "app").string();
    platform.dataHome = (root / "data").string();
  }
  ~Cell() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }
};

// Every welder with its model and a mode on every registration.
void ChooseEverything(TForm1& form) {
  form.ClickBackupFolder();
  for (int w = 0; w < kWelders; ++w) {
    form.C(Ctl::ComboBoxWelderNo).ItemIndex = w;
    form.ComboBoxWelderNoChange();
    form.C(Ctl::ComboBoxWpsWelder).ItemIndex = 3;
    form.ComboBoxWpsWelderChange();
    form.Slots[static_cast<std::size_t>(w)].SelectedModes.fill(0);
  }
}

void BM_OverviewOpen(benchmark::State& state) {
  Cell cell;
  TForm1 form(cell.platform);
  ChooseEverything(form);
  for (auto _ : state) benchmark::DoNotOptimize(form.ComputeOverview());
  if (form.ComputeOverview().counts.ready != kWelders * kRegistrations)
    state.SkipWithError("not every registration ready");
}
BENCHMARK(BM_OverviewOpen)->Unit(benchmark::kMillisecond);

void BM_OverviewAfterChoice(benchmark::State& state) {
  Cell cell;
  TForm1 form(cell.platform);
  ChooseEverything(form);
  int item = 0;
  for (auto _ : state) {
    form.C(Ctl::PageControlRejist).ActivePage = 4;
    form.C(ComboBoxWpsWModeOf(4)).ItemIndex = item++ % 2000;
    form.ComboBoxWpsWModeChange(ComboBoxWpsWModeOf(4));
    benchmark::DoNotOptimize(form.ComputeOverview());
  }
}
BENCHMARK(BM_OverviewAfterChoice)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wisetup::bench

BENCHMARK_MAIN();
