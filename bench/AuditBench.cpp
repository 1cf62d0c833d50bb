// A maintenance visit: `check` of a line of 20 backups of 40 tables beside `apply --preview` of the
// same line (target: within 1.5x of it), and the comparison of two backups of 40 tables (target:
// under 50 ms), read from disk and written out as lines.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <vector>

#include "BenchLine.h"
#include "app/CompareTexts.h"
#include "cli/CommandLine.h"
#include "survey/BackupCompare.h"

namespace wisetup::bench {
namespace {

Line& TheLine() {
  static Line line;
  return line;
}

void RunLine(benchmark::State& state, std::vector<std::string> arguments, int expected) {
  int status = 0;
  std::string said;
  for (auto _ : state) {
    std::ostringstream out;
    std::ostringstream err;
    status = RunHeadless(arguments, out, err);
    said = out.str() + err.str();
  }
  if (status != expected) state.SkipWithError(said.substr(0, 400).c_str());
}

void BM_PreviewLine(benchmark::State& state) {
  std::vector<std::string> arguments = TheLine().arguments;
  arguments.push_back("--preview");
  RunLine(state, arguments, 0);
}
BENCHMARK(BM_PreviewLine)->Unit(benchmark::kMillisecond);

void BM_CheckLine(benchmark::State& state) {
  std::vector<std::string> arguments = TheLine().arguments;
  arguments.front() = "check";
  RunLine(state, arguments, 1);  // no setup file is made yet: every pair differs
}
BENCHMARK(BM_CheckLine)->Unit(benchmark::kMillisecond);

// The second cell with every table of welder 1 changed, so that the lines have fields to say.
void BM_CompareBackups(benchmark::State& state) {
  Line& line = TheLine();
  const fs::path other = line.root / "other";
  const std::vector<fs::path> tables = WriteCellBackup(other);
  for (int r = 0; r < 10; ++r) {
    demo::WriteTableFile(tables[static_cast<std::size_t>(r)],
                         demo::MakeTable(TableForm::Long, 1, 12, 3, 4, 0, 350, 300, {90, 130}));
  }
  const std::string a = (line.root / "cell0").string();
  std::size_t lines = 0;
  for (auto _ : state) {
    const BackupComparison comparison =
        CompareBackups(ReadBackupSnapshot(a), ReadBackupSnapshot(other.string()));
    lines = ComparisonLines(comparison, 1).size();
    benchmark::DoNotOptimize(lines);
  }
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_CompareBackups)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wisetup::bench

BENCHMARK_MAIN();
