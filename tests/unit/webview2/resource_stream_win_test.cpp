// The bodies handed to the runtime: HandleResourceRequest against stand-in runtime objects, and
// CreateViewStream, the body over bundle bytes: the IStream contract at every position, clones,
// the interfaces that make it free-threaded, and the owner it holds while any thread may read.

#include "webview2/resource_stream_win.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "content/bundle_writer.h"
#include "content/view_stream_win.h"
#include "stand_in_objects_win.h"

namespace corvane {
namespace {

using stand_in::CoTaskCopy;
using stand_in::Object;
using stand_in::Out;
using stand_in::Slot;

// Reads `count` bytes, all that is left by default; the text read and the result.
std::pair<std::string, HRESULT> Read(IStream* stream, ULONG count = 1 << 20) {
  std::string out(count, '?');
  ULONG got = 12345;
  const HRESULT result = stream->Read(out.data(), count, &got);
  out.resize(got);
  return {out, result};
}

struct Headers : Object {
  Headers() : Object(9, {{3, Slot(&GetHeader)}, {5, Slot(&Contains)}}) {}
  static HRESULT STDMETHODCALLTYPE GetHeader(Headers* self, LPCWSTR name, LPWSTR* value) {
    const bool found = std::wstring(name) == L"Range" && self->range;
    *value = found ? CoTaskCopy(*self->range) : nullptr;
    return found ? S_OK : E_INVALIDARG;
  }
  static HRESULT STDMETHODCALLTYPE Contains(Headers* self, LPCWSTR name, BOOL* value) {
    *value = std::wstring(name) == L"Range" && self->range;
    return S_OK;
  }
  std::optional<std::wstring> range;
};

struct Request : Object {
  Request() : Object(10, {{3, Slot(&GetUri)}, {9, Slot(&GetHeaders)}}) {}
  static HRESULT STDMETHODCALLTYPE GetUri(Request* self, LPWSTR* value) {
    *value = CoTaskCopy(self->uri);
    return S_OK;
  }
  static HRESULT STDMETHODCALLTYPE GetHeaders(Request* self, Headers** value) {
    *value = Out(&self->headers);
    return S_OK;
  }
  std::wstring uri;
  Headers headers;
};

struct Response : Object {
  Response(IStream* body, int code, LPCWSTR phrase, LPCWSTR headers)
      : Object(10, {}), content(body), status(code), reason(phrase), headerBlock(headers) {}
  ComRef<IStream> content;
  int status;
  std::wstring reason, headerBlock;
};

struct Args : Object {
  Args() : Object(8, {{3, Slot(&GetRequest)}, {5, Slot(&PutResponse)}}) {}
  static HRESULT STDMETHODCALLTYPE GetRequest(Args* self, Request** value) {
    *value = Out(&self->request);
    return S_OK;
  }
  static HRESULT STDMETHODCALLTYPE PutResponse(Args* self, Response* value) {
    self->response = Out(value);
    return S_OK;
  }
  Request request;
  Response* response = nullptr;
};

struct Environment : Object {
  Environment() : Object(8, {{4, Slot(&CreateResponse)}}) {}
  static HRESULT STDMETHODCALLTYPE CreateResponse(Environment* self, IStream* content, int status,
                                                  LPCWSTR reason, LPCWSTR headers,
                                                  Response** value) {
    *value = self->responses.emplace_back(new Response(content, status, reason, headers)).get();
    return S_OK;
  }
  std::vector<std::unique_ptr<Response>> responses;
};

// Statuses, header blocks and bodies of every kind of answer are played end to end against the
// stand-in runtime (tests/wine/scenarios.py); here: references, and URIs that are no app path.
class ResourceStreamTest : public ::testing::Test {
 protected:
  ResourceStreamTest() {
    bundle_.Parse();
    responder_.emplace(bundle_, "C:\\corvane-no-such-folder\\", '\\');
  }

