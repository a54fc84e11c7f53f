#include "editing/TileDrawing.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace pixmill {
namespace {

// The rectangle of points seen so far, grown one point at a time.
class Bounds {
  public:
    void Add(int x0, int y0) {  // from 0
        left_ = std::min(left_, x0);
        right_ = std::max(right_, x0);
        top_ = std::min(top_, y0);
        bottom_ = std::max(bottom_, y0);
    }
    void AddColumn(int x0, int top, int bottom) {
        Add(x0, top);
        Add(x0, bottom);
    }
    PixelRect rect() const {
        if (left_ > right_) {
            return {};
        }
        return {left_, top_, right_ - left_ + 1, bottom_ - top_ + 1};
    }

  private:
    int left_ = 1 << 30;
    int right_ = -1;
    int top_ = 1 << 30;
    int bottom_ = -1;
};

std::uint64_t Repeated(std::uint8_t value) {
    return 0x0101010101010101ull * value;
}

// How many bytes from p on, at most n, equal value. A fill mostly crosses
// long runs, so they are compared 64 bytes a round.
std::size_t RunForward(const std::uint8_t* p, std::size_t n, std::uint8_t value) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi8(static_cast<char>(value));
    const auto same = [&](std::size_t at) {
        return static_cast<unsigned>(_mm_movemask_epi8(
            _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at)), wanted)));
    };
    for (; i + 64 <= n; i += 64) {
        if ((same(i) & same(i + 16) & same(i + 32) & same(i + 48)) != 0xFFFF) {
            break;
        }
    }
    for (; i + 16 <= n; i += 16) {
        const unsigned mask = same(i);
        if (mask != 0xFFFF) {
            return i + static_cast<std::size_t>(std::countr_one(mask));
        }
    }
#else
    const std::uint64_t pattern = Repeated(value);
    for (; i + 32 <= n; i += 32) {
        std::uint64_t w[4];
        std::memcpy(w, p + i, sizeof w);
        if (((w[0] ^ pattern) | (w[1] ^ pattern) | (w[2] ^ pattern) | (w[3] ^ pattern)) != 0) {
            break;
        }
    }
#endif
    while (i < n && p[i] == value) {
        ++i;
    }
    return i;
}

// How many bytes before end, at most n, equal value.
std::size_t RunBackward(const std::uint8_t* end, std::size_t n, std::uint8_t value) {
    const std::uint64_t pattern = Repeated(value);
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, end - i - 8, sizeof w);
        if (w != pattern) {
            break;
        }
    }
    while (i < n && end[-1 - static_cast<std::ptrdiff_t>(i)] == value) {
        ++i;
    }
    return i;
}

// A run of a column, filled, whose neighbours are still to be looked at; from
// is the column it was found from (-1 for the first), parentTop..parentBottom
// the run there that was already filled, which need not be looked at again.
struct Run {
    int x;
    int top;
    int bottom;
    int from;
    int parentTop;
    int parentBottom;
};

}  // namespace

PixelRect WholeTile(const Tile& tile) {
    return {0, 0, std::max(0, int{tile.width}), std::max(0, int{tile.height})};
}

PixelRect Union(const PixelRect& a, const PixelRect& b) {
    if (a.empty()) {
        return b;
    }
    if (b.empty()) {
        return a;
    }
    const int left = std::min(a.x, b.x);
    const int top = std::min(a.y, b.y);
    return {left, top, std::max(a.x + a.width, b.x + b.width) - left,
            std::max(a.y + a.height, b.y + b.height) - top};
}

PixelRect Intersection(const PixelRect& a, const PixelRect& b) {
    const int left = std::max(a.x, b.x);
    const int top = std::max(a.y, b.y);
    const int right = std::min(a.x + a.width, b.x + b.width);
    const int bottom = std::min(a.y + a.height, b.y + b.height);
    if (a.empty() || b.empty() || left >= right || top >= bottom) {
        return {};
    }
    return {left, top, right - left, bottom - top};
}

