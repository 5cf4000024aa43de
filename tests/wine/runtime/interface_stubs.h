#pragma once
// Base classes for the test runtime's objects: every method of each interface's whole chain
// answers E_NOTIMPL and logs an "unexpected-call" line, so a call the shell makes that the runtime
// does not model shows up in the log instead of crashing. Derived classes override what they
// model. Produced mechanically from webview/webview2_abi.h; keep them in step with it.

#include "webview2/webview2_abi.h"

namespace corvane::test_runtime {

// Logs the unexpected call and returns E_NOTIMPL (defined in event_log.cpp).
HRESULT UnexpectedCall(const char* method);

class EnvironmentStub : public ICoreWebView2Environment14 {
 public:
  HRESULT STDMETHODCALLTYPE CreateCoreWebView2Controller(
      HWND,
      ICoreWebView2CreateCoreWebView2ControllerCompletedHandler*) override {
    return UnexpectedCall(
        "ICoreWebView2Environment::CreateCoreWebView2Controller");
  }
  HRESULT STDMETHODCALLTYPE CreateWebResourceResponse(
      IStream*,
      int,
      LPCWSTR,
      LPCWSTR,
      ICoreWebView2WebResourceResponse**) override {
    return UnexpectedCall(
        "ICoreWebView2Environment::CreateWebResourceResponse");
  }
  HRESULT STDMETHODCALLTYPE get_BrowserVersionString(LPWSTR*) override {
    return UnexpectedCall("ICoreWebView2Environment::get_BrowserVersionString");
  }
  HRESULT STDMETHODCALLTYPE add_NewBrowserVersionAvailable(
      ICoreWebView2NewBrowserVersionAvailableEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2Environment::add_NewBrowserVersionAvailable");
  }
  HRESULT STDMETHODCALLTYPE remove_NewBrowserVersionAvailable(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2Environment::remove_NewBrowserVersionAvailable");
  }
  HRESULT STDMETHODCALLTYPE CreateWebResourceRequest(
      LPCWSTR,
      LPCWSTR,
      IStream*,
      LPCWSTR,
      ICoreWebView2WebResourceRequest**) override {
    return UnexpectedCall(
        "ICoreWebView2Environment2::CreateWebResourceRequest");
  }
  HRESULT STDMETHODCALLTYPE CreateCoreWebView2CompositionController(
      HWND,
      ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler*) override {
    return UnexpectedCall(
        "ICoreWebView2Environment3::CreateCoreWebView2CompositionController");
  }
  HRESULT STDMETHODCALLTYPE CreateCoreWebView2PointerInfo(ICoreWebView2PointerInfo**) override {
    return UnexpectedCall("ICoreWebView2Environment3::CreateCoreWebView2PointerInfo");
  }
  HRESULT STDMETHODCALLTYPE GetAutomationProviderForWindow(HWND, IUnknown**) override {
    return UnexpectedCall("ICoreWebView2Environment4::GetAutomationProviderForWindow");
  }
  HRESULT STDMETHODCALLTYPE add_BrowserProcessExited(
      ICoreWebView2BrowserProcessExitedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2Environment5::add_BrowserProcessExited");
  }
  HRESULT STDMETHODCALLTYPE remove_BrowserProcessExited(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2Environment5::remove_BrowserProcessExited");
  }
  HRESULT STDMETHODCALLTYPE CreatePrintSettings(ICoreWebView2PrintSettings**) override {
    return UnexpectedCall("ICoreWebView2Environment6::CreatePrintSettings");
  }
  HRESULT STDMETHODCALLTYPE get_UserDataFolder(LPWSTR*) override {
    return UnexpectedCall("ICoreWebView2Environment7::get_UserDataFolder");
  }
  HRESULT STDMETHODCALLTYPE add_ProcessInfosChanged(
      ICoreWebView2ProcessInfosChangedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2Environment8::add_ProcessInfosChanged");
  }
  HRESULT STDMETHODCALLTYPE remove_ProcessInfosChanged(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2Environment8::remove_ProcessInfosChanged");
  }
  HRESULT STDMETHODCALLTYPE GetProcessInfos(ICoreWebView2ProcessInfoCollection**) override {
    return UnexpectedCall("ICoreWebView2Environment8::GetProcessInfos");
  }
  HRESULT STDMETHODCALLTYPE CreateContextMenuItem(
      LPCWSTR,
      IStream*,
      COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND,
      ICoreWebView2ContextMenuItem**) override {
    return UnexpectedCall(
        "ICoreWebView2Environment9::CreateContextMenuItem");
  }
  HRESULT STDMETHODCALLTYPE CreateCoreWebView2ControllerOptions(
      ICoreWebView2ControllerOptions**) override {
    return UnexpectedCall(
        "ICoreWebView2Environment10::CreateCoreWebView2ControllerOptions");
  }
  HRESULT STDMETHODCALLTYPE CreateCoreWebView2ControllerWithOptions(
      HWND,
      ICoreWebView2ControllerOptions*,
      ICoreWebView2CreateCoreWebView2ControllerCompletedHandler*) override {
    return UnexpectedCall(
        "ICoreWebView2Environment10::CreateCoreWebView2ControllerWithOptions");
  }
  HRESULT STDMETHODCALLTYPE CreateCoreWebView2CompositionControllerWithOptions(
      HWND,
      ICoreWebView2ControllerOptions*,
      ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler*) override {
    return UnexpectedCall(
        "ICoreWebView2Environment10::CreateCoreWebView2CompositionControllerWithOptions");
  }
  HRESULT STDMETHODCALLTYPE get_FailureReportFolderPath(LPWSTR*) override {
    return UnexpectedCall("ICoreWebView2Environment11::get_FailureReportFolderPath");
  }
  HRESULT STDMETHODCALLTYPE CreateSharedBuffer(UINT64, ICoreWebView2SharedBuffer**) override {
    return UnexpectedCall("ICoreWebView2Environment12::CreateSharedBuffer");
  }
  HRESULT STDMETHODCALLTYPE GetProcessExtendedInfos(
      ICoreWebView2GetProcessExtendedInfosCompletedHandler*) override {
    return UnexpectedCall(
        "ICoreWebView2Environment13::GetProcessExtendedInfos");
  }
  HRESULT STDMETHODCALLTYPE CreateWebFileSystemFileHandle(
      LPCWSTR,
      COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION,
      ICoreWebView2FileSystemHandle**) override {
    return UnexpectedCall(
        "ICoreWebView2Environment14::CreateWebFileSystemFileHandle");
  }
  HRESULT STDMETHODCALLTYPE CreateWebFileSystemDirectoryHandle(
      LPCWSTR,
      COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION,
      ICoreWebView2FileSystemHandle**) override {
    return UnexpectedCall(
        "ICoreWebView2Environment14::CreateWebFileSystemDirectoryHandle");
  }
  HRESULT STDMETHODCALLTYPE CreateObjectCollection(
      UINT32,
      IUnknown**,
      ICoreWebView2ObjectCollection**) override {
    return UnexpectedCall(
        "ICoreWebView2Environment14::CreateObjectCollection");
  }

