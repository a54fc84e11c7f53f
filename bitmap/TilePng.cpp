#include "bitmap/TilePng.h"

#include <png.h>

#include <algorithm>
#include <cctype>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <optional>

#include "bitmap/ColourMatch.h"
#include "bitmap/TileBitmap.h"
#include "common/Transpose.h"

namespace pixmill {
namespace {

// Rows turned between the tile's columns and the PNG's rows at a time, so that
// the band stays in the cache.
constexpr int kBandRows = 64;
// Deflate cannot pack more than 1032 bytes into one: a picture whose rows need
// more than that many times the file's length cannot be in the file.
constexpr std::int64_t kMostDeflateRatio = 1032;
// The first 33 bytes: the signature, then the IHDR chunk's length, type and data.
constexpr std::size_t kHeadLength = 33;
constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Ancillary chunks (colour profiles, texts) are never needed; this caps what
// libpng may allocate for any one of them, and how many it keeps.
constexpr png_alloc_size_t kMostChunkBytes = 8u << 20;
constexpr png_uint_32 kMostAncillaryChunks = 256;

// What libpng's callbacks reach: where the bytes come from or go, and the first
// error it reported.
struct PngIo {
    ByteSource* source = nullptr;
    ByteSink* sink = nullptr;
    char message[160] = {};
};

void OnError(png_structp png, png_const_charp text) {
    auto* io = static_cast<PngIo*>(png_get_error_ptr(png));
    if (io->message[0] == '\0') {
        std::snprintf(io->message, sizeof io->message, "%s", text);
    }
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void OnRead(png_structp png, png_bytep data, std::size_t n) {
    auto* io = static_cast<PngIo*>(png_get_io_ptr(png));
    if (!io->source->Read(data, n)) {
        png_error(png, "the file ends early");
    }
}

void OnWrite(png_structp png, png_bytep data, std::size_t n) {
    auto* io = static_cast<PngIo*>(png_get_io_ptr(png));
    if (!io->sink->Write(data, n)) {
        png_error(png, "cannot write");
    }
}

void OnFlush(png_structp) {}

std::string Reason(const PngIo& io) {
    return io.message[0] != '\0' ? std::string("libpng: ") + io.message
                                 : std::string("libpng failed");
}

std::uint32_t BigEndian32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 |
           std::uint32_t{p[3]};
}

// The functions below that call setjmp hold nothing with a destructor, since
// libpng leaves them by longjmp on any error; the objects live in their callers.

struct WriteJob {
    const Tile* tile;
    const png_color* colours;
    std::uint8_t* band;  // kBandRows rows of the tile's width
};

bool EncodePng(png_structp png, png_infop info, const WriteJob& job) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    const Tile& tile = *job.tile;
    png_set_IHDR(png, info, static_cast<png_uint_32>(tile.width),
                 static_cast<png_uint_32>(tile.height), 8, PNG_COLOR_TYPE_PALETTE,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(png, info, job.colours, 256);
    // Filters rarely help indexed pictures, and the tiles are small.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_write_info(png, info);
    png_bytep rows[kBandRows];
    for (int first = 0; first < tile.height; first += kBandRows) {
        const int n = std::min(kBandRows, tile.height - first);
        TransposeBytes(tile.pixels.data() + first, tile.height, job.band, tile.width, tile.width,
                       n);
        for (int r = 0; r < n; ++r) {
            rows[r] = job.band + static_cast<std::ptrdiff_t>(r) * tile.width;
        }
        png_write_rows(png, rows, static_cast<png_uint_32>(n));
    }
    png_write_end(png, info);
    return true;
}

bool ReadPngInfo(png_structp png, png_infop info) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_read_info(png, info);
    return true;
}

// Sets the reading up: one byte an index, or three bytes of 8-bit RGB. Gives
// the number of passes over the rows (more than one when interlaced), 0 on error.
int PreparePngRows(png_structp png, png_infop info, bool toRgb) {
    if (setjmp(png_jmpbuf(png))) {
        return 0;
    }
    if (toRgb) {
        png_set_expand(png);
        png_set_strip_16(png);
        png_set_strip_alpha(png);
        png_set_gray_to_rgb(png);
    } else {
        png_set_packing(png);
    }
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return passes;
}

bool ReadPngRows(png_structp png, png_bytepp rows, png_uint_32 count) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_read_rows(png, rows, nullptr, count);
    return true;
}

class ReadStruct {
  public:
    explicit ReadStruct(PngIo& io) {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, &io, OnError, OnWarning);
        info_ = png_ != nullptr ? png_create_info_struct(png_) : nullptr;
    }
    ~ReadStruct() { png_destroy_read_struct(&png_, info_ != nullptr ? &info_ : nullptr, nullptr); }
    ReadStruct(const ReadStruct&) = delete;
    ReadStruct& operator=(const ReadStruct&) = delete;
    png_structp png() const { return png_; }
    png_infop info() const { return info_; }

  private:
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

