#include "base/file_helpers_win.h"

#include <knownfolders.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <string>

#include "base/text_path.h"
#include "base/text_win.h"

namespace corvane {
namespace {

std::wstring Extended(const std::string& path) { return ToExtendedPath(ToWide(path)); }

std::string TempFolder() {
  wchar_t buffer[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
  return ToUtf8(std::wstring(buffer, length));
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileW(Extended(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

// Removes a folder tree made by a test; every path is extended, so long trees go too.
void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = folder + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        DeleteFileW(child.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

class WinFileHelpers : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = TempFolder() + "corvane-files-" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(Extended(root_).c_str(), nullptr));
  }
  void TearDown() override { RemoveTree(Extended(root_)); }

  // A folder whose full path is longer than 260 characters.
  std::string MakeLongFolder() {
    std::string folder = root_;
    while (folder.size() <= 300) {
      folder += "\\segment-\xC3\xA9-0123456789";
      EXPECT_TRUE(CreateDirectoryW(Extended(folder).c_str(), nullptr)) << folder;
    }
    return folder;
  }

  std::string root_;
};

TEST_F(WinFileHelpers, ExecutablePathIsTheModulePath) {
  wchar_t module[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
  EXPECT_EQ(GetExecutablePath(), ToUtf8(std::wstring(module, length)));
  EXPECT_EQ(GetExecutablePath().rfind("\\\\?\\", 0), std::string::npos);
  const std::string folder = ExecutableFolder();
  EXPECT_EQ(folder.back(), '\\');
  EXPECT_EQ(GetExecutablePath().substr(0, folder.size()), folder);
}

TEST_F(WinFileHelpers, ExistsAndSizeWithForwardSlashesAndLongPaths) {
  const std::string file = root_ + "/n\xC3\xA4me.txt";
  ASSERT_TRUE(WriteFileBytes(file, "12345"));
  EXPECT_TRUE(FileExists(file));
  EXPECT_EQ(FileSize(file), 5);
  EXPECT_TRUE(FileExists(root_));
  EXPECT_EQ(FileSize(root_), 0);
  EXPECT_FALSE(FileExists(root_ + "\\missing"));
  EXPECT_EQ(FileSize(root_ + "\\missing"), -1);

  const std::string longFolder = MakeLongFolder();
  ASSERT_GT(longFolder.size(), 260u);
  const std::string longFile = longFolder + "\\deep.bin";
  ASSERT_TRUE(WriteFileBytes(longFile, std::string(1234, 'x')));
  EXPECT_TRUE(FileExists(longFolder));
  EXPECT_TRUE(FileExists(longFile));
  EXPECT_EQ(FileSize(longFile), 1234);
}

TEST_F(WinFileHelpers, SizeOfAFileBeyondFourGibibytes) {
  const std::string path = root_ + "\\sparse.bin";
  HANDLE file = CreateFileW(Extended(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD ignored = 0;
  DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
  for (const std::int64_t size : {(std::int64_t{1} << 31) + 7, (std::int64_t{1} << 32) + 9}) {
    LARGE_INTEGER end;
    end.QuadPart = size;
    ASSERT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(file));
    EXPECT_EQ(FileSize(path), size);
  }
  CloseHandle(file);
}

TEST_F(WinFileHelpers, KnownFolders) {
  const std::string localAppData = GetKnownFolderPath(FOLDERID_LocalAppData);
  ASSERT_FALSE(localAppData.empty());
  EXPECT_TRUE(FileExists(localAppData));
  EXPECT_EQ(localAppData.rfind("\\\\?\\", 0), std::string::npos);
  const GUID unknown = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
  EXPECT_EQ(GetKnownFolderPath(unknown), "");
}

// Wine cannot start a program from a path this long, so the path is given to the step that
// follows GetModuleFileNameW directly.
TEST_F(WinFileHelpers, ExecutablePathLongerThan260Characters) {
  const std::string folder = MakeLongFolder();
  const std::string program = folder + "\\program.exe";
  ASSERT_TRUE(WriteFileBytes(program, "MZ"));
  EXPECT_EQ(CanonicalModulePath(ToWide(program).c_str()), program);
  EXPECT_EQ(CanonicalModulePath(Extended(program).c_str()), program);
  EXPECT_EQ(CanonicalModulePath(ToWide(folder + "\\.\\x\\..\\program.exe").c_str()), program);
  EXPECT_EQ(CanonicalModulePath(L"C:\\a\\b.exe"), "C:\\a\\b.exe");
  // An executable started from a network share, in every form a platform reports it (Wine 8:
  // "UNC\...").
  EXPECT_EQ(CanonicalModulePath(L"\\\\server\\share\\app\\.\\b.exe"),
            "\\\\server\\share\\app\\b.exe");
  EXPECT_EQ(CanonicalModulePath(L"UNC\\server\\share\\app\\b.exe"),
            "\\\\server\\share\\app\\b.exe");
  EXPECT_EQ(CanonicalModulePath(L"\\\\?\\UNC\\server\\share\\app\\b.exe"),
            "\\\\server\\share\\app\\b.exe");
}

}  // namespace
}  // namespace corvane
