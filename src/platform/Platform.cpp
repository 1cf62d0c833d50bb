#include "platform/Platform.h"

#include <cstdlib>

namespace wisetup {

std::optional<std::string> Platform::Environment(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

FileStatus Platform::WritePdf(const PaperDocument& document, const std::string& path) {
  (void)document;
  return Failure(FileCode::CannotWrite, path);
}

}  // namespace wisetup
