#include "editing/SetChanges.h"

#include "editing/TilesetChange.h"

namespace pixmill {

std::vector<std::size_t> ChangedSetFiles(const Tileset& now, const Tileset& saved) {
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < now.setFiles.size(); ++i) {
        const SetFile& file = now.setFiles[i];
        bool differs = now.tileCount() != saved.tileCount();
        for (int p = file.firstPosition; !differs && p <= file.lastPosition(); ++p) {
            differs = !SameTile(now.tile(p), saved.tile(p));
        }
        if (differs) {
            changed.push_back(i);
        }
    }
    return changed;
}

}  // namespace pixmill
