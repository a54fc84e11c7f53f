// pixmill-tool palette: load one palette file and export it as another, each
// format chosen from the file's name as the editor chooses it.

#include "palette/PaletteFile.h"
#include "tools/Commands.h"
#include "tools/ToolSupport.h"

namespace pixmill::tool {

Status RunPalette(Arguments args) {
    const std::string& in = args[0];
    const std::string& out = args[1];
    auto palette = ReadPaletteFile(in);
    if (!palette) {
        return FileFailure("open", in, palette.reason());
    }
    if (Status written = WritePaletteFile(*palette, out); !written) {
        return FileFailure("write", out, written.reason());
    }
    return Status::Ok();
}

}  // namespace pixmill::tool
