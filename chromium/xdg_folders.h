#pragma once
// Where the per-user folders of the folder placeholders are on a freedesktop system: the base
// directories and the user directories of user-dirs.dirs.

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "bridge/directory_placeholders.h"

namespace corvane {

// The XDG_*_DIR assignments of a user-dirs.dirs text, "$HOME" expanded. Only absolute results
// are kept; comments and malformed lines are skipped.
std::map<std::string, std::string> ParseUserDirs(std::string_view text, const std::string& home);

// Where user-dirs.dirs is: in the configuration home. Empty text when neither XDG_CONFIG_HOME
// nor HOME names an absolute folder.
std::string UserDirsPath(const std::function<std::string(const char*)>& getEnv);

// Resolves a known folder with `getEnv` for the environment and `userDirs` for user-dirs.dirs.
// Folders without a freedesktop counterpart ("saved games") resolve to empty text.
std::string ResolveXdgFolder(KnownFolder folder,
                             const std::function<std::string(const char*)>& getEnv,
                             const std::map<std::string, std::string>& userDirs);

}  // namespace corvane
