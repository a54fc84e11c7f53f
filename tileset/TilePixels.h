#pragma once
// A tile's pixels. A tileset read from a file keeps the file's bytes in one
// block and each tile looks into its part of it, so a read copies no pixel.
// The first change to such a tile gives that tile alone a copy of its own
// (copy on write), so an edit never reaches another tile, nor the bytes a
// later save writes for an untouched one.
//
// A copy of TilePixels shares the bytes too, until one side changes them: an
// undo step or a recovery snapshot keeps a tile's old pixels by keeping a
// copy of it, at the cost of a reference. Only the thread that changes tiles
// writes; a copy may be read on another thread, since a write to shared
// bytes always goes to a fresh buffer.
//
// Reading goes through the const members and never copies. Every non-const
// member that gives access to the bytes, and every change, first makes the
// pixels the tile's own: read through a const reference where nothing is
// written.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <new>
#include <span>
#include <utility>
#include <vector>

namespace pixmill {

// An allocator whose resize() leaves new bytes uninitialised. Readers fill
// pixels straight from a file, and zeroing them first would double the work.
// Code that needs zeros says so: assign(n, 0).
template <class T>
struct UninitialisedAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = UninitialisedAllocator<U>;
    };
    UninitialisedAllocator() = default;
    template <class U>
    explicit UninitialisedAllocator(const UninitialisedAllocator<U>&) noexcept {}
    template <class U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

using PixelBuffer = std::vector<std::uint8_t, UninitialisedAllocator<std::uint8_t>>;

class TilePixels {
  public:
    using value_type = std::uint8_t;
    using size_type = std::size_t;
    using iterator = std::uint8_t*;
    using const_iterator = const std::uint8_t*;

    TilePixels() = default;
    TilePixels(std::initializer_list<std::uint8_t> values)
        : own_(std::make_shared<PixelBuffer>(values)) {}
    TilePixels& operator=(std::initializer_list<std::uint8_t> values);

    // n bytes at data, which owner keeps alive; nothing is copied.
    static TilePixels View(std::shared_ptr<const void> owner, const std::uint8_t* data,
                           std::size_t n);

    // The same, in place of what the pixels were.
    void LookInto(const std::shared_ptr<const void>& owner, const std::uint8_t* data,
                  std::size_t n);

    // True while the pixels are still a view into shared bytes.
    bool IsShared() const { return owner_ != nullptr; }

    // The buffer of the tile's own bytes and its size; null and 0 for a view
    // or no pixels. For telling what a copy keeps alive: the handle tells how
    // many TilePixels share the buffer.
    const void* OwnStorage() const { return own_.get(); }
    std::weak_ptr<const void> OwnStorageHandle() const { return own_; }
    std::size_t OwnStorageBytes() const { return own_ ? own_->capacity() : 0; }

    // Reading.
    std::size_t size() const { return IsShared() ? viewSize_ : own_ ? own_->size() : 0; }
    bool empty() const { return size() == 0; }
    const std::uint8_t* data() const { return IsShared() ? view_ : own_ ? own_->data() : nullptr; }
    std::span<const std::uint8_t> view() const { return {data(), size()}; }
    const_iterator begin() const { return data(); }
    const_iterator end() const { return data() + size(); }
    const std::uint8_t& operator[](std::size_t i) const { return data()[i]; }
    const std::uint8_t& front() const { return data()[0]; }

    // Writing: each makes the pixels the tile's own first.
    std::uint8_t* data() { return Own().data(); }
    iterator begin() { return Own().data(); }
    iterator end() {
        PixelBuffer& own = Own();
        return own.data() + own.size();
    }
    std::uint8_t& operator[](std::size_t i) { return Own()[i]; }
    // New bytes beyond the old size are left uninitialised.
    void resize(std::size_t n);
    void assign(std::size_t n, std::uint8_t value);
    void pop_back() { Own().pop_back(); }
    void clear();

    friend bool operator==(const TilePixels& a, const TilePixels& b);

  private:
    PixelBuffer& Own();

    std::shared_ptr<const void> owner_;  // set: a view of view_[0 .. viewSize_)
    const std::uint8_t* view_ = nullptr;
    std::size_t viewSize_ = 0;
    std::shared_ptr<PixelBuffer> own_;  // the tile's own bytes, perhaps shared with copies
};

}  // namespace pixmill
