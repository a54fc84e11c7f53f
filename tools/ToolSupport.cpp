#include "tools/ToolSupport.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "tileset/ArtFile.h"
#include "tileset/ArtSet.h"

namespace pixmill::tool {

Result<long long> ParseWholeNumber(std::string_view text, std::string_view what) {
    // Built by appending: GCC 12 mistakes a chain of + here for an overlap.
    std::string quoted(1, '"');
    quoted.append(text).append(1, '"');
    std::string_view digits = text.substr(text.starts_with('-') ? 1 : 0);
    bool allDigits = !digits.empty();
    for (char c : digits) {
        allDigits = allDigits && c >= '0' && c <= '9';
    }
    if (!allDigits) {
        return Status::Fail(std::string(what) + " must be a whole number, not " + quoted);
    }
    long long value = 0;
    if (std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc()) {
        // Only the magnitude can fail now; saturate so the range check words the refusal.
        value = text.starts_with('-') ? LLONG_MIN : LLONG_MAX;
    }
    return value;
}

Result<int> ParseTilePosition(std::string_view text, std::string_view what, int tileCount) {
    auto value = ParseWholeNumber(text, what);
    if (!value) {
        return Status::Fail(value.reason());
    }
    if (tileCount < 1) {
        return Status::Fail(std::string(what) + " " + std::string(text) +
                            " does not exist: the tileset holds no tiles");
    }
    if (*value < 1 || *value > tileCount) {
        return Status::Fail(std::string(what) + " " + std::string(text) +
                            " is out of range: tiles are numbered 1 to " +
                            std::to_string(tileCount));
    }
    return static_cast<int>(*value);
}

bool TakeFlag(std::vector<std::string>& args, std::string_view flag) {
    const auto end = std::remove(args.begin(), args.end(), flag);
    const bool found = end != args.end();
    args.erase(end, args.end());
    return found;
}

bool IsFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

Result<Tileset> ReadTilesOrSet(const std::string& path, std::vector<std::string>& problems) {
    if (!IsFolder(path)) {
        auto tileset = ReadArtFile(path);
        if (!tileset) {
            return FileFailure("open", path, tileset.reason());
        }
        return tileset;
    }
    auto set = OpenArtSet(path);
    if (!set) {
        return FileFailure("open the set in", path, set.reason());
    }
    problems.insert(problems.end(), set->problems.begin(), set->problems.end());
    return std::move(set->tileset);
}

void WarnOfProblems(const std::vector<std::string>& problems) {
    for (const std::string& problem : problems) {
        std::fprintf(stderr, "pixmill-tool: warning: %s\n", OneLine(problem).c_str());
    }
}

Status FileFailure(std::string_view verb, std::string_view path, std::string_view reason) {
    return Status::Fail("cannot " + std::string(verb) + " " + std::string(path) + ": " +
                        std::string(reason));
}

std::string OneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line) {
        const auto u = static_cast<unsigned char>(c);
        c = (u < 0x20 || u == 0x7F) ? '?' : c;
    }
    return line;
}

}  // namespace pixmill::tool
