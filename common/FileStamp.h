#pragma once
// What tells that a file on disk is still the one read: its identity (device,
// inode), size and last change. A safe writer replaces a file by a new one, so
// a save by another program shows as a new inode even within the same second.

#include <cstdint>
#include <string>

namespace pixmill {

struct FileStamp {
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;  // nanoseconds since the epoch
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The file's stamp now; one that does not exist (or cannot be examined)
// has exists false.
FileStamp StampOf(const std::string& path);

}  // namespace pixmill
