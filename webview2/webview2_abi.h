#pragma once
// Our own declarations of the WebView2 COM interfaces, written from the published ABI facts of
// runtime 137.0.3296.44 (SDK 1.0.3296.44): interface IDs, absolute vtable slots, parameter types.
//
// Every interface declares every slot of its inheritance chain in vtable order, used or not: a
// missing or misplaced method shifts every later slot and crashes on a real runtime, which no
// test under Wine would notice. tests/unit/webview2/webview2_abi_win_test.cpp checks every IID,
// the slot and argument shape of every method the shell calls or the test runtime implements.
//
// Layout rules: plain abstract structs, single inheritance, pure virtual STDMETHODCALLTYPE
// methods, no overloads, no virtual destructor (MSVC and GCC/MinGW then agree on the vtable).
// Each interface has a protected non-virtual destructor only so that -Wnon-virtual-dtor accepts
// classes implementing it; it adds no slot.
//
// Interface IDs: `IID_<Interface>` constants (inline constexpr, valid for MSVC and MinGW alike)
// and the trait `IidOf<Interface>()`, so QueryInterface calls and the QueryInterface of objects
// we implement name the interface, not a GUID. __uuidof is not used: MinGW and MSVC need
// different declarations for it.
//
// Interfaces that appear only as parameter types of slots we never call are declared as bare
// IUnknown-derived structs with their IIDs; their own methods are not declared.

#include <windows.h>
#include <unknwn.h>
#include <objidl.h>
#include <oaidl.h>
#include <eventtoken.h>

#include "base/com_iid_win.h"

namespace corvane {

// GCC warns about the IUnknown base (a system type without a virtual destructor) for every
// interface below; COM objects are destroyed through Release, never through a base pointer.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

// ---- Forward declarations ----

struct ICoreWebView2Environment;
struct ICoreWebView2Environment2;
struct ICoreWebView2Environment3;
struct ICoreWebView2Environment4;
struct ICoreWebView2Environment5;
struct ICoreWebView2Environment6;
struct ICoreWebView2Environment7;
struct ICoreWebView2Environment8;
struct ICoreWebView2Environment9;
struct ICoreWebView2Environment10;
struct ICoreWebView2Environment11;
struct ICoreWebView2Environment12;
struct ICoreWebView2Environment13;
struct ICoreWebView2Environment14;
struct ICoreWebView2;
struct ICoreWebView2_2;
struct ICoreWebView2_3;
struct ICoreWebView2_4;
struct ICoreWebView2_5;
struct ICoreWebView2_6;
struct ICoreWebView2_7;
struct ICoreWebView2_8;
struct ICoreWebView2_9;
struct ICoreWebView2_10;
struct ICoreWebView2_11;
struct ICoreWebView2_12;
struct ICoreWebView2_13;
struct ICoreWebView2_14;
struct ICoreWebView2_15;
struct ICoreWebView2_16;
struct ICoreWebView2_17;
struct ICoreWebView2_18;
struct ICoreWebView2_19;
struct ICoreWebView2_20;
struct ICoreWebView2_21;
struct ICoreWebView2_22;
struct ICoreWebView2_23;
struct ICoreWebView2Controller;
struct ICoreWebView2Settings;
struct ICoreWebView2Settings2;
struct ICoreWebView2Settings3;
struct ICoreWebView2WebMessageReceivedEventArgs;
struct ICoreWebView2NewWindowRequestedEventArgs;
struct ICoreWebView2PermissionRequestedEventArgs;
struct ICoreWebView2NavigationStartingEventArgs;
struct ICoreWebView2WebResourceRequestedEventArgs;
struct ICoreWebView2AcceleratorKeyPressedEventArgs;
struct ICoreWebView2DOMContentLoadedEventArgs;
struct ICoreWebView2NavigationCompletedEventArgs;
struct ICoreWebView2ProcessFailedEventArgs;
struct ICoreWebView2BrowserProcessExitedEventArgs;
struct ICoreWebView2WebResourceRequest;
struct ICoreWebView2HttpRequestHeaders;
struct ICoreWebView2HttpHeadersCollectionIterator;
struct ICoreWebView2WebResourceResponse;
struct ICoreWebView2HttpResponseHeaders;
struct ICoreWebView2FileSystemHandle;
struct ICoreWebView2ObjectCollectionView;
struct ICoreWebView2ObjectCollection;
struct ICoreWebView2Deferral;
struct ICoreWebView2EnvironmentOptions;
struct ICoreWebView2EnvironmentOptions2;
struct ICoreWebView2EnvironmentOptions3;
struct ICoreWebView2EnvironmentOptions4;
struct ICoreWebView2EnvironmentOptions5;
struct ICoreWebView2EnvironmentOptions6;
struct ICoreWebView2EnvironmentOptions7;
struct ICoreWebView2EnvironmentOptions8;
struct ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler;
struct ICoreWebView2CreateCoreWebView2ControllerCompletedHandler;
struct ICoreWebView2DOMContentLoadedEventHandler;
struct ICoreWebView2WebMessageReceivedEventHandler;
struct ICoreWebView2NewWindowRequestedEventHandler;
struct ICoreWebView2WindowCloseRequestedEventHandler;
struct ICoreWebView2ContainsFullScreenElementChangedEventHandler;
struct ICoreWebView2PermissionRequestedEventHandler;
struct ICoreWebView2NavigationStartingEventHandler;
struct ICoreWebView2WebResourceRequestedEventHandler;
struct ICoreWebView2DocumentTitleChangedEventHandler;
struct ICoreWebView2AcceleratorKeyPressedEventHandler;
struct ICoreWebView2WebMessageReceivedEventArgs2;
struct ICoreWebView2NewWindowRequestedEventArgs2;
struct ICoreWebView2NewWindowRequestedEventArgs3;
struct ICoreWebView2PermissionRequestedEventArgs2;
struct ICoreWebView2PermissionRequestedEventArgs3;
struct ICoreWebView2WebResourceRequestedEventArgs2;
struct ICoreWebView2NavigationStartingEventArgs2;
struct ICoreWebView2NavigationStartingEventArgs3;
struct ICoreWebView2AcceleratorKeyPressedEventArgs2;
struct ICoreWebView2Controller2;
struct ICoreWebView2Controller3;
struct ICoreWebView2Controller4;
struct ICoreWebView2WindowFeatures;
struct ICoreWebView2File;
struct ICoreWebView2CustomSchemeRegistration;

// ---- Enumerations (all 32-bit) ----

enum COREWEBVIEW2_WEB_RESOURCE_CONTEXT : INT32 {
  COREWEBVIEW2_WEB_RESOURCE_CONTEXT_ALL = 0,
  COREWEBVIEW2_WEB_RESOURCE_CONTEXT_DOCUMENT = 1,
  COREWEBVIEW2_WEB_RESOURCE_CONTEXT_STYLESHEET = 2,
  COREWEBVIEW2_WEB_RESOURCE_CONTEXT_IMAGE = 3,
  COREWEBVIEW2_WEB_RESOURCE_CONTEXT_MEDIA = 4,
  COREWEBVIEW2_WEB_RESOURCE_CONTEXT_FONT = 5,
  COREWEBVIEW2_WEB_RESOURCE_CONTEXT_SCRIPT = 6,
  COREWEBVIEW2_WEB_RESOURCE_CONTEXT_XML_HTTP_REQUEST = 7,
  COREWEBVIEW2_WEB_RESOURCE_CONTEXT_FETCH = 8,
  COREWEBVIEW2_WEB_RESOURCE_CONTEXT_TEXT_TRACK = 9,
  COREWEBVIEW2_WEB_RESOURCE_CONTEXT_EVENT_SOURCE = 10,
  COREWEBVIEW2_WEB_RESOURCE_CONTEXT_WEBSOCKET = 11,
  COREWEBVIEW2_WEB_RESOURCE_CONTEXT_MANIFEST = 12,
  COREWEBVIEW2_WEB_RESOURCE_CONTEXT_SIGNED_EXCHANGE = 13,
  COREWEBVIEW2_WEB_RESOURCE_CONTEXT_PING = 14,
  COREWEBVIEW2_WEB_RESOURCE_CONTEXT_CSP_VIOLATION_REPORT = 15,
  COREWEBVIEW2_WEB_RESOURCE_CONTEXT_OTHER = 16,
};
enum COREWEBVIEW2_MOVE_FOCUS_REASON : INT32 {
  COREWEBVIEW2_MOVE_FOCUS_REASON_PROGRAMMATIC = 0,
  COREWEBVIEW2_MOVE_FOCUS_REASON_NEXT = 1,
  COREWEBVIEW2_MOVE_FOCUS_REASON_PREVIOUS = 2,
};
enum COREWEBVIEW2_PERMISSION_KIND : INT32 {
  COREWEBVIEW2_PERMISSION_KIND_UNKNOWN_PERMISSION = 0,
  COREWEBVIEW2_PERMISSION_KIND_MICROPHONE = 1,
  COREWEBVIEW2_PERMISSION_KIND_CAMERA = 2,
  COREWEBVIEW2_PERMISSION_KIND_GEOLOCATION = 3,
  COREWEBVIEW2_PERMISSION_KIND_NOTIFICATIONS = 4,
  COREWEBVIEW2_PERMISSION_KIND_OTHER_SENSORS = 5,
  COREWEBVIEW2_PERMISSION_KIND_CLIPBOARD_READ = 6,
  COREWEBVIEW2_PERMISSION_KIND_MULTIPLE_AUTOMATIC_DOWNLOADS = 7,
  COREWEBVIEW2_PERMISSION_KIND_FILE_READ_WRITE = 8,
  COREWEBVIEW2_PERMISSION_KIND_AUTOPLAY = 9,
  COREWEBVIEW2_PERMISSION_KIND_LOCAL_FONTS = 10,
  COREWEBVIEW2_PERMISSION_KIND_MIDI_SYSTEM_EXCLUSIVE_MESSAGES = 11,
  COREWEBVIEW2_PERMISSION_KIND_WINDOW_MANAGEMENT = 12,
};
enum COREWEBVIEW2_PERMISSION_STATE : INT32 {
  COREWEBVIEW2_PERMISSION_STATE_DEFAULT = 0,
  COREWEBVIEW2_PERMISSION_STATE_ALLOW = 1,
  COREWEBVIEW2_PERMISSION_STATE_DENY = 2,
};
enum COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION : INT32 {
  COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION_READ_ONLY = 0,
  COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION_READ_WRITE = 1,
};
enum COREWEBVIEW2_FILE_SYSTEM_HANDLE_KIND : INT32 {
  COREWEBVIEW2_FILE_SYSTEM_HANDLE_KIND_FILE = 0,
  COREWEBVIEW2_FILE_SYSTEM_HANDLE_KIND_DIRECTORY = 1,
};
enum COREWEBVIEW2_KEY_EVENT_KIND : INT32 {
  COREWEBVIEW2_KEY_EVENT_KIND_KEY_DOWN = 0,
  COREWEBVIEW2_KEY_EVENT_KIND_KEY_UP = 1,
  COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_DOWN = 2,
  COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_UP = 3,
};
enum COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS : UINT32 {
  COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS_NONE = 0x0,
  COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS_DOCUMENT = 0x1,
  COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS_SHARED_WORKER = 0x2,
  COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS_SERVICE_WORKER = 0x4,
  COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS_ALL = 0xFFFFFFFF,
};
enum COREWEBVIEW2_BOUNDS_MODE : INT32 {
  COREWEBVIEW2_BOUNDS_MODE_USE_RAW_PIXELS = 0,
  COREWEBVIEW2_BOUNDS_MODE_USE_RASTERIZATION_SCALE = 1,
};
enum COREWEBVIEW2_CAPTURE_PREVIEW_IMAGE_FORMAT : INT32 {
  COREWEBVIEW2_CAPTURE_PREVIEW_IMAGE_FORMAT_PNG = 0,
  COREWEBVIEW2_CAPTURE_PREVIEW_IMAGE_FORMAT_JPEG = 1,
};
enum COREWEBVIEW2_CHANNEL_SEARCH_KIND : INT32 {
  COREWEBVIEW2_CHANNEL_SEARCH_KIND_MOST_STABLE = 0,
  COREWEBVIEW2_CHANNEL_SEARCH_KIND_LEAST_STABLE = 1,
};
enum COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND : INT32 {
  COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND_COMMAND = 0,
  COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND_CHECK_BOX = 1,
  COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND_RADIO = 2,
  COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND_SEPARATOR = 3,
  COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND_SUBMENU = 4,
};
enum COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT : INT32 {
  COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT_TOP_LEFT = 0,
  COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT_TOP_RIGHT = 1,
  COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT_BOTTOM_LEFT = 2,
  COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT_BOTTOM_RIGHT = 3,
};
enum COREWEBVIEW2_FAVICON_IMAGE_FORMAT : INT32 {
  COREWEBVIEW2_FAVICON_IMAGE_FORMAT_PNG = 0,
  COREWEBVIEW2_FAVICON_IMAGE_FORMAT_JPEG = 1,
};
enum COREWEBVIEW2_HOST_RESOURCE_ACCESS_KIND : INT32 {
  COREWEBVIEW2_HOST_RESOURCE_ACCESS_KIND_DENY = 0,
  COREWEBVIEW2_HOST_RESOURCE_ACCESS_KIND_ALLOW = 1,
  COREWEBVIEW2_HOST_RESOURCE_ACCESS_KIND_DENY_CORS = 2,
};
enum COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL : INT32 {
  COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL_NORMAL = 0,
  COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL_LOW = 1,
};
enum COREWEBVIEW2_NAVIGATION_KIND : INT32 {
  COREWEBVIEW2_NAVIGATION_KIND_RELOAD = 0,
  COREWEBVIEW2_NAVIGATION_KIND_BACK_OR_FORWARD = 1,
  COREWEBVIEW2_NAVIGATION_KIND_NEW_DOCUMENT = 2,
};
enum COREWEBVIEW2_PRINT_DIALOG_KIND : INT32 {
  COREWEBVIEW2_PRINT_DIALOG_KIND_BROWSER = 0,
  COREWEBVIEW2_PRINT_DIALOG_KIND_SYSTEM = 1,
};
enum COREWEBVIEW2_RELEASE_CHANNELS : INT32 {
  COREWEBVIEW2_RELEASE_CHANNELS_NONE = 0x0,
  COREWEBVIEW2_RELEASE_CHANNELS_STABLE = 0x1,
  COREWEBVIEW2_RELEASE_CHANNELS_BETA = 0x2,
  COREWEBVIEW2_RELEASE_CHANNELS_DEV = 0x4,
  COREWEBVIEW2_RELEASE_CHANNELS_CANARY = 0x8,
};
enum COREWEBVIEW2_SCROLLBAR_STYLE : INT32 {
  COREWEBVIEW2_SCROLLBAR_STYLE_DEFAULT = 0,
  COREWEBVIEW2_SCROLLBAR_STYLE_FLUENT_OVERLAY = 1,
};
enum COREWEBVIEW2_SHARED_BUFFER_ACCESS : INT32 {
  COREWEBVIEW2_SHARED_BUFFER_ACCESS_READ_ONLY = 0,
  COREWEBVIEW2_SHARED_BUFFER_ACCESS_READ_WRITE = 1,
};
enum COREWEBVIEW2_PROCESS_FAILED_KIND : INT32 {
  COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED = 0,
  COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_EXITED = 1,
  COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_UNRESPONSIVE = 2,
  COREWEBVIEW2_PROCESS_FAILED_KIND_FRAME_RENDER_PROCESS_EXITED = 3,
  COREWEBVIEW2_PROCESS_FAILED_KIND_UTILITY_PROCESS_EXITED = 4,
  COREWEBVIEW2_PROCESS_FAILED_KIND_SANDBOX_HELPER_PROCESS_EXITED = 5,
  COREWEBVIEW2_PROCESS_FAILED_KIND_GPU_PROCESS_EXITED = 6,
  COREWEBVIEW2_PROCESS_FAILED_KIND_PPAPI_PLUGIN_PROCESS_EXITED = 7,
  COREWEBVIEW2_PROCESS_FAILED_KIND_PPAPI_BROKER_PROCESS_EXITED = 8,
  COREWEBVIEW2_PROCESS_FAILED_KIND_UNKNOWN_PROCESS_EXITED = 9,
};
enum COREWEBVIEW2_WEB_ERROR_STATUS : INT32 {
  COREWEBVIEW2_WEB_ERROR_STATUS_UNKNOWN = 0,
  COREWEBVIEW2_WEB_ERROR_STATUS_CERTIFICATE_COMMON_NAME_IS_INCORRECT = 1,
  COREWEBVIEW2_WEB_ERROR_STATUS_CERTIFICATE_EXPIRED = 2,
  COREWEBVIEW2_WEB_ERROR_STATUS_CLIENT_CERTIFICATE_CONTAINS_ERRORS = 3,
  COREWEBVIEW2_WEB_ERROR_STATUS_CERTIFICATE_REVOKED = 4,
  COREWEBVIEW2_WEB_ERROR_STATUS_CERTIFICATE_IS_INVALID = 5,
  COREWEBVIEW2_WEB_ERROR_STATUS_SERVER_UNREACHABLE = 6,
  COREWEBVIEW2_WEB_ERROR_STATUS_TIMEOUT = 7,
  COREWEBVIEW2_WEB_ERROR_STATUS_ERROR_HTTP_INVALID_SERVER_RESPONSE = 8,
  COREWEBVIEW2_WEB_ERROR_STATUS_CONNECTION_ABORTED = 9,
  COREWEBVIEW2_WEB_ERROR_STATUS_CONNECTION_RESET = 10,
  COREWEBVIEW2_WEB_ERROR_STATUS_DISCONNECTED = 11,
  COREWEBVIEW2_WEB_ERROR_STATUS_CANNOT_CONNECT = 12,
  COREWEBVIEW2_WEB_ERROR_STATUS_HOST_NAME_NOT_RESOLVED = 13,
  COREWEBVIEW2_WEB_ERROR_STATUS_OPERATION_CANCELED = 14,
  COREWEBVIEW2_WEB_ERROR_STATUS_REDIRECT_FAILED = 15,
  COREWEBVIEW2_WEB_ERROR_STATUS_UNEXPECTED_ERROR = 16,
  COREWEBVIEW2_WEB_ERROR_STATUS_VALID_AUTHENTICATION_CREDENTIALS_REQUIRED = 17,
  COREWEBVIEW2_WEB_ERROR_STATUS_VALID_PROXY_AUTHENTICATION_REQUIRED = 18,
};
enum COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND : INT32 {
  COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND_NORMAL = 0,
  COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND_FAILED = 1,
};

// ---- Structures ----

// Alpha first.
struct COREWEBVIEW2_COLOR {
  BYTE A;
  BYTE R;
  BYTE G;
  BYTE B;
};

struct COREWEBVIEW2_PHYSICAL_KEY_STATUS {
  UINT32 RepeatCount;
  UINT32 ScanCode;
  BOOL IsExtendedKey;
  BOOL IsMenuKeyDown;
  BOOL WasKeyDown;
  BOOL IsKeyReleased;
};

// EventRegistrationToken comes from <eventtoken.h>: one INT64 `value`, passed by value to remove_*.
using ::EventRegistrationToken;

static_assert(sizeof(COREWEBVIEW2_COLOR) == 4);
static_assert(sizeof(COREWEBVIEW2_PHYSICAL_KEY_STATUS) == 24);
static_assert(sizeof(EventRegistrationToken) == 8);

// ---- Interfaces named only in parameters of slots we never call ----

struct ICoreWebView2AddScriptToExecuteOnDocumentCreatedCompletedHandler : IUnknown {
 protected:
  ~ICoreWebView2AddScriptToExecuteOnDocumentCreatedCompletedHandler() = default;
};
struct ICoreWebView2BasicAuthenticationRequestedEventHandler : IUnknown {
 protected:
  ~ICoreWebView2BasicAuthenticationRequestedEventHandler() = default;
};
struct ICoreWebView2BrowserProcessExitedEventHandler : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE
  Invoke(ICoreWebView2Environment* sender,
         ICoreWebView2BrowserProcessExitedEventArgs* args) = 0;  // 3

