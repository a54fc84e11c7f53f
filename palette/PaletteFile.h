#pragma once
// Palette files: a Build Engine palette (*.DAT: 256 x red, green, blue in 0..63;
// a game's shade and translucency tables may follow, ignored on reading and kept
// on writing) and a Windows RIFF palette (*.PAL).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/Result.h"
#include "palette/Palette.h"

namespace pixmill {

enum class PaletteFormat { Build, Riff };

// RIFF when the path's last three characters are "PAL" in any case; otherwise
// Build, whatever the ending.
PaletteFormat PaletteFormatOf(std::string_view path);

// Build: the first 768 bytes, each value times 4; a value above 63 is refused.
// RIFF: the 1024 bytes from byte 24, four to an entry, the fourth ignored; the
// header is not examined.
Result<Palette> ReadPalette(std::span<const std::uint8_t> bytes, PaletteFormat format);
Result<Palette> ReadPaletteFile(const std::string& path);

// Build: 768 bytes, each value / 4 rounded half to even and kept within 0..63.
// RIFF: 1052 bytes with the fixed header.
std::vector<std::uint8_t> PaletteBytes(const Palette& palette, PaletteFormat format);

// Replaces the file only once the new one is complete. Build, over an existing
// regular file longer than 768 bytes: the new 768 bytes, then the old file's
// bytes from 768 on (a game's tables); refused, the file untouched, when those
// cannot be read or the file is larger than any palette. Otherwise, and for
// RIFF, PaletteBytes alone.
Status WritePaletteFile(const Palette& palette, const std::string& path);

}  // namespace pixmill
