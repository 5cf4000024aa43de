#pragma once
// The thread that downloads the bootstrapper while the UI thread keeps the progress window alive.

#include <windows.h>

#include <string>

namespace corvane {

// Owned by the installer on its stack and lent to the worker until the worker has ended. The
// worker reads the first four fields and writes only `succeeded`, which the installer reads after
// joining the thread.
struct DownloadJob {
  std::wstring url;
  std::wstring destination;
  HWND window = nullptr;
  HWND progressBar = nullptr;
  bool succeeded = false;  // a runnable bootstrapper now lies at `destination`
};

// Thread procedure; `parameter` is the DownloadJob. Removes any earlier file at the destination,
// downloads, checks the result, then closes the progress window. Always ends with code 0.
DWORD WINAPI DownloadWorker(LPVOID parameter);

}  // namespace corvane