 protected:
  ~ICoreWebView2BrowserProcessExitedEventHandler() = default;
};
struct ICoreWebView2CallDevToolsProtocolMethodCompletedHandler : IUnknown {
 protected:
  ~ICoreWebView2CallDevToolsProtocolMethodCompletedHandler() = default;
};
struct ICoreWebView2CapturePreviewCompletedHandler : IUnknown {
 protected:
  ~ICoreWebView2CapturePreviewCompletedHandler() = default;
};
struct ICoreWebView2ClearServerCertificateErrorActionsCompletedHandler : IUnknown {
 protected:
  ~ICoreWebView2ClearServerCertificateErrorActionsCompletedHandler() = default;
};
struct ICoreWebView2ClientCertificateRequestedEventHandler : IUnknown {
 protected:
  ~ICoreWebView2ClientCertificateRequestedEventHandler() = default;
};
struct ICoreWebView2ContentLoadingEventHandler : IUnknown {
 protected:
  ~ICoreWebView2ContentLoadingEventHandler() = default;
};
struct ICoreWebView2ContextMenuItem : IUnknown {
 protected:
  ~ICoreWebView2ContextMenuItem() = default;
};
struct ICoreWebView2ContextMenuRequestedEventHandler : IUnknown {
 protected:
  ~ICoreWebView2ContextMenuRequestedEventHandler() = default;
};
struct ICoreWebView2ControllerOptions : IUnknown {
 protected:
  ~ICoreWebView2ControllerOptions() = default;
};
struct ICoreWebView2CookieManager : IUnknown {
 protected:
  ~ICoreWebView2CookieManager() = default;
};
struct ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler : IUnknown {
 protected:
  ~ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler() = default;
};
struct ICoreWebView2DevToolsProtocolEventReceiver : IUnknown {
 protected:
  ~ICoreWebView2DevToolsProtocolEventReceiver() = default;
};
struct ICoreWebView2DownloadStartingEventHandler : IUnknown {
 protected:
  ~ICoreWebView2DownloadStartingEventHandler() = default;
};
struct ICoreWebView2ExecuteScriptCompletedHandler : IUnknown {
 protected:
  ~ICoreWebView2ExecuteScriptCompletedHandler() = default;
};
struct ICoreWebView2ExecuteScriptWithResultCompletedHandler : IUnknown {
 protected:
  ~ICoreWebView2ExecuteScriptWithResultCompletedHandler() = default;
};
struct ICoreWebView2FaviconChangedEventHandler : IUnknown {
 protected:
  ~ICoreWebView2FaviconChangedEventHandler() = default;
};
struct ICoreWebView2FocusChangedEventHandler : IUnknown {
 protected:
  ~ICoreWebView2FocusChangedEventHandler() = default;
};
struct ICoreWebView2FrameCreatedEventHandler : IUnknown {
 protected:
  ~ICoreWebView2FrameCreatedEventHandler() = default;
};
struct ICoreWebView2FrameInfo : IUnknown {
 protected:
  ~ICoreWebView2FrameInfo() = default;
};
struct ICoreWebView2GetFaviconCompletedHandler : IUnknown {
 protected:
  ~ICoreWebView2GetFaviconCompletedHandler() = default;
};
struct ICoreWebView2GetProcessExtendedInfosCompletedHandler : IUnknown {
 protected:
  ~ICoreWebView2GetProcessExtendedInfosCompletedHandler() = default;
};
struct ICoreWebView2HistoryChangedEventHandler : IUnknown {
 protected:
  ~ICoreWebView2HistoryChangedEventHandler() = default;
};
struct ICoreWebView2IsDefaultDownloadDialogOpenChangedEventHandler : IUnknown {
 protected:
  ~ICoreWebView2IsDefaultDownloadDialogOpenChangedEventHandler() = default;
};
struct ICoreWebView2IsDocumentPlayingAudioChangedEventHandler : IUnknown {
 protected:
  ~ICoreWebView2IsDocumentPlayingAudioChangedEventHandler() = default;
};
struct ICoreWebView2IsMutedChangedEventHandler : IUnknown {
 protected:
  ~ICoreWebView2IsMutedChangedEventHandler() = default;
};
struct ICoreWebView2LaunchingExternalUriSchemeEventHandler : IUnknown {
 protected:
  ~ICoreWebView2LaunchingExternalUriSchemeEventHandler() = default;
};
struct ICoreWebView2MoveFocusRequestedEventHandler : IUnknown {
 protected:
  ~ICoreWebView2MoveFocusRequestedEventHandler() = default;
};
struct ICoreWebView2NavigationCompletedEventHandler : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE
  Invoke(ICoreWebView2* sender, ICoreWebView2NavigationCompletedEventArgs* args) = 0;  // 3

 protected:
  ~ICoreWebView2NavigationCompletedEventHandler() = default;
};
struct ICoreWebView2NewBrowserVersionAvailableEventHandler : IUnknown {
 protected:
  ~ICoreWebView2NewBrowserVersionAvailableEventHandler() = default;
};
struct ICoreWebView2PointerInfo : IUnknown {
 protected:
  ~ICoreWebView2PointerInfo() = default;
};
struct ICoreWebView2PrintCompletedHandler : IUnknown {
 protected:
  ~ICoreWebView2PrintCompletedHandler() = default;
};
struct ICoreWebView2PrintSettings : IUnknown {
 protected:
  ~ICoreWebView2PrintSettings() = default;
};
struct ICoreWebView2PrintToPdfCompletedHandler : IUnknown {
 protected:
  ~ICoreWebView2PrintToPdfCompletedHandler() = default;
};
struct ICoreWebView2PrintToPdfStreamCompletedHandler : IUnknown {
 protected:
  ~ICoreWebView2PrintToPdfStreamCompletedHandler() = default;
};
struct ICoreWebView2ProcessFailedEventHandler : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Invoke(ICoreWebView2* sender,
                                           ICoreWebView2ProcessFailedEventArgs* args) = 0;  // 3

 protected:
  ~ICoreWebView2ProcessFailedEventHandler() = default;
};
struct ICoreWebView2ProcessInfoCollection : IUnknown {
 protected:
  ~ICoreWebView2ProcessInfoCollection() = default;
};
struct ICoreWebView2ProcessInfosChangedEventHandler : IUnknown {
 protected:
  ~ICoreWebView2ProcessInfosChangedEventHandler() = default;
};
struct ICoreWebView2Profile : IUnknown {
 protected:
  ~ICoreWebView2Profile() = default;
};
struct ICoreWebView2RasterizationScaleChangedEventHandler : IUnknown {
 protected:
  ~ICoreWebView2RasterizationScaleChangedEventHandler() = default;
};
struct ICoreWebView2ScriptDialogOpeningEventHandler : IUnknown {
 protected:
  ~ICoreWebView2ScriptDialogOpeningEventHandler() = default;
};
struct ICoreWebView2ServerCertificateErrorDetectedEventHandler : IUnknown {
 protected:
  ~ICoreWebView2ServerCertificateErrorDetectedEventHandler() = default;
};
struct ICoreWebView2SharedBuffer : IUnknown {
 protected:
  ~ICoreWebView2SharedBuffer() = default;
};
struct ICoreWebView2SourceChangedEventHandler : IUnknown {
 protected:
  ~ICoreWebView2SourceChangedEventHandler() = default;
};
struct ICoreWebView2StatusBarTextChangedEventHandler : IUnknown {
 protected:
  ~ICoreWebView2StatusBarTextChangedEventHandler() = default;
};
struct ICoreWebView2TrySuspendCompletedHandler : IUnknown {
 protected:
  ~ICoreWebView2TrySuspendCompletedHandler() = default;
};
struct ICoreWebView2WebResourceResponseReceivedEventHandler : IUnknown {
 protected:
  ~ICoreWebView2WebResourceResponseReceivedEventHandler() = default;
};
struct ICoreWebView2ZoomFactorChangedEventHandler : IUnknown {
 protected:
  ~ICoreWebView2ZoomFactorChangedEventHandler() = default;
};

// ---- Environment chain ----

struct ICoreWebView2Environment : IUnknown {
  // 3
  virtual HRESULT STDMETHODCALLTYPE CreateCoreWebView2Controller(
      HWND parentWindow, ICoreWebView2CreateCoreWebView2ControllerCompletedHandler* handler) = 0;
  virtual HRESULT STDMETHODCALLTYPE
  CreateWebResourceResponse(IStream* content, int statusCode, LPCWSTR reasonPhrase, LPCWSTR headers,
                            ICoreWebView2WebResourceResponse** response) = 0;           // 4
  virtual HRESULT STDMETHODCALLTYPE get_BrowserVersionString(LPWSTR* versionInfo) = 0;  // 5
  virtual HRESULT STDMETHODCALLTYPE
  add_NewBrowserVersionAvailable(ICoreWebView2NewBrowserVersionAvailableEventHandler* eventHandler,
                                 EventRegistrationToken* token) = 0;  // 6
  virtual HRESULT STDMETHODCALLTYPE
  remove_NewBrowserVersionAvailable(EventRegistrationToken token) = 0;  // 7

 protected:
  ~ICoreWebView2Environment() = default;
};

struct ICoreWebView2Environment2 : ICoreWebView2Environment {
  virtual HRESULT STDMETHODCALLTYPE
  CreateWebResourceRequest(LPCWSTR uri, LPCWSTR Method, IStream* postData, LPCWSTR Headers,
                           ICoreWebView2WebResourceRequest** value) = 0;  // 8

 protected:
  ~ICoreWebView2Environment2() = default;
};

struct ICoreWebView2Environment3 : ICoreWebView2Environment2 {
  virtual HRESULT STDMETHODCALLTYPE CreateCoreWebView2CompositionController(
      HWND ParentWindow,
      ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler* handler) = 0;  // 9
  virtual HRESULT STDMETHODCALLTYPE
  CreateCoreWebView2PointerInfo(ICoreWebView2PointerInfo** value) = 0;  // 10

 protected:
  ~ICoreWebView2Environment3() = default;
};

struct ICoreWebView2Environment4 : ICoreWebView2Environment3 {
  virtual HRESULT STDMETHODCALLTYPE GetAutomationProviderForWindow(HWND hwnd,
                                                                   IUnknown** value) = 0;  // 11

 protected:
  ~ICoreWebView2Environment4() = default;
};

struct ICoreWebView2Environment5 : ICoreWebView2Environment4 {
  virtual HRESULT STDMETHODCALLTYPE
  add_BrowserProcessExited(ICoreWebView2BrowserProcessExitedEventHandler* eventHandler,
                           EventRegistrationToken* token) = 0;  // 12
  virtual HRESULT STDMETHODCALLTYPE
  remove_BrowserProcessExited(EventRegistrationToken token) = 0;  // 13

 protected:
  ~ICoreWebView2Environment5() = default;
};

struct ICoreWebView2Environment6 : ICoreWebView2Environment5 {
  virtual HRESULT STDMETHODCALLTYPE
  CreatePrintSettings(ICoreWebView2PrintSettings** value) = 0;  // 14

 protected:
  ~ICoreWebView2Environment6() = default;
};

struct ICoreWebView2Environment7 : ICoreWebView2Environment6 {
  virtual HRESULT STDMETHODCALLTYPE get_UserDataFolder(LPWSTR* value) = 0;  // 15

 protected:
  ~ICoreWebView2Environment7() = default;
};

struct ICoreWebView2Environment8 : ICoreWebView2Environment7 {
  virtual HRESULT STDMETHODCALLTYPE
  add_ProcessInfosChanged(ICoreWebView2ProcessInfosChangedEventHandler* eventHandler,
                          EventRegistrationToken* token) = 0;  // 16
  virtual HRESULT STDMETHODCALLTYPE
  remove_ProcessInfosChanged(EventRegistrationToken token) = 0;  // 17
  virtual HRESULT STDMETHODCALLTYPE
  GetProcessInfos(ICoreWebView2ProcessInfoCollection** value) = 0;  // 18

 protected:
  ~ICoreWebView2Environment8() = default;
};

struct ICoreWebView2Environment9 : ICoreWebView2Environment8 {
  virtual HRESULT STDMETHODCALLTYPE CreateContextMenuItem(
      LPCWSTR Label, IStream* iconStream, COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND Kind,
      ICoreWebView2ContextMenuItem** value) = 0;  // 19

 protected:
  ~ICoreWebView2Environment9() = default;
};

struct ICoreWebView2Environment10 : ICoreWebView2Environment9 {
  virtual HRESULT STDMETHODCALLTYPE
  CreateCoreWebView2ControllerOptions(ICoreWebView2ControllerOptions** value) = 0;  // 20
  virtual HRESULT STDMETHODCALLTYPE CreateCoreWebView2ControllerWithOptions(
      HWND ParentWindow, ICoreWebView2ControllerOptions* options,
      ICoreWebView2CreateCoreWebView2ControllerCompletedHandler* handler) = 0;  // 21
  virtual HRESULT STDMETHODCALLTYPE CreateCoreWebView2CompositionControllerWithOptions(
      HWND ParentWindow, ICoreWebView2ControllerOptions* options,
      ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler* handler) = 0;  // 22

 protected:
  ~ICoreWebView2Environment10() = default;
};

struct ICoreWebView2Environment11 : ICoreWebView2Environment10 {
  virtual HRESULT STDMETHODCALLTYPE get_FailureReportFolderPath(LPWSTR* value) = 0;  // 23

 protected:
  ~ICoreWebView2Environment11() = default;
};

struct ICoreWebView2Environment12 : ICoreWebView2Environment11 {
  virtual HRESULT STDMETHODCALLTYPE
  CreateSharedBuffer(UINT64 Size, ICoreWebView2SharedBuffer** value) = 0;  // 24

 protected:
  ~ICoreWebView2Environment12() = default;
};

struct ICoreWebView2Environment13 : ICoreWebView2Environment12 {
  virtual HRESULT STDMETHODCALLTYPE
  GetProcessExtendedInfos(ICoreWebView2GetProcessExtendedInfosCompletedHandler* handler) = 0;  // 25

 protected:
  ~ICoreWebView2Environment13() = default;
};

struct ICoreWebView2Environment14 : ICoreWebView2Environment13 {
  virtual HRESULT STDMETHODCALLTYPE
  CreateWebFileSystemFileHandle(LPCWSTR path, COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION permission,
                                ICoreWebView2FileSystemHandle** value) = 0;  // 26
  virtual HRESULT STDMETHODCALLTYPE CreateWebFileSystemDirectoryHandle(
      LPCWSTR path, COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION permission,
      ICoreWebView2FileSystemHandle** value) = 0;  // 27
  virtual HRESULT STDMETHODCALLTYPE CreateObjectCollection(
      UINT32 length, IUnknown** items, ICoreWebView2ObjectCollection** objectCollection) = 0;  // 28

 protected:
  ~ICoreWebView2Environment14() = default;
};

// ---- Web view chain ----

