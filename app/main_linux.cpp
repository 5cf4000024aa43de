// Entry point of the Linux shell: the same app folder as on Windows (package.json, www/ with
// assets.dat and loose files, an optional extension library), shown in the system's Chromium.
// Start-up failures print the texts the Windows shell shows in its message boxes and exit 1.

#include <fcntl.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/app_config.h"
#include "base/file_helpers.h"
#include "bridge/extension_manager.h"
#include "chromium/chromium_launch.h"
#include "chromium/chromium_shell_linux.h"
#include "chromium/cross_thread_inbox_linux.h"
#include "chromium/xdg_folders.h"
#include "content/bundle_file.h"
#include "content/resource_responder.h"

namespace {

constexpr char kContentFolder[] = "www/";

void ReportFailure(const char* text) { std::fprintf(stderr, "%s\n", text); }

std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return {};
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string EnvironmentText(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// The line after the Windows text when package.json cannot be used: a terminal has room for the
// reason, such as the JSON library's position of a syntax error (without its tag).
std::string WhatIsWrong(const std::exception& error) {
  const auto* configError = dynamic_cast<const corvane::ConfigError*>(&error);
  if (configError != nullptr && !configError->userLine().empty()) return configError->userLine();
  std::string_view reason = error.what();
  const std::size_t tagEnd = reason.find("] ");
  if (reason.starts_with("[json.exception") && tagEnd != std::string_view::npos) {
    reason.remove_prefix(tagEnd + 2);
  }
  return "(" + std::string(reason) + ")";
}

// Known folders are looked up afresh at every handshake, as the user may move them meanwhile.
std::string ResolveKnownFolder(corvane::KnownFolder folder) {
  const auto getEnv = [](const char* name) { return EnvironmentText(name); };
  const std::string userDirsPath = corvane::UserDirsPath(getEnv);
  const auto userDirs = corvane::ParseUserDirs(
      userDirsPath.empty() ? std::string() : ReadWholeFile(userDirsPath), EnvironmentText("HOME"));
  return corvane::ResolveXdgFolder(folder, getEnv, userDirs);
}

// A launcher may start the shell with standard input, output or error closed. The next file
// opened would then take that number, and the browser would read or write it as a standard stream.
void OpenClosedStandardStreams() {
  for (int descriptor = 0; descriptor <= 2; ++descriptor) {
    if (fcntl(descriptor, F_GETFD) == -1 && errno == EBADF) open("/dev/null", O_RDWR);
  }
}

}  // namespace

int main(int argc, char** argv) {
  using namespace corvane;
  OpenClosedStandardStreams();
  ChromiumShellOptions options;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--headless") == 0) options.headless = true;
  }

  const std::string appFolder = ExecutableFolder();
  const std::string packageJsonText = ReadWholeFile(appFolder + "package.json");
  if (packageJsonText.empty()) {
    ReportFailure("Failed to load package.json. Check the file is in the same folder as the app.");
    return 1;
  }
  AppConfig config;
  try {
    LoadAppConfig(packageJsonText, config);
  } catch (const std::exception& error) {
    ReportFailure(PackageJsonParseMessage(WhatIsWrong(error)).c_str());
    return 1;
  }

  const std::optional<std::string> userDataFolder =
      UserDataFolderFor(config.name, std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
  if (!userDataFolder) {
    ReportFailure("No folder for the app's data: set HOME or XDG_DATA_HOME.");
    return 1;
  }
  const ChromiumHostFolders folders{appFolder, kContentFolder, *userDataFolder,
                                    &ResolveKnownFolder};
  if (!PrepareChromiumShell(folders, options)) return 1;

  // The bundle is opened in both content modes; a damaged one is reported and start-up goes on.
  SharedMapping bundleMapping;
  AssetBundle bundle;
  if (!OpenBundleFile(appFolder + kContentFolder + "assets.dat", bundle, bundleMapping)) {
    ReportFailure("Error reading asset bundle");
  }

  // Made before the library and gone after it, so a library thread always has it to post to.
  CrossThreadInbox inbox;
  options.inbox = &inbox;
  auto extensions = std::make_unique<ExtensionManager>(appFolder, kContentFolder, *userDataFolder,
                                                       packageJsonText);
  extensions->crossThreadPoster = [&inbox](std::string json) { inbox.Post(std::move(json)); };
  extensions->LoadExtension();

  int exitCode = 0;
  {
    // Nothing is copied on this host (large bodies go out from the mapping), so no size limit.
    ResourceResponder responder(bundle, appFolder + kContentFolder, '/',
                                std::numeric_limits<std::uint64_t>::max());
    exitCode =
        RunChromiumShell(config, config.contentMode == ContentMode::Bundle ? &responder : nullptr,
                         extensions.get(), folders, options);
    responder.ReleaseMappedFiles();
  }
  extensions->ReleaseAndUnload();
  extensions.reset();
  return exitCode;
}
