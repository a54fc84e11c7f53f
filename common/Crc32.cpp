#include "common/Crc32.h"

#include <array>

namespace pixmill {
namespace {

// Eight tables: eight bytes a step, the usual slicing of the byte-wise table.
using Tables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr Tables MakeTables() {
    Tables tables{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int k = 0; k < 8; ++k) {
            c = (c & 1u) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
        tables[0][i] = c;
    }
    for (std::size_t t = 1; t < 8; ++t) {
        for (std::size_t i = 0; i < 256; ++i) {
            const std::uint32_t previous = tables[t - 1][i];
            tables[t][i] = (previous >> 8) ^ tables[0][previous & 0xFFu];
        }
    }
    return tables;
}

constexpr Tables kTables = MakeTables();

}  // namespace

void Crc32::Add(std::span<const std::uint8_t> bytes) {
    std::uint32_t c = state_;
    const std::uint8_t* p = bytes.data();
    std::size_t n = bytes.size();
    for (; n >= 8; n -= 8, p += 8) {
        const std::uint32_t low = c ^ (std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 |
                                       std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24);
        c = kTables[7][low & 0xFFu] ^ kTables[6][(low >> 8) & 0xFFu] ^
            kTables[5][(low >> 16) & 0xFFu] ^ kTables[4][low >> 24] ^ kTables[3][p[4]] ^
            kTables[2][p[5]] ^ kTables[1][p[6]] ^ kTables[0][p[7]];
    }
    for (; n > 0; --n, ++p) {
        c = (c >> 8) ^ kTables[0][(c ^ *p) & 0xFFu];
    }
    state_ = c;
}

std::uint32_t Crc32Of(std::span<const std::uint8_t> bytes) {
    Crc32 crc;
    crc.Add(bytes);
    return crc.value();
}

}  // namespace pixmill
