#include "common/ByteBlock.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>
#include <string>

namespace pixmill {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
// Below this a block comes from the heap: a mapping of its own costs more
// than the page faults it saves.
constexpr std::size_t kMapFrom = 2 * kHugePage;

std::string NoMemory(std::size_t n) {
    std::string reason = "not enough memory for ";
    reason.append(std::to_string(n)).append(" bytes");
    return reason;
}

}  // namespace

std::atomic<std::size_t> ByteBlock::mapped_{0};

Result<std::shared_ptr<ByteBlock>> ByteBlock::Allocate(std::size_t n) {
    if (n < kMapFrom) {
        auto* data = new (std::nothrow) std::uint8_t[n == 0 ? 1 : n];
        if (data == nullptr) {
            return Status::Fail(NoMemory(n));
        }
        return std::shared_ptr<ByteBlock>(new ByteBlock(data, n, 0));
    }
    // Whole huge pages, on a huge-page boundary: map one page more than needed
    // and give back the unaligned ends.
    if (n > SIZE_MAX - 2 * kHugePage) {
        return Status::Fail(NoMemory(n));
    }
    const std::size_t length = (n + kHugePage - 1) / kHugePage * kHugePage;
    const std::size_t mapped = length + kHugePage;
    void* start =
        ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (start == MAP_FAILED) {
        return Status::Fail(NoMemory(n));
    }
    const auto base = reinterpret_cast<std::uintptr_t>(start);
    const std::uintptr_t aligned = (base + kHugePage - 1) / kHugePage * kHugePage;
    if (aligned > base) {
        ::munmap(start, aligned - base);
    }
    const std::uintptr_t tail = aligned + length;
    if (base + mapped > tail) {
        ::munmap(reinterpret_cast<void*>(tail), base + mapped - tail);
    }
    auto* data = reinterpret_cast<std::uint8_t*>(aligned);
    // Only advice: where the kernel has no huge pages the block works as any other.
    ::madvise(data, length, MADV_HUGEPAGE);
    mapped_.fetch_add(length, std::memory_order_relaxed);
    return std::shared_ptr<ByteBlock>(new ByteBlock(data, n, length));
}

ByteBlock::~ByteBlock() {
    if (mappedLength_ == 0) {
        delete[] data_;
    } else {
        ::munmap(data_, mappedLength_);
        mapped_.fetch_sub(mappedLength_, std::memory_order_relaxed);
    }
}

}  // namespace pixmill
