#pragma once
// One stroke of a drawing tool, from the button going down to it coming up:
// the pencil leaves a trail along the pointer's path, the line runs from where
// the button went down to where the pointer is. The stroke draws on the tile
// in place, so the user sees it as it grows, and keeps the tile as it was for
// its undo step.

#include <cstdint>

#include "editing/TileDrawing.h"
#include "tileset/Tile.h"

namespace pixmill {

enum class DrawingTool { None, Pencil, Line, Fill, PickColour };

// The command name of a tool's change, as the Edit menu shows it ("Undo Pencil").
const char* ToolCommandName(DrawingTool tool);

class TileStroke {
  public:
    // A Pencil or Line stroke in colour, the button down at start (inside
    // clip). It changes only pixels inside clip: those the user sees.
    TileStroke(DrawingTool tool, const Tile& tile, std::uint8_t colour, TilePoint start,
               PixelRect clip);

    // Draws the first pixel. Returns the pixels to show again.
    PixelRect Begin(Tile& tile);
    // The pointer has moved to `to` (perhaps outside the tile): the pencil
    // draws the path from its last place, the line is drawn anew to there.
    // tile is the one the stroke began on, as the stroke left it.
    PixelRect MoveTo(Tile& tile, TilePoint to);

    DrawingTool tool() const { return tool_; }
    // The tile as it was when the button went down; it shares the pixels of
    // the tile until the stroke first changes them.
    const Tile& before() const { return before_; }

  private:
    DrawingTool tool_;
    Tile before_;
    std::uint8_t colour_;
    TilePoint start_;
    TilePoint last_;
    PixelRect clip_;
};

}  // namespace pixmill
