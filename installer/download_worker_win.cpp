#include "installer/download_worker_win.h"

#include <objbase.h>
#include <urlmon.h>

#include <string>

#include "installer/download_check.h"
#include "installer/download_progress_win.h"

namespace corvane {
namespace {

// Opens the download for the check and for as long as the bootstrapper needs it unchanged: only
// reading is shared, so the file can be neither rewritten nor renamed nor deleted in between.
HANDLE OpenLocked(const std::wstring& path) {
  return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Up to the first two bytes read through `file`; empty when it cannot be read.
std::string ReadFileStart(HANDLE file) {
  char bytes[2] = {};
  DWORD read = 0;
  if (!ReadFile(file, bytes, sizeof(bytes), &read, nullptr)) read = 0;
  return std::string(bytes, read);
}

HANDLE Download(const DownloadJob& job) {
  // The service calls back on this thread and saves error pages too, so the answer it gives is
  // only one of three things to check.
  DownloadProgress progress(job.progressBar);
  const HRESULT result =
      URLDownloadToFileW(nullptr, job.url.c_str(), job.destination.c_str(), 0, &progress);
  HANDLE file = OpenLocked(job.destination);
  const std::string start = file == INVALID_HANDLE_VALUE ? std::string() : ReadFileStart(file);
  if (IsRunnableDownload(SUCCEEDED(result), progress.httpStatus(), start)) return file;
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  DeleteFileW(job.destination.c_str());
  return INVALID_HANDLE_VALUE;
}

}  // namespace

DWORD WINAPI DownloadWorker(LPVOID parameter) {
  auto& job = *static_cast<DownloadJob*>(parameter);
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  job.checkedFile = Download(job);
  if (SUCCEEDED(com)) CoUninitialize();
  // Fails at once when the user has already closed the window.
  SendMessageW(job.window, WM_CLOSE, 0, 0);
  return 0;
}

}  // namespace corvane
