#include "editing/Attributes.h"

#include <algorithm>

#include "common/Numbers.h"

namespace pixmill {
namespace {

// A whole number within 0..255 from a dialog value; the dialog's checks keep
// values inside their ranges, this only keeps a stray one from wrapping.
std::uint8_t ToByte(double value) {
    return static_cast<std::uint8_t>(std::clamp(RoundHalfEven(value), 0.0, 255.0));
}

}  // namespace

std::string_view AnimTypeName(int animType) {
    static constexpr std::string_view kNames[] = {"None", "Oscillate", "Forwards", "Backwards"};
    return kNames[animType & 3];
}

std::string ByteToBits(std::uint8_t value) {
    std::string bits(8, '0');
    for (int k = 0; k < 8; ++k) {
        if ((value >> k) & 1) {
            bits[static_cast<std::size_t>(7 - k)] = '1';
        }
    }
    return bits;
}

std::uint8_t BitsToByte(std::string_view bits) {
    if (bits.size() > 8) {
        bits = bits.substr(bits.size() - 8);
    }
    unsigned value = 0;
    for (char c : bits) {
        value = value << 1 | (c == '1' ? 1u : 0u);
    }
    return static_cast<std::uint8_t>(value);
}

ShownAttributes UnpackAttributes(const TileAttributes& attributes) {
    ShownAttributes shown;
    const std::string bits = ByteToBits(attributes[0]);
    shown.animType = BitsToByte(std::string_view(bits).substr(0, 2));
    shown.frameCount = BitsToByte(std::string_view(bits).substr(2)) + 1;

    const int x = attributes[1];
    if (x >= 1 && x <= 127) {  // stored positive, shown negative
        shown.xMagnitude = x;
        shown.xNegative = true;
    } else if (x >= 128) {
        shown.xMagnitude = 256 - x;
    }
    const int y = attributes[2];
    if (y <= 127) {
        shown.yMagnitude = y;
    } else {
        shown.yMagnitude = 256 - y;
        shown.yNegative = true;
    }
    return shown;
}

std::optional<AttributesRefusal> CheckEnteredAttributes(const EnteredAttributes& entered) {
    // The first title names the speed, though the box holds the frame count.
    if (!(entered.frameCount >= 1 && entered.frameCount <= 64)) {
        return AttributesRefusal{"Please enter a value between 1 and 64.",
                                 "Pixmill - Set Anim Speed"};
    }
    if (!(entered.xMagnitude >= 0 && entered.xMagnitude <= 127)) {
        return AttributesRefusal{"Please enter a value between 0 and 127.",
                                 "Pixmill - Set X Offset"};
    }
    if (!(entered.yMagnitude >= 0 && entered.yMagnitude <= 127)) {
        return AttributesRefusal{"Please enter a value between 0 and 127.",
                                 "Pixmill - Set Y Offset"};
    }
    return std::nullopt;
}

TileAttributes PackAttributes(const EnteredAttributes& entered, const TileAttributes& current) {
    static constexpr std::string_view kTypeBits[] = {"00", "01", "10", "11"};
    const std::string frameBits = ByteToBits(ToByte(entered.frameCount - 1)).substr(2);
    const std::string byte0 = std::string(kTypeBits[entered.animType & 3]) + frameBits;

    TileAttributes packed = current;
    packed[0] = BitsToByte(byte0);
    int x = ToByte(entered.xMagnitude);
    int y = ToByte(entered.yMagnitude);
    // A magnitude of 0 stays 0 whatever the box says.
    if (x > 0 && !entered.xNegative) {
        x = 256 - x;
    }
    if (y > 0 && entered.yNegative) {
        y = 256 - y;
    }
    packed[1] = static_cast<std::uint8_t>(x);
    packed[2] = static_cast<std::uint8_t>(y);
    return packed;
}

int ShownXOffset(const TileAttributes& attributes) {
    return -static_cast<std::int8_t>(attributes[1]);
}

int ShownYOffset(const TileAttributes& attributes) {
    return static_cast<std::int8_t>(attributes[2]);
}

SpeedMenuState SpeedMenuFor(const TileAttributes& attributes) {
    return {attributes[3] >= 1, attributes[3] <= 14,
            "Animation Speed (" + std::to_string(attributes[3]) + ")"};
}

}  // namespace pixmill
