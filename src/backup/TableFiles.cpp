#include "backup/TableFiles.h"

#include <algorithm>
#include <vector>

#include "platform/PathMap.h"

namespace wisetup {

std::string ConfigFilePath(const std::string& backupFolder) {
  return MapPath(backupFolder, "\\WORK\\Ac01arcw.CON");
}

std::string WeldFolderPath(const std::string& backupFolder) {
  return MapPath(backupFolder, "\\WORK\\A_APPLICATION\\WELD");
}

std::string TableFileName(int tableNumber) {
  return "$WTBD" + std::to_string(tableNumber);
}

FileStatus ReadRecordFile(const std::string& nativePath, std::span<std::uint8_t> target) {
  if (nativePath.empty()) return Failure(FileCode::CannotOpen, nativePath);
  std::vector<std::uint8_t> bytes;
  FileStatus status = ReadFilePrefix(nativePath, target.size(), bytes);
  if (status.code == FileCode::CannotOpen) {
    const std::size_t slash = nativePath.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : nativePath.substr(0, slash);
    const std::string name = nativePath.substr(slash == std::string::npos ? 0 : slash + 1);
    const std::string found = MapName(folder.empty() && slash == 0 ? "/" : folder, name);
    if (found != name) {
      status = ReadFilePrefix(nativePath.substr(0, nativePath.size() - name.size()) + found,
                              target.size(), bytes);
    }
  }
  if (status.ok()) std::copy(bytes.begin(), bytes.end(), target.begin());
  return status;
}

}  // namespace wisetup
