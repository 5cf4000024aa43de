// Patches the shell executable's import address table before the web view exists, so a test sees
// what the shell would open without starting it, and need not sit through its long waits (the
// clock runs as much faster, so the shell's waits and clock still agree).

#include "tests/wine/runtime/runtime.h"

#include <shellapi.h>

#include <cstring>

namespace corvane::test_runtime {

namespace {

UINT g_timerDivisor = 1;
ULONGLONG g_clockStart = 0;
const auto kStarted = reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));  // "success"

HINSTANCE WINAPI LoggedShellExecuteW(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR, LPCWSTR,
                                     INT show) {
  Log("shell-execute", {{"owner", owner ? "1" : "0"},
                        {"verb", Utf8(verb)},
                        {"file", Utf8(file)},
                        {"show", std::to_string(show)}});
  return kStarted;
}

// Delays of a second and more are the shell's own waits (recovery questions); shorter ones keep
// their length, so zero-delay deferrals stay zero.
UINT_PTR WINAPI ScaledSetTimer(HWND window, UINT_PTR id, UINT delayMs, TIMERPROC procedure) {
  Log("set-timer", {{"ms", std::to_string(delayMs)}});
  return SetTimer(window, id, delayMs >= 1000 ? delayMs / g_timerDivisor : delayMs, procedure);
}

ULONGLONG WINAPI ScaledGetTickCount64() {
  return g_clockStart + (GetTickCount64() - g_clockStart) * g_timerDivisor;
}

// Does nothing when `name` is not imported from `dll`.
void PatchImport(const char* dll, const char* name, void* function) {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return;
  for (auto* descriptor = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       descriptor->Name != 0; ++descriptor) {
    if (_stricmp(reinterpret_cast<const char*>(base + descriptor->Name), dll) != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + (descriptor->OriginalFirstThunk
                                                                  ? descriptor->OriginalFirstThunk
                                                                  : descriptor->FirstThunk));
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal) ||
          std::strcmp(reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name,
                      name) != 0) {
        continue;
      }
      DWORD protection = 0;
      VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &protection);
      slots->u1.Function = reinterpret_cast<ULONG_PTR>(function);
      VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
      return;
    }
  }
}

}  // namespace

void InterceptShellExecute() {
  PatchImport("shell32.dll", "ShellExecuteW", reinterpret_cast<void*>(&LoggedShellExecuteW));
}

void ScaleTimers(UINT divisor) {
  g_timerDivisor = divisor;
  g_clockStart = GetTickCount64();
  PatchImport("user32.dll", "SetTimer", reinterpret_cast<void*>(&ScaledSetTimer));
  PatchImport("kernel32.dll", "GetTickCount64", reinterpret_cast<void*>(&ScaledGetTickCount64));
}

}  // namespace corvane::test_runtime
