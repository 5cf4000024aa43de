// Plays the scenario on the UI thread: every action is posted to a message-only window, so the
// shell's handlers run from inside its own message loop, one at a time, as with the real runtime.

#include <cstdlib>

#include "tests/wine/runtime/objects.h"

namespace corvane::test_runtime {

namespace {

constexpr UINT kRunQueued = WM_APP + 1;
constexpr UINT_PTR kWaitTimer = 1;
const wchar_t kClassName[] = L"CorvaneTestRuntimePlayer";

std::wstring JsonQuote(const std::wstring& text) {
  std::wstring out = L"\"";
  for (wchar_t c : text) {
    if (c == L'"' || c == L'\\') {
      out += L'\\';
      out += c;
    } else if (c < 0x20) {
      wchar_t escaped[8];
      swprintf(escaped, 8, L"\\u%04x", static_cast<unsigned>(c));
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + L"\"";
}

// Splits "first rest of text" at the first space.
std::pair<std::string, std::string> SplitFirst(const std::string& text) {
  std::size_t space = text.find(' ');
  if (space == std::string::npos) return {text, ""};
  return {text.substr(0, space), text.substr(space + 1)};
}

// Set by the probe when a menu loop was running; the probe also ends that loop.
bool g_menuSeen = false;

void CALLBACK MenuProbe(HWND, UINT, UINT_PTR, DWORD) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (GetGUIThreadInfo(GetCurrentThreadId(), &info) &&
      (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE))) {
    g_menuSeen = true;
  }
  EndMenu();
}

// Sends WM_SYSCOMMAND to the main window and reports whether it started a menu loop: a thread
// timer fires inside such a loop, notes it and ends it; without a loop the send returns first.
void SendSysCommand(HWND window, const std::string& text) {
  char* end = nullptr;
  WPARAM wParam = static_cast<WPARAM>(std::strtoull(text.c_str(), &end, 0));
  LPARAM lParam = static_cast<LPARAM>(std::strtoll(end, nullptr, 0));
  g_menuSeen = false;
  UINT_PTR timer = SetTimer(nullptr, 0, 300, MenuProbe);
  LRESULT result = SendMessageW(window, WM_SYSCOMMAND, wParam, lParam);
  KillTimer(nullptr, timer);
  Log("syscommand", {{"wParam", Hex32(static_cast<std::uint32_t>(wParam))},
                     {"lParam", Hex32(static_cast<std::uint32_t>(lParam))},
                     {"result", std::to_string(result)},
                     {"menu", g_menuSeen ? "1" : "0"}});
}

COREWEBVIEW2_KEY_EVENT_KIND KeyKind(const std::string& name) {
  if (name == "up") return COREWEBVIEW2_KEY_EVENT_KIND_KEY_UP;
  if (name == "sysdown") return COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_DOWN;
  if (name == "sysup") return COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_UP;
  return COREWEBVIEW2_KEY_EVENT_KIND_KEY_DOWN;
}

}  // namespace

Player& Player::Get() {
  static auto* player = new Player;  // never destroyed: the process may end at any point
  return *player;
}

void Player::Attach() {
  if (window_) return;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = State().module;
  windowClass.lpszClassName = kClassName;
  RegisterClassW(&windowClass);
  window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            State().module, nullptr);
  if (!window_) Log("player-error", {{"what", "no message window"}});
}

void Player::Schedule(std::function<void()> action) {
  Attach();
  queue_.push_back(std::move(action));
  PostMessageW(window_, kRunQueued, 0, 0);
}

void Player::StartScript() {
  if (scriptStarted_) return;
  scriptStarted_ = true;
  Log("script-start", {{"steps", std::to_string(State().scenario.steps.size())}});
  ScheduleNextStep();
}

void Player::ScheduleNextStep() {
  const auto& steps = State().scenario.steps;
  if (nextStep_ >= steps.size()) {
    Log("script-end");
    return;
  }
  const Step step = steps[nextStep_++];
  Schedule([this, step] { RunStep(step); });
}

