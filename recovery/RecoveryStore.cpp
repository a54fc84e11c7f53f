#include "recovery/RecoveryStore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <system_error>

#include "common/AtomicFile.h"
#include "common/ByteBlock.h"
#include "common/Crc32.h"
#include "tileset/ArtFile.h"

namespace pixmill {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kNoteSuffix = ".note";
constexpr std::string_view kLockSuffix = ".lock";
constexpr std::string_view kCopySuffix = ".ART";
// A note is a few lines; anything larger is not one.
constexpr std::int64_t kLongestNote = 1 << 20;
// A lock with no note is cleared once it is older than this: an editor that
// has just made its lock writes its note within moments.
constexpr auto kLeftoverAge = std::chrono::minutes(2);

std::string Join(const std::string& folder, std::string_view name) {
    return (fs::path(folder) / fs::path(std::string(name))).string();
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// Opens (making it when missing) and locks a lock file without waiting; -1
// when another process holds the lock or the file cannot be had.
int TakeLock(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        return -1;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// A name no other editor has: the process, the moment, and a count for
// several editors in one process.
std::string NewId() {
    static std::atomic<unsigned> count{0};
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return "s" + std::to_string(::getpid()) + "-" +
           std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(now).count()) +
           "-" + std::to_string(count++);
}

// The copies of id: ID-N.ART.
bool IsCopyOf(std::string_view name, std::string_view id) {
    return name.size() > id.size() + 1 + kCopySuffix.size() && name.substr(0, id.size()) == id &&
           name[id.size()] == '-' && EndsWith(name, kCopySuffix);
}

void RemoveFilesOf(const std::string& folder, const std::string& id) {
    std::error_code error;
    fs::remove(Join(folder, id + std::string(kNoteSuffix)), error);
    std::vector<fs::path> copies;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (IsCopyOf(it->path().filename().string(), id)) {
            copies.push_back(it->path());
        }
    }
    for (const fs::path& copy : copies) {
        fs::remove(copy, error);
    }
    fs::remove(Join(folder, id + std::string(kLockSuffix)), error);
}

std::uint64_t GenerationOf(std::string_view copyName) {
    // ID-N.ART: N after the last dash.
    const std::string_view stem = copyName.substr(0, copyName.size() - kCopySuffix.size());
    const std::size_t dash = stem.rfind('-');
    std::uint64_t n = 0;
    if (dash != std::string_view::npos) {
        std::from_chars(stem.data() + dash + 1, stem.data() + stem.size(), n);
    }
    return n;
}

// The CRC-32 and length of what a sink is given, passed on to another.
class CheckedSink final : public ByteSink {
  public:
    explicit CheckedSink(ByteSink& next) : next_(next) {}
    bool Write(const void* data, std::size_t n) override {
        crc.Add({static_cast<const std::uint8_t*>(data), n});
        bytes += n;
        return next_.Write(data, n);
    }
    Crc32 crc;
    std::uint64_t bytes = 0;

  private:
    ByteSink& next_;
};

std::string CopyLengthProblem(const std::string& path, const RecoveryNote& note) {
    std::error_code error;
    const auto size = fs::file_size(path, error);
    if (error) {
        return "its copy could not be opened: " + error.message();
    }
    if (size != note.copyBytes) {
        return "its copy is " + std::to_string(size) + " bytes long, not the " +
               std::to_string(note.copyBytes) + " bytes written";
    }
    return {};
}

}  // namespace

LeftRecovery::LeftRecovery(std::string folder, std::string id, int lockFd)
    : folder_(std::move(folder)), id_(std::move(id)), lockFd_(lockFd) {}

LeftRecovery::LeftRecovery(LeftRecovery&& other) noexcept
    : problem(std::move(other.problem)),
      note(std::move(other.note)),
      writtenAt(other.writtenAt),
      folder_(std::move(other.folder_)),
      id_(std::move(other.id_)),
      lockFd_(std::exchange(other.lockFd_, -1)) {}

LeftRecovery& LeftRecovery::operator=(LeftRecovery&& other) noexcept {
    if (this != &other) {
        if (lockFd_ >= 0) {
            ::close(lockFd_);
        }
        problem = std::move(other.problem);
        note = std::move(other.note);
        writtenAt = other.writtenAt;
        folder_ = std::move(other.folder_);
        id_ = std::move(other.id_);
        lockFd_ = std::exchange(other.lockFd_, -1);
    }
    return *this;
}

LeftRecovery::~LeftRecovery() {
    if (lockFd_ >= 0) {
        ::close(lockFd_);
    }
}

