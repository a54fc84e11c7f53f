#include "common/AtomicFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <new>

#include "tests/TestSupport.h"

namespace pixmill {
namespace {

using test::Bytes;
using test::ListDir;
using test::ReadBytes;
using test::ScratchDir;
using test::WriteBytes;

const std::vector<std::uint8_t> kOld = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

// Each case runs with the unnamed temporary file and with the named one that
// filesystems without it get.
class WriteBothWays : public testing::TestWithParam<bool> {
  protected:
    void SetUp() override { AllowUnnamedTemporaryFiles(GetParam()); }
    void TearDown() override { AllowUnnamedTemporaryFiles(true); }
};
INSTANTIATE_TEST_SUITE_P(Temporary, WriteBothWays, testing::Values(true, false),
                         [](const auto& test) { return test.param ? "Unnamed" : "Named"; });

TEST_P(WriteBothWays, WritesExactlyTheNewBytesAndNothingElse) {
    ScratchDir dir;
    const std::string path = dir.Path("out.bin");
    ASSERT_TRUE(WriteFileAtomically(path, std::vector<std::uint8_t>{7, 8, 9}));
    EXPECT_EQ(ReadBytes(path), (std::vector<std::uint8_t>{7, 8, 9}));
    EXPECT_EQ(ListDir(dir.root()), std::vector<std::string>{"out.bin"});

    // Replacing a longer file leaves none of its bytes behind.
    WriteBytes(path, kOld);
    ASSERT_TRUE(WriteFileAtomically(path, std::vector<std::uint8_t>{42}));
    EXPECT_EQ(ReadBytes(path), std::vector<std::uint8_t>{42});
    EXPECT_EQ(ListDir(dir.root()), std::vector<std::string>{"out.bin"});
}

TEST_P(WriteBothWays, AnAbandonedWriteLeavesTheOldFileWhole) {
    ScratchDir dir;
    const std::string path = dir.Path("keep.bin");
    WriteBytes(path, kOld);
    Status status = WriteFileAtomically(path, [](ByteSink& sink) {
        const std::uint8_t half[3] = {0, 0, 0};
        sink.Write(half, sizeof half);
        return Status::Fail("stopped half-way");
    });
    EXPECT_FALSE(status);
    EXPECT_EQ(status.reason(), "stopped half-way");
    EXPECT_EQ(ReadBytes(path), kOld);
    EXPECT_EQ(ListDir(dir.root()), std::vector<std::string>{"keep.bin"});
}

TEST_P(WriteBothWays, AnExceptionWhileProducingLeavesTheOldFileWhole) {
    ScratchDir dir;
    const std::string path = dir.Path("keep.bin");
    WriteBytes(path, kOld);
    Status status = WriteFileAtomically(path, [](ByteSink&) -> Status { throw std::bad_alloc(); });
    EXPECT_FALSE(status);
    EXPECT_EQ(ReadBytes(path), kOld);
    EXPECT_EQ(ListDir(dir.root()), std::vector<std::string>{"keep.bin"});
}

TEST_P(WriteBothWays, AFailingDiskLeavesTheOldFileWhole) {
    // A file size limit makes write() fail the way a full disk does, even for root.
    ScratchDir dir;
    const std::string path = dir.Path("big.bin");
    WriteBytes(path, kOld);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    Status status = WriteFileAtomically(path, std::vector<std::uint8_t>(3 << 20, 0xAB));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(status);
    EXPECT_NE(status.reason().find("cannot write"), std::string::npos) << status.reason();
    EXPECT_EQ(ReadBytes(path), kOld);
    EXPECT_EQ(ListDir(dir.root()), std::vector<std::string>{"big.bin"});
}

TEST_P(WriteBothWays, AnyNameTheFilesystemTakesCanBeSaved) {
    ScratchDir dir;
    for (const std::size_t length : {std::size_t{240}, std::size_t{255}}) {
        const std::string path = dir.Path(std::string(length - 4, 'n') + ".ART");
        ASSERT_TRUE(WriteFileAtomically(path, kOld));  // new
        Status replaced = WriteFileAtomically(path, std::vector<std::uint8_t>{3});
        EXPECT_TRUE(replaced) << replaced.reason();
        EXPECT_EQ(ReadBytes(path), std::vector<std::uint8_t>{3});
        std::filesystem::remove(path);
    }
    EXPECT_TRUE(ListDir(dir.root()).empty());
}

TEST(WriteFileAtomically, RefusesPathsThatCannotBeWritten) {
    ScratchDir dir;
    std::filesystem::create_directory(dir.Path("folder"));
    Status intoFolder = WriteFileAtomically(dir.Path("folder"), kOld);
    EXPECT_FALSE(intoFolder);
    EXPECT_NE(intoFolder.reason().find("folder"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path("folder")));

    Status missingFolder = WriteFileAtomically(dir.Path("absent/out.bin"), kOld);
    EXPECT_FALSE(missingFolder);
    EXPECT_FALSE(WriteFileAtomically("", kOld));
    EXPECT_EQ(ListDir(dir.root()), std::vector<std::string>{"folder"});
}

TEST(WriteFileAtomically, KeepsPermissionsAndFollowsLinks) {
    ScratchDir dir;
    const std::string path = dir.Path("data.bin");
    WriteBytes(path, kOld);
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    std::filesystem::create_symlink("data.bin", dir.Path("link.bin"));

    ASSERT_TRUE(WriteFileAtomically(dir.Path("link.bin"), std::vector<std::uint8_t>{5}));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("link.bin")));
    EXPECT_EQ(ReadBytes(path), std::vector<std::uint8_t>{5});
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(WriteFileAtomically, AFlushLeftForLaterStillWritesWholeFiles) {
    ScratchDir dir;
    WriteBytes(dir.Path("old.bin"), kOld);
    for (const char* name : {"new.bin", "old.bin"}) {
        ASSERT_TRUE(
            WriteFileAtomically(dir.Path(name), std::vector<std::uint8_t>{7, 8}, Flush::Later));
        EXPECT_EQ(ReadBytes(dir.Path(name)), (std::vector<std::uint8_t>{7, 8}));
    }
    EXPECT_TRUE(FlushFolder(dir.Path("new.bin")));
    EXPECT_FALSE(FlushFolder(dir.Path("absent/new.bin")));
    EXPECT_EQ(ListDir(dir.root()), (std::vector<std::string>{"new.bin", "old.bin"}));
}

TEST(WriteFileAtomically, LeavesDevicesAndPipesInPlace) {
    ScratchDir dir;
    struct Node {
        const char* name;
        mode_t type;
    };
    int made = 0;
    for (const Node node : {Node{"fifo", S_IFIFO}, Node{"null", S_IFCHR}}) {
        const std::string path = dir.Path(node.name);
        if (mknod(path.c_str(), node.type | 0666, node.type == S_IFCHR ? makedev(1, 3) : 0) != 0) {
            continue;  // a device node needs privileges the test may not have
        }
        ++made;
        const std::string link = path + ".link";
        std::filesystem::create_symlink(node.name, link);
        for (const std::string& target : {path, link}) {
            Status status = WriteFileAtomically(target, kOld);
            EXPECT_EQ(status.reason(), "it is not a regular file") << target;
        }
        struct stat info {};
        ASSERT_EQ(lstat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & S_IFMT, node.type) << node.name;
    }
    if (made == 0) {
        GTEST_SKIP() << "no node could be made here";
    }
    EXPECT_EQ(ListDir(dir.root()).size(), 2u * static_cast<std::size_t>(made));
}

TEST(WriteFileAtomically, DanglingLinksGetTheirFileAndLoopsAreRefused) {
    ScratchDir dir;
    std::filesystem::create_directory(dir.Path("sub"));
    std::filesystem::create_symlink("sub/missing.bin", dir.Path("dangling"));
    std::filesystem::create_symlink("../dangling", dir.Path("sub/chain"));
    ASSERT_TRUE(WriteFileAtomically(dir.Path("sub/chain"), kOld));
    EXPECT_EQ(ReadBytes(dir.Path("sub/missing.bin")), kOld);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("dangling")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("sub/chain")));

    std::filesystem::create_symlink("loop.b", dir.Path("loop.a"));
    std::filesystem::create_symlink("loop.a", dir.Path("loop.b"));
    Status loop = WriteFileAtomically(dir.Path("loop.a"), kOld);
    EXPECT_NE(loop.reason().find("symbolic links"), std::string::npos) << loop.reason();
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("loop.a")));
    EXPECT_EQ(CheckReplaceable(dir.Path("loop.b")).reason(), loop.reason());
    EXPECT_EQ(ListDir(dir.root()),
              (std::vector<std::string>{"dangling", "loop.a", "loop.b", "sub"}));
}

