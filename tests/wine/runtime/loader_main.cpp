// Scripted stand-in for WebView2Loader.dll, used only by the end-to-end tests under Wine.
//
// It exports CreateCoreWebView2EnvironmentWithOptions and
// GetAvailableCoreWebView2BrowserVersionString by plain name and plays a scenario against the
// shell: completion handlers and events are posted to the calling (UI) thread and run from inside
// the shell's message loop, one at a time. Everything the shell does is written to a log.
//
// Environment variables (read by this runtime only):
//   CORVANE_TEST_SCENARIO  Windows path of the scenario file.
//   CORVANE_TEST_LOG       Windows path of the log (appended to; default: scenario path + ".log").
//
// ---- Scenario file: UTF-8, one directive per line, '#' starts a comment line ----
//
// Set-up directives (anywhere in the file):
//   runtime <folder|-> <version> [when-exists <path>]
//       A runtime is present for that browser folder ("-" = no folder, the installed runtime;
//       any other text is compared with the folder the shell passes, case-insensitively).
//       With when-exists it is present only while <path> exists. Repeatable. Without any
//       runtime line the installed runtime is present as 137.0.3296.44.
//   no-runtime                 No runtime anywhere.
//   environment-result <hr>    CreateCoreWebView2EnvironmentWithOptions returns <hr> at once
//                              and never calls the handler.
//   environment-error <hr>     The handler is called with <hr> and no environment.
//   controller-result <hr>     CreateCoreWebView2Controller returns <hr> at once.
//   controller-error <hr>      The controller handler is called with <hr> and no controller.
//   navigate-result <hr>       Every Navigate returns <hr> and navigates nowhere.
//   navigation-fails <status>  Document navigations end with NavigationCompleted IsSuccess
//                              FALSE and that WebErrorStatus number, without DOMContentLoaded.
// Every CreateCoreWebView2EnvironmentWithOptions makes a new environment (a shell recovering
// from a browser exit asks again); the player's steps go on with the newest objects.
//   no-settings3 | no-environment14 | no-webview23
//                              QueryInterface for that level fails.
//   keep-shell-execute         Do not intercept ShellExecuteW/ShellExecuteExW (default: the
//                              shell's imports of both are replaced by loggers; nothing starts).
//   timer-scale <divisor>      The shell's SetTimer delays of a second and more are divided by
//                              <divisor> (its 30-second waits take 30 / divisor seconds).
//
// Steps, played in order after the shell's first Navigate has been served (NavigationStarting,
// the start page's WebResourceRequested when a filter matches, DOMContentLoaded):
//   state <label>                      log the main window's real state
//   wait <milliseconds>
//   title <text>                       DocumentTitleChanged with that document title
//   fullscreen <0|1>                   ContainsFullScreenElementChanged
//   request <uri>                      WebResourceRequested (when a filter matches)
//   request-range <uri> <value>        the same with a Range header of <value>
//   request-held <uri> [<value>]       the same, the body read on a worker thread: a first
//                                      piece at once, the rest when the shell releases its
//                                      controller (its teardown)
//   navigation <uri>                   a document navigation in the main frame
//   new-window <uri>                   NewWindowRequested
//   permission <kind> <uri>            PermissionRequested; kind is the enum's number
//   key <virtual-key> [down|up|sysdown|sysup]   AcceleratorKeyPressed on the controller
//   message-string <source> <text>     WebMessageReceived posted as a string
//   message-json <source> <json>       WebMessageReceived posted as a non-string value
//   dom-content-loaded                 DOMContentLoaded again
//   syscommand <wParam> <lParam>       WM_SYSCOMMAND sent to the main window; logs whether a
//                                      menu loop started (the loop is ended again at once)
//   close                              WindowCloseRequested
//   process-failed <kind> [reason]     ProcessFailed; kind and reason are the enums' numbers
//   browser-exited [failed|normal]     the environment's BrowserProcessExited (default failed)
// In texts, \n \t \r \s (space) and \\ are escapes.
//
// ---- Log: UTF-8, one event per line ----
//
//   <event>\t<key>=<value>\t<key>=<value>...
// Values escape backslash, tab, line feed and carriage return as \\ \t \n \r; a null string
// reads <null>. Events (fields):
//   runtime-start (scenario)
//   exe-version (present, ProductName, FileDescription, ProductVersion, FileVersion,
//                OriginalFilename, fixedFileVersion)   the shell's version resource
//   version-query (folder, found, version, hr, cwd)
//   environment-create (browserFolder, userDataFolder, options, handler, hostingModeEnv,
//                       apartment, dpi)
//   options (present, unknown, AdditionalBrowserArguments, Language,
//            TargetCompatibleBrowserVersion, AllowSingleSignOnUsingOSPrimaryAccount, hr...)
//   options2 .. options8 (present, then the getters of that level)
//   environment-result (hr)   environment-completed (error, environment, result)
//   controller-create (parent, handler)   controller-create-result (hr)
//   controller-completed (error, controller, result)
//   query (interface, offered)        a QueryInterface for an optional level
//   setting (name, value)             every put_ on the settings
//   register / unregister (event, token)
//   filter-add / filter-remove (uri, context)
//   controller-bounds (rect) controller-visible (value) controller-focus (reason)
//   controller-position-changed  controller-zoom  controller-parent  controller-close
//   navigate (uri)                    the shell called Navigate
//   navigation-starting (uri, handlers, cancel)
//   resource-request (uri, range)     not-intercepted (uri)
//   response (uri, handlers, result, responsesSet, status, reason, headers, body,
//             bodyLength, bodyFnv, bodyHex)   status is "none" when no response was set;
//             bodyFnv is FNV-1a 64 of the body bytes; bodyHex only up to 4096 bytes
//   held-body (uri, result, direct, early, bodyLength, bodyFnv)   a held body, read on a
//             worker thread: result read, read-error, timeout, marshal-<hr> or unmarshal-<hr>;
//             direct 1 when the marshaled stream arrived as the object itself; early: bytes of
//             the first piece
//   request-header-read (name, found)
//   dom-content-loaded (handlers)
//   navigation-completed (uri, success, handlers)   navigate-result (hr)   reload (uri)
//   process-failed (kind, reason)  process-failed-done (handlers)
//   browser-exited (kind)  browser-exited-done (handlers)
//   window (label, exists, visible, caption, outer, client, style, exstyle, monitor, class,
//           icon, smallIcon, iconColour)   icon: the window class has a (small) icon;
//             iconColour: its centre pixel drawn at 32x32 on black (RRGGBB)
//             logged at controller-create, before/after every DOMContentLoaded, and by "state"
//   title-changed (title, handlers)   fullscreen-changed (contains, handlers)
//   web-message (source, kind, json)  message-read (what[, isString])  web-message-done
//   new-window (uri, handlers, handled)        handled is 1, 0 or unset
//   permission (uri, kind, handlers, state)    state is the number set, or unset
//   accelerator-key (key, kind, handlers, handled)   open-devtools (enabled)
//   close-requested / close-requested-done (handlers), then window "after-close-request"
//   post-json (text)   post-string (text)   post-json-with-objects (text, count, slots)
//   directory-handle (path, permission)   file-handle (path, permission)
//   object-collection (length, slots)      slots: paths joined by '|', empty for empty slots
//   shell-execute (owner, verb, file, parameters, directory, show)   shell-execute-ex (...)
//   shell-execute-hook (status, functions)   timer-hook (status)   set-timer (ms, scaled)
//   deferral-taken / deferral-complete (event)
//   syscommand (wParam, lParam, result, menu)
//   step (line, verb, text)   step-skipped (line, why)   script-start (steps)   script-end
//   unexpected-call (method)  a method the runtime does not model; it returned E_NOTIMPL
//   scenario-error (line, text)   player-error (what)

