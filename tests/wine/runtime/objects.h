#pragma once
// The runtime's COM objects: environment, controller, web view, settings, event arguments,
// requests and responses. Each models what the shell relies on and logs what the shell does.

#include <optional>
#include <utility>

#include "tests/wine/runtime/runtime.h"

namespace corvane::test_runtime {

// Registered event handlers of one event, in registration order.
template <class Handler>
struct HandlerList {
  const char* event;
  std::vector<std::pair<INT64, ComPtr<Handler>>> items;

  HRESULT Add(Handler* handler, EventRegistrationToken* token);
  HRESULT Remove(EventRegistrationToken token);
  // A copy, so a handler that unregisters while it runs does not disturb the loop.
  std::vector<ComPtr<Handler>> Snapshot() const {
    std::vector<ComPtr<Handler>> out;
    for (const auto& item : items) out.push_back(item.second);
    return out;
  }
};

INT64 NextToken();

template <class Handler>
HRESULT HandlerList<Handler>::Add(Handler* handler, EventRegistrationToken* token) {
  if (!handler || !token) {
    Log("register", {{"event", event}, {"invalid", "1"}});
    return E_INVALIDARG;
  }
  token->value = NextToken();
  items.emplace_back(token->value, ComPtr<Handler>(handler));
  Log("register", {{"event", event}, {"token", std::to_string(token->value)}});
  return S_OK;
}

template <class Handler>
HRESULT HandlerList<Handler>::Remove(EventRegistrationToken token) {
  Log("unregister", {{"event", event}, {"token", std::to_string(token.value)}});
  for (auto it = items.begin(); it != items.end(); ++it) {
    if (it->first == token.value) {
      items.erase(it);
      return S_OK;
    }
  }
  return S_OK;
}

// One event of an object: add_<Name> and remove_<Name> on the handler list on<Name>_. Leaves the
// class in its private section.
#define CORVANE_TEST_EVENT(Name)                                                   \
 public:                                                                           \
  HRESULT STDMETHODCALLTYPE add_##Name(ICoreWebView2##Name##EventHandler* handler, \
                                       EventRegistrationToken* token) override {   \
    return on##Name##_.Add(handler, token);                                        \
  }                                                                                \
  HRESULT STDMETHODCALLTYPE remove_##Name(EventRegistrationToken token) override { \
    return on##Name##_.Remove(token);                                              \
  }                                                                                \
                                                                                   \
 private:                                                                          \
  HandlerList<ICoreWebView2##Name##EventHandler> on##Name##_ {                     \
#Name, {}                                                                      \
  }

// ---- Responses and the objects handed to the page ----

class FakeResponse final : public ComObject<WebResourceResponseStub> {
 public:
  FakeResponse(IStream* content, int status, std::wstring reason, std::wstring headers)
      : content_(content),
        status_(status),
        reason_(std::move(reason)),
        headers_(std::move(headers)) {}

  // The response as the runtime received it, or null when `response` is not one of ours.
  static FakeResponse* From(ICoreWebView2WebResourceResponse* response);

  HRESULT STDMETHODCALLTYPE get_Content(IStream** content) override;
  HRESULT STDMETHODCALLTYPE put_Content(IStream* content) override;
  HRESULT STDMETHODCALLTYPE get_StatusCode(int* statusCode) override;
  HRESULT STDMETHODCALLTYPE put_StatusCode(int statusCode) override;
  HRESULT STDMETHODCALLTYPE get_ReasonPhrase(LPWSTR* reasonPhrase) override;
  HRESULT STDMETHODCALLTYPE put_ReasonPhrase(LPCWSTR reasonPhrase) override;

  IStream* content() const { return content_.get(); }
  int status() const { return status_; }
  const std::wstring& reason() const { return reason_; }
  const std::wstring& headers() const { return headers_; }

 protected:
  ~FakeResponse() override;

 private:
  ComPtr<IStream> content_;
  int status_;
  std::wstring reason_;
  std::wstring headers_;
};

