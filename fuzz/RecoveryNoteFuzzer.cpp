// ReadRecoveryNote on any bytes: a note it accepts names a plain file in the
// recovery folder, and writing it again gives back the very same text.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "recovery/RecoveryNote.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const pixmill::Result<pixmill::RecoveryNote> note = pixmill::ReadRecoveryNote(text);
    if (!note) {
        PIXMILL_FUZZ_CHECK(!note.reason().empty());
        return 0;
    }
    PIXMILL_FUZZ_CHECK(!note->copyName.empty());
    PIXMILL_FUZZ_CHECK(note->copyName.find('/') == std::string::npos);
    PIXMILL_FUZZ_CHECK(note->copyName != "." && note->copyName != "..");
    PIXMILL_FUZZ_CHECK(pixmill::RecoveryNoteText(*note) == text);
    return 0;
}