 protected:
  virtual ~EnvironmentStub() = default;
};

class WebViewStub : public ICoreWebView2_23 {
 public:
  HRESULT STDMETHODCALLTYPE get_Settings(ICoreWebView2Settings**) override {
    return UnexpectedCall("ICoreWebView2::get_Settings");
  }
  HRESULT STDMETHODCALLTYPE get_Source(LPWSTR*) override {
    return UnexpectedCall("ICoreWebView2::get_Source");
  }
  HRESULT STDMETHODCALLTYPE Navigate(LPCWSTR) override {
    return UnexpectedCall("ICoreWebView2::Navigate");
  }
  HRESULT STDMETHODCALLTYPE NavigateToString(LPCWSTR) override {
    return UnexpectedCall("ICoreWebView2::NavigateToString");
  }
  HRESULT STDMETHODCALLTYPE add_NavigationStarting(
      ICoreWebView2NavigationStartingEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2::add_NavigationStarting");
  }
  HRESULT STDMETHODCALLTYPE remove_NavigationStarting(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2::remove_NavigationStarting");
  }
  HRESULT STDMETHODCALLTYPE add_ContentLoading(
      ICoreWebView2ContentLoadingEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2::add_ContentLoading");
  }
  HRESULT STDMETHODCALLTYPE remove_ContentLoading(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2::remove_ContentLoading");
  }
  HRESULT STDMETHODCALLTYPE add_SourceChanged(
      ICoreWebView2SourceChangedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2::add_SourceChanged");
  }
  HRESULT STDMETHODCALLTYPE remove_SourceChanged(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2::remove_SourceChanged");
  }
  HRESULT STDMETHODCALLTYPE add_HistoryChanged(
      ICoreWebView2HistoryChangedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2::add_HistoryChanged");
  }
  HRESULT STDMETHODCALLTYPE remove_HistoryChanged(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2::remove_HistoryChanged");
  }
  HRESULT STDMETHODCALLTYPE add_NavigationCompleted(
      ICoreWebView2NavigationCompletedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2::add_NavigationCompleted");
  }
  HRESULT STDMETHODCALLTYPE remove_NavigationCompleted(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2::remove_NavigationCompleted");
  }
  HRESULT STDMETHODCALLTYPE add_FrameNavigationStarting(
      ICoreWebView2NavigationStartingEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2::add_FrameNavigationStarting");
  }
  HRESULT STDMETHODCALLTYPE remove_FrameNavigationStarting(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2::remove_FrameNavigationStarting");
  }
  HRESULT STDMETHODCALLTYPE add_FrameNavigationCompleted(
      ICoreWebView2NavigationCompletedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2::add_FrameNavigationCompleted");
  }
  HRESULT STDMETHODCALLTYPE remove_FrameNavigationCompleted(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2::remove_FrameNavigationCompleted");
  }
  HRESULT STDMETHODCALLTYPE add_ScriptDialogOpening(
      ICoreWebView2ScriptDialogOpeningEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2::add_ScriptDialogOpening");
  }
  HRESULT STDMETHODCALLTYPE remove_ScriptDialogOpening(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2::remove_ScriptDialogOpening");
  }
  HRESULT STDMETHODCALLTYPE add_PermissionRequested(
      ICoreWebView2PermissionRequestedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2::add_PermissionRequested");
  }
  HRESULT STDMETHODCALLTYPE remove_PermissionRequested(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2::remove_PermissionRequested");
  }
  HRESULT STDMETHODCALLTYPE add_ProcessFailed(
      ICoreWebView2ProcessFailedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2::add_ProcessFailed");
  }
  HRESULT STDMETHODCALLTYPE remove_ProcessFailed(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2::remove_ProcessFailed");
  }
  HRESULT STDMETHODCALLTYPE AddScriptToExecuteOnDocumentCreated(
      LPCWSTR,
      ICoreWebView2AddScriptToExecuteOnDocumentCreatedCompletedHandler*) override {
    return UnexpectedCall(
        "ICoreWebView2::AddScriptToExecuteOnDocumentCreated");
  }
  HRESULT STDMETHODCALLTYPE RemoveScriptToExecuteOnDocumentCreated(LPCWSTR) override {
    return UnexpectedCall("ICoreWebView2::RemoveScriptToExecuteOnDocumentCreated");
  }
  HRESULT STDMETHODCALLTYPE ExecuteScript(
      LPCWSTR,
      ICoreWebView2ExecuteScriptCompletedHandler*) override {
    return UnexpectedCall(
        "ICoreWebView2::ExecuteScript");
  }
  HRESULT STDMETHODCALLTYPE CapturePreview(
      COREWEBVIEW2_CAPTURE_PREVIEW_IMAGE_FORMAT,
      IStream*,
      ICoreWebView2CapturePreviewCompletedHandler*) override {
    return UnexpectedCall(
        "ICoreWebView2::CapturePreview");
  }
  HRESULT STDMETHODCALLTYPE Reload() override { return UnexpectedCall("ICoreWebView2::Reload"); }
  HRESULT STDMETHODCALLTYPE PostWebMessageAsJson(LPCWSTR) override {
    return UnexpectedCall("ICoreWebView2::PostWebMessageAsJson");
  }
  HRESULT STDMETHODCALLTYPE PostWebMessageAsString(LPCWSTR) override {
    return UnexpectedCall("ICoreWebView2::PostWebMessageAsString");
  }
  HRESULT STDMETHODCALLTYPE add_WebMessageReceived(
      ICoreWebView2WebMessageReceivedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2::add_WebMessageReceived");
  }
  HRESULT STDMETHODCALLTYPE remove_WebMessageReceived(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2::remove_WebMessageReceived");
  }
  HRESULT STDMETHODCALLTYPE CallDevToolsProtocolMethod(
      LPCWSTR,
      LPCWSTR,
      ICoreWebView2CallDevToolsProtocolMethodCompletedHandler*) override {
    return UnexpectedCall(
        "ICoreWebView2::CallDevToolsProtocolMethod");
  }
  HRESULT STDMETHODCALLTYPE get_BrowserProcessId(UINT32*) override {
    return UnexpectedCall("ICoreWebView2::get_BrowserProcessId");
  }
  HRESULT STDMETHODCALLTYPE get_CanGoBack(BOOL*) override {
    return UnexpectedCall("ICoreWebView2::get_CanGoBack");
  }
  HRESULT STDMETHODCALLTYPE get_CanGoForward(BOOL*) override {
    return UnexpectedCall("ICoreWebView2::get_CanGoForward");
  }
  HRESULT STDMETHODCALLTYPE GoBack() override { return UnexpectedCall("ICoreWebView2::GoBack"); }
  HRESULT STDMETHODCALLTYPE GoForward() override {
    return UnexpectedCall("ICoreWebView2::GoForward");
  }
  HRESULT STDMETHODCALLTYPE GetDevToolsProtocolEventReceiver(
      LPCWSTR,
      ICoreWebView2DevToolsProtocolEventReceiver**) override {
    return UnexpectedCall(
        "ICoreWebView2::GetDevToolsProtocolEventReceiver");
  }
  HRESULT STDMETHODCALLTYPE Stop() override { return UnexpectedCall("ICoreWebView2::Stop"); }
  HRESULT STDMETHODCALLTYPE add_NewWindowRequested(
      ICoreWebView2NewWindowRequestedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2::add_NewWindowRequested");
  }
  HRESULT STDMETHODCALLTYPE remove_NewWindowRequested(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2::remove_NewWindowRequested");
  }
  HRESULT STDMETHODCALLTYPE add_DocumentTitleChanged(
      ICoreWebView2DocumentTitleChangedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2::add_DocumentTitleChanged");
  }
  HRESULT STDMETHODCALLTYPE remove_DocumentTitleChanged(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2::remove_DocumentTitleChanged");
  }
  HRESULT STDMETHODCALLTYPE get_DocumentTitle(LPWSTR*) override {
    return UnexpectedCall("ICoreWebView2::get_DocumentTitle");
  }
  HRESULT STDMETHODCALLTYPE AddHostObjectToScript(LPCWSTR, VARIANT*) override {
    return UnexpectedCall("ICoreWebView2::AddHostObjectToScript");
  }
  HRESULT STDMETHODCALLTYPE RemoveHostObjectFromScript(LPCWSTR) override {
    return UnexpectedCall("ICoreWebView2::RemoveHostObjectFromScript");
  }
  HRESULT STDMETHODCALLTYPE OpenDevToolsWindow() override {
    return UnexpectedCall("ICoreWebView2::OpenDevToolsWindow");
  }
  HRESULT STDMETHODCALLTYPE add_ContainsFullScreenElementChanged(
      ICoreWebView2ContainsFullScreenElementChangedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2::add_ContainsFullScreenElementChanged");
  }
  HRESULT STDMETHODCALLTYPE remove_ContainsFullScreenElementChanged(
      EventRegistrationToken) override {
    return UnexpectedCall(
        "ICoreWebView2::remove_ContainsFullScreenElementChanged");
  }
  HRESULT STDMETHODCALLTYPE get_ContainsFullScreenElement(BOOL*) override {
    return UnexpectedCall("ICoreWebView2::get_ContainsFullScreenElement");
  }
  HRESULT STDMETHODCALLTYPE add_WebResourceRequested(
      ICoreWebView2WebResourceRequestedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2::add_WebResourceRequested");
  }
  HRESULT STDMETHODCALLTYPE remove_WebResourceRequested(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2::remove_WebResourceRequested");
  }
  HRESULT STDMETHODCALLTYPE AddWebResourceRequestedFilter(
      LPCWSTR,
      COREWEBVIEW2_WEB_RESOURCE_CONTEXT) override {
    return UnexpectedCall(
        "ICoreWebView2::AddWebResourceRequestedFilter");
  }
  HRESULT STDMETHODCALLTYPE RemoveWebResourceRequestedFilter(
      LPCWSTR,
      COREWEBVIEW2_WEB_RESOURCE_CONTEXT) override {
    return UnexpectedCall(
        "ICoreWebView2::RemoveWebResourceRequestedFilter");
  }
  HRESULT STDMETHODCALLTYPE add_WindowCloseRequested(
      ICoreWebView2WindowCloseRequestedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2::add_WindowCloseRequested");
  }
  HRESULT STDMETHODCALLTYPE remove_WindowCloseRequested(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2::remove_WindowCloseRequested");
  }
  HRESULT STDMETHODCALLTYPE add_WebResourceResponseReceived(
      ICoreWebView2WebResourceResponseReceivedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2_2::add_WebResourceResponseReceived");
  }
  HRESULT STDMETHODCALLTYPE remove_WebResourceResponseReceived(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2_2::remove_WebResourceResponseReceived");
  }
  HRESULT STDMETHODCALLTYPE NavigateWithWebResourceRequest(
      ICoreWebView2WebResourceRequest*) override {
    return UnexpectedCall(
        "ICoreWebView2_2::NavigateWithWebResourceRequest");
  }
  HRESULT STDMETHODCALLTYPE add_DOMContentLoaded(
      ICoreWebView2DOMContentLoadedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2_2::add_DOMContentLoaded");
  }
  HRESULT STDMETHODCALLTYPE remove_DOMContentLoaded(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2_2::remove_DOMContentLoaded");
  }
  HRESULT STDMETHODCALLTYPE get_CookieManager(ICoreWebView2CookieManager**) override {
    return UnexpectedCall("ICoreWebView2_2::get_CookieManager");
  }
  HRESULT STDMETHODCALLTYPE get_Environment(ICoreWebView2Environment**) override {
    return UnexpectedCall("ICoreWebView2_2::get_Environment");
  }
  HRESULT STDMETHODCALLTYPE TrySuspend(ICoreWebView2TrySuspendCompletedHandler*) override {
    return UnexpectedCall("ICoreWebView2_3::TrySuspend");
  }
  HRESULT STDMETHODCALLTYPE Resume() override { return UnexpectedCall("ICoreWebView2_3::Resume"); }
  HRESULT STDMETHODCALLTYPE get_IsSuspended(BOOL*) override {
    return UnexpectedCall("ICoreWebView2_3::get_IsSuspended");
  }
  HRESULT STDMETHODCALLTYPE SetVirtualHostNameToFolderMapping(
      LPCWSTR,
      LPCWSTR,
      COREWEBVIEW2_HOST_RESOURCE_ACCESS_KIND) override {
    return UnexpectedCall(
        "ICoreWebView2_3::SetVirtualHostNameToFolderMapping");
  }
  HRESULT STDMETHODCALLTYPE ClearVirtualHostNameToFolderMapping(LPCWSTR) override {
    return UnexpectedCall("ICoreWebView2_3::ClearVirtualHostNameToFolderMapping");
  }
  HRESULT STDMETHODCALLTYPE add_FrameCreated(
      ICoreWebView2FrameCreatedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2_4::add_FrameCreated");
  }
  HRESULT STDMETHODCALLTYPE remove_FrameCreated(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2_4::remove_FrameCreated");
  }
  HRESULT STDMETHODCALLTYPE add_DownloadStarting(
      ICoreWebView2DownloadStartingEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2_4::add_DownloadStarting");
  }
  HRESULT STDMETHODCALLTYPE remove_DownloadStarting(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2_4::remove_DownloadStarting");
  }
  HRESULT STDMETHODCALLTYPE add_ClientCertificateRequested(
      ICoreWebView2ClientCertificateRequestedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2_5::add_ClientCertificateRequested");
  }
  HRESULT STDMETHODCALLTYPE remove_ClientCertificateRequested(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2_5::remove_ClientCertificateRequested");
  }
  HRESULT STDMETHODCALLTYPE OpenTaskManagerWindow() override {
    return UnexpectedCall("ICoreWebView2_6::OpenTaskManagerWindow");
  }
  HRESULT STDMETHODCALLTYPE PrintToPdf(
      LPCWSTR,
      ICoreWebView2PrintSettings*,
      ICoreWebView2PrintToPdfCompletedHandler*) override {
    return UnexpectedCall(
        "ICoreWebView2_7::PrintToPdf");
  }
  HRESULT STDMETHODCALLTYPE add_IsMutedChanged(
      ICoreWebView2IsMutedChangedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2_8::add_IsMutedChanged");
  }
  HRESULT STDMETHODCALLTYPE remove_IsMutedChanged(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2_8::remove_IsMutedChanged");
  }
  HRESULT STDMETHODCALLTYPE get_IsMuted(BOOL*) override {
    return UnexpectedCall("ICoreWebView2_8::get_IsMuted");
  }
  HRESULT STDMETHODCALLTYPE put_IsMuted(BOOL) override {
    return UnexpectedCall("ICoreWebView2_8::put_IsMuted");
  }
  HRESULT STDMETHODCALLTYPE add_IsDocumentPlayingAudioChanged(
      ICoreWebView2IsDocumentPlayingAudioChangedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2_8::add_IsDocumentPlayingAudioChanged");
  }
  HRESULT STDMETHODCALLTYPE remove_IsDocumentPlayingAudioChanged(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2_8::remove_IsDocumentPlayingAudioChanged");
  }
  HRESULT STDMETHODCALLTYPE get_IsDocumentPlayingAudio(BOOL*) override {
    return UnexpectedCall("ICoreWebView2_8::get_IsDocumentPlayingAudio");
  }
  HRESULT STDMETHODCALLTYPE add_IsDefaultDownloadDialogOpenChanged(
      ICoreWebView2IsDefaultDownloadDialogOpenChangedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2_9::add_IsDefaultDownloadDialogOpenChanged");
  }
  HRESULT STDMETHODCALLTYPE remove_IsDefaultDownloadDialogOpenChanged(
      EventRegistrationToken) override {
    return UnexpectedCall(
        "ICoreWebView2_9::remove_IsDefaultDownloadDialogOpenChanged");
  }
  HRESULT STDMETHODCALLTYPE get_IsDefaultDownloadDialogOpen(BOOL*) override {
    return UnexpectedCall("ICoreWebView2_9::get_IsDefaultDownloadDialogOpen");
  }
  HRESULT STDMETHODCALLTYPE OpenDefaultDownloadDialog() override {
    return UnexpectedCall("ICoreWebView2_9::OpenDefaultDownloadDialog");
  }
  HRESULT STDMETHODCALLTYPE CloseDefaultDownloadDialog() override {
    return UnexpectedCall("ICoreWebView2_9::CloseDefaultDownloadDialog");
  }
  HRESULT STDMETHODCALLTYPE get_DefaultDownloadDialogCornerAlignment(
      COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT*) override {
    return UnexpectedCall(
        "ICoreWebView2_9::get_DefaultDownloadDialogCornerAlignment");
  }
  HRESULT STDMETHODCALLTYPE put_DefaultDownloadDialogCornerAlignment(
      COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT) override {
    return UnexpectedCall(
        "ICoreWebView2_9::put_DefaultDownloadDialogCornerAlignment");
  }
  HRESULT STDMETHODCALLTYPE get_DefaultDownloadDialogMargin(POINT*) override {
    return UnexpectedCall("ICoreWebView2_9::get_DefaultDownloadDialogMargin");
  }
  HRESULT STDMETHODCALLTYPE put_DefaultDownloadDialogMargin(POINT) override {
    return UnexpectedCall("ICoreWebView2_9::put_DefaultDownloadDialogMargin");
  }
  HRESULT STDMETHODCALLTYPE add_BasicAuthenticationRequested(
      ICoreWebView2BasicAuthenticationRequestedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2_10::add_BasicAuthenticationRequested");
  }
  HRESULT STDMETHODCALLTYPE remove_BasicAuthenticationRequested(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2_10::remove_BasicAuthenticationRequested");
  }
  HRESULT STDMETHODCALLTYPE CallDevToolsProtocolMethodForSession(
      LPCWSTR,
      LPCWSTR,
      LPCWSTR,
      ICoreWebView2CallDevToolsProtocolMethodCompletedHandler*) override {
    return UnexpectedCall(
        "ICoreWebView2_11::CallDevToolsProtocolMethodForSession");
  }
  HRESULT STDMETHODCALLTYPE add_ContextMenuRequested(
      ICoreWebView2ContextMenuRequestedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2_11::add_ContextMenuRequested");
  }
  HRESULT STDMETHODCALLTYPE remove_ContextMenuRequested(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2_11::remove_ContextMenuRequested");
  }
  HRESULT STDMETHODCALLTYPE add_StatusBarTextChanged(
      ICoreWebView2StatusBarTextChangedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2_12::add_StatusBarTextChanged");
  }
  HRESULT STDMETHODCALLTYPE remove_StatusBarTextChanged(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2_12::remove_StatusBarTextChanged");
  }
  HRESULT STDMETHODCALLTYPE get_StatusBarText(LPWSTR*) override {
    return UnexpectedCall("ICoreWebView2_12::get_StatusBarText");
  }
  HRESULT STDMETHODCALLTYPE get_Profile(ICoreWebView2Profile**) override {
    return UnexpectedCall("ICoreWebView2_13::get_Profile");
  }
  HRESULT STDMETHODCALLTYPE add_ServerCertificateErrorDetected(
      ICoreWebView2ServerCertificateErrorDetectedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2_14::add_ServerCertificateErrorDetected");
  }
  HRESULT STDMETHODCALLTYPE remove_ServerCertificateErrorDetected(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2_14::remove_ServerCertificateErrorDetected");
  }
  HRESULT STDMETHODCALLTYPE ClearServerCertificateErrorActions(
      ICoreWebView2ClearServerCertificateErrorActionsCompletedHandler*) override {
    return UnexpectedCall(
        "ICoreWebView2_14::ClearServerCertificateErrorActions");
  }
  HRESULT STDMETHODCALLTYPE add_FaviconChanged(
      ICoreWebView2FaviconChangedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2_15::add_FaviconChanged");
  }
  HRESULT STDMETHODCALLTYPE remove_FaviconChanged(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2_15::remove_FaviconChanged");
  }
  HRESULT STDMETHODCALLTYPE get_FaviconUri(LPWSTR*) override {
    return UnexpectedCall("ICoreWebView2_15::get_FaviconUri");
  }
  HRESULT STDMETHODCALLTYPE GetFavicon(
      COREWEBVIEW2_FAVICON_IMAGE_FORMAT,
      ICoreWebView2GetFaviconCompletedHandler*) override {
    return UnexpectedCall(
        "ICoreWebView2_15::GetFavicon");
  }
  HRESULT STDMETHODCALLTYPE Print(
      ICoreWebView2PrintSettings*,
      ICoreWebView2PrintCompletedHandler*) override {
    return UnexpectedCall(
        "ICoreWebView2_16::Print");
  }
  HRESULT STDMETHODCALLTYPE ShowPrintUI(COREWEBVIEW2_PRINT_DIALOG_KIND) override {
    return UnexpectedCall("ICoreWebView2_16::ShowPrintUI");
  }
  HRESULT STDMETHODCALLTYPE PrintToPdfStream(
      ICoreWebView2PrintSettings*,
      ICoreWebView2PrintToPdfStreamCompletedHandler*) override {
    return UnexpectedCall(
        "ICoreWebView2_16::PrintToPdfStream");
  }
  HRESULT STDMETHODCALLTYPE PostSharedBufferToScript(
      ICoreWebView2SharedBuffer*,
      COREWEBVIEW2_SHARED_BUFFER_ACCESS,
      LPCWSTR) override {
    return UnexpectedCall(
        "ICoreWebView2_17::PostSharedBufferToScript");
  }
  HRESULT STDMETHODCALLTYPE add_LaunchingExternalUriScheme(
      ICoreWebView2LaunchingExternalUriSchemeEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2_18::add_LaunchingExternalUriScheme");
  }
  HRESULT STDMETHODCALLTYPE remove_LaunchingExternalUriScheme(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2_18::remove_LaunchingExternalUriScheme");
  }
  HRESULT STDMETHODCALLTYPE get_MemoryUsageTargetLevel(
      COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL*) override {
    return UnexpectedCall(
        "ICoreWebView2_19::get_MemoryUsageTargetLevel");
  }
  HRESULT STDMETHODCALLTYPE put_MemoryUsageTargetLevel(
      COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL) override {
    return UnexpectedCall(
        "ICoreWebView2_19::put_MemoryUsageTargetLevel");
  }
  HRESULT STDMETHODCALLTYPE get_FrameId(UINT32*) override {
    return UnexpectedCall("ICoreWebView2_20::get_FrameId");
  }
  HRESULT STDMETHODCALLTYPE ExecuteScriptWithResult(
      LPCWSTR,
      ICoreWebView2ExecuteScriptWithResultCompletedHandler*) override {
    return UnexpectedCall(
        "ICoreWebView2_21::ExecuteScriptWithResult");
  }
  HRESULT STDMETHODCALLTYPE AddWebResourceRequestedFilterWithRequestSourceKinds(
      LPCWSTR,
      COREWEBVIEW2_WEB_RESOURCE_CONTEXT,
      COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS) override {
    return UnexpectedCall(
        "ICoreWebView2_22::AddWebResourceRequestedFilterWithRequestSourceKinds");
  }
  HRESULT STDMETHODCALLTYPE RemoveWebResourceRequestedFilterWithRequestSourceKinds(
      LPCWSTR,
      COREWEBVIEW2_WEB_RESOURCE_CONTEXT,
      COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS) override {
    return UnexpectedCall(
        "ICoreWebView2_22::RemoveWebResourceRequestedFilterWithRequestSourceKinds");
  }
  HRESULT STDMETHODCALLTYPE PostWebMessageAsJsonWithAdditionalObjects(
      LPCWSTR,
      ICoreWebView2ObjectCollectionView*) override {
    return UnexpectedCall(
        "ICoreWebView2_23::PostWebMessageAsJsonWithAdditionalObjects");
  }

