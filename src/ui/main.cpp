// The entry point of the window: builds the window model behind its Qt view and runs the event
// loop until the window closes or the Exit button ends it.
#include <exception>
#include <memory>

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QMessageBox>

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
      "backup.\nAll work is done in the window; settings are kept in wisetup.INI."));
  parser.addHelpOption();
  parser.addVersionOption();
}

}  // namespace

int main(int argc, char* argv[]) {
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
    window.Start();
    return QApplication::exec();
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, QApplication::applicationName(),
                          QString::fromStdString(e.what()));
  }
  return 0;
}
