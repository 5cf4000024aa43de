#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <vector>

#include "content/bundle_writer.h"
#include "tools/pack/pack_bundle_file.h"
#include "tools/pack/pack_commands.h"
#include "tools/pack/pack_dedupe.h"
#include "tools/pack/pack_io.h"
#include "tools/pack/pack_partial_file.h"
#include "tools/pack/pack_progress.h"
#include "tools/pack/pack_scan.h"

namespace corvane::pack {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kOutputBufferSize = 1 << 20;

// Appends the file's bytes to the blob: inside the kernel where it can, through the buffer for
// whatever it could not move.
void CopyInto(BundleStreamWriter& writer, std::FILE* out, const SourceFile& file,
              std::vector<char>& buffer, const std::function<void(std::uint64_t)>& advanced) {
  std::FILE* in = OpenFile(file.diskPath, "rb");
  const std::string name = Printable(PathToUtf8(file.diskPath));
  if (in == nullptr) throw PackError(name + ": " + std::strerror(errno));
  const std::uint64_t moved = KernelCopy(in, out, file.size);
  writer.CountBlobWrittenElsewhere(moved);
  advanced(moved);
  std::uint64_t left = file.size - moved;
  while (left > 0) {
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), left));
    const std::size_t got = std::fread(buffer.data(), 1, want, in);
    if (got != want) {
      std::fclose(in);
      throw PackError(name + ": file changed while packing");
    }
    writer.AppendBlob(buffer.data(), got);
    left -= got;
    advanced(got);
  }
  // One that grew since the scan (a build step still writing it) would be stored cut short.
  const bool ended = std::fgetc(in) == EOF;
  std::fclose(in);
  if (!ended) throw PackError(name + ": file changed while packing");
}

}  // namespace

int CreateBundle(const std::string& folderText, const std::string& outputText) {
  const fs::path folder = PathFromUtf8(folderText);
  const fs::path output = PathFromUtf8(outputText);
  const std::string outputName = Printable(outputText);

  const std::vector<SourceFile> files = ScanFolder(folder, output);
  std::uint64_t totalBytes = 0;
  for (const SourceFile& file : files) totalBytes += file.size;

  Progress progress;
  DuplicateFinder finder(files);
  // Small files are appended through the stream: a large buffer spares a system call per page.
  const auto outputBuffer = std::make_unique_for_overwrite<char[]>(kOutputBufferSize);
  PartialFile partial(output);
  std::setvbuf(partial.stream(), outputBuffer.get(), _IOFBF, kOutputBufferSize);
  std::size_t stored = 0;
  std::uint64_t blobSize = 0;
  try {
    // One pass: each file is read, compared and written before the next, so the blob's size is
    // known only at the end.
    BundleStreamWriter writer(partial.stream());
    std::vector<std::uint64_t> offsetOf(files.size());
    std::vector<char> buffer(1 << 20);
    std::uint64_t bytesSeen = 0;
    for (std::size_t index = 0; index < files.size(); ++index) {
      const SourceFile& file = files[index];
      if (const std::optional<std::size_t> original = finder.Find(index)) {
        offsetOf[index] = offsetOf[*original];
      } else {
        offsetOf[index] = writer.BlobWritten();
        if (const std::optional<DuplicateFinder::Held> held = finder.held()) {
          // One that grew since the scan would be stored cut short.
          if (std::fgetc(held->stream) != EOF) {
            throw PackError(Printable(PathToUtf8(file.diskPath)) + ": file changed while packing");
          }
          writer.AppendBlob(held->bytes.data(), held->bytes.size());
        } else {
          std::uint64_t copied = 0;
          CopyInto(writer, partial.stream(), file, buffer, [&](std::uint64_t moved) {
            copied += moved;
            // The line first appears once a whole file is done.
            if (index > 0) {
              progress.Show("reading", index, files.size(), bytesSeen + copied, totalBytes);
            }
          });
        }
        ++stored;
      }
      bytesSeen += file.size;
      progress.Show("reading", index + 1, files.size(), bytesSeen, totalBytes);
    }
    blobSize = writer.BlobWritten();
    if (stored > 0) progress.Show("writing", stored, stored, blobSize, blobSize);
    std::vector<BundleEntry> entries;
    entries.reserve(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
      entries.push_back({files[i].bundlePath, offsetOf[i], files[i].size, 0});
    }
    writer.Finish(std::move(entries));
  } catch (const PackError&) {
    throw;
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& error) {
    throw PackError(Printable(PathToUtf8(partial.path())) + ": " + error.what());
  }
  std::fflush(partial.stream());

  // Read back with the reader the shell uses before the bundle takes its final name.
  CheckBundleFile(partial.path(), Printable(PathToUtf8(partial.path())));
  partial.Commit(output);
  progress.Finish();

  const std::size_t duplicates = files.size() - stored;
  std::printf(
      "%s: %zu file%s, %zu stored (%zu duplicate%s sharing bytes), %llu bytes of file data\n",
      outputName.c_str(), files.size(), files.size() == 1 ? "" : "s", stored, duplicates,
      duplicates == 1 ? "" : "s", static_cast<unsigned long long>(blobSize));
  return 0;
}

}  // namespace corvane::pack