class WriteStruct {
  public:
    explicit WriteStruct(PngIo& io) {
        png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, &io, OnError, OnWarning);
        info_ = png_ != nullptr ? png_create_info_struct(png_) : nullptr;
    }
    ~WriteStruct() { png_destroy_write_struct(&png_, info_ != nullptr ? &info_ : nullptr); }
    WriteStruct(const WriteStruct&) = delete;
    WriteStruct& operator=(const WriteStruct&) = delete;
    png_structp png() const { return png_; }
    png_infop info() const { return info_; }

  private:
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

// The picture's size and kind from the file's first bytes, checked before
// libpng sees the file: against the tile limits, and against how many bytes
// the file would need at the least to hold that many pixels.
struct PngHead {
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool indexed = false;
};

Result<PngHead> CheckPngHead(ByteSource& source) {
    const std::int64_t fileSize = source.Size();
    std::uint8_t head[kHeadLength];
    if (fileSize < static_cast<std::int64_t>(kHeadLength) || !source.Seek(0) ||
        !source.Read(head, sizeof head)) {
        return Status::Fail("the file is " + std::to_string(fileSize) +
                            " bytes long, too short for a PNG");
    }
    if (!std::equal(std::begin(kSignature), std::end(kSignature), head) ||
        std::memcmp(head + 12, "IHDR", 4) != 0) {
        return Status::Fail("not a PNG file");
    }
    PngHead png;
    png.width = BigEndian32(head + 16);
    png.height = BigEndian32(head + 20);
    const int depth = head[24];
    const int colourType = head[25];
    png.indexed = colourType == PNG_COLOR_TYPE_PALETTE;
    if (png.width < 1 || png.height < 1 || png.width > kMaxTileSide || png.height > kMaxTileSide) {
        return Status::Fail("it is " + std::to_string(png.width) + " x " +
                            std::to_string(png.height) + " pixels; a tile is 1 x 1 to " +
                            std::to_string(kMaxTileSide) + " x " + std::to_string(kMaxTileSide));
    }
    const int channels = colourType == PNG_COLOR_TYPE_RGB          ? 3
                         : colourType == PNG_COLOR_TYPE_RGB_ALPHA  ? 4
                         : colourType == PNG_COLOR_TYPE_GRAY_ALPHA ? 2
                                                                   : 1;
    const std::int64_t rowBytes = 1 + (png.width * channels * std::max(depth, 1) + 7) / 8;
    if (rowBytes * png.height > fileSize * kMostDeflateRatio) {
        return Status::Fail("the file is " + std::to_string(fileSize) +
                            " bytes long, too short for a picture of " + std::to_string(png.width) +
                            " x " + std::to_string(png.height) + " pixels");
    }
    return png;
}

Status CheckPngSize(const Tile& tile) {
    if (tile.width < 1 || tile.height < 1) {
        return Status::Fail("the tile is " + std::to_string(tile.width) + " x " +
                            std::to_string(tile.height) + ", and a PNG holds at least 1 x 1");
    }
    return Status::Ok();
}

}  // namespace

