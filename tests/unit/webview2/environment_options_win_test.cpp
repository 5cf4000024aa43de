#include "webview2/environment_options_win.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

template <class Interface>
ComRef<Interface> Query(IUnknown* object) {
  ComRef<Interface> result;
  EXPECT_EQ(QueryAs(object, result.Put()), S_OK);
  return result;
}

// The texts the shell sets are read back through this object end to end (normal_run and
// configured_apps in tests/wine/scenarios.py).
TEST(EnvironmentOptions, EveryLevelIsOneObjectThatLivesUntilTheLastReference) {
  auto options = EnvironmentOptions::Create();
  EXPECT_EQ(options->AddRef(), 2u);  // created with exactly the one reference Create hands over
  auto options8 = Query<ICoreWebView2EnvironmentOptions8>(options.get());
  EXPECT_EQ(options->Release(), 2u);  // options8 holds the other
  options8.Reset();
  EXPECT_EQ(options->AddRef(), 2u);
  EXPECT_EQ(options->Release(), 1u);

  auto options5 = Query<ICoreWebView2EnvironmentOptions5>(options.get());
  // Identity rule: IUnknown from any interface is the same pointer.
  ComRef<IUnknown> unknown, unknown5;
  options->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(unknown.Put()));
  options5->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(unknown5.Put()));
  EXPECT_TRUE(unknown && unknown.get() == unknown5.get());
  EXPECT_EQ(Query<ICoreWebView2EnvironmentOptions>(options5.get()).get(), options.get());
  // Setting through one level is seen through another.
  Query<ICoreWebView2EnvironmentOptions2>(options5.get())->put_ExclusiveUserDataFolderAccess(TRUE);
  BOOL flag = FALSE;
  Query<ICoreWebView2EnvironmentOptions2>(options.get())->get_ExclusiveUserDataFolderAccess(&flag);
  EXPECT_EQ(flag, TRUE);
  EXPECT_EQ(options->get_Language(nullptr), E_POINTER);
  void* other = reinterpret_cast<void*>(1);
  EXPECT_EQ(options->QueryInterface(IidOf<ICoreWebView2Environment>(), &other), E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);
}

}  // namespace
}  // namespace corvane