struct ICoreWebView2 : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_Settings(ICoreWebView2Settings** settings) = 0;  // 3
  virtual HRESULT STDMETHODCALLTYPE get_Source(LPWSTR* uri) = 0;                         // 4
  virtual HRESULT STDMETHODCALLTYPE Navigate(LPCWSTR uri) = 0;                           // 5
  virtual HRESULT STDMETHODCALLTYPE NavigateToString(LPCWSTR htmlContent) = 0;           // 6
  // 7
  virtual HRESULT STDMETHODCALLTYPE add_NavigationStarting(
      ICoreWebView2NavigationStartingEventHandler* eventHandler, EventRegistrationToken* token) = 0;
  virtual HRESULT STDMETHODCALLTYPE
  remove_NavigationStarting(EventRegistrationToken token) = 0;  // 8
  // 9
  virtual HRESULT STDMETHODCALLTYPE add_ContentLoading(
      ICoreWebView2ContentLoadingEventHandler* eventHandler, EventRegistrationToken* token) = 0;
  virtual HRESULT STDMETHODCALLTYPE remove_ContentLoading(EventRegistrationToken token) = 0;  // 10
  // 11
  virtual HRESULT STDMETHODCALLTYPE add_SourceChanged(
      ICoreWebView2SourceChangedEventHandler* eventHandler, EventRegistrationToken* token) = 0;
  virtual HRESULT STDMETHODCALLTYPE remove_SourceChanged(EventRegistrationToken token) = 0;  // 12
  // 13
  virtual HRESULT STDMETHODCALLTYPE add_HistoryChanged(
      ICoreWebView2HistoryChangedEventHandler* eventHandler, EventRegistrationToken* token) = 0;
  virtual HRESULT STDMETHODCALLTYPE remove_HistoryChanged(EventRegistrationToken token) = 0;  // 14
  virtual HRESULT STDMETHODCALLTYPE
  add_NavigationCompleted(ICoreWebView2NavigationCompletedEventHandler* eventHandler,
                          EventRegistrationToken* token) = 0;  // 15
  virtual HRESULT STDMETHODCALLTYPE
  remove_NavigationCompleted(EventRegistrationToken token) = 0;  // 16
  // 17
  virtual HRESULT STDMETHODCALLTYPE add_FrameNavigationStarting(
      ICoreWebView2NavigationStartingEventHandler* eventHandler, EventRegistrationToken* token) = 0;
  virtual HRESULT STDMETHODCALLTYPE
  remove_FrameNavigationStarting(EventRegistrationToken token) = 0;  // 18
  virtual HRESULT STDMETHODCALLTYPE
  add_FrameNavigationCompleted(ICoreWebView2NavigationCompletedEventHandler* eventHandler,
                               EventRegistrationToken* token) = 0;  // 19
  virtual HRESULT STDMETHODCALLTYPE
  remove_FrameNavigationCompleted(EventRegistrationToken token) = 0;  // 20
  virtual HRESULT STDMETHODCALLTYPE
  add_ScriptDialogOpening(ICoreWebView2ScriptDialogOpeningEventHandler* eventHandler,
                          EventRegistrationToken* token) = 0;  // 21
  virtual HRESULT STDMETHODCALLTYPE
  remove_ScriptDialogOpening(EventRegistrationToken token) = 0;  // 22
  virtual HRESULT STDMETHODCALLTYPE
  add_PermissionRequested(ICoreWebView2PermissionRequestedEventHandler* eventHandler,
                          EventRegistrationToken* token) = 0;  // 23
  virtual HRESULT STDMETHODCALLTYPE
  remove_PermissionRequested(EventRegistrationToken token) = 0;  // 24
  // 25
  virtual HRESULT STDMETHODCALLTYPE add_ProcessFailed(
      ICoreWebView2ProcessFailedEventHandler* eventHandler, EventRegistrationToken* token) = 0;
  virtual HRESULT STDMETHODCALLTYPE remove_ProcessFailed(EventRegistrationToken token) = 0;  // 26
  virtual HRESULT STDMETHODCALLTYPE AddScriptToExecuteOnDocumentCreated(
      LPCWSTR javaScript,
      ICoreWebView2AddScriptToExecuteOnDocumentCreatedCompletedHandler* handler) = 0;        // 27
  virtual HRESULT STDMETHODCALLTYPE RemoveScriptToExecuteOnDocumentCreated(LPCWSTR id) = 0;  // 28
  virtual HRESULT STDMETHODCALLTYPE
  ExecuteScript(LPCWSTR javaScript, ICoreWebView2ExecuteScriptCompletedHandler* handler) = 0;  // 29
  virtual HRESULT STDMETHODCALLTYPE
  CapturePreview(COREWEBVIEW2_CAPTURE_PREVIEW_IMAGE_FORMAT imageFormat, IStream* imageStream,
                 ICoreWebView2CapturePreviewCompletedHandler* handler) = 0;                  // 30
  virtual HRESULT STDMETHODCALLTYPE Reload() = 0;                                            // 31
  virtual HRESULT STDMETHODCALLTYPE PostWebMessageAsJson(LPCWSTR webMessageAsJson) = 0;      // 32
  virtual HRESULT STDMETHODCALLTYPE PostWebMessageAsString(LPCWSTR webMessageAsString) = 0;  // 33
  // 34
  virtual HRESULT STDMETHODCALLTYPE add_WebMessageReceived(
      ICoreWebView2WebMessageReceivedEventHandler* handler, EventRegistrationToken* token) = 0;
  virtual HRESULT STDMETHODCALLTYPE
  remove_WebMessageReceived(EventRegistrationToken token) = 0;  // 35
  virtual HRESULT STDMETHODCALLTYPE CallDevToolsProtocolMethod(
      LPCWSTR methodName, LPCWSTR parametersAsJson,
      ICoreWebView2CallDevToolsProtocolMethodCompletedHandler* handler) = 0;   // 36
  virtual HRESULT STDMETHODCALLTYPE get_BrowserProcessId(UINT32* value) = 0;   // 37
  virtual HRESULT STDMETHODCALLTYPE get_CanGoBack(BOOL* canGoBack) = 0;        // 38
  virtual HRESULT STDMETHODCALLTYPE get_CanGoForward(BOOL* canGoForward) = 0;  // 39
  virtual HRESULT STDMETHODCALLTYPE GoBack() = 0;                              // 40
  virtual HRESULT STDMETHODCALLTYPE GoForward() = 0;                           // 41
  virtual HRESULT STDMETHODCALLTYPE GetDevToolsProtocolEventReceiver(
      LPCWSTR eventName, ICoreWebView2DevToolsProtocolEventReceiver** receiver) = 0;  // 42
  virtual HRESULT STDMETHODCALLTYPE Stop() = 0;                                       // 43
  // 44
  virtual HRESULT STDMETHODCALLTYPE add_NewWindowRequested(
      ICoreWebView2NewWindowRequestedEventHandler* eventHandler, EventRegistrationToken* token) = 0;
  virtual HRESULT STDMETHODCALLTYPE
  remove_NewWindowRequested(EventRegistrationToken token) = 0;  // 45
  virtual HRESULT STDMETHODCALLTYPE
  add_DocumentTitleChanged(ICoreWebView2DocumentTitleChangedEventHandler* eventHandler,
                           EventRegistrationToken* token) = 0;  // 46
  virtual HRESULT STDMETHODCALLTYPE
  remove_DocumentTitleChanged(EventRegistrationToken token) = 0;                               // 47
  virtual HRESULT STDMETHODCALLTYPE get_DocumentTitle(LPWSTR* title) = 0;                      // 48
  virtual HRESULT STDMETHODCALLTYPE AddHostObjectToScript(LPCWSTR name, VARIANT* object) = 0;  // 49
  virtual HRESULT STDMETHODCALLTYPE RemoveHostObjectFromScript(LPCWSTR name) = 0;              // 50
  virtual HRESULT STDMETHODCALLTYPE OpenDevToolsWindow() = 0;                                  // 51
  virtual HRESULT STDMETHODCALLTYPE add_ContainsFullScreenElementChanged(
      ICoreWebView2ContainsFullScreenElementChangedEventHandler* eventHandler,
      EventRegistrationToken* token) = 0;  // 52
  virtual HRESULT STDMETHODCALLTYPE
  remove_ContainsFullScreenElementChanged(EventRegistrationToken token) = 0;  // 53
  virtual HRESULT STDMETHODCALLTYPE
  get_ContainsFullScreenElement(BOOL* containsFullScreenElement) = 0;  // 54
  virtual HRESULT STDMETHODCALLTYPE
  add_WebResourceRequested(ICoreWebView2WebResourceRequestedEventHandler* eventHandler,
                           EventRegistrationToken* token) = 0;  // 55
  virtual HRESULT STDMETHODCALLTYPE
  remove_WebResourceRequested(EventRegistrationToken token) = 0;  // 56
  virtual HRESULT STDMETHODCALLTYPE AddWebResourceRequestedFilter(
      LPCWSTR uri, COREWEBVIEW2_WEB_RESOURCE_CONTEXT resourceContext) = 0;  // 57
  virtual HRESULT STDMETHODCALLTYPE RemoveWebResourceRequestedFilter(
      LPCWSTR uri, COREWEBVIEW2_WEB_RESOURCE_CONTEXT resourceContext) = 0;  // 58
  virtual HRESULT STDMETHODCALLTYPE
  add_WindowCloseRequested(ICoreWebView2WindowCloseRequestedEventHandler* eventHandler,
                           EventRegistrationToken* token) = 0;  // 59
  virtual HRESULT STDMETHODCALLTYPE
  remove_WindowCloseRequested(EventRegistrationToken token) = 0;  // 60

 protected:
  ~ICoreWebView2() = default;
};

struct ICoreWebView2_2 : ICoreWebView2 {
  virtual HRESULT STDMETHODCALLTYPE add_WebResourceResponseReceived(
      ICoreWebView2WebResourceResponseReceivedEventHandler* eventHandler,
      EventRegistrationToken* token) = 0;  // 61
  virtual HRESULT STDMETHODCALLTYPE
  remove_WebResourceResponseReceived(EventRegistrationToken token) = 0;  // 62
  virtual HRESULT STDMETHODCALLTYPE
  NavigateWithWebResourceRequest(ICoreWebView2WebResourceRequest* request) = 0;  // 63
  // 64
  virtual HRESULT STDMETHODCALLTYPE add_DOMContentLoaded(
      ICoreWebView2DOMContentLoadedEventHandler* eventHandler, EventRegistrationToken* token) = 0;
  virtual HRESULT STDMETHODCALLTYPE
  remove_DOMContentLoaded(EventRegistrationToken token) = 0;  // 65
  virtual HRESULT STDMETHODCALLTYPE
  get_CookieManager(ICoreWebView2CookieManager** cookieManager) = 0;  // 66
  virtual HRESULT STDMETHODCALLTYPE
  get_Environment(ICoreWebView2Environment** environment) = 0;  // 67

 protected:
  ~ICoreWebView2_2() = default;
};

struct ICoreWebView2_3 : ICoreWebView2_2 {
  virtual HRESULT STDMETHODCALLTYPE
  TrySuspend(ICoreWebView2TrySuspendCompletedHandler* handler) = 0;          // 68
  virtual HRESULT STDMETHODCALLTYPE Resume() = 0;                            // 69
  virtual HRESULT STDMETHODCALLTYPE get_IsSuspended(BOOL* isSuspended) = 0;  // 70
  // 71
  virtual HRESULT STDMETHODCALLTYPE SetVirtualHostNameToFolderMapping(
      LPCWSTR hostName, LPCWSTR folderPath, COREWEBVIEW2_HOST_RESOURCE_ACCESS_KIND accessKind) = 0;
  virtual HRESULT STDMETHODCALLTYPE
  ClearVirtualHostNameToFolderMapping(LPCWSTR hostName) = 0;  // 72

 protected:
  ~ICoreWebView2_3() = default;
};

struct ICoreWebView2_4 : ICoreWebView2_3 {
  // 73
  virtual HRESULT STDMETHODCALLTYPE add_FrameCreated(
      ICoreWebView2FrameCreatedEventHandler* eventHandler, EventRegistrationToken* token) = 0;
  virtual HRESULT STDMETHODCALLTYPE remove_FrameCreated(EventRegistrationToken token) = 0;  // 74
  // 75
  virtual HRESULT STDMETHODCALLTYPE add_DownloadStarting(
      ICoreWebView2DownloadStartingEventHandler* eventHandler, EventRegistrationToken* token) = 0;
  virtual HRESULT STDMETHODCALLTYPE
  remove_DownloadStarting(EventRegistrationToken token) = 0;  // 76

 protected:
  ~ICoreWebView2_4() = default;
};

struct ICoreWebView2_5 : ICoreWebView2_4 {
  virtual HRESULT STDMETHODCALLTYPE
  add_ClientCertificateRequested(ICoreWebView2ClientCertificateRequestedEventHandler* eventHandler,
                                 EventRegistrationToken* token) = 0;  // 77
  virtual HRESULT STDMETHODCALLTYPE
  remove_ClientCertificateRequested(EventRegistrationToken token) = 0;  // 78

 protected:
  ~ICoreWebView2_5() = default;
};

struct ICoreWebView2_6 : ICoreWebView2_5 {
  virtual HRESULT STDMETHODCALLTYPE OpenTaskManagerWindow() = 0;  // 79

 protected:
  ~ICoreWebView2_6() = default;
};

struct ICoreWebView2_7 : ICoreWebView2_6 {
  virtual HRESULT STDMETHODCALLTYPE
  PrintToPdf(LPCWSTR ResultFilePath, ICoreWebView2PrintSettings* printSettings,
             ICoreWebView2PrintToPdfCompletedHandler* handler) = 0;  // 80

 protected:
  ~ICoreWebView2_7() = default;
};

struct ICoreWebView2_8 : ICoreWebView2_7 {
  // 81
  virtual HRESULT STDMETHODCALLTYPE add_IsMutedChanged(
      ICoreWebView2IsMutedChangedEventHandler* eventHandler, EventRegistrationToken* token) = 0;
  virtual HRESULT STDMETHODCALLTYPE remove_IsMutedChanged(EventRegistrationToken token) = 0;  // 82
  virtual HRESULT STDMETHODCALLTYPE get_IsMuted(BOOL* value) = 0;                             // 83
  virtual HRESULT STDMETHODCALLTYPE put_IsMuted(BOOL value) = 0;                              // 84
  virtual HRESULT STDMETHODCALLTYPE add_IsDocumentPlayingAudioChanged(
      ICoreWebView2IsDocumentPlayingAudioChangedEventHandler* eventHandler,
      EventRegistrationToken* token) = 0;  // 85
  virtual HRESULT STDMETHODCALLTYPE
  remove_IsDocumentPlayingAudioChanged(EventRegistrationToken token) = 0;         // 86
  virtual HRESULT STDMETHODCALLTYPE get_IsDocumentPlayingAudio(BOOL* value) = 0;  // 87

 protected:
  ~ICoreWebView2_8() = default;
};

struct ICoreWebView2_9 : ICoreWebView2_8 {
  virtual HRESULT STDMETHODCALLTYPE add_IsDefaultDownloadDialogOpenChanged(
      ICoreWebView2IsDefaultDownloadDialogOpenChangedEventHandler* handler,
      EventRegistrationToken* token) = 0;  // 88
  virtual HRESULT STDMETHODCALLTYPE
  remove_IsDefaultDownloadDialogOpenChanged(EventRegistrationToken token) = 0;         // 89
  virtual HRESULT STDMETHODCALLTYPE get_IsDefaultDownloadDialogOpen(BOOL* value) = 0;  // 90
  virtual HRESULT STDMETHODCALLTYPE OpenDefaultDownloadDialog() = 0;                   // 91
  virtual HRESULT STDMETHODCALLTYPE CloseDefaultDownloadDialog() = 0;                  // 92
  virtual HRESULT STDMETHODCALLTYPE get_DefaultDownloadDialogCornerAlignment(
      COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT* value) = 0;  // 93
  virtual HRESULT STDMETHODCALLTYPE put_DefaultDownloadDialogCornerAlignment(
      COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT value) = 0;                 // 94
  virtual HRESULT STDMETHODCALLTYPE get_DefaultDownloadDialogMargin(POINT* value) = 0;  // 95
  virtual HRESULT STDMETHODCALLTYPE put_DefaultDownloadDialogMargin(POINT value) = 0;   // 96

 protected:
  ~ICoreWebView2_9() = default;
};

struct ICoreWebView2_10 : ICoreWebView2_9 {
  virtual HRESULT STDMETHODCALLTYPE add_BasicAuthenticationRequested(
      ICoreWebView2BasicAuthenticationRequestedEventHandler* eventHandler,
      EventRegistrationToken* token) = 0;  // 97
  virtual HRESULT STDMETHODCALLTYPE
  remove_BasicAuthenticationRequested(EventRegistrationToken token) = 0;  // 98

 protected:
  ~ICoreWebView2_10() = default;
};

struct ICoreWebView2_11 : ICoreWebView2_10 {
  virtual HRESULT STDMETHODCALLTYPE CallDevToolsProtocolMethodForSession(
      LPCWSTR sessionId, LPCWSTR methodName, LPCWSTR parametersAsJson,
      ICoreWebView2CallDevToolsProtocolMethodCompletedHandler* handler) = 0;  // 99
  virtual HRESULT STDMETHODCALLTYPE
  add_ContextMenuRequested(ICoreWebView2ContextMenuRequestedEventHandler* eventHandler,
                           EventRegistrationToken* token) = 0;  // 100
  virtual HRESULT STDMETHODCALLTYPE
  remove_ContextMenuRequested(EventRegistrationToken token) = 0;  // 101

 protected:
  ~ICoreWebView2_11() = default;
};

struct ICoreWebView2_12 : ICoreWebView2_11 {
  virtual HRESULT STDMETHODCALLTYPE
  add_StatusBarTextChanged(ICoreWebView2StatusBarTextChangedEventHandler* eventHandler,
                           EventRegistrationToken* token) = 0;  // 102
  virtual HRESULT STDMETHODCALLTYPE
  remove_StatusBarTextChanged(EventRegistrationToken token) = 0;           // 103
  virtual HRESULT STDMETHODCALLTYPE get_StatusBarText(LPWSTR* value) = 0;  // 104

 protected:
  ~ICoreWebView2_12() = default;
};

struct ICoreWebView2_13 : ICoreWebView2_12 {
  virtual HRESULT STDMETHODCALLTYPE get_Profile(ICoreWebView2Profile** value) = 0;  // 105

 protected:
  ~ICoreWebView2_13() = default;
};

struct ICoreWebView2_14 : ICoreWebView2_13 {
  virtual HRESULT STDMETHODCALLTYPE add_ServerCertificateErrorDetected(
      ICoreWebView2ServerCertificateErrorDetectedEventHandler* eventHandler,
      EventRegistrationToken* token) = 0;  // 106
  virtual HRESULT STDMETHODCALLTYPE
  remove_ServerCertificateErrorDetected(EventRegistrationToken token) = 0;  // 107
  virtual HRESULT STDMETHODCALLTYPE ClearServerCertificateErrorActions(
      ICoreWebView2ClearServerCertificateErrorActionsCompletedHandler* handler) = 0;  // 108

 protected:
  ~ICoreWebView2_14() = default;
};

struct ICoreWebView2_15 : ICoreWebView2_14 {
  // 109
  virtual HRESULT STDMETHODCALLTYPE add_FaviconChanged(
      ICoreWebView2FaviconChangedEventHandler* eventHandler, EventRegistrationToken* token) = 0;
  virtual HRESULT STDMETHODCALLTYPE remove_FaviconChanged(EventRegistrationToken token) = 0;  // 110
  virtual HRESULT STDMETHODCALLTYPE get_FaviconUri(LPWSTR* value) = 0;                        // 111
  virtual HRESULT STDMETHODCALLTYPE
  GetFavicon(COREWEBVIEW2_FAVICON_IMAGE_FORMAT format,
             ICoreWebView2GetFaviconCompletedHandler* completedHandler) = 0;  // 112

 protected:
  ~ICoreWebView2_15() = default;
};

struct ICoreWebView2_16 : ICoreWebView2_15 {
  // 113
  virtual HRESULT STDMETHODCALLTYPE Print(ICoreWebView2PrintSettings* printSettings,
                                          ICoreWebView2PrintCompletedHandler* handler) = 0;
  virtual HRESULT STDMETHODCALLTYPE
  ShowPrintUI(COREWEBVIEW2_PRINT_DIALOG_KIND printDialogKind) = 0;  // 114
  virtual HRESULT STDMETHODCALLTYPE
  PrintToPdfStream(ICoreWebView2PrintSettings* printSettings,
                   ICoreWebView2PrintToPdfStreamCompletedHandler* handler) = 0;  // 115

 protected:
  ~ICoreWebView2_16() = default;
};

struct ICoreWebView2_17 : ICoreWebView2_16 {
  virtual HRESULT STDMETHODCALLTYPE PostSharedBufferToScript(
      ICoreWebView2SharedBuffer* sharedBuffer, COREWEBVIEW2_SHARED_BUFFER_ACCESS access,
      LPCWSTR additionalDataAsJson) = 0;  // 116

 protected:
  ~ICoreWebView2_17() = default;
};

