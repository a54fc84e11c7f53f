// The shade tables after a palette's colours, on any bytes: what is accepted
// is exactly the bytes after the colours, written back unchanged, and a
// palette drawn through any of its tables takes every colour from the palette.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "palette/Remap.h"
#include "palette/ShadeTables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The colours are not what is fuzzed: the input is what follows them.
    std::vector<std::uint8_t> file(pixmill::kPaletteColoursSize, 0);
    file.insert(file.end(), data, data + size);
    const auto tables = pixmill::ReadShadeTables(file);
    if (!tables) {
        PIXMILL_FUZZ_CHECK(!tables.reason().empty());
        return 0;
    }
    PIXMILL_FUZZ_CHECK(tables->shades.size() * 256 <= size);
    const auto bytes = pixmill::ShadeTablesBytes(*tables);
    PIXMILL_FUZZ_CHECK(bytes.size() == size);
    PIXMILL_FUZZ_CHECK(size == 0 || std::memcmp(bytes.data(), data, size) == 0);

    pixmill::Palette colours;
    for (std::size_t i = 0; i < colours.size(); ++i) {
        colours[i] = {static_cast<std::uint8_t>(i), 0, 0};
    }
    const pixmill::LookupTables none;
    for (std::size_t s = 0; s < tables->shades.size() && s < 4; ++s) {
        const auto shown =
            pixmill::ChosenPalette(colours, *tables, none, {static_cast<int>(s), {}, {}});
        for (std::size_t i = 0; i < 256; ++i) {
            PIXMILL_FUZZ_CHECK(shown[i].red == tables->shades[s][i]);
        }
    }
    return 0;
}
