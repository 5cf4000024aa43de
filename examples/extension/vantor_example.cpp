// A minimal extension library for the Corvane shell. Built as "Vantor.dll" (Windows) or
// "Vantor.so" (Linux) and placed beside the executable, it is loaded at start-up.
//
// What it shows:
//   - Init returns the component ids the page sees in "registeredComponentIds", and posts a
//     message at once (the shell holds it until the page's "wrapper-init" has been answered);
//   - {"type":"extension-message","action":"get-folder","name":"<documents>"} is answered with
//     the folder behind that placeholder (empty until the page's first "wrapper-init");
//   - {"type":"extension-message","action":"get-app-name"} is answered with package.json's "name";
//   - any other extension message is echoed back inside {"type":"extension-echo","message":...}.
//
// Every call arrives on the shell's UI thread, and the IWrapperApp calls must be made there too.
// Text is UTF-8 both ways; nothing may throw back into the shell.

#include <string>

#include <nlohmann/json.hpp>

#include "bridge/wrapper_app.h"

#if defined(_WIN32)
#define VANTOR_EXPORT extern "C" __declspec(dllexport)
#else
#define VANTOR_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

corvane::IWrapperApp* g_app = nullptr;

// Must stay valid until Init returns; the shell copies the ids at once.
const char* const kComponentIds[] = {"echo", "folders", nullptr};

void Post(const nlohmann::json& message) {
  g_app->PostWebMessage(
      message.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
}

}  // namespace

VANTOR_EXPORT const char* const* CORVANE_EXTENSION_CALL Init(const char* appFolder,
                                                             const char* /*contentFolder*/,
                                                             const char* /*userDataFolder*/,
                                                             corvane::IWrapperApp* app) {
  g_app = app;
  try {
    Post({{"type", "extension-ready"}, {"appFolder", appFolder}});
  } catch (...) {
  }
  return kComponentIds;
}

VANTOR_EXPORT void CORVANE_EXTENSION_CALL OnMainWindowCreated(void* /*window*/) {
  // The HWND of the (still hidden) main window on Windows; the web view does not exist yet.
}

VANTOR_EXPORT void CORVANE_EXTENSION_CALL OnExtensionMessage(const char* text) {
  try {
    const nlohmann::json message = nlohmann::json::parse(text);
    const std::string action = message.value("action", "");
    if (action == "get-folder") {
      const std::string name = message.value("name", "");
      // The returned text belongs to the shell: copy it before the next "wrapper-init".
      const std::string path = g_app->GetDirectoryPath(name.c_str());
      Post({{"type", "folder"}, {"name", name}, {"path", path}});
    } else if (action == "get-app-name") {
      const auto package = nlohmann::json::parse(g_app->GetPackageJson());
      Post({{"type", "app-name"}, {"name", package.value("name", "")}});
    } else {
      // The shell parsed the text before passing it on, so it can be embedded as it stands.
      g_app->PostWebMessage(
          (std::string("{\"type\":\"extension-echo\",\"message\":") + text + "}").c_str());
    }
  } catch (...) {
  }
}

VANTOR_EXPORT void CORVANE_EXTENSION_CALL Release() { g_app = nullptr; }
