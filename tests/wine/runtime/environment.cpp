// The environment and the objects it makes for the shell: responses, file-system handles and
// object collections.

#include <set>

#include "tests/wine/runtime/event_args.h"
#include "tests/wine/runtime/objects.h"

namespace corvane::test_runtime {

namespace {

// Responses made by our environment; only these can be read back in full.
std::set<FakeResponse*>& LiveResponses() {
  static auto* responses = new std::set<FakeResponse*>;
  return *responses;
}

}  // namespace

// ---- FakeResponse ----

FakeResponse* FakeResponse::From(ICoreWebView2WebResourceResponse* response) {
  for (FakeResponse* known : LiveResponses()) {
    if (static_cast<ICoreWebView2WebResourceResponse*>(known) == response) return known;
  }
  return nullptr;
}

FakeResponse::~FakeResponse() { LiveResponses().erase(this); }

HRESULT FakeResponse::get_Content(IStream** content) {
  if (!content) return E_POINTER;
  *content = content_.get();
  if (*content) (*content)->AddRef();
  return S_OK;
}

HRESULT FakeResponse::put_Content(IStream* content) {
  Log("response-set", {{"what", "Content"}});
  content_ = ComPtr<IStream>(content);
  return S_OK;
}

HRESULT FakeResponse::get_StatusCode(int* statusCode) {
  if (!statusCode) return E_POINTER;
  *statusCode = status_;
  return S_OK;
}

HRESULT FakeResponse::put_StatusCode(int statusCode) {
  Log("response-set", {{"what", "StatusCode"}, {"value", std::to_string(statusCode)}});
  status_ = statusCode;
  return S_OK;
}

HRESULT FakeResponse::get_ReasonPhrase(LPWSTR* reasonPhrase) {
  return HandOutString(reason_, reasonPhrase);
}

HRESULT FakeResponse::put_ReasonPhrase(LPCWSTR reasonPhrase) {
  Log("response-set", {{"what", "ReasonPhrase"}, {"value", Utf8(reasonPhrase)}});
  reason_ = reasonPhrase ? reasonPhrase : L"";
  return S_OK;
}

// ---- FakeFileSystemHandle ----

HRESULT FakeFileSystemHandle::get_Kind(COREWEBVIEW2_FILE_SYSTEM_HANDLE_KIND* value) {
  if (!value) return E_POINTER;
  *value = kind_;
  return S_OK;
}

HRESULT FakeFileSystemHandle::get_Path(LPWSTR* value) { return HandOutString(path_, value); }

HRESULT FakeFileSystemHandle::get_Permission(COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION* value) {
  if (!value) return E_POINTER;
  *value = permission_;
  return S_OK;
}

// ---- FakeObjectCollection ----

HRESULT FakeObjectCollection::get_Count(UINT32* value) {
  if (!value) return E_POINTER;
  *value = static_cast<UINT32>(items_.size());
  return S_OK;
}

HRESULT FakeObjectCollection::GetValueAtIndex(UINT32 index, IUnknown** value) {
  if (!value) return E_POINTER;
  if (index >= items_.size()) return E_INVALIDARG;
  *value = items_[index].get();
  if (*value) (*value)->AddRef();
  return S_OK;
}

HRESULT FakeObjectCollection::RemoveValueAtIndex(UINT32 index) {
  Log("collection-remove", {{"index", std::to_string(index)}});
  if (index >= items_.size()) return E_INVALIDARG;
  items_.erase(items_.begin() + index);
  return S_OK;
}

HRESULT FakeObjectCollection::InsertValueAtIndex(UINT32 index, IUnknown* value) {
  Log("collection-insert", {{"index", std::to_string(index)}});
  if (index > items_.size()) return E_INVALIDARG;
  items_.insert(items_.begin() + index, ComPtr<IUnknown>(value));
  return S_OK;
}

std::string FakeObjectCollection::Describe() const {
  std::string out;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (i) out += '|';
    IUnknown* item = items_[i].get();
    if (!item) continue;
    ICoreWebView2FileSystemHandle* handle = nullptr;
    if (FAILED(QueryAs(item, &handle)) || !handle) {
      out += '?';
      continue;
    }
    LPWSTR path = nullptr;
    handle->get_Path(&path);
    out += Utf8(path);
    CoTaskMemFree(path);
    handle->Release();
  }
  return out;
}

// ---- FakeEnvironment ----

bool FakeEnvironment::Answers(REFIID riid) const {
  if (!IsEqualIID(riid, IID_ICoreWebView2Environment14)) return ComObject::Answers(riid);
  bool offered = State().scenario.environment14;
  Log("query", {{"interface", "ICoreWebView2Environment14"}, {"offered", offered ? "1" : "0"}});
  return offered;
}