  Response* Answer(const std::wstring& uri, std::optional<std::wstring> range = {}) {
    Args args;
    args.request.uri = uri;
    args.request.headers.range = std::move(range);
    EXPECT_EQ(
        HandleResourceRequest(reinterpret_cast<ICoreWebView2WebResourceRequestedEventArgs*>(&args),
                              reinterpret_cast<ICoreWebView2Environment*>(&environment_),
                              "https://app.corvane.invalid/", *responder_),
        S_OK);
    // Everything the adapter took, it gave back.
    EXPECT_EQ(args.request.refs, 1);
    EXPECT_EQ(args.request.headers.refs, 1);
    EXPECT_EQ(args.refs, 1);
    EXPECT_TRUE(args.response && args.response->refs == 1) << "held by the args alone";
    return args.response;
  }

  const std::string bundleBytes_ = BuildBundle({{"clip.webm", "0123456789"}});
  AssetBundle bundle_ = AssetBundle::OverMemory(bundleBytes_.data(), bundleBytes_.size());
  std::optional<ResourceResponder> responder_;
  Environment environment_;
};

TEST_F(ResourceStreamTest, ResponsesCarryTheResponderAnswerWithTheRangeReadFromTheRequest) {
  Response* part = Answer(L"https://app.corvane.invalid/clip.webm", L" bytes=2-4 ");
  ASSERT_TRUE(part && part->content);
  EXPECT_EQ(part->status, 206);
  EXPECT_EQ(part->reason, L"Partial Content");
  EXPECT_EQ(part->headerBlock,
            L"Cache-Control: no-store\nContent-Type: video/webm\nAccept-Ranges: bytes\n"
            L"Content-Range: bytes 2-4/10\nContent-Length: 3");
  EXPECT_EQ(Read(part->content.get()).first, "234");
  part->content->AddRef();
  EXPECT_EQ(part->content->Release(), 1u);  // the response's reference alone
  Response* unsatisfiable = Answer(L"https://app.corvane.invalid/clip.webm", L"bytes=10-");
  ASSERT_TRUE(unsatisfiable);
  EXPECT_EQ(unsatisfiable->status, 416);
  EXPECT_FALSE(unsatisfiable->content);
  // URIs shorter than the base address are no app path.
  for (const wchar_t* uri : {L"https://app.corvane.invalid", L""}) {
    Response* response = Answer(uri);
    ASSERT_TRUE(response && response->content);
    EXPECT_EQ(response->status, 404);
    EXPECT_EQ(Read(response->content.get()).first, "File not found");
  }
}

const std::string kBytes = "0123456789";

// A stream over `text`, which `owner` keeps (none: `text` outlives every stream).
ComRef<IStream> StreamOver(const std::string& text, std::shared_ptr<const void> owner = nullptr) {
  return CreateViewStream(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(),
                          std::move(owner));
}

std::uint64_t SeekTo(IStream* stream, std::int64_t offset, DWORD origin, HRESULT expected = S_OK) {
  ULARGE_INTEGER position{.QuadPart = 777};
  EXPECT_EQ(stream->Seek(LARGE_INTEGER{.QuadPart = offset}, origin, &position), expected)
      << offset << " from " << origin;
  return position.QuadPart;
}

std::uint64_t PositionOf(IStream* stream) { return SeekTo(stream, 0, STREAM_SEEK_CUR); }

ComRef<IUnknown> Query(IUnknown* object, const IID& iid) {
  ComRef<IUnknown> found;
  object->QueryInterface(iid, reinterpret_cast<void**>(found.Put()));
  return found;
}

IUnknown* Identity(IUnknown* object) { return Query(object, IID_IUnknown).get(); }

TEST(ViewStreamTest, ReadsSeeksClonesAndCopiesLikeAReadOnlyStream) {
  const ComRef<IStream> stream = StreamOver(kBytes);
  ASSERT_TRUE(stream);
  IStream* s = stream.get();
  EXPECT_EQ(Read(s, 4), std::make_pair(std::string("0123"), S_OK));
  EXPECT_EQ(Read(s, 0), std::make_pair(std::string(), S_OK));
  EXPECT_EQ(Read(s, 100), std::make_pair(std::string("456789"), S_OK));  // partial: up to the end
  EXPECT_EQ(Read(s, 1), std::make_pair(std::string(), S_FALSE));         // at the end: nothing
  ULONG ignored;
  EXPECT_EQ(s->Read(nullptr, 1, &ignored), STG_E_INVALIDPOINTER);

  EXPECT_EQ(SeekTo(s, -3, STREAM_SEEK_END), 7u);
  EXPECT_EQ(Read(s, 2).first, "78");
  EXPECT_EQ(SeekTo(s, -9, STREAM_SEEK_CUR), 0u);
  EXPECT_EQ(SeekTo(s, 25, STREAM_SEEK_SET), 25u);  // past the end: allowed, reads nothing
  EXPECT_EQ(Read(s, 4), std::make_pair(std::string(), S_FALSE));
  EXPECT_EQ(PositionOf(s), 25u);
  // Before the start, or an unknown origin: refused, the position unchanged.
  EXPECT_EQ(SeekTo(s, -26, STREAM_SEEK_CUR, STG_E_INVALIDFUNCTION), 777u);
  EXPECT_EQ(SeekTo(s, -11, STREAM_SEEK_END, STG_E_INVALIDFUNCTION), 777u);
  EXPECT_EQ(SeekTo(s, 0, 3, STG_E_INVALIDFUNCTION), 777u);
  EXPECT_EQ(PositionOf(s), 25u);
  EXPECT_EQ(SeekTo(s, -1, STREAM_SEEK_SET), ~std::uint64_t(0));  // absolute offsets are unsigned
  EXPECT_EQ(s->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr), S_OK);

