#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "installer/download_progress_win.h"

namespace corvane {
namespace {

// A real progress bar with the installer's range, so OnProgress is seen through the control.
class ProgressBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS};
    ASSERT_TRUE(InitCommonControlsEx(&controls));
    bar_ = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_POPUP, 0, 0, 200, 20, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(bar_, nullptr);
    SendMessageW(bar_, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  }
  void TearDown() override {
    if (bar_) DestroyWindow(bar_);
  }
  int Position() const { return static_cast<int>(SendMessageW(bar_, PBM_GETPOS, 0, 0)); }

  HWND bar_ = nullptr;
};

TEST_F(ProgressBarTest, OnProgressMovesTheBarByPercentage) {
  DownloadProgress progress(bar_);
  IBindStatusCallback* callback = &progress;
  EXPECT_EQ(callback->OnProgress(1, 3, BINDSTATUS_DOWNLOADINGDATA, L""), S_OK);
  EXPECT_EQ(Position(), 33);
  EXPECT_EQ(callback->OnProgress(3000, 3000, BINDSTATUS_ENDDOWNLOADDATA, nullptr), S_OK);
  EXPECT_EQ(Position(), 100);
}

TEST_F(ProgressBarTest, OnProgressLeavesTheBarAloneWhileTheSizeIsUnknown) {
  DownloadProgress progress(bar_);
  IBindStatusCallback* callback = &progress;
  SendMessageW(bar_, PBM_SETPOS, 7, 0);
  EXPECT_EQ(callback->OnProgress(5000, 0, BINDSTATUS_DOWNLOADINGDATA, nullptr), S_OK);
  EXPECT_EQ(Position(), 7);
}

TEST(DownloadProgress, OnProgressToAWindowThatIsGoneStillSucceeds) {
  HWND bar = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(bar, nullptr);
  DestroyWindow(bar);
  DownloadProgress progress(bar);
  EXPECT_EQ(static_cast<IBindStatusCallback&>(progress).OnProgress(1, 2, 0, nullptr), S_OK);
}

TEST(DownloadProgress, HandsOutOnlyHttpNegotiateAndWritesNothingOtherwise) {
  DownloadProgress progress(nullptr);
  IBindStatusCallback* callback = &progress;
  void* const untouched = reinterpret_cast<void*>(0x1234);
  for (const IID* iid : {&IID_IUnknown, &IID_IBindStatusCallback, &IID_IServiceProvider,
                         &IID_IAuthenticate}) {
    void* object = untouched;
    EXPECT_EQ(callback->QueryInterface(*iid, &object), E_NOINTERFACE);
    EXPECT_EQ(object, untouched);
  }
  void* object = nullptr;
  ASSERT_EQ(callback->QueryInterface(IID_IHttpNegotiate, &object), S_OK);
  EXPECT_EQ(object, static_cast<IHttpNegotiate*>(&progress));
  EXPECT_EQ(callback->QueryInterface(IID_IHttpNegotiate, nullptr), E_NOINTERFACE);
}

TEST(DownloadProgress, CountsNoReferences) {
  DownloadProgress progress(nullptr);
  IBindStatusCallback* callback = &progress;
  IHttpNegotiate* negotiate = &progress;
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(callback->AddRef(), 1u);
    EXPECT_EQ(negotiate->AddRef(), 1u);
  }
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(callback->Release(), 1u);
    EXPECT_EQ(negotiate->Release(), 1u);
  }
}

TEST(DownloadProgress, OtherCallbacksAnswerAsTheDownloadServiceExpects) {
  DownloadProgress progress(nullptr);
  IBindStatusCallback* callback = &progress;
  LONG priority = 0;
  DWORD flags = 0;
  BINDINFO info{};
  EXPECT_EQ(callback->OnStartBinding(0, nullptr), E_NOTIMPL);
  EXPECT_EQ(callback->GetPriority(&priority), E_NOTIMPL);
  EXPECT_EQ(callback->OnLowResource(0), S_OK);
  EXPECT_EQ(callback->OnStopBinding(S_OK, nullptr), E_NOTIMPL);
  EXPECT_EQ(callback->GetBindInfo(&flags, &info), E_NOTIMPL);
  EXPECT_EQ(callback->OnDataAvailable(0, 0, nullptr, nullptr), E_NOTIMPL);
  EXPECT_EQ(callback->OnObjectAvailable(IID_IUnknown, nullptr), E_NOTIMPL);
}

TEST(DownloadProgress, RecordsTheLastHttpStatusAndAddsNoHeaders) {
  DownloadProgress progress(nullptr);
  EXPECT_EQ(progress.httpStatus(), kNoHttpStatus);
  void* object = nullptr;
  ASSERT_EQ(static_cast<IBindStatusCallback&>(progress).QueryInterface(IID_IHttpNegotiate, &object),
            S_OK);
  auto* negotiate = static_cast<IHttpNegotiate*>(object);

  LPWSTR extra = reinterpret_cast<LPWSTR>(0x1);
  EXPECT_EQ(negotiate->BeginningTransaction(L"http://127.0.0.1/", L"", 0, &extra), S_OK);
  EXPECT_EQ(extra, nullptr);

  extra = reinterpret_cast<LPWSTR>(0x1);
  EXPECT_EQ(negotiate->OnResponse(302, L"HTTP/1.1 302 Found\r\n", nullptr, &extra), S_OK);
  EXPECT_EQ(extra, nullptr);
  EXPECT_EQ(negotiate->OnResponse(404, L"HTTP/1.1 404 Not Found\r\n", nullptr, nullptr), S_OK);
  EXPECT_EQ(progress.httpStatus(), 404);
  EXPECT_EQ(negotiate->OnResponse(0xFFFFFFFFu, nullptr, nullptr, nullptr), S_OK);
  EXPECT_GE(progress.httpStatus(), 400);
}

}  // namespace
}  // namespace corvane
