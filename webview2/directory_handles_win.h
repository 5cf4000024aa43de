#pragma once
// Hands the page read-write handles to the 13 placeholder folders, for the Windows web view host.
//
// The host (LumoWebView::SendDirectoryHandles) calls it at each handshake with the extension
// manager's lasting record as `directoryHandles`. Nothing is posted and `directoryHandles` stays as
// it is when the runtime lacks ICoreWebView2Environment14 or ICoreWebView2_23 (or either pointer is
// null); the "wrapper-init-response" that follows does not depend on it.

#include <map>
#include <string>

#include "webview2/webview2_abi.h"

namespace corvane {

// Walks the placeholder table, records each resolved folder in `directoryHandles`, creates one
// READ_WRITE directory handle per resolved folder (unresolved rows stay empty slots) and posts
// {"type":"directory-handles"} with the 13 slots, in table order, as additional objects.
void SendDirectoryHandles(ICoreWebView2Environment* environment, ICoreWebView2* webView,
                          const std::string& appFolder, const std::string& contentFolder,
                          const std::string& userDataFolder,
                          std::map<std::string, std::string>& directoryHandles);

}  // namespace corvane
