#pragma once
// The few places where the packer meets the platform: UTF-8 paths, C streams, the terminal test
// and the final rename. pack_io_win.cpp and pack_io_linux.cpp hold what differs per platform.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::pack {

std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);  // "/" between segments

// Why a bundle path could write outside the folder it is extracted into (or nowhere sensible),
// or none: such a path is neither stored nor extracted.
std::optional<std::string> UnsafePathReason(std::string_view path);

// Text safe to print on one line: control bytes become \xNN, invalid UTF-8 becomes U+FFFD.
std::string Printable(std::string_view text);

// Streams in binary mode; long paths work on Windows too. Null on failure, errno set.
std::FILE* OpenFile(const std::filesystem::path& path, const char* mode);

// True for a symbolic link, and on Windows for a junction too.
bool IsLink(const std::filesystem::path& path);

// Appends up to `size` bytes of `in` (opened, nothing read from it yet) to the end of `out` inside
// the kernel (copy_file_range, else sendfile) where the system offers that. Returns how many bytes
// it moved: fewer when the input ends early, the kernel cannot copy between these files or
// anything fails. Both streams are then positioned behind what was moved, so the caller can
// carry on through a buffer, which meets any error again and reports it.
std::uint64_t KernelCopy(std::FILE* in, std::FILE* out, std::uint64_t size);

// Which file a path or an open stream is, independent of the name used to reach it: two names
// that a case-insensitive file system folds together give the same identity.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t index = 0;
  auto operator<=>(const FileIdentity&) const = default;
};
std::optional<FileIdentity> IdentityOf(std::FILE* file);

// Puts stdout and stderr into binary mode, so output bytes are the same on every platform.
void UseBinaryConsole();
bool StderrIsTerminal();

// Writes the stream's buffer out and waits until the system has the bytes on the disk, so a rename
// over the old file cannot outlive its content after a power cut. False on any failure.
bool FlushToDisk(std::FILE* file);

// Renames `from` over `to`, replacing an existing `to`.
void RenameOver(const std::filesystem::path& from, const std::filesystem::path& to,
                std::error_code& error);

// A file name beside `path` that no other running packer picks: TemporaryPrefix(path) followed by
// the process id.
std::filesystem::path TemporarySibling(const std::filesystem::path& path);
std::filesystem::path TemporaryPrefix(const std::filesystem::path& path);

// What each platform file provides to the portable functions above.
namespace internal {

int CurrentProcessId();

// Why `path` cannot be a file name on this platform in particular, beyond the portable rules of
// UnsafePathReason, or none.
std::optional<std::string> PlatformUnsafePathReason(std::string_view path);

}  // namespace internal

}  // namespace corvane::pack
