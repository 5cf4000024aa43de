// The read-only commands: list and verify.
#include <cstdio>

#include <nlohmann/json.hpp>

#include "tools/pack/pack_bundle_file.h"
#include "tools/pack/pack_commands.h"
#include "tools/pack/pack_io.h"

namespace corvane::pack {

int ListBundle(const std::string& bundlePath, bool asJson) {
  OpenedBundle bundle(PathFromUtf8(bundlePath), Printable(bundlePath));
  bundle.Parse();
  const auto& files = bundle.reader().files;
  if (asJson) {
    nlohmann::json list = nlohmann::json::array();
    for (const auto& [path, entry] : files) {
      list.push_back({{"path", path}, {"size", entry.size}, {"offset", entry.offset}});
    }
    // Paths are bytes; anything that is not UTF-8 is shown as U+FFFD rather than refused.
    const std::string text = list.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
    std::printf("%s\n", text.c_str());
    return 0;
  }
  for (const auto& [path, entry] : files) {
    std::printf("%s\t%llu\t%llu\n", Printable(path).c_str(),
                static_cast<unsigned long long>(entry.size),
                static_cast<unsigned long long>(entry.offset));
  }
  return 0;
}

int VerifyBundle(const std::string& bundlePath) {
  OpenedBundle bundle(PathFromUtf8(bundlePath), Printable(bundlePath));
  bundle.Parse();
  std::printf("%s: ok, %zu files, %llu bytes of file data\n", bundle.name().c_str(),
              bundle.reader().files.size(),
              static_cast<unsigned long long>(bundle.reader().blobSize));
  return 0;
}

}  // namespace corvane::pack
