#include "app/GoToTile.h"

#include "app/SetView.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>
#include <optional>

namespace pixmill {
namespace {

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() &&
           std::equal(start.begin(), start.end(), text.begin(),
                      [](char a, char b) { return Lower(a) == Lower(b); });
}

bool LooksLikeNumber(std::string_view text) {
    return !text.empty() && (std::isdigit(static_cast<unsigned char>(text.front())) != 0 ||
                             text.front() == '-' || text.front() == '+' || text.front() == '#');
}

// A whole number with an optional sign and nothing else; empty when the text
// is not one. Numbers too large for 64 bits read as the largest, which no
// tile has either.
std::optional<std::int64_t> WholeNumber(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) {
            return std::isdigit(static_cast<unsigned char>(c)) != 0;
        })) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    static_cast<void>(end);
    if (error == std::errc::result_out_of_range) {
        value = std::numeric_limits<std::int64_t>::max();
    }
    return negative ? -value : value;
}

GoToTarget Refused(std::string message) {
    GoToTarget target;
    target.kind = GoToTarget::Kind::Refused;
    target.message = std::move(message);
    return target;
}

GoToTarget GoTo(int position) {
    GoToTarget target;
    target.kind = GoToTarget::Kind::Tile;
    target.position = position;
    return target;
}

GoToTarget ByName(std::string_view typed, const Tileset& tileset, const TileNames& names) {
    std::vector<NamedTile> equal;
    std::vector<NamedTile> beginning;
    bool anyName = false;
    const auto entries = names.entries();
    for (std::size_t number = 0; number < entries.size(); ++number) {
        const std::string& name = entries[number];
        const int position =
            name.empty() ? 0 : tileset.PositionOfGameNumber(static_cast<std::int64_t>(number));
        if (position == 0) {
            continue;
        }
        anyName = true;
        if (name.size() == typed.size() && StartsWithIgnoringCase(name, typed)) {
            equal.push_back({position, name});
        } else if (StartsWithIgnoringCase(name, typed)) {
            beginning.push_back({position, name});
        }
    }
    std::vector<NamedTile>& found = equal.empty() ? beginning : equal;
    if (found.empty()) {
        std::string message = "No tile is named \"" + std::string(typed) + "\".";
        if (!anyName) {
            message += "\nNo names of this file's tiles are loaded (File > Load Names.h...).";
        }
        return Refused(std::move(message));
    }
    if (found.size() == 1) {
        return GoTo(found.front().position);
    }
    std::sort(found.begin(), found.end(),
              [](const NamedTile& a, const NamedTile& b) { return a.position < b.position; });
    GoToTarget target;
    target.kind = GoToTarget::Kind::Choose;
    target.matchCount = static_cast<int>(found.size());
    found.resize(std::min<std::size_t>(found.size(), kMaxGoToChoices));
    target.choices = std::move(found);
    return target;
}

GoToTarget FindTrimmed(std::string_view text, const Tileset& tileset, const TileNames& names) {
    if (text.empty()) {
        return {};
    }
    const int count = tileset.tileCount();
    if (count == 0) {
        return Refused("There is no tile to go to.");
    }
    if (!LooksLikeNumber(text)) {
        return ByName(text, tileset, names);
    }
    const bool artNumber = text.front() == '#';
    const std::optional<std::int64_t> number = WholeNumber(artNumber ? text.substr(1) : text);
    if (!number) {
        return Refused("Type a tile's position (12), its ART number (#11) or its name.");
    }
    // In a game's set a tile is known by its number in the game alone, as
    // its status line shows it; in a file, by "#N".
    const bool inSet = tileset.IsSet();
    if (inSet || artNumber) {
        const int position = tileset.PositionOfGameNumber(*number);
        if (position == 0) {
            return Refused(
                "There is no tile " + std::string(inSet ? "" : "#") + std::to_string(*number) +
                (inSet ? " in this set; its numbers are " : " in this file; its ART numbers are ") +
                std::to_string(tileset.GameNumber(1)) + " to " +
                std::to_string(tileset.GameNumber(count)) + ".");
        }
        return GoTo(position);
    }
    if (*number < 1 || *number > count) {
        return Refused("There is no tile " + std::to_string(*number) +
                       " in this file; its tiles are 1 to " + std::to_string(count) + ".");
    }
    return GoTo(static_cast<int>(*number));
}

}  // namespace

GoToTarget FindTileToGoTo(std::string_view typed, const Tileset& tileset, const TileNames& names) {
    GoToTarget target = FindTrimmed(Trimmed(typed), tileset, names);
    target.text = Trimmed(typed);
    return target;
}

std::string NamedTileText(const NamedTile& tile, const Tileset& tileset) {
    const std::string number = std::to_string(tileset.GameNumber(tile.position));
    if (const SetFile* file = tileset.FileHolding(tile.position)) {
        return tile.name + " - tile " + number + " (" + SetFileNameOf(*file) + ")";
    }
    return tile.name + " - tile " + std::to_string(tile.position) + " (ART " + number + ")";
}

}  // namespace pixmill
