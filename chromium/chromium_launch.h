#pragma once
// The browser's command line on Linux: the system's Chromium, driven over the DevTools pipe,
// in app mode with a private profile.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/app_config.h"

namespace corvane {

// Host names under this suffix (one per large answer) resolve to 127.0.0.1 inside the browser.
inline constexpr std::string_view kLargeAnswerHostSuffix = ".large.corvane-loopback.localhost";

// Splits "chromium-args" into arguments the way a command line is: white space separates,
// double quotes group (and are removed), a backslash escapes a quote or a backslash inside
// quotes.
std::vector<std::string> SplitCommandLine(std::string_view text);

// The per-user folder of the app: $XDG_DATA_HOME/<name>, or $HOME/.local/share/<name> when
// XDG_DATA_HOME is unset, empty or not absolute (as the base directory rules say). None when
// neither gives an absolute folder.
std::optional<std::string> UserDataFolderFor(std::string_view appName, const char* xdgDataHome,
                                             const char* home);

struct ChromiumLaunchOptions {
  std::string profileFolder;
  bool headless = false;
  std::uint16_t largeAnswerPort = 0;  // the loopback endpoint's port, 0 when there is none
};

// Arguments after the program name. The app's own "chromium-args" come first so the flags the
// shell depends on, given last, win where the browser keeps the last of a repeated switch.
std::vector<std::string> ChromiumArguments(const AppConfig& config,
                                           const ChromiumLaunchOptions& options);

}  // namespace corvane
