// Listing a catalogue folder: the entries whose names begin with "$WTBD" (ignoring letter case), in
// the order of their names compared as upper-case byte strings, so the lists look the same on every
// machine.
#pragma once

#include <string>
#include <vector>

#include "platform/BaseDirs.h"

namespace wisetup {

// The places a catalogue is looked for, in order: "WeldingMode" in the folder of the executable
// (a path of the tool, matched ignoring letter case like its other folders), then
// "wisetup/WeldingMode" under the user's data folder and under each of the system's data folders.
std::vector<std::string> CatalogueSearchFolders(const std::string& executablePath,
                                                const EnvironmentLookup& env);

// Names of the regular files and folders in `nativeFolder` that match; other kinds of entry
// (sockets, devices, pipes, broken links) are left out. Nothing when the folder does not exist.
std::vector<std::string> ListTemplateEntries(const std::string& nativeFolder);

// The companion of a template: its third to fifth characters replaced by "PLS" ($WTBD12 ->
// $WPLS12).
std::string CompanionName(const std::string& templateName);

}  // namespace wisetup
