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

// produce writes the whole content into the sink; a failed Status abandons the
// write and becomes the result.
Status WriteFileAtomically(const std::string& path,
                           const std::function<Status(ByteSink&)>& produce);

Status WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace pixmill
