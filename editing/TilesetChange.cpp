#include "editing/TilesetChange.h"

#include <algorithm>
#include <iterator>

namespace pixmill {
namespace {

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

void InsertAt(Tileset& tileset, int position, const Tile& tile) {
    // Tiles move by their pixel handles; no pixel is copied.
    tileset.tiles.insert(std::next(tileset.tiles.begin(), position - 1), tile);
    ++tileset.lastTileNumber;
}

void EraseAt(Tileset& tileset, int position) {
    tileset.tiles.erase(std::next(tileset.tiles.begin(), position - 1));
    --tileset.lastTileNumber;
}

}  // namespace

bool SameTile(const Tile& a, const Tile& b) {
    if (a.width != b.width || a.height != b.height || a.attributes != b.attributes) {
        return false;
    }
    return a.pixels.data() == b.pixels.data() ? a.pixels.size() == b.pixels.size()
                                              : a.pixels == b.pixels;
}

void TilesetChange::Replace(const Tileset& tileset, int position, Tile after) {
    parts_.emplace_back(Replaced{position, tileset.tile(position), std::move(after)});
}

void TilesetChange::Replace(int position, Tile before, Tile after) {
    parts_.emplace_back(Replaced{position, std::move(before), std::move(after)});
}

void TilesetChange::Insert(int position, Tile tile) {
    parts_.emplace_back(Inserted{position, std::move(tile)});
}

void TilesetChange::Erase(const Tileset& tileset, int position) {
    parts_.emplace_back(Erased{position, tileset.tile(position)});
}

std::size_t TilesetChange::Overhead() const {
    return sizeof(*this) + name_.capacity() + parts_.capacity() * sizeof(Part);
}

bool TilesetChange::Empty() const {
    return std::all_of(parts_.begin(), parts_.end(), [](const Part& part) {
        const auto* replaced = std::get_if<Replaced>(&part);
        return replaced != nullptr && SameTile(replaced->before, replaced->after);
    });
}

bool TilesetChange::ChangesTileList() const {
    return std::any_of(parts_.begin(), parts_.end(),
                       [](const Part& part) { return !std::holds_alternative<Replaced>(part); });
}

void TilesetChange::Apply(Tileset& tileset) const {
    for (const Part& part : parts_) {
        std::visit(Overloaded{
                       [&](const Replaced& p) { tileset.tile(p.position) = p.after; },
                       [&](const Inserted& p) { InsertAt(tileset, p.position, p.tile); },
                       [&](const Erased& p) { EraseAt(tileset, p.position); },
                   },
                   part);
    }
}

void TilesetChange::Revert(Tileset& tileset) const {
    for (auto part = parts_.rbegin(); part != parts_.rend(); ++part) {
        std::visit(Overloaded{
                       [&](const Replaced& p) { tileset.tile(p.position) = p.before; },
                       [&](const Inserted& p) { EraseAt(tileset, p.position); },
                       [&](const Erased& p) { InsertAt(tileset, p.position, p.tile); },
                   },
                   *part);
    }
}

}  // namespace pixmill
