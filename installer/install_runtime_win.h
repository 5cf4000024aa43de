#pragma once
// Downloads the WebView2 evergreen bootstrapper with a progress window and runs it. Returns when
// the bootstrapper has finished or could not be started; the caller asks for the runtime again.

#include <windows.h>

#include <string>

#include "base/app_config.h"

namespace corvane {

void InstallRuntime(HINSTANCE instance, const std::string& userDataFolder, const AppConfig& config);

}  // namespace corvane
