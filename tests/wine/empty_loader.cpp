// A WebView2Loader.dll that exports nothing the shell looks for: the "damaged loader" case.

#include <windows.h>

extern "C" __declspec(dllexport) int CorvaneNotTheLoader() { return 0; }

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
