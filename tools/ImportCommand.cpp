// pixmill-tool import: a bitmap replaces the picture of one tile (its attribute
// bytes stay) and the tileset is written to a new ART file.

#include "bitmap/TileBitmap.h"
#include "tileset/ArtFile.h"
#include "tools/Commands.h"
#include "tools/ToolSupport.h"

namespace pixmill::tool {

Status CheckImportUsage(Arguments args) {
    // TILE's form; its range needs the tileset and is a refusal, not misuse.
    auto typed = ParseWholeNumber(args[1], "TILE");
    return typed ? Status::Ok() : Status::Fail(typed.reason());
}

Status RunImport(Arguments args) {
    const std::string& in = args[0];
    const std::string& bitmapPath = args[2];
    const std::string& out = args[3];
    auto tileset = ReadArtFile(in);
    if (!tileset) {
        return FileFailure("open", in, tileset.reason());
    }
    auto position = ParseTilePosition(args[1], "TILE", tileset->tileCount());
    if (!position) {
        return Status::Fail(position.reason());
    }
    auto picture = ReadTileBitmapFile(bitmapPath);
    if (!picture) {
        return FileFailure("import", bitmapPath, picture.reason());
    }
    ReplacePicture(tileset->tile(*position), std::move(*picture));
    if (Status written = WriteArtFile(*tileset, out); !written) {
        return FileFailure("write", out, written.reason());
    }
    return Status::Ok();
}

}  // namespace pixmill::tool
