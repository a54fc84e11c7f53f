#pragma once
// An editor for the benchmarks that run the windows offscreen, each command
// from its real handler, and their main().

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>

#include "app/Editor.h"
#include "app/Form1.h"
#include "app/WindowProcedures.h"
#include "bench/BenchSupport.h"
#include "browser/Form2.h"
#include "platform/ScriptedPrompts.h"

namespace pixmill::bench {

// An editor with count tiles of side x side (PatternTile), a palette of
// distinct colours and tile 1 current; shown: both windows on the screen.
struct Session {
    ScriptedPrompts prompts;
    Editor editor{prompts};

    Session(int count, int side, bool shown = false) {
        editor.form1->Form_Load();
        editor.palette = DistinctPalette();
        for (int i = 0; i < count; ++i) {
            editor.tileset.tiles.push_back(PatternTile(side, i));
        }
        editor.tileset.lastTileNumber = count - 1;
        editor.state.currentTile = 1;
        if (shown) {
            editor.form1->show();
            editor.form2->show();
            QApplication::processEvents();
        }
        FillBrowser(editor);
        UpdateTileView(editor, 0);
        RenderCurrentTile(editor, 1);
        if (shown) {
            QApplication::processEvents();
        }
    }
};

// main() of such a program: freed memory kept, windows offscreen unless
// QT_QPA_PLATFORM says otherwise.
inline int RunWindowBenchmarks(int argc, char* argv[]) {
    KeepFreedMemory();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace pixmill::bench
