#pragma once
// One change of the tileset, as one undo step: what it replaced, inserted or
// erased, each tile kept whole as it was and as it became. Tiles share their
// pixels until changed, so keeping a tile costs a reference, never a copy of
// its pixels: a step costs what it changes.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "tileset/Tileset.h"

namespace pixmill {

class TilesetChange {
  public:
    // name: the command, as the Edit menu shows it ("Undo Resize").
    explicit TilesetChange(std::string name) : name_(std::move(name)) {}

    const std::string& name() const { return name_; }

    // Recording, against the tileset as it stands before the change: a change
    // holds replacements, or one insert, or one erase. Positions are 1-based.
    // Tile position becomes after.
    void Replace(const Tileset& tileset, int position, Tile after);
    // The same for a tile already changed in place (a stroke drawn as the
    // pointer moved): before is the tile as it was, after as it is now.
    void Replace(int position, Tile before, Tile after);
    // tile goes in at position (1..tileCount + 1); the later tiles move up one
    // place, and the last tile number with them.
    void Insert(int position, Tile tile);
    // The tile at position goes; the later tiles move down one place.
    void Erase(const Tileset& tileset, int position);

    // The tile shown after the change is undone, and after it is made (or
    // made again); 0 for none.
    int focusBefore = 0;
    int focusAfter = 0;

    // True when making the change would leave the tileset as it is.
    bool Empty() const;
    // True when it inserts or erases tiles, which moves every later tile.
    bool ChangesTileList() const;

    // Makes the change (Apply) or takes it back (Revert). The tileset must be
    // as it was when the change was recorded, or as the change left it.
    void Apply(Tileset& tileset) const;
    void Revert(Tileset& tileset) const;

    // Bytes the change takes beside the pixels it keeps.
    std::size_t Overhead() const;

    // Each tile kept by the change, before and after, for telling what it
    // keeps alive.
    template <class Visit>
    void ForEachTile(Visit&& visit) const {
        for (const Part& part : parts_) {
            std::visit([&](const auto& p) { p.VisitTiles(visit); }, part);
        }
    }

  private:
    struct Replaced {
        int position;
        Tile before;
        Tile after;
        template <class Visit>
        void VisitTiles(Visit& visit) const {
            visit(before);
            visit(after);
        }
    };
    struct Inserted {
        int position;
        Tile tile;
        template <class Visit>
        void VisitTiles(Visit& visit) const {
            visit(tile);
        }
    };
    struct Erased {
        int position;
        Tile tile;
        template <class Visit>
        void VisitTiles(Visit& visit) const {
            visit(tile);
        }
    };
    using Part = std::variant<Replaced, Inserted, Erased>;

    std::string name_;
    std::vector<Part> parts_;
};

// Whether two tiles are the same to a save: size, attribute bytes and pixels.
// Tiles that share their pixels compare without reading them.
bool SameTile(const Tile& a, const Tile& b);

}  // namespace pixmill
