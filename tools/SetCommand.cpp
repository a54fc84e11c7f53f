// pixmill-tool set: a game's set of TILES###.ART files in a folder, as the
// editor opens it: each file's place and range, what is wrong with the set,
// and the engines its numbers fit in. One record to a line, its kind first.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "tileset/ArtSet.h"
#include "tools/Commands.h"
#include "tools/ToolSupport.h"

namespace pixmill::tool {

Status RunSet(Arguments args) {
    const std::string& folder = args[0];
    if (!IsFolder(folder)) {
        return FileFailure("open the set in", folder, "it is not a folder");
    }
    auto opened = OpenArtSet(folder);
    if (!opened) {
        return FileFailure("open the set in", folder, opened.reason());
    }
    const Tileset& set = opened->tileset;
    std::int64_t lowest = INT64_MAX;
    std::int64_t highest = INT64_MIN;
    for (const SetFile& file : set.setFiles) {
        if (file.tileCount > 0) {
            lowest = std::min<std::int64_t>(lowest, file.firstTileNumber);
            highest = std::max(highest, file.lastTileNumber());
        }
    }
    std::printf("folder %s\n", OneLine(folder).c_str());
    std::printf("files %zu\n", set.setFiles.size());
    std::printf("tiles %d\n", set.tileCount());
    std::string fits;
    if (lowest <= highest) {
        std::printf("numbers %lld %lld\n", static_cast<long long>(lowest),
                    static_cast<long long>(highest));
        for (const EngineLimit& limit : LimitsFitting(lowest, highest)) {
            fits += " " + std::to_string(limit.tiles);
        }
    } else {
        std::printf("numbers none\n");
    }
    std::printf("fits%s\n", fits.empty() ? " none" : fits.c_str());
    std::printf("# file name number first-tile-number last-tile-number tiles position prefix\n");
    for (const SetFile& file : set.setFiles) {
        std::printf("file %s %d %d %lld %d %d %s\n",
                    OneLine(std::filesystem::path(file.path).filename().string()).c_str(),
                    file.fileNumber, file.firstTileNumber,
                    static_cast<long long>(file.lastTileNumber()), file.tileCount,
                    file.firstPosition, file.buildArtPrefix ? "BUILDART" : "none");
    }
    for (const std::string& problem : opened->problems) {
        std::printf("problem %s\n", OneLine(problem).c_str());
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        return Status::Fail(std::string("cannot write the listing: ") + std::strerror(errno));
    }
    return Status::Ok();
}

}  // namespace pixmill::tool
