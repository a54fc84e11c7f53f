#include "palette/PaletteFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cmath>

#include "common/AtomicFile.h"
#include "common/ByteIo.h"
#include "common/Numbers.h"

namespace pixmill {
namespace {

constexpr std::size_t kBuildSize = 768;
constexpr std::size_t kRiffHeaderSize = 24;
constexpr std::size_t kRiffReadEnd = kRiffHeaderSize + 1024;
constexpr std::uint8_t kRiffHeader[kRiffHeaderSize] = {
    'R', 'I', 'F', 'F', 0x0E, 0x04, 0, 0, 'P',  'A',  'L',  ' ',
    'd', 'a', 't', 'a', 0x08, 0x04, 0, 0, 0x00, 0x03, 0x00, 0x01};
// Palettes are small; anything far larger is not a palette and is not read into memory.
constexpr std::int64_t kMaxPaletteFile = 16 << 20;

std::uint8_t ToSixBits(std::uint8_t value) {
    // 254 and 255 would round to 64, which no Build palette can hold.
    return static_cast<std::uint8_t>(std::min(63.0, RoundHalfEven(value / 4.0)));
}

}  // namespace

PaletteFormat PaletteFormatOf(std::string_view path) {
    if (path.size() < 3) {
        return PaletteFormat::Build;
    }
    std::string_view last = path.substr(path.size() - 3);
    bool riff = std::equal(last.begin(), last.end(), "PAL", [](char a, char b) {
        return std::toupper(static_cast<unsigned char>(a)) == b;
    });
    return riff ? PaletteFormat::Riff : PaletteFormat::Build;
}

Result<Palette> ReadPalette(std::span<const std::uint8_t> bytes, PaletteFormat format) {
    Palette palette;
    if (format == PaletteFormat::Riff) {
        if (bytes.size() < kRiffReadEnd) {
            return Status::Fail("the file is " + std::to_string(bytes.size()) +
                                " bytes long; a RIFF palette needs at least " +
                                std::to_string(kRiffReadEnd));
        }
        for (std::size_t i = 0; i < palette.size(); ++i) {
            const std::uint8_t* entry = bytes.data() + kRiffHeaderSize + 4 * i;
            palette[i] = {entry[0], entry[1], entry[2]};
        }
        return palette;
    }
    if (bytes.size() < kBuildSize) {
        return Status::Fail("the file is " + std::to_string(bytes.size()) +
                            " bytes long; a Build palette needs at least " +
                            std::to_string(kBuildSize));
    }
    for (std::size_t i = 0; i < kBuildSize; ++i) {
        if (bytes[i] > 63) {
            return Status::Fail("colour " + std::to_string(i / 3) + " holds the value " +
                                std::to_string(bytes[i]) + "; Build palettes hold 0 to 63");
        }
    }
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const std::uint8_t* entry = bytes.data() + 3 * i;
        palette[i] = {static_cast<std::uint8_t>(entry[0] * 4),
                      static_cast<std::uint8_t>(entry[1] * 4),
                      static_cast<std::uint8_t>(entry[2] * 4)};
    }
    return palette;
}

Result<Palette> ReadPaletteFile(const std::string& path) {
    auto bytes = ReadSmallFile(path, kMaxPaletteFile);
    if (!bytes) {
        return Status::Fail(bytes.reason());
    }
    return ReadPalette(*bytes, PaletteFormatOf(path));
}

std::vector<std::uint8_t> PaletteBytes(const Palette& palette, PaletteFormat format) {
    std::vector<std::uint8_t> bytes;
    if (format == PaletteFormat::Riff) {
        bytes.reserve(1052);
        bytes.assign(std::begin(kRiffHeader), std::end(kRiffHeader));
        for (const PaletteEntry& entry : palette) {
            bytes.insert(bytes.end(), {entry.red, entry.green, entry.blue, 0});
        }
        bytes.insert(bytes.end(), 4, 0);
        return bytes;
    }
    bytes.reserve(kBuildSize);
    for (const PaletteEntry& entry : palette) {
        bytes.insert(bytes.end(),
                     {ToSixBits(entry.red), ToSixBits(entry.green), ToSixBits(entry.blue)});
    }
    return bytes;
}

Status WritePaletteFile(const Palette& palette, const std::string& path) {
    const PaletteFormat format = PaletteFormatOf(path);
    std::vector<std::uint8_t> bytes = PaletteBytes(palette, format);
    // A game cannot use a PALETTE.DAT without the shade and translucency tables
    // after its colours, so an export over one replaces the colours alone.
    struct stat existing {};
    if (format == PaletteFormat::Build && stat(path.c_str(), &existing) == 0 &&
        S_ISREG(existing.st_mode) && existing.st_size > static_cast<off_t>(kBuildSize)) {
        auto source = FileSource::Open(path);
        if (!source) {
            return Status::Fail("cannot read the tables after its palette to keep them: " +
                                source.reason());
        }
        // The open file's size counts, not the one seen before it was opened.
        const std::int64_t size = source->Size();
        if (size > kMaxPaletteFile) {
            return Status::Fail("the file there is " + std::to_string(size) +
                                " bytes long, too large for a palette; it was left as it was");
        }
        if (size > static_cast<std::int64_t>(kBuildSize)) {
            bytes.resize(static_cast<std::size_t>(size));
            if (!source->Seek(static_cast<std::int64_t>(kBuildSize)) ||
                !source->Read(bytes.data() + kBuildSize, bytes.size() - kBuildSize)) {
                return Status::Fail("cannot read the tables after its palette to keep them");
            }
        }
    }
    return WriteFileAtomically(path, bytes);
}

}  // namespace pixmill
