#include "installer/download_progress_win.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

// Only IHttpNegotiate is handed out (the 404-with-program install needs it); the last counts.
TEST(DownloadProgress, NegotiatesHttpOnlyToRecordTheLastStatus) {
  DownloadProgress progress(nullptr);
  IBindStatusCallback* callback = &progress;
  void* const untouched = reinterpret_cast<void*>(0x1234);
  for (const IID* iid : {&IID_IUnknown, &IID_IAuthenticate}) {
    void* object = untouched;
    EXPECT_EQ(callback->QueryInterface(*iid, &object), E_NOINTERFACE);
    EXPECT_EQ(object, untouched);
  }

  EXPECT_EQ(progress.httpStatus(), kNoHttpStatus);
  IHttpNegotiate* negotiate = &progress;
  // One beyond any HTTP status is no success.
  EXPECT_EQ(negotiate->OnResponse(200, L"HTTP/1.1 200 OK\r\n", nullptr, nullptr), S_OK);
  EXPECT_EQ(progress.httpStatus(), 200);
  EXPECT_EQ(negotiate->OnResponse(0xFFFFFFFFu, nullptr, nullptr, nullptr), S_OK);
  EXPECT_GE(progress.httpStatus(), 400);
}

}  // namespace
}  // namespace corvane
