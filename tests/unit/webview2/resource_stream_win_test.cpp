// HandleResourceRequest against stand-in runtime objects: the URI and Range header are read from
// the request, and the response carries the responder's status, reason, header block and body.

#include "webview2/resource_stream_win.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "base/com_handler_win.h"
#include "base/com_ref_win.h"
#include "base/text_win.h"
#include "content/bundle_writer.h"
#include "webview2/webview2_abi.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

HRESULT Unexpected() {
  ADD_FAILURE() << "the adapter called a method it has no use for";
  return E_NOTIMPL;
}
#define UNEXPECTED(name, ...) \
  HRESULT STDMETHODCALLTYPE name(__VA_ARGS__) override { return Unexpected(); }

LPWSTR CoTaskCopy(const std::wstring& text) {
  auto* copy = static_cast<LPWSTR>(CoTaskMemAlloc((text.size() + 1) * sizeof(wchar_t)));
  wcscpy(copy, text.c_str());
  return copy;
}

// Current reference count, without changing it.
ULONG References(IUnknown* object) {
  object->AddRef();
  return object->Release();
}

class FakeHeaders final : public ComObject<FakeHeaders, ICoreWebView2HttpRequestHeaders> {
 public:
  std::optional<std::wstring> range;

  HRESULT STDMETHODCALLTYPE GetHeader(LPCWSTR name, LPWSTR* value) override {
    *value = nullptr;
    if (std::wstring(name) != L"Range" || !range) return E_INVALIDARG;
    *value = CoTaskCopy(*range);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Contains(LPCWSTR name, BOOL* value) override {
    *value = std::wstring(name) == L"Range" && range;
    return S_OK;
  }
  UNEXPECTED(GetHeaders, LPCWSTR, ICoreWebView2HttpHeadersCollectionIterator**)
  UNEXPECTED(SetHeader, LPCWSTR, LPCWSTR)
  UNEXPECTED(RemoveHeader, LPCWSTR)
  UNEXPECTED(GetIterator, ICoreWebView2HttpHeadersCollectionIterator**)
};

class FakeRequest final : public ComObject<FakeRequest, ICoreWebView2WebResourceRequest> {
 public:
  std::wstring uri;
  ComRef<FakeHeaders> headers = ComRef<FakeHeaders>::Adopt(new FakeHeaders);

  HRESULT STDMETHODCALLTYPE get_Uri(LPWSTR* value) override {
    *value = CoTaskCopy(uri);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Headers(ICoreWebView2HttpRequestHeaders** value) override {
    headers->AddRef();
    *value = headers.get();
    return S_OK;
  }
  UNEXPECTED(put_Uri, LPCWSTR)
  UNEXPECTED(get_Method, LPWSTR*)
  UNEXPECTED(put_Method, LPCWSTR)
  UNEXPECTED(get_Content, IStream**)
  UNEXPECTED(put_Content, IStream*)
};

class FakeResponse final : public ComObject<FakeResponse, ICoreWebView2WebResourceResponse> {
 public:
  ComRef<IStream> content;
  int status = 0;
  std::wstring reason;
  std::wstring headerBlock;

  UNEXPECTED(get_Content, IStream**)
  UNEXPECTED(put_Content, IStream*)
  UNEXPECTED(get_Headers, ICoreWebView2HttpResponseHeaders**)
  UNEXPECTED(get_StatusCode, int*)
  UNEXPECTED(put_StatusCode, int)
  UNEXPECTED(get_ReasonPhrase, LPWSTR*)
  UNEXPECTED(put_ReasonPhrase, LPCWSTR)
};

class FakeEnvironment final : public ComObject<FakeEnvironment, ICoreWebView2Environment> {
 public:
  HRESULT STDMETHODCALLTYPE
  CreateWebResourceResponse(IStream* content, int statusCode, LPCWSTR reasonPhrase, LPCWSTR headers,
                            ICoreWebView2WebResourceResponse** response) override {
    auto* created = new FakeResponse;
    created->content = content;
    created->status = statusCode;
    created->reason = reasonPhrase;
    created->headerBlock = headers;
    *response = created;
    return S_OK;
  }
  UNEXPECTED(CreateCoreWebView2Controller, HWND,
             ICoreWebView2CreateCoreWebView2ControllerCompletedHandler*)
  UNEXPECTED(get_BrowserVersionString, LPWSTR*)
  UNEXPECTED(add_NewBrowserVersionAvailable, ICoreWebView2NewBrowserVersionAvailableEventHandler*,
             EventRegistrationToken*)
  UNEXPECTED(remove_NewBrowserVersionAvailable, EventRegistrationToken)
};

class FakeArgs final : public ComObject<FakeArgs, ICoreWebView2WebResourceRequestedEventArgs> {
 public:
  ComRef<FakeRequest> request = ComRef<FakeRequest>::Adopt(new FakeRequest);
  ComRef<ICoreWebView2WebResourceResponse> response;

