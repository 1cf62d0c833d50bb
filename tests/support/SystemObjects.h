// The objects of the file system that only a POSIX system has (a FIFO, symbolic links, a device),
// for the tests that need them: they include this beside TestSupport.h and are this system's.
#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "TestSupport.h"

namespace wisetup::test {

// What stands where a record file is read, for the read-failure rows.
enum class Target { Missing, Folder, Empty, Short, EmptyPath, Fifo, BrokenLink, DeviceLink };

// Lays out `target` at a record path below `dir` and returns the path to read; Short is one byte
// less than `recordSize`.
inline std::string MakeTarget(Target target, const fs::path& dir, std::size_t recordSize) {
  std::string path = (dir / "テーブル 1" / "$WTBD7").string();
  switch (target) {
    case Target::Missing:
      break;
    case Target::Folder:
      fs::create_directories(path);
      break;
    case Target::Empty:
      WriteBytes(path, "");
      break;
    case Target::Short:
      WriteBytes(path, Pattern(recordSize - 1, 3));
      break;
    case Target::EmptyPath:
      path.clear();
      break;
    case Target::Fifo:
      fs::create_directories(fs::path(path).parent_path());
      if (::mkfifo(path.c_str(), 0644) != 0) path.clear();
      break;
    case Target::BrokenLink:
      fs::create_directories(fs::path(path).parent_path());
      fs::create_symlink(dir / "nothing", path);
      break;
    case Target::DeviceLink:
      fs::create_directories(fs::path(path).parent_path());
      fs::create_symlink("/dev/zero", path);
      break;
  }
  return path;
}

}  // namespace wisetup::test
