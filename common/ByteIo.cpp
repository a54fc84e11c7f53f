#include "common/ByteIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

Result<FileSource> FileSource::Open(const std::string& path) {
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
    std::FILE* file = fdopen(fd, "rb");
    if (file == nullptr) {
        std::string reason = std::strerror(errno);
        ::close(fd);
        return Status::Fail(reason);
    }
    // Large reads bypass stdio's buffer; a bigger buffer makes the many small ones cheap.
    std::setvbuf(file, nullptr, _IOFBF, 1 << 16);
    return FileSource(file, static_cast<std::int64_t>(info.st_size));
}

FileSource::FileSource(FileSource&& other) noexcept : file_(other.file_), size_(other.size_) {
    other.file_ = nullptr;
}

FileSource::~FileSource() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool FileSource::Seek(std::int64_t offset) {
    if (offset < 0 || offset > size_) {
        return false;
    }
    return fseeko(file_, static_cast<off_t>(offset), SEEK_SET) == 0;
}

bool FileSource::Read(void* destination, std::size_t n) {
    return n == 0 || std::fread(destination, 1, n, file_) == n;
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