 protected:
  virtual ~WebViewStub() = default;
};

class ControllerStub : public ICoreWebView2Controller {
 public:
  HRESULT STDMETHODCALLTYPE get_IsVisible(BOOL*) override {
    return UnexpectedCall("ICoreWebView2Controller::get_IsVisible");
  }
  HRESULT STDMETHODCALLTYPE put_IsVisible(BOOL) override {
    return UnexpectedCall("ICoreWebView2Controller::put_IsVisible");
  }
  HRESULT STDMETHODCALLTYPE get_Bounds(RECT*) override {
    return UnexpectedCall("ICoreWebView2Controller::get_Bounds");
  }
  HRESULT STDMETHODCALLTYPE put_Bounds(RECT) override {
    return UnexpectedCall("ICoreWebView2Controller::put_Bounds");
  }
  HRESULT STDMETHODCALLTYPE get_ZoomFactor(double*) override {
    return UnexpectedCall("ICoreWebView2Controller::get_ZoomFactor");
  }
  HRESULT STDMETHODCALLTYPE put_ZoomFactor(double) override {
    return UnexpectedCall("ICoreWebView2Controller::put_ZoomFactor");
  }
  HRESULT STDMETHODCALLTYPE add_ZoomFactorChanged(
      ICoreWebView2ZoomFactorChangedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2Controller::add_ZoomFactorChanged");
  }
  HRESULT STDMETHODCALLTYPE remove_ZoomFactorChanged(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2Controller::remove_ZoomFactorChanged");
  }
  HRESULT STDMETHODCALLTYPE SetBoundsAndZoomFactor(RECT, double) override {
    return UnexpectedCall("ICoreWebView2Controller::SetBoundsAndZoomFactor");
  }
  HRESULT STDMETHODCALLTYPE MoveFocus(COREWEBVIEW2_MOVE_FOCUS_REASON) override {
    return UnexpectedCall("ICoreWebView2Controller::MoveFocus");
  }
  HRESULT STDMETHODCALLTYPE add_MoveFocusRequested(
      ICoreWebView2MoveFocusRequestedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2Controller::add_MoveFocusRequested");
  }
  HRESULT STDMETHODCALLTYPE remove_MoveFocusRequested(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2Controller::remove_MoveFocusRequested");
  }
  HRESULT STDMETHODCALLTYPE add_GotFocus(
      ICoreWebView2FocusChangedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2Controller::add_GotFocus");
  }
  HRESULT STDMETHODCALLTYPE remove_GotFocus(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2Controller::remove_GotFocus");
  }
  HRESULT STDMETHODCALLTYPE add_LostFocus(
      ICoreWebView2FocusChangedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2Controller::add_LostFocus");
  }
  HRESULT STDMETHODCALLTYPE remove_LostFocus(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2Controller::remove_LostFocus");
  }
  HRESULT STDMETHODCALLTYPE add_AcceleratorKeyPressed(
      ICoreWebView2AcceleratorKeyPressedEventHandler*,
      EventRegistrationToken*) override {
    return UnexpectedCall(
        "ICoreWebView2Controller::add_AcceleratorKeyPressed");
  }
  HRESULT STDMETHODCALLTYPE remove_AcceleratorKeyPressed(EventRegistrationToken) override {
    return UnexpectedCall("ICoreWebView2Controller::remove_AcceleratorKeyPressed");
  }
  HRESULT STDMETHODCALLTYPE get_ParentWindow(HWND*) override {
    return UnexpectedCall("ICoreWebView2Controller::get_ParentWindow");
  }
  HRESULT STDMETHODCALLTYPE put_ParentWindow(HWND) override {
    return UnexpectedCall("ICoreWebView2Controller::put_ParentWindow");
  }
  HRESULT STDMETHODCALLTYPE NotifyParentWindowPositionChanged() override {
    return UnexpectedCall("ICoreWebView2Controller::NotifyParentWindowPositionChanged");
  }
  HRESULT STDMETHODCALLTYPE Close() override {
    return UnexpectedCall("ICoreWebView2Controller::Close");
  }
  HRESULT STDMETHODCALLTYPE get_CoreWebView2(ICoreWebView2**) override {
    return UnexpectedCall("ICoreWebView2Controller::get_CoreWebView2");
  }

