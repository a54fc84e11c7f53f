#include "bitmap/PictureFile.h"

#include <cstring>

namespace pixmill {

Result<std::unique_ptr<PictureReader>> OpenPicture(ByteSource& source) {
    std::uint8_t first[8] = {};
    const bool read = source.Size() >= 8 && source.Seek(0) && source.Read(first, sizeof first);
    constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (read && std::memcmp(first, kPngSignature, sizeof kPngSignature) == 0) {
        return OpenPngPicture(source);
    }
    if (read && first[0] == 'B' && first[1] == 'M') {
        return OpenBitmapPicture(source);
    }
    return Status::Fail("it is neither a PNG nor a Windows bitmap");
}

Result<Tile> ReadPicture(ByteSource& source, const Palette& palette, bool dither) {
    auto reader = OpenPicture(source);
    if (!reader) {
        return Status::Fail(reader.reason());
    }
    return MatchPictureToPalette(**reader, palette, dither);
}

Result<Tile> ReadPictureFile(const std::string& path, const Palette& palette, bool dither) {
    auto source = FileSource::Open(path, 1 << 16);
    if (!source) {
        return Status::Fail(source.reason());
    }
    return ReadPicture(*source, palette, dither);
}

}  // namespace pixmill
