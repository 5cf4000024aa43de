#pragma once
// The interface an extension library calls back into. Its layout is fixed: exactly three virtual
// slots in this order and no virtual destructor, so the first word of the object points at a
// table of three function addresses. Every text is NUL-terminated UTF-8.

namespace corvane {

#if defined(_WIN32)
#define CORVANE_EXTENSION_CALL __stdcall
#else
#define CORVANE_EXTENSION_CALL
#endif

class IWrapperApp {
 public:
  virtual void CORVANE_EXTENSION_CALL PostWebMessage(const char* json) = 0;
  virtual const char* CORVANE_EXTENSION_CALL GetDirectoryPath(const char* name) = 0;
  virtual const char* CORVANE_EXTENSION_CALL GetPackageJson() = 0;

 protected:
  // Not virtual: a virtual destructor would add slots. The library never deletes the interface.
  ~IWrapperApp() = default;
};

// Exports of the extension library, looked up by these undecorated names.
using ExtensionInitFn = const char* const*(CORVANE_EXTENSION_CALL*)(const char* appFolder,
                                                                    const char* contentFolder,
                                                                    const char* userDataFolder,
                                                                    IWrapperApp* app);
using ExtensionReleaseFn = void(CORVANE_EXTENSION_CALL*)();
using ExtensionOnMainWindowCreatedFn = void(CORVANE_EXTENSION_CALL*)(void* window);
using ExtensionOnMessageFn = void(CORVANE_EXTENSION_CALL*)(const char* message);

}  // namespace corvane
