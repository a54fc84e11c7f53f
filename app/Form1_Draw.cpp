// The drawing tools of the Edit menu on the tile view. A pencil or line
// stroke draws on the current tile in place while the button is down, so the
// user sees it grow, showing again only the cells it changed; when the button
// comes up it is recorded as one undo step. A fill is one change at the click;
// picking a colour changes no tile.

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <utility>

#include "app/Editor.h"
#include "app/Form1.h"
#include "app/PaletteCommands.h"
#include "app/TileView.h"
#include "app/TileViewCells.h"
#include "app/WindowProcedures.h"
#include "editing/TilesetChange.h"
#include "platform/Dib.h"
#include "platform/PictureBox.h"

namespace pixmill {
namespace {

// Changed pixels up to this many are drawn cell by cell.
constexpr int kFewCells = 64;

}  // namespace

DrawingTool Form1::ChosenTool() const {
    const QAction* chosen = toolGroup->checkedAction();
    return chosen == mnuPencil ? DrawingTool::Pencil
           : chosen == mnuLine ? DrawingTool::Line
           : chosen == mnuFill ? DrawingTool::Fill
           : chosen == mnuPick ? DrawingTool::PickColour
                               : DrawingTool::None;
}

void Form1::ShowChosenTool() {
    if (ChosenTool() == DrawingTool::None) {
        Picture1->unsetCursor();
    } else {
        Picture1->setCursor(Qt::CrossCursor);
    }
}

void Form1::SetSwatch(int button, std::uint8_t index) {
    (button == 1 ? editor_.state.leftColour : editor_.state.rightColour) = index;
    ShowSwatches(editor_);
}

void Form1::Picture1_MouseDown(int button, int, int x, int y) {
    const DrawingTool tool = ChosenTool();
    if (tool == DrawingTool::None || (button != 1 && button != 2) ||
        CurrentTile(editor_) == nullptr) {
        return;
    }
    // The tile is drawn on at rest, where its frames do not pass over it.
    if (mnuAnim->isChecked()) {
        StopAnimationPreview(editor_);
    }
    Tile* tile = CurrentTile(editor_);
    if (tile == nullptr) {
        return;
    }
    const EditorState& state = editor_.state;
    const std::optional<TilePoint> at =
        TilePixelAt(x, y, tile->width, tile->height, state.zoomFactor, state.tileDrawX,
                    state.tileDrawY, Picture1->innerWidth(), Picture1->innerHeight());
    if (!at) {
        return;
    }
    const std::uint8_t colour = button == 1 ? state.leftColour : state.rightColour;
    const int current = state.currentTile;
    switch (tool) {
        case DrawingTool::PickColour:
            SetSwatch(button, std::as_const(*tile).Pixel(at->x, at->y));
            return;
        case DrawingTool::Fill: {
            Tile filled = *tile;
            FillArea(filled, *at, colour);
            TilesetChange change(ToolCommandName(tool));
            change.Replace(editor_.tileset, current, std::move(filled));
            change.focusBefore = change.focusAfter = current;
            MakeChange(editor_, std::move(change));
            return;
        }
        case DrawingTool::Pencil:
        case DrawingTool::Line: {
            // Only what shows may change: the pointer cannot aim elsewhere.
            const PixelRect shown =
                ShownPixels(tile->width, tile->height, state.zoomFactor, state.tileDrawX,
                            state.tileDrawY, Picture1->innerWidth(), Picture1->innerHeight());
            stroke_.emplace(Stroke{TileStroke(tool, *tile, colour, *at, shown), button, current,
                                   editor_.tilesetGeneration});
            ShowTileCells(stroke_->drawing.Begin(*tile));
            return;
        }
        case DrawingTool::None:
            return;
    }
}

void Form1::Picture1_MouseMove(int, int, int x, int y) {
    if (!stroke_) {
        return;
    }
    Tile* tile = CurrentTile(editor_);
    if (tile == nullptr || editor_.state.currentTile != stroke_->position ||
        editor_.tilesetGeneration != stroke_->generation) {
        return;
    }
    const EditorState& state = editor_.state;
    const TilePoint to = TilePointAt(x, y, state.zoomFactor, state.tileDrawX, state.tileDrawY);
    ShowTileCells(stroke_->drawing.MoveTo(*tile, to));
}

void Form1::Picture1_MouseUp(int button, int shift, int x, int y) {
    if (!stroke_ || button != stroke_->button) {
        return;
    }
    // Where the button came up counts, whether or not a move reported it.
    Picture1_MouseMove(button, shift, x, y);
    FinishStroke();
}

void Form1::FinishStroke() {
    if (!stroke_) {
        return;
    }
    const Stroke stroke = std::move(*stroke_);
    stroke_.reset();
    const Tile* tile = CurrentTile(editor_);
    if (tile == nullptr || editor_.state.currentTile != stroke.position ||
        editor_.tilesetGeneration != stroke.generation) {
        return;
    }
    TilesetChange change(ToolCommandName(stroke.drawing.tool()));
    change.Replace(stroke.position, stroke.drawing.before(), *tile);
    change.focusBefore = change.focusAfter = stroke.position;
    RecordChange(editor_, std::move(change));
}

void Form1::ShowTileCells(const PixelRect& region) {
    const Tile* tile = CurrentTile(editor_);
    if (tile == nullptr || region.empty()) {
        return;
    }
    const EditorState& state = editor_.state;
    const int zoom = state.zoomFactor;
    PictureBox& view = *Picture1;
    const int iw = view.innerWidth();
    const int ih = view.innerHeight();
    const PixelRect part = Intersection(
        region,
        ShownPixels(tile->width, tile->height, zoom, state.tileDrawX, state.tileDrawY, iw, ih));
    if (part.empty()) {
        return;
    }
    // Through the shade and the swap chosen, as the whole view is drawn.
    const Palette shown = ShownPalette(editor_);
    if (std::int64_t{part.width} * part.height <= kFewCells) {
        // A pencil's move changes a few pixels: each cell is filled with its
        // colour, cheaper than a buffer made for them and stretched.
        for (int x = part.x; x < part.x + part.width; ++x) {
            for (int y = part.y; y < part.y + part.height; ++y) {
                const PaletteEntry& c = shown[tile->Pixel(x + 1, y + 1)];
                const int left = state.tileDrawX + x * zoom;
                const int top = state.tileDrawY + y * zoom;
                view.FillBox(left, top, left + zoom - 1, top + zoom - 1,
                             QColor(c.red, c.green, c.blue));
            }
        }
    } else {
        const TileViewImage image =
            BuildTileViewImage(*tile, shown, TileRegion{part.x, part.y, part.width, part.height});
        StretchDIBits(view, state.tileDrawX + part.x * zoom, state.tileDrawY + part.y * zoom,
                      part.width * zoom, part.height * zoom, 0, 0, part.width, part.height,
                      image.bytes, image.header);
    }
    const ViewRect cells = CellsInView(part, zoom, state.tileDrawX, state.tileDrawY, iw, ih);
    if (state.crosshairOn) {
        // The parts of the crosshair's lines that the cells covered.
        const QColor black(0, 0, 0);
        const int cx = iw / 2 + 1;
        const int cy = ih / 2 + 1;
        if (cx >= cells.x && cx < cells.x + cells.width) {
            view.Line(cx, cells.y, cx, cells.y + cells.height - 1, black);
        }
        if (cy >= cells.y && cy < cells.y + cells.height) {
            view.Line(cells.x, cy, cells.x + cells.width - 1, cy, black);
        }
    }
    view.Refresh(cells.x, cells.y, cells.width, cells.height);
}

}  // namespace pixmill