#include <objbase.h>

#include "tests/wine/runtime/objects.h"

namespace corvane::test_runtime {

namespace {

HMODULE g_module = nullptr;

std::wstring EnvironmentText(const wchar_t* name) {
  wchar_t buffer[4096];
  DWORD length = GetEnvironmentVariableW(name, buffer, 4096);
  if (length == 0 || length >= 4096) return {};
  return std::wstring(buffer, length);
}

std::string EnvironmentField(const wchar_t* name) {
  wchar_t buffer[4096];
  DWORD length = GetEnvironmentVariableW(name, buffer, 4096);
  if (length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) return "<unset>";
  if (length >= 4096) return "<too long>";
  return Utf8(std::wstring_view(buffer, length));
}

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

std::string Apartment(HRESULT* failure) {
  APTTYPE type{};
  APTTYPEQUALIFIER qualifier{};
  *failure = S_OK;
  if (FAILED(CoGetApartmentType(&type, &qualifier))) {
    *failure = CO_E_NOTINITIALIZED;
    return "none";
  }
  switch (type) {
    case APTTYPE_STA:
      return "sta";
    case APTTYPE_MAINSTA:
      return "mainsta";
    case APTTYPE_MTA:
      *failure = RPC_E_CHANGED_MODE;
      return "mta";
    case APTTYPE_NA:
      *failure = RPC_E_CHANGED_MODE;
      return "na";
    default:
      return "other";
  }
}

void AddString(std::vector<Field>& fields, const char* name, HRESULT hr, LPWSTR value) {
  fields.push_back({name, Utf8(value)});
  if (hr != S_OK) fields.push_back({std::string(name) + "Hr", HexHr(hr)});
  CoTaskMemFree(value);
}

template <class T>
void AddNumber(std::vector<Field>& fields, const char* name, HRESULT hr, T value) {
  fields.push_back({name, SUCCEEDED(hr) ? std::to_string(static_cast<long long>(value)) : "?"});
  if (hr != S_OK) fields.push_back({std::string(name) + "Hr", HexHr(hr)});
}

template <class Level, class Read>
void LogOptionsLevel(ICoreWebView2EnvironmentOptions* options, const char* event, Read read) {
  Level* level = nullptr;
  if (FAILED(QueryAs(options, &level)) || !level) {
    Log(event, {{"present", "0"}});
    return;
  }
  std::vector<Field> fields{{"present", "1"}};
  read(level, fields);
  level->Release();
  Log(event, fields);
}

// Reads every option the runtime would read, through the shell's own object.
void LogOptions(ICoreWebView2EnvironmentOptions* options) {
  if (!options) {
    Log("options", {{"present", "0"}});
    return;
  }
  std::vector<Field> fields{{"present", "1"}};
  IUnknown* unknown = nullptr;
  fields.push_back(
      {"unknown",
       SUCCEEDED(options->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown))) ? "1"
                                                                                            : "0"});
  if (unknown) unknown->Release();
  LPWSTR text = nullptr;
  HRESULT hr = options->get_AdditionalBrowserArguments(&text);
  AddString(fields, "AdditionalBrowserArguments", hr, text);
  text = nullptr;
  hr = options->get_Language(&text);
  AddString(fields, "Language", hr, text);
  text = nullptr;
  hr = options->get_TargetCompatibleBrowserVersion(&text);
  AddString(fields, "TargetCompatibleBrowserVersion", hr, text);
  BOOL flag = FALSE;
  hr = options->get_AllowSingleSignOnUsingOSPrimaryAccount(&flag);
  AddNumber(fields, "AllowSingleSignOnUsingOSPrimaryAccount", hr, flag);
  Log("options", fields);

