#pragma once
// The fixed folders the page receives handles for at every "wrapper-init", and the record of which
// folder each placeholder name stands for (read back by the extension library).

#include <array>
#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace corvane {

// The per-user folders that rows 3 to 12 resolve through the platform.
enum class KnownFolder {
  LocalAppData,
  RoamingAppData,
  Desktop,
  Documents,
  Downloads,
  Pictures,
  Profile,
  SavedGames,
  Screenshots,
  Videos,
};

inline constexpr std::size_t kDirectoryPlaceholderCount = 13;

// Row order is also the order of the handles the page receives, so it never changes.
inline constexpr std::array<std::string_view, kDirectoryPlaceholderCount>
    kDirectoryPlaceholderNames = {
        "<app>",
        "<web-resource>",
        "<current-app-data>",
        "<local-app-data>",
        "<roaming-app-data>",
        "<desktop>",
        "<documents>",
        "<downloads>",
        "<pictures>",
        "<profile>",
        "<saved-games>",
        "<screenshots>",
        "<videos>",
};

struct DirectoryPlaceholder {
  std::string_view name;
  std::string folder;  // UTF-8; empty when the folder could not be resolved
};

using DirectoryPlaceholderTable = std::array<DirectoryPlaceholder, kDirectoryPlaceholderCount>;

// UTF-8 path of a known folder without an extended-length prefix, or empty text when the lookup
// fails.
using KnownFolderResolver = std::function<std::string(KnownFolder)>;

// Computes all 13 rows: "<app>" is appFolder, "<web-resource>" appFolder + contentFolder,
// "<current-app-data>" userDataFolder, the rest come from `resolveKnownFolder`, asked afresh on
// every call because the user may move those folders while the app runs.
DirectoryPlaceholderTable ResolveDirectoryPlaceholders(
    const std::string& appFolder, const std::string& contentFolder,
    const std::string& userDataFolder, const KnownFolderResolver& resolveKnownFolder);

// Records one row in `directoryHandles`: a non-empty folder inserts or overwrites the entry, an
// empty one leaves whatever an earlier walk recorded. Returns whether the row was recorded (and
// so deserves a handle).
bool RecordDirectoryHandle(std::map<std::string, std::string>& directoryHandles,
                           std::string_view name, const std::string& folder);

}  // namespace corvane
