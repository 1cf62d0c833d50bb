// Listing a catalogue folder: the entries whose names begin with "$WTBD" (ignoring letter case), in
// the order of their names compared as upper-case byte strings, so the lists look the same on every
// machine; and the companion of each, found in the same one listing.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/BaseDirs.h"

namespace wisetup {

// The places a catalogue is looked for, in order: "WeldingMode" in the folder of the executable
// (a path of the tool, matched ignoring letter case like its other folders), then
// "wisetup/WeldingMode" under the user's data folder and under each of the system's data folders.
std::vector<std::string> CatalogueSearchFolders(const std::string& executablePath,
                                                const EnvironmentLookup& env);

// The companion of a template: its third to fifth characters "TBD" replaced by "PLS" letter by
// letter in the same case ($WTBD12 -> $WPLS12, $wtbd7 -> $wpls7, $WtBd1 -> $WpLs1).
std::string CompanionName(const std::string& templateName);

// The names of one folder that may be companions, to find each template's companion by name.
class CompanionIndex {
 public:
  CompanionIndex() = default;
  // Every name is taken whatever the kind of entry: which ones can be read is the reader's
  // business.
  explicit CompanionIndex(const std::vector<std::string>& names);
  void Add(const std::string& name);

  // The on-disk name of the companion of `templateName`: the entry named exactly CompanionName();
  // when there is none, the one entry that matches it ignoring letter case. Nothing when no entry
  // matches, or several match ignoring case and none exactly (there is no telling which is meant).
  std::optional<std::string> Find(const std::string& templateName) const;

 private:
  struct Folded {
    std::string name;  // the first name seen with this upper-case form
    bool several = false;
  };
  std::unordered_set<std::string> exact_;
  std::unordered_map<std::string, Folded> folded_;  // keyed by the upper-case name
};

// One reading of a catalogue folder: the templates as ListTemplateEntries gives them, and the
// companions among the same entries.
struct CatalogueListing {
  std::vector<std::string> templates;
  CompanionIndex companions;
};

// Nothing listed when the folder does not exist. The folder is read once, however many entries.
CatalogueListing ListCatalogueFolder(const std::string& nativeFolder);

// Names of the regular files and folders in `nativeFolder` that match; other kinds of entry
// (sockets, devices, pipes, broken links) are left out. Nothing when the folder does not exist.
std::vector<std::string> ListTemplateEntries(const std::string& nativeFolder);

}  // namespace wisetup
