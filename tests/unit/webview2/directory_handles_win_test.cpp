// SendDirectoryHandles against stand-in runtime objects that answer only the slots it may call.
// The message, the handles of the real folders and an older runtime are played end to end
// (tests/wine/bridge/bridge_scenarios.py); here: failures, references and missing objects.

#include "webview2/directory_handles_win.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "base/text_win.h"
#include "stand_in_objects_win.h"

namespace corvane {
namespace {

using stand_in::Object;
using stand_in::Slot;
using ::testing::ElementsAreArray;

struct Handle : Object {
  explicit Handle(LPCWSTR where) : Object(6, {}), path(where) {}
  std::wstring path;
};

struct Collection : Object {
  Collection() : Object(7, {{2, Slot(&Release)}}) {}
  static ULONG STDMETHODCALLTYPE Release(Collection* self) {
    if (--self->refs == 0) {
      for (IUnknown* item : self->items) {
        if (item) item->Release();
      }
    }
    return ULONG(self->refs);
  }
  std::vector<IUnknown*> items;
};

struct Environment : Object {
  Environment()
      : Object(29, {{27, Slot(&CreateDirectoryHandle)}, {28, Slot(&CreateObjectCollection)}},
               {IID_IUnknown, IID_ICoreWebView2Environment, IID_ICoreWebView2Environment14}) {}
  static HRESULT STDMETHODCALLTYPE
  CreateDirectoryHandle(Environment* self, LPCWSTR path,
                        COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION permission, Handle** value) {
    self->requests.push_back(path);
    EXPECT_EQ(permission, COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION_READ_WRITE);
    *value = self->failingPaths.count(path) ? nullptr
                                            : self->handles.emplace_back(new Handle(path)).get();
    return *value ? S_OK : E_ACCESSDENIED;
  }
  static HRESULT STDMETHODCALLTYPE CreateObjectCollection(Environment* self, UINT32 length,
                                                          IUnknown** items, Collection** value) {
    self->collection = std::make_unique<Collection>();
    for (UINT32 i = 0; i < length; ++i) {
      if (items[i]) items[i]->AddRef();
      self->collection->items.push_back(items[i]);
    }
    *value = self->collection.get();
    return S_OK;
  }
  std::set<std::wstring> failingPaths;
  std::vector<std::wstring> requests;
  std::vector<std::unique_ptr<Handle>> handles;
  std::unique_ptr<Collection> collection;
};

struct WebView : Object {
  WebView()
      : Object(126, {{125, Slot(&PostWithObjects)}},
               {IID_IUnknown, IID_ICoreWebView2, IID_ICoreWebView2_23}) {}
  static HRESULT STDMETHODCALLTYPE PostWithObjects(WebView* self, LPCWSTR json,
                                                   Collection* objects) {
    self->posted.emplace_back(json);
    for (IUnknown* item : objects->items) {
      self->itemPaths.push_back(item ? reinterpret_cast<Handle*>(item)->path : L"");
    }
    return S_OK;
  }
  std::vector<std::wstring> posted;
  std::vector<std::wstring> itemPaths;  // "" for an empty slot
};

class DirectoryHandlesTest : public ::testing::Test {
 protected:
  void Send(bool withEnvironment = true, bool withWebView = true) {
    SendDirectoryHandles(
        withEnvironment ? reinterpret_cast<ICoreWebView2Environment*>(&environment) : nullptr,
        withWebView ? reinterpret_cast<ICoreWebView2*>(&webView) : nullptr, "C:\\App\\", "www\\",
        "C:\\Local\\demo", handles, [](KnownFolder folder) -> std::string {
          if (folder == KnownFolder::Screenshots) return {};  // as under Wine
          return "C:\\K\\" + std::to_string(static_cast<int>(folder)) + "\\\xc3\xa9";
        });
  }

  Environment environment;
  WebView webView;
  std::map<std::string, std::string> handles;
};

TEST_F(DirectoryHandlesTest, ThirteenSlotsInTableOrderWithUnresolvedAndFailedRowsEmpty) {
  handles["<screenshots>"] = "C:\\Earlier\\Screenshots";
  environment.failingPaths = {L"C:\\K\\5\\\u00e9"};  // Pictures: requested, but no handle
  Send();
  std::vector<std::wstring> paths = {L"C:\\App\\", L"C:\\App\\www\\", L"C:\\Local\\demo"};
  for (int folder = 0; folder < 10; ++folder) {
    if (folder != 8) paths.push_back(L"C:\\K\\" + std::to_wstring(folder) + L"\\\u00e9");
  }
  EXPECT_THAT(environment.requests, ElementsAreArray(paths));
  // Pictures (5) failed and Screenshots (8) is unresolved: their slots stay empty.
  paths[8] = L"";
  paths.insert(paths.begin() + 11, L"");
  EXPECT_THAT(webView.itemPaths, ElementsAreArray(paths));

  EXPECT_EQ(handles.size(), 13u);
  EXPECT_EQ(handles["<screenshots>"], "C:\\Earlier\\Screenshots");
  EXPECT_EQ(handles["<pictures>"], "C:\\K\\5\\\xc3\xa9");
  // Every reference taken is given back: handles, collection and both queried interfaces.
  EXPECT_EQ(environment.refs, 1);
  EXPECT_EQ(webView.refs, 1);
  ASSERT_NE(environment.collection, nullptr);
  EXPECT_EQ(environment.collection->refs, 0);
  for (const auto& handle : environment.handles) EXPECT_EQ(handle->refs, 0) << ToUtf8(handle->path);
}

TEST_F(DirectoryHandlesTest, MissingObjectsPostNothingAndRecordNothing) {
  Send(true, false);
  Send(false, true);
  EXPECT_TRUE(environment.requests.empty());
  EXPECT_TRUE(webView.posted.empty());
  EXPECT_TRUE(handles.empty());
  EXPECT_EQ(environment.refs, 1);
  EXPECT_EQ(webView.refs, 1);
}

}  // namespace
}  // namespace corvane
