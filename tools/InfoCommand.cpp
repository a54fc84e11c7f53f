// pixmill-tool info: the header and one line per tile, one record to a line and
// the record's kind as its first word, so scripts can pick lines with awk or grep.

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "editing/Attributes.h"
#include "tileset/ArtFile.h"
#include "tools/Commands.h"
#include "tools/ToolSupport.h"

namespace pixmill::tool {

Status RunInfo(Arguments args) {
    const std::string& path = args[0];
    auto source = FileSource::Open(path);
    if (!source) {
        return FileFailure("open", path, source.reason());
    }
    // The tile-count field is not kept in a tileset, so the header is read on its own.
    auto header = ReadArtHeader(*source);
    if (!header) {
        return FileFailure("open", path, header.reason());
    }
    auto tileset = ReadArt(*source);
    if (!tileset) {
        return FileFailure("open", path, tileset.reason());
    }

    std::printf("version %d\n", header->version);
    std::printf("tile-count-field %d\n", header->tileCountField);
    std::printf("first-tile-number %d\n", tileset->firstTileNumber);
    std::printf("last-tile-number %d\n", tileset->lastTileNumber);
    std::printf("tiles %d\n", tileset->tileCount());
    std::printf("file-number %d\n", ArtFileNumber(path));
    std::printf(
        "# tile position size byte0 byte1 byte2 byte3 frames type x-offset y-offset speed\n");
    for (int position = 1; position <= tileset->tileCount(); ++position) {
        const Tile& tile = tileset->tile(position);
        const TileAttributes& a = tile.attributes;
        const ShownAttributes shown = UnpackAttributes(a);
        std::printf("tile %d %dx%d %02x %02x %02x %02x %d %s %d %d %d\n", position, tile.width,
                    tile.height, a[0], a[1], a[2], a[3], shown.frameCount,
                    std::string(AnimTypeName(shown.animType)).c_str(), ShownXOffset(a),
                    ShownYOffset(a), a[3]);
    }
    // A listing cut short (a full disk, a closed pipe) must not pass for a whole one.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        return Status::Fail(std::string("cannot write the listing: ") + std::strerror(errno));
    }
    return Status::Ok();
}

}  // namespace pixmill::tool
