#include "installer/download_progress_win.h"

#include <commctrl.h>

#include <climits>

#include "installer/progress_math.h"

namespace corvane {

HRESULT DownloadProgress::QueryInterface(REFIID iid, void** object) {
  if (object != nullptr && IsEqualIID(iid, IID_IHttpNegotiate)) {
    *object = static_cast<IHttpNegotiate*>(this);
    return S_OK;
  }
  return E_NOINTERFACE;
}

ULONG DownloadProgress::AddRef() { return 1; }
ULONG DownloadProgress::Release() { return 1; }

HRESULT DownloadProgress::OnStartBinding(DWORD, IBinding*) { return E_NOTIMPL; }
HRESULT DownloadProgress::GetPriority(LONG*) { return E_NOTIMPL; }
HRESULT DownloadProgress::OnLowResource(DWORD) { return S_OK; }

HRESULT DownloadProgress::OnProgress(ULONG progress, ULONG progressMax, ULONG, LPCWSTR) {
  // The total is 0 until the size is known (and stays 0 when the server never sends one).
  if (progressMax == 0) return S_OK;
  // Sent, not posted: the UI thread is pumping, and once the window is gone this fails at once.
  SendMessageW(progressBar_, PBM_SETPOS,
               static_cast<WPARAM>(ProgressPosition(progress, progressMax)), 0);
  return S_OK;
}

HRESULT DownloadProgress::OnStopBinding(HRESULT, LPCWSTR) { return E_NOTIMPL; }
HRESULT DownloadProgress::GetBindInfo(DWORD*, BINDINFO*) { return E_NOTIMPL; }
HRESULT DownloadProgress::OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) {
  return E_NOTIMPL;
}
HRESULT DownloadProgress::OnObjectAvailable(REFIID, IUnknown*) { return E_NOTIMPL; }

HRESULT DownloadProgress::BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* additionalHeaders) {
  if (additionalHeaders != nullptr) *additionalHeaders = nullptr;
  return S_OK;
}

HRESULT DownloadProgress::OnResponse(DWORD responseCode, LPCWSTR, LPCWSTR,
                                     LPWSTR* additionalRequestHeaders) {
  if (additionalRequestHeaders != nullptr) *additionalRequestHeaders = nullptr;
  // Redirects may report more than once; the last answer is the one whose body was saved.
  httpStatus_ = responseCode > static_cast<DWORD>(INT32_MAX)
                    ? INT32_MAX
                    : static_cast<std::int32_t>(responseCode);
  return S_OK;
}

}  // namespace corvane
