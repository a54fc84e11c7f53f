// pixmill-tool: the editor's file conversions from the shell, for modders' scripts.
// Exit status: 0 done, 1 refused or failed (one line on standard error), 2 misuse.

#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "common/AtomicFile.h"
#include "tools/Commands.h"
#include "tools/ToolSupport.h"

namespace {

using pixmill::Status;
using pixmill::tool::Arguments;

struct Command {
    std::string_view name;
    std::size_t minArgs;
    std::size_t maxArgs;
    std::string_view arguments;
    std::string_view summary;
    Status (*checkUsage)(Arguments);  // beyond the count; null when the count is all
    Status (*run)(Arguments);
};

constexpr Command kCommands[] = {
    {"info", 1, 3, "[--names NAMES.H] FILE.ART",
     "print the header and one line per tile, with its name from NAMES.H",
     pixmill::tool::CheckInfoUsage, pixmill::tool::RunInfo},
    {"resave", 2, 2, "IN.ART OUT.ART", "read and write back; sets the tile-count field", nullptr,
     pixmill::tool::RunResave},
    {"export", 3, 6, "[--game-numbers] IN.ART PALETTE OUT_BASE [FIRST [LAST]]",
     "tiles as OUT_BASE0001.BMP, ...; for OUT_BASE NAME.png, indexed PNGs NAME0001.PNG, ...",
     pixmill::tool::CheckExportUsage, pixmill::tool::RunExport},
    {"import", 4, 7,
     "[--game-numbers] [--palette PALETTE | --match-palette PALETTE [--dither]] IN.ART TILE "
     "PICTURE OUT.ART",
     "put a bitmap or a PNG (*.png) in place of tile TILE's picture",
     pixmill::tool::CheckImportUsage, pixmill::tool::RunImport},
    {"palette", 2, 2, "IN OUT", "convert a palette (*.PAL: RIFF, any other name: Build)", nullptr,
     pixmill::tool::RunPalette},
    {"set", 1, 1, "FOLDER",
     "list a game's set of TILES###.ART files: their ranges, gaps, overlaps, tile count", nullptr,
     pixmill::tool::RunSet},
    {"mod", 4, 5, "[--ifcrc] BASE CHANGED PALETTE OUTDIR",
     "the tiles of CHANGED that differ from BASE as OUTDIR/tiles.def and PNGs in OUTDIR/tiles",
     pixmill::tool::CheckModUsage, pixmill::tool::RunMod},
};

constexpr std::string_view kDetails =
    "\n"
    "Tiles are numbered from 1 in the order of the file; TILE, FIRST and LAST are\n"
    "whole numbers (digits, perhaps after a minus sign). export writes every tile\n"
    "when FIRST is not given and only tile FIRST when LAST is not given. Palettes\n"
    "are chosen by name: *.PAL (any case) is a RIFF palette, anything else a Build\n"
    "palette (PALETTE.DAT); a Build palette written over a longer file keeps what\n"
    "follows its 768 bytes. import takes an 8-bit bitmap's or an indexed PNG's\n"
    "pixel values as palette indices; with --palette it warns when the picture's\n"
    "colour table is not that palette. With --match-palette it matches the colours\n"
    "of any bitmap (1 to 32 bits) or PNG to the palette instead: colour-table\n"
    "entries that are the palette's keep their index, other colours go to the\n"
    "nearest entry (squared distance weighted 30, 59, 11 for red, green, blue),\n"
    "pixels at least half transparent to 255; --dither spreads the difference\n"
    "(Floyd-Steinberg). An export to PNG skips 0 x 0 tiles, saying so. With\n"
    "--game-numbers, TILE, FIRST and LAST are numbers in the game, IN.ART may be a\n"
    "folder of a game's set (TILES###.ART), export names each file by its tile's\n"
    "number, and import writes the file that holds TILE. mod compares tiles by\n"
    "game number (BASE and CHANGED are ART files or folders of sets); --ifcrc\n"
    "applies each picture only where the game's tile is the original.\n"
    "Exit status: 0 done, 1 failed, 2 wrong usage.\n";

void PrintUsage(std::FILE* stream) {
    std::fprintf(stream, "usage: pixmill-tool COMMAND ARGUMENTS...\n\ncommands:\n");
    for (const Command& command : kCommands) {
        std::fprintf(stream, "  %s %s\n      %s\n", std::string(command.name).c_str(),
                     std::string(command.arguments).c_str(), std::string(command.summary).c_str());
    }
    std::fprintf(stream, "%s", std::string(kDetails).c_str());
}

// Error text goes out as exactly one line, whatever characters a file name holds.
void PrintError(std::string_view message) {
    std::fprintf(stderr, "pixmill-tool: %s\n", pixmill::tool::OneLine(message).c_str());
}

// Wrong usage is told as the command's usage line, followed in parentheses by what
// was wrong when it was more than the number of arguments; still one line.
int PrintMisuse(const Command& command, std::string_view why) {
    std::string line =
        "usage: pixmill-tool " + std::string(command.name) + " " + std::string(command.arguments);
    if (!why.empty()) {
        line += " (" + std::string(why) + ")";
    }
    std::fprintf(stderr, "%s\n", pixmill::tool::OneLine(line).c_str());
    return 2;
}

int Run(const std::vector<std::string>& args) {
    if (args.empty()) {
        PrintUsage(stderr);
        return 2;
    }
    if (args[0] == "--help" || args[0] == "-h") {
        PrintUsage(stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    for (const Command& command : kCommands) {
        if (args[0] != command.name) {
            continue;
        }
        const Arguments rest = Arguments(args).subspan(1);
        if (rest.size() < command.minArgs || rest.size() > command.maxArgs) {
            return PrintMisuse(command, "");
        }
        if (command.checkUsage != nullptr) {
            if (Status usage = command.checkUsage(rest); !usage) {
                return PrintMisuse(command, usage.reason());
            }
        }
        if (Status done = command.run(rest); !done) {
            PrintError(done.reason());
            return 1;
        }
        return 0;
    }
    PrintError("unknown command \"" + args[0] + "\"; see pixmill-tool --help");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    pixmill::IgnoreFileSizeSignal();
    try {
        return Run(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
    } catch (const std::bad_alloc&) {
        PrintError("out of memory");
    } catch (const std::exception& error) {
        PrintError(error.what());
    }
    return 1;
}