  LogOptionsLevel<ICoreWebView2EnvironmentOptions2>(options, "options2", [](auto* o, auto& f) {
    BOOL v = FALSE;
    HRESULT r = o->get_ExclusiveUserDataFolderAccess(&v);
    AddNumber(f, "ExclusiveUserDataFolderAccess", r, v);
  });
  LogOptionsLevel<ICoreWebView2EnvironmentOptions3>(options, "options3", [](auto* o, auto& f) {
    BOOL v = FALSE;
    HRESULT r = o->get_IsCustomCrashReportingEnabled(&v);
    AddNumber(f, "IsCustomCrashReportingEnabled", r, v);
  });
  LogOptionsLevel<ICoreWebView2EnvironmentOptions4>(options, "options4", [](auto* o, auto& f) {
    UINT32 count = 0;
    ICoreWebView2CustomSchemeRegistration** registrations = nullptr;
    HRESULT r = o->GetCustomSchemeRegistrations(&count, &registrations);
    AddNumber(f, "CustomSchemeRegistrations", r, count);
    for (UINT32 i = 0; registrations && i < count; ++i) {
      if (registrations[i]) registrations[i]->Release();
    }
    CoTaskMemFree(registrations);
  });
  LogOptionsLevel<ICoreWebView2EnvironmentOptions5>(options, "options5", [](auto* o, auto& f) {
    BOOL v = FALSE;
    HRESULT r = o->get_EnableTrackingPrevention(&v);
    AddNumber(f, "EnableTrackingPrevention", r, v);
  });
  LogOptionsLevel<ICoreWebView2EnvironmentOptions6>(options, "options6", [](auto* o, auto& f) {
    BOOL v = FALSE;
    HRESULT r = o->get_AreBrowserExtensionsEnabled(&v);
    AddNumber(f, "AreBrowserExtensionsEnabled", r, v);
  });
  LogOptionsLevel<ICoreWebView2EnvironmentOptions7>(options, "options7", [](auto* o, auto& f) {
    COREWEBVIEW2_CHANNEL_SEARCH_KIND kind{};
    HRESULT r = o->get_ChannelSearchKind(&kind);
    AddNumber(f, "ChannelSearchKind", r, kind);
    COREWEBVIEW2_RELEASE_CHANNELS channels{};
    r = o->get_ReleaseChannels(&channels);
    AddNumber(f, "ReleaseChannels", r, channels);
  });
  LogOptionsLevel<ICoreWebView2EnvironmentOptions8>(options, "options8", [](auto* o, auto& f) {
    COREWEBVIEW2_SCROLLBAR_STYLE style{};
    HRESULT r = o->get_ScrollBarStyle(&style);
    AddNumber(f, "ScrollBarStyle", r, style);
  });
}

}  // namespace

