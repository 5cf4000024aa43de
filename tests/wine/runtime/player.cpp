// Reads the scenario and plays it: every action is posted to a message-only window, so the shell's
// handlers run from inside its own message loop, one at a time, as with the real runtime.

#include <cstdlib>
#include <deque>
#include <fstream>
#include <set>
#include <sstream>

#include "tests/wine/runtime/objects.h"

namespace corvane::test_runtime {

namespace {

constexpr UINT kRunQueued = WM_APP + 1;
constexpr UINT_PTR kWaitTimer = 1;

HWND g_window = nullptr;
std::deque<std::function<void()>> g_queue;
bool g_running = false;
std::size_t g_nextStep = 0;
bool g_menuSeen = false;

std::wstring JsonQuote(const std::wstring& text) {
  std::wstring out = L"\"";
  for (wchar_t c : text) {
    if (c == L'"' || c == L'\\') out += L'\\';
    wchar_t escaped[8] = {c, 0};
    if (c < 0x20) swprintf(escaped, 8, L"\\u%04x", static_cast<unsigned>(c));
    out += escaped;
  }
  return out + L"\"";
}

void CALLBACK MenuProbe(HWND, UINT, UINT_PTR, DWORD) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (GetGUIThreadInfo(GetCurrentThreadId(), &info) &&
      (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE))) {
    g_menuSeen = true;
  }
  EndMenu();
}

// Whether WM_SYSCOMMAND started a menu loop: a thread timer fires inside such a loop, notes it and
// ends it; without a loop the send returns first.
void SendSysCommand(HWND window, WPARAM wParam, LPARAM lParam) {
  g_menuSeen = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, 300, MenuProbe);
  SendMessageW(window, WM_SYSCOMMAND, wParam, lParam);
  KillTimer(nullptr, timer);
  Log("syscommand", {{"wParam", Hex(static_cast<std::uint32_t>(wParam))},
                     {"lParam", Hex(static_cast<std::uint32_t>(lParam))},
                     {"menu", g_menuSeen ? "1" : "0"}});
}

// Logs the references left on the environment and the web view once the handlers have returned.
void RaiseWebMessage(FakeWebView* view, const std::string& source, const std::wstring& json,
                     std::optional<std::wstring> text) {
  auto args = New<FakeWebMessageArgs>(Wide(source), json, text);
  const std::string handlers = RAISE(view, WebMessageReceived, args.get());
  Log("web-message-done", {{"handlers", handlers}, {"refs", Refs({State().environment, view})}});
}

// Steps start with the first navigation: the environment, controller and web view exist.
void RunStep(RuntimeState& s, const Step& step) {
  const std::string& verb = step.verb;
  const std::string& rest = step.rest;
  const std::size_t space = rest.find(' ');
  const std::string first = rest.substr(0, space);
  const std::string second = space == std::string::npos ? "" : rest.substr(space + 1);
  const int number = std::atoi(first.c_str());
  FakeWebView* view = s.webView;
  if (verb == "state") {
    LogWindowState(s.parentWindow, rest);
  } else if (verb == "syscommand") {
    SendSysCommand(s.parentWindow, std::strtoull(first.c_str(), nullptr, 0),
                   std::strtoll(second.c_str(), nullptr, 0));
  } else if (verb == "end-session") {
    // A logoff as the main window sees it: the question, then (unless "asked") the decision, a no
    // when "cancelled"; "closeapp" is Restart Manager closing this app alone.
    const LPARAM kind = rest == "closeapp" ? ENDSESSION_CLOSEAPP : ENDSESSION_LOGOFF;
    const LRESULT query = SendMessageW(s.parentWindow, WM_QUERYENDSESSION, 0, kind);
    if (rest != "asked") SendMessageW(s.parentWindow, WM_ENDSESSION, rest != "cancelled", kind);
    Log("end-session", {{"how", rest.empty() ? "ended" : rest}, {"query", std::to_string(query)}});
  } else if (verb == "browser-exited") {
    s.environment->RaiseBrowserExited(rest == "normal"
                                          ? COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND_NORMAL
                                          : COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND_FAILED);
  } else if (verb == "title") {
    view->Set("DocumentTitle", Wide(rest));
    RAISE(view, DocumentTitleChanged, nullptr);
  } else if (verb == "fullscreen") {
    view->Set("ContainsFullScreenElement", rest == "1");
    RAISE(view, ContainsFullScreenElementChanged, nullptr);
  } else if (verb == "request" || verb == "request-held") {
    view->RaiseResourceRequest(Wide(first),
                               second.empty() ? std::nullopt : std::optional(Wide(second)),
                               verb == "request-held");
  } else if (verb == "navigation") {
    view->NavigateDocument(Wide(rest));
  } else if (verb == "new-window" || verb == "script-window") {
    auto args = New<Object<NewWindowArgsStub>>();
    args->Set("Uri", Wide(rest)).Set("Handled", FALSE).Set("IsUserInitiated", verb == "new-window");
    RAISE(view, NewWindowRequested, args.get());
    Log("new-window", {{"uri", rest}, {"handled", args->Prop("Handled").number ? "1" : "0"}});
  } else if (verb == "permission") {
    auto args = New<Object<PermissionArgsStub>>();
    args->Set("Uri", Wide(second)).Set("PermissionKind", number).Set("State", 0);
    RAISE(view, PermissionRequested, args.get());
    const Value& state = args->Prop("State");
    Log("permission", {{"uri", second},
                       {"kind", std::to_string(number)},
                       {"state", state.puts ? std::to_string(state.number) : "unset"}});
  } else if (verb == "key") {
    auto args = New<Object<AcceleratorKeyArgsStub>>();
    args->Set("KeyEventKind", second == "up").Set("VirtualKey", number).Set("Handled", FALSE);
    RAISE(s.controller, AcceleratorKeyPressed, args.get());
    Log("accelerator-key", {{"handled", args->Prop("Handled").number ? "1" : "0"}});
  } else if (verb == "message-string") {
    RaiseWebMessage(view, first, JsonQuote(Wide(second)), Wide(second));
  } else if (verb == "message-json") {
    RaiseWebMessage(view, first, Wide(second), std::nullopt);
  } else if (verb == "process-failed") {
    auto args = New<Object<ProcessFailedArgsStub>>();
    args->Set("ProcessFailedKind", number);
    RAISE(view, ProcessFailed, args.get());
  } else if (verb == "close") {
    Log("close-requested", {{"liveHandles", std::to_string(g_liveHandles)}});
    Log("close-requested-done", {{"handlers", RAISE(view, WindowCloseRequested, nullptr)}});
    LogWindowState(s.parentWindow, "after-close-request");
  } else if (verb == "dom-content-loaded") {
    view->RaiseDomContentLoaded();
  }
}

