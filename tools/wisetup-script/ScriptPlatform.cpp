#include "ScriptPlatform.h"

#include "text/TextScan.h"

#include <cstdio>

namespace wisetup {

std::string Quote(const std::string& text) {
  return QuoteC(text);
}

MessageAnswer ScriptPlatform::ShowMessage(MessageKind kind, const std::string& text,
                                          const std::string& caption) {
  const char* word = kind == MessageKind::Error      ? "error"
                     : kind == MessageKind::Question ? "question"
                                                     : "information";
  out_ << "message " << word << " caption=" << Quote(caption) << " text=" << Quote(text);
  if (kind != MessageKind::Question) {
    out_ << "\n";
    return MessageAnswer::Ok;
  }
  if (questionAnswers.empty()) {
    out_ << "\n";
    throw MissingAnswer{"question"};
  }
  const bool yes = questionAnswers.front();
  questionAnswers.pop_front();
  out_ << (yes ? " -> yes\n" : " -> no\n");
  return yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void ScriptPlatform::ShowApplicationError(const std::string& text) {
  out_ << "error text=" << Quote(text) << "\n";
}

std::optional<std::string> ScriptPlatform::TakeAnswer(
    std::deque<std::optional<std::string>>& answers, const char* dialog) {
  if (answers.empty()) {
    out_ << "\n";
    throw MissingAnswer{dialog};
  }
  auto answer = answers.front();
  answers.pop_front();
  out_ << " -> " << (answer ? Quote(*answer) : "cancel") << "\n";
  return answer;
}

std::optional<std::string> ScriptPlatform::BrowseForFolder(const std::string& prompt,
                                                           const std::string& preselect) {
  out_ << "folder-browser prompt=" << Quote(prompt) << " preselect=" << Quote(preselect);
  return TakeAnswer(folderAnswers, "folder");
}

std::optional<std::string> ScriptPlatform::OpenFile(const std::string& initialFolder,
                                                    const std::string& filter) {
  out_ << "file-dialog initial=" << Quote(initialFolder) << " filter=" << Quote(filter);
  return TakeAnswer(fileAnswers, "file");
}

std::optional<std::string> ScriptPlatform::SaveFile(const std::string& initialPath,
                                                    const std::string& filter) {
  out_ << "save-dialog initial=" << Quote(initialPath) << " filter=" << Quote(filter);
  return TakeAnswer(saveAnswers, "save");
}

void ScriptPlatform::ExitProcess(int code) {
  out_ << "exit " << code << "\n";
}

}  // namespace wisetup
