#pragma once
// Writing that never loses the old file: the bytes go to a temporary file beside
// the target, which is flushed to disk and then renamed over the target. On any
// failure the temporary file is removed and the target is untouched.

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "common/ByteIo.h"
#include "common/Result.h"

namespace pixmill {

// Whether a file could be written at path as far as can be told beforehand: not
// a folder, not a read-only file.
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

}  // namespace pixmill