class FakeFileSystemHandle final : public ComObject<FileSystemHandleStub> {
 public:
  FakeFileSystemHandle(std::wstring path, COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION permission,
                       COREWEBVIEW2_FILE_SYSTEM_HANDLE_KIND kind)
      : path_(std::move(path)), permission_(permission), kind_(kind) {}

  HRESULT STDMETHODCALLTYPE get_Kind(COREWEBVIEW2_FILE_SYSTEM_HANDLE_KIND* value) override;
  HRESULT STDMETHODCALLTYPE get_Path(LPWSTR* value) override;
  HRESULT STDMETHODCALLTYPE
  get_Permission(COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION* value) override;

 private:
  std::wstring path_;
  COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION permission_;
  COREWEBVIEW2_FILE_SYSTEM_HANDLE_KIND kind_;
};

class FakeObjectCollection final : public ComObject<ObjectCollectionStub> {
 public:
  explicit FakeObjectCollection(std::vector<ComPtr<IUnknown>> items) : items_(std::move(items)) {}

  HRESULT STDMETHODCALLTYPE get_Count(UINT32* value) override;
  HRESULT STDMETHODCALLTYPE GetValueAtIndex(UINT32 index, IUnknown** value) override;
  HRESULT STDMETHODCALLTYPE RemoveValueAtIndex(UINT32 index) override;
  HRESULT STDMETHODCALLTYPE InsertValueAtIndex(UINT32 index, IUnknown* value) override;

  // "path" per slot ("" for an empty slot, "?" for an object that is not a file-system handle).
  std::string Describe() const;

 private:
  std::vector<ComPtr<IUnknown>> items_;
};

// ---- Environment ----

class FakeEnvironment final : public ComObject<EnvironmentStub> {
 public:
  FakeEnvironment(std::wstring version, std::wstring userDataFolder)
      : version_(std::move(version)), userDataFolder_(std::move(userDataFolder)) {}

  HRESULT STDMETHODCALLTYPE CreateCoreWebView2Controller(
      HWND parentWindow,
      ICoreWebView2CreateCoreWebView2ControllerCompletedHandler* handler) override;
  HRESULT STDMETHODCALLTYPE
  CreateWebResourceResponse(IStream* content, int statusCode, LPCWSTR reasonPhrase, LPCWSTR headers,
                            ICoreWebView2WebResourceResponse** response) override;
  HRESULT STDMETHODCALLTYPE get_BrowserVersionString(LPWSTR* versionInfo) override;
  HRESULT STDMETHODCALLTYPE get_UserDataFolder(LPWSTR* value) override;
  HRESULT STDMETHODCALLTYPE
  CreateWebFileSystemFileHandle(LPCWSTR path, COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION permission,
                                ICoreWebView2FileSystemHandle** value) override;
  HRESULT STDMETHODCALLTYPE CreateWebFileSystemDirectoryHandle(
      LPCWSTR path, COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION permission,
      ICoreWebView2FileSystemHandle** value) override;
  HRESULT STDMETHODCALLTYPE CreateObjectCollection(
      UINT32 length, IUnknown** items, ICoreWebView2ObjectCollection** objectCollection) override;

  void RaiseBrowserProcessExited(COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND kind);

 protected:
  bool Answers(REFIID riid) const override;

 private:
  std::wstring version_;
  std::wstring userDataFolder_;
  CORVANE_TEST_EVENT(BrowserProcessExited);
};

// ---- Settings, controller, web view ----

// A BOOL setting, TRUE at first, with its getter and its logging putter. Leaves the class in
// its private section.
#define CORVANE_TEST_SETTING(Name)                             \
 public:                                                       \
  HRESULT STDMETHODCALLTYPE get_##Name(BOOL* value) override { \
    return HandOutBool(setting##Name##_, value);               \
  }                                                            \
  HRESULT STDMETHODCALLTYPE put_##Name(BOOL value) override {  \
    return Put(#Name, setting##Name##_, value);                \
  }                                                            \
                                                               \
 private:                                                      \
  BOOL setting##Name##_ = TRUE

