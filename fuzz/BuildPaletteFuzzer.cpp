// A Build palette: each accepted value is the file's 6-bit value times 4, and
// writing the palette gives back the file's first 768 bytes.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "fuzz/FuzzCheck.h"
#include "palette/PaletteFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto palette = pixmill::ReadPalette(std::span<const std::uint8_t>(data, size),
                                              pixmill::PaletteFormat::Build);
    if (!palette) {
        return 0;
    }
    PIXMILL_FUZZ_CHECK(size >= 768);
    for (std::size_t i = 0; i < 256; ++i) {
        const pixmill::PaletteEntry& entry = (*palette)[i];
        PIXMILL_FUZZ_CHECK(entry.red == data[3 * i] * 4);
        PIXMILL_FUZZ_CHECK(entry.green == data[3 * i + 1] * 4);
        PIXMILL_FUZZ_CHECK(entry.blue == data[3 * i + 2] * 4);
    }
    const auto bytes = pixmill::PaletteBytes(*palette, pixmill::PaletteFormat::Build);
    PIXMILL_FUZZ_CHECK(bytes.size() == 768 && std::memcmp(bytes.data(), data, 768) == 0);
    return 0;
}
