// Scripted stand-in for WebView2Loader.dll, used only by the end-to-end tests under Wine. It
// exports CreateCoreWebView2EnvironmentWithOptions and GetAvailableCoreWebView2BrowserVersionString
// and plays a scenario against the shell: completion handlers and events are posted to the
// calling (UI) thread and run from inside the shell's message loop, one at a time. Everything the
// shell does is written to a log. CORVANE_TEST_SCENARIO names the scenario file,
// CORVANE_TEST_LOG the log (appended to).
//
// ---- Scenario file: UTF-8, one directive a line ----
// Set-up, anywhere in the file:
//   runtime <folder|-> [when-exists <path>]   a runtime for that browser folder ("-": none, the
//       installed runtime; else compared case-insensitively), present only while <path> exists
//       if given. Repeatable; without any, the installed one. Each reports 137.0.3296.44.
//   no-runtime                 no runtime anywhere
//   environment-result | controller-result <hr>   creating one returns <hr> at once
//   environment-error | controller-error <hr>     its handler gets <hr> and no object
//   navigate-result <hr>       every Navigate returns <hr> and navigates nowhere
//   navigation-fails <status>  document navigations complete unsuccessfully with that
//                              WebErrorStatus, without their request and DOMContentLoaded
//   no-settings3 | no-environment14 | no-webview23   QueryInterface for that level fails
//   no-source-kinds            the filter naming request sources is refused (E_NOTIMPL)
//   timer-scale <divisor>      the shell's SetTimer delays of 1 s and more are divided by it,
//                              and its GetTickCount64 runs that many times as fast
//   handle-refused <suffix>    directory handles for paths ending so are refused
// Every environment request makes a new environment; the steps go on with the newest objects.
// The shell's ShellExecuteW is always replaced by a logger.
//
// Steps, played in order once the first Navigate has been served:
//   state <label>                    log the main window's real state
//   wait <milliseconds>
//   title <text>                     DocumentTitleChanged with that title
//   fullscreen <0|1>                 ContainsFullScreenElementChanged
//   request | request-held <uri> [<range>]   WebResourceRequested (when a filter matches); held:
//       the body read on a worker thread, a first piece at once, the rest when the shell releases
//       its controller
//   request-worker <uri>             WebResourceRequested for a service worker's request, raised
//       only when a filter names that source (the plain filter takes documents' requests alone)
//   navigation <uri>                 a document navigation in the main frame
//   new-window | script-window <uri>   NewWindowRequested, user-initiated or from a script
//       without the user's click
//   permission <kind> <uri>          PermissionRequested (kind: the enum's number)
//   key <virtual-key> [up]           AcceleratorKeyPressed on the controller
//   message-string | message-json <source> <text>   WebMessageReceived, posted as a string or
//       as a non-string JSON value
//   dom-content-loaded               DOMContentLoaded again
//   syscommand <wParam> <lParam>     WM_SYSCOMMAND to the main window; logs whether a menu loop
//                                    started (it is ended again at once)
//   end-session [asked|cancelled]    WM_QUERYENDSESSION and WM_ENDSESSION (a logoff) to the
//                                    main window: only the question, or the session not ended
//                                    after all; logged once they returned
//   close                            WindowCloseRequested
//   process-failed <kind>            ProcessFailed (the enum's number)
//   browser-exited [failed|normal]   the environment's BrowserProcessExited
// In texts, \n \t \r and \\ are escapes.
//
// ---- Log: tests/wine/common/log_text.h; a null string reads <null> ----
// The events and fields are those of the Log calls in these sources. Of note: "response" status
// is "none" without a response, "foreign" for one we did not make; refs: the reference counts
// of the arguments, request, headers, response and body once the handler has returned.
// "held-body" result: read, read-error, timeout, marshal-<hr> or unmarshal-<hr>; direct 1 when
// the marshaled stream arrived as the object itself; early: bytes of the first piece. "window"
// is logged at controller-create, around every DOMContentLoaded, after a close request and by
// "state"; iconColour: the class icon's centre pixel drawn at 32x32 on black. "close-requested"
// liveHandles: the directory handles and collections not yet released.
// "unexpected-call": a method not modeled (E_NOTIMPL).

#include <objbase.h>

#include "tests/wine/runtime/objects.h"

