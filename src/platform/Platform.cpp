#include "platform/Platform.h"

#include <cstdlib>
#include <ctime>

namespace wisetup {

std::optional<std::string> Platform::Environment(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

std::string Platform::LocalTimestamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

FileStatus Platform::WritePdf(const PaperDocument& document, const std::string& path) {
  (void)document;
  return Failure(FileCode::CannotWrite, path);
}

}  // namespace wisetup
