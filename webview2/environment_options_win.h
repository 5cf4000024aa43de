#pragma once
// The options object handed to the loader when the environment is created. It answers every
// options interface up to ICoreWebView2EnvironmentOptions8 on one object, with the values the
// WebView2 SDK 1.0.3296.44 helper class starts from, so the runtime sees exactly what that SDK
// would pass.

#include <optional>
#include <string>
#include <vector>

#include "base/com_handler_win.h"
#include "base/com_ref_win.h"
#include "webview2/webview2_abi.h"

namespace corvane {

// The runtime level the declarations are written for; the runtime checks it is at least this.
inline constexpr wchar_t kTargetCompatibleBrowserVersion[] = L"137.0.3296.44";

class EnvironmentOptions;
using EnvironmentOptionsBase =
    ComObject<EnvironmentOptions, ICoreWebView2EnvironmentOptions, ICoreWebView2EnvironmentOptions2,
              ICoreWebView2EnvironmentOptions3, ICoreWebView2EnvironmentOptions4,
              ICoreWebView2EnvironmentOptions5, ICoreWebView2EnvironmentOptions6,
              ICoreWebView2EnvironmentOptions7, ICoreWebView2EnvironmentOptions8>;

class EnvironmentOptions final : public EnvironmentOptionsBase {
 public:
  // A new object with one reference owned by the caller.
  static ComRef<ICoreWebView2EnvironmentOptions> Create();

  // ICoreWebView2EnvironmentOptions
  HRESULT STDMETHODCALLTYPE get_AdditionalBrowserArguments(LPWSTR* value) override;
  HRESULT STDMETHODCALLTYPE put_AdditionalBrowserArguments(LPCWSTR value) override;
  HRESULT STDMETHODCALLTYPE get_Language(LPWSTR* value) override;
  HRESULT STDMETHODCALLTYPE put_Language(LPCWSTR value) override;
  HRESULT STDMETHODCALLTYPE get_TargetCompatibleBrowserVersion(LPWSTR* value) override;
  HRESULT STDMETHODCALLTYPE put_TargetCompatibleBrowserVersion(LPCWSTR value) override;
  HRESULT STDMETHODCALLTYPE get_AllowSingleSignOnUsingOSPrimaryAccount(BOOL* allow) override;
  HRESULT STDMETHODCALLTYPE put_AllowSingleSignOnUsingOSPrimaryAccount(BOOL allow) override;
  // ICoreWebView2EnvironmentOptions2
  HRESULT STDMETHODCALLTYPE get_ExclusiveUserDataFolderAccess(BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_ExclusiveUserDataFolderAccess(BOOL value) override;
  // ICoreWebView2EnvironmentOptions3
  HRESULT STDMETHODCALLTYPE get_IsCustomCrashReportingEnabled(BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_IsCustomCrashReportingEnabled(BOOL value) override;
  // ICoreWebView2EnvironmentOptions4
  HRESULT STDMETHODCALLTYPE GetCustomSchemeRegistrations(
      UINT32* count, ICoreWebView2CustomSchemeRegistration*** schemeRegistrations) override;
  HRESULT STDMETHODCALLTYPE SetCustomSchemeRegistrations(
      UINT32 count, ICoreWebView2CustomSchemeRegistration** schemeRegistrations) override;
  // ICoreWebView2EnvironmentOptions5
  HRESULT STDMETHODCALLTYPE get_EnableTrackingPrevention(BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_EnableTrackingPrevention(BOOL value) override;
  // ICoreWebView2EnvironmentOptions6
  HRESULT STDMETHODCALLTYPE get_AreBrowserExtensionsEnabled(BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_AreBrowserExtensionsEnabled(BOOL value) override;
  // ICoreWebView2EnvironmentOptions7
  HRESULT STDMETHODCALLTYPE get_ChannelSearchKind(COREWEBVIEW2_CHANNEL_SEARCH_KIND* value) override;
  HRESULT STDMETHODCALLTYPE put_ChannelSearchKind(COREWEBVIEW2_CHANNEL_SEARCH_KIND value) override;
  HRESULT STDMETHODCALLTYPE get_ReleaseChannels(COREWEBVIEW2_RELEASE_CHANNELS* value) override;
  HRESULT STDMETHODCALLTYPE put_ReleaseChannels(COREWEBVIEW2_RELEASE_CHANNELS value) override;
  // ICoreWebView2EnvironmentOptions8
  HRESULT STDMETHODCALLTYPE get_ScrollBarStyle(COREWEBVIEW2_SCROLLBAR_STYLE* value) override;
  HRESULT STDMETHODCALLTYPE put_ScrollBarStyle(COREWEBVIEW2_SCROLLBAR_STYLE value) override;

 private:
  EnvironmentOptions() = default;
  ~EnvironmentOptions() = default;
  friend EnvironmentOptionsBase;

  // Unset text reads back as a null pointer, as the SDK helper does.
  std::optional<std::wstring> additionalBrowserArguments_;
  std::optional<std::wstring> language_;
  std::optional<std::wstring> targetCompatibleBrowserVersion_{kTargetCompatibleBrowserVersion};
  BOOL allowSingleSignOnUsingOSPrimaryAccount_ = FALSE;
  BOOL exclusiveUserDataFolderAccess_ = FALSE;
  BOOL isCustomCrashReportingEnabled_ = FALSE;
  std::vector<ComRef<ICoreWebView2CustomSchemeRegistration>> customSchemeRegistrations_;
  BOOL enableTrackingPrevention_ = TRUE;
  BOOL areBrowserExtensionsEnabled_ = FALSE;
  COREWEBVIEW2_CHANNEL_SEARCH_KIND channelSearchKind_ =
      COREWEBVIEW2_CHANNEL_SEARCH_KIND_MOST_STABLE;
  // Every public channel plus the internal bit the SDK helper sets.
  COREWEBVIEW2_RELEASE_CHANNELS releaseChannels_ = COREWEBVIEW2_RELEASE_CHANNELS(0x1F);
  COREWEBVIEW2_SCROLLBAR_STYLE scrollBarStyle_ = COREWEBVIEW2_SCROLLBAR_STYLE_DEFAULT;
};

}  // namespace corvane
