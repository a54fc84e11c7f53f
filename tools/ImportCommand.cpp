// pixmill-tool import: a bitmap or PNG replaces the picture of one tile (its
// attribute bytes stay) and the tileset is written to a new ART file. With
// --game-numbers, TILE is the tile's number in the game, and IN may be the
// folder of a game's set, of which the file holding the tile is written. With a
// palette, a picture whose colour table is not that palette gets a warning, or,
// with --match-palette, has its colours matched to the palette as the editor's
// "Import Picture..." matches them (--dither spreads the difference).

#include <cstdio>
#include <filesystem>
#include <optional>
#include <vector>

#include "bitmap/ColourMatch.h"
#include "bitmap/PictureFile.h"
#include "bitmap/TileBitmap.h"
#include "bitmap/TilePng.h"
#include "palette/PaletteFile.h"
#include "tileset/ArtFile.h"
#include "tileset/ArtSet.h"
#include "tools/Commands.h"
#include "tools/ToolSupport.h"

namespace pixmill::tool {
namespace {

constexpr std::string_view kPaletteOption = "--palette";
constexpr std::string_view kMatchOption = "--match-palette";
constexpr std::string_view kDitherOption = "--dither";

struct ImportArguments {
    std::string art;
    std::string tile;
    std::string picture;
    std::string out;
    std::optional<std::string> palettePath;
    bool matchPalette = false;
    bool dither = false;
    bool gameNumbers = false;
};

Result<ImportArguments> ParseImportArguments(Arguments args) {
    ImportArguments parsed;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == kGameNumbersOption) {
            parsed.gameNumbers = true;
        } else if (arg == kPaletteOption || arg == kMatchOption) {
            if (parsed.palettePath) {
                return Status::Fail("one of --palette and --match-palette only");
            }
            if (i + 1 == args.size()) {
                return Status::Fail(arg + " needs the palette after it");
            }
            parsed.matchPalette = arg == kMatchOption;
            parsed.palettePath = args[++i];
        } else if (arg == kDitherOption) {
            parsed.dither = true;
        } else if (arg.starts_with("--")) {
            return Status::Fail("unknown option " + arg);
        } else {
            positional.push_back(arg);
        }
    }
    if (parsed.dither && !parsed.matchPalette) {
        return Status::Fail("--dither goes with --match-palette");
    }
    if (positional.size() != 4) {
        return Status::Fail("IN.ART, TILE, PICTURE and OUT.ART are needed, in that order");
    }
    // TILE's form; its range needs the tileset and is a refusal, not misuse.
    if (auto typed = ParseWholeNumber(positional[1], "TILE"); !typed) {
        return Status::Fail(typed.reason());
    }
    parsed.art = positional[0];
    parsed.tile = positional[1];
    parsed.picture = positional[2];
    parsed.out = positional[3];
    return parsed;
}

// Said after the editor's refusal of another depth, which holds here without
// --match-palette.
constexpr std::string_view kMatchOtherDepths =
    " (--match-palette matches the colours of bitmaps of 1, 4, 16, 24 and 32 bits)";

struct Picture {
    Tile tile;
    std::vector<PaletteEntry> colourTable;
};

Result<Picture> ReadPicture(const std::string& path, const Palette* palette, bool match,
                            bool dither) {
    if (match) {
        // A picture of any kind, told by its name as without matching, its
        // colours matched as the editor matches them.
        auto source = FileSource::Open(path, 1 << 16);
        if (!source) {
            return Status::Fail(source.reason());
        }
        auto reader = IsPngPath(path) ? OpenPngPicture(*source) : OpenBitmapPicture(*source);
        if (!reader) {
            return Status::Fail(reader.reason());
        }
        auto matched = MatchPictureToPalette(**reader, *palette, dither);
        if (!matched) {
            return Status::Fail(matched.reason());
        }
        return Picture{std::move(*matched), {}};
    }
    if (IsPngPath(path)) {
        auto png = ReadTilePngFile(path);
        if (!png) {
            return Status::Fail(png.reason());
        }
        return Picture{std::move(png->tile), std::move(png->colourTable)};
    }
    auto bitmap = ReadTileBitmapFile(path);
    if (!bitmap) {
        return Status::Fail(bitmap.reason() == kOnlyEightBitBitmaps
                                ? bitmap.reason() + std::string(kMatchOtherDepths)
                                : bitmap.reason());
    }
    Picture picture{std::move(*bitmap), {}};
    if (palette != nullptr) {
        auto table = ReadBitmapColourTableFile(path);
        if (!table) {
            return Status::Fail(table.reason());
        }
        picture.colourTable = std::move(*table);
    }
    return picture;
}

