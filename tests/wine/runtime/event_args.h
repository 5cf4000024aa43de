#pragma once
// Event arguments, requests and request headers handed to the shell's handlers. They record
// what the handler set, so the raiser can log it once the handler has returned.

#include <optional>
#include <utility>

#include "tests/wine/runtime/runtime.h"

namespace corvane::test_runtime {

class FakeDeferral final : public ComObject<DeferralStub> {
 public:
  explicit FakeDeferral(std::string event) : event_(std::move(event)) {}
  HRESULT STDMETHODCALLTYPE Complete() override {
    Log("deferral-complete", {{"event", event_}});
    return S_OK;
  }

 private:
  std::string event_;
};

inline HRESULT HandOutDeferral(const char* event, ICoreWebView2Deferral** deferral) {
  if (!deferral) return E_POINTER;
  Log("deferral-taken", {{"event", event}});
  *deferral = new FakeDeferral(event);
  return S_OK;
}

using HeaderList = std::vector<std::pair<std::wstring, std::wstring>>;

class FakeHeaderIterator final : public ComObject<HttpHeadersCollectionIteratorStub> {
 public:
  explicit FakeHeaderIterator(HeaderList headers) : headers_(std::move(headers)) {}
  HRESULT STDMETHODCALLTYPE GetCurrentHeader(LPWSTR* name, LPWSTR* value) override {
    if (!name || !value) return E_POINTER;
    if (at_ >= headers_.size()) return E_INVALIDARG;
    *name = CoTaskCopy(headers_[at_].first);
    *value = CoTaskCopy(headers_[at_].second);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_HasCurrentHeader(BOOL* hasCurrent) override {
    return HandOutBool(at_ < headers_.size(), hasCurrent);
  }
  HRESULT STDMETHODCALLTYPE MoveNext(BOOL* hasNext) override {
    if (at_ < headers_.size()) ++at_;
    return HandOutBool(at_ < headers_.size(), hasNext);
  }

 private:
  HeaderList headers_;
  std::size_t at_ = 0;
};

class FakeRequestHeaders final : public ComObject<HttpRequestHeadersStub> {
 public:
  explicit FakeRequestHeaders(HeaderList headers) : headers_(std::move(headers)) {}

