// pixmill-tool export: tiles FIRST..LAST as numbered 8-bit bitmaps, or indexed
// PNGs when OUT_BASE ends in .png. FIRST alone exports just that tile; no
// numbers export every tile. With --game-numbers, FIRST and LAST are numbers
// in the game, IN may be a folder of a game's set, and each file takes its
// tile's game number.

#include <algorithm>
#include <climits>
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
    std::int64_t number = 0;  // in the file's name
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

namespace {

struct ExportArguments {
    bool gameNumbers = false;
    std::vector<std::string> positional;  // IN PALETTE OUT_BASE [FIRST [LAST]]
};

Result<ExportArguments> ParseExportArguments(Arguments args) {
    ExportArguments parsed;
    parsed.positional.assign(args.begin(), args.end());
    parsed.gameNumbers = TakeFlag(parsed.positional, kGameNumbersOption);
    for (const std::string& arg : parsed.positional) {
        if (arg.starts_with("--")) {
            return Status::Fail("unknown option " + arg);
        }
    }
    const std::size_t count = parsed.positional.size();
    if (count < 3 || count > 5) {
        return Status::Fail("IN, PALETTE and OUT_BASE are needed, then FIRST and LAST if any");
    }
    // FIRST and LAST; their range needs the tileset and is a refusal, not misuse.
    for (std::size_t i = 3; i < count; ++i) {
        if (auto typed = ParseWholeNumber(parsed.positional[i], i == 3 ? "FIRST" : "LAST");
            !typed) {
            return Status::Fail(typed.reason());
        }
    }
    return parsed;
}

// The tiles to export, each with the number its file takes: positions
// FIRST..LAST numbered from 1, or, by game numbers, the tiles the game
// shows at numbers FIRST..LAST, each file taking its tile's number.
Result<std::vector<Target>> ChooseTiles(const Tileset& tileset, const ExportArguments& parsed) {
    const std::vector<std::string>& p = parsed.positional;
    const std::optional<std::string> firstText = p.size() > 3 ? std::optional(p[3]) : std::nullopt;
    const std::optional<std::string> lastText = p.size() > 4 ? std::optional(p[4]) : std::nullopt;
    const int count = tileset.tileCount();
    std::vector<Target> chosen;
    if (!parsed.gameNumbers) {
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
        for (int position = *first; position <= *last; ++position) {
            chosen.push_back({"", position, position - *first + 1});
        }
        return chosen;
    }
    const long long first = firstText ? *ParseWholeNumber(*firstText, "FIRST") : LLONG_MIN;
    const long long last = lastText    ? *ParseWholeNumber(*lastText, "LAST")
                           : firstText ? first
                                       : LLONG_MAX;
    if (last < first) {
        return Status::Fail("LAST (" + std::to_string(last) + ") is below FIRST (" +
                            std::to_string(first) + ")");
    }
    for (int position = 1; position <= count; ++position) {
        const std::int64_t number = tileset.GameNumber(position);
        // A tile another file of the set hides is not the game's.
        if (number >= first && number <= last && tileset.PositionOfGameNumber(number) == position) {
            chosen.push_back({"", position, number});
        }
    }
    std::sort(chosen.begin(), chosen.end(),
              [](const Target& a, const Target& b) { return a.number < b.number; });
    if (chosen.empty()) {
        return Status::Fail(firstText && !lastText
                                ? "no tile has the game number " + *firstText
                                : std::string("no tile has a game number in that range"));
    }
    return chosen;
}

}  // namespace

Status CheckExportUsage(Arguments args) {
    auto parsed = ParseExportArguments(args);
    return parsed ? Status::Ok() : Status::Fail(parsed.reason());
}

Status RunExport(Arguments args) {
    auto parsed = ParseExportArguments(args);
    if (!parsed) {
        return Status::Fail(parsed.reason());
    }
    const std::string& in = parsed->positional[0];
    const std::string& palettePath = parsed->positional[1];
    const std::string& base = parsed->positional[2];

    if (base.empty()) {
        return Status::Fail("OUT_BASE is empty; give the start of the bitmaps' names");
    }
    if (!parsed->gameNumbers && IsFolder(in)) {
        return Status::Fail(in + " is a folder; give " + std::string(kGameNumbersOption) +
                            " to export from a game's set of files by game number");
    }
    std::vector<std::string> problems;
    auto tileset = ReadTilesOrSet(in, problems);
    if (!tileset) {
        return Status::Fail(tileset.reason());
    }
    auto palette = ReadPaletteFile(palettePath);
    if (!palette) {
        return FileFailure("open", palettePath, palette.reason());
    }
    if (tileset->tileCount() == 0) {
        return Status::Fail(in + " holds no tiles, so there is nothing to export");
    }
    auto chosen = ChooseTiles(*tileset, *parsed);
    if (!chosen) {
        return Status::Fail(chosen.reason());
    }

    // Every name is known and checked before the first file is written.
    const bool png = IsPngPath(base);
    std::vector<Target> targets = std::move(*chosen);
    for (Target& target : targets) {
        const auto n = static_cast<int>(target.number);
        target.path = png ? BatchPngPath(base, n) : BatchBitmapPath(base + ".BMP", n);
        if (Status replaceable = CheckReplaceable(target.path); !replaceable) {
            return FileFailure("write", target.path, replaceable.reason());
        }
    }

    // The whole batch is written under temporary names first, and put in place
    // only when every file is complete: a failure changes no file.
    FileBatch batch;
    std::vector<std::int64_t> skipped;
    for (const Target& target : targets) {
        const Tile& tile = tileset->tile(target.position);
        if (png && tile.PixelCount() == 0) {
            skipped.push_back(target.number);
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
    WarnOfProblems(problems);
    // Its number stays unused, so the others keep the numbers of their tiles.
    for (std::int64_t number : skipped) {
        std::fprintf(stderr, "pixmill-tool: tile %lld is 0 x 0, which a PNG cannot hold; skipped\n",
                     static_cast<long long>(number));
    }
    return Status::Ok();
}

}  // namespace pixmill::tool
