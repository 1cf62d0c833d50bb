// A platform for the Qt tests that look at a window rather than its dialogs: every question is
// answered No and every dialog cancelled, so nothing modal can hold a test.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "platform/Platform.h"

namespace wisetup::test {

class QuietPlatform : public Platform {
 public:
  explicit QuietPlatform(std::string exe) : exe_(std::move(exe)) {}
  MessageAnswer ShowMessage(MessageKind, const std::string&, const std::string&) override {
    return MessageAnswer::No;
  }
  void ShowApplicationError(const std::string&) override {}
  std::optional<std::string> BrowseForFolder(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> OpenFile(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> SaveFile(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  int UserDefaultLcid() override { return 1033; }
  std::string ExecutablePath() override { return exe_; }
  void ExitProcess(int) override {}

 private:
  std::string exe_;
};

}  // namespace wisetup::test
