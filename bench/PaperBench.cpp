// The PDF of a whole line: 20 backups of 40 tables each, every pair's document from a new page.
// It is meant to be written in well under 3 s.
#include <string>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "app/ChangeTexts.h"
#include "app/RegistrationTexts.h"
#include "ui/MainWindow.h"
#include "ui/Paper.h"

namespace {

// One pair's change list: the setup file and 40 tables, each with its registration and changes.
wisetup::PaperSection PairSection(int pair) {
  const std::string backup = "/line/cell" + std::to_string(pair + 1);
  wisetup::ChangeList list;
  wisetup::ChangeHeading heading;
  heading.backupFolder = backup;
  heading.setupFolder = backup + "-setup";
  list.files.push_back({heading.setupFolder + "/ZelSetUp.ini",
                        wisetup::ComposedKind::SetupFile,
                        wisetup::FileState::Changed,
                        {{"SYSTEM/CONTROLLER", "2", "1"}},
                        {},
                        {}});
  for (int t = 0; t < 40; ++t) {
    const std::string path = backup + "/WORK/A_APPLICATION/WELD/$WTBD" + std::to_string(t + 1);
    wisetup::FileChange table{
        path, wisetup::ComposedKind::Table, wisetup::FileState::Changed, {}, {}, {}};
    for (int g = 1; g <= 5; ++g) {
      table.record.push_back({"CONDITION" + std::to_string(g) + ".COND_CURRENT_CMD",
                              static_cast<std::size_t>(100 + g * 10), 2, 120, 2541});
    }
    list.files.push_back(table);
    heading.tables[path] = {t + 1,
                            {{wisetup::RegistrationName(t / 10, t % 10, 1),
                              "DC      dia.1.2  Mild steel  CO2", "DC  dia.1.2  CO2  (Low)"}}};
  }
  return {{"Report of Create Files", "Backup folder: " + backup},
          wisetup::ChangeListText(list, heading, 1)};
}

void LinePdf(benchmark::State& state) {
  wisetup::PaperDocument document{
      "Line", {{{"Line of 20 cells"}, "cell1: created\n"}}, "page %1 of %2"};
  for (int pair = 0; pair < 20; ++pair) document.sections.push_back(PairSection(pair));
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("line.pdf"));
  const QFont font = wisetup::MainWindow::RegistrationFont();
  for (auto _ : state) {
    if (!wisetup::WritePaperPdf(document, font, path).ok()) state.SkipWithError("not written");
  }
}
BENCHMARK(LinePdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
