#include "base/app_config.h"

#include <array>

#include "base/ascii.h"
#include "base/folder_name.h"
#include "base/json_members.h"

namespace corvane {
namespace {

using Json = nlohmann::json;

// A missing section reads as null, so every key under it takes its default.
const Json& MemberOrNull(const Json& object, const char* key) {
  static const Json null;
  auto it = object.find(key);
  return it == object.end() ? null : *it;
}

// "http://" or "https://" (scheme in any case) followed by a host.
bool IsAbsoluteWebAddress(std::string_view address) {
  const std::string lower = AsciiLowered(address.substr(0, 8));
  std::size_t authority = 0;
  if (lower.starts_with("http://")) {
    authority = 7;
  } else if (lower.starts_with("https://")) {
    authority = 8;
  } else {
    return false;
  }
  return authority < address.size() && address.find_first_of("/?#", authority) != authority;
}

// A mode setting: its two names in the order of the enum's values, the first being the default.
// Any other text cannot be used.
template <class Mode>
Mode ReadModeSetting(const Json& settings, const char* key, std::array<const char*, 2> names,
                     const char* what) {
  const std::string value = GetString(settings, key, names[0]);
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (value == names[i]) return static_cast<Mode>(i);
  }
  throw ConfigError(std::string("invalid ") + what);
}

}  // namespace

std::string PackageJsonParseMessage(const std::string& userLine) {
  std::string message =
      "Failed to parse package.json. Check the file has valid JSON and that all parameters are "
      "correct.";
  if (!userLine.empty()) message += "\n" + userLine;
  return message;
}

Json ParseJsonDocument(std::string_view text) {
  const auto zero = text.find('\0');
  if (zero != std::string_view::npos) text = text.substr(0, zero);
  return Json::parse(text.begin(), text.end(), /*cb=*/nullptr, /*allow_exceptions=*/true,
                     /*ignore_comments=*/false);
}

void LoadAppConfig(std::string_view text, AppConfig& config) {
  const Json root = ParseJsonDocument(text);

  config.name = GetString(root, "name", "");
  if (config.name.empty()) throw ConfigError("invalid name");
  // The name becomes the user data folder under Local AppData (or the XDG data home): anything
  // that is not exactly one folder name there could land elsewhere or fail obscurely later.
  if (!IsUsableFolderName(config.name)) {
    throw ConfigError("invalid name", "\"name\" must be usable as a folder name.");
  }
  config.main = GetString(root, "main", "index.html");

  const Json& window = MemberOrNull(root, "window");
  config.title = GetString(window, "title", "Windows Corvane");
  config.width = GetInt(window, "width", kDefaultWindowWidth);
  config.height = GetInt(window, "height", kDefaultWindowHeight);
  config.icon = GetString(window, "icon", "");
  config.resizable = GetBool(window, "resizable", true);

  config.chromiumArgs = GetString(root, "chromium-args", "");

  const Json& settings = MemberOrNull(root, "settings");
  config.distributionMode = ReadModeSetting<DistributionMode>(
      settings, "distribution-mode", {"evergreen", "fixed"}, "distribution mode");
  config.hostingMode = ReadModeSetting<HostingMode>(
      settings, "hosting-mode", {"windowed", "window-to-visual"}, "hosting mode");
  config.contentMode =
      ReadModeSetting<ContentMode>(settings, "content-mode", {"bundle", "remote"}, "content mode");

  // The runtime refuses to navigate to anything else, which would leave the window hidden.
  if (config.contentMode == ContentMode::Remote && !IsAbsoluteWebAddress(config.main)) {
    throw ConfigError("invalid main",
                      "\"main\" must be an absolute http: or https: address in remote mode.");
  }

  config.enableDevtools = GetBool(settings, "enable-devtools", true);

  const Json& messages = MemberOrNull(root, "messages");
  config.messages.installWebview2 = GetString(
      messages, "install-webview2",
      "This app requires the Microsoft Edge WebView2 runtime. It will be downloaded and installed "
      "for you now.");
  config.messages.downloading = GetString(messages, "downloading", "Downloading...");
  config.messages.installWebview2Failed = GetString(
      messages, "install-webview2-failed",
      "Failed to install the Microsoft Edge WebView2 runtime. Check that you have permission to "
      "install it, and that your Internet connection is working. Run the app again to try again.");
}

}  // namespace corvane
