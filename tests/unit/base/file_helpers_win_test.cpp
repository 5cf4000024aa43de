#include "base/file_helpers_win.h"

#include <knownfolders.h>
#include <winioctl.h>

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
  ~WinFileHelpers() override { fs::remove_all(Extended(root_)); }

  // A folder whose full path is longer than 260 characters, holding `file` with `bytes`.
  std::string LongFolderWith(const char* file, const std::string& bytes) {
    std::string folder = root_;
    while (folder.size() <= 300) {
      folder += "\\segment-\xC3\xA9-0123456789";
      EXPECT_TRUE(CreateDirectoryW(Extended(folder).c_str(), nullptr)) << folder;
    }
    std::ofstream(Extended(folder + "\\" + file), std::ios::binary) << bytes;
    return folder;
  }

  const std::string root_ = ToUtf8(
      (fs::temp_directory_path() / ("corvane-files-" + std::to_string(GetCurrentProcessId())))
          .wstring());
};

TEST_F(WinFileHelpers, ExistsAndSizeWithForwardSlashesLongPathsAndBeyondFourGibibytes) {
  std::ofstream(Extended(root_ + "\\n\xC3\xA4me.txt"), std::ios::binary) << "12345";
  const std::string file = root_ + "/n\xC3\xA4me.txt";
  EXPECT_TRUE(FileExists(file));
  EXPECT_EQ(FileSize(file), 5);
  EXPECT_TRUE(FileExists(root_));
  EXPECT_EQ(FileSize(root_), 0);
  EXPECT_FALSE(FileExists(root_ + "\\missing"));
  EXPECT_EQ(FileSize(root_ + "\\missing"), -1);

  const std::string longFolder = LongFolderWith("deep.bin", std::string(1234, 'x'));
  EXPECT_TRUE(FileExists(longFolder));
  EXPECT_EQ(FileSize(longFolder + "\\deep.bin"), 1234);

  const std::string sparse = root_ + "\\sparse.bin";
  HANDLE handle = CreateFileW(Extended(sparse).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  DWORD ignored = 0;
  DeviceIoControl(handle, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
  for (const std::int64_t size : {(std::int64_t{1} << 31) + 7, (std::int64_t{1} << 32) + 9}) {
    ASSERT_TRUE(SetFilePointerEx(handle, LARGE_INTEGER{.QuadPart = size}, nullptr, FILE_BEGIN) &&
                SetEndOfFile(handle));
    EXPECT_EQ(FileSize(sparse), size);
  }
  CloseHandle(handle);
}

// Wine cannot start a program from a path over 260 characters, so such a path is given to the
// step that follows GetModuleFileNameW directly.
TEST_F(WinFileHelpers, ExecutablePathAndKnownFoldersInPlainForm) {
  wchar_t module[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
  EXPECT_EQ(GetExecutablePath(), ToUtf8(std::wstring(module, length)));
  EXPECT_EQ(GetExecutablePath().rfind("\\\\?\\", 0), std::string::npos);
  const std::string folder = ExecutableFolder();
  EXPECT_EQ(folder.back(), '\\');
  EXPECT_EQ(GetExecutablePath().substr(0, folder.size()), folder);

  const std::string program = LongFolderWith("program.exe", "MZ") + "\\program.exe";
  EXPECT_EQ(CanonicalModulePath(ToWide(program).c_str()), program);
  EXPECT_EQ(CanonicalModulePath(Extended(program).c_str()), program);
  const std::string dotted = program.substr(0, program.size() - 11) + ".\\x\\..\\program.exe";
  EXPECT_EQ(CanonicalModulePath(ToWide(dotted).c_str()), program);
  EXPECT_EQ(CanonicalModulePath(L"C:\\a\\b.exe"), "C:\\a\\b.exe");
  // A network share, in every form a platform reports it (Wine 8: "UNC\...").
  for (const wchar_t* share :
       {L"\\\\server\\share\\app\\.\\b.exe", L"UNC\\server\\share\\app\\b.exe",
        L"\\\\?\\UNC\\server\\share\\app\\b.exe"}) {
    EXPECT_EQ(CanonicalModulePath(share), "\\\\server\\share\\app\\b.exe");
  }

  const std::string localAppData = GetKnownFolderPath(FOLDERID_LocalAppData);
  EXPECT_TRUE(FileExists(localAppData));
  EXPECT_EQ(localAppData.rfind("\\\\?\\", 0), std::string::npos);
  EXPECT_EQ(GetKnownFolderPath({0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}}), "");
}

}  // namespace
}  // namespace corvane
