// Windows bitmaps of any common depth as pictures: 1, 4 and 8 bits a pixel
// with a colour table, 16 and 32 bits through colour masks, 24 bits as blue,
// green, red. Rows are read a band at a time from wherever they lie, bottom
// row first or (a negative height) top row first.

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

#include "bitmap/PictureFile.h"
#include "tileset/Tile.h"

namespace pixmill {
namespace {

constexpr std::int64_t kFileHeader = 14;
constexpr std::int64_t kInfoHeader = 40;
constexpr std::int64_t kLargestInfoHeader = 124;  // BITMAPV5HEADER
constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;
constexpr std::uint32_t kAlphaBitFields = 6;

std::string Bytes(std::int64_t n) {
    return std::to_string(n) + " bytes";
}

// One channel's bits in a 16- or 32-bit pixel, brought to 8 bits.
class Channel {
  public:
    Channel() = default;
    explicit Channel(std::uint32_t mask)
        : mask_(mask), shift_(mask == 0 ? 0 : std::countr_zero(mask)), bits_(std::popcount(mask)) {}
    // A mask is usable when its bits lie side by side.
    bool usable() const {
        const std::uint32_t m = mask_ >> shift_;
        return (m & (m + 1)) == 0;
    }
    bool present() const { return bits_ > 0; }
    std::uint8_t Level(std::uint32_t pixel) const {
        if (bits_ == 0) {  // a channel the bitmap does not store
            return 0;
        }
        const std::uint32_t v = (pixel & mask_) >> shift_;
        if (bits_ >= 8) {
            return static_cast<std::uint8_t>(v >> (bits_ - 8));
        }
        return static_cast<std::uint8_t>(v * 255 / ((std::uint32_t{1} << bits_) - 1));
    }

  private:
    std::uint32_t mask_ = 0;
    int shift_ = 0;
    int bits_ = 0;
};

struct Layout {
    std::int64_t rowsOffset = 0;
    std::int64_t stride = 0;
    int bits = 0;
    bool topDown = false;
    bool plainBgr = false;  // 32 bits as blue, green, red and an unused byte
    Channel red, green, blue, alpha;
};

class BitmapPicture final : public PictureReader {
  public:
    BitmapPicture(ByteSource& source, PictureHead head, const Layout& layout)
        : source_(source), layout_(layout) {
        head_ = std::move(head);
    }

    Status ReadRows(std::uint8_t* out, int count) override {
        if (count < 0 || count > head_.height - next_) {
            return Status::Fail("the bitmap has no more rows");
        }
        const auto stride = static_cast<std::size_t>(layout_.stride);
        block_.resize(stride * static_cast<std::size_t>(count));
        // The rows wanted lie together in the file, in one order or the other.
        const std::int64_t firstStored =
            layout_.topDown ? next_ : std::int64_t{head_.height} - next_ - count;
        if (count > 0 && (!source_.Seek(layout_.rowsOffset + firstStored * layout_.stride) ||
                          !source_.Read(block_.data(), block_.size()))) {
            return Status::Fail("the file could not be read");
        }
        for (int r = 0; r < count; ++r) {
            const int stored = layout_.topDown ? r : count - 1 - r;
            Unpack(block_.data() + static_cast<std::size_t>(stored) * stride,
                   out + static_cast<std::size_t>(r) * head_.RowBytes());
        }
        next_ += count;
        return Status::Ok();
    }

