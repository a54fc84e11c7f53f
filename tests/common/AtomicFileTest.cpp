#include "common/AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <new>

#include "tests/TestSupport.h"

namespace pixmill {
namespace {

using test::ListDir;
using test::ReadBytes;
using test::ScratchDir;
using test::WriteBytes;

const std::vector<std::uint8_t> kOld = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

TEST(WriteFileAtomically, WritesExactlyTheNewBytesAndNothingElse) {
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

TEST(WriteFileAtomically, AnAbandonedWriteLeavesTheOldFileWhole) {
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

TEST(WriteFileAtomically, AnExceptionWhileProducingLeavesTheOldFileWhole) {
    ScratchDir dir;
    const std::string path = dir.Path("keep.bin");
    WriteBytes(path, kOld);
    Status status = WriteFileAtomically(path, [](ByteSink&) -> Status { throw std::bad_alloc(); });
    EXPECT_FALSE(status);
    EXPECT_EQ(ReadBytes(path), kOld);
    EXPECT_EQ(ListDir(dir.root()), std::vector<std::string>{"keep.bin"});
}

TEST(WriteFileAtomically, AFailingDiskLeavesTheOldFileWhole) {
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

}  // namespace
}  // namespace pixmill
