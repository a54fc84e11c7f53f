#include "bitmap/Picture.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "bitmap/ColourMatch.h"
#include "common/Transpose.h"

namespace pixmill {
namespace {

// Rows matched and turned into the tile's columns at a time.
constexpr int kBandRows = 64;
// Alpha below this is at least half transparent.
constexpr int kOpaqueEnough = 128;
constexpr std::uint8_t kSeeThrough = 255;

// Turns rows of a picture, top first, into palette indices, carrying the
// dithering's error from row to row.
class PaletteMatcher {
  public:
    PaletteMatcher(const Palette& palette, const PictureHead& head, bool dither)
        : palette_(palette), nearest_(palette), head_(head), dither_(dither) {
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            Entry& entry = entries_[i];
            if (i >= head.colours.size()) {
                entry = {static_cast<std::uint8_t>(i), true};  // no colour: kept as it is
                continue;
            }
            const PaletteEntry& c = head.colours[i];
            if (i < head.alphas.size() && head.alphas[i] < kOpaqueEnough) {
                entry = {kSeeThrough, true};
            } else if (c == palette[i]) {
                entry = {static_cast<std::uint8_t>(i), true};
            } else {
                entry = {nearest_(c.red, c.green, c.blue),
                         nearest_.ExactIndex(c.red, c.green, c.blue) >= 0};
            }
        }
        if (dither_) {
            const auto n = (static_cast<std::size_t>(head.width) + 2) * 3;
            thisRow_.assign(n, 0);
            nextRow_.assign(n, 0);
        }
    }

    void MatchRows(const std::uint8_t* rows, int count, std::uint8_t* out) {
        const auto width = static_cast<std::size_t>(head_.width);
        for (int r = 0; r < count; ++r) {
            if (head_.indexed) {
                IndexedRow(rows, out);
            } else {
                ColourRow(rows, out);
            }
            rows += head_.RowBytes();
            out += width;
            if (dither_) {
                std::swap(thisRow_, nextRow_);
                std::fill(nextRow_.begin(), nextRow_.end(), 0);
            }
        }
    }

  private:
    struct Entry {
        std::uint8_t index = 0;
        bool exact = false;  // neither given nor giving any error
    };

    void IndexedRow(const std::uint8_t* in, std::uint8_t* out) {
        for (std::size_t x = 0, n = static_cast<std::size_t>(head_.width); x < n; ++x) {
            const Entry& entry = entries_[in[x]];
            if (!dither_ || entry.exact) {
                out[x] = entry.index;
            } else {
                const PaletteEntry& c = head_.colours[in[x]];
                out[x] = Diffuse(x, c.red, c.green, c.blue);
            }
        }
    }

    void ColourRow(const std::uint8_t* in, std::uint8_t* out) {
        std::uint32_t previous = 0;
        std::uint8_t previousIndex = 0;
        bool havePrevious = false;
        for (std::size_t x = 0, n = static_cast<std::size_t>(head_.width); x < n; ++x, in += 4) {
            if (in[3] < kOpaqueEnough) {
                out[x] = kSeeThrough;
                continue;
            }
            if (dither_) {
                const int exact = nearest_.ExactIndex(in[0], in[1], in[2]);
                out[x] =
                    exact >= 0 ? static_cast<std::uint8_t>(exact) : Diffuse(x, in[0], in[1], in[2]);
                continue;
            }
            // Runs of one colour are common; they need one look-up.
            const std::uint32_t colour =
                std::uint32_t{in[0]} << 16 | std::uint32_t{in[1]} << 8 | std::uint32_t{in[2]};
            if (!havePrevious || colour != previous) {
                previous = colour;
                previousIndex = nearest_(in[0], in[1], in[2]);
                havePrevious = true;
            }
            out[x] = previousIndex;
        }
    }

