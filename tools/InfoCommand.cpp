// pixmill-tool info: the header and one line per tile, one record to a line and
// the record's kind as its first word, so scripts can pick lines with awk or grep.
// With --names, each tile line ends in the tile's name from a names header, and a
// header that stops being read early says where and why in a record of its own on
// standard output: the listing is still complete, and standard error stays for
// failures.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "editing/Attributes.h"
#include "names/NamesHeader.h"
#include "tileset/ArtFile.h"
#include "tools/Commands.h"
#include "tools/ToolSupport.h"

namespace pixmill::tool {
namespace {

constexpr std::string_view kNamesOption = "--names";
// Stands for a tile the header gives no name; a C name, as headers hold, cannot be this.
constexpr std::string_view kNoName = "-";

struct InfoArguments {
    std::string artPath;
    std::optional<std::string> namesPath;
};

Result<InfoArguments> ParseInfoArguments(Arguments args) {
    InfoArguments parsed;
    bool haveArt = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // At most three arguments (counted before), so --names comes at most once.
        if (arg == kNamesOption) {
            if (i + 1 == args.size()) {
                return Status::Fail("--names needs the names header after it");
            }
            parsed.namesPath = args[++i];
        } else if (arg.starts_with("--")) {
            return Status::Fail("unknown option " + arg);
        } else if (haveArt) {
            return Status::Fail("one FILE.ART only");
        } else {
            parsed.artPath = arg;
            haveArt = true;
        }
    }
    if (!haveArt) {
        return Status::Fail("no FILE.ART");
    }
    return parsed;
}

std::string NameField(const TileNames& names, std::int64_t number) {
    const std::string& name = names.NameOf(number);
    return name.empty() ? std::string(kNoName) : OneLine(name);
}

}  // namespace

Status CheckInfoUsage(Arguments args) {
    auto parsed = ParseInfoArguments(args);
    return parsed ? Status::Ok() : Status::Fail(parsed.reason());
}

Status RunInfo(Arguments args) {
    auto parsed = ParseInfoArguments(args);
    if (!parsed) {
        return Status::Fail(parsed.reason());
    }
    const std::string& path = parsed->artPath;
    auto source = FileSource::Open(path);
    if (!source) {
        return FileFailure("open", path, source.reason());
    }
    auto tileset = ReadArt(*source);
    if (!tileset) {
        return FileFailure("open", path, tileset.reason());
    }
    // The tile-count field is not kept in a tileset, so the header is read on its own.
    auto header = ReadArtHeader(*source);
    if (!header) {
        return FileFailure("open", path, header.reason());
    }
    tileset->artFileNumber = ArtFileNumber(path);

    TileNames names;
    NamesLoadReport report;
    if (parsed->namesPath) {
        report = ReadNamesHeaderFile(*parsed->namesPath, names);
        // The reader stops before line 1 only when the file itself could not be read.
        if (!report.stoppedBecause.empty() && report.stoppedAtLine == 0) {
            return FileFailure("open", *parsed->namesPath, report.stoppedBecause);
        }
    }

    std::printf("prefix %s\n", header->buildArtPrefix ? "BUILDART" : "none");
    std::printf("version %d\n", header->version);
    std::printf("tile-count-field %d\n", header->tileCountField);
    std::printf("first-tile-number %d\n", tileset->firstTileNumber);
    std::printf("last-tile-number %d\n", tileset->lastTileNumber);
    std::printf("tiles %d\n", tileset->tileCount());
    std::printf("file-number %d\n", tileset->artFileNumber);
    if (parsed->namesPath) {
        std::printf("names-stored %d\n", report.namesStored);
        if (!report.stoppedBecause.empty()) {
            std::printf("names-stopped %d %s\n", report.stoppedAtLine,
                        OneLine(report.stoppedBecause).c_str());
        }
    }
    std::printf(
        "# tile position number size byte0 byte1 byte2 byte3 frames type x-offset "
        "y-offset speed%s\n",
        parsed->namesPath ? " name" : "");
    for (int position = 1; position <= tileset->tileCount(); ++position) {
        const Tile& tile = tileset->tile(position);
        const TileAttributes& a = tile.attributes;
        const ShownAttributes shown = UnpackAttributes(a);
        const long long number = std::int64_t{tileset->firstTileNumber} + position - 1;
        std::string name;
        if (parsed->namesPath) {
            name.append(" ").append(NameField(names, number));
        }
        std::printf("tile %d %lld %dx%d %02x %02x %02x %02x %d %s %d %d %d%s\n", position, number,
                    tile.width, tile.height, a[0], a[1], a[2], a[3], shown.frameCount,
                    std::string(AnimTypeName(shown.animType)).c_str(), ShownXOffset(a),
                    ShownYOffset(a), a[3], name.c_str());
    }
    // A listing cut short (a full disk, a closed pipe) must not pass for a whole one.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        return Status::Fail(std::string("cannot write the listing: ") + std::strerror(errno));
    }
    return Status::Ok();
}

}  // namespace pixmill::tool
