// The extension library on Linux: "Vantor.so" beside the executable.

#include <dlfcn.h>

#include "bridge/extension_manager.h"

namespace corvane {

namespace {

void* OpenLibrary(const std::string& appFolder) {
  const std::string path = appFolder + "Vantor.so";
  // RTLD_LOCAL keeps the library's symbols from resolving anyone else's.
  return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

ExtensionExport FindExport(void* library, const char* name) {
  return reinterpret_cast<ExtensionExport>(dlsym(library, name));
}

void CloseLibrary(void* library) { dlclose(library); }

}  // namespace

const ExtensionLibraryLoader& PlatformExtensionLoader() {
  static const ExtensionLibraryLoader loader{&OpenLibrary, &FindExport, &CloseLibrary};
  return loader;
}

}  // namespace corvane
