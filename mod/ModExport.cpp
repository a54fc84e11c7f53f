#include "mod/ModExport.h"

#include <filesystem>
#include <map>
#include <system_error>

#include "bitmap/TilePng.h"
#include "common/AtomicFile.h"
#include "common/Crc32.h"
#include "editing/TilesetChange.h"

namespace pixmill {
namespace {

namespace fs = std::filesystem;

constexpr std::uint8_t kAnimationBits = 0xFF;  // byte 0: frames and type
constexpr std::uint8_t kSpeedBits = 0x0F;      // byte 3, as engines read it

bool SamePicture(const Tile& a, const Tile& b) {
    Tile x = a;
    Tile y = b;
    x.attributes = y.attributes = {};
    return SameTile(x, y) && a.attributes[1] == b.attributes[1] &&
           a.attributes[2] == b.attributes[2];
}

bool SameAnimation(const Tile& a, const Tile& b) {
    return (a.attributes[0] & kAnimationBits) == (b.attributes[0] & kAnimationBits) &&
           (a.attributes[3] & kSpeedBits) == (b.attributes[3] & kSpeedBits);
}

// The tile the game shows at each number: where files overlap, the later one.
std::map<std::int64_t, const Tile*> TilesByNumber(const Tileset& tileset) {
    std::map<std::int64_t, const Tile*> byNumber;
    for (int position = 1; position <= tileset.tileCount(); ++position) {
        byNumber[tileset.GameNumber(position)] = &tileset.tile(position);
    }
    return byNumber;
}

int Signed(std::uint8_t byte) {
    return byte < 128 ? int{byte} : int{byte} - 256;
}

}  // namespace

std::vector<ModTile> ModChanges(const Tileset& base, const Tileset& changed) {
    const auto before = TilesByNumber(base);
    const auto after = TilesByNumber(changed);
    std::map<std::int64_t, ModTile> differing;
    const Tile empty;
    for (const auto& [number, tile] : after) {
        const auto original = before.find(number);
        const Tile& old = original == before.end() ? empty : *original->second;
        ModTile mod;
        mod.number = number;
        mod.tile = *tile;
        mod.picture = !SamePicture(old, *tile);
        mod.animation = !SameAnimation(old, *tile);
        // A tile new to the game has no bits of its own to keep.
        mod.gameBits = original != before.end() &&
                       (old.attributes[3] & ~kSpeedBits) != (tile->attributes[3] & ~kSpeedBits);
        if (original != before.end() && old.PixelCount() > 0) {
            mod.originalCrc = Crc32Of(old.pixels.view());
        }
        if (mod.picture || mod.animation || mod.gameBits) {
            differing.emplace(number, std::move(mod));
        }
    }
    // Numbers that no longer hold a tile show none in the game's new files.
    for (const auto& [number, tile] : before) {
        if (after.count(number) == 0 && !SameTile(*tile, empty)) {
            ModTile mod;
            mod.number = number;
            mod.picture = tile->PixelCount() > 0;
            mod.animation = !SameAnimation(*tile, empty);
            if (tile->PixelCount() > 0) {
                mod.originalCrc = Crc32Of(tile->pixels.view());
            }
            differing.emplace(number, std::move(mod));
        }
    }
    std::vector<ModTile> tiles;
    for (auto& [number, mod] : differing) {
        tiles.push_back(std::move(mod));
    }
    return tiles;
}

std::string ModPngPath(std::int64_t number) {
    return "tiles/tile" + std::to_string(number) + ".png";
}

std::string ModDefinitionText(const std::vector<ModTile>& tiles, const ModOptions& options) {
    std::string text = "// Tiles changed with Pixmill";
    text += options.made.empty() ? "\n" : ": " + options.made + "\n";
    if (options.ifcrc) {
        text +=
            "// Each picture applies only where the game's tile has the original's pixels: ifcrc\n"
            "// is their CRC-32, column by column as stored, as a signed 32-bit number.\n";
    }
    for (const ModTile& mod : tiles) {
        const std::string number = std::to_string(mod.number);
        if (mod.picture && mod.tile.PixelCount() > 0) {
            text += "tilefromtexture " + number + " { file \"" + ModPngPath(mod.number) +
                    "\" xoffset " + std::to_string(Signed(mod.tile.attributes[1])) + " yoffset " +
                    std::to_string(Signed(mod.tile.attributes[2]));
            if (options.ifcrc && mod.originalCrc) {
                text += " ifcrc " + std::to_string(static_cast<std::int32_t>(*mod.originalCrc));
            }
            text += " }\n";
        } else if (mod.picture) {
            text += "undefinetile " + number + "\n";
        }
        if (mod.animation) {
            const std::uint8_t byte0 = mod.tile.attributes[0];
            text += "animtilerange " + number + " " + std::to_string(mod.number + (byte0 & 0x3F)) +
                    " " + std::to_string(mod.tile.attributes[3] & kSpeedBits) + " " +
                    std::to_string(byte0 >> 6) + "\n";
        }
        if (mod.gameBits) {
            text += "// tile " + number +
                    ": the upper four bits of its speed byte changed, which no definition sets\n";
        }
    }
    return text;
}

Result<ModWritten> WriteMod(const std::vector<ModTile>& tiles, const Palette& palette,
                            const std::string& defPath, const ModOptions& options) {
    fs::path folder = fs::path(defPath).parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    const fs::path pngFolder = folder / "tiles";
    std::error_code error;
    const bool made = !fs::exists(pngFolder, error) && fs::create_directories(pngFolder, error);
    if (error) {
        return Status::Fail("cannot make the folder " + pngFolder.string() + ": " +
                            error.message());
    }
    ModWritten written;
    Status status = Status::Ok();
    {
        FileBatch batch;
        for (const ModTile& mod : tiles) {
            if (!mod.picture || mod.tile.PixelCount() == 0) {
                continue;
            }
            const std::string path = (folder / ModPngPath(mod.number)).string();
            status = batch.Add(
                path, [&](ByteSink& sink) { return WriteTilePng(mod.tile, palette, sink); });
            if (!status) {
                status = Status::Fail(path + ": " + status.reason());
                break;
            }
            ++written.pngs;
        }
        if (status) {
            const std::string text = ModDefinitionText(tiles, options);
            status = batch.Add(
                defPath,
                std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
            if (!status) {
                status = Status::Fail(defPath + ": " + status.reason());
            }
        }
        if (status) {
            status = batch.Commit();
        }
    }
    if (!status) {
        if (made) {
            fs::remove(pngFolder, error);  // only while still empty
        }
        return status;
    }
    for (const ModTile& mod : tiles) {
        written.entries += (mod.picture ? 1 : 0) + (mod.animation ? 1 : 0);
    }
    return written;
}

}  // namespace pixmill
