#pragma once
// Writing that never loses the old file: the bytes go to a temporary file beside
// the target, which is flushed to disk and then renamed over the target, so the
// target is always either the old file or the new one. Where the filesystem
// offers it the temporary file has no name until it is complete, so a process
// killed in mid-write leaves nothing behind. On any failure the temporary file is
// removed and the target is untouched. The new file keeps the old one's mode,
// owner and group (as far as the process may set them); a symbolic link is
// followed and the file it leads to is replaced, created when it is missing.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "common/ByteIo.h"
#include "common/Result.h"

namespace pixmill {

// Whether a file could be written at path as far as can be told beforehand: a
// regular file or none, not a folder, a device or a pipe, not read-only, not on a
// read-only filesystem, not behind a loop of symbolic links.
Status CheckReplaceable(const std::string& path);

// When a new file reaches the disk. Now: before the call returns. Later: when
// the caller flushes its folder (FlushFolder), so that a batch of new files
// costs one flush instead of one each. A file that replaces another is always
// flushed before the rename, so the old one is never lost.
enum class Flush { Now, Later };

// produce writes the whole content into the sink; a failed Status abandons the
// write and becomes the result.
Status WriteFileAtomically(const std::string& path, const std::function<Status(ByteSink&)>& produce,
                           Flush flush = Flush::Now);

Status WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                           Flush flush = Flush::Now);

// Puts everything written in the folder of path, and the folder itself, on the
// disk.
Status FlushFolder(const std::string& path);

// Files that take their places together or not at all: Add writes each one whole
// under a temporary name beside its target, Commit flushes them and puts them
// all in place. When one cannot be put in place, the files already replaced get
// their old contents back and the new ones are removed. A batch destroyed
// without a successful Commit leaves every target as it was and no temporary
// file behind (unless the process is killed first).
class FileBatch {
  public:
    FileBatch() = default;
    ~FileBatch();
    FileBatch(const FileBatch&) = delete;
    FileBatch& operator=(const FileBatch&) = delete;

    // The same checks and reasons as WriteFileAtomically. A path added twice
    // keeps the later content.
    Status Add(const std::string& path, const std::function<Status(ByteSink&)>& produce);
    Status Add(const std::string& path, std::span<const std::uint8_t> bytes);
    Status Commit();
    std::size_t size() const { return files_.size(); }

  private:
    enum class Placed { No, Exchanged, Created, Replaced };
    struct Staged {
        std::string target;
        std::string temporary;
        Placed placed = Placed::No;
    };
    Status PutInPlace(Staged& file);
    // Puts back what Commit had replaced; says what could not be.
    std::string TakeBack();

    std::vector<Staged> files_;
};

// A file-size limit (ulimit -f) kills a process with SIGXFSZ in mid-write;
// ignored, the write fails like a full disk and is reported. For main().
void IgnoreFileSizeSignal();

// Whether writes may use an unnamed temporary file where the filesystem offers
// one (the default). Tests turn it off to exercise the named temporary file
// that other filesystems get.
void AllowUnnamedTemporaryFiles(bool allow);

}  // namespace pixmill
