#include <cerrno>
#include <cstring>
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
  std::uint64_t bytesSeen = 0;
  const BlobLayout layout = PlanBlob(files, [&](std::size_t done) {
    bytesSeen += files[done - 1].size;
    progress.Show("reading", done, files.size(), bytesSeen, totalBytes);
  });

  PartialFile partial(output);
  try {
    BundleStreamWriter writer(partial.stream(), layout.blobSize);
    std::vector<char> buffer(1 << 20);
    std::size_t written = 0;
    for (const std::size_t index : layout.stored) {
      CopyInto(writer, partial.stream(), files[index], buffer, [&](std::uint64_t) {
        progress.Show("writing", written, layout.stored.size(), writer.BlobWritten(),
                      layout.blobSize);
      });
      ++written;
      progress.Show("writing", written, layout.stored.size(), writer.BlobWritten(),
                    layout.blobSize);
    }
    std::vector<BundleEntry> entries;
    entries.reserve(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
      entries.push_back({files[i].bundlePath, layout.offsetOf[i], files[i].size, 0});
    }
    writer.Finish(std::move(entries));
  } catch (const PackError&) {
    throw;
  } catch (const std::exception& error) {
    throw PackError(Printable(PathToUtf8(partial.path())) + ": " + error.what());
  }
  std::fflush(partial.stream());

  // Read back with the reader the shell uses before the bundle takes its final name.
  CheckBundleFile(partial.path(), Printable(PathToUtf8(partial.path())));
  partial.Commit(output);
  progress.Finish();

  const std::size_t duplicates = files.size() - layout.stored.size();
  std::printf(
      "%s: %zu file%s, %zu stored (%zu duplicate%s sharing bytes), %llu bytes of file data\n",
      outputName.c_str(), files.size(), files.size() == 1 ? "" : "s", layout.stored.size(),
      duplicates, duplicates == 1 ? "" : "s", static_cast<unsigned long long>(layout.blobSize));
  return 0;
}

}  // namespace corvane::pack
