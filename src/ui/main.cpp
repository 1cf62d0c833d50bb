// The entry point of the window: builds the window model behind its Qt view and runs the event
// loop until the window closes or the Exit button ends it.
#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QMessageBox>

#include "cli/CommandLine.h"
#include "ui/MainWindow.h"
#include "ui/Paper.h"
#include "ui/QtPlatform.h"

namespace {

void Describe(QCoreApplication& app) {
  app.setApplicationName(QStringLiteral("wisetup"));
  app.setApplicationVersion(QStringLiteral(WISETUP_VERSION));
}

// The window's own options; the help and the commands are the command line's (cli/).
void AddOptions(QCommandLineParser& parser) {
  parser.addVersionOption();
}

}  // namespace

int main(int argc, char* argv[]) {
  // The commands, --help and every word or option of neither the window nor the window system are
  // settled before any window system is touched.
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (wisetup::IsHeadlessCommand(arguments)) {
    // The PDFs of a line are drawn by the toolkit, started off-screen only when one is asked for.
    return wisetup::RunHeadless(arguments, std::cout, std::cerr, &wisetup::WritePdfFile);
  }
  // --version answers on a terminal without a display.
  {
    QCoreApplication probe(argc, argv);
    Describe(probe);
    QCommandLineParser parser;
    AddOptions(parser);
    if (parser.parse(QCoreApplication::arguments()) && parser.isSet(QStringLiteral("version"))) {
      parser.showVersion();
    }
  }

  QApplication app(argc, argv);
  Describe(app);
  QGuiApplication::setDesktopFileName(QStringLiteral("wisetup"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("wisetup")));
  {
    // What the window system left over must be ours; anything else is a mistake worth telling.
    QCommandLineParser parser;
    AddOptions(parser);
    parser.process(app);
  }
  try {
    wisetup::QtPlatform platform;
    wisetup::MainWindow window(platform);
    platform.SetOwner(&window);
    platform.SetBeforeModal([&window] { window.Mirror(); });
    platform.SetLanguage([&window] { return window.Form().LanguageIndex; });
    window.Start();
    return QApplication::exec();
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, QApplication::applicationName(),
                          QString::fromStdString(e.what()));
  }
  return 0;
}