struct ICoreWebView2_18 : ICoreWebView2_17 {
  virtual HRESULT STDMETHODCALLTYPE
  add_LaunchingExternalUriScheme(ICoreWebView2LaunchingExternalUriSchemeEventHandler* eventHandler,
                                 EventRegistrationToken* token) = 0;  // 117
  virtual HRESULT STDMETHODCALLTYPE
  remove_LaunchingExternalUriScheme(EventRegistrationToken token) = 0;  // 118

 protected:
  ~ICoreWebView2_18() = default;
};

struct ICoreWebView2_19 : ICoreWebView2_18 {
  virtual HRESULT STDMETHODCALLTYPE
  get_MemoryUsageTargetLevel(COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL* value) = 0;  // 119
  virtual HRESULT STDMETHODCALLTYPE
  put_MemoryUsageTargetLevel(COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL value) = 0;  // 120

 protected:
  ~ICoreWebView2_19() = default;
};

struct ICoreWebView2_20 : ICoreWebView2_19 {
  virtual HRESULT STDMETHODCALLTYPE get_FrameId(UINT32* value) = 0;  // 121

 protected:
  ~ICoreWebView2_20() = default;
};

struct ICoreWebView2_21 : ICoreWebView2_20 {
  // 122
  virtual HRESULT STDMETHODCALLTYPE ExecuteScriptWithResult(
      LPCWSTR javaScript, ICoreWebView2ExecuteScriptWithResultCompletedHandler* handler) = 0;

 protected:
  ~ICoreWebView2_21() = default;
};

struct ICoreWebView2_22 : ICoreWebView2_21 {
  virtual HRESULT STDMETHODCALLTYPE AddWebResourceRequestedFilterWithRequestSourceKinds(
      LPCWSTR uri, COREWEBVIEW2_WEB_RESOURCE_CONTEXT ResourceContext,
      COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS requestSourceKinds) = 0;  // 123
  virtual HRESULT STDMETHODCALLTYPE RemoveWebResourceRequestedFilterWithRequestSourceKinds(
      LPCWSTR uri, COREWEBVIEW2_WEB_RESOURCE_CONTEXT ResourceContext,
      COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS requestSourceKinds) = 0;  // 124

 protected:
  ~ICoreWebView2_22() = default;
};

struct ICoreWebView2_23 : ICoreWebView2_22 {
  virtual HRESULT STDMETHODCALLTYPE PostWebMessageAsJsonWithAdditionalObjects(
      LPCWSTR webMessageAsJson, ICoreWebView2ObjectCollectionView* additionalObjects) = 0;  // 125

 protected:
  ~ICoreWebView2_23() = default;
};

// ---- Controller ----

struct ICoreWebView2Controller : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_IsVisible(BOOL* isVisible) = 0;      // 3
  virtual HRESULT STDMETHODCALLTYPE put_IsVisible(BOOL isVisible) = 0;       // 4
  virtual HRESULT STDMETHODCALLTYPE get_Bounds(RECT* bounds) = 0;            // 5
  virtual HRESULT STDMETHODCALLTYPE put_Bounds(RECT bounds) = 0;             // 6
  virtual HRESULT STDMETHODCALLTYPE get_ZoomFactor(double* zoomFactor) = 0;  // 7
  virtual HRESULT STDMETHODCALLTYPE put_ZoomFactor(double zoomFactor) = 0;   // 8
  // 9
  virtual HRESULT STDMETHODCALLTYPE add_ZoomFactorChanged(
      ICoreWebView2ZoomFactorChangedEventHandler* eventHandler, EventRegistrationToken* token) = 0;
  virtual HRESULT STDMETHODCALLTYPE
  remove_ZoomFactorChanged(EventRegistrationToken token) = 0;  // 10
  virtual HRESULT STDMETHODCALLTYPE SetBoundsAndZoomFactor(RECT bounds,
                                                           double zoomFactor) = 0;         // 11
  virtual HRESULT STDMETHODCALLTYPE MoveFocus(COREWEBVIEW2_MOVE_FOCUS_REASON reason) = 0;  // 12
  // 13
  virtual HRESULT STDMETHODCALLTYPE add_MoveFocusRequested(
      ICoreWebView2MoveFocusRequestedEventHandler* eventHandler, EventRegistrationToken* token) = 0;
  virtual HRESULT STDMETHODCALLTYPE
  remove_MoveFocusRequested(EventRegistrationToken token) = 0;  // 14
  // 15
  virtual HRESULT STDMETHODCALLTYPE add_GotFocus(
      ICoreWebView2FocusChangedEventHandler* eventHandler, EventRegistrationToken* token) = 0;
  virtual HRESULT STDMETHODCALLTYPE remove_GotFocus(EventRegistrationToken token) = 0;  // 16
  // 17
  virtual HRESULT STDMETHODCALLTYPE add_LostFocus(
      ICoreWebView2FocusChangedEventHandler* eventHandler, EventRegistrationToken* token) = 0;
  virtual HRESULT STDMETHODCALLTYPE remove_LostFocus(EventRegistrationToken token) = 0;  // 18
  virtual HRESULT STDMETHODCALLTYPE
  add_AcceleratorKeyPressed(ICoreWebView2AcceleratorKeyPressedEventHandler* eventHandler,
                            EventRegistrationToken* token) = 0;  // 19
  virtual HRESULT STDMETHODCALLTYPE
  remove_AcceleratorKeyPressed(EventRegistrationToken token) = 0;                        // 20
  virtual HRESULT STDMETHODCALLTYPE get_ParentWindow(HWND* parentWindow) = 0;            // 21
  virtual HRESULT STDMETHODCALLTYPE put_ParentWindow(HWND parentWindow) = 0;             // 22
  virtual HRESULT STDMETHODCALLTYPE NotifyParentWindowPositionChanged() = 0;             // 23
  virtual HRESULT STDMETHODCALLTYPE Close() = 0;                                         // 24
  virtual HRESULT STDMETHODCALLTYPE get_CoreWebView2(ICoreWebView2** coreWebView2) = 0;  // 25

 protected:
  ~ICoreWebView2Controller() = default;
};

// ---- Settings ----

struct ICoreWebView2Settings : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_IsScriptEnabled(BOOL* isScriptEnabled) = 0;          // 3
  virtual HRESULT STDMETHODCALLTYPE put_IsScriptEnabled(BOOL isScriptEnabled) = 0;           // 4
  virtual HRESULT STDMETHODCALLTYPE get_IsWebMessageEnabled(BOOL* isWebMessageEnabled) = 0;  // 5
  virtual HRESULT STDMETHODCALLTYPE put_IsWebMessageEnabled(BOOL isWebMessageEnabled) = 0;   // 6
  virtual HRESULT STDMETHODCALLTYPE
  get_AreDefaultScriptDialogsEnabled(BOOL* areDefaultScriptDialogsEnabled) = 0;  // 7
  virtual HRESULT STDMETHODCALLTYPE
  put_AreDefaultScriptDialogsEnabled(BOOL areDefaultScriptDialogsEnabled) = 0;             // 8
  virtual HRESULT STDMETHODCALLTYPE get_IsStatusBarEnabled(BOOL* isStatusBarEnabled) = 0;  // 9
  virtual HRESULT STDMETHODCALLTYPE put_IsStatusBarEnabled(BOOL isStatusBarEnabled) = 0;   // 10
  virtual HRESULT STDMETHODCALLTYPE get_AreDevToolsEnabled(BOOL* areDevToolsEnabled) = 0;  // 11
  virtual HRESULT STDMETHODCALLTYPE put_AreDevToolsEnabled(BOOL areDevToolsEnabled) = 0;   // 12
  virtual HRESULT STDMETHODCALLTYPE get_AreDefaultContextMenusEnabled(BOOL* enabled) = 0;  // 13
  virtual HRESULT STDMETHODCALLTYPE put_AreDefaultContextMenusEnabled(BOOL enabled) = 0;   // 14
  virtual HRESULT STDMETHODCALLTYPE get_AreHostObjectsAllowed(BOOL* allowed) = 0;          // 15
  virtual HRESULT STDMETHODCALLTYPE put_AreHostObjectsAllowed(BOOL allowed) = 0;           // 16
  virtual HRESULT STDMETHODCALLTYPE get_IsZoomControlEnabled(BOOL* enabled) = 0;           // 17
  virtual HRESULT STDMETHODCALLTYPE put_IsZoomControlEnabled(BOOL enabled) = 0;            // 18
  virtual HRESULT STDMETHODCALLTYPE get_IsBuiltInErrorPageEnabled(BOOL* enabled) = 0;      // 19
  virtual HRESULT STDMETHODCALLTYPE put_IsBuiltInErrorPageEnabled(BOOL enabled) = 0;       // 20

 protected:
  ~ICoreWebView2Settings() = default;
};

struct ICoreWebView2Settings2 : ICoreWebView2Settings {
  virtual HRESULT STDMETHODCALLTYPE get_UserAgent(LPWSTR* value) = 0;  // 21
  virtual HRESULT STDMETHODCALLTYPE put_UserAgent(LPCWSTR value) = 0;  // 22

 protected:
  ~ICoreWebView2Settings2() = default;
};

struct ICoreWebView2Settings3 : ICoreWebView2Settings2 {
  virtual HRESULT STDMETHODCALLTYPE get_AreBrowserAcceleratorKeysEnabled(BOOL* value) = 0;  // 23
  virtual HRESULT STDMETHODCALLTYPE put_AreBrowserAcceleratorKeysEnabled(BOOL value) = 0;   // 24

 protected:
  ~ICoreWebView2Settings3() = default;
};

// ---- Event arguments ----

struct ICoreWebView2WebMessageReceivedEventArgs : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_Source(LPWSTR* value) = 0;                // 3
  virtual HRESULT STDMETHODCALLTYPE get_WebMessageAsJson(LPWSTR* value) = 0;      // 4
  virtual HRESULT STDMETHODCALLTYPE TryGetWebMessageAsString(LPWSTR* value) = 0;  // 5

 protected:
  ~ICoreWebView2WebMessageReceivedEventArgs() = default;
};

struct ICoreWebView2NewWindowRequestedEventArgs : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_Uri(LPWSTR* uri) = 0;                           // 3
  virtual HRESULT STDMETHODCALLTYPE put_NewWindow(ICoreWebView2* newWindow) = 0;        // 4
  virtual HRESULT STDMETHODCALLTYPE get_NewWindow(ICoreWebView2** newWindow) = 0;       // 5
  virtual HRESULT STDMETHODCALLTYPE put_Handled(BOOL handled) = 0;                      // 6
  virtual HRESULT STDMETHODCALLTYPE get_Handled(BOOL* handled) = 0;                     // 7
  virtual HRESULT STDMETHODCALLTYPE get_IsUserInitiated(BOOL* isUserInitiated) = 0;     // 8
  virtual HRESULT STDMETHODCALLTYPE GetDeferral(ICoreWebView2Deferral** deferral) = 0;  // 9
  virtual HRESULT STDMETHODCALLTYPE
  get_WindowFeatures(ICoreWebView2WindowFeatures** value) = 0;  // 10

 protected:
  ~ICoreWebView2NewWindowRequestedEventArgs() = default;
};

struct ICoreWebView2PermissionRequestedEventArgs : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_Uri(LPWSTR* uri) = 0;  // 3
  virtual HRESULT STDMETHODCALLTYPE
  get_PermissionKind(COREWEBVIEW2_PERMISSION_KIND* permissionKind) = 0;                   // 4
  virtual HRESULT STDMETHODCALLTYPE get_IsUserInitiated(BOOL* isUserInitiated) = 0;       // 5
  virtual HRESULT STDMETHODCALLTYPE get_State(COREWEBVIEW2_PERMISSION_STATE* state) = 0;  // 6
  virtual HRESULT STDMETHODCALLTYPE put_State(COREWEBVIEW2_PERMISSION_STATE state) = 0;   // 7
  virtual HRESULT STDMETHODCALLTYPE GetDeferral(ICoreWebView2Deferral** deferral) = 0;    // 8

 protected:
  ~ICoreWebView2PermissionRequestedEventArgs() = default;
};

struct ICoreWebView2NavigationStartingEventArgs : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_Uri(LPWSTR* uri) = 0;                        // 3
  virtual HRESULT STDMETHODCALLTYPE get_IsUserInitiated(BOOL* isUserInitiated) = 0;  // 4
  virtual HRESULT STDMETHODCALLTYPE get_IsRedirected(BOOL* isRedirected) = 0;        // 5
  virtual HRESULT STDMETHODCALLTYPE
  get_RequestHeaders(ICoreWebView2HttpRequestHeaders** requestHeaders) = 0;      // 6
  virtual HRESULT STDMETHODCALLTYPE get_Cancel(BOOL* cancel) = 0;                // 7
  virtual HRESULT STDMETHODCALLTYPE put_Cancel(BOOL cancel) = 0;                 // 8
  virtual HRESULT STDMETHODCALLTYPE get_NavigationId(UINT64* navigationId) = 0;  // 9

 protected:
  ~ICoreWebView2NavigationStartingEventArgs() = default;
};

struct ICoreWebView2WebResourceRequestedEventArgs : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE
  get_Request(ICoreWebView2WebResourceRequest** request) = 0;  // 3
  virtual HRESULT STDMETHODCALLTYPE
  get_Response(ICoreWebView2WebResourceResponse** response) = 0;  // 4
  virtual HRESULT STDMETHODCALLTYPE
  put_Response(ICoreWebView2WebResourceResponse* response) = 0;                         // 5
  virtual HRESULT STDMETHODCALLTYPE GetDeferral(ICoreWebView2Deferral** deferral) = 0;  // 6
  virtual HRESULT STDMETHODCALLTYPE
  get_ResourceContext(COREWEBVIEW2_WEB_RESOURCE_CONTEXT* context) = 0;  // 7

 protected:
  ~ICoreWebView2WebResourceRequestedEventArgs() = default;
};

struct ICoreWebView2AcceleratorKeyPressedEventArgs : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE
  get_KeyEventKind(COREWEBVIEW2_KEY_EVENT_KIND* keyEventKind) = 0;         // 3
  virtual HRESULT STDMETHODCALLTYPE get_VirtualKey(UINT* virtualKey) = 0;  // 4
  virtual HRESULT STDMETHODCALLTYPE get_KeyEventLParam(INT* lParam) = 0;   // 5
  virtual HRESULT STDMETHODCALLTYPE
  get_PhysicalKeyStatus(COREWEBVIEW2_PHYSICAL_KEY_STATUS* physicalKeyStatus) = 0;  // 6
  virtual HRESULT STDMETHODCALLTYPE get_Handled(BOOL* handled) = 0;                // 7
  virtual HRESULT STDMETHODCALLTYPE put_Handled(BOOL handled) = 0;                 // 8

 protected:
  ~ICoreWebView2AcceleratorKeyPressedEventArgs() = default;
};

struct ICoreWebView2DOMContentLoadedEventArgs : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_NavigationId(UINT64* value) = 0;  // 3

 protected:
  ~ICoreWebView2DOMContentLoadedEventArgs() = default;
};

// IsSuccess is also FALSE for harmless ends (cancelled, replaced, stopped by the page).
struct ICoreWebView2NavigationCompletedEventArgs : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_IsSuccess(BOOL* isSuccess) = 0;  // 3
  virtual HRESULT STDMETHODCALLTYPE
  get_WebErrorStatus(COREWEBVIEW2_WEB_ERROR_STATUS* webErrorStatus) = 0;         // 4
  virtual HRESULT STDMETHODCALLTYPE get_NavigationId(UINT64* navigationId) = 0;  // 5

 protected:
  ~ICoreWebView2NavigationCompletedEventArgs() = default;
};

struct ICoreWebView2ProcessFailedEventArgs : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE
  get_ProcessFailedKind(COREWEBVIEW2_PROCESS_FAILED_KIND* value) = 0;  // 3

 protected:
  ~ICoreWebView2ProcessFailedEventArgs() = default;
};

// Raised for every exit of the environment's browser process, normal ones included.
struct ICoreWebView2BrowserProcessExitedEventArgs : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE
  get_BrowserProcessExitKind(COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND* value) = 0;  // 3
  virtual HRESULT STDMETHODCALLTYPE get_BrowserProcessId(UINT32* value) = 0;      // 4

 protected:
  ~ICoreWebView2BrowserProcessExitedEventArgs() = default;
};

// ---- Requests, responses, headers, handles, collections, deferral ----

struct ICoreWebView2WebResourceRequest : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_Uri(LPWSTR* uri) = 0;            // 3
  virtual HRESULT STDMETHODCALLTYPE put_Uri(LPCWSTR uri) = 0;            // 4
  virtual HRESULT STDMETHODCALLTYPE get_Method(LPWSTR* method) = 0;      // 5
  virtual HRESULT STDMETHODCALLTYPE put_Method(LPCWSTR method) = 0;      // 6
  virtual HRESULT STDMETHODCALLTYPE get_Content(IStream** content) = 0;  // 7
  virtual HRESULT STDMETHODCALLTYPE put_Content(IStream* content) = 0;   // 8
  virtual HRESULT STDMETHODCALLTYPE
  get_Headers(ICoreWebView2HttpRequestHeaders** headers) = 0;  // 9

 protected:
  ~ICoreWebView2WebResourceRequest() = default;
};

struct ICoreWebView2HttpRequestHeaders : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetHeader(LPCWSTR name, LPWSTR* value) = 0;  // 3
  virtual HRESULT STDMETHODCALLTYPE
  GetHeaders(LPCWSTR name, ICoreWebView2HttpHeadersCollectionIterator** value) = 0;  // 4
  virtual HRESULT STDMETHODCALLTYPE Contains(LPCWSTR name, BOOL* value) = 0;         // 5
  virtual HRESULT STDMETHODCALLTYPE SetHeader(LPCWSTR name, LPCWSTR value) = 0;      // 6
  virtual HRESULT STDMETHODCALLTYPE RemoveHeader(LPCWSTR name) = 0;                  // 7
  virtual HRESULT STDMETHODCALLTYPE
  GetIterator(ICoreWebView2HttpHeadersCollectionIterator** value) = 0;  // 8

 protected:
  ~ICoreWebView2HttpRequestHeaders() = default;
};

struct ICoreWebView2HttpHeadersCollectionIterator : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetCurrentHeader(LPWSTR* name, LPWSTR* value) = 0;  // 3
  virtual HRESULT STDMETHODCALLTYPE get_HasCurrentHeader(BOOL* hasCurrent) = 0;         // 4
  virtual HRESULT STDMETHODCALLTYPE MoveNext(BOOL* hasNext) = 0;                        // 5

 protected:
  ~ICoreWebView2HttpHeadersCollectionIterator() = default;
};

