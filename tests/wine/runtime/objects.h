#pragma once
// The runtime's objects that do more than hold properties; each logs what the shell does with it.

#include <optional>
#include <utility>

#include "tests/wine/runtime/runtime.h"

namespace corvane::test_runtime {

// The object raises the event as its sender; the handler type comes from the event's name.
#define RAISE(object, Name, ...) \
  (object)->Raise<ICoreWebView2##Name##EventHandler>(#Name, object, __VA_ARGS__)

// Handles and collections alive: the shell keeps none once it has posted them.
inline int g_liveHandles = 0;
template <class Stub>
class Counted final : public Object<Stub> {
 public:
  Counted() { ++g_liveHandles; }
  ~Counted() override { --g_liveHandles; }
};

class FakeSettings final : public Object<SettingsStub> {
 public:
  FakeSettings() {
    topLevelOffered = !State().scenario.flags.contains("no-settings3");
    for (const char* name :
         {"IsScriptEnabled", "IsWebMessageEnabled", "AreDefaultScriptDialogsEnabled",
          "AreDevToolsEnabled", "AreDefaultContextMenusEnabled", "AreHostObjectsAllowed",
          "IsZoomControlEnabled", "AreBrowserAcceleratorKeysEnabled"}) {
      Set(name, TRUE);
    }
  }

 protected:
  void Changed(const std::string& name, const Value& value) override {
    Log("setting", {{"name", name}, {"value", value.number ? "1" : "0"}});
  }
};

// A web message: JSON always; the string only when the page posted a string. Reads of the text
// are logged, its source's are not.
class FakeWebMessageArgs final : public Object<WebMessageArgsStub> {
 public:
  FakeWebMessageArgs(const std::wstring& source, const std::wstring& json,
                     std::optional<std::wstring> text)
      : text_(std::move(text)) {
    Set("Source", source).Set("WebMessageAsJson", json);
  }
  HRESULT STDMETHODCALLTYPE get_WebMessageAsJson(LPWSTR* value) override {
    Log("message-read", {{"what", "json"}});
    return Get("ICoreWebView2WebMessageReceivedEventArgs::get_WebMessageAsJson", value);
  }
  HRESULT STDMETHODCALLTYPE TryGetWebMessageAsString(LPWSTR* value) override {
    Log("message-read", {{"what", "string"}});
    *value = text_ ? CoTaskCopy(*text_) : nullptr;
    return text_ ? S_OK : E_INVALIDARG;
  }

 private:
  std::optional<std::wstring> text_;
};

// A request's headers: a Range header at most, its name compared without regard to case.
class FakeRequestHeaders final : public Object<RequestHeadersStub> {
 public:
  explicit FakeRequestHeaders(std::optional<std::wstring> range) : range_(std::move(range)) {}
  HRESULT STDMETHODCALLTYPE GetHeader(LPCWSTR name, LPWSTR* value) override {
    BOOL found = FALSE;
    Contains(name, &found);
    *value = found ? CoTaskCopy(*range_) : nullptr;
    return found ? S_OK : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE Contains(LPCWSTR name, BOOL* value) override {
    *value = range_ && name && _wcsicmp(name, L"Range") == 0;
    return S_OK;
  }

 private:
  std::optional<std::wstring> range_;
};

class FakeWebView final : public Object<WebViewStub> {
 public:
  FakeWebView() {
    topLevelOffered = !State().scenario.flags.contains("no-webview23");
    Set("Settings", static_cast<ICoreWebView2Settings*>(New<FakeSettings>().get()));
    Set("Source", L"about:blank").Set("DocumentTitle", L"").Set("ContainsFullScreenElement", FALSE);
  }

