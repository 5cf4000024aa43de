// Replaces the shell executable's imports of ShellExecuteW and ShellExecuteExW with loggers, so
// that a test can see what the shell would open without anything being started. The import
// address table of the main module is patched once, before the web view exists.

#include "tests/wine/runtime/runtime.h"

#include <shellapi.h>

#include <cstring>

namespace corvane::test_runtime {

namespace {

HINSTANCE WINAPI LoggedShellExecuteW(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters,
                                     LPCWSTR directory, INT show) {
  Log("shell-execute", {{"owner", owner ? "1" : "0"},
                        {"verb", Utf8(verb)},
                        {"file", Utf8(file)},
                        {"parameters", Utf8(parameters)},
                        {"directory", Utf8(directory)},
                        {"show", std::to_string(show)}});
  return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));  // "success", nothing started
}

BOOL WINAPI LoggedShellExecuteExW(SHELLEXECUTEINFOW* info) {
  if (!info) return FALSE;
  Log("shell-execute-ex", {{"verb", Utf8(info->lpVerb)},
                           {"file", Utf8(info->lpFile)},
                           {"parameters", Utf8(info->lpParameters)},
                           {"show", std::to_string(info->nShow)}});
  info->hInstApp = reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
  if (info->fMask & SEE_MASK_NOCLOSEPROCESS) info->hProcess = nullptr;
  return TRUE;
}

void* ReplacementFor(const char* name) {
  if (std::strcmp(name, "ShellExecuteW") == 0) return reinterpret_cast<void*>(&LoggedShellExecuteW);
  if (std::strcmp(name, "ShellExecuteExW") == 0) {
    return reinterpret_cast<void*>(&LoggedShellExecuteExW);
  }
  return nullptr;
}

}  // namespace

void InterceptShellExecute() {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  std::string patched;
  if (imports.VirtualAddress != 0) {
    for (auto* descriptor =
             reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         descriptor->Name != 0; ++descriptor) {
      if (_stricmp(reinterpret_cast<const char*>(base + descriptor->Name), "shell32.dll") != 0) {
        continue;
      }
      DWORD lookup =
          descriptor->OriginalFirstThunk ? descriptor->OriginalFirstThunk : descriptor->FirstThunk;
      auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + lookup);
      auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
      for (; names->u1.AddressOfData != 0; ++names, ++slots) {
        if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
        auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
        const char* name = reinterpret_cast<const char*>(byName->Name);
        void* replacement = ReplacementFor(name);
        if (!replacement) continue;
        DWORD oldProtection = 0;
        VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE,
                       &oldProtection);
        slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
        VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, oldProtection,
                       &oldProtection);
        if (!patched.empty()) patched += ',';
        patched += name;
      }
    }
  }
  Log("shell-execute-hook",
      {{"status", patched.empty() ? "not-imported" : "installed"}, {"functions", patched}});
}

}  // namespace corvane::test_runtime
