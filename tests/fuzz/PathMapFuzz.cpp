// Maps arbitrary tool paths below a small folder tree made once per run: a mapped path may differ
// from the normalized one only in letter case, a path that exists as written maps to itself, and
// any spelling of an entry of the tree finds that entry.
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "platform/PathMap.h"

namespace {

using namespace wisetup;
using fuzz::Check;

// Entries of the tree, relative to its root; folders end in '/'. "Dup" and "DUP" differ only in
// case, so the choice between them must be stable. (Twins are left empty: a path through the
// twin not chosen is not searched, as on the case-blind file systems the paths come from.)
constexpr std::string_view kEntries[] = {
    "WORK/",
    "WORK/Ac01arcw.CON",
    "WORK/A_APPLICATION/",
    "WORK/A_APPLICATION/WELD/",
    "WORK/A_APPLICATION/WELD/$WTBD1",
    "WORK/A_APPLICATION/WELD/$wtbd12",
    "Catalogue/",
    "Catalogue/HXR/",
    "Catalogue/HXR/JPN/",
    "Catalogue/HXR/JPN/mode 1.dat",
    "Dup/",
    "DUP/",
    "ZelSetUp.ini",
};

std::string& Root() {
  static std::string root;
  return root;
}

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) {
  return ::remove(path);
}

void RemoveTree() {
  if (!Root().empty()) ::nftw(Root().c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}

void MakeTree() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern =
      std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/wisetup-pathmap-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  Check(::mkdtemp(buffer.data()) != nullptr);
  Root() = buffer.data();
  std::atexit(RemoveTree);
  for (const std::string_view entry : kEntries) {
    const std::string path = Root() + "/" + std::string(entry);
    if (entry.ends_with('/')) {
      Check(::mkdir(path.c_str(), 0700) == 0);
    } else {
      std::ofstream(path) << "x";
    }
  }
  Check(::symlink("WORK", (Root() + "/link").c_str()) == 0);
}

bool Exists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  MakeTree();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const std::string normalized = NormalizePath(bytes);
  Check(normalized.size() <= bytes.size());
  Check(normalized.find('\\') == std::string::npos && normalized.find("//") == std::string::npos);
  Check(NormalizePath(normalized) == normalized);

  const std::string toolPath = Root() + "\\" + std::string(bytes);
  const std::string wanted = NormalizePath(toolPath);
  const std::string mapped = MapPath(toolPath);
  Check(EqualsIgnoreCase(mapped, wanted));
  Check(mapped.starts_with(Root()));
  const bool exact = Exists(wanted);
  if (exact) Check(mapped == wanted);

  const std::string relative = AsciiUpper(wanted.substr(Root().size() + 1));
  for (const std::string_view entry : kEntries) {
    const std::string upper = AsciiUpper(entry);
    if (relative == upper || relative + "/" == upper) Check(Exists(mapped));
  }
  // Of entries spelled alike but for case, the first in byte order is taken.
  if (!exact && (relative == "DUP" || relative == "DUP/")) {
    Check(mapped.ends_with("/DUP") || mapped.ends_with("/DUP/"));
  }

  static_cast<void>(FileExists(toolPath));
  static_cast<void>(FolderExists(toolPath));
  return 0;
}
