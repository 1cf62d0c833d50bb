// A platform for the Qt tests: every question is answered No and every dialog cancelled, so nothing
// modal can hold a test; what the model said, browsed for and showed is kept for the test to read.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Platform.h"

namespace wisetup::test {

class QuietPlatform : public Platform {
 public:
  explicit QuietPlatform(std::string exe = "/nonexistent/wisetup") : exe_(std::move(exe)) {}
  MessageAnswer ShowMessage(MessageKind, const std::string& text, const std::string&) override {
    messages.push_back(text);
    return MessageAnswer::No;
  }
  void ShowApplicationError(const std::string& text) override { messages.push_back(text); }
  std::optional<std::string> BrowseForFolder(const std::string& prompt,
                                             const std::string&) override {
    browsed.push_back(prompt);
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
  void ExitProcess(int code) override { exitCode = code; }
  void ShowDocument(const DocumentView& view) override { shown = view; }
  std::optional<std::string> Environment(const std::string& name) override {
    if (name == "XDG_DATA_HOME" && !dataHome.empty()) return dataHome;
    return Platform::Environment(name);
  }

  std::string dataHome;  // where the history goes, when set
  std::vector<std::string> messages;
  std::vector<std::string> browsed;  // prompts of the folder browsers opened
  std::optional<int> exitCode;
  std::optional<DocumentView> shown;

 private:
  std::string exe_;
};

}  // namespace wisetup::test
