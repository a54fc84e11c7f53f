#include "bitmap/TileBitmap.h"

#include <algorithm>
#include <cstdio>

#include "common/AtomicFile.h"
#include "common/Transpose.h"

namespace pixmill {
namespace {

constexpr std::size_t kInfoEnd = 54;
constexpr std::int32_t kPixelsPerMetre = 33000;

std::string Bytes(std::int64_t n) {
    return std::to_string(n) + " bytes";
}

}  // namespace

std::size_t BitmapRowStride(int width) {
    return (static_cast<std::size_t>(width) + 3) & ~std::size_t{3};
}

std::vector<std::uint8_t> TileBitmapBytes(const Tile& tile, const Palette& palette) {
    const std::size_t stride = BitmapRowStride(tile.width);
    const auto height = static_cast<std::size_t>(tile.height);
    std::vector<std::uint8_t> bytes(kBitmapRowsOffset + stride * height, 0);
    std::uint8_t* p = bytes.data();
    p[0] = 'B';
    p[1] = 'M';
    // The file size field (2) and the image size field (34) stay 0.
    PutI32(p + 10, static_cast<std::int32_t>(kBitmapRowsOffset));
    PutI32(p + 14, 40);
    PutI32(p + 18, tile.width);
    PutI32(p + 22, tile.height);
    PutI16(p + 26, 1);
    PutI16(p + 28, 8);
    PutI32(p + 38, kPixelsPerMetre);
    PutI32(p + 42, kPixelsPerMetre);
    PutI32(p + 46, 256);
    PutI32(p + 50, 256);
    for (std::size_t i = 0; i < palette.size(); ++i) {
        std::uint8_t* entry = p + kInfoEnd + 4 * i;
        entry[0] = palette[i].blue;
        entry[1] = palette[i].green;
        entry[2] = palette[i].red;
    }
    // The tile's columns become the rows, the bottom row first.
    if (!tile.pixels.empty()) {
        const auto rowStride = static_cast<std::ptrdiff_t>(stride);
        TransposeBytes(tile.pixels.data(), tile.height,
                       p + kBitmapRowsOffset + (tile.height - 1) * rowStride, -rowStride,
                       tile.width, tile.height);
    }
    return bytes;
}

Status WriteTileBitmapFile(const Tile& tile, const Palette& palette, const std::string& path,
                           Flush flush) {
    return WriteFileAtomically(path, TileBitmapBytes(tile, palette), flush);
}

std::string BatchBitmapPath(std::string_view chosenPath, int n) {
    // Four characters, not bytes, and only of the file's name: a short name
    // never eats into the folder it is in.
    const std::size_t slash = chosenPath.find_last_of('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    std::size_t end = chosenPath.size();
    for (int dropped = 0; dropped < 4 && end > nameStart; ++dropped) {
        do {
            --end;  // back over a character's continuation bytes to its first byte
        } while (end > nameStart && (static_cast<unsigned char>(chosenPath[end]) & 0xC0) == 0x80);
    }
    const std::string_view base = chosenPath.substr(0, end);
    char number[16];
    std::snprintf(number, sizeof number, "%04d", n);
    return std::string(base) + number + ".BMP";
}

namespace {

// Rows read and turned at a time: a band of the widest tile is 2 MiB, of a
// typical one a few KiB.
constexpr int kBandRows = 64;

}  // namespace

Result<Tile> ReadTileBitmap(ByteSource& source) {
    const std::int64_t fileSize = source.Size();
    std::uint8_t header[kInfoEnd];
    if (fileSize < static_cast<std::int64_t>(kInfoEnd) || !source.Seek(0) ||
        !source.Read(header, sizeof header)) {
        return Status::Fail("the file is " + Bytes(fileSize) +
                            " long, too short for a bitmap header");
    }
    if (GetI16(header + 28) != 8) {
        return Status::Fail(std::string(kOnlyEightBitBitmaps));
    }
    if (GetU32(header + 14) < 40) {
        return Status::Fail("its header is of an old kind that is not supported");
    }
    if (GetU32(header + 30) != 0) {
        return Status::Fail("it is compressed; only uncompressed bitmaps can be imported");
    }
    const std::int64_t width = GetI32(header + 18);
    const std::int64_t storedHeight = GetI32(header + 22);
    // A negative height means the rows are stored top row first.
    const bool topDown = storedHeight < 0;
    const std::int64_t height = topDown ? -storedHeight : storedHeight;
    if (width < 0 || width > kMaxTileSide || height > kMaxTileSide) {
        return Status::Fail("it is " + std::to_string(width) + " x " +
                            std::to_string(storedHeight) + " pixels; a tile is at most " +
                            std::to_string(kMaxTileSide) + " x " + std::to_string(kMaxTileSide));
    }

    // Other programs put fewer colours in the table; their rows start where the
    // header says. Every bitmap the editor writes says 1078.
    std::int64_t rowsOffset = GetU32(header + 10);
    if (rowsOffset < static_cast<std::int64_t>(kInfoEnd) || rowsOffset > fileSize) {
        rowsOffset = kBitmapRowsOffset;
    }
    const std::size_t stride = BitmapRowStride(static_cast<int>(width));
    const std::int64_t rowsEnd = rowsOffset + static_cast<std::int64_t>(stride) * height;
    if (rowsEnd > fileSize) {
        return Status::Fail("the file ends inside its pixel rows (" + Bytes(fileSize) + ", " +
                            Bytes(rowsEnd) + " needed)");
    }

    Tile picture;
    picture.width = static_cast<std::int16_t>(width);
    picture.height = static_cast<std::int16_t>(height);
    picture.pixels.resize(picture.PixelCount());
    if (picture.pixels.empty()) {
        return picture;
    }
    // The rows are read a band at a time into a buffer that stays in the cache,
    // and each band turned into the parts of the columns it holds.
    const int bandRows = std::min(kBandRows, static_cast<int>(height));
    PixelBuffer band(stride * static_cast<std::size_t>(bandRows));
    if (!source.Seek(rowsOffset)) {
        return Status::Fail("the file could not be read");
    }
    const auto rowStride = static_cast<std::ptrdiff_t>(stride);
    for (int first = 0; first < picture.height; first += bandRows) {
        const int n = std::min(bandRows, picture.height - first);
        if (!source.Read(band.data(), stride * static_cast<std::size_t>(n))) {
            return Status::Fail("the file could not be read");
        }
        // Stored bottom row first unless the height says top down.
        const int topRow = topDown ? first : picture.height - first - n;
        TransposeBytes(topDown ? band.data() : band.data() + (n - 1) * rowStride,
                       topDown ? rowStride : -rowStride, picture.pixels.data() + topRow,
                       picture.height, n, picture.width);
    }
    return picture;
}

Result<Tile> ReadTileBitmap(std::span<const std::uint8_t> bytes) {
    MemorySource source(bytes);
    return ReadTileBitmap(source);
}

Result<Tile> ReadTileBitmapFile(const std::string& path) {
    // A small buffer for the headers; the rows go straight into their band.
    auto source = FileSource::Open(path, 4096);
    if (!source) {
        return Status::Fail(source.reason());
    }
    return ReadTileBitmap(*source);
}

void ReplacePicture(Tile& tile, Tile&& picture) {
    tile.width = picture.width;
    tile.height = picture.height;
    tile.pixels = std::move(picture.pixels);
}

}  // namespace pixmill
