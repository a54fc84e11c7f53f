// LOOKUP.DAT on any bytes: what is accepted is exactly what the file holds
// (its length is the count's swaps and whole palettes, no more), and the
// tables written back read the same.

#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz/FuzzCheck.h"
#include "palette/LookupFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto lookup = pixmill::ReadLookup(std::span<const std::uint8_t>(data, size));
    if (!lookup) {
        PIXMILL_FUZZ_CHECK(!lookup.reason().empty());
        return 0;
    }
    const std::size_t count = data[0];
    PIXMILL_FUZZ_CHECK(size == 1 + count * 257 + lookup->alternatives.size() * 768);
    PIXMILL_FUZZ_CHECK(lookup->alternatives.size() <= 5);
    PIXMILL_FUZZ_CHECK(lookup->swaps.size() <= count);
    for (std::size_t i = 1; i < lookup->swaps.size(); ++i) {
        PIXMILL_FUZZ_CHECK(lookup->swaps[i - 1].number < lookup->swaps[i].number);
    }
    // Each number's table is its last record's.
    for (const pixmill::PaletteSwap& swap : lookup->swaps) {
        std::size_t last = count;
        for (std::size_t r = 0; r < count; ++r) {
            if (data[1 + r * 257] == swap.number) {
                last = r;
            }
        }
        PIXMILL_FUZZ_CHECK(last < count);
        for (std::size_t i = 0; i < 256; ++i) {
            PIXMILL_FUZZ_CHECK(swap.map[i] == data[1 + last * 257 + 1 + i]);
        }
    }
    const auto bytes = pixmill::LookupBytes(*lookup);
    const auto again = pixmill::ReadLookup(bytes);
    PIXMILL_FUZZ_CHECK(again.ok());
    PIXMILL_FUZZ_CHECK(again->alternatives == lookup->alternatives);
    PIXMILL_FUZZ_CHECK(again->swaps.size() == lookup->swaps.size());
    if (lookup->swaps.size() == count) {
        PIXMILL_FUZZ_CHECK(bytes.size() == size);
    }
    return 0;
}
