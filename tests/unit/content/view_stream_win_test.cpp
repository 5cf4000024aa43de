// CreateViewStream: the IStream contract at every position, clones, the interfaces that make it
// free-threaded, and the owner it holds while any thread may still read.

#include "content/view_stream_win.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace corvane {
namespace {

const std::string kBytes = "0123456789";

// Bytes held by a shared owner that records when it is destroyed.
struct OwnedBytes {
  std::shared_ptr<const void> owner;
  const std::uint8_t* data;
  std::shared_ptr<std::atomic<bool>> destroyed = std::make_shared<std::atomic<bool>>(false);
};

OwnedBytes Owned(const std::string& text) {
  OwnedBytes bytes;
  auto flag = bytes.destroyed;
  auto* copy = new std::string(text);
  bytes.data = reinterpret_cast<const std::uint8_t*>(copy->data());
  bytes.owner = std::shared_ptr<const std::string>(copy, [flag](const std::string* s) {
    *flag = true;
    delete s;
  });
  return bytes;
}

ComRef<IStream> StreamOver(const std::string& text) {
  return CreateViewStream(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), nullptr);
}

// Reads `count` bytes; the text read and the result.
std::pair<std::string, HRESULT> Read(IStream* stream, ULONG count) {
  std::string out(count, '?');
  ULONG got = 12345;
  const HRESULT result = stream->Read(out.data(), count, &got);
  out.resize(got);
  return {out, result};
}

std::uint64_t SeekTo(IStream* stream, std::int64_t offset, DWORD origin, HRESULT expected = S_OK) {
  LARGE_INTEGER move;
  move.QuadPart = offset;
  ULARGE_INTEGER position;
  position.QuadPart = 777;
  EXPECT_EQ(stream->Seek(move, origin, &position), expected) << offset << " from " << origin;
  return position.QuadPart;
}

std::uint64_t PositionOf(IStream* stream) { return SeekTo(stream, 0, STREAM_SEEK_CUR); }

IID IidFrom(const wchar_t* text) {
  IID iid{};
  EXPECT_EQ(IIDFromString(text, &iid), S_OK);
  return iid;
}

ComRef<IUnknown> Query(IUnknown* object, const IID& iid) {
  ComRef<IUnknown> found;
  object->QueryInterface(iid, reinterpret_cast<void**>(found.Put()));
  return found;
}

// The identity of a COM object: its IUnknown pointer.
IUnknown* Identity(IUnknown* object) { return Query(object, IID_IUnknown).get(); }

TEST(ViewStreamTest, ReadsAndSeeksLikeAReadOnlyStream) {
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
  ULONG written = 5;
  EXPECT_EQ(s->Write("x", 1, &written), STG_E_ACCESSDENIED);
  EXPECT_EQ(written, 0u);
  EXPECT_EQ(s->SetSize(ULARGE_INTEGER{}), STG_E_ACCESSDENIED);
  EXPECT_EQ(s->LockRegion(ULARGE_INTEGER{}, ULARGE_INTEGER{}, LOCK_WRITE), STG_E_INVALIDFUNCTION);
  EXPECT_EQ(PositionOf(s), 0u);
  EXPECT_EQ(Read(s, 10).first, kBytes);

  // An empty body is a stream at its end.
  const ComRef<IStream> empty = CreateViewStream(nullptr, 0, nullptr);
  ASSERT_TRUE(empty);
  EXPECT_EQ(Read(empty.get(), 8), std::make_pair(std::string(), S_FALSE));
}

TEST(ViewStreamTest, ClonesAndCopiesKeepTheirOwnPositions) {
  const ComRef<IStream> stream = StreamOver(kBytes);
  SeekTo(stream.get(), 3, STREAM_SEEK_SET);
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
  OwnedBytes bytes = Owned(kBytes);
  ComRef<IStream> stream = CreateViewStream(bytes.data, kBytes.size(), bytes.owner);
  bytes.owner.reset();
  ASSERT_TRUE(stream);
  IUnknown* self = Identity(stream.get());
  // The IDs as published, not as any header spells them.
  const std::pair<const char*, const wchar_t*> interfaces[] = {
      {"IStream", L"{0000000C-0000-0000-C000-000000000046}"},
      {"ISequentialStream", L"{0C733A30-2A1C-11CE-ADE5-00AA0044773D}"},
      {"IAgileObject", L"{94EA2B94-E9CC-49E0-C0FF-EE64CA8F5B90}"},
      {"IMarshal", L"{00000003-0000-0000-C000-000000000046}"}};
  for (const auto& [name, iid] : interfaces) {
    SCOPED_TRACE(name);
    const ComRef<IUnknown> found = Query(stream.get(), IidFrom(iid));
    ASSERT_TRUE(found);
    EXPECT_EQ(Identity(found.get()), self);
  }
  EXPECT_FALSE(Query(stream.get(), IID_IPersistStream));

  // Marshaled to another apartment, the stream arrives as itself, not as a proxy, and reads
  // there while this thread does nothing for it.
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  IStream* marshaled = nullptr;
  ASSERT_EQ(CoMarshalInterThreadInterfaceInStream(IID_IStream, stream.get(), &marshaled), S_OK);
  std::string readThere;
  IUnknown* arrived = nullptr;
  std::thread([&] {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    IStream* there = nullptr;
    if (SUCCEEDED(CoGetInterfaceAndReleaseStream(marshaled, IID_IStream,
                                                 reinterpret_cast<void**>(&there)))) {
      arrived = Identity(there);
      readThere = Read(there, 100).first;
      there->Release();
    }
    CoUninitialize();
  }).join();
  EXPECT_EQ(arrived, self);
  EXPECT_EQ(readThere, kBytes);

  // Many threads share the position and the count: each byte is read once, and the last
  // release, wherever it happens, lets go of the owner, clones included.
  EXPECT_FALSE(*bytes.destroyed);
  const std::string big(1 << 16, 'b');
  OwnedBytes shared = Owned(big);
  stream = CreateViewStream(shared.data, big.size(), shared.owner);
  EXPECT_TRUE(*bytes.destroyed);
  shared.owner.reset();
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
  EXPECT_EQ(total, big.size());
  stream.Reset();
  EXPECT_FALSE(*shared.destroyed);
  EXPECT_EQ(Read(clone.get(), 3).first, "bbb");
  std::thread([&clone] { clone.Reset(); }).join();
  EXPECT_TRUE(*shared.destroyed);
  CoUninitialize();
}

}  // namespace
}  // namespace corvane
