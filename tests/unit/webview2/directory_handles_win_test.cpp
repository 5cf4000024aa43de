// SendDirectoryHandles against a stand-in runtime: objects built from raw slot tables, so only
// the slots the ABI fixes are answered and a call to any other slot fails the test.

#include "webview2/directory_handles_win.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <knownfolders.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "base/file_helpers_win.h"
#include "base/text_win.h"

namespace corvane {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;

HRESULT STDMETHODCALLTYPE UnexpectedSlot(void*) {
  ADD_FAILURE() << "a slot the shell has no business calling was called";
  return E_NOTIMPL;
}

template <class Fn>
void* Slot(Fn fn) {
  return reinterpret_cast<void*>(fn);
}

// A table of `length` slots that fail the test, except the given ones.
std::vector<void*> SlotTable(std::size_t length,
                             std::initializer_list<std::pair<std::size_t, void*>> answered) {
  std::vector<void*> table(length, Slot(&UnexpectedSlot));
  for (const auto& [index, slot] : answered) table[index] = slot;
  return table;
}

// Every stand-in object: a slot table pointer first, then a reference count.
struct FakeObject {
  void* const* slots;
  LONG refs = 1;
};

ULONG STDMETHODCALLTYPE FakeAddRef(FakeObject* self) { return ULONG(++self->refs); }
ULONG STDMETHODCALLTYPE FakeRelease(FakeObject* self) { return ULONG(--self->refs); }

struct FakeHandle : FakeObject {
  std::wstring path;
};

struct FakeCollection : FakeObject {
  std::vector<IUnknown*> items;
};

ULONG STDMETHODCALLTYPE CollectionRelease(FakeCollection* self) {
  if (--self->refs == 0) {
    for (IUnknown* item : self->items) {
      if (item) item->Release();
    }
  }
  return ULONG(self->refs);
}

struct FakeEnvironment : FakeObject {
  bool offers14 = true;
  std::set<std::wstring> failingPaths;
  std::vector<std::wstring> requestedPaths;
  std::vector<int> permissions;
  std::vector<std::unique_ptr<FakeHandle>> handles;
  std::unique_ptr<FakeCollection> collection;
};

struct FakeWebView : FakeObject {
  bool offers23 = true;
  std::vector<std::wstring> posted;
  std::vector<std::wstring> postedItemPaths;  // "" for an empty slot
};

std::vector<void*> g_handleSlots;
std::vector<void*> g_collectionSlots;

HRESULT STDMETHODCALLTYPE HandleQueryInterface(FakeHandle*, REFIID, void** out) {
  *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE EnvironmentQueryInterface(FakeEnvironment* self, REFIID iid, void** out) {
  if (iid == IID_IUnknown || iid == IID_ICoreWebView2Environment ||
      (iid == IID_ICoreWebView2Environment14 && self->offers14)) {
    ++self->refs;
    *out = self;
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE
CreateDirectoryHandle(FakeEnvironment* self, LPCWSTR path,
                      COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION permission, FakeHandle** value) {
  self->requestedPaths.emplace_back(path);
  self->permissions.push_back(permission);
  if (self->failingPaths.count(path)) {
    *value = nullptr;
    return E_ACCESSDENIED;
  }
  auto handle = std::make_unique<FakeHandle>();
  handle->slots = g_handleSlots.data();
  handle->path = path;
  *value = handle.get();
  self->handles.push_back(std::move(handle));
  return S_OK;
}

HRESULT STDMETHODCALLTYPE CreateObjectCollection(FakeEnvironment* self, UINT32 length,
                                                 IUnknown** items, FakeCollection** value) {
  self->collection = std::make_unique<FakeCollection>();
  self->collection->slots = g_collectionSlots.data();
  for (UINT32 i = 0; i < length; ++i) {
    if (items[i]) items[i]->AddRef();
    self->collection->items.push_back(items[i]);
  }
  *value = self->collection.get();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE WebViewQueryInterface(FakeWebView* self, REFIID iid, void** out) {
  if (iid == IID_IUnknown || iid == IID_ICoreWebView2 ||
      (iid == IID_ICoreWebView2_23 && self->offers23)) {
    ++self->refs;
    *out = self;
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE PostWithObjects(FakeWebView* self, LPCWSTR json,
                                          FakeCollection* objects) {
  self->posted.emplace_back(json);
  for (IUnknown* item : objects->items) {
    self->postedItemPaths.push_back(item ? reinterpret_cast<FakeHandle*>(item)->path : L"");
  }
  return S_OK;
}

class DirectoryHandlesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::pair<std::size_t, void*> addRef{1, Slot(&FakeAddRef)},
        release{2, Slot(&FakeRelease)};
    g_handleSlots = SlotTable(6, {{0, Slot(&HandleQueryInterface)}, addRef, release});
    g_collectionSlots = SlotTable(7, {addRef, {2, Slot(&CollectionRelease)}});
    environmentSlots = SlotTable(29, {{0, Slot(&EnvironmentQueryInterface)},
                                      addRef,
                                      release,
                                      {27, Slot(&CreateDirectoryHandle)},
                                      {28, Slot(&CreateObjectCollection)}});
    environment.slots = environmentSlots.data();
    webViewSlots = SlotTable(
        126, {{0, Slot(&WebViewQueryInterface)}, addRef, release, {125, Slot(&PostWithObjects)}});
    webView.slots = webViewSlots.data();
  }

  void Send(bool withEnvironment = true, bool withWebView = true) {
    SendDirectoryHandles(
        withEnvironment ? reinterpret_cast<ICoreWebView2Environment*>(&environment) : nullptr,
        withWebView ? reinterpret_cast<ICoreWebView2*>(&webView) : nullptr, "C:\\App\\", "www\\",
        "C:\\Local\\demo", directoryHandles, &FakeKnownFolder);
  }

  static std::string FakeKnownFolder(KnownFolder folder) {
    if (folder == KnownFolder::Screenshots) return {};  // as under Wine
    return "C:\\K\\" + std::to_string(static_cast<int>(folder)) + "\\\xc3\xa9";
  }

  std::vector<void*> environmentSlots;
  std::vector<void*> webViewSlots;
  FakeEnvironment environment;
  FakeWebView webView;
  std::map<std::string, std::string> directoryHandles;
};

TEST_F(DirectoryHandlesTest, ThirteenSlotsInTableOrderWithUnresolvedAndFailedRowsEmpty) {
  directoryHandles["<screenshots>"] = "C:\\Earlier\\Screenshots";
  environment.failingPaths = {L"C:\\K\\5\\\u00e9"};  // Pictures: recorded, but no handle
  Send();

  EXPECT_THAT(environment.requestedPaths,
              ElementsAre(L"C:\\App\\", L"C:\\App\\www\\", L"C:\\Local\\demo", L"C:\\K\\0\\\u00e9",
                          L"C:\\K\\1\\\u00e9", L"C:\\K\\2\\\u00e9", L"C:\\K\\3\\\u00e9",
                          L"C:\\K\\4\\\u00e9", L"C:\\K\\5\\\u00e9", L"C:\\K\\6\\\u00e9",
                          L"C:\\K\\7\\\u00e9", L"C:\\K\\9\\\u00e9"));
  EXPECT_THAT(environment.permissions, Each(COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION_READ_WRITE));
  EXPECT_THAT(webView.posted, ElementsAre(L"{\"type\":\"directory-handles\"}"));
  EXPECT_THAT(webView.postedItemPaths,
              ElementsAre(L"C:\\App\\", L"C:\\App\\www\\", L"C:\\Local\\demo", L"C:\\K\\0\\\u00e9",
                          L"C:\\K\\1\\\u00e9", L"C:\\K\\2\\\u00e9", L"C:\\K\\3\\\u00e9",
                          L"C:\\K\\4\\\u00e9", L"", L"C:\\K\\6\\\u00e9", L"C:\\K\\7\\\u00e9", L"",
                          L"C:\\K\\9\\\u00e9"));

  EXPECT_EQ(directoryHandles.size(), 13u);
  EXPECT_EQ(directoryHandles["<screenshots>"], "C:\\Earlier\\Screenshots");
  EXPECT_EQ(directoryHandles["<pictures>"], "C:\\K\\5\\\xc3\xa9");
  EXPECT_EQ(directoryHandles["<web-resource>"], "C:\\App\\www\\");

  // Every reference taken is given back: handles, collection and both queried interfaces.
  EXPECT_EQ(environment.refs, 1);
  EXPECT_EQ(webView.refs, 1);
  ASSERT_NE(environment.collection, nullptr);
  EXPECT_EQ(environment.collection->refs, 0);
  for (const auto& handle : environment.handles) EXPECT_EQ(handle->refs, 0) << ToUtf8(handle->path);
}

TEST_F(DirectoryHandlesTest, OlderRuntimeOrMissingObjectPostsNothingAndRecordsNothing) {
  environment.offers14 = false;
  Send();
  environment.offers14 = true;
  webView.offers23 = false;
  Send();
  webView.offers23 = true;
  Send(true, false);
  Send(false, true);
  EXPECT_TRUE(environment.requestedPaths.empty());
  EXPECT_TRUE(webView.posted.empty());
  EXPECT_TRUE(directoryHandles.empty());
  EXPECT_EQ(environment.refs, 1);
  EXPECT_EQ(webView.refs, 1);
}

TEST_F(DirectoryHandlesTest, KnownFoldersComeFromTheShellLookupByDefault) {
  SendDirectoryHandles(reinterpret_cast<ICoreWebView2Environment*>(&environment),
                       reinterpret_cast<ICoreWebView2*>(&webView), "C:\\App\\", "www\\",
                       "C:\\Local\\demo", directoryHandles);
  const std::string documents = GetKnownFolderPath(FOLDERID_Documents);
  ASSERT_FALSE(documents.empty());
  EXPECT_EQ(directoryHandles["<documents>"], documents);
  EXPECT_EQ(directoryHandles["<local-app-data>"], GetKnownFolderPath(FOLDERID_LocalAppData));
  EXPECT_EQ(directoryHandles["<saved-games>"], GetKnownFolderPath(FOLDERID_SavedGames));
  EXPECT_EQ(webView.postedItemPaths.size(), 13u);
}

}  // namespace
}  // namespace corvane