 protected:
  virtual ~ControllerStub() = default;
};

class Settings3Stub : public ICoreWebView2Settings3 {
 public:
  HRESULT STDMETHODCALLTYPE get_IsScriptEnabled(BOOL*) override {
    return UnexpectedCall("ICoreWebView2Settings::get_IsScriptEnabled");
  }
  HRESULT STDMETHODCALLTYPE put_IsScriptEnabled(BOOL) override {
    return UnexpectedCall("ICoreWebView2Settings::put_IsScriptEnabled");
  }
  HRESULT STDMETHODCALLTYPE get_IsWebMessageEnabled(BOOL*) override {
    return UnexpectedCall("ICoreWebView2Settings::get_IsWebMessageEnabled");
  }
  HRESULT STDMETHODCALLTYPE put_IsWebMessageEnabled(BOOL) override {
    return UnexpectedCall("ICoreWebView2Settings::put_IsWebMessageEnabled");
  }
  HRESULT STDMETHODCALLTYPE get_AreDefaultScriptDialogsEnabled(BOOL*) override {
    return UnexpectedCall("ICoreWebView2Settings::get_AreDefaultScriptDialogsEnabled");
  }
  HRESULT STDMETHODCALLTYPE put_AreDefaultScriptDialogsEnabled(BOOL) override {
    return UnexpectedCall("ICoreWebView2Settings::put_AreDefaultScriptDialogsEnabled");
  }
  HRESULT STDMETHODCALLTYPE get_IsStatusBarEnabled(BOOL*) override {
    return UnexpectedCall("ICoreWebView2Settings::get_IsStatusBarEnabled");
  }
  HRESULT STDMETHODCALLTYPE put_IsStatusBarEnabled(BOOL) override {
    return UnexpectedCall("ICoreWebView2Settings::put_IsStatusBarEnabled");
  }
  HRESULT STDMETHODCALLTYPE get_AreDevToolsEnabled(BOOL*) override {
    return UnexpectedCall("ICoreWebView2Settings::get_AreDevToolsEnabled");
  }
  HRESULT STDMETHODCALLTYPE put_AreDevToolsEnabled(BOOL) override {
    return UnexpectedCall("ICoreWebView2Settings::put_AreDevToolsEnabled");
  }
  HRESULT STDMETHODCALLTYPE get_AreDefaultContextMenusEnabled(BOOL*) override {
    return UnexpectedCall("ICoreWebView2Settings::get_AreDefaultContextMenusEnabled");
  }
  HRESULT STDMETHODCALLTYPE put_AreDefaultContextMenusEnabled(BOOL) override {
    return UnexpectedCall("ICoreWebView2Settings::put_AreDefaultContextMenusEnabled");
  }
  HRESULT STDMETHODCALLTYPE get_AreHostObjectsAllowed(BOOL*) override {
    return UnexpectedCall("ICoreWebView2Settings::get_AreHostObjectsAllowed");
  }
  HRESULT STDMETHODCALLTYPE put_AreHostObjectsAllowed(BOOL) override {
    return UnexpectedCall("ICoreWebView2Settings::put_AreHostObjectsAllowed");
  }
  HRESULT STDMETHODCALLTYPE get_IsZoomControlEnabled(BOOL*) override {
    return UnexpectedCall("ICoreWebView2Settings::get_IsZoomControlEnabled");
  }
  HRESULT STDMETHODCALLTYPE put_IsZoomControlEnabled(BOOL) override {
    return UnexpectedCall("ICoreWebView2Settings::put_IsZoomControlEnabled");
  }
  HRESULT STDMETHODCALLTYPE get_IsBuiltInErrorPageEnabled(BOOL*) override {
    return UnexpectedCall("ICoreWebView2Settings::get_IsBuiltInErrorPageEnabled");
  }
  HRESULT STDMETHODCALLTYPE put_IsBuiltInErrorPageEnabled(BOOL) override {
    return UnexpectedCall("ICoreWebView2Settings::put_IsBuiltInErrorPageEnabled");
  }
  HRESULT STDMETHODCALLTYPE get_UserAgent(LPWSTR*) override {
    return UnexpectedCall("ICoreWebView2Settings2::get_UserAgent");
  }
  HRESULT STDMETHODCALLTYPE put_UserAgent(LPCWSTR) override {
    return UnexpectedCall("ICoreWebView2Settings2::put_UserAgent");
  }
  HRESULT STDMETHODCALLTYPE get_AreBrowserAcceleratorKeysEnabled(BOOL*) override {
    return UnexpectedCall("ICoreWebView2Settings3::get_AreBrowserAcceleratorKeysEnabled");
  }
  HRESULT STDMETHODCALLTYPE put_AreBrowserAcceleratorKeysEnabled(BOOL) override {
    return UnexpectedCall("ICoreWebView2Settings3::put_AreBrowserAcceleratorKeysEnabled");
  }

