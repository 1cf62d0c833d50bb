#include "cli/CliPlatform.h"

#include <cstdlib>
#include <string_view>

#include "platform/FileSystem.h"

namespace wisetup {

MessageAnswer CliPlatform::ShowMessage(MessageKind kind, const std::string& text,
                                       const std::string&) {
  boxes.push_back({kind, text});
  return kind == MessageKind::Question ? questionAnswer : MessageAnswer::Ok;
}

void CliPlatform::ShowApplicationError(const std::string& text) {
  boxes.push_back({MessageKind::Error, text});
}

FileStatus CliPlatform::WritePdf(const PaperDocument& document, const std::string& path) {
  return pdfWriter != nullptr ? pdfWriter(document, path) : Platform::WritePdf(document, path);
}

int CliPlatform::UserDefaultLcid() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const auto value = Environment(name);
    if (!value || value->empty()) continue;
    return std::string_view(*value).starts_with("ja") ? kJapaneseLcid : 1033;
  }
  return 1033;
}

std::string CliPlatform::ExecutablePath() {
  return RunningExecutable().value_or("wisetup");
}

std::vector<std::string> CliPlatform::TakeErrors() {
  std::vector<std::string> lines;
  for (const Box& box : boxes) {
    if (box.kind != MessageKind::Error) continue;
    std::size_t start = 0;
    while (start <= box.text.size()) {
      const std::size_t end = std::min(box.text.find('\n', start), box.text.size());
      if (end > start) lines.push_back(box.text.substr(start, end - start));
      start = end + 1;
    }
  }
  boxes.clear();
  return lines;
}

}  // namespace wisetup
