#include "installer/install_runtime_win.h"

#include <commctrl.h>
#include <objbase.h>

#include <string>

#include "base/text_win.h"
#include "installer/bootstrapper_url_win.h"
#include "installer/download_worker_win.h"
#include "installer/progress_window_win.h"

namespace corvane {
namespace {

// A name no earlier run used: a stale file there (read-only, in use, planted) cannot block or
// stand in for this download. Empty when no unused name was found.
std::wstring FreshBootstrapperPath(const std::wstring& folder) {
  for (int attempt = 0; attempt < 4; ++attempt) {
    GUID id{};
    wchar_t text[40] = {};
    if (FAILED(CoCreateGuid(&id)) || StringFromGUID2(id, text, 40) == 0) break;
    std::wstring path = folder + L"\\Webview2Setup-" + text + L".exe";
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return path;
  }
  return {};
}

void ShowSetupFailure(const wchar_t* text, const std::wstring& caption) {
  MessageBoxW(nullptr, text, caption.c_str(), MB_ICONERROR);
}

// Pumps until the progress window has been destroyed (its procedure posts the quit message).
void RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// Starts the bootstrapper at `path` without arguments in `folder`, waits for it and removes it;
// its exit code is not read, because the caller asks the runtime loader instead. `checkedFile`
// is the open handle through which the file was checked: it is held until the process has been
// created from the file, so what runs is what was checked, and closed here.
void RunBootstrapper(const std::wstring& path, const std::wstring& folder, HANDLE checkedFile) {
  wchar_t commandLine[1] = {L'\0'};
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessW(path.c_str(), commandLine, nullptr, nullptr, FALSE, 0,
                                      nullptr, folder.c_str(), &startup, &process);
  CloseHandle(checkedFile);
  if (started) {
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  DeleteFileW(path.c_str());
}

}  // namespace

void InstallRuntime(HINSTANCE instance, HICON icon, const std::string& userDataFolder,
                    const AppConfig& config) {
  const std::wstring folder = ToWide(userDataFolder);
  const std::wstring caption = ToWide(config.title);

  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS};
  if (!InitCommonControlsEx(&controls)) {
    ShowSetupFailure(L"Failed to initialize common controls", caption);
    return;
  }
  // Only the last level is created: the local application data folder must already exist.
  if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    ShowSetupFailure(L"Failed to create user data directory", caption);
    return;
  }
  if (!RegisterInstallerWindowClass(instance, icon)) {
    ShowSetupFailure(L"Failed to register window class", caption);
    return;
  }
  HWND window = CreateInstallerWindow(instance, ToWide(config.messages.downloading));
  if (window == nullptr) {
    ShowSetupFailure(L"Failed to create window", caption);
    return;
  }

  DownloadJob job;
  job.url = bootstrapperUrl;
  job.destination = FreshBootstrapperPath(folder);
  job.window = window;
  job.progressBar = CreateInstallerProgressBar(instance, window);

  HANDLE worker = CreateThread(nullptr, 0, DownloadWorker, &job, 0, nullptr);
  if (worker == nullptr) {
    // No download will come to close the window: close it here, and let the loop below take the
    // quit message it posts so none is left for the main window's loop.
    DestroyWindow(window);
  }
  RunMessageLoop();
  if (worker == nullptr) return;
  // The user may have closed the window early; the download still runs to its end.
  WaitForSingleObject(worker, INFINITE);
  CloseHandle(worker);

  if (job.checkedFile != INVALID_HANDLE_VALUE) {
    RunBootstrapper(job.destination, folder, job.checkedFile);
  }
}

}  // namespace corvane
