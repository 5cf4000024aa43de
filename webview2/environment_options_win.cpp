#include "webview2/environment_options_win.h"

#include <cstring>
#include <new>

namespace corvane {
namespace {

HRESULT CopyOut(const std::optional<std::wstring>& text, LPWSTR* value) {
  if (!value) return E_POINTER;
  *value = nullptr;
  if (!text) return S_OK;
  const std::size_t bytes = (text->size() + 1) * sizeof(wchar_t);
  auto* copy = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
  if (!copy) return E_OUTOFMEMORY;
  std::memcpy(copy, text->c_str(), bytes);
  *value = copy;
  return S_OK;
}

HRESULT CopyIn(LPCWSTR value, std::optional<std::wstring>& text) {
  try {
    text = value ? std::optional<std::wstring>(value) : std::nullopt;
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

template <class T>
HRESULT ValueOut(T stored, T* value) {
  if (!value) return E_POINTER;
  *value = stored;
  return S_OK;
}

}  // namespace

ComRef<ICoreWebView2EnvironmentOptions> EnvironmentOptions::Create() {
  return ComRef<ICoreWebView2EnvironmentOptions>::Adopt(new EnvironmentOptions());
}

HRESULT EnvironmentOptions::get_AdditionalBrowserArguments(LPWSTR* value) {
  return CopyOut(additionalBrowserArguments_, value);
}
HRESULT EnvironmentOptions::put_AdditionalBrowserArguments(LPCWSTR value) {
  return CopyIn(value, additionalBrowserArguments_);
}
HRESULT EnvironmentOptions::get_Language(LPWSTR* value) { return CopyOut(language_, value); }
HRESULT EnvironmentOptions::put_Language(LPCWSTR value) { return CopyIn(value, language_); }
HRESULT EnvironmentOptions::get_TargetCompatibleBrowserVersion(LPWSTR* value) {
  return CopyOut(targetCompatibleBrowserVersion_, value);
}
HRESULT EnvironmentOptions::put_TargetCompatibleBrowserVersion(LPCWSTR value) {
  return CopyIn(value, targetCompatibleBrowserVersion_);
}
HRESULT EnvironmentOptions::get_AllowSingleSignOnUsingOSPrimaryAccount(BOOL* allow) {
  return ValueOut(allowSingleSignOnUsingOSPrimaryAccount_, allow);
}
HRESULT EnvironmentOptions::put_AllowSingleSignOnUsingOSPrimaryAccount(BOOL allow) {
  allowSingleSignOnUsingOSPrimaryAccount_ = allow;
  return S_OK;
}

HRESULT EnvironmentOptions::get_ExclusiveUserDataFolderAccess(BOOL* value) {
  return ValueOut(exclusiveUserDataFolderAccess_, value);
}
HRESULT EnvironmentOptions::put_ExclusiveUserDataFolderAccess(BOOL value) {
  exclusiveUserDataFolderAccess_ = value;
  return S_OK;
}

HRESULT EnvironmentOptions::get_IsCustomCrashReportingEnabled(BOOL* value) {
  return ValueOut(isCustomCrashReportingEnabled_, value);
}
HRESULT EnvironmentOptions::put_IsCustomCrashReportingEnabled(BOOL value) {
  isCustomCrashReportingEnabled_ = value;
  return S_OK;
}

HRESULT EnvironmentOptions::GetCustomSchemeRegistrations(
    UINT32* count, ICoreWebView2CustomSchemeRegistration*** schemeRegistrations) {
  if (!count || !schemeRegistrations) return E_POINTER;
  *count = 0;
  *schemeRegistrations = nullptr;
  if (customSchemeRegistrations_.empty()) return S_OK;
  // The caller owns the array (CoTaskMemFree) and one reference on each element.
  auto** array = static_cast<ICoreWebView2CustomSchemeRegistration**>(CoTaskMemAlloc(
      customSchemeRegistrations_.size() * sizeof(ICoreWebView2CustomSchemeRegistration*)));
  if (!array) return E_OUTOFMEMORY;
  for (std::size_t i = 0; i < customSchemeRegistrations_.size(); ++i) {
    array[i] = customSchemeRegistrations_[i].get();
    array[i]->AddRef();
  }
  *count = UINT32(customSchemeRegistrations_.size());
  *schemeRegistrations = array;
  return S_OK;
}

HRESULT EnvironmentOptions::SetCustomSchemeRegistrations(
    UINT32 count, ICoreWebView2CustomSchemeRegistration** schemeRegistrations) {
  if (count > 0 && !schemeRegistrations) return E_POINTER;
  try {
    std::vector<ComRef<ICoreWebView2CustomSchemeRegistration>> kept;
    kept.reserve(count);
    for (UINT32 i = 0; i < count; ++i) {
      if (!schemeRegistrations[i]) return E_INVALIDARG;
      kept.emplace_back(schemeRegistrations[i]);
    }
    customSchemeRegistrations_ = std::move(kept);
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT EnvironmentOptions::get_EnableTrackingPrevention(BOOL* value) {
  return ValueOut(enableTrackingPrevention_, value);
}
HRESULT EnvironmentOptions::put_EnableTrackingPrevention(BOOL value) {
  enableTrackingPrevention_ = value;
  return S_OK;
}

HRESULT EnvironmentOptions::get_AreBrowserExtensionsEnabled(BOOL* value) {
  return ValueOut(areBrowserExtensionsEnabled_, value);
}
HRESULT EnvironmentOptions::put_AreBrowserExtensionsEnabled(BOOL value) {
  areBrowserExtensionsEnabled_ = value;
  return S_OK;
}

HRESULT EnvironmentOptions::get_ChannelSearchKind(COREWEBVIEW2_CHANNEL_SEARCH_KIND* value) {
  return ValueOut(channelSearchKind_, value);
}
HRESULT EnvironmentOptions::put_ChannelSearchKind(COREWEBVIEW2_CHANNEL_SEARCH_KIND value) {
  channelSearchKind_ = value;
  return S_OK;
}
HRESULT EnvironmentOptions::get_ReleaseChannels(COREWEBVIEW2_RELEASE_CHANNELS* value) {
  return ValueOut(releaseChannels_, value);
}
HRESULT EnvironmentOptions::put_ReleaseChannels(COREWEBVIEW2_RELEASE_CHANNELS value) {
  releaseChannels_ = value;
  return S_OK;
}

HRESULT EnvironmentOptions::get_ScrollBarStyle(COREWEBVIEW2_SCROLLBAR_STYLE* value) {
  return ValueOut(scrollBarStyle_, value);
}
HRESULT EnvironmentOptions::put_ScrollBarStyle(COREWEBVIEW2_SCROLLBAR_STYLE value) {
  scrollBarStyle_ = value;
  return S_OK;
}

}  // namespace corvane