  HRESULT STDMETHODCALLTYPE GetHeader(LPCWSTR name, LPWSTR* value) override {
    if (!value) return E_POINTER;
    *value = nullptr;
    const std::wstring* found = Find(name);
    Log("request-header-read", {{"name", Utf8(name)}, {"found", found ? "1" : "0"}});
    if (!found) return E_INVALIDARG;
    return HandOutString(*found, value);
  }
  HRESULT STDMETHODCALLTYPE
  GetHeaders(LPCWSTR name, ICoreWebView2HttpHeadersCollectionIterator** value) override {
    if (!value) return E_POINTER;
    HeaderList matching;
    for (const auto& header : headers_) {
      if (name && _wcsicmp(header.first.c_str(), name) == 0) matching.push_back(header);
    }
    *value = new FakeHeaderIterator(std::move(matching));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Contains(LPCWSTR name, BOOL* value) override {
    return HandOutBool(Find(name) != nullptr, value);
  }
  HRESULT STDMETHODCALLTYPE SetHeader(LPCWSTR name, LPCWSTR value) override {
    Log("request-header-set", {{"name", Utf8(name)}, {"value", Utf8(value)}});
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE RemoveHeader(LPCWSTR name) override {
    Log("request-header-remove", {{"name", Utf8(name)}});
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE
  GetIterator(ICoreWebView2HttpHeadersCollectionIterator** value) override {
    if (!value) return E_POINTER;
    *value = new FakeHeaderIterator(headers_);
    return S_OK;
  }

 private:
  // HTTP header names compare without regard to case.
  const std::wstring* Find(LPCWSTR name) const {
    if (!name) return nullptr;
    for (const auto& header : headers_) {
      if (_wcsicmp(header.first.c_str(), name) == 0) return &header.second;
    }
    return nullptr;
  }

  HeaderList headers_;
};

class FakeRequest final : public ComObject<WebResourceRequestStub> {
 public:
  FakeRequest(std::wstring uri, HeaderList headers)
      : uri_(std::move(uri)), headers_(new FakeRequestHeaders(std::move(headers))) {
    headers_->Release();  // the ComPtr holds the one reference
  }

  HRESULT STDMETHODCALLTYPE get_Uri(LPWSTR* uri) override { return HandOutString(uri_, uri); }
  HRESULT STDMETHODCALLTYPE put_Uri(LPCWSTR uri) override {
    Log("request-set", {{"what", "Uri"}, {"value", Utf8(uri)}});
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Method(LPWSTR* method) override {
    return HandOutString(L"GET", method);
  }
  HRESULT STDMETHODCALLTYPE put_Method(LPCWSTR method) override {
    Log("request-set", {{"what", "Method"}, {"value", Utf8(method)}});
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Content(IStream** content) override {
    if (!content) return E_POINTER;
    *content = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_Content(IStream*) override {
    Log("request-set", {{"what", "Content"}});
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Headers(ICoreWebView2HttpRequestHeaders** headers) override {
    if (!headers) return E_POINTER;
    headers_->AddRef();
    *headers = headers_.get();
    return S_OK;
  }

 private:
  std::wstring uri_;
  ComPtr<FakeRequestHeaders> headers_;
};

class FakeResourceRequestedArgs final : public ComObject<WebResourceRequestedEventArgsStub> {
 public:
  explicit FakeResourceRequestedArgs(FakeRequest* request) : request_(request) {}

  HRESULT STDMETHODCALLTYPE get_Request(ICoreWebView2WebResourceRequest** request) override {
    if (!request) return E_POINTER;
    request_->AddRef();
    *request = request_.get();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Response(ICoreWebView2WebResourceResponse** response) override {
    if (!response) return E_POINTER;
    *response = response_.get();
    if (*response) (*response)->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_Response(ICoreWebView2WebResourceResponse* response) override {
    ++responsesSet_;
    response_ = ComPtr<ICoreWebView2WebResourceResponse>(response);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDeferral(ICoreWebView2Deferral** deferral) override {
    return HandOutDeferral("WebResourceRequested", deferral);
  }
  HRESULT STDMETHODCALLTYPE
  get_ResourceContext(COREWEBVIEW2_WEB_RESOURCE_CONTEXT* context) override {
    if (!context) return E_POINTER;
    *context = COREWEBVIEW2_WEB_RESOURCE_CONTEXT_DOCUMENT;
    return S_OK;
  }

  ICoreWebView2WebResourceResponse* response() const { return response_.get(); }
  int responsesSet() const { return responsesSet_; }

 private:
  ComPtr<FakeRequest> request_;
  ComPtr<ICoreWebView2WebResourceResponse> response_;
  int responsesSet_ = 0;
};

class FakeNavigationStartingArgs final : public ComObject<NavigationStartingEventArgsStub> {
 public:
  FakeNavigationStartingArgs(std::wstring uri, UINT64 id) : uri_(std::move(uri)), id_(id) {}

  HRESULT STDMETHODCALLTYPE get_Uri(LPWSTR* uri) override { return HandOutString(uri_, uri); }
  HRESULT STDMETHODCALLTYPE get_IsUserInitiated(BOOL* value) override {
    return HandOutBool(false, value);
  }
  HRESULT STDMETHODCALLTYPE get_IsRedirected(BOOL* value) override {
    return HandOutBool(false, value);
  }
  HRESULT STDMETHODCALLTYPE get_RequestHeaders(ICoreWebView2HttpRequestHeaders** headers) override {
    if (!headers) return E_POINTER;
    *headers = new FakeRequestHeaders({});
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Cancel(BOOL* cancel) override {
    return HandOutBool(cancel_, cancel);
  }
  HRESULT STDMETHODCALLTYPE put_Cancel(BOOL cancel) override {
    cancel_ = cancel != FALSE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_NavigationId(UINT64* id) override {
    if (!id) return E_POINTER;
    *id = id_;
    return S_OK;
  }

  bool cancel() const { return cancel_; }

 private:
  std::wstring uri_;
  UINT64 id_;
  bool cancel_ = false;
};

class FakeDomContentLoadedArgs final : public ComObject<DOMContentLoadedEventArgsStub> {
 public:
  explicit FakeDomContentLoadedArgs(UINT64 id) : id_(id) {}
  HRESULT STDMETHODCALLTYPE get_NavigationId(UINT64* id) override {
    if (!id) return E_POINTER;
    *id = id_;
    return S_OK;
  }

 private:
  UINT64 id_;
};

class FakeNavigationCompletedArgs final : public ComObject<NavigationCompletedEventArgsStub> {
 public:
  FakeNavigationCompletedArgs(UINT64 id, bool success, COREWEBVIEW2_WEB_ERROR_STATUS status)
      : id_(id), success_(success), status_(status) {}
  HRESULT STDMETHODCALLTYPE get_IsSuccess(BOOL* isSuccess) override {
    return HandOutBool(success_, isSuccess);
  }
  HRESULT STDMETHODCALLTYPE get_WebErrorStatus(COREWEBVIEW2_WEB_ERROR_STATUS* status) override {
    if (!status) return E_POINTER;
    *status = status_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_NavigationId(UINT64* id) override {
    if (!id) return E_POINTER;
    *id = id_;
    return S_OK;
  }

 private:
  UINT64 id_;
  bool success_;
  COREWEBVIEW2_WEB_ERROR_STATUS status_;
};

class FakeProcessFailedArgs final : public ComObject<ProcessFailedEventArgsStub> {
 public:
  explicit FakeProcessFailedArgs(COREWEBVIEW2_PROCESS_FAILED_KIND kind) : kind_(kind) {}
  HRESULT STDMETHODCALLTYPE get_ProcessFailedKind(COREWEBVIEW2_PROCESS_FAILED_KIND* kind) override {
    if (!kind) return E_POINTER;
    *kind = kind_;
    return S_OK;
  }

 private:
  COREWEBVIEW2_PROCESS_FAILED_KIND kind_;
};

class FakeBrowserExitedArgs final : public ComObject<BrowserProcessExitedEventArgsStub> {
 public:
  explicit FakeBrowserExitedArgs(COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND kind) : kind_(kind) {}
  HRESULT STDMETHODCALLTYPE
  get_BrowserProcessExitKind(COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND* kind) override {
    if (!kind) return E_POINTER;
    *kind = kind_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_BrowserProcessId(UINT32* id) override {
    if (!id) return E_POINTER;
    *id = 4242;
    return S_OK;
  }

 private:
  COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND kind_;
};

// A web message: JSON always; the string only when the page posted a string.
class FakeWebMessageArgs final : public ComObject<WebMessageReceivedEventArgs2Stub> {
 public:
  FakeWebMessageArgs(std::wstring source, std::wstring json, std::optional<std::wstring> text)
      : source_(std::move(source)), json_(std::move(json)), text_(std::move(text)) {}

  HRESULT STDMETHODCALLTYPE get_Source(LPWSTR* value) override {
    Log("message-read", {{"what", "source"}});
    return HandOutString(source_, value);
  }
  HRESULT STDMETHODCALLTYPE get_WebMessageAsJson(LPWSTR* value) override {
    Log("message-read", {{"what", "json"}});
    return HandOutString(json_, value);
  }
  HRESULT STDMETHODCALLTYPE TryGetWebMessageAsString(LPWSTR* value) override {
    Log("message-read", {{"what", "string"}, {"isString", text_ ? "1" : "0"}});
    if (!value) return E_POINTER;
    *value = nullptr;
    if (!text_) return E_INVALIDARG;
    return HandOutString(*text_, value);
  }
  HRESULT STDMETHODCALLTYPE
  get_AdditionalObjects(ICoreWebView2ObjectCollectionView** value) override {
    if (!value) return E_POINTER;
    *value = nullptr;
    return S_OK;
  }

 private:
  std::wstring source_;
  std::wstring json_;
  std::optional<std::wstring> text_;
};

class FakeNewWindowArgs final : public ComObject<NewWindowRequestedEventArgsStub> {
 public:
  explicit FakeNewWindowArgs(std::wstring uri) : uri_(std::move(uri)) {}

  HRESULT STDMETHODCALLTYPE get_Uri(LPWSTR* uri) override { return HandOutString(uri_, uri); }
  HRESULT STDMETHODCALLTYPE put_NewWindow(ICoreWebView2* newWindow) override {
    Log("new-window-set", {{"what", "NewWindow"}, {"null", newWindow ? "0" : "1"}});
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_NewWindow(ICoreWebView2** newWindow) override {
    if (!newWindow) return E_POINTER;
    *newWindow = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_Handled(BOOL handled) override {
    handled_ = handled != FALSE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Handled(BOOL* handled) override {
    return HandOutBool(handled_.value_or(false), handled);
  }
  HRESULT STDMETHODCALLTYPE get_IsUserInitiated(BOOL* value) override {
    return HandOutBool(true, value);
  }
  HRESULT STDMETHODCALLTYPE GetDeferral(ICoreWebView2Deferral** deferral) override {
    return HandOutDeferral("NewWindowRequested", deferral);
  }

  std::optional<bool> handled() const { return handled_; }

 private:
  std::wstring uri_;
  std::optional<bool> handled_;
};

class FakePermissionArgs final : public ComObject<PermissionRequestedEventArgsStub> {
 public:
  FakePermissionArgs(std::wstring uri, COREWEBVIEW2_PERMISSION_KIND kind)
      : uri_(std::move(uri)), kind_(kind) {}

  HRESULT STDMETHODCALLTYPE get_Uri(LPWSTR* uri) override { return HandOutString(uri_, uri); }
  HRESULT STDMETHODCALLTYPE get_PermissionKind(COREWEBVIEW2_PERMISSION_KIND* kind) override {
    if (!kind) return E_POINTER;
    *kind = kind_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_IsUserInitiated(BOOL* value) override {
    return HandOutBool(true, value);
  }
  HRESULT STDMETHODCALLTYPE get_State(COREWEBVIEW2_PERMISSION_STATE* state) override {
    if (!state) return E_POINTER;
    *state = state_.value_or(COREWEBVIEW2_PERMISSION_STATE_DEFAULT);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_State(COREWEBVIEW2_PERMISSION_STATE state) override {
    state_ = state;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDeferral(ICoreWebView2Deferral** deferral) override {
    return HandOutDeferral("PermissionRequested", deferral);
  }

  std::optional<COREWEBVIEW2_PERMISSION_STATE> state() const { return state_; }

 private:
  std::wstring uri_;
  COREWEBVIEW2_PERMISSION_KIND kind_;
  std::optional<COREWEBVIEW2_PERMISSION_STATE> state_;
};

class FakeAcceleratorArgs final : public ComObject<AcceleratorKeyPressedEventArgsStub> {
 public:
  FakeAcceleratorArgs(COREWEBVIEW2_KEY_EVENT_KIND kind, UINT virtualKey)
      : kind_(kind), virtualKey_(virtualKey) {}

  HRESULT STDMETHODCALLTYPE get_KeyEventKind(COREWEBVIEW2_KEY_EVENT_KIND* kind) override {
    if (!kind) return E_POINTER;
    *kind = kind_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_VirtualKey(UINT* virtualKey) override {
    if (!virtualKey) return E_POINTER;
    *virtualKey = virtualKey_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_KeyEventLParam(INT* lParam) override {
    if (!lParam) return E_POINTER;
    *lParam = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE
  get_PhysicalKeyStatus(COREWEBVIEW2_PHYSICAL_KEY_STATUS* status) override {
    if (!status) return E_POINTER;
    *status = COREWEBVIEW2_PHYSICAL_KEY_STATUS{
        1, 0, FALSE, FALSE, FALSE, kind_ == COREWEBVIEW2_KEY_EVENT_KIND_KEY_UP};
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Handled(BOOL* handled) override {
    return HandOutBool(handled_, handled);
  }
  HRESULT STDMETHODCALLTYPE put_Handled(BOOL handled) override {
    handled_ = handled != FALSE;
    return S_OK;
  }

  bool handled() const { return handled_; }

 private:
  COREWEBVIEW2_KEY_EVENT_KIND kind_;
  UINT virtualKey_;
  bool handled_ = false;
};

}  // namespace corvane::test_runtime
