// The extension library on Windows: "Vantor.dll" beside the executable, loaded by its full
// extended-length path so the DLL search order never picks up another copy.

#include <windows.h>

#include "base/text_path.h"
#include "base/text_win.h"
#include "bridge/extension_manager.h"

namespace corvane {

namespace {

void* OpenLibrary(const std::string& appFolder) {
  const std::wstring path = ToExtendedPath(ToWide(appFolder) + L"Vantor.dll");
  return LoadLibraryW(path.c_str());
}

ExtensionExport FindExport(void* library, const char* name) {
  return reinterpret_cast<ExtensionExport>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void CloseLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

}  // namespace

const ExtensionLibraryLoader& PlatformExtensionLoader() {
  static const ExtensionLibraryLoader loader{&OpenLibrary, &FindExport, &CloseLibrary};
  return loader;
}

}  // namespace corvane
