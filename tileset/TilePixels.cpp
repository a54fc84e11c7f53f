#include "tileset/TilePixels.h"

#include <algorithm>
#include <cstring>

namespace pixmill {

TilePixels& TilePixels::operator=(std::initializer_list<std::uint8_t> values) {
    owner_.reset();
    own_.assign(values.begin(), values.end());
    return *this;
}

TilePixels TilePixels::View(std::shared_ptr<const void> owner, const std::uint8_t* data,
                            std::size_t n) {
    TilePixels pixels;
    // An empty view needs nothing kept alive.
    if (n > 0) {
        pixels.owner_ = std::move(owner);
        pixels.view_ = data;
        pixels.viewSize_ = n;
    }
    return pixels;
}

void TilePixels::LookInto(const std::shared_ptr<const void>& owner, const std::uint8_t* data,
                          std::size_t n) {
    own_.clear();
    own_.shrink_to_fit();
    if (n == 0) {
        owner_.reset();
        view_ = nullptr;
        viewSize_ = 0;
        return;
    }
    owner_ = owner;
    view_ = data;
    viewSize_ = n;
}

PixelBuffer& TilePixels::Own() {
    if (IsShared()) {
        own_.resize(viewSize_);
        std::memcpy(own_.data(), view_, viewSize_);
        owner_.reset();
        view_ = nullptr;
        viewSize_ = 0;
    }
    return own_;
}

void TilePixels::resize(std::size_t n) {
    if (IsShared() && n <= viewSize_) {
        // Only the bytes that stay are copied.
        viewSize_ = n;
    }
    Own().resize(n);
}

void TilePixels::assign(std::size_t n, std::uint8_t value) {
    // The old bytes are not wanted, so a view is dropped without a copy.
    owner_.reset();
    view_ = nullptr;
    viewSize_ = 0;
    own_.assign(n, value);
}

void TilePixels::clear() {
    owner_.reset();
    view_ = nullptr;
    viewSize_ = 0;
    own_.clear();
}

bool operator==(const TilePixels& a, const TilePixels& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
}

}  // namespace pixmill
