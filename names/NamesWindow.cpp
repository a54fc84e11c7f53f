#include "names/NamesWindow.h"

#include "app/Editor.h"
#include "names/NamesHeader.h"

namespace pixmill {

void LoadNames(Editor& editor, const std::string& path) {
    // Where and why a header stopped is for pixmill-tool to tell; the editor
    // keeps what came before, without a word.
    ReadNamesHeaderFile(path, editor.tileNames);
}

}  // namespace pixmill
