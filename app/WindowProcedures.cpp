// The small helpers that every command uses.

#include "app/WindowProcedures.h"

#include <utility>

#include "app/Editor.h"
#include "app/Form1.h"
#include "browser/Form2.h"
#include "common/Numbers.h"
#include "editing/TileRange.h"
#include "platform/Events.h"
#include "platform/Windows.h"

namespace pixmill {

void ShowStatus(Editor& editor, const std::string& text) {
    editor.form1->SetStatusText(text);
    DoEvents();
}

void ShowInFrontOfMainWindow(Editor& editor, QWidget& window) {
    KeepInFrontOf(window, *editor.form1);
    window.show();
    window.raise();
    window.activateWindow();
}

void SetMainWindowEnabled(Editor& editor, bool enabled) {
    editor.form1->setEnabled(enabled);
}

void SetBrowserEnabled(Editor& editor, bool enabled) {
    editor.form2->setEnabled(enabled);
}

std::optional<double> AskNumber(Editor& editor, const std::string& prompt,
                                const std::string& title) {
    const std::string answer = editor.prompts.InputBox(prompt, title, "");
    if (answer.empty()) {
        return std::nullopt;
    }
    return ReadLeadingNumber(answer);
}

std::optional<TileRange> AskTileRange(Editor& editor, const std::string& title) {
    const int count = editor.tileset.tileCount();
    TileRange range;
    const std::pair<const char*, int*> asks[] = {
        {"Please enter the first tile number...", &range.first},
        {"Please enter the last tile number...", &range.last}};
    for (const auto& [prompt, number] : asks) {
        const std::optional<double> typed = AskNumber(editor, prompt, title);
        if (!typed) {
            return std::nullopt;
        }
        if (const std::string refusal = TileNumberRefusal(*typed, count); !refusal.empty()) {
            Warn(editor.prompts, refusal);
            return std::nullopt;
        }
        // Within +-tileCount, so it fits.
        *number = static_cast<int>(RoundHalfEven(*typed));
    }
    if (const std::string refusal = TileRangeRefusal(range.first, range.last); !refusal.empty()) {
        Warn(editor.prompts, refusal);
        return std::nullopt;
    }
    return range;
}

}  // namespace pixmill
