#include "content/view_stream_win.h"

#include <algorithm>
#include <mutex>
#include <new>
#include <utility>

#include "base/com_handler_win.h"
#include "content/view_cursor.h"

namespace corvane {

template <>
struct InterfaceId<IStream> {
  static constexpr const IID& value = IID_IStream;
};
template <>
struct InterfaceId<IAgileObject> {
  static constexpr const IID& value = IID_IAgileObject;
};

namespace {

class ViewStream final : public ComObject<ViewStream, IStream, IAgileObject> {
 public:
  // A stream with one reference owned by the caller and its own free-threaded marshaler; null
  // when either cannot be made.
  static ComRef<IStream> Create(const ViewCursor& cursor, std::shared_ptr<const void> owner) {
    auto* stream = new (std::nothrow) ViewStream(cursor, std::move(owner));
    if (!stream) return {};
    ComRef<IStream> result = ComRef<IStream>::Adopt(stream);
    if (FAILED(CoCreateFreeThreadedMarshaler(static_cast<IStream*>(stream), &stream->marshaler_))) {
      return {};
    }
    return result;
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override {
    if (result && IsEqualIID(iid, IID_ISequentialStream)) {
      *result = static_cast<ISequentialStream*>(this);
      AddRef();
      return S_OK;
    }
    // The marshaler hands other apartments this very object instead of a proxy to this one.
    if (result && IsEqualIID(iid, IID_IMarshal)) return marshaler_->QueryInterface(iid, result);
    return ComObject::QueryInterface(iid, result);
  }

  HRESULT STDMETHODCALLTYPE Read(void* out, ULONG count, ULONG* read) override {
    if (!out && count) return STG_E_INVALIDPOINTER;
    std::size_t got;
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      got = cursor_.Read(out, count);
    }
    if (read) *read = ULONG(got);
    // As the system's memory streams do: S_FALSE only when nothing is left to read.
    return got == 0 && count > 0 ? S_FALSE : S_OK;
  }

  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin,
                                 ULARGE_INTEGER* newPosition) override {
    ViewCursor::Origin from;
    switch (origin) {
      case STREAM_SEEK_SET:
        from = ViewCursor::Origin::Begin;
        break;
      case STREAM_SEEK_CUR:
        from = ViewCursor::Origin::Current;
        break;
      case STREAM_SEEK_END:
        from = ViewCursor::Origin::End;
        break;
      default:
        return STG_E_INVALIDFUNCTION;
    }
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto position = cursor_.Seek(move.QuadPart, from);
    if (!position) return STG_E_INVALIDFUNCTION;
    if (newPosition) newPosition->QuadPart = *position;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD) override {
    if (!stat) return STG_E_INVALIDPOINTER;
    *stat = STATSTG{};  // no name, times or class
    stat->type = STGTY_STREAM;
    stat->cbSize.QuadPart = cursor_.size();
    stat->grfMode = STGM_READ;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Clone(IStream** clone) override {
    if (!clone) return STG_E_INVALIDPOINTER;
    ViewCursor at(nullptr, 0);
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      at = cursor_;
    }
    ComRef<IStream> made = Create(at, owner_);
    *clone = made.get();
    if (!made) return E_OUTOFMEMORY;
    made->AddRef();
    return S_OK;
  }

  // Writes straight from the view; the position moves past what the target took.
  HRESULT STDMETHODCALLTYPE CopyTo(IStream* target, ULARGE_INTEGER count, ULARGE_INTEGER* read,
                                   ULARGE_INTEGER* written) override {
    if (!target) return STG_E_INVALIDPOINTER;
    const std::lock_guard<std::mutex> lock(mutex_);
    std::uint64_t left = count.QuadPart, copied = 0;
    HRESULT result = S_OK;
    while (left > 0 && cursor_.Remaining() > 0) {
      const ULONG piece = ULONG(std::min<std::uint64_t>({left, cursor_.Remaining(), 1u << 30}));
      ULONG took = 0;
      result = target->Write(cursor_.Current(), piece, &took);
      took = std::min(took, piece);
      cursor_.Skip(took);
      copied += took;
      left -= took;
      if (FAILED(result) || took < piece) break;
    }
    if (read) read->QuadPart = copied;
    if (written) written->QuadPart = copied;
    return FAILED(result) ? result : S_OK;
  }

  HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG* written) override {
    if (written) *written = 0;
    return STG_E_ACCESSDENIED;
  }
  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return STG_E_ACCESSDENIED; }
  // Nothing is ever buffered or transacted.
  HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Revert() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return STG_E_INVALIDFUNCTION;
  }
  HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return STG_E_INVALIDFUNCTION;
  }

  ~ViewStream() {
    if (marshaler_) marshaler_->Release();
  }

 private:
  ViewStream(const ViewCursor& cursor, std::shared_ptr<const void> owner)
      : cursor_(cursor), owner_(std::move(owner)) {}

  std::mutex mutex_;  // guards cursor_'s position
  ViewCursor cursor_;
  std::shared_ptr<const void> owner_;  // keeps the bytes under cursor_ valid
  IUnknown* marshaler_ = nullptr;      // the free-threaded marshaler's inner unknown
};

}  // namespace

ComRef<IStream> CreateViewStream(const std::uint8_t* data, std::uint64_t size,
                                 std::shared_ptr<const void> owner) {
  return ViewStream::Create(ViewCursor(data, size), std::move(owner));
}

}  // namespace corvane
