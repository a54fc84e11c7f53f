// pixmill-tool export: tiles FIRST..LAST as numbered 8-bit bitmaps. FIRST alone
// exports just that tile; no numbers export every tile.

#include <sys/stat.h>

#include <cstdio>
#include <exception>
#include <new>
#include <optional>
#include <vector>

#include "bitmap/TileBitmap.h"
#include "common/AtomicFile.h"
#include "palette/PaletteFile.h"
#include "tileset/ArtFile.h"
#include "tools/Commands.h"
#include "tools/ToolSupport.h"

namespace pixmill::tool {
namespace {

struct Target {
    std::string path;
    int position = 0;
    bool existedBefore = false;
};

Status WriteOne(const Tile& tile, const Palette& palette, const std::string& path) {
    try {
        return WriteTileBitmapFile(tile, palette, path);
    } catch (const std::bad_alloc&) {
        return Status::Fail("out of memory");
    } catch (const std::exception& error) {
        return Status::Fail(error.what());
    }
}

}  // namespace

Status CheckExportUsage(Arguments args) {
    // FIRST and LAST; their range needs the tileset and is a refusal, not misuse.
    for (std::size_t i = 3; i < args.size(); ++i) {
        if (auto typed = ParseWholeNumber(args[i], i == 3 ? "FIRST" : "LAST"); !typed) {
            return Status::Fail(typed.reason());
        }
    }
    return Status::Ok();
}

Status RunExport(Arguments args) {
    const std::string& in = args[0];
    const std::string& palettePath = args[1];
    const std::string& base = args[2];
    const std::optional<std::string> firstText =
        args.size() > 3 ? std::optional(args[3]) : std::nullopt;
    const std::optional<std::string> lastText =
        args.size() > 4 ? std::optional(args[4]) : std::nullopt;

    if (base.empty()) {
        return Status::Fail("OUT_BASE is empty; give the start of the bitmaps' names");
    }
    auto tileset = ReadArtFile(in);
    if (!tileset) {
        return FileFailure("open", in, tileset.reason());
    }
    auto palette = ReadPaletteFile(palettePath);
    if (!palette) {
        return FileFailure("open", palettePath, palette.reason());
    }
    const int count = tileset->tileCount();
    if (count == 0) {
        return Status::Fail(in + " holds no tiles, so there is nothing to export");
    }
    auto first = firstText ? ParseTilePosition(*firstText, "FIRST", count) : Result<int>(1);
    if (!first) {
        return Status::Fail(first.reason());
    }
    auto last = lastText    ? ParseTilePosition(*lastText, "LAST", count)
                : firstText ? first
                            : Result<int>(count);
    if (!last) {
        return Status::Fail(last.reason());
    }
    if (*last < *first) {
        return Status::Fail("LAST (" + std::to_string(*last) + ") is below FIRST (" +
                            std::to_string(*first) + ")");
    }

    // Every name is known and checked before the first file is written.
    std::vector<Target> targets;
    for (int position = *first; position <= *last; ++position) {
        Target target;
        target.path = BatchBitmapPath(base + ".BMP", position - *first + 1);
        target.position = position;
        if (Status replaceable = CheckReplaceable(target.path); !replaceable) {
            return FileFailure("write", target.path, replaceable.reason());
        }
        struct stat info {};
        target.existedBefore = lstat(target.path.c_str(), &info) == 0;
        targets.push_back(std::move(target));
    }

    for (std::size_t i = 0; i < targets.size(); ++i) {
        const Target& target = targets[i];
        Status written = WriteOne(tileset->tile(target.position), *palette, target.path);
        if (written) {
            continue;
        }
        // A failed run leaves no bitmaps of its own behind; files that were there
        // before it are kept.
        std::string reason = written.reason();
        for (std::size_t k = 0; k < i; ++k) {
            if (!targets[k].existedBefore && std::remove(targets[k].path.c_str()) != 0) {
                reason += "; " + targets[k].path + " could not be removed";
            }
        }
        return FileFailure("write", target.path, reason);
    }
    return Status::Ok();
}

}  // namespace pixmill::tool
