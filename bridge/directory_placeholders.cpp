#include "bridge/directory_placeholders.h"

namespace corvane {

namespace {

// Rows 3 to 12, in table order.
constexpr std::array<KnownFolder, kDirectoryPlaceholderCount - 3> kKnownFolderRows = {
    KnownFolder::LocalAppData, KnownFolder::RoamingAppData, KnownFolder::Desktop,
    KnownFolder::Documents,    KnownFolder::Downloads,      KnownFolder::Pictures,
    KnownFolder::Profile,      KnownFolder::SavedGames,     KnownFolder::Screenshots,
    KnownFolder::Videos,
};

}  // namespace

DirectoryPlaceholderTable ResolveDirectoryPlaceholders(
    const std::string& appFolder, const std::string& contentFolder,
    const std::string& userDataFolder, const KnownFolderResolver& resolveKnownFolder) {
  DirectoryPlaceholderTable table;
  for (std::size_t i = 0; i < table.size(); ++i) table[i].name = kDirectoryPlaceholderNames[i];
  table[0].folder = appFolder;
  table[1].folder = appFolder + contentFolder;
  table[2].folder = userDataFolder;
  for (std::size_t i = 0; i < kKnownFolderRows.size(); ++i) {
    if (resolveKnownFolder) table[3 + i].folder = resolveKnownFolder(kKnownFolderRows[i]);
  }
  return table;
}

bool RecordDirectoryHandle(std::map<std::string, std::string>& directoryHandles,
                           std::string_view name, const std::string& folder) {
  if (folder.empty()) return false;
  directoryHandles.insert_or_assign(std::string(name), folder);
  return true;
}

}  // namespace corvane
