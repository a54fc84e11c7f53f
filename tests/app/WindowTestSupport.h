#pragma once
// A fresh editor per test: its windows offscreen, its prompts answered from a
// script, its files in a scratch folder.

#include <gtest/gtest.h>

#include <QColor>
#include <QPushButton>
#include <QScrollBar>
#include <string>

#include "app/Editor.h"
#include "app/Form1.h"
#include "browser/Form2.h"
#include "palette/Palette.h"
#include "platform/ScriptedPrompts.h"
#include "tests/TestSupport.h"
#include "tileset/Tileset.h"

namespace pixmill::test {

class WindowTest : public ::testing::Test {
  protected:
    WindowTest();
    // Every queued answer must have been asked for, and every prompt answered.
    void TearDown() override;

    // A palette whose entries are all different and exact in 8 bits: written
    // as a RIFF palette.
    static Palette TestPalette();
    std::string WriteTestPalette(const std::string& name = "test.pal");
    std::string WriteArt(const Tileset& tileset, const std::string& name);

    // The commands as a user runs them, the file dialog answered with path.
    void LoadPaletteFile(const std::string& path);
    void OpenArt(const std::string& path);
    // Test palette loaded, then the tileset written to name and opened.
    void OpenTileset(const Tileset& tileset, const std::string& name = "TILES000.ART");

    // A pixel of the tile view, in drawing coordinates.
    QColor ViewPixel(int x, int y) const;
    // The colour the palette gives an index.
    QColor Colour(std::uint8_t index) const;

    ScratchDir dir;
    ScriptedPrompts prompts;
    Editor editor{prompts};
    Form1& form = *editor.form1;
    Form2& browser = *editor.form2;
};

// A tileset of count tiles, tile i (1-based) a PatternTile of the given size
// seeded with i.
Tileset PatternTileset(int count, int width, int height);

// What a window test can see of the editor's state at once, to show that a
// refused command changed none of it.
struct VisibleState {
    std::string caption;
    std::string status;
    bool exportPalette, newArt, openArt, save, saveAs, tileMenu;
    int currentTile;
    int tileCount;
    std::string artPath;
    QImage view;
    QImage strip;
    QImage page;
    friend bool operator==(const VisibleState&, const VisibleState&) = default;
};
VisibleState Snapshot(const Editor& editor);

}  // namespace pixmill::test