 protected:
  virtual ~Settings3Stub() = default;
};

class WebMessageReceivedEventArgs2Stub : public ICoreWebView2WebMessageReceivedEventArgs2 {
 public:
  HRESULT STDMETHODCALLTYPE get_Source(LPWSTR*) override {
    return UnexpectedCall("ICoreWebView2WebMessageReceivedEventArgs::get_Source");
  }
  HRESULT STDMETHODCALLTYPE get_WebMessageAsJson(LPWSTR*) override {
    return UnexpectedCall("ICoreWebView2WebMessageReceivedEventArgs::get_WebMessageAsJson");
  }
  HRESULT STDMETHODCALLTYPE TryGetWebMessageAsString(LPWSTR*) override {
    return UnexpectedCall("ICoreWebView2WebMessageReceivedEventArgs::TryGetWebMessageAsString");
  }
  HRESULT STDMETHODCALLTYPE get_AdditionalObjects(ICoreWebView2ObjectCollectionView**) override {
    return UnexpectedCall("ICoreWebView2WebMessageReceivedEventArgs2::get_AdditionalObjects");
  }

 protected:
  virtual ~WebMessageReceivedEventArgs2Stub() = default;
};

class NewWindowRequestedEventArgsStub : public ICoreWebView2NewWindowRequestedEventArgs {
 public:
  HRESULT STDMETHODCALLTYPE get_Uri(LPWSTR*) override {
    return UnexpectedCall("ICoreWebView2NewWindowRequestedEventArgs::get_Uri");
  }
  HRESULT STDMETHODCALLTYPE put_NewWindow(ICoreWebView2*) override {
    return UnexpectedCall("ICoreWebView2NewWindowRequestedEventArgs::put_NewWindow");
  }
  HRESULT STDMETHODCALLTYPE get_NewWindow(ICoreWebView2**) override {
    return UnexpectedCall("ICoreWebView2NewWindowRequestedEventArgs::get_NewWindow");
  }
  HRESULT STDMETHODCALLTYPE put_Handled(BOOL) override {
    return UnexpectedCall("ICoreWebView2NewWindowRequestedEventArgs::put_Handled");
  }
  HRESULT STDMETHODCALLTYPE get_Handled(BOOL*) override {
    return UnexpectedCall("ICoreWebView2NewWindowRequestedEventArgs::get_Handled");
  }
  HRESULT STDMETHODCALLTYPE get_IsUserInitiated(BOOL*) override {
    return UnexpectedCall("ICoreWebView2NewWindowRequestedEventArgs::get_IsUserInitiated");
  }
  HRESULT STDMETHODCALLTYPE GetDeferral(ICoreWebView2Deferral**) override {
    return UnexpectedCall("ICoreWebView2NewWindowRequestedEventArgs::GetDeferral");
  }
  HRESULT STDMETHODCALLTYPE get_WindowFeatures(ICoreWebView2WindowFeatures**) override {
    return UnexpectedCall("ICoreWebView2NewWindowRequestedEventArgs::get_WindowFeatures");
  }