class FakeSettings final : public ComObject<Settings3Stub> {
 public:
  HRESULT STDMETHODCALLTYPE get_UserAgent(LPWSTR* value) override;
  HRESULT STDMETHODCALLTYPE put_UserAgent(LPCWSTR value) override;

  BOOL devToolsEnabled() const { return settingAreDevToolsEnabled_; }

 protected:
  bool Answers(REFIID riid) const override;

 private:
  HRESULT Put(const char* name, BOOL& field, BOOL value);

  CORVANE_TEST_SETTING(IsScriptEnabled);
  CORVANE_TEST_SETTING(IsWebMessageEnabled);
  CORVANE_TEST_SETTING(AreDefaultScriptDialogsEnabled);
  CORVANE_TEST_SETTING(IsStatusBarEnabled);
  CORVANE_TEST_SETTING(AreDevToolsEnabled);
  CORVANE_TEST_SETTING(AreDefaultContextMenusEnabled);
  CORVANE_TEST_SETTING(AreHostObjectsAllowed);
  CORVANE_TEST_SETTING(IsZoomControlEnabled);
  CORVANE_TEST_SETTING(IsBuiltInErrorPageEnabled);
  CORVANE_TEST_SETTING(AreBrowserAcceleratorKeysEnabled);
  std::wstring userAgent_ = L"Mozilla/5.0 CorvaneTestRuntime";
};

#undef CORVANE_TEST_SETTING

class FakeWebView final : public ComObject<WebViewStub> {
 public:
  FakeWebView();

  HRESULT STDMETHODCALLTYPE get_Settings(ICoreWebView2Settings** settings) override;
  HRESULT STDMETHODCALLTYPE get_Source(LPWSTR* uri) override;
  HRESULT STDMETHODCALLTYPE Navigate(LPCWSTR uri) override;
  HRESULT STDMETHODCALLTYPE Reload() override;
  HRESULT STDMETHODCALLTYPE PostWebMessageAsJson(LPCWSTR webMessageAsJson) override;
  HRESULT STDMETHODCALLTYPE PostWebMessageAsString(LPCWSTR webMessageAsString) override;
  HRESULT STDMETHODCALLTYPE get_DocumentTitle(LPWSTR* title) override;
  HRESULT STDMETHODCALLTYPE OpenDevToolsWindow() override;
  HRESULT STDMETHODCALLTYPE get_ContainsFullScreenElement(BOOL* containsFullScreenElement) override;
  HRESULT STDMETHODCALLTYPE AddWebResourceRequestedFilter(
      LPCWSTR uri, COREWEBVIEW2_WEB_RESOURCE_CONTEXT resourceContext) override;
  HRESULT STDMETHODCALLTYPE RemoveWebResourceRequestedFilter(
      LPCWSTR uri, COREWEBVIEW2_WEB_RESOURCE_CONTEXT resourceContext) override;
  HRESULT STDMETHODCALLTYPE get_Environment(ICoreWebView2Environment** environment) override;
  HRESULT STDMETHODCALLTYPE PostWebMessageAsJsonWithAdditionalObjects(
      LPCWSTR webMessageAsJson, ICoreWebView2ObjectCollectionView* additionalObjects) override;

