// Reading a fixed-size record (a robot-side welding table or a catalogue mode record) from the
// start of a file. Which message a failure shows is the caller's business.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/FileIo.h"

namespace wisetup {

// The files of a backup as native paths below the folder the user chose, which is used as it
// stands; the tool's own names are matched ignoring letter case like every path of the tool.
std::string ConfigFilePath(const std::string& backupFolder);  // \WORK\Ac01arcw.CON
std::string WeldFolderPath(const std::string& backupFolder);  // \WORK\A_APPLICATION\WELD
// The name of the welding table file of a table number ("$WTBD7").
std::string TableFileName(int tableNumber);

// Fills `target` with the first target.size() bytes of the file at `nativePath`; when no entry
// has the file's exact name, the one of its folder that matches it ignoring letter case is read.
// OpenFailed for an empty path or a file that cannot be opened, ReadFailed for one that holds
// fewer bytes or cannot be read. On failure `target` is left as it was.
[[nodiscard]] FileStatus ReadRecordFile(const std::string& nativePath,
                                        std::span<std::uint8_t> target);

}  // namespace wisetup
