#include "bitmap/TilePng.h"

#include <png.h>

#include <algorithm>
#include <cctype>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>

#include "bitmap/ColourMatch.h"
#include "bitmap/PictureFile.h"
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
// An interlaced picture is complete only after its last pass, so it is held
// whole while it is read, at four bytes a pixel unless indexed.
constexpr std::size_t kMostInterlacedBytes = std::size_t{256} << 20;

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

// Sets the reading up: one byte an index, or four bytes of 8-bit red, green,
// blue and alpha (opaque where the picture has no alpha). Gives the number of
// passes over the rows (more than one when interlaced), 0 on error.
int PreparePngRows(png_structp png, png_infop info, bool indexed) {
    if (setjmp(png_jmpbuf(png))) {
        return 0;
    }
    if (indexed) {
        png_set_packing(png);
    } else {
        png_set_expand(png);
        png_set_scale_16(png);
        png_set_gray_to_rgb(png);
        png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
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

// A PNG's rows as a picture: an indexed PNG's indices with its colour table
// (and the alpha its tRNS chunk gives each entry), any other PNG's colours.
class PngPictureReader final : public PictureReader {
  public:
    explicit PngPictureReader(ByteSource& source) : png_(io_) { io_.source = &source; }
    PngPictureReader(const PngPictureReader&) = delete;
    PngPictureReader& operator=(const PngPictureReader&) = delete;

    Status Open(const PngHead& checked) {
        if (png_.info() == nullptr) {
            return Status::Fail("out of memory");
        }
        png_structp png = png_.png();
        png_infop info = png_.info();
        png_set_read_fn(png, &io_, OnRead);
        png_set_user_limits(png, kMaxTileSide, kMaxTileSide);
        png_set_chunk_malloc_max(png, kMostChunkBytes);
        png_set_chunk_cache_max(png, kMostAncillaryChunks);
        if (!ReadPngInfo(png, info)) {
            return Status::Fail(Reason(io_));
        }
        // libpng read the same header; what it holds now is what was checked.
        if (png_get_image_width(png, info) != checked.width ||
            png_get_image_height(png, info) != checked.height) {
            return Status::Fail("its header could not be read");
        }
        head_.width = static_cast<int>(checked.width);
        head_.height = static_cast<int>(checked.height);
        head_.indexed = checked.indexed;
        png_colorp plte = nullptr;
        int plteCount = 0;
        if (head_.indexed && png_get_PLTE(png, info, &plte, &plteCount) != 0) {
            for (int i = 0; i < plteCount; ++i) {
                head_.colours.push_back({plte[i].red, plte[i].green, plte[i].blue});
            }
        }
        head_.alphas.assign(head_.colours.size(), 255);
        png_bytep alphas = nullptr;
        int alphaCount = 0;
        if (head_.indexed && png_get_tRNS(png, info, &alphas, &alphaCount, nullptr) != 0) {
            for (int i = 0; i < alphaCount && i < plteCount; ++i) {
                head_.alphas[static_cast<std::size_t>(i)] = alphas[i];
            }
        }
        passes_ = PreparePngRows(png, info, head_.indexed);
        if (passes_ == 0) {
            return Status::Fail(Reason(io_));
        }
        if (png_get_rowbytes(png, info) != head_.RowBytes()) {
            return Status::Fail("its pixels are of an unexpected kind");
        }
        if (passes_ > 1 &&
            head_.RowBytes() * static_cast<std::size_t>(head_.height) > kMostInterlacedBytes) {
            return Status::Fail("it is interlaced, and too large to be read whole");
        }
        return Status::Ok();
    }

    Status ReadRows(std::uint8_t* out, int count) override {
        if (count < 0 || count > head_.height - next_) {
            return Status::Fail("the picture has no more rows");
        }
        const std::size_t rowBytes = head_.RowBytes();
        if (passes_ > 1) {
            // An interlaced picture is complete only after its last pass, so
            // it is read whole the first time rows are asked for.
            if (Status read = ReadWhole(); !read) {
                return read;
            }
            std::memcpy(out, whole_.data() + static_cast<std::size_t>(next_) * rowBytes,
                        rowBytes * static_cast<std::size_t>(count));
        } else if (count > 0) {
            rows_.resize(static_cast<std::size_t>(count));
            for (std::size_t r = 0; r < rows_.size(); ++r) {
                rows_[r] = out + r * rowBytes;
            }
            if (!ReadPngRows(png_.png(), rows_.data(), static_cast<png_uint_32>(count))) {
                return Status::Fail(Reason(io_));
            }
        }
        next_ += count;
        return Status::Ok();
    }

  private:
    Status ReadWhole() {
        if (!whole_.empty()) {
            return Status::Ok();
        }
        const std::size_t rowBytes = head_.RowBytes();
        whole_.resize(rowBytes * static_cast<std::size_t>(head_.height));
        rows_.resize(static_cast<std::size_t>(head_.height));
        for (std::size_t r = 0; r < rows_.size(); ++r) {
            rows_[r] = whole_.data() + r * rowBytes;
        }
        for (int pass = 0; pass < passes_; ++pass) {
            if (!ReadPngRows(png_.png(), rows_.data(), static_cast<png_uint_32>(head_.height))) {
                return Status::Fail(Reason(io_));
            }
        }
        return Status::Ok();
    }

    PngIo io_;  // before png_, which reports to it
    ReadStruct png_;
    int passes_ = 1;
    int next_ = 0;
    PixelBuffer whole_;
    std::vector<png_bytep> rows_;
};

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

Result<std::unique_ptr<PictureReader>> OpenPngPicture(ByteSource& source) {
    auto head = CheckPngHead(source);
    if (!head) {
        return Status::Fail(head.reason());
    }
    if (!source.Seek(0)) {
        return Status::Fail("the file could not be read");
    }
    auto picture = std::make_unique<PngPictureReader>(source);
    if (Status opened = picture->Open(*head); !opened) {
        return opened;
    }
    return std::unique_ptr<PictureReader>(std::move(picture));
}

Result<PngPicture> ReadTilePng(ByteSource& source, const Palette* matchTo) {
    auto head = CheckPngHead(source);
    if (!head) {
        return Status::Fail(head.reason());
    }
    if (!head->indexed && matchTo == nullptr) {
        return Status::Fail(std::string(kOnlyIndexedPngs));
    }
    auto reader = OpenPngPicture(source);
    if (!reader) {
        return Status::Fail(reader.reason());
    }
    PngPicture picture;
    if ((*reader)->head().indexed) {
        picture.colourTable = (*reader)->head().colours;
    }
    auto tile = matchTo != nullptr ? MatchPictureToPalette(**reader, *matchTo, false)
                                   : PictureIndicesAsTheyAre(**reader);
    if (!tile) {
        return Status::Fail(tile.reason());
    }
    picture.tile = std::move(*tile);
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
