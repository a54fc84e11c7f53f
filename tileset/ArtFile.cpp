#include "tileset/ArtFile.h"

#include <algorithm>
#include <climits>
#include <string_view>

#include "common/AtomicFile.h"
#include "common/ByteBlock.h"

namespace pixmill {
namespace {

constexpr std::int64_t kHeaderSize = 16;
constexpr std::size_t kSmallReadBuffer = 4096;
// Files up to this size are read whole at once, a system call fewer than
// reading the tables first. Beyond it (a file far larger than any tileset's
// bytes, picked by mistake) only the bytes the tables claim are read.
constexpr std::int64_t kReadWholeUpTo = std::int64_t{64} << 20;
// Refusals of a file whose header cannot belong to an ART file (a palette or a
// picture picked by mistake) begin so, apart from damage inside a real one.
constexpr std::string_view kNotArt = "not an ART file: ";

std::string TileText(int position) {
    return "tile " + std::to_string(position);
}

}  // namespace

namespace {

// The header's offset: 8 for a file that begins with "BUILDART".
std::int64_t HeaderStart(bool prefixed) {
    return prefixed ? static_cast<std::int64_t>(kBuildArtPrefix.size()) : 0;
}

bool BeginsWithPrefix(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= kBuildArtPrefix.size() &&
           std::equal(kBuildArtPrefix.begin(), kBuildArtPrefix.end(), bytes.begin(),
                      [](char c, std::uint8_t b) { return static_cast<std::uint8_t>(c) == b; });
}

// The header from a file's first bytes (fewer when the file is shorter).
Result<ArtHeader> HeaderFromBytes(std::span<const std::uint8_t> bytes, std::int64_t fileSize) {
    const bool prefixed = BeginsWithPrefix(bytes);
    const std::int64_t start = HeaderStart(prefixed);
    if (fileSize < start + kHeaderSize ||
        static_cast<std::int64_t>(bytes.size()) < start + kHeaderSize) {
        return Status::Fail(std::string(kNotArt) + "the file is " + std::to_string(fileSize) +
                            " bytes long, too short for an ART header");
    }
    const std::uint8_t* at = bytes.data() + start;
    ArtHeader header{prefixed, GetI32(at), GetI32(at + 4), GetI32(at + 8), GetI32(at + 12)};
    return header;
}

}  // namespace

Result<ArtHeader> ReadArtHeader(ByteSource& source) {
    std::uint8_t bytes[kArtHeaderBytes];
    const std::size_t n =
        static_cast<std::size_t>(std::min<std::int64_t>(source.Size(), sizeof bytes));
    if (!source.Seek(0) || !source.Read(bytes, n)) {
        return Status::Fail("the file could not be read");
    }
    auto header = HeaderFromBytes({bytes, n}, source.Size());
    // The source is left at the tables.
    if (header && !source.Seek(HeaderStart(header->buildArtPrefix) + kHeaderSize)) {
        return Status::Fail("the file could not be read");
    }
    return header;
}

namespace {

// The count of tiles the header gives, checked against the limits of the format.
Result<int> CountOfTiles(const ArtHeader& header, const std::string& numbers) {
    const std::string notArt(kNotArt);
    // Every Build game refuses any other version, and it is the one field that
    // tells a palette or a picture from a tileset before the counts are read.
    if (header.version != 1) {
        return Status::Fail(notArt + "its version field is " + std::to_string(header.version) +
                            ", not 1");
    }
    const std::int64_t count = std::int64_t{header.lastTileNumber} - header.firstTileNumber + 1;
    if (count < 0) {
        return Status::Fail(notArt + "the last of " + numbers + " is below the first");
    }
    if (count > kMaxArtTiles) {
        return Status::Fail(notArt + numbers + " give " + std::to_string(count) +
                            " tiles; an ART file holds at most " + std::to_string(kMaxArtTiles));
    }
    return static_cast<int>(count);
}

std::string NumbersText(const ArtHeader& header) {
    return "its tile numbers (" + std::to_string(header.firstTileNumber) + " to " +
           std::to_string(header.lastTileNumber) + ")";
}

// Offsets from the version field on: a "BUILDART" file's are 8 more.
std::int64_t TablesEnd(int count) {
    return kHeaderSize + 8 * std::int64_t{count};
}

Status CheckTablesFit(int count, const std::string& numbers, std::int64_t fileSize) {
    const std::int64_t tablesEnd = TablesEnd(count);
    if (fileSize < tablesEnd) {
        return Status::Fail(std::string(kNotArt) + numbers + " give " + std::to_string(count) +
                            " tiles, whose tables need " + std::to_string(tablesEnd) +
                            " bytes, but the file is " + std::to_string(fileSize) + " bytes long");
    }
    return Status::Ok();
}

// Where the last tile's pixels end, every size checked against the file's
// length before any pixel storage exists.
Result<std::int64_t> PixelsEnd(const std::uint8_t* tables, int n, std::int64_t fileSize) {
    const std::uint8_t* widths = tables;
    const std::uint8_t* heights = widths + 2 * n;
    std::int64_t end = TablesEnd(n);
    for (int i = 0; i < n; ++i) {
        const std::int16_t width = GetI16(widths + 2 * i);
        const std::int16_t height = GetI16(heights + 2 * i);
        if (width < 0 || height < 0) {
            return Status::Fail(TileText(i + 1) + " has a negative " +
                                (width < 0 ? "width (" + std::to_string(width) + ")"
                                           : "height (" + std::to_string(height) + ")"));
        }
        end += std::int64_t{width} * height;
        if (end > fileSize) {
            return Status::Fail("the file ends inside the pixels of " + TileText(i + 1) + " (" +
                                std::to_string(fileSize) + " bytes, " + std::to_string(end) +
                                " needed)");
        }
    }
    if (end > INT32_MAX) {
        return Status::Fail("its pixel data runs past 2 GiB, beyond what an ART file can address");
    }
    return end;
}

// The header checked, with the tables checked to fit in fileSize bytes from
// the version field on.
Result<CheckedArtHeader> CheckHeader(const ArtHeader& header, std::int64_t fileSize) {
    const std::string numbers = NumbersText(header);
    auto count = CountOfTiles(header, numbers);
    if (!count) {
        return Status::Fail(count.reason());
    }
    if (Status fits = CheckTablesFit(*count, numbers, fileSize); !fits) {
        return fits;
    }
    return CheckedArtHeader{header, *count};
}

// The header read from the start of source and checked, with the tables
// checked to fit in it; the source is then at the tables.
Result<CheckedArtHeader> ReadCheckedHeader(ByteSource& source) {
    auto header = ReadArtHeader(source);
    if (!header) {
        return Status::Fail(header.reason());
    }
    return CheckHeader(*header, source.Size() - HeaderStart(header->buildArtPrefix));
}

}  // namespace

Result<CheckedArtHeader> CheckArtHeader(std::span<const std::uint8_t> firstBytes,
                                        std::int64_t fileSize) {
    auto header = HeaderFromBytes(firstBytes, fileSize);
    if (!header) {
        return Status::Fail(header.reason());
    }
    return CheckHeader(*header, fileSize - HeaderStart(header->buildArtPrefix));
}

Result<Tileset> ReadArt(SharedBytes bytes) {
    if (bytes == nullptr) {
        return Status::Fail("no bytes were given");
    }
    const std::span<const std::uint8_t> file = bytes->bytes();
    MemorySource headerSource(file);
    const auto checked = ReadCheckedHeader(headerSource);
    if (!checked) {
        return Status::Fail(checked.reason());
    }
    const ArtHeader& header = checked->header;
    const int n = checked->tileCount;
    // Everything below counts from the version field.
    const std::span<const std::uint8_t> all =
        file.subspan(static_cast<std::size_t>(HeaderStart(header.buildArtPrefix)));
    const auto fileSize = static_cast<std::int64_t>(all.size());
    const std::uint8_t* tables = all.data() + kHeaderSize;
    if (auto end = PixelsEnd(tables, n, fileSize); !end) {
        return Status::Fail(end.reason());
    }

    Tileset tileset;
    tileset.buildArtPrefix = header.buildArtPrefix;
    tileset.artVersion = header.version;
    tileset.firstTileNumber = header.firstTileNumber;
    tileset.lastTileNumber = header.lastTileNumber;
    tileset.tiles.resize(static_cast<std::size_t>(n));
    const std::uint8_t* widths = tables;
    const std::uint8_t* heights = widths + 2 * n;
    const std::uint8_t* attributes = heights + 2 * n;
    const std::uint8_t* pixels = all.data() + TablesEnd(n);
    const std::shared_ptr<const void> owner = std::move(bytes);
    for (int i = 0; i < n; ++i) {
        Tile& tile = tileset.tiles[static_cast<std::size_t>(i)];
        tile.width = GetI16(widths + 2 * i);
        tile.height = GetI16(heights + 2 * i);
        for (int b = 0; b < 4; ++b) {
            tile.attributes[static_cast<std::size_t>(b)] = attributes[4 * i + b];
        }
        const std::size_t size = tile.PixelCount();
        tile.pixels.LookInto(owner, pixels, size);
        pixels += size;
    }
    return tileset;
}

Result<Tileset> ReadArt(ByteSource& source) {
    // The header and tables first, to learn how many bytes the tiles take: a
    // file far longer than its tiles (a wrong choice of file) is not read whole.
    const auto checked = ReadCheckedHeader(source);
    if (!checked) {
        return Status::Fail(checked.reason());
    }
    const int n = checked->tileCount;
    const std::int64_t start = HeaderStart(checked->header.buildArtPrefix);
    std::vector<std::uint8_t> tables(static_cast<std::size_t>(8 * n));
    if (!source.Read(tables.data(), tables.size())) {
        return Status::Fail("the file could not be read");
    }
    auto end = PixelsEnd(tables.data(), n, source.Size() - start);
    if (!end) {
        return Status::Fail(end.reason());
    }
    // Then everything up to the last pixel in one read, which the tiles look into.
    auto block = ByteBlock::Allocate(static_cast<std::size_t>(start + *end));
    if (!block) {
        return Status::Fail(block.reason());
    }
    if (!source.Seek(0) || !source.Read((*block)->data(), (*block)->size())) {
        return Status::Fail("the file could not be read");
    }
    // Checked again on the bytes kept: the file may have changed since its
    // tables were read.
    return ReadArt(SharedBytes(std::move(*block)));
}

Result<Tileset> ReadArt(std::span<const std::uint8_t> bytes) {
    MemorySource source(bytes);
    return ReadArt(source);
}

Result<Tileset> ReadArtFile(const std::string& path) {
    // Taken first: a change after it, even during the read, shows at a save.
    const FileStamp stamp = StampOf(path);
    // A small buffer: the header and tables come through it, the pixels go
    // straight from the file into the tileset's block.
    auto source = FileSource::Open(path, kSmallReadBuffer);
    if (!source) {
        return Status::Fail(source.reason());
    }
    Result<Tileset> tileset = Status::Fail("the file could not be read");
    if (source->Size() <= kReadWholeUpTo) {
        // One read of the whole file: the tiles look into it.
        auto block = ByteBlock::Allocate(static_cast<std::size_t>(source->Size()));
        if (!block) {
            return Status::Fail(block.reason());
        }
        if (!source->Read((*block)->data(), (*block)->size())) {
            return Status::Fail("the file could not be read");
        }
        tileset = ReadArt(SharedBytes(std::move(*block)));
    } else {
        tileset = ReadArt(*source);
    }
    if (tileset) {
        tileset->artPath = path;
        tileset->artFileNumber = ArtFileNumber(path);
        tileset->stamp = stamp;
    }
    return tileset;
}

Status CheckWritableAsArt(const Tileset& tileset) {
    const int n = tileset.tileCount();
    if (n > kMaxArtTiles) {
        return Status::Fail("the tileset holds " + std::to_string(n) +
                            " tiles; an ART file holds at most " + std::to_string(kMaxArtTiles));
    }
    if (std::int64_t{tileset.lastTileNumber} - tileset.firstTileNumber + 1 != n) {
        return Status::Fail("its tile numbers (" + std::to_string(tileset.firstTileNumber) +
                            " to " + std::to_string(tileset.lastTileNumber) +
                            ") do not match its " + std::to_string(n) + " tiles");
    }
    std::int64_t size = HeaderStart(tileset.buildArtPrefix) + kHeaderSize + 8 * std::int64_t{n};
    for (int i = 1; i <= n; ++i) {
        const Tile& tile = tileset.tile(i);
        if (tile.width < 0 || tile.height < 0 || tile.pixels.size() != tile.PixelCount()) {
            return Status::Fail(TileText(i) + " has a size that does not match its pixels");
        }
        size += static_cast<std::int64_t>(tile.PixelCount());
    }
    if (size > INT32_MAX) {
        return Status::Fail(
            "the file would be larger than 2 GiB, beyond what an ART file can address");
    }
    return Status::Ok();
}

Status WriteArt(const Tileset& tileset, ByteSink& sink) {
    if (Status writable = CheckWritableAsArt(tileset); !writable) {
        return writable;
    }
    const int n = tileset.tileCount();
    std::vector<std::uint8_t> head(static_cast<std::size_t>(kHeaderSize + 8 * n));
    PutI32(head.data(), tileset.artVersion);
    PutI32(head.data() + 4, n);
    PutI32(head.data() + 8, tileset.firstTileNumber);
    PutI32(head.data() + 12, tileset.lastTileNumber);
    std::uint8_t* widths = head.data() + kHeaderSize;
    std::uint8_t* heights = widths + 2 * n;
    std::uint8_t* attributes = heights + 2 * n;
    for (int i = 0; i < n; ++i) {
        const Tile& tile = tileset.tiles[static_cast<std::size_t>(i)];
        PutI16(widths + 2 * i, tile.width);
        PutI16(heights + 2 * i, tile.height);
        for (int b = 0; b < 4; ++b) {
            attributes[4 * i + b] = tile.attributes[static_cast<std::size_t>(b)];
        }
    }
    if (tileset.buildArtPrefix && !sink.Write(kBuildArtPrefix.data(), kBuildArtPrefix.size())) {
        return Status::Fail("cannot write");
    }
    if (!sink.Write(head.data(), head.size())) {
        return Status::Fail("cannot write");
    }
    for (const Tile& tile : tileset.tiles) {
        if (!sink.Write(tile.pixels.data(), tile.pixels.size())) {
            return Status::Fail("cannot write");
        }
    }
    return Status::Ok();
}

Result<std::vector<std::uint8_t>> ArtBytes(const Tileset& tileset) {
    VectorSink sink;
    if (Status written = WriteArt(tileset, sink); !written) {
        return written;
    }
    return std::move(sink.bytes());
}

Status WriteArtFile(const Tileset& tileset, const std::string& path) {
    // Refuse before a temporary file exists, so a refusal touches nothing on disk.
    if (Status writable = CheckWritableAsArt(tileset); !writable) {
        return writable;
    }
    return WriteFileAtomically(path,
                               [&tileset](ByteSink& sink) { return WriteArt(tileset, sink); });
}

int ArtFileNumber(std::string_view path) {
    const auto separator = path.find_last_of("/\\");
    std::string_view name = separator == std::string_view::npos ? path : path.substr(separator + 1);
    name = name.substr(0, 8);
    name = name.substr(name.size() < 3 ? 0 : name.size() - 3);
    int number = 0;
    for (char c : name) {
        if (c < '0' || c > '9') {
            break;
        }
        number = number * 10 + (c - '0');
    }
    return number;
}

}  // namespace pixmill
