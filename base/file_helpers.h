#pragma once
// File queries, 64-bit seeks and locations. Each platform provides them (file_helpers_win.cpp,
// file_helpers_linux.cpp); paths are UTF-8.

#include <cstdint>
#include <cstdio>
#include <string>

namespace corvane {

// Full path of the running executable, cached after the first successful call.
const std::string& GetExecutablePath();

// True for any file-system object, folders included.
bool FileExists(const std::string& path);

// The file's true size in bytes (64-bit; files of 2 GiB and more are reported as they are),
// or -1 when the status cannot be read. Folders report 0.
std::int64_t FileSize(const std::string& path);

// Moves `stream` `offset` bytes from `origin` (SEEK_SET or SEEK_CUR), with 64-bit offsets on every
// platform. False when the seek fails, and for an offset that the platform's signed offset cannot
// hold, which would otherwise wrap around.
bool SeekFile(std::FILE* stream, std::uint64_t offset, int origin);

// The executable's folder including its trailing separator; the whole path when it has none.
std::string ExecutableFolder();

}  // namespace corvane