  HRESULT STDMETHODCALLTYPE Navigate(LPCWSTR uri) override;
  HRESULT STDMETHODCALLTYPE Reload() override {
    const std::wstring target = Prop("Source").text;
    Log("reload", {{"uri", Utf8(target)}});
    Schedule([this, target] { NavigateDocument(target); });
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PostWebMessageAsJson(LPCWSTR json) override {
    Log("post-json", {{"text", Utf8(json)}});
    return json ? S_OK : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE OpenDevToolsWindow() override {
    Log("open-devtools");
    return S_OK;
  }
  // The plain filter sees documents' requests alone.
  HRESULT STDMETHODCALLTYPE
  AddWebResourceRequestedFilter(LPCWSTR uri, COREWEBVIEW2_WEB_RESOURCE_CONTEXT context) override {
    return AddFilter(uri, context, COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS_DOCUMENT);
  }
  HRESULT STDMETHODCALLTYPE AddWebResourceRequestedFilterWithRequestSourceKinds(
      LPCWSTR uri, COREWEBVIEW2_WEB_RESOURCE_CONTEXT context,
      COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS sources) override {
    if (State().scenario.flags.contains("no-source-kinds")) return E_NOTIMPL;
    return AddFilter(uri, context, sources);
  }
  HRESULT STDMETHODCALLTYPE PostWebMessageAsJsonWithAdditionalObjects(
      LPCWSTR json, ICoreWebView2ObjectCollectionView* objects) override {
    Props* collection = Ours(objects);
    Log("post-json-with-objects",
        {{"text", Utf8(json)},
         {"count", collection ? std::to_string(collection->Prop("Count").number) : "none"},
         {"slots", collection ? Utf8(collection->Prop("slots").text) : ""}});
    return json ? S_OK : E_INVALIDARG;
  }

  // A document's WebResourceRequested when a filter matches; logs the response and reads its
  // body, at once or, when `held`, on a worker thread later.
  void RaiseResourceRequest(const std::wstring& uri, const std::optional<std::wstring>& range,
                            bool held = false);
  void RaiseDomContentLoaded();  // with the window's state logged around it
  // NavigationStarting, then (unless cancelled) the request and DOMContentLoaded, which a failing
  // navigation skips, then NavigationCompleted.
  void NavigateDocument(const std::wstring& uri);

 private:
  HRESULT AddFilter(LPCWSTR uri, COREWEBVIEW2_WEB_RESOURCE_CONTEXT context,
                    COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS sources) {
    Log("filter-add", {{"uri", Utf8(uri)},
                       {"context", std::to_string(context)},
                       {"sources", std::to_string(sources)}});
    filters_.emplace_back(uri, sources);
    return S_OK;
  }

  std::vector<std::pair<std::wstring, COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS>> filters_;
};

class FakeController final : public Object<ControllerStub> {
 public:
  explicit FakeController(FakeWebView* webView) {
    Set("CoreWebView2", static_cast<ICoreWebView2*>(webView)).Set("IsVisible", FALSE);
    Set("Bounds", RECT{});
  }

  // The runtime keeps one reference; the shell letting go of its last one is its teardown, when
  // the bodies still held are read to their end.
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = Object::Release();
    if (left == 1) FinishHeldReads();
    return left;
  }
  HRESULT STDMETHODCALLTYPE get_CoreWebView2(ICoreWebView2** value) override {
    return closed_ ? E_UNEXPECTED : Get("ICoreWebView2Controller::get_CoreWebView2", value);
  }
  HRESULT STDMETHODCALLTYPE MoveFocus(COREWEBVIEW2_MOVE_FOCUS_REASON reason) override {
    Log("controller-focus", {{"reason", std::to_string(reason)}});
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE NotifyParentWindowPositionChanged() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Close() override {
    Log("controller-close");
    closed_ = true;
    return S_OK;
  }

 protected:
  void Changed(const std::string& name, const Value& value) override {
    if (name == "Bounds") {
      Log("controller-bounds", {{"rect", RectText(value.rect)}});
    } else {
      Log("controller-visible", {{"value", value.number ? "1" : "0"}});
    }
  }

 private:
  bool closed_ = false;
};

class FakeEnvironment final : public Object<EnvironmentStub> {
 public:
  FakeEnvironment() { topLevelOffered = !State().scenario.flags.contains("no-environment14"); }

  HRESULT STDMETHODCALLTYPE CreateCoreWebView2Controller(
      HWND parentWindow,
      ICoreWebView2CreateCoreWebView2ControllerCompletedHandler* handler) override;
  // Raised by the environment of the moment, even when the web view is already gone.
  void RaiseBrowserExited(int kind);
  HRESULT STDMETHODCALLTYPE
  CreateWebResourceResponse(IStream* content, int statusCode, LPCWSTR reasonPhrase, LPCWSTR headers,
                            ICoreWebView2WebResourceResponse** response) override {
    auto* made = new Object<ResponseStub>();
    made->Set("Content", content).Set("StatusCode", statusCode).Set("ReasonPhrase", reasonPhrase);
    made->Set("headers", headers);  // read back whole; get_Headers is not modeled
    *response = made;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE CreateWebFileSystemDirectoryHandle(
      LPCWSTR path, COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION permission,
      ICoreWebView2FileSystemHandle** value) override {
    Log("directory-handle", {{"path", Utf8(path)}, {"permission", std::to_string(permission)}});
    *value = nullptr;
    const std::wstring& refused = State().scenario.refusedHandle;
    if (!path || !*path || (!refused.empty() && std::wstring_view(path).ends_with(refused))) {
      return E_INVALIDARG;
    }
    auto* handle = new Counted<FileSystemHandleStub>();
    handle->Set("Path", path);
    *value = handle;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE CreateObjectCollection(
      UINT32 length, IUnknown** items, ICoreWebView2ObjectCollection** collection) override;
};

}  // namespace corvane::test_runtime
