#include "common/ByteIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace pixmill {

bool MemorySource::Seek(std::int64_t offset) {
    if (offset < 0 || offset > Size()) {
        return false;
    }
    position_ = static_cast<std::size_t>(offset);
    return true;
}

bool MemorySource::Read(void* destination, std::size_t n) {
    if (n > bytes_.size() - position_) {
        return false;
    }
    if (n > 0) {
        std::memcpy(destination, bytes_.data() + position_, n);
    }
    position_ += n;
    return true;
}

Result<FileSource> FileSource::Open(const std::string& path, std::size_t bufferSize) {
    // Non-blocking, so that picking a pipe or a device cannot hang the editor
    // before the check below refuses it.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return Status::Fail(std::strerror(errno));
    }
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        std::string reason = std::strerror(errno);
        ::close(fd);
        return Status::Fail(reason);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return Status::Fail(S_ISDIR(info.st_mode) ? "it is a folder, not a file"
                                                  : "it is not a regular file");
    }
    return FileSource(fd, static_cast<std::int64_t>(info.st_size),
                      std::max<std::size_t>(bufferSize, 1));
}

FileSource::FileSource(int fd, std::int64_t size, std::size_t bufferSize) : fd_(fd), size_(size) {
    // Left uninitialised: every byte is read before it is used.
    bufferSize_ = static_cast<std::size_t>(std::min(size, static_cast<std::int64_t>(bufferSize)));
    buffer_.reset(new std::uint8_t[bufferSize_]);
}

FileSource::FileSource(FileSource&& other) noexcept
    : fd_(other.fd_),
      size_(other.size_),
      position_(other.position_),
      buffer_(std::move(other.buffer_)),
      bufferSize_(other.bufferSize_),
      bufferStart_(other.bufferStart_),
      bufferLength_(other.bufferLength_) {
    other.fd_ = -1;
}

FileSource::~FileSource() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool FileSource::Seek(std::int64_t offset) {
    if (offset < 0 || offset > size_) {
        return false;
    }
    position_ = offset;
    return true;
}

bool FileSource::ReadAt(std::int64_t offset, std::uint8_t* destination, std::size_t n) {
    while (n > 0) {
        ssize_t got = pread(fd_, destination, n, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        destination += got;
        offset += got;
        n -= static_cast<std::size_t>(got);
    }
    return true;
}

bool FileSource::Read(void* destination, std::size_t n) {
    auto* out = static_cast<std::uint8_t*>(destination);
    if (n > static_cast<std::uint64_t>(size_ - position_)) {
        return false;
    }
    while (n > 0) {
        const std::int64_t inBuffer = position_ - bufferStart_;
        if (inBuffer >= 0 && inBuffer < static_cast<std::int64_t>(bufferLength_)) {
            const std::size_t take =
                std::min(n, bufferLength_ - static_cast<std::size_t>(inBuffer));
            std::memcpy(out, buffer_.get() + inBuffer, take);
            out += take;
            position_ += static_cast<std::int64_t>(take);
            n -= take;
            continue;
        }
        if (n >= bufferSize_) {
            // Straight into the destination: no second copy of large runs.
            if (!ReadAt(position_, out, n)) {
                return false;
            }
            position_ += static_cast<std::int64_t>(n);
            return true;
        }
        bufferStart_ = position_;
        bufferLength_ = static_cast<std::size_t>(
            std::min<std::int64_t>(static_cast<std::int64_t>(bufferSize_), size_ - position_));
        if (!ReadAt(bufferStart_, buffer_.get(), bufferLength_)) {
            bufferLength_ = 0;
            return false;
        }
    }
    return true;
}

bool VectorSink::Write(const void* data, std::size_t n) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    bytes_.insert(bytes_.end(), bytes, bytes + n);
    return true;
}

Result<std::vector<std::uint8_t>> ReadSmallFile(const std::string& path, std::int64_t maxBytes) {
    auto source = FileSource::Open(path);
    if (!source) {
        return Status::Fail(source.reason());
    }
    if (source->Size() > maxBytes) {
        return Status::Fail("the file is too large (" + std::to_string(source->Size()) + " bytes)");
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(source->Size()));
    if (!source->Read(bytes.data(), bytes.size())) {
        return Status::Fail("the file could not be read to its end");
    }
    return bytes;
}

}  // namespace pixmill
