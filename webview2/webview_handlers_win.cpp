#include "webview2/webview_handlers_win.h"

#include <shellapi.h>

#include "base/text_win.h"
#include "content/url_policy.h"
#include "webview2/lumo_webview_win.h"

namespace corvane {

HRESULT EnvironmentCompletedHandler::Invoke(HRESULT errorCode, ICoreWebView2Environment* result) {
  return NoExceptions([&] {
    host_->OnEnvironmentCreated(errorCode, result);
    return S_OK;
  });
}

HRESULT ControllerCompletedHandler::Invoke(HRESULT errorCode, ICoreWebView2Controller* result) {
  return NoExceptions([&] {
    host_->OnControllerCreated(generation_, errorCode, result);
    return S_OK;
  });
}

// Every document that reaches DOMContentLoaded shows the window and gives the page the focus;
// until the first one the window stays hidden.
HRESULT DomContentLoadedHandler::Invoke(ICoreWebView2*, ICoreWebView2DOMContentLoadedEventArgs*) {
  return NoExceptions([&] {
    host_->ShowPage();
    return S_OK;
  });
}

// Whether it succeeded or not does not matter: a failed start page shows the runtime's error page,
// which the user must see rather than a window that never appears.
HRESULT NavigationCompletedHandler::Invoke(ICoreWebView2* sender,
                                           ICoreWebView2NavigationCompletedEventArgs*) {
  return NoExceptions([&] {
    host_->OnNavigationCompleted(sender);
    return S_OK;
  });
}

HRESULT ProcessFailedHandler::Invoke(ICoreWebView2* sender,
                                     ICoreWebView2ProcessFailedEventArgs* args) {
  return NoExceptions([&] {
    COREWEBVIEW2_PROCESS_FAILED_KIND kind{};
    if (args && SUCCEEDED(args->get_ProcessFailedKind(&kind))) host_->OnProcessFailed(sender, kind);
    return S_OK;
  });
}

HRESULT BrowserProcessExitedHandler::Invoke(ICoreWebView2Environment* sender,
                                            ICoreWebView2BrowserProcessExitedEventArgs* args) {
  return NoExceptions([&] {
    COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND kind{};
    if (args && SUCCEEDED(args->get_BrowserProcessExitKind(&kind))) {
      host_->OnBrowserProcessExited(sender, kind);
    }
    return S_OK;
  });
}

// Only documents of the app may talk to the shell, and only in strings; anything else is dropped
// without a word.
HRESULT WebMessageReceivedHandler::Invoke(ICoreWebView2*,
                                          ICoreWebView2WebMessageReceivedEventArgs* args) {
  return NoExceptions([&] {
    CoTaskText source;
    args->get_Source(source.Put());
    if (!host_->IsAppUri(source.get())) return S_OK;
    CoTaskText message;
    if (FAILED(args->TryGetWebMessageAsString(message.Put())) || !message) return S_OK;
    host_->bridge.HandleWebMessage(ToUtf8(message.get()));
    return S_OK;
  });
}

// New windows never open inside the shell. Web and mail addresses go to the system's default
// handler; any other scheme (files, executables, custom protocol handlers) opens nothing.
HRESULT NewWindowRequestedHandler::Invoke(ICoreWebView2*,
                                          ICoreWebView2NewWindowRequestedEventArgs* args) {
  return NoExceptions([&] {
    CoTaskText uri;
    args->get_Uri(uri.Put());
    // Only what the user asked for: the web view has no popup blocker of its own, so a frame
    // could otherwise open the system's browser in a loop.
    BOOL userInitiated = FALSE;
    args->get_IsUserInitiated(&userInitiated);
    if (uri && userInitiated && MayOpenExternally(ToUtf8(uri.get()))) {
      ShellExecuteW(nullptr, L"open", uri.get(), nullptr, nullptr, SW_SHOWDEFAULT);
    }
    args->put_Handled(TRUE);
    return S_OK;
  });
}

// Sent, not posted: the window is destroyed before the handler returns, and the loop ends on
// the quit message its destruction posts.
HRESULT WindowCloseRequestedHandler::Invoke(ICoreWebView2*, IUnknown*) {
  return NoExceptions([&] {
    SendMessageW(host_->window, WM_CLOSE, 0, 0);
    return S_OK;
  });
}

HRESULT FullScreenElementChangedHandler::Invoke(ICoreWebView2* sender, IUnknown*) {
  return NoExceptions([&] {
    BOOL containsFullScreenElement = FALSE;
    if (sender && SUCCEEDED(sender->get_ContainsFullScreenElement(&containsFullScreenElement))) {
      host_->SetFullscreen(containsFullScreenElement != FALSE);
    }
    return S_OK;
  });
}

// The app's own pages get what they ask for without a prompt; every other origin (a third-party
// frame, a remote page the app navigated to) keeps the runtime's default handling.
HRESULT PermissionRequestedHandler::Invoke(ICoreWebView2*,
                                           ICoreWebView2PermissionRequestedEventArgs* args) {
  return NoExceptions([&] {
    CoTaskText uri;
    args->get_Uri(uri.Put());
    if (host_->IsAppUri(uri.get())) args->put_State(COREWEBVIEW2_PERMISSION_STATE_ALLOW);
    return S_OK;
  });
}

// The main window stays on the app's origin. A target the runtime cannot name is cancelled too.
HRESULT NavigationStartingHandler::Invoke(ICoreWebView2*,
                                          ICoreWebView2NavigationStartingEventArgs* args) {
  return NoExceptions([&] {
    CoTaskText uri;
    args->get_Uri(uri.Put());
    if (!host_->IsAppUri(uri.get())) args->put_Cancel(TRUE);
    return S_OK;
  });
}

HRESULT WebResourceRequestedHandler::Invoke(ICoreWebView2*,
                                            ICoreWebView2WebResourceRequestedEventArgs* args) {
  return NoExceptions([&] { return host_->HandleResourceRequest(args); });
}

HRESULT DocumentTitleChangedHandler::Invoke(ICoreWebView2* sender, IUnknown*) {
  return NoExceptions([&] {
    CoTaskText title;
    if (sender) sender->get_DocumentTitle(title.Put());
    if (title) SetWindowTextW(host_->window, title.get());
    return S_OK;
  });
}

// F12 opens the developer tools whatever the key event's kind; the browser's own accelerator
// keys are off, so nothing else would.
HRESULT AcceleratorKeyPressedHandler::Invoke(ICoreWebView2Controller*,
                                             ICoreWebView2AcceleratorKeyPressedEventArgs* args) {
  return NoExceptions([&] {
    UINT virtualKey = 0;
    if (FAILED(args->get_VirtualKey(&virtualKey))) return S_OK;
    if (host_->config.enableDevtools && virtualKey == VK_F12 && host_->webView) {
      host_->webView->OpenDevToolsWindow();
    }
    return S_OK;
  });
}

}  // namespace corvane
