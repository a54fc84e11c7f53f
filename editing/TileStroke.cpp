#include "editing/TileStroke.h"

namespace pixmill {

const char* ToolCommandName(DrawingTool tool) {
    switch (tool) {
        case DrawingTool::Pencil:
            return "Pencil";
        case DrawingTool::Line:
            return "Line";
        case DrawingTool::Fill:
            return "Fill";
        case DrawingTool::PickColour:
            return "Pick Colour";
        case DrawingTool::None:
            break;
    }
    return "Drawing";
}

TileStroke::TileStroke(DrawingTool tool, const Tile& tile, std::uint8_t colour, TilePoint start,
                       PixelRect clip)
    : tool_(tool),
      before_(tile),
      colour_(colour),
      start_(start),
      last_(start),
      clip_(Intersection(clip, WholeTile(tile))) {}

PixelRect TileStroke::Begin(Tile& tile) {
    return DrawLine(tile, start_, start_, colour_, clip_);
}

PixelRect TileStroke::MoveTo(Tile& tile, TilePoint to) {
    if (to == last_) {
        return {};
    }
    PixelRect changed;
    if (tool_ == DrawingTool::Line) {
        // The line drawn to the last place goes, the pixels under it as they
        // were, and the line to the new place is drawn.
        changed = RestoreLine(tile, before_, start_, last_, clip_);
        changed = Union(changed, DrawLine(tile, start_, to, colour_, clip_));
    } else {
        changed = DrawLine(tile, last_, to, colour_, clip_);
    }
    last_ = to;
    return changed;
}

}  // namespace pixmill