  STATSTG stat;
  ASSERT_EQ(s->Stat(&stat, STATFLAG_DEFAULT), S_OK);
  EXPECT_EQ(stat.cbSize.QuadPart, 10u);
  EXPECT_EQ(stat.type, DWORD(STGTY_STREAM));
  EXPECT_EQ(stat.pwcsName, nullptr);
  EXPECT_EQ(stat.grfMode, DWORD(STGM_READ));

  // Read-only: nothing can be written, resized or locked.
  ULONG none = 5;
  EXPECT_EQ(s->Write("x", 1, &none), STG_E_ACCESSDENIED);
  EXPECT_EQ(none, 0u);
  EXPECT_EQ(s->SetSize(ULARGE_INTEGER{}), STG_E_ACCESSDENIED);
  EXPECT_EQ(s->LockRegion(ULARGE_INTEGER{}, ULARGE_INTEGER{}, LOCK_WRITE), STG_E_INVALIDFUNCTION);
  EXPECT_EQ(PositionOf(s), 0u);
  EXPECT_EQ(Read(s, 10).first, kBytes);

  // An empty body is a stream at its end.
  const ComRef<IStream> empty = CreateViewStream(nullptr, 0, nullptr);
  ASSERT_TRUE(empty);
  EXPECT_EQ(Read(empty.get(), 8), std::make_pair(std::string(), S_FALSE));

  // Clones and copies keep their own positions.
  SeekTo(s, 3, STREAM_SEEK_SET);
  ComRef<IStream> clone;
  ASSERT_EQ(stream->Clone(clone.Put()), S_OK);
  ASSERT_TRUE(clone);
  EXPECT_NE(Identity(clone.get()), Identity(stream.get()));
  EXPECT_EQ(PositionOf(clone.get()), 3u);
  EXPECT_EQ(Read(clone.get(), 2).first, "34");
  EXPECT_EQ(PositionOf(stream.get()), 3u);  // the original did not move
  EXPECT_EQ(Read(stream.get(), 1).first, "3");
  EXPECT_EQ(SeekTo(clone.get(), 40, STREAM_SEEK_SET), 40u);  // a clone past the end clones too
  ComRef<IStream> late;
  ASSERT_EQ(clone->Clone(late.Put()), S_OK);
  EXPECT_EQ(PositionOf(late.get()), 40u);

