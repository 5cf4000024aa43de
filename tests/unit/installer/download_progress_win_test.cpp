#include "installer/download_progress_win.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

// Only IHttpNegotiate is handed out; it records the last status.
TEST(DownloadProgress, NegotiatesHttpOnlyToRecordTheLastStatus) {
  DownloadProgress progress(nullptr);
  IBindStatusCallback* callback = &progress;
  void* const untouched = reinterpret_cast<void*>(0x1234);
  for (const IID* iid : {&IID_IUnknown, &IID_IAuthenticate}) {
    void* object = untouched;
    EXPECT_EQ(callback->QueryInterface(*iid, &object), E_NOINTERFACE);
    EXPECT_EQ(object, untouched);
  }
  void* object = nullptr;
  ASSERT_EQ(callback->QueryInterface(IID_IHttpNegotiate, &object), S_OK);
  EXPECT_EQ(object, static_cast<IHttpNegotiate*>(&progress));

  EXPECT_EQ(progress.httpStatus(), kNoHttpStatus);
  IHttpNegotiate* negotiate = &progress;
  // The last status counts, and one beyond any HTTP status is no success.
  EXPECT_EQ(negotiate->OnResponse(200, L"HTTP/1.1 200 OK\r\n", nullptr, nullptr), S_OK);
  EXPECT_EQ(progress.httpStatus(), 200);
  EXPECT_EQ(negotiate->OnResponse(0xFFFFFFFFu, nullptr, nullptr, nullptr), S_OK);
  EXPECT_GE(progress.httpStatus(), 400);
}

}  // namespace
}  // namespace corvane
