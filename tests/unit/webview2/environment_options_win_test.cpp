#include "webview2/environment_options_win.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>

namespace corvane {
namespace {

std::wstring TakeText(LPWSTR text) {
  std::wstring result = text ? text : L"<null>";
  CoTaskMemFree(text);
  return result;
}

template <class Interface>
ComRef<Interface> Query(IUnknown* object) {
  ComRef<Interface> result;
  if constexpr (std::is_same_v<Interface, IUnknown>) {
    EXPECT_EQ(object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(result.Put())), S_OK);
  } else {
    EXPECT_EQ(QueryAs(object, result.Put()), S_OK);
  }
  return result;
}

TEST(EnvironmentOptions, StartsFromTheSdkDefaults) {
  auto options = EnvironmentOptions::Create();
  LPWSTR text = nullptr;
  ASSERT_EQ(options->get_TargetCompatibleBrowserVersion(&text), S_OK);
  EXPECT_EQ(TakeText(text), L"137.0.3296.44");
  ASSERT_EQ(options->get_AdditionalBrowserArguments(&text), S_OK);
  EXPECT_EQ(text, nullptr);
  ASSERT_EQ(options->get_Language(&text), S_OK);
  EXPECT_EQ(text, nullptr);
  BOOL flag = TRUE;
  EXPECT_EQ(options->get_AllowSingleSignOnUsingOSPrimaryAccount(&flag), S_OK);
  EXPECT_EQ(flag, FALSE);

  flag = TRUE;
  Query<ICoreWebView2EnvironmentOptions2>(options.get())->get_ExclusiveUserDataFolderAccess(&flag);
  EXPECT_EQ(flag, FALSE);
  flag = TRUE;
  Query<ICoreWebView2EnvironmentOptions3>(options.get())->get_IsCustomCrashReportingEnabled(&flag);
  EXPECT_EQ(flag, FALSE);
  UINT32 count = 7;
  ICoreWebView2CustomSchemeRegistration** schemes = nullptr;
  EXPECT_EQ(Query<ICoreWebView2EnvironmentOptions4>(options.get())
                ->GetCustomSchemeRegistrations(&count, &schemes),
            S_OK);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(schemes, nullptr);
  flag = FALSE;
  Query<ICoreWebView2EnvironmentOptions5>(options.get())->get_EnableTrackingPrevention(&flag);
  EXPECT_EQ(flag, TRUE);
  flag = TRUE;
  Query<ICoreWebView2EnvironmentOptions6>(options.get())->get_AreBrowserExtensionsEnabled(&flag);
  EXPECT_EQ(flag, FALSE);
  auto options7 = Query<ICoreWebView2EnvironmentOptions7>(options.get());
  COREWEBVIEW2_CHANNEL_SEARCH_KIND kind = COREWEBVIEW2_CHANNEL_SEARCH_KIND_LEAST_STABLE;
  options7->get_ChannelSearchKind(&kind);
  EXPECT_EQ(kind, COREWEBVIEW2_CHANNEL_SEARCH_KIND_MOST_STABLE);
  COREWEBVIEW2_RELEASE_CHANNELS channels = COREWEBVIEW2_RELEASE_CHANNELS_NONE;
  options7->get_ReleaseChannels(&channels);
  EXPECT_EQ(int(channels), 0x1F);
  COREWEBVIEW2_SCROLLBAR_STYLE style = COREWEBVIEW2_SCROLLBAR_STYLE_FLUENT_OVERLAY;
  Query<ICoreWebView2EnvironmentOptions8>(options.get())->get_ScrollBarStyle(&style);
  EXPECT_EQ(style, COREWEBVIEW2_SCROLLBAR_STYLE_DEFAULT);
}

TEST(EnvironmentOptions, TextPropertiesAreCopiedInAndOut) {
  auto options = EnvironmentOptions::Create();
  std::wstring arguments = L"--disable-gpu --lang=fr";
  ASSERT_EQ(options->put_AdditionalBrowserArguments(arguments.c_str()), S_OK);
  arguments.assign(arguments.size(), L'x');  // the object keeps its own copy
  LPWSTR text = nullptr;
  ASSERT_EQ(options->get_AdditionalBrowserArguments(&text), S_OK);
  EXPECT_EQ(TakeText(text), L"--disable-gpu --lang=fr");

  // An empty text is set, not cleared: the runtime sees "" rather than "not set".
  ASSERT_EQ(options->put_AdditionalBrowserArguments(L""), S_OK);
  ASSERT_EQ(options->get_AdditionalBrowserArguments(&text), S_OK);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(TakeText(text), L"");

  ASSERT_EQ(options->put_AdditionalBrowserArguments(nullptr), S_OK);
  ASSERT_EQ(options->get_AdditionalBrowserArguments(&text), S_OK);
  EXPECT_EQ(text, nullptr);
  EXPECT_EQ(options->get_Language(nullptr), E_POINTER);
}

TEST(EnvironmentOptions, EveryLevelIsOneObject) {
  auto options = EnvironmentOptions::Create();
  auto unknown = Query<IUnknown>(options.get());
  auto options5 = Query<ICoreWebView2EnvironmentOptions5>(options.get());
  // Identity rule: IUnknown from any interface is the same pointer.
  EXPECT_EQ(Query<IUnknown>(options5.get()).get(), unknown.get());
  EXPECT_EQ(Query<ICoreWebView2EnvironmentOptions>(options5.get()).get(), options.get());
  // Setting through one level is seen through another.
  auto options2 = Query<ICoreWebView2EnvironmentOptions2>(options5.get());
  options2->put_ExclusiveUserDataFolderAccess(TRUE);
  BOOL flag = FALSE;
  Query<ICoreWebView2EnvironmentOptions2>(options.get())->get_ExclusiveUserDataFolderAccess(&flag);
  EXPECT_EQ(flag, TRUE);

  void* other = reinterpret_cast<void*>(1);
  EXPECT_EQ(options->QueryInterface(IidOf<ICoreWebView2Environment>(), &other), E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);
}

TEST(EnvironmentOptions, LivesUntilTheLastReference) {
  auto options = EnvironmentOptions::Create();
  EXPECT_EQ(options->AddRef(), 2u);  // created with exactly the one reference Create hands over
  auto options8 = Query<ICoreWebView2EnvironmentOptions8>(options.get());
  EXPECT_EQ(options->Release(), 2u);  // options8 holds the other
  options8.Reset();
  EXPECT_EQ(options->AddRef(), 2u);
  EXPECT_EQ(options->Release(), 1u);
}

}  // namespace
}  // namespace corvane