 protected:
  virtual ~NewWindowRequestedEventArgsStub() = default;
};

class PermissionRequestedEventArgsStub : public ICoreWebView2PermissionRequestedEventArgs {
 public:
  HRESULT STDMETHODCALLTYPE get_Uri(LPWSTR*) override {
    return UnexpectedCall("ICoreWebView2PermissionRequestedEventArgs::get_Uri");
  }
  HRESULT STDMETHODCALLTYPE get_PermissionKind(COREWEBVIEW2_PERMISSION_KIND*) override {
    return UnexpectedCall("ICoreWebView2PermissionRequestedEventArgs::get_PermissionKind");
  }
  HRESULT STDMETHODCALLTYPE get_IsUserInitiated(BOOL*) override {
    return UnexpectedCall("ICoreWebView2PermissionRequestedEventArgs::get_IsUserInitiated");
  }
  HRESULT STDMETHODCALLTYPE get_State(COREWEBVIEW2_PERMISSION_STATE*) override {
    return UnexpectedCall("ICoreWebView2PermissionRequestedEventArgs::get_State");
  }
  HRESULT STDMETHODCALLTYPE put_State(COREWEBVIEW2_PERMISSION_STATE) override {
    return UnexpectedCall("ICoreWebView2PermissionRequestedEventArgs::put_State");
  }
  HRESULT STDMETHODCALLTYPE GetDeferral(ICoreWebView2Deferral**) override {
    return UnexpectedCall("ICoreWebView2PermissionRequestedEventArgs::GetDeferral");
  }

