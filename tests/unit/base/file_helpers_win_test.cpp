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
  EXPECT_EQ(FileSize(longFolder + "\\missing"), -1);
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
  const std::string dotted = program.substr(0, program.size() - 11) + ".\\x\\..\\program.exe";
  EXPECT_EQ(CanonicalPath(ToWide(dotted).c_str()), program);
  // A network share in the other forms a platform reports it.
  for (const wchar_t* share :
       {L"\\\\server\\share\\app\\.\\b.exe", L"\\\\?\\UNC\\server\\share\\app\\b.exe"}) {
    EXPECT_EQ(CanonicalPath(share), "\\\\server\\share\\app\\b.exe");
  }
}

}  // namespace
}  // namespace corvane
