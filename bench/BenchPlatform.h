// A silent platform for the benchmarks: folder and question answers are fixed, messages ignored.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace wisetup::bench {

class BenchPlatform : public Platform {
 public:
  std::string folder;
  std::string appDir;
  std::string dataHome;  // where Create Files keeps its history during the run
  int messages = 0;

  MessageAnswer ShowMessage(MessageKind, const std::string&, const std::string&) override {
    ++messages;
    return MessageAnswer::Yes;
  }
  void ShowApplicationError(const std::string&) override { ++messages; }
  std::optional<std::string> BrowseForFolder(const std::string&, const std::string&) override {
    return folder;
  }
  std::optional<std::string> OpenFile(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> SaveFile(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  int UserDefaultLcid() override { return 1041; }
  std::string ExecutablePath() override { return appDir + "/wisetup"; }
  void ExitProcess(int) override {}
  std::optional<std::string> Environment(const std::string& name) override {
    if (name == "XDG_DATA_HOME" && !dataHome.empty()) return dataHome;
    return Platform::Environment(name);
  }
};

}  // namespace wisetup::bench