std::vector<LeftRecovery> FindLeftRecoveries(const std::string& folder) {
    std::vector<LeftRecovery> found;
    std::error_code error;
    std::vector<std::string> notes;
    std::vector<std::string> locks;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (EndsWith(name, kNoteSuffix)) {
            notes.push_back(name.substr(0, name.size() - kNoteSuffix.size()));
        } else if (EndsWith(name, kLockSuffix)) {
            locks.push_back(name.substr(0, name.size() - kLockSuffix.size()));
        }
    }
    for (const std::string& id : notes) {
        const int lock = TakeLock(Join(folder, id + std::string(kLockSuffix)));
        if (lock < 0) {
            continue;  // its editor is running
        }
        LeftRecovery left(folder, id, lock);
        const std::string notePath = Join(folder, id + std::string(kNoteSuffix));
        struct stat info {};
        if (::stat(notePath.c_str(), &info) == 0) {
            left.writtenAt =
                static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
        }
        auto text = ReadSmallFile(notePath, kLongestNote);
        if (!text) {
            left.problem = "its note could not be read: " + text.reason();
        } else {
            const std::string_view chars(reinterpret_cast<const char*>(text->data()), text->size());
            if (auto note = ReadRecoveryNote(chars); !note) {
                left.problem = "its note is damaged: " + note.reason();
            } else if (!IsCopyOf(note->copyName, id)) {
                // Never another editor's file, whatever a note says.
                left.problem = "its note names a file that is not its copy";
            } else {
                left.note = std::move(*note);
                // A copy cut short is told before anyone is asked about it;
                // its checksum is read when it is recovered.
                left.problem = CopyLengthProblem(Join(folder, left.note.copyName), left.note);
            }
        }
        found.push_back(std::move(left));
    }
    std::sort(found.begin(), found.end(), [](const LeftRecovery& a, const LeftRecovery& b) {
        return a.writtenAt > b.writtenAt;
    });

    // Locks without a note: an editor that died before its first note.
    const auto now = fs::file_time_type::clock::now();
    for (const std::string& id : locks) {
        if (std::find(notes.begin(), notes.end(), id) != notes.end()) {
            continue;
        }
        const std::string lockPath = Join(folder, id + std::string(kLockSuffix));
        const auto written = fs::last_write_time(lockPath, error);
        if (error || now - written < kLeftoverAge) {
            continue;
        }
        const int lock = TakeLock(lockPath);
        if (lock >= 0) {
            RemoveFilesOf(folder, id);
            ::close(lock);
        }
    }
    return found;
}

Result<Tileset> ReadLeftRecovery(const LeftRecovery& left) {
    if (!left.problem.empty()) {
        return Status::Fail(left.problem);
    }
    const std::string path = Join(left.folder(), left.note.copyName);
    auto source = FileSource::Open(path);
    if (!source) {
        return Status::Fail("its copy could not be opened: " + source.reason());
    }
    if (source->Size() < 0 || static_cast<std::uint64_t>(source->Size()) != left.note.copyBytes) {
        return Status::Fail("its copy is " + std::to_string(source->Size()) +
                            " bytes long, not the " + std::to_string(left.note.copyBytes) +
                            " bytes written");
    }
    auto block = ByteBlock::Allocate(static_cast<std::size_t>(source->Size()));
    if (!block) {
        return Status::Fail(block.reason());
    }
    if (!source->Read((*block)->data(), (*block)->size())) {
        return Status::Fail("its copy could not be read to its end");
    }
    if (Crc32Of((*block)->bytes()) != left.note.copyCrc) {
        return Status::Fail("its copy has changed since it was written");
    }
    Result<Tileset> tileset = ReadArt(SharedBytes(std::move(*block)));
    if (!tileset) {
        return Status::Fail("its copy is not a tileset: " + tileset.reason());
    }
    tileset->artPath = left.note.artPath;
    tileset->artFileNumber = ArtFileNumber(left.note.artPath);
    return tileset;
}

void RemoveLeftRecovery(LeftRecovery& left) {
    RemoveFilesOf(left.folder_, left.id_);
    if (left.lockFd_ >= 0) {
        ::close(left.lockFd_);
        left.lockFd_ = -1;
    }
}

RecoveryCopy::RecoveryCopy(std::string folder) : folder_(std::move(folder)), id_(NewId()) {}

RecoveryCopy::~RecoveryCopy() {
    if (lockFd_ >= 0) {
        ::close(lockFd_);
    }
}

Status RecoveryCopy::Write(const Tileset& tileset, const std::string& artPath,
                           const std::string& palettePath) {
    const std::lock_guard<std::mutex> hold(mutex_);
    if (lockFd_ < 0) {
        std::error_code error;
        fs::create_directories(folder_, error);
        if (error) {
            return Status::Fail(folder_ + ": " + error.message());
        }
        lockFd_ = TakeLock(Join(folder_, id_ + std::string(kLockSuffix)));
        if (lockFd_ < 0) {
            return Status::Fail(folder_ + ": the copy's lock could not be made");
        }
    }
    if (Status writable = CheckWritableAsArt(tileset); !writable) {
        return writable;
    }
    RecoveryNote note;
    note.artPath = artPath;
    note.palettePath = palettePath;
    note.copyName = id_ + "-" + std::to_string(generation_ + 1) + std::string(kCopySuffix);
    const std::string copyPath = Join(folder_, note.copyName);
    const Status copied = WriteFileAtomically(copyPath, [&](ByteSink& sink) {
        CheckedSink checked(sink);
        Status written = WriteArt(tileset, checked);
        note.copyBytes = checked.bytes;
        note.copyCrc = checked.crc.value();
        return written;
    });
    if (!copied) {
        return copied;
    }
    const std::string text = RecoveryNoteText(note);
    const Status noted =
        WriteFileAtomically(Join(folder_, id_ + std::string(kNoteSuffix)),
                            {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    std::error_code error;
    if (!noted) {
        fs::remove(copyPath, error);
        return noted;
    }
    ++generation_;
    if (!copyName_.empty()) {
        fs::remove(Join(folder_, copyName_), error);
    }
    copyName_ = note.copyName;
    return Status::Ok();
}

void RecoveryCopy::Remove() {
    const std::lock_guard<std::mutex> hold(mutex_);
    RemoveLocked();
}

void RecoveryCopy::RemoveLocked() {
    if (lockFd_ < 0) {
        return;
    }
    RemoveFilesOf(folder_, id_);
    ::close(lockFd_);
    lockFd_ = -1;
    copyName_.clear();
}

void RecoveryCopy::Adopt(LeftRecovery&& left) {
    const std::lock_guard<std::mutex> hold(mutex_);
    RemoveLocked();
    id_ = left.id_;
    lockFd_ = std::exchange(left.lockFd_, -1);
    copyName_ = left.note.copyName;
    generation_ = GenerationOf(copyName_);
}

}  // namespace pixmill
