#pragma once
// The thread that downloads the bootstrapper while the UI thread keeps the progress window alive.

#include <windows.h>

#include <string>

namespace corvane {

// Owned by the installer on its stack and lent to the worker until the worker has ended. The
// worker reads the first four fields and writes only `checkedFile`, which the installer reads
// after joining the thread.
struct DownloadJob {
  std::wstring url;
  std::wstring destination;  // a fresh name: nothing of an earlier run can stand in its way
  HWND window = nullptr;
  HWND progressBar = nullptr;
  // The downloaded file, open for reading with write and delete sharing denied, once it has been
  // checked as runnable; INVALID_HANDLE_VALUE otherwise. While it stays open nobody can change
  // or replace the file that was checked. The installer closes it.
  HANDLE checkedFile = INVALID_HANDLE_VALUE;
};

// Thread procedure; `parameter` is the DownloadJob. Downloads, checks the result through one
// handle kept open in `checkedFile` (or removes a file that fails the check), then closes the
// progress window. Always ends with code 0.
DWORD WINAPI DownloadWorker(LPVOID parameter);

}  // namespace corvane
