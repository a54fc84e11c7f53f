#pragma once
// The bit layout of a tile's four attribute bytes and the values the properties
// dialog shows for them.
//
// Byte 0: bits 0-5 frame count - 1, bits 6-7 animation type; byte 1: x offset and
// byte 2: y offset, signed; byte 3: animation speed, unsigned. The dialog shows
// the y offset as stored and the x offset with its sign reversed, each as a
// magnitude and a "Negative" box.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tileset/Tile.h"

namespace pixmill {

enum AnimType { kAnimNone = 0, kAnimOscillate = 1, kAnimForwards = 2, kAnimBackwards = 3 };

// "None", "Oscillate", "Forwards", "Backwards".
std::string_view AnimTypeName(int animType);

// Eight characters of "0" and "1", most significant bit first.
std::string ByteToBits(std::uint8_t value);
// Up to 8 characters, most significant first; any character but "1" counts as 0.
std::uint8_t BitsToByte(std::string_view bits);

// What the properties dialog shows.
struct ShownAttributes {
    int frameCount = 1;  // 1..64
    int animType = kAnimNone;
    int xMagnitude = 0;  // 0..128
    bool xNegative = false;
    int yMagnitude = 0;  // 0..128
    bool yNegative = false;
};

ShownAttributes UnpackAttributes(const TileAttributes& attributes);

// The dialog's values as read from its boxes, after its checks (frames 1..64,
// magnitudes 0..127). Fractions are rounded half to even.
struct EnteredAttributes {
    double frameCount = 1;
    int animType = kAnimNone;
    double xMagnitude = 0;
    bool xNegative = false;
    double yMagnitude = 0;
    bool yNegative = false;
};

// The dialog's checks of what its boxes read as, in order: frames 1..64, then
// the X and the Y magnitude 0..127, fractions counting. The message and title
// of the first that fails; nothing when all pass.
struct AttributesRefusal {
    std::string message;
    std::string title;
};
std::optional<AttributesRefusal> CheckEnteredAttributes(const EnteredAttributes& entered);

// New bytes 0 to 2 from the dialog; byte 3 (the speed) is kept from `current`.
TileAttributes PackAttributes(const EnteredAttributes& entered, const TileAttributes& current);

// The offsets as the editor shows them: x with its sign reversed, y as stored.
int ShownXOffset(const TileAttributes& attributes);
int ShownYOffset(const TileAttributes& attributes);

// "Increase" (faster, lowers the value) is offered while the speed is at least 1,
// "Decrease" (slower) while it is at most 14; the submenu's caption shows the
// speed, "Animation Speed (3)".
struct SpeedMenuState {
    bool increaseEnabled = false;
    bool decreaseEnabled = false;
    std::string caption;
};
SpeedMenuState SpeedMenuFor(const TileAttributes& attributes);

}  // namespace pixmill
