// The scripted stand-in for dialogs and message boxes: answers come from queues filled by the
// script, and every dialog is written to the transcript as it happens.
#pragma once

#include <deque>
#include <optional>
#include <ostream>
#include <string>

#include "platform/Platform.h"

namespace wisetup {

// Thrown when a dialog opens and the script queued no answer of its kind; ends the run.
struct MissingAnswer {
  std::string dialog;
};

// Writes a string in double quotes with C escapes.
std::string Quote(const std::string& text);

class ScriptPlatform : public Platform {
 public:
  explicit ScriptPlatform(std::ostream& out) : out_(out) {}

  std::string appDir = ".";
  int lcid = 1033;
  std::deque<std::optional<std::string>> folderAnswers;
  std::deque<std::optional<std::string>> fileAnswers;
  std::deque<std::optional<std::string>> saveAnswers;
  std::deque<bool> questionAnswers;
  // The clock of a scenario stands still, so that the folders named after it are known beforehand.
  std::string timestamp = "20240102-030405";

  MessageAnswer ShowMessage(MessageKind kind, const std::string& text,
                            const std::string& caption) override;
  void ShowApplicationError(const std::string& text) override;
  std::optional<std::string> BrowseForFolder(const std::string& prompt,
                                             const std::string& preselect) override;
  std::optional<std::string> OpenFile(const std::string& initialFolder,
                                      const std::string& filter) override;
  std::optional<std::string> SaveFile(const std::string& initialPath,
                                      const std::string& filter) override;
  int UserDefaultLcid() override { return lcid; }
  std::string ExecutablePath() override { return appDir + "/wisetup"; }
  void ExitProcess(int code) override;
  std::string LocalTimestamp() override { return timestamp; }

 private:
  // The next queued answer of a dialog, written to the transcript.
  std::optional<std::string> TakeAnswer(std::deque<std::optional<std::string>>& answers,
                                        const char* dialog);

  std::ostream& out_;
};

}  // namespace wisetup
