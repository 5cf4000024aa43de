#pragma once
// The shell's settings, read once from package.json beside the executable.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include <nlohmann/json.hpp>

namespace corvane {

enum class ContentMode : std::int32_t { Bundle = 0, Remote = 1 };
enum class DistributionMode : std::int32_t { Evergreen = 0, Fixed = 1 };
enum class HostingMode : std::int32_t { Windowed = 0, WindowToVisual = 1 };

inline constexpr std::int32_t kDefaultWindowWidth = 1024;
inline constexpr std::int32_t kDefaultWindowHeight = 768;

// A configured window length a host can open: a zero or negative one (a slip, or an integer past
// the 32-bit range, whose low bits are read) gives `fallback`, so no window is too small to use.
constexpr std::int32_t UsableWindowLength(std::int32_t length, std::int32_t fallback) {
  return length > 0 ? length : fallback;
}

struct AppMessages {
  std::string installWebview2;
  std::string downloading;
  std::string installWebview2Failed;
};

struct AppConfig {
  std::string name;
  std::string main;
  std::string title;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::string icon;
  bool resizable = true;
  std::string chromiumArgs;
  ContentMode contentMode = ContentMode::Bundle;
  DistributionMode distributionMode = DistributionMode::Evergreen;
  HostingMode hostingMode = HostingMode::Windowed;
  bool enableDevtools = true;
  AppMessages messages;
};

// Error carrying one of the loader's own texts ("invalid name", ...). Invalid JSON raises the
// JSON library's parse error instead. `userLine` is empty or a line for the user naming the key
// at fault, shown after the parse message.
class ConfigError : public std::runtime_error {
 public:
  explicit ConfigError(const std::string& reason, std::string userLine = {})
      : std::runtime_error(reason), userLine_(std::move(userLine)) {}
  const std::string& userLine() const { return userLine_; }

 private:
  std::string userLine_;
};

// The text a user sees when package.json cannot be used: the parse message, then `userLine` on a
// line of its own when there is one.
std::string PackageJsonParseMessage(const std::string& userLine);

// Fills every field of `config` from the text of package.json. The text is read
// up to its first zero byte; comments are not accepted.
void LoadAppConfig(std::string_view text, AppConfig& config);

// Parses one JSON document the way package.json is parsed: up to the first zero byte, exceptions
// on, no comments.
nlohmann::json ParseJsonDocument(std::string_view text);

}  // namespace corvane