HRESULT FakeEnvironment::CreateCoreWebView2Controller(
    HWND parentWindow, ICoreWebView2CreateCoreWebView2ControllerCompletedHandler* handler) {
  RuntimeState& state = State();
  Log("controller-create",
      {{"parent",
        Hex32(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(parentWindow)))},
       {"handler", handler ? "1" : "0"}});
  LogWindowState(parentWindow, "controller-create");
  if (FAILED(state.scenario.controllerResult)) {
    Log("controller-create-result", {{"hr", HexHr(state.scenario.controllerResult)}});
    return state.scenario.controllerResult;
  }
  if (!handler) return E_INVALIDARG;
  state.parentWindow = parentWindow;
  ComPtr<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler> keep(handler);
  Player::Get().Schedule([keep, parentWindow] {
    RuntimeState& s = State();
    HRESULT error = s.scenario.controllerError;
    ComPtr<FakeController> controller;
    if (SUCCEEDED(error)) {
      s.webView = new FakeWebView();  // one reference kept by the runtime for the process
      s.controller = new FakeController(parentWindow, s.webView);
      controller = ComPtr<FakeController>(s.controller);
    }
    HRESULT result = keep->Invoke(error, controller.get());
    Log("controller-completed", {{"error", HexHr(error)},
                                 {"controller", controller ? "1" : "0"},
                                 {"result", HexHr(result)}});
  });
  return S_OK;
}

void FakeEnvironment::RaiseBrowserProcessExited(COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND kind) {
  auto args = ComPtr<FakeBrowserExitedArgs>::Adopt(new FakeBrowserExitedArgs(kind));
  Log("browser-exited", {{"kind", std::to_string(kind)}});
  auto handlers = onBrowserProcessExited_.Snapshot();
  for (auto& handler : handlers) handler->Invoke(this, args.get());
  Log("browser-exited-done", {{"handlers", std::to_string(handlers.size())}});
}

HRESULT FakeEnvironment::CreateWebResourceResponse(IStream* content, int statusCode,
                                                   LPCWSTR reasonPhrase, LPCWSTR headers,
                                                   ICoreWebView2WebResourceResponse** response) {
  if (!response) return E_POINTER;
  auto* made = new FakeResponse(content, statusCode, reasonPhrase ? reasonPhrase : L"",
                                headers ? headers : L"");
  LiveResponses().insert(made);
  *response = made;
  return S_OK;
}

HRESULT FakeEnvironment::get_BrowserVersionString(LPWSTR* versionInfo) {
  return HandOutString(version_, versionInfo);
}

HRESULT FakeEnvironment::get_UserDataFolder(LPWSTR* value) {
  return HandOutString(userDataFolder_, value);
}

HRESULT FakeEnvironment::CreateWebFileSystemFileHandle(
    LPCWSTR path, COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION permission,
    ICoreWebView2FileSystemHandle** value) {
  Log("file-handle", {{"path", Utf8(path)}, {"permission", std::to_string(permission)}});
  if (!value) return E_POINTER;
  *value = new FakeFileSystemHandle(path ? path : L"", permission,
                                    COREWEBVIEW2_FILE_SYSTEM_HANDLE_KIND_FILE);
  return S_OK;
}

HRESULT FakeEnvironment::CreateWebFileSystemDirectoryHandle(
    LPCWSTR path, COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION permission,
    ICoreWebView2FileSystemHandle** value) {
  Log("directory-handle", {{"path", Utf8(path)}, {"permission", std::to_string(permission)}});
  if (!value) return E_POINTER;
  *value = nullptr;
  if (!path || !*path) return E_INVALIDARG;
  *value =
      new FakeFileSystemHandle(path, permission, COREWEBVIEW2_FILE_SYSTEM_HANDLE_KIND_DIRECTORY);
  return S_OK;
}

HRESULT FakeEnvironment::CreateObjectCollection(UINT32 length, IUnknown** items,
                                                ICoreWebView2ObjectCollection** objectCollection) {
  if (!objectCollection) return E_POINTER;
  std::vector<ComPtr<IUnknown>> held;
  for (UINT32 i = 0; i < length; ++i) held.emplace_back(items ? items[i] : nullptr);
  auto* collection = new FakeObjectCollection(std::move(held));
  Log("object-collection", {{"length", std::to_string(length)}, {"slots", collection->Describe()}});
  *objectCollection = collection;
  return S_OK;
}

}  // namespace corvane::test_runtime