struct ICoreWebView2WebResourceResponse : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_Content(IStream** content) = 0;  // 3
  virtual HRESULT STDMETHODCALLTYPE put_Content(IStream* content) = 0;   // 4
  virtual HRESULT STDMETHODCALLTYPE
  get_Headers(ICoreWebView2HttpResponseHeaders** headers) = 0;                   // 5
  virtual HRESULT STDMETHODCALLTYPE get_StatusCode(int* statusCode) = 0;         // 6
  virtual HRESULT STDMETHODCALLTYPE put_StatusCode(int statusCode) = 0;          // 7
  virtual HRESULT STDMETHODCALLTYPE get_ReasonPhrase(LPWSTR* reasonPhrase) = 0;  // 8
  virtual HRESULT STDMETHODCALLTYPE put_ReasonPhrase(LPCWSTR reasonPhrase) = 0;  // 9

 protected:
  ~ICoreWebView2WebResourceResponse() = default;
};

struct ICoreWebView2HttpResponseHeaders : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE AppendHeader(LPCWSTR name, LPCWSTR value) = 0;  // 3
  virtual HRESULT STDMETHODCALLTYPE Contains(LPCWSTR name, BOOL* value) = 0;        // 4
  virtual HRESULT STDMETHODCALLTYPE GetHeader(LPCWSTR name, LPWSTR* value) = 0;     // 5
  virtual HRESULT STDMETHODCALLTYPE
  GetHeaders(LPCWSTR name, ICoreWebView2HttpHeadersCollectionIterator** value) = 0;  // 6
  virtual HRESULT STDMETHODCALLTYPE
  GetIterator(ICoreWebView2HttpHeadersCollectionIterator** value) = 0;  // 7

 protected:
  ~ICoreWebView2HttpResponseHeaders() = default;
};

struct ICoreWebView2FileSystemHandle : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_Kind(COREWEBVIEW2_FILE_SYSTEM_HANDLE_KIND* value) = 0;  // 3
  virtual HRESULT STDMETHODCALLTYPE get_Path(LPWSTR* value) = 0;                                // 4
  virtual HRESULT STDMETHODCALLTYPE
  get_Permission(COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION* value) = 0;  // 5

 protected:
  ~ICoreWebView2FileSystemHandle() = default;
};

struct ICoreWebView2ObjectCollectionView : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_Count(UINT32* value) = 0;                         // 3
  virtual HRESULT STDMETHODCALLTYPE GetValueAtIndex(UINT32 index, IUnknown** value) = 0;  // 4

 protected:
  ~ICoreWebView2ObjectCollectionView() = default;
};

struct ICoreWebView2ObjectCollection : ICoreWebView2ObjectCollectionView {
  virtual HRESULT STDMETHODCALLTYPE RemoveValueAtIndex(UINT32 index) = 0;                   // 5
  virtual HRESULT STDMETHODCALLTYPE InsertValueAtIndex(UINT32 index, IUnknown* value) = 0;  // 6

 protected:
  ~ICoreWebView2ObjectCollection() = default;
};

struct ICoreWebView2Deferral : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Complete() = 0;  // 3

 protected:
  ~ICoreWebView2Deferral() = default;
};

// ---- Environment options (implemented by the shell; each level derives from IUnknown) ----

struct ICoreWebView2EnvironmentOptions : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_AdditionalBrowserArguments(LPWSTR* value) = 0;      // 3
  virtual HRESULT STDMETHODCALLTYPE put_AdditionalBrowserArguments(LPCWSTR value) = 0;      // 4
  virtual HRESULT STDMETHODCALLTYPE get_Language(LPWSTR* value) = 0;                        // 5
  virtual HRESULT STDMETHODCALLTYPE put_Language(LPCWSTR value) = 0;                        // 6
  virtual HRESULT STDMETHODCALLTYPE get_TargetCompatibleBrowserVersion(LPWSTR* value) = 0;  // 7
  virtual HRESULT STDMETHODCALLTYPE put_TargetCompatibleBrowserVersion(LPCWSTR value) = 0;  // 8
  virtual HRESULT STDMETHODCALLTYPE
  get_AllowSingleSignOnUsingOSPrimaryAccount(BOOL* allow) = 0;  // 9
  virtual HRESULT STDMETHODCALLTYPE
  put_AllowSingleSignOnUsingOSPrimaryAccount(BOOL allow) = 0;  // 10

 protected:
  ~ICoreWebView2EnvironmentOptions() = default;
};

struct ICoreWebView2EnvironmentOptions2 : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_ExclusiveUserDataFolderAccess(BOOL* value) = 0;  // 3
  virtual HRESULT STDMETHODCALLTYPE put_ExclusiveUserDataFolderAccess(BOOL value) = 0;   // 4

 protected:
  ~ICoreWebView2EnvironmentOptions2() = default;
};

struct ICoreWebView2EnvironmentOptions3 : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_IsCustomCrashReportingEnabled(BOOL* value) = 0;  // 3
  virtual HRESULT STDMETHODCALLTYPE put_IsCustomCrashReportingEnabled(BOOL value) = 0;   // 4

 protected:
  ~ICoreWebView2EnvironmentOptions3() = default;
};

struct ICoreWebView2EnvironmentOptions4 : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetCustomSchemeRegistrations(
      UINT32* count, ICoreWebView2CustomSchemeRegistration*** schemeRegistrations) = 0;  // 3
  virtual HRESULT STDMETHODCALLTYPE SetCustomSchemeRegistrations(
      UINT32 count, ICoreWebView2CustomSchemeRegistration** schemeRegistrations) = 0;  // 4

 protected:
  ~ICoreWebView2EnvironmentOptions4() = default;
};

struct ICoreWebView2EnvironmentOptions5 : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_EnableTrackingPrevention(BOOL* value) = 0;  // 3
  virtual HRESULT STDMETHODCALLTYPE put_EnableTrackingPrevention(BOOL value) = 0;   // 4

 protected:
  ~ICoreWebView2EnvironmentOptions5() = default;
};

struct ICoreWebView2EnvironmentOptions6 : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_AreBrowserExtensionsEnabled(BOOL* value) = 0;  // 3
  virtual HRESULT STDMETHODCALLTYPE put_AreBrowserExtensionsEnabled(BOOL value) = 0;   // 4

 protected:
  ~ICoreWebView2EnvironmentOptions6() = default;
};

struct ICoreWebView2EnvironmentOptions7 : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE
  get_ChannelSearchKind(COREWEBVIEW2_CHANNEL_SEARCH_KIND* value) = 0;  // 3
  virtual HRESULT STDMETHODCALLTYPE
  put_ChannelSearchKind(COREWEBVIEW2_CHANNEL_SEARCH_KIND value) = 0;  // 4
  virtual HRESULT STDMETHODCALLTYPE
  get_ReleaseChannels(COREWEBVIEW2_RELEASE_CHANNELS* value) = 0;  // 5
  virtual HRESULT STDMETHODCALLTYPE
  put_ReleaseChannels(COREWEBVIEW2_RELEASE_CHANNELS value) = 0;  // 6

 protected:
  ~ICoreWebView2EnvironmentOptions7() = default;
};

struct ICoreWebView2EnvironmentOptions8 : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE
  get_ScrollBarStyle(COREWEBVIEW2_SCROLLBAR_STYLE* value) = 0;  // 3
  virtual HRESULT STDMETHODCALLTYPE
  put_ScrollBarStyle(COREWEBVIEW2_SCROLLBAR_STYLE value) = 0;  // 4

 protected:
  ~ICoreWebView2EnvironmentOptions8() = default;
};

// ---- Completion handlers (implemented by the shell) ----

struct ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Invoke(HRESULT errorCode,
                                           ICoreWebView2Environment* result) = 0;  // 3

 protected:
  ~ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler() = default;
};

struct ICoreWebView2CreateCoreWebView2ControllerCompletedHandler : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Invoke(HRESULT errorCode,
                                           ICoreWebView2Controller* result) = 0;  // 3

 protected:
  ~ICoreWebView2CreateCoreWebView2ControllerCompletedHandler() = default;
};

// ---- Event handlers (implemented by the shell) ----

struct ICoreWebView2DOMContentLoadedEventHandler : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Invoke(ICoreWebView2* sender,
                                           ICoreWebView2DOMContentLoadedEventArgs* args) = 0;  // 3

 protected:
  ~ICoreWebView2DOMContentLoadedEventHandler() = default;
};

struct ICoreWebView2WebMessageReceivedEventHandler : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE
  Invoke(ICoreWebView2* sender, ICoreWebView2WebMessageReceivedEventArgs* args) = 0;  // 3

 protected:
  ~ICoreWebView2WebMessageReceivedEventHandler() = default;
};

struct ICoreWebView2NewWindowRequestedEventHandler : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE
  Invoke(ICoreWebView2* sender, ICoreWebView2NewWindowRequestedEventArgs* args) = 0;  // 3

 protected:
  ~ICoreWebView2NewWindowRequestedEventHandler() = default;
};

struct ICoreWebView2WindowCloseRequestedEventHandler : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Invoke(ICoreWebView2* sender, IUnknown* args) = 0;  // 3

 protected:
  ~ICoreWebView2WindowCloseRequestedEventHandler() = default;
};

struct ICoreWebView2ContainsFullScreenElementChangedEventHandler : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Invoke(ICoreWebView2* sender, IUnknown* args) = 0;  // 3

 protected:
  ~ICoreWebView2ContainsFullScreenElementChangedEventHandler() = default;
};

struct ICoreWebView2PermissionRequestedEventHandler : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE
  Invoke(ICoreWebView2* sender, ICoreWebView2PermissionRequestedEventArgs* args) = 0;  // 3

 protected:
  ~ICoreWebView2PermissionRequestedEventHandler() = default;
};

struct ICoreWebView2NavigationStartingEventHandler : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE
  Invoke(ICoreWebView2* sender, ICoreWebView2NavigationStartingEventArgs* args) = 0;  // 3

 protected:
  ~ICoreWebView2NavigationStartingEventHandler() = default;
};

struct ICoreWebView2WebResourceRequestedEventHandler : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE
  Invoke(ICoreWebView2* sender, ICoreWebView2WebResourceRequestedEventArgs* args) = 0;  // 3

 protected:
  ~ICoreWebView2WebResourceRequestedEventHandler() = default;
};

struct ICoreWebView2DocumentTitleChangedEventHandler : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Invoke(ICoreWebView2* sender, IUnknown* args) = 0;  // 3

 protected:
  ~ICoreWebView2DocumentTitleChangedEventHandler() = default;
};

struct ICoreWebView2AcceleratorKeyPressedEventHandler : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Invoke(
      ICoreWebView2Controller* sender, ICoreWebView2AcceleratorKeyPressedEventArgs* args) = 0;  // 3

 protected:
  ~ICoreWebView2AcceleratorKeyPressedEventHandler() = default;
};

// ---- Newer levels of event arguments and controller, and their types ----

struct ICoreWebView2WebMessageReceivedEventArgs2 : ICoreWebView2WebMessageReceivedEventArgs {
  virtual HRESULT STDMETHODCALLTYPE
  get_AdditionalObjects(ICoreWebView2ObjectCollectionView** value) = 0;  // 6

 protected:
  ~ICoreWebView2WebMessageReceivedEventArgs2() = default;
};

struct ICoreWebView2NewWindowRequestedEventArgs2 : ICoreWebView2NewWindowRequestedEventArgs {
  virtual HRESULT STDMETHODCALLTYPE get_Name(LPWSTR* value) = 0;  // 11

 protected:
  ~ICoreWebView2NewWindowRequestedEventArgs2() = default;
};

struct ICoreWebView2NewWindowRequestedEventArgs3 : ICoreWebView2NewWindowRequestedEventArgs2 {
  virtual HRESULT STDMETHODCALLTYPE
  get_OriginalSourceFrameInfo(ICoreWebView2FrameInfo** value) = 0;  // 12

 protected:
  ~ICoreWebView2NewWindowRequestedEventArgs3() = default;
};

struct ICoreWebView2PermissionRequestedEventArgs2 : ICoreWebView2PermissionRequestedEventArgs {
  virtual HRESULT STDMETHODCALLTYPE get_Handled(BOOL* value) = 0;  // 9
  virtual HRESULT STDMETHODCALLTYPE put_Handled(BOOL value) = 0;   // 10

 protected:
  ~ICoreWebView2PermissionRequestedEventArgs2() = default;
};

struct ICoreWebView2PermissionRequestedEventArgs3 : ICoreWebView2PermissionRequestedEventArgs2 {
  virtual HRESULT STDMETHODCALLTYPE get_SavesInProfile(BOOL* value) = 0;  // 11
  virtual HRESULT STDMETHODCALLTYPE put_SavesInProfile(BOOL value) = 0;   // 12

 protected:
  ~ICoreWebView2PermissionRequestedEventArgs3() = default;
};

struct ICoreWebView2WebResourceRequestedEventArgs2 : ICoreWebView2WebResourceRequestedEventArgs {
  virtual HRESULT STDMETHODCALLTYPE
  get_RequestedSourceKind(COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS* value) = 0;  // 8

 protected:
  ~ICoreWebView2WebResourceRequestedEventArgs2() = default;
};

struct ICoreWebView2NavigationStartingEventArgs2 : ICoreWebView2NavigationStartingEventArgs {
  virtual HRESULT STDMETHODCALLTYPE get_AdditionalAllowedFrameAncestors(LPWSTR* value) = 0;  // 10
  virtual HRESULT STDMETHODCALLTYPE put_AdditionalAllowedFrameAncestors(LPCWSTR value) = 0;  // 11

 protected:
  ~ICoreWebView2NavigationStartingEventArgs2() = default;
};

struct ICoreWebView2NavigationStartingEventArgs3 : ICoreWebView2NavigationStartingEventArgs2 {
  virtual HRESULT STDMETHODCALLTYPE
  get_NavigationKind(COREWEBVIEW2_NAVIGATION_KIND* value) = 0;  // 12

 protected:
  ~ICoreWebView2NavigationStartingEventArgs3() = default;
};

struct ICoreWebView2AcceleratorKeyPressedEventArgs2 : ICoreWebView2AcceleratorKeyPressedEventArgs {
  virtual HRESULT STDMETHODCALLTYPE get_IsBrowserAcceleratorKeyEnabled(BOOL* value) = 0;  // 9
  virtual HRESULT STDMETHODCALLTYPE put_IsBrowserAcceleratorKeyEnabled(BOOL value) = 0;   // 10

 protected:
  ~ICoreWebView2AcceleratorKeyPressedEventArgs2() = default;
};

struct ICoreWebView2Controller2 : ICoreWebView2Controller {
  virtual HRESULT STDMETHODCALLTYPE
  get_DefaultBackgroundColor(COREWEBVIEW2_COLOR* value) = 0;                                   // 26
  virtual HRESULT STDMETHODCALLTYPE put_DefaultBackgroundColor(COREWEBVIEW2_COLOR value) = 0;  // 27

 protected:
  ~ICoreWebView2Controller2() = default;
};

struct ICoreWebView2Controller3 : ICoreWebView2Controller2 {
  virtual HRESULT STDMETHODCALLTYPE get_RasterizationScale(double* scale) = 0;             // 28
  virtual HRESULT STDMETHODCALLTYPE put_RasterizationScale(double scale) = 0;              // 29
  virtual HRESULT STDMETHODCALLTYPE get_ShouldDetectMonitorScaleChanges(BOOL* value) = 0;  // 30
  virtual HRESULT STDMETHODCALLTYPE put_ShouldDetectMonitorScaleChanges(BOOL value) = 0;   // 31
  virtual HRESULT STDMETHODCALLTYPE
  add_RasterizationScaleChanged(ICoreWebView2RasterizationScaleChangedEventHandler* eventHandler,
                                EventRegistrationToken* token) = 0;  // 32
  virtual HRESULT STDMETHODCALLTYPE
  remove_RasterizationScaleChanged(EventRegistrationToken token) = 0;                          // 33
  virtual HRESULT STDMETHODCALLTYPE get_BoundsMode(COREWEBVIEW2_BOUNDS_MODE* boundsMode) = 0;  // 34
  virtual HRESULT STDMETHODCALLTYPE put_BoundsMode(COREWEBVIEW2_BOUNDS_MODE boundsMode) = 0;   // 35

 protected:
  ~ICoreWebView2Controller3() = default;
};

struct ICoreWebView2Controller4 : ICoreWebView2Controller3 {
  virtual HRESULT STDMETHODCALLTYPE get_AllowExternalDrop(BOOL* value) = 0;  // 36
  virtual HRESULT STDMETHODCALLTYPE put_AllowExternalDrop(BOOL value) = 0;   // 37

 protected:
  ~ICoreWebView2Controller4() = default;
};

struct ICoreWebView2WindowFeatures : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_HasPosition(BOOL* value) = 0;              // 3
  virtual HRESULT STDMETHODCALLTYPE get_HasSize(BOOL* value) = 0;                  // 4
  virtual HRESULT STDMETHODCALLTYPE get_Left(UINT32* value) = 0;                   // 5
  virtual HRESULT STDMETHODCALLTYPE get_Top(UINT32* value) = 0;                    // 6
  virtual HRESULT STDMETHODCALLTYPE get_Height(UINT32* value) = 0;                 // 7
  virtual HRESULT STDMETHODCALLTYPE get_Width(UINT32* value) = 0;                  // 8
  virtual HRESULT STDMETHODCALLTYPE get_ShouldDisplayMenuBar(BOOL* value) = 0;     // 9
  virtual HRESULT STDMETHODCALLTYPE get_ShouldDisplayStatus(BOOL* value) = 0;      // 10
  virtual HRESULT STDMETHODCALLTYPE get_ShouldDisplayToolbar(BOOL* value) = 0;     // 11
  virtual HRESULT STDMETHODCALLTYPE get_ShouldDisplayScrollBars(BOOL* value) = 0;  // 12

 protected:
  ~ICoreWebView2WindowFeatures() = default;
};

struct ICoreWebView2File : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_Path(LPWSTR* value) = 0;  // 3

 protected:
  ~ICoreWebView2File() = default;
};

struct ICoreWebView2CustomSchemeRegistration : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_SchemeName(LPWSTR* schemeName) = 0;      // 3
  virtual HRESULT STDMETHODCALLTYPE get_TreatAsSecure(BOOL* treatAsSecure) = 0;  // 4
  virtual HRESULT STDMETHODCALLTYPE put_TreatAsSecure(BOOL value) = 0;           // 5
  virtual HRESULT STDMETHODCALLTYPE GetAllowedOrigins(UINT32* allowedOriginsCount,
                                                      LPWSTR** allowedOrigins) = 0;  // 6
  virtual HRESULT STDMETHODCALLTYPE SetAllowedOrigins(UINT32 allowedOriginsCount,
                                                      LPCWSTR* allowedOrigins) = 0;  // 7
  virtual HRESULT STDMETHODCALLTYPE
  get_HasAuthorityComponent(BOOL* hasAuthorityComponent) = 0;                                   // 8
  virtual HRESULT STDMETHODCALLTYPE put_HasAuthorityComponent(BOOL hasAuthorityComponent) = 0;  // 9

 protected:
  ~ICoreWebView2CustomSchemeRegistration() = default;
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

