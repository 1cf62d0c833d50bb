// This system's parts of the Platform interface's defaults.
#include <ctime>

#include "platform/Platform.h"

namespace wisetup {

std::string Platform::LocalTimestamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

}  // namespace wisetup
