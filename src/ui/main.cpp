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
#include "ui/QtPlatform.h"

namespace {

void Describe(QCoreApplication& app) {
  app.setApplicationName(QStringLiteral("wisetup"));
  app.setApplicationVersion(QStringLiteral(WISETUP_VERSION));
}

void AddOptions(QCommandLineParser& parser) {
  parser.setApplicationDescription(QStringLiteral(
      "Prepares the setup file of a digital welding interface board from a robot controller "
      "backup.\nWithout a command the window opens; settings are kept in wisetup.INI.\n\n"
      "Commands (no display needed):\n"
      "  wisetup apply --selections FILE --backup DIR --setup DIR [--backup DIR --setup DIR]...\n"
      "                [--overwrite] [--preview] [--language ja|en]\n"
      "      applies a selections file to each backup and creates its files as the window's\n"
      "      Create Files does; --preview prints the changes and writes nothing.\n"
      "      Exit status: 0 all done, 1 a pair refused, 2 usage error, 3 a pair left part new.\n"
      "  wisetup undo [--language ja|en]\n"
      "      puts back the files of the newest Create Files, without a question."));
  parser.addHelpOption();
  parser.addVersionOption();
}

}  // namespace

int main(int argc, char* argv[]) {
  // The headless commands never touch a window system.
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (wisetup::IsHeadlessCommand(arguments)) {
    return wisetup::RunHeadless(arguments, std::cout, std::cerr);
  }
  // --help and --version answer on a terminal without a display, so they are settled before any
  // window system is touched.
  {
    QCoreApplication probe(argc, argv);
    Describe(probe);
    QCommandLineParser parser;
    AddOptions(parser);
    if (parser.parse(QCoreApplication::arguments())) {
      if (parser.isSet(QStringLiteral("help"))) parser.showHelp(0);
      if (parser.isSet(QStringLiteral("version"))) parser.showVersion();
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
