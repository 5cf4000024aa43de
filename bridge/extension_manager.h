#pragma once
// Loads the optional extension library ("Vantor.dll" on Windows, "Vantor.so" on Linux) beside the
// executable, binds its four exports and carries messages between it and the page.

#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "bridge/wrapper_app.h"

namespace corvane {

// Gives the manager the host's side of the conversation once the host exists.
class ExtensionHost {
 public:
  virtual void PostJson(const std::string& json) = 0;

 protected:
  ~ExtensionHost() = default;
};

// Any exported function, before it is cast to its real type.
using ExtensionExport = void (*)();

// How the library file is opened, searched and closed. PlatformExtensionLoader() is the real one
// (LoadLibraryW/GetProcAddress/FreeLibrary, dlopen/dlsym/dlclose); tests substitute their own.
struct ExtensionLibraryLoader {
  // Opens the library beside the executable (appFolder ends in a separator); null when absent.
  void* (*open)(const std::string& appFolder);
  ExtensionExport (*find)(void* library, const char* name);
  void (*close)(void* library);
};
const ExtensionLibraryLoader& PlatformExtensionLoader();

// IWrapperApp sits at the start of the object: a pointer to the manager is the interface pointer.
class ExtensionManager final : public IWrapperApp {
 public:
  ExtensionManager(std::string appFolder, std::string contentFolder, std::string userDataFolder,
                   std::string packageJsonText);
  ExtensionManager(const ExtensionManager&) = delete;
  ExtensionManager& operator=(const ExtensionManager&) = delete;
  ~ExtensionManager();

  // Loads the library from appFolder + the platform's library name; true when it loaded, all
  // four exports were found and Init returned an id array.
  bool LoadExtension();
  bool LoadExtension(const ExtensionLibraryLoader& loader);

  // Called by the library on the UI thread; PostWebMessage also from any other thread once a
  // crossThreadPoster is set. A null argument is ignored (empty text for GetDirectoryPath), and
  // no exception ever travels back into the library.
  void CORVANE_EXTENSION_CALL PostWebMessage(const char* json) override;
  const char* CORVANE_EXTENSION_CALL GetDirectoryPath(const char* name) override;
  const char* CORVANE_EXTENSION_CALL GetPackageJson() override;

  // Calls into the library, each only when its export was found. The main window is announced
  // once per load: a host that starts its browser again keeps the library's view of one window.
  void NotifyMainWindowCreated(void* window);
  void DeliverExtensionMessage(const std::string& text);
  // Stops handing messages to the host, which is about to go. The folders it recorded stay: the
  // library may still ask for them, in Release too.
  void DetachHost();
  // Placeholder name -> folder, as recorded at the last "wrapper-init"; GetDirectoryPath reads it.
  // Every host records into it and it outlives them all, so the library's folders, and the texts
  // it was handed, stay valid across browser restarts and through Release (entries change only at
  // a handshake).
  std::map<std::string, std::string>& LastingDirectoryHandles() { return lastingHandles_; }
  // Calls Release once and forgets the exports, so nothing calls into the library afterwards; it
  // stays loaded. Used alone when the session ends and the process may be ended at any moment.
  void Release();
  // Release, then unloads the library and forgets it.
  void ReleaseAndUnload();
  void ReleaseAndUnload(const ExtensionLibraryLoader& loader);

  void* library = nullptr;
  ExtensionInitFn initFn = nullptr;
  ExtensionReleaseFn releaseFn = nullptr;
  ExtensionOnMainWindowCreatedFn onMainWindowCreatedFn = nullptr;
  ExtensionOnMessageFn onExtensionMessageFn = nullptr;
  std::string appFolder;
  std::string contentFolder;
  std::string userDataFolder;
  std::string packageJsonText;
  ExtensionHost* host = nullptr;
  std::vector<std::string> componentIds;
  bool pageReady = false;
  std::vector<std::string> pendingMessages;
  // The thread the shell runs on (the one that made the manager), and, where the host offers it,
  // how a message posted on another thread is handed to that thread, to be posted again there.
  // Set before the library is loaded; without it every call must come on the shell's thread.
  std::thread::id shellThread = std::this_thread::get_id();
  std::function<void(std::string json)> crossThreadPoster;

 private:
  bool mainWindowAnnounced_ = false;
  std::map<std::string, std::string> lastingHandles_;
};

}  // namespace corvane
