// Turns the created controller into the app's web view: settings, bounds, handlers, filter and
// the start page.

#include "base/text_win.h"
#include "content/url_policy.h"
#include "webview2/lumo_webview_win.h"
#include "webview2/start_failure.h"
#include "webview2/webview_handlers_win.h"

namespace corvane {

void LumoWebView::OnControllerCreated(unsigned generation, HRESULT errorCode,
                                      ICoreWebView2Controller* createdController) {
  if (failed_) return;
  if (generation != engineGeneration_) {
    // Its browser exited while it was being made: the next start is already under way.
    if (createdController) createdController->Close();
    return;
  }
  if (!createdController) {
    ReportStartFailure(FAILED(errorCode) ? errorCode : E_FAIL);
    return;
  }
  controller = createdController;
  const HRESULT viewResult = controller->get_CoreWebView2(webView.Put());
  if (!webView) {
    ReportStartFailure(FAILED(viewResult) ? viewResult : E_FAIL);
    return;
  }
  // Without the second interface DOMContentLoaded cannot be heard and the window would never
  // be shown, so this is a failure to start as well.
  const HRESULT view2Result = QueryAs(webView.get(), webView2.Put());
  if (!webView2) {
    ReportStartFailure(FAILED(view2Result) ? view2Result : E_NOINTERFACE);
    return;
  }
  ConfigureWebView();
}

void LumoWebView::ConfigureWebView() {
  ComRef<ICoreWebView2Settings> settings;
  webView->get_Settings(settings.Put());
  if (settings) {
    settings->put_IsScriptEnabled(TRUE);
    settings->put_AreHostObjectsAllowed(FALSE);
    settings->put_AreDefaultScriptDialogsEnabled(TRUE);
    settings->put_IsWebMessageEnabled(TRUE);
    settings->put_IsZoomControlEnabled(FALSE);
    settings->put_AreDefaultContextMenusEnabled(TRUE);
    settings->put_AreDevToolsEnabled(config.enableDevtools ? TRUE : FALSE);

    // Older runtimes lack the third level: their accelerator keys stay on and F12 is theirs.
    ComRef<ICoreWebView2Settings3> settings3;
    QueryAs(settings.get(), settings3.Put());
    if (settings3) {
      settings3->put_AreBrowserAcceleratorKeysEnabled(FALSE);
      EventRegistrationToken token{};
      controller->add_AcceleratorKeyPressed(AcceleratorKeyPressedHandler::Create(this).get(),
                                            &token);
    }
  }

  RECT bounds{};
  GetClientRect(window, &bounds);
  // Made again while the window is an icon, which has no client area: hidden, at the last size
  // the page had, until the window is restored.
  if (minimized_) {
    bounds = lastBounds_;
    controller->put_IsVisible(FALSE);
  } else {
    lastBounds_ = bounds;
  }
  controller->put_Bounds(bounds);

  // Registration tokens are not kept: no handler is ever removed.
  EventRegistrationToken token{};
  webView->add_DocumentTitleChanged(DocumentTitleChangedHandler::Create(this).get(), &token);
  if (config.contentMode == ContentMode::Bundle) {
    // The plain filter sees documents' requests alone: shared and service workers' requests for
    // the app's origin would go to the network, where its name is this machine. Runtimes that
    // can name the sources take all of them.
    const std::wstring filter = ToWide(ResourceFilterFor(baseUrl));
    ComRef<ICoreWebView2_22> webView22;
    QueryAs(webView.get(), webView22.Put());
    if (!webView22 || FAILED(webView22->AddWebResourceRequestedFilterWithRequestSourceKinds(
                          filter.c_str(), COREWEBVIEW2_WEB_RESOURCE_CONTEXT_ALL,
                          COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS_ALL))) {
      webView->AddWebResourceRequestedFilter(filter.c_str(), COREWEBVIEW2_WEB_RESOURCE_CONTEXT_ALL);
    }
    webView->add_WebResourceRequested(WebResourceRequestedHandler::Create(this).get(), &token);
    webView->add_NavigationStarting(NavigationStartingHandler::Create(this).get(), &token);
  }
  webView->add_PermissionRequested(PermissionRequestedHandler::Create(this).get(), &token);
  webView->add_ContainsFullScreenElementChanged(FullScreenElementChangedHandler::Create(this).get(),
                                                &token);
  webView->add_WindowCloseRequested(WindowCloseRequestedHandler::Create(this).get(), &token);
  webView->add_NewWindowRequested(NewWindowRequestedHandler::Create(this).get(), &token);
  webView->add_WebMessageReceived(WebMessageReceivedHandler::Create(this).get(), &token);
  webView2->add_DOMContentLoaded(DomContentLoadedHandler::Create(this).get(), &token);
  webView->add_NavigationCompleted(NavigationCompletedHandler::Create(this).get(), &token);
  webView->add_ProcessFailed(ProcessFailedHandler::Create(this).get(), &token);

  // A refused start page would leave the window hidden for good.
  const HRESULT navigateResult = webView->Navigate(ToWide(StartUrlFor(config, baseUrl)).c_str());
  if (FAILED(navigateResult)) ReportFailure(StartPageFailureMessage(std::uint32_t(navigateResult)));
}

}  // namespace corvane
