#include "backup/TableFiles.h"

#include <algorithm>
#include <vector>

#include "platform/PathMap.h"

namespace wisetup {

FileStatus ReadRecordFile(const std::string& toolPath, std::span<std::uint8_t> target) {
  if (toolPath.empty()) return {FileCode::OpenFailed, "empty path"};
  std::vector<std::uint8_t> bytes;
  FileStatus status = ReadFilePrefix(NormalizePath(toolPath), target.size(), bytes);
  if (status.code == FileCode::OpenFailed)
    status = ReadFilePrefix(MapPath(toolPath), target.size(), bytes);
  if (status.ok()) std::copy(bytes.begin(), bytes.end(), target.begin());
  return status;
}

}  // namespace wisetup
