// Copying and pasting tiles. A copy goes on the clipboard twice: as an image
// through the palette, for other programs, and in Pixmill's own form, so that
// a tile pasted back is the same to the byte. An image from another program is
// matched to the palette as "Import Picture..." matches a file.

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <optional>
#include <span>

#include "app/Editor.h"
#include "app/Form1.h"
#include "app/WindowProcedures.h"
#include "bitmap/Picture.h"
#include "bitmap/PictureCommands.h"
#include "editing/TileClip.h"
#include "editing/TileEdits.h"
#include "editing/TilesetChange.h"

namespace pixmill {
namespace {

// The tile's picture as an indexed image with the palette as its colours; a
// tile without pixels gives an empty image.
QImage TileImage(const Tile& tile, const Palette& palette) {
    if (tile.width <= 0 || tile.height <= 0 || tile.pixels.size() < tile.PixelCount()) {
        return {};
    }
    QImage image(tile.width, tile.height, QImage::Format_Indexed8);
    QList<QRgb> colours;
    for (const PaletteEntry& entry : palette) {
        colours.push_back(qRgb(entry.red, entry.green, entry.blue));
    }
    image.setColorTable(colours);
    for (int y = 1; y <= tile.height; ++y) {
        uchar* row = image.scanLine(y - 1);
        for (int x = 1; x <= tile.width; ++x) {
            row[x - 1] = tile.Pixel(x, y);
        }
    }
    return image;
}

struct Pasted {
    Tile tile;
    bool whole = false;  // Pixmill's own form: the attribute bytes came too
};

// An image from another program as a tile matched to the palette; nothing
// (and the refusal shown) when it is larger than a tile.
std::optional<Tile> MatchedImage(Editor& editor, QImage image) {
    if (image.isNull()) {
        return Tile{};
    }
    if (image.width() > kMaxTileSide || image.height() > kMaxTileSide) {
        Warn(editor.prompts, "The picture on the clipboard is " + std::to_string(image.width()) +
                                 " x " + std::to_string(image.height()) +
                                 " pixels; a tile is at most " + std::to_string(kMaxTileSide) +
                                 " x " + std::to_string(kMaxTileSide) + ".");
        return std::nullopt;
    }
    PictureHead head;
    head.width = image.width();
    head.height = image.height();
    const QImage::Format format = image.format();
    head.indexed = format == QImage::Format_Indexed8 || format == QImage::Format_Mono ||
                   format == QImage::Format_MonoLSB;
    if (head.indexed) {
        // An indexed image keeps its colour table, so that one in the
        // palette's order keeps its indices.
        image = image.convertToFormat(QImage::Format_Indexed8);
        for (const QRgb colour : image.colorTable()) {
            head.colours.push_back({static_cast<std::uint8_t>(qRed(colour)),
                                    static_cast<std::uint8_t>(qGreen(colour)),
                                    static_cast<std::uint8_t>(qBlue(colour))});
            head.alphas.push_back(static_cast<std::uint8_t>(qAlpha(colour)));
        }
        head.colours.resize(std::min<std::size_t>(head.colours.size(), 256));
        head.alphas.resize(head.colours.size());
    } else {
        image = image.convertToFormat(QImage::Format_RGBA8888);
    }
    MemoryPicture picture(std::move(head), image.constBits(), image.bytesPerLine());
    Result<Tile> tile = MatchPictureToPalette(picture, editor.palette, DitherWhenMatching(editor));
    if (!tile) {
        Warn(editor.prompts, "The picture on the clipboard cannot be pasted.\n" + tile.reason());
        return std::nullopt;
    }
    return std::move(*tile);
}

// What the clipboard holds, as a tile; nothing (and the refusal shown) when it
// holds no picture.
std::optional<Pasted> ClipboardTile(Editor& editor) {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (mime != nullptr && mime->hasFormat(QString::fromLatin1(kTileClipMimeType))) {
        const QByteArray bytes = mime->data(QString::fromLatin1(kTileClipMimeType));
        Result<Tile> tile = ReadTileClip(
            std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                          static_cast<std::size_t>(bytes.size())));
        if (!tile) {
            Warn(editor.prompts, "The tile on the clipboard cannot be pasted.\n" + tile.reason());
            return std::nullopt;
        }
        return Pasted{std::move(*tile), true};
    }
    if (mime != nullptr && mime->hasImage()) {
        std::optional<Tile> tile = MatchedImage(editor, qvariant_cast<QImage>(mime->imageData()));
        if (!tile) {
            return std::nullopt;
        }
        return Pasted{std::move(*tile), false};
    }
    Warn(editor.prompts, "The clipboard holds no picture to paste.");
    return std::nullopt;
}

}  // namespace

void Form1::mnuCopy_Click() {
    if (!TileSelectedOrWarn(editor_)) {
        return;
    }
    const Tile& tile = *CurrentTile(editor_);
    auto* mime = new QMimeData;
    const std::vector<std::uint8_t> bytes = TileClipBytes(tile);
    mime->setData(QString::fromLatin1(kTileClipMimeType),
                  QByteArray(reinterpret_cast<const char*>(bytes.data()),
                             static_cast<qsizetype>(bytes.size())));
    mime->setImageData(TileImage(tile, editor_.palette));
    QGuiApplication::clipboard()->setMimeData(mime);
}

void Form1::mnuPaste_Click() {
    if (!TileSelectedOrWarn(editor_)) {
        return;
    }
    if (std::optional<Pasted> pasted = ClipboardTile(editor_)) {
        ReplaceCurrentPicture(editor_, std::move(pasted->tile), "Paste Tile");
    }
}

void Form1::mnuPasteNew_Click() {
    if (!editor_.tilesetOpen) {
        WarnNoTileSelected(editor_);
        return;
    }
    if (const Status room = CheckRoomForTile(editor_.tileset); !room) {
        Warn(editor_.prompts, "The tileset is full: " + room.reason() + ".");
        return;
    }
    std::optional<Pasted> pasted = ClipboardTile(editor_);
    if (!pasted) {
        return;
    }
    // A picture from elsewhere becomes a tile as "Insert after current" makes one.
    if (!pasted->whole) {
        pasted->tile.attributes = BlankTile().attributes;
    }
    const int current = editor_.state.currentTile;
    const int position = std::clamp(current + 1, 1, editor_.tileset.tileCount() + 1);
    TilesetChange change("Paste as New Tile");
    change.Insert(position, std::move(pasted->tile));
    change.focusBefore = current;
    change.focusAfter = position;
    MakeChange(editor_, std::move(change));
}

}  // namespace pixmill