namespace corvane::test_runtime {

namespace {

HMODULE g_module = nullptr;

const RuntimeInstall* FindRuntime(PCWSTR folder) {
  for (const RuntimeInstall& install : State().scenario.runtimes) {
    if (install.nullFolder != (folder == nullptr)) continue;
    if (folder && _wcsicmp(install.folder.c_str(), folder) != 0) continue;
    if (!install.whenExists.empty() &&
        GetFileAttributesW(install.whenExists.c_str()) == INVALID_FILE_ATTRIBUTES) {
      continue;
    }
    return &install;
  }
  return nullptr;
}

// The calling thread's apartment, and the failure the runtime reports outside an STA.
std::string Apartment(HRESULT* failure) {
  APTTYPE type{};
  APTTYPEQUALIFIER qualifier{};
  *failure = CO_E_NOTINITIALIZED;
  if (FAILED(CoGetApartmentType(&type, &qualifier))) return "none";
  *failure = type == APTTYPE_MTA || type == APTTYPE_NA ? RPC_E_CHANGED_MODE : S_OK;
  const char* const names[] = {"sta", "mta", "na", "mainsta"};  // APTTYPE_STA ... _MAINSTA
  return type >= APTTYPE_STA && type <= APTTYPE_MAINSTA ? names[type] : "other";
}

// Reads the options the shell sets, through the shell's own object.
void LogOptions(ICoreWebView2EnvironmentOptions* options) {
  if (!options) return;
  ComRef<IUnknown> unknown;
  const HRESULT asUnknown =
      options->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(unknown.Put()));
  CoTaskText arguments, version;
  options->get_AdditionalBrowserArguments(arguments.Put());
  options->get_TargetCompatibleBrowserVersion(version.Put());
  Log("options", {{"unknown", SUCCEEDED(asUnknown) ? "1" : "0"},
                  {"AdditionalBrowserArguments", Utf8(arguments.get())},
                  {"TargetCompatibleBrowserVersion", Utf8(version.get())}});
}

}  // namespace

RuntimeState& State() {
  static RuntimeState* state = nullptr;
  if (state) return *state;
  state = new RuntimeState;  // never destroyed: it holds references into the shell
  state->module = g_module;
  const std::wstring scenarioPath = test_log::Variable(L"CORVANE_TEST_SCENARIO");
  OpenLog(test_log::Variable(L"CORVANE_TEST_LOG"));
  LogExeVersion();
  state->scenario = LoadScenario(scenarioPath);
  InterceptShellExecute();
  if (state->scenario.timerDivisor != 0) ScaleTimers(state->scenario.timerDivisor);
  return *state;
}

}  // namespace corvane::test_runtime

using namespace corvane;
using namespace corvane::test_runtime;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  // Only the module handle is kept here; State() is built later, outside the loader lock.
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    g_module = instance;
  }
  return TRUE;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE
    GetAvailableCoreWebView2BrowserVersionString(PCWSTR browserExecutableFolder,
                                                 LPWSTR* versionInfo) {
  State();
  const RuntimeInstall* install = FindRuntime(browserExecutableFolder);
  Log("version-query", {{"folder", Utf8(browserExecutableFolder)}, {"found", install ? "1" : "0"}});
  if (!versionInfo) return E_POINTER;
  *versionInfo = install ? CoTaskCopy(L"137.0.3296.44") : nullptr;
  return install ? S_OK : HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE CreateCoreWebView2EnvironmentWithOptions(
    PCWSTR browserExecutableFolder, PCWSTR userDataFolder,
    ICoreWebView2EnvironmentOptions* environmentOptions,
    ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* environmentCreatedHandler) {
  RuntimeState& state = State();
  HRESULT immediate = S_OK;
  const std::string apartment = Apartment(&immediate);
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  const std::wstring hostingMode = test_log::Variable(L"COREWEBVIEW2_FORCED_HOSTING_MODE");
  const bool hostingModeSet =
      GetEnvironmentVariableW(L"COREWEBVIEW2_FORCED_HOSTING_MODE", nullptr, 0) != 0;
  Log("environment-create", {{"browserFolder", Utf8(browserExecutableFolder)},
                             {"userDataFolder", Utf8(userDataFolder)},
                             {"hostingModeEnv", hostingModeSet ? Utf8(hostingMode) : "<unset>"},
                             {"apartment", apartment},
                             {"dpi", std::to_string(dpi)}});
  LogOptions(environmentOptions);

  if (FAILED(state.scenario.environmentResult)) immediate = state.scenario.environmentResult;
  if (SUCCEEDED(immediate) && !environmentCreatedHandler) immediate = E_INVALIDARG;
  if (FAILED(immediate)) return immediate;
  HRESULT error = state.scenario.environmentError;
  if (SUCCEEDED(error) && !FindRuntime(browserExecutableFolder)) {
    error = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
  }
  ComRef<ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler> keep(
      environmentCreatedHandler);
  Schedule([keep, error] {
    ComRef<FakeEnvironment> environment;
    if (SUCCEEDED(error)) {
      State().environment = new FakeEnvironment();  // the runtime keeps this reference
      environment = State().environment;
    }
    keep->Invoke(error, environment.get());
  });
  return S_OK;
}
