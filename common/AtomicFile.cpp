#include "common/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <random>
#include <set>

namespace pixmill {
namespace {

std::atomic<bool> unnamedAllowed{true};

std::string ErrnoText(int error = errno) {
    return std::strerror(error);
}

std::string Joined(std::string a, const char* b, const std::string& c) {
    a.append(b);
    a.append(c);
    return a;
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

// The file the new bytes must replace. Symbolic links are followed one by one,
// so that a link whose file is missing leads to where that file is created,
// rather than to the link being replaced by a file.
struct Target {
    std::string path;
    bool exists = false;
    struct stat info {};
};

Result<Target> FindTarget(const std::string& path) {
    // The kernel's own limit on links followed in one lookup.
    constexpr int kMaxLinks = 40;
    Target target;
    target.path = path;
    for (int links = 0;; ++links) {
        if (lstat(target.path.c_str(), &target.info) != 0) {
            if (errno == ENOENT) {
                return target;
            }
            return Status::Fail(ErrnoText());
        }
        if (!S_ISLNK(target.info.st_mode)) {
            target.exists = true;
            return target;
        }
        if (links == kMaxLinks) {
            return Status::Fail(ErrnoText(ELOOP));
        }
        char link[PATH_MAX];
        const ssize_t length = readlink(target.path.c_str(), link, sizeof link);
        if (length < 0 || static_cast<std::size_t>(length) >= sizeof link) {
            return Status::Fail(ErrnoText(length < 0 ? errno : ENAMETOOLONG));
        }
        std::string next(link, static_cast<std::size_t>(length));
        target.path = !next.empty() && next.front() == '/'
                          ? next
                          : Joined(DirectoryOf(target.path), "/", next);
    }
}

bool ReadOnlyFilesystem(const std::string& path) {
    struct statvfs info {};
    return statvfs(path.c_str(), &info) == 0 && (info.f_flag & ST_RDONLY) != 0;
}

Result<Target> CheckTarget(const std::string& path) {
    if (path.empty()) {
        return Status::Fail("no file name was given");
    }
    Result<Target> target = FindTarget(path);
    if (!target) {
        return target;
    }
    if (target->exists && S_ISDIR(target->info.st_mode)) {
        return Status::Fail("it is a folder, not a file");
    }
    // Renaming over a device or a pipe would put a plain file in its place.
    if (target->exists && !S_ISREG(target->info.st_mode)) {
        return Status::Fail("it is not a regular file");
    }
    if (ReadOnlyFilesystem(target->exists ? target->path : DirectoryOf(target->path))) {
        return Status::Fail("it is on a read-only filesystem");
    }
    if (target->exists && access(target->path.c_str(), W_OK) != 0) {
        return Status::Fail(errno == EROFS ? "it is on a read-only filesystem"
                                           : "the file is read-only");
    }
    return target;
}

mode_t ModeForNewFile(const Target& target) {
    if (target.exists) {
        return target.info.st_mode & 07777;
    }
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// A name in folder that no entry has yet, short whatever the target's name, so
// that any name the filesystem takes can be written.
std::string TemporaryName(const std::string& folder) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 engine{std::random_device{}()};
    std::string name = folder;
    name.append("/.pixmill-");
    for (int i = 0; i < 8; ++i) {
        name.push_back(kLetters[engine() % (sizeof kLetters - 1)]);
    }
    return name;
}

bool UnnamedFilesCanBeLinked() {
    return access("/proc/self/fd", X_OK) == 0;
}

std::string DescriptorPath(int fd) {
    std::string path = "/proc/self/fd/";
    path.append(std::to_string(fd));
    return path;
}

// The temporary file beside the target; removed on every way out, an
// exception included, unless it has been put in place.
struct TemporaryFile {
    // An unnamed file (no path until Publish) where allowed and offered,
    // otherwise a named one.
    TemporaryFile(const std::string& folder, bool mayBeUnnamed) {
        if (mayBeUnnamed && unnamedAllowed && UnnamedFilesCanBeLinked()) {
            fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
            if (fd >= 0) {
                return;
            }
        }
        for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
            path = TemporaryName(folder);
            fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (fd < 0 && errno != EEXIST) {
                break;
            }
        }
        if (fd < 0) {
            path.clear();
        }
    }
    ~TemporaryFile() {
        const int error = errno;
        if (fd >= 0) {
            ::close(fd);
        }
        if (!placed && !path.empty()) {
            ::unlink(path.c_str());
        }
        errno = error;
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool unnamed() const { return fd >= 0 && path.empty(); }

    bool Close() {
        int closed = ::close(fd);
        fd = -1;
        return closed == 0;
    }

    // Gives an unnamed file a name in folder; a named file keeps its own.
    bool Name(const std::string& folder) {
        if (!unnamed()) {
            return true;
        }
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string name = TemporaryName(folder);
            if (linkat(AT_FDCWD, DescriptorPath(fd).c_str(), AT_FDCWD, name.c_str(),
                       AT_SYMLINK_FOLLOW) == 0) {
                path = std::move(name);
                return true;
            }
            if (errno != EEXIST) {
                return false;
            }
        }
        return false;
    }

    // Puts the file at target: an unnamed file straight under the target's name
    // when there is no file there yet, otherwise by a rename over it.
    bool Publish(const std::string& target) {
        if (unnamed() && linkat(AT_FDCWD, DescriptorPath(fd).c_str(), AT_FDCWD, target.c_str(),
                                AT_SYMLINK_FOLLOW) == 0) {
            placed = true;
            return true;
        }
        if (unnamed() && errno != EEXIST) {
            return false;
        }
        if (!Name(DirectoryOf(target)) || std::rename(path.c_str(), target.c_str()) != 0) {
            return false;
        }
        placed = true;
        return true;
    }

    std::string path;
    int fd = -1;
    bool placed = false;
};

// Creates the temporary file for target and fills it with what produce writes,
// with the old file's owner, group and mode; nothing is flushed yet.
Status WriteTemporary(TemporaryFile& temporary, const Target& target,
                      const std::function<Status(ByteSink&)>& produce) {
    if (temporary.fd < 0) {
        return Status::Fail(
            errno == EROFS
                ? std::string("it is on a read-only filesystem")
                : Joined("cannot create a file in " + DirectoryOf(target.path), ": ", ErrnoText()));
    }
    try {
        DescriptorSink sink(temporary.fd);
        Status produced = produce(sink);
        if (!produced) {
            return Status::Fail(sink.error() != 0 ? "cannot write: " + ErrnoText(sink.error())
                                                  : produced.reason());
        }
        if (!sink.Flush() || sink.error() != 0) {
            return Status::Fail("cannot write: " + ErrnoText(sink.error()));
        }
    } catch (const std::exception& e) {
        // Out of memory while building the content: report it like any other failure.
        return Status::Fail(std::string("cannot write: ") + e.what());
    }
    // Owner first: changing it clears the set-user-ID bits the mode may hold.
    // Only root may give a file away; anyone may keep a group they are in.
    if (target.exists && fchown(temporary.fd, target.info.st_uid, target.info.st_gid) != 0 &&
        fchown(temporary.fd, static_cast<uid_t>(-1), target.info.st_gid) != 0 && errno != EPERM &&
        errno != EINVAL) {
        return Status::Fail("cannot set the file's owner: " + ErrnoText());
    }
    if (fchmod(temporary.fd, ModeForNewFile(target)) != 0) {
        return Status::Fail("cannot set the file's permissions: " + ErrnoText());
    }
    return Status::Ok();
}

void FlushFolderQuietly(const std::string& folder) {
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        ::close(dir);
    }
}

}  // namespace

