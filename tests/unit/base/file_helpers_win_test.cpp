#include "base/file_helpers_win.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/text_path.h"
#include "base/text_win.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

fs::path Extended(const std::string& path) { return ToExtendedPath(ToWide(path)); }

class WinFileHelpers : public ::testing::Test {
 protected:
  WinFileHelpers() { CreateDirectoryW(Extended(root_).c_str(), nullptr); }
  ~WinFileHelpers() override {
    // std::filesystem reaches no deeper than 260 characters: the long chain goes first.
    for (std::string at = longFile_; at.size() > root_.size(); at.resize(at.rfind('\\'))) {
      DeleteFileW(Extended(at).c_str());
      RemoveDirectoryW(Extended(at).c_str());
    }
    fs::remove_all(Extended(root_));
  }

  // A folder whose full path is longer than 260 characters, holding `file` with `bytes`.
  std::string LongFolderWith(const char* file, const std::string& bytes) {
    std::string folder = root_;
    while (folder.size() <= 300) {
      folder += "\\segment-\xC3\xA9-0123456789";
      EXPECT_TRUE(CreateDirectoryW(Extended(folder).c_str(), nullptr)) << folder;
    }
    longFile_ = folder + "\\" + file;
    std::ofstream(Extended(longFile_), std::ios::binary) << bytes;
    return folder;
  }

  const std::string root_ = ToUtf8(
      (fs::temp_directory_path() / ("corvane-files-" + std::to_string(GetCurrentProcessId())))
          .wstring());
  std::string longFile_;
};

// Short paths, forward slashes, non-ASCII names, missing files and sizes beyond 4 GiB are played
// end to end with normal_run's loose files (tests/wine/scenarios.py).
TEST_F(WinFileHelpers, ExistsAndSizeBeyond260Characters) {
  const std::string longFolder = LongFolderWith("deep.bin", std::string(1234, 'x'));
  EXPECT_TRUE(FileExists(longFolder));
  EXPECT_EQ(FileSize(longFolder), 0);
  EXPECT_EQ(FileSize(longFolder + "\\deep.bin"), 1234);
}

// Windows describes a symbolic link itself as an empty file; the size is its target's. Wine 8
// makes links it cannot describe at all, so there the test is skipped.
TEST_F(WinFileHelpers, SizeOfALinkedFileIsItsTargets) {
  std::ofstream(Extended(root_ + "\\target.txt"), std::ios::binary) << "123456";
  const std::wstring link = Extended(root_ + "\\link.txt");
  WIN32_FILE_ATTRIBUTE_DATA itself;
  if (!CreateSymbolicLinkW(link.c_str(), L"target.txt",
                           SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) ||
      !GetFileAttributesExW(link.c_str(), GetFileExInfoStandard, &itself)) {
    GTEST_SKIP() << "no usable symbolic links here (error " << GetLastError() << ")";
  }
  EXPECT_EQ(FileSize(root_ + "\\link.txt"), 6);
}

// Wine cannot start a program from a path over 260 characters, so such a path is given to the
// step that follows GetModuleFileNameW directly. The executable's own path, its folder, the known
// folders and Wine's "UNC\..." form are played end to end (tests/wine/bridge/bridge_scenarios.py).
TEST_F(WinFileHelpers, CanonicalPathsOfLongAndNetworkPaths) {
  const std::string program = LongFolderWith("program.exe", "MZ") + "\\program.exe";
  EXPECT_EQ(CanonicalPath(ToWide(program).c_str()), program);
  EXPECT_EQ(CanonicalPath(Extended(program).c_str()), program);
  // A network share in the other forms a platform reports it.
  for (const wchar_t* share :
       {L"\\\\server\\share\\app\\.\\b.exe", L"\\\\?\\UNC\\server\\share\\app\\b.exe"}) {
    EXPECT_EQ(CanonicalPath(share), "\\\\server\\share\\app\\b.exe");
  }
}

// Round trips, and agreement with the portable converter on ill-formed input every converter
// replaces alike (Wine folds bytes of overlong forms and encoded surrogates).
TEST(TextWin, RoundTripsAndAgreesWithThePortableConverter) {
  EXPECT_EQ(ToWide(""), L"");
  EXPECT_EQ(ToUtf8(L""), "");
  const std::string text = "C:\\Пути\\日本語 😀\0zero"s;
  EXPECT_EQ(ToWide(text), L"C:\\Пути\\日本語 😀\0zero"s);
  EXPECT_EQ(ToUtf8(ToWide(text)), text);
  for (const std::string& input :
       {"\x80"s, "\xC0\xAF"s, "\xE2\x82"s, "\xE2\x82x"s, "\xF0\x9F\x98\xC3\xA9"s, "a\xFF!"s}) {
    const std::u16string portable = Utf8ToUtf16(input);
    EXPECT_EQ(ToWide(input), std::wstring(portable.begin(), portable.end()))
        << testing::PrintToString(input);
  }
  for (const std::wstring& input : {L"\xD800"s, L"\xDC00"s, L"a\xD83D!"s}) {
    EXPECT_EQ(ToUtf8(input), Utf16ToUtf8(std::u16string(input.begin(), input.end())));
  }
}

}  // namespace
}  // namespace corvane
