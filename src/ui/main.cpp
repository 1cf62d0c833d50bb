// The entry point of the window: builds the window model behind its Qt view and runs the event
// loop until the window closes or the Exit button ends it.
#include <exception>

#include <QApplication>
#include <QMessageBox>

#include "ui/MainWindow.h"
#include "ui/QtPlatform.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
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