bool IsPngPath(std::string_view path) {
    if (path.size() < 4) {
        return false;
    }
    std::string_view end = path.substr(path.size() - 4);
    return std::equal(end.begin(), end.end(), ".png", [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

std::string BatchPngPath(std::string_view chosenPath, int n) {
    std::string path = BatchBitmapPath(chosenPath, n);
    path.replace(path.size() - 4, 4, ".PNG");
    return path;
}

Status WriteTilePng(const Tile& tile, const Palette& palette, ByteSink& sink) {
    if (Status size = CheckPngSize(tile); !size) {
        return size;
    }
    png_color colours[256];
    for (std::size_t i = 0; i < palette.size(); ++i) {
        colours[i] = {palette[i].red, palette[i].green, palette[i].blue};
    }
    PixelBuffer band(static_cast<std::size_t>(tile.width) *
                     static_cast<std::size_t>(std::min(kBandRows, int{tile.height})));
    PngIo io;
    io.sink = &sink;
    WriteStruct png(io);
    if (png.info() == nullptr) {
        return Status::Fail("out of memory");
    }
    png_set_write_fn(png.png(), &io, OnWrite, OnFlush);
    if (!EncodePng(png.png(), png.info(), WriteJob{&tile, colours, band.data()})) {
        return Status::Fail(Reason(io));
    }
    return Status::Ok();
}

Result<std::vector<std::uint8_t>> TilePngBytes(const Tile& tile, const Palette& palette) {
    VectorSink sink;
    if (Status written = WriteTilePng(tile, palette, sink); !written) {
        return written;
    }
    return std::move(sink.bytes());
}

Status WriteTilePngFile(const Tile& tile, const Palette& palette, const std::string& path,
                        Flush flush) {
    // Refused before anything is created.
    if (Status size = CheckPngSize(tile); !size) {
        return size;
    }
    return WriteFileAtomically(
        path, [&](ByteSink& sink) { return WriteTilePng(tile, palette, sink); }, flush);
}

Result<PngPicture> ReadTilePng(ByteSource& source, const Palette* matchTo) {
    auto head = CheckPngHead(source);
    if (!head) {
        return Status::Fail(head.reason());
    }
    if (!head->indexed && matchTo == nullptr) {
        return Status::Fail(std::string(kOnlyIndexedPngs));
    }
    if (!source.Seek(0)) {
        return Status::Fail("the file could not be read");
    }
    PngIo io;
    io.source = &source;
    ReadStruct png(io);
    if (png.info() == nullptr) {
        return Status::Fail("out of memory");
    }
    png_set_read_fn(png.png(), &io, OnRead);
    png_set_user_limits(png.png(), kMaxTileSide, kMaxTileSide);
    png_set_chunk_malloc_max(png.png(), kMostChunkBytes);
    png_set_chunk_cache_max(png.png(), kMostAncillaryChunks);
    if (!ReadPngInfo(png.png(), png.info())) {
        return Status::Fail(Reason(io));
    }
    // libpng read the same header; what it holds now is what was checked.
    const auto width = static_cast<std::int64_t>(png_get_image_width(png.png(), png.info()));
    const auto height = static_cast<std::int64_t>(png_get_image_height(png.png(), png.info()));
    if (width != head->width || height != head->height) {
        return Status::Fail("its header could not be read");
    }
    PngPicture picture;
    png_colorp plte = nullptr;
    int plteCount = 0;
    if (head->indexed && png_get_PLTE(png.png(), png.info(), &plte, &plteCount) != 0) {
        for (int i = 0; i < plteCount; ++i) {
            picture.colourTable.push_back({plte[i].red, plte[i].green, plte[i].blue});
        }
    }
    const bool toRgb = !head->indexed;
    const int passes = PreparePngRows(png.png(), png.info(), toRgb);
    const std::size_t pixelBytes = toRgb ? 3 : 1;
    if (passes == 0 ||
        png_get_rowbytes(png.png(), png.info()) != static_cast<std::size_t>(width) * pixelBytes) {
        return Status::Fail(passes == 0 ? Reason(io) : "its pixels are of an unexpected kind");
    }

    Tile& tile = picture.tile;
    tile.width = static_cast<std::int16_t>(width);
    tile.height = static_cast<std::int16_t>(height);
    tile.pixels.resize(tile.PixelCount());
    // An interlaced picture is complete only after its last pass, so it is read
    // whole; any other a band of rows at a time.
    const int bandRows = passes > 1 ? tile.height : std::min(kBandRows, int{tile.height});
    const std::size_t rowBytes = static_cast<std::size_t>(width) * pixelBytes;
    PixelBuffer band(rowBytes * static_cast<std::size_t>(bandRows));
    PixelBuffer indices(toRgb ? static_cast<std::size_t>(width) * static_cast<std::size_t>(bandRows)
                              : 0);
    std::vector<png_bytep> rows(static_cast<std::size_t>(bandRows));
    std::optional<NearestColour> nearest;
    if (toRgb) {
        nearest.emplace(*matchTo);
    }
    for (int first = 0; first < tile.height; first += bandRows) {
        const int n = std::min(bandRows, tile.height - first);
        for (int r = 0; r < n; ++r) {
            rows[static_cast<std::size_t>(r)] =
                band.data() + static_cast<std::size_t>(r) * rowBytes;
        }
        for (int pass = 0; pass < passes; ++pass) {
            if (!ReadPngRows(png.png(), rows.data(), static_cast<png_uint_32>(n))) {
                return Status::Fail(Reason(io));
            }
        }
        const std::uint8_t* rowMajor = band.data();
        if (toRgb) {
            const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(n);
            for (std::size_t i = 0; i < count; ++i) {
                const std::uint8_t* rgb = band.data() + 3 * i;
                indices[i] = (*nearest)(rgb[0], rgb[1], rgb[2]);
            }
            rowMajor = indices.data();
        }
        TransposeBytes(rowMajor, tile.width, tile.pixels.data() + first, tile.height, n,
                       tile.width);
    }
    if (head->indexed && matchTo != nullptr) {
        MapPixels(tile, MatchColourTable(picture.colourTable, *matchTo));
    }
    return picture;
}

Result<PngPicture> ReadTilePng(std::span<const std::uint8_t> bytes, const Palette* matchTo) {
    MemorySource source(bytes);
    return ReadTilePng(source, matchTo);
}

Result<PngPicture> ReadTilePngFile(const std::string& path, const Palette* matchTo) {
    auto source = FileSource::Open(path, 1 << 16);
    if (!source) {
        return Status::Fail(source.reason());
    }
    return ReadTilePng(*source, matchTo);
}

}  // namespace pixmill
