#include "bridge/extension_manager.h"

#include <utility>

namespace corvane {

namespace {

template <class Fn>
Fn FindExport(const ExtensionLibraryLoader& loader, void* library, const char* name) {
  return reinterpret_cast<Fn>(loader.find(library, name));
}

}  // namespace

ExtensionManager::ExtensionManager(std::string appFolderText, std::string contentFolderText,
                                   std::string userDataFolderText, std::string packageJson)
    : appFolder(std::move(appFolderText)),
      contentFolder(std::move(contentFolderText)),
      userDataFolder(std::move(userDataFolderText)),
      packageJsonText(std::move(packageJson)) {}

// The library stays loaded: unloading is ReleaseAndUnload's job, after Release has run.
ExtensionManager::~ExtensionManager() = default;

bool ExtensionManager::LoadExtension() { return LoadExtension(PlatformExtensionLoader()); }

bool ExtensionManager::LoadExtension(const ExtensionLibraryLoader& loader) {
  library = loader.open(appFolder);
  if (library == nullptr) return false;

  initFn = FindExport<ExtensionInitFn>(loader, library, "Init");
  releaseFn = FindExport<ExtensionReleaseFn>(loader, library, "Release");
  onMainWindowCreatedFn =
      FindExport<ExtensionOnMainWindowCreatedFn>(loader, library, "OnMainWindowCreated");
  onExtensionMessageFn = FindExport<ExtensionOnMessageFn>(loader, library, "OnExtensionMessage");
  // A partial library keeps the exports it has; they are still called at their moments.
  if (initFn == nullptr || releaseFn == nullptr || onMainWindowCreatedFn == nullptr ||
      onExtensionMessageFn == nullptr) {
    return false;
  }

  const char* const* ids =
      initFn(appFolder.c_str(), contentFolder.c_str(), userDataFolder.c_str(), this);
  if (ids == nullptr) return false;
  // Copied at once: the library only promises the array until Init returns.
  for (; *ids != nullptr; ++ids) componentIds.emplace_back(*ids);
  return true;
}

void ExtensionManager::PostWebMessage(const char* json) {
  if (json == nullptr) return;
  try {
    if (crossThreadPoster && std::this_thread::get_id() != shellThread) {
      crossThreadPoster(json);
    } else if (pageReady && host != nullptr) {
      host->PostJson(json);
    } else {
      pendingMessages.emplace_back(json);
    }
  } catch (...) {
    // Out of memory while copying or converting: the message is lost, the library keeps running.
  }
}

const char* ExtensionManager::GetDirectoryPath(const char* name) {
  static const char kEmpty[] = "";
  // Empty until the page's first handshake, so also during Init and OnMainWindowCreated.
  if (name == nullptr) return kEmpty;
  try {
    const auto found = lastingHandles_.find(name);
    return found == lastingHandles_.end() ? kEmpty : found->second.c_str();
  } catch (...) {
    return kEmpty;
  }
}

const char* ExtensionManager::GetPackageJson() { return packageJsonText.c_str(); }

void ExtensionManager::DetachHost() { host = nullptr; }

void ExtensionManager::NotifyMainWindowCreated(void* window) {
  if (onMainWindowCreatedFn == nullptr || mainWindowAnnounced_) return;
  mainWindowAnnounced_ = true;
  onMainWindowCreatedFn(window);
}

void ExtensionManager::DeliverExtensionMessage(const std::string& text) {
  if (onExtensionMessageFn != nullptr) onExtensionMessageFn(text.c_str());
}

void ExtensionManager::ReleaseAndUnload() { ReleaseAndUnload(PlatformExtensionLoader()); }

void ExtensionManager::Release() {
  // All forgotten before the call: Release is the last call into the library, even when it
  // pumps messages (a page message, or a session ending, must not reach it meanwhile).
  const ExtensionReleaseFn release = std::exchange(releaseFn, nullptr);
  initFn = nullptr;
  onMainWindowCreatedFn = nullptr;
  onExtensionMessageFn = nullptr;
  mainWindowAnnounced_ = false;
  if (release != nullptr) release();
}

void ExtensionManager::ReleaseAndUnload(const ExtensionLibraryLoader& loader) {
  // The addresses die with the library; forgetting them keeps a late call from jumping into
  // unmapped code.
  Release();
  if (library != nullptr) loader.close(library);
  library = nullptr;
}

}  // namespace corvane