void ScheduleNextStep() {
  const std::vector<Step>& steps = State().scenario.steps;
  if (g_nextStep >= steps.size()) return;
  const Step step = steps[g_nextStep++];
  Schedule([step] {
    Log("step", {{"line", std::to_string(step.line)}});
    if (step.verb == "wait") {  // the timer schedules the next step
      SetTimer(g_window, kWaitTimer, std::strtoul(step.rest.c_str(), nullptr, 10), nullptr);
      return;
    }
    RunStep(State(), step);
    ScheduleNextStep();
  });
}

void RunQueued() {
  // A handler may run a nested message loop (a message box); the next action waits until the
  // current one has returned, as the runtime raises one event at a time.
  if (g_running || g_queue.empty()) return;
  g_running = true;
  std::function<void()> action = std::move(g_queue.front());
  g_queue.pop_front();
  action();
  g_running = false;
  if (!g_queue.empty()) PostMessageW(g_window, kRunQueued, 0, 0);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunQueued) {
    RunQueued();
  } else if (message == WM_TIMER && wParam == kWaitTimer) {
    KillTimer(window, kWaitTimer);
    ScheduleNextStep();
  } else {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return 0;
}

const std::set<std::string_view> kSteps = {
    "state",        "wait",           "title",          "fullscreen",    "request",
    "request-held", "navigation",     "new-window",     "script-window", "permission",
    "key",          "message-string", "message-json",   "close",         "dom-content-loaded",
    "syscommand",   "process-failed", "browser-exited", "end-session"};

// \n \t \r and \\ are escapes; a backslash before anything else stands for that.
std::string Unescape(std::string_view text) {
  static constexpr std::string_view kCodes = "ntr", kChars = "\n\t\r";
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const std::size_t code = kCodes.find(text[++i]);
    out += code == std::string_view::npos ? text[i] : kChars[code];
  }
  return out;
}

}  // namespace

void Schedule(std::function<void()> action) {
  if (!g_window) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = State().module;
    windowClass.lpszClassName = L"CorvaneTestRuntimePlayer";
    RegisterClassW(&windowClass);
    g_window = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                               nullptr, State().module, nullptr);
  }
  g_queue.push_back(std::move(action));
  PostMessageW(g_window, kRunQueued, 0, 0);
}

void StartScript() {
  if (g_nextStep == 0) ScheduleNextStep();
}

Scenario LoadScenario(const std::wstring& path) {
  static const std::set<std::string_view> kFlags = {"no-settings3", "no-environment14",
                                                    "no-webview23", "no-source-kinds",
                                                    "browser-exits-creating-controller"};
  static const std::set<std::string_view> kNumbered = {
      "environment-result", "environment-error", "controller-result", "controller-error",
      "navigate-result",    "navigation-fails",  "timer-scale"};
  Scenario scenario;
  bool runtimeGiven = false;
  std::ifstream in(path.c_str(), std::ios::binary);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream words(line);
    std::string verb, rest, first;
    words >> verb;
    if (verb.empty()) continue;
    std::getline(words >> std::ws, rest);
    std::istringstream(rest) >> first;
    if (kSteps.contains(verb)) {
      scenario.steps.push_back({number, verb, Unescape(rest)});
    } else if (kFlags.contains(verb)) {
      scenario.flags.insert(verb);
    } else if (kNumbered.contains(verb)) {
      scenario.numbers[verb] = std::strtoll(first.c_str(), nullptr, 0);
    } else if (verb == "runtime" && !first.empty()) {
      runtimeGiven = true;
      const std::size_t at = rest.find(" when-exists ");  // the path may hold spaces
      scenario.runtimes.push_back(
          {first == "-" ? L"" : Wide(Unescape(first)),
           at == std::string::npos ? L"" : Wide(Unescape(rest.substr(at + 13)))});
    } else if (verb == "no-runtime") {
      runtimeGiven = true;
      scenario.runtimes.clear();
    } else if (verb == "handle-refused") {
      scenario.refusedHandle = Wide(first);
    } else {
      Log("scenario-error", {{"line", std::to_string(number)}, {"text", line}});
    }
  }
  if (!runtimeGiven) scenario.runtimes.push_back({});  // the installed one
  return scenario;
}

}  // namespace corvane::test_runtime
