#pragma once
// A block of bytes filled once (a file read whole) and then shared read-only by
// everything that looks into it, kept alive by the last of them.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "common/Result.h"

namespace pixmill {

class ByteBlock {
  public:
    // n bytes, left uninitialised for the caller to fill. Blocks of a few
    // megabytes or more are mapped on their own, aligned so that the kernel can
    // back them with huge pages: a read then faults in a page per 2 MiB instead
    // of one per 4 KiB. Fails with a reason when the memory cannot be had.
    static Result<std::shared_ptr<ByteBlock>> Allocate(std::size_t n);

    ByteBlock(const ByteBlock&) = delete;
    ByteBlock& operator=(const ByteBlock&) = delete;
    ~ByteBlock();

    std::uint8_t* data() { return data_; }
    const std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }
    std::span<const std::uint8_t> bytes() const { return {data_, size_}; }

    // Bytes of all live blocks mapped on their own, which the heap's own
    // statistics do not see; for measuring memory held.
    static std::size_t MappedBytes() { return mapped_.load(std::memory_order_relaxed); }

  private:
    ByteBlock(std::uint8_t* data, std::size_t size, std::size_t mappedLength)
        : data_(data), size_(size), mappedLength_(mappedLength) {}

    std::uint8_t* data_;
    std::size_t size_;
    std::size_t mappedLength_;  // 0: from the heap
    static std::atomic<std::size_t> mapped_;
};

using SharedBytes = std::shared_ptr<const ByteBlock>;

}  // namespace pixmill