// ---- Interface IDs ----

inline constexpr IID IID_ICoreWebView2Environment = {
    0xb96d755e, 0x0319, 0x4e92, {0xa2, 0x96, 0x23, 0x43, 0x6f, 0x46, 0xa1, 0xfc}};
inline constexpr IID IID_ICoreWebView2Environment2 = {
    0x41f3632b, 0x5ef4, 0x404f, {0xad, 0x82, 0x2d, 0x60, 0x6c, 0x5a, 0x9a, 0x21}};
inline constexpr IID IID_ICoreWebView2Environment3 = {
    0x80a22ae3, 0xbe7c, 0x4ce2, {0xaf, 0xe1, 0x5a, 0x50, 0x05, 0x6c, 0xde, 0xeb}};
inline constexpr IID IID_ICoreWebView2Environment4 = {
    0x20944379, 0x6dcf, 0x41d6, {0xa0, 0xa0, 0xab, 0xc0, 0xfc, 0x50, 0xde, 0x0d}};
inline constexpr IID IID_ICoreWebView2Environment5 = {
    0x319e423d, 0xe0d7, 0x4b8d, {0x92, 0x54, 0xae, 0x94, 0x75, 0xde, 0x9b, 0x17}};
inline constexpr IID IID_ICoreWebView2Environment6 = {
    0xe59ee362, 0xacbd, 0x4857, {0x9a, 0x8e, 0xd3, 0x64, 0x4d, 0x94, 0x59, 0xa9}};
inline constexpr IID IID_ICoreWebView2Environment7 = {
    0x43c22296, 0x3bbd, 0x43a4, {0x9c, 0x00, 0x5c, 0x0d, 0xf6, 0xdd, 0x29, 0xa2}};
inline constexpr IID IID_ICoreWebView2Environment8 = {
    0xd6eb91dd, 0xc3d2, 0x45e5, {0xbd, 0x29, 0x6d, 0xc2, 0xbc, 0x4d, 0xe9, 0xcf}};
inline constexpr IID IID_ICoreWebView2Environment9 = {
    0xf06f41bf, 0x4b5a, 0x49d8, {0xb9, 0xf6, 0xfa, 0x16, 0xcd, 0x29, 0xf2, 0x74}};
inline constexpr IID IID_ICoreWebView2Environment10 = {
    0xee0eb9df, 0x6f12, 0x46ce, {0xb5, 0x3f, 0x3f, 0x47, 0xb9, 0xc9, 0x28, 0xe0}};
inline constexpr IID IID_ICoreWebView2Environment11 = {
    0xf0913dc6, 0xa0ec, 0x42ef, {0x98, 0x05, 0x91, 0xdf, 0xf3, 0xa2, 0x96, 0x6a}};
inline constexpr IID IID_ICoreWebView2Environment12 = {
    0xf503db9b, 0x739f, 0x48dd, {0xb1, 0x51, 0xfd, 0xfc, 0xf2, 0x53, 0xf5, 0x4e}};
inline constexpr IID IID_ICoreWebView2Environment13 = {
    0xaf641f58, 0x72b2, 0x11ee, {0xb9, 0x62, 0x02, 0x42, 0xac, 0x12, 0x00, 0x02}};
inline constexpr IID IID_ICoreWebView2Environment14 = {
    0xa5e9fad9, 0xc875, 0x59da, {0x9b, 0xd7, 0x47, 0x3a, 0xa5, 0xca, 0x1c, 0xef}};
inline constexpr IID IID_ICoreWebView2 = {
    0x76eceacb, 0x0462, 0x4d94, {0xac, 0x83, 0x42, 0x3a, 0x67, 0x93, 0x77, 0x5e}};
inline constexpr IID IID_ICoreWebView2_2 = {
    0x9e8f0cf8, 0xe670, 0x4b5e, {0xb2, 0xbc, 0x73, 0xe0, 0x61, 0xe3, 0x18, 0x4c}};
inline constexpr IID IID_ICoreWebView2_3 = {
    0xa0d6df20, 0x3b92, 0x416d, {0xaa, 0x0c, 0x43, 0x7a, 0x9c, 0x72, 0x78, 0x57}};
inline constexpr IID IID_ICoreWebView2_4 = {
    0x20d02d59, 0x6df2, 0x42dc, {0xbd, 0x06, 0xf9, 0x8a, 0x69, 0x4b, 0x13, 0x02}};
inline constexpr IID IID_ICoreWebView2_5 = {
    0xbedb11b8, 0xd63c, 0x11eb, {0xb8, 0xbc, 0x02, 0x42, 0xac, 0x13, 0x00, 0x03}};
inline constexpr IID IID_ICoreWebView2_6 = {
    0x499aadac, 0xd92c, 0x4589, {0x8a, 0x75, 0x11, 0x1b, 0xfc, 0x16, 0x77, 0x95}};
inline constexpr IID IID_ICoreWebView2_7 = {
    0x79c24d83, 0x09a3, 0x45ae, {0x94, 0x18, 0x48, 0x7f, 0x32, 0xa5, 0x87, 0x40}};
inline constexpr IID IID_ICoreWebView2_8 = {
    0xe9632730, 0x6e1e, 0x43ab, {0xb7, 0xb8, 0x7b, 0x2c, 0x9e, 0x62, 0xe0, 0x94}};
inline constexpr IID IID_ICoreWebView2_9 = {
    0x4d7b2eab, 0x9fdc, 0x468d, {0xb9, 0x98, 0xa9, 0x26, 0x0b, 0x5e, 0xd6, 0x51}};
inline constexpr IID IID_ICoreWebView2_10 = {
    0xb1690564, 0x6f5a, 0x4983, {0x8e, 0x48, 0x31, 0xd1, 0x14, 0x3f, 0xec, 0xdb}};
inline constexpr IID IID_ICoreWebView2_11 = {
    0x0be78e56, 0xc193, 0x4051, {0xb9, 0x43, 0x23, 0xb4, 0x60, 0xc0, 0x8b, 0xdb}};
inline constexpr IID IID_ICoreWebView2_12 = {
    0x35d69927, 0xbcfa, 0x4566, {0x93, 0x49, 0x6b, 0x3e, 0x0d, 0x15, 0x4c, 0xac}};
inline constexpr IID IID_ICoreWebView2_13 = {
    0xf75f09a8, 0x667e, 0x4983, {0x88, 0xd6, 0xc8, 0x77, 0x3f, 0x31, 0x5e, 0x84}};
inline constexpr IID IID_ICoreWebView2_14 = {
    0x6daa4f10, 0x4a90, 0x4753, {0x88, 0x98, 0x77, 0xc5, 0xdf, 0x53, 0x41, 0x65}};
inline constexpr IID IID_ICoreWebView2_15 = {
    0x517b2d1d, 0x7dae, 0x4a66, {0xa4, 0xf4, 0x10, 0x35, 0x2f, 0xfb, 0x95, 0x18}};
inline constexpr IID IID_ICoreWebView2_16 = {
    0x0eb34dc9, 0x9f91, 0x41e1, {0x86, 0x39, 0x95, 0xcd, 0x59, 0x43, 0x90, 0x6b}};
inline constexpr IID IID_ICoreWebView2_17 = {
    0x702e75d4, 0xfd44, 0x434d, {0x9d, 0x70, 0x1a, 0x68, 0xa6, 0xb1, 0x19, 0x2a}};
inline constexpr IID IID_ICoreWebView2_18 = {
    0x7a626017, 0x28be, 0x49b2, {0xb8, 0x65, 0x3b, 0xa2, 0xb3, 0x52, 0x2d, 0x90}};
inline constexpr IID IID_ICoreWebView2_19 = {
    0x6921f954, 0x79b0, 0x437f, {0xa9, 0x97, 0xc8, 0x58, 0x11, 0x89, 0x7c, 0x68}};
inline constexpr IID IID_ICoreWebView2_20 = {
    0xb4bc1926, 0x7305, 0x11ee, {0xb9, 0x62, 0x02, 0x42, 0xac, 0x12, 0x00, 0x02}};
inline constexpr IID IID_ICoreWebView2_21 = {
    0xc4980dea, 0x587b, 0x43b9, {0x81, 0x43, 0x3e, 0xf3, 0xbf, 0x55, 0x2d, 0x95}};
inline constexpr IID IID_ICoreWebView2_22 = {
    0xdb75dfc7, 0xa857, 0x4632, {0xa3, 0x98, 0x69, 0x69, 0xdd, 0xe2, 0x6c, 0x0a}};
inline constexpr IID IID_ICoreWebView2_23 = {
    0x508f0db5, 0x90c4, 0x5872, {0x90, 0xa7, 0x26, 0x7a, 0x91, 0x37, 0x75, 0x02}};
inline constexpr IID IID_ICoreWebView2Controller = {
    0x4d00c0d1, 0x9434, 0x4eb6, {0x80, 0x78, 0x86, 0x97, 0xa5, 0x60, 0x33, 0x4f}};
inline constexpr IID IID_ICoreWebView2Settings = {
    0xe562e4f0, 0xd7fa, 0x43ac, {0x8d, 0x71, 0xc0, 0x51, 0x50, 0x49, 0x9f, 0x00}};
inline constexpr IID IID_ICoreWebView2Settings2 = {
    0xee9a0f68, 0xf46c, 0x4e32, {0xac, 0x23, 0xef, 0x8c, 0xac, 0x22, 0x4d, 0x2a}};
inline constexpr IID IID_ICoreWebView2Settings3 = {
    0xfdb5ab74, 0xaf33, 0x4854, {0x84, 0xf0, 0x0a, 0x63, 0x1d, 0xeb, 0x5e, 0xba}};
inline constexpr IID IID_ICoreWebView2WebMessageReceivedEventArgs = {
    0x0f99a40c, 0xe962, 0x4207, {0x9e, 0x92, 0xe3, 0xd5, 0x42, 0xef, 0xf8, 0x49}};
inline constexpr IID IID_ICoreWebView2NewWindowRequestedEventArgs = {
    0x34acb11c, 0xfc37, 0x4418, {0x91, 0x32, 0xf9, 0xc2, 0x1d, 0x1e, 0xaf, 0xb9}};
inline constexpr IID IID_ICoreWebView2PermissionRequestedEventArgs = {
    0x973ae2ef, 0xff18, 0x4894, {0x8f, 0xb2, 0x3c, 0x75, 0x8f, 0x04, 0x68, 0x10}};
inline constexpr IID IID_ICoreWebView2NavigationStartingEventArgs = {
    0x5b495469, 0xe119, 0x438a, {0x9b, 0x18, 0x76, 0x04, 0xf2, 0x5f, 0x2e, 0x49}};
inline constexpr IID IID_ICoreWebView2WebResourceRequestedEventArgs = {
    0x453e667f, 0x12c7, 0x49d4, {0xbe, 0x6d, 0xdd, 0xbe, 0x79, 0x56, 0xf5, 0x7a}};
inline constexpr IID IID_ICoreWebView2AcceleratorKeyPressedEventArgs = {
    0x9f760f8a, 0xfb79, 0x42be, {0x99, 0x90, 0x7b, 0x56, 0x90, 0x0f, 0xa9, 0xc7}};
inline constexpr IID IID_ICoreWebView2DOMContentLoadedEventArgs = {
    0x16b1e21a, 0xc503, 0x44f2, {0x84, 0xc9, 0x70, 0xab, 0xa5, 0x03, 0x12, 0x83}};
inline constexpr IID IID_ICoreWebView2NavigationCompletedEventArgs = {
    0x30d68b7d, 0x20d9, 0x4752, {0xa9, 0xca, 0xec, 0x84, 0x48, 0xfb, 0xb5, 0xc1}};
inline constexpr IID IID_ICoreWebView2ProcessFailedEventArgs = {
    0x8155a9a4, 0x1474, 0x4a86, {0x8c, 0xae, 0x15, 0x1b, 0x0f, 0xa6, 0xb8, 0xca}};
inline constexpr IID IID_ICoreWebView2BrowserProcessExitedEventArgs = {
    0x1f00663f, 0xaf8c, 0x4782, {0x9c, 0xdd, 0xdd, 0x01, 0xc5, 0x2e, 0x34, 0xcb}};
inline constexpr IID IID_ICoreWebView2WebResourceRequest = {
    0x97055cd4, 0x512c, 0x4264, {0x8b, 0x5f, 0xe3, 0xf4, 0x46, 0xce, 0xa6, 0xa5}};
inline constexpr IID IID_ICoreWebView2HttpRequestHeaders = {
    0xe86cac0e, 0x5523, 0x465c, {0xb5, 0x36, 0x8f, 0xb9, 0xfc, 0x8c, 0x8c, 0x60}};
inline constexpr IID IID_ICoreWebView2HttpHeadersCollectionIterator = {
    0x0702fc30, 0xf43b, 0x47bb, {0xab, 0x52, 0xa4, 0x2c, 0xb5, 0x52, 0xad, 0x9f}};
inline constexpr IID IID_ICoreWebView2WebResourceResponse = {
    0xaafcc94f, 0xfa27, 0x48fd, {0x97, 0xdf, 0x83, 0x0e, 0xf7, 0x5a, 0xae, 0xc9}};
inline constexpr IID IID_ICoreWebView2HttpResponseHeaders = {
    0x03c5ff5a, 0x9b45, 0x4a88, {0x88, 0x1c, 0x89, 0xa9, 0xf3, 0x28, 0x61, 0x9c}};
inline constexpr IID IID_ICoreWebView2FileSystemHandle = {
    0xc65100ac, 0x0de2, 0x5551, {0xa3, 0x62, 0x23, 0xd9, 0xbd, 0x1d, 0x0e, 0x1f}};
inline constexpr IID IID_ICoreWebView2ObjectCollectionView = {
    0x0f36fd87, 0x4f69, 0x4415, {0x98, 0xda, 0x88, 0x8f, 0x89, 0xfb, 0x9a, 0x33}};
inline constexpr IID IID_ICoreWebView2ObjectCollection = {
    0x5cfec11c, 0x25bd, 0x4e8d, {0x9e, 0x1a, 0x7a, 0xcd, 0xae, 0xee, 0xc0, 0x47}};
inline constexpr IID IID_ICoreWebView2Deferral = {
    0xc10e7f7b, 0xb585, 0x46f0, {0xa6, 0x23, 0x8b, 0xef, 0xbf, 0x3e, 0x4e, 0xe0}};
inline constexpr IID IID_ICoreWebView2EnvironmentOptions = {
    0x2fde08a8, 0x1e9a, 0x4766, {0x8c, 0x05, 0x95, 0xa9, 0xce, 0xb9, 0xd1, 0xc5}};
inline constexpr IID IID_ICoreWebView2EnvironmentOptions2 = {
    0xff85c98a, 0x1ba7, 0x4a6b, {0x90, 0xc8, 0x2b, 0x75, 0x2c, 0x89, 0xe9, 0xe2}};
inline constexpr IID IID_ICoreWebView2EnvironmentOptions3 = {
    0x4a5c436e, 0xa9e3, 0x4a2e, {0x89, 0xc3, 0x91, 0x0d, 0x35, 0x13, 0xf5, 0xcc}};
inline constexpr IID IID_ICoreWebView2EnvironmentOptions4 = {
    0xac52d13f, 0x0d38, 0x475a, {0x9d, 0xca, 0x87, 0x65, 0x80, 0xd6, 0x79, 0x3e}};
inline constexpr IID IID_ICoreWebView2EnvironmentOptions5 = {
    0x0ae35d64, 0xc47f, 0x4464, {0x81, 0x4e, 0x25, 0x9c, 0x34, 0x5d, 0x15, 0x01}};
inline constexpr IID IID_ICoreWebView2EnvironmentOptions6 = {
    0x57d29cc3, 0xc84f, 0x42a0, {0xb0, 0xe2, 0xef, 0xfb, 0xd5, 0xe1, 0x79, 0xde}};
inline constexpr IID IID_ICoreWebView2EnvironmentOptions7 = {
    0xc48d539f, 0xe39f, 0x441c, {0xae, 0x68, 0x1f, 0x66, 0xe5, 0x70, 0xbd, 0xc5}};
inline constexpr IID IID_ICoreWebView2EnvironmentOptions8 = {
    0x7c7ecf51, 0xe918, 0x5caf, {0x85, 0x3c, 0xe9, 0xa2, 0xbc, 0xc2, 0x77, 0x75}};
inline constexpr IID IID_ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler = {
    0x4e8a3389, 0xc9d8, 0x4bd2, {0xb6, 0xb5, 0x12, 0x4f, 0xee, 0x6c, 0xc1, 0x4d}};
inline constexpr IID IID_ICoreWebView2CreateCoreWebView2ControllerCompletedHandler = {
    0x6c4819f3, 0xc9b7, 0x4260, {0x81, 0x27, 0xc9, 0xf5, 0xbd, 0xe7, 0xf6, 0x8c}};
inline constexpr IID IID_ICoreWebView2DOMContentLoadedEventHandler = {
    0x4bac7e9c, 0x199e, 0x49ed, {0x87, 0xed, 0x24, 0x93, 0x03, 0xac, 0xf0, 0x19}};
inline constexpr IID IID_ICoreWebView2WebMessageReceivedEventHandler = {
    0x57213f19, 0x00e6, 0x49fa, {0x8e, 0x07, 0x89, 0x8e, 0xa0, 0x1e, 0xcb, 0xd2}};
inline constexpr IID IID_ICoreWebView2NewWindowRequestedEventHandler = {
    0xd4c185fe, 0xc81c, 0x4989, {0x97, 0xaf, 0x2d, 0x3f, 0xa7, 0xab, 0x56, 0x51}};
inline constexpr IID IID_ICoreWebView2WindowCloseRequestedEventHandler = {
    0x5c19e9e0, 0x092f, 0x486b, {0xaf, 0xfa, 0xca, 0x82, 0x31, 0x91, 0x30, 0x39}};
inline constexpr IID IID_ICoreWebView2ContainsFullScreenElementChangedEventHandler = {
    0xe45d98b1, 0xafef, 0x45be, {0x8b, 0xaf, 0x6c, 0x77, 0x28, 0x86, 0x7f, 0x73}};
inline constexpr IID IID_ICoreWebView2PermissionRequestedEventHandler = {
    0x15e1c6a3, 0xc72a, 0x4df3, {0x91, 0xd7, 0xd0, 0x97, 0xfb, 0xec, 0x6b, 0xfd}};
inline constexpr IID IID_ICoreWebView2NavigationStartingEventHandler = {
    0x9adbe429, 0xf36d, 0x432b, {0x9d, 0xdc, 0xf8, 0x88, 0x1f, 0xbd, 0x76, 0xe3}};