PixelRect DrawLine(Tile& tile, TilePoint a, TilePoint b, std::uint8_t colour, PixelRect clip) {
    const PixelRect inside = Intersection(clip, WholeTile(tile));
    Bounds bounds;
    ForEachLinePixel(a, b, [&](TilePoint p) {
        if (inside.Contains(p)) {
            tile.Pixel(p.x, p.y) = colour;
            bounds.Add(p.x - 1, p.y - 1);
        }
    });
    return bounds.rect();
}

PixelRect RestoreLine(Tile& tile, const Tile& from, TilePoint a, TilePoint b, PixelRect clip) {
    const PixelRect inside = Intersection(Intersection(clip, WholeTile(tile)), WholeTile(from));
    Bounds bounds;
    ForEachLinePixel(a, b, [&](TilePoint p) {
        if (inside.Contains(p)) {
            tile.Pixel(p.x, p.y) = from.Pixel(p.x, p.y);
            bounds.Add(p.x - 1, p.y - 1);
        }
    });
    return bounds.rect();
}

PixelRect FillArea(Tile& tile, TilePoint at, std::uint8_t colour) {
    if (!WholeTile(tile).Contains(at) || tile.pixels.size() < tile.PixelCount()) {
        return {};
    }
    const std::uint8_t target = std::as_const(tile).Pixel(at.x, at.y);
    if (target == colour) {
        return {};
    }
    // Pixels lie column by column, so a column is the run that is scanned and
    // set in one go; a run filled in one column is looked for in the next.
    const int width = tile.width;
    const auto height = static_cast<std::size_t>(tile.height);
    std::uint8_t* pixels = tile.pixels.data();
    const auto column = [&](int x) { return pixels + static_cast<std::size_t>(x) * height; };
    Bounds bounds;
    std::vector<Run> pending;

    // Fills the run of target through y of column x and notes it for its neighbours.
    const auto fillRun = [&](int x, std::size_t y, int from, int parentTop, int parentBottom) {
        std::uint8_t* c = column(x);
        const std::size_t top = y - RunBackward(c + y, y, target);
        const std::size_t end = y + RunForward(c + y, height - y, target);
        std::memset(c + top, colour, end - top);
        const int t = static_cast<int>(top);
        const int b = static_cast<int>(end) - 1;
        bounds.AddColumn(x, t, b);
        pending.push_back({x, t, b, from, parentTop, parentBottom});
        return end;
    };
    // Looks for target in rows top..bottom of column x and fills every run found.
    const auto scan = [&](int x, int top, int bottom, int from, int parentTop, int parentBottom) {
        const std::uint8_t* c = column(x);
        auto y = static_cast<std::size_t>(top);
        const auto last = static_cast<std::size_t>(bottom);
        while (y <= last) {
            const void* found = std::memchr(c + y, target, last - y + 1);
            if (found == nullptr) {
                return;
            }
            y = static_cast<std::size_t>(static_cast<const std::uint8_t*>(found) - c);
            y = fillRun(x, y, from, parentTop, parentBottom) + 1;
        }
    };

    fillRun(at.x - 1, static_cast<std::size_t>(at.y - 1), -1, 0, -1);
    while (!pending.empty()) {
        const Run run = pending.back();
        pending.pop_back();
        for (const int x : {run.x - 1, run.x + 1}) {
            if (x < 0 || x >= width) {
                continue;
            }
            if (x != run.from) {
                scan(x, run.top, run.bottom, run.x, run.top, run.bottom);
                continue;
            }
            // The column it came from was filled over parentTop..parentBottom;
            // only what this run reaches beyond that can still hold target.
            if (run.top < run.parentTop) {
                scan(x, run.top, std::min(run.bottom, run.parentTop - 1), run.x, run.top,
                     run.bottom);
            }
            if (run.bottom > run.parentBottom) {
                scan(x, std::max(run.top, run.parentBottom + 1), run.bottom, run.x, run.top,
                     run.bottom);
            }
        }
    }
    return bounds.rect();
}

}  // namespace pixmill
