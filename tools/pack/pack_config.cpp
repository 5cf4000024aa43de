// The config command: package.json checked by the shell's own reader, plus the keys that only
// packaging reads, printed for scripts/package.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <nlohmann/json.hpp>

#include "base/app_config.h"
#include "base/json_members.h"
#include "tools/pack/pack_commands.h"
#include "tools/pack/pack_io.h"

namespace corvane::pack {
namespace {

// One to four dot-separated numbers of at most 65535: what a Windows version resource holds,
// and safe inside an archive's file name.
bool IsUsableVersion(const std::string& version) {
  int parts = 0;
  std::size_t start = 0;
  while (true) {
    const std::size_t dot = version.find('.', start);
    const std::string part = version.substr(start, dot - start);
    if (part.empty() || part.size() > 5 ||
        part.find_first_not_of("0123456789") != std::string::npos || std::stoul(part) > 65535 ||
        ++parts > 4) {
      return false;
    }
    if (dot == std::string::npos) return true;
    start = dot + 1;
  }
}

}  // namespace

int CheckConfig(const std::string& file) {
  const std::string name = Printable(file);
  std::error_code ignored;
  if (std::filesystem::is_directory(PathFromUtf8(file), ignored)) {
    throw PackError(name + ": is a folder, not a package.json file");
  }
  std::ifstream in(PathFromUtf8(file), std::ios::binary);
  if (!in) throw PackError(name + ": cannot be read");
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw PackError(name + ": read error");

  // The user sees the shell's message; the reason in brackets is for the author.
  AppConfig config;
  try {
    LoadAppConfig(text, config);
  } catch (const ConfigError& error) {
    std::string userLine = error.userLine().empty() ? "" : " " + error.userLine();
    throw PackError(name + ": " + PackageJsonParseMessage("") + userLine + " (" + error.what() +
                    ")");
  } catch (const nlohmann::json::exception& error) {
    throw PackError(name + ": " + PackageJsonParseMessage("") + " (" + Printable(error.what()) +
                    ")");
  }

  const nlohmann::json root = ParseJsonDocument(text);
  const std::string version = GetString(root, "version", "1.0.0");
  if (!IsUsableVersion(version)) {
    throw PackError(name + ": \"version\" must be one to four numbers up to 65535 separated by " +
                    "dots, such as 1.2.0");
  }
  const auto window = root.find("window");
  const std::string title =
      window == root.end() ? config.name : GetString(*window, "title", config.name);
  const nlohmann::json info = {
      {"name", config.name},
      {"title", title},
      {"icon", config.icon},
      {"version", version},
      {"fixedRuntime", config.distributionMode == DistributionMode::Fixed}};
  std::printf("%s\n", info.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
  return 0;
}

}  // namespace corvane::pack
