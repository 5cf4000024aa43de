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