 protected:
  virtual ~PermissionRequestedEventArgsStub() = default;
};

class NavigationStartingEventArgsStub : public ICoreWebView2NavigationStartingEventArgs {
 public:
  HRESULT STDMETHODCALLTYPE get_Uri(LPWSTR*) override {
    return UnexpectedCall("ICoreWebView2NavigationStartingEventArgs::get_Uri");
  }
  HRESULT STDMETHODCALLTYPE get_IsUserInitiated(BOOL*) override {
    return UnexpectedCall("ICoreWebView2NavigationStartingEventArgs::get_IsUserInitiated");
  }
  HRESULT STDMETHODCALLTYPE get_IsRedirected(BOOL*) override {
    return UnexpectedCall("ICoreWebView2NavigationStartingEventArgs::get_IsRedirected");
  }
  HRESULT STDMETHODCALLTYPE get_RequestHeaders(ICoreWebView2HttpRequestHeaders**) override {
    return UnexpectedCall("ICoreWebView2NavigationStartingEventArgs::get_RequestHeaders");
  }
  HRESULT STDMETHODCALLTYPE get_Cancel(BOOL*) override {
    return UnexpectedCall("ICoreWebView2NavigationStartingEventArgs::get_Cancel");
  }
  HRESULT STDMETHODCALLTYPE put_Cancel(BOOL) override {
    return UnexpectedCall("ICoreWebView2NavigationStartingEventArgs::put_Cancel");
  }
  HRESULT STDMETHODCALLTYPE get_NavigationId(UINT64*) override {
    return UnexpectedCall("ICoreWebView2NavigationStartingEventArgs::get_NavigationId");
  }

 protected:
  virtual ~NavigationStartingEventArgsStub() = default;
};

class WebResourceRequestedEventArgsStub : public ICoreWebView2WebResourceRequestedEventArgs {
 public:
  HRESULT STDMETHODCALLTYPE get_Request(ICoreWebView2WebResourceRequest**) override {
    return UnexpectedCall("ICoreWebView2WebResourceRequestedEventArgs::get_Request");
  }
  HRESULT STDMETHODCALLTYPE get_Response(ICoreWebView2WebResourceResponse**) override {
    return UnexpectedCall("ICoreWebView2WebResourceRequestedEventArgs::get_Response");
  }
  HRESULT STDMETHODCALLTYPE put_Response(ICoreWebView2WebResourceResponse*) override {
    return UnexpectedCall("ICoreWebView2WebResourceRequestedEventArgs::put_Response");
  }
  HRESULT STDMETHODCALLTYPE GetDeferral(ICoreWebView2Deferral**) override {
    return UnexpectedCall("ICoreWebView2WebResourceRequestedEventArgs::GetDeferral");
  }
  HRESULT STDMETHODCALLTYPE get_ResourceContext(COREWEBVIEW2_WEB_RESOURCE_CONTEXT*) override {
    return UnexpectedCall("ICoreWebView2WebResourceRequestedEventArgs::get_ResourceContext");
  }

 protected:
  virtual ~WebResourceRequestedEventArgsStub() = default;
};

class AcceleratorKeyPressedEventArgsStub : public ICoreWebView2AcceleratorKeyPressedEventArgs {
 public:
  HRESULT STDMETHODCALLTYPE get_KeyEventKind(COREWEBVIEW2_KEY_EVENT_KIND*) override {
    return UnexpectedCall("ICoreWebView2AcceleratorKeyPressedEventArgs::get_KeyEventKind");
  }
  HRESULT STDMETHODCALLTYPE get_VirtualKey(UINT*) override {
    return UnexpectedCall("ICoreWebView2AcceleratorKeyPressedEventArgs::get_VirtualKey");
  }
  HRESULT STDMETHODCALLTYPE get_KeyEventLParam(INT*) override {
    return UnexpectedCall("ICoreWebView2AcceleratorKeyPressedEventArgs::get_KeyEventLParam");
  }
  HRESULT STDMETHODCALLTYPE get_PhysicalKeyStatus(COREWEBVIEW2_PHYSICAL_KEY_STATUS*) override {
    return UnexpectedCall("ICoreWebView2AcceleratorKeyPressedEventArgs::get_PhysicalKeyStatus");
  }
  HRESULT STDMETHODCALLTYPE get_Handled(BOOL*) override {
    return UnexpectedCall("ICoreWebView2AcceleratorKeyPressedEventArgs::get_Handled");
  }
  HRESULT STDMETHODCALLTYPE put_Handled(BOOL) override {
    return UnexpectedCall("ICoreWebView2AcceleratorKeyPressedEventArgs::put_Handled");
  }

 protected:
  virtual ~AcceleratorKeyPressedEventArgsStub() = default;
};

class DOMContentLoadedEventArgsStub : public ICoreWebView2DOMContentLoadedEventArgs {
 public:
  HRESULT STDMETHODCALLTYPE get_NavigationId(UINT64*) override {
    return UnexpectedCall("ICoreWebView2DOMContentLoadedEventArgs::get_NavigationId");
  }

 protected:
  virtual ~DOMContentLoadedEventArgsStub() = default;
};

class WebResourceRequestStub : public ICoreWebView2WebResourceRequest {
 public:
  HRESULT STDMETHODCALLTYPE get_Uri(LPWSTR*) override {
    return UnexpectedCall("ICoreWebView2WebResourceRequest::get_Uri");
  }
  HRESULT STDMETHODCALLTYPE put_Uri(LPCWSTR) override {
    return UnexpectedCall("ICoreWebView2WebResourceRequest::put_Uri");
  }
  HRESULT STDMETHODCALLTYPE get_Method(LPWSTR*) override {
    return UnexpectedCall("ICoreWebView2WebResourceRequest::get_Method");
  }
  HRESULT STDMETHODCALLTYPE put_Method(LPCWSTR) override {
    return UnexpectedCall("ICoreWebView2WebResourceRequest::put_Method");
  }
  HRESULT STDMETHODCALLTYPE get_Content(IStream**) override {
    return UnexpectedCall("ICoreWebView2WebResourceRequest::get_Content");
  }
  HRESULT STDMETHODCALLTYPE put_Content(IStream*) override {
    return UnexpectedCall("ICoreWebView2WebResourceRequest::put_Content");
  }
  HRESULT STDMETHODCALLTYPE get_Headers(ICoreWebView2HttpRequestHeaders**) override {
    return UnexpectedCall("ICoreWebView2WebResourceRequest::get_Headers");
  }

