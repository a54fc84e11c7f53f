// The File menu of the main window.

#include "app/ArtCommands.h"
#include "app/Editor.h"
#include "app/Form1.h"
#include "app/PaletteCommands.h"
#include "app/StartUp.h"

namespace pixmill {
namespace {

const char kArtFilter[] = "Build Engine Tilesets (*.ART)|*.ART";
const char kPaletteFilter[] = "Build Engine Palettes (*.DAT)|*.DAT|Windows Palettes (*.PAL)|*.PAL";

}  // namespace

void Form1::mnuPal_Click() {
    CommonDialog1.FileName.clear();
    CommonDialog1.Filter = kPaletteFilter;
    CommonDialog1.ShowOpen();
    if (!CommonDialog1.FileName.empty()) {
        LoadPalette(editor_, CommonDialog1.FileName);
    }
}

void Form1::mnuexppal_Click() {
    CommonDialog1.FileName.clear();
    CommonDialog1.Filter = kPaletteFilter;
    CommonDialog1.ShowSave();
    if (!CommonDialog1.FileName.empty()) {
        ExportPalette(editor_, CommonDialog1.FileName);
    }
}

void Form1::mnuNew_Click() {
    NewTileset(editor_);
}

void Form1::mnuOpen_Click() {
    CommonDialog1.FileName.clear();
    CommonDialog1.Filter = kArtFilter;
    CommonDialog1.ShowOpen();
    if (!CommonDialog1.FileName.empty()) {
        LoadArtFile(editor_, CommonDialog1.FileName);
    }
}

void Form1::mnuSave_Click() {
    SaveArtFile(editor_, editor_.tileset.artPath, true);
}

void Form1::mnuSaveAs_Click() {
    CommonDialog1.FileName.clear();
    CommonDialog1.Filter = kArtFilter;
    CommonDialog1.ShowSave();
    if (!CommonDialog1.FileName.empty()) {
        SaveArtFile(editor_, CommonDialog1.FileName, false);
    }
}

void Form1::mnuExit_Click() {
    EndEditor(editor_);
}

}  // namespace pixmill