RuntimeState& State() {
  static RuntimeState* state = nullptr;
  if (state) return *state;
  state = new RuntimeState;  // never destroyed: it holds references into the shell
  state->module = g_module;
  std::wstring scenarioPath = EnvironmentText(L"CORVANE_TEST_SCENARIO");
  std::wstring logPath = EnvironmentText(L"CORVANE_TEST_LOG");
  if (logPath.empty() && !scenarioPath.empty()) logPath = scenarioPath + L".log";
  OpenLog(logPath);
  Log("runtime-start", {{"scenario", Utf8(scenarioPath)}});
  LogExeVersion();
  state->scenario = LoadScenario(scenarioPath);
  if (state->scenario.interceptShellExecute) InterceptShellExecute();
  if (state->scenario.timerDivisor != 0) ScaleTimers(state->scenario.timerDivisor);
  return *state;
}

}  // namespace corvane::test_runtime

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
  HRESULT hr = install ? S_OK : HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
  wchar_t cwd[MAX_PATH] = L"";
  GetCurrentDirectoryW(MAX_PATH, cwd);
  Log("version-query", {{"folder", Utf8(browserExecutableFolder)},
                        {"found", install ? "1" : "0"},
                        {"version", install ? install->version : "<none>"},
                        {"hr", HexHr(hr)},
                        {"cwd", Utf8(std::wstring_view(cwd))},
                        {"out", versionInfo ? "1" : "0"}});
  if (!versionInfo) return E_POINTER;
  *versionInfo = install ? CoTaskCopy(Wide(install->version)) : nullptr;
  return hr;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE CreateCoreWebView2EnvironmentWithOptions(
    PCWSTR browserExecutableFolder, PCWSTR userDataFolder,
    corvane::ICoreWebView2EnvironmentOptions* environmentOptions,
    corvane::ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler*
        environmentCreatedHandler) {
  RuntimeState& state = State();
  HRESULT apartmentFailure = S_OK;
  std::string apartment = Apartment(&apartmentFailure);
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  Log("environment-create",
      {{"browserFolder", Utf8(browserExecutableFolder)},
       {"userDataFolder", Utf8(userDataFolder)},
       {"options", environmentOptions ? "1" : "0"},
       {"handler", environmentCreatedHandler ? "1" : "0"},
       {"hostingModeEnv", EnvironmentField(L"COREWEBVIEW2_FORCED_HOSTING_MODE")},
       {"apartment", apartment},
       {"dpi", std::to_string(dpi)}});
  LogOptions(environmentOptions);

  HRESULT immediate = state.scenario.environmentResult;
  if (SUCCEEDED(immediate)) immediate = apartmentFailure;
  if (SUCCEEDED(immediate) && !environmentCreatedHandler) immediate = E_INVALIDARG;
  if (FAILED(immediate)) {
    Log("environment-result", {{"hr", HexHr(immediate)}});
    return immediate;
  }

  const RuntimeInstall* install = FindRuntime(browserExecutableFolder);
  HRESULT error = state.scenario.environmentError;
  if (SUCCEEDED(error) && !install) error = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
  std::wstring version = install ? Wide(install->version) : L"";
  std::wstring folder = userDataFolder ? userDataFolder : L"";
  ComPtr<corvane::ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler> keep(
      environmentCreatedHandler);
  Player::Get().Schedule([keep, error, version, folder] {
    RuntimeState& s = State();
    ComPtr<FakeEnvironment> environment;
    if (SUCCEEDED(error)) {
      s.environment = new FakeEnvironment(version, folder);  // the runtime keeps this reference
      environment = ComPtr<FakeEnvironment>(s.environment);
    }
    HRESULT result = keep->Invoke(error, environment.get());
    Log("environment-completed", {{"error", HexHr(error)},
                                  {"environment", environment ? "1" : "0"},
                                  {"result", HexHr(result)}});
  });
  return S_OK;
}
