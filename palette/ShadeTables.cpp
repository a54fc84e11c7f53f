#include "palette/ShadeTables.h"

#include <string>

#include "common/ByteIo.h"

namespace pixmill {
namespace {

constexpr std::size_t kCountSize = 2;

std::string Bytes(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " byte" : " bytes");
}

}  // namespace

Result<ShadeTables> ReadShadeTables(std::span<const std::uint8_t> file) {
    ShadeTables tables;
    if (file.size() <= kPaletteColoursSize) {
        return tables;
    }
    if (file.size() < kPaletteColoursSize + kCountSize) {
        return Status::Fail("the file ends inside the count of shade tables after its colours");
    }
    const std::int16_t count = GetI16(file.data() + kPaletteColoursSize);
    if (count < 0) {
        return Status::Fail("its count of shade tables reads as " + std::to_string(count));
    }
    const std::size_t shadesAt = kPaletteColoursSize + kCountSize;
    const std::size_t following = file.size() - shadesAt;
    const std::size_t shadesSize = static_cast<std::size_t>(count) * 256;
    if (shadesSize > following) {
        return Status::Fail("it claims " + std::to_string(count) + " shade tables (" +
                            Bytes(shadesSize) + "), but only " + Bytes(following) +
                            " follow the count");
    }
    if (following - shadesSize < kTranslucencySize) {
        return Status::Fail("its translucency table is cut short: " + Bytes(kTranslucencySize) +
                            " are needed after the shade tables, " + Bytes(following - shadesSize) +
                            " follow them");
    }
    tables.shades.resize(static_cast<std::size_t>(count));
    const std::uint8_t* at = file.data() + shadesAt;
    for (ColourMap& shade : tables.shades) {
        std::copy(at, at + 256, shade.begin());
        at += 256;
    }
    tables.translucency.assign(at, at + kTranslucencySize);
    tables.extra.assign(at + kTranslucencySize, file.data() + file.size());
    return tables;
}

std::vector<std::uint8_t> ShadeTablesBytes(const ShadeTables& tables) {
    std::vector<std::uint8_t> bytes;
    if (tables.shades.empty() && tables.translucency.empty() && tables.extra.empty()) {
        return bytes;
    }
    bytes.resize(kCountSize);
    PutI16(bytes.data(), static_cast<std::int16_t>(tables.shades.size()));
    for (const ColourMap& shade : tables.shades) {
        bytes.insert(bytes.end(), shade.begin(), shade.end());
    }
    bytes.insert(bytes.end(), tables.translucency.begin(), tables.translucency.end());
    bytes.insert(bytes.end(), tables.extra.begin(), tables.extra.end());
    return bytes;
}

}  // namespace pixmill
