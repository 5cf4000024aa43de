#include "webview2/resource_stream_win.h"

#include <shlwapi.h>

#include <optional>

#include "base/com_ref_win.h"
#include "base/text_path.h"
#include "base/text_win.h"
#include "content/view_stream_win.h"

namespace corvane {
namespace {

ResourceAnswer AnswerRequest(ICoreWebView2WebResourceRequestedEventArgs* args,
                             const std::string& baseUrl, ResourceResponder& responder) {
  ComRef<ICoreWebView2WebResourceRequest> request;
  args->get_Request(request.Put());
  if (!request) return NotFoundAnswer();

  CoTaskText uri;
  request->get_Uri(uri.Put());
  const std::string uriText = uri ? ToUtf8(uri.get()) : std::string();

  std::optional<std::string> range;
  ComRef<ICoreWebView2HttpRequestHeaders> headers;
  request->get_Headers(headers.Put());
  BOOL hasRange = FALSE;
  if (headers && SUCCEEDED(headers->Contains(L"Range", &hasRange)) && hasRange) {
    CoTaskText value;
    headers->GetHeader(L"Range", value.Put());
    range = value ? ToUtf8(value.get()) : std::string();
  }

  // The request filter only lets URIs under baseUrl through; anything shorter is no app path.
  if (uriText.size() < baseUrl.size()) return NotFoundAnswer();
  return responder.AnswerUriTail(std::string_view(uriText).substr(baseUrl.size()), range);
}

}  // namespace

ComRef<IStream> BodyStream(ResourceAnswer& answer) {
  ComRef<IStream> stream;
  switch (answer.body) {
    case ResourceAnswer::BodyKind::None:
      return stream;
    case ResourceAnswer::BodyKind::Bytes:
      // Read in place, by the runtime's own threads and maybe after the responder is gone.
      stream = CreateViewStream(answer.data, answer.size, answer.dataOwner);
      break;
    case ResourceAnswer::BodyKind::WholeFile: {
      const std::wstring path = ToExtendedPath(ToWide(answer.filePath));
      SHCreateStreamOnFileEx(path.c_str(), STGM_READ, 0, FALSE, nullptr, stream.Put());
      // The file may have changed since it was measured.
      STATSTG status{};
      if (stream && (FAILED(stream->Stat(&status, STATFLAG_NONAME)) ||
                     status.cbSize.QuadPart != answer.size)) {
        stream.Reset();
      }
      break;
    }
  }
  if (!stream) answer.FailWithoutBody();
  return stream;
}

HRESULT HandleResourceRequest(ICoreWebView2WebResourceRequestedEventArgs* args,
                              ICoreWebView2Environment* environment, const std::string& baseUrl,
                              ResourceResponder& responder) {
  try {
    if (!args || !environment) return S_OK;
    ResourceAnswer answer = AnswerRequest(args, baseUrl, responder);
    const ComRef<IStream> body = BodyStream(answer);
    const std::wstring reason = ToWide(answer.reason);
    const std::wstring headerBlock = ToWide(answer.HeaderBlock());
    ComRef<ICoreWebView2WebResourceResponse> response;
    environment->CreateWebResourceResponse(body.get(), answer.status, reason.c_str(),
                                           headerBlock.c_str(), response.Put());
    if (response) args->put_Response(response.get());
  } catch (...) {
    // Out of memory at worst; the runtime then answers the request itself.
  }
  return S_OK;
}

}  // namespace corvane
