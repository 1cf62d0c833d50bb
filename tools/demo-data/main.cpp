// Writes the synthetic demo backup or demo catalogue into a folder (see DemoData.h for the
// content).
#include <exception>
#include <filesystem>
#include <iostream>
#include <string_view>

#include "demo-data/DemoData.h"

namespace {

constexpr std::string_view kUsage =
    "usage: wisetup-demo-data backup DIR        write a demo robot controller backup into DIR\n"
    "       wisetup-demo-data catalogue APPDIR  write the demo catalogue APPDIR/WeldingMode\n"
    "       wisetup-demo-data --help            show this text\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
    std::cout << kUsage;
    return 0;
  }
  if (argc != 3) {
    std::cerr << "wisetup-demo-data: expected a command and a folder\n" << kUsage;
    return 1;
  }
  const std::string_view command = argv[1];
  const std::filesystem::path folder = argv[2];
  if (folder.empty()) {
    std::cerr << "wisetup-demo-data: the folder must not be empty\n";
    return 1;
  }
  try {
    if (command == "backup") {
      wisetup::demo::WriteDemoBackup(folder);
      std::cout << "demo backup written to " << folder.string() << '\n';
    } else if (command == "catalogue") {
      wisetup::demo::WriteDemoCatalogue(folder);
      std::cout << "demo catalogue written to " << (folder / "WeldingMode").string() << '\n';
    } else {
      std::cerr << "wisetup-demo-data: unknown command '" << command << "'\n" << kUsage;
      return 1;
    }
  } catch (const std::exception& error) {
    std::cerr << "wisetup-demo-data: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
