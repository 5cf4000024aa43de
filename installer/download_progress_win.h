#pragma once
// The download's status callback: moves the progress bar and notes the server's HTTP status.

#include <windows.h>
#include <urlmon.h>

#include <cstdint>

#include "installer/download_check.h"

namespace corvane {

// Lives on the downloading thread's stack for one download, so it counts no references and never
// frees itself. The IBindStatusCallback table comes first (its eleven slots are the object's own
// table); IHttpNegotiate is handed out only so the response status can be seen, because a
// download service saves an error page as happily as the file that was asked for.
// COM interfaces have no virtual destructor by design (objects are released, never deleted
// through them), and a virtual one here would add a slot to the table.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif
class DownloadProgress final : public IBindStatusCallback, public IHttpNegotiate {
 public:
  explicit DownloadProgress(HWND progressBar) : progressBar_(progressBar) {}

  DownloadProgress(const DownloadProgress&) = delete;
  DownloadProgress& operator=(const DownloadProgress&) = delete;

  // The last status the server answered with; kNoHttpStatus until an answer has been seen.
  std::int32_t httpStatus() const { return httpStatus_; }

  // IUnknown: hands out IHttpNegotiate only; other interfaces get E_NOINTERFACE and nothing is
  // written to `object`.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IBindStatusCallback
  HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD reserved, IBinding* binding) override;
  HRESULT STDMETHODCALLTYPE GetPriority(LONG* priority) override;
  HRESULT STDMETHODCALLTYPE OnLowResource(DWORD reserved) override;
  HRESULT STDMETHODCALLTYPE OnProgress(ULONG progress, ULONG progressMax, ULONG statusCode,
                                       LPCWSTR statusText) override;
  HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT result, LPCWSTR error) override;
  HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* flags, BINDINFO* info) override;
  HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD flags, DWORD size, FORMATETC* format,
                                            STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID iid, IUnknown* object) override;

  // IHttpNegotiate: adds no request headers; records the response status.
  HRESULT STDMETHODCALLTYPE BeginningTransaction(LPCWSTR url, LPCWSTR headers, DWORD reserved,
                                                 LPWSTR* additionalHeaders) override;
  HRESULT STDMETHODCALLTYPE OnResponse(DWORD responseCode, LPCWSTR responseHeaders,
                                       LPCWSTR requestHeaders,
                                       LPWSTR* additionalRequestHeaders) override;

 private:
  HWND progressBar_;
  std::int32_t httpStatus_ = kNoHttpStatus;
};
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

}  // namespace corvane