inline constexpr IID IID_ICoreWebView2WebResourceRequestedEventHandler = {
    0xab00b74c, 0x15f1, 0x4646, {0x80, 0xe8, 0xe7, 0x63, 0x41, 0xd2, 0x5d, 0x71}};
inline constexpr IID IID_ICoreWebView2DocumentTitleChangedEventHandler = {
    0xf5f2b923, 0x953e, 0x4042, {0x9f, 0x95, 0xf3, 0xa1, 0x18, 0xe1, 0xaf, 0xd4}};
inline constexpr IID IID_ICoreWebView2AcceleratorKeyPressedEventHandler = {
    0xb29c7e28, 0xfa79, 0x41a8, {0x8e, 0x44, 0x65, 0x81, 0x1c, 0x76, 0xdc, 0xb2}};
inline constexpr IID IID_ICoreWebView2WebMessageReceivedEventArgs2 = {
    0x06fc7ab7, 0xc90c, 0x4297, {0x93, 0x89, 0x33, 0xca, 0x01, 0xcf, 0x6d, 0x5e}};
inline constexpr IID IID_ICoreWebView2NewWindowRequestedEventArgs2 = {
    0xbbc7baed, 0x74c6, 0x4c92, {0xb6, 0x3a, 0x7f, 0x5a, 0xea, 0xe0, 0x3d, 0xe3}};
inline constexpr IID IID_ICoreWebView2NewWindowRequestedEventArgs3 = {
    0x842bed3c, 0x6ad6, 0x4dd9, {0xb9, 0x38, 0x28, 0xc9, 0x66, 0x67, 0xad, 0x66}};
inline constexpr IID IID_ICoreWebView2PermissionRequestedEventArgs2 = {
    0x74d7127f, 0x9de6, 0x4200, {0x87, 0x34, 0x42, 0xd6, 0xfb, 0x4f, 0xf7, 0x41}};
inline constexpr IID IID_ICoreWebView2PermissionRequestedEventArgs3 = {
    0xe61670bc, 0x3dce, 0x4177, {0x86, 0xd2, 0xc6, 0x29, 0xae, 0x3c, 0xb6, 0xac}};
inline constexpr IID IID_ICoreWebView2WebResourceRequestedEventArgs2 = {
    0x9c562c24, 0xb219, 0x4d7f, {0x92, 0xf6, 0xb1, 0x87, 0xfb, 0xba, 0xdd, 0x56}};
inline constexpr IID IID_ICoreWebView2NavigationStartingEventArgs2 = {
    0x9086be93, 0x91aa, 0x472d, {0xa7, 0xe0, 0x57, 0x9f, 0x2b, 0xa0, 0x06, 0xad}};
inline constexpr IID IID_ICoreWebView2NavigationStartingEventArgs3 = {
    0xddffe494, 0x4942, 0x4bd2, {0xab, 0x73, 0x35, 0xb8, 0xff, 0x40, 0xe1, 0x9f}};
inline constexpr IID IID_ICoreWebView2AcceleratorKeyPressedEventArgs2 = {
    0x03b2c8c8, 0x7799, 0x4e34, {0xbd, 0x66, 0xed, 0x26, 0xaa, 0x85, 0xf2, 0xbf}};
inline constexpr IID IID_ICoreWebView2Controller2 = {
    0xc979903e, 0xd4ca, 0x4228, {0x92, 0xeb, 0x47, 0xee, 0x3f, 0xa9, 0x6e, 0xab}};
inline constexpr IID IID_ICoreWebView2Controller3 = {
    0xf9614724, 0x5d2b, 0x41dc, {0xae, 0xf7, 0x73, 0xd6, 0x2b, 0x51, 0x54, 0x3b}};
inline constexpr IID IID_ICoreWebView2Controller4 = {
    0x97d418d5, 0xa426, 0x4e49, {0xa1, 0x51, 0xe1, 0xa1, 0x0f, 0x32, 0x7d, 0x9e}};
inline constexpr IID IID_ICoreWebView2WindowFeatures = {
    0x5eaf559f, 0xb46e, 0x4397, {0x88, 0x60, 0xe4, 0x22, 0xf2, 0x87, 0xff, 0x1e}};
inline constexpr IID IID_ICoreWebView2File = {
    0xf2c19559, 0x6bc1, 0x4583, {0xa7, 0x57, 0x90, 0x02, 0x1b, 0xe9, 0xaf, 0xec}};
inline constexpr IID IID_ICoreWebView2CustomSchemeRegistration = {
    0xd60ac92c, 0x37a6, 0x4b26, {0xa3, 0x9e, 0x95, 0xcf, 0xe5, 0x90, 0x47, 0xbb}};
inline constexpr IID IID_ICoreWebView2AddScriptToExecuteOnDocumentCreatedCompletedHandler = {
    0xb99369f3, 0x9b11, 0x47b5, {0xbc, 0x6f, 0x8e, 0x78, 0x95, 0xfc, 0xea, 0x17}};
inline constexpr IID IID_ICoreWebView2BasicAuthenticationRequestedEventHandler = {
    0x58b4d6c2, 0x18d4, 0x497e, {0xb3, 0x9b, 0x9a, 0x96, 0x53, 0x3f, 0xa2, 0x78}};
inline constexpr IID IID_ICoreWebView2BrowserProcessExitedEventHandler = {
    0xfa504257, 0xa216, 0x4911, {0xa8, 0x60, 0xfe, 0x88, 0x25, 0x71, 0x28, 0x61}};
inline constexpr IID IID_ICoreWebView2CallDevToolsProtocolMethodCompletedHandler = {
    0x5c4889f0, 0x5ef6, 0x4c5a, {0x95, 0x2c, 0xd8, 0xf1, 0xb9, 0x2d, 0x05, 0x74}};
inline constexpr IID IID_ICoreWebView2CapturePreviewCompletedHandler = {
    0x697e05e9, 0x3d8f, 0x45fa, {0x96, 0xf4, 0x8f, 0xfe, 0x1e, 0xde, 0xda, 0xf5}};
inline constexpr IID IID_ICoreWebView2ClearServerCertificateErrorActionsCompletedHandler = {
    0x3b40aac6, 0xacfe, 0x4ffd, {0x82, 0x11, 0xf6, 0x07, 0xb9, 0x6e, 0x2d, 0x5b}};
inline constexpr IID IID_ICoreWebView2ClientCertificateRequestedEventHandler = {
    0xd7175ba2, 0xbcc3, 0x11eb, {0x85, 0x29, 0x02, 0x42, 0xac, 0x13, 0x00, 0x03}};
inline constexpr IID IID_ICoreWebView2ContentLoadingEventHandler = {
    0x364471e7, 0xf2be, 0x4910, {0xbd, 0xba, 0xd7, 0x20, 0x77, 0xd5, 0x1c, 0x4b}};
inline constexpr IID IID_ICoreWebView2ContextMenuItem = {
    0x7aed49e3, 0xa93f, 0x497a, {0x81, 0x1c, 0x74, 0x9c, 0x6b, 0x6b, 0x6c, 0x65}};
inline constexpr IID IID_ICoreWebView2ContextMenuRequestedEventHandler = {
    0x04d3fe1d, 0xab87, 0x42fb, {0xa8, 0x98, 0xda, 0x24, 0x1d, 0x35, 0xb6, 0x3c}};
inline constexpr IID IID_ICoreWebView2ControllerOptions = {
    0x12aae616, 0x8ccb, 0x44ec, {0xbc, 0xb3, 0xeb, 0x18, 0x31, 0x88, 0x16, 0x35}};
inline constexpr IID IID_ICoreWebView2CookieManager = {
    0x177cd9e7, 0xb6f5, 0x451a, {0x94, 0xa0, 0x5d, 0x7a, 0x3a, 0x4c, 0x41, 0x41}};
inline constexpr IID IID_ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler = {
    0x02fab84b, 0x1428, 0x4fb7, {0xad, 0x45, 0x1b, 0x2e, 0x64, 0x73, 0x61, 0x84}};
inline constexpr IID IID_ICoreWebView2DevToolsProtocolEventReceiver = {
    0xb32ca51a, 0x8371, 0x45e9, {0x93, 0x17, 0xaf, 0x02, 0x1d, 0x08, 0x03, 0x67}};
inline constexpr IID IID_ICoreWebView2DownloadStartingEventHandler = {
    0xefedc989, 0xc396, 0x41ca, {0x83, 0xf7, 0x07, 0xf8, 0x45, 0xa5, 0x57, 0x24}};
inline constexpr IID IID_ICoreWebView2ExecuteScriptCompletedHandler = {
    0x49511172, 0xcc67, 0x4bca, {0x99, 0x23, 0x13, 0x71, 0x12, 0xf4, 0xc4, 0xcc}};
inline constexpr IID IID_ICoreWebView2ExecuteScriptWithResultCompletedHandler = {
    0x1bb5317b, 0x8238, 0x4c67, {0xa7, 0xff, 0xba, 0xf6, 0x55, 0x8f, 0x28, 0x9d}};
inline constexpr IID IID_ICoreWebView2FaviconChangedEventHandler = {
    0x2913da94, 0x833d, 0x4de0, {0x8d, 0xca, 0x90, 0x0f, 0xc5, 0x24, 0xa1, 0xa4}};
inline constexpr IID IID_ICoreWebView2FocusChangedEventHandler = {
    0x05ea24bd, 0x6452, 0x4926, {0x90, 0x14, 0x4b, 0x82, 0xb4, 0x98, 0x13, 0x5d}};
inline constexpr IID IID_ICoreWebView2FrameCreatedEventHandler = {
    0x38059770, 0x9baa, 0x11eb, {0xa8, 0xb3, 0x02, 0x42, 0xac, 0x13, 0x00, 0x03}};
inline constexpr IID IID_ICoreWebView2FrameInfo = {
    0xda86b8a1, 0xbdf3, 0x4f11, {0x99, 0x55, 0x52, 0x8c, 0xef, 0xa5, 0x97, 0x27}};
inline constexpr IID IID_ICoreWebView2GetFaviconCompletedHandler = {
    0xa2508329, 0x7da8, 0x49d7, {0x8c, 0x05, 0xfa, 0x12, 0x5e, 0x4a, 0xee, 0x8d}};
inline constexpr IID IID_ICoreWebView2GetProcessExtendedInfosCompletedHandler = {
    0xf45e55aa, 0x3bc2, 0x11ee, {0xbe, 0x56, 0x02, 0x42, 0xac, 0x12, 0x00, 0x02}};
inline constexpr IID IID_ICoreWebView2HistoryChangedEventHandler = {
    0xc79a420c, 0xefd9, 0x4058, {0x92, 0x95, 0x3e, 0x8b, 0x4b, 0xca, 0xb6, 0x45}};
inline constexpr IID IID_ICoreWebView2IsDefaultDownloadDialogOpenChangedEventHandler = {
    0x3117da26, 0xae13, 0x438d, {0xbd, 0x46, 0xed, 0xbe, 0xb2, 0xc4, 0xce, 0x81}};
inline constexpr IID IID_ICoreWebView2IsDocumentPlayingAudioChangedEventHandler = {
    0x5def109a, 0x2f4b, 0x49fa, {0xb7, 0xf6, 0x11, 0xc3, 0x9e, 0x51, 0x33, 0x28}};
inline constexpr IID IID_ICoreWebView2IsMutedChangedEventHandler = {
    0x57d90347, 0xcd0e, 0x4952, {0xa4, 0xa2, 0x74, 0x83, 0xa2, 0x75, 0x6f, 0x08}};
inline constexpr IID IID_ICoreWebView2LaunchingExternalUriSchemeEventHandler = {
    0x74f712e0, 0x8165, 0x43a9, {0xa1, 0x3f, 0x0c, 0xce, 0x59, 0x7e, 0x75, 0xdf}};
inline constexpr IID IID_ICoreWebView2MoveFocusRequestedEventHandler = {
    0x69035451, 0x6dc7, 0x4cb8, {0x9b, 0xce, 0xb2, 0xbd, 0x70, 0xad, 0x28, 0x9f}};
inline constexpr IID IID_ICoreWebView2NavigationCompletedEventHandler = {
    0xd33a35bf, 0x1c49, 0x4f98, {0x93, 0xab, 0x00, 0x6e, 0x05, 0x33, 0xfe, 0x1c}};
inline constexpr IID IID_ICoreWebView2NewBrowserVersionAvailableEventHandler = {
    0xf9a2976e, 0xd34e, 0x44fc, {0xad, 0xee, 0x81, 0xb6, 0xb5, 0x7c, 0xa9, 0x14}};
inline constexpr IID IID_ICoreWebView2PointerInfo = {
    0xe6995887, 0xd10d, 0x4f5d, {0x93, 0x59, 0x4c, 0xe4, 0x6e, 0x4f, 0x96, 0xb9}};
inline constexpr IID IID_ICoreWebView2PrintCompletedHandler = {
    0x8fd80075, 0xed08, 0x42db, {0x85, 0x70, 0xf5, 0xd1, 0x49, 0x77, 0x46, 0x1e}};
inline constexpr IID IID_ICoreWebView2PrintSettings = {
    0x377f3721, 0xc74e, 0x48ca, {0x8d, 0xb1, 0xdf, 0x68, 0xe5, 0x1d, 0x60, 0xe2}};
inline constexpr IID IID_ICoreWebView2PrintToPdfCompletedHandler = {
    0xccf1ef04, 0xfd8e, 0x4d5f, {0xb2, 0xde, 0x09, 0x83, 0xe4, 0x1b, 0x8c, 0x36}};
inline constexpr IID IID_ICoreWebView2PrintToPdfStreamCompletedHandler = {
    0x4c9f8229, 0x8f93, 0x444f, {0xa7, 0x11, 0x2c, 0x0d, 0xfd, 0x63, 0x59, 0xd5}};
inline constexpr IID IID_ICoreWebView2ProcessFailedEventHandler = {
    0x79e0aea4, 0x990b, 0x42d9, {0xaa, 0x1d, 0x0f, 0xcc, 0x2e, 0x5b, 0xc7, 0xf1}};
inline constexpr IID IID_ICoreWebView2ProcessInfoCollection = {
    0x402b99cd, 0xa0cc, 0x4fa5, {0xb7, 0xa5, 0x51, 0xd8, 0x6a, 0x1d, 0x23, 0x39}};
inline constexpr IID IID_ICoreWebView2ProcessInfosChangedEventHandler = {
    0xf4af0c39, 0x44b9, 0x40e9, {0x8b, 0x11, 0x04, 0x84, 0xcf, 0xb9, 0xe0, 0xa1}};
inline constexpr IID IID_ICoreWebView2Profile = {
    0x79110ad3, 0xcd5d, 0x4373, {0x8b, 0xc3, 0xc6, 0x06, 0x58, 0xf1, 0x7a, 0x5f}};
inline constexpr IID IID_ICoreWebView2RasterizationScaleChangedEventHandler = {
    0x9c98c8b1, 0xac53, 0x427e, {0xa3, 0x45, 0x30, 0x49, 0xb5, 0x52, 0x4b, 0xbe}};
inline constexpr IID IID_ICoreWebView2ScriptDialogOpeningEventHandler = {
    0xef381bf9, 0xafa8, 0x4e37, {0x91, 0xc4, 0x8a, 0xc4, 0x85, 0x24, 0xbd, 0xfb}};
inline constexpr IID IID_ICoreWebView2ServerCertificateErrorDetectedEventHandler = {
    0x969b3a26, 0xd85e, 0x4795, {0x81, 0x99, 0xfe, 0xf5, 0x73, 0x44, 0xda, 0x22}};
inline constexpr IID IID_ICoreWebView2SharedBuffer = {
    0xb747a495, 0x0c6f, 0x449e, {0x97, 0xb8, 0x2f, 0x81, 0xe9, 0xd6, 0xab, 0x43}};
inline constexpr IID IID_ICoreWebView2SourceChangedEventHandler = {
    0x3c067f9f, 0x5388, 0x4772, {0x8b, 0x48, 0x79, 0xf7, 0xef, 0x1a, 0xb3, 0x7c}};
inline constexpr IID IID_ICoreWebView2StatusBarTextChangedEventHandler = {
    0xa5e3b0d0, 0x10df, 0x4156, {0xbf, 0xad, 0x3b, 0x43, 0x86, 0x7a, 0xca, 0xc6}};
inline constexpr IID IID_ICoreWebView2TrySuspendCompletedHandler = {
    0x00f206a7, 0x9d17, 0x4605, {0x91, 0xf6, 0x4e, 0x8e, 0x4d, 0xe1, 0x92, 0xe3}};
inline constexpr IID IID_ICoreWebView2WebResourceResponseReceivedEventHandler = {
    0x7de9898a, 0x24f5, 0x40c3, {0xa2, 0xde, 0xd4, 0xf4, 0x58, 0xe6, 0x98, 0x28}};
inline constexpr IID IID_ICoreWebView2ZoomFactorChangedEventHandler = {
    0xb52d71d6, 0xc4df, 0x4543, {0xa9, 0x0c, 0x64, 0xa3, 0xe6, 0x0f, 0x38, 0xcb}};

