// Replaces imports of the shell executable, patching the main module's import address table
// once, before the web view exists: ShellExecuteW and ShellExecuteExW with loggers, so that a
// test can see what the shell would open without anything being started, and on request SetTimer
// with one that shortens long delays, so that a test need not sit through them.

#include "tests/wine/runtime/runtime.h"

#include <shellapi.h>

#include <cstring>

namespace corvane::test_runtime {

namespace {

UINT g_timerDivisor = 1;
const auto kStarted = reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));  // "success"

HINSTANCE WINAPI LoggedShellExecuteW(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters,
                                     LPCWSTR directory, INT show) {
  Log("shell-execute", {{"owner", owner ? "1" : "0"},
                        {"verb", Utf8(verb)},
                        {"file", Utf8(file)},
                        {"parameters", Utf8(parameters)},
                        {"directory", Utf8(directory)},
                        {"show", std::to_string(show)}});
  return kStarted;
}

BOOL WINAPI LoggedShellExecuteExW(SHELLEXECUTEINFOW* info) {
  if (!info) return FALSE;
  Log("shell-execute-ex", {{"verb", Utf8(info->lpVerb)},
                           {"file", Utf8(info->lpFile)},
                           {"parameters", Utf8(info->lpParameters)},
                           {"show", std::to_string(info->nShow)}});
  info->hInstApp = kStarted;
  info->hProcess = nullptr;
  return TRUE;
}

// Delays of a second and more are the shell's own waits (recovery questions); shorter ones keep
// their length, so zero-delay deferrals stay zero.
UINT_PTR WINAPI ScaledSetTimer(HWND window, UINT_PTR id, UINT delayMs, TIMERPROC procedure) {
  const UINT scaled = delayMs >= 1000 ? delayMs / g_timerDivisor : delayMs;
  Log("set-timer", {{"ms", std::to_string(delayMs)}, {"scaled", std::to_string(scaled)}});
  return SetTimer(window, id, scaled, procedure);
}

struct Replacement {
  const char* name;
  void* function;
};

// Points every import of `dll` named in `replacements` at its replacement; returns the names
// patched, comma-separated.
std::string PatchImports(const char* dll, std::initializer_list<Replacement> replacements) {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  std::string patched;
  if (imports.VirtualAddress == 0) return patched;
  for (auto* descriptor = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       descriptor->Name != 0; ++descriptor) {
    if (_stricmp(reinterpret_cast<const char*>(base + descriptor->Name), dll) != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + (descriptor->OriginalFirstThunk
                                                                  ? descriptor->OriginalFirstThunk
                                                                  : descriptor->FirstThunk));
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const char* name =
          reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name;
      for (const Replacement& replacement : replacements) {
        if (std::strcmp(name, replacement.name) != 0) continue;
        DWORD protection = 0;
        VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &protection);
        slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement.function);
        VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
        patched += (patched.empty() ? "" : ",") + std::string(name);
      }
    }
  }
  return patched;
}

}  // namespace

void InterceptShellExecute() {
  const std::string patched = PatchImports(
      "shell32.dll", {{"ShellExecuteW", reinterpret_cast<void*>(&LoggedShellExecuteW)},
                      {"ShellExecuteExW", reinterpret_cast<void*>(&LoggedShellExecuteExW)}});
  Log("shell-execute-hook",
      {{"status", patched.empty() ? "not-imported" : "installed"}, {"functions", patched}});
}

void ScaleTimers(UINT divisor) {
  g_timerDivisor = divisor;
  const bool patched =
      !PatchImports("user32.dll", {{"SetTimer", reinterpret_cast<void*>(&ScaledSetTimer)}}).empty();
  Log("timer-hook", {{"status", patched ? "installed" : "not-imported"}});
}

}  // namespace corvane::test_runtime
