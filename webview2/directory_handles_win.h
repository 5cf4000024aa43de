#pragma once
// Hands the page read-write handles to the 13 placeholder folders, for the Windows web view host.
//
// The host (LumoWebView::SendDirectoryHandles) calls
//   SendDirectoryHandles(environment.get(), webView.get(), appFolder, contentFolder,
//                        userDataFolder, directoryHandles);
// Nothing is posted and `directoryHandles` stays as it is when the runtime lacks
// ICoreWebView2Environment14 or ICoreWebView2_23 (or either pointer is null); the
// "wrapper-init-response" that follows does not depend on it.

#include <map>
#include <string>

#include "bridge/directory_placeholders.h"
#include "webview2/webview2_abi.h"

namespace corvane {

// Walks the placeholder table, records each resolved folder in `directoryHandles`, creates one
// READ_WRITE directory handle per resolved folder (unresolved rows stay empty slots) and posts
// {"type":"directory-handles"} with the 13 slots, in table order, as additional objects.
void SendDirectoryHandles(ICoreWebView2Environment* environment, ICoreWebView2* webView,
                          const std::string& appFolder, const std::string& contentFolder,
                          const std::string& userDataFolder,
                          std::map<std::string, std::string>& directoryHandles);

// The same with the known folders taken from `resolveKnownFolder` instead of the shell's lookup.
void SendDirectoryHandles(ICoreWebView2Environment* environment, ICoreWebView2* webView,
                          const std::string& appFolder, const std::string& contentFolder,
                          const std::string& userDataFolder,
                          std::map<std::string, std::string>& directoryHandles,
                          const KnownFolderResolver& resolveKnownFolder);

// Records one row and creates its handle into `slot`; an empty path leaves both alone, and a
// failed creation leaves the slot empty.
void AddDirectoryHandle(ICoreWebView2Environment14* environment14,
                        ICoreWebView2FileSystemHandle** slot, const std::string& name,
                        const std::string& path,
                        std::map<std::string, std::string>& directoryHandles);

// The Windows known folder behind a placeholder row, in UTF-8 without an extended-length prefix;
// empty text when Windows cannot resolve it.
std::string ResolveKnownFolderWin(KnownFolder folder);

}  // namespace corvane
