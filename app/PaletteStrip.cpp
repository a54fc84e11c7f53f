#include "app/PaletteStrip.h"

namespace pixmill {

int PaletteIndexAt(int x, int y) {
    if (x < 0 || y < 0 || x >= 512 || y >= 8) {
        return -1;
    }
    return y / 4 * 128 + x / 4;
}

std::string PaletteEntryText(int index, const PaletteEntry& entry) {
    return "Index " + std::to_string(index) + " - red " + std::to_string(entry.red) + ", green " +
           std::to_string(entry.green) + ", blue " + std::to_string(entry.blue);
}

bool DarkTextOn(const PaletteEntry& entry) {
    // Rec. 601 luma in thousandths: above the middle, black reads better.
    return 299 * entry.red + 587 * entry.green + 114 * entry.blue > 128 * 1000;
}

}  // namespace pixmill
