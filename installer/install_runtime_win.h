#pragma once
// Downloads the WebView2 evergreen bootstrapper with a progress window and runs it. Returns when
// the bootstrapper has finished or could not be started; the caller asks for the runtime again.

#include <windows.h>

#include <string>

#include "base/app_config.h"

namespace corvane {

// `icon` (may be null) is the progress window's icon; the caller keeps it alive.
void InstallRuntime(HINSTANCE instance, HICON icon, const std::string& userDataFolder,
                    const AppConfig& config);

}  // namespace corvane
