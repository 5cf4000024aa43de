// Response bodies read as the browser reads them: on a worker thread of its own, in the
// multithreaded apartment, from the stream marshaled there, after the handler has returned.

#include <objbase.h>

#include <cstdint>
#include <memory>

#include "tests/wine/runtime/runtime.h"

namespace corvane::test_runtime {

namespace {

constexpr DWORD kFinishTimeoutMs = 5000;
constexpr ULONG kFirstPiece = 4096;

struct HeldRead {
  std::wstring uri;
  IStream* marshaled = nullptr;  // the worker takes it over
  std::uintptr_t identity = 0;   // the object the shell handed over, as a number
  HANDLE thread = nullptr;
  // Written by the worker, read once it has ended.
  HRESULT unmarshal = S_OK;
  bool direct = false;
  ULONG early = 0;
  std::string bytes;
  bool complete = false;
};

// Set once the shell has let go of its controller; never reset.
HANDLE TeardownEvent() {
  static HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  return event;
}

std::vector<std::unique_ptr<HeldRead>>& Held() {
  static auto* held = new std::vector<std::unique_ptr<HeldRead>>;
  return *held;
}

std::uintptr_t IdentityOf(IUnknown* object) {
  IUnknown* identity = nullptr;
  object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
  if (identity) identity->Release();
  return reinterpret_cast<std::uintptr_t>(identity);
}

DWORD WINAPI Worker(void* parameter) {
  auto* held = static_cast<HeldRead*>(parameter);
  CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  IStream* stream = nullptr;
  held->unmarshal = CoGetInterfaceAndReleaseStream(held->marshaled, IID_IStream,
                                                   reinterpret_cast<void**>(&stream));
  if (SUCCEEDED(held->unmarshal) && stream) {
    held->direct = IdentityOf(stream) == held->identity;
    char first[kFirstPiece];
    if (SUCCEEDED(stream->Read(first, kFirstPiece, &held->early))) {
      held->bytes.assign(first, held->early);
    }
    WaitForSingleObject(TeardownEvent(), INFINITE);
    held->complete = ReadWholeStream(stream, held->bytes);
    stream->Release();
  }
  CoUninitialize();
  return 0;
}

}  // namespace

void ReadOnWorker(const std::wstring& uri, IStream* content) {
  auto held = std::make_unique<HeldRead>();
  held->uri = uri;
  held->identity = IdentityOf(content);
  const HRESULT marshaled =
      CoMarshalInterThreadInterfaceInStream(IID_IStream, content, &held->marshaled);
  if (SUCCEEDED(marshaled)) {
    held->thread = CreateThread(nullptr, 0, Worker, held.get(), 0, nullptr);
  }
  if (!held->thread) {
    Log("held-body", {{"uri", Utf8(uri)}, {"result", "marshal-" + HexHr(marshaled)}});
    return;
  }
  Held().push_back(std::move(held));
}

void FinishHeldReads() {
  if (Held().empty()) return;
  SetEvent(TeardownEvent());
  const ULONGLONG deadline = GetTickCount64() + kFinishTimeoutMs;
  for (std::unique_ptr<HeldRead>& held : Held()) {
    const ULONGLONG now = GetTickCount64();
    const DWORD left = now < deadline ? static_cast<DWORD>(deadline - now) : 0;
    if (WaitForSingleObject(held->thread, left) != WAIT_OBJECT_0) {
      // A stream that needs this thread to be read never finishes while it waits here.
      Log("held-body", {{"uri", Utf8(held->uri)}, {"result", "timeout"}});
      held.release();  // the worker may still write to it
      continue;
    }
    CloseHandle(held->thread);
    std::string result = held->complete ? "read" : "read-error";
    if (FAILED(held->unmarshal)) result = "unmarshal-" + HexHr(held->unmarshal);
    Log("held-body", {{"uri", Utf8(held->uri)},
                      {"result", result},
                      {"direct", held->direct ? "1" : "0"},
                      {"early", std::to_string(held->early)},
                      {"bodyLength", std::to_string(held->bytes.size())},
                      {"bodyFnv", Fnv1a64(held->bytes)}});
  }
  Held().clear();
}

}  // namespace corvane::test_runtime