  // CopyTo: up to the count asked for, from the position, which moves past it.
  const ComRef<IStream> target = ComRef<IStream>::Adopt(SHCreateMemStream(nullptr, 0));
  ULARGE_INTEGER count, read, written;
  count.QuadPart = 3;
  ASSERT_EQ(stream->CopyTo(target.get(), count, &read, &written), S_OK);
  EXPECT_EQ(read.QuadPart, 3u);
  EXPECT_EQ(written.QuadPart, 3u);
  count.QuadPart = 100;
  ASSERT_EQ(stream->CopyTo(target.get(), count, &read, &written), S_OK);
  EXPECT_EQ(written.QuadPart, 3u);
  SeekTo(target.get(), 0, STREAM_SEEK_SET);
  EXPECT_EQ(Read(target.get(), 100).first, "456789");
  EXPECT_EQ(Read(stream.get(), 1), std::make_pair(std::string(), S_FALSE));
}

TEST(ViewStreamTest, IsOneFreeThreadedObjectThatHoldsItsOwnerUntilTheLastRelease) {
  auto owner = std::make_shared<const std::string>(kBytes);
  const std::weak_ptr<const std::string> firstOwner = owner;
  ComRef<IStream> stream = StreamOver(*owner, owner);
  owner.reset();
  ASSERT_TRUE(stream);
  IUnknown* self = Identity(stream.get());
  // IStream, ISequentialStream, IAgileObject and IMarshal, with the IDs as published.
  for (const wchar_t* iid :
       {L"{0000000C-0000-0000-C000-000000000046}", L"{0C733A30-2A1C-11CE-ADE5-00AA0044773D}",
        L"{94EA2B94-E9CC-49E0-C0FF-EE64CA8F5B90}", L"{00000003-0000-0000-C000-000000000046}"}) {
    SCOPED_TRACE(testing::PrintToString(iid));
    IID id{};
    IIDFromString(iid, &id);
    const ComRef<IUnknown> found = Query(stream.get(), id);
    ASSERT_TRUE(found);
    EXPECT_EQ(Identity(found.get()), self);
  }
  EXPECT_FALSE(Query(stream.get(), IID_IPersistStream));

  // Many threads share the position and the count: each byte is read once, and the last
  // release, wherever it happens, lets go of the owner, clones included. (Reads in another
  // apartment, not through a proxy, are played end to end in tests/wine/stream_scenarios.py.)
  EXPECT_FALSE(firstOwner.expired());
  owner = std::make_shared<const std::string>(1 << 16, 'b');
  const std::weak_ptr<const std::string> sharedOwner = owner;
  stream = StreamOver(*owner, owner);
  EXPECT_TRUE(firstOwner.expired());
  owner.reset();
  ComRef<IStream> clone;
  ASSERT_EQ(stream->Clone(clone.Put()), S_OK);
  std::atomic<std::uint64_t> total{0};
  std::vector<std::thread> readers;
  for (int i = 0; i < 4; ++i) {
    IStream* mine = stream.get();
    mine->AddRef();
    readers.emplace_back([mine, &total] {
      for (std::string piece; !(piece = Read(mine, 7).first).empty();) {
        EXPECT_EQ(piece, std::string(piece.size(), 'b'));
        total += piece.size();
        mine->AddRef();
        mine->Release();
      }
      mine->Release();
    });
  }
  for (std::thread& reader : readers) reader.join();
  EXPECT_EQ(total, 1u << 16);
  stream.Reset();
  EXPECT_FALSE(sharedOwner.expired());
  EXPECT_EQ(Read(clone.get(), 3).first, "bbb");
  std::thread([&clone] { clone.Reset(); }).join();
  EXPECT_TRUE(sharedOwner.expired());
}

}  // namespace
}  // namespace corvane
