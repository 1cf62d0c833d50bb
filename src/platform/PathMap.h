// Maps the tool's path texts (a folder followed by literals written with backslashes, such as
// "\WORK\Ac01arcw.CON") onto the native file system. Backslashes become separators, doubled
// separators count as one, and a component that does not exist with its exact name is matched
// against the entries of its folder ignoring ASCII letter case. Components that match nothing are
// kept as written, so a file created through the mapped path gets the name the tool gave it.
#pragma once

#include <string>
#include <string_view>

namespace wisetup {

std::string MapPath(std::string_view toolPath);

// A folder the user chose (a native path, used exactly as it stands whatever bytes its name holds)
// followed by one of the tool's literals ("\WORK\Ac01arcw.CON"): only the literal's components are
// mapped. An empty folder gives MapPath(toolLiteral).
std::string MapPath(std::string_view nativeFolder, std::string_view toolLiteral);

// The entry of `nativeFolder` named `name`: `name` itself when it exists, else the entry that
// matches it ignoring ASCII letter case (the first in byte order), else `name` unchanged.
std::string MapName(const std::string& nativeFolder, std::string_view name);

// `nativePath` with its last component spelt as its folder lists it, where the listing holds no
// entry of exactly that name but one that matches it ignoring case (a FAT medium found the file
// under another spelling): a file replaced keeps the name it has.
std::string NameOnDisk(const std::string& nativePath);

// The tool path with backslashes turned into separators and doubled separators folded, without
// looking at the file system: the path to try first, since most paths exist exactly as written.
std::string NormalizePath(std::string_view toolPath);

// A path as the user is shown it (messages, transcripts): the native path MapPath gives, so that
// it can be copied into a terminal: separators "/", doubled ones folded, every component that
// exists spelt as it is on disk, the others as the tool wrote them.
std::string ShownPath(std::string_view toolPath);

// On native paths, taken as they stand.
bool FileExists(std::string_view nativePath);    // a regular file (or a link to one)
bool FolderExists(std::string_view nativePath);  // a directory

// ASCII upper case of a byte string; other bytes unchanged.
std::string AsciiUpper(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace wisetup
