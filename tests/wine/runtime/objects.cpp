// The longer members of the environment and the web view.

#include "tests/wine/runtime/objects.h"

#include <utility>

namespace corvane::test_runtime {

namespace {

// A filter ending in '*' (the one form the shell adds) matches what starts with the rest of it.
bool Matches(std::wstring_view filter, std::wstring_view uri) {
  return filter.ends_with(L'*') ? uri.starts_with(filter.substr(0, filter.size() - 1))
                                : filter == uri;
}

// `refs`: of the arguments, the request and its headers, once the handler has returned; the
// response and its body are added here.
void LogResponse(const std::wstring& uri, Props& args, HRESULT result, std::string refs,
                 bool held) {
  const Value& response = args.Prop("Response");
  std::vector<Field> fields{{"uri", Utf8(uri)}, {"result", Hex(result)}};
  Props* ours = Ours(response.object.get());
  if (!response.object || !ours) {
    fields.push_back({"status", response.object ? "foreign" : "none"});
  } else {
    IStream* content = static_cast<IStream*>(ours->Prop("Content").object.get());
    fields.insert(fields.end(), {{"status", std::to_string(ours->Prop("StatusCode").number)},
                                 {"reason", Utf8(ours->Prop("ReasonPhrase").text)},
                                 {"headers", Utf8(ours->Prop("headers").text)},
                                 {"refs", refs + "," + Refs({response.object.get(), content})},
                                 {"body", !content ? "none"
                                          : held   ? "held"
                                                   : "read"}});
    if (content && held) {
      ReadOnWorker(uri, content);
    } else if (content) {
      std::string bytes;
      if (!ReadWholeStream(content, bytes)) fields.back().value = "read-error";
      fields.push_back({"bodyHex", HexBytes(bytes)});
    }
  }
  Log("response", fields);
}

}  // namespace

std::string Refs(std::initializer_list<IUnknown*> objects) {
  std::string out;
  for (IUnknown* object : objects) {
    if (object) object->AddRef();
    out += (out.empty() ? "" : ",") + (object ? std::to_string(object->Release()) : "-");
  }
  return out;
}

HRESULT FakeEnvironment::CreateCoreWebView2Controller(
    HWND parentWindow, ICoreWebView2CreateCoreWebView2ControllerCompletedHandler* handler) {
  RuntimeState& state = State();
  Log("controller-create", {{"parent", Hex(parentWindow)}});
  LogWindowState(parentWindow, "controller-create");
  const HRESULT refused = state.scenario.Result("controller-result");
  if (FAILED(refused)) return refused;
  state.parentWindow = parentWindow;
  ComRef<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler> keep(handler);
  Schedule([keep] {
    RuntimeState& s = State();
    HRESULT error = s.scenario.Result("controller-error");
    if (s.scenario.flags.erase("browser-exits-creating-controller")) {
      // The browser dies before the controller is made: its exit comes first, then the failure.
      s.environment->RaiseBrowserExited(COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND_FAILED);
      error = HRESULT_FROM_WIN32(ERROR_INVALID_STATE);
    }
    ComRef<FakeController> controller;
    if (SUCCEEDED(error)) {
      s.webView = new FakeWebView();  // one reference kept by the runtime for the process
      s.controller = new FakeController(s.webView);
      controller = s.controller;
    }
    keep->Invoke(error, controller.get());
  });
  return S_OK;
}

void FakeEnvironment::RaiseBrowserExited(int kind) {
  auto args = New<Object<BrowserExitedArgsStub>>();
  args->Set("BrowserProcessExitKind", kind).Set("BrowserProcessId", 4242);
  RAISE(this, BrowserProcessExited, args.get());
}

HRESULT FakeEnvironment::CreateObjectCollection(UINT32 length, IUnknown** items,
                                                ICoreWebView2ObjectCollection** collection) {
  // The items are not kept: "slots" names them, the path of each handle joined by '|', empty for
  // no object and "?" for a foreign one.
  std::string slots;
  for (UINT32 i = 0; i < length; ++i) {
    IUnknown* item = items ? items[i] : nullptr;
    Props* handle = Ours(item);
    slots += std::string(i ? "|" : "") + (!item    ? ""
                                          : handle ? Utf8(handle->Prop("Path").text)
                                                   : "?");
  }
  auto* made = new Counted<ObjectCollectionStub>();
  made->Set("Count", length).Set("slots", Wide(slots));
  Log("object-collection", {{"length", std::to_string(length)}});
  *collection = made;
  return S_OK;
}

HRESULT FakeWebView::Navigate(LPCWSTR uri) {
  Log("navigate", {{"uri", Utf8(uri)}});
  const HRESULT refused = State().scenario.Result("navigate-result");
  if (FAILED(refused)) return refused;
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
  for (const auto& [filter, sources] : filters_) {
    matched =
        matched || ((sources & COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS_DOCUMENT) != 0 &&
                    Matches(filter, uri));
  }
  if (!matched) return;  // the browser fetches it itself
  auto request = New<Object<RequestStub>>();
  request->Set("Uri", uri).Set("Headers", New<FakeRequestHeaders>(range).get());
  auto args = New<Object<ResourceRequestedArgsStub>>();
  args->Set("Request", request.get());
  args->Prop("Response");  // modeled, unset
  HRESULT result = S_OK;
  RAISE(this, WebResourceRequested, args.get(), &result);
  IUnknown* requestHeaders = request->Prop("Headers").object.get();
  LogResponse(uri, *args.get(), result, Refs({args.get(), request.get(), requestHeaders}), held);
}

void FakeWebView::RaiseDomContentLoaded() {
  LogWindowState(State().parentWindow, "before-dom-content-loaded");
  RAISE(this, DOMContentLoaded, New<Object<DomContentLoadedArgsStub>>().get());
  Log("dom-content-loaded");
  LogWindowState(State().parentWindow, "after-dom-content-loaded");
}

void FakeWebView::NavigateDocument(const std::wstring& uri) {
  auto starting = New<Object<NavigationStartingArgsStub>>();
  starting->Set("Uri", uri).Set("Cancel", FALSE);
  RAISE(this, NavigationStarting, starting.get());
  const bool cancel = starting->Prop("Cancel").number != 0;
  Log("navigation-starting", {{"uri", Utf8(uri)}, {"cancel", cancel ? "1" : "0"}});
  if (cancel) return;
  Set("Source", uri);
  const Scenario& scenario = State().scenario;
  const bool fails = scenario.numbers.contains("navigation-fails");
  if (!fails) {
    RaiseResourceRequest(uri, std::nullopt);
    RaiseDomContentLoaded();
  }
  auto completed = New<Object<NavigationCompletedArgsStub>>();
  completed->Set("IsSuccess", !fails).Set("WebErrorStatus", scenario.Number("navigation-fails"));
  Log("navigation-completed", {{"success", fails ? "0" : "1"},
                               {"handlers", RAISE(this, NavigationCompleted, completed.get())}});
}

}  // namespace corvane::test_runtime
