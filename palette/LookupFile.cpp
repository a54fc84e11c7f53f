#include "palette/LookupFile.h"

#include <algorithm>
#include <filesystem>

#include "common/ByteIo.h"
#include "common/FolderFiles.h"

namespace pixmill {
namespace {

constexpr std::size_t kSwapSize = 1 + 256;
constexpr std::size_t kMaxAlternatives = std::size(kAlternativePaletteNames);
// The largest such file is 69,376 bytes; anything far larger is not one.
constexpr std::int64_t kMaxLookupFile = 1 << 20;

std::string Bytes(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " byte" : " bytes");
}

std::string AlternativeName(std::size_t i) {
    return "alternative palette " + std::to_string(i + 1) + " (" +
           std::string(kAlternativePaletteNames[i]) + ")";
}

}  // namespace

Result<LookupTables> ReadLookup(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) {
        return Status::Fail("the file is empty; it must begin with its count of palette swaps");
    }
    const std::size_t count = bytes[0];
    const std::size_t swapsSize = count * kSwapSize;
    if (swapsSize > bytes.size() - 1) {
        return Status::Fail("it claims " + std::to_string(count) + " palette swaps (" +
                            Bytes(swapsSize) + "), but only " + Bytes(bytes.size() - 1) +
                            " follow its count");
    }
    const std::size_t palettesAt = 1 + swapsSize;
    const std::size_t following = bytes.size() - palettesAt;
    const std::size_t whole = following / kPaletteColoursSize;
    if (following > kMaxAlternatives * kPaletteColoursSize) {
        return Status::Fail(Bytes(following - kMaxAlternatives * kPaletteColoursSize) +
                            " follow the five alternative palettes, where the file should end");
    }
    if (following % kPaletteColoursSize != 0) {
        return Status::Fail("the file ends " + Bytes(following % kPaletteColoursSize) + " into " +
                            AlternativeName(whole) + ", whose colours take " +
                            Bytes(kPaletteColoursSize));
    }
    for (std::size_t i = palettesAt; i < bytes.size(); ++i) {
        if (bytes[i] > 63) {
            const std::size_t at = i - palettesAt;
            return Status::Fail(AlternativeName(at / kPaletteColoursSize) + " gives colour " +
                                std::to_string(at % kPaletteColoursSize / 3) + " the value " +
                                std::to_string(bytes[i]) + "; palettes hold 0 to 63");
        }
    }

    LookupTables tables;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* record = bytes.data() + 1 + i * kSwapSize;
        PaletteSwap swap;
        swap.number = record[0];
        std::copy(record + 1, record + kSwapSize, swap.map.begin());
        const auto same =
            std::find_if(tables.swaps.begin(), tables.swaps.end(),
                         [&](const PaletteSwap& s) { return s.number == swap.number; });
        if (same != tables.swaps.end()) {
            *same = swap;
        } else {
            tables.swaps.push_back(swap);
        }
    }
    std::sort(tables.swaps.begin(), tables.swaps.end(),
              [](const PaletteSwap& a, const PaletteSwap& b) { return a.number < b.number; });
    for (std::size_t p = 0; p < whole; ++p) {
        Palette palette;
        const std::uint8_t* colours = bytes.data() + palettesAt + p * kPaletteColoursSize;
        for (std::size_t i = 0; i < palette.size(); ++i) {
            palette[i] = {static_cast<std::uint8_t>(colours[3 * i] * 4),
                          static_cast<std::uint8_t>(colours[3 * i + 1] * 4),
                          static_cast<std::uint8_t>(colours[3 * i + 2] * 4)};
        }
        tables.alternatives.push_back(palette);
    }
    return tables;
}

Result<LookupTables> ReadLookupFile(const std::string& path) {
    auto bytes = ReadSmallFile(path, kMaxLookupFile);
    if (!bytes) {
        return Status::Fail(bytes.reason());
    }
    return ReadLookup(*bytes);
}

std::vector<std::uint8_t> LookupBytes(const LookupTables& tables) {
    std::vector<std::uint8_t> bytes{static_cast<std::uint8_t>(tables.swaps.size())};
    for (const PaletteSwap& swap : tables.swaps) {
        bytes.push_back(static_cast<std::uint8_t>(swap.number));
        bytes.insert(bytes.end(), swap.map.begin(), swap.map.end());
    }
    for (const Palette& palette : tables.alternatives) {
        for (const PaletteEntry& entry : palette) {
            bytes.insert(bytes.end(), {static_cast<std::uint8_t>(entry.red / 4),
                                       static_cast<std::uint8_t>(entry.green / 4),
                                       static_cast<std::uint8_t>(entry.blue / 4)});
        }
    }
    return bytes;
}

std::string LookupBeside(const std::string& palettePath) {
    return FindFileIgnoringCase(std::filesystem::path(palettePath).parent_path().string(),
                                "LOOKUP.DAT");
}

}  // namespace pixmill
