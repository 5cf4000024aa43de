// Loads arbitrary text as package.json. Only the JSON library's errors and ConfigError may come
// out, and a successful load must leave a name.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/app_config.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  corvane::AppConfig config;
  try {
    corvane::LoadAppConfig(text, config);
    if (config.name.empty()) std::abort();
  } catch (const nlohmann::json::exception&) {
  } catch (const corvane::ConfigError&) {
  }
  try {
    const nlohmann::json document = corvane::ParseJsonDocument(text);
    // The lenient readers never throw, whatever the value.
    (void)corvane::GetInt(document, "width", 0);
    (void)corvane::GetString(document, "name", "");
    (void)corvane::GetBool(document, "resizable", true);
  } catch (const nlohmann::json::exception&) {
  }
  return 0;
}
