// Settings, controller and web view: they log every call the shell makes and raise the events
// the player asks for, one handler call at a time on the UI thread.

#include <cstdio>

#include "tests/wine/runtime/event_args.h"
#include "tests/wine/runtime/objects.h"

namespace corvane::test_runtime {

namespace {

std::string Bool(BOOL value) { return value ? "1" : "0"; }

// A held body is read later, on a worker thread (see ReadOnWorker).
void LogResponse(const std::wstring& uri, FakeResourceRequestedArgs& args, HRESULT result,
                 std::size_t handlers, bool held) {
  std::vector<Field> fields{{"uri", Utf8(uri)},
                            {"handlers", std::to_string(handlers)},
                            {"result", HexHr(result)},
                            {"responsesSet", std::to_string(args.responsesSet())}};
  ICoreWebView2WebResourceResponse* response = args.response();
  FakeResponse* ours = FakeResponse::From(response);
  if (!response) {
    fields.push_back({"status", "none"});
  } else if (!ours) {
    fields.push_back({"status", "foreign"});
  } else {
    fields.push_back({"status", std::to_string(ours->status())});
    fields.push_back({"reason", Utf8(ours->reason())});
    fields.push_back({"headers", Utf8(ours->headers())});
    if (!ours->content()) {
      fields.push_back({"body", "none"});
    } else if (held) {
      fields.push_back({"body", "held"});
      ReadOnWorker(uri, ours->content());
    } else {
      std::string bytes;
      bool complete = ReadWholeStream(ours->content(), bytes);
      fields.push_back({"body", complete ? "read" : "read-error"});
      fields.push_back({"bodyLength", std::to_string(bytes.size())});
      fields.push_back({"bodyFnv", Fnv1a64(bytes)});
      if (bytes.size() <= 4096) fields.push_back({"bodyHex", HexBytes(bytes)});
    }
  }
  Log("response", fields);
}

template <class Handler, class Args>
std::size_t InvokeAll(const HandlerList<Handler>& list, ICoreWebView2* sender, Args* args,
                      HRESULT* lastResult = nullptr) {
  auto handlers = list.Snapshot();
  for (auto& handler : handlers) {
    HRESULT result = handler->Invoke(sender, args);
    if (lastResult) *lastResult = result;
  }
  return handlers.size();
}

}  // namespace

std::string Fnv1a64(const std::string& bytes) {
  std::uint64_t hash = 1469598103934665603ull;
  for (unsigned char c : bytes) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  char text[24];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

std::string HexBytes(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

bool ReadWholeStream(IStream* stream, std::string& bytes) {
  char buffer[65536];
  for (;;) {
    ULONG got = 0;
    HRESULT hr = stream->Read(buffer, sizeof buffer, &got);
    if (FAILED(hr)) return false;
    bytes.append(buffer, got);
    if (got == 0 || hr == S_FALSE) return true;
  }
}

INT64 NextToken() {
  static INT64 next = 100;
  return ++next;
}

// ---- FakeSettings ----

bool FakeSettings::Answers(REFIID riid) const {
  if (!IsEqualIID(riid, IID_ICoreWebView2Settings3)) return ComObject::Answers(riid);
  bool offered = State().scenario.settings3;
  Log("query", {{"interface", "ICoreWebView2Settings3"}, {"offered", offered ? "1" : "0"}});
  return offered;
}

HRESULT FakeSettings::Put(const char* name, BOOL& field, BOOL value) {
  Log("setting", {{"name", name}, {"value", Bool(value)}});
  field = value;
  return S_OK;
}

HRESULT FakeSettings::get_UserAgent(LPWSTR* v) { return HandOutString(userAgent_, v); }
HRESULT FakeSettings::put_UserAgent(LPCWSTR v) {
  Log("setting", {{"name", "UserAgent"}, {"value", Utf8(v)}});
  userAgent_ = v ? v : L"";
  return S_OK;
}

// ---- FakeController ----

ULONG FakeController::Release() {
  const ULONG left = ComObject::Release();
  if (left == 1) FinishHeldReads();
  return left;
}

HRESULT FakeController::get_IsVisible(BOOL* isVisible) { return HandOutBool(visible_, isVisible); }

HRESULT FakeController::put_IsVisible(BOOL isVisible) {
  Log("controller-visible", {{"value", Bool(isVisible)}});
  visible_ = isVisible;
  return S_OK;
}

HRESULT FakeController::get_Bounds(RECT* bounds) {
  if (!bounds) return E_POINTER;
  *bounds = bounds_;
  return S_OK;
}

HRESULT FakeController::put_Bounds(RECT bounds) {
  Log("controller-bounds", {{"rect", RectText(bounds)}});
  bounds_ = bounds;
  return S_OK;
}

HRESULT FakeController::get_ZoomFactor(double* zoomFactor) {
  if (!zoomFactor) return E_POINTER;
  *zoomFactor = zoom_;
  return S_OK;
}

HRESULT FakeController::put_ZoomFactor(double zoomFactor) {
  Log("controller-zoom", {{"value", std::to_string(zoomFactor)}});
  zoom_ = zoomFactor;
  return S_OK;
}

HRESULT FakeController::MoveFocus(COREWEBVIEW2_MOVE_FOCUS_REASON reason) {
  Log("controller-focus", {{"reason", std::to_string(reason)}});
  return S_OK;
}

HRESULT FakeController::get_ParentWindow(HWND* parentWindow) {
  if (!parentWindow) return E_POINTER;
  *parentWindow = parent_;
  return S_OK;
}

HRESULT FakeController::put_ParentWindow(HWND parentWindow) {
  Log("controller-parent", {{"null", parentWindow ? "0" : "1"}});
  parent_ = parentWindow;
  return S_OK;
}

HRESULT FakeController::NotifyParentWindowPositionChanged() {
  Log("controller-position-changed");
  return S_OK;
}

HRESULT FakeController::Close() {
  Log("controller-close");
  closed_ = true;
  return S_OK;
}

HRESULT FakeController::get_CoreWebView2(ICoreWebView2** coreWebView2) {
  if (!coreWebView2) return E_POINTER;
  *coreWebView2 = nullptr;
  if (closed_) return E_UNEXPECTED;
  webView_->AddRef();
  *coreWebView2 = webView_.get();
  return S_OK;
}

void FakeController::RaiseAcceleratorKey(COREWEBVIEW2_KEY_EVENT_KIND kind, UINT virtualKey) {
  auto args = ComPtr<FakeAcceleratorArgs>::Adopt(new FakeAcceleratorArgs(kind, virtualKey));
  auto handlers = onAcceleratorKeyPressed_.Snapshot();
  for (auto& handler : handlers) handler->Invoke(this, args.get());
  Log("accelerator-key", {{"key", std::to_string(virtualKey)},
                          {"kind", std::to_string(kind)},
                          {"handlers", std::to_string(handlers.size())},
                          {"handled", args->handled() ? "1" : "0"}});
}

// ---- FakeWebView ----

FakeWebView::FakeWebView() : settings_(ComPtr<FakeSettings>::Adopt(new FakeSettings())) {}

bool FakeWebView::Answers(REFIID riid) const {
  if (!IsEqualIID(riid, IID_ICoreWebView2_23)) return ComObject::Answers(riid);
  bool offered = State().scenario.webView23;
  Log("query", {{"interface", "ICoreWebView2_23"}, {"offered", offered ? "1" : "0"}});
  return offered;
}

HRESULT FakeWebView::get_Settings(ICoreWebView2Settings** settings) {
  if (!settings) return E_POINTER;
  settings_->AddRef();
  *settings = settings_.get();
  return S_OK;
}

HRESULT FakeWebView::get_Source(LPWSTR* uri) { return HandOutString(source_, uri); }

HRESULT FakeWebView::Navigate(LPCWSTR uri) {
  Log("navigate", {{"uri", Utf8(uri)}});
  if (!uri) return E_INVALIDARG;
  const HRESULT refused = State().scenario.navigateResult;
  if (FAILED(refused)) {
    Log("navigate-result", {{"hr", HexHr(refused)}});
    return refused;
  }
  std::wstring target = uri;
  Player::Get().Schedule([this, target] {
    NavigateDocument(target);
    Player::Get().StartScript();
  });
  return S_OK;
}

HRESULT FakeWebView::Reload() {
  Log("reload", {{"uri", Utf8(source_)}});
  std::wstring target = source_;
  Player::Get().Schedule([this, target] { NavigateDocument(target); });
  return S_OK;
}

HRESULT FakeWebView::PostWebMessageAsJson(LPCWSTR webMessageAsJson) {
  Log("post-json", {{"text", Utf8(webMessageAsJson)}});
  return webMessageAsJson ? S_OK : E_INVALIDARG;
}

HRESULT FakeWebView::PostWebMessageAsString(LPCWSTR webMessageAsString) {
  Log("post-string", {{"text", Utf8(webMessageAsString)}});
  return webMessageAsString ? S_OK : E_INVALIDARG;
}

HRESULT FakeWebView::get_DocumentTitle(LPWSTR* title) { return HandOutString(title_, title); }

HRESULT FakeWebView::OpenDevToolsWindow() {
  Log("open-devtools", {{"enabled", Bool(settings_->devToolsEnabled())}});
  return S_OK;
}

HRESULT FakeWebView::get_ContainsFullScreenElement(BOOL* containsFullScreenElement) {
  return HandOutBool(fullscreen_, containsFullScreenElement);
}

HRESULT FakeWebView::AddWebResourceRequestedFilter(LPCWSTR uri,
                                                   COREWEBVIEW2_WEB_RESOURCE_CONTEXT context) {
  Log("filter-add", {{"uri", Utf8(uri)}, {"context", std::to_string(context)}});
  if (!uri) return E_INVALIDARG;
  filters_.emplace_back(uri, context);
  return S_OK;
}

HRESULT FakeWebView::RemoveWebResourceRequestedFilter(LPCWSTR uri,
                                                      COREWEBVIEW2_WEB_RESOURCE_CONTEXT context) {
  Log("filter-remove", {{"uri", Utf8(uri)}, {"context", std::to_string(context)}});
  for (auto it = filters_.begin(); it != filters_.end(); ++it) {
    if (uri && it->first == uri && it->second == context) {
      filters_.erase(it);
      return S_OK;
    }
  }
  return E_INVALIDARG;
}

HRESULT FakeWebView::get_Environment(ICoreWebView2Environment** environment) {
  if (!environment) return E_POINTER;
  *environment = State().environment;
  if (*environment) (*environment)->AddRef();
  return S_OK;
}

HRESULT FakeWebView::PostWebMessageAsJsonWithAdditionalObjects(
    LPCWSTR webMessageAsJson, ICoreWebView2ObjectCollectionView* additionalObjects) {
  std::vector<Field> fields{{"text", Utf8(webMessageAsJson)}};
  if (!additionalObjects) {
    fields.push_back({"objects", "none"});
  } else {
    UINT32 count = 0;
    additionalObjects->get_Count(&count);
    fields.push_back({"count", std::to_string(count)});
    std::string slots;
    for (UINT32 i = 0; i < count; ++i) {
      if (i) slots += '|';
      IUnknown* item = nullptr;
      additionalObjects->GetValueAtIndex(i, &item);
      if (!item) continue;
      ICoreWebView2FileSystemHandle* handle = nullptr;
      if (SUCCEEDED(QueryAs(item, &handle)) && handle) {
        LPWSTR path = nullptr;
        handle->get_Path(&path);
        slots += Utf8(path);
        CoTaskMemFree(path);
        handle->Release();
      } else {
        slots += '?';
      }
      item->Release();
    }
    fields.push_back({"slots", slots});
  }
  Log("post-json-with-objects", fields);
  return webMessageAsJson ? S_OK : E_INVALIDARG;
}

// ---- Raising events ----

bool FakeWebView::RaiseNavigationStarting(const std::wstring& uri) {
  auto args = ComPtr<FakeNavigationStartingArgs>::Adopt(
      new FakeNavigationStartingArgs(uri, ++navigationId_));
  std::size_t count = InvokeAll(onNavigationStarting_, this, args.get());
  Log("navigation-starting", {{"uri", Utf8(uri)},
                              {"handlers", std::to_string(count)},
                              {"cancel", args->cancel() ? "1" : "0"}});
  return !args->cancel();
}

void FakeWebView::RaiseResourceRequest(const std::wstring& uri, const std::wstring& range,
                                       bool hasRange, bool held) {
  bool matched = false;
  for (const auto& filter : filters_) matched = matched || WildcardMatch(filter.first, uri);
  if (!matched) {
    Log("not-intercepted", {{"uri", Utf8(uri)}});
    return;
  }
  HeaderList headers{{L"Accept", L"*/*"}};
  if (hasRange) headers.emplace_back(L"Range", range);
  auto request = ComPtr<FakeRequest>::Adopt(new FakeRequest(uri, std::move(headers)));
  auto args =
      ComPtr<FakeResourceRequestedArgs>::Adopt(new FakeResourceRequestedArgs(request.get()));
  Log("resource-request", {{"uri", Utf8(uri)}, {"range", hasRange ? Utf8(range) : "<none>"}});
  HRESULT result = S_OK;
  std::size_t count = InvokeAll(onWebResourceRequested_, this, args.get(), &result);
  LogResponse(uri, *args.get(), result, count, held);
}

void FakeWebView::RaiseDomContentLoaded() {
  auto args = ComPtr<FakeDomContentLoadedArgs>::Adopt(new FakeDomContentLoadedArgs(navigationId_));
  std::size_t count = InvokeAll(onDOMContentLoaded_, this, args.get());
  Log("dom-content-loaded", {{"handlers", std::to_string(count)}});
}

void FakeWebView::RaiseTitleChanged(const std::wstring& title) {
  title_ = title;
  std::size_t count = InvokeAll(onDocumentTitleChanged_, this, static_cast<IUnknown*>(nullptr));
  Log("title-changed", {{"title", Utf8(title)}, {"handlers", std::to_string(count)}});
}

void FakeWebView::RaiseFullscreenChanged(bool contains) {
  fullscreen_ = contains ? TRUE : FALSE;
  std::size_t count =
      InvokeAll(onContainsFullScreenElementChanged_, this, static_cast<IUnknown*>(nullptr));
  Log("fullscreen-changed",
      {{"contains", contains ? "1" : "0"}, {"handlers", std::to_string(count)}});
}

void FakeWebView::RaiseWebMessage(const std::wstring& source, const std::wstring& json,
                                  const std::optional<std::wstring>& text) {
  auto args = ComPtr<FakeWebMessageArgs>::Adopt(new FakeWebMessageArgs(source, json, text));
  Log("web-message",
      {{"source", Utf8(source)}, {"kind", text ? "string" : "json"}, {"json", Utf8(json)}});
  std::size_t count = InvokeAll(onWebMessageReceived_, this, args.get());
  Log("web-message-done", {{"handlers", std::to_string(count)}});
}

void FakeWebView::RaiseNewWindow(const std::wstring& uri) {
  auto args = ComPtr<FakeNewWindowArgs>::Adopt(new FakeNewWindowArgs(uri));
  std::size_t count = InvokeAll(onNewWindowRequested_, this, args.get());
  auto handled = args->handled();
  Log("new-window", {{"uri", Utf8(uri)},
                     {"handlers", std::to_string(count)},
                     {"handled", handled ? (*handled ? "1" : "0") : "unset"}});
}

void FakeWebView::RaisePermission(const std::wstring& uri, COREWEBVIEW2_PERMISSION_KIND kind) {
  auto args = ComPtr<FakePermissionArgs>::Adopt(new FakePermissionArgs(uri, kind));
  std::size_t count = InvokeAll(onPermissionRequested_, this, args.get());
  auto state = args->state();
  Log("permission", {{"uri", Utf8(uri)},
                     {"kind", std::to_string(kind)},
                     {"handlers", std::to_string(count)},
                     {"state", state ? std::to_string(*state) : "unset"}});
}

void FakeWebView::RaiseWindowCloseRequested() {
  Log("close-requested");
  std::size_t count = InvokeAll(onWindowCloseRequested_, this, static_cast<IUnknown*>(nullptr));
  Log("close-requested-done", {{"handlers", std::to_string(count)}});
  LogWindowState(State().parentWindow, "after-close-request");
}

void FakeWebView::RaiseProcessFailed(COREWEBVIEW2_PROCESS_FAILED_KIND kind, int reason) {
  auto args = ComPtr<FakeProcessFailedArgs>::Adopt(new FakeProcessFailedArgs(kind));
  Log("process-failed", {{"kind", std::to_string(kind)}, {"reason", std::to_string(reason)}});
  std::size_t count = InvokeAll(onProcessFailed_, this, args.get());
  Log("process-failed-done", {{"handlers", std::to_string(count)}});
}

void FakeWebView::NavigateDocument(const std::wstring& uri) {
  if (!RaiseNavigationStarting(uri)) return;
  source_ = uri;
  const Scenario& scenario = State().scenario;
  HWND window = State().parentWindow;
  if (!scenario.navigationFails) {
    RaiseResourceRequest(uri, L"", false);
    LogWindowState(window, "before-dom-content-loaded");
    RaiseDomContentLoaded();
    LogWindowState(window, "after-dom-content-loaded");
  }
  const bool success = !scenario.navigationFails;
  auto args = ComPtr<FakeNavigationCompletedArgs>::Adopt(new FakeNavigationCompletedArgs(
      navigationId_, success,
      success ? COREWEBVIEW2_WEB_ERROR_STATUS_UNKNOWN : scenario.navigationError));
  std::size_t count = InvokeAll(onNavigationCompleted_, this, args.get());
  Log("navigation-completed",
      {{"uri", Utf8(uri)}, {"success", success ? "1" : "0"}, {"handlers", std::to_string(count)}});
}

}  // namespace corvane::test_runtime
