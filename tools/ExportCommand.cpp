// pixmill-tool export: tiles FIRST..LAST as numbered 8-bit bitmaps, or indexed
// PNGs when OUT_BASE ends in .png. FIRST alone exports just that tile; no
// numbers export every tile.

#include <cstdio>
#include <exception>
#include <new>
#include <optional>
#include <vector>

#include "bitmap/TileBitmap.h"
#include "bitmap/TilePng.h"
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
};

// The file's bytes, or why there are none.
Result<std::vector<std::uint8_t>> Encode(const Tile& tile, const Palette& palette, bool png) {
    try {
        if (png) {
            return TilePngBytes(tile, palette);
        }
        return TileBitmapBytes(tile, palette);
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
    const bool png = IsPngPath(base);
    std::vector<Target> targets;
    for (int position = *first; position <= *last; ++position) {
        const int n = position - *first + 1;
        Target target{png ? BatchPngPath(base, n) : BatchBitmapPath(base + ".BMP", n), position};
        if (Status replaceable = CheckReplaceable(target.path); !replaceable) {
            return FileFailure("write", target.path, replaceable.reason());
        }
        targets.push_back(std::move(target));
    }

    // The whole batch is written under temporary names first, and put in place
    // only when every file is complete: a failure changes no file.
    FileBatch batch;
    std::vector<int> skipped;
    for (const Target& target : targets) {
        const Tile& tile = tileset->tile(target.position);
        if (png && tile.PixelCount() == 0) {
            skipped.push_back(target.position);
            continue;
        }
        auto bytes = Encode(tile, *palette, png);
        if (!bytes) {
            return FileFailure("write", target.path, bytes.reason());
        }
        if (Status written = batch.Add(target.path, *bytes); !written) {
            return FileFailure("write", target.path, written.reason());
        }
    }
    if (Status placed = batch.Commit(); !placed) {
        return Status::Fail(placed.reason());
    }
    // Its number stays unused, so the others keep the numbers of their tiles.
    for (int position : skipped) {
        std::fprintf(stderr, "pixmill-tool: tile %d is 0 x 0, which a PNG cannot hold; skipped\n",
                     position);
    }
    return Status::Ok();
}

}  // namespace pixmill::tool
