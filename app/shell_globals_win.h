#pragma once
// The process-wide pointers of the shell, touched only on the UI thread.

#include <memory>

namespace corvane {

class ExtensionManager;
class LumoWebView;

// The live web view host, or null before it exists and after the message loop; the window
// procedure does nothing with the web view while it is null.
extern LumoWebView* g_webViewHost;

// The one extension manager, from start-up until the teardown.
extern std::unique_ptr<ExtensionManager> g_extensionManager;

}  // namespace corvane
