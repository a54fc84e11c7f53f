#pragma once
// Byte sources and sinks for the file formats: the same parser reads a file or a
// buffer, and the same writer fills a buffer or a file.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "common/Result.h"

namespace pixmill {

// Sequential reads with a known total size, so formats can check every length
// against the real file before they allocate anything.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual std::int64_t Size() const = 0;
    // Moves the read position; false when offset lies outside 0..Size().
    virtual bool Seek(std::int64_t offset) = 0;
    // Reads exactly n bytes or fails.
    virtual bool Read(void* destination, std::size_t n) = 0;
};

class MemorySource final : public ByteSource {
  public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::int64_t Size() const override { return static_cast<std::int64_t>(bytes_.size()); }
    bool Seek(std::int64_t offset) override;
    bool Read(void* destination, std::size_t n) override;

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

// Reads through a buffer of its own: small fields and small tiles come from
// memory, large pixel runs go straight from the file into their destination.
class FileSource final : public ByteSource {
  public:
    // Opens a regular file for reading; on failure the reason says why. Reads
    // of bufferSize bytes or more skip the buffer.
    static Result<FileSource> Open(const std::string& path,
                                   std::size_t bufferSize = kDefaultBufferSize);
    // One system call takes in a typical tileset whole (system calls are dear
    // on virtual machines).
    static constexpr std::size_t kDefaultBufferSize = std::size_t{1} << 20;
    FileSource(FileSource&& other) noexcept;
    FileSource& operator=(FileSource&&) = delete;
    FileSource(const FileSource&) = delete;
    ~FileSource() override;

    std::int64_t Size() const override { return size_; }
    bool Seek(std::int64_t offset) override;
    bool Read(void* destination, std::size_t n) override;

  private:
    FileSource(int fd, std::int64_t size, std::size_t bufferSize);
    bool ReadAt(std::int64_t offset, std::uint8_t* destination, std::size_t n);

    int fd_ = -1;
    std::int64_t size_ = 0;
    std::int64_t position_ = 0;  // of the next byte Read gives
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::size_t bufferSize_ = 0;
    std::int64_t bufferStart_ = 0;  // file offset of buffer_[0]
    std::size_t bufferLength_ = 0;  // valid bytes in buffer_
};

class ByteSink {
  public:
    virtual ~ByteSink() = default;
    virtual bool Write(const void* data, std::size_t n) = 0;
};

class VectorSink final : public ByteSink {
  public:
    bool Write(const void* data, std::size_t n) override;
    std::vector<std::uint8_t>& bytes() { return bytes_; }

  private:
    std::vector<std::uint8_t> bytes_;
};

// Little-endian fields inside a byte buffer. The caller has checked the length.
inline std::int32_t GetI32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
        static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}
inline std::uint32_t GetU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(GetI32(p));
}
inline std::int16_t GetI16(const std::uint8_t* p) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | p[1] << 8));
}
inline void PutI32(std::uint8_t* p, std::int32_t value) {
    auto v = static_cast<std::uint32_t>(value);
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}
inline void PutI16(std::uint8_t* p, std::int16_t value) {
    auto v = static_cast<std::uint16_t>(value);
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

// Reads a whole small file (a palette, a names header) into memory, refusing
// anything larger than maxBytes so a wrong choice of file cannot exhaust memory.
Result<std::vector<std::uint8_t>> ReadSmallFile(const std::string& path, std::int64_t maxBytes);

}  // namespace pixmill
