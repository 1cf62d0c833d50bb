// The platform of the headless front: no window and no dialog. Boxes are kept for the front to
// report, questions take the answer the command line gave, and the process's own environment,
// locale and executable are used as the window would use them.
#pragma once

#include <string>
#include <vector>

#include "platform/Platform.h"

namespace wisetup {

// Writes a document as a PDF; the window's toolkit provides it, the command line cannot link it.
using PdfWriter = FileStatus (*)(const PaperDocument& document, const std::string& path);

class CliPlatform : public Platform {
 public:
  struct Box {
    MessageKind kind;
    std::string text;
  };
  std::vector<Box> boxes;  // every box shown since the last Take()
  MessageAnswer questionAnswer = MessageAnswer::No;
  PdfWriter pdfWriter = nullptr;  // without one, every PDF fails as not written

  MessageAnswer ShowMessage(MessageKind kind, const std::string& text,
                            const std::string& caption) override;
  void ShowApplicationError(const std::string& text) override;
  std::optional<std::string> BrowseForFolder(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> OpenFile(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  // kJapaneseLcid when LC_ALL, LC_MESSAGES or LANG (the first one set) names Japanese.
  int UserDefaultLcid() override;
  std::string ExecutablePath() override;
  void ExitProcess(int) override {}
  FileStatus WritePdf(const PaperDocument& document, const std::string& path) override;

  // The error boxes shown since the last call, each as its lines; the list is emptied.
  std::vector<std::string> TakeErrors();
};

}  // namespace wisetup
