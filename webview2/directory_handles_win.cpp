#include "webview2/directory_handles_win.h"

#include <shlobj.h>
#include <knownfolders.h>

#include <array>

#include "base/com_ref_win.h"
#include "base/file_helpers_win.h"
#include "base/text_win.h"
#include "bridge/directory_placeholders.h"
#include "bridge/message_bridge.h"

namespace corvane {
namespace {

// The Windows known folder behind a placeholder row, in UTF-8 without an extended-length prefix;
// empty text when Windows cannot resolve it.
std::string ResolveKnownFolderWin(KnownFolder folder) {
  switch (folder) {
    case KnownFolder::LocalAppData:
      return GetKnownFolderPath(FOLDERID_LocalAppData);
    case KnownFolder::RoamingAppData:
      return GetKnownFolderPath(FOLDERID_RoamingAppData);
    case KnownFolder::Desktop:
      return GetKnownFolderPath(FOLDERID_Desktop);
    case KnownFolder::Documents:
      return GetKnownFolderPath(FOLDERID_Documents);
    case KnownFolder::Downloads:
      return GetKnownFolderPath(FOLDERID_Downloads);
    case KnownFolder::Pictures:
      return GetKnownFolderPath(FOLDERID_Pictures);
    case KnownFolder::Profile:
      return GetKnownFolderPath(FOLDERID_Profile);
    case KnownFolder::SavedGames:
      return GetKnownFolderPath(FOLDERID_SavedGames);
    case KnownFolder::Screenshots:
      return GetKnownFolderPath(FOLDERID_Screenshots);
    case KnownFolder::Videos:
      return GetKnownFolderPath(FOLDERID_Videos);
  }
  return {};
}

// Records one row and creates its handle into `slot`; an empty path leaves both alone, and a
// failed creation leaves the slot empty.
void AddDirectoryHandle(ICoreWebView2Environment14* environment14,
                        ICoreWebView2FileSystemHandle** slot, const std::string& name,
                        const std::string& path,
                        std::map<std::string, std::string>& directoryHandles) {
  if (!RecordDirectoryHandle(directoryHandles, name, path)) return;
  // The runtime wants the plain path: an extended-length prefix would reach the page.
  ICoreWebView2FileSystemHandle* created = nullptr;
  if (SUCCEEDED(environment14->CreateWebFileSystemDirectoryHandle(
          ToWide(path).c_str(), COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION_READ_WRITE, &created))) {
    *slot = created;
  } else if (created != nullptr) {
    created->Release();  // a failing call should hand out nothing; do not trust it to
  }
}

}  // namespace

void SendDirectoryHandles(ICoreWebView2Environment* environment, ICoreWebView2* webView,
                          const std::string& appFolder, const std::string& contentFolder,
                          const std::string& userDataFolder,
                          std::map<std::string, std::string>& directoryHandles) {
  if (environment == nullptr || webView == nullptr) return;
  ComRef<ICoreWebView2Environment14> environment14;
  ComRef<ICoreWebView2_23> webView23;
  if (FAILED(QueryAs(environment, environment14.Put())) || !environment14) return;
  if (FAILED(QueryAs(webView, webView23.Put())) || !webView23) return;

  // Owned here until the end; the collection keeps its own references.
  std::array<ComRef<ICoreWebView2FileSystemHandle>, kDirectoryPlaceholderCount> handles;
  const DirectoryPlaceholderTable table = ResolveDirectoryPlaceholders(
      appFolder, contentFolder, userDataFolder, &ResolveKnownFolderWin);
  for (std::size_t i = 0; i < table.size(); ++i) {
    AddDirectoryHandle(environment14.get(), handles[i].Put(), std::string(table[i].name),
                       table[i].folder, directoryHandles);
  }

  // Empty slots travel as null entries so every handle keeps its table index on the page.
  std::array<IUnknown*, kDirectoryPlaceholderCount> items{};
  for (std::size_t i = 0; i < handles.size(); ++i) items[i] = handles[i].get();
  ComRef<ICoreWebView2ObjectCollection> collection;
  environment14->CreateObjectCollection(static_cast<UINT32>(items.size()), items.data(),
                                        collection.Put());
  webView23->PostWebMessageAsJsonWithAdditionalObjects(ToWide(kDirectoryHandlesMessage).c_str(),
                                                       collection.get());
}

}  // namespace corvane
