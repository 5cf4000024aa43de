// The evergreen bootstrapper the installer scenarios' server hands out: logs how it was started to
// CORVANE_TEST_BOOTSTRAPPER_LOG, then "installs" the runtime by creating the marker file
// CORVANE_TEST_RUNTIME_MARKER, which the stand-in runtime looks for.

#include <windows.h>

#include "../common/log_text.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace corvane::test_log;
  wchar_t cwd[MAX_PATH * 4] = {}, image[MAX_PATH * 4] = {};
  GetCurrentDirectoryW(MAX_PATH * 4, cwd);
  GetModuleFileNameW(nullptr, image, MAX_PATH * 4);
  const std::wstring log = Variable(L"CORVANE_TEST_BOOTSTRAPPER_LOG");
  AppendLine(log, Line("bootstrapper-ran", {{"cwd", Utf8(cwd)}, {"image", Utf8(image)}}));
  const std::wstring marker = Variable(L"CORVANE_TEST_RUNTIME_MARKER");
  if (marker.empty()) return 0;
  HANDLE file = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 2;
  CloseHandle(file);
  return 0;
}