  private:
    void Unpack(const std::uint8_t* row, std::uint8_t* out) const {
        const auto width = static_cast<std::size_t>(head_.width);
        switch (layout_.bits) {
            case 8:
                std::memcpy(out, row, width);
                return;
            case 4:
                for (std::size_t x = 0; x < width; ++x) {
                    out[x] = static_cast<std::uint8_t>(row[x / 2] >> (x % 2 == 0 ? 4 : 0) & 0x0F);
                }
                return;
            case 1:
                for (std::size_t x = 0; x < width; ++x) {
                    out[x] = static_cast<std::uint8_t>(row[x / 8] >> (7 - x % 8) & 1);
                }
                return;
            case 24:
                for (std::size_t x = 0; x < width; ++x, row += 3, out += 4) {
                    out[0] = row[2];
                    out[1] = row[1];
                    out[2] = row[0];
                    out[3] = 255;
                }
                return;
            default:
                break;
        }
        if (layout_.plainBgr) {
            for (std::size_t x = 0; x < width; ++x, row += 4, out += 4) {
                out[0] = row[2];
                out[1] = row[1];
                out[2] = row[0];
                out[3] = 255;
            }
            return;
        }
        const std::size_t bytes = layout_.bits == 16 ? 2 : 4;
        for (std::size_t x = 0; x < width; ++x, row += bytes, out += 4) {
            const std::uint32_t pixel =
                bytes == 2 ? std::uint32_t{row[0]} | std::uint32_t{row[1]} << 8 : GetU32(row);
            out[0] = layout_.red.Level(pixel);
            out[1] = layout_.green.Level(pixel);
            out[2] = layout_.blue.Level(pixel);
            out[3] = layout_.alpha.present() ? layout_.alpha.Level(pixel) : 255;
        }
    }

