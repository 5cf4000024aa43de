// The longer members of the environment and the web view (objects.h).

#include "tests/wine/runtime/objects.h"

#include <cstdio>

namespace corvane::test_runtime {

namespace {

// '*' matches any run of characters; everything else matches itself exactly.
bool WildcardMatch(std::wstring_view pattern, std::wstring_view text) {
  if (pattern.empty()) return text.empty();
  if (pattern[0] == L'*') {
    for (std::size_t skip = 0; skip <= text.size(); ++skip) {
      if (WildcardMatch(pattern.substr(1), text.substr(skip))) return true;
    }
    return false;
  }
  return !text.empty() && pattern[0] == text[0] && WildcardMatch(pattern.substr(1), text.substr(1));
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

// The paths of the file-system handles in `items` joined by '|': empty for an empty slot, "?"
// for an object that is not one of our handles.
std::string Slots(const std::vector<ComRef<IUnknown>>& items) {
  std::string out;
  for (std::size_t i = 0; i < items.size(); ++i) {
    Props* handle = Ours(items[i].get());
    out += std::string(i ? "|" : "") + (!items[i] ? ""
                                        : handle  ? Utf8(handle->Prop("Path").text)
                                                  : "?");
  }
  return out;
}

// A held body is read later, on a worker thread (see ReadOnWorker).
void LogResponse(const std::wstring& uri, Props& args, HRESULT result, const std::string& handlers,
                 bool held) {
  const Value& response = args.Prop("Response");
  std::vector<Field> fields{{"uri", Utf8(uri)},
                            {"handlers", handlers},
                            {"result", Hex(result)},
                            {"responsesSet", std::to_string(response.puts)}};
  Props* ours = Ours(response.object.get());
  if (!response.object || !ours) {
    fields.push_back({"status", response.object ? "foreign" : "none"});
  } else {
    IStream* content = static_cast<IStream*>(ours->Prop("Content").object.get());
    fields.insert(fields.end(), {{"status", std::to_string(ours->Prop("StatusCode").number)},
                                 {"reason", Utf8(ours->Prop("ReasonPhrase").text)},
                                 {"headers", Utf8(ours->Prop("headers").text)},
                                 {"body", !content ? "none"
                                          : held   ? "held"
                                                   : "read"}});
    if (content && held) {
      ReadOnWorker(uri, content);
    } else if (content) {
      std::string bytes;
      if (!ReadWholeStream(content, bytes)) fields.back().value = "read-error";
      fields.push_back({"bodyLength", std::to_string(bytes.size())});
      fields.push_back({"bodyFnv", Fnv1a64(bytes)});
      if (bytes.size() <= 4096) fields.push_back({"bodyHex", HexBytes(bytes)});
    }
  }
  Log("response", fields);
}

}  // namespace

HRESULT FakeEnvironment::CreateCoreWebView2Controller(
    HWND parentWindow, ICoreWebView2CreateCoreWebView2ControllerCompletedHandler* handler) {
  RuntimeState& state = State();
  Log("controller-create",
      {{"parent", Hex(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(parentWindow)))},
       {"handler", handler ? "1" : "0"}});
  LogWindowState(parentWindow, "controller-create");
  if (FAILED(state.scenario.controllerResult)) {
    Log("controller-create-result", {{"hr", Hex(state.scenario.controllerResult)}});
    return state.scenario.controllerResult;
  }
  if (!handler) return E_INVALIDARG;
  state.parentWindow = parentWindow;
  ComRef<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler> keep(handler);
  Schedule([keep] {
    RuntimeState& s = State();
    const HRESULT error = s.scenario.controllerError;
    ComRef<FakeController> controller;
    if (SUCCEEDED(error)) {
      s.webView = new FakeWebView();  // one reference kept by the runtime for the process
      s.controller = new FakeController(s.webView);
      controller = s.controller;
    }
    const HRESULT result = keep->Invoke(error, controller.get());
    Log("controller-completed",
        {{"error", Hex(error)}, {"controller", controller ? "1" : "0"}, {"result", Hex(result)}});
  });
  return S_OK;
}

HRESULT FakeEnvironment::CreateObjectCollection(UINT32 length, IUnknown** items,
                                                ICoreWebView2ObjectCollection** collection) {
  if (!collection) return E_POINTER;
  std::vector<ComRef<IUnknown>> held;
  for (UINT32 i = 0; i < length; ++i) held.emplace_back(items ? items[i] : nullptr);
  const std::string slots = Slots(held);
  auto* made = new Object<ObjectCollectionStub>();
  made->Set("Count", length).Set("slots", Wide(slots));  // the items are not kept
  Log("object-collection", {{"length", std::to_string(length)}, {"slots", slots}});
  *collection = made;
  return S_OK;
}

HRESULT FakeWebView::Navigate(LPCWSTR uri) {
  Log("navigate", {{"uri", Utf8(uri)}});
  if (!uri) return E_INVALIDARG;
  const HRESULT refused = State().scenario.navigateResult;
  if (FAILED(refused)) {
    Log("navigate-result", {{"hr", Hex(refused)}});
    return refused;
  }
  std::wstring target = uri;
  Schedule([this, target] {
    NavigateDocument(target);
    StartScript();
  });
  return S_OK;
}

void FakeWebView::RaiseResourceRequest(const std::wstring& uri,
                                       const std::optional<std::wstring>& range, bool held) {
  bool matched = false;
  for (const auto& filter : filters_) matched = matched || WildcardMatch(filter, uri);
  if (!matched) {
    Log("not-intercepted", {{"uri", Utf8(uri)}});
    return;
  }
  std::vector<std::pair<std::wstring, std::wstring>> headers{{L"Accept", L"*/*"}};
  if (range) headers.emplace_back(L"Range", *range);
  auto request = New<Object<RequestStub>>();
  request->Set("Uri", uri).Set("Headers", New<FakeRequestHeaders>(headers).get());
  auto args = New<Object<ResourceRequestedArgsStub>>();
  args->Set("Request", request.get());
  args->Prop("Response");  // modeled, unset
  Log("resource-request", {{"uri", Utf8(uri)}, {"range", range ? Utf8(*range) : "<none>"}});
  HRESULT result = S_OK;
  const std::string handlers = RAISE(this, WebResourceRequested, this, args.get(), &result);
  LogResponse(uri, *args.get(), result, handlers, held);
}

void FakeWebView::RaiseDomContentLoaded() {
  LogWindowState(State().parentWindow, "before-dom-content-loaded");
  const auto args = New<Object<DomContentLoadedArgsStub>>();
  Log("dom-content-loaded", {{"handlers", RAISE(this, DOMContentLoaded, this, args.get())}});
  LogWindowState(State().parentWindow, "after-dom-content-loaded");
}

void FakeWebView::NavigateDocument(const std::wstring& uri) {
  auto starting = New<Object<NavigationStartingArgsStub>>();
  starting->Set("Uri", uri).Set("Cancel", FALSE);
  const std::string handlers = RAISE(this, NavigationStarting, this, starting.get());
  const bool cancel = starting->Prop("Cancel").number != 0;
  Log("navigation-starting",
      {{"uri", Utf8(uri)}, {"handlers", handlers}, {"cancel", cancel ? "1" : "0"}});
  if (cancel) return;
  Set("Source", uri);
  const Scenario& scenario = State().scenario;
  if (!scenario.navigationFails) {
    RaiseResourceRequest(uri, std::nullopt);
    RaiseDomContentLoaded();
  }
  auto completed = New<Object<NavigationCompletedArgsStub>>();
  completed->Set("IsSuccess", !scenario.navigationFails)
      .Set("WebErrorStatus", scenario.navigationError);
  Log("navigation-completed",
      {{"uri", Utf8(uri)},
       {"success", scenario.navigationFails ? "0" : "1"},
       {"handlers", RAISE(this, NavigationCompleted, this, completed.get())}});
}

}  // namespace corvane::test_runtime
