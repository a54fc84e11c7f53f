// pixmill-tool resave: read an ART file and write it back as the editor saves it,
// which also sets the tile-count field to the real number of tiles.

#include "tileset/ArtFile.h"
#include "tools/Commands.h"
#include "tools/ToolSupport.h"

namespace pixmill::tool {

Status RunResave(Arguments args) {
    const std::string& in = args[0];
    const std::string& out = args[1];
    auto tileset = ReadArtFile(in);
    if (!tileset) {
        return FileFailure("open", in, tileset.reason());
    }
    if (Status written = WriteArtFile(*tileset, out); !written) {
        return FileFailure("write", out, written.reason());
    }
    return Status::Ok();
}

}  // namespace pixmill::tool
