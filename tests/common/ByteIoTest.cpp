#include "common/ByteIo.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/TestSupport.h"

namespace pixmill {
namespace {

// The buffered file reader must give exactly what a plain buffer gives, for any
// mix of small reads, large reads and seeks across its buffer's edges.
TEST(FileSource, ReadsWhatAMemorySourceReads) {
    test::ScratchDir dir;
    std::vector<std::uint8_t> bytes((3 << 20) + 12345);
    std::mt19937 random(7);
    for (auto& b : bytes) {
        b = static_cast<std::uint8_t>(random());
    }
    const std::string path = dir.Path("data.bin");
    test::WriteBytes(path, bytes);

    auto file = FileSource::Open(path);
    ASSERT_TRUE(file) << file.reason();
    MemorySource memory(bytes);
    ASSERT_EQ(file->Size(), memory.Size());

    std::uniform_int_distribution<std::size_t> small(0, 5000);
    std::uniform_int_distribution<std::size_t> large(1 << 19, 5 << 19);
    std::uniform_int_distribution<std::int64_t> anywhere(0, memory.Size());
    std::vector<std::uint8_t> fromFile;
    std::vector<std::uint8_t> fromMemory;
    for (int step = 0; step < 400; ++step) {
        if (step % 37 == 0) {
            const std::int64_t to = anywhere(random);
            ASSERT_EQ(file->Seek(to), memory.Seek(to));
        }
        const std::size_t n = step % 5 == 0 ? large(random) : small(random);
        fromFile.assign(n, 0);
        fromMemory.assign(n, 1);
        const bool fileOk = file->Read(fromFile.data(), n);
        ASSERT_EQ(fileOk, memory.Read(fromMemory.data(), n)) << "step " << step;
        if (fileOk) {
            ASSERT_EQ(fromFile, fromMemory) << "step " << step;
        } else {
            // A failed read past the end moves nothing; start again from the top.
            ASSERT_TRUE(file->Seek(0));
            ASSERT_TRUE(memory.Seek(0));
        }
    }
    EXPECT_FALSE(file->Seek(memory.Size() + 1));
    EXPECT_FALSE(file->Seek(-1));
}

TEST(ReadSmallFile, RefusesFilesAboveItsLimit) {
    test::ScratchDir dir;
    test::WriteBytes(dir.Path("f"), std::vector<std::uint8_t>(100, 3));
    EXPECT_EQ(ReadSmallFile(dir.Path("f"), 100)->size(), 100u);
    EXPECT_FALSE(ReadSmallFile(dir.Path("f"), 99));
    EXPECT_FALSE(ReadSmallFile(dir.Path("missing"), 99));
}

}  // namespace
}  // namespace pixmill
