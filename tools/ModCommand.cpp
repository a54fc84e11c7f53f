// pixmill-tool mod: the tiles of CHANGED that differ from BASE's, by their
// game numbers, as a mod for source ports: OUTDIR/tiles.def and a PNG of each
// changed tile in OUTDIR/tiles. BASE and CHANGED are ART files or folders of
// a game's set. Nothing is written when no tile differs.

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "mod/ModExport.h"
#include "palette/PaletteFile.h"
#include "tools/Commands.h"
#include "tools/ToolSupport.h"

namespace pixmill::tool {
namespace {

constexpr std::string_view kIfcrcOption = "--ifcrc";
constexpr char kDefinitionName[] = "tiles.def";

}  // namespace

Status CheckModUsage(Arguments args) {
    std::vector<std::string> rest(args.begin(), args.end());
    TakeFlag(rest, kIfcrcOption);
    for (const std::string& arg : rest) {
        if (arg.starts_with("--")) {
            return Status::Fail("unknown option " + arg);
        }
    }
    if (rest.size() != 4) {
        return Status::Fail("BASE, CHANGED, PALETTE and OUTDIR are needed, in that order");
    }
    return Status::Ok();
}

Status RunMod(Arguments args) {
    std::vector<std::string> rest(args.begin(), args.end());
    ModOptions options;
    options.ifcrc = TakeFlag(rest, kIfcrcOption);
    const std::string& basePath = rest[0];
    const std::string& changedPath = rest[1];
    const std::string& palettePath = rest[2];
    const std::string& outDir = rest[3];

    std::vector<std::string> problems;
    auto base = ReadTilesOrSet(basePath, problems);
    if (!base) {
        return Status::Fail(base.reason());
    }
    auto changed = ReadTilesOrSet(changedPath, problems);
    if (!changed) {
        return Status::Fail(changed.reason());
    }
    auto palette = ReadPaletteFile(palettePath);
    if (!palette) {
        return FileFailure("open", palettePath, palette.reason());
    }
    const std::vector<ModTile> tiles = ModChanges(*base, *changed);
    if (tiles.empty()) {
        WarnOfProblems(problems);
        std::printf("unchanged: no tile of %s differs from %s; nothing written\n",
                    OneLine(changedPath).c_str(), OneLine(basePath).c_str());
        return std::fflush(stdout) == 0 ? Status::Ok() : Status::Fail("cannot write to stdout");
    }
    std::error_code error;
    const bool made = std::filesystem::create_directory(outDir, error);
    if (error) {
        return FileFailure("make", outDir, error.message());
    }
    options.made = std::filesystem::path(changedPath).filename().string() + " against " +
                   std::filesystem::path(basePath).filename().string();
    const std::string def = (std::filesystem::path(outDir) / kDefinitionName).string();
    auto written = WriteMod(tiles, *palette, def, options);
    if (!written) {
        if (made) {
            std::filesystem::remove(outDir, error);  // only while still empty
        }
        return FileFailure("write", def, written.reason());
    }
    WarnOfProblems(problems);
    return Status::Ok();
}

}  // namespace pixmill::tool