  // ---- Raising events (player) ----
  // NavigationStarting; true when no handler cancelled it.
  bool RaiseNavigationStarting(const std::wstring& uri);
  // WebResourceRequested when a filter matches; logs the response, and reads its body at once
  // or, when `held`, on a worker thread later.
  void RaiseResourceRequest(const std::wstring& uri, const std::wstring& range, bool hasRange,
                            bool held = false);
  void RaiseDomContentLoaded();
  void RaiseTitleChanged(const std::wstring& title);
  void RaiseFullscreenChanged(bool contains);
  void RaiseWebMessage(const std::wstring& source, const std::wstring& json,
                       const std::optional<std::wstring>& text);
  void RaiseNewWindow(const std::wstring& uri);
  void RaisePermission(const std::wstring& uri, COREWEBVIEW2_PERMISSION_KIND kind);
  void RaiseWindowCloseRequested();
  void RaiseProcessFailed(COREWEBVIEW2_PROCESS_FAILED_KIND kind, int reason);
  // Navigation to a document: NavigationStarting, then (unless cancelled) its request and
  // DOMContentLoaded, with the window's state logged around the latter, then
  // NavigationCompleted (failed when the scenario says so: then without DOMContentLoaded).
  void NavigateDocument(const std::wstring& uri);

 protected:
  bool Answers(REFIID riid) const override;

 private:
  ComPtr<FakeSettings> settings_;
  std::wstring source_ = L"about:blank";
  std::wstring title_;
  BOOL fullscreen_ = FALSE;
  UINT64 navigationId_ = 0;
  std::vector<std::pair<std::wstring, COREWEBVIEW2_WEB_RESOURCE_CONTEXT>> filters_;
  CORVANE_TEST_EVENT(NavigationStarting);
  CORVANE_TEST_EVENT(PermissionRequested);
  CORVANE_TEST_EVENT(WebMessageReceived);
  CORVANE_TEST_EVENT(NewWindowRequested);
  CORVANE_TEST_EVENT(DocumentTitleChanged);
  CORVANE_TEST_EVENT(ContainsFullScreenElementChanged);
  CORVANE_TEST_EVENT(WebResourceRequested);
  CORVANE_TEST_EVENT(WindowCloseRequested);
  CORVANE_TEST_EVENT(DOMContentLoaded);
  CORVANE_TEST_EVENT(NavigationCompleted);
  CORVANE_TEST_EVENT(ProcessFailed);
};

class FakeController final : public ComObject<ControllerStub> {
 public:
  FakeController(HWND parent, FakeWebView* webView) : parent_(parent), webView_(webView) {}

  // The runtime keeps one reference; the shell letting go of its last one is its teardown, when
  // the bodies still held are read to their end.
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE get_IsVisible(BOOL* isVisible) override;
  HRESULT STDMETHODCALLTYPE put_IsVisible(BOOL isVisible) override;
  HRESULT STDMETHODCALLTYPE get_Bounds(RECT* bounds) override;
  HRESULT STDMETHODCALLTYPE put_Bounds(RECT bounds) override;
  HRESULT STDMETHODCALLTYPE get_ZoomFactor(double* zoomFactor) override;
  HRESULT STDMETHODCALLTYPE put_ZoomFactor(double zoomFactor) override;
  HRESULT STDMETHODCALLTYPE MoveFocus(COREWEBVIEW2_MOVE_FOCUS_REASON reason) override;
  HRESULT STDMETHODCALLTYPE get_ParentWindow(HWND* parentWindow) override;
  HRESULT STDMETHODCALLTYPE put_ParentWindow(HWND parentWindow) override;
  HRESULT STDMETHODCALLTYPE NotifyParentWindowPositionChanged() override;
  HRESULT STDMETHODCALLTYPE Close() override;
  HRESULT STDMETHODCALLTYPE get_CoreWebView2(ICoreWebView2** coreWebView2) override;

  void RaiseAcceleratorKey(COREWEBVIEW2_KEY_EVENT_KIND kind, UINT virtualKey);

 private:
  HWND parent_;
  ComPtr<FakeWebView> webView_;
  BOOL visible_ = FALSE;
  RECT bounds_{};
  double zoom_ = 1.0;
  bool closed_ = false;
  CORVANE_TEST_EVENT(AcceleratorKeyPressed);
};

#undef CORVANE_TEST_EVENT

}  // namespace corvane::test_runtime
