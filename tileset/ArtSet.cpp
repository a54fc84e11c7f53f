#include "tileset/ArtSet.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <system_error>

namespace pixmill {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kSmallReadBuffer = 64;

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// "tile 5 is", "tiles 5 to 9 are".
std::string RangeIs(std::int64_t first, std::int64_t last) {
    return first == last
               ? "tile " + std::to_string(first) + " is"
               : "tiles " + std::to_string(first) + " to " + std::to_string(last) + " are";
}

std::string NameList(const std::vector<std::string>& names) {
    std::string list;
    for (std::size_t i = 0; i < names.size(); ++i) {
        list += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    }
    return list;
}

// Of two names with the same number, the usual spelling first, then by name.
bool BeforeInOrder(const SetCandidate& a, const SetCandidate& b) {
    if (a.fileNumber != b.fileNumber) {
        return a.fileNumber < b.fileNumber;
    }
    const bool aUsual = a.name == SetFileName(a.fileNumber);
    const bool bUsual = b.name == SetFileName(b.fileNumber);
    return aUsual != bUsual ? aUsual : a.name < b.name;
}

void TellMissingNumber(const std::vector<SetCandidate>& present, const SetLayout& layout,
                       std::vector<std::string>& problems) {
    int expected = 0;
    for (const SetCandidate& candidate : present) {
        if (candidate.fileNumber != expected) {
            break;
        }
        ++expected;
    }
    std::vector<std::string> after;
    for (const SetFile& file : layout.files) {
        if (file.fileNumber > expected) {
            after.push_back(fs::path(file.path).filename().string());
        }
    }
    if (!after.empty()) {
        problems.push_back(SetFileName(expected) +
                           " is missing: the classic engines stop at the first missing number, "
                           "so they do not load " +
                           NameList(after));
    }
}

void TellGapsAndOverlaps(const SetLayout& layout, std::vector<std::string>& problems) {
    for (std::size_t i = 1; i < layout.files.size(); ++i) {
        const SetFile& before = layout.files[i - 1];
        const SetFile& file = layout.files[i];
        const std::string beforeName = fs::path(before.path).filename().string();
        const std::string name = fs::path(file.path).filename().string();
        const std::int64_t expected = before.lastTileNumber() + 1;
        if (file.firstTileNumber > expected) {
            problems.push_back(RangeIs(expected, std::int64_t{file.firstTileNumber} - 1) +
                               " in no file: " + beforeName + " ends at " +
                               std::to_string(before.lastTileNumber()) + " and " + name +
                               " begins at " + std::to_string(file.firstTileNumber));
        } else if (file.firstTileNumber < expected && file.tileCount > 0 && before.tileCount > 0) {
            const std::int64_t last = std::min(before.lastTileNumber(), file.lastTileNumber());
            problems.push_back(name + " begins at " + std::to_string(file.firstTileNumber) +
                               ", inside " + beforeName + " (" +
                               std::to_string(before.firstTileNumber) + " to " +
                               std::to_string(before.lastTileNumber()) +
                               "): " + RangeIs(file.firstTileNumber, last) +
                               " in both, and the game shows " + name + "'s");
        }
    }
}

void TellLimits(const SetLayout& layout, std::vector<std::string>& problems) {
    std::int64_t lowest = INT64_MAX;
    std::int64_t highest = INT64_MIN;
    for (const SetFile& file : layout.files) {
        if (file.tileCount > 0) {
            lowest = std::min<std::int64_t>(lowest, file.firstTileNumber);
            highest = std::max(highest, file.lastTileNumber());
        }
    }
    const EngineLimit& largest = std::end(kEngineLimits)[-1];
    if (lowest <= highest && LimitsFitting(lowest, highest).empty()) {
        problems.push_back("its tile numbers run from " + std::to_string(lowest) + " to " +
                           std::to_string(highest) + ", beyond what any engine loads (0 to " +
                           std::to_string(largest.highestNumber) + ")");
    }
}

}  // namespace

