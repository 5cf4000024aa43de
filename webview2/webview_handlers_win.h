#pragma once
// The completion and event handlers the shell registers with the runtime: one small COM object per
// event, holding nothing but a non-owning pointer to the host, which outlives every call because
// it is destroyed only after the message loop has ended.

#include "base/com_handler_win.h"
#include "base/com_ref_win.h"
#include "webview2/webview2_abi.h"

namespace corvane {

class LumoWebView;

template <class Derived, class Interface>
class HostHandler : public ComObject<Derived, Interface> {
 public:
  // A new handler with one reference owned by the caller.
  static ComRef<Interface> Create(LumoWebView* host) {
    return ComRef<Interface>::Adopt(new Derived(host));
  }
  explicit HostHandler(LumoWebView* host) : host_(host) {}

 protected:
  ~HostHandler() = default;
  LumoWebView* host_;
};

#define CORVANE_HOST_HANDLER(Name, Interface, ...)          \
  class Name final : public HostHandler<Name, Interface> {  \
   public:                                                  \
    using HostHandler::HostHandler;                         \
    HRESULT STDMETHODCALLTYPE Invoke(__VA_ARGS__) override; \
  }

CORVANE_HOST_HANDLER(EnvironmentCompletedHandler,
                     ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler, HRESULT errorCode,
                     ICoreWebView2Environment* result);

CORVANE_HOST_HANDLER(DomContentLoadedHandler, ICoreWebView2DOMContentLoadedEventHandler,
                     ICoreWebView2* sender, ICoreWebView2DOMContentLoadedEventArgs* args);
CORVANE_HOST_HANDLER(WebMessageReceivedHandler, ICoreWebView2WebMessageReceivedEventHandler,
                     ICoreWebView2* sender, ICoreWebView2WebMessageReceivedEventArgs* args);
CORVANE_HOST_HANDLER(NewWindowRequestedHandler, ICoreWebView2NewWindowRequestedEventHandler,
                     ICoreWebView2* sender, ICoreWebView2NewWindowRequestedEventArgs* args);
CORVANE_HOST_HANDLER(WindowCloseRequestedHandler, ICoreWebView2WindowCloseRequestedEventHandler,
                     ICoreWebView2* sender, IUnknown* args);
CORVANE_HOST_HANDLER(FullScreenElementChangedHandler,
                     ICoreWebView2ContainsFullScreenElementChangedEventHandler,
                     ICoreWebView2* sender, IUnknown* args);
CORVANE_HOST_HANDLER(PermissionRequestedHandler, ICoreWebView2PermissionRequestedEventHandler,
                     ICoreWebView2* sender, ICoreWebView2PermissionRequestedEventArgs* args);
CORVANE_HOST_HANDLER(NavigationStartingHandler, ICoreWebView2NavigationStartingEventHandler,
                     ICoreWebView2* sender, ICoreWebView2NavigationStartingEventArgs* args);
CORVANE_HOST_HANDLER(WebResourceRequestedHandler, ICoreWebView2WebResourceRequestedEventHandler,
                     ICoreWebView2* sender, ICoreWebView2WebResourceRequestedEventArgs* args);
CORVANE_HOST_HANDLER(DocumentTitleChangedHandler, ICoreWebView2DocumentTitleChangedEventHandler,
                     ICoreWebView2* sender, IUnknown* args);
CORVANE_HOST_HANDLER(AcceleratorKeyPressedHandler, ICoreWebView2AcceleratorKeyPressedEventHandler,
                     ICoreWebView2Controller* sender,
                     ICoreWebView2AcceleratorKeyPressedEventArgs* args);
CORVANE_HOST_HANDLER(NavigationCompletedHandler, ICoreWebView2NavigationCompletedEventHandler,
                     ICoreWebView2* sender, ICoreWebView2NavigationCompletedEventArgs* args);
CORVANE_HOST_HANDLER(ProcessFailedHandler, ICoreWebView2ProcessFailedEventHandler,
                     ICoreWebView2* sender, ICoreWebView2ProcessFailedEventArgs* args);
CORVANE_HOST_HANDLER(BrowserProcessExitedHandler, ICoreWebView2BrowserProcessExitedEventHandler,
                     ICoreWebView2Environment* sender,
                     ICoreWebView2BrowserProcessExitedEventArgs* args);

#undef CORVANE_HOST_HANDLER

// Carries the engine generation it was asked in: a creation that completes after that engine was
// given up (its browser exited meanwhile) belongs to no current start.
class ControllerCompletedHandler final
    : public HostHandler<ControllerCompletedHandler,
                         ICoreWebView2CreateCoreWebView2ControllerCompletedHandler> {
 public:
  static ComRef<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler> Create(
      LumoWebView* host, unsigned generation) {
    return ComRef<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler>::Adopt(
        new ControllerCompletedHandler(host, generation));
  }
  ControllerCompletedHandler(LumoWebView* host, unsigned generation)
      : HostHandler(host), generation_(generation) {}
  HRESULT STDMETHODCALLTYPE Invoke(HRESULT errorCode, ICoreWebView2Controller* result) override;

 private:
  unsigned generation_;
};

}  // namespace corvane
