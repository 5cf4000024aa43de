#pragma once
// What the parts of the stand-in runtime share: text helpers, the log, objects built from
// properties, the scenario and the player that runs it (formats: loader_main.cpp).

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "base/com_ref_win.h"
#include "tests/wine/common/log_text.h"
#include "webview2/webview2_abi.h"

namespace corvane::test_runtime {

using test_log::Field;
using test_log::Hex;
using test_log::Utf8;
std::string Utf8(const wchar_t* text);  // "<null>" for a null pointer
std::wstring Wide(std::string_view text);
LPWSTR CoTaskCopy(std::wstring_view text);  // what every LPWSTR* out-parameter gets
std::string HexBytes(const std::string& bytes);
std::string RectText(const RECT& rect);

void Log(std::string_view event, const std::vector<Field>& fields = {});
HRESULT UnexpectedCall(const char* method);  // logged; E_NOTIMPL
void LogWindowState(HWND window, std::string_view label);
void LogExeVersion();

// A property as the shell sees it through get_X/put_X; `puts` counts the shell's writes.
struct Value {
  long long number = 0;
  std::wstring text;
  RECT rect{};
  ComRef<IUnknown> object;
  int puts = 0;
};

// The properties an object was given and the handlers registered for its events; the generated
// stubs route get_X, put_X and add_X here, and a property not given is an unexpected call.
class Props {
 public:
  virtual ~Props() = default;

  template <class T>
  Props& Set(const std::string& name, T value) {
    Store(props_[name], value);
    return *this;
  }
  Value& Prop(const std::string& name) { return props_[name]; }

  template <class T>
  HRESULT Get(const char* method, T* out) {
    auto found = props_.find(Name(method));
    if (found == props_.end()) return UnexpectedCall(method);
    [[maybe_unused]] const Value& v = found->second;
    if constexpr (std::is_same_v<T, LPWSTR>) {
      *out = CoTaskCopy(v.text);
    } else if constexpr (std::is_base_of_v<IUnknown, std::remove_pointer_t<T>>) {
      *out = static_cast<T>(v.object.get());  // it was stored as that interface
      if (*out) (*out)->AddRef();
    } else if constexpr (std::is_arithmetic_v<T> || std::is_enum_v<T>) {
      *out = static_cast<T>(v.number);
    } else {
      return UnexpectedCall(method);
    }
    return S_OK;
  }

  template <class T>
  HRESULT Put(const char* method, T value) {
    auto found = props_.find(Name(method));
    if (found == props_.end() || !Store(found->second, value)) return UnexpectedCall(method);
    ++found->second.puts;
    Changed(found->first, found->second);
    return S_OK;
  }

  HRESULT AddHandler(const char* method, IUnknown* handler, EventRegistrationToken* token);

  // Calls the handlers of `event` (a copy of the list: a handler may register another); returns
  // how many there were, for the log, and `last` the result of the last one.
  template <class Handler, class Sender, class Args>
  std::string Raise(const char* event, Sender sender, Args args, HRESULT* last = nullptr) {
    const auto list = handlers_[event];
    for (const auto& handler : list) {
      const HRESULT result = static_cast<Handler*>(handler.get())->Invoke(sender, args);
      if (last) *last = result;
    }
    return std::to_string(list.size());
  }

  bool topLevelOffered = true;  // false: QueryInterface refuses the newest level of the chain

 protected:
  virtual void Changed(const std::string& /*name*/, const Value& /*value*/) {}  // after a put

 private:
  static std::string Name(const char* method) { return std::strstr(method, "::") + 6; }

  template <class T>
  static bool Store([[maybe_unused]] Value& v, [[maybe_unused]] T value) {
    if constexpr (std::is_same_v<T, std::wstring>) {
      v.text = value;
    } else if constexpr (std::is_convertible_v<T, std::wstring_view>) {
      v.text = value ? value : L"";
    } else if constexpr (std::is_same_v<T, RECT>) {
      v.rect = value;
    } else if constexpr (std::is_base_of_v<IUnknown, std::remove_pointer_t<T>>) {
      v.object = ComRef<IUnknown>(value);
    } else if constexpr (std::is_arithmetic_v<T> || std::is_enum_v<T>) {
      v.number = static_cast<long long>(value);
    } else {
      return false;
    }
    return true;
  }