int SetFileNumber(std::string_view name) {
    constexpr std::string_view kStart = "TILES";
    constexpr std::string_view kEnd = ".ART";
    if (name.size() != kStart.size() + 3 + kEnd.size()) {
        return -1;
    }
    for (std::size_t i = 0; i < kStart.size(); ++i) {
        if (Upper(name[i]) != kStart[i]) {
            return -1;
        }
    }
    for (std::size_t i = 0; i < kEnd.size(); ++i) {
        if (Upper(name[kStart.size() + 3 + i]) != kEnd[i]) {
            return -1;
        }
    }
    int number = 0;
    for (std::size_t i = kStart.size(); i < kStart.size() + 3; ++i) {
        if (name[i] < '0' || name[i] > '9') {
            return -1;
        }
        number = number * 10 + (name[i] - '0');
    }
    return number;
}

std::string SetFileName(int number) {
    char name[16];
    std::snprintf(name, sizeof name, "TILES%03d.ART", number);
    return name;
}

std::vector<EngineLimit> LimitsFitting(std::int64_t lowest, std::int64_t highest) {
    std::vector<EngineLimit> fitting;
    for (const EngineLimit& limit : kEngineLimits) {
        if (lowest >= 0 && highest <= limit.highestNumber) {
            fitting.push_back(limit);
        }
    }
    return fitting;
}

SetLayout LayOutArtSet(std::vector<SetCandidate> candidates) {
    std::sort(candidates.begin(), candidates.end(), BeforeInOrder);
    SetLayout layout;
    std::vector<std::string>& problems = layout.problems;
    // One file a number; every file that exists counts for the numbers
    // present, read or not.
    std::vector<SetCandidate> present;
    for (SetCandidate& candidate : candidates) {
        if (!present.empty() && present.back().fileNumber == candidate.fileNumber) {
            problems.push_back(candidate.name + " is left out: " + present.back().name +
                               " has the same number");
            continue;
        }
        present.push_back(std::move(candidate));
    }
    bool full = false;
    for (const SetCandidate& candidate : present) {
        if (!candidate.header) {
            problems.push_back(candidate.name + " could not be read (" + candidate.header.reason() +
                               "); its tiles are left out");
            continue;
        }
        const int count = candidate.header->tileCount;
        if (full || count > kMaxTiles - layout.tileCount) {
            if (!full) {
                problems.push_back(candidate.name +
                                   " and the files after it are left out: with them the set "
                                   "would hold more than " +
                                   std::to_string(kMaxTiles) + " tiles, the most the editor holds");
            }
            full = true;
            continue;
        }
        SetFile file;
        file.path = candidate.path;
        file.fileNumber = candidate.fileNumber;
        file.buildArtPrefix = candidate.header->header.buildArtPrefix;
        file.firstTileNumber = candidate.header->header.firstTileNumber;
        file.firstPosition = layout.tileCount + 1;
        file.tileCount = count;
        layout.tileCount += count;
        layout.files.push_back(std::move(file));
    }
    TellMissingNumber(present, layout, problems);
    TellGapsAndOverlaps(layout, problems);
    TellLimits(layout, problems);
    return layout;
}

std::vector<SetCandidate> FindSetCandidates(const std::string& folder) {
    std::vector<SetCandidate> candidates;
    std::error_code error;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), error);
         !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        const int number = SetFileNumber(name);
        std::error_code typeError;
        if (number < 0 || it->is_directory(typeError)) {
            continue;
        }
        SetCandidate candidate;
        candidate.path = it->path().string();
        candidate.name = name;
        candidate.fileNumber = number;
        auto source = FileSource::Open(candidate.path, kSmallReadBuffer);
        if (!source) {
            candidate.header = Status::Fail(source.reason());
        } else {
            std::uint8_t first[kArtHeaderBytes];
            const auto n =
                static_cast<std::size_t>(std::min<std::int64_t>(source->Size(), sizeof first));
            candidate.header = source->Read(first, n)
                                   ? CheckArtHeader({first, n}, source->Size())
                                   : Result<CheckedArtHeader>(Status::Fail("it cannot be read"));
        }
        candidates.push_back(std::move(candidate));
    }
    return candidates;
}

