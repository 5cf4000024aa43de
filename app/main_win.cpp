// Entry point of corvane.exe.

#include <windows.h>

#include "app/startup_win.h"

// Ask hybrid-graphics drivers to run the shell on the high-performance GPU.
extern "C" {
__declspec(dllexport) DWORD NvOptimusEnablement = 1;
__declspec(dllexport) DWORD AmdPowerXpressRequestHighPerformance = 1;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  return corvane::RunShell(instance);
}