    ByteSource& source_;
    Layout layout_;
    int next_ = 0;
    PixelBuffer block_;
};

// What the header says about how the pixels are stored; a refusal for what
// cannot be read.
Status CheckDepth(int bits, std::uint32_t compression) {
    if (compression == kRle8 || compression == kRle4) {
        return Status::Fail("it is compressed (RLE); only uncompressed bitmaps can be imported");
    }
    const bool masks = compression == kBitFields || compression == kAlphaBitFields;
    if (compression != kRgb && !masks) {
        return Status::Fail("it is compressed; only uncompressed bitmaps can be imported");
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        return Status::Fail("it has " + std::to_string(bits) +
                            " bits a pixel; bitmaps of 1, 4, 8, 16, 24 and 32 bits can be read");
    }
    if (masks && bits != 16 && bits != 32) {
        return Status::Fail("its colour masks do not fit " + std::to_string(bits) +
                            " bits a pixel");
    }
    return Status::Ok();
}

}  // namespace

Result<std::unique_ptr<PictureReader>> OpenBitmapPicture(ByteSource& source) {
    const std::int64_t fileSize = source.Size();
    std::uint8_t header[kFileHeader + kLargestInfoHeader] = {};
    if (fileSize < kFileHeader + kInfoHeader || !source.Seek(0) ||
        !source.Read(header, kFileHeader + kInfoHeader)) {
        return Status::Fail("the file is " + Bytes(fileSize) +
                            " long, too short for a bitmap header");
    }
    if (header[0] != 'B' || header[1] != 'M') {
        return Status::Fail("not a Windows bitmap");
    }
    const std::int64_t infoSize = GetU32(header + 14);
    if (infoSize < kInfoHeader) {
        return Status::Fail("its header is of an old kind that is not supported");
    }
    // The larger headers of newer bitmaps hold the colour masks at fixed places.
    const std::int64_t infoRead = std::min(infoSize, kLargestInfoHeader);
    if (kFileHeader + infoSize > fileSize ||
        !source.Read(header + kFileHeader + kInfoHeader,
                     static_cast<std::size_t>(infoRead - kInfoHeader))) {
        return Status::Fail("the file is " + Bytes(fileSize) + " long, too short for its header");
    }
    const int bits = static_cast<std::uint16_t>(GetI16(header + 28));
    const std::uint32_t compression = GetU32(header + 30);
    if (Status depth = CheckDepth(bits, compression); !depth) {
        return depth;
    }
    const std::int64_t width = GetI32(header + 18);
    const std::int64_t storedHeight = GetI32(header + 22);
    const std::int64_t height = storedHeight < 0 ? -storedHeight : storedHeight;
    if (width < 0 || width > kMaxTileSide || height > kMaxTileSide) {
        return Status::Fail("it is " + std::to_string(width) + " x " +
                            std::to_string(storedHeight) + " pixels; a tile is at most " +
                            std::to_string(kMaxTileSide) + " x " + std::to_string(kMaxTileSide));
    }

    Layout layout;
    layout.bits = bits;
    layout.topDown = storedHeight < 0;
    std::int64_t dataStart = kFileHeader + infoSize;
    if (compression == kBitFields || compression == kAlphaBitFields) {
        // After a plain 40-byte header the masks follow it; larger headers hold them.
        const bool inHeader = infoSize >= 52;
        const int count = compression == kAlphaBitFields || infoSize >= 56 ? 4 : 3;
        std::uint8_t masks[16] = {};
        if (inHeader) {
            std::memcpy(masks, header + kFileHeader + kInfoHeader,
                        static_cast<std::size_t>(4 * count));
        } else if (!source.Seek(dataStart) ||
                   !source.Read(masks, static_cast<std::size_t>(4 * count))) {
            return Status::Fail("the file ends inside its colour masks");
        } else {
            dataStart += 4 * count;
        }
        layout.red = Channel(GetU32(masks));
        layout.green = Channel(GetU32(masks + 4));
        layout.blue = Channel(GetU32(masks + 8));
        layout.alpha = Channel(count == 4 ? GetU32(masks + 12) : 0);
        for (const Channel* channel : {&layout.red, &layout.green, &layout.blue, &layout.alpha}) {
            if (!channel->usable()) {
                return Status::Fail(
                    "its colour masks are not runs of bits, which is not supported");
            }
        }
    } else if (bits == 16) {
        layout.red = Channel(0x7C00);
        layout.green = Channel(0x03E0);
        layout.blue = Channel(0x001F);
    } else if (bits == 32) {
        // Without masks the fourth byte is unused, whatever it holds.
        layout.plainBgr = true;
    }

    PictureHead head;
    head.width = static_cast<int>(width);
    head.height = static_cast<int>(height);
    head.indexed = bits <= 8;
    std::int64_t tableCount = 0;
    if (head.indexed) {
        const std::int64_t most = std::int64_t{1} << bits;
        const std::int64_t used = GetU32(header + 46);
        tableCount = used == 0 ? most : std::min(used, most);
    }
    // Rows start where the header says, when that lies within the file past
    // the header; otherwise right after the colour table.
    std::int64_t rowsOffset = GetU32(header + 10);
    if (rowsOffset < kFileHeader + infoSize || rowsOffset > fileSize) {
        rowsOffset = std::min(dataStart + 4 * tableCount, fileSize);
    }
    tableCount = std::clamp<std::int64_t>((rowsOffset - dataStart) / 4, 0, tableCount);
    if (tableCount > 0) {
        std::uint8_t table[4 * 256];
        if (!source.Seek(dataStart) ||
            !source.Read(table, static_cast<std::size_t>(4 * tableCount))) {
            return Status::Fail("the file could not be read");
        }
        for (std::int64_t i = 0; i < tableCount; ++i) {
            head.colours.push_back({table[4 * i + 2], table[4 * i + 1], table[4 * i]});
        }
        head.alphas.assign(head.colours.size(), 255);
    }

    layout.stride = (width * bits + 31) / 32 * 4;
    layout.rowsOffset = rowsOffset;
    const std::int64_t rowsEnd = rowsOffset + layout.stride * height;
    if (rowsEnd > fileSize) {
        return Status::Fail("the file ends inside its pixel rows (" + Bytes(fileSize) + ", " +
                            Bytes(rowsEnd) + " needed)");
    }
    return std::unique_ptr<PictureReader>(
        std::make_unique<BitmapPicture>(source, std::move(head), layout));
}

}  // namespace pixmill