TEST(WriteFileAtomically, KeepsOwnerAndGroup) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "only root may give a file to another user";
    }
    ScratchDir dir;
    const std::string path = dir.Path("theirs.bin");
    WriteBytes(path, kOld);
    ASSERT_EQ(chown(path.c_str(), 4321, 8765), 0);
    ASSERT_EQ(chmod(path.c_str(), 04750), 0);
    ASSERT_TRUE(WriteFileAtomically(path, std::vector<std::uint8_t>{1}));
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 8765u);
    EXPECT_EQ(info.st_mode & 07777, 04750u);
}

TEST(WriteFileAtomically, NamesAReadOnlyFilesystemAsTheReason) {
    ScratchDir dir;
    const std::string mount = dir.Path("mnt");
    std::filesystem::create_directory(mount);
    if (::mount("pixmill", mount.c_str(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "no permission to mount";
    }
    WriteBytes(mount + "/old.bin", kOld);
    const bool readOnly =
        ::mount(nullptr, mount.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    for (const char* name : {"/old.bin", "/new.bin"}) {
        Status status = WriteFileAtomically(mount + name, std::vector<std::uint8_t>{1});
        EXPECT_EQ(status.reason(), "it is on a read-only filesystem") << name;
    }
    EXPECT_EQ(ReadBytes(mount + "/old.bin"), kOld);
    EXPECT_EQ(ListDir(mount), std::vector<std::string>{"old.bin"});
    umount2(mount.c_str(), MNT_DETACH);
    ASSERT_TRUE(readOnly);
}

TEST(WriteFileAtomically, AKilledSaveLeavesNothingBehind) {
    ScratchDir dir;
    const int probe = open(dir.root().c_str(), O_TMPFILE | O_WRONLY, 0600);
    if (probe < 0) {
        GTEST_SKIP() << "this filesystem has no unnamed files";
    }
    close(probe);
    const std::string path = dir.Path("keep.bin");
    WriteBytes(path, kOld);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        WriteFileAtomically(path, [](ByteSink& sink) {
            sink.Write(std::vector<std::uint8_t>(3 << 20, 7).data(), 3 << 20);
            raise(SIGKILL);
            return Status::Ok();
        });
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(ReadBytes(path), kOld);
    EXPECT_EQ(ListDir(dir.root()), std::vector<std::string>{"keep.bin"});
}

TEST(FileBatch, PutsEveryFileInPlaceOrNone) {
    ScratchDir dir;
    WriteBytes(dir.Path("a"), kOld);
    WriteBytes(dir.Path("b"), {2});
    {
        FileBatch uncommitted;
        ASSERT_TRUE(uncommitted.Add(dir.Path("a"), std::vector<std::uint8_t>{9}));
        ASSERT_TRUE(uncommitted.Add(dir.Path("n"), std::vector<std::uint8_t>{9}));
    }
    EXPECT_EQ(ListDir(dir.root()), (std::vector<std::string>{"a", "b"}));

    // A target that turned into a folder before Commit: the files already put in
    // place get their old contents back, the new one goes.
    {
        FileBatch failing;
        for (const char* name : {"a", "n", "b", "c"}) {
            ASSERT_TRUE(failing.Add(dir.Path(name), std::vector<std::uint8_t>{5}));
        }
        std::filesystem::create_directory(dir.Path("c"));
        Status refused = failing.Commit();
        EXPECT_NE(refused.reason().find("not a regular file"), std::string::npos)
            << refused.reason();
    }
    EXPECT_EQ(ReadBytes(dir.Path("a")), kOld);
    EXPECT_EQ(ReadBytes(dir.Path("b")), std::vector<std::uint8_t>{2});
    EXPECT_EQ(ListDir(dir.root()), (std::vector<std::string>{"a", "b", "c"}));
    std::filesystem::remove(dir.Path("c"));

    FileBatch batch;
    for (const char* name : {"a", "n", "b", "a"}) {
        ASSERT_TRUE(batch.Add(dir.Path(name), Bytes(1, static_cast<std::uint8_t>(name[0]))));
    }
    EXPECT_EQ(batch.size(), 3u);
    ASSERT_TRUE(batch.Commit());
    for (const char* name : {"a", "n", "b"}) {
        EXPECT_EQ(ReadBytes(dir.Path(name)), Bytes(1, static_cast<std::uint8_t>(name[0])));
    }
    EXPECT_EQ(ListDir(dir.root()), (std::vector<std::string>{"a", "b", "n"}));
}

}  // namespace
}  // namespace pixmill
