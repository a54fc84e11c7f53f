#include "palette/Remap.h"

#include <algorithm>

namespace pixmill {

Palette RemappedPalette(const Palette& colours, const ColourMap* swap, const ColourMap* shade) {
    Palette shown;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        std::uint8_t index = static_cast<std::uint8_t>(i);
        if (swap != nullptr) {
            index = (*swap)[index];
        }
        if (shade != nullptr) {
            index = (*shade)[index];
        }
        shown[i] = colours[index];
    }
    return shown;
}

Palette ChosenPalette(const Palette& palette, const ShadeTables& shades, const LookupTables& lookup,
                      const DrawingChoice& choice) {
    const ColourMap* shade = nullptr;
    if (choice.shade && *choice.shade >= 0 &&
        static_cast<std::size_t>(*choice.shade) < shades.shades.size()) {
        shade = &shades.shades[static_cast<std::size_t>(*choice.shade)];
    }
    const ColourMap* swap = nullptr;
    if (choice.swapNumber) {
        const auto found =
            std::find_if(lookup.swaps.begin(), lookup.swaps.end(),
                         [&](const PaletteSwap& s) { return s.number == *choice.swapNumber; });
        swap = found != lookup.swaps.end() ? &found->map : nullptr;
    }
    const Palette* colours = &palette;
    if (choice.alternative && *choice.alternative >= 0 &&
        static_cast<std::size_t>(*choice.alternative) < lookup.alternatives.size()) {
        colours = &lookup.alternatives[static_cast<std::size_t>(*choice.alternative)];
    }
    if (shade == nullptr && swap == nullptr) {
        return *colours;
    }
    return RemappedPalette(*colours, swap, shade);
}

}  // namespace pixmill
