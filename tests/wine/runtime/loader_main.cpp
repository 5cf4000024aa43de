// Scripted stand-in for WebView2Loader.dll (end-to-end tests under Wine). It plays the scenario
// file CORVANE_TEST_SCENARIO against the shell, running completions and events one at a time from
// the shell's own message loop, and appends all the shell does to the log CORVANE_TEST_LOG.
// Null out-parameters and callbacks, which the real runtime refuses, are not checked: the run
// fails.
//
// Scenario: UTF-8, one directive a line; in texts \n \t \r and \\ are escapes. Set-up, anywhere:
//   runtime <folder|-> [when-exists <path>]   a runtime (137.0.3296.44) for that browser folder
//       ("-": the installed one) while <path> exists; repeatable. None: the installed one.
//   no-runtime                   no runtime at all
//   environment-result | controller-result | navigate-result <hr>   the call returns <hr>
//   environment-error | controller-error <hr>     its handler gets <hr> and no object
//   browser-exits-creating-controller    once: the browser exits, then the creation fails
//   navigation-fails <status>    documents fail with that WebErrorStatus
//   no-settings3 | no-environment14 | no-webview23   that level is not offered
//   no-source-kinds              the filter naming request sources is refused (E_NOTIMPL)
//   timer-scale <divisor>        see ScaleTimers (runtime.h)
//   handle-refused <suffix>      directory handles for paths ending so are refused
// Steps, played in order once the first Navigate has been served (RunStep, player.cpp):
//   state <label>, wait <milliseconds>, title <text>, fullscreen <0|1>, navigation <uri>,
//   dom-content-loaded, close, key <virtual-key> [up], browser-exited [failed|normal]
//   request | request-held <uri> [<range>]   held: read on a worker thread (ReadOnWorker)
//   new-window | script-window <uri>   user-initiated, or from a script without a click
//   permission <kind> <uri>, process-failed <kind>   kind: the enum's number
//   message-string | message-json <source> <text>   posted as a string or as other JSON
//   syscommand <wParam> <lParam>, end-session [asked|cancelled|closeapp]
//
// Log (../common/log_text.h; a null string reads <null>): the Log calls of these sources.
// "response" status: none, foreign (not our object) or the code.

#include <objbase.h>

#include "tests/wine/runtime/objects.h"

namespace corvane::test_runtime {

namespace {

HMODULE g_module = nullptr;

bool RuntimeFound(PCWSTR folder) {
  for (const RuntimeInstall& install : State().scenario.runtimes) {
    if (install.folder.empty() != !folder) continue;
    if (folder && _wcsicmp(install.folder.c_str(), folder) != 0) continue;
    const wchar_t* marker = install.whenExists.c_str();
    if (!*marker || GetFileAttributesW(marker) != INVALID_FILE_ATTRIBUTES) return true;
  }
  return false;
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
  LogExeVersion();
  state->scenario = LoadScenario(test_log::Variable(L"CORVANE_TEST_SCENARIO"));
  InterceptShellExecute();
  if (const long long divisor = state->scenario.Number("timer-scale")) ScaleTimers(UINT(divisor));
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
  const bool found = RuntimeFound(browserExecutableFolder);
  Log("version-query", {{"folder", Utf8(browserExecutableFolder)}, {"found", found ? "1" : "0"}});
  *versionInfo = found ? CoTaskCopy(L"137.0.3296.44") : nullptr;
  return found ? S_OK : HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE CreateCoreWebView2EnvironmentWithOptions(
    PCWSTR browserExecutableFolder, PCWSTR userDataFolder,
    ICoreWebView2EnvironmentOptions* environmentOptions,
    ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* environmentCreatedHandler) {
  RuntimeState& state = State();
  HRESULT outsideSta = S_OK;
  const std::string apartment = Apartment(&outsideSta);
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

  const HRESULT refused = state.scenario.Result("environment-result");
  if (FAILED(refused)) return refused;
  if (FAILED(outsideSta)) return outsideSta;
  HRESULT error = state.scenario.Result("environment-error");
  if (SUCCEEDED(error) && !RuntimeFound(browserExecutableFolder)) {
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
