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

#include "BenchLine.h"
#include "cli/CommandLine.h"

namespace wisetup::bench {
namespace {

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
