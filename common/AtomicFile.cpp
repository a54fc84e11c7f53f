#include "common/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <vector>

namespace pixmill {
namespace {

std::string ErrnoText() {
    return std::strerror(errno);
}

std::string DirectoryOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Writes through to a file descriptor with a buffer of its own, so that small
// fields cost no system call and large pixel runs go straight through.
class DescriptorSink final : public ByteSink {
  public:
    explicit DescriptorSink(int fd) : fd_(fd) { buffer_.reserve(kBufferSize); }

    bool Write(const void* data, std::size_t n) override {
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        if (buffer_.size() + n > kBufferSize) {
            if (!Flush()) {
                return false;
            }
            if (n >= kBufferSize) {
                return WriteAll(bytes, n);
            }
        }
        buffer_.insert(buffer_.end(), bytes, bytes + n);
        return true;
    }

    bool Flush() {
        bool ok = WriteAll(buffer_.data(), buffer_.size());
        buffer_.clear();
        return ok;
    }

    int error() const { return error_; }

  private:
    static constexpr std::size_t kBufferSize = std::size_t{1} << 20;

    bool WriteAll(const std::uint8_t* bytes, std::size_t n) {
        while (n > 0) {
            ssize_t written = ::write(fd_, bytes, n);
            if (written < 0) {
                if (errno == EINTR) {
                    continue;
                }
                error_ = errno;
                return false;
            }
            bytes += written;
            n -= static_cast<std::size_t>(written);
        }
        return true;
    }

    int fd_;
    int error_ = 0;
    std::vector<std::uint8_t> buffer_;
};

// The file the new bytes must replace: a symbolic link is followed, so that
// saving through a link updates the file it points at instead of the link.
std::string ResolveTarget(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        if (char* real = realpath(path.c_str(), nullptr)) {
            std::string resolved = real;
            std::free(real);
            return resolved;
        }
    }
    return path;
}

mode_t ModeForNewFile(const std::string& target) {
    struct stat info {};
    if (stat(target.c_str(), &info) == 0) {
        return info.st_mode & 07777;
    }
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// The temporary file beside the target; removed on every way out, an
// exception included, unless it has been renamed over the target.
struct TemporaryFile {
    explicit TemporaryFile(const std::string& target) : path(target + ".pixmill-XXXXXX") {
        fd = mkstemp(path.data());
        if (fd < 0) {
            path.clear();
        }
    }
    ~TemporaryFile() {
        if (fd >= 0) {
            ::close(fd);
        }
        if (!renamed && !path.empty()) {
            ::unlink(path.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool Close() {
        int closed = ::close(fd);
        fd = -1;
        return closed == 0;
    }

    std::string path;
    int fd = -1;
    bool renamed = false;
};

}  // namespace

Status CheckReplaceable(const std::string& path) {
    const std::string target = ResolveTarget(path);
    struct stat existing {};
    if (stat(target.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) {
        return Status::Fail("it is a folder, not a file");
    }
    if (access(target.c_str(), F_OK) == 0 && access(target.c_str(), W_OK) != 0) {
        return Status::Fail("the file is read-only");
    }
    return Status::Ok();
}

Status WriteFileAtomically(const std::string& path, const std::function<Status(ByteSink&)>& produce,
                           Flush flush) {
    if (path.empty()) {
        return Status::Fail("no file name was given");
    }
    if (Status replaceable = CheckReplaceable(path); !replaceable) {
        return replaceable;
    }
    const std::string target = ResolveTarget(path);
    // Only a new file may wait: nothing is lost if it never reaches the disk.
    const bool flushNow = flush == Flush::Now || access(target.c_str(), F_OK) == 0;

    TemporaryFile temporary(target);
    if (temporary.fd < 0) {
        return Status::Fail("cannot create a file in " + DirectoryOf(target) + ": " + ErrnoText());
    }

    try {
        DescriptorSink sink(temporary.fd);
        Status produced = produce(sink);
        if (!produced) {
            return Status::Fail(sink.error() != 0
                                    ? std::string("cannot write: ") + std::strerror(sink.error())
                                    : produced.reason());
        }
        if (!sink.Flush() || sink.error() != 0) {
            return Status::Fail(std::string("cannot write: ") + std::strerror(sink.error()));
        }
    } catch (const std::exception& e) {
        // Out of memory while building the content: report it like any other failure.
        return Status::Fail(std::string("cannot write: ") + e.what());
    }
    if (fchmod(temporary.fd, ModeForNewFile(target)) != 0) {
        return Status::Fail("cannot set the file's permissions: " + ErrnoText());
    }
    if (flushNow && fsync(temporary.fd) != 0) {
        return Status::Fail("cannot flush the file to disk: " + ErrnoText());
    }
    if (!temporary.Close()) {
        return Status::Fail("cannot write: " + ErrnoText());
    }
    if (std::rename(temporary.path.c_str(), target.c_str()) != 0) {
        return Status::Fail("cannot replace " + target + ": " + ErrnoText());
    }
    temporary.renamed = true;
    if (!flushNow) {
        return Status::Ok();
    }
    // Make the rename itself durable; a failure here loses nothing, so it is not reported.
    int dir = ::open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        fsync(dir);
        ::close(dir);
    }
    return Status::Ok();
}

Status WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                           Flush flush) {
    return WriteFileAtomically(
        path,
        [bytes](ByteSink& sink) {
            return sink.Write(bytes.data(), bytes.size()) ? Status::Ok()
                                                          : Status::Fail("cannot write");
        },
        flush);
}

Status FlushFolder(const std::string& path) {
    const std::string folder = DirectoryOf(ResolveTarget(path));
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) {
        return Status::Fail("cannot open " + folder + ": " + ErrnoText());
    }
    // One flush of the file system for all the files of a batch; then the
    // folder, for their names.
    const bool flushed = syncfs(dir) == 0 && fsync(dir) == 0;
    const std::string reason = flushed ? std::string() : ErrnoText();
    ::close(dir);
    if (!flushed) {
        return Status::Fail("cannot flush " + folder + " to disk: " + reason);
    }
    return Status::Ok();
}

}  // namespace pixmill
