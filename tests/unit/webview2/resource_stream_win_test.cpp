// The COM objects the shell hands the runtime: the body streams of answers, over bundle bytes
// (positions are ViewCursor's, view_cursor_test.cpp) or a whole loose file, and the environment
// options. Answers that carry the streams are played end to end under Wine.

#include "content/view_stream_win.h"
#include "webview2/environment_options_win.h"
#include "webview2/resource_stream_win.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace corvane {
namespace {

// Reads `count` bytes, by default all that is left.
std::pair<std::string, HRESULT> Read(IStream* stream, ULONG count = 1 << 20) {
  std::string out(count, '?');
  ULONG got = 12345;
  const HRESULT result = stream->Read(out.data(), count, &got);
  out.resize(got);
  return {out, result};
}

const std::string kBytes = "0123456789";

ComRef<IStream> StreamOver(const std::string& text) {
  return CreateViewStream(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), nullptr);
}

std::uint64_t SeekTo(IStream* stream, std::int64_t offset, DWORD origin, HRESULT expected = S_OK) {
  ULARGE_INTEGER position{.QuadPart = 777};
  EXPECT_EQ(stream->Seek(LARGE_INTEGER{.QuadPart = offset}, origin, &position), expected)
      << offset << " from " << origin;
  return position.QuadPart;
}

std::uint64_t PositionOf(IStream* stream) { return SeekTo(stream, 0, STREAM_SEEK_CUR); }

// `object` as the interface `iid` names, or null.
template <class Interface = IUnknown>
ComRef<Interface> Query(IUnknown* object, const IID& iid = IidOf<Interface>()) {
  ComRef<Interface> found;
  object->QueryInterface(iid, reinterpret_cast<void**>(found.Put()));
  return found;
}

IUnknown* Identity(IUnknown* object) { return Query(object, IID_IUnknown).get(); }

// Reads to the end, in pieces and on worker threads, are played end to end (normal_run,
// worker_thread_reads); the browser may also seek and clone.
TEST(ViewStreamTest, SeeksAndClonesLikeAReadOnlyStream) {
  const ComRef<IStream> stream = StreamOver(kBytes);
  ASSERT_TRUE(stream);
  IStream* s = stream.get();

  // Each origin reaches the cursor as itself; a refused move leaves position and output alone.
  EXPECT_EQ(SeekTo(s, -3, STREAM_SEEK_END), 7u);
  EXPECT_EQ(SeekTo(s, -2, STREAM_SEEK_CUR), 5u);
  EXPECT_EQ(SeekTo(s, 25, STREAM_SEEK_SET), 25u);
  EXPECT_EQ(SeekTo(s, -26, STREAM_SEEK_CUR, STG_E_INVALIDFUNCTION), 777u);
  EXPECT_EQ(Read(s, 1), std::make_pair(std::string(), S_FALSE));  // past the end: nothing
  EXPECT_EQ(s->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr), S_OK);

  STATSTG stat;
  ASSERT_EQ(s->Stat(&stat, STATFLAG_DEFAULT), S_OK);
  EXPECT_EQ(stat.cbSize.QuadPart, 10u);
  EXPECT_EQ(stat.pwcsName, nullptr);

  // An empty body is a stream at its end.
  const ComRef<IStream> empty = CreateViewStream(nullptr, 0, nullptr);
  ASSERT_TRUE(empty);
  EXPECT_EQ(Read(empty.get(), 8), std::make_pair(std::string(), S_FALSE));

  // A clone keeps a position of its own.
  SeekTo(s, 3, STREAM_SEEK_SET);
  ComRef<IStream> clone;
  ASSERT_EQ(stream->Clone(clone.Put()), S_OK);
  EXPECT_EQ(PositionOf(clone.get()), 3u);
  EXPECT_EQ(Read(clone.get(), 2).first, "34");
  EXPECT_EQ(PositionOf(stream.get()), 3u);  // the original did not move
}

// That the stream keeps its owner until the last release is played end to end: worker_thread_reads
// reads its bodies after the shell has let go of them.
TEST(ViewStreamTest, IsOneFreeThreadedObjectReadByManyThreadsAtOnce) {
  const std::string bytes(1 << 16, 'b');
  const ComRef<IStream> stream = StreamOver(bytes);
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

  // The threads share the position and the count: each byte is read once.
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
}

TEST(BodyStream, AWholeFileOfAnotherLengthThanMeasuredIsA500WithoutALength) {
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "corvane_body.bin";
  std::ofstream(file, std::ios::binary) << kBytes;
  for (const std::uint64_t measured : {10u, 12u, 8u}) {
    ResourceAnswer answer;
    answer.status = 200;
    answer.headers = {"Cache-Control: no-store", "Content-Length: " + std::to_string(measured)};
    answer.body = ResourceAnswer::BodyKind::WholeFile;
    answer.filePath = file.string();
    answer.size = measured;
    const ComRef<IStream> body = BodyStream(answer);
    if (measured == kBytes.size()) {
      ASSERT_TRUE(body);
      EXPECT_EQ(Read(body.get()).first, kBytes);
    } else {
      EXPECT_FALSE(body) << measured;
      EXPECT_EQ(answer.status, 500);
      EXPECT_EQ(answer.HeaderBlock(), "Cache-Control: no-store");
    }
  }
  std::filesystem::remove(file);
}

// The texts the shell sets, and that IUnknown is offered, are read back through this object end to
// end (normal_run and configured_apps in tests/wine/scenarios.py).
TEST(EnvironmentOptions, EveryLevelIsOneObjectThatLivesUntilTheLastReference) {
  auto options = EnvironmentOptions::Create();
  ASSERT_TRUE(Query<ICoreWebView2EnvironmentOptions8>(options.get()));  // released at once
  // The one reference Create handed over; the query's own went back with it.
  EXPECT_EQ(options->AddRef(), 2u);
  EXPECT_EQ(options->Release(), 1u);

  const auto options5 = Query<ICoreWebView2EnvironmentOptions5>(options.get());
  ASSERT_TRUE(options5);
  EXPECT_EQ(Identity(options5.get()), Identity(options.get()));
  EXPECT_EQ(Query<ICoreWebView2EnvironmentOptions>(options5.get()).get(), options.get());
  // Setting through one level is seen through another.
  Query<ICoreWebView2EnvironmentOptions2>(options5.get())->put_ExclusiveUserDataFolderAccess(TRUE);
  BOOL flag = FALSE;
  Query<ICoreWebView2EnvironmentOptions2>(options.get())->get_ExclusiveUserDataFolderAccess(&flag);
  EXPECT_EQ(flag, TRUE);
  void* other = reinterpret_cast<void*>(1);
  EXPECT_EQ(options->QueryInterface(IidOf<ICoreWebView2Environment>(), &other), E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);
}

}  // namespace
}  // namespace corvane