Result<OpenedSet> OpenArtSet(const std::string& folder) {
    std::vector<SetCandidate> candidates = FindSetCandidates(folder);
    if (candidates.empty()) {
        return Status::Fail("there is no TILES###.ART file in " + folder);
    }
    // Each file read whole in turn. One that fails now, or is no longer what
    // its header said (changed since), is told as unreadable and the set laid
    // out again without it.
    std::map<std::string, std::pair<FileStamp, Tileset>> read;
    SetLayout layout;
    for (bool again = true; again;) {
        again = false;
        layout = LayOutArtSet(candidates);
        for (const SetFile& file : layout.files) {
            if (read.count(file.path) == 0) {
                const FileStamp stamp = StampOf(file.path);
                Result<Tileset> tiles = ReadArtFile(file.path);
                if (!tiles || tiles->tileCount() != file.tileCount ||
                    tiles->firstTileNumber != file.firstTileNumber ||
                    tiles->buildArtPrefix != file.buildArtPrefix) {
                    for (SetCandidate& candidate : candidates) {
                        if (candidate.path == file.path) {
                            candidate.header = Status::Fail(
                                tiles ? "it changed while the set was read" : tiles.reason());
                        }
                    }
                    again = true;
                    break;
                }
                read.emplace(file.path, std::make_pair(stamp, std::move(*tiles)));
            }
        }
    }
    if (layout.files.empty()) {
        std::string why = "no TILES###.ART file in " + folder + " could be read";
        for (const std::string& problem : layout.problems) {
            why += "\n" + problem;
        }
        return Status::Fail(why);
    }
    OpenedSet opened;
    Tileset& set = opened.tileset;
    set.artPath = folder;
    set.tiles.reserve(static_cast<std::size_t>(layout.tileCount));
    for (SetFile& file : layout.files) {
        auto& [stamp, tiles] = read.at(file.path);
        file.stamp = stamp;
        // Tiles move by their pixel handles; no pixel is copied.
        std::move(tiles.tiles.begin(), tiles.tiles.end(), std::back_inserter(set.tiles));
    }
    set.firstTileNumber = layout.files.front().firstTileNumber;
    set.lastTileNumber =
        static_cast<std::int32_t>(std::int64_t{set.firstTileNumber} + layout.tileCount - 1);
    set.setFiles = std::move(layout.files);
    opened.problems = std::move(layout.problems);
    return opened;
}

std::string SetFolderOf(const std::string& folderOrFile) {
    std::error_code error;
    if (fs::is_directory(folderOrFile, error)) {
        return folderOrFile;
    }
    const std::string parent = fs::path(folderOrFile).parent_path().string();
    return parent.empty() ? std::string(".") : parent;
}

Result<Tileset> RecoveredSet(Tileset set, const Tileset& copy) {
    if (copy.tileCount() != set.tileCount()) {
        return Status::Fail("the set's files now hold " + std::to_string(set.tileCount()) +
                            " tiles, and the copy " + std::to_string(copy.tileCount()));
    }
    set.tiles = copy.tiles;
    return set;
}

Tileset SetFileTileset(const Tileset& set, const SetFile& file) {
    Tileset one;
    one.buildArtPrefix = file.buildArtPrefix;
    one.artVersion = 1;
    one.firstTileNumber = file.firstTileNumber;
    one.lastTileNumber = static_cast<std::int32_t>(file.lastTileNumber());
    one.artPath = file.path;
    one.artFileNumber = file.fileNumber;
    const auto first = set.tiles.begin() + (file.firstPosition - 1);
    one.tiles.assign(first, first + file.tileCount);
    return one;
}

}  // namespace pixmill
