#pragma once
// Hands the responder's answers to the WebView2 runtime.

#include <string>

#include "content/resource_responder.h"
#include "webview2/webview2_abi.h"

namespace corvane {

// Answers one WebResourceRequested event for a URI under `baseUrl`: sets the event's response
// before returning and always returns S_OK; no exception leaves it.
HRESULT HandleResourceRequest(ICoreWebView2WebResourceRequestedEventArgs* args,
                              ICoreWebView2Environment* environment, const std::string& baseUrl,
                              ResourceResponder& responder);

}  // namespace corvane
