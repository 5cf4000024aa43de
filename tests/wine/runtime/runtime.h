#pragma once
// Shared pieces of the scripted test runtime (the stand-in WebView2Loader.dll): text helpers, the
// event log, COM reference helpers, the scenario and the player that runs it on the UI thread.
// The formats are described at the top of loader_main.cpp.

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "interface_stubs.h"  // generated from webview2_abi.h by generate_stubs.py
#include "webview2/webview2_abi.h"

namespace corvane::test_runtime {

// ---- Text ----

// UTF-8 of a runtime or shell string; a null pointer gives "<null>".
std::string Utf8(const wchar_t* text);
std::string Utf8(std::wstring_view text);
std::wstring Wide(std::string_view text);
// A CoTaskMemAlloc copy, as every LPWSTR* out-parameter must be.
LPWSTR CoTaskCopy(std::wstring_view text);
std::string HexHr(HRESULT hr);
std::string Hex32(std::uint32_t value);
std::string RectText(const RECT& rect);
bool WildcardMatch(std::wstring_view pattern, std::wstring_view text);

// ---- Log ----

struct Field {
  std::string key;
  std::string value;
};

void OpenLog(const std::wstring& path);
// One line: the event name, then key=value fields, tab-separated, with \\, \t, \n, \r escaped.
void Log(std::string_view event, std::initializer_list<Field> fields = {});
void Log(std::string_view event, const std::vector<Field>& fields);
// The real state of a top-level window, read with Win32 calls.
void LogWindowState(HWND window, std::string_view label);
// Logs the host executable's version resource as the event "exe-version".
void LogExeVersion();

// ---- COM helpers ----

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(T* p) : p_(p) {  // NOLINT: takes a new reference
    if (p_) p_->AddRef();
  }
  ComPtr(const ComPtr& other) : ComPtr(other.p_) {}
  ComPtr& operator=(const ComPtr& other) {
    ComPtr copy(other);
    std::swap(p_, copy.p_);
    return *this;
  }
  ~ComPtr() {
    if (p_) p_->Release();
  }
  // Adopts a reference the caller already owns.
  static ComPtr Adopt(T* p) {
    ComPtr result;
    result.p_ = p;
    return result;
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // Hands an owned reference to an out-parameter.
  T* Detach() {
    T* p = p_;
    p_ = nullptr;
    return p;
  }

 private:
  T* p_ = nullptr;
};

// Reference counting and QueryInterface for an object implementing one interface chain; it
// answers IUnknown and every level of the chain unless Answers says otherwise.
template <class Base>
class ComObject : public Base {
 public:
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(riid, IID_IUnknown) && !Answers(riid)) return E_NOINTERFACE;
    *out = static_cast<Base*>(this);
    AddRef();
    return S_OK;
  }

 protected:
  virtual ~ComObject() = default;
  virtual bool Answers(REFIID riid) const {
    for (const IID* id : Base::kInterfaceIds) {
      if (IsEqualIID(riid, *id)) return true;
    }
    return false;
  }

 private:
  ULONG refs_ = 1;
};

inline HRESULT HandOutString(std::wstring_view text, LPWSTR* out) {
  if (!out) return E_POINTER;
  *out = CoTaskCopy(text);
  return *out ? S_OK : E_OUTOFMEMORY;
}

inline HRESULT HandOutBool(bool value, BOOL* out) {
  if (!out) return E_POINTER;
  *out = value ? TRUE : FALSE;
  return S_OK;
}

// ---- Response bodies ----

// Reads a response body to its end, as the browser would; false on a failed read.
bool ReadWholeStream(IStream* stream, std::string& bytes);
// FNV-1a 64 of the bytes as 16 hex digits, and the bytes themselves as hex.
std::string Fnv1a64(const std::string& bytes);
std::string HexBytes(const std::string& bytes);
// Hands the body to a worker thread of its own through COM marshaling, as the browser does; the
// worker reads a first piece at once and the rest when FinishHeldReads lets it (UI thread).
void ReadOnWorker(const std::wstring& uri, IStream* content);
// Lets every worker read to the end, waits for them (5 s in all) and logs each body as
// "held-body"; nothing when no body is held.
void FinishHeldReads();

// ---- Scenario ----

struct RuntimeInstall {
  bool nullFolder = true;  // the installed (evergreen) runtime: no browser folder given
  std::wstring folder;
  std::string version;
  std::wstring whenExists;  // present only while this file exists (empty: always)
};

struct Step {
  int line = 0;
  std::string verb;
  std::string rest;  // the text after the verb, escapes resolved
};

struct Scenario {
  std::vector<RuntimeInstall> runtimes;
  HRESULT environmentResult = S_OK;  // returned at once; the handler is then never called
  HRESULT environmentError = S_OK;   // passed to the handler with no environment
  HRESULT controllerResult = S_OK;
  HRESULT controllerError = S_OK;
  HRESULT navigateResult = S_OK;  // what every Navigate returns; a failure navigates nowhere
  // Navigations of documents end with NavigationCompleted IsSuccess FALSE and this status,
  // without DOMContentLoaded.
  bool navigationFails = false;
  COREWEBVIEW2_WEB_ERROR_STATUS navigationError = COREWEBVIEW2_WEB_ERROR_STATUS_UNKNOWN;
  bool settings3 = true;
  bool environment14 = true;
  bool webView23 = true;
  bool interceptShellExecute = true;
  unsigned timerDivisor = 0;  // 0: the shell's SetTimer is left alone
  std::vector<Step> steps;
};

// Reads the file; unknown lines are logged as "scenario-error" and skipped.
Scenario LoadScenario(const std::wstring& path);

// ---- Process-wide state (UI thread only) ----

class FakeEnvironment;
class FakeController;
class FakeWebView;

struct RuntimeState {
  Scenario scenario;
  HMODULE module = nullptr;
  HWND parentWindow = nullptr;
  FakeEnvironment* environment = nullptr;  // kept alive for the process; never released
  FakeController* controller = nullptr;
  FakeWebView* webView = nullptr;
};

// Loads the scenario and opens the log on first use.
RuntimeState& State();

// Replaces the main module's import of ShellExecuteW (and ShellExecuteExW) with a logger, so no
// test ever launches a browser or a file.
void InterceptShellExecute();

// Replaces the main module's import of SetTimer with one that divides delays of a second and
// more by `divisor` and logs each call.
void ScaleTimers(UINT divisor);

// ---- Player: runs actions one at a time from the thread's message loop ----

class Player {
 public:
  static Player& Get();
  // Creates the message-only window on the calling (UI) thread.
  void Attach();
  void Schedule(std::function<void()> action);
  // Called after the first navigation: plays the scenario's steps in order.
  void StartScript();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void RunQueued();
  void RunStep(const Step& step);
  void ScheduleNextStep();

  HWND window_ = nullptr;
  std::deque<std::function<void()>> queue_;
  bool running_ = false;
  bool scriptStarted_ = false;
  std::size_t nextStep_ = 0;
};

}  // namespace corvane::test_runtime
