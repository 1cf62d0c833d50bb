// The XDG base directories: where the tool keeps its settings and finds its catalogue when the
// folder of its executable cannot serve, and the system folders that never serve. Values come from
// an environment lookup so that the window and the scenario driver read the same variables, and
// tests can give their own.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wisetup {

// The value of an environment variable, nothing when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;

// $XDG_CONFIG_HOME, or $HOME/.config. A value that is empty, relative or names something other than
// a folder is ignored, as the base directory rules ask. Nothing when $HOME is not an absolute path
// either. Trailing separators are dropped.
std::optional<std::string> ConfigHome(const EnvironmentLookup& env);

// $XDG_DATA_HOME, or $HOME/.local/share, by the same rules.
std::optional<std::string> DataHome(const EnvironmentLookup& env);

// The absolute folders of $XDG_DATA_DIRS in their order (empty, relative and non-folder entries
// left out); /usr/local/share and /usr/share when the variable is unset or names none.
std::vector<std::string> DataDirs(const EnvironmentLookup& env);

// Whether the absolute `path` is one of /usr, /bin, /sbin, /opt and /snap or lies below one,
// judged by its components after "." and ".." are taken lexically. A relative path is never one.
bool IsSystemPath(std::string_view path);

// Whether the executable lies in a system folder as its path is given, or where the symbolic links
// on that path lead. Such a folder belongs to the package manager even where root may write it.
bool InSystemFolder(const std::string& executablePath);

}  // namespace wisetup