Status CheckReplaceable(const std::string& path) {
    Result<Target> target = CheckTarget(path);
    return target ? Status::Ok() : Status::Fail(target.reason());
}

Status WriteFileAtomically(const std::string& path, const std::function<Status(ByteSink&)>& produce,
                           Flush flush) {
    Result<Target> target = CheckTarget(path);
    if (!target) {
        return Status::Fail(target.reason());
    }
    // Only a new file may wait: nothing is lost if it never reaches the disk.
    const bool flushNow = flush == Flush::Now || target->exists;
    const std::string folder = DirectoryOf(target->path);

    TemporaryFile temporary(folder, true);
    if (Status written = WriteTemporary(temporary, *target, produce); !written) {
        return written;
    }
    if (flushNow && fsync(temporary.fd) != 0) {
        return Status::Fail("cannot flush the file to disk: " + ErrnoText());
    }
    // A named file is closed first, since some filesystems report a failed write
    // only there; an unnamed one needs its descriptor to be given a name.
    if (!temporary.unnamed() && !temporary.Close()) {
        return Status::Fail("cannot write: " + ErrnoText());
    }
    if (!temporary.Publish(target->path)) {
        return Status::Fail(Joined("cannot replace " + target->path, ": ", ErrnoText()));
    }
    if (flushNow) {
        // Makes the rename itself durable; a failure here loses nothing, so it is not reported.
        FlushFolderQuietly(folder);
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
    Result<Target> target = FindTarget(path);
    const std::string folder = DirectoryOf(target ? target->path : path);
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) {
        return Status::Fail(Joined("cannot open " + folder, ": ", ErrnoText()));
    }
    // One flush of the file system for all the files of a batch; then the
    // folder, for their names.
    const bool flushed = syncfs(dir) == 0 && fsync(dir) == 0;
    const std::string reason = flushed ? std::string() : ErrnoText();
    ::close(dir);
    if (!flushed) {
        return Status::Fail(Joined("cannot flush " + folder, " to disk: ", reason));
    }
    return Status::Ok();
}

