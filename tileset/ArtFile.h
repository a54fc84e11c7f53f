#pragma once
// Reading and writing Build Engine ART files.
//
// Layout (little-endian): version, tile-count field, first and last tile number
// (4 bytes each); then n widths (2 bytes), n heights (2 bytes), n x 4 attribute
// bytes; then every tile's pixels, column by column, with no gaps. n is always
// last - first + 1; the tile-count field is ignored on reading. A newer
// commercial game puts the 8 bytes "BUILDART" before the version, which
// engines skip: such a file is read so and written back with them.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/ByteBlock.h"
#include "common/ByteIo.h"
#include "common/Result.h"
#include "tileset/Tileset.h"

namespace pixmill {

// The 8 bytes some files carry before the version.
inline constexpr std::string_view kBuildArtPrefix = "BUILDART";

struct ArtHeader {
    bool buildArtPrefix = false;
    std::int32_t version = 0;
    std::int32_t tileCountField = 0;
    std::int32_t firstTileNumber = 0;
    std::int32_t lastTileNumber = 0;
};

// The four header values as stored (after "BUILDART" when the file begins
// with it), without any check beyond the length.
Result<ArtHeader> ReadArtHeader(ByteSource& source);

// The header of a file of fileSize bytes whose first bytes are given, checked
// as a reader checks it: a version of 1, a tile count within the format's
// limits, tables that fit in the file. The tile count, or why the file is no
// ART file. Enough for listing a folder's files without reading them whole.
struct CheckedArtHeader {
    ArtHeader header;
    int tileCount = 0;
};
Result<CheckedArtHeader> CheckArtHeader(std::span<const std::uint8_t> firstBytes,
                                        std::int64_t fileSize);
// How many first bytes CheckArtHeader needs at most.
inline constexpr std::size_t kArtHeaderBytes = 24;

// A complete, checked tileset, or the reason the file was refused. Every size is
// checked against the file's length before anything is allocated. A header that
// no ART file has (version other than 1, tile numbers whose count the file
// cannot hold) is refused with a reason beginning "not an ART file". Sets the
// header values and tiles; artPath and artFileNumber are left empty and 0.
//
// The tiles' pixels look into one block holding the file's bytes up to the
// last pixel, read at once (see TilePixels); bytes after the last pixel are
// not read.
Result<Tileset> ReadArt(ByteSource& source);
// Copies the bytes once, since the caller keeps them.
Result<Tileset> ReadArt(std::span<const std::uint8_t> bytes);
// Bytes already in memory that the caller hands over: the tiles look into
// them and no pixel is copied.
Result<Tileset> ReadArt(SharedBytes bytes);
// Also sets artPath, artFileNumber and the file's stamp.
Result<Tileset> ReadArtFile(const std::string& path);

// Checks that the tileset can be written as an ART file at all.
Status CheckWritableAsArt(const Tileset& tileset);
Status WriteArt(const Tileset& tileset, ByteSink& sink);
Result<std::vector<std::uint8_t>> ArtBytes(const Tileset& tileset);
// Replaces the file at path only once the new one is complete.
Status WriteArtFile(const Tileset& tileset, const std::string& path);

// The number in the file's name: of the name's first eight characters the last
// three, read as leading decimal digits (TILES012.ART gives 12, A.ART gives 0).
int ArtFileNumber(std::string_view path);

}  // namespace pixmill