// The ID of each declared interface for IidOf<>() and QueryAs().
template <>
struct InterfaceId<ICoreWebView2Environment> {
  static constexpr const IID& value = IID_ICoreWebView2Environment;
};
template <>
struct InterfaceId<ICoreWebView2Environment2> {
  static constexpr const IID& value = IID_ICoreWebView2Environment2;
};
template <>
struct InterfaceId<ICoreWebView2Environment3> {
  static constexpr const IID& value = IID_ICoreWebView2Environment3;
};
template <>
struct InterfaceId<ICoreWebView2Environment4> {
  static constexpr const IID& value = IID_ICoreWebView2Environment4;
};
template <>
struct InterfaceId<ICoreWebView2Environment5> {
  static constexpr const IID& value = IID_ICoreWebView2Environment5;
};
template <>
struct InterfaceId<ICoreWebView2Environment6> {
  static constexpr const IID& value = IID_ICoreWebView2Environment6;
};
template <>
struct InterfaceId<ICoreWebView2Environment7> {
  static constexpr const IID& value = IID_ICoreWebView2Environment7;
};
template <>
struct InterfaceId<ICoreWebView2Environment8> {
  static constexpr const IID& value = IID_ICoreWebView2Environment8;
};
template <>
struct InterfaceId<ICoreWebView2Environment9> {
  static constexpr const IID& value = IID_ICoreWebView2Environment9;
};
template <>
struct InterfaceId<ICoreWebView2Environment10> {
  static constexpr const IID& value = IID_ICoreWebView2Environment10;
};
template <>
struct InterfaceId<ICoreWebView2Environment11> {
  static constexpr const IID& value = IID_ICoreWebView2Environment11;
};
template <>
struct InterfaceId<ICoreWebView2Environment12> {
  static constexpr const IID& value = IID_ICoreWebView2Environment12;
};
template <>
struct InterfaceId<ICoreWebView2Environment13> {
  static constexpr const IID& value = IID_ICoreWebView2Environment13;
};
template <>
struct InterfaceId<ICoreWebView2Environment14> {
  static constexpr const IID& value = IID_ICoreWebView2Environment14;
};
template <>
struct InterfaceId<ICoreWebView2> {
  static constexpr const IID& value = IID_ICoreWebView2;
};
template <>
struct InterfaceId<ICoreWebView2_2> {
  static constexpr const IID& value = IID_ICoreWebView2_2;
};
template <>
struct InterfaceId<ICoreWebView2_3> {
  static constexpr const IID& value = IID_ICoreWebView2_3;
};
template <>
struct InterfaceId<ICoreWebView2_4> {
  static constexpr const IID& value = IID_ICoreWebView2_4;
};
template <>
struct InterfaceId<ICoreWebView2_5> {
  static constexpr const IID& value = IID_ICoreWebView2_5;
};
template <>
struct InterfaceId<ICoreWebView2_6> {
  static constexpr const IID& value = IID_ICoreWebView2_6;
};
template <>
struct InterfaceId<ICoreWebView2_7> {
  static constexpr const IID& value = IID_ICoreWebView2_7;
};
template <>
struct InterfaceId<ICoreWebView2_8> {
  static constexpr const IID& value = IID_ICoreWebView2_8;
};
template <>
struct InterfaceId<ICoreWebView2_9> {
  static constexpr const IID& value = IID_ICoreWebView2_9;
};
template <>
struct InterfaceId<ICoreWebView2_10> {
  static constexpr const IID& value = IID_ICoreWebView2_10;
};
template <>
struct InterfaceId<ICoreWebView2_11> {
  static constexpr const IID& value = IID_ICoreWebView2_11;
};
template <>
struct InterfaceId<ICoreWebView2_12> {
  static constexpr const IID& value = IID_ICoreWebView2_12;
};
template <>
struct InterfaceId<ICoreWebView2_13> {
  static constexpr const IID& value = IID_ICoreWebView2_13;
};
template <>
struct InterfaceId<ICoreWebView2_14> {
  static constexpr const IID& value = IID_ICoreWebView2_14;
};
template <>
struct InterfaceId<ICoreWebView2_15> {
  static constexpr const IID& value = IID_ICoreWebView2_15;
};
template <>
struct InterfaceId<ICoreWebView2_16> {
  static constexpr const IID& value = IID_ICoreWebView2_16;
};
template <>
struct InterfaceId<ICoreWebView2_17> {
  static constexpr const IID& value = IID_ICoreWebView2_17;
};
template <>
struct InterfaceId<ICoreWebView2_18> {
  static constexpr const IID& value = IID_ICoreWebView2_18;
};
template <>
struct InterfaceId<ICoreWebView2_19> {
  static constexpr const IID& value = IID_ICoreWebView2_19;
};
template <>
struct InterfaceId<ICoreWebView2_20> {
  static constexpr const IID& value = IID_ICoreWebView2_20;
};
template <>
struct InterfaceId<ICoreWebView2_21> {
  static constexpr const IID& value = IID_ICoreWebView2_21;
};
template <>
struct InterfaceId<ICoreWebView2_22> {
  static constexpr const IID& value = IID_ICoreWebView2_22;
};
template <>
struct InterfaceId<ICoreWebView2_23> {
  static constexpr const IID& value = IID_ICoreWebView2_23;
};
template <>
struct InterfaceId<ICoreWebView2Controller> {
  static constexpr const IID& value = IID_ICoreWebView2Controller;
};
template <>
struct InterfaceId<ICoreWebView2Settings> {
  static constexpr const IID& value = IID_ICoreWebView2Settings;
};
template <>
struct InterfaceId<ICoreWebView2Settings2> {
  static constexpr const IID& value = IID_ICoreWebView2Settings2;
};
template <>
struct InterfaceId<ICoreWebView2Settings3> {
  static constexpr const IID& value = IID_ICoreWebView2Settings3;
};
template <>
struct InterfaceId<ICoreWebView2WebMessageReceivedEventArgs> {
  static constexpr const IID& value = IID_ICoreWebView2WebMessageReceivedEventArgs;
};
template <>
struct InterfaceId<ICoreWebView2NewWindowRequestedEventArgs> {
  static constexpr const IID& value = IID_ICoreWebView2NewWindowRequestedEventArgs;
};
template <>
struct InterfaceId<ICoreWebView2PermissionRequestedEventArgs> {
  static constexpr const IID& value = IID_ICoreWebView2PermissionRequestedEventArgs;
};
template <>
struct InterfaceId<ICoreWebView2NavigationStartingEventArgs> {
  static constexpr const IID& value = IID_ICoreWebView2NavigationStartingEventArgs;
};
template <>
struct InterfaceId<ICoreWebView2WebResourceRequestedEventArgs> {
  static constexpr const IID& value = IID_ICoreWebView2WebResourceRequestedEventArgs;
};
template <>
struct InterfaceId<ICoreWebView2AcceleratorKeyPressedEventArgs> {
  static constexpr const IID& value = IID_ICoreWebView2AcceleratorKeyPressedEventArgs;
};
template <>
struct InterfaceId<ICoreWebView2DOMContentLoadedEventArgs> {
  static constexpr const IID& value = IID_ICoreWebView2DOMContentLoadedEventArgs;
};
template <>
struct InterfaceId<ICoreWebView2NavigationCompletedEventArgs> {
  static constexpr const IID& value = IID_ICoreWebView2NavigationCompletedEventArgs;
};
template <>
struct InterfaceId<ICoreWebView2ProcessFailedEventArgs> {
  static constexpr const IID& value = IID_ICoreWebView2ProcessFailedEventArgs;
};
template <>
struct InterfaceId<ICoreWebView2BrowserProcessExitedEventArgs> {
  static constexpr const IID& value = IID_ICoreWebView2BrowserProcessExitedEventArgs;
};
template <>
struct InterfaceId<ICoreWebView2WebResourceRequest> {
  static constexpr const IID& value = IID_ICoreWebView2WebResourceRequest;
};
template <>
struct InterfaceId<ICoreWebView2HttpRequestHeaders> {
  static constexpr const IID& value = IID_ICoreWebView2HttpRequestHeaders;
};
template <>
struct InterfaceId<ICoreWebView2HttpHeadersCollectionIterator> {
  static constexpr const IID& value = IID_ICoreWebView2HttpHeadersCollectionIterator;
};
template <>
struct InterfaceId<ICoreWebView2WebResourceResponse> {
  static constexpr const IID& value = IID_ICoreWebView2WebResourceResponse;
};
template <>
struct InterfaceId<ICoreWebView2HttpResponseHeaders> {
  static constexpr const IID& value = IID_ICoreWebView2HttpResponseHeaders;
};
template <>
struct InterfaceId<ICoreWebView2FileSystemHandle> {
  static constexpr const IID& value = IID_ICoreWebView2FileSystemHandle;
};
template <>
struct InterfaceId<ICoreWebView2ObjectCollectionView> {
  static constexpr const IID& value = IID_ICoreWebView2ObjectCollectionView;
};
template <>
struct InterfaceId<ICoreWebView2ObjectCollection> {
  static constexpr const IID& value = IID_ICoreWebView2ObjectCollection;
};
template <>
struct InterfaceId<ICoreWebView2Deferral> {
  static constexpr const IID& value = IID_ICoreWebView2Deferral;
};
template <>
struct InterfaceId<ICoreWebView2EnvironmentOptions> {
  static constexpr const IID& value = IID_ICoreWebView2EnvironmentOptions;
};
template <>
struct InterfaceId<ICoreWebView2EnvironmentOptions2> {
  static constexpr const IID& value = IID_ICoreWebView2EnvironmentOptions2;
};
template <>
struct InterfaceId<ICoreWebView2EnvironmentOptions3> {
  static constexpr const IID& value = IID_ICoreWebView2EnvironmentOptions3;
};
template <>
struct InterfaceId<ICoreWebView2EnvironmentOptions4> {
  static constexpr const IID& value = IID_ICoreWebView2EnvironmentOptions4;
};
template <>
struct InterfaceId<ICoreWebView2EnvironmentOptions5> {
  static constexpr const IID& value = IID_ICoreWebView2EnvironmentOptions5;
};
template <>
struct InterfaceId<ICoreWebView2EnvironmentOptions6> {
  static constexpr const IID& value = IID_ICoreWebView2EnvironmentOptions6;
};
template <>
struct InterfaceId<ICoreWebView2EnvironmentOptions7> {
  static constexpr const IID& value = IID_ICoreWebView2EnvironmentOptions7;
};
template <>
struct InterfaceId<ICoreWebView2EnvironmentOptions8> {
  static constexpr const IID& value = IID_ICoreWebView2EnvironmentOptions8;
};
template <>
struct InterfaceId<ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler> {
  static constexpr const IID& value =
      IID_ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler;
};
template <>
struct InterfaceId<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler> {
  static constexpr const IID& value = IID_ICoreWebView2CreateCoreWebView2ControllerCompletedHandler;
};
template <>
struct InterfaceId<ICoreWebView2DOMContentLoadedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2DOMContentLoadedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2WebMessageReceivedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2WebMessageReceivedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2NewWindowRequestedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2NewWindowRequestedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2WindowCloseRequestedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2WindowCloseRequestedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2ContainsFullScreenElementChangedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2ContainsFullScreenElementChangedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2PermissionRequestedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2PermissionRequestedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2NavigationStartingEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2NavigationStartingEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2WebResourceRequestedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2WebResourceRequestedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2DocumentTitleChangedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2DocumentTitleChangedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2AcceleratorKeyPressedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2AcceleratorKeyPressedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2WebMessageReceivedEventArgs2> {
  static constexpr const IID& value = IID_ICoreWebView2WebMessageReceivedEventArgs2;
};
template <>
struct InterfaceId<ICoreWebView2NewWindowRequestedEventArgs2> {
  static constexpr const IID& value = IID_ICoreWebView2NewWindowRequestedEventArgs2;
};
template <>
struct InterfaceId<ICoreWebView2NewWindowRequestedEventArgs3> {
  static constexpr const IID& value = IID_ICoreWebView2NewWindowRequestedEventArgs3;
};
template <>
struct InterfaceId<ICoreWebView2PermissionRequestedEventArgs2> {
  static constexpr const IID& value = IID_ICoreWebView2PermissionRequestedEventArgs2;
};
template <>
struct InterfaceId<ICoreWebView2PermissionRequestedEventArgs3> {
  static constexpr const IID& value = IID_ICoreWebView2PermissionRequestedEventArgs3;
};
template <>
struct InterfaceId<ICoreWebView2WebResourceRequestedEventArgs2> {
  static constexpr const IID& value = IID_ICoreWebView2WebResourceRequestedEventArgs2;
};
template <>
struct InterfaceId<ICoreWebView2NavigationStartingEventArgs2> {
  static constexpr const IID& value = IID_ICoreWebView2NavigationStartingEventArgs2;
};
template <>
struct InterfaceId<ICoreWebView2NavigationStartingEventArgs3> {
  static constexpr const IID& value = IID_ICoreWebView2NavigationStartingEventArgs3;
};
template <>
struct InterfaceId<ICoreWebView2AcceleratorKeyPressedEventArgs2> {
  static constexpr const IID& value = IID_ICoreWebView2AcceleratorKeyPressedEventArgs2;
};
template <>
struct InterfaceId<ICoreWebView2Controller2> {
  static constexpr const IID& value = IID_ICoreWebView2Controller2;
};
template <>
struct InterfaceId<ICoreWebView2Controller3> {
  static constexpr const IID& value = IID_ICoreWebView2Controller3;
};
template <>
struct InterfaceId<ICoreWebView2Controller4> {
  static constexpr const IID& value = IID_ICoreWebView2Controller4;
};
template <>
struct InterfaceId<ICoreWebView2WindowFeatures> {
  static constexpr const IID& value = IID_ICoreWebView2WindowFeatures;
};
template <>
struct InterfaceId<ICoreWebView2File> {
  static constexpr const IID& value = IID_ICoreWebView2File;
};
template <>
struct InterfaceId<ICoreWebView2CustomSchemeRegistration> {
  static constexpr const IID& value = IID_ICoreWebView2CustomSchemeRegistration;
};
template <>
struct InterfaceId<ICoreWebView2AddScriptToExecuteOnDocumentCreatedCompletedHandler> {
  static constexpr const IID& value =
      IID_ICoreWebView2AddScriptToExecuteOnDocumentCreatedCompletedHandler;
};
template <>
struct InterfaceId<ICoreWebView2BasicAuthenticationRequestedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2BasicAuthenticationRequestedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2BrowserProcessExitedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2BrowserProcessExitedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2CallDevToolsProtocolMethodCompletedHandler> {
  static constexpr const IID& value = IID_ICoreWebView2CallDevToolsProtocolMethodCompletedHandler;
};
template <>
struct InterfaceId<ICoreWebView2CapturePreviewCompletedHandler> {
  static constexpr const IID& value = IID_ICoreWebView2CapturePreviewCompletedHandler;
};
template <>
struct InterfaceId<ICoreWebView2ClearServerCertificateErrorActionsCompletedHandler> {
  static constexpr const IID& value =
      IID_ICoreWebView2ClearServerCertificateErrorActionsCompletedHandler;
};
template <>
struct InterfaceId<ICoreWebView2ClientCertificateRequestedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2ClientCertificateRequestedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2ContentLoadingEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2ContentLoadingEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2ContextMenuItem> {
  static constexpr const IID& value = IID_ICoreWebView2ContextMenuItem;
};
template <>
struct InterfaceId<ICoreWebView2ContextMenuRequestedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2ContextMenuRequestedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2ControllerOptions> {
  static constexpr const IID& value = IID_ICoreWebView2ControllerOptions;
};
template <>
struct InterfaceId<ICoreWebView2CookieManager> {
  static constexpr const IID& value = IID_ICoreWebView2CookieManager;
};
template <>
struct InterfaceId<ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler> {
  static constexpr const IID& value =
      IID_ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler;
};
template <>
struct InterfaceId<ICoreWebView2DevToolsProtocolEventReceiver> {
  static constexpr const IID& value = IID_ICoreWebView2DevToolsProtocolEventReceiver;
};
template <>
struct InterfaceId<ICoreWebView2DownloadStartingEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2DownloadStartingEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2ExecuteScriptCompletedHandler> {
  static constexpr const IID& value = IID_ICoreWebView2ExecuteScriptCompletedHandler;
};
template <>
struct InterfaceId<ICoreWebView2ExecuteScriptWithResultCompletedHandler> {
  static constexpr const IID& value = IID_ICoreWebView2ExecuteScriptWithResultCompletedHandler;
};
template <>
struct InterfaceId<ICoreWebView2FaviconChangedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2FaviconChangedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2FocusChangedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2FocusChangedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2FrameCreatedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2FrameCreatedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2FrameInfo> {
  static constexpr const IID& value = IID_ICoreWebView2FrameInfo;
};
template <>
struct InterfaceId<ICoreWebView2GetFaviconCompletedHandler> {
  static constexpr const IID& value = IID_ICoreWebView2GetFaviconCompletedHandler;
};
template <>
struct InterfaceId<ICoreWebView2GetProcessExtendedInfosCompletedHandler> {
  static constexpr const IID& value = IID_ICoreWebView2GetProcessExtendedInfosCompletedHandler;
};
template <>
struct InterfaceId<ICoreWebView2HistoryChangedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2HistoryChangedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2IsDefaultDownloadDialogOpenChangedEventHandler> {
  static constexpr const IID& value =
      IID_ICoreWebView2IsDefaultDownloadDialogOpenChangedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2IsDocumentPlayingAudioChangedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2IsDocumentPlayingAudioChangedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2IsMutedChangedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2IsMutedChangedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2LaunchingExternalUriSchemeEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2LaunchingExternalUriSchemeEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2MoveFocusRequestedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2MoveFocusRequestedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2NavigationCompletedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2NavigationCompletedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2NewBrowserVersionAvailableEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2NewBrowserVersionAvailableEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2PointerInfo> {
  static constexpr const IID& value = IID_ICoreWebView2PointerInfo;
};
template <>
struct InterfaceId<ICoreWebView2PrintCompletedHandler> {
  static constexpr const IID& value = IID_ICoreWebView2PrintCompletedHandler;
};
template <>
struct InterfaceId<ICoreWebView2PrintSettings> {
  static constexpr const IID& value = IID_ICoreWebView2PrintSettings;
};
template <>
struct InterfaceId<ICoreWebView2PrintToPdfCompletedHandler> {
  static constexpr const IID& value = IID_ICoreWebView2PrintToPdfCompletedHandler;
};
template <>
struct InterfaceId<ICoreWebView2PrintToPdfStreamCompletedHandler> {
  static constexpr const IID& value = IID_ICoreWebView2PrintToPdfStreamCompletedHandler;
};
template <>
struct InterfaceId<ICoreWebView2ProcessFailedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2ProcessFailedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2ProcessInfoCollection> {
  static constexpr const IID& value = IID_ICoreWebView2ProcessInfoCollection;
};
template <>
struct InterfaceId<ICoreWebView2ProcessInfosChangedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2ProcessInfosChangedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2Profile> {
  static constexpr const IID& value = IID_ICoreWebView2Profile;
};
template <>
struct InterfaceId<ICoreWebView2RasterizationScaleChangedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2RasterizationScaleChangedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2ScriptDialogOpeningEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2ScriptDialogOpeningEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2ServerCertificateErrorDetectedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2ServerCertificateErrorDetectedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2SharedBuffer> {
  static constexpr const IID& value = IID_ICoreWebView2SharedBuffer;
};
template <>
struct InterfaceId<ICoreWebView2SourceChangedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2SourceChangedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2StatusBarTextChangedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2StatusBarTextChangedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2TrySuspendCompletedHandler> {
  static constexpr const IID& value = IID_ICoreWebView2TrySuspendCompletedHandler;
};
template <>
struct InterfaceId<ICoreWebView2WebResourceResponseReceivedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2WebResourceResponseReceivedEventHandler;
};
template <>
struct InterfaceId<ICoreWebView2ZoomFactorChangedEventHandler> {
  static constexpr const IID& value = IID_ICoreWebView2ZoomFactorChangedEventHandler;
};

// ---- Loader exports (WebView2Loader.dll, undecorated names, __stdcall) ----

using CreateCoreWebView2EnvironmentWithOptionsFn = HRESULT(STDAPICALLTYPE*)(
    PCWSTR browserExecutableFolder, PCWSTR userDataFolder,
    ICoreWebView2EnvironmentOptions* environmentOptions,
    ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* environmentCreatedHandler);

using GetAvailableCoreWebView2BrowserVersionStringFn =
    HRESULT(STDAPICALLTYPE*)(PCWSTR browserExecutableFolder, LPWSTR* versionInfo);

}  // namespace corvane
