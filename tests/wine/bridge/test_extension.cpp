// The extension library of the bridge scenarios, "Vantor.dll" beside the shell; also built without
// OnExtensionMessage (CORVANE_TEST_EXTENSION_WITHOUT_MESSAGES). Every call into it is appended to
// the runtime's log (CORVANE_TEST_LOG), so its order against the runtime's events shows.
// Init reads "extension.txt" beside the DLL: "id <bytes>" lines are the component ids, byte for
// byte (none: an empty list); "post <json>" lines are posted from inside Init. Messages whose
// "action" is "echo" are posted back ({"text":<as received>,"type":"echo"}), "echo-later" the
// same after "ms" milliseconds on the shell's thread; "folder" posts GetDirectoryPath("name").

#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "../common/log_text.h"
#include "bridge/wrapper_app.h"

#define TEST_EXPORT extern "C" __declspec(dllexport)

namespace {

corvane::IWrapperApp* g_app = nullptr;
std::vector<std::string> g_ids;
std::vector<const char*> g_idPointers;
std::string g_later;  // the text of the last "echo-later" message

std::wstring ModuleFolder() {
  HMODULE self = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&g_app), &self);
  wchar_t path[4096] = L"";
  std::wstring folder(path, GetModuleFileNameW(self, path, 4096));
  // Wine 8 names a module loaded from a share "UNC\server\share\...".
  if (folder.rfind(L"UNC\\", 0) == 0) folder.replace(0, 3, L"\\");
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

void Record(const char* event, const std::vector<corvane::test_log::Field>& fields) {
  corvane::test_log::AppendLine(corvane::test_log::Variable(L"CORVANE_TEST_LOG"),
                                corvane::test_log::Line(std::string("extension-") + event, fields));
}

[[maybe_unused]] void Post(const nlohmann::json& message) {
  g_app->PostWebMessage(
      message.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
}

}  // namespace

TEST_EXPORT const char* const* CORVANE_EXTENSION_CALL Init(const char* appFolder,
                                                           const char* contentFolder,
                                                           const char* userDataFolder,
                                                           corvane::IWrapperApp* app) {
  g_app = app;
  Record("init", {{"appFolder", appFolder},
                  {"contentFolder", contentFolder},
                  {"userDataFolder", userDataFolder},
                  {"packageJson", app->GetPackageJson()}});
  std::ifstream directives((ModuleFolder() + L"extension.txt").c_str(), std::ios::binary);
  for (std::string line; std::getline(directives, line);) {
    const std::size_t space = line.find(' ');
    const std::string verb = line.substr(0, space);
    const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
    if (verb == "id") g_ids.push_back(rest);
    if (verb == "post") app->PostWebMessage(rest.c_str());
  }
  for (const std::string& id : g_ids) g_idPointers.push_back(id.c_str());
  g_idPointers.push_back(nullptr);
  return g_idPointers.data();
}

TEST_EXPORT void CORVANE_EXTENSION_CALL OnMainWindowCreated(void* window) {
  const HWND handle = static_cast<HWND>(window);
  Record("main-window", {{"window", corvane::test_log::Hex(handle)},
                         {"isWindow", IsWindow(handle) ? "1" : "0"},
                         {"visible", IsWindowVisible(handle) ? "1" : "0"}});
}

#if !defined(CORVANE_TEST_EXTENSION_WITHOUT_MESSAGES)
TEST_EXPORT void CORVANE_EXTENSION_CALL OnExtensionMessage(const char* text) {
  Record("message", {{"text", text}});
  try {
    const nlohmann::json message = nlohmann::json::parse(text);
    const std::string action = message.value("action", "");
    if (action == "echo") {
      Post({{"type", "echo"}, {"text", text}});
    } else if (action == "echo-later") {
      g_later = text;
      SetTimer(nullptr, 0, message.value("ms", 0u), [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        Post({{"type", "echo"}, {"text", g_later}});
      });
    } else if (action == "folder") {
      const std::string name = message.value("name", "");
      Post({{"type", "folder"}, {"name", name}, {"path", g_app->GetDirectoryPath(name.c_str())}});
    }
  } catch (...) {
  }
}
#endif

TEST_EXPORT void CORVANE_EXTENSION_CALL Release() {
  Record("release", {});
  g_app = nullptr;
}

// Tells an unload by FreeLibrary (no reserved pointer) from the end of the process.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_DETACH) {
    Record("unload", {{"by", reserved ? "process-exit" : "FreeLibrary"}});
  }
  return TRUE;
}
