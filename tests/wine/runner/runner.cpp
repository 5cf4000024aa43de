// Starts the shell in its own folder, as Explorer would, answers every message box it shows and
// reports how it ended, as lines of ../common/log_text.h in --out:
// start-failed (error), message-box (caption, text, answer) for each box in the order they
// appeared, exit (code, killed).
//   runner.exe <shell exe> --out <file> [--timeout <ms>] [--answers <button id>,...]
// --answers: the button pressed on each box in turn (IDYES 6, IDNO 7, ...); then OK.

#include <windows.h>

#include <cwchar>
#include <map>
#include <string>
#include <vector>

#include "../common/log_text.h"

namespace {

using corvane::test_log::Utf8;

HANDLE g_out = INVALID_HANDLE_VALUE;

void Emit(const std::string& event, const std::vector<corvane::test_log::Field>& fields) {
  const std::string line = corvane::test_log::Line(event, fields);
  DWORD written = 0;
  WriteFile(g_out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

BOOL CALLBACK CollectBox(HWND window, LPARAM param) {
  auto* boxes = reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t className[64] = L"";
  GetClassNameW(window, className, 64);
  if (owner == boxes->first && IsWindowVisible(window) && std::wcscmp(className, L"#32770") == 0) {
    boxes->second.push_back(window);
  }
  return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring exe = argv[1];
  DWORD timeoutMs = 30000;
  std::vector<int> answers;
  for (int i = 2; i + 1 < argc; i += 2) {
    const std::wstring option = argv[i];
    if (option == L"--timeout") timeoutMs = std::wcstoul(argv[i + 1], nullptr, 10);
    if (option == L"--out") {
      g_out = CreateFileW(argv[i + 1], GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    for (wchar_t* p = argv[i + 1]; option == L"--answers" && *p;) {
      answers.push_back(static_cast<int>(std::wcstol(p, &p, 10)));
      if (*p && *p++ != L',') break;
    }
  }

  const std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/") + 1);
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    Emit("start-failed", {{"error", std::to_string(GetLastError())}});
    return 1;
  }
  CloseHandle(process.hThread);

  std::map<HWND, int> answered;  // each open box and the button it gets
  std::size_t boxesSeen = 0;
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  bool timedOut = false;
  while (!timedOut && WaitForSingleObject(process.hProcess, 50) == WAIT_TIMEOUT) {
    std::pair<DWORD, std::vector<HWND>> boxes{process.dwProcessId, {}};
    EnumWindows(CollectBox, reinterpret_cast<LPARAM>(&boxes));
    for (HWND box : boxes.second) {
      auto [entry, isNew] = answered.try_emplace(box, IDOK);
      if (isNew) {
        if (boxesSeen < answers.size()) entry->second = answers[boxesSeen];
        ++boxesSeen;
        wchar_t caption[4096] = L"", text[8192] = L"";
        GetWindowTextW(box, caption, 4096);
        GetDlgItemTextW(box, 0xFFFF, text, 8192);
        Emit("message-box", {{"caption", Utf8(caption)},
                             {"text", Utf8(text)},
                             {"answer", std::to_string(entry->second)}});
      }
      // Pressed again on every round until the box is gone.
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(entry->second, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(box, entry->second)));
    }
    std::erase_if(answered, [](const auto& entry) { return !IsWindow(entry.first); });
    if (GetTickCount64() > deadline) {
      timedOut = true;
      TerminateProcess(process.hProcess, 0xDEAD);
      WaitForSingleObject(process.hProcess, 5000);
    }
  }
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  Emit("exit", {{"code", std::to_string(code)}, {"killed", timedOut ? "1" : "0"}});
  return 0;
}
