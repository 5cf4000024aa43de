// Keeps the web view running when a process of the engine fails: the Windows side of
// RecoveryPolicy. Anything that replaces the web view or opens a dialog runs from a timer on the
// main window, never inside the runtime's event handler.

#include "base/text_win.h"
#include "bridge/extension_manager.h"
#include "webview2/lumo_webview_win.h"
#include "webview2/start_failure.h"

namespace corvane {

namespace {

// How often a deferred action looks again whether the session's end was decided.
constexpr UINT kSessionAnswerWaitMs = 250;

std::int64_t NowMs() { return std::int64_t(GetTickCount64()); }

EngineFailure FailureOf(COREWEBVIEW2_PROCESS_FAILED_KIND kind) {
  switch (kind) {
    case COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED:
      return EngineFailure::BrowserExited;
    case COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_EXITED:
      return EngineFailure::RendererExited;
    case COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_UNRESPONSIVE:
      return EngineFailure::RendererUnresponsive;
    default:
      return EngineFailure::Other;
  }
}

}  // namespace

void LumoWebView::OnProcessFailed(ICoreWebView2* sender, COREWEBVIEW2_PROCESS_FAILED_KIND kind) {
  // Reports of a web view already replaced (the browser exit is also reported by the
  // environment, in no fixed order) are spent.
  if (failed_ || sessionEnding_ || !webView || sender != webView.get()) return;
  switch (recovery_.OnFailure(FailureOf(kind), NowMs())) {
    case RecoveryAction::Recreate:
      Recreate();
      break;
    case RecoveryAction::Reload:
      // The dead page cannot receive anything: queue extension messages until it asks again.
      if (extensionManager) extensionManager->pageReady = false;
      KillTimer(window, kAskTimer);
      webView->Reload();
      break;
    case RecoveryAction::GiveUp:
      Defer(kGiveUpTimer, 0);
      break;
    case RecoveryAction::WatchUnresponsive:
      ScheduleUnresponsiveQuestion();
      break;
    case RecoveryAction::None:
      break;
  }
}

void LumoWebView::OnBrowserProcessExited(ICoreWebView2Environment* sender,
                                         COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND kind) {
  if (failed_ || sessionEnding_ || !environment || sender != environment.get()) return;
  if (kind != COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND_FAILED) return;
  switch (recovery_.OnFailure(EngineFailure::BrowserExited, NowMs())) {
    case RecoveryAction::Recreate:
      Recreate();
      break;
    default:
      Defer(kGiveUpTimer, 0);
      break;
  }
}

// Drops every reference to the dead engine at once, so the second report of the same exit finds
// no current sender and is ignored; the new chain starts from the message loop.
void LumoWebView::Recreate() {
  restarted_ = true;
  ++engineGeneration_;
  pageShown_ = false;
  KillTimer(window, kAskTimer);
  if (extensionManager) extensionManager->pageReady = false;
  if (controller) controller->Close();
  // A page element's fullscreen ended with its browser, which can no longer say so: the new page
  // finds the window as a fresh start leaves it.
  SetFullscreen(false);
  webView2.Reset();
  webView.Reset();
  controller.Reset();
  environment.Reset();
  Defer(kRecreateTimer, 0);
}

void LumoWebView::Defer(UINT_PTR timerId, UINT delayMs) {
  SetTimer(window, timerId, delayMs, &LumoWebView::OnTimer);
}

void LumoWebView::ScheduleUnresponsiveQuestion() {
  const std::optional<std::int64_t> askAt = recovery_.NextAskAt();
  if (!askAt) return;
  const std::int64_t delay = *askAt - NowMs();
  Defer(kAskTimer, delay > 0 ? UINT(delay) : 0);
}

void LumoWebView::AskToReload() {
  if (failed_ || asking_ || !webView || !recovery_.ShouldAskNow(NowMs())) return;
  asking_ = true;
  const int answer = MessageBoxW(window, ToWide(kNotRespondingQuestion).c_str(),
                                 ToWide(config.title).c_str(), MB_YESNO | MB_ICONWARNING);
  asking_ = false;
  // The page may have come back, or the engine gone, while the question was open.
  if (failed_ || !webView || !recovery_.NextAskAt()) return;
  if (answer == IDYES) {
    recovery_.EndUnresponsiveEpisode();
    if (extensionManager) extensionManager->pageReady = false;
    webView->Reload();
  } else {
    recovery_.KeepWaiting(NowMs());
    ScheduleUnresponsiveQuestion();
  }
}

void CALLBACK LumoWebView::OnTimer(HWND timerWindow, UINT, UINT_PTR timerId, DWORD) {
  KillTimer(timerWindow, timerId);
  auto* host = reinterpret_cast<LumoWebView*>(GetWindowLongPtrW(timerWindow, GWLP_USERDATA));
  if (!host || host->failed_ || host->sessionEnding_) return;
  if (host->sessionEndAsked_) {
    host->Defer(timerId, kSessionAnswerWaitMs);
    return;
  }
  if (timerId == kRecreateTimer) {
    host->Init();
  } else if (timerId == kGiveUpTimer) {
    host->ReportFailure(kRestartFailureMessage);
  } else if (timerId == kAskTimer) {
    host->AskToReload();
  }
}

}  // namespace corvane