LRESULT CALLBACK Player::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Player& player = Get();
  if (message == kRunQueued) {
    player.RunQueued();
    return 0;
  }
  if (message == WM_TIMER && wParam == kWaitTimer) {
    KillTimer(window, kWaitTimer);
    player.ScheduleNextStep();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void Player::RunQueued() {
  // A handler may run a nested message loop (a message box); the next action waits until the
  // current one has returned, as the runtime raises one event at a time.
  if (running_ || queue_.empty()) return;
  running_ = true;
  std::function<void()> action = std::move(queue_.front());
  queue_.pop_front();
  action();
  running_ = false;
  if (!queue_.empty()) PostMessageW(window_, kRunQueued, 0, 0);
}

void Player::RunStep(const Step& step) {
  RuntimeState& state = State();
  Log("step", {{"line", std::to_string(step.line)}, {"verb", step.verb}, {"text", step.rest}});
  FakeWebView* webView = state.webView;
  if (step.verb == "wait") {
    SetTimer(window_, kWaitTimer, static_cast<UINT>(std::strtoul(step.rest.c_str(), nullptr, 10)),
             nullptr);
    return;  // the timer schedules the next step
  }
  if (step.verb == "state") {
    LogWindowState(state.parentWindow, step.rest);
  } else if (step.verb == "syscommand") {
    SendSysCommand(state.parentWindow, step.rest);
  } else if (step.verb == "browser-exited") {
    // Raised by the environment of the moment, even when the web view is already gone.
    if (state.environment) {
      state.environment->RaiseBrowserProcessExited(
          step.rest == "normal" ? COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND_NORMAL
                                : COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND_FAILED);
    }
  } else if (!webView) {
    Log("step-skipped", {{"line", std::to_string(step.line)}, {"why", "no web view"}});
  } else if (step.verb == "title") {
    webView->RaiseTitleChanged(Wide(step.rest));
  } else if (step.verb == "fullscreen") {
    webView->RaiseFullscreenChanged(step.rest == "1" || step.rest == "on");
  } else if (step.verb == "request") {
    webView->RaiseResourceRequest(Wide(step.rest), L"", false);
  } else if (step.verb == "request-range") {
    auto [uri, range] = SplitFirst(step.rest);
    webView->RaiseResourceRequest(Wide(uri), Wide(range), true);
  } else if (step.verb == "request-held") {
    auto [uri, range] = SplitFirst(step.rest);
    webView->RaiseResourceRequest(Wide(uri), Wide(range), !range.empty(), true);
  } else if (step.verb == "navigation") {
    webView->NavigateDocument(Wide(step.rest));
  } else if (step.verb == "new-window") {
    webView->RaiseNewWindow(Wide(step.rest));
  } else if (step.verb == "permission") {
    auto [kind, uri] = SplitFirst(step.rest);
    webView->RaisePermission(Wide(uri),
                             static_cast<COREWEBVIEW2_PERMISSION_KIND>(std::atoi(kind.c_str())));
  } else if (step.verb == "key") {
    auto [key, kind] = SplitFirst(step.rest);
    if (state.controller) {
      state.controller->RaiseAcceleratorKey(
          KeyKind(kind), static_cast<UINT>(std::strtoul(key.c_str(), nullptr, 0)));
    }
  } else if (step.verb == "message-string") {
    auto [source, text] = SplitFirst(step.rest);
    std::wstring wideText = Wide(text);
    webView->RaiseWebMessage(Wide(source), JsonQuote(wideText), wideText);
  } else if (step.verb == "message-json") {
    auto [source, json] = SplitFirst(step.rest);
    webView->RaiseWebMessage(Wide(source), Wide(json), std::nullopt);
  } else if (step.verb == "process-failed") {
    auto [kind, reason] = SplitFirst(step.rest);
    webView->RaiseProcessFailed(
        static_cast<COREWEBVIEW2_PROCESS_FAILED_KIND>(std::atoi(kind.c_str())),
        std::atoi(reason.c_str()));
  } else if (step.verb == "close") {
    webView->RaiseWindowCloseRequested();
  } else if (step.verb == "dom-content-loaded") {
    LogWindowState(state.parentWindow, "before-dom-content-loaded");
    webView->RaiseDomContentLoaded();
    LogWindowState(state.parentWindow, "after-dom-content-loaded");
  }
  ScheduleNextStep();
}

}  // namespace corvane::test_runtime