  std::map<std::string, Value> props_;
  std::map<std::string, std::vector<ComRef<IUnknown>>> handlers_;
};

}  // namespace corvane::test_runtime

#include "interface_stubs.h"  // generated from webview2_abi.h by generate_stubs.py

namespace corvane::test_runtime {

// The private interface ID under which every Object hands out its Props, unreferenced.
inline constexpr IID kPropsIid = {
    0x6b1d2c3e, 0x43a1, 0x4f0e, {0x9c, 0x55, 0x1e, 0x2d, 0x7a, 0x60, 0x8b, 0x13}};

// A generated stub made a COM object: it answers to IUnknown and every level of its chain.
template <class Stub>
class Object : public Stub {
 public:
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(riid, kPropsIid)) {
      *out = static_cast<Props*>(this);
      return S_OK;
    }
    bool known = IsEqualIID(riid, IID_IUnknown);
    for (const IID* id : Stub::kInterfaceIds) known = known || IsEqualIID(riid, *id);
    if (IsEqualIID(riid, *std::end(Stub::kInterfaceIds)[-1])) known = this->topLevelOffered;
    if (!known) return E_NOINTERFACE;
    *out = static_cast<typename Stub::Interface*>(this);
    AddRef();
    return S_OK;
  }

 private:
  ULONG refs_ = 1;
};

template <class T, class... A>
ComRef<T> New(A&&... args) {
  return ComRef<T>::Adopt(new T(std::forward<A>(args)...));
}

// The properties of one of our objects, or null for anything else.
inline Props* Ours(IUnknown* object) {
  void* props = nullptr;
  return object && SUCCEEDED(object->QueryInterface(kPropsIid, &props)) ? static_cast<Props*>(props)
                                                                        : nullptr;
}

// Each object's reference count, comma-separated ("-" for none).
std::string Refs(std::initializer_list<IUnknown*> objects);
bool ReadWholeStream(IStream* stream, std::string& bytes);  // false on a failed read
// Hands the body to a worker thread through COM marshaling, as the browser does; it reads a first
// piece at once and the rest once FinishHeldReads (UI thread) lets it, which logs "held-body".
void ReadOnWorker(const std::wstring& uri, IStream* content);
void FinishHeldReads();

struct RuntimeInstall {
  std::wstring folder;      // empty: the installed runtime, asked for without a browser folder
  std::wstring whenExists;  // empty: always present
};

struct Step {
  int line = 0;
  std::string verb;
  std::string rest;  // escapes resolved
};

// The set-up directives by name: the flags given, and the number each numbered one was given with
// (HRESULTs, navigation-fails' status, timer-scale's divisor).
struct Scenario {
  std::vector<RuntimeInstall> runtimes;
  std::set<std::string> flags;
  std::map<std::string, long long> numbers;
  std::wstring refusedHandle;
  std::vector<Step> steps;

  long long Number(const std::string& directive) const {  // 0 when not given
    return numbers.contains(directive) ? numbers.at(directive) : 0;
  }
  HRESULT Result(const std::string& directive) const { return HRESULT(Number(directive)); }
};

// Unknown lines are logged as "scenario-error" and skipped.
Scenario LoadScenario(const std::wstring& path);

class FakeEnvironment;
class FakeController;
class FakeWebView;

// Process-wide, UI thread only; built on first use, when it loads the scenario and opens the log.
struct RuntimeState {
  Scenario scenario;
  HMODULE module = nullptr;
  HWND parentWindow = nullptr;
  FakeEnvironment* environment = nullptr;  // each kept alive for the process; never released
  FakeController* controller = nullptr;
  FakeWebView* webView = nullptr;
};
RuntimeState& State();

// The main module's ShellExecuteW becomes a logger, so no test ever opens a browser or a file.
void InterceptShellExecute();
// The main module's SetTimer divides delays of a second and more by `divisor`, and its
// GetTickCount64 runs as much faster.
void ScaleTimers(UINT divisor);

// Runs actions one at a time from the UI thread's message loop, as the runtime raises events.
void Schedule(std::function<void()> action);
void StartScript();  // after the first navigation: plays the steps in order

}  // namespace corvane::test_runtime
