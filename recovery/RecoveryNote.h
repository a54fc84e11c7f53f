#pragma once
// The note beside a recovery copy: where the tileset belongs, the palette it
// was drawn with, and which file holds the copy, with its length and CRC-32
// so that a copy cut short or changed is refused rather than opened.
//
// Text, one field a line: a keyword, the length of the value in bytes, a
// space and the value itself, so that any path (a newline in it included)
// comes back exactly.
//
//   pixmill-recovery 1
//   path 22 /home/me/TILES000.ART
//   palette 22 /home/me/PALETTE.DAT
//   copy 12 s-1-2-3.ART
//   bytes 123456
//   crc32 cbf43926

#include <cstdint>
#include <string>
#include <string_view>

#include "common/Result.h"

namespace pixmill {

struct RecoveryNote {
    std::string artPath;      // empty: a new tileset that has no file yet
    std::string palettePath;  // empty: none was loaded
    std::string copyName;     // a file name in the recovery folder, no folder part
    std::uint64_t copyBytes = 0;
    std::uint32_t copyCrc = 0;
};

std::string RecoveryNoteText(const RecoveryNote& note);

// The note, or why the text is not one this version writes.
Result<RecoveryNote> ReadRecoveryNote(std::string_view text);

}  // namespace pixmill
