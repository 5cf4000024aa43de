// Loads arbitrary text as package.json. Only the parser's errors (a number too large for it
// included) and ConfigError may come out: a value of the wrong type or a missing key is read as
// absent, never thrown. A successful load must leave a name.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/app_config.h"

namespace {

bool IsParseFailure(const nlohmann::json::exception& error) {
  constexpr int kNumberOverflow = 406;
  return dynamic_cast<const nlohmann::json::parse_error*>(&error) != nullptr ||
         (dynamic_cast<const nlohmann::json::out_of_range*>(&error) != nullptr &&
          error.id == kNumberOverflow);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  corvane::AppConfig config;
  try {
    corvane::LoadAppConfig(text, config);
    if (config.name.empty()) std::abort();
  } catch (const corvane::ConfigError&) {
  } catch (const nlohmann::json::exception& error) {
    if (!IsParseFailure(error)) std::abort();
  }
  return 0;
}
