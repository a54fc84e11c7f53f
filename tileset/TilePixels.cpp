#include "tileset/TilePixels.h"

#include <algorithm>
#include <cstring>

namespace pixmill {

TilePixels& TilePixels::operator=(std::initializer_list<std::uint8_t> values) {
    owner_.reset();
    view_ = nullptr;
    viewSize_ = 0;
    own_ = std::make_shared<PixelBuffer>(values);
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
    own_.reset();
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
        auto own = std::make_shared<PixelBuffer>(viewSize_);
        std::memcpy(own->data(), view_, viewSize_);
        own_ = std::move(own);
        owner_.reset();
        view_ = nullptr;
        viewSize_ = 0;
    } else if (!own_) {
        own_ = std::make_shared<PixelBuffer>();
    } else if (own_.use_count() > 1) {
        // Another copy reads these bytes, perhaps on another thread: write to
        // bytes of our own instead.
        own_ = std::make_shared<PixelBuffer>(*own_);
    }
    return *own_;
}

void TilePixels::resize(std::size_t n) {
    // Only the bytes that stay are copied.
    if (IsShared() && n <= viewSize_) {
        viewSize_ = n;
    } else if (own_ && own_.use_count() > 1 && n <= own_->size()) {
        own_ = std::make_shared<PixelBuffer>(own_->begin(),
                                             own_->begin() + static_cast<std::ptrdiff_t>(n));
        return;
    }
    Own().resize(n);
}

void TilePixels::assign(std::size_t n, std::uint8_t value) {
    // The old bytes are not wanted, so a view is dropped without a copy.
    owner_.reset();
    view_ = nullptr;
    viewSize_ = 0;
    // A fresh buffer: the old one may be shared.
    own_ = std::make_shared<PixelBuffer>();
    own_->assign(n, value);
}

void TilePixels::clear() {
    owner_.reset();
    view_ = nullptr;
    viewSize_ = 0;
    own_.reset();
}

bool operator==(const TilePixels& a, const TilePixels& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
}

}  // namespace pixmill
