#include "app/shell_globals_win.h"

#include "bridge/extension_manager.h"

namespace corvane {

LumoWebView* g_webViewHost = nullptr;
std::unique_ptr<ExtensionManager> g_extensionManager;

}  // namespace corvane