 protected:
  virtual ~WebResourceRequestStub() = default;
};

class HttpRequestHeadersStub : public ICoreWebView2HttpRequestHeaders {
 public:
  HRESULT STDMETHODCALLTYPE GetHeader(LPCWSTR, LPWSTR*) override {
    return UnexpectedCall("ICoreWebView2HttpRequestHeaders::GetHeader");
  }
  HRESULT STDMETHODCALLTYPE GetHeaders(
      LPCWSTR,
      ICoreWebView2HttpHeadersCollectionIterator**) override {
    return UnexpectedCall(
        "ICoreWebView2HttpRequestHeaders::GetHeaders");
  }
  HRESULT STDMETHODCALLTYPE Contains(LPCWSTR, BOOL*) override {
    return UnexpectedCall("ICoreWebView2HttpRequestHeaders::Contains");
  }
  HRESULT STDMETHODCALLTYPE SetHeader(LPCWSTR, LPCWSTR) override {
    return UnexpectedCall("ICoreWebView2HttpRequestHeaders::SetHeader");
  }
  HRESULT STDMETHODCALLTYPE RemoveHeader(LPCWSTR) override {
    return UnexpectedCall("ICoreWebView2HttpRequestHeaders::RemoveHeader");
  }
  HRESULT STDMETHODCALLTYPE GetIterator(ICoreWebView2HttpHeadersCollectionIterator**) override {
    return UnexpectedCall("ICoreWebView2HttpRequestHeaders::GetIterator");
  }

 protected:
  virtual ~HttpRequestHeadersStub() = default;
};

class HttpHeadersCollectionIteratorStub : public ICoreWebView2HttpHeadersCollectionIterator {
 public:
  HRESULT STDMETHODCALLTYPE GetCurrentHeader(LPWSTR*, LPWSTR*) override {
    return UnexpectedCall("ICoreWebView2HttpHeadersCollectionIterator::GetCurrentHeader");
  }
  HRESULT STDMETHODCALLTYPE get_HasCurrentHeader(BOOL*) override {
    return UnexpectedCall("ICoreWebView2HttpHeadersCollectionIterator::get_HasCurrentHeader");
  }
  HRESULT STDMETHODCALLTYPE MoveNext(BOOL*) override {
    return UnexpectedCall("ICoreWebView2HttpHeadersCollectionIterator::MoveNext");
  }

 protected:
  virtual ~HttpHeadersCollectionIteratorStub() = default;
};

class WebResourceResponseStub : public ICoreWebView2WebResourceResponse {
 public:
  HRESULT STDMETHODCALLTYPE get_Content(IStream**) override {
    return UnexpectedCall("ICoreWebView2WebResourceResponse::get_Content");
  }
  HRESULT STDMETHODCALLTYPE put_Content(IStream*) override {
    return UnexpectedCall("ICoreWebView2WebResourceResponse::put_Content");
  }
  HRESULT STDMETHODCALLTYPE get_Headers(ICoreWebView2HttpResponseHeaders**) override {
    return UnexpectedCall("ICoreWebView2WebResourceResponse::get_Headers");
  }
  HRESULT STDMETHODCALLTYPE get_StatusCode(int*) override {
    return UnexpectedCall("ICoreWebView2WebResourceResponse::get_StatusCode");
  }
  HRESULT STDMETHODCALLTYPE put_StatusCode(int) override {
    return UnexpectedCall("ICoreWebView2WebResourceResponse::put_StatusCode");
  }
  HRESULT STDMETHODCALLTYPE get_ReasonPhrase(LPWSTR*) override {
    return UnexpectedCall("ICoreWebView2WebResourceResponse::get_ReasonPhrase");
  }
  HRESULT STDMETHODCALLTYPE put_ReasonPhrase(LPCWSTR) override {
    return UnexpectedCall("ICoreWebView2WebResourceResponse::put_ReasonPhrase");
  }

 protected:
  virtual ~WebResourceResponseStub() = default;
};

class HttpResponseHeadersStub : public ICoreWebView2HttpResponseHeaders {
 public:
  HRESULT STDMETHODCALLTYPE AppendHeader(LPCWSTR, LPCWSTR) override {
    return UnexpectedCall("ICoreWebView2HttpResponseHeaders::AppendHeader");
  }
  HRESULT STDMETHODCALLTYPE Contains(LPCWSTR, BOOL*) override {
    return UnexpectedCall("ICoreWebView2HttpResponseHeaders::Contains");
  }
  HRESULT STDMETHODCALLTYPE GetHeader(LPCWSTR, LPWSTR*) override {
    return UnexpectedCall("ICoreWebView2HttpResponseHeaders::GetHeader");
  }
  HRESULT STDMETHODCALLTYPE GetHeaders(
      LPCWSTR,
      ICoreWebView2HttpHeadersCollectionIterator**) override {
    return UnexpectedCall(
        "ICoreWebView2HttpResponseHeaders::GetHeaders");
  }
  HRESULT STDMETHODCALLTYPE GetIterator(ICoreWebView2HttpHeadersCollectionIterator**) override {
    return UnexpectedCall("ICoreWebView2HttpResponseHeaders::GetIterator");
  }

 protected:
  virtual ~HttpResponseHeadersStub() = default;
};

class FileSystemHandleStub : public ICoreWebView2FileSystemHandle {
 public:
  HRESULT STDMETHODCALLTYPE get_Kind(COREWEBVIEW2_FILE_SYSTEM_HANDLE_KIND*) override {
    return UnexpectedCall("ICoreWebView2FileSystemHandle::get_Kind");
  }
  HRESULT STDMETHODCALLTYPE get_Path(LPWSTR*) override {
    return UnexpectedCall("ICoreWebView2FileSystemHandle::get_Path");
  }
  HRESULT STDMETHODCALLTYPE get_Permission(COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION*) override {
    return UnexpectedCall("ICoreWebView2FileSystemHandle::get_Permission");
  }

 protected:
  virtual ~FileSystemHandleStub() = default;
};

class ObjectCollectionStub : public ICoreWebView2ObjectCollection {
 public:
  HRESULT STDMETHODCALLTYPE get_Count(UINT32*) override {
    return UnexpectedCall("ICoreWebView2ObjectCollectionView::get_Count");
  }
  HRESULT STDMETHODCALLTYPE GetValueAtIndex(UINT32, IUnknown**) override {
    return UnexpectedCall("ICoreWebView2ObjectCollectionView::GetValueAtIndex");
  }
  HRESULT STDMETHODCALLTYPE RemoveValueAtIndex(UINT32) override {
    return UnexpectedCall("ICoreWebView2ObjectCollection::RemoveValueAtIndex");
  }
  HRESULT STDMETHODCALLTYPE InsertValueAtIndex(UINT32, IUnknown*) override {
    return UnexpectedCall("ICoreWebView2ObjectCollection::InsertValueAtIndex");
  }

 protected:
  virtual ~ObjectCollectionStub() = default;
};

class DeferralStub : public ICoreWebView2Deferral {
 public:
  HRESULT STDMETHODCALLTYPE Complete() override {
    return UnexpectedCall("ICoreWebView2Deferral::Complete");
  }

 protected:
  virtual ~DeferralStub() = default;
};

}  // namespace corvane::test_runtime