// The position of the tile the game knows by the number typed.
Result<int> GamePosition(const Tileset& tileset, const std::string& typed) {
    const long long number = *ParseWholeNumber(typed, "TILE");
    const int position = tileset.PositionOfGameNumber(number);
    if (position == 0) {
        return Status::Fail("TILE " + typed + " is in no file: no tile has that game number");
    }
    return position;
}

}  // namespace

Status CheckImportUsage(Arguments args) {
    auto parsed = ParseImportArguments(args);
    return parsed ? Status::Ok() : Status::Fail(parsed.reason());
}

Status RunImport(Arguments args) {
    auto parsed = ParseImportArguments(args);
    if (!parsed) {
        return Status::Fail(parsed.reason());
    }
    const bool folder = IsFolder(parsed->art);
    if (folder && !parsed->gameNumbers) {
        return Status::Fail(parsed->art + " is a folder; give " + std::string(kGameNumbersOption) +
                            " to import into a game's set of files by game number");
    }
    std::vector<std::string> problems;
    auto tileset = ReadTilesOrSet(parsed->art, problems);
    if (!tileset) {
        return Status::Fail(tileset.reason());
    }
    auto position = parsed->gameNumbers
                        ? GamePosition(*tileset, parsed->tile)
                        : ParseTilePosition(parsed->tile, "TILE", tileset->tileCount());
    if (!position) {
        return Status::Fail(position.reason());
    }
    std::optional<Palette> palette;
    if (parsed->palettePath) {
        auto read = ReadPaletteFile(*parsed->palettePath);
        if (!read) {
            return FileFailure("open", *parsed->palettePath, read.reason());
        }
        palette = *read;
    }
    auto picture = ReadPicture(parsed->picture, palette ? &*palette : nullptr, parsed->matchPalette,
                               parsed->dither);
    if (!picture) {
        return FileFailure("import", parsed->picture, picture.reason());
    }
    const bool differs =
        palette && !parsed->matchPalette && ColourTableDiffers(picture->colourTable, *palette);
    ReplacePicture(tileset->tile(*position), std::move(picture->tile));
    // Of a set, the file that holds the tile, into OUT or, when OUT is a
    // folder, under its own name there.
    std::string out = parsed->out;
    const Tileset written =
        folder ? SetFileTileset(*tileset, *tileset->FileHolding(*position)) : std::move(*tileset);
    if (folder && IsFolder(out)) {
        out = (std::filesystem::path(out) / std::filesystem::path(written.artPath).filename())
                  .string();
    }
    if (Status done = WriteArtFile(written, out); !done) {
        return FileFailure("write", out, done.reason());
    }
    // Told once the import is done, so that a failure stays one line.
    WarnOfProblems(problems);
    if (differs) {
        std::string warning = "pixmill-tool: warning: the colour table of " + parsed->picture;
        warning.append(" is not the palette ").append(*parsed->palettePath);
        warning.append("; its pixel values were taken as palette indices as they are");
        warning.append(" (--match-palette maps its colours instead)");
        std::fprintf(stderr, "%s\n", OneLine(warning).c_str());
    }
    return Status::Ok();
}

}  // namespace pixmill::tool
