#include "installer/download_worker_win.h"

#include <objbase.h>
#include <urlmon.h>

#include <string>

#include "installer/download_check.h"
#include "installer/download_progress_win.h"

namespace corvane {
namespace {

// A file left by an earlier run (stale, partial or planted) must never pass for this download.
bool RemoveEarlierFile(const std::wstring& path) {
  if (DeleteFileW(path.c_str())) return true;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Up to the first two bytes of the file; empty when it cannot be read.
std::string ReadFileStart(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  char bytes[2] = {};
  DWORD read = 0;
  if (!ReadFile(file, bytes, sizeof(bytes), &read, nullptr)) read = 0;
  CloseHandle(file);
  return std::string(bytes, read);
}

bool Download(const DownloadJob& job) {
  if (!RemoveEarlierFile(job.destination)) return false;
  // The service calls back on this thread and saves error pages too, so the answer it gives is
  // only one of three things to check.
  DownloadProgress progress(job.progressBar);
  const HRESULT result =
      URLDownloadToFileW(nullptr, job.url.c_str(), job.destination.c_str(), 0, &progress);
  return IsRunnableDownload(SUCCEEDED(result), progress.httpStatus(),
                            ReadFileStart(job.destination));
}

}  // namespace

DWORD WINAPI DownloadWorker(LPVOID parameter) {
  auto& job = *static_cast<DownloadJob*>(parameter);
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  job.succeeded = Download(job);
  if (SUCCEEDED(com)) CoUninitialize();
  // Fails at once when the user has already closed the window.
  SendMessageW(job.window, WM_CLOSE, 0, 0);
  return 0;
}

}  // namespace corvane