FileBatch::~FileBatch() {
    for (const Staged& file : files_) {
        if (file.placed == Placed::No) {
            ::unlink(file.temporary.c_str());
        }
    }
}

Status FileBatch::Add(const std::string& path, const std::function<Status(ByteSink&)>& produce) {
    Result<Target> target = CheckTarget(path);
    if (!target) {
        return Status::Fail(target.reason());
    }
    // Named at once: a batch of thousands of files would otherwise hold as many
    // descriptors until Commit.
    TemporaryFile temporary(DirectoryOf(target->path), false);
    if (Status written = WriteTemporary(temporary, *target, produce); !written) {
        return written;
    }
    if (!temporary.Close()) {
        return Status::Fail("cannot write: " + ErrnoText());
    }
    for (Staged& file : files_) {
        if (file.target == target->path) {
            ::unlink(file.temporary.c_str());
            file.temporary = temporary.path;
            temporary.placed = true;
            return Status::Ok();
        }
    }
    files_.push_back({target->path, temporary.path, Placed::No});
    temporary.placed = true;
    return Status::Ok();
}

Status FileBatch::Add(const std::string& path, std::span<const std::uint8_t> bytes) {
    return Add(path, [bytes](ByteSink& sink) {
        return sink.Write(bytes.data(), bytes.size()) ? Status::Ok() : Status::Fail("cannot write");
    });
}

Status FileBatch::PutInPlace(Staged& file) {
    struct stat info {};
    const bool exists = lstat(file.target.c_str(), &info) == 0;
    if (exists && !S_ISREG(info.st_mode)) {
        return Status::Fail("it is not a regular file");
    }
    // Exchanged, the temporary name holds the old file until the whole batch is
    // in place, so that a later failure can give it back.
    const unsigned how = exists ? RENAME_EXCHANGE : RENAME_NOREPLACE;
    if (renameat2(AT_FDCWD, file.temporary.c_str(), AT_FDCWD, file.target.c_str(), how) == 0) {
        file.placed = exists ? Placed::Exchanged : Placed::Created;
        return Status::Ok();
    }
    if (errno == EEXIST) {
        return PutInPlace(file);
    }
    // Filesystems without these renames get a plain one, which cannot be taken back.
    if ((errno == EINVAL || errno == ENOSYS) &&
        std::rename(file.temporary.c_str(), file.target.c_str()) == 0) {
        file.placed = exists ? Placed::Replaced : Placed::Created;
        return Status::Ok();
    }
    return Status::Fail(ErrnoText());
}

std::string FileBatch::TakeBack() {
    std::string lost;
    for (auto file = files_.rbegin(); file != files_.rend(); ++file) {
        if (file->placed == Placed::Exchanged &&
            renameat2(AT_FDCWD, file->temporary.c_str(), AT_FDCWD, file->target.c_str(),
                      RENAME_EXCHANGE) == 0) {
            file->placed = Placed::No;
        } else if (file->placed == Placed::Created && ::unlink(file->target.c_str()) == 0) {
            file->placed = Placed::No;
        } else if (file->placed == Placed::Exchanged) {
            lost.append("; the old ");
            lost.append(file->target);
            lost.append(" is kept as ");
            lost.append(file->temporary);
        } else if (file->placed != Placed::No) {
            lost.append("; ");
            lost.append(file->target);
            lost.append(" was written all the same");
        }
    }
    return lost;
}

Status FileBatch::Commit() {
    std::set<std::string> folders;
    for (const Staged& file : files_) {
        folders.insert(DirectoryOf(file.target));
    }
    // The new files reach the disk before any of them replaces an old one.
    for (const std::string& folder : folders) {
        if (Status flushed = FlushFolder(folder + "/."); !flushed) {
            return flushed;
        }
    }
    for (Staged& file : files_) {
        if (Status placed = PutInPlace(file); !placed) {
            std::string reason = Joined("cannot replace " + file.target, ": ", placed.reason());
            reason.append(TakeBack());
            return Status::Fail(reason);
        }
    }
    for (Staged& file : files_) {
        if (file.placed == Placed::Exchanged) {
            ::unlink(file.temporary.c_str());
        }
    }
    for (const std::string& folder : folders) {
        FlushFolderQuietly(folder);
    }
    files_.clear();
    return Status::Ok();
}

void IgnoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

void AllowUnnamedTemporaryFiles(bool allow) {
    unnamedAllowed = allow;
}

}  // namespace pixmill
