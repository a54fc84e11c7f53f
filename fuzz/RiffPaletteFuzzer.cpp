// A RIFF palette: the entries are the file's bytes from 24 on, and a palette
// written and read back is the same palette.

#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz/FuzzCheck.h"
#include "palette/PaletteFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto palette = pixmill::ReadPalette(std::span<const std::uint8_t>(data, size),
                                              pixmill::PaletteFormat::Riff);
    if (!palette) {
        return 0;
    }
    PIXMILL_FUZZ_CHECK(size >= 24 + 1024);
    for (std::size_t i = 0; i < 256; ++i) {
        const pixmill::PaletteEntry& entry = (*palette)[i];
        PIXMILL_FUZZ_CHECK(entry.red == data[24 + 4 * i] && entry.green == data[25 + 4 * i] &&
                           entry.blue == data[26 + 4 * i]);
    }
    const auto bytes = pixmill::PaletteBytes(*palette, pixmill::PaletteFormat::Riff);
    PIXMILL_FUZZ_CHECK(bytes.size() == 1052);
    const auto again = pixmill::ReadPalette(bytes, pixmill::PaletteFormat::Riff);
    PIXMILL_FUZZ_CHECK(again.ok() && *again == *palette);
    return 0;
}
