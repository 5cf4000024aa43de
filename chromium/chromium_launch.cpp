#include "chromium/chromium_launch.h"

#include "content/url_policy.h"

namespace corvane {

std::vector<std::string> SplitCommandLine(std::string_view text) {
  std::vector<std::string> arguments;
  std::string current;
  bool inArgument = false;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '"' || text[i + 1] == '\\')) {
        current.push_back(text[++i]);
      } else if (c == '"') {
        quoted = false;
      } else {
        current.push_back(c);
      }
    } else if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') {
      if (inArgument) arguments.push_back(std::move(current));
      current.clear();
      inArgument = false;
    } else {
      inArgument = true;
      if (c == '"') {
        quoted = true;
      } else {
        current.push_back(c);
      }
    }
  }
  if (inArgument) arguments.push_back(std::move(current));
  return arguments;
}

std::optional<std::string> UserDataFolderFor(std::string_view appName, const char* xdgDataHome,
                                             const char* home) {
  std::string base;
  if (xdgDataHome != nullptr && xdgDataHome[0] == '/') {
    base = xdgDataHome;
  } else if (home != nullptr && home[0] == '/') {
    base = std::string(home);
    if (base.back() != '/') base += '/';
    base += ".local/share";
  } else {
    return std::nullopt;
  }
  if (base.back() != '/') base += '/';
  return base + std::string(appName);
}

std::vector<std::string> ChromiumArguments(const AppConfig& config,
                                           const ChromiumLaunchOptions& options) {
  std::vector<std::string> arguments = SplitCommandLine(config.chromiumArgs);
  if (options.headless) arguments.push_back("--headless");
  arguments.push_back("--remote-debugging-pipe");
  arguments.push_back("--user-data-dir=" + options.profileFolder);
  arguments.push_back("--no-first-run");
  arguments.push_back("--no-default-browser-check");
  // Without it Chromium lays a warning bar about "unsupported" flags (the resolver rule below)
  // over the app, which steals part of the page area the app asked for.
  arguments.push_back("--test-type");
  // Requests for the app's origin are answered over the pipe; a speculative connection to the
  // loopback address that ".localhost" would otherwise resolve to must not happen. The large
  // answers' host names go to the IPv4 loopback alone, where the endpoint listens.
  arguments.push_back("--host-resolver-rules=MAP " + std::string(kAppHost) + " ~NOTFOUND, MAP *" +
                      std::string(kLargeAnswerHostSuffix) + " 127.0.0.1");
  if (options.largeAnswerPort != 0) {
    // The browser refuses loopback answers to clients it does not count as secure: service
    // workers are among them, whatever their origin. The endpoint serves only what the shell
    // registered, so it is declared public, and that one port alone.
    arguments.push_back("--ip-address-space-overrides=127.0.0.1:" +
                        std::to_string(options.largeAnswerPort) + "=public");
  }
  // The window's class names the app, as its desktop entry's StartupWMClass does: the desktop
  // then shows it under the app's entry and icon, not as Chromium.
  if (!config.name.empty()) arguments.push_back("--class=" + config.name);
  arguments.push_back(
      "--window-size=" + std::to_string(UsableWindowLength(config.width, kDefaultWindowWidth)) +
      "," + std::to_string(UsableWindowLength(config.height, kDefaultWindowHeight)));
  // An app window on a blank page: the real start page is loaded once interception is in place,
  // since the first load of --app escapes it.
  arguments.push_back("--app=data:text/html,");
  return arguments;
}

}  // namespace corvane