    // The entry for a colour with the error carried to column x added; the
    // new difference goes 7/16 right, 3/16 below left, 5/16 below, 1/16 below
    // right. Errors are kept in sixteenths.
    std::uint8_t Diffuse(std::size_t x, int red, int green, int blue) {
        int* here = thisRow_.data() + (x + 1) * 3;
        int* below = nextRow_.data() + x * 3;
        const int colour[3] = {red, green, blue};
        int wanted[3];
        for (int c = 0; c < 3; ++c) {
            wanted[c] = std::clamp(colour[c] + ((here[c] + 8) >> 4), 0, 255);
        }
        // Seldom the same colour twice, so not remembered.
        const std::uint8_t index = nearest_.Search(wanted[0], wanted[1], wanted[2]);
        const PaletteEntry& got = palette_[index];
        const int error[3] = {wanted[0] - got.red, wanted[1] - got.green, wanted[2] - got.blue};
        for (int c = 0; c < 3; ++c) {
            here[3 + c] += 7 * error[c];
            below[c] += 3 * error[c];
            below[3 + c] += 5 * error[c];
            below[6 + c] += error[c];
        }
        return index;
    }

    const Palette& palette_;
    NearestColour nearest_;
    const PictureHead& head_;
    bool dither_;
    std::array<Entry, 256> entries_{};
    std::vector<int> thisRow_;
    std::vector<int> nextRow_;
};

Status CheckSize(const PictureHead& head) {
    if (head.width < 0 || head.height < 0 || head.width > kMaxTileSide ||
        head.height > kMaxTileSide) {
        return Status::Fail("it is " + std::to_string(head.width) + " x " +
                            std::to_string(head.height) + " pixels; a tile is at most " +
                            std::to_string(kMaxTileSide) + " x " + std::to_string(kMaxTileSide));
    }
    return Status::Ok();
}

// Reads the picture a band at a time, has convert turn each band's rows into
// indices (or leaves them as they are, when null), and turns them into the
// tile's columns.
template <class Convert>
Result<Tile> ReadIntoTile(PictureReader& reader, Convert&& convert) {
    const PictureHead& head = reader.head();
    if (Status size = CheckSize(head); !size) {
        return size;
    }
    Tile tile;
    tile.width = static_cast<std::int16_t>(head.width);
    tile.height = static_cast<std::int16_t>(head.height);
    tile.pixels.resize(tile.PixelCount());
    if (tile.pixels.empty()) {
        return tile;
    }
    const int bandRows = std::min(kBandRows, int{tile.height});
    const auto width = static_cast<std::size_t>(head.width);
    PixelBuffer rows(head.RowBytes() * static_cast<std::size_t>(bandRows));
    PixelBuffer indices(head.indexed ? 0 : width * static_cast<std::size_t>(bandRows));
    for (int first = 0; first < tile.height; first += bandRows) {
        const int n = std::min(bandRows, tile.height - first);
        if (Status read = reader.ReadRows(rows.data(), n); !read) {
            return read;
        }
        std::uint8_t* matched = head.indexed ? rows.data() : indices.data();
        convert(rows.data(), n, matched);
        TransposeBytes(matched, tile.width, tile.pixels.data() + first, tile.height, n, tile.width);
    }
    return tile;
}

}  // namespace

MemoryPicture::MemoryPicture(PictureHead head, const std::uint8_t* rows, std::ptrdiff_t stride)
    : rows_(rows), stride_(stride) {
    head_ = std::move(head);
}

Status MemoryPicture::ReadRows(std::uint8_t* out, int count) {
    if (count < 0 || count > head_.height - next_) {
        return Status::Fail("the picture has no more rows");
    }
    for (int r = 0; r < count; ++r, ++next_) {
        std::memcpy(out, rows_ + next_ * stride_, head_.RowBytes());
        out += head_.RowBytes();
    }
    return Status::Ok();
}

Result<Tile> MatchPictureToPalette(PictureReader& reader, const Palette& palette, bool dither) {
    if (Status size = CheckSize(reader.head()); !size) {
        return size;
    }
    PaletteMatcher matcher(palette, reader.head(), dither);
    return ReadIntoTile(reader, [&](const std::uint8_t* rows, int count, std::uint8_t* out) {
        matcher.MatchRows(rows, count, out);
    });
}

Result<Tile> PictureIndicesAsTheyAre(PictureReader& reader) {
    if (!reader.head().indexed) {
        return Status::Fail("it has no colour table, so its pixels are no palette indices");
    }
    return ReadIntoTile(reader, [](const std::uint8_t*, int, std::uint8_t*) {});
}

}  // namespace pixmill
