#pragma once
// Hands the responder's answers to the WebView2 runtime.

#include <string>

#include "base/com_ref_win.h"
#include "content/resource_responder.h"
#include "webview2/webview2_abi.h"

namespace corvane {

// The answer's body as a stream, or null with the answer turned into 500 when the promised bytes
// cannot be delivered (a 200 or 206 must never go out without the body its Content-Length
// announces, as when a file has changed length since the responder measured it).
ComRef<IStream> BodyStream(ResourceAnswer& answer);

// Answers one WebResourceRequested event for a URI under `baseUrl`: sets the event's response
// before returning and always returns S_OK; no exception leaves it.
HRESULT HandleResourceRequest(ICoreWebView2WebResourceRequestedEventArgs* args,
                              ICoreWebView2Environment* environment, const std::string& baseUrl,
                              ResourceResponder& responder);

}  // namespace corvane
