// Stands in for the WebView2 evergreen bootstrapper in the installer scenarios: the test server
// hands this program out, the shell downloads and runs it. It records how it was started and
// then "installs" the runtime by creating the marker file the stand-in runtime looks for.
//
// Environment (set by the scenario, inherited through the shell):
//   CORVANE_TEST_BOOTSTRAPPER_LOG  file to append one line to: "bootstrapper-ran", then
//                                  tab-separated cwd=, image= and commandline= fields, with
//                                  backslash, tab, line feed and carriage return escaped as
//                                  \\ \t \n \r (the test runtime's log format)
//   CORVANE_TEST_RUNTIME_MARKER    file to create (the runtime counts as installed once it exists)

#include <windows.h>

#include <string>

namespace {

std::wstring Variable(const wchar_t* name) {
  wchar_t buffer[32768];
  const DWORD length = GetEnvironmentVariableW(name, buffer, 32768);
  return length > 0 && length < 32768 ? std::wstring(buffer, length) : std::wstring();
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

std::string Field(const std::wstring& text) {
  std::string out;
  for (char c : Utf8(text)) {
    if (c == '\\')
      out += "\\\\";
    else if (c == '\t')
      out += "\\t";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      out += "\\r";
    else
      out += c;
  }
  return out;
}

void AppendLine(const std::wstring& path, const std::string& line) {
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t cwd[MAX_PATH * 4] = {};
  GetCurrentDirectoryW(MAX_PATH * 4, cwd);
  wchar_t image[MAX_PATH * 4] = {};
  GetModuleFileNameW(nullptr, image, MAX_PATH * 4);

  const std::wstring log = Variable(L"CORVANE_TEST_BOOTSTRAPPER_LOG");
  if (!log.empty()) {
    AppendLine(log, "bootstrapper-ran\tcwd=" + Field(cwd) + "\timage=" + Field(image) +
                        "\tcommandline=" + Field(GetCommandLineW()) + "\n");
  }
  const std::wstring marker = Variable(L"CORVANE_TEST_RUNTIME_MARKER");
  if (!marker.empty()) {
    HANDLE file = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 2;
    CloseHandle(file);
  }
  return 0;
}
