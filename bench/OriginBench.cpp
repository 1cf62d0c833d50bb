// Where a setup file came from, in a history of 1,000 runs whose newest 999 wrote other boards:
// every manifest is read before the oldest run answers. Target: under 50 ms, the cost it adds to
// Create Files.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "storage/FileTransaction.h"
#include "survey/SetupOrigin.h"

namespace wisetup::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kRuns = 1000;

struct History {
  fs::path root;

  History() {
    char pattern[] = "/tmp/wisetup-origin-bench-XXXXXX";
    root = ::mkdtemp(pattern);
    for (int i = 0; i < kRuns; ++i) {
      const fs::path board = root / ("board" + std::to_string(i));
      fs::create_directories(board);
      FileTransaction files;
      const auto setup = files.Add((board / "ZelSetUp.ini").string(), false);
      // A run writes its setup file and a dozen tables, as a run of the line does.
      for (int t = 0; t < 12; ++t) {
        const auto table = files.Add((board / ("$WTBD" + std::to_string(t))).string(), false);
        if (table) files.SetContent(*table, std::string(148, 'x'));
      }
      if (!setup) std::abort();
      files.SetContent(*setup, "[SYSTEM]\r\nVERSION=1\r\n");
      char stamp[32];
      std::snprintf(stamp, sizeof stamp, "20240101-%06d", i);
      const RunRecord record{(root / ("cell" + std::to_string(i))).string(), board.string(), ""};
      if (!files.KeepOriginals((root / "history").string(), stamp, record) || !files.Commit().ok) {
        std::abort();
      }
    }
  }
  ~History() { fs::remove_all(root); }
};

void BM_SetupOriginOf1000Runs(benchmark::State& state) {
  static const History history;
  const std::string setup = (history.root / "board0" / "ZelSetUp.ini").string();
  for (auto _ : state) {
    const auto origin = SetupOriginOf((history.root / "history").string(), setup);
    if (!origin) std::abort();
    benchmark::DoNotOptimize(origin);
  }
}
BENCHMARK(BM_SetupOriginOf1000Runs)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wisetup::bench

BENCHMARK_MAIN();