  HRESULT STDMETHODCALLTYPE get_Request(ICoreWebView2WebResourceRequest** value) override {
    request->AddRef();
    *value = request.get();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_Response(ICoreWebView2WebResourceResponse* value) override {
    response = value;
    return S_OK;
  }
  UNEXPECTED(get_Response, ICoreWebView2WebResourceResponse**)
  UNEXPECTED(GetDeferral, ICoreWebView2Deferral**)
  UNEXPECTED(get_ResourceContext, COREWEBVIEW2_WEB_RESOURCE_CONTEXT*)
};

std::string ReadAll(IStream* stream) {
  std::string bytes;
  char buffer[4096];
  ULONG read = 0;
  while (SUCCEEDED(stream->Read(buffer, sizeof(buffer), &read)) && read > 0)
    bytes.append(buffer, read);
  return bytes;
}

constexpr char kBaseUrl[] = "https://app.corvane.invalid/";

class ResourceStreamTest : public ::testing::Test {
 protected:
  ResourceStreamTest() {
    folder_ = fs::temp_directory_path() /
              ("corvane-stream-test-" +
               std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::create_directories(folder_);
    std::ofstream(folder_ / "clip.webm", std::ios::binary) << "0123456789";
    bundleBytes_ = BuildBundle({{"index.html", "<html>"}, {"my file.txt", "spaced"}});
    bundle_ = AssetBundle::OverMemory(bundleBytes_.data(), bundleBytes_.size());
    bundle_.Parse();
    const std::u8string root = folder_.u8string();
    responder_.emplace(bundle_, std::string(root.begin(), root.end()) + "\\", '\\');
  }
  ~ResourceStreamTest() override {
    responder_.reset();  // unmaps before the files go
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  // Runs one request and returns the response the adapter set.
  FakeResponse* Request(const std::wstring& uri, std::optional<std::wstring> range = {}) {
    args_ = ComRef<FakeArgs>::Adopt(new FakeArgs);
    args_->request->uri = uri;
    args_->request->headers->range = std::move(range);
    EXPECT_EQ(HandleResourceRequest(args_.get(), environment_.get(), kBaseUrl, *responder_), S_OK);
    // Everything the adapter took, it gave back.
    EXPECT_EQ(References(args_->request.get()), 1u);
    EXPECT_EQ(References(args_->request->headers.get()), 1u);
    if (!args_->response) {
      ADD_FAILURE() << "no response was set";
      return nullptr;
    }
    EXPECT_EQ(References(args_->response.get()), 1u);
    return static_cast<FakeResponse*>(args_->response.get());
  }

  fs::path folder_;
  std::string bundleBytes_;
  AssetBundle bundle_;
  std::optional<ResourceResponder> responder_;
  ComRef<FakeEnvironment> environment_ = ComRef<FakeEnvironment>::Adopt(new FakeEnvironment);
  ComRef<FakeArgs> args_;
};

// Status, reason, header block and body (none when absent) as the responder gave them; the Range
// header is read from the request, and URIs shorter than the base address are no app path.
TEST_F(ResourceStreamTest, ResponsesCarryTheResponderAnswer) {
  const std::wstring notFound = L"Cache-Control: no-store";
  struct Case {
    std::wstring uri;
    std::optional<std::wstring> range;
    int status;
    std::wstring reason;
    std::wstring headerBlock;  // empty: not compared
    std::optional<std::string> body;
  };
  const Case cases[] = {
      {L"index.html",
       {},
       200,
       L"OK",
       L"Cache-Control: no-store\nContent-Type: text/html; charset=utf-8\nAccept-Ranges: bytes\n"
       L"Content-Length: 6",
       "<html>"},
      {L"my%20file.txt", {}, 200, L"OK", L"", "spaced"},
      {L"clip.webm", {}, 200, L"OK", L"", "0123456789"},
      {L"clip.webm", L" bytes=2-4 ", 206, L"Partial Content",
       L"Cache-Control: no-store\nContent-Type: video/webm\nAccept-Ranges: bytes\n"
       L"Content-Range: bytes 2-4/10\nContent-Length: 3",
       "234"},
      {L"clip.webm", L"bytes=10-", 416, L"Range Not Satisfiable", L"", std::nullopt},
      {L"missing.js", {}, 404, L"Not Found", notFound, "File not found"},
      {L"..%2F..%2Fwin.ini", {}, 404, L"Not Found", notFound, "File not found"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.uri));
    FakeResponse* response = Request(L"https://app.corvane.invalid/" + c.uri, c.range);
    ASSERT_TRUE(response);
    EXPECT_EQ(response->status, c.status);
    EXPECT_EQ(response->reason, c.reason);
    EXPECT_TRUE(c.headerBlock.empty() || response->headerBlock == c.headerBlock)
        << ToUtf8(response->headerBlock);
    ASSERT_EQ(bool(response->content), c.body.has_value());
    if (c.body) {
      EXPECT_EQ(ReadAll(response->content.get()), *c.body);
      EXPECT_EQ(References(response->content.get()), 1u);
    }
  }
  for (const wchar_t* uri : {L"https://app.corvane.invalid", L""}) {
    FakeResponse* response = Request(uri);
    ASSERT_TRUE(response && response->content);
    EXPECT_EQ(response->status, 404);
    EXPECT_EQ(ReadAll(response->content.get()), "File not found");
  }
}

}  // namespace
}  // namespace corvane
