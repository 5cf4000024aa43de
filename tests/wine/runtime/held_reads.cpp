// Response bodies read as the browser reads them: on a worker thread in the multithreaded
// apartment, from the stream marshaled there, after the handler has returned.

#include <objbase.h>

#include <memory>

#include "tests/wine/runtime/runtime.h"

namespace corvane::test_runtime {

namespace {

struct HeldRead {
  std::wstring uri;
  IStream* marshaled = nullptr;  // the worker takes it over
  IUnknown* identity = nullptr;  // the object the shell handed over, only compared
  HANDLE thread = nullptr;
  // Written by the worker, read once it has ended.
  bool direct = false;
  ULONG early = 0;
  std::string bytes;
  bool complete = false;
};

// Set once the shell has let go of its controller; never reset.
HANDLE g_teardown = CreateEventW(nullptr, TRUE, FALSE, nullptr);
std::vector<std::unique_ptr<HeldRead>>* g_held = new std::vector<std::unique_ptr<HeldRead>>;

IUnknown* IdentityOf(IUnknown* object) {
  IUnknown* identity = nullptr;
  object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
  if (identity) identity->Release();
  return identity;
}

DWORD WINAPI Worker(void* parameter) {
  auto* held = static_cast<HeldRead*>(parameter);
  CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  IStream* stream = nullptr;
  if (SUCCEEDED(CoGetInterfaceAndReleaseStream(held->marshaled, IID_IStream,
                                               reinterpret_cast<void**>(&stream)))) {
    held->direct = IdentityOf(stream) == held->identity;
    char first[4096];
    if (SUCCEEDED(stream->Read(first, sizeof first, &held->early))) {
      held->bytes.assign(first, held->early);
    }
    WaitForSingleObject(g_teardown, INFINITE);
    held->complete = ReadWholeStream(stream, held->bytes);
    stream->Release();
  }
  CoUninitialize();
  return 0;
}

}  // namespace

bool ReadWholeStream(IStream* stream, std::string& bytes) {
  char buffer[65536];
  for (;;) {
    ULONG got = 0;
    const HRESULT hr = stream->Read(buffer, sizeof buffer, &got);
    if (FAILED(hr)) return false;
    bytes.append(buffer, got);
    if (got == 0 || hr == S_FALSE) return true;
  }
}

void ReadOnWorker(const std::wstring& uri, IStream* content) {
  auto held = std::make_unique<HeldRead>();
  held->uri = uri;
  held->identity = IdentityOf(content);
  // A stream that cannot be marshaled logs no "held-body" at all.
  if (SUCCEEDED(CoMarshalInterThreadInterfaceInStream(IID_IStream, content, &held->marshaled))) {
    held->thread = CreateThread(nullptr, 0, Worker, held.get(), 0, nullptr);
  }
  if (held->thread) g_held->push_back(std::move(held));
}

void FinishHeldReads() {
  if (g_held->empty()) return;
  SetEvent(g_teardown);
  for (std::unique_ptr<HeldRead>& held : *g_held) {
    // A stream that needs this thread to be read hangs the shell here, until the runner ends it.
    WaitForSingleObject(held->thread, INFINITE);
    CloseHandle(held->thread);
    Log("held-body", {{"uri", Utf8(held->uri)},
                      {"result", held->complete ? "read" : "read-error"},
                      {"direct", held->direct ? "1" : "0"},
                      {"early", std::to_string(held->early)},
                      {"bodyHex", HexBytes(held->bytes)}});
  }
  g_held->clear();
}

}  // namespace corvane::test_runtime
