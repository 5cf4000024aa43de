// Starts the shell, reads and answers every message box it shows, and reports how it ended.
//
//   runner.exe <shell exe> [--timeout <milliseconds>] [--out <file>] [--answers <id>,<id>...]
//
// --answers names the button (IDYES 6, IDNO 7, ...) pressed on each box in the order the boxes
// appear; boxes beyond the list get OK.
// The shell starts in its own folder, as when the user opens it from Explorer. Output lines use
// the test runtime's log format (event, then tab-separated key=value fields, with \\ \t \n \r
// escaped) and go to standard output and, with --out, to the file:
//   start (exe)            start-failed (error)
//   message-box (caption, text, answer)   one line per box, in the order they appeared; then the
//                          button numbered `answer` is pressed
//   timeout (ms)           the shell was still running and has been killed
//   exit (code)            the shell's exit code (after a timeout: the code given to the kill)

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

#include "../common/log_text.h"

namespace {

using corvane::test_log::EscapeField;
using corvane::test_log::Utf8;

constexpr UINT kKilledExitCode = 0xDEAD;

HANDLE g_out = INVALID_HANDLE_VALUE;

void Emit(const std::string& event,
          const std::vector<std::pair<std::string, std::string>>& fields) {
  std::string line = event;
  for (const auto& [key, value] : fields) line += "\t" + key + "=" + EscapeField(value);
  line += "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written,
            nullptr);
  if (g_out != INVALID_HANDLE_VALUE) {
    WriteFile(g_out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  }
}

struct BoxSearch {
  DWORD processId;
  std::vector<HWND> boxes;
};

BOOL CALLBACK CollectBoxes(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<BoxSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  wchar_t className[64] = L"";
  GetClassNameW(window, className, 64);
  if (std::wcscmp(className, L"#32770") == 0) search->boxes.push_back(window);
  return TRUE;
}

std::wstring WindowText(HWND window) {
  wchar_t text[4096] = L"";
  GetWindowTextW(window, text, 4096);
  return text;
}

std::wstring BoxText(HWND box) {
  wchar_t text[8192] = L"";
  GetDlgItemTextW(box, 0xFFFF, text, 8192);
  return text;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fputs("usage: runner.exe <shell exe> [--timeout <ms>] [--out <file>]\n", stderr);
    return 2;
  }
  std::wstring exe = argv[1];
  DWORD timeoutMs = 30000;
  std::vector<int> answers;
  for (int i = 2; i + 1 < argc; i += 2) {
    if (std::wcscmp(argv[i], L"--answers") == 0) {
      for (const wchar_t* p = argv[i + 1]; *p;) {
        wchar_t* end = nullptr;
        answers.push_back(static_cast<int>(std::wcstol(p, &end, 10)));
        p = *end == L',' ? end + 1 : end + std::wcslen(end);
      }
    }
    if (std::wcscmp(argv[i], L"--timeout") == 0) timeoutMs = std::wcstoul(argv[i + 1], nullptr, 10);
    if (std::wcscmp(argv[i], L"--out") == 0) {
      g_out = CreateFileW(argv[i + 1], GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    }
  }

  std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/") + 1);
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  Emit("start", {{"exe", Utf8(exe)}});
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    Emit("start-failed", {{"error", std::to_string(GetLastError())}});
    return 1;
  }
  CloseHandle(process.hThread);

  std::map<HWND, int> answered;  // each open box and the button it gets
  std::size_t boxesSeen = 0;
  ULONGLONG deadline = GetTickCount64() + timeoutMs;
  bool timedOut = false;
  while (WaitForSingleObject(process.hProcess, 50) == WAIT_TIMEOUT) {
    BoxSearch search{process.dwProcessId, {}};
    EnumWindows(CollectBoxes, reinterpret_cast<LPARAM>(&search));
    for (HWND box : search.boxes) {
      auto [entry, isNew] = answered.try_emplace(box, IDOK);
      if (isNew) {
        if (boxesSeen < answers.size()) entry->second = answers[boxesSeen];
        ++boxesSeen;
        Emit("message-box", {{"caption", Utf8(WindowText(box))},
                             {"text", Utf8(BoxText(box))},
                             {"answer", std::to_string(entry->second)}});
      }
      // Pressed again on every round until the box is gone.
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(entry->second, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(box, entry->second)));
    }
    for (auto it = answered.begin(); it != answered.end();) {
      it = IsWindow(it->first) ? std::next(it) : answered.erase(it);
    }
    if (GetTickCount64() > deadline) {
      timedOut = true;
      Emit("timeout", {{"ms", std::to_string(timeoutMs)}});
      TerminateProcess(process.hProcess, kKilledExitCode);
      WaitForSingleObject(process.hProcess, 5000);
      break;
    }
  }
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  Emit("exit", {{"code", std::to_string(code)}, {"killed", timedOut ? "1" : "0"}});
  if (g_out != INVALID_HANDLE_VALUE) CloseHandle(g_out);
  return 0;
}
